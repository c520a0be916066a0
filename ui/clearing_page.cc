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

#include "ui/pages.h"

namespace ui {
namespace {

using core::Msg;

// ClShapes shows the route state's rows, their selection and the focused
// row, and writes back what the user selects and focuses.
QListWidget* EntryList(PageContext& context, QWidget* parent) {
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
  QObject::connect(list, &QListWidget::currentRowChanged, list,
                   [&routes](int row) { routes.ClShapesFocused = row; });
  QObject::connect(list, &QListWidget::itemDoubleClicked, list,
                   [list, &context](QListWidgetItem* item) {
                     context.routes.ClShapesFocused = list->row(item);
                     const RouteOperations::Handler& open = context.operations.ClShapesDblClick;
                     if (!open) return;
                     context.run([&context, &open] { open(context.main, context.routes); });
                   });

  auto shown = std::make_shared<std::vector<std::string>>();
  context.bindings.Custom([list, &routes, shown] {
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

  QListWidget* entries = EntryList(context, frame);
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

  auto* grid = new QGridLayout(frame);
  grid->addWidget(route_label, 0, 0);
  grid->addWidget(route, 0, 1, 1, 2);
  AddLine(grid, 1, properties_label, properties, show);
  auto* body = new QHBoxLayout;
  body->addWidget(entries, 1);
  body->addLayout(buttons);
  grid->addLayout(body, 2, 0, 1, 3);
  grid->setRowStretch(2, 1);
  return page;
}

}  // namespace ui
