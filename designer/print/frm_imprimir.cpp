#include "designer/print/frm_imprimir.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "common/print_copies.h"
#include "designer/designer_names.h"
#include "platform/encoding.h"
#include "platform/messagebox.h"

namespace stagora::designer {
namespace {

constexpr int kClientWidth = 477;
constexpr int kClientHeight = 286;
constexpr double kControlFont = 9.75;
constexpr double kButtonFont = 11.25;

const QColor kBack(226, 234, 255);
const QColor kPanelBorder(192, 192, 255);

constexpr std::array<int, 2> kBotonLeft = {160, 312};
constexpr std::array<int, 2> kBotonTop = {220, 220};

// The copies a print request may ask for.
constexpr long kMaxCopies = 1999;

void WhiteBackground(QWidget* w) {
  QPalette pal = w->palette();
  // A check box fills its background in the button colour.
  pal.setColor(QPalette::Window, Qt::white);
  pal.setColor(QPalette::Button, Qt::white);
  w->setPalette(pal);
  w->setAutoFillBackground(true);
}

}  // namespace

frmImprimir::frmImprimir(QWidget* parent, PrintOptions shown)
    : PrintDialogBase(parent, Printer(), "PRD"), shown_(shown) {
  setObjectName("frmImprimir");
  QPalette pal = palette();
  pal.setColor(QPalette::Window, kBack);
  setPalette(pal);
  setAutoFillBackground(true);

  // The panel lies behind every option.
  Shape1 = new PanelWidget(this, "Shape1_1", kPanelBorder, Qt::white);
  Shape1->lower();
  Label2 = new QLabel(this);
  Label2->setObjectName("Label2");
  Label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  ChK_BN = new QCheckBox(this);
  ChK_BN->setObjectName("ChK_BN");
  WatchKeys(ChK_BN);
  WhiteBackground(ChkCOLLATE);
  WhiteBackground(ChK_BN);
  Form_Load();
}

void frmImprimir::Form_Load() {
  // The client area as designed, every control at its place with its scaled font.
  setFixedSize(kClientWidth, kClientHeight);
  Label2->setGeometry(22, 18, 133, 20);
  Combo1->setGeometry(22, 37, 432, Combo1->sizeHint().height());
  Shape1->setGeometry(21, 82, 432, 108);
  Label1->setGeometry(23, 103, 152, 20);
  Text1->setGeometry(175, 101, 48, 23);
  VScroll1->setGeometry(226, 100, 19, 24);
  ChkCOLLATE->setGeometry(298, 98, 116, 22);
  ImgCOLLATE[0]->move(291, 136);
  ImgCOLLATE[1]->move(298, 131);
  ChK_BN->setGeometry(32, 153, 200, 22);
  for (QWidget* w : std::initializer_list<QWidget*>{Label2, Combo1, Label1, Text1, ChkCOLLATE, ChK_BN}) {
    w->setFont(PrintDialogFont(kControlFont));
  }
  for (QLabel* caption : Label3) caption->setFont(PrintDialogFont(kButtonFont, true));

  // Captions, and no answer yet.
  LoadIdioma("PRD");
  SetLanguage();
  answer_.reset();

  // The options the caller asked for.
  if (!shown_.VerCopias) {
    for (QWidget* w : std::initializer_list<QWidget*>{Label1, Text1, VScroll1}) w->hide();
  }
  if (!shown_.VerIntercalar) {
    ChkCOLLATE->hide();
    for (QWidget* w : ImgCOLLATE) w->hide();
  }
  if (!shown_.VerBN) ChK_BN->hide();

  // One copy, the buttons at rest and the list of printers.
  ResetCopies();
  Combo1->clear();
  BotonLeft = kBotonLeft;
  BotonTop = kBotonTop;
  PlaceButtons();
  FillPrinterList();
}

void frmImprimir::SetLanguage() {
  setWindowTitle(LabelText(GetL_win("Print")));
  Label2->setText(LabelText(GetL_win("Printer")));
  Label1->setText(LabelText(GetL_win("NumberCopies")));
  // Check boxes take "&&" for one ampersand and "&" for the access key, as the language file
  // writes them.
  ChkCOLLATE->setText(Text(GetL_win("Collate")));
  ChK_BN->setText(Text(GetL_win("Black&White")));
  Label3[0]->setText(LabelText(GetL_win("Print")));
  Label3[1]->setText(LabelText(GetL_win("Cancel")));
}

void frmImprimir::Aceptar() {
  const std::optional<long> count = WholeTextValue(plat::Utf16ToCp1252(Text1->text().toStdU16String()));
  if (count && *count >= kSpinnerMinCopies && *count <= kMaxCopies) {
    PrintRequest request;
    request.NumCopias = *count;
    request.Intercalar = ChkCOLLATE->isChecked();
    request.ImprimirBN = ChK_BN->isChecked();
    answer_ = request;
    accept();
    return;
  }
  plat::MsgBox(GetL_win("TooMuchCopies"), plat::kExclamation, kProductName);
}

void frmImprimir::Cancelar() {
  answer_.reset();
  reject();
}

std::optional<PrintRequest> ShowFrmImprimir(QWidget* parent, PrintOptions shown) {
  frmImprimir dialog(parent, shown);
  ShowPrintDialog(dialog);
  return dialog.Answer();
}

}  // namespace stagora::designer
