// What the viewer's main window is busy with while it lets events run, the commands that can
// arrive meanwhile, and what each of them does then. The table (WhileWorking) is the one
// place that decides; docs/architecture.md shows it, and every handler of the window asks it.
#pragma once

namespace stagora::viewer {

// What the window is doing. Works nest: a view chosen while pages are found is paged inside
// the pagination it replaces, a sheet is drawn inside a print run.
enum class Work {
  Idle,
  Opening,   // a document is read; the first one lets the window answer between its steps
  Paging,    // the view's blocks are placed on pages; the window answers between two pages
  Drawing,   // the engine draws a page or a sheet; a sheet lets repaints and timers run
  Saving,    // the document is written (no event runs meanwhile)
  Printing,  // File > Print sends the chosen pages, sheet after sheet
};

// The commands a user gives the window, grouped by what they touch.
enum class Command {
  Close,     // the close box, Alt+F4, File > Exit
  Open,      // File > Open, a recent document, dropped files, the command line
  View,      // a view or a decimal separator: the view's blocks are built and paged anew
  Zoom,      // a zoom command, fit to width
  TurnPage,  // the page buttons and the keys that turn or scroll the page
  LastPage,  // End
  DrawPage,  // the page shown drawn again (DibujarPagina)
  Save,      // File > Save As
  Print,     // File > Print
};
inline constexpr int kCommandKinds = 9;

enum class Answer {
  Run,      // runs meanwhile
  Wait,     // runs once the window is idle again; asked again meanwhile, it still runs once
  Replace,  // runs at once; the work it finds stops at its next step, its own work taking over
  Stop,     // the work running stops at its next step; the command runs once the window is idle
  Refuse,   // nothing is done (a page button beeps)
};

// What `command` does when it arrives while the window does `work`. Idle runs everything.
Answer WhileWorking(Work work, Command command);

// The mouse pointer shows the hourglass while the window does `work`: the user waits for it.
// Pages are found while the user reads page 1, so paging shows the ordinary pointer.
bool ShowsHourglass(Work work);

}  // namespace stagora::viewer
