#include "viewer/app/frm_imprimir.h"

#include <QGuiApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QRadioButton>
#include <QScreen>

#include "common/print_copies.h"
#include "platform/encoding.h"
#include "platform/messagebox.h"
#include "viewer/app/captioned_frame.h"
#include "viewer/app/viewer_printer.h"

namespace stagora::viewer {
namespace {

constexpr int kClientWidth = 624;
constexpr int kClientHeight = 356;
constexpr double kControlFont = 10;
constexpr double kListFont = 11;
constexpr double kButtonFont = 11;

// The copies a print request may ask for.
constexpr long kMaxCopies = 499;

// The areas inside the frames, and the band at the foot.
const QRect kPrinterArea(33, 29, 556, 41);
const QRect kPagesArea(33, 114, 556, 127);
constexpr int kBandHeight = 66;
const QColor kBandFill(226, 234, 255);
const QColor kBandBorder(64, 64, 144);
const QColor kAreaBorder(192, 192, 255);
const QColor kStripe(229, 229, 229);

// A frame lies this far outside its area, and is this much larger.
constexpr int kFrameLeft = 20;
constexpr int kFrameTop = 25;
constexpr int kFrameGrowth = 42;

// The Print button's rest position from the client area's right and bottom edges; the Cancel
// button's left.
constexpr int kPrintFromRight = 313;
constexpr int kButtonFromBottom = 47;
constexpr int kCancelLeft = 471;

void WhiteBackground(QWidget* w) {
  QPalette pal = w->palette();
  // Option and check boxes fill their background in the button colour.
  pal.setColor(QPalette::Window, Qt::white);
  pal.setColor(QPalette::Button, Qt::white);
  w->setPalette(pal);
  w->setAutoFillBackground(true);
}

std::string Cp1252(const QString& text) { return plat::Utf16ToCp1252(text.toStdU16String()); }

}  // namespace

frmImprimir::frmImprimir(QWidget* parent, PrintedView view)
    : PrintDialogBase(parent, Printer(), "PRI"), view_(view) {
  setObjectName("frmImprimir");
  // The built-in caption, kept when the language file is missing.
  setWindowTitle("Form1");

  Shape2 = new PanelWidget(this, "Shape2", kBandBorder, kBandFill);
  for (int i = 0; i < 2; ++i) {
    Shape1[i] = new PanelWidget(this, QString("Shape1_%1").arg(i), kAreaBorder, Qt::white);
  }
  for (QWidget* back : {Shape1[0], Shape1[1], Shape2}) back->lower();

  const auto option = [this](const char* name, const char* text) {
    auto* o = new QRadioButton(text, this);
    o->setObjectName(name);
    WhiteBackground(o);
    WatchKeys(o);
    return o;
  };
  Option1 = option("Option1", "All pages");
  Option2 = option("Option2", "Pages:");
  Option3 = option("Option3", "Current page");
  Option4 = option("Option4", "ODD pages");
  Option5 = option("Option5", "EVEN pages");
  Text2 = new QLineEdit(this);
  Text2->setObjectName("Text2");
  WatchKeys(Text2);
  connect(Text2, &QLineEdit::textChanged, this, [this] { Text2_Change(); });
  Label5 = new QLabel(
      "Type page numbers and/or page ranges separated by commas. For example, type 1, 3, 6-9", this);
  Label5->setObjectName("Label5");
  Label5->setWordWrap(true);
  Label5->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Label1->setText("Number of copies:");
  ChkCOLLATE->setText("Collate");
  WhiteBackground(ChkCOLLATE);
  Label3[0]->setText("Print");
  Label3[1]->setText("Cancel");
  Form_Load();
}

void frmImprimir::Form_Load() {
  // The client area as designed, every control at its place with its scaled font.
  setFixedSize(kClientWidth, kClientHeight);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect s = screen->availableGeometry();
    move(s.left() + (s.width() - kClientWidth) / 2, s.top() + (s.height() - kClientHeight) / 2);
  }
  Combo1->setGeometry(40, 35, 540, Combo1->sizeHint().height());
  Option1->setGeometry(40, 123, 158, 20);
  Option3->setGeometry(40, 150, 135, 18);
  Option4->setGeometry(174, 150, 135, 18);
  Option5->setGeometry(309, 150, 135, 18);
  Option2->setGeometry(40, 175, 92, 20);
  Text2->setGeometry(131, 172, 265, 25);
  Label5->setGeometry(40, 199, 369, 30);
  Label1->setGeometry(260, 125, 183, 20);
  Text1->setGeometry(449, 123, 48, 23);
  VScroll1->setGeometry(498, 122, 19, 24);
  ChkCOLLATE->setGeometry(452, 154, 116, 22);
  ImgCOLLATE[0]->move(437, 187);
  ImgCOLLATE[1]->move(437, 187);
  for (QWidget* w : std::initializer_list<QWidget*>{Combo1, Option1, Option2, Option3, Option4, Option5, Label5,
                                                    Label1, Text1, ChkCOLLATE}) {
    w->setFont(PrintDialogFont(kControlFont));
  }
  Text2->setFont(PrintDialogFont(kListFont));
  for (QLabel* caption : Label3) caption->setFont(PrintDialogFont(kButtonFont, true));

  // No answer yet, and the captions.
  answer_.reset();
  LoadIdioma("PRI");
  SetLanguage();
  // One copy.
  ResetCopies();
  // All pages, on a printer still to be listed.
  Option1->setChecked(true);
  Combo1->clear();
  // The frames of the printer and the pages, and the band of the buttons.
  Shape1[0]->setGeometry(kPrinterArea);
  Shape1[1]->setGeometry(kPagesArea);
  Shape2->setGeometry(0, kClientHeight - kBandHeight, kClientWidth, kBandHeight);
  // The background behind them.
  PaintBackground();
  // The buttons at rest.
  BotonLeft = {kClientWidth - kPrintFromRight, kCancelLeft};
  BotonTop = {kClientHeight - kButtonFromBottom, kClientHeight - kButtonFromBottom};
  PlaceButtons();
  // The list of printers.
  FillPrinterList();
}

void frmImprimir::PaintBackground() {
  background_ = QImage(kClientWidth, kClientHeight, QImage::Format_RGB32);
  // Text on the background keeps the size it has in the controls.
  const double dotsPerMetre = logicalDpiX() / 0.0254;
  background_.setDotsPerMeterX(static_cast<int>(dotsPerMetre));
  background_.setDotsPerMeterY(static_cast<int>(dotsPerMetre));
  background_.fill(Qt::white);
  {
    QPainter p(&background_);
    p.setPen(kStripe);
    for (int y = 0; y <= kClientHeight; y += 2) p.drawLine(0, y, kClientWidth, y);
  }
  const auto frame = [this](const QRect& area, const char* key) {
    DibujarMarco(background_, area.left() - kFrameLeft, area.top() - kFrameTop, area.width() + kFrameGrowth,
                 area.height() + kFrameGrowth, GetL_win(key));
  };
  frame(kPrinterArea, "Printer");
  frame(kPagesArea, "Pages");
  update();
}

void frmImprimir::paintEvent(QPaintEvent*) { QPainter(this).drawImage(0, 0, background_); }

void frmImprimir::showEvent(QShowEvent* event) {
  PrintDialogBase::showEvent(event);
  Form_Activate();
}

void frmImprimir::Form_Activate() {
  Option1->setChecked(true);
}

void frmImprimir::SetLanguage() {
  if (!IdiomaCargado()) LoadIdioma("PRI");
  if (!IdiomaCargado()) return;
  setWindowTitle("Print");
  Label3[0]->setText("Print");
  Label3[1]->setText("Cancel");
  // Option and check boxes take "&&" for one ampersand and "&" for the access key, as the
  // language file writes them.
  Option1->setText(Text(GetL_win("AllPages")));
  Option2->setText(Text(GetL_win("Pages") + ":"));
  Option3->setText(Text(GetL_win("CurrentPage")));
  Option4->setText(Text(GetL_win("OddPages")));
  Option5->setText(Text(GetL_win("EvenPages")));
  Label5->setText(LabelText(GetL_win("Write_INTERVAL_COMMA")));
  Label1->setText(LabelText(GetL_win("NumberCopies")));
  ChkCOLLATE->setText(Text(GetL_win("Collate")));
}

void frmImprimir::Text2_Change() { Option2->setChecked(true); }

void frmImprimir::cmdImprimir_Click() {
  // The request, collated as the box says.
  PrintRequest request;
  request.PrintCollate = ChkCOLLATE->isChecked();
  // The copies come first: one message per press at most.
  const std::optional<long> copies = WholeTextValue(Cp1252(Text1->text()));
  if (!copies || *copies < kSpinnerMinCopies || *copies > kMaxCopies) {
    plat::MsgBox(GetL_win("TooMuchCopies"), plat::kExclamation);
    return;
  }
  request.PrintCopies = *copies;
  // The pages the options and the list name.
  PageChoice choice = PageChoice::List;
  if (Option1->isChecked()) choice = PageChoice::All;
  if (Option3->isChecked()) choice = PageChoice::Current;
  if (Option4->isChecked()) choice = PageChoice::Odd;
  if (Option5->isChecked()) choice = PageChoice::Even;
  const PageSelection selection = ReadPageSelection(choice, view_.CurrentPage, Cp1252(Text2->text()));
  if (!selection.error.empty()) {
    plat::MsgBox(GetL_win(selection.error), plat::kExclamation);
    return;
  }
  // A sound request may still name no page of this view: say so here, where the pages can
  // be chosen again, before anything is asked about the printout.
  if (ChosenPages(view_.PageCount, selection.rule, selection.pages, view_.CurrentPage).empty()) {
    plat::MsgBox(GetL_win("NoPageOfDocument") + " " + std::to_string(view_.PageCount) + ".", plat::kExclamation);
    return;
  }
  request.PrintPages = selection.pages;
  request.PrintPageRule = selection.rule;
  answer_ = request;
  accept();
}

void frmImprimir::CmdCancelar_Click() {
  answer_.reset();
  reject();
}

std::optional<PrintRequest> ShowFrmImprimir(QWidget* parent, PrintedView view) {
  frmImprimir dialog(parent, view);
  ShowPrintDialog(dialog);
  return dialog.Answer();
}

}  // namespace stagora::viewer
