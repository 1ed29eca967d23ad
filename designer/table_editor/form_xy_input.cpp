// The table editor's window: its controls as designed, the load that lays them out and takes
// the working copy, its captions, the wheel hook while it is active, and the eight label
// buttons with their pressed look.
#include "designer/table_editor/form_xy_input.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QScrollBar>
#include <QWheelEvent>
#include <utility>

#include "common/button_face_ui.h"
#include "common/controls_ui.h"

namespace stagora::designer {
namespace {

// The client area as designed, whatever frame the window manager puts round it.
constexpr int kClientWidth = 455;
constexpr int kClientHeight = 543;

constexpr plat::Color kWindowBack = plat::Rgb(207, 232, 255);
constexpr plat::Color kHeadingBack = plat::Rgb(224, 224, 224);
constexpr plat::Color kSystemText = plat::Rgb(0, 0, 0);
constexpr plat::Color kNoteText = plat::Rgb(64, 64, 64);
constexpr plat::Color kButtonText = plat::Rgb(64, 64, 128);
constexpr plat::Color kPanelFill = plat::Rgb(127, 157, 185);
constexpr plat::Color kPanelBorder = plat::Rgb(128, 128, 128);

// Fonts of the design, nominal points at 15 twips per pixel.
constexpr double kFontNote = 9;
constexpr double kFontCell = 11;
constexpr double kFontRowNumber = 12;

// The grid: rows of 26 pixels from these tops.
constexpr int kRowPitch = 26;
constexpr int kRowNumberTop = 74;
constexpr int kCellTop = 73;

// A button's caption lies this far below its picture's top, and both shift by one pixel while
// the button is held down.
constexpr int kCaptionDrop = 6;
constexpr int kPressShift = 1;
constexpr std::array<int, kEditorButtons> kBotonLeft = {160, 305, 305, 15, 160, 15, 160, 305};
constexpr std::array<int, kEditorButtons> kBotonTop = {491, 491, 450, 450, 450, 409, 409, 409};

// Language keys of the button captions; buttons 3 and 4 open a dialog, hence "...".
constexpr std::array<const char*, kEditorButtons> kButtonKeys = {
    "But_OK", "But_Cancel", "Clear_table", "Open", "Save_as", "Cut_table", "Copy_table", "Paste_Table"};
constexpr int kOpenButton = 3;
constexpr int kSaveAsButton = 4;

std::string Indexed(const char* family, int i) { return std::string(family) + "_" + std::to_string(i); }

// The pressed look and the clicks of the label buttons: the caption takes the mouse, and a
// left button released over it is a click.
class ButtonEvents : public QObject {
 public:
  explicit ButtonEvents(FormXYinput* form) : QObject(form), form_(form) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    const int index = ButtonIndex(watched);
    if (index < 0) return false;
    if (event->type() == QEvent::MouseButtonPress) {
      form_->LabelB_MouseDown(index);
      return true;
    }
    if (event->type() == QEvent::MouseButtonRelease) {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      form_->LabelB_MouseUp(index);
      const bool over = form_->LabelB[index]->rect().contains(mouse->position().toPoint());
      if (mouse->button() == Qt::LeftButton && over) form_->LabelB_Click(index);
      return true;
    }
    return false;
  }

 private:
  int ButtonIndex(const QObject* watched) const {
    for (int k = 0; k < kEditorButtons; ++k) {
      if (form_->LabelB[k] == watched) return k;
    }
    return -1;
  }

  FormXYinput* form_;
};

// The row scroll bar leaves the wheel to the window's wheel hook, so that a wheel notch moves
// one row wherever the pointer is over the window, the bar included.
class RowScrollBar : public QScrollBar {
 public:
  RowScrollBar(Qt::Orientation orientation, QWidget* parent) : QScrollBar(orientation, parent) {}

 protected:
  void wheelEvent(QWheelEvent* event) override { event->ignore(); }
};

}  // namespace

FormXYinput::FormXYinput(QWidget* parent, TableEdit start)
    : QDialog(parent), start_(std::move(start)), answer_(start_) {
  SimboloDecimal = start_.SimboloDecimal;
  setObjectName("FormXYinput");
  // A fixed frame with a close box and neither minimise nor maximise.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                 Qt::MSWindowsFixedSizeDialogHint);
  setModal(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, ToQColor(kWindowBack));
  setPalette(pal);
  setAutoFillBackground(true);
  X.fill(kEmptyTableValue);
  Y.fill(kEmptyTableValue);
  CreateControls();
}

FormXYinput::~FormXYinput() {
  // The cells go with the window; their events must not reach a window that is half gone.
  delete cellEvents_;
  delete buttonEvents_;
}

void FormXYinput::CreateControls() {
  // Bottom to top: the panel, the labels, the button pictures and captions, then the cells
  // and the scroll bar.
  Shape1 = new ShapeControl(this, "Shape1", true, kPanelFill, true, kPanelBorder);
  for (int k = 3; k <= 4; ++k) {
    Label1[k] = MakeLabel(this, Indexed("Label1", k).c_str(), kFontNote);
    SetLabelColors(Label1[k], kNoteText);
  }
  const std::array<const char*, 3> headings = {"#", "x", "y"};
  for (int k = 0; k <= 2; ++k) {
    Label1[k] = MakeLabel(this, Indexed("Label1", k).c_str(), kFontCell, true);
    SetLabelColors(Label1[k], kSystemText, &kHeadingBack);
    Label1[k]->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label1[k]->setText(headings[k]);
  }
  for (int i = 0; i < kVisibleRows; ++i) {
    LblNUM[i] = MakeLabel(this, Indexed("LblNUM", i).c_str(), kFontRowNumber);
    SetLabelColors(LblNUM[i], kSystemText, &kHeadingBack);
    LblNUM[i]->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  }
  buttonEvents_ = new ButtonEvents(this);
  for (int k = 0; k < kEditorButtons; ++k) {
    Image1[k] = new ImageControl(this, Indexed("Image1", k).c_str());
    Image1[k]->setPicture(ButtonFace(kButtonFaceWidth, kButtonFaceHeight));
    LabelB[k] = MakeLabel(this, Indexed("LabelB", k).c_str(), kFontCell, true);
    LabelB[k]->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    SetLabelColors(LabelB[k], kButtonText);
    LabelB[k]->installEventFilter(buttonEvents_);
  }

  VScroll1 = new RowScrollBar(Qt::Vertical, this);
  VScroll1->setObjectName("VScroll1");
  VScroll1->setFocusPolicy(Qt::StrongFocus);
  // The rows of the table less the visible ones: at the end the last line shows row 100.
  VScroll1->setRange(0, kTableRows - kVisibleRows);
  VScroll1->setSingleStep(1);
  VScroll1->setPageStep(11);
  for (int i = 0; i < kVisibleRows; ++i) {
    TxtX[i] = new QLineEdit(this);
    TxtX[i]->setObjectName(QString::fromStdString(Indexed("TxtX", i)));
    TxTY[i] = new QLineEdit(this);
    TxTY[i]->setObjectName(QString::fromStdString(Indexed("TxTY", i)));
    for (QLineEdit* cell : {TxtX[i], TxTY[i]}) {
      cell->setFont(ScaledArial(kFontCell));
      cell->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    }
  }
  // The keyboard order: the scroll bar first (it holds the focus when the window opens),
  // then x and y of each line in turn.
  QWidget* previous = VScroll1;
  for (int i = 0; i < kVisibleRows; ++i) {
    QWidget::setTabOrder(previous, TxtX[i]);
    QWidget::setTabOrder(TxtX[i], TxTY[i]);
    previous = TxTY[i];
  }
  VScroll1->setFocus();
  ConnectGrid();
}

void FormXYinput::PlaceControls() {
  Place(Label1[3], 7, 5, 439, 19);
  Place(Label1[4], 7, 23, 439, 19);
  Place(Shape1, 6, 44, 443, 345);
  Place(Label1[0], 10, 47, 68, 26);
  Place(Label1[1], 79, 47, 172, 26);
  Place(Label1[2], 252, 47, 172, 26);
  for (int i = 0; i < kVisibleRows; ++i) {
    Place(LblNUM[i], 10, kRowNumberTop + kRowPitch * i, 68, 25);
    Place(TxtX[i], 78, kCellTop + kRowPitch * i, 174, 27);
    Place(TxTY[i], 251, kCellTop + kRowPitch * i, 174, 27);
  }
  Place(VScroll1, 427, 71, 20, 315);
  for (int k = 0; k < kEditorButtons; ++k) {
    Image1[k]->resize(kButtonFaceWidth, kButtonFaceHeight);
    LabelB[k]->resize(kButtonFaceWidth, kButtonFaceHeight);
  }
}

void FormXYinput::Form_Load() {
  // The client area and every control as designed.
  setFixedSize(kClientWidth, kClientHeight);
  PlaceControls();

  // Captions.
  LoadIdioma("TXY");
  SetLanguage();

  // The working copy of the table, whatever it holds, and of the names.
  X = start_.TablaELV.TablaX;
  Y = start_.TablaELV.TablaY;
  A = start_.A;
  B = start_.B;

  // The buttons at rest.
  BotonLeft = kBotonLeft;
  BotonTop = kBotonTop;
  for (int k = 0; k < kEditorButtons; ++k) {
    Image1[k]->move(BotonLeft[k], BotonTop[k]);
    LabelB[k]->setGeometry(BotonLeft[k], BotonTop[k] + kCaptionDrop, Image1[k]->width(), kButtonFaceHeight);
  }

  // The first twelve rows.
  ShowFromTop();
}

std::string FormXYinput::GetL_win(const std::string& Etiqueta, bool RemoveAMPERSAND) const {
  return idioma_.GetL_win(Etiqueta, RemoveAMPERSAND);
}

void FormXYinput::LoadIdioma(const std::string& OBJ) { idioma_.LoadIdioma(OBJ); }

void FormXYinput::SetLanguage() {
  setWindowTitle(QText(GetL_win("Caption")));
  for (int k = 0; k < kEditorButtons; ++k) {
    std::string caption = GetL_win(kButtonKeys[k]);
    if (k == kOpenButton || k == kSaveAsButton) caption += "...";
    LabelB[k]->setText(LabelCaption(caption));
  }
  Label1[3]->setText(LabelCaption(GetL_win("X_liqui_mostVol")));
  Label1[4]->setText(LabelCaption(GetL_win("Y_vapor_mostVol")));
}

void FormXYinput::changeEvent(QEvent* event) {
  QDialog::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) Form_Activate();
}

void FormXYinput::Form_Activate() {
  // Only the first activation takes: the hook keeps the window it has.
  WheelHook(this);
}

void FormXYinput::Form_Unload() { WheelUnhook(); }

void FormXYinput::done(int result) {
  // Every way the window closes (OK, Cancel, the close box) passes here.
  Form_Unload();
  QDialog::done(result);
}

void FormXYinput::keyPressEvent(QKeyEvent* event) {
  // Escape is Cancel, as in every other window of the programs, unless a cell used it up to
  // take back what was typed into it (form_xy_input_grid.cpp). The window has no default
  // button: Enter walks the cells and closes nothing, so that it never hands a half-typed
  // table back.
  switch (event->key()) {
    case Qt::Key_Escape:
      event->accept();
      Cancelar();
      return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      event->accept();
      return;
    default:
      QDialog::keyPressEvent(event);
  }
}

void FormXYinput::LabelB_MouseDown(int Index) {
  if (Index < 0 || Index >= kEditorButtons) return;
  Image1[Index]->move(BotonLeft[Index] + kPressShift, BotonTop[Index] + kPressShift);
  LabelB[Index]->move(BotonLeft[Index] + kPressShift, BotonTop[Index] + kCaptionDrop + kPressShift);
}

void FormXYinput::LabelB_MouseUp(int Index) {
  if (Index < 0 || Index >= kEditorButtons) return;
  Image1[Index]->move(BotonLeft[Index], BotonTop[Index]);
  LabelB[Index]->move(BotonLeft[Index], BotonTop[Index] + kCaptionDrop);
}

void FormXYinput::LabelB_Click(int Index) {
  switch (Index) {
    case 0: Aceptar(); break;
    case 1: Cancelar(); break;
    case 2: Borrar(); break;
    case 3: Abrir(); break;
    case 4: Guardar(); break;
    case 5: Cortar(); break;
    case 6: Copiar(); break;
    case 7: Pegar(); break;
    default: break;
  }
}

TableEdit ShowFormXYinput(QWidget* parent, const TableEdit& start) {
  // The editor goes with its parent should that close first: its answer is then the edit as it
  // opened.
  QPointer<FormXYinput> editor = new FormXYinput(parent, start);
  editor->Form_Load();
  editor->exec();
  if (!editor) return start;
  TableEdit answer = editor->Answer();
  delete editor;
  return answer;
}

}  // namespace stagora::designer
