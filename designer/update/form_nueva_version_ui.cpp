#include "designer/update/form_nueva_version_ui.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <cmath>
#include <optional>

#include "common/controls_ui.h"
#include "designer/update/answer_download.h"
#include "designer/update/notice_pictures_ui.h"
#include "designer/update/update_info.h"
#include "designer/update/web_update.h"
#include "platform/encoding.h"
#include "platform/fonts.h"
#include "platform/messagebox.h"
#include "platform/shell.h"

namespace stagora::designer {
namespace {

// The design's outer 500 x 414 pixels less its fixed single border of 3 pixels: the client
// area the layout is drawn in (the last 2 pixels of the button band fall outside it).
constexpr int kClientWidth = 494;
constexpr int kClientHeight = 408;

constexpr double kTwipsPerInch = 1440;
constexpr double kTwipsPerPixelAt96Dpi = 15;

const QColor kBack(240, 240, 240);
const QColor kPanelBorder(102, 153, 255);
const QColor kLinkColour(0, 0, 128);

constexpr int kTextLeft = 19;
constexpr int kPanelTop = 5;
constexpr int kPanelHeight = 333;
constexpr int kBandTop = 333;
constexpr int kBandHeight = 77;
constexpr int kBandBorder = 10;
constexpr int kButtonsBelowBand = 20;
constexpr int kButtonGap = 10;  // from the window's middle to each button
constexpr int kCaptionDrop = 6;
constexpr int kFollowGap = 8;   // a version after its caption

// "Stagora" and the product's name.
constexpr const char* kProductTitle = "Stagora Number of theoretical plates";
constexpr const char* kNamePlaceholder = "%NOM%";

constexpr int kKeyEscape = 27;
constexpr int kKeyC = 67;

std::string ReplaceAll(std::string s, const std::string& from, const std::string& to) {
  for (std::size_t at = s.find(from); at != std::string::npos; at = s.find(from, at + to.size())) {
    s.replace(at, from.size(), to);
  }
  return s;
}

// Texts keep their pixel size whatever the screen's resolution setting.
QFont ScaledArial(double base, bool bold = false) {
  double twipsPerPixel = kTwipsPerPixelAt96Dpi;
  if (const QScreen* screen = QGuiApplication::primaryScreen(); screen && screen->logicalDotsPerInchX() > 0) {
    twipsPerPixel = kTwipsPerInch / screen->logicalDotsPerInchX();
  }
  QFont f(plat::ResolveFontFamily("Arial"));
  f.setPointSizeF(base * twipsPerPixel / kTwipsPerPixelAt96Dpi);
  f.setBold(bold);
  return f;
}

// A rectangle with a border of the given width inside its edges and, when filled, an inside
// colour. Takes no mouse.
class ShapeWidget : public QWidget {
 public:
  ShapeWidget(QWidget* parent, const char* name, QColor border, int borderWidth, std::optional<QColor> fill)
      : QWidget(parent), border_(border), borderWidth_(borderWidth), fill_(fill) {
    setObjectName(name);
    setAttribute(Qt::WA_TransparentForMouseEvents);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    if (fill_) p.fillRect(rect(), *fill_);
    const int w = borderWidth_;
    p.fillRect(0, 0, width(), w, border_);
    p.fillRect(0, height() - w, width(), w, border_);
    p.fillRect(0, 0, w, height(), border_);
    p.fillRect(width() - w, 0, w, height(), border_);
  }

 private:
  QColor border_;
  int borderWidth_;
  std::optional<QColor> fill_;
};

// An image box the size of its picture. Takes no mouse: the caption over it gets the clicks.
class PictureWidget : public QWidget {
 public:
  PictureWidget(QWidget* parent, const char* name, QPixmap picture) : QWidget(parent), picture_(std::move(picture)) {
    setObjectName(name);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    resize(picture_.size());
  }

 protected:
  void paintEvent(QPaintEvent*) override { QPainter(this).drawPixmap(0, 0, picture_); }

 private:
  QPixmap picture_;
};

QLabel* MakeLabel(QWidget* parent, const QString& name, double base, bool bold = false) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setFont(ScaledArial(base, bold));
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setTextFormat(Qt::PlainText);
  QPalette pal = label->palette();
  pal.setColor(QPalette::WindowText, Qt::black);
  label->setPalette(pal);
  return label;
}

// What the window says while its language file cannot be read.
FormNuevaVersion::Captions BuiltInCaptions() {
  return {"Hay una nueva versi\xF3n de %NOM% disponible en:", "Versi\xF3n instalada:", "Versi\xF3n disponible:",
          "Cierre %NOM% antes de instalar la nueva versi\xF3n.", "&Descargar", "&Cerrar"};
}

}  // namespace

FormNuevaVersion::FormNuevaVersion(QWidget* parent, UpdateInfo newVersion, std::string homePage,
                                   std::string noConnect)
    // A fixed border and no title bar: the window is closed by its buttons, the link and keys.
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint),
      newVersion_(std::move(newVersion)),
      homePage_(std::move(homePage)),
      noConnect_(std::move(noConnect)) {
  setObjectName("FormNuevaVersion");
  setWindowTitle("");
  setModal(true);
  setAttribute(Qt::WA_DeleteOnClose, false);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, kBack);
  setPalette(pal);
  setAutoFillBackground(true);
  CreateControls();
  Form_Load();
}

void FormNuevaVersion::CreateControls() {
  Shape1 = new ShapeWidget(this, "Shape1", kPanelBorder, 1, QColor(Qt::white));
  Shape2 = new ShapeWidget(this, "Shape2", kPanelBorder, kBandBorder, std::nullopt);
  for (int i = 0; i < 6; ++i) Label1[i] = MakeLabel(this, QString("Label1_%1").arg(i), 12);
  Label1[0]->setWordWrap(true);
  Label1[5]->setWordWrap(true);

  Text1 = new QLineEdit(this);
  Text1->setObjectName("Text1");
  Text1->setReadOnly(true);
  Text1->setFrame(false);
  Text1->setTextMargins(0, 0, 0, 0);
  Text1->setCursor(Qt::PointingHandCursor);
  Text1->installEventFilter(this);

  Image2 = new PictureWidget(this, "Image2", NoticePicture());
  for (int i = 0; i < 2; ++i) {
    Image1[i] = new PictureWidget(this, qPrintable(QString("Image1_%1").arg(i)), NoticeButtonFace());
    Label3[i] = MakeLabel(this, QString("Label3_%1").arg(i), 11, true);
    Label3[i]->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label3[i]->setCursor(Qt::PointingHandCursor);
    Label3[i]->installEventFilter(this);
  }
}

void FormNuevaVersion::Form_Load() {
  setFixedSize(kClientWidth, kClientHeight);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - QPoint(kClientWidth / 2, kClientHeight / 2));
  }
  const int W = width();
  Shape1->setGeometry(3, kPanelTop, W - 5, Shape1->height());
  Label1[0]->resize(462, Label1[0]->height());
  Label1[2]->resize(392, 40);
  Label1[4]->resize(167, 34);
  for (QLabel* caption : Label3) caption->setFont(ScaledArial(11, true));
  Text1->setFont(ScaledArial(13));
  QPalette link = Text1->palette();
  link.setColor(QPalette::Text, kLinkColour);
  link.setColor(QPalette::Base, Qt::white);
  Text1->setPalette(link);

  LoadIdioma("A2R");
  // Without its language file the window still says what it is for, in its built-in words.
  if (!idioma_.IdiomaCargado()) ApplyCaptions(BuiltInCaptions());
  SetLanguage_VER();

  const int face = kButtonFaceWidth;
  BotonLeft[0] = static_cast<int>(std::nearbyint(W / 2.0 - kButtonGap - face));
  BotonLeft[1] = static_cast<int>(std::nearbyint(W / 2.0 + kButtonGap));
  BotonTop[0] = kBandTop + kButtonsBelowBand;
  BotonTop[1] = BotonTop[0];
  for (int i = 0; i < 2; ++i) {
    Image1[i]->setGeometry(BotonLeft[i], BotonTop[i], kButtonFaceWidth, kButtonFaceHeight);
    Label3[i]->setGeometry(BotonLeft[i], BotonTop[i] + kCaptionDrop, kButtonFaceWidth, kButtonFaceHeight);
    Label3[i]->raise();
  }
}

std::string FormNuevaVersion::GetL_win(const std::string& Etiqueta, bool RemoveAMPERSAND) const {
  return idioma_.GetL_win(Etiqueta, RemoveAMPERSAND);
}

void FormNuevaVersion::LoadIdioma(const std::string& OBJ) { idioma_.LoadIdioma(OBJ); }

void FormNuevaVersion::SetLanguage_VER() {
  if (!idioma_.IdiomaCargado()) {
    LoadIdioma("A2R");
    if (!idioma_.IdiomaCargado()) return;
  }
  ApplyCaptions({GetL_win("New_ver_avail"), GetL_win("Installed_ver"), GetL_win("Available_ver"),
                 GetL_win("Close_bef_ins"), GetL_win("But_Ok"), GetL_win("But_Cancel")});
}

void FormNuevaVersion::ApplyCaptions(const Captions& captions) {
  const int W = width();
  Image2->setGeometry(360, 110, kNoticePictureWidth, kNoticePictureHeight);
  Image2->setVisible(true);

  for (QLabel* label : Label1) {
    label->setFont(ScaledArial(12));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->move(kTextLeft, label->y());
  }
  Label1[5]->setFont(ScaledArial(10));

  Shape1->resize(Shape1->width(), kPanelHeight);
  Shape2->setGeometry(Shape1->x(), kBandTop, Shape1->width(), kBandHeight);

  Text1->setVisible(true);
  Text1->setGeometry(Label1[0]->x() + 10, 65, W - 39, 20);

  Label1[0]->setGeometry(kTextLeft, 15, Label1[0]->width(), 50);
  Label1[1]->move(kTextLeft, 130);
  Label1[2]->move(Label1[2]->x(), Label1[1]->y());
  Label1[3]->move(kTextLeft, 157);
  Label1[4]->move(Label1[4]->x(), Label1[3]->y());
  Label1[5]->setGeometry(kTextLeft, 270, W - 25, 45);
  Label1[3]->setFont(ScaledArial(12, true));
  Label1[4]->setFont(ScaledArial(12, true));

  const auto named = [](const std::string& text) { return LabelCaption(ReplaceAll(text, kNamePlaceholder, kProductTitle)); };
  Label1[0]->setText(named(captions.headline));
  Text1->setText(QText(newVersion_.url));
  Text1->setCursorPosition(0);
  Label1[1]->setText(LabelCaption(captions.installed));
  Label1[1]->adjustSize();
  Label1[3]->setText(LabelCaption(captions.available));
  Label1[3]->adjustSize();
  Label1[5]->setText(named(captions.advice));
  Label3[0]->setText(LabelCaption(captions.open));
  Label3[1]->setText(LabelCaption(captions.close));

  // The versions follow the widths of their translated captions.
  Label1[2]->move(Label1[1]->x() + Label1[1]->width() + kFollowGap, Label1[2]->y());
  Label1[4]->move(Label1[3]->x() + Label1[3]->width() + kFollowGap, Label1[4]->y());

  Label1[2]->setText(QText(VersionText(RunningVersion())));
  Label1[4]->setText(QText(newVersion_.version));
}

void FormNuevaVersion::OpenDownloadAddress(bool letEventsRun) {
  if (letEventsRun) QCoreApplication::processEvents();
  // Only a web page is handed on: the answer comes from the network, and a file or a
  // program named there must not be opened on the user's machine.
  const bool opened = IsWebAddress(newVersion_.url) && plat::OpenWithDesktop(newVersion_.url);
  if (letEventsRun) QCoreApplication::processEvents();
  if (!opened) plat::MsgBox(noConnect_ + "\r\n" + homePage_, plat::kExclamation);
  accept();
}

void FormNuevaVersion::Label3_Click(int Index) {
  if (Index == 0) {
    OpenDownloadAddress(true);
  } else {
    reject();
  }
}

void FormNuevaVersion::Text1_Click() { OpenDownloadAddress(false); }

void FormNuevaVersion::Label3_MouseDown(int Index) {
  Image1[Index]->move(BotonLeft[Index] + 1, BotonTop[Index] + 1);
  Label3[Index]->move(BotonLeft[Index] + 1, BotonTop[Index] + kCaptionDrop + 1);
}

void FormNuevaVersion::Label3_MouseUp(int Index) {
  Image1[Index]->move(BotonLeft[Index], BotonTop[Index]);
  Label3[Index]->move(BotonLeft[Index], BotonTop[Index] + kCaptionDrop);
}

void FormNuevaVersion::Form_KeyDown(int KeyCode) {
  if (KeyCode == kKeyEscape || KeyCode == kKeyC) reject();
}

void FormNuevaVersion::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    Form_KeyDown(kKeyEscape);
  } else if (event->key() == Qt::Key_C) {
    Form_KeyDown(kKeyC);
  } else {
    QDialog::keyPressEvent(event);
  }
}

bool FormNuevaVersion::eventFilter(QObject* watched, QEvent* event) {
  // The window sees the keys before the link does.
  if (watched == Text1 && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Escape || key == Qt::Key_C) {
      Form_KeyDown(key == Qt::Key_Escape ? kKeyEscape : kKeyC);
      return true;
    }
    return false;
  }
  const auto* mouse = dynamic_cast<QMouseEvent*>(event);
  if (!mouse) return false;
  const bool release = event->type() == QEvent::MouseButtonRelease;
  const bool clicked = release && mouse->button() == Qt::LeftButton &&
                       static_cast<QWidget*>(watched)->rect().contains(mouse->position().toPoint());
  if (watched == Text1) {
    if (clicked) {
      Text1_Click();
      return true;
    }
    return false;
  }
  for (int i = 0; i < 2; ++i) {
    if (watched != Label3[i]) continue;
    if (event->type() == QEvent::MouseButtonPress) {
      Label3_MouseDown(i);
      return true;
    }
    if (release) {
      Label3_MouseUp(i);
      if (clicked) Label3_Click(i);
      return true;
    }
  }
  return false;
}

bool FormNuevaVersionShowing() {
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (dynamic_cast<FormNuevaVersion*>(window) != nullptr && window->isVisible()) return true;
  }
  return false;
}

void ShowFormNuevaVersion(QWidget* parent, const UpdateInfo& newVersion, const std::string& homePage,
                          const std::string& noConnect) {
  if (FormNuevaVersionShowing()) return;
  FormNuevaVersion notice(parent, newVersion, homePage, noConnect);
  notice.exec();
}

}  // namespace stagora::designer
