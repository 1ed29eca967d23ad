#include "viewer/engine/engine_state.h"

#include <cmath>
#include <deque>
#include <vector>

#include "viewer/engine/symbol_table.h"
#include "viewer/engine/viewer_values.h"

namespace stagora::engine {
namespace {

constexpr double kDefaultTwipsPerPixel = 15.0;

std::deque<CajaHTFC> g_boxes;
std::vector<std::vector<long>> g_parts;
CajaHTFC g_scratchBox;  // what a negative box number reads and writes

}  // namespace

long ContadorCajas = 1;
int ModoDibujo = kModoMedir;
long NivelFraccion = 0;
long NivelIndice = 0;

plat::Color ColorLinea = 0;
plat::Color ColorFondo = 0;

double AnchoPagina = 0;
double AltoPagina = 0;
double MargenSup = 0;
double MargenInf = 0;
double MargenIzq = 0;
double MargenDer = 0;
double SangriaIzq = 0;

long BloqueCorte = 0;

long NumMarcas = 0;
std::array<double, kMaxMarcas> MarcaArriba{};
std::array<double, kMaxMarcas> MarcaAbajo{};
std::array<bool, kMaxMarcas> MarcaSeleccionada{};
std::array<long, kMaxMarcas> MarcaPagina{};

long MarcaPendiente = -1;
int ProfundidadLinea = 0;

CajaHTFC& TablaCajas(long box) {
  if (box < 0) {
    g_scratchBox = CajaHTFC{};
    return g_scratchBox;
  }
  const auto n = static_cast<std::size_t>(box);
  if (g_boxes.size() <= n) g_boxes.resize(n + 1);
  return g_boxes[n];
}

long SubcajasHTFC(long box, long part) {
  if (box < 0 || part < 0) return 0;
  const auto b = static_cast<std::size_t>(box), k = static_cast<std::size_t>(part);
  if (b >= g_parts.size() || k >= g_parts[b].size()) return 0;
  return g_parts[b][k];
}

void SetSubcajasHTFC(long box, long part, long number) {
  if (box < 0 || part < 0) return;
  const auto b = static_cast<std::size_t>(box), k = static_cast<std::size_t>(part);
  if (g_parts.size() <= b) g_parts.resize(b + 1);
  if (g_parts[b].size() <= k) g_parts[b].resize(k + 1, 0);
  g_parts[b][k] = number;
}

void InitHTFC() {
  ColorLinea = 0;
  Pi = 4.0 * std::atan(1.0);
  LoadSymbolTables();
}

bool IsScreenTarget(const plat::Surface& target) { return &target == DestinoPantalla; }
bool IsPrinterTarget(const plat::Surface& target) { return &target == DestinoImpresora; }

double ScreenTwipsPerPixelX() {
  return DestinoPantalla ? DestinoPantalla->twipsPerPixelX() : kDefaultTwipsPerPixel;
}

double ScreenTwipsPerPixelY() {
  return DestinoPantalla ? DestinoPantalla->twipsPerPixelY() : kDefaultTwipsPerPixel;
}

double AscentOf(plat::Surface& target) {
  const double tpp = IsScreenTarget(target) ? ScreenTwipsPerPixelY() : target.twipsPerPixelY();
  return target.metrics().ascent * tpp;
}

int PenPixels(const plat::Surface& target, double twips) {
  const double tpp = IsPrinterTarget(target) ? target.twipsPerPixelX() : ScreenTwipsPerPixelX();
  const double px = twips / tpp;
  constexpr double kWidestPen = 10000;
  if (!(px >= 1)) return 1;  // also NaN
  return static_cast<int>(std::lround(std::min(px, kWidestPen)));
}

void SetFontSizeChecked(plat::Surface& target, double points) {
  if (points > 0 && points <= kMaxFontSize) target.setFontSize(points);
}

SavedFont SaveFont(const plat::Surface& target) {
  return SavedFont{target.font().name, target.font().size, target.font().italic};
}

void RestoreFont(plat::Surface& target, const SavedFont& saved) {
  target.setFontName(saved.name);
  target.setFontSize(saved.size);
  target.setFontItalic(saved.italic);
}

}  // namespace stagora::engine
