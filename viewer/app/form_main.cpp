#include "viewer/app/form_main.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>
#include <utility>

#include "common/window_fit_ui.h"
#include "platform/image_surface.h"
#include "platform/printer.h"
#include "viewer/app/artwork.h"
#include "viewer/app/controls.h"
#include "viewer/app/engine_bridge.h"
#include "viewer/app/splash.h"
#include "viewer/app/viewer_state.h"

namespace stagora::viewer {
namespace {

// The window as designed, in pixels.
constexpr int kWindowWidth = 1112;
constexpr int kWindowHeight = 735;
constexpr int kToolbarHeight = 55;
constexpr int kPageBarHeight = 25;
constexpr int kScrollStripWidth = 20;
constexpr int kPageWidth = 796;
constexpr int kPageHeight = 1125;
constexpr int kPageLeft = 8;
constexpr int kPageTopGap = 5;
constexpr int kHScrollLeftBeforeLayout = 148;
constexpr int kLayoutTimerMs = 1;
constexpr int kFirstLayoutTimerMs = 2;
const plat::Color kGround = plat::Rgb(128, 128, 128);
const plat::Color kShadow = plat::Rgb(64, 64, 64);
const plat::Color kStripColor = plat::Rgb(212, 208, 200);

QPointer<FormMain>& Instance() {
  static QPointer<FormMain> instance;
  return instance;
}

}  // namespace

FormMain::FormMain(QWidget* parent) : QMainWindow(parent) {
  // The first window made is the program's one main window.
  if (!Instance()) Instance() = this;
  InitEngine(state_);
  setObjectName("FormMain");
  setWindowTitle(kWindowCaption);
  setWindowIcon(WindowIcon());
  CreateControls();
  CreateMenus();
  ConnectZoomCommands();
  ConnectMarking();
  ConnectToolbar();
  Timer1 = new QTimer(this);
  Timer1->setObjectName("Timer1");
  Timer1->setInterval(kLayoutTimerMs);
  connect(Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });
  Timer4 = new QTimer(this);
  Timer4->setObjectName("Timer4");
  Timer4->setInterval(kFirstLayoutTimerMs);
  connect(Timer4, &QTimer::timeout, this, [this] { Timer4_Timer(); });
  // Commands that waited run from the event loop, never inside the work that just ended.
  idleRun_ = new QTimer(this);
  idleRun_->setSingleShot(true);
  idleRun_->setInterval(0);
  connect(idleRun_, &QTimer::timeout, this, [this] { RunWaitingCommand(); });
}

FormMain::~FormMain() {
  if (Instance() != this) return;
  DiscardSplash();
  Instance() = nullptr;
}

void FormMain::CreateControls() {
  Client = new Strip(this, "Client", kGround);
  setCentralWidget(Client);
  static_cast<Strip*>(Client)->onResize = [this] {
    DockStrips();
    if (loaded_) Form_Resize();
  };

  ShapeShadow = new ShapeControl(Client, "ShapeShadow", true, kShadow, false, 0);
  Picture1 = new PagePicture(Client, "Picture1");

  tbToolbar1 = new Strip(Client, "tbToolbar1", kStripColor);
  ImgBack = new ImageControl(tbToolbar1, "ImgBack");
  ImgBack->setStretch(true);
  ImgBack->setPicture(ToolbarBackground());
  ImgBack->setAttribute(Qt::WA_TransparentForMouseEvents);
  Line1 = new LineControl(tbToolbar1, "Line1", kGround);
  for (int i = 0; i < kToolButtons; ++i) {
    const std::string n = std::to_string(i);
    PicToolB[i] = new ImageControl(tbToolbar1, ("PicToolB_" + n).c_str());
    PicToolB[i]->setStretch(true);
    PicToolB[i]->setPicture(ToolButtonFace(i, false));
    PicToolB[i]->resize(60, 53);
    LblBut[i] = new QLabel(PicToolB[i]);
    LblBut[i]->setObjectName(("LblBut_" + n).c_str());
    LblBut[i]->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    LblBut[i]->setTextFormat(Qt::PlainText);
    LblBut[i]->setGeometry(0, 39, 60, 15);
    LblBut[i]->setAttribute(Qt::WA_TransparentForMouseEvents);
    PicToolB[i]->hide();
  }

  Picture2 = new Strip(Client, "Picture2", kStripColor);
  ImgLPage = new ImageControl(Picture2, "ImgLPage");
  ImgLPage->setStretch(true);
  ImgLPage->setPicture(PageButtonFace(true, false));
  ImgRPage = new ImageControl(Picture2, "ImgRPage");
  ImgRPage->setStretch(true);
  ImgRPage->setPicture(PageButtonFace(false, false));
  Shape1[0] = new ShapeControl(Picture2, "Shape1_0", true, kStripColor, true, kGround);
  Shape1[1] = new ShapeControl(Picture2, "Shape1_1", true, kStripColor, true, kGround);
  Shape1[0]->setGeometry(119, 1, 22, 22);
  Shape1[1]->setGeometry(4, 1, 22, 22);
  Shape1[0]->lower();
  Shape1[1]->lower();
  ImgLPage->setGeometry(5, 2, 19, 20);
  ImgRPage->setGeometry(120, 2, 19, 20);
  LbPage = new QLabel(Picture2);
  LbPage->setObjectName("LbPage");
  LbPage->setTextFormat(Qt::PlainText);
  LbPage->setGeometry(26, 3, 92, 19);
  LbPage->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
  HScroll1 = new ScrollBarControl(Picture2, "HScroll1", Qt::Horizontal);
  HScroll1->widget()->setGeometry(kHScrollLeftBeforeLayout, 2, 100, 20);
  HScroll1->onChange = [this] { HScroll1_Change(); };

  Picture3 = new Strip(Client, "Picture3", kStripColor);
  Picture3->resize(kScrollStripWidth, 100);
  VScroll1 = new ScrollBarControl(Picture3, "VScroll1", Qt::Vertical);
  VScroll1->widget()->setGeometry(1, 0, 18, 100);
  VScroll1->onChange = [this] { VScroll1_Change(); };
  Picture3->onResize = [this] { VScroll1->widget()->resize(VScroll1->widget()->width(), Picture3->height()); };
  InstallDropTarget();
}

void FormMain::DockStrips() {
  const int w = Client->width();
  const int h = Client->height();
  tbToolbar1->setGeometry(0, 0, w, tbToolbar1->height());
  Picture2->setGeometry(0, h - Picture2->height(), w, Picture2->height());
  const int stripTop = tbToolbar1->height();
  Picture3->setGeometry(w - Picture3->width(), stripTop, Picture3->width(),
                        std::max(0, h - stripTop - Picture2->height()));
}

void FormMain::Form_Load() {
  // The window as designed.
  resize(kWindowWidth, kWindowHeight);
  LbPage->setFont(PageLabelFont());
  // Nothing is used until the load is done.
  setEnabled(false);
  // 100 %, the resolution-2 view, the page fitted to the width once shown.
  state_.Zoom = 1.0;
  state_.ViewMode = kViewResolution2;
  FitWidthPending = true;
  // Captions.
  LoadIdioma("ODK");
  SetLanguaje();
  // Without a document only Open and Help.
  ToolButtonVisible.fill(true);
  for (int i = 1; i <= 7; ++i) ToolButtonVisible[i] = false;
  // The caption without a document.
  setWindowTitle(kWindowCaption);
  // The toolbar's background, the page and the page buttons.
  ImgBack->setGeometry(0, 0, ScreenWidthPixels(), kToolbarHeight);
  Picture1->resize(kPageWidth, kPageHeight);
  ImgLPage->move(5, 2);
  ImgRPage->move(120, 2);
  Shape1[0]->move(119, 1);
  Shape1[1]->move(4, 1);
  // The window state a resize compares with.
  LastWindowState = windowState();
  // No view, print or save without a document.
  mnu_Ver->menuAction()->setVisible(false);
  mnu_File_Print->setEnabled(false);
  mnu_File_SaveAs->setEnabled(false);
  tbToolbar1->resize(tbToolbar1->width(), kToolbarHeight);
  // No document yet.
  state_.DocumentLoaded = false;
  // The scroll bars and strips around the page.
  VScroll1->widget()->setGeometry(1, 0, 18, VScroll1->widget()->height());
  HScroll1->widget()->move(kHScrollLeftBeforeLayout, HScroll1->widget()->y());
  Picture3->resize(kScrollStripWidth, Picture3->height());
  Picture2->resize(Picture2->width(), kPageBarHeight);
  DockStrips();
  Picture1->move(kPageLeft, tbToolbar1->height() + kPageTopGap);
  // No document path.
  state_.DocPath.clear();
  shownDocPath_.clear();
  // The decimal symbol and what else the settings keep.
  state_.Blocks.clear();
  LoadSettings();
  // The mouse wheel scrolls the page.
  WheelHook(this);
  // The tool buttons.
  ActualizarBotones();
  // The line under the toolbar.
  Line1->setLine(0, 54, ScreenWidthPixels(), 54);
  // Loaded: laid out for the first time.
  loaded_ = true;
  Form_Resize();
  // The PDF-file printer is always there, so the print button stays.
  if (plat::PrinterNames().empty()) PicToolB[2]->setEnabled(false);
  // No dropped documents waiting.
  PendingCount = 0;
  // An empty argument counts as given; ProcesaCommand finds nothing in it.
  if (!state_.CommandLineArguments.empty()) ProcesaCommand();
  // The window usable, and laid out once more when it is up.
  setEnabled(true);
  Timer4->start();
}

void FormMain::ShowAndActivate() {
  show();
  raise();
  activateWindow();
  // Without a window manager no activation arrives: the documents named on the command line
  // would never open.
  QTimer::singleShot(0, this, [this] {
    if (!activatedOnce_) Form_Activate();
  });
}

void FormMain::PrepareBehindSplash() {
  if (isVisible() || activatedOnce_) return;
  if (!loaded_) Form_Load();
  // The page is fitted to the width the window will have on this screen.
  FitWindowIntoScreen(this);
  if (FitWidthPending) {
    mnu_zoomANCHO_Click();
    widthFittedHidden_ = width();
  }
  OpenDRAGDROPFiles_Command();
  // The splash may have closed while the pages were found, showing the window at a width of
  // its own: the page is fitted to that now, its blocks staying on their pages.
  if (FitWidthPending && activatedOnce_) mnu_zoomANCHO_Click();
}

void FormMain::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() != QEvent::ActivationChange || !loaded_) return;
  if (isActiveWindow()) {
    Form_Activate();
  } else {
    Form_Deactivate();
  }
}

void FormMain::Form_Activate() {
  // A page fitted while the window was hidden is fitted again when the window came up at
  // another width (also while pages are being found: they are found at 100 % whatever the zoom).
  if (!activatedOnce_ && widthFittedHidden_ != 0 && width() != widthFittedHidden_) FitWidthPending = true;
  activatedOnce_ = true;
  if (FitWidthPending) mnu_zoomANCHO_Click();
  UnloadSplash();
  WheelHook(this);
  OpenDRAGDROPFiles_Command();
}

void FormMain::Form_Deactivate() { WheelUnhook(); }

void FormMain::Timer4_Timer() {
  Form_Resize();
  Timer4->stop();
}

void FormMain::mnu_File_Exit_Click() { close(); }

void FormMain::closeEvent(QCloseEvent* event) {
  // Closed while the window works: a reading or a pagination, which has the window under it,
  // ends first; a save or a print run is finished. The window closes once it is idle.
  if (!Ready(Command::Close, [this] { close(); })) {
    event->ignore();
    return;
  }
  Form_Unload();
  event->accept();
}

void FormMain::SetDocumentControlsEnabled(bool enabled) {
  tbToolbar1->setEnabled(enabled);
  // File > Exit stays: the window can be left while a document loads, as with the close box.
  for (QAction* a : mnu_File->actions()) {
    if (a != mnu_File_Exit) a->setEnabled(enabled);
  }
  // Save As and Print only with a document.
  mnu_File_SaveAs->setEnabled(enabled && state_.DocumentLoaded);
  mnu_File_Print->setEnabled(enabled && state_.DocumentLoaded);
  mnu_Ayuda->menuAction()->setEnabled(enabled);
  ImgLPage->setEnabled(enabled);
  ImgRPage->setEnabled(enabled);
}

FormMain& TheFormMain() {
  QPointer<FormMain>& instance = Instance();
  if (!instance) {
    instance = new FormMain;
    instance->setAttribute(Qt::WA_DeleteOnClose);
  }
  return *instance;
}

bool FormMainExists() { return !Instance().isNull(); }

// --- What the window is busy with ---------------------------------------------------------

namespace {

// The hourglass goes up or down as the window passes from `from` to `to`; a work and its
// end pass the same two ways back, so the pointer always comes back as it was.
void ChangePointer(Work from, Work to) {
  if (ShowsHourglass(from) == ShowsHourglass(to)) return;
  if (ShowsHourglass(to)) {
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QGuiApplication::restoreOverrideCursor();
  }
}

}  // namespace

FormMain::Working::Working(FormMain& form, Work kind)
    : form_(form), kind_(kind), before_(form.state_.Busy), outer_(form.work_) {
  // New blocks are paged: the pages being found of the blocks they replace are no longer
  // wanted.
  if (kind == Work::Paging) {
    for (Working* w = outer_; w; w = w->outer_) {
      if (w->kind_ == Work::Paging) w->stopped_ = true;
    }
  }
  form.work_ = this;
  form.state_.Busy = kind;
  ChangePointer(before_, kind);
}

FormMain::Working::~Working() {
  form_.work_ = outer_;
  form_.state_.Busy = before_;
  ChangePointer(kind_, before_);
  form_.RunWaitingWhenIdle();
}

bool FormMain::Paginating() const {
  for (const Working* w = work_; w; w = w->outer_) {
    if (w->kind_ == Work::Paging && !w->stopped_) return true;
  }
  return false;
}

bool FormMain::Ready(Command command, std::function<void()> later) {
  switch (WhileWorking(state_.Busy, command)) {
    case Answer::Run:
    case Answer::Replace:
      return true;
    case Answer::Stop:
      for (Working* w = work_; w; w = w->outer_) {
        if (w->kind_ == Work::Opening || w->kind_ == Work::Paging) w->stopped_ = true;
      }
      [[fallthrough]];
    case Answer::Wait:
      Waiting(command) = std::move(later);
      return false;
    case Answer::Refuse:
      return false;
  }
  return false;
}

void FormMain::RunWaitingCommand() {
  // Busy again before the timer came: the work that ends next starts it again.
  if (work_) return;
  // A close waiting leaves nothing else to do.
  auto& close = Waiting(Command::Close);
  if (close) {
    const std::function<void()> run = std::exchange(close, nullptr);
    for (auto& c : waiting_) c = nullptr;
    run();
    return;
  }
  for (auto& c : waiting_) {
    if (!c) continue;
    const std::function<void()> run = std::exchange(c, nullptr);
    run();
    break;
  }
  // The others one at a time, each once the one before has left the window idle.
  RunWaitingWhenIdle();
}

void FormMain::RunWaitingWhenIdle() {
  if (!work_ && std::any_of(waiting_.begin(), waiting_.end(), [](const auto& c) { return bool(c); })) {
    idleRun_->start();
  }
}

bool FormMain::AnswerBetweenSteps(const Working& work) {
  QCoreApplication::processEvents();
  return !work.Stopped();
}

}  // namespace stagora::viewer
