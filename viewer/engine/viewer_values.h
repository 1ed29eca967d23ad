// The viewer's shared values that the typesetting engine reads while it draws. They belong to
// the viewer (its start-up, zoom menu, decimal-symbol switch and page drawing set them) but
// live here, below the engine, so that the engine, its tests and the command-line renderer
// reach them without the viewer's windows.
#pragma once

#include <string>

namespace plat {
class Surface;
}

namespace stagora::engine {

// View scale, 1.0 = 100 %; forced to 1.0 while printing.
extern double Zoom;
// 4 * arctangent(1); set by the viewer's start-up and again by InitHTFC.
extern double Pi;

// The placeholders' current values (Windows-1252 text).
extern std::string SimboloDecimal;    // "." or ","
extern std::string SimboloExponente;  // "\xD7" "10" (times ten)
extern std::string SimboloLista;
extern std::string SignoMultiplicar;
extern std::string SignoDividir;
extern std::string ParentesisAbre;
extern std::string ParentesisCierra;
extern std::string SimboloFA;
extern std::string SimboloDT;
extern std::string SimboloMoneda;
extern std::string NombreMonedaSing;
extern std::string NombreMonedaPlur;

// The user's temporary folder without a trailing separator (images extracted by the viewer).
extern std::string TempPath;

// The two targets the engine tells apart by identity: the viewer's page picture and the
// printer. The caller sets the one it draws on before each DibujarHTFC call.
extern plat::Surface* DestinoPantalla;
extern plat::Surface* DestinoImpresora;

// Called once after every drawn line so that a long rendering keeps the window responsive.
// The viewer installs its event-loop pump; the engine itself knows no event loop.
using MessagePumpFn = void (*)();
extern MessagePumpFn MessagePump;

}  // namespace stagora::engine
