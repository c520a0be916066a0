#include "ui/texture_dialog.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/appearance.h"
#include "ui/pages.h"

namespace ui {

TMMT::TMMT(const core::TextureChoice& choice, QWidget* parent) : QDialog(parent) {
  setObjectName("MMT");
  setWindowTitle(QString::fromStdString(choice.caption));
  TakeWorkingColour(this);

  auto* group = Make<QGroupBox>(this, "GroupBox1");
  group->setTitle(QString::fromStdString(choice.group_caption));
  change_tex_ = Make<QComboBox>(group, "ChangeTex");
  change_tex_->setEditable(true);
  change_tex_->setInsertPolicy(QComboBox::NoInsert);
  for (const std::string& name : choice.candidates) {
    change_tex_->addItem(QString::fromStdString(name));
  }
  change_tex_->setEditText(QString::fromStdString(choice.text));
  auto* label = FixedLabel(group, "Label1", QString::fromStdString(choice.label), change_tex_);
  auto* row = new QHBoxLayout(group);
  row->addWidget(label);
  row->addWidget(change_tex_, 1);

  // The two buttons keep their captions in both languages.
  auto* save = Make<QPushButton>(this, "Button1");
  auto* cancel = Make<QPushButton>(this, "Button2");
  FixedCaption(save, "Сохранить");
  FixedCaption(cancel, "Отмена");
  save->setDefault(true);
  connect(save, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(save);
  buttons->addWidget(cancel);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group);
  layout->addLayout(buttons);
  setFixedSize(471, 148);
}

std::optional<std::string> TMMT::Choose() {
  if (exec() != QDialog::Accepted) return std::nullopt;
  return change_tex_->currentText().toStdString();
}

}  // namespace ui
