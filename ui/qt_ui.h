// The Ui of window mode: message boxes, Qt's file and folder dialogs, and
// the program's own dialogs, all owned by the main window and in its
// working colour.
#pragma once

#include <QString>

#include "core/language.h"
#include "core/ui.h"
#include "platform/file_system.h"
#include "ui/texture_images.h"

class QWidget;

namespace ui {

// A filter as the operations give it ("Targa Bitmap(*.tga)|*.tga|...") in
// Qt's form ("Targa Bitmap(*.tga);;..."): each description followed by its
// wildcard in parentheses, unless it already ends with them.
QString QtFilter(const std::string& filter);

class QtUi : public core::Ui {
 public:
  explicit QtUi(const platform::FileSystem& files);

  // The window that owns the dialogs, the message table of their captions
  // and the thumbnails they show; until then dialogs have no owner, English
  // captions and no thumbnails.
  void Attach(QWidget* owner, const core::Language* texts, ThumbnailCache* thumbnails = nullptr);

  void Message(const std::string& caption, const std::string& text) override;
  bool Ask(const std::string& question, const std::string& detail = {}) override;
  std::optional<std::string> ChooseFolder(const std::string& title,
                                          const std::string& initial_folder) override;
  std::vector<std::string> OpenFiles(const core::FileDialog& dialog) override;
  std::optional<std::string> SaveFile(const core::FileDialog& dialog) override;
  std::optional<std::string> ChooseTexture(const core::TextureChoice& choice) override;
  bool ChooseObjects(core::ChoiceList& list) override;
  bool EditEntry(core::EntryForm& form) override;
  std::unique_ptr<core::Progress> ShowProgress() override;
  void ReportError(const std::string& text) override;

 protected:
  void ProcessEvents() override;

 private:
  // Host paths for Qt, Windows paths back.
  QString HostFolder(const std::string& folder) const;
  std::string FromHost(const QString& path) const;

  const platform::FileSystem& files_;
  QWidget* owner_ = nullptr;
  core::Language english_{core::kEnglish};
  const core::Language* texts_ = &english_;
  ThumbnailCache* thumbnails_ = nullptr;
};

}  // namespace ui
