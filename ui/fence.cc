#include "ui/fence.h"

#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/appearance.h"
#include "ui/widgets.h"

namespace ui {

TFence::TFence(const core::Language& texts, QWidget* owner)
    : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
  setObjectName("Fence");
  TakeWorkingColour(this);
  setCursor(Qt::BusyCursor);
  setFixedSize(281, 61);

  bar_ = Make<QProgressBar>(this, "ClSrchProgress");
  bar_->setRange(0, 500);
  bar_->setValue(0);
  bar_->setTextVisible(false);
  bar_->setFixedHeight(16);
  label_ = Make<QLabel>(this, "ClTileName");
  label_->setAlignment(Qt::AlignCenter);
  auto* wait = Make<QLabel>(this, "StatusBar");
  wait->setText(QString::fromStdString(texts[core::Msg::CapPleaseWait]));
  wait->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  bar_->setAccessibleName(wait->text());

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 2);
  layout->setSpacing(1);
  layout->addWidget(bar_);
  layout->addWidget(label_);
  layout->addWidget(wait);

  const QRect area = owner ? owner->frameGeometry() : QGuiApplication::primaryScreen()->geometry();
  move(area.center() - rect().center());
}

void TFence::SetRange(int maximum) {
  bar_->setMaximum(std::max(0, maximum));
}

void TFence::SetPosition(int position) {
  bar_->setValue(std::clamp(position, 0, bar_->maximum()));
}

void TFence::Step() { SetPosition(bar_->value() + 1); }

void TFence::SetLabel(const std::string& text) {
  label_->setText(QString::fromStdString(text));
  ShowHint();
}

void TFence::SetItem(int number, int count) {
  item_ = QString("%1 / %2").arg(number).arg(count);
}

void TFence::ShowHint() {
  const QString hint = item_.isEmpty() ? label_->text() : label_->text() + " (" + item_ + ")";
  bar_->setToolTip(hint);
  bar_->setAccessibleDescription(hint);
}

}  // namespace ui
