#include "ui/texture_images.h"

#include <QImageReader>
#include <QPainter>

#include "formats/tga.h"
#include "platform/text.h"

namespace ui {
namespace {

// Thumbnails are small: a few thousand of them in memory.
constexpr int kKeptPictures = 4000;

bool QtReadsTga() {
  static const bool reads = QImageReader::supportedImageFormats().contains("tga");
  return reads;
}

}  // namespace

QImage ToQImage(const formats::RgbaImage& image) {
  return QImage(image.pixels.data(), image.width, image.height, image.width * 4,
                QImage::Format_RGBA8888)
      .copy();
}

QPixmap OnCheckerboard(const QImage& image, QSize size) {
  QPixmap pixmap(size);
  QPainter painter(&pixmap);
  constexpr int kSquare = 8;
  for (int y = 0; y < size.height(); y += kSquare) {
    for (int x = 0; x < size.width(); x += kSquare) {
      painter.fillRect(x, y, kSquare, kSquare,
                       (x + y) / kSquare % 2 ? QColor(190, 190, 190) : QColor(250, 250, 250));
    }
  }
  painter.drawImage(QRect(QPoint(0, 0), size), image);
  return pixmap;
}

QImage ReadSourceImage(const std::string& bytes, const std::string& path) {
  const QByteArray data =
      QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
  const bool tga = platform::FoldCase(path).ends_with(".tga");
  if (!tga) return QImage::fromData(data, "BMP");
  // Qt's reader (6.4) takes only files that end with the TrueVision 2.0
  // footer, which most TGA files lack, and warns of every other; it serves
  // the forms ours does not read (colour maps, 16 bits a pixel).
  if (formats::RgbaImage image; formats::ReadTga(bytes, image)) return ToQImage(image);
  return QtReadsTga() ? QImage::fromData(data, "TGA") : QImage();
}

Picture DecodePicture(const platform::FileSystem& files, const std::string& path, int side) {
  Picture picture;
  const std::optional<std::string> bytes = files.ReadFile(path);
  if (!bytes) {
    picture.unreadable = true;
    return picture;
  }
  QImage image;
  if (platform::FoldCase(path).ends_with(".ace")) {
    const formats::AceTexture texture(*bytes);
    picture.fault = texture.fault();
    picture.header = texture.header();
    if (picture.fault != formats::AceFault::kNone) return picture;
    picture.size =
        QSize(static_cast<int>(picture.header.width), static_cast<int>(picture.header.height));
    image = ToQImage(texture.Decode(texture.LevelFor(static_cast<uint32_t>(side))));
  } else {
    image = ReadSourceImage(*bytes, path);
    picture.size = image.size();
  }
  if (image.isNull()) {
    picture.unreadable = true;
    return picture;
  }
  picture.image = image.width() > side || image.height() > side
                      ? image.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                      : image;
  return picture;
}

ThumbnailCache::ThumbnailCache(const platform::FileSystem& files, int side, QObject* parent)
    : QObject(parent), files_(files), side_(side), made_(kKeptPictures) {
  pool_.setMaxThreadCount(2);
}

ThumbnailCache::~ThumbnailCache() {
  pool_.clear();
  pool_.waitForDone();
}

const Picture* ThumbnailCache::Find(const std::string& path) {
  const QString key = QString::fromStdString(path);
  const platform::FileStamp stamp = files_.Stamp(path).value_or(platform::FileStamp{});
  if (const Entry* entry = made_.object(key); entry && entry->stamp == stamp)
    return &entry->picture;
  if (making_.contains(key)) return nullptr;
  making_.insert(key);
  pool_.start([this, key, path, stamp] {
    Picture picture = DecodePicture(files_, path, side_);
    QMetaObject::invokeMethod(
        this,
        [this, key, stamp, picture = std::move(picture)] {
          making_.remove(key);
          made_.insert(key, new Entry{stamp, picture});
          emit Ready(key);
        },
        Qt::QueuedConnection);
  });
  return nullptr;
}

}  // namespace ui
