#include "viewer/engine/separated_parts.h"

#include <array>
#include <cstring>

namespace stagora::engine {
namespace {

constexpr std::array<std::string_view, 2> kOpeningTags = {"#ATX(", "#SPB("};
constexpr std::array<std::string_view, 2> kClosingTags = {"#ATX)", "#SPB)"};
constexpr std::array<std::string_view, 1> kUpperEnd = {"#T)"};
constexpr std::array<std::string_view, 1> kSeparator = {"#T)("};

template <std::size_t N>
std::size_t TagAt(std::string_view text, std::size_t at, const std::array<std::string_view, N>& tags) {
  for (std::string_view tag : tags) {
    if (text.substr(at, tag.size()) == tag) return tag.size();
  }
  return 0;
}

// The next "#" at or after `from`; npos when none.
std::size_t NextHash(std::string_view text, std::size_t from) {
  if (from >= text.size()) return std::string_view::npos;
  const void* hit = std::memchr(text.data() + from, '#', text.size() - from);
  return hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - text.data()) : std::string_view::npos;
}

// FindBlock with a set of opening tags and a set of closing tags, each of the one counting
// against each of the other. None of these tags can overlap another (they all begin with "#"
// and hold no other "#"), so each is met once, in order.
template <std::size_t O, std::size_t C>
BlockExtent FindCounted(std::string_view text, std::size_t from, const std::array<std::string_view, O>& opens,
                        const std::array<std::string_view, C>& closes) {
  const BlockExtent none;
  std::size_t start = NextHash(text, from);
  std::size_t length = 0;
  while (start != std::string_view::npos && (length = TagAt(text, start, opens)) == 0) {
    start = NextHash(text, start + 1);
  }
  if (start == std::string_view::npos) return none;
  long depth = 1;
  for (std::size_t at = NextHash(text, start + length); at != std::string_view::npos; at = NextHash(text, at)) {
    if (const std::size_t open = TagAt(text, at, opens); open > 0) {
      ++depth;
      at += open;
    } else if (const std::size_t close = TagAt(text, at, closes); close > 0) {
      if (--depth == 0) return BlockExtent{start, at + close - start};
      at += close;
    } else {
      ++at;
    }
  }
  return none;
}

}  // namespace

BlockExtent FindUpperPart(std::string_view text) { return FindCounted(text, 0, kOpeningTags, kUpperEnd); }

BlockExtent FindLowerPart(std::string_view text, std::size_t from) {
  return FindCounted(text, from, kSeparator, kClosingTags);
}

}  // namespace stagora::engine
