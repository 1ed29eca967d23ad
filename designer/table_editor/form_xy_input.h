// FormXYinput, the equilibrium-table editor: a modal window in which the user edits a working
// copy of the x-y table in a grid of 12 visible rows over the 100 rows of the table, opens and
// saves table files, cuts, copies and pastes rows through the clipboard, and hands the copy
// back when OK finds it sound. It opens on a table edit (the table, its use, the component
// names and the table folder) and answers with the same record once it has closed; the main
// window fills the one and applies the other. Controls carry their classic names as object
// names ("TxtX_0", "TxTY_11", "VScroll1", "LabelB_3") so that tests can find them.
#pragma once

#include <QDialog>
#include <array>
#include <string>

#include "common/language_table.h"
#include "common/wheel_hook_ui.h"
#include "designer/calculation/equilibrium.h"
#include "designer/files/table_rows_text.h"

class QLabel;
class QLineEdit;
class QScrollBar;

namespace stagora {
class ImageControl;
class ShapeControl;
}  // namespace stagora

namespace stagora::designer {

inline constexpr int kVisibleRows = 12;
inline constexpr int kEditorButtons = 8;

// A table edit: what the editor opens on and, once it has closed, what it hands back.
struct TableEdit {
  // The table; handed back, the accepted one.
  EquilibriumTable TablaELV;
  // The table is in use instead of alpha. Handed back, True when a table was accepted, and
  // False once OK was pressed without one being accepted.
  bool UsarTabla = false;
  // The component names (Windows-1252); handed back, the accepted ones.
  std::string A;
  std::string B;
  // The folder of the last table file; handed back, the one the editor's file dialogs used
  // last, also when nothing was accepted.
  std::string PathTabla;
  // The decimal symbol the cells show and type, "." or ",": the main window's.
  std::string SimboloDecimal = ".";
  // OK handed a sound table back.
  bool accepted = false;
  // The accepted table or names differ from what the editor opened on, or the table was not
  // in use then: an unsaved change of the project.
  bool changed = false;
};

class FormXYinput : public QDialog, public WheelTarget {
 public:
  // The editor over parent, opening on `start`.
  explicit FormXYinput(QWidget* parent, TableEdit start = {});
  ~FormXYinput() override;

  // Lays the window out, reads its language file and takes the working copy of the table and
  // of the component names it opens on. Runs before the window is first shown.
  void Form_Load();
  // What the editor hands back: as it opened until OK accepts a table.
  const TableEdit& Answer() const { return answer_; }

  // --- Public operations -------------------------------------------------------------------
  std::string GetL_win(const std::string& Etiqueta, bool RemoveAMPERSAND = false) const;
  void LoadIdioma(const std::string& OBJ);
  // The rows with both values set onto the clipboard, as text.
  void Copiar();
  // Copiar, then Borrar.
  void Cortar();
  // One row per wheel message, up for a turn away from the user; only Rotation counts.
  void MouseWheel(int MouseKeys, int Rotation, int Xpos, int Ypos) override;
  // Asks for a table or project file and takes its names and rows.
  void Abrir();
  // Checks the working copy; hands it back and closes when it is sound, else says why.
  void Aceptar();
  // Empties every row of the working copy and shows the grid from the top.
  void Borrar();
  // Closes without handing anything back.
  void Cancelar();
  // Asks for a name (".vle" added when missing) and writes the table file.
  void Guardar();
  // Rows read from the clipboard's text replace the table from its first row.
  void Pegar();
  void SetLanguage();

  // --- Event handlers ----------------------------------------------------------------------
  void Form_Activate();
  void Form_Unload();
  void LabelB_Click(int Index);
  void LabelB_MouseDown(int Index);
  void LabelB_MouseUp(int Index);
  void TxtX_Change(int Index);
  void TxTY_Change(int Index);
  void TxtX_GotFocus(int Index);
  void TxTY_GotFocus(int Index);
  // KeyCode is the platform's key. True when the key was used up here, false when it goes on
  // to the cell as usual. Escape is used up only by a cell typed in since it was entered: it
  // puts back what the cell held then; otherwise it goes on to the window, which cancels.
  bool TxtX_KeyDown(int Index, int KeyCode);
  bool TxTY_KeyDown(int Index, int KeyCode);
  // The character a key types into a cell: "," and "." both type the decimal symbol.
  char TxtX_KeyPress(int Index, char KeyAscii) const;
  char TxTY_KeyPress(int Index, char KeyAscii) const;
  // Refills the 12 visible rows from the working copy.
  void VScroll1_Change();

  // --- Form state ------------------------------------------------------------------------------
  TableColumn X{};  // the working copy, -1 in an empty cell
  TableColumn Y{};
  std::string A;  // the more volatile component (Windows-1252)
  std::string B;  // the less volatile component
  std::string SimboloDecimal;  // the decimal symbol of the cells, "." or ","
  std::array<int, kEditorButtons> BotonLeft{};
  std::array<int, kEditorButtons> BotonTop{};

  // --- Controls --------------------------------------------------------------------------------
  std::array<QLineEdit*, kVisibleRows> TxtX{};
  std::array<QLineEdit*, kVisibleRows> TxTY{};
  std::array<QLabel*, kVisibleRows> LblNUM{};
  std::array<QLabel*, 5> Label1{};
  QScrollBar* VScroll1 = nullptr;
  ShapeControl* Shape1 = nullptr;
  std::array<ImageControl*, kEditorButtons> Image1{};
  std::array<QLabel*, kEditorButtons> LabelB{};

 protected:
  void changeEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void done(int result) override;

 private:
  void CreateControls();
  void PlaceControls();
  // Hands the cells' changes, focus and keys and the scroll bar's moves to their handlers.
  void ConnectGrid();
  // The cell change of either column: the text read as a number into the working copy.
  void CellChange(TableColumn& column, const QLineEdit* cell, int Index);
  // Value moved by delta, refilling the rows (nothing when it would leave Min..Max).
  void ScrollBy(int delta);
  // Scrolls to the top and refills, also when the grid is at the top already.
  void ShowFromTop();
  // A cell entered (or showing another row after a refill): what its row holds now is what
  // Escape puts back.
  void BeginCellEdit(TableColumn& column, QLineEdit* cell, int Index);
  // Escape in a cell: when it was typed in since BeginCellEdit, its text and its row's value as
  // they were then, and true; else false.
  bool CancelCellEdit(const QLineEdit* cell);
  // A file error in the editor's form: key, path, error number and description.
  void FileErrorMessage(const std::string& key, const std::string& path, int number, const std::string& description);

  // What the editor opened on: a table handed back that differs from it is an unsaved change
  // of the project.
  const TableEdit start_;
  TableEdit answer_;
  // Raised while the lines are refilled from the working copy, so that the cells' change
  // handlers do not write the shortened texts back into it.
  bool refilling_ = false;
  // The edit of the cell last entered: the cell, its line, the row it shows, the row's value
  // and the cell's text when it was entered, and whether it has been typed in since. A value
  // goes into the copy at every keystroke, so Escape needs these to take the edit back whole,
  // also the digits the cell does not show.
  struct CellEdit {
    QLineEdit* cell = nullptr;
    TableColumn* column = nullptr;
    int line = -1;
    int row = -1;
    double before = kEmptyTableValue;
    QString textBefore;
    bool typed = false;
  };
  CellEdit cellEdit_;
  LanguageTable idioma_{"TXY"};
  QObject* cellEvents_ = nullptr;    // routes the cells' focus and key events to their handlers
  QObject* buttonEvents_ = nullptr;  // the pressed look and the clicks of the label buttons
};

// Shows the editor modally over parent on `start` and returns its answer when it has closed.
TableEdit ShowFormXYinput(QWidget* parent, const TableEdit& start);

}  // namespace stagora::designer
