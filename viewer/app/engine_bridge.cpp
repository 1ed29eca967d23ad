#include "viewer/app/engine_bridge.h"

#include <QCoreApplication>
#include <QEventLoop>

#include "viewer/app/viewer_state.h"
#include "viewer/engine/htfc_engine.h"

namespace stagora::viewer {
namespace {

bool drawing = false;

// Repaints and timers run while a page is drawn; the user's clicks and keys wait, so that
// none of them starts a second drawing inside the first.
void PumpWindowEvents() { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); }

void HandValuesToEngine() {
  engine::Zoom = Zoom;
  engine::Pi = Pi;
  engine::SimboloDecimal = SimboloDecimal;
  engine::SimboloExponente = SimboloExponente;
  engine::SimboloLista = SimboloLista;
  engine::SignoMultiplicar = SignoMultiplicar;
  engine::SignoDividir = SignoDividir;
  engine::ParentesisAbre = ParentesisAbre;
  engine::ParentesisCierra = ParentesisCierra;
  engine::SimboloFA = SimboloFA;
  engine::SimboloDT = SimboloDT;
  engine::SimboloMoneda = SimboloMoneda;
  engine::NombreMonedaSing = NombreMonedaSing;
  engine::NombreMonedaPlur = NombreMonedaPlur;
  engine::TempPath = TempPath;
  engine::MessagePump = &PumpWindowEvents;
}

}  // namespace

void InitEngine() {
  HandValuesToEngine();
  engine::InitHTFC();
}

bool DrawOnPagePicture(const std::string& text, double size, plat::Surface& picture) {
  if (drawing) return false;
  drawing = true;
  HandValuesToEngine();
  engine::DestinoPantalla = &picture;
  engine::DibujarHTFC(text, size, picture);
  drawing = false;
  return true;
}

bool EngineBusy() { return drawing; }

PageLayoutReport LastPageLayout() {
  PageLayoutReport r;
  r.BloqueCorte = engine::BloqueCorte;
  r.MargenSup = engine::MargenSup;
  r.MargenInf = engine::MargenInf;
  r.MargenIzq = engine::MargenIzq;
  r.MargenDer = engine::MargenDer;
  r.NumMarcas = engine::NumMarcas;
  return r;
}

}  // namespace stagora::viewer
