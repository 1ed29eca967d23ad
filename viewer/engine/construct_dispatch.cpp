#include "viewer/engine/construct_dispatch.h"

#include <array>

#include "viewer/engine/construct_drawers.h"
#include "viewer/engine/markup_parsing.h"

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

// The ring's arguments come from its tag: the digit is the number of vertices (6 for the
// "#BC" rings, which carry an inscribed circle), the fourth character the variant.
void DrawRing(const std::string& block, plat::Surface& t, std::string_view tag, std::string&) {
  const int digit = tag[2] >= '0' && tag[2] <= '9' ? tag[2] - '0' : 0;
  DibujarAnillo(block, t, digit == 0 ? 6 : digit, tag.substr(0, 2) == "#B", tag[3]);
}

template <void (*Drawer)(const std::string&, plat::Surface&)>
void Plain(const std::string& block, plat::Surface& t, std::string_view, std::string&) {
  Drawer(block, t);
}

void DrawDelimiters(const std::string& block, plat::Surface& t, std::string_view, std::string& fitting) {
  DibujarNES(block, t, fitting);
}

constexpr std::array<ConstructFamily, 14> kFamilies = {{
    {"DibujarRaiz", OpensRoot, Placement::Top, Plain<DibujarRaiz>},
    {"DibujarAdorno", OpensDecoration, Placement::Top, Plain<DibujarAdorno>},
    {"DibujarINT", OpensIntegral, Placement::Top, Plain<DibujarINT>},
    {"DibujarIMG", OpensImage, Placement::Top, Plain<DibujarIMG>},
    {"DibujarUDB", OpensBond, Placement::Top, Plain<DibujarUDB>},
    {"DibujarAnillo", OpensRing, Placement::Top, DrawRing},
    {"DibujarNES", OpensDelimiters, Placement::Top, DrawDelimiters},
    {"DibujarPOT", OpensPower, Placement::Top, Plain<DibujarPOT>},
    {"DibujarCOC", OpensFraction, Placement::Axis, Plain<DibujarCOC>},
    {"DibujarSPB", OpensStackedParts, Placement::Axis, Plain<DibujarSPB>},
    {"DibujarATX", OpensArrowText, Placement::Axis, Plain<DibujarATX>},
    {"DibujarTST", OpensStackedText, Placement::Top, Plain<DibujarTST>},
    {"DibujarRWS", OpensRows, Placement::Axis, Plain<DibujarRWS>},
    {"DibujarCEQ", OpensEquation, Placement::Axis, Plain<DibujarCEQ>},
}};

// Too deep: the construct is skipped and the red error word stands in its place, the same
// in both passes, taking no box number.
void SetTooDeep(LineContext& c) {
  const plat::Color colour = c.t.foreColor();
  if (c.draw) c.t.setForeColor(kErrorColour);
  c.setText("*ERROR*");
  c.t.setForeColor(colour);
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
  const std::string block = ExtraerBloque(c.rest(), tag, ClosingTag(tag));
  if (ProfundidadLinea > kMaxNesting) {
    SetTooDeep(c);
    c.i += block.size() - 1;
    return true;
  }
  ++ContadorCajas;
  const long n = ContadorCajas;
  plat::Surface& t = c.t;
  std::string scratch;  // a construct's parts never touch the line's own fitting part
  if (c.draw) {
    const double x = t.currentX(), y = t.currentY();
    const CajaHTFC& b = TablaCajas(n);
    t.setCurrentX(x + b.DesplazamientoX);
    if (family->placement == Placement::Axis) t.setCurrentY(c.Y0 + c.E - b.AltoEje);
    family->draw(block, t, tag, scratch);
    const CajaHTFC& after = TablaCajas(n);
    t.setCurrentX(x + after.DesplazamientoX + after.Avance);
    t.setCurrentY(y);
  } else {
    family->draw(block, t, tag, scratch);
    c.boxes.push_back(TablaCajas(n));
  }
  t.setFontName(c.entryFont);
  t.setFontSize(c.baseSize);
  c.i += block.size() - 1;
  return true;
}

}  // namespace stagora::engine
