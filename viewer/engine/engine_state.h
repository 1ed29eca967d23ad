// What the whole engine shares: the box table through which the measure pass and the draw
// pass of a line agree on every construct's size and place, the pass and nesting counters,
// the page geometry, the page-break handshake and the section marks, and the small target
// helpers every drawer needs. The state is module-wide and not re-entrant: one DibujarHTFC
// call finishes before the next begins, on the viewer's one thread.
//
// Lengths are twips of the target, font sizes points.
#pragma once

#include <array>
#include <string>

#include "platform/surface.h"

namespace stagora::engine {

constexpr double kTwipsPerMm = 1440.0 / 25.4;
// Font sizes in the mark-up are meant for a screen of this many twips per pixel.
constexpr double kScreenFontTwipsPerPixel = 15.0;

// One construct's measures, written by its measure pass and read by its draw pass.
struct CajaHTFC {
  double DesplazamientoX = 0;  // added to CurrentX before the construct draws
  double Avance = 0;           // advance width after DesplazamientoX
  double AltoSobre = 0;        // reach above the top of the surrounding text line
  double AltoEje = 0;          // from the top reference down to the construct's axis
  double AltoBajo = 0;         // extent below the top reference
  std::string Texto;           // the mark-up as measured
  double InicioX = 0;          // CurrentX / CurrentY when the draw pass entered
  double InicioY = 0;
};

// The box table. Box numbers start at 1 (box 1 is the line being laid out); the table grows
// as far as a line needs, so a line with many or deeply nested constructs never runs out of
// numbers. A reference stays valid while further boxes are added.
CajaHTFC& TablaCajas(long box);
// The box number of part `part` of the construct whose box is `box`; 0 (an empty box) when
// the measure pass never recorded it.
long SubcajasHTFC(long box, long part);
void SetSubcajasHTFC(long box, long part, long number);

extern long ContadorCajas;  // the running box number
constexpr int kModoMedir = 0;
constexpr int kModoDibujar = 1;
extern int ModoDibujo;      // kModoMedir or kModoDibujar; only DibujarHTFC writes it
extern long NivelFraccion;  // fractions (and the like) open around the current point
extern long NivelIndice;    // exponents and stacked texts open around the current point

// Style state.
extern plat::Color ColorLinea;  // decorations, image frames, chemical-equation strokes
extern plat::Color ColorFondo;  // the fill of the "&FF" figures

// Page geometry, written by every DibujarHTFC call.
extern double AnchoPagina;
extern double AltoPagina;
extern double MargenSup;
extern double MargenInf;
extern double MargenIzq;
extern double MargenDer;
extern double SangriaIzq;  // the "&LSAN" indent in force

// Page-break handshake with pagination. Out of a call: 0 no section mark met, positive every
// line laid out and this was the last mark, negative minus the mark whose block did not fit.
extern long BloqueCorte;

// Section marks of the page last laid out, entries 0 to NumMarcas - 1 in order of meeting
// (entry k is the (k+1)-th "#MARK" line). Tops and bottoms are positions on the target.
constexpr int kMaxMarcas = 500;
extern long NumMarcas;
extern std::array<double, kMaxMarcas> MarcaArriba;
extern std::array<double, kMaxMarcas> MarcaAbajo;
extern std::array<bool, kMaxMarcas> MarcaSeleccionada;  // toggled by the page picture
extern std::array<long, kMaxMarcas> MarcaPagina;        // the mark's block number

// One-time set-up of the tables; the viewer calls it once before any rendering.
void InitHTFC();

// --- Target helpers ----------------------------------------------------------------------
bool IsScreenTarget(const plat::Surface& target);   // the target is DestinoPantalla
bool IsPrinterTarget(const plat::Surface& target);  // the target is DestinoImpresora
// The screen's twips per pixel (the page picture's, 15 without one).
double ScreenTwipsPerPixelX();
double ScreenTwipsPerPixelY();
// The ascent of the target's current font in twips.
double AscentOf(plat::Surface& target);
// A pen width in twips as a whole pixel width on the target (the printer's pixels on the
// printer, the screen's elsewhere), at least 1.
int PenPixels(const plat::Surface& target, double twips);
// Sets the font size unless the size is not one a font can take (not above 0, or above
// kMaxFontSize): then the size in force stays, as a refused property value would leave it.
constexpr double kMaxFontSize = 2160;
void SetFontSizeChecked(plat::Surface& target, double points);

// The font properties a drawer saves on entry and restores on exit.
struct SavedFont {
  std::string name;
  double size = 0;
  bool italic = false;
};
SavedFont SaveFont(const plat::Surface& target);
void RestoreFont(plat::Surface& target, const SavedFont& saved);

// --- Between the document entry and the line renderer -----------------------------------
// The mark the line being drawn opens (its index), or -1: DibujarHTFC sets it for the first
// piece of a counted "#MARK" line, and the renderer records the band's top when it meets the
// mark there.
extern long MarcaPendiente;
// How deep the line renderer is nested inside constructs (0 = the line itself).
extern int ProfundidadLinea;

}  // namespace stagora::engine
