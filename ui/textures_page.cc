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
#include "ops/ace_export.h"
#include "ui/pages.h"
#include "ui/texture_viewer.h"

namespace ui {

using core::Msg;

namespace {

// A picture of the file a field names, its size or why there is none under
// it, and the caption naming it; a double click shows a texture in the
// viewer. It follows the field and the file: a conversion that replaced the
// texture shows the new one.
class Preview : public QLabel {
 public:
  Preview(PageContext& context, QWidget* parent, const char* name, const std::string& field)
      : QLabel(parent), context_(context), field_(field) {
    setObjectName(name);
    setAlignment(Qt::AlignCenter);
    setFixedSize(context.thumbnails.side() + 4, context.thumbnails.side() + 4);
    setFrameShape(QFrame::Box);
    note_ = Make<QLabel>(parent, (std::string(name) + "Note").c_str());
    note_->setAlignment(Qt::AlignCenter);
    note_->setWordWrap(true);
    context.bindings.Custom([this] { Update(); });
    connect(&context.thumbnails, &ThumbnailCache::Ready, this, [this](const QString& path) {
      if (path == Q(field_)) Update();
    });
  }
  QLabel* note() const { return note_; }

  void Update() {
    const core::Language& language = context_.main.language;
    QString note;
    clear();
    if (!field_.empty() && context_.main.files.FileExists(field_)) {
      if (const Picture* picture = context_.thumbnails.Find(field_); !picture) {
        note = "...";
      } else if (picture->image.isNull()) {
        note =
            Q(picture->unreadable ? language[Msg::StripUnreadable]
                                  : ops::AceFaultText(language, picture->fault, picture->header));
      } else {
        setPixmap(OnCheckerboard(picture->image, picture->image.size()));
        note = QString::number(picture->size.width()) + QString::fromUtf8("×") +
               QString::number(picture->size.height());
      }
    }
    note_->setText(note);
    setToolTip(note);
  }

 protected:
  void mouseDoubleClickEvent(QMouseEvent*) override {
    if (field_.empty() || !context_.main.files.FileExists(field_)) return;
    const Picture* picture = context_.thumbnails.Find(field_);
    if (picture && picture->header.width != 0) {
      TextureViewer(context_.main.files, context_.main.language, field_, window()).exec();
    }
  }

 private:
  PageContext& context_;
  const std::string& field_;
  QLabel* note_;
};

}  // namespace

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

  auto* source_preview = new Preview(context, frame, "TexSourcePreview", fields.TexSource);
  auto* output_preview = new Preview(context, frame, "TexOutputPreview", fields.TexOutput);
  QObject::connect(source, &QLineEdit::editingFinished, source_preview, &Preview::Update);
  QObject::connect(output, &QLineEdit::editingFinished, output_preview, &Preview::Update);
  auto* previews = new QGridLayout;
  const std::pair<Preview*, Msg> shown[] = {{source_preview, Msg::CapSourcePreview},
                                            {output_preview, Msg::CapOutputPreview}};
  for (int column = 0; column < 2; ++column) {
    auto [preview, caption] = shown[column];
    QLabel* label = CaptionLabel(
        context, column ? "TexOutputPreviewLabel" : "TexSourcePreviewLabel", caption, preview);
    label->setAlignment(Qt::AlignCenter);
    previews->addWidget(label, 0, column, Qt::AlignCenter);
    previews->addWidget(preview, 1, column, Qt::AlignCenter);
    previews->addWidget(preview->note(), 2, column, Qt::AlignCenter);
  }

  auto* grid = new QGridLayout(frame);
  AddLine(context, grid, 0, "StaticText1", Msg::CapSourceFile, source, browse);
  AddLine(context, grid, 1, "StaticText2", Msg::CapOutputFile, output, out);
  auto* options = new QHBoxLayout;
  options->addLayout(Column({trans, cab, size}));
  options->addSpacing(24);
  options->addLayout(Column({none, zlib, dxt}));
  options->addStretch();
  options->addLayout(previews);
  grid->addLayout(options, 2, 0, 1, 3);
  grid->setRowStretch(3, 1);
  grid->addWidget(run, 4, 2);
  return page;
}

}  // namespace ui
