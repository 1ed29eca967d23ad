// Everything the viewer asks of the typesetting engine goes through here: its one-time
// set-up, drawing mark-up on the page picture or the printer, and what the engine reports
// back about the page it laid out. Each call works on the viewer's state (viewer_state.h): the
// engine reads its EngineValues and runs on its Engine; no other file of the viewer calls the
// engine.
#pragma once

#include <string>

namespace plat {
class Surface;
}

namespace stagora::viewer {

struct ViewerState;

// The engine's tables, once, before anything is drawn.
void InitEngine(ViewerState& viewer);

// What the engine reports about the page it laid out last.
struct PageLayoutReport {
  long BloqueCorte = 0;  // 0 no mark met, > 0 the last mark, < 0 minus the mark that did not fit
  double MargenSup = 0, MargenInf = 0, MargenIzq = 0, MargenDer = 0;  // twips
  long NumMarcas = 0;
};

// The zoom argument below when a page is laid out at the view's own zoom.
inline constexpr double kViewZoom = 0;

// Lays out and draws `text` on the page picture at the base size `size` (points), with the
// viewer's zoom, symbols and scratch folder. The picture must be in twips. False (nothing
// drawn) while another drawing is still running.
//
// A page on the screen is laid out in one go: no window event runs in between, so nothing a
// click or key does can reach the engine's state, or the picture, half way through. A page is
// all one call lays out, which takes milliseconds; long work (pagination) lets the window
// answer between its pages.
//
// With a zoom other than kViewZoom the page is laid out at that zoom (text and margins); the
// view's own zoom stays as it is.
bool DrawOnPagePicture(ViewerState& viewer, const std::string& text, double size, plat::Surface& picture,
                       double zoom = kViewZoom);

// Lays `text` out on a page picture as DrawOnPagePicture would, drawing nothing: for
// pagination's trial pages, which read only BloqueCorte (LastPageLayout). False while another
// drawing is still running. zoom as for DrawOnPagePicture.
bool MeasureOnPagePicture(ViewerState& viewer, const std::string& text, double size, plat::Surface& picture,
                          double zoom = kViewZoom);

// The same on a printer sheet, at 100 % whatever the view's zoom: paper shows the page at its
// own size. Repaints and timers run between the printed lines; the user's clicks and keys
// wait for the print run.
bool DrawOnPrinter(ViewerState& viewer, const std::string& text, double size, plat::Surface& printer);

PageLayoutReport LastPageLayout(const ViewerState& viewer);

// The section marks of the page drawn last, k from 1 to NumMarcas: the band of block
// MarcaPagina(k) runs from MarcaArriba(k) to MarcaAbajo(k) (twips of the page), and the page
// picture highlights one band at a time. Every drawing rebuilds them, none highlighted.
double MarcaArriba(const ViewerState& viewer, long k);
double MarcaAbajo(const ViewerState& viewer, long k);
bool MarcaSeleccionada(const ViewerState& viewer, long k);
void SetMarcaSeleccionada(ViewerState& viewer, long k, bool on);
long MarcaPagina(const ViewerState& viewer, long k);

}  // namespace stagora::viewer
