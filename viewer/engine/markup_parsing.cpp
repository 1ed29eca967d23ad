#include "viewer/engine/markup_parsing.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace stagora::engine {
namespace {

constexpr double kLargestNumber = 1e300;
constexpr int kMaxComponent = 255;
constexpr plat::Color kWhite = 0xFFFFFF;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view TrimBlanks(std::string_view t) {
  while (!t.empty() && t.front() == ' ') t.remove_prefix(1);
  while (!t.empty() && t.back() == ' ') t.remove_suffix(1);
  return t;
}

std::string_view After(std::string_view t, std::size_t pos) {
  return pos == std::string_view::npos || pos + 1 > t.size() ? std::string_view{} : t.substr(pos + 1);
}

int Component(double v) {
  const long n = RoundToLong(v);
  return static_cast<int>(std::clamp<long>(n, 0, kMaxComponent));
}

struct NamedColour {
  const char* name;
  int r, g, b;
};

constexpr std::array<NamedColour, 27> kColourNames = {{
    {"BLACK", 0, 0, 0},       {"NEGRO", 0, 0, 0},        {"BLUE", 0, 0, 255},      {"AZUL", 0, 0, 255},
    {"CYAN", 0, 255, 255},    {"CIAN", 0, 255, 255},     {"GREEN", 0, 255, 0},     {"VERDE", 0, 255, 0},
    {"MAGENTA", 255, 0, 255}, {"PINK", 255, 128, 255},   {"ROSA", 255, 128, 255},  {"FUCSIA", 255, 128, 255},
    {"VIOLETA", 128, 0, 255}, {"RED", 255, 0, 0},        {"ROJO", 255, 0, 0},      {"WHITE", 255, 255, 255},
    {"BLANCO", 255, 255, 255}, {"YELLOW", 255, 255, 0}, {"AMARILLO", 255, 255, 0}, {"BROWN", 128, 64, 0},
    {"MARRON", 128, 64, 0},   {"CANELO", 128, 64, 0},    {"GREY", 192, 192, 192},  {"GRIS", 192, 192, 192},
    {"ORANGE", 255, 128, 0},  {"NARANJA", 255, 128, 0},  {"NARANJADO", 255, 128, 0},
}};

}  // namespace

double Val(std::string_view text) {
  std::string number;
  bool sawDigit = false, sawPoint = false, sawSign = false;
  for (char c : text) {
    if (IsBlank(c)) continue;
    if ((c == '-' || c == '+') && !sawSign && !sawDigit && !sawPoint) {
      sawSign = true;
      if (c == '-') number.push_back('-');
    } else if (IsDigit(c)) {
      sawDigit = true;
      number.push_back(c);
    } else if (c == '.' && !sawPoint) {
      sawPoint = true;
      number.push_back('.');
    } else {
      break;
    }
  }
  if (!sawDigit) return 0;
  double v = 0;
  const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), v);
  (void)end;
  if (ec == std::errc::result_out_of_range) {
    // Too small reads as 0, too large as the largest magnitude kept.
    const bool tiny = number.find_first_of("123456789") > number.find('.');
    v = tiny ? 0.0 : kLargestNumber;
    if (!number.empty() && number.front() == '-') v = -v;
  } else if (ec != std::errc{}) {
    return 0;
  }
  return std::clamp(v, -kLargestNumber, kLargestNumber);
}

long RoundToLong(double value) {
  if (std::isnan(value)) return 0;
  constexpr double lo = static_cast<double>(std::numeric_limits<int>::min());
  constexpr double hi = static_cast<double>(std::numeric_limits<int>::max());
  return static_cast<long>(std::nearbyint(std::clamp(value, lo, hi)));
}

std::string_view ErrorText() { return "&FC=Rojo:*ERROR*&FC=Negro:"; }

std::string ErrorBlock(std::string_view openTag, std::string_view closeTag) {
  std::string out(openTag);
  out += ErrorText();
  out += closeTag;
  return out;
}

bool TagsMayOverlap(std::string_view openTag, std::string_view closeTag) {
  // An occurrence of a at i and one of b at i + d overlap when a's tail from d on agrees with
  // b's head as far as both go.
  const auto overlaps = [](std::string_view a, std::string_view b, bool same) {
    for (std::size_t d = same ? 1 : 0; d < a.size(); ++d) {
      const std::size_t n = std::min(a.size() - d, b.size());
      if (a.substr(d, n) == b.substr(0, n)) return true;
    }
    return false;
  };
  return openTag == closeTag || overlaps(openTag, openTag, true) || overlaps(closeTag, closeTag, true) ||
         overlaps(openTag, closeTag, false) || overlaps(closeTag, openTag, false);
}

BlockCutter::TagScan::Kind BlockCutter::TagScan::Next(std::string_view text, std::size_t from, std::size_t& at) {
  if (open[0] == close[0]) {
    // Both begin with the same character (the engine's tags all begin with "#"): one look at
    // each character, which is quicker than searching when tags lie close together.
    const char first = open[0];
    const char* data = text.data();
    const std::size_t size = text.size();
    const auto startsAt = [data, size](std::size_t i, const std::string& tag) {
      if (size - i < tag.size()) return false;
      for (std::size_t k = 1; k < tag.size(); ++k) {
        if (data[i + k] != tag[k]) return false;
      }
      return true;
    };
    for (std::size_t i = from; i < size; ++i) {
      if (data[i] != first) continue;
      at = i;
      if (startsAt(i, open)) return kOpen;
      if (startsAt(i, close)) return kClose;
    }
    return kNone;
  }
  // Each tag's next occurrence holds for every position up to it.
  if (!(from >= openFrom && from <= openAt)) {
    openFrom = from;
    openAt = text.find(open, from);
  }
  if (!(from >= closeFrom && from <= closeAt)) {
    closeFrom = from;
    closeAt = text.find(close, from);
  }
  if (openAt == std::string_view::npos && closeAt == std::string_view::npos) return kNone;
  at = std::min(openAt, closeAt);
  return openAt <= closeAt ? kOpen : kClose;
}

std::string ExtraerBloque(std::string_view text, std::string_view openTag, std::string_view closeTag) {
  const BlockExtent b = FindBlock(text, openTag, closeTag);
  if (b.at == std::string_view::npos) return ErrorBlock(openTag, closeTag);
  return std::string(text.substr(b.at, b.length));
}

BlockExtent FindBlock(std::string_view text, std::string_view openTag, std::string_view closeTag) {
  const BlockExtent none;
  if (openTag.empty() || closeTag.empty()) return none;
  const std::size_t p = text.find(openTag);
  if (p == std::string_view::npos) return none;
  int depth = 1;
  std::size_t from = p + openTag.size();
  if (!TagsMayOverlap(openTag, closeTag)) {
    // The tags met from the opening tag on, in order, each once.
    BlockCutter::TagScan scan;
    scan.open = openTag;
    scan.close = closeTag;
    for (;;) {
      std::size_t at = 0;
      const BlockCutter::TagScan::Kind kind = scan.Next(text, from, at);
      if (kind == BlockCutter::TagScan::kNone) return none;
      if (kind == BlockCutter::TagScan::kOpen) {
        ++depth;
        from = at + openTag.size();
      } else {
        if (--depth == 0) return BlockExtent{p, at + closeTag.size() - p};
        from = at + closeTag.size();
      }
    }
  }
  // Tags that may overlap: the next closing tag, and an opening tag before it if there is one.
  for (;;) {
    const std::size_t close = text.find(closeTag, from);
    if (close == std::string_view::npos) return none;
    const std::size_t open = text.find(openTag, from);
    if (open == std::string_view::npos || open > close) {
      if (--depth == 0) return BlockExtent{p, close + closeTag.size() - p};
      from = close + closeTag.size();
    } else {
      ++depth;
      from = open + openTag.size();
    }
  }
}

std::size_t BlockCutter::MatchOf(Pair& pair, std::size_t open) {
  // Every opening tag is matched as it is met, with the closing tag that brings the count of
  // the tags after it back to zero: the match ExtraerBloque finds from it.
  constexpr std::size_t kNone = std::string_view::npos;
  const auto step = [&pair, this] {
    std::size_t at = 0;
    const TagScan::Kind kind = pair.scan.Next(text_, pair.scanAt, at);
    if (kind == TagScan::kNone) {
      pair.exhausted = true;
    } else if (kind == TagScan::kOpen) {
      pair.unmatched.push_back(pair.opens.size());
      pair.opens.push_back(at);
      pair.closes.push_back(std::string_view::npos);
      pair.scanAt = at + pair.scan.open.size();
    } else {
      if (!pair.unmatched.empty()) {
        pair.closes[pair.unmatched.back()] = at;
        pair.unmatched.pop_back();
      }
      pair.scanAt = at + pair.scan.close.size();
    }
  };
  while (!pair.exhausted && pair.scanAt <= open) step();
  const auto it = std::lower_bound(pair.opens.begin(), pair.opens.end(), open);
  if (it == pair.opens.end() || *it != open) return kNone;  // no opening tag there
  const auto k = static_cast<std::size_t>(it - pair.opens.begin());
  while (!pair.exhausted && pair.closes[k] == kNone) step();
  return pair.closes[k];
}

BlockExtent BlockCutter::Find(std::string_view part, std::size_t from, std::string_view openTag,
                              std::string_view closeTag) {
  const BlockExtent none;
  const std::size_t p = part.find(openTag, from);
  if (p == std::string_view::npos) return none;
  const auto offset = static_cast<std::size_t>(part.data() - text_.data());
  Pair* pair = nullptr;
  for (Pair& q : pairs_) {
    if (q.scan.open == openTag && q.scan.close == closeTag) pair = &q;
  }
  if (!pair) {
    pair = &pairs_.emplace_back();
    pair->scan.open = openTag;
    pair->scan.close = closeTag;
  }
  // The match in the whole text is the match in the part when the part holds it; when it
  // lies past the part's end, the part has none.
  const std::size_t close = MatchOf(*pair, offset + p);
  if (close == std::string_view::npos || close + closeTag.size() > offset + part.size()) return none;
  return BlockExtent{p, close + closeTag.size() - offset - p};
}

BlockExtent BlockFinder::Find(std::string_view text, std::size_t from, std::string_view openTag,
                              std::string_view closeTag) const {
  if (line_ && !openTag.empty() && !closeTag.empty() && line_->Holds(text) && !TagsMayOverlap(openTag, closeTag)) {
    return line_->Find(text, from, openTag, closeTag);
  }
  from = std::min(from, text.size());
  BlockExtent b = FindBlock(text.substr(from), openTag, closeTag);
  if (b.at != std::string_view::npos) b.at += from;
  return b;
}

plat::Color LeerColor(std::string_view value) {
  std::string_view t = TrimBlanks(value);
  const std::size_t semi = t.find(';');
  if (semi != std::string_view::npos) {
    const double red = Val(t);
    t = After(t, semi);
    const double green = Val(t);
    const std::size_t next = t.find(';');
    const double blue = next == std::string_view::npos ? green : Val(After(t, next));
    return plat::Rgb(Component(red), Component(green), Component(blue));
  }
  if (!t.empty() && IsDigit(t.front())) {
    return static_cast<plat::Color>(std::clamp<long>(RoundToLong(Val(t)), 0, kWhite));
  }
  std::string upper(t);
  std::transform(upper.begin(), upper.end(), upper.begin(),
                 [](unsigned char c) { return static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c); });
  for (const NamedColour& c : kColourNames) {
    if (upper == c.name) return plat::Rgb(c.r, c.g, c.b);
  }
  return 0;
}

void LeerFigura(std::string_view value, std::string& name, double& a, double& b) {
  std::string_view t = TrimBlanks(value);
  const std::size_t p = t.find(',');
  name = std::string(t.substr(0, p));
  if (p == std::string_view::npos) {
    a = 0;
    b = 0;
    return;
  }
  t = After(t, p);
  const std::size_t q = t.find(',');
  a = Val(t.substr(0, q));
  b = q == std::string_view::npos ? 0 : Val(After(t, q));
}

}  // namespace stagora::engine
