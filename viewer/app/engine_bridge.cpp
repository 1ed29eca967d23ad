#include "viewer/app/engine_bridge.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <utility>

#include "viewer/app/viewer_state.h"
#include "viewer/engine/htfc_engine.h"

namespace stagora::viewer {
namespace {

// Repaints and timers run while a sheet is printed; the user's clicks and keys wait, so that
// none of them starts a second drawing inside the first.
void PumpWindowEvents() { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); }

bool Draw(ViewerState& viewer, const std::string& text, double size, plat::Surface& target,
          const engine::ViewerValues& values, bool measureOnly = false) {
  if (viewer.Busy == Work::Drawing) return false;
  const Work before = std::exchange(viewer.Busy, Work::Drawing);
  if (measureOnly) {
    engine::MedirHTFC(text, size, target, viewer.Engine, values);
  } else {
    engine::DibujarHTFC(text, size, target, viewer.Engine, values);
  }
  viewer.Busy = before;
  return true;
}

bool OnPagePicture(ViewerState& viewer, const std::string& text, double size, plat::Surface& picture, double zoom,
                   bool measureOnly) {
  viewer.EngineValues.DestinoPantalla = &picture;
  if (zoom == kViewZoom || zoom == viewer.Zoom) return Draw(viewer, text, size, picture, viewer.EngineValues, measureOnly);
  engine::ViewerValues at = viewer.EngineValues;
  at.Zoom = zoom;
  return Draw(viewer, text, size, picture, at, measureOnly);
}

}  // namespace

void InitEngine(ViewerState& viewer) {
  // The screen's pages run no event pump (engine_bridge.h); paper's does (DrawOnPrinter).
  viewer.EngineValues.MessagePump = nullptr;
  engine::InitHTFC(viewer.Engine, viewer.EngineValues);
}

bool DrawOnPagePicture(ViewerState& viewer, const std::string& text, double size, plat::Surface& picture,
                       double zoom) {
  return OnPagePicture(viewer, text, size, picture, zoom, false);
}

bool MeasureOnPagePicture(ViewerState& viewer, const std::string& text, double size, plat::Surface& picture,
                          double zoom) {
  return OnPagePicture(viewer, text, size, picture, zoom, true);
}

bool DrawOnPrinter(ViewerState& viewer, const std::string& text, double size, plat::Surface& printer) {
  // The view's own values stay as they are: a repaint or layout that runs between the lines
  // still sees the view's zoom.
  engine::ViewerValues paper = viewer.EngineValues;
  paper.Zoom = 1.0;
  paper.DestinoImpresora = &printer;
  paper.MessagePump = PumpWindowEvents;
  return Draw(viewer, text, size, printer, paper);
}

PageLayoutReport LastPageLayout(const ViewerState& viewer) {
  const engine::EngineState& s = viewer.Engine;
  PageLayoutReport r;
  r.BloqueCorte = s.BloqueCorte;
  r.MargenSup = s.MargenSup;
  r.MargenInf = s.MargenInf;
  r.MargenIzq = s.MargenIzq;
  r.MargenDer = s.MargenDer;
  r.NumMarcas = s.NumMarcas;
  return r;
}

namespace {

// The engine counts its marks from 0; an index outside the table reads as an empty band.
bool InTable(const engine::EngineState& s, long k) { return k >= 1 && k <= s.NumMarcas && k <= engine::kMaxMarcas; }

}  // namespace

double MarcaArriba(const ViewerState& viewer, long k) {
  return InTable(viewer.Engine, k) ? viewer.Engine.MarcaArriba[k - 1] : 0;
}
double MarcaAbajo(const ViewerState& viewer, long k) {
  return InTable(viewer.Engine, k) ? viewer.Engine.MarcaAbajo[k - 1] : 0;
}
bool MarcaSeleccionada(const ViewerState& viewer, long k) {
  return InTable(viewer.Engine, k) && viewer.Engine.MarcaSeleccionada[k - 1];
}
long MarcaPagina(const ViewerState& viewer, long k) {
  return InTable(viewer.Engine, k) ? viewer.Engine.MarcaPagina[k - 1] : 0;
}

void SetMarcaSeleccionada(ViewerState& viewer, long k, bool on) {
  if (InTable(viewer.Engine, k)) viewer.Engine.MarcaSeleccionada[k - 1] = on;
}

}  // namespace stagora::viewer
