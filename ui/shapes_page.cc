// "Shapes": 3DS models into one shape file, and the source folder.
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

#include "convert/shape_conversion.h"
#include "convert/shape_dir.h"
#include "ui/pages.h"

namespace ui {

using core::Msg;

QWidget* BuildShapesPage(PageContext& context) {
  core::Fields& fields = context.main.fields;
  auto [page, frame] = MakeFramedPage(context, "TabSheet2", "GroupBox2", Msg::CapShapesConversion);
  auto* grid = new QGridLayout(frame);

  QLineEdit* folder = PathEdit(context, frame, "ShapeDir", fields.ShapeDir);
  AddLine(context, grid, 0, "StaticText14", Msg::CapSourceDir, folder,
          BrowseButton(context, frame, "ShDir", convert::ShDirClick));
  context.captions.Hint(folder, Msg::HintShapeDir);
  QLineEdit* input = Edit(context, frame, "ShInput", fields.ShInput);
  AddLine(context, grid, 1, "StaticText4", Msg::CapSource3ds, input,
          BrowseButton(context, frame, "ShIBrowse", convert::ShIBrowseClick));
  QLineEdit* output = PathEdit(context, frame, "ShOutput", fields.ShOutput);
  AddLine(context, grid, 2, "StaticText5", Msg::CapOutputFile, output,
          BrowseButton(context, frame, "ShBrowse", convert::ShBrowseClick));

  QCheckBox* unicode = Switch(context, frame, "ShUnicode", Msg::CapConvertUnicode, fields.ShUnicode,
                              Runner(context, convert::ShUnicodeClick));
  QCheckBox* compress =
      Switch(context, frame, "ShCompress", Msg::CapConvertBinary, fields.ShCompress);
  context.bindings.Enabled(compress, fields.ShCompressEnabled);
  QCheckBox* mipmap = Switch(context, frame, "ShMipMap", Msg::CapMipmapping, fields.ShMipMap,
                             Runner(context, convert::ShMipMapClick));
  QLineEdit* bias = Edit(context, frame, "ShMipMapV", fields.ShMipMapV);
  context.captions.Name(bias, Msg::CapMipmapping);
  context.bindings.Visible(bias, fields.ShMipMapVVisible);
  bias->setFixedWidth(48);
  QCheckBox* check = Switch(context, frame, "ShCheckTex", Msg::CapCheckTextures, fields.ShCheckTex);
  context.captions.Hint(check, Msg::HintCheckTextures);

  auto* switches = new QGridLayout;
  switches->addWidget(unicode, 0, 0);
  switches->addWidget(compress, 0, 1);
  switches->addLayout(Row({mipmap, bias, kStretch}), 1, 0);
  switches->addWidget(check, 1, 1);
  switches->setColumnStretch(2, 1);
  grid->addLayout(switches, 3, 0, 1, 3);
  grid->setRowStretch(4, 1);

  grid->addWidget(OperationButton(context, frame, "ShProc", Msg::CapRun, convert::ShProcClick), 5,
                  2);
  return page;
}

}  // namespace ui
