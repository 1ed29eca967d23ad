// The viewer's state: one ViewerState, owned by the main window (FormMain::State()) and
// shared through it by the window's parts, its document handling and its page machinery. The
// values the typesetting engine reads while it draws (zoom, symbols, scratch folder) live in
// its EngineValues; the reference members below are those values under the names the rest of
// the viewer uses. All of it is touched from the one user-interface thread only.
#pragma once

#include <string>
#include <vector>

#include "platform/paths.h"
#include "viewer/app/window_work.h"
#include "viewer/document/page_blocks.h"
#include "viewer/document/result_document.h"
#include "viewer/engine/engine_state.h"
#include "viewer/engine/images.h"
#include "viewer/engine/viewer_values.h"

namespace stagora::viewer {

// The settings store's application name.
inline constexpr const char* kAppTitle = "OVDR_ENG";
// The main window's caption; a document's name follows after " - ".
inline constexpr const char* kWindowCaption = "Norvath - Ovedra";

struct ViewerState {
  // The start-up values: the number symbols, the placeholders and Pi as InicializarGlobales
  // sets them, no document, the resolution-2 view at 100 %.
  ViewerState();
  // Its values point into it (EngineValues.Pictures, the references below): it stays where it
  // was made.
  ViewerState(const ViewerState&) = delete;
  ViewerState& operator=(const ViewerState&) = delete;

  // The pictures the document's images were decoded into (kept while the document stays
  // open), and the values handed to every drawing, whose Pictures is DecodedPictures.
  engine::PictureCache DecodedPictures;
  engine::ViewerValues EngineValues;
  // The engine's running state for every drawing of this viewer (engine_bridge.h).
  engine::EngineState Engine;
  // What the main window is busy with, the innermost of the works it runs (window_work.h);
  // Drawing while the engine draws, which never starts a second drawing inside the first.
  Work Busy = Work::Idle;

  // --- Process and document --------------------------------------------------------------
  // The program's command line: its arguments after its name, each one whole (see
  // CommandLineFromArguments).
  std::vector<std::string> CommandLineArguments;
  bool SplashShown = false;  // the start-up splash has closed once
  std::string& TempPath = EngineValues.TempPath;  // the user's temporary folder, no trailing separator
  std::string DocPath;           // full path of the current document
  std::string PathPdf;           // folder of the last printout to a PDF file, "" until one is chosen
  // The scratch files the documents opened show (HoldShownScratchFiles): the images written
  // there and the designer's worked solutions, left by the clean-up of designers' starts
  // until the window unloads.
  plat::ScratchClaim ScratchFilesHeld;
  bool DocumentLoaded = false;   // a document is loaded and its page blocks exist
  ResultSections Document;       // StatementText, SolutionText, ResolutionTexts
  long ViewMode = kViewResolution2;  // -1, 0, 1 or 2 (see page_blocks.h)
  double& Zoom = EngineValues.Zoom;  // view scale, 1.0 = 100 %
  // The current view's blocks, as many as the view needs; BlockCount is Blocks.size().
  std::vector<PageBlock> Blocks;
  long PageCount = 0;
  int CurrentPage = 0;
  // "." or ","; also set by documents, the separator menu and settings. The other symbols and
  // placeholders the engine substitutes are EngineValues' own.
  std::string& SimboloDecimal = EngineValues.SimboloDecimal;

  long BlockCount() const { return static_cast<long>(Blocks.size()); }

  // Sets the number symbols, the placeholders and Pi to their start values.
  void InicializarGlobales();

  // The scratch folder of TempPath.
  std::string ScratchFolder() const;
};


// Opens a web address or a document with the desktop; says so when nothing could open it.
void AbrirURL(const std::string& address);

}  // namespace stagora::viewer
