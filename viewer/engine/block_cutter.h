// Cutting balanced constructs out of mark-up fast: where ExtraerBloque's block lies, and the
// cutter that matches the tags of a whole line once for all its parts and pieces, so that
// laying out a document costs about as much as its length, however its constructs nest.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace stagora::engine {

// Where ExtraerBloque's block lies in `text`: its start and length; npos as the start when
// there is no such block (ExtraerBloque then gives the error block).
struct BlockExtent {
  std::size_t at = std::string_view::npos;
  std::size_t length = 0;
};
BlockExtent FindBlock(std::string_view text, std::string_view openTag, std::string_view closeTag);

// True when an occurrence of one of the two tags could overlap another occurrence of either
// (a tag ending the way one of them begins). The engine's own tags never do.
bool TagsMayOverlap(std::string_view openTag, std::string_view closeTag);

// Finds blocks as ExtraerBloque would in one text (a line) and in any part of it (a
// construct, a part of a construct, at any depth), but matches each pair of tags over the
// text once and keeps the matches. So laying out a line reads it about once per pair of tags,
// however deeply its constructs nest and however many of them are never closed.
class BlockCutter {
 public:
  explicit BlockCutter(std::string_view text) : text_(text) {}
  // A cutter for `text`, a made text that holds `source` (a part of the text `line` cuts) at
  // `at` and nothing but spaces around it, as a table cell is framed: it finds the blocks
  // through `line`'s matches, since no tag holds a space, so that such texts nested at any
  // depth are read about once.
  BlockCutter(std::string_view text, std::size_t at, std::string_view source, BlockCutter* line)
      : text_(text), source_(source), sourceAt_(at), sourceBlocks_(line) {}
  // Starts over on another text, keeping the room the matches took.
  void Reset(std::string_view text);
  // True when `part` lies inside the text (shares its characters).
  bool Holds(std::string_view part) const {
    const std::less<const char*> before;
    return !before(part.data(), text_.data()) && !before(text_.data() + text_.size(), part.data() + part.size());
  }
  // FindBlock of `part` (which the cutter holds) from `from` on, the start counted in `part`.
  BlockExtent Find(std::string_view part, std::size_t from, std::string_view openTag, std::string_view closeTag);

  // Where the next occurrence of either tag of a pair lies, for tags that cannot overlap.
  struct TagScan {
    std::string open;
    std::string close;
    std::size_t openFrom = std::string_view::npos;  // the next opening tag at or after openFrom
    std::size_t openAt = std::string_view::npos;    // (when the first tag characters differ)
    std::size_t closeFrom = std::string_view::npos;
    std::size_t closeAt = std::string_view::npos;
    enum Kind { kNone, kOpen, kClose };
    // The first occurrence of either tag at or after `from`.
    Kind Next(std::string_view text, std::size_t from, std::size_t& at);
  };

 private:
  struct Pair {
    TagScan scan;
    bool overlapping = false;  // the tags may overlap: the part is read the plain way
    std::size_t scanAt = 0;  // every tag before this is in `opens` or was a closing tag
    bool exhausted = false;
    std::vector<std::size_t> opens;      // the opening tags met, in order
    std::vector<std::size_t> closes;     // the closing tag matching each, npos while none
    std::vector<std::size_t> unmatched;  // entries of `opens` waiting for their match
  };
  // The position of the closing tag that matches the opening tag at `open`; npos when none.
  std::size_t MatchOf(Pair& pair, std::size_t open);
  // Find for a framed text: through the matches of the text its source is part of.
  BlockExtent FindFramed(std::string_view part, std::size_t from, std::string_view openTag, std::string_view closeTag);
  std::string_view text_;
  std::string_view source_;              // a framed text's source
  std::size_t sourceAt_ = 0;             // and where it stands in the text
  BlockCutter* sourceBlocks_ = nullptr;  // the cutter that holds it; none for a plain text
  std::vector<Pair> pairs_;  // one per pair of tags met; a line meets few
  std::size_t last_ = 0;     // the pair asked for last
};

// Finds blocks through the cutter of the line being laid out when the text searched is part
// of that line, and by reading the text otherwise.
class BlockFinder {
 public:
  BlockFinder() = default;
  explicit BlockFinder(BlockCutter* line) : line_(line) {}
  // FindBlock of the text from `from` on, the start counted in `text`.
  BlockExtent Find(std::string_view text, std::size_t from, std::string_view openTag, std::string_view closeTag) const;

 private:
  BlockCutter* line_ = nullptr;
};

}  // namespace stagora::engine
