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
  core::Fields& fields = context.main.fields;
  auto [page, frame] = MakeFramedPage(context, "TabSheet1", "GroupBox1", Msg::CapTextureConversion);

  QLineEdit* source = PathEdit(context, frame, "TexSource", fields.TexSource);
  QLineEdit* output = PathEdit(context, frame, "TexOutput", fields.TexOutput);
  QPushButton* browse = BrowseButton(context, frame, "TexBrowse", convert::TexBrowseClick);
  QPushButton* out = BrowseButton(context, frame, "TexOut", convert::TexOutClick);

  QCheckBox* trans = Switch(context, frame, "TexTrans", Msg::CapTransparency, fields.TexTrans);
  QCheckBox* cab = Switch(context, frame, "TexCab", Msg::CapBitmap, fields.TexCab,
                          Runner(context, convert::TexCabClick));
  context.captions.Hint(cab, Msg::HintBitmap);

  auto* size = Make<QGroupBox>(frame, "GroupBox3");
  QLineEdit* width = Edit(context, size, "TexWidth", fields.TexWidth);
  QLineEdit* height = Edit(context, size, "TexHeight", fields.TexHeight);
  context.bindings.Enabled(size, fields.GroupBox3Enabled);
  auto* size_layout = new QHBoxLayout(size);
  size_layout->addWidget(CaptionLabel(context, "StaticText15", Msg::CapWidth, width));
  size_layout->addWidget(width);
  size_layout->addSpacing(12);
  size_layout->addWidget(CaptionLabel(context, "StaticText16", Msg::CapHeight, height));
  size_layout->addWidget(height);

  auto select = [&fields](core::Compression button, bool selected) {
    fields.SelectCompression(button, selected);
  };
  QRadioButton* none = Option(context, frame, "TexNo", Msg::CapNoCompression, fields.TexCompression,
                              core::Compression::kNo, select);
  QRadioButton* zlib = Option(context, frame, "TexCompress", Msg::CapZlib, fields.TexCompression,
                              core::Compression::kZlib, select);
  QRadioButton* dxt = Option(context, frame, "TexCmpDXT", Msg::CapDxt, fields.TexCompression,
                             core::Compression::kDxt, select);

  QPushButton* run = OperationButton(context, frame, "TexProc", Msg::CapRun, convert::TexProcClick);

  auto* grid = new QGridLayout(frame);
  AddLine(context, grid, 0, "StaticText1", Msg::CapSourceFile, source, browse);
  AddLine(context, grid, 1, "StaticText2", Msg::CapOutputFile, output, out);
  auto* options = new QHBoxLayout;
  options->addLayout(Column({trans, cab, size}));
  options->addSpacing(24);
  options->addLayout(Column({none, zlib, dxt}));
  options->addStretch();
  grid->addLayout(options, 2, 0, 1, 3);
  grid->setRowStretch(3, 1);
  grid->addWidget(run, 4, 2);
  return page;
}

}  // namespace ui
