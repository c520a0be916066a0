// "Clearing": the chosen route's entries and the ways to clear them.
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QItemSelection>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <memory>

#include "ops/shape_textures.h"
#include "ui/pages.h"
#include "ui/texture_strip.h"

namespace ui {
namespace {

using core::Msg;

// The strip shows the textures of the focused row's shape, read again only
// when another shape (or language) comes to be shown.
std::function<void()> FocusedTextures(PageContext& context, TextureStrip* strip) {
  auto shown = std::make_shared<std::string>();
  return [&context, strip, shown] {
    const ops::RouteState& routes = context.routes;
    const route::Route* route = routes.CurrentRoute.get();
    const int row = routes.ClShapesFocused;
    const bool entry = route && row >= 0 && row < route->EntryCount() &&
                       static_cast<size_t>(row) < routes.ClShapes.size();
    const std::string name = entry ? route->Entries[row].GetValue("FileName") : std::string();
    const std::string key =
        entry ? route->Folder + "\n" + name + "\n" + std::to_string(context.main.language.number())
              : std::string();
    if (key == *shown) return;
    *shown = key;
    if (!entry) return strip->Clear();
    strip->Show(
        ops::TexturesOfShape(context.main.files, context.main.language, route->Folder, name));
  };
}

// ClShapes shows the route state's rows, their selection and the focused
// row, and writes back what the user selects and focuses.
QListWidget* EntryList(PageContext& context, QWidget* parent,
                       const std::function<void()>& focused) {
  ops::RouteState& routes = context.routes;
  auto* list = Make<QListWidget>(parent, "ClShapes");
  list->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list->setUniformItemSizes(true);

  QObject::connect(list, &QListWidget::itemSelectionChanged, list, [list, &routes] {
    routes.ClShapesSelected.assign(routes.ClShapes.size(), false);
    for (const QModelIndex& index : list->selectionModel()->selectedRows()) {
      if (static_cast<size_t>(index.row()) < routes.ClShapesSelected.size()) {
        routes.ClShapesSelected[static_cast<size_t>(index.row())] = true;
      }
    }
  });
  QObject::connect(list, &QListWidget::currentRowChanged, list, [&routes, focused](int row) {
    routes.ClShapesFocused = row;
    focused();
  });
  QObject::connect(list, &QListWidget::itemDoubleClicked, list,
                   [list, &context](QListWidgetItem* item) {
                     context.routes.ClShapesFocused = list->row(item);
                     const RouteOperations::Handler& open = context.operations.ClShapesDblClick;
                     if (!open) return;
                     context.run([&context, &open] { open(context.main, context.routes); });
                   });

  auto shown = std::make_shared<std::vector<std::string>>();
  context.bindings.Custom([list, &routes, shown, focused] {
    const QSignalBlocker blocker(list);
    if (*shown != routes.ClShapes) {
      *shown = routes.ClShapes;
      list->clear();
      QStringList rows;
      rows.reserve(static_cast<qsizetype>(shown->size()));
      for (const std::string& row : *shown) rows.append(QString::fromStdString(row));
      list->addItems(rows);
    }
    QItemSelection selection;
    for (size_t row = 0; row < routes.ClShapesSelected.size() && row < shown->size(); ++row) {
      if (!routes.ClShapesSelected[row]) continue;
      const QModelIndex index = list->model()->index(static_cast<int>(row), 0);
      selection.select(index, index);
    }
    list->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    list->selectionModel()->setCurrentIndex(list->model()->index(routes.ClShapesFocused, 0),
                                            QItemSelectionModel::NoUpdate);
    focused();
  });
  return list;
}

}  // namespace

QWidget* BuildClearingPage(PageContext& context) {
  ops::RouteState& routes = context.routes;
  const RouteOperations& operations = context.operations;
  Captions& captions = context.captions;
  auto [page, frame] = MakeFramedPage(context, "Clearing", "GroupBox7", Msg::CapClearing);

  QComboBox* route = RouteBox(context, frame, "ClRoute", routes.ClRoute, routes.ClRouteIndex,
                              context.choose_route);
  QLabel* route_label = CaptionLabel(context, "StaticText20", Msg::CapRoute, route);
  QLineEdit* properties = Edit(context, frame, "ClProps", context.main.fields.ClProps);
  QLabel* properties_label = CaptionLabel(context, "StaticText21", Msg::CapProperties, properties);
  QPushButton* show = RouteButton(context, frame, "ClPropPr", operations.ClPropPrClick);
  captions.Button(show, Msg::CapShow);

  auto* strip = new TextureStrip(context.main.files, context.main.language, context.thumbnails,
                                 "ClTextures", frame);
  captions.Name(strip, Msg::CapTextureStrip);
  captions.Name(strip->findChild<QListWidget*>(), Msg::CapTextureStrip);
  QListWidget* entries = EntryList(context, frame, FocusedTextures(context, strip));
  captions.Name(entries, Msg::CapEntryList);

  struct Action {
    const char* name;
    Msg caption;
    const RouteOperations::Handler& handler;
  };
  const Action actions[] = {
      {"ClDelete", Msg::CapDeleteSelected, operations.ClDeleteClick},
      {"ClDuplicates", Msg::CapDeleteDuplicates, operations.ClDuplicatesClick},
      {"ClUnused", Msg::CapDeleteUnused, operations.ClUnusedClick},
      {"ClDelUnnamed", Msg::CapDeleteNotInRef, operations.ClDelUnnamedClick},
      {"ClDelUnex", Msg::CapDeleteNonexistent, operations.ClDelUnexClick},
  };
  auto* buttons = new QVBoxLayout;
  for (const Action& action : actions) {
    QPushButton* button = RouteButton(context, frame, action.name, action.handler);
    captions.Button(button, action.caption);
    buttons->addWidget(button);
  }
  QPushButton* restore = RouteButton(context, frame, "ClRestore", operations.ClRestoreClick);
  captions.Button(restore, Msg::CapRestore);
  captions.Hint(restore, Msg::HintRestore);
  buttons->addWidget(restore);
  buttons->addStretch();
  // The check changes nothing: it stands apart from the jobs that clear.
  QPushButton* check = RouteButton(context, frame, "ClCheck", operations.ClCheckClick);
  captions.Button(check, Msg::CapCheckRoute);
  captions.Hint(check, Msg::HintCheckRoute);
  buttons->addWidget(check);
  // From the entry list Tab reaches the jobs first; the strip comes last.
  QWidget::setTabOrder(check, strip->findChild<QListWidget*>());

  auto* grid = new QGridLayout(frame);
  grid->addWidget(route_label, 0, 0);
  grid->addWidget(route, 0, 1, 1, 2);
  AddLine(grid, 1, properties_label, properties, show);
  auto* body = new QHBoxLayout;
  body->addLayout(Column({entries, strip}), 1);
  body->addLayout(buttons);
  grid->addLayout(body, 2, 0, 1, 3);
  grid->setRowStretch(2, 1);
  return page;
}

}  // namespace ui
