// FormMain, the viewer's main window: a toolbar strip at the top, the page picture on a grey
// ground with its shadow, a page bar at the bottom and a scroll strip at the right, the File,
// View and Help menus and two layout timers. Controls carry their classic names as object
// names ("Picture1", "PicToolB_2", "mnu_Ver_RES1") so that every part of the program, and
// the tests, can find them; indexed families are arrays indexed as the names say.
#pragma once

#include <QMainWindow>
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "common/language_table.h"
#include "common/wheel_hook_ui.h"
#include "viewer/app/viewer_state.h"

class QAction;
class QLabel;
class QMenu;
class QTimer;

namespace plat {
class ImageSurface;
class PrinterSurface;
}

namespace stagora {
class ImageControl;
class LineControl;
class ShapeControl;
}  // namespace stagora

namespace stagora::viewer {

class PagePicture;
class ScrollBarControl;
class Strip;

constexpr int kToolButtons = 9;
constexpr int kRecentEntries = 9;
constexpr int kMaxPendingFiles = 16;

// The scale each page fits with at `zoom` (pages are found at 100 %, where every page fits
// whole; at another zoom one may be laid out a little smaller).
struct PageFit {
  double zoom = 0;
  std::map<long, double> scales;
};

class FormMain : public QMainWindow, public WheelTarget {
 public:
  // Builds the window as designed: controls, menus and timers with their design values.
  // Nothing is read from files or settings until Form_Load. Its state starts as the
  // viewer's start-up leaves it, the engine made ready.
  explicit FormMain(QWidget* parent = nullptr);
  ~FormMain() override;

  // The viewer's state, which this window owns (viewer_state.h).
  ViewerState& State() { return state_; }
  const ViewerState& State() const { return state_; }

  // The window's load, once, before the window is first shown.
  void Form_Load();
  bool Loaded() const { return loaded_; }
  // Shows the window and makes it the active one. Without a window manager no activation
  // ever arrives, so the first activation's work then runs here, once.
  void ShowAndActivate();
  // While the start-up splash shows, before the window is first shown: loads the window, fits
  // the page to its width and opens the document the command line names, so that page 1 is
  // drawn when the splash closes. The first activation then finds nothing left to do.
  void PrepareBehindSplash();

  // --- Public operations -------------------------------------------------------------------
  // Loads the document DocPath names.
  void OpenFile();
  // Draws page CurrentPage of the current view on the page picture.
  void DibujarPagina();
  // Prints page `Page` of the current view as one sheet on `printer` at 100 %, whatever the
  // view's zoom, with its number at the foot, and ends the sheet (the caller ends the document).
  void ImprimirPagina(long Page, plat::PrinterSurface& printer);
  void NoSoluciones();
  // Places the current view's blocks on pages and shows page 1 as soon as its blocks are
  // placed; the window answers clicks and keys while the later pages are found. A view or a
  // document chosen meanwhile ends this pagination and starts its own.
  void PAGINAR();
  // Pages are still being found (PageCount is the pages found so far).
  bool Paginating() const;
  // Rebuilds the current view's blocks and everything that follows from them.
  void MakeResolutionLevel();
  void Resolucion1();
  void Resolucion2();
  // Writes the loaded document to DocPath with the images its mark-up names.
  void SaveFile();
  void SetLanguaje();
  void SoloSolucion();
  void MouseWheel(int MouseKeys, int Rotation, int Xpos, int Ypos) override;
  void ActualizarBotones();
  std::string GetL_win(const std::string& Etiqueta, bool RemoveAMPERSAND = false) const;
  void OpenDRAGDROPFiles_Command();
  void ProcesaCommand();
  std::string HallaNombreLargo(const std::string& NombreCorto) const;
  void LoadIdioma(const std::string& OBJ);

  // --- Event handlers ----------------------------------------------------------------------
  void Form_Activate();
  void Form_Deactivate();
  void Form_Resize();
  void Form_Unload();
  void Timer1_Timer();
  void Timer4_Timer();
  void mnu_File_Open_Click();
  void mnu_File_Reciente_Click(int Index);
  void mnu_File_SaveAs_Click();
  void mnu_File_Exit_Click();
  void mnu_Ver_NOSOL_Click() { NoSoluciones(); }
  void mnu_Ver_SOLOSOL_Click() { SoloSolucion(); }
  void mnu_Ver_RES1_Click() { Resolucion1(); }
  void mnu_Ver_RES2_Click() { Resolucion2(); }
  void mnu_Ver_SEP_COM_Click();
  void mnu_Ver_SEP_PTO_Click();
  void mnu_zoomANCHO_Click();
  void mnu_Ayuda_ACE_Click();
  void mnu_zoom50_Click();
  void mnu_zoom75_Click();
  void mnu_zoom100_Click();
  void mnu_zoom150_Click();
  void mnu_zoom200_Click();
  void VScroll1_Change();
  void VScroll1_Scroll();
  void HScroll1_Change();
  void HScroll1_Scroll();
  void ImgLPage_Click();
  void ImgLPage_MouseDown();
  void ImgLPage_MouseUp();
  void ImgRPage_Click();
  void ImgRPage_MouseDown();
  void ImgRPage_MouseUp();
  // Keys of the main window, seen before the control that has the focus. KeyCode uses the
  // classic key codes (33 Page Up ... 40 Down arrow); it becomes 0 when the key was handled.
  void Form_KeyDown(int& KeyCode, int Shift);
  // The page picture's pointer: X and Y in twips of the page. Button and Shift are not looked at.
  void Picture1_MouseMove(int Button, int Shift, float X, float Y);
  void Picture1_MouseDown(int Button, int Shift, float X, float Y);
  void mnu_File_Print_Click();
  void PicToolB_Click(int Index);
  void PicToolB_MouseDown(int Index);
  void PicToolB_MouseUp(int Index);
  void LblBut_Click(int Index) { PicToolB_Click(Index); }
  void mnu_Ayuda_MAN_Click();
  void mnu_Ayuda_WEB_Click();
  // The print button's tooltip names the current printer.
  void RenewPrintToolTip();
  // Files dragged over and dropped on the page picture (full paths, in the order given).
  // OLEDragOver says whether the drop is welcome.
  bool Picture1_OLEDragOver(const std::vector<std::string>& files) const;
  void Picture1_OLEDragDrop(const std::vector<std::string>& files);

  // --- Form state ----------------------------------------------------------------------------
  bool FitWidthPending = false;
  Qt::WindowStates LastWindowState;
  std::array<bool, kToolButtons> ToolButtonVisible{};
  std::array<std::string, kRecentEntries + 1> RecentFiles;   // entries 1 to 9
  std::array<std::string, kRecentEntries + 1> RecentTitles;  // their menu captions, 1 to 9
  std::array<std::string, kMaxPendingFiles + 1> PendingFiles;  // entries 1 to 16
  long PendingCount = 0;
  std::string LastFolder;

  // --- Controls --------------------------------------------------------------------------------
  QWidget* Client = nullptr;  // the form's client area, under the menu bar
  Strip* tbToolbar1 = nullptr;
  ImageControl* ImgBack = nullptr;
  LineControl* Line1 = nullptr;
  std::array<ImageControl*, kToolButtons> PicToolB{};
  std::array<QLabel*, kToolButtons> LblBut{};
  Strip* Picture2 = nullptr;
  ImageControl* ImgLPage = nullptr;
  ImageControl* ImgRPage = nullptr;
  QLabel* LbPage = nullptr;
  std::array<ShapeControl*, 2> Shape1{};
  ScrollBarControl* HScroll1 = nullptr;
  Strip* Picture3 = nullptr;
  ScrollBarControl* VScroll1 = nullptr;
  PagePicture* Picture1 = nullptr;
  ShapeControl* ShapeShadow = nullptr;
  QTimer* Timer1 = nullptr;
  QTimer* Timer4 = nullptr;

  // --- Menus ---------------------------------------------------------------------------------
  // The menu bar is built from its table (form_main_menus.cpp); the menus and commands the
  // window's code shows, hides, enables, opens or marks are kept here as well.
  QMenu* mnu_File = nullptr;
  QAction* mnu_File_SaveAs = nullptr;
  QAction* mnu_File_Print = nullptr;
  QAction* zep04 = nullptr;
  QAction* mnu_File_Exit = nullptr;
  std::array<QAction*, kRecentEntries + 1> mnu_File_Reciente{};  // 1 to 9
  QMenu* mnu_Ver = nullptr;
  QAction* mnu_Ver_NOSOL = nullptr;
  QAction* mnu_Ver_SOLOSOL = nullptr;
  QAction* mnu_Ver_RES1 = nullptr;
  QAction* mnu_Ver_RES2 = nullptr;
  QMenu* mnu_zoom = nullptr;
  QAction* mnu_zoomANCHO = nullptr;
  QAction* mnu_zoom50 = nullptr;
  QAction* mnu_zoom75 = nullptr;
  QAction* mnu_zoom100 = nullptr;
  QAction* mnu_zoom150 = nullptr;
  QAction* mnu_zoom200 = nullptr;
  QAction* mnu_Ver_SEP_PTO = nullptr;
  QAction* mnu_Ver_SEP_COM = nullptr;
  QMenu* mnu_Ayuda = nullptr;

 protected:
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // One piece of work of this window (what it is busy with, window_work.h), for as long as
  // it lives. Works nest, the innermost being the window's state (ViewerState::Busy); when the
  // outermost ends, the commands that waited for it run.
  class Working {
   public:
    Working(FormMain& form, Work kind);
    ~Working();
    Working(const Working&) = delete;
    Working& operator=(const Working&) = delete;
    // It was told to stop (a close, or new blocks paged in its place): it ends at its next step.
    bool Stopped() const { return stopped_; }

   private:
    friend class FormMain;
    FormMain& form_;
    const Work kind_;
    const Work before_;
    Working* const outer_;
    bool stopped_ = false;
  };

  // Whether `command` runs now, as the table says for what the window is doing
  // (WhileWorking). When it is to wait, `later` runs once the window is idle again, in place
  // of any command of its kind that waits already; when it stops the running work, that work
  // is told so.
  bool Ready(Command command, std::function<void()> later);
  // Runs the first command that waits, once the window is idle.
  void RunWaitingCommand();
  // The command of `command`'s kind that waits (empty when none does).
  std::function<void()>& Waiting(Command command) { return waiting_[static_cast<std::size_t>(command)]; }
  // Starts the idle run when the window is idle and a command waits.
  void RunWaitingWhenIdle();
  // Lets the window answer clicks and keys between two steps of `work`; false when `work` was
  // told to stop meanwhile.
  bool AnswerBetweenSteps(const Working& work);
  // Each in its own file: the controls as designed, the menus, the layout.
  void CreateControls();
  void CreateMenus();
  // The menus' captions from the language file (SetLanguaje).
  void SetMenuCaptions();
  void Layout(bool withExtraSteps);
  void DockStrips();
  // The controls a load disables while it runs and enables again when it ends.
  void SetDocumentControlsEnabled(bool enabled);
  void SetDecimalSymbol(const std::string& symbol, QAction* own, QAction* other);
  void SelectViewMode(long mode, QAction* item);
  void ShowLoadError(const std::string& reason);
  void LoadSettings();
  // Puts P at the top of the recent list with the caption T.
  void UpdateRecentList(const std::string& P, const std::string& T);
  void ShowRecentItem(int n);
  // SaveFile's work; true when the document was written to DocPath.
  bool SaveDocument();
  // A file the viewer writes could not be written: its path and why, as "Error : n - text"
  // (the description UTF-8, as shown).
  void ShowCantSaveFile(const std::string& path, int number, const std::string& description);
  // Turns dropped files into the drop handlers' calls.
  void InstallDropTarget();
  // Each in its own file: zoom, scrolling, page turning and keys; the section marks; the
  // toolbar's clicks.
  void ConnectZoomCommands();
  void ConnectMarking();
  void ConnectToolbar();
  void FixedZoom(double value, QAction* item);
  void ShowTurnedPage();
  // Page PageCount drawn, from its top.
  void ShowLastPage();
  void InvertBand(long k);
  // The file name offered for a printout to the PDF-file printer.
  std::string ProposedPdfPath() const;

  ViewerState state_;
  // The scales at which pages fit at the current zoom, found as they are drawn.
  PageFit pageFit_;
  LanguageTable idioma_{"ODK"};
  std::vector<QAction*> menuEntries_;  // per row of the menu table: its command, separator or menu entry
  bool loaded_ = false;
  bool activatedOnce_ = false;
  // The width the page was fitted to before the window was first shown (0: it was not).
  int widthFittedHidden_ = 0;
  bool unloaded_ = false;
  // The work running, innermost first (null when idle), and the commands waiting for the
  // window to be idle, at most one of each kind.
  Working* work_ = nullptr;
  std::array<std::function<void()>, kCommandKinds> waiting_;
  QTimer* idleRun_ = nullptr;
  // The page trial pages are laid out on, at 100 %, apart from the page shown.
  std::unique_ptr<plat::ImageSurface> pagingPage_;
  // The path of the document in memory: DocPath goes back to it when a load fails.
  std::string shownDocPath_;
};

// The one main window of the program: created on first use.
FormMain& TheFormMain();
bool FormMainExists();

// The page label's font as designed.
QFont PageLabelFont();

}  // namespace stagora::viewer
