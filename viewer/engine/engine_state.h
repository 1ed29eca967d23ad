// The engine's running state: the box table through which the measure pass and the draw pass
// of a line agree on every construct's size and place, the pass and nesting counters, the
// style state, the page geometry, the page-break handshake and the section marks.
//
// The viewer owns one EngineState and hands it to every DibujarHTFC call (with its
// ViewerValues); the engine keeps nothing between calls anywhere else, not even a cache. After a call the
// viewer reads BloqueCorte, NumMarcas, the marks and the margins from it, and its page
// picture toggles MarcaSeleccionada. One call must finish before the next begins on the same
// state: a call runs the viewer's message pump after each line, and an event handler that
// started another rendering on the same state then would disturb it. A fresh state (a value
// of this type) is as the viewer's start-up leaves it.
//
// The members keep the names of the mark-up rules. Lengths are twips of the target.
#pragma once

#include <array>
#include <deque>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/surface.h"
#include "viewer/engine/folder_listings.h"

namespace stagora::engine {

class BlockCutter;

constexpr double kTwipsPerMm = 1440.0 / 25.4;
// Font sizes in the mark-up are meant for a screen of this many twips per pixel.
constexpr double kScreenFontTwipsPerPixel = 15.0;

// The mark-up a box was measured from: a view into the text of the line being laid out (or
// into a constant text), valid while that text lives, so that a box costs no copy of its
// text however long the construct is or however deep it nests. A temporary string would
// leave it dangling, so it cannot be made from one.
class MarkupView : public std::string_view {
 public:
  MarkupView() = default;
  MarkupView(std::string_view text) : std::string_view(text) {}  // NOLINT: a view is a view
  MarkupView(const std::string& text) : std::string_view(text) {}  // NOLINT
  MarkupView(const char* text) : std::string_view(text) {}  // NOLINT
  MarkupView(std::string&&) = delete;
};

// One construct's measures, written by its measure pass and read by its draw pass.
struct CajaHTFC {
  double DesplazamientoX = 0;  // added to CurrentX before the construct draws
  double Avance = 0;           // advance width after DesplazamientoX
  double AltoSobre = 0;        // reach above the top of the surrounding text line
  double AltoEje = 0;          // from the top reference down to the construct's axis
  double AltoBajo = 0;         // extent below the top reference
  MarkupView Texto;            // the mark-up as measured
  double InicioX = 0;          // CurrentX / CurrentY when the draw pass entered
  double InicioY = 0;
};

// A box's measures and start point without its text: what the drawers and the renderer work
// with, and cheap to copy however long the construct is.
inline CajaHTFC MeasuresOf(const CajaHTFC& box) {
  CajaHTFC m;
  m.DesplazamientoX = box.DesplazamientoX;
  m.Avance = box.Avance;
  m.AltoSobre = box.AltoSobre;
  m.AltoEje = box.AltoEje;
  m.AltoBajo = box.AltoBajo;
  m.InicioX = box.InicioX;
  m.InicioY = box.InicioY;
  return m;
}

constexpr int kModoMedir = 0;
constexpr int kModoDibujar = 1;

// Section marks one page records at most.
constexpr int kMaxMarcas = 500;

struct EngineState {
  // --- The box table ----------------------------------------------------------------------
  // Box numbers start at 1 (box 1 is the line being laid out); the table grows as far as a
  // line needs, so a line with many or deeply nested constructs never runs out of numbers.
  // A reference stays valid while further boxes are added. A negative number reads and
  // writes a scratch box that is emptied on every such call.
  CajaHTFC& TablaCajas(long box);
  // The box number of part `part` of the construct whose box is `box`; 0 (an empty box) when
  // the measure pass never recorded it.
  long SubcajasHTFC(long box, long part) const;
  void SetSubcajasHTFC(long box, long part, long number);

  long ContadorCajas = 1;         // the running box number
  int ModoDibujo = kModoMedir;    // kModoMedir or kModoDibujar; only DibujarHTFC writes it
  long NivelFraccion = 0;         // fractions (and the like) open around the current point
  long NivelIndice = 0;           // exponents and stacked texts open around the current point

  // --- Style state ------------------------------------------------------------------------
  plat::Color ColorLinea = 0;  // decorations, image frames, chemical-equation strokes ("&LC=")
  plat::Color ColorFondo = 0;  // the fill of the "&FF" figures ("&BC=")

  // --- Page geometry, written by every DibujarHTFC call -------------------------------------
  double AnchoPagina = 0;
  double AltoPagina = 0;
  double MargenSup = 0;
  double MargenInf = 0;
  double MargenIzq = 0;
  double MargenDer = 0;
  double SangriaIzq = 0;  // the "&LSAN" indent in force

  // --- Page-break handshake with pagination -----------------------------------------------
  // Out of a call: 0 no section mark met, positive every line laid out and this was the last
  // mark, negative minus the mark whose block did not fit.
  long BloqueCorte = 0;

  // --- Section marks of the page last laid out ---------------------------------------------
  // Entries 0 to NumMarcas - 1 in order of meeting (entry k is the (k+1)-th "#MARK" line).
  // Tops and bottoms are positions on the target.
  long NumMarcas = 0;
  std::array<double, kMaxMarcas> MarcaArriba{};
  std::array<double, kMaxMarcas> MarcaAbajo{};
  std::array<bool, kMaxMarcas> MarcaSeleccionada{};  // toggled by the page picture
  std::array<long, kMaxMarcas> MarcaPagina{};        // the mark's block number

  // --- Between the document entry and the line renderer -------------------------------------
  // The mark the line being drawn opens (its index), or -1: DibujarHTFC sets it for the first
  // piece of a counted "#MARK" line, and the renderer records the band's top when it meets
  // the mark there.
  long MarcaPendiente = -1;
  // How deep the line renderer is nested inside constructs (0 = the line itself).
  int ProfundidadLinea = 0;
  // The constructs of the line being rendered, matched once for the line and all its parts
  // (markup_parsing.h); set by the renderer while it renders the line itself.
  BlockCutter* lineBlocks = nullptr;
  // A line's cutter, kept from line to line and from call to call so that the room its
  // matches take is reused rather than taken anew for every line; free while no line uses it.
  std::shared_ptr<BlockCutter> spareLineBlocks;
  bool spareLineBlocksInUse = false;

  // --- Kept from call to call ---------------------------------------------------------------
  // The folders pictures are looked up in.
  FolderListings imageFolders;
  // The error block of every construct met that does not close, one of each: boxes view the
  // text they were measured from, and these texts are no part of any line.
  std::set<std::string, std::less<>> errorBlocks;

 private:
  std::deque<CajaHTFC> boxes_;
  std::vector<std::vector<long>> parts_;
  CajaHTFC scratchBox_;
};

// --- Font helpers every drawer needs ------------------------------------------------------
// Sets the font size unless the size is not one a font can take (not above 0, or above
// kMaxFontSize): then the size in force stays, as a refused property value would leave it.
constexpr double kMaxFontSize = 2160;
void SetFontSizeChecked(plat::Surface& target, double points);
// Sets the font name unless it is empty or longer than any font's face name can be
// (kMaxFontNameLength characters): then the font in force stays. A document's "&FN=" may run
// on for a megabyte, and every character drawn would carry it.
constexpr std::size_t kMaxFontNameLength = 31;
void SetFontNameChecked(plat::Surface& target, std::string_view name);

// The font properties a drawer saves on entry and restores on exit.
struct SavedFont {
  std::string name;
  double size = 0;
  bool italic = false;
};
SavedFont SaveFont(const plat::Surface& target);
void RestoreFont(plat::Surface& target, const SavedFont& saved);

}  // namespace stagora::engine
