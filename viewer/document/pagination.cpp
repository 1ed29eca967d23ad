#include "viewer/document/pagination.h"

#include <algorithm>
#include <utility>

namespace stagora::viewer {
namespace {

// One line holding a blank: the foot of every trial page stays free for the page number.
constexpr const char* kFootLine = " &LF";

// A trial page is handed about this much mark-up to begin with, a few pages of plain text;
// when it places all it was handed while more is left it is made again with twice as much.
constexpr std::size_t kFirstTrialBytes = 16 * 1024;

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

PagePlacer::PagePlacer(std::vector<PageBlock>& blocks, TrialPage trial)
    : blocks_(blocks), trial_(std::move(trial)), budget_(kFirstTrialBytes) {}

void PagePlacer::Place(std::size_t from, std::size_t to, long page) {
  for (std::size_t i = from; i <= to && i <= blocks_.size(); ++i) {
    if (blocks_[i - 1].Page == 0) blocks_[i - 1].Page = page;
  }
}

// The unplaced blocks from `from` on, as few of them as make about the budget's bytes and at
// most one round of marks, so that each mark a trial reports names one block. Each block ends
// with a line break and begins with its own mark, so a line that does not fit in a block
// before the last one handed is the line that would not fit with all the rest handed: laying
// out stops there either way. Any other answer is asked again with more.
long PagePlacer::TrialOfTheRest(std::size_t from, std::size_t& last) {
  const std::size_t count = blocks_.size();
  const std::size_t cap = std::min(count, from + kMarkNumbers - 1);
  for (;;) {
    last = from;
    std::size_t bytes = blocks_[from - 1].Text.size();
    while (last < cap && bytes + blocks_[last].Text.size() <= budget_) bytes += blocks_[last++].Text.size();
    const long r = trial_(TrialPageText(blocks_, from, last));
    if (last >= cap) return r;
    if (r < 0 && BlockOfMark(-r, from) < last) return r;
    budget_ *= 2;
  }
}

long PagePlacer::PlaceNextPage() {
  if (Done()) return 0;
  const long p = ++pages_;
  std::size_t last = first_;
  const long r = TrialOfTheRest(first_, last);
  if (r >= 0) {
    // Everything tried was laid out: it is this page.
    Place(first_, last, p);
    first_ = last + 1;
    endedAtBreak_ = false;
    return p;
  }
  // The block that did not fit opens the next page. When that is the page's own first
  // block, it stands alone on this page instead: trying it again would never fit.
  const auto blockAfter = [this](long notFitting) {
    const std::size_t n = BlockOfMark(notFitting, first_);
    return n > first_ ? n : first_ + 1;
  };
  std::size_t next = std::min(blockAfter(-r), last + 1);
  // The blocks that fitted, with the foot line below them: the last one that leaves no
  // room for it goes on to the next page too.
  if (next > first_ + 1) {
    const long r2 = trial_(TrialPageText(blocks_, first_, next - 1));
    if (r2 < 0) next = std::min(next, blockAfter(-r2));
  }
  Place(first_, next - 1, p);
  first_ = next;
  endedAtBreak_ = true;
  return p;
}

long PlaceBlocksOnPages(std::vector<PageBlock>& blocks, const TrialPage& trial, const PageProgress& progress) {
  PagePlacer placer(blocks, trial);
  while (const long p = placer.PlaceNextPage()) {
    if (progress && (placer.EndedAtABreak() || !placer.Done())) progress(p);
  }
  return std::max(placer.PagesPlaced(), 1L);
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
