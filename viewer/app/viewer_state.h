// The viewer's process-wide state, shared by its windows, its document handling and its page
// machinery. The values the typesetting engine reads while it draws (zoom, symbols, scratch
// folder) live in one engine::ViewerValues, EngineValues; the names below are that object's
// members under the names the rest of the viewer uses. All of it is touched from the one
// user-interface thread only.
#pragma once

#include <string>
#include <vector>

#include "viewer/document/page_blocks.h"
#include "viewer/document/result_document.h"
#include "viewer/engine/images.h"
#include "viewer/engine/viewer_values.h"

namespace stagora::viewer {

// The settings store's application name.
inline constexpr const char* kAppTitle = "OVDR_ENG";
// The main window's caption; a document's name follows after " - ".
inline constexpr const char* kWindowCaption = "Norvath - Ovedra";

// The values handed to every drawing, and the pictures its images were decoded into (kept
// while the document stays open).
extern engine::ViewerValues EngineValues;
extern engine::PictureCache DecodedPictures;

// --- Process and document ----------------------------------------------------------------
// The program's command line after its name, its arguments joined by blanks.
extern std::string CommandLineText;
extern bool SplashShown;        // the start-up splash has closed once
extern std::string& TempPath;   // the user's temporary folder, no trailing separator
extern std::string DocPath;     // full path of the current document
extern bool DocumentLoaded;     // a document is loaded and its page blocks exist
extern ResultSections Document; // StatementText, SolutionText, ResolutionTexts
extern long ViewMode;           // -1, 0, 1 or 2 (see page_blocks.h)
extern double& Zoom;            // view scale, 1.0 = 100 %
// The current view's blocks, as many as the view needs; BlockCount is Blocks.size().
extern std::vector<PageBlock> Blocks;
extern long PageCount;
extern int CurrentPage;

// --- Number symbols and placeholders (Windows-1252) ---------------------------------------
extern std::string& SimboloExponente;
extern std::string& SimboloDecimal;  // also set by documents, the separator menu and settings
extern std::string& SimboloLista;
extern std::string& ParentesisAbre;
extern std::string& ParentesisCierra;
extern std::string& SimboloFA;
extern std::string& SimboloDT;
extern std::string& SimboloMoneda;
extern std::string& NombreMonedaSing;
extern std::string& NombreMonedaPlur;
extern std::string& SignoDividir;
extern std::string& SignoMultiplicar;
extern double& Pi;

inline long BlockCount() { return static_cast<long>(Blocks.size()); }

// Sets the number symbols, the placeholders and Pi to their start values.
void InicializarGlobales();

// The temporary folder as the platform reports it, with one trailing "/" or "\" removed.
std::string TrimOneTrailingSeparator(std::string folder);

// The scratch folder: TempPath's "nrtemp".
std::string ScratchFolder();

// Opens a web address or a document with the desktop; says so when nothing could open it.
void AbrirURL(const std::string& address);

}  // namespace stagora::viewer
