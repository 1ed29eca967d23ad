// The viewer's values that the typesetting engine reads while it draws. They belong to the
// viewer (its start-up, zoom menu, decimal-symbol switch and page drawing set them): the
// viewer keeps one ViewerValues and hands it, read-only, to every DibujarHTFC call beside its
// EngineState. The engine never writes them. A fresh value holds the start-up values.
//
// The members keep the names of the mark-up rules.
#pragma once

#include <cmath>
#include <functional>
#include <string>

#include "platform/surface.h"

namespace stagora::engine {

class PictureCache;

struct ViewerValues {
  // View scale, 1.0 = 100 %; the viewer sets it to 1.0 while printing.
  double Zoom = 1.0;
  // 4 * arctangent(1); InitHTFC sets it again.
  double Pi = 4.0 * std::atan(1.0);

  // The placeholders' current values (Windows-1252 text), put in by SustituirMacros.
  std::string SimboloDecimal = ".";        // "." or ","
  std::string SimboloExponente = "\xD7" "10";  // times ten, before the exponent of "&E"
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

  // The user's temporary folder without a trailing separator: images are looked for in its
  // scratch folder (plat::ScratchFolderOf) after the program folder's "img".
  std::string TempPath;

  // The two targets the engine tells apart by identity: the viewer's page picture and the
  // printer. The caller sets the one it draws on before each DibujarHTFC call.
  plat::Surface* DestinoPantalla = nullptr;
  plat::Surface* DestinoImpresora = nullptr;

  // Called once after every drawn line so that a long rendering keeps the window responsive.
  // The viewer installs its event-loop pump; the engine itself knows no event loop.
  std::function<void()> MessagePump;

  // Where the image construct keeps the pictures it decoded, so that a page drawn again does
  // not read and decode its pictures again (images.h); without one every drawing decodes.
  PictureCache* Pictures = nullptr;

  // --- What the drawers derive from these values ------------------------------------------
  bool IsScreenTarget(const plat::Surface& target) const { return &target == DestinoPantalla; }
  bool IsPrinterTarget(const plat::Surface& target) const { return &target == DestinoImpresora; }
  // The screen's twips per pixel (the page picture's, 15 without one).
  double ScreenTwipsPerPixelX() const;
  double ScreenTwipsPerPixelY() const;
  // The ascent of the target's current font in twips.
  double AscentOf(plat::Surface& target) const;
  // A pen width in twips as a whole pixel width on the target (the printer's pixels on the
  // printer, the screen's elsewhere), at least 1.
  int PenPixels(const plat::Surface& target, double twips) const;
};

}  // namespace stagora::engine
