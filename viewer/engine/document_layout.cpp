#include "viewer/engine/document_layout.h"

#include <algorithm>
#include <cmath>
#include <string_view>
#include <utility>
#include <vector>

#include "viewer/engine/line_renderer.h"
#include "viewer/engine/markup_parsing.h"
#include "viewer/engine/symbol_table.h"

namespace stagora::engine {
namespace {

constexpr double kPageMargin = 16 * kTwipsPerMm;  // 907.0866 twips
// The printer's unprintable edges, taken off its margins.
constexpr double kPrinterLeftEdge = 348;
constexpr double kPrinterRightEdge = 148;
constexpr double kPrinterTopEdge = 287;
constexpr double kPrinterBottomEdge = 286;
constexpr double kBaseFontSize = 12;
constexpr double kDefaultSizeOfZoom = 5;  // a size of 0 or less becomes this times the zoom
constexpr double kLeadingFraction = 1.0 / 5;  // the gap between lines, of the height of "H"
constexpr double kIndentFactor = 0.73;
// Any fixed 18-character text serves: only the ratio of its widths in two fonts is used.
constexpr std::string_view kSampleText = "Stagora page ruler";
constexpr std::string_view kLineBreak = "&LF";
constexpr std::string_view kIndentCode = "&LSAN=";
constexpr std::string_view kMarkCode = "#MARK";
constexpr std::size_t kMarkNumberOffset = 6;  // the mark's number follows "#MARK="
// The number is three digits: what follows them is the block's own text, even when it
// begins with digits ("#MARK=025" then "21: ...").
constexpr std::size_t kMarkNumberDigits = 3;

// Every occurrence from left to right, the scan going on after each replacement. The result
// is built in one pass: replacing in place would move the rest of the text at every
// occurrence, and a long text full of them would take quadratic time.
void ReplaceAll(std::string& s, std::string_view from, std::string_view to) {
  std::size_t pos = s.find(from);
  if (pos == std::string::npos) return;
  std::string out;
  out.reserve(s.size());
  std::size_t done = 0;
  for (; pos != std::string::npos; pos = s.find(from, done)) {
    out.append(s, done, pos - done);
    out.append(to);
    done = pos + from.size();
  }
  out.append(s, done, std::string::npos);
  s = std::move(out);
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::string copy = text;
  ReplaceAll(copy, "\r\n", "");  // a CR LF does not break a line: the text is joined
  std::vector<std::string> lines;
  std::size_t from = 0;
  for (;;) {
    const std::size_t at = copy.find(kLineBreak, from);
    if (at == std::string::npos) {
      lines.push_back(copy.substr(from));
      return lines;
    }
    lines.push_back(copy.substr(from, at - from));
    from = at + kLineBreak.size();
  }
}

void SetPageGeometry(plat::Surface& target, EngineState& s, const ViewerValues& v) {
  if (v.IsScreenTarget(target)) {
    s.AnchoPagina = (target.width() - 2) * v.ScreenTwipsPerPixelX();
    s.AltoPagina = (target.height() - 2) * v.ScreenTwipsPerPixelY();
    s.MargenIzq = s.MargenDer = s.MargenSup = s.MargenInf = kPageMargin * v.Zoom;
    return;
  }
  // Paper: the platform always offers at least its PDF-file printer.
  if (v.IsPrinterTarget(target)) {
    s.AnchoPagina = target.width();
    s.AltoPagina = target.height();
  }
  s.MargenIzq = kPageMargin - kPrinterLeftEdge;
  s.MargenDer = kPageMargin - kPrinterRightEdge;
  s.MargenSup = kPageMargin - kPrinterTopEdge;
  s.MargenInf = kPageMargin - kPrinterBottomEdge;
}

struct FontState {
  plat::FontSpec font;
  plat::Color foreColor;
};

// "&LSAN=n:" sets the left indent of this and the following lines to n millimetres, scaled
// to the font in force; the code is cut out of the line.
void TakeIndent(std::string& line, plat::Surface& target, double sampleWidth, EngineState& s) {
  const std::size_t p = line.find(kIndentCode);
  if (p == std::string::npos) return;
  const std::size_t q = line.find(':', p);
  const double mm = Val(std::string_view(line).substr(p + kIndentCode.size()));
  line = line.substr(0, p) + (q == std::string::npos ? std::string() : line.substr(q + 1));
  const double ratio = sampleWidth > 0 ? target.textWidth(kSampleText) / sampleWidth : 1.0;
  s.SangriaIzq = ratio * (mm * kTwipsPerMm) * kIndentFactor;
}

// Lays out one line, wrapped into as many pieces as the usable width needs, each measured
// and then drawn below the previous one. False when a piece no longer fits above the page's
// foot: nothing of it is drawn. Without `draw` a piece is only measured; a piece cut from a
// longer line is then measured once more by itself, so that the font and the style leave it
// as drawing it would (the measure of the whole line may have gone on past its end).
bool LayOutLine(std::string_view line, plat::Surface& target, long mark, double& y, double& lastFoot, EngineState& s,
                const ViewerValues& v, bool draw) {
  std::string part, unused;
  const LineBlocks blocks(s, line);  // every piece is a part of the line
  for (bool firstPiece = true;; firstPiece = false) {
    s.ContadorCajas = 1;
    s.NivelFraccion = 0;
    s.NivelIndice = 0;
    const FontState saved{target.font(), target.foreColor()};
    const double h = target.textHeight("H");

    s.ModoDibujo = kModoMedir;
    ProcesarLinea(line, target, part, s, v);
    const plat::FontSpec measuredFont = target.font();

    // The draw pass starts from the font the measure pass started from.
    s.ContadorCajas = 1;
    s.ModoDibujo = kModoDibujar;
    s.NivelFraccion = 0;
    s.NivelIndice = 0;
    target.setFont(saved.font);
    target.setForeColor(saved.foreColor);

    // The line's measures (not its text, which may be long).
    CajaHTFC box;
    box.DesplazamientoX = s.TablaCajas(1).DesplazamientoX;
    box.AltoSobre = s.TablaCajas(1).AltoSobre;
    box.AltoBajo = s.TablaCajas(1).AltoBajo;
    target.setCurrentX(box.DesplazamientoX + s.SangriaIzq + s.MargenIzq);
    target.setCurrentY(box.AltoSobre + y + s.MargenSup);
    if (target.currentY() >= s.AltoPagina - s.MargenInf - (box.AltoBajo + box.AltoSobre)) {
      // A mark whose first line is not drawn opens no band on this page.
      if (firstPiece && mark >= 0) --s.NumMarcas;
      return false;
    }
    const double top = target.currentY();
    if (draw) {
      s.MarcaPendiente = firstPiece ? mark : -1;
      ProcesarLinea(line.substr(0, part.empty() ? line.size() : part.size()), target, unused, s, v);
      s.MarcaPendiente = -1;
    } else if (!part.empty()) {
      s.ContadorCajas = 1;
      s.ModoDibujo = kModoMedir;
      ProcesarLinea(line.substr(0, part.size()), target, unused, s, v);
    } else {
      target.setFont(measuredFont);  // the whole line was measured: its font is as drawing leaves it
    }
    lastFoot = top + box.AltoBajo;
    if (v.MessagePump) v.MessagePump();
    y += box.AltoSobre + box.AltoBajo + h * kLeadingFraction;
    if (part.empty()) return true;
    line.remove_prefix(std::min(part.size(), line.size()));
  }
}

}  // namespace

void InitHTFC(EngineState& state, ViewerValues& viewer) {
  state.ColorLinea = 0;
  viewer.Pi = 4.0 * std::atan(1.0);
  (void)TablaSimbolos();
}

std::string SustituirMacros(const std::string& line, const ViewerValues& v) {
  const std::pair<std::string_view, const std::string*> kPlaceholders[] = {
      {"&.", &v.SimboloDecimal},     {"&,", &v.SimboloLista},     {"&\xB7", &v.SignoMultiplicar},
      {"&:", &v.SignoDividir},       {"&(", &v.ParentesisAbre},   {"&)", &v.ParentesisCierra},
      {"&FA", &v.SimboloFA},         {"&DT", &v.SimboloDT},       {"&SM", &v.SimboloMoneda},
      {"&NSM", &v.NombreMonedaSing}, {"&NPM", &v.NombreMonedaPlur},
  };
  std::string out = line;
  for (const auto& [code, value] : kPlaceholders) ReplaceAll(out, code, *value);
  ReplaceAll(out, "&sen", "sin");
  ReplaceAll(out, "&and", "and");
  return out;
}

namespace {

void LayOutDocument(const std::string& text, double& size, plat::Surface& target, EngineState& s,
                    const ViewerValues& v, bool draw) {
  if (size <= 0) size = kDefaultSizeOfZoom * v.Zoom;
  s.ColorLinea = 0;
  s.NumMarcas = 0;
  s.SangriaIzq = 0;
  const std::vector<std::string> lines = SplitLines(text);

  target.setScaleMode(plat::ScaleMode::Twips);
  double y = 0;
  target.setFontName("Times New Roman");
  target.setFontItalic(false);
  target.setFontBold(false);
  target.setFontStrikethru(false);
  target.setFontUnderline(false);
  target.setForeColor(0);

  const double baseSize = v.IsScreenTarget(target)
                              ? v.ScreenTwipsPerPixelX() * kBaseFontSize / kScreenFontTwipsPerPixel * v.Zoom
                              : kBaseFontSize * v.Zoom;
  SetFontSizeChecked(target, baseSize);
  const double sampleWidth = target.textWidth(kSampleText);
  SetFontSizeChecked(target, size);

  SetPageGeometry(target, s, v);
  s.BloqueCorte = 0;

  double lastFoot = 0;  // foot of the last line drawn, where the last band ends
  for (std::string line : lines) {
    line = SustituirMacros(line, v);
    long mark = -1;  // the band this line opens
    if (line.compare(0, kMarkCode.size(), kMarkCode) == 0) {
      s.BloqueCorte = RoundToLong(
          Val(std::string_view(line).substr(std::min(kMarkNumberOffset, line.size()), kMarkNumberDigits)));
      if (s.NumMarcas < kMaxMarcas) {
        mark = s.NumMarcas++;
        s.MarcaSeleccionada[static_cast<std::size_t>(mark)] = false;
        s.MarcaPagina[static_cast<std::size_t>(mark)] = s.BloqueCorte;
      }
    }
    TakeIndent(line, target, sampleWidth, s);
    if (!LayOutLine(line, target, mark, y, lastFoot, s, v, draw)) {
      s.BloqueCorte = -s.BloqueCorte;
      break;
    }
  }
  if (s.NumMarcas >= 1) s.MarcaAbajo[static_cast<std::size_t>(s.NumMarcas - 1)] = lastFoot;
}

}  // namespace

void DibujarHTFC(const std::string& text, double& size, plat::Surface& target, EngineState& s,
                 const ViewerValues& v) {
  LayOutDocument(text, size, target, s, v, true);
}

void MedirHTFC(const std::string& text, double& size, plat::Surface& target, EngineState& s,
               const ViewerValues& v) {
  LayOutDocument(text, size, target, s, v, false);
}

}  // namespace stagora::engine
