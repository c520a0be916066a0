#include "ui/texture_strip.h"

#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QScrollBar>
#include <QVBoxLayout>

#include "ops/ace_export.h"
#include "ui/texture_viewer.h"
#include "ui/widgets.h"

namespace ui {
namespace {

using core::Msg;

constexpr int kCell = 86;
// Thumbnail, two lines of text and room around them.
constexpr int kCellHeight = 104;
const QColor kSeasonal(205, 222, 250);

enum class Box { kPicture, kMaking, kMissing, kDamaged };

// A square of the thumbnail's side: the picture centred over a
// checkerboard, or an empty box, or one crossed out.
QPixmap Icon(int side, Box box, const QImage& image = {}) {
  QPixmap pixmap(side, side);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  const QRect frame(0, 0, side - 1, side - 1);
  switch (box) {
    case Box::kPicture:
      painter.drawPixmap((side - image.width()) / 2, (side - image.height()) / 2,
                         OnCheckerboard(image, image.size()));
      break;
    case Box::kMaking:
      painter.setPen(QColor(160, 160, 160));
      painter.drawRect(frame);
      break;
    case Box::kMissing:
      painter.setPen(QPen(QColor(110, 110, 110), 1, Qt::DashLine));
      painter.drawRect(frame);
      break;
    case Box::kDamaged:
      painter.setPen(QPen(QColor(200, 40, 40), 2));
      painter.drawRect(frame.adjusted(1, 1, -1, -1));
      painter.drawLine(frame.topLeft(), frame.bottomRight());
      painter.drawLine(frame.topRight(), frame.bottomLeft());
      break;
  }
  return pixmap;
}

QString SizeText(const QSize& size) {
  return QString::number(size.width()) + QString::fromUtf8("×") + QString::number(size.height());
}

}  // namespace

TextureStrip::TextureStrip(const platform::FileSystem& files, const core::Language& language,
                           ThumbnailCache& thumbnails, const char* name, QWidget* parent)
    : QWidget(parent), files_(files), language_(language), thumbnails_(thumbnails) {
  setObjectName(name);
  items_ = Make<QListWidget>(this, (std::string(name) + "Items").c_str());
  items_->setViewMode(QListView::IconMode);
  items_->setFlow(QListView::LeftToRight);
  items_->setWrapping(false);
  items_->setMovement(QListView::Static);
  items_->setWordWrap(true);
  items_->setTextElideMode(Qt::ElideMiddle);
  items_->setIconSize(QSize(thumbnails.side(), thumbnails.side()));
  items_->setGridSize(QSize(kCell, kCellHeight));
  items_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  items_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  items_->setFixedHeight(kCellHeight + items_->horizontalScrollBar()->sizeHint().height() + 4);
  problem_ = Make<QLabel>(this, (std::string(name) + "Problem").c_str());
  problem_->setWordWrap(true);
  problem_->hide();
  // A page that outlives a change of language names them again (Captions).
  setAccessibleName(Q(language_[Msg::CapTextureStrip]));
  items_->setAccessibleName(accessibleName());
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(items_);
  layout->addWidget(problem_);

  connect(&thumbnails_, &ThumbnailCache::Ready, this, [this](const QString& path) {
    for (int row = 0; row < items_->count(); ++row) {
      QListWidgetItem* item = items_->item(row);
      if (Q(shown_[item->data(Qt::UserRole).toUInt()].path) == path) Describe(item);
    }
  });
  connect(items_, &QListWidget::itemDoubleClicked, this,
          [this](QListWidgetItem* item) { OpenViewer(item); });
  Clear();
}

void TextureStrip::Show(const ops::WornTextures& worn) {
  items_->clear();
  shown_ = worn.textures;
  // A shape without textures says so on its line and shows no strip.
  problem_->setText(Q(worn.problem));
  problem_->setVisible(!worn.problem.empty());
  items_->setVisible(worn.problem.empty() || !shown_.empty());
  for (size_t n = 0; n < shown_.size(); ++n) {
    auto* item = new QListWidgetItem(items_);
    item->setData(Qt::UserRole, static_cast<uint>(n));
    if (!shown_[n].season.empty()) item->setBackground(kSeasonal);
    Describe(item);
  }
}

void TextureStrip::Describe(QListWidgetItem* item) {
  const ops::WornTexture& texture = shown_[item->data(Qt::UserRole).toUInt()];
  const int side = thumbnails_.side();
  QString state;
  QString why;
  if (texture.outside) {
    state = Q(language_[Msg::StripOutside]);
    item->setIcon(Icon(side, Box::kMissing));
  } else if (texture.path.empty()) {
    state = Q(language_[Msg::StripMissing]);
    item->setIcon(Icon(side, Box::kMissing));
  } else if (const Picture* picture = thumbnails_.Find(texture.path); !picture) {
    item->setIcon(Icon(side, Box::kMaking));
  } else if (picture->fault != formats::AceFault::kNone || picture->unreadable) {
    state = Q(language_[picture->unreadable ? Msg::StripUnreadable : Msg::StripDamaged]);
    if (!picture->unreadable)
      why = Q(ops::AceFaultText(language_, picture->fault, picture->header));
    item->setIcon(Icon(side, Box::kDamaged));
  } else {
    state = SizeText(picture->size);
    item->setIcon(Icon(side, Box::kPicture, picture->image));
  }
  const QString name = Q(texture.name);
  // A seasonal copy follows its texture: its folder names it.
  const QString shown = texture.season.empty() ? name : Q(texture.season).chopped(1);
  item->setText(shown + "\n" + state);
  QString tip = texture.path.empty() ? name : Q(texture.path);
  if (!texture.season.empty())
    tip += "\n" + Q(language_.Format(Msg::StripSeasonal, texture.season));
  if (!why.isEmpty()) tip += "\n" + why;
  item->setToolTip(tip);
  item->setData(Qt::AccessibleTextRole, state.isEmpty() ? name : name + ", " + state);
  item->setData(Qt::AccessibleDescriptionRole, tip);
}

void TextureStrip::OpenViewer(QListWidgetItem* item) {
  const ops::WornTexture& texture = shown_[item->data(Qt::UserRole).toUInt()];
  if (texture.path.empty()) return;
  TextureViewer(files_, language_, texture.path, window()).exec();
}

}  // namespace ui
