#include "ui/clear_unused.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>

#include "ops/shape_textures.h"
#include "ui/appearance.h"
#include "ui/error_report.h"
#include "ui/texture_strip.h"
#include "ui/widgets.h"

namespace ui {

using core::Msg;

TClearUnused::TClearUnused(core::ChoiceList& list, const core::Language& texts, QWidget* parent,
                           const platform::FileSystem* files, ThumbnailCache* thumbnails)
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
  auto* group_layout = new QVBoxLayout(group);
  group_layout->addWidget(rows_);
  if (files && thumbnails && !list.route_folder.empty()) {
    auto* strip = new TextureStrip(*files, texts, *thumbnails, "ClDeleteTextures", group);
    group_layout->addWidget(strip);
    connect(rows_, &QListWidget::currentRowChanged, strip, [this, strip, files, &texts](int row) {
      if (row < 0 || static_cast<size_t>(row) >= list_.size()) return strip->Clear();
      strip->Show(ops::TexturesOfShape(*files, texts, list_.route_folder, list_.Name(row)));
    });
  }
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
  resize(list.route_folder.empty() ? 360 : 420, 420);
  ShowRows();
  // The first shape's textures show at once; nothing is selected for it.
  if (list.size() > 0 && !list.route_folder.empty()) {
    rows_->selectionModel()->setCurrentIndex(rows_->model()->index(0, 0),
                                             QItemSelectionModel::NoUpdate);
  }
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
