#include "ui/qt_ui.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

#include "core/strings.h"
#include "ui/appearance.h"
#include "ui/clear_unused.h"
#include "ui/edit_form.h"
#include "ui/error_report.h"
#include "ui/fence.h"
#include "ui/texture_dialog.h"
#include "ui/widgets.h"

namespace ui {
namespace {

QMessageBox::Icon IconFor(const std::string& caption) {
  if (caption == "Error") return QMessageBox::Critical;
  if (caption == "Warning") return QMessageBox::Warning;
  return QMessageBox::NoIcon;
}

// Qt's own dialogs, so that they take the working colour everywhere.
void Prepare(QFileDialog& dialog, const QString& filter) {
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setObjectName("FileDialog");
  TakeWorkingColour(&dialog);
  if (!filter.isEmpty()) dialog.setNameFilter(filter);
}

}  // namespace

QString QtFilter(const std::string& filter) {
  const std::vector<std::string> parts = core::SplitText(filter, '|');
  QStringList filters;
  for (size_t i = 0; i + 1 < parts.size(); i += 2) {
    const std::string& description = parts[i];
    const std::string& wildcard = parts[i + 1];
    const bool shows_wildcard = description.ends_with("(" + wildcard + ")");
    filters.append(Q(shows_wildcard ? description : description + " (" + wildcard + ")"));
  }
  return filters.join(";;");
}

QtUi::QtUi(const platform::FileSystem& files) : files_(files) {}

void QtUi::Attach(QWidget* owner, const core::Language* texts, ThumbnailCache* thumbnails) {
  owner_ = owner;
  texts_ = texts ? texts : &english_;
  thumbnails_ = thumbnails;
}

void QtUi::Message(const std::string& caption, const std::string& text) {
  QMessageBox box(IconFor(caption), Q(caption), Q(text), QMessageBox::Ok, owner_);
  box.setObjectName("MessageBox");
  KeepSystemColours(&box);
  box.exec();
}

bool QtUi::Ask(const std::string& question, const std::string& detail) {
  QMessageBox box(QMessageBox::Question, Q((*texts_)[core::Msg::CapConfirm]), Q(question),
                  QMessageBox::Yes | QMessageBox::No, owner_);
  box.setObjectName("Question");
  box.setInformativeText(Q(detail));
  KeepSystemColours(&box);
  return box.exec() == QMessageBox::Yes;
}

std::optional<std::string> QtUi::ChooseFolder(const std::string& title,
                                              const std::string& initial_folder) {
  QFileDialog dialog(owner_, Q(title), HostFolder(initial_folder));
  Prepare(dialog, {});
  dialog.setFileMode(QFileDialog::Directory);
  dialog.setOption(QFileDialog::ShowDirsOnly);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return FromHost(dialog.selectedFiles().front());
}

std::vector<std::string> QtUi::OpenFiles(const core::FileDialog& request) {
  QFileDialog dialog(owner_, Q(request.title), HostFolder(request.initial_folder));
  Prepare(dialog, QtFilter(request.filter));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(request.multiple ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
  std::vector<std::string> picked;
  if (dialog.exec() != QDialog::Accepted) return picked;
  for (const QString& path : dialog.selectedFiles()) picked.push_back(FromHost(path));
  return picked;
}

std::optional<std::string> QtUi::SaveFile(const core::FileDialog& request) {
  QFileDialog dialog(owner_, Q(request.title), HostFolder(request.initial_folder));
  Prepare(dialog, QtFilter(request.filter));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix(Q(request.default_extension));
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirm_overwrite);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return FromHost(dialog.selectedFiles().front());
}

std::optional<std::string> QtUi::ChooseTexture(const core::TextureChoice& choice) {
  return TMMT(choice, owner_).Choose();
}

bool QtUi::ChooseObjects(core::ChoiceList& list) {
  return TClearUnused(list, *texts_, owner_, &files_, thumbnails_).exec() == QDialog::Accepted;
}

bool QtUi::EditEntry(core::EntryForm& form) {
  return TEditForm(form, *texts_, owner_).exec() == QDialog::Accepted;
}

std::unique_ptr<core::Progress> QtUi::ShowProgress() {
  auto fence = std::make_unique<TFence>(*texts_, owner_);
  fence->show();
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  return fence;
}

void QtUi::ReportError(const std::string& text) { ShowErrorReport(owner_, text); }

void QtUi::ProcessEvents() {
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

QString QtUi::HostFolder(const std::string& folder) const {
  if (folder.empty()) return {};
  std::optional<std::string> host = files_.ToHostPath(folder);
  return host ? Q(*host) : QString();
}

std::string QtUi::FromHost(const QString& path) const {
  return files_.FromUserPath(QDir::toNativeSeparators(path).toStdString());
}

}  // namespace ui

