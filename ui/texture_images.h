// Pictures of textures and of their sources for the window, decoded off the
// interface thread and kept per file, its size and time the key.
#pragma once

#include <QCache>
#include <QImage>
#include <QObject>
#include <QPixmap>
#include <QSet>
#include <QString>
#include <QThreadPool>
#include <string>

#include "formats/ace.h"
#include "platform/file_system.h"

namespace ui {

// What the window shows of a file: its image scaled to fit a square, or
// why there is none.
struct Picture {
  QImage image;  // null when there is none
  QSize size;    // the image's own size; a texture's largest level
  // A texture that cannot be read, and its header as far as it was read.
  formats::AceFault fault = formats::AceFault::kNone;
  formats::AceHeader header;
  bool unreadable = false;  // not read, or no image of a kind shown here
};

// The image as Qt holds it, a copy of its pixels.
QImage ToQImage(const formats::RgbaImage& image);

// The image drawn at `size`, each pixel a block, over a checkerboard its
// alpha lets through.
QPixmap OnCheckerboard(const QImage& image, QSize size);

// The image of a TGA or BMP source file, through Qt's readers or, for a
// TGA where Qt has none, formats::ReadTga; null when it cannot be read.
QImage ReadSourceImage(const std::string& bytes, const std::string& path);

// The picture of the file at the path, `side` pixels at most: a texture
// from the mip level that fills the side, a source image scaled.
Picture DecodePicture(const platform::FileSystem& files, const std::string& path, int side);

class ThumbnailCache : public QObject {
  Q_OBJECT

 public:
  ThumbnailCache(const platform::FileSystem& files, int side, QObject* parent = nullptr);
  // Waits for the pictures being made.
  ~ThumbnailCache() override;

  int side() const { return side_; }
  // The picture of the file when it is made and the file has not changed
  // since; else nothing, and Ready(path) follows once it is made.
  const Picture* Find(const std::string& path);

 signals:
  void Ready(const QString& path);

 private:
  struct Entry {
    platform::FileStamp stamp;
    Picture picture;
  };

  const platform::FileSystem& files_;
  const int side_;
  QCache<QString, Entry> made_;
  QSet<QString> making_;
  QThreadPool pool_;
};

}  // namespace ui
