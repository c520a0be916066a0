#include "ui/texture_dialog.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/appearance.h"
#include "ui/widgets.h"

namespace ui {

TMMT::TMMT(const core::TextureChoice& choice, QWidget* parent) : QDialog(parent) {
  setObjectName("MMT");
  setWindowTitle(QString::fromStdString(choice.caption));
  TakeWorkingColour(this);

  auto* group = Make<QGroupBox>(this, "GroupBox1");
  group->setTitle(QString::fromStdString(choice.group_caption));
  change_tex_ = EditableBox(group, "ChangeTex", choice.candidates);
  change_tex_->setEditText(QString::fromStdString(choice.text));
  auto* label = FixedLabel(group, "Label1", QString::fromStdString(choice.label), change_tex_);
  auto* row = new QHBoxLayout(group);
  row->addWidget(label);
  row->addWidget(change_tex_, 1);

  // The two buttons keep their captions in both languages.
  QPushButton* save = AcceptButton(this, this, "Button1", "Сохранить");
  QPushButton* cancel = RejectButton(this, this, "Button2", "Отмена");

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group);
  layout->addLayout(Row({kStretch, save, cancel}));
  setFixedSize(471, 148);
}

std::optional<std::string> TMMT::Choose() {
  if (exec() != QDialog::Accepted) return std::nullopt;
  return change_tex_->currentText().toStdString();
}

}  // namespace ui
