// The editor's grid: twelve visible lines over the 100 rows of the working copy. A cell's text
// goes into the copy at every change, whole; the copy comes back into the cells, shortened to
// six significant digits, only when the lines are refilled. The arrow keys and Enter walk the
// cells and scroll at the edges; the wheel moves one row per message. Escape in a cell typed
// in takes that cell's edit back, as in a spreadsheet; the window stays open.
#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>

#include "common/controls_ui.h"
#include "common/number_text.h"
#include "designer/table_editor/form_xy_input.h"
#include "platform/encoding.h"

namespace stagora::designer {
namespace {

constexpr int kLastLine = kVisibleRows - 1;
// Significant digits a cell shows.
constexpr double kCellDigits = 6;

bool IsReturningFocus(Qt::FocusReason reason) {
  return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
}

bool IsEnter(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

// Where a cell's selection, or its caret when nothing is selected, begins.
int SelStart(const QLineEdit* cell) { return cell->hasSelectedText() ? cell->selectionStart() : cell->cursorPosition(); }

bool CaretAtStart(const QLineEdit* cell) { return SelStart(cell) == 0; }

bool CaretAtEnd(const QLineEdit* cell) {
  const int length = static_cast<int>(cell->text().size());
  return SelStart(cell) == length || static_cast<int>(cell->selectedText().size()) == length;
}

// Hands the focus and key events of the cells to their handlers.
class CellEvents : public QObject {
 public:
  explicit CellEvents(FormXYinput* form) : QObject(form), form_(form) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    int line = -1;
    bool yCell = false;
    if (!Find(watched, line, yCell)) return false;
    switch (event->type()) {
      case QEvent::FocusIn:
        // Focus handed back when the window is reactivated is no entering of the cell.
        if (IsReturningFocus(static_cast<QFocusEvent*>(event)->reason())) return false;
        yCell ? form_->TxTY_GotFocus(line) : form_->TxtX_GotFocus(line);
        return false;
      case QEvent::KeyPress:
        return KeyPress(line, yCell, static_cast<QKeyEvent*>(event));
      default:
        return false;
    }
  }

 private:
  bool Find(const QObject* watched, int& line, bool& yCell) const {
    for (int i = 0; i < kVisibleRows; ++i) {
      if (form_->TxtX[i] == watched || form_->TxTY[i] == watched) {
        line = i;
        yCell = form_->TxTY[i] == watched;
        return true;
      }
    }
    return false;
  }

  bool KeyPress(int line, bool yCell, QKeyEvent* key) {
    if (yCell ? form_->TxTY_KeyDown(line, key->key()) : form_->TxtX_KeyDown(line, key->key())) return true;
    constexpr Qt::KeyboardModifiers kCommand = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    if ((key->modifiers() & kCommand) || key->text().size() != 1) return false;
    const QChar typed = key->text().front();
    if (typed != u',' && typed != u'.') return false;
    const char c = static_cast<char>(typed.unicode());
    const char becomes = yCell ? form_->TxTY_KeyPress(line, c) : form_->TxtX_KeyPress(line, c);
    if (becomes == c) return false;
    (yCell ? form_->TxTY : form_->TxtX)[line]->insert(QString(QChar(becomes)));
    return true;
  }

  FormXYinput* form_;
};

}  // namespace

void FormXYinput::ConnectGrid() {
  cellEvents_ = new CellEvents(this);
  for (int i = 0; i < kVisibleRows; ++i) {
    connect(TxtX[i], &QLineEdit::textChanged, this, [this, i] { TxtX_Change(i); });
    connect(TxTY[i], &QLineEdit::textChanged, this, [this, i] { TxTY_Change(i); });
    TxtX[i]->installEventFilter(cellEvents_);
    TxTY[i]->installEventFilter(cellEvents_);
  }
  // Also while the thumb is dragged: the lines follow it.
  connect(VScroll1, &QScrollBar::valueChanged, this, [this] { VScroll1_Change(); });
}

void FormXYinput::CellChange(TableColumn& column, const QLineEdit* cell, int Index) {
  if (refilling_) return;
  const std::string text = plat::Utf16ToCp1252(cell->text().toStdU16String());
  const bool blank = text.find_first_not_of(' ') == std::string::npos;
  const int row = VScroll1->value() + Index;
  if (row < 0 || row >= kTableRows) return;
  column[row] = blank ? kEmptyTableValue : ValNUM(text);
  if (cell == cellEdit_.cell) cellEdit_.typed = true;
}

void FormXYinput::TxtX_Change(int Index) { CellChange(X, TxtX[Index], Index); }

void FormXYinput::TxTY_Change(int Index) { CellChange(Y, TxTY[Index], Index); }

void FormXYinput::BeginCellEdit(TableColumn& column, QLineEdit* cell, int Index) {
  const int row = VScroll1->value() + Index;
  cellEdit_ = CellEdit{cell, &column, Index, row, row < kTableRows ? column[row] : kEmptyTableValue, cell->text(),
                       false};
}

bool FormXYinput::CancelCellEdit(const QLineEdit* cell) {
  if (cell != cellEdit_.cell || !cellEdit_.typed || cellEdit_.row < 0 || cellEdit_.row >= kTableRows) return false;
  const bool wasRefilling = refilling_;
  refilling_ = true;
  cellEdit_.cell->setText(cellEdit_.textBefore);
  refilling_ = wasRefilling;
  (*cellEdit_.column)[cellEdit_.row] = cellEdit_.before;
  cellEdit_.typed = false;
  // As when the cell was entered: typing replaces the value, a further Right moves on.
  cellEdit_.cell->selectAll();
  return true;
}

// Entering a cell selects its text, so that typing replaces it and a further Right moves on.
void FormXYinput::TxtX_GotFocus(int Index) {
  TxtX[Index]->selectAll();
  BeginCellEdit(X, TxtX[Index], Index);
}

void FormXYinput::TxTY_GotFocus(int Index) {
  TxTY[Index]->selectAll();
  BeginCellEdit(Y, TxTY[Index], Index);
}

char FormXYinput::TxtX_KeyPress(int, char KeyAscii) const {
  if ((KeyAscii == ',' || KeyAscii == '.') && !SimboloDecimal.empty()) return SimboloDecimal.front();
  return KeyAscii;
}

char FormXYinput::TxTY_KeyPress(int Index, char KeyAscii) const { return TxtX_KeyPress(Index, KeyAscii); }

void FormXYinput::ScrollBy(int delta) { VScroll1->setValue(VScroll1->value() + delta); }

bool FormXYinput::TxtX_KeyDown(int Index, int KeyCode) {
  const int value = VScroll1->value();
  const bool canScrollDown = value < VScroll1->maximum();
  const bool canScrollUp = value > VScroll1->minimum();
  switch (KeyCode) {
    case Qt::Key_Down:
      if (Index < kLastLine) {
        TxtX[Index + 1]->setFocus(Qt::OtherFocusReason);
      } else if (canScrollDown) {
        ScrollBy(1);
      }
      return true;
    case Qt::Key_Up:
      if (Index > 0) {
        TxtX[Index - 1]->setFocus(Qt::OtherFocusReason);
      } else if (canScrollUp) {
        ScrollBy(-1);
      }
      return true;
    case Qt::Key_Left:
      if (!CaretAtStart(TxtX[Index])) return false;
      if (Index > 0) {
        TxTY[Index - 1]->setFocus(Qt::OtherFocusReason);
        return true;
      }
      if (!canScrollUp) return false;
      ScrollBy(-1);
      TxTY[0]->setFocus(Qt::OtherFocusReason);
      return true;
    case Qt::Key_Right:
      if (!CaretAtEnd(TxtX[Index])) return false;
      TxTY[Index]->setFocus(Qt::OtherFocusReason);
      return true;
    case Qt::Key_Escape:
      return CancelCellEdit(TxtX[Index]);
    default:
      if (!IsEnter(KeyCode)) return false;
      TxTY[Index]->setFocus(Qt::OtherFocusReason);
      return true;
  }
}

bool FormXYinput::TxTY_KeyDown(int Index, int KeyCode) {
  const int value = VScroll1->value();
  const bool canScrollDown = value < VScroll1->maximum();
  const bool canScrollUp = value > VScroll1->minimum();
  // Right at the end and Enter go on to the next line's x cell, scrolling at the last line.
  const auto nextLine = [&] {
    if (Index < kLastLine) {
      TxtX[Index + 1]->setFocus(Qt::OtherFocusReason);
    } else if (canScrollDown) {
      ScrollBy(1);
      TxtX[kLastLine]->setFocus(Qt::OtherFocusReason);
    }
  };
  switch (KeyCode) {
    case Qt::Key_Down:
      if (Index < kLastLine) {
        TxTY[Index + 1]->setFocus(Qt::OtherFocusReason);
      } else if (canScrollDown) {
        ScrollBy(1);
      }
      return true;
    case Qt::Key_Up:
      if (Index > 0) {
        TxTY[Index - 1]->setFocus(Qt::OtherFocusReason);
      } else if (canScrollUp) {
        ScrollBy(-1);
      }
      return true;
    case Qt::Key_Left:
      if (!CaretAtStart(TxTY[Index])) return false;
      TxtX[Index]->setFocus(Qt::OtherFocusReason);
      return true;
    case Qt::Key_Right:
      if (!CaretAtEnd(TxTY[Index])) return false;
      if (Index == kLastLine && !canScrollDown) return false;
      nextLine();
      return true;
    case Qt::Key_Escape:
      return CancelCellEdit(TxTY[Index]);
    default:
      if (!IsEnter(KeyCode)) return false;
      // At the very last cell Enter has nowhere to go; it still closes nothing.
      nextLine();
      return true;
  }
}

void FormXYinput::VScroll1_Change() {
  // The cells' change handlers must not write the shortened texts back into the copy.
  const bool wasRefilling = refilling_;
  refilling_ = true;
  const int first = VScroll1->value();
  for (int i = 0; i < kVisibleRows; ++i) {
    const int row = first + i;
    LblNUM[i]->setText(QString::number(row + 1));
    if (row < kTableRows && X[row] != kEmptyTableValue) {
      TxtX[i]->setText(QText(FormatNUM(X[row], kCellDigits, SimboloDecimal)));
      TxTY[i]->setText(QText(FormatNUM(Y[row], kCellDigits, SimboloDecimal)));
    } else {
      TxtX[i]->clear();
      TxTY[i]->clear();
    }
  }
  refilling_ = wasRefilling;
  // The lines now show the copy as it stands: the cell being edited starts its edit afresh on
  // the row it shows now, so that Escape never puts an old value into a scrolled, cleared or
  // replaced table.
  if (cellEdit_.cell) BeginCellEdit(*cellEdit_.column, cellEdit_.cell, cellEdit_.line);
}

void FormXYinput::MouseWheel(int /*MouseKeys*/, int Rotation, int /*Xpos*/, int /*Ypos*/) {
  if (VScroll1->isHidden()) return;
  const int min = VScroll1->minimum();
  const int max = VScroll1->maximum();
  const int d = max >= min ? 1 : -1;
  const int step = VScroll1->singleStep();
  int v = 0;
  if (Rotation > 0) {
    v = VScroll1->value() - d * step;
    if ((d == 1 && v < min) || (d == -1 && v > min)) v = min;
  } else {
    v = VScroll1->value() + d * step;
    if ((d == 1 && v > max) || (d == -1 && v < max)) v = max;
  }
  VScroll1->setValue(v);
}

}  // namespace stagora::designer
