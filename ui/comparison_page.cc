// "Shapes/Textures": a route's shapes and textures against the standard
// routes.
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/pages.h"

namespace ui {

using core::Msg;

QWidget* BuildComparisonPage(PageContext& context) {
  core::Fields& fields = context.main.fields;
  ops::RouteState& routes = context.routes;
  Bindings& bind = context.bindings;
  Captions& captions = context.captions;

  auto* page = Make<QWidget>(nullptr, "TabSheet5");
  auto* title = Make<QLabel>(page, "StaticText12");
  captions.Label(title, Msg::CapStandardRoutes);
  title->setAlignment(Qt::AlignHCenter);
  QFont bold = title->font();
  bold.setBold(true);
  title->setFont(bold);

  auto* route = Make<QComboBox>(page, "CrRoute");
  route->setMaxVisibleItems(12);
  auto* route_label = Make<QLabel>(page, "StaticText22");
  captions.Label(route_label, Msg::CapRoute, route);
  bind.Items(route, routes.CrRoute, routes.CrRouteIndex,
             [&routes](int index) { routes.CrRouteIndex = index; });

  auto* compare_label = Make<QLabel>(page, "StaticText13");
  captions.Label(compare_label, Msg::CapRoutesToCompare);
  struct Standard {
    const char* name;
    const char* caption;
    bool& field;
  };
  const Standard standards[] = {
      {"CrEur1", "Settle - Carlisle", fields.CrEur1}, {"CrEur2", "Innsbruck - St.Anton", fields.CrEur2},
      {"CrUS1", "NEC", fields.CrUS1},                 {"CrUS2", "Mariass Pass", fields.CrUS2},
      {"CrJP1", "Tokio - Hakone", fields.CrJP1},      {"CrJP2", "Hisatsu line", fields.CrJP2},
  };
  auto* standard_grid = new QGridLayout;
  int number = 0;
  for (const Standard& standard : standards) {
    auto* box = Make<QCheckBox>(page, standard.name);
    FixedCaption(box, QString::fromLatin1(standard.caption));
    bind.Check(box, standard.field);
    standard_grid->addWidget(box, number / 2, number % 2);
    ++number;
  }

  auto* shapes = Make<QCheckBox>(page, "CrSh");
  auto* textures = Make<QCheckBox>(page, "CrTex");
  captions.Button(shapes, Msg::CapCheckShapes);
  captions.Button(textures, Msg::CapCheckTexturesCmp);
  bind.Check(shapes, fields.CrSh);
  bind.Check(textures, fields.CrTex);

  auto select = [&fields](core::ComparisonOutput output, bool selected) {
    if (selected) fields.CrOutput = output;
  };
  auto* batch = Make<QRadioButton>(page, "CrOptBat");
  auto* common = Make<QRadioButton>(page, "CrOptList");
  auto* unique = Make<QRadioButton>(page, "CrOptUn");
  captions.Button(batch, Msg::CapCreateBat);
  captions.Button(common, Msg::CapListCommon);
  captions.Button(unique, Msg::CapListUnique);
  using Output = core::ComparisonOutput;
  bind.Radio<Output>(batch, fields.CrOutput, Output::kBatch, select);
  bind.Radio<Output>(common, fields.CrOutput, Output::kCommon, select);
  bind.Radio<Output>(unique, fields.CrOutput, Output::kUnique, select);

  QPushButton* create = RouteButton(context, page, "CrProc", context.operations.CrProcClick);
  FixedCaption(create, "Create");

  auto* output = Make<QPlainTextEdit>(page, "CrOut");
  output->setLineWrapMode(QPlainTextEdit::NoWrap);
  output->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  output->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  captions.Name(output, Msg::CapComparisonResult);
  bind.Lines(output, fields.CrOut);

  auto* controls = new QVBoxLayout;
  auto* route_row = new QHBoxLayout;
  route_row->addWidget(route_label);
  route_row->addWidget(route, 1);
  controls->addLayout(route_row);
  controls->addWidget(compare_label);
  controls->addLayout(standard_grid);
  auto* checks = new QHBoxLayout;
  checks->addWidget(shapes);
  checks->addWidget(textures);
  controls->addLayout(checks);
  controls->addWidget(batch);
  controls->addWidget(common);
  controls->addWidget(unique);
  controls->addStretch();
  controls->addWidget(create, 0, Qt::AlignLeft);

  auto* body = new QHBoxLayout;
  body->addLayout(controls);
  body->addWidget(output, 1);
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(title);
  layout->addLayout(body, 1);
  return page;
}

}  // namespace ui
