// What the print dialogs of both programs share, handler for handler: the printer list that
// chooses the program's current printer, the copies box coupled with its spinner, the collate
// option with its two pictures, Esc, and the two picture buttons (Print and Cancel) with their
// pressed look. Each program's dialog derives from PrintDialogBase, lays these controls out,
// adds its own and says what its two buttons do.
//
// Also shared: the question for the file a printout to the PDF-file printer goes into, and the
// way a dialog is shown modally (with a test seam in place of the user).
#pragma once

#include <QDialog>
#include <QFont>
#include <array>
#include <functional>
#include <string>

#include "common/language_table.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QToolButton;

namespace plat {
class PrinterSurface;
}

namespace stagora {

// Arial at a nominal size for 15 twips per pixel, scaled so that the text keeps its pixel
// size whatever the screen's resolution setting.
QFont PrintDialogFont(double nominal, bool bold = false);

// An image box the size of its picture. Takes no mouse: a caption over it gets the clicks.
class PictureBoxWidget : public QWidget {
 public:
  PictureBoxWidget(QWidget* parent, const QString& name, QPixmap picture);
  const QPixmap& picture() const { return picture_; }

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  QPixmap picture_;
};

// A rectangle with a one-pixel border and an inside colour, behind the controls. Takes no
// mouse.
class PanelWidget : public QWidget {
 public:
  PanelWidget(QWidget* parent, const QString& name, QColor border, QColor fill);

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  QColor border_;
  QColor fill_;
};

// A vertical spinner of two arrows over a whole number from 1 to 1999: the upper arrow adds
// one, the lower one takes one away, one step per click (repeated while held).
class CopiesSpinner : public QWidget {
 public:
  CopiesSpinner(QWidget* parent, const QString& name);
  int value() const { return value_; }
  // Runs onChange only when the value changes; a value outside the range is not taken.
  void setValue(int v);
  void stepUp() { setValue(value_ + 1); }
  void stepDown() { setValue(value_ - 1); }
  std::function<void()> onChange;
  QToolButton* upArrow() const { return up_; }
  QToolButton* downArrow() const { return down_; }

 protected:
  void resizeEvent(QResizeEvent*) override;

 private:
  int value_ = 1;
  QToolButton* up_;
  QToolButton* down_;
};

class PrintDialogBase : public QDialog {
 public:
  // printer: the program's current printer, which the printer list renames. objectCode: the
  // dialog's language object.
  PrintDialogBase(QWidget* parent, plat::PrinterSurface& printer, const std::string& objectCode);

  // The dialog's own language texts, loaded from its language object on first use.
  std::string GetL_win(const std::string& Etiqueta, bool RemoveAMPERSAND = false) const;
  void LoadIdioma(const std::string& OBJ);
  bool IdiomaCargado() const { return idioma_.IdiomaCargado(); }

  // --- The shared handlers -----------------------------------------------------------------
  // The printer whose name is selected in the list becomes the program's current printer;
  // with no such printer nothing changes.
  void Combo1_Click();
  void ChkCOLLATE_Click();
  // An empty box is left empty while it has the focus; otherwise the spinner takes the count
  // when it lies within the spinner's range.
  void Text1_Change();
  // Entering the box, by Tab or by a click, selects the count.
  void Text1_GotFocus();
  // Up and Down move the count by one; true when the key is to be discarded (anything but
  // Left, Right, Delete, Backspace and the digits).
  bool Text1_KeyDown(int KeyCode);
  // The character the box takes: digits and Backspace, 0 for anything else.
  int Text1_KeyPress(int KeyAscii);
  void Text1_LostFocus();
  void VScroll1_Change();
  // Esc (27) runs the cancelling operation, whichever control has the focus.
  void Form_KeyPress(int KeyAscii);
  // Button 0 runs the accepting operation, button 1 the cancelling one.
  void Label3_Click(int Index);
  void Label3_MouseDown(int Index);
  void Label3_MouseUp(int Index);

  // --- Controls and form state -------------------------------------------------------------
  QComboBox* Combo1 = nullptr;    // the printers
  QLabel* Label1 = nullptr;       // caption of the copies box
  QLineEdit* Text1 = nullptr;     // copies, at most 4 characters
  CopiesSpinner* VScroll1 = nullptr;
  QCheckBox* ChkCOLLATE = nullptr;
  std::array<PictureBoxWidget*, 2> ImgCOLLATE{};  // 0 uncollated order, 1 collated order
  std::array<PictureBoxWidget*, 2> Image1{};      // button faces, 0 Print, 1 Cancel
  std::array<QLabel*, 2> Label3{};                // button captions
  std::array<int, 2> BotonLeft{};                 // the buttons' rest positions
  std::array<int, 2> BotonTop{};

 protected:
  // The dialog's own accepting and cancelling operations.
  virtual void AcceptRequest() = 0;
  virtual void CancelRequest() = 0;

  // Pieces of a dialog's load.
  // The count back to " 1" and the spinner to 1.
  void ResetCopies();
  // Every printer's name in the platform's order, the current printer selected (nothing
  // selected when it is not in the list); the list hidden when there is no printer.
  void FillPrinterList();
  // Faces and captions to their rest positions, each caption as wide as its face.
  void PlaceButtons();
  // Esc reaches the dialog from this control too.
  void WatchKeys(QWidget* control);
  // A caption as a label shows it: "&&" is one ampersand, a lone "&" is not shown.
  static QString LabelText(const std::string& cp1252);
  static QString Text(const std::string& cp1252);

  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

  plat::PrinterSurface& printer_;

 private:
  bool Text1Event(QEvent* event);
  LanguageTable idioma_;
  bool selectOnRelease_ = false;  // the box was entered by a click not yet released
};

// Shows a print dialog modally and returns when it has closed. While a script is installed
// (tests), the script gets the loaded dialog instead of the user and is to close it.
using PrintDialogScript = std::function<void(QDialog&)>;
PrintDialogScript SetPrintDialogScript(PrintDialogScript script);
void ShowPrintDialog(QDialog& dialog);

// Asks where a printout to the PDF-file printer goes: a save dialog offering proposedPath's
// name (a name ending in ".pdf") in lastFolder, the program's folder used last, or while that
// is "" in proposedPath's own folder; the chosen file's folder becomes lastFolder. The chosen
// path, or "" when the user cancelled.
std::string AskPdfFileName(QWidget* owner, const std::string& title, const std::string& proposedPath,
                           std::string& lastFolder);
// Where a print run starts: the PDF-file printer asks for its file (AskPdfFileName) and writes
// there; other printers need nothing. False when the user cancelled: nothing is to be printed.
bool ChoosePrinterOutput(QWidget* owner, plat::PrinterSurface& printer, const std::string& title,
                         const std::string& proposedPath, std::string& lastPdfFolder);

}  // namespace stagora
