// "Shapes": 3DS models into one shape file, and the source folder.
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "convert/shape_conversion.h"
#include "convert/shape_dir.h"
#include "ui/pages.h"

namespace ui {

using core::Msg;

QWidget* BuildShapesPage(PageContext& context) {
  core::ConvMain& main = context.main;
  core::Fields& fields = main.fields;
  Bindings& bind = context.bindings;
  Captions& captions = context.captions;

  auto* page = Make<QWidget>(nullptr, "TabSheet2");
  auto* frame = Make<QGroupBox>(page, "GroupBox2");
  captions.Group(frame, Msg::CapShapesConversion);
  (new QVBoxLayout(page))->addWidget(frame);
  auto* grid = new QGridLayout(frame);

  struct FileRow {
    const char* label;
    Msg caption;
    const char* edit;
    std::string& field;
    const char* button;
    void (*browse)(core::ConvMain&);
    bool hinted;
    bool path;
  };
  const FileRow rows[] = {
      {"StaticText14", Msg::CapSourceDir, "ShapeDir", fields.ShapeDir, "ShDir",
       convert::ShDirClick, true, true},
      {"StaticText4", Msg::CapSource3ds, "ShInput", fields.ShInput, "ShIBrowse",
       convert::ShIBrowseClick, false, false},
      {"StaticText5", Msg::CapOutputFile, "ShOutput", fields.ShOutput, "ShBrowse",
       convert::ShBrowseClick, false, true},
  };
  int row_number = 0;
  for (const FileRow& row : rows) {
    auto* edit = Make<QLineEdit>(frame, row.edit);
    auto* label = Make<QLabel>(frame, row.label);
    captions.Label(label, row.caption, edit);
    if (row.path) {
      bind.Path(edit, row.field, FromUserPath(context));
    } else {
      bind.Text(edit, row.field);
    }
    QPushButton* button = OperationButton(context, frame, row.button,
                                          [&main, browse = row.browse] { browse(main); });
    captions.Button(button, Msg::CapBrowse);
    grid->addWidget(label, row_number, 0);
    grid->addWidget(edit, row_number, 1);
    grid->addWidget(button, row_number, 2);
    if (row.hinted) captions.Hint(edit, Msg::HintShapeDir);
    ++row_number;
  }

  auto* unicode = Make<QCheckBox>(frame, "ShUnicode");
  auto* compress = Make<QCheckBox>(frame, "ShCompress");
  auto* mipmap = Make<QCheckBox>(frame, "ShMipMap");
  auto* bias = Make<QLineEdit>(frame, "ShMipMapV");
  auto* check = Make<QCheckBox>(frame, "ShCheckTex");
  captions.Button(unicode, Msg::CapConvertUnicode);
  captions.Button(compress, Msg::CapConvertBinary);
  captions.Button(mipmap, Msg::CapMipmapping);
  captions.Name(bias, Msg::CapMipmapping);
  captions.Button(check, Msg::CapCheckTextures);
  captions.Hint(check, Msg::HintCheckTextures);
  bind.Check(unicode, fields.ShUnicode, [&context, &main] {
    context.run([&main] { convert::ShUnicodeClick(main); });
  });
  bind.Check(compress, fields.ShCompress);
  bind.Enabled(compress, fields.ShCompressEnabled);
  bind.Check(mipmap, fields.ShMipMap, [&context, &main] {
    context.run([&main] { convert::ShMipMapClick(main); });
  });
  bind.Text(bias, fields.ShMipMapV);
  bind.Visible(bias, fields.ShMipMapVVisible);
  bias->setFixedWidth(48);
  bind.Check(check, fields.ShCheckTex);

  auto* switches = new QGridLayout;
  switches->addWidget(unicode, 0, 0);
  switches->addWidget(compress, 0, 1);
  auto* mipmap_row = new QHBoxLayout;
  mipmap_row->addWidget(mipmap);
  mipmap_row->addWidget(bias);
  mipmap_row->addStretch();
  switches->addLayout(mipmap_row, 1, 0);
  switches->addWidget(check, 1, 1);
  switches->setColumnStretch(2, 1);
  grid->addLayout(switches, row_number++, 0, 1, 3);
  grid->setRowStretch(row_number++, 1);

  QPushButton* run =
      OperationButton(context, frame, "ShProc", [&main] { convert::ShProcClick(main); });
  captions.Button(run, Msg::CapRun);
  grid->addWidget(run, row_number, 2);
  return page;
}

}  // namespace ui
