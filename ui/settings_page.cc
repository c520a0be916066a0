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
  Bindings& bind = context.bindings;
  Captions& captions = context.captions;

  auto* page = Make<QWidget>(nullptr, "TabSheet3");
  auto* title = Make<QLabel>(page, "StaticText3");
  captions.Label(title, Msg::CapPaths);
  QFont bold = title->font();
  bold.setBold(true);
  title->setFont(bold);

  // The two folders show their values but are set only through Browse.
  auto* root = Make<QLineEdit>(page, "MSTSRoot");
  auto* utilities = Make<QLineEdit>(page, "PathUtils");
  root->setEnabled(false);
  utilities->setEnabled(false);
  bind.Text(root, fields.MSTSRoot);
  bind.Text(utilities, fields.PathUtils);
  QPushButton* root_browse =
      OperationButton(context, page, "MSTSSelect", [&main] { tools::MSTSSelectClick(main); });
  QPushButton* utilities_browse =
      OperationButton(context, page, "Button1", [&main] { tools::Button1Click(main); });
  captions.Button(root_browse, Msg::CapBrowse);
  captions.Button(utilities_browse, Msg::CapBrowse);

  auto* texture_tool = Make<QLineEdit>(page, "ConTexV");
  auto* shape_tool = Make<QLineEdit>(page, "ConvShV");
  bind.Text(texture_tool, fields.ConTexV, [&context, &main] {
    context.run([&main] { main.ConTexVChange(); });
  });
  bind.Text(shape_tool, fields.ConvShV, [&context, &main] {
    context.run([&main] { main.ConvShVChange(); });
  });

  struct Row {
    const char* label;
    Msg caption;
    QLineEdit* edit;
    QPushButton* button;
  };
  const Row rows[] = {
      {"Label5", Msg::CapMstsRoot, root, root_browse},
      {"Label1", Msg::CapConverterPath, utilities, utilities_browse},
      {"Label2", Msg::CapTextureConverter, texture_tool, nullptr},
      {"Label3", Msg::CapShapeConverter, shape_tool, nullptr},
  };
  auto* grid = new QGridLayout;
  int number = 0;
  for (const Row& row : rows) {
    auto* label = Make<QLabel>(page, row.label);
    captions.Label(label, row.caption, row.edit);
    grid->addWidget(label, number, 0);
    grid->addWidget(row.edit, number, 1);
    if (row.button) grid->addWidget(row.button, number, 2);
    ++number;
  }
  grid->setColumnStretch(1, 1);

  auto* layout = new QVBoxLayout(page);
  layout->addWidget(title);
  layout->addLayout(grid);
  layout->addStretch();
  return page;
}

}  // namespace ui
