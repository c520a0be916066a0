// "Textures": one image into an ACE texture.
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "convert/textures.h"
#include "ui/pages.h"

namespace ui {

using core::Msg;

QWidget* BuildTexturesPage(PageContext& context) {
  core::ConvMain& main = context.main;
  core::Fields& fields = main.fields;
  Bindings& bind = context.bindings;
  Captions& captions = context.captions;

  auto* page = Make<QWidget>(nullptr, "TabSheet1");
  auto* frame = Make<QGroupBox>(page, "GroupBox1");
  captions.Group(frame, Msg::CapTextureConversion);
  (new QVBoxLayout(page))->addWidget(frame);

  auto* source = Make<QLineEdit>(frame, "TexSource");
  auto* output = Make<QLineEdit>(frame, "TexOutput");
  auto* source_label = Make<QLabel>(frame, "StaticText1");
  auto* output_label = Make<QLabel>(frame, "StaticText2");
  captions.Label(source_label, Msg::CapSourceFile, source);
  captions.Label(output_label, Msg::CapOutputFile, output);
  bind.Path(source, fields.TexSource, FromUserPath(context));
  bind.Path(output, fields.TexOutput, FromUserPath(context));
  QPushButton* browse =
      OperationButton(context, frame, "TexBrowse", [&main] { convert::TexBrowseClick(main); });
  QPushButton* out =
      OperationButton(context, frame, "TexOut", [&main] { convert::TexOutClick(main); });
  captions.Button(browse, Msg::CapBrowse);
  captions.Button(out, Msg::CapBrowse);

  auto* trans = Make<QCheckBox>(frame, "TexTrans");
  auto* cab = Make<QCheckBox>(frame, "TexCab");
  captions.Button(trans, Msg::CapTransparency);
  captions.Button(cab, Msg::CapBitmap);
  captions.Hint(cab, Msg::HintBitmap);
  bind.Check(trans, fields.TexTrans);
  bind.Check(cab, fields.TexCab, [&context, &main] {
    context.run([&main] { convert::TexCabClick(main); });
  });

  auto* size = Make<QGroupBox>(frame, "GroupBox3");
  auto* width = Make<QLineEdit>(size, "TexWidth");
  auto* height = Make<QLineEdit>(size, "TexHeight");
  auto* width_label = Make<QLabel>(size, "StaticText15");
  auto* height_label = Make<QLabel>(size, "StaticText16");
  captions.Label(width_label, Msg::CapWidth, width);
  captions.Label(height_label, Msg::CapHeight, height);
  bind.Text(width, fields.TexWidth);
  bind.Text(height, fields.TexHeight);
  bind.Enabled(size, fields.GroupBox3Enabled);
  auto* size_layout = new QHBoxLayout(size);
  size_layout->addWidget(width_label);
  size_layout->addWidget(width);
  size_layout->addSpacing(12);
  size_layout->addWidget(height_label);
  size_layout->addWidget(height);

  auto* none = Make<QRadioButton>(frame, "TexNo");
  auto* zlib = Make<QRadioButton>(frame, "TexCompress");
  auto* dxt = Make<QRadioButton>(frame, "TexCmpDXT");
  captions.Button(none, Msg::CapNoCompression);
  captions.Button(zlib, Msg::CapZlib);
  captions.Button(dxt, Msg::CapDxt);
  auto select = [&fields](core::Compression button, bool selected) {
    fields.SelectCompression(button, selected);
  };
  bind.Radio<core::Compression>(none, fields.TexCompression, core::Compression::kNo, select);
  bind.Radio<core::Compression>(zlib, fields.TexCompression, core::Compression::kZlib, select);
  bind.Radio<core::Compression>(dxt, fields.TexCompression, core::Compression::kDxt, select);

  QPushButton* run =
      OperationButton(context, frame, "TexProc", [&main] { convert::TexProcClick(main); });
  captions.Button(run, Msg::CapRun);

  auto* grid = new QGridLayout(frame);
  grid->addWidget(source_label, 0, 0);
  grid->addWidget(source, 0, 1);
  grid->addWidget(browse, 0, 2);
  grid->addWidget(output_label, 1, 0);
  grid->addWidget(output, 1, 1);
  grid->addWidget(out, 1, 2);
  auto* switches = new QVBoxLayout;
  switches->addWidget(trans);
  switches->addWidget(cab);
  switches->addWidget(size);
  auto* compression = new QVBoxLayout;
  compression->addWidget(none);
  compression->addWidget(zlib);
  compression->addWidget(dxt);
  auto* options = new QHBoxLayout;
  options->addLayout(switches);
  options->addSpacing(24);
  options->addLayout(compression);
  options->addStretch();
  grid->addLayout(options, 2, 0, 1, 3);
  grid->setRowStretch(3, 1);
  grid->addWidget(run, 4, 2);
  return page;
}

}  // namespace ui
