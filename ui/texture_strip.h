// The textures a shape wears as a strip of thumbnails, each with its name
// and size under it: a missing one as a labelled empty box, a seasonal copy
// marked, a damaged one with why; one line instead when the shape cannot
// be read. A double click opens the texture in the viewer.
#pragma once

#include <QWidget>
#include <vector>

#include "core/language.h"
#include "ops/shape_textures.h"
#include "ui/texture_images.h"

class QLabel;
class QListWidget;
class QListWidgetItem;

namespace ui {

class TextureStrip : public QWidget {
 public:
  // The object names of the strip's list and line get `name` before them.
  TextureStrip(const platform::FileSystem& files, const core::Language& language,
               ThumbnailCache& thumbnails, const char* name, QWidget* parent);

  void Show(const ops::WornTextures& worn);
  void Clear() { Show({}); }

 private:
  // The item's thumbnail and text, as far as its picture is made.
  void Describe(QListWidgetItem* item);
  void OpenViewer(QListWidgetItem* item);

  const platform::FileSystem& files_;
  const core::Language& language_;
  ThumbnailCache& thumbnails_;
  QListWidget* items_;
  QLabel* problem_;
  std::vector<ops::WornTexture> shown_;
};

}  // namespace ui
