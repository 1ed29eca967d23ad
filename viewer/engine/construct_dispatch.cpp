#include "viewer/engine/construct_dispatch.h"

#include <array>
#include <string>

#include "viewer/engine/aligned_rows.h"
#include "viewer/engine/arrow_texts.h"
#include "viewer/engine/chemical_equations.h"
#include "viewer/engine/construct_parts.h"
#include "viewer/engine/decorations.h"
#include "viewer/engine/delimiters.h"
#include "viewer/engine/fractions.h"
#include "viewer/engine/images.h"
#include "viewer/engine/integral.h"
#include "viewer/engine/markup_parsing.h"
#include "viewer/engine/powers.h"
#include "viewer/engine/radicals.h"
#include "viewer/engine/rings.h"
#include "viewer/engine/stacked_parts.h"
#include "viewer/engine/stacked_texts.h"
#include "viewer/engine/vertical_bonds.h"

namespace stagora::engine {
namespace {

constexpr std::size_t kTagLength = 5;
// Constructs nested deeper than this are not drawn but shown as the red error word: real
// documents nest a handful of levels, and the bound keeps a hostile document from
// exhausting the stack.
constexpr int kMaxNesting = 24;
constexpr plat::Color kErrorColour = plat::Rgb(255, 0, 0);

bool OneOf(std::string_view tag, std::initializer_list<std::string_view> tags) {
  for (std::string_view t : tags) {
    if (tag == t) return true;
  }
  return false;
}

bool OpensRoot(std::string_view t) { return OneOf(t, {"#RAD(", "#SQR(", "#CUR("}); }
bool OpensDecoration(std::string_view t) {
  return OneOf(t, {"#TDX(", "#TDU(", "#TDD(", "#REC(", "#VEC(", "#VED(", "#SEG(", "#UDL(", "#SED(", "#AND(", "#ARC(",
                   "#DOL(", "#CDE(", "#CDI("});
}
bool OpensIntegral(std::string_view t) { return t == "#INT("; }
bool OpensImage(std::string_view t) { return t == "#IMG("; }
bool OpensBond(std::string_view t) { return t == "#UDB("; }
bool OpensRing(std::string_view t) {
  if (t == "#BCV(" || t == "#BCH(") return true;
  return t.size() == kTagLength && t[0] == '#' && t[1] == 'A' && t[2] >= '3' && t[2] <= '9' &&
         std::string_view("VLID").find(t[3]) != std::string_view::npos && t[4] == '(';
}
bool OpensDelimiters(std::string_view t) { return t == "#NES("; }
bool OpensPower(std::string_view t) { return OneOf(t, {"#POT(", "#EXP("}); }
bool OpensFraction(std::string_view t) { return OneOf(t, {"#COC(", "#DDL("}); }
bool OpensStackedParts(std::string_view t) { return t == "#SPB("; }
bool OpensArrowText(std::string_view t) { return t == "#ATX("; }
bool OpensStackedText(std::string_view t) { return t == "#TST("; }
bool OpensRows(std::string_view t) { return t == "#RWS("; }
bool OpensEquation(std::string_view t) { return t == "#CEQ("; }

// One line per family, in the order the opening tags are tried; each drawer lives in its own
// file pair. (The ring drawer reads its vertex count and variant from the
// tag: the digit, 6 for the "#BC" rings with their inscribed circle, and the fourth letter.)
constexpr std::array<ConstructFamily, 14> kFamilies = {{
    {"DibujarRaiz", OpensRoot, Placement::Top, DibujarRaiz},
    {"DibujarAdorno", OpensDecoration, Placement::Top, DibujarAdorno},
    {"DibujarINT", OpensIntegral, Placement::Top, DibujarINT},
    {"DibujarIMG", OpensImage, Placement::Top, DibujarIMG},
    {"DibujarUDB", OpensBond, Placement::Top, DibujarUDB},
    {"DibujarAnillo", OpensRing, Placement::Top, DibujarAnillo},
    {"DibujarNES", OpensDelimiters, Placement::Top, DibujarNES},
    {"DibujarPOT", OpensPower, Placement::Top, DibujarPOT},
    {"DibujarCOC", OpensFraction, Placement::Axis, DibujarCOC},
    {"DibujarSPB", OpensStackedParts, Placement::Axis, DibujarSPB},
    {"DibujarATX", OpensArrowText, Placement::Axis, DibujarATX},
    {"DibujarTST", OpensStackedText, Placement::Top, DibujarTST},
    {"DibujarRWS", OpensRows, Placement::Axis, DibujarRWS},
    {"DibujarCEQ", OpensEquation, Placement::Axis, DibujarCEQ},
}};

// Too deep: the construct is skipped and the red error word stands in its place, the same
// in both passes, taking no box number.
void SetTooDeep(LineContext& c) {
  const plat::Color colour = c.t.foreColor();
  if (c.draw) c.t.setForeColor(kErrorColour);
  c.setText("*ERROR*");
  c.t.setForeColor(colour);
}

// The error block of a construct that does not close, kept in the state: the boxes keep
// views of the text they were measured from.
std::string_view StableErrorBlock(EngineState& s, std::string_view tag, std::string_view close) {
  return *s.errorBlocks.insert(ErrorBlock(tag, close)).first;
}

}  // namespace

const ConstructFamily* FindConstruct(std::string_view text) {
  if (text.size() < kTagLength) return nullptr;
  const std::string_view tag = text.substr(0, kTagLength);
  for (const ConstructFamily& f : kFamilies) {
    if (f.opens(tag)) return &f;
  }
  return nullptr;
}

std::string ClosingTag(std::string_view openTag) { return std::string(openTag.substr(0, 4)) + ")"; }

bool HandleConstruct(LineContext& c) {
  const ConstructFamily* family = FindConstruct(c.rest());
  if (!family) return false;
  const std::string_view tag = c.rest().substr(0, kTagLength);
  const std::string close = ClosingTag(tag);
  const BlockExtent extent = c.blocks().Find(c.line, c.i, tag, close);
  EngineState& s = c.S;
  const std::string_view block = extent.at == std::string_view::npos ? StableErrorBlock(s, tag, close)
                                                                      : c.line.substr(extent.at, extent.length);
  if (s.ProfundidadLinea > kMaxNesting) {
    SetTooDeep(c);
    c.i += block.size() - 1;
    return true;
  }
  const long n = ++s.ContadorCajas;
  plat::Surface& t = c.t;
  if (c.draw) {
    const double x = t.currentX(), y = t.currentY();
    const CajaHTFC& b = s.TablaCajas(n);
    t.setCurrentX(x + b.DesplazamientoX);
    if (family->placement == Placement::Axis) t.setCurrentY(c.Y0 + c.E - b.AltoEje);
    ConstructContext k(block, tag, t, s, c.V);
    family->draw(k);
    const CajaHTFC& after = s.TablaCajas(n);
    t.setCurrentX(x + after.DesplazamientoX + after.Avance);
    t.setCurrentY(y);
  } else {
    ConstructContext k(block, tag, t, s, c.V);
    family->draw(k);
    c.boxes.push_back(MeasuresOf(s.TablaCajas(n)));
    c.boxesWidth += c.boxes.back().DesplazamientoX + c.boxes.back().Avance;
  }
  t.setFontName(c.entryFont);
  t.setFontSize(c.baseSize);
  c.i += block.size() - 1;
  return true;
}

}  // namespace stagora::engine
