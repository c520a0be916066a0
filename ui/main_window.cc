#include "ui/main_window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QLayout>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProxyStyle>
#include <QScreen>
#include <QShortcut>
#include <QTabBar>
#include <QTabWidget>
#include <chrono>

#include "convert/shape_dir.h"
#include "convert/textures.h"
#include "ui/appearance.h"
#include "ui/icons.h"

namespace ui {
namespace {

using core::Msg;

constexpr int kClientWidth = 623;
constexpr int kClientHeight = 488;
// The log gave 40 pixels to the pages, for the textures of the Clearing
// page.
constexpr int kPagesHeight = 393;
constexpr int kLogHeight = 89;
// Thumbnails of textures, as the strips show them.
constexpr int kThumbnail = 64;
// Work long enough for the user to have clicked or typed meanwhile.
constexpr auto kLongWork = std::chrono::milliseconds(300);

// Tabs with less room beside their captions, so that the six of them fit
// the window's width in either language.
class CompactTabs : public QProxyStyle {
 public:
  int pixelMetric(PixelMetric metric, const QStyleOption* option,
                  const QWidget* widget) const override {
    if (metric == PM_TabBarTabHSpace) return 10;
    return QProxyStyle::pixelMetric(metric, option, widget);
  }
};

// The check boxes and radio buttons whose captions are light green.
constexpr const char* kSwitches[] = {"TexTrans", "TexCab",    "TexNo",       "TexCompress",
                                     "TexCmpDXT", "ShUnicode", "ShCompress", "AddAddToRef",
                                     "CrSD",      "ShMipMap",  "AddESDB",    "ShCheckTex"};

bool IsInput(const QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
      return true;
    default:
      return false;
  }
}

}  // namespace

TConvMainForm::TConvMainForm(core::ConvMain& main, ops::RouteState& routes,
                             RouteOperations operations)
    : main_(main),
      routes_(routes),
      operations_(std::move(operations)),
      thumbnails_(main.files, kThumbnail),
      context_{main,
               routes,
               operations_,
               bindings_,
               captions_,
               [this](const std::function<void()>& operation) { Run(operation); },
               [this](int index) { ChooseRoute(index); },
               thumbnails_} {
  setObjectName("ConvMainForm");
  setWindowTitle("Rastolin - v1.2b");
  setWindowIcon(ProgramIcon());
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);

  auto* client = new QWidget(this);
  client->setFixedSize(kClientWidth, kClientHeight);
  setCentralWidget(client);
  pages_ = Make<QTabWidget>(client, "PageControl1");
  pages_->setGeometry(0, 0, kClientWidth, kPagesHeight);
  pages_->setIconSize(QSize(16, 16));
  using Builder = QWidget* (*)(PageContext&);
  struct PageTab {
    Builder build;
    ops::Page page;
    Msg caption;
  };
  const PageTab tabs[] = {
      {BuildTexturesPage, ops::Page::kTextures, Msg::CapTextures},
      {BuildShapesPage, ops::Page::kShapes, Msg::CapShapes},
      {BuildAddingPage, ops::Page::kAdding, Msg::CapAddingPage},
      {BuildClearingPage, ops::Page::kClearing, Msg::CapClearing},
      {BuildComparisonPage, ops::Page::kComparison, Msg::CapShapesTextures},
      {BuildSettingsPage, ops::Page::kSettings, Msg::CapSettings},
  };
  for (const PageTab& tab : tabs) {
    QWidget* page = tab.build(context_);
    page->setAutoFillBackground(true);
    pages_->addTab(page, PageIcon(tab.page), QString());
    captions_.Tab(pages_, page, tab.caption);
  }
  connect(pages_, &QTabWidget::currentChanged, this, [this](int index) { PageControl1Change(index); });

  console_ = Make<QPlainTextEdit>(client, "Console");
  console_->setGeometry(0, kClientHeight - kLogHeight, kClientWidth, kLogHeight);
  console_->setReadOnly(true);
  console_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  QPalette log_palette = console_->palette();
  log_palette.setColor(QPalette::Base, kLogColour);
  log_palette.setColor(QPalette::Text, Qt::black);
  console_->setPalette(log_palette);
  captions_.Name(console_, Msg::CapLog);
  for (const std::string& line : main_.log.lines()) {
    console_->appendPlainText(QString::fromStdString(line));
  }
  main_.log.Observe([console = QPointer<QPlainTextEdit>(console_)](const std::string& line) {
    if (console) console->appendPlainText(QString::fromStdString(line));
  });

  BuildMenus();
  BuildPageKeys();
  // The tabs and the menu keep the system's look; the pages take the colour.
  KeepSystemColours(pages_->tabBar());
  auto* compact = new CompactTabs;
  compact->setParent(pages_->tabBar());
  pages_->tabBar()->setStyle(compact);
  KeepSystemColours(menuBar());
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  about_ = new TAboutBox(this);
  qApp->installEventFilter(this);

  ShowFields();
  FormCreate();
}

void TConvMainForm::BuildMenus() {
  QMenu* program = menuBar()->addMenu("this");
  program->setObjectName("This1");
  program->menuAction()->setObjectName("This1");
  QMenu* language = program->addMenu("Language");
  language->setObjectName("Language1");
  language->menuAction()->setObjectName("Language1");
  const std::pair<const char*, int> languages[] = {{"Russian", core::kRussian},
                                                   {"English", core::kEnglish}};
  for (const auto& [caption, number] : languages) {
    QAction* action = language->addAction(caption);
    action->setObjectName(QString(caption) + "1");
    connect(action, &QAction::triggered, this, [this, number = number] { Russian1Click(number); });
  }
  QMenu* batch = program->addMenu(QString());
  batch->setObjectName("Batch1");
  batch->menuAction()->setObjectName("Batch1");
  captions_.Action(batch->menuAction(), Msg::CapConvertDir);
  QAction* shapes = batch->addAction(QString());
  shapes->setObjectName("BtObj1");
  captions_.Action(shapes, Msg::CapWithShapes);
  connect(shapes, &QAction::triggered, this, [this] {
    Run([this] { convert::Convert1Click(main_); });
  });
  QAction* textures = batch->addAction(QString());
  textures->setObjectName("BtTex1");
  captions_.Action(textures, Msg::CapWithTextures);
  connect(textures, &QAction::triggered, this, [this] {
    Run([this] { convert::BtTex1Click(main_); });
  });
  QAction* exit = program->addAction(QString());
  exit->setObjectName("Exit1");
  captions_.Action(exit, Msg::CapExit);
  // Every setting is already stored, so the program may end at once.
  connect(exit, &QAction::triggered, this, [] { QCoreApplication::exit(0); });

  QMenu* help = menuBar()->addMenu("?");
  help->setObjectName("Help1");
  help->menuAction()->setObjectName("Help1");
  QAction* about = help->addAction("About..");
  about->setObjectName("About1");
  connect(about, &QAction::triggered, this, [this] { About1Click(); });
}

void TConvMainForm::BuildPageKeys() {
  const std::pair<QKeySequence, int> keys[] = {
      {QKeySequence(Qt::CTRL | Qt::Key_Tab), 1},
      {QKeySequence(Qt::CTRL | Qt::Key_PageDown), 1},
      {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), -1},
      {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), -1},
      {QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1},
  };
  for (const auto& [key, step] : keys) {
    // Taken before the focused control sees the key: a route box would
    // keep Ctrl+Tab, and turn Ctrl+PageDown into another route.
    auto* shortcut = new QShortcut(key, this);
    shortcut->setContext(Qt::WindowShortcut);
    connect(shortcut, &QShortcut::activated, this, [this, step = step] {
      const int count = pages_->count();
      pages_->setCurrentIndex((pages_->currentIndex() + step + count) % count);
    });
  }
}

void TConvMainForm::FormCreate() {
  TakeWorkingColour(this);
  for (const char* name : kSwitches) {
    if (auto* button = findChild<QAbstractButton*>(name)) TakeSwitchColour(button);
  }
  captions_.Apply(main_.language);
  UseQtTexts();
  if (main_.fields.PathUtils.empty()) {
    const QSignalBlocker blocker(pages_);
    pages_->setCurrentIndex(static_cast<int>(ops::Page::kSettings));
  }
}

void TConvMainForm::Russian1Click(int number) {
  Run([this, number] {
    main_.language.SetTexts(number);
    // The captions change even when the choice cannot be stored.
    FormCreate();
    main_.settings.WriteInteger("INF", "LANGUAGE", number);
  });
}

void TConvMainForm::PageControl1Change(int index) {
  Run([this, index] {
    const ops::Page shown = ops::ListRoutes(main_, routes_, static_cast<ops::Page>(index));
    if (static_cast<int>(shown) != index) {
      const QSignalBlocker blocker(pages_);
      pages_->setCurrentIndex(static_cast<int>(shown));
    }
  });
}

void TConvMainForm::About1Click() { about_->exec(); }

void TConvMainForm::ChooseRoute(int index) {
  Run([this, index] { ops::AddRouteChange(main_, routes_, index); });
}

void TConvMainForm::Run(const std::function<void()>& operation) {
  if (busy_) return;
  busy_ = true;
  const auto started = std::chrono::steady_clock::now();
  try {
    operation();
  } catch (const std::exception& failure) {
    main_.ui.ReportError(failure.what());
  }
  ShowFields();
  // Input given during long work is dropped here, not acted on after it.
  if (std::chrono::steady_clock::now() - started > kLongWork) QCoreApplication::processEvents();
  busy_ = false;
}

void TConvMainForm::ShowFields() { bindings_.Show(); }

void TConvMainForm::UseQtTexts() {
  QCoreApplication::removeTranslator(&qt_texts_);
  if (main_.language.number() != core::kRussian) return;
  // Built into the program (ui/CMakeLists.txt).
  if (qt_texts_.load("qtbase_ru", ":/translations")) {
    QCoreApplication::installTranslator(&qt_texts_);
  }
}

void TConvMainForm::CenterOnScreen() {
  QRect frame = frameGeometry();
  frame.moveCenter(screen()->availableGeometry().center());
  move(frame.topLeft());
}

void TConvMainForm::closeEvent(QCloseEvent* event) {
  // An operation still works on the route.
  if (busy_) {
    event->ignore();
    return;
  }
  routes_.CurrentRoute.reset();
  event->accept();
}

bool TConvMainForm::eventFilter(QObject* watched, QEvent* event) {
  if (busy_ && IsInput(event) && watched->isWidgetType() &&
      static_cast<QWidget*>(watched)->window() == this) {
    return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace ui
