// "Settings": where the SDK tools and the simulator lie, and the tools' names.
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "tools/tool_checks.h"
#include "ui/pages.h"

namespace ui {

using core::Msg;

QWidget* BuildSettingsPage(PageContext& context) {
  core::ConvMain& main = context.main;
  core::Fields& fields = main.fields;
  auto* page = Make<QWidget>(nullptr, "TabSheet3");
  QLabel* title = PageTitle(context, page, "StaticText3", Msg::CapPaths);

  // The two folders show their values but are set only through Browse.
  QLineEdit* root = Edit(context, page, "MSTSRoot", fields.MSTSRoot);
  QLineEdit* utilities = Edit(context, page, "PathUtils", fields.PathUtils);
  root->setEnabled(false);
  utilities->setEnabled(false);
  QPushButton* root_browse = BrowseButton(context, page, "MSTSSelect", tools::MSTSSelectClick);
  QPushButton* utilities_browse = BrowseButton(context, page, "Button1", tools::Button1Click);

  QLineEdit* texture_tool = Edit(context, page, "ConTexV", fields.ConTexV,
                                 Runner(context, [&main] { main.ConTexVChange(); }));
  QLineEdit* shape_tool = Edit(context, page, "ConvShV", fields.ConvShV,
                               Runner(context, [&main] { main.ConvShVChange(); }));

  auto* grid = new QGridLayout;
  AddLine(context, grid, 0, "Label5", Msg::CapMstsRoot, root, root_browse);
  AddLine(context, grid, 1, "Label1", Msg::CapConverterPath, utilities, utilities_browse);
  AddLine(context, grid, 2, "Label2", Msg::CapTextureConverter, texture_tool);
  AddLine(context, grid, 3, "Label3", Msg::CapShapeConverter, shape_tool);
  grid->setColumnStretch(1, 1);

  auto* layout = new QVBoxLayout(page);
  layout->addWidget(title);
  layout->addLayout(grid);
  layout->addStretch();
  return page;
}

}  // namespace ui
