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
  Captions& captions = context.captions;
  auto* group = Make<QGroupBox>(parent, "GroupBox5");
  bind.Visible(group, fields.GroupBox5Visible);

  auto* class_box = Make<QComboBox>(group, "AddClass");
  class_box->setEditable(true);
  class_box->setInsertPolicy(QComboBox::NoInsert);
  bind.Items(class_box, context.routes.AddClassItems);
  bind.Text(class_box, fields.AddClass);
  auto* description = Make<QLineEdit>(group, "AddDescription");
  bind.Text(description, fields.AddDescription);
  auto* shadow = Make<QComboBox>(group, "AddShadow");
  shadow->addItems({"DYNAMIC", "NONE", "RECT", "ROUND", "TREELINE"});
  bind.Choice(shadow, fields.AddShadow);
  auto* align = Make<QComboBox>(group, "AddAlign");
  align->addItems({"DYNAMIC", "NONE", "RECT", "ROUND"});
  bind.Choice(align, fields.AddAlign);

  auto* class_label = Make<QLabel>(group, "StaticText8");
  auto* description_label = Make<QLabel>(group, "StaticText9");
  auto* shadow_label = Make<QLabel>(group, "StaticText6");
  auto* align_label = Make<QLabel>(group, "StaticText17");
  captions.Label(class_label, Msg::CapClassName, class_box);
  captions.Label(description_label, Msg::CapDescription, description);
  captions.Label(shadow_label, Msg::CapShadow, shadow);
  captions.Label(align_label, Msg::CapAlign, align);
  align->hide();
  align_label->hide();

  auto* grid = new QGridLayout(group);
  grid->addWidget(class_label, 0, 0);
  grid->addWidget(class_box, 0, 1);
  grid->addWidget(description_label, 1, 0);
  grid->addWidget(description, 1, 1);
  grid->addWidget(shadow_label, 2, 0);
  grid->addWidget(shadow, 2, 1);
  grid->addWidget(align_label, 3, 0);
  grid->addWidget(align, 3, 1);
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
  auto* texture = Make<QLineEdit>(group, "ESDAT");
  bind.Text(texture, fields.ESDAT);
  auto* bounds_switch = Make<QCheckBox>(group, "AddESDB");
  FixedCaption(bounds_switch, "ESD Bounding Box");
  bind.Check(bounds_switch, fields.AddESDB, [&context, &fields] {
    context.run([&fields] { ops::AddESDBClick(fields); });
  });
  auto* bounds = Make<QLineEdit>(group, "ESDBB");
  bounds->setAccessibleName("ESD Bounding Box");
  bind.Text(bounds, fields.ESDBB);
  bind.Visible(bounds, fields.ESDBBVisible);

  auto* grid = new QGridLayout(group);
  grid->addWidget(FixedLabel(group, "LabelESDDL", "ESD Detail Level", detail), 0, 0);
  grid->addWidget(detail, 0, 1);
  grid->addWidget(FixedLabel(group, "LabelESDAT", "ESD Alternative Texture", texture), 1, 0);
  grid->addWidget(texture, 1, 1);
  grid->addWidget(bounds_switch, 2, 0);
  grid->addWidget(bounds, 2, 1);
  grid->setColumnStretch(1, 1);
  return group;
}

}  // namespace

QWidget* BuildAddingPage(PageContext& context) {
  core::ConvMain& main = context.main;
  core::Fields& fields = main.fields;
  ops::RouteState& routes = context.routes;
  Bindings& bind = context.bindings;
  Captions& captions = context.captions;

  auto* page = Make<QWidget>(nullptr, "TabSheet4");
  auto* frame = Make<QGroupBox>(page, "GroupBox4");
  captions.Group(frame, Msg::CapAddingToRoute);
  (new QVBoxLayout(page))->addWidget(frame);

  auto* shape = Make<QLineEdit>(frame, "AddShapeFile");
  auto* textures = Make<QLineEdit>(frame, "AddTextures");
  auto* route = Make<QComboBox>(frame, "AddRoute");
  route->setMaxVisibleItems(12);
  auto* shape_label = Make<QLabel>(frame, "StaticText10");
  auto* textures_label = Make<QLabel>(frame, "StaticText11");
  auto* route_label = Make<QLabel>(frame, "StaticText7");
  captions.Label(shape_label, Msg::CapShapeFile, shape);
  captions.Label(textures_label, Msg::CapTextureFile, textures);
  captions.Label(route_label, Msg::CapRoute, route);
  bind.Path(shape, fields.AddShapeFile, FromUserPath(context));
  bind.Path(textures, fields.AddTextures, FromUserPaths(context));
  bind.Items(route, routes.AddRoute, routes.AddRouteIndex, context.choose_route);
  QPushButton* shape_browse = OperationButton(context, frame, "AddShapeBrowse",
                                              [&main] { ops::AddShapeBrowseClick(main); });
  QPushButton* textures_browse = OperationButton(context, frame, "AddTexBrowse",
                                                 [&main] { ops::AddTexBrowseClick(main); });
  captions.Button(shape_browse, Msg::CapBrowse);
  captions.Button(textures_browse, Msg::CapBrowse);

  auto* add_to_ref = Make<QCheckBox>(frame, "AddAddToRef");
  auto* create_sd = Make<QCheckBox>(frame, "CrSD");
  captions.Button(add_to_ref, Msg::CapAddToRef);
  captions.Button(create_sd, Msg::CapCreateSd);
  bind.Check(add_to_ref, fields.AddAddToRef, [&context, &fields] {
    context.run([&fields] { ops::AddAddToRefClick(fields); });
  });
  bind.Check(create_sd, fields.CrSD, [&context, &fields] {
    context.run([&fields] { ops::CrSDClick(fields); });
  });

  QPushButton* add_shape = OperationButton(context, frame, "AddProc",
                                           [&main, &routes] { ops::AddProcClick(main, routes); });
  QPushButton* add_textures = OperationButton(
      context, frame, "AddTexProc", [&main, &routes] { ops::AddTexProcClick(main, routes); });
  captions.Button(add_shape, Msg::CapAddShape);
  captions.Button(add_textures, Msg::CapAddTextures);

  auto* grid = new QGridLayout(frame);
  grid->addWidget(shape_label, 0, 0);
  grid->addWidget(shape, 0, 1);
  grid->addWidget(shape_browse, 0, 2);
  grid->addWidget(textures_label, 1, 0);
  grid->addWidget(textures, 1, 1);
  grid->addWidget(textures_browse, 1, 2);
  grid->addWidget(route_label, 2, 0);
  grid->addWidget(route, 2, 1);

  auto* entry = new QVBoxLayout;
  entry->addWidget(add_to_ref);
  entry->addWidget(EntryFields(context, frame));
  entry->addStretch();
  auto* sd = new QVBoxLayout;
  sd->addWidget(create_sd);
  sd->addWidget(SdFields(context, frame));
  sd->addStretch();
  auto* groups = new QHBoxLayout;
  groups->addLayout(entry, 1);
  groups->addLayout(sd, 1);
  grid->addLayout(groups, 3, 0, 1, 3);
  grid->setRowStretch(3, 1);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(add_shape);
  buttons->addWidget(add_textures);
  grid->addLayout(buttons, 4, 0, 1, 3);
  return page;
}

}  // namespace ui
