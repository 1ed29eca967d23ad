#include "viewer/document/pagination.h"

#include <algorithm>

namespace stagora::viewer {
namespace {

// One line holding a blank: the foot of every trial page stays free for the page number.
constexpr const char* kFootLine = " &LF";

}  // namespace

std::string TrialPageText(const std::vector<PageBlock>& blocks, std::size_t first, std::size_t last) {
  if (last == 0 || last > blocks.size()) last = blocks.size();
  std::string text;
  for (std::size_t i = first; i <= last; ++i) {
    if (blocks[i - 1].Page == 0) text += blocks[i - 1].Text;
  }
  text += kFootLine;
  return text;
}

long PlaceBlocksOnPages(std::vector<PageBlock>& blocks, const TrialPage& trial, const PageProgress& progress) {
  const std::size_t count = blocks.size();
  // Blocks are placed in order, so the unplaced ones are always first .. count.
  std::size_t first = 1;
  const auto place = [&](std::size_t from, std::size_t to, long page) {
    for (std::size_t i = from; i <= to && i <= count; ++i) {
      if (blocks[i - 1].Page == 0) blocks[i - 1].Page = page;
    }
  };
  long pageCount = 0;
  for (long p = 1; first <= count; ++p) {
    // A trial page holds at most one round of marks, so each mark it reports names one
    // block; no page holds that many.
    const std::size_t last = std::min(count, first + kMarkNumbers - 1);
    const long r = trial(TrialPageText(blocks, first, last));
    pageCount = p;
    if (r >= 0) {
      // Everything tried was laid out: it is this page.
      place(first, last, p);
      first = last + 1;
      if (first <= count && progress) progress(p);
      continue;
    }
    // The block that did not fit opens the next page. When that is the page's own first
    // block, it stands alone on this page instead: trying it again would never fit.
    const auto blockAfter = [first](long notFitting) {
      const std::size_t n = BlockOfMark(notFitting, first);
      return n > first ? n : first + 1;
    };
    std::size_t next = std::min(blockAfter(-r), last + 1);
    // The blocks that fitted, with the foot line below them: the last one that leaves no
    // room for it goes on to the next page too.
    if (next > first + 1) {
      const long r2 = trial(TrialPageText(blocks, first, next - 1));
      if (r2 < 0) next = std::min(next, blockAfter(-r2));
    }
    place(first, next - 1, p);
    first = next;
    if (progress) progress(p);
  }
  return pageCount < 1 ? 1 : pageCount;
}

std::string PageText(const std::vector<PageBlock>& blocks, long k) {
  std::string text;
  for (const PageBlock& b : blocks) {
    if (b.Page > k) break;
    if (b.Page == k) text += b.Text;
  }
  return text;
}

}  // namespace stagora::viewer
