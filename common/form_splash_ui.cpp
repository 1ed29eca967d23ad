#include "common/form_splash_ui.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <exception>

#include "common/controls_ui.h"
#include "common/splash_pictures_ui.h"
#include "platform/encoding.h"
#include "platform/fonts.h"
#include "platform/messagebox.h"
#include "platform/shell.h"

namespace stagora {
namespace {

constexpr double kTwipsPerInch = 1440;
constexpr double kTwipsPerPixelAt96Dpi = 15;
constexpr plat::Color kWhite = plat::Rgb(255, 255, 255);
constexpr plat::Color kDarkGrey = plat::Rgb(64, 64, 64);

double ScreenTwipsPerPixelX() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  const double dpi = screen ? screen->logicalDotsPerInchX() : 0;
  return dpi > 0 ? kTwipsPerInch / dpi : kTwipsPerPixelAt96Dpi;
}

// A label the mouse can click: it keeps the press to itself, so a click on it does not reach
// the window beneath (which would close), and runs its command when released over it.
class LinkLabel : public QLabel {
 public:
  LinkLabel(QWidget* parent, std::function<void()> click) : QLabel(parent), click_(std::move(click)) {
    setCursor(Qt::PointingHandCursor);
  }

 protected:
  void mousePressEvent(QMouseEvent* e) override { e->accept(); }
  void mouseReleaseEvent(QMouseEvent* e) override {
    e->accept();
    if (rect().contains(e->position().toPoint()) && click_) click_();
  }

 private:
  std::function<void()> click_;
};

QLabel* Caption(QLabel* label, const char* name, double baseSize, bool bold, plat::Color color,
                Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop) {
  label->setObjectName(name);
  QFont f(plat::ResolveFontFamily("Arial"));
  f.setPointSizeF(ScaledFontSize(baseSize, ScreenTwipsPerPixelX()));
  f.setBold(bold);
  label->setFont(f);
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(alignment);
  label->setMargin(0);
  label->setIndent(0);
  QPalette pal = label->palette();
  pal.setColor(QPalette::WindowText, ToQColor(color));
  label->setPalette(pal);
  return label;
}

QLabel* Picture(QWidget* parent, const char* name) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setMargin(0);
  return label;
}

// An image box takes the natural size of its picture, in pixels.
void SetPicture(QLabel* box, const QPixmap& picture, int left, int top) {
  box->setPixmap(picture);
  box->setGeometry(QRect(QPoint(left, top), picture.deviceIndependentSize().toSize()));
}

SplashRect RectOf(const QWidget* w) { return {w->x(), w->y(), w->width(), w->height()}; }

}  // namespace

FormSplash::FormSplash(SplashConstants constants, bool& splashShown, std::function<void()> showMainWindow)
    : QWidget(nullptr, Qt::Dialog | Qt::CustomizeWindowHint),
      constants_(std::move(constants)),
      splashShown_(&splashShown),
      showMainWindow_(std::move(showMainWindow)) {
  Build();
}

FormSplash::FormSplash(SplashConstants constants, std::function<void()> showMainWindow)
    : QWidget(nullptr, Qt::Dialog | Qt::CustomizeWindowHint),
      constants_(std::move(constants)),
      splashShown_(&aboutBox_),
      showMainWindow_(std::move(showMainWindow)) {
  Build();
}

void FormSplash::Build() {
  setObjectName("FormSplash");
  setAttribute(Qt::WA_DeleteOnClose);
  setFocusPolicy(Qt::StrongFocus);
  CreateControls();
  Form_Load();
}

void FormSplash::CreateControls() {
  Timer1 = new QTimer(this);
  Timer1->setObjectName("Timer1");
  Timer1->setInterval(kSplashCloseAfterMs);
  connect(Timer1, &QTimer::timeout, this, [this] {
    // A message shown meanwhile (a document that cannot be opened) waits for its answer, and
    // the splash it stands over stays until then; the timer tries again.
    if (QApplication::activeModalWidget()) return;
    close();
  });
  // Created bottom to top: the pictures lie under the texts.
  ImageUP = Picture(this, "ImageUP");
  ImageDW = Picture(this, "ImageDW");
  ImgLOGO = Picture(this, "ImgLOGO");
  static constexpr std::array<const char*, 4> kTitleNames{"LblTIT0", "LblTIT1", "LblTIT2", "LblTIT3"};
  for (std::size_t i = 0; i < LblTIT.size(); ++i) {
    LblTIT[i] = Caption(new QLabel(this), kTitleNames[i], i == 0 ? 18 : 28, i != 0, kWhite);
  }
  LblRef = Caption(new QLabel(this), "LblRef", 11, false, kWhite);
  lblVersion = Caption(new QLabel(this), "lblVersion", 11, false, kWhite);
  lblCopyright = Caption(new QLabel(this), "lblCopyright", 9, false, kDarkGrey);
  LblWEB = Caption(new LinkLabel(this, [this] { LblWEB_Click(); }), "LblWEB", 11, false, kDarkGrey, Qt::AlignHCenter | Qt::AlignTop);
  LlblMAIL = Caption(new LinkLabel(this, [this] { LlblMAIL_Click(); }), "LlblMAIL", 11, false, kDarkGrey,
                     Qt::AlignHCenter | Qt::AlignTop);
}

void FormSplash::Form_Load() {
  // The same size in pixels at any screen resolution, centred on the screen.
  setFixedSize(kSplashWidth, kSplashHeight);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->geometry().center() - QPoint(kSplashWidth / 2, kSplashHeight / 2));
  }
  // Fonts are set with the controls; their places follow.
  LblTIT[0]->setGeometry(30, 20, 344, 31);
  LblTIT[1]->setGeometry(30, 43, 368, 50);
  LblTIT[2]->setGeometry(30, 81, 372, 64);
  LblTIT[3]->setGeometry(30, 119, 372, 59);
  LblRef->setGeometry(390, 20, 171, 18);
  lblVersion->setGeometry(390, 40, 171, 18);
  LblWEB->setGeometry(200, 200, 157, 17);
  LlblMAIL->setGeometry(198, 230, 159, 17);
  lblCopyright->setGeometry(20, 340, 220, 17);
  const double ratio = devicePixelRatioF();
  SetPicture(ImgLOGO, SplashLogoPicture(ratio), 361, 296);
  // Titles: four lines when the third or fourth holds text, else two.
  const std::array<int, 4> tops = TitleTops(constants_.titles);
  for (std::size_t i = 0; i < LblTIT.size(); ++i) {
    LblTIT[i]->move(30, tops[i]);
    LblTIT[i]->setText(plat::Cp1252ToQString(constants_.titles[i]));
  }
  // The scheme's pictures and band colours.
  const SplashScheme scheme = SchemeOf(constants_.schemeCode);
  SetPicture(ImageUP, SplashUpperStripPicture(scheme.pictureIndex, ratio), 10, 120);
  SetPicture(ImageDW, SplashLowerStripPicture(scheme.pictureIndex, ratio), 10, 240);
  Shape1Color = {scheme.topBand, scheme.middleBand, kSplashBottomBand};
  // Bands and frame against the pictures as they stand.
  const SplashBands bands = BandsAround(RectOf(ImageUP), RectOf(ImageDW));
  Shape1 = bands.bands;
  Shape2 = bands.frame;
  // The texts of the build's language.
  const SplashLanguageTexts texts = LanguageTextsOf(constants_.languageCode);
  lblVersion->setText(plat::Cp1252ToQString(
      VersionCaption(texts.versionPrefix, constants_.versionMajor, constants_.versionMinor, constants_.versionRevision)));
  LblRef->setText(plat::Cp1252ToQString(texts.referencePrefix + constants_.reference));
  LblWEB->setText(plat::Cp1252ToQString(kMakerSite));
  LblWEB->setToolTip(plat::Cp1252ToQString(texts.webTooltip));
  LlblMAIL->setText(plat::Cp1252ToQString(kMakerContact));
  LlblMAIL->setToolTip(plat::Cp1252ToQString(std::string("mailto:") + kMakerContact));
  lblCopyright->setText(plat::Cp1252ToQString(kMakerLine));
  // The start-up splash: no links, and it closes by itself.
  if (!*splashShown_) {
    LblWEB->setVisible(false);
    LlblMAIL->setVisible(false);
    Timer1->start();
  }
}

void FormSplash::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), ToQColor(kSplashBackColor));
  for (std::size_t i = 0; i < Shape1.size(); ++i) {
    const SplashRect& r = Shape1[i];
    p.fillRect(QRect(r.left, r.top, r.width, r.height), ToQColor(Shape1Color[i]));
  }
  // A one-pixel outline covering exactly the frame's width x height pixels.
  p.setPen(QPen(ToQColor(kWhite), 0));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRect(Shape2.left, Shape2.top, Shape2.width - 1, Shape2.height - 1));
}

void FormSplash::Form_Activate() { update(); }

// A click anywhere but on the two links closes the window; the pictures and the texts take
// no click of their own, so theirs arrive here.
void FormSplash::mousePressEvent(QMouseEvent* e) { e->accept(); }

void FormSplash::mouseReleaseEvent(QMouseEvent* e) {
  e->accept();
  if (rect().contains(e->position().toPoint())) close();
}

// Keys that type a character close it; arrows, function keys and the like do nothing.
void FormSplash::keyPressEvent(QKeyEvent* e) {
  if (e->text().isEmpty()) {
    e->ignore();
    return;
  }
  close();
}

void FormSplash::changeEvent(QEvent* e) {
  QWidget::changeEvent(e);
  if (e->type() == QEvent::ActivationChange && isActiveWindow()) Form_Activate();
}

void FormSplash::closeEvent(QCloseEvent* e) {
  Form_Unload();
  e->accept();
}

void FormSplash::Form_Unload() {
  if (unloaded_) return;
  unloaded_ = true;
  Timer1->stop();
  // Nothing that goes wrong while showing the main window may keep the splash up, nor pass
  // unseen (an exception must not cross the event loop).
  try {
    if (showMainWindow_) showMainWindow_();
  } catch (const std::exception& e) {
    MainWindowFailed(e.what());
  } catch (...) {
    MainWindowFailed("unknown error");
  }
  *splashShown_ = true;
}

void FormSplash::MainWindowFailed(const std::string& what) {
  const std::string text = "The main window could not be shown: " + what;
  std::fprintf(stderr, "%s\n", text.c_str());
  std::fflush(stderr);
  plat::MsgBoxUtf8(text, plat::kCritical);
  // At start-up there is no window to go on with: the program ends with a failure status.
  // Closing the About box leaves the main window as it is, with the user's work.
  if (!*splashShown_) QCoreApplication::exit(EXIT_FAILURE);
}

void FormSplash::LblWEB_Click() {
  if (!plat::OpenWithDesktop(constants_.homePage)) {
    plat::MsgBox(constants_.noConnect + "\r\n" + constants_.homePage, plat::kExclamation);
  }
}

void FormSplash::LlblMAIL_Click() {
  if (!plat::OpenWithDesktop(std::string("mailto:") + kMakerContact)) {
    plat::MsgBox(constants_.noMailClient, plat::kExclamation);
  }
}

void ShowSplashModal(FormSplash* about) {
  QPointer<FormSplash> window = about;
  about->setWindowModality(Qt::ApplicationModal);
  QEventLoop modal;
  QObject::connect(about, &QObject::destroyed, &modal, &QEventLoop::quit);
  about->show();
  about->activateWindow();
  if (window) modal.exec();
}

}  // namespace stagora
