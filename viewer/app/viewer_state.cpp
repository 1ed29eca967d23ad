#include "viewer/app/viewer_state.h"

#include <cmath>

#include "platform/messagebox.h"
#include "platform/paths.h"
#include "platform/shell.h"

namespace stagora::viewer {

std::string CommandLineText;
bool SplashShown = false;
std::string TempPath;
std::string DocPath;
bool DocumentLoaded = false;
ResultSections Document;
long ViewMode = kViewResolution2;
double Zoom = 1.0;
std::vector<PageBlock> Blocks;
long PageCount = 0;
int CurrentPage = 0;

std::string SimboloExponente;
std::string SimboloDecimal = ".";
std::string SimboloLista;
std::string ParentesisAbre;
std::string ParentesisCierra;
std::string SimboloFA;
std::string SimboloDT;
std::string SimboloMoneda;
std::string NombreMonedaSing;
std::string NombreMonedaPlur;
std::string SignoDividir;
std::string SignoMultiplicar;
double Pi = 0;

bool PrintAccepted = false;
std::array<bool, kPrintablePages + 1> PrintPages{};
long PrintCopies = 0;
bool PrintCollate = false;

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
