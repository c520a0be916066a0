// The choice list of objects to delete, over a core::ChoiceList: the rows
// the user selects are selected in the list, and "Add" (shown only when the
// list has an add action) hands them to it. A list of a route's shapes
// shows under it the textures of the focused one, which would move with it.
#pragma once

#include <QDialog>

#include "core/choice_list.h"
#include "core/language.h"
#include "ui/texture_images.h"

class QListWidget;

namespace ui {

class TClearUnused : public QDialog {
 public:
  // Without thumbnails, no textures are shown.
  TClearUnused(core::ChoiceList& list, const core::Language& texts, QWidget* parent,
               const platform::FileSystem* files = nullptr, ThumbnailCache* thumbnails = nullptr);

 private:
  void ShowRows();
  void ClAddToRefClick();

  core::ChoiceList& list_;
  QListWidget* rows_;
};

}  // namespace ui
