#include "viewer/engine/chemical_equations.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "viewer/engine/construct_dispatch.h"
#include "viewer/engine/construct_parts.h"
#include "viewer/engine/inline_codes.h"
#include "viewer/engine/markup_parsing.h"
#include "viewer/engine/symbol_table.h"

namespace stagora::engine {
namespace {

constexpr std::size_t kTagLength = 5;     // "#CEQ(" "#CEQ)" "#A21(" "#A21)"
constexpr std::size_t kCountAt = 5;       // the row count follows the opening tag
constexpr double kColumnGap = 0.67;       // between two columns, of H
constexpr double kRowGap = 0.59;          // from a row's axis to the rule under it, of H
constexpr double kRulePen = 0.05;         // of H
constexpr double kAxisBase = 0.7;         // the axis of a table: 0.7 H and half an H per further row
constexpr double kAxisPerRow = 0.5;
constexpr const char* kSpeciesSeparator = " + ";
constexpr char kRightArrow = '\xAE';      // in the Symbol font
constexpr char kLeftArrow = '\xAC';
constexpr const char* kArrowFont = "Symbol";
constexpr std::string_view kClosingTag = "#CEQ)";
constexpr std::string_view kArrowTextTag = "#ATX(";
constexpr std::string_view kImageTag = "#IMG(";
constexpr std::string_view kRingBondsCode = "&EC=";

// The equilibrium half-arrows, in twips at zoom 1 horizontally and fractions of H vertically:
// the upper points right with its barb above, the lower points left with its barb below.
struct HalfArrowSegment {
  double x, yOfH, dx, dy;
};
constexpr std::array<HalfArrowSegment, 4> kEquilibrium = {{
    {0, 1 / 2.5, 240, 0},
    {240, 1 / 2.5, -60, -50},
    {0, 1 / 1.7, 240, 0},
    {0, 1 / 1.7, 60, 50},
}};

// The arrow codes in the order they are tested; a later one that is found replaces what an
// earlier one set, so "==" wins over "=" and any "=" over the named arrows.
struct ArrowCode {
  const char* code;
  const char* arrow;
};
constexpr std::array<ArrowCode, 5> kArrowCodes = {{
    {"&Q", "&Q"}, {"&ars", "&ars"}, {"&als", "&als"}, {"=", "&ars"}, {"==", "&Q"},
}};

// The text without the spaces at either end, as a view (TrimSpaces gives a copy).
std::string_view TrimmedSpaces(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

// The text with a space before it, after it or both, as a cell holds it.
std::string Framed(std::string_view text, bool before, bool after) {
  std::string cell;
  cell.reserve(text.size() + 2);
  if (before) cell += ' ';
  cell += text;
  if (after) cell += ' ';
  return cell;
}

// The length of the code that `text` starts with when its characters are none of the
// equation's signs (an arrow, a plus sign, an apostrophe) as the line renderer reads it; 0
// when none starts there. These are the escapes "&&", "&#" and "##", whose second character is
// text or a drawn sign, never the start of a code or a construct; the parameter codes
// ("&FC=Rojo:", "&FS=8:", up to their ":"; without one the code ends the text, as the line
// renderer reads it); and the symbol codes ("&>=", "&alfa" ...) but the two that are arrows.
std::size_t QuietCodeLength(std::string_view text) {
  const std::string_view two = text.substr(0, 2);
  if (two == "##" || two == "&&" || two == "&#") return 2;
  if (text.empty() || text[0] != '&') return 0;
  if (StartsParameterCode(text)) {
    const std::size_t colon = text.find(':');
    return colon == std::string_view::npos ? text.size() : colon + 1;
  }
  const SimboloHTFC* symbol = FindSymbol(text);
  if (!symbol || symbol->codigo == "&ars" || symbol->codigo == "&als") return 0;
  return symbol->codigo.size();
}

// The stretches of an equation that belong to the equation itself, where its bounding
// apostrophes, its arrow and its plus signs are looked for. Left out are the constructs nested
// in it that close inside it (a ring's bond codes, a fraction's terms, texts on an arrow:
// found through the line's block cutter and stepped over whole) and the codes whose
// characters are none of its signs.
class OwnLevel {
 public:
  OwnLevel(std::string_view text, const BlockFinder& blocks) {
    std::size_t begin = 0;
    const auto skip = [&](std::size_t at, std::size_t length) {
      if (at > begin) stretches_.push_back({begin, at});
      begin = std::min(at + length, text.size());
      return begin;
    };
    for (std::size_t i = 0; i < text.size();) {
      const std::string_view rest = text.substr(i);
      if (const std::size_t code = QuietCodeLength(rest); code > 0) {
        i = skip(i, code);
      } else if (rest[0] == '#' && FindConstruct(rest)) {
        const std::string_view tag = rest.substr(0, kTagLength);
        const BlockExtent block = blocks.Find(text, i, tag, ClosingTag(tag));
        // One that does not close inside the equation is set as its error form in its cell;
        // only its tag is its own.
        i = skip(i, block.at == i ? block.length : tag.size());
      } else {
        ++i;
      }
    }
    if (begin < text.size()) stretches_.push_back({begin, text.size()});
  }

  // The first place at or after `from` where `code` stands whole in one stretch and ends by
  // `to`; npos when none.
  std::size_t Find(std::string_view text, std::string_view code, std::size_t from, std::size_t to) const {
    // From the first stretch that ends after `from`: a side split at many plus signs reads
    // each stretch about once.
    const auto first = std::partition_point(stretches_.begin(), stretches_.end(),
                                            [from](const auto& stretch) { return stretch.second <= from; });
    for (auto it = first; it != stretches_.end() && it->first < to; ++it) {
      const auto& [begin, end] = *it;
      const std::size_t low = std::max(begin, from), high = std::min(end, to);
      if (high <= low || high - low < code.size()) continue;
      const std::size_t at = text.substr(low, high - low).find(code);
      if (at != std::string_view::npos) return low + at;
    }
    return std::string_view::npos;
  }

 private:
  std::vector<std::pair<std::size_t, std::size_t>> stretches_;  // [begin, end), in order
};

// True when an arrow code or a texts-on-arrow construct stands anywhere in the text, nested
// at any depth. Not arrows: the codes whose characters are none, and what is no mark-up (a
// ring's bond code, an image's name and options).
bool HoldsArrow(std::string_view text, const BlockFinder& blocks) {
  for (std::size_t i = 0; i < text.size();) {
    const std::string_view rest = text.substr(i);
    if (const std::size_t code = QuietCodeLength(rest); code > 0) {
      i += code;
    } else if (rest.starts_with(kRingBondsCode)) {
      i += kRingBondsCode.size();
    } else if (rest.starts_with(kImageTag)) {
      const BlockExtent image = blocks.Find(text, i, kImageTag, ClosingTag(kImageTag));
      i += image.at == i ? image.length : kImageTag.size();
    } else if (rest[0] == '=' || rest.starts_with("&Q") || rest.starts_with("&ars") || rest.starts_with("&als") ||
               rest.starts_with(kArrowTextTag)) {
      return true;
    } else {
      ++i;
    }
  }
  return false;
}

// True when the text holds more than blanks and table blocks ("#A21(" ... "#A21)"), the
// blocks the row count does not ask for included: what stands before or after the equation
// is read as the table only.
bool LeavesText(std::string_view text, const BlockFinder& blocks) {
  for (std::size_t i = 0; i < text.size();) {
    const std::string_view rest = text.substr(i);
    if (IsBlank(rest[0])) {
      ++i;
      continue;
    }
    const bool tableTag = rest.size() >= kTagLength && rest[0] == '#' && rest[1] == 'A' && rest[2] >= '0' &&
                          rest[2] <= '9' && rest[3] >= '0' && rest[3] <= '9' && rest[4] == '(';
    if (!tableTag) return true;
    const std::string_view open = rest.substr(0, kTagLength);
    const BlockExtent cell = blocks.Find(text, i, open, ClosingTag(open));
    if (cell.at != i) return true;
    i += cell.length;
  }
  return false;
}

// The species of one side, text[from, to), into row 1: every one but the last framed by a
// space on each side, the last as it stands, with the space that stood next to the arrow. A
// last species that follows a plus sign gets back the space the separator took from its
// front: the plus sign is centred on the left edge of its column and would otherwise cover
// its first character. Only the plus signs of the equation's own level split it.
void SplitSide(std::string_view text, const OwnLevel& level, std::size_t from, std::size_t to,
               std::vector<std::string>& row, std::vector<CellSource>& sources) {
  const std::string_view separator(kSpeciesSeparator);
  bool afterPlus = false;
  for (std::size_t p = level.Find(text, separator, from, to); p != std::string_view::npos;
       p = level.Find(text, separator, from, to)) {
    const std::string_view species = TrimmedSpaces(text.substr(from, p - from));
    row.push_back(Framed(species, true, true));
    sources.push_back(CellSource{species, 1});
    from = p + separator.size();
    afterPlus = true;
  }
  const std::string_view side = text.substr(from, to - from);
  row.push_back(Framed(side, afterPlus, false));
  sources.push_back(CellSource{side, afterPlus ? 1U : 0U});
}

// A cell is a text of its own, not a view into the line: while it is rendered, the
// constructs in it are matched through the line's matches when it frames a stretch of the
// line, else once through a cutter of its own, so that cells holding long runs of
// constructs, nested at any depth, cost no more than their length.
class CellBlocks {
 public:
  CellBlocks(EngineState& state, std::string_view cell, const CellSource& source)
      : s_(state), outer_(state.lineBlocks) {
    if (outer_ && !source.text.empty() && outer_->Holds(source.text)) {
      state.lineBlocks = &cutter_.emplace(cell, source.at, source.text, outer_);
    } else {
      state.lineBlocks = &cutter_.emplace(cell);
    }
  }
  ~CellBlocks() { s_.lineBlocks = outer_; }
  CellBlocks(const CellBlocks&) = delete;
  CellBlocks& operator=(const CellBlocks&) = delete;

 private:
  EngineState& s_;
  BlockCutter* const outer_;
  std::optional<BlockCutter> cutter_;
};

struct Grid {
  std::vector<double> above, below, width;  // per row, per row, per column
  double totalWidth = 0;
};

Grid Measures(const ChemicalEquation& q, const std::vector<CajaHTFC>& boxes, double gap) {
  Grid g;
  g.above.assign(static_cast<std::size_t>(q.rows), 0);
  g.below.assign(static_cast<std::size_t>(q.rows), 0);
  g.width.assign(static_cast<std::size_t>(q.columns), 0);
  for (std::size_t r = 0; r < g.above.size(); ++r) {
    for (std::size_t c = 0; c < g.width.size(); ++c) {
      const CajaHTFC& b = boxes[r * g.width.size() + c];
      g.above[r] = std::max(g.above[r], b.AltoEje + b.AltoSobre);
      g.below[r] = std::max(g.below[r], b.AltoBajo - b.AltoEje);
      g.width[c] = std::max(g.width[c], b.DesplazamientoX + b.Avance);
    }
  }
  for (double w : g.width) g.totalWidth += w;
  g.totalWidth += gap * (q.columns - 1);
  return g;
}

long PartOf(const ChemicalEquation& q, std::size_t r, std::size_t c) {
  return static_cast<long>(r) * q.columns + static_cast<long>(c) + 1;
}

void DrawArrow(ConstructContext& e, const std::string& arrow, double x, double H) {
  plat::Surface& t = e.t;
  const double plus = t.textWidth("+");
  if (arrow == "&ars" || arrow == "&als") {
    t.setCurrentX(x - 2 * plus);
    t.setFontName(kArrowFont);
    t.print(std::string(1, arrow == "&ars" ? kRightArrow : kLeftArrow));
    t.setFontName(e.font.name);
  } else if (arrow == "&Q") {
    const double x1 = x - plus / 2, y1 = t.currentY();
    t.setDrawWidth(e.V.PenPixels(t, std::max(kRulePen * H, 1.0)));
    const double K = t.textWidth("k"), S = e.V.Zoom;
    for (const HalfArrowSegment& s : kEquilibrium) {
      const double sx = x1 - K + s.x * S, sy = y1 + s.yOfH * H;
      t.line(sx, sy, sx + s.dx * S, sy + s.dy * S);
    }
    t.setCurrentY(y1);
    t.setDrawWidth(1);
  }
}

}  // namespace

ChemicalEquation CutEquation(std::string_view block, const BlockFinder& blocks) {
  ChemicalEquation q;
  const char count = block.size() > kCountAt ? block[kCountAt] : '0';
  q.rows = count >= '1' && count <= '9' ? count - '0' : 0;
  const std::string_view tail = block.size() > kCountAt + 1 ? block.substr(kCountAt + 1) : std::string_view();
  std::string_view body = tail;
  if (body.ends_with(kClosingTag)) body.remove_suffix(kClosingTag.size());

  // The apostrophes that bound the equation, its arrow and its plus signs are those of its
  // own level, not those inside a construct or a code it holds.
  const OwnLevel level(body, blocks);
  const std::size_t p = level.Find(body, "'", 0, body.size());
  const std::size_t e = p == std::string_view::npos ? p : level.Find(body, "'", p + 1, body.size());
  if (e == std::string_view::npos) return q;
  // What stands before and after the equation is read as the table; anything else there (a
  // caption, a prime that cut the equation short, a second equation) would be lost without a
  // sign.
  if (LeavesText(body.substr(0, p), blocks) || LeavesText(body.substr(e + 1), blocks)) return q;
  std::size_t begin = p + 1, end = e;
  while (begin < end && body[begin] == ' ') ++begin;
  while (end > begin && body[end - 1] == ' ') --end;

  std::size_t leftEnd = begin, rightBegin = begin;
  for (const ArrowCode& a : kArrowCodes) {
    const std::size_t at = level.Find(body, a.code, begin, end);
    if (at == std::string_view::npos) continue;
    leftEnd = at;
    rightBegin = at + std::string_view(a.code).size();
    q.arrow = a.arrow;
  }
  // Without an arrow of its own nothing of the equation is drawn. That is what an equation
  // that holds no arrow at all asks for; one whose only arrows stand inside its constructs
  // was read other than written, and it shows the error form rather than vanish.
  if (q.arrow.empty() && HoldsArrow(body.substr(begin, end - begin), blocks)) return q;
  std::vector<std::string> first{" "};
  std::vector<CellSource> firstSources{CellSource{}};
  SplitSide(body, level, begin, leftEnd, first, firstSources);
  q.leftColumns = static_cast<int>(first.size());
  SplitSide(body, level, rightBegin, q.arrow.empty() ? begin : end, first, firstSources);
  q.columns = static_cast<int>(first.size());
  if (q.columns > kMaxEquationColumns) return q;
  q.cells.push_back(std::move(first));
  q.sources.push_back(std::move(firstSources));

  // The table is read from what is left without the equation. That is a view into the block
  // when nothing stands before the equation (as written); else it is joined, and its blocks
  // are found through a cutter of its own.
  std::string joined;
  std::optional<BlockCutter> joinedBlocks;
  std::string_view rest = tail.substr(e + 1);
  BlockFinder finder = blocks;
  if (p > 0) {
    joined = std::string(tail.substr(0, p)) + std::string(rest);
    rest = joined;
    finder = BlockFinder(&joinedBlocks.emplace(joined));
  }
  for (int r = 2; r <= q.rows; ++r) {
    std::vector<std::string> row;
    std::vector<CellSource> sources;
    for (int c = 1; c <= q.columns; ++c) {
      const std::string name = "#A" + std::to_string(r) + std::to_string(c);
      const std::string open = name + "(", close = name + ")";
      const BlockExtent cell = finder.Find(rest, 0, open, close);
      // Cut by its length from the front, as the table has always been read: a block out of
      // order shortens what is left all the same.
      if (cell.at == std::string_view::npos) {
        row.push_back(Framed(ErrorText(), true, true));
        sources.emplace_back();
        rest.remove_prefix(std::min(ErrorBlock(open, close).size(), rest.size()));
      } else {
        const std::string_view inner = InnerText(rest.substr(cell.at, cell.length), kTagLength, kTagLength);
        row.push_back(Framed(inner, true, true));
        // A joined rest lives no longer than the cut.
        sources.push_back(p == 0 ? CellSource{inner, 1} : CellSource{});
        rest.remove_prefix(std::min(cell.length, rest.size()));
      }
    }
    q.cells.push_back(std::move(row));
    q.sources.push_back(std::move(sources));
  }
  q.readable = true;
  return q;
}

void DibujarCEQ(ConstructContext& e) {
  const ChemicalEquation q = CutEquation(e.block, e.Blocks());
  if (!q.readable) {
    // No grid can be built: the construct is set as its tags around the red error word, like
    // a construct that is not closed, and the line goes on after it.
    const std::string error = ErrorBlock("#CEQ(", "#CEQ)");
    ConstructContext shown(error, e.tag, e.t, e.S, e.V);
    DrawConstructAsText(shown);
    return;
  }
  plat::Surface& target = e.t;
  const double H = target.textHeight("Hp");
  const double gap = kColumnGap * H;
  const double rowGap = kRowGap * H;
  const std::size_t rows = static_cast<std::size_t>(q.rows), columns = static_cast<std::size_t>(q.columns);
  std::vector<CajaHTFC> boxes;

  if (!e.draw) {
    for (std::size_t r = 0; r < rows; ++r) {
      for (std::size_t c = 0; c < columns; ++c) {
        const CellBlocks cellBlocks(e.S, q.cells[r][c], q.sources[r][c]);
        boxes.push_back(e.RenderPart(PartOf(q, r, c), q.cells[r][c]));
      }
    }
    RestoreFont(target, e.font);
    const Grid g = Measures(q, boxes, gap);
    CajaHTFC& b = e.Box();
    b.DesplazamientoX = 0;
    b.Avance = g.totalWidth;
    b.AltoSobre = 0;
    b.AltoBajo = rowGap * (q.rows - 1);
    for (std::size_t r = 0; r < rows; ++r) b.AltoBajo += g.above[r] + g.below[r];
    b.AltoEje = kAxisBase * H + (q.rows - 1) * H * kAxisPerRow;
    if (rows == 1) {
      // One row stands in the line like plain text: for a row of plain text these are the
      // measures of its blank first cell. A species that reaches higher or lower than plain
      // text (a fraction, a subscript) widens them, so that the row's axis still lands on the
      // line's axis and the line makes room for it, as it would for the same text outside.
      b.AltoEje = g.above[0];
      b.AltoBajo = g.above[0] + g.below[0];
    }
    b.Texto = e.block;
    return;
  }

  for (std::size_t r = 0; r < rows; ++r) {
    for (std::size_t c = 0; c < columns; ++c) boxes.push_back(e.PartBox(PartOf(q, r, c)));
  }
  const Grid g = Measures(q, boxes, gap);
  const double X0 = e.X0;
  const double rulePen = std::max(kRulePen * H, 1.0);
  double axis = e.Y0;
  for (std::size_t r = 0; r < rows; ++r) {
    axis += g.above[r];
    double xc = X0;
    for (std::size_t c = 0; c < columns; ++c) {
      const CajaHTFC& b = boxes[r * columns + c];
      const double y = axis - b.AltoEje;
      const int column = static_cast<int>(c) + 1;
      if (r == 0 && column >= 3) {
        const double x = xc + b.DesplazamientoX;
        target.setCurrentY(y);
        if (column != q.leftColumns + 1) {
          target.setCurrentX(x - target.textWidth("+") / 2);
          target.print("+");
        } else {
          DrawArrow(e, q.arrow, x, H);
        }
      }
      const double x = c == 0 ? xc + b.DesplazamientoX : xc + (g.width[c] - b.Avance) / 2;
      {
        const CellBlocks cellBlocks(e.S, q.cells[r][c], q.sources[r][c]);
        e.DrawPart(PartOf(q, r, c), q.cells[r][c], x, y);
      }
      xc += g.width[c] + gap;
    }
    target.setDrawWidth(e.V.PenPixels(target, rulePen));
    if (r + 1 < rows) target.line(X0, axis + rowGap, X0 + g.totalWidth, axis + rowGap, e.S.ColorLinea);
    target.setDrawWidth(1);
    axis += rowGap;
  }
  RestoreFont(target, e.font);
}

}  // namespace stagora::engine
