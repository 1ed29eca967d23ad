// Placing the blocks of a view on pages by trial layout: the blocks not yet placed are laid
// out (measured, not drawn) from the top of an empty page, and the engine's page-break answer
// (BloqueCorte) says which block the first line that did not fit belongs to; every block
// before it goes on the page, and the next trial page starts with it. A block is never split
// across pages.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "viewer/document/page_blocks.h"

namespace stagora::viewer {

// Lays `text` out on an empty page and returns the engine's BloqueCorte: 0 no section mark
// met, > 0 everything fitted (the last mark met), < 0 minus the mark of the block in which
// the first line that did not fit lies.
using TrialPage = std::function<long(const std::string& text)>;
// Told after each full page, with the number of pages finished so far.
using PageProgress = std::function<void(long pagesDone)>;

// The text of a trial page: the unplaced blocks from `first` to `last` (1-based, inclusive;
// the last block when `last` is 0), joined, with one blank line after them that keeps the
// page's foot free for its page number.
std::string TrialPageText(const std::vector<PageBlock>& blocks, std::size_t first, std::size_t last = 0);

// Gives every block its page and returns the page count, at least 1. The blocks enter with
// Page 0 and their section marks (SectionMark) in order. A trial page is handed at most
// kMarkNumbers blocks, whose marks all differ.
//
// Every page keeps its foot line free for the page number, not only the last one: when the
// rest of the view does not fit, the blocks that did are tried once more with the blank line
// after them, and the last of them moves on when that line does not fit.
//
// A trial page is handed the unplaced blocks up to about a few pages of text, not the whole
// rest of the view, and handed more only when what it was handed all fitted.
//
// A block that does not fit even on a page of its own is put alone on its page, where the
// part of it that fits is shown, and the pages go on with the next block: no later block is
// ever left without a page. Each trial page therefore places at least one block, so a view
// has at most as many pages as blocks, however many that is.
long PlaceBlocksOnPages(std::vector<PageBlock>& blocks, const TrialPage& trial, const PageProgress& progress = {});

// The same, one page at a time, so that a page can be shown, and the window can answer, while
// the pages after it are still being found. The blocks must stay as they are, in number and
// text, while pages are placed: a caller that changes them starts a new placer.
class PagePlacer {
 public:
  PagePlacer(std::vector<PageBlock>& blocks, TrialPage trial);
  // Places the blocks of the next page and returns its number; 0 once every block has its page.
  long PlaceNextPage();
  bool Done() const { return first_ > blocks_.size(); }
  // Pages whose blocks are all placed.
  long PagesPlaced() const { return pages_; }
  // The last page placed ended where a block did not fit (rather than with the last block).
  bool EndedAtABreak() const { return endedAtBreak_; }

 private:
  long TrialOfTheRest(std::size_t from, std::size_t& last);
  void Place(std::size_t from, std::size_t to, long page);

  std::vector<PageBlock>& blocks_;
  TrialPage trial_;
  std::size_t first_ = 1;  // the first unplaced block; blocks are placed in order
  std::size_t budget_;
  long pages_ = 0;
  bool endedAtBreak_ = false;
};

// The text of page k: the blocks on it, in order, joined (no blank line is added).
std::string PageText(const std::vector<PageBlock>& blocks, long k);

}  // namespace stagora::viewer
