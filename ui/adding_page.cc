// "Adding": a shape or textures into the chosen route.
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <limits>

#include "ops/adding.h"
#include "ui/pages.h"

namespace ui {
namespace {

using core::Msg;

// The frame of the entry fields, shown while "Add to ref" is checked.
QGroupBox* EntryFields(PageContext& context, QWidget* parent) {
  core::Fields& fields = context.main.fields;
  Bindings& bind = context.bindings;
  auto* group = Make<QGroupBox>(parent, "GroupBox5");
  bind.Visible(group, fields.GroupBox5Visible);

  QComboBox* class_box = EditableBox(group, "AddClass");
  bind.Items(class_box, context.routes.AddClassItems);
  bind.Text(class_box, fields.AddClass);
  QLineEdit* description = Edit(context, group, "AddDescription", fields.AddDescription);
  auto* shadow = Make<QComboBox>(group, "AddShadow");
  shadow->addItems({"DYNAMIC", "NONE", "RECT", "ROUND", "TREELINE"});
  bind.Choice(shadow, fields.AddShadow);
  auto* align = Make<QComboBox>(group, "AddAlign");
  align->addItems({"DYNAMIC", "NONE", "RECT", "ROUND"});
  bind.Choice(align, fields.AddAlign);

  auto* grid = new QGridLayout(group);
  AddLine(context, grid, 0, "StaticText8", Msg::CapClassName, class_box);
  AddLine(context, grid, 1, "StaticText9", Msg::CapDescription, description);
  AddLine(context, grid, 2, "StaticText6", Msg::CapShadow, shadow);
  AddLine(context, grid, 3, "StaticText17", Msg::CapAlign, align)->hide();
  align->hide();
  grid->setColumnStretch(1, 1);
  return group;
}

// The frame of the .sd fields, shown while "Create sd-file" is checked.
QGroupBox* SdFields(PageContext& context, QWidget* parent) {
  core::Fields& fields = context.main.fields;
  Bindings& bind = context.bindings;
  auto* group = Make<QGroupBox>(parent, "GroupBox6");
  bind.Visible(group, fields.GroupBox6Visible);

  auto* detail = Make<QSpinBox>(group, "ESDDL");
  detail->setRange(0, std::numeric_limits<int>::max());
  // The spinner's arrows are drawn in the text colour, white on the page.
  QPalette arrows = detail->palette();
  arrows.setColor(QPalette::WindowText, Qt::black);
  detail->setPalette(arrows);
  bind.Number(detail, fields.ESDDL);
  QLineEdit* texture = Edit(context, group, "ESDAT", fields.ESDAT);
  auto* bounds_switch = Make<QCheckBox>(group, "AddESDB");
  FixedCaption(bounds_switch, "ESD Bounding Box");
  bind.Check(bounds_switch, fields.AddESDB,
             Runner(context, [&fields] { ops::AddESDBClick(fields); }));
  QLineEdit* bounds = Edit(context, group, "ESDBB", fields.ESDBB);
  bounds->setAccessibleName("ESD Bounding Box");
  bind.Visible(bounds, fields.ESDBBVisible);

  auto* grid = new QGridLayout(group);
  AddLine(grid, 0, FixedLabel(group, "LabelESDDL", "ESD Detail Level", detail), detail);
  AddLine(grid, 1, FixedLabel(group, "LabelESDAT", "ESD Alternative Texture", texture), texture);
  AddLine(grid, 2, bounds_switch, bounds);
  grid->setColumnStretch(1, 1);
  return group;
}

}  // namespace

QWidget* BuildAddingPage(PageContext& context) {
  core::ConvMain& main = context.main;
  core::Fields& fields = main.fields;
  ops::RouteState& routes = context.routes;
  auto [page, frame] = MakeFramedPage(context, "TabSheet4", "GroupBox4", Msg::CapAddingToRoute);

  QLineEdit* shape = PathEdit(context, frame, "AddShapeFile", fields.AddShapeFile);
  QLineEdit* textures = PathListEdit(context, frame, "AddTextures", fields.AddTextures);
  QComboBox* route = RouteBox(context, frame, "AddRoute", routes.AddRoute, routes.AddRouteIndex,
                              context.choose_route);
  QPushButton* shape_browse =
      BrowseButton(context, frame, "AddShapeBrowse", ops::AddShapeBrowseClick);
  QPushButton* textures_browse =
      BrowseButton(context, frame, "AddTexBrowse", ops::AddTexBrowseClick);

  QCheckBox* add_to_ref =
      Switch(context, frame, "AddAddToRef", Msg::CapAddToRef, fields.AddAddToRef,
             Runner(context, [&fields] { ops::AddAddToRefClick(fields); }));
  QCheckBox* create_sd = Switch(context, frame, "CrSD", Msg::CapCreateSd, fields.CrSD,
                                Runner(context, [&fields] { ops::CrSDClick(fields); }));

  QPushButton* add_shape = OperationButton(context, frame, "AddProc", Msg::CapAddShape,
                                           [&main, &routes] { ops::AddProcClick(main, routes); });
  QPushButton* add_textures =
      OperationButton(context, frame, "AddTexProc", Msg::CapAddTextures,
                      [&main, &routes] { ops::AddTexProcClick(main, routes); });

  auto* grid = new QGridLayout(frame);
  AddLine(context, grid, 0, "StaticText10", Msg::CapShapeFile, shape, shape_browse);
  AddLine(context, grid, 1, "StaticText11", Msg::CapTextureFile, textures, textures_browse);
  AddLine(context, grid, 2, "StaticText7", Msg::CapRoute, route);

  auto* groups = new QHBoxLayout;
  groups->addLayout(Column({add_to_ref, EntryFields(context, frame), kStretch}), 1);
  groups->addLayout(Column({create_sd, SdFields(context, frame), kStretch}), 1);
  grid->addLayout(groups, 3, 0, 1, 3);
  grid->setRowStretch(3, 1);
  grid->addLayout(Row({kStretch, add_shape, add_textures}), 4, 0, 1, 3);
  return page;
}

}  // namespace ui
