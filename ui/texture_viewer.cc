#include "ui/texture_viewer.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

#include "ops/ace_export.h"
#include "ui/appearance.h"
#include "ui/texture_images.h"
#include "ui/widgets.h"

namespace ui {
namespace {

using core::Msg;

constexpr int kZooms[] = {25, 50, 100, 200, 400, 800};
// The zoom chosen at first: the largest that fits this square.
constexpr int kFirstFit = 512;

}  // namespace

TextureViewer::TextureViewer(const platform::FileSystem& files, const core::Language& language,
                             const std::string& path, QWidget* parent)
    : QDialog(parent) {
  setObjectName("TextureViewer");
  setWindowTitle(Q(language.Format(Msg::CapViewer, path)));
  TakeWorkingColour(this);
  auto* info = Make<QLabel>(this, "ViewerInfo");
  info->setWordWrap(true);
  level_ = Make<QComboBox>(this, "ViewerLevel");
  zoom_ = Make<QComboBox>(this, "ViewerZoom");
  for (int percent : kZooms) zoom_->addItem(QString::number(percent) + "%", percent);
  QLabel* level_label = FixedLabel(this, "ViewerLevelLabel", Q(language[Msg::CapMipLevel]), level_);
  QLabel* zoom_label = FixedLabel(this, "ViewerZoomLabel", Q(language[Msg::CapZoom]), zoom_);
  auto* area = Make<QScrollArea>(this, "ViewerArea");
  image_ = Make<QLabel>(area, "ViewerImage");
  image_->setAlignment(Qt::AlignCenter);
  area->setWidget(image_);
  area->setWidgetResizable(true);
  area->setAccessibleName(Q(path));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  if (std::optional<std::string> bytes = files.ReadFile(path)) {
    bytes_ = std::move(*bytes);
    const formats::AceTexture& texture = texture_.emplace(bytes_);
    info->setText(Q(path + "\n" +
                    (texture.fault() == formats::AceFault::kNone
                         ? ops::AceDescription(language, texture)
                         : ops::AceFaultText(language, texture.fault(), texture.header()))));
    if (texture.fault() == formats::AceFault::kNone) {
      const formats::AceHeader& header = texture.header();
      int first = 0;
      for (int level = 0; level < header.levels(); ++level) {
        level_->addItem(QString::number(level) + ": " + QString::number(header.LevelWidth(level)) +
                        QString::fromUtf8("×") + QString::number(header.LevelHeight(level)));
      }
      const uint32_t longer = std::max(header.width, header.height);
      while (first + 1 < zoom_->count() && longer * kZooms[first + 1] / 100 <= kFirstFit) ++first;
      zoom_->setCurrentIndex(first);
    }
  } else {
    info->setText(Q(language.Format(Msg::CheckNotOpened, path)));
  }
  connect(level_, &QComboBox::currentIndexChanged, this, [this] { ShowLevel(); });
  connect(zoom_, &QComboBox::currentIndexChanged, this, [this] { ShowLevel(); });

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(info);
  layout->addLayout(Row({level_label, level_, zoom_label, zoom_, kStretch}));
  layout->addWidget(area, 1);
  layout->addWidget(buttons);
  resize(600, 640);
  ShowLevel();
}

void TextureViewer::ShowLevel() {
  if (!texture_ || texture_->fault() != formats::AceFault::kNone) return;
  const QImage image = ToQImage(texture_->Decode(level_->currentIndex()));
  const int percent = zoom_->currentData().toInt();
  image_->setPixmap(OnCheckerboard(image, QSize(std::max(1, image.width() * percent / 100),
                                                std::max(1, image.height() * percent / 100))));
}

}  // namespace ui
