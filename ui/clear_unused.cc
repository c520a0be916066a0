#include "ui/clear_unused.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/appearance.h"
#include "ui/error_report.h"
#include "ui/widgets.h"

namespace ui {

using core::Msg;

TClearUnused::TClearUnused(core::ChoiceList& list, const core::Language& texts, QWidget* parent)
    : QDialog(parent), list_(list) {
  setObjectName("ClearUnused");
  const QString caption = QString::fromStdString(texts[list.Caption()]);
  setWindowTitle(caption);
  TakeWorkingColour(this);

  auto* group = Make<QGroupBox>(this, "GroupBox1");
  group->setTitle(caption);
  rows_ = Make<QListWidget>(group, "ClDeleteList");
  rows_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  rows_->setUniformItemSizes(true);
  rows_->setAccessibleName(caption);
  (new QVBoxLayout(group))->addWidget(rows_);
  connect(rows_, &QListWidget::itemSelectionChanged, this, [this] {
    for (int row = 0; row < rows_->count(); ++row) {
      list_.Select(static_cast<size_t>(row), rows_->item(row)->isSelected());
    }
  });

  auto* all = Make<QPushButton>(this, "ClAll");
  auto* none = Make<QPushButton>(this, "ClNone");
  auto* add = Make<CaptionButton>(this, "ClAddToRef");
  QPushButton* ok = AcceptButton(this, this, "OKButton", "OK");
  QPushButton* cancel = RejectButton(this, this, "CancelButton", "Cancel");
  all->setText("*");
  none->setText("X");
  // The symbols say nothing when read aloud; the tool-tips do.
  for (auto [button, key] : {std::pair{all, Msg::CapSelectAll}, {none, Msg::CapDeselectAll}}) {
    button->setToolTip(QString::fromStdString(texts[key]));
    button->setAccessibleName(button->toolTip());
    button->setFixedWidth(32);
  }
  FixedCaption(add, QString::fromStdString(texts[Msg::CapAdd]));
  add->setVisible(list.HasAdd());
  connect(all, &QPushButton::clicked, this, [this] {
    list_.ClAllClick();
    ShowRows();
  });
  connect(none, &QPushButton::clicked, this, [this] {
    list_.ClNoneClick();
    ShowRows();
  });
  connect(add, &QPushButton::clicked, this, [this] { ClAddToRefClick(); });

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group, 1);
  layout->addLayout(Row({all, none, add, kStretch, ok, cancel}));
  resize(360, 420);
  ShowRows();
}

void TClearUnused::ShowRows() {
  const QSignalBlocker blocker(rows_);
  rows_->clear();
  for (size_t row = 0; row < list_.size(); ++row) {
    rows_->addItem(QString::fromStdString(list_.Name(row)));
  }
  for (size_t row = 0; row < list_.size(); ++row) {
    rows_->item(static_cast<int>(row))->setSelected(list_.IsSelected(row));
  }
  // As wide as the longest row (a restore job's line is long), within the
  // screen, so that no row is cut.
  const int rows_width = rows_->sizeHintForColumn(0) + 2 * rows_->frameWidth() +
                         rows_->verticalScrollBar()->sizeHint().width();
  const QScreen* shown_on = parentWidget() ? parentWidget()->screen() : screen();
  rows_->setMinimumWidth(std::min(rows_width, shown_on->availableGeometry().width() * 9 / 10));
}

void TClearUnused::ClAddToRefClick() {
  try {
    list_.ClAddToRefClick();
  } catch (const std::exception& failure) {
    ShowErrorReport(this, failure.what());
  }
  ShowRows();
}

}  // namespace ui
