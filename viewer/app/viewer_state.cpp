#include "viewer/app/viewer_state.h"

#include <cmath>

#include "platform/messagebox.h"
#include "platform/paths.h"
#include "platform/shell.h"

namespace stagora::viewer {

engine::PictureCache DecodedPictures;
engine::ViewerValues EngineValues = [] {
  engine::ViewerValues v;
  v.Pictures = &DecodedPictures;
  return v;
}();

std::string CommandLineText;
bool SplashShown = false;
std::string& TempPath = EngineValues.TempPath;
std::string DocPath;
bool DocumentLoaded = false;
ResultSections Document;
long ViewMode = kViewResolution2;
double& Zoom = EngineValues.Zoom;
std::vector<PageBlock> Blocks;
long PageCount = 0;
int CurrentPage = 0;

std::string& SimboloExponente = EngineValues.SimboloExponente;
std::string& SimboloDecimal = EngineValues.SimboloDecimal;
std::string& SimboloLista = EngineValues.SimboloLista;
std::string& ParentesisAbre = EngineValues.ParentesisAbre;
std::string& ParentesisCierra = EngineValues.ParentesisCierra;
std::string& SimboloFA = EngineValues.SimboloFA;
std::string& SimboloDT = EngineValues.SimboloDT;
std::string& SimboloMoneda = EngineValues.SimboloMoneda;
std::string& NombreMonedaSing = EngineValues.NombreMonedaSing;
std::string& NombreMonedaPlur = EngineValues.NombreMonedaPlur;
std::string& SignoDividir = EngineValues.SignoDividir;
std::string& SignoMultiplicar = EngineValues.SignoMultiplicar;
double& Pi = EngineValues.Pi;

void InicializarGlobales() {
  SimboloExponente = "\xD7" "10";  // times ten
  SimboloDecimal = ".";
  ParentesisAbre = "(";
  ParentesisCierra = ")";
  SimboloFA = "n";
  SimboloDT = "&sigma";
  SimboloLista = ";";
  SimboloMoneda = "\x80";  // the euro sign
  NombreMonedaSing = "euro";
  NombreMonedaPlur = "euros";
  SignoDividir = "\xF7";
  SignoMultiplicar = "\xD7";
  Pi = 4 * std::atan(1.0);
}

std::string TrimOneTrailingSeparator(std::string folder) {
  if (!folder.empty() && (folder.back() == '/' || folder.back() == '\\')) folder.pop_back();
  return folder;
}

std::string ScratchFolder() { return plat::JoinPath(TempPath, "nrtemp"); }

void AbrirURL(const std::string& address) {
  if (!plat::OpenWithDesktop(address)) {
    plat::MsgBox("Sorry, cannot connect\r\n" + address, plat::kExclamation);
  }
}

}  // namespace stagora::viewer
