// FormMain, the designer's main window: the input panel on the left, the diagram on the
// right, three tool buttons under the panel, the File, Options and Help menus and three
// timers. Controls carry their classic names as object names ("Text1", "Label1_12",
// "Shape1_7", "mnu_Archivo_CALC") so that every part of the program, and the tests, can find
// them; indexed families are arrays indexed as the names say.
#pragma once

#include <QMainWindow>
#include <QPointF>
#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/language_table.h"
#include "designer/calculation/design_data.h"
#include "designer/calculation/result_tables.h"
#include "designer/calculation/stage_stepping.h"
#include "designer/diagram/diagram.h"
#include "designer/report/worked_solution.h"
#include "designer/window/designer_state.h"

class QAction;
class QActionGroup;
class QCloseEvent;
class QLabel;
class QLineEdit;
class QRadioButton;
class QTimer;

namespace stagora {
struct ProjectFileRead;
class ImageControl;
class LineControl;
class ShapeControl;
}  // namespace stagora

namespace stagora::designer {

class ClientArea;
class PictureBox;
struct PrintRequest;
struct TableEdit;

// Where the load places the diagram's readout (pixels on the picture): its left and top
// edges, its width at the designed size, and its height of one line. A drag widens and
// heightens it from there.
inline constexpr int kReadoutLeft = 38;
inline constexpr int kReadoutTop = 53;
inline constexpr int kReadoutWidth = 388;
inline constexpr int kReadoutLineHeight = 17;

class FormMain : public QMainWindow {
 public:
  // Builds the window as designed: every control with its design look and initial text, the
  // menus and the timers. Nothing is read from files or settings until Form_Load.
  explicit FormMain(QWidget* parent = nullptr);
  ~FormMain() override;

  // The window's load: size, layout, language, settings, the input panel, the decimal symbol,
  // the default equilibrium table and design. Runs once, before the window is first shown.
  void Form_Load();
  bool Loaded() const { return loaded_; }

  // The designer's state, which this window owns and hands to what it opens.
  DesignerState& State() { return state_; }
  const DesignerState& State() const { return state_; }

  // --- Public operations -------------------------------------------------------------------
  // Asks for a project file and opens it; a file that is refused changes nothing.
  void Abrir();
  // Writes the project under nombre; on success it becomes the current file.
  void Save(const std::string& nombre);
  // Asks for a name (".sgr" added when missing) and saves under it.
  void Save_As();
  void AjustaIDIOMA_GUI();
  // Empties the design and result fields and the diagram; names, table and mode stay.
  void Borrar();
  // Recalculates the design from the fields and draws it on Lienzo (Picture1 or Picture4),
  // or on the printer when EnImpresora, there in black and white when ImprimirBN; a rejected
  // design shows its error text in LblERROR.
  void Calcular(PictureBox& Lienzo, bool EnImpresora, bool ImprimirBN = false);
  void ColocarControles();
  // Shows the equilibrium-table editor modally; afterwards the design computes with the table
  // accepted there, or with alpha when none was.
  void EditarTABLA_ELV();
  // What the table editor opens on: the shared table and its use, the component names in the
  // fields and the folder of table files.
  TableEdit TableEditStart() const;
  // What the editor handed back: its folder of table files always; an accepted table with its
  // names, and the project marked modified when they changed it.
  void ApplyTableEdit(const TableEdit& edit);
  std::string GetL_win(const std::string& Etiqueta, bool RemoveAMPERSAND = false) const;
  // The two printed result pages, each composed on the current printer and ended there, as
  // the print request asked.
  void ImprimirPAG1();
  void ImprimirPAG2(const PrintRequest& request);
  void SetLanguage();
  void LoadIdioma(const std::string& OBJ);
  void ReajustarCursores();
  // The worked solution of the last calculation as its four mark-up sections, the diagram
  // image named by its bare file name; nothing while the calculation's error is up.
  std::optional<WorkedSolution> HTFC_Informe_NEU(const std::string& Nomb_JPG) const;
  // The body of the first printed page as plain text; "" while the calculation's error is up.
  std::string SemiInformeParaImprimir() const;
  // Writes the worked solution with its diagram image and opens it in the viewer; nothing
  // while the error label is up.
  void CrearINFORME_HTFC();
  // Writes the four sections as a result document in the scratch folder and starts the
  // viewer on it; a document that cannot be written starts nothing.
  void SaveFile_SHOWOVDR(const std::string& statement, const std::string& answer, const std::string& level1,
                         const std::string& level2);

  // --- Event handlers ----------------------------------------------------------------------
  void Form_Activate();
  void Form_Resize();
  // The input fields' families, Index being the field's number (Text1 to Text17); each
  // handler acts only for the fields of its family.
  void Text_GotFocus(int Index);
  // The character a key types into a design field: "," and "." both type the decimal symbol.
  char Text_KeyPress(int Index, char KeyAscii) const;
  void Text_Change(int Index);
  // KeyCode is the platform's key; Enter (either key) recalculates.
  void Text_KeyDown(int Index, int KeyCode);
  void Text16_Change();
  void Text17_GotFocus();
  void mnu_Archivo_CALC_Click();
  void mnu_Archivo_OPEN_Click();
  void mnu_Archivo_SAVE_Click();
  void mnu_Archivo_SAVEAS_Click();
  // File > Print: the print dialog, then the two pages as often as it asked.
  void mnu_Archivo_PRINT_Click();
  void mnu_Archivo_Salir_Click();
  void mnu_Decimal_SEP_COM_Click();
  void mnu_Decimal_SEP_DOT_Click();
  void mnu_Help_Upd_Set_1_Click();
  void mnu_Help_Upd_Set_7_Click();
  void mnu_Help_Upd_Set_30_Click();
  void mnu_Help_update_now_Click();
  // Dragging the slider knobs (Image2) and the diagram's point labels (Label2). Pointer is the
  // pointer's position on the screen in pixels, as the event reports it; any button drags.
  void Image2_MouseDown(int Index, QPointF Pointer);
  void Image2_MouseMove(int Index, QPointF Pointer);
  void Image2_MouseUp(int Index);
  void Label2_MouseDown(int Index, QPointF Pointer);
  void Label2_MouseMove(int Index, QPointF Pointer);
  void Label2_MouseUp(int Index);
  // The diagram's own mouse: the coordinate readout, the curve drag and the table editor's
  // double-click. X and Y are Picture1's pixels.
  void Picture1_MouseDown(double X, double Y);
  void Picture1_MouseMove(double X, double Y);
  void Picture1_MouseUp();
  void Picture1_DblClick();
  void Timer1_Timer();
  void Timer2_Timer();
  void TimerUPD_Timer();

  // The window's life: the question before it closes (a non-zero Cancel keeps it open) and
  // what it leaves behind when it goes.
  void Form_QueryUnload(int& Cancel);
  void Form_Unload();
  // Help menu.
  void mnu_Ayuda_Manual_Click();
  void mnu_Ayuda_WEB_Click();
  void mnu_Ayuda_Acerca_Click();
  // The tool buttons (0 calculate, 1 clear, 2 worked solution, 3 edit the table): pressed
  // look, rest look, action.
  void LabelB_MouseDown(int Index);
  void LabelB_MouseUp(int Index);
  void LabelB_Click(int Index);
  // The equilibrium by relative volatility or by table, and the panel's free surface.
  void OptVOL_Click();
  void OptTAB_Click();
  void OptTAB_DblClick();
  void Picture2_MouseMove();

  // --- Form state ----------------------------------------------------------------------------
  bool Modificado = false;      // the design has unsaved changes
  // The decimal symbol of every number the window shows, "." or ",": read from the settings
  // at load, switched by the Decimal menu, saved at unload, and handed to everything that
  // writes numbers for this window (the calculation, the report, the table editor).
  std::string SimboloDecimal = ".";
  std::string ArchivoActual;    // the current project file, "" while there is none
  std::string MsgAsk2Save;      // the unsaved-changes question
  std::array<int, 4> BotonLeft{};  // rest positions of the four tool buttons
  std::array<int, 4> BotonTop{};
  std::string Txt_q_SUPVap, Txt_q_SATVap, Txt_q_LiqVap, Txt_q_SATLiq, Txt_q_SUBLiq;
  std::string RotuloEjeX, RotuloEjeY;  // the diagram's axis captions
  bool DblClickEditaTabla = false;     // a double-click on the diagram opens the table editor
  // The one drag under way, of a knob or a point label: the pointer's screen position at the
  // press less the pressed control's left and top.
  bool Arrastrando = false;
  double OffsetArrastreX = 0;
  double OffsetArrastreY = 0;
  bool ArrastrandoCurva = false;       // the equilibrium curve is being dragged
  // Results of the last calculation, kept for the report and the printout.
  long CalcularRuns = 0;  // how often Calcular has run: what a test watches to count recalculations
  double NumPlatosTeor = 0;
  double PlatoAlimTeor = 0;
  double PendienteMin = 0;
  // The result tables of the last successful calculation, as plain text (the printout) and as
  // mark-up (the worked solution); all empty before one succeeds. Made when first read after
  // it: a drag calculates on every pointer move, and nothing reads them meanwhile.
  const ResultTables& Tablas() const;

  // --- Controls --------------------------------------------------------------------------------
  ClientArea* Client = nullptr;
  PictureBox* Picture1 = nullptr;  // the diagram
  PictureBox* Picture2 = nullptr;  // the input panel
  PictureBox* Picture3 = nullptr;  // the strip of the two equilibrium options
  PictureBox* Picture4 = nullptr;  // hidden: the report's diagram
  QLabel* LblCOOR = nullptr;
  QLabel* LblERROR = nullptr;
  std::array<QLabel*, 4> Label2{};
  QRadioButton* OptVOL = nullptr;
  QRadioButton* OptTAB = nullptr;
  std::array<QLineEdit*, 18> Text{};   // Text1 .. Text17 at their numbers (field:: names them)
  std::array<QLabel*, 32> Label1{};    // Label1[0] .. Label1[31]
  std::array<ShapeControl*, 13> Shape1{};  // 0 to 9, 11, 12 (no 10)
  ShapeControl* Shape2 = nullptr;
  std::array<LineControl*, 8> Line1{};
  std::array<ImageControl*, 7> Image2{};
  ImageControl* ImageT = nullptr;
  std::array<ImageControl*, 4> Image1{};
  std::array<QLabel*, 4> LabelB{};
  QTimer* Timer1 = nullptr;
  QTimer* Timer2 = nullptr;
  QTimer* TimerUPD = nullptr;

  // --- Menus ---------------------------------------------------------------------------------
  // The menu bar is built from its table (form_main_menus.cpp); the commands whose check
  // marks the window's code puts are kept here as well.
  QAction* mnu_Decimal_SEP_DOT = nullptr;
  QAction* mnu_Decimal_SEP_COM = nullptr;
  QAction* mnu_Help_Upd_Set_1 = nullptr;
  QAction* mnu_Help_Upd_Set_7 = nullptr;
  QAction* mnu_Help_Upd_Set_30 = nullptr;

 protected:
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // Each in its own file: the controls as designed, the menus and timers, the load's
  // placement of every control.
  void CreateControls();
  void CreateInputPanel();
  void CreateMenus();
  // The menus' captions from the language file (SetLanguage).
  void SetMenuCaptions();
  void CreateTimers();
  void PlaceControls();
  void ConnectFieldHandlers();
  // Routes the mouse of the knobs, the point labels and the diagram to their handlers
  // (form_main_drag.cpp).
  void ConnectPointerHandlers();
  // The coordinate readout shows `text` whole over the diagram (form_main_drag.cpp).
  void ShowReadout(const std::string& text);
  void SetPeriodMark(QAction* checked);
  void SetDecimalSymbol(const std::string& symbol, QAction* own, QAction* other);
  void FillDefaultTable();
  // Borrar, then each field whose tag the opened file holds (form_main_files.cpp).
  void FillFieldsFromTags(const ProjectFileRead& project);
  // Everything the worked solution is written from, as the window holds it now.
  ReportInput ReportData() const;
  // The update check's part of the window (form_main_update.cpp).
  void CheckUpdateOnActivation();
  // What Check now says once its answer is in.
  void ReportUpdateCheck(int outcome);
  // Where a printout to the PDF-file printer is first offered to go.
  std::string ProposedPdfPath() const;
  // Each in its own file: the tool buttons, the equilibrium options.
  void ConnectToolButtons();
  void ConnectEquilibriumOptions();
  // The unsaved-changes question before the design is left: True when the caller may go on
  // (no changes, answered No, or answered Yes and saved).
  bool AskToSaveChanges();
  // The smallest window allowed, frame included, as far as the window manager tells the frame.
  void KeepMinimumOuterSize();

  DesignerState state_;
  LanguageTable idioma_{"MAI"};
  std::vector<QAction*> menuEntries_;  // per row of the menu table: its command, separator or menu entry
  QObject* fieldEvents_ = nullptr;  // routes the fields' focus and key events to their handlers
  QObject* pointerEvents_ = nullptr;  // and the mouse of knobs, point labels and diagram
  // Where the last calculation on the screen picture placed each point label's centre, in
  // the picture's pixels; none for a label it left where it was.
  std::array<std::optional<QPointF>, 4> pointCentres_{};
  // How far the diagram's y caption reaches below its first line; the readout keeps below it.
  double yCaptionMoreLines_ = 0;
  // What Tablas() makes the tables of the last successful calculation from, until it has:
  // the staircase, and alpha for an equilibrium table still to be made (the one of the lookup
  // tables is made with the calculation, as the tables may be edited before it is read).
  struct TablesSource {
    bool pending = false;  // the tables are still to be made from it
    Staircase staircase;
    std::optional<double> alpha;
    std::string simbolo;
  };
  // Apart from the window, as the staircase is large; made by the first successful calculation.
  mutable std::unique_ptr<TablesSource> tablesSource_;
  mutable ResultTables tables_;
  // Where the diagram's legends and axis captions went on the window's picture.
  DiagramTextPlaces diagramTextPlaces_;
  bool loaded_ = false;
  bool inResize_ = false;
  // An automatic update check that got no answer, or an empty one, is not repeated on
  // activation for the rest of the run; Check now still asks.
  bool updateCheckGaveUp_ = false;
  bool updateNowWaiting_ = false;  // Check now waits for an answer to report
};

// The one main window of the program: created and loaded on first use.
FormMain& TheFormMain();
// Whether it exists yet.
bool FormMainExists();

}  // namespace stagora::designer
