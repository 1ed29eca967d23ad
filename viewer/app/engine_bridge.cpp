#include "viewer/app/engine_bridge.h"

#include <QCoreApplication>
#include <QEventLoop>

#include "viewer/app/viewer_state.h"
#include "viewer/engine/htfc_engine.h"

namespace stagora::viewer {
namespace {

bool drawing = false;

// The engine's running state and the values it reads, for the life of the viewer.
engine::EngineState& State() {
  static engine::EngineState state;
  return state;
}
engine::ViewerValues& Values() {
  static engine::ViewerValues values;
  return values;
}

// Repaints and timers run while a page is drawn; the user's clicks and keys wait, so that
// none of them starts a second drawing inside the first.
void PumpWindowEvents() { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); }

void HandValuesToEngine() {
  engine::ViewerValues& v = Values();
  v.Zoom = Zoom;
  v.Pi = Pi;
  v.SimboloDecimal = SimboloDecimal;
  v.SimboloExponente = SimboloExponente;
  v.SimboloLista = SimboloLista;
  v.SignoMultiplicar = SignoMultiplicar;
  v.SignoDividir = SignoDividir;
  v.ParentesisAbre = ParentesisAbre;
  v.ParentesisCierra = ParentesisCierra;
  v.SimboloFA = SimboloFA;
  v.SimboloDT = SimboloDT;
  v.SimboloMoneda = SimboloMoneda;
  v.NombreMonedaSing = NombreMonedaSing;
  v.NombreMonedaPlur = NombreMonedaPlur;
  v.TempPath = TempPath;
  v.MessagePump = PumpWindowEvents;
}

}  // namespace

void InitEngine() {
  HandValuesToEngine();
  engine::InitHTFC(State(), Values());
}

bool DrawOnPagePicture(const std::string& text, double size, plat::Surface& picture) {
  if (drawing) return false;
  drawing = true;
  HandValuesToEngine();
  Values().DestinoPantalla = &picture;
  engine::DibujarHTFC(text, size, picture, State(), Values());
  drawing = false;
  return true;
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

}  // namespace stagora::viewer
