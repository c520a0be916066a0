#include "ui/about_box.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/appearance.h"
#include "ui/icons.h"
#include "ui/widgets.h"

namespace ui {

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
  setObjectName("AboutBox");
  setWindowTitle("About");
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
  TakeWorkingColour(this);

  auto* panel = Make<QFrame>(this, "Panel1");
  panel->setFrameShape(QFrame::Panel);
  panel->setFrameShadow(QFrame::Sunken);
  auto* icon = Make<QLabel>(panel, "ProgramIcon");
  icon->setPixmap(ProgramIcon().pixmap(32, 32));
  auto* grid = new QGridLayout(panel);
  grid->addWidget(icon, 0, 0, 3, 1, Qt::AlignTop);
  const char* const rows[][3] = {
      {"ProductName", "Product Name", "Rastolin"},
      {"Version", "Version", "1.2 b"},
      {"Comments", "Comments",
       "Program intended to simplify the process of conversion shapes and textures and adding "
       "them to MSTS"},
  };
  int row = 0;
  for (const auto& [name, caption, text] : rows) {
    auto* value = Make<QLabel>(panel, name);
    value->setText(QString::fromLatin1(text));
    value->setWordWrap(true);
    auto* label = FixedLabel(panel, "", QString::fromLatin1(caption), value);
    grid->addWidget(label, row, 1, Qt::AlignTop);
    grid->addWidget(value, row, 2, Qt::AlignTop);
    ++row;
  }
  grid->setColumnStretch(2, 1);
  grid->setRowStretch(row, 1);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(panel, 1);
  layout->addWidget(AcceptButton(this, this, "OKButton", "OK"), 0, Qt::AlignHCenter);
  setFixedSize(298, 213);
}

}  // namespace ui
