#include "viewer/engine/block_cutter.h"

#include <algorithm>

namespace stagora::engine {

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

void BlockCutter::Reset(std::string_view text) {
  text_ = text;
  source_ = {};
  sourceAt_ = 0;
  sourceBlocks_ = nullptr;
  for (Pair& pair : pairs_) {
    constexpr std::size_t kNone = std::string_view::npos;
    pair.scan.openFrom = pair.scan.openAt = pair.scan.closeFrom = pair.scan.closeAt = kNone;
    pair.scanAt = 0;
    pair.exhausted = false;
    pair.opens.clear();
    pair.closes.clear();
    pair.unmatched.clear();
  }
  last_ = 0;
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

BlockExtent BlockCutter::FindFramed(std::string_view part, std::size_t from, std::string_view openTag,
                                    std::string_view closeTag) {
  const BlockExtent none;
  from = std::min(from, part.size());
  if (openTag.find(' ') != std::string_view::npos || closeTag.find(' ') != std::string_view::npos) {
    BlockExtent b = FindBlock(part.substr(from), openTag, closeTag);
    if (b.at != std::string_view::npos) b.at += from;
    return b;
  }
  // Every tag in the part lies in the source: the blocks are those of the source's stretch
  // the part covers.
  const auto offset = static_cast<std::size_t>(part.data() - text_.data());
  const std::size_t low = std::max(offset, sourceAt_);
  const std::size_t start = std::max(offset + from, low);
  const std::size_t end = std::min(offset + part.size(), sourceAt_ + source_.size());
  if (start >= end) return none;
  BlockExtent b = sourceBlocks_->Find(source_.substr(low - sourceAt_, end - low), start - low, openTag, closeTag);
  if (b.at != std::string_view::npos) b.at += low - offset;
  return b;
}

BlockExtent BlockCutter::Find(std::string_view part, std::size_t from, std::string_view openTag,
                              std::string_view closeTag) {
  if (sourceBlocks_) return FindFramed(part, from, openTag, closeTag);
  const BlockExtent none;
  Pair* pair = nullptr;
  if (last_ < pairs_.size() && pairs_[last_].scan.open == openTag && pairs_[last_].scan.close == closeTag) {
    pair = &pairs_[last_];
  }
  for (std::size_t k = 0; !pair && k < pairs_.size(); ++k) {
    if (pairs_[k].scan.open == openTag && pairs_[k].scan.close == closeTag) pair = &pairs_[last_ = k];
  }
  if (!pair) {
    last_ = pairs_.size();
    pair = &pairs_.emplace_back();
    pair->scan.open = openTag;
    pair->scan.close = closeTag;
    pair->overlapping = openTag.empty() || closeTag.empty() || TagsMayOverlap(openTag, closeTag);
  }
  if (pair->overlapping) {
    // Such tags are read the plain way (the engine's own never are).
    from = std::min(from, part.size());
    BlockExtent b = FindBlock(part.substr(from), openTag, closeTag);
    if (b.at != std::string_view::npos) b.at += from;
    return b;
  }
  const std::size_t p = part.find(openTag, from);
  if (p == std::string_view::npos) return none;
  const auto offset = static_cast<std::size_t>(part.data() - text_.data());
  // The match in the whole text is the match in the part when the part holds it; when it
  // lies past the part's end, the part has none.
  const std::size_t close = MatchOf(*pair, offset + p);
  if (close == std::string_view::npos || close + closeTag.size() > offset + part.size()) return none;
  return BlockExtent{p, close + closeTag.size() - offset - p};
}

BlockExtent BlockFinder::Find(std::string_view text, std::size_t from, std::string_view openTag,
                              std::string_view closeTag) const {
  if (line_ && line_->Holds(text)) return line_->Find(text, from, openTag, closeTag);
  from = std::min(from, text.size());
  BlockExtent b = FindBlock(text.substr(from), openTag, closeTag);
  if (b.at != std::string_view::npos) b.at += from;
  return b;
}

}  // namespace stagora::engine
