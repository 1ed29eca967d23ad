#include "viewer/engine/viewer_values.h"

#include <cmath>

namespace stagora::engine {

double Zoom = 1.0;
double Pi = 4.0 * std::atan(1.0);

std::string SimboloDecimal = ".";
std::string SimboloExponente = "\xD7" "10";
std::string SimboloLista = ";";
std::string SignoMultiplicar = "\xD7";
std::string SignoDividir = "\xF7";
std::string ParentesisAbre = "(";
std::string ParentesisCierra = ")";
std::string SimboloFA = "n";
std::string SimboloDT = "&sigma";
std::string SimboloMoneda = "\x80";
std::string NombreMonedaSing = "euro";
std::string NombreMonedaPlur = "euros";

std::string TempPath;

plat::Surface* DestinoPantalla = nullptr;
plat::Surface* DestinoImpresora = nullptr;

MessagePumpFn MessagePump = nullptr;

}  // namespace stagora::engine
