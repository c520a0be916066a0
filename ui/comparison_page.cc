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
  auto* page = Make<QWidget>(nullptr, "TabSheet5");
  QLabel* title = PageTitle(context, page, "StaticText12", Msg::CapStandardRoutes);
  title->setAlignment(Qt::AlignHCenter);

  QComboBox* route = RouteBox(context, page, "CrRoute", routes.CrRoute, routes.CrRouteIndex,
                              [&routes](int index) { routes.CrRouteIndex = index; });
  auto* route_row = new QHBoxLayout;
  route_row->addWidget(CaptionLabel(context, "StaticText22", Msg::CapRoute, route));
  route_row->addWidget(route, 1);

  auto* compare_label = Make<QLabel>(page, "StaticText13");
  context.captions.Label(compare_label, Msg::CapRoutesToCompare);
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
    context.bindings.Check(box, standard.field);
    standard_grid->addWidget(box, number / 2, number % 2);
    ++number;
  }

  QCheckBox* shapes = Switch(context, page, "CrSh", Msg::CapCheckShapes, fields.CrSh);
  QCheckBox* textures = Switch(context, page, "CrTex", Msg::CapCheckTexturesCmp, fields.CrTex);

  using Output = core::ComparisonOutput;
  auto select = [&fields](Output output, bool selected) {
    if (selected) fields.CrOutput = output;
  };
  QRadioButton* batch =
      Option(context, page, "CrOptBat", Msg::CapCreateBat, fields.CrOutput, Output::kBatch, select);
  QRadioButton* common = Option(context, page, "CrOptList", Msg::CapListCommon, fields.CrOutput,
                                Output::kCommon, select);
  QRadioButton* unique = Option(context, page, "CrOptUn", Msg::CapListUnique, fields.CrOutput,
                                Output::kUnique, select);

  QPushButton* create = RouteButton(context, page, "CrProc", context.operations.CrProcClick);
  FixedCaption(create, "Create");

  auto* output = Make<QPlainTextEdit>(page, "CrOut");
  output->setLineWrapMode(QPlainTextEdit::NoWrap);
  output->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  output->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  context.captions.Name(output, Msg::CapComparisonResult);
  context.bindings.Lines(output, fields.CrOut);

  auto* controls = new QVBoxLayout;
  controls->addLayout(route_row);
  controls->addWidget(compare_label);
  controls->addLayout(standard_grid);
  controls->addLayout(Row({shapes, textures}));
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
