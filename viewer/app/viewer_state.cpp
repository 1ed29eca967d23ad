#include "viewer/app/viewer_state.h"

#include <cmath>

#include "platform/messagebox.h"
#include "platform/paths.h"
#include "platform/shell.h"

namespace stagora::viewer {

ViewerState::ViewerState() {
  EngineValues.Pictures = &DecodedPictures;
  InicializarGlobales();
}

void ViewerState::InicializarGlobales() {
  engine::ViewerValues& v = EngineValues;
  v.SimboloExponente = "\xD7" "10";  // times ten
  v.SimboloDecimal = ".";
  v.ParentesisAbre = "(";
  v.ParentesisCierra = ")";
  v.SimboloFA = "n";
  v.SimboloDT = "&sigma";
  v.SimboloLista = ";";
  v.SimboloMoneda = "\x80";  // the euro sign
  v.NombreMonedaSing = "euro";
  v.NombreMonedaPlur = "euros";
  v.SignoDividir = "\xF7";
  v.SignoMultiplicar = "\xD7";
  v.Pi = 4 * std::atan(1.0);
}

std::string ViewerState::ScratchFolder() const { return plat::ScratchFolderOf(TempPath); }

void AbrirURL(const std::string& address) {
  if (!plat::OpenWithDesktop(address)) {
    plat::MsgBox("Sorry, cannot connect\r\n" + address, plat::kExclamation);
  }
}

}  // namespace stagora::viewer
