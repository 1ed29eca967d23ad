#include "common/print_dialog_ui.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QToolButton>

#include "common/controls_ui.h"
#include "common/file_dialogs_ui.h"
#include "common/print_copies.h"
#include "common/print_pictures_ui.h"
#include "common/text_case.h"
#include "platform/encoding.h"
#include "platform/file_names.h"
#include "platform/fonts.h"
#include "platform/printer.h"
#include "platform/textfile.h"

namespace stagora {
namespace {

constexpr double kTwipsPerInch = 1440;
constexpr double kTwipsPerPixelAt96Dpi = 15;
constexpr int kCaptionDrop = 6;  // a button's caption below its face's top
constexpr int kMaxCopiesChars = 4;
constexpr int kKeyEscape = 27;
constexpr int kKeyBackspace = 8;
const QColor kCaptionColour(64, 64, 128);

constexpr const char* kPdfFilter = "PDF (*.pdf)|*.pdf";
constexpr std::string_view kPdfExtension = ".pdf";

PrintDialogScript& Script() {
  static PrintDialogScript script;
  return script;
}

std::string Cp1252(const QString& text) { return plat::Utf16ToCp1252(text.toStdU16String()); }

// The text as the count's arithmetic writes it back: a leading blank for a number that is not
// negative.
std::string CountText(long n) {
  std::string text(n >= 0 ? 1 : 0, ' ');
  return text += std::to_string(n);
}

}  // namespace

QFont PrintDialogFont(double nominal, bool bold) {
  double twipsPerPixel = kTwipsPerPixelAt96Dpi;
  if (const QScreen* screen = QGuiApplication::primaryScreen(); screen && screen->logicalDotsPerInchX() > 0) {
    twipsPerPixel = kTwipsPerInch / screen->logicalDotsPerInchX();
  }
  QFont f(plat::ResolveFontFamily("Arial"));
  f.setPointSizeF(nominal * twipsPerPixel / kTwipsPerPixelAt96Dpi);
  f.setBold(bold);
  return f;
}

// --- Small controls ----------------------------------------------------------------------------

PictureBoxWidget::PictureBoxWidget(QWidget* parent, const QString& name, QPixmap picture)
    : QWidget(parent), picture_(std::move(picture)) {
  setObjectName(name);
  setAttribute(Qt::WA_TransparentForMouseEvents);
  resize(picture_.size());
}

void PictureBoxWidget::paintEvent(QPaintEvent*) { QPainter(this).drawPixmap(0, 0, picture_); }

PanelWidget::PanelWidget(QWidget* parent, const QString& name, QColor border, QColor fill)
    : QWidget(parent), border_(border), fill_(fill) {
  setObjectName(name);
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void PanelWidget::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), fill_);
  p.setPen(border_);
  p.drawRect(rect().adjusted(0, 0, -1, -1));
}

CopiesSpinner::CopiesSpinner(QWidget* parent, const QString& name)
    : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this)) {
  setObjectName(name);
  for (QToolButton* arrow : {up_, down_}) {
    arrow->setArrowType(arrow == up_ ? Qt::UpArrow : Qt::DownArrow);
    arrow->setAutoRepeat(true);
    arrow->setFocusPolicy(Qt::NoFocus);
  }
  up_->setObjectName(name + "_up");
  down_->setObjectName(name + "_down");
  connect(up_, &QToolButton::clicked, this, [this] { stepUp(); });
  connect(down_, &QToolButton::clicked, this, [this] { stepDown(); });
}

void CopiesSpinner::setValue(int v) {
  if (v < kSpinnerMinCopies || v > kSpinnerMaxCopies || v == value_) return;
  value_ = v;
  if (onChange) onChange();
}

void CopiesSpinner::resizeEvent(QResizeEvent*) {
  const int half = height() / 2;
  up_->setGeometry(0, 0, width(), half);
  down_->setGeometry(0, half, width(), height() - half);
}

// --- The dialog ---------------------------------------------------------------------------------

PrintDialogBase::PrintDialogBase(QWidget* parent, plat::PrinterSurface& printer, const std::string& objectCode)
    // A title and a close box only: the dialog keeps its designed size.
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      printer_(printer),
      idioma_(objectCode) {
  setModal(true);

  Combo1 = new QComboBox(this);
  Combo1->setObjectName("Combo1");
  Combo1->setEditable(false);
  connect(Combo1, &QComboBox::activated, this, [this] { Combo1_Click(); });

  Label1 = new QLabel(this);
  Label1->setObjectName("Label1");
  Label1->setAlignment(Qt::AlignRight | Qt::AlignTop);

  Text1 = new QLineEdit(this);
  Text1->setObjectName("Text1");
  Text1->setMaxLength(kMaxCopiesChars);
  Text1->installEventFilter(this);
  connect(Text1, &QLineEdit::textChanged, this, [this] { Text1_Change(); });

  VScroll1 = new CopiesSpinner(this, "VScroll1");
  VScroll1->onChange = [this] { VScroll1_Change(); };

  ChkCOLLATE = new QCheckBox(this);
  ChkCOLLATE->setObjectName("ChkCOLLATE");
  // Collated is the design's choice, with its picture showing.
  ChkCOLLATE->setChecked(true);
  connect(ChkCOLLATE, &QCheckBox::clicked, this, [this] { ChkCOLLATE_Click(); });

  ImgCOLLATE[0] = new PictureBoxWidget(this, "ImgCOLLATE_0", UncollatedPicture());
  ImgCOLLATE[1] = new PictureBoxWidget(this, "ImgCOLLATE_1", CollatedPicture());
  ImgCOLLATE[0]->hide();

  for (int i = 0; i < 2; ++i) {
    Image1[i] = new PictureBoxWidget(this, QString("Image1_%1").arg(i), PrintButtonFace());
    Label3[i] = new QLabel(this);
    Label3[i]->setObjectName(QString("Label3_%1").arg(i));
    Label3[i]->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label3[i]->setTextFormat(Qt::PlainText);
    Label3[i]->setCursor(Qt::PointingHandCursor);
    QPalette pal = Label3[i]->palette();
    pal.setColor(QPalette::WindowText, kCaptionColour);
    Label3[i]->setPalette(pal);
    Label3[i]->installEventFilter(this);
  }

  for (QWidget* control : std::initializer_list<QWidget*>{Combo1, ChkCOLLATE}) WatchKeys(control);
}

std::string PrintDialogBase::GetL_win(const std::string& Etiqueta, bool RemoveAMPERSAND) const {
  return idioma_.GetL_win(Etiqueta, RemoveAMPERSAND);
}

void PrintDialogBase::LoadIdioma(const std::string& OBJ) { idioma_.LoadIdioma(OBJ); }

QString PrintDialogBase::Text(const std::string& cp1252) { return QText(cp1252); }

QString PrintDialogBase::LabelText(const std::string& cp1252) { return LabelCaption(cp1252); }

void PrintDialogBase::ResetCopies() {
  Text1->setText(" 1");
  if (const auto v = SpinnerValueOf(Cp1252(Text1->text()))) VScroll1->setValue(static_cast<int>(*v));
}

void PrintDialogBase::FillPrinterList() {
  const std::vector<std::string> names = plat::PrinterNames();
  if (names.empty()) {
    Combo1->hide();
    return;
  }
  {
    const QSignalBlocker quiet(Combo1);
    Combo1->clear();
    for (const std::string& name : names) Combo1->addItem(Text(name));
    // A list that is filled selects its first entry by itself; here only the current
    // printer may be selected, or nothing.
    Combo1->setCurrentIndex(-1);
  }
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (names[i] != printer_.deviceName()) continue;
    Combo1->setCurrentIndex(static_cast<int>(i));
    Combo1_Click();
    break;
  }
}

void PrintDialogBase::PlaceButtons() {
  for (int i = 0; i < 2; ++i) {
    Image1[i]->move(BotonLeft[i], BotonTop[i]);
    Label3[i]->setGeometry(BotonLeft[i], BotonTop[i] + kCaptionDrop, Image1[i]->width(), Image1[i]->height());
    Label3[i]->raise();
  }
}

void PrintDialogBase::WatchKeys(QWidget* control) { control->installEventFilter(this); }

void PrintDialogBase::Combo1_Click() {
  const int index = Combo1->currentIndex();
  if (index < 0) return;
  const std::string chosen = Cp1252(Combo1->itemText(index));
  for (const std::string& name : plat::PrinterNames()) {
    if (name != chosen) continue;
    // Made current twice, with the pending events between: a printer driver may still be
    // busy with the previous choice the first time.
    printer_.setDeviceName(name);
    QCoreApplication::processEvents();
    printer_.setDeviceName(name);
    return;
  }
}

void PrintDialogBase::ChkCOLLATE_Click() {
  const bool collated = ChkCOLLATE->isChecked();
  ImgCOLLATE[1]->setVisible(collated);
  ImgCOLLATE[0]->setVisible(!collated);
}

void PrintDialogBase::Text1_Change() {
  // An emptied box stays empty while it is being typed into, so that the digit typed next is
  // the count; leaving it puts the last valid count back (Text1_LostFocus).
  if (Text1->text().trimmed().isEmpty()) return;
  if (const auto v = SpinnerValueOf(Cp1252(Text1->text()))) VScroll1->setValue(static_cast<int>(*v));
}

void PrintDialogBase::Text1_GotFocus() {
  // The whole count is selected, so that a digit typed next replaces it.
  Text1->selectAll();
}

void PrintDialogBase::Text1_LostFocus() {
  if (const auto v = SpinnerValueOf(Cp1252(Text1->text()))) VScroll1->setValue(static_cast<int>(*v));
  const QString settled = QString::number(VScroll1->value());
  if (Text1->text() != settled) Text1->setText(settled);
}

bool PrintDialogBase::Text1_KeyDown(int KeyCode) {
  if (KeyCode == Qt::Key_Down || KeyCode == Qt::Key_Up) {
    const long n = WholeTextValue(Cp1252(Text1->text())).value_or(0);
    const long moved = KeyCode == Qt::Key_Up ? n + 1 : n - 1;
    // The length limit is the typist's, not the code's: " 2000" is passed whole to the
    // check below, which puts back 1999.
    Text1->setMaxLength(kMaxCopiesChars + 1);
    Text1->setText(Text(CountText(moved)));
    Text1_LostFocus();
    Text1->setMaxLength(kMaxCopiesChars);
    return true;
  }
  const bool kept = KeyCode == Qt::Key_Left || KeyCode == Qt::Key_Right || KeyCode == Qt::Key_Delete ||
                    KeyCode == Qt::Key_Backspace || (KeyCode >= Qt::Key_0 && KeyCode <= Qt::Key_9);
  return !kept;
}

int PrintDialogBase::Text1_KeyPress(int KeyAscii) {
  if ((KeyAscii >= '0' && KeyAscii <= '9') || KeyAscii == kKeyBackspace) return KeyAscii;
  return 0;
}

void PrintDialogBase::VScroll1_Change() { Text1->setText(QString::number(VScroll1->value())); }

void PrintDialogBase::Form_KeyPress(int KeyAscii) {
  if (KeyAscii == kKeyEscape) CancelRequest();
}

void PrintDialogBase::Label3_Click(int Index) {
  if (Index == 0) {
    AcceptRequest();
  } else {
    CancelRequest();
  }
}

void PrintDialogBase::Label3_MouseDown(int Index) {
  Image1[Index]->move(BotonLeft[Index] + 1, BotonTop[Index] + 1);
  Label3[Index]->move(BotonLeft[Index] + 1, BotonTop[Index] + kCaptionDrop + 1);
}

void PrintDialogBase::Label3_MouseUp(int Index) {
  Image1[Index]->move(BotonLeft[Index], BotonTop[Index]);
  Label3[Index]->move(BotonLeft[Index], BotonTop[Index] + kCaptionDrop);
}

void PrintDialogBase::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    Form_KeyPress(kKeyEscape);
    return;
  }
  // Enter accepts nothing here: only the Print button prints.
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) return;
  QDialog::keyPressEvent(event);
}

bool PrintDialogBase::Text1Event(QEvent* event) {
  if (event->type() == QEvent::FocusOut) {
    selectOnRelease_ = false;
    Text1_LostFocus();
    return false;
  }
  if (event->type() == QEvent::FocusIn) {
    // A click that enters the box places the caret when it is pressed: the count is selected
    // once it is released, unless the drag selected a part of it.
    if (static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason) {
      selectOnRelease_ = true;
    } else {
      Text1_GotFocus();
    }
    return false;
  }
  if (event->type() == QEvent::MouseButtonRelease && selectOnRelease_) {
    selectOnRelease_ = false;
    if (!Text1->hasSelectedText()) Text1_GotFocus();
    return false;
  }
  if (event->type() != QEvent::KeyPress) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  if (key->key() == Qt::Key_Escape) return false;  // the dialog's own filter has it
  // Tab leaves the box as it would any other.
  if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) return false;
  if (Text1_KeyDown(key->key())) return true;
  const QString typed = key->text();
  if (typed.size() == 1 && typed[0].unicode() < 128 && Text1_KeyPress(typed[0].unicode()) == 0) return true;
  return false;
}

bool PrintDialogBase::eventFilter(QObject* watched, QEvent* event) {
  // The dialog sees every key before the control that has the focus.
  if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape &&
      watched->isWidgetType() && static_cast<QWidget*>(watched)->window() == this) {
    Form_KeyPress(kKeyEscape);
    return true;
  }
  if (watched == Text1) return Text1Event(event);
  for (int i = 0; i < 2; ++i) {
    if (watched != Label3[i]) continue;
    const auto* mouse = dynamic_cast<QMouseEvent*>(event);
    if (!mouse) return false;
    if (event->type() == QEvent::MouseButtonPress) {
      Label3_MouseDown(i);
      return true;
    }
    if (event->type() == QEvent::MouseButtonRelease) {
      Label3_MouseUp(i);
      if (mouse->button() == Qt::LeftButton && Label3[i]->rect().contains(mouse->position().toPoint())) {
        Label3_Click(i);
      }
      return true;
    }
    return false;
  }
  return QDialog::eventFilter(watched, event);
}

// --- Showing, and the PDF file ------------------------------------------------------------------

PrintDialogScript SetPrintDialogScript(PrintDialogScript script) {
  PrintDialogScript old = std::move(Script());
  Script() = std::move(script);
  return old;
}

void ShowPrintDialog(QDialog& dialog) {
  if (Script()) {
    Script()(dialog);
    return;
  }
  dialog.exec();
}

std::string AskPdfFileName(QWidget* owner, const std::string& title, const std::string& proposedPath,
                           std::string& lastFolder) {
  // Names taken apart by their bytes, so that one that is no UTF-8 stays itself.
  const std::string folder = lastFolder.empty() ? plat::FolderPart(proposedPath) : lastFolder;
  const std::string name = plat::NamePart(proposedPath);
  std::string chosen =
      DlgGuardarArchivo(kPdfFilter, title, folder, plat::JoinPath(folder, name), owner, std::string(kPdfExtension));
  if (chosen.empty()) return "";
  // A name typed without its extension still makes a file that PDF readers are offered.
  const bool hasExtension =
      chosen.size() >= kPdfExtension.size() &&
      LowerCase1252(std::string_view(chosen).substr(chosen.size() - kPdfExtension.size())) == kPdfExtension;
  if (!hasExtension) chosen += kPdfExtension;
  lastFolder = plat::FolderPart(chosen);
  return chosen;
}

bool ChoosePrinterOutput(QWidget* owner, plat::PrinterSurface& printer, const std::string& title,
                         const std::string& proposedPath, std::string& lastPdfFolder) {
  if (!printer.isPdf()) return true;
  const std::string path = AskPdfFileName(owner, title, proposedPath, lastPdfFolder);
  if (path.empty()) return false;
  printer.setOutputFile(path);
  return true;
}

}  // namespace stagora
