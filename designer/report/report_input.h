// What the worked solution is written from: the design as the main window's fields show it,
// the kept results of the last calculation and the window's language texts. The report reads
// only this, so it can be written, and checked, without a window.
#pragma once

#include <functional>
#include <string>

namespace stagora {

// The language text of a key ("" for a key the file lacks), ampersands kept.
using LanguageLookup = std::function<std::string(const std::string& key)>;

struct ReportInput {
  // The last calculation failed (its error text is up): nothing is written.
  bool designInError = false;

  // Input fields as typed, Windows-1252.
  std::string Text1;   // relative volatility
  std::string Text2;   // q
  std::string Text3;   // zF
  std::string Text4;   // xD
  std::string Text5;   // xB
  std::string Text6;   // R
  std::string Text15;  // E
  std::string Text16;  // name of the more volatile component
  std::string Text17;  // name of the less volatile component

  // Result fields, in the decimal symbol.
  std::string Text7;   // Rmin
  std::string Text8;   // q-line ("x = " zF when vertical)
  std::string Text9;   // enriching line
  std::string Text10;  // stripping line
  std::string Text11;  // "xq = ..;   yq = .."
  std::string Text12;  // "xm = ..;   ym = .."
  std::string Text13;  // feed plate
  std::string Text14;  // real plates

  // The words beside q that name the feed's thermal state, as the label shows them.
  std::string feedStateCaption;

  // Kept by the last successful calculation.
  double PendienteMin = 0;
  double NumPlatosTeor = 0;
  std::string TablaELV_TXT, TablaPlatos_TXT;
  std::string TablaELV_HTFC, TablaPlatos_HTFC;

  // The equilibrium comes from the table, whose last row is UltimoPuntoTabla (-1: none).
  bool UsarTabla = false;
  int UltimoPuntoTabla = -1;

  std::string SimboloDecimal = ".";
  LanguageLookup GetL_win;
};

}  // namespace stagora
