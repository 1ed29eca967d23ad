#include "viewer/app/engine_bridge.h"

#include <QCoreApplication>
#include <QEventLoop>

#include "viewer/app/viewer_state.h"
#include "viewer/engine/htfc_engine.h"

namespace stagora::viewer {
namespace {

bool drawing = false;

// The engine's running state, for the life of the viewer.
engine::EngineState& State() {
  static engine::EngineState state;
  return state;
}

// Repaints and timers run while a page is drawn; the user's clicks and keys wait, so that
// none of them starts a second drawing inside the first.
void PumpWindowEvents() { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); }

bool Draw(const std::string& text, double size, plat::Surface& target, const engine::ViewerValues& values,
          bool measureOnly = false) {
  if (drawing) return false;
  drawing = true;
  if (measureOnly) {
    engine::MedirHTFC(text, size, target, State(), values);
  } else {
    engine::DibujarHTFC(text, size, target, State(), values);
  }
  drawing = false;
  return true;
}

}  // namespace

void InitEngine() {
  EngineValues.MessagePump = PumpWindowEvents;
  engine::InitHTFC(State(), EngineValues);
}

bool DrawOnPagePicture(const std::string& text, double size, plat::Surface& picture, double zoomScale) {
  EngineValues.DestinoPantalla = &picture;
  if (zoomScale == 1.0) return Draw(text, size, picture, EngineValues);
  engine::ViewerValues scaled = EngineValues;
  scaled.Zoom *= zoomScale;
  return Draw(text, size, picture, scaled);
}

bool MeasureOnPagePicture(const std::string& text, double size, plat::Surface& picture, double zoomScale) {
  EngineValues.DestinoPantalla = &picture;
  if (zoomScale == 1.0) return Draw(text, size, picture, EngineValues, true);
  engine::ViewerValues scaled = EngineValues;
  scaled.Zoom *= zoomScale;
  return Draw(text, size, picture, scaled, true);
}

bool DrawOnPrinter(const std::string& text, double size, plat::Surface& printer) {
  // The view's own values stay as they are: a repaint or layout that runs between the lines
  // still sees the view's zoom.
  engine::ViewerValues paper = EngineValues;
  paper.Zoom = 1.0;
  paper.DestinoImpresora = &printer;
  return Draw(text, size, printer, paper);
}

bool EngineBusy() { return drawing; }

PageLayoutReport LastPageLayout() {
  const engine::EngineState& s = State();
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
bool InTable(long k) { return k >= 1 && k <= State().NumMarcas && k <= engine::kMaxMarcas; }

}  // namespace

double MarcaArriba(long k) { return InTable(k) ? State().MarcaArriba[k - 1] : 0; }
double MarcaAbajo(long k) { return InTable(k) ? State().MarcaAbajo[k - 1] : 0; }
bool MarcaSeleccionada(long k) { return InTable(k) && State().MarcaSeleccionada[k - 1]; }
long MarcaPagina(long k) { return InTable(k) ? State().MarcaPagina[k - 1] : 0; }

void SetMarcaSeleccionada(long k, bool on) {
  if (InTable(k)) State().MarcaSeleccionada[k - 1] = on;
}

}  // namespace stagora::viewer
