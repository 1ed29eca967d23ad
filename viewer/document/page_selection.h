// The pages a print request names: the print dialog's choice (all, odd, even, the current
// page, or a typed list of pages and ranges such as "1, 3, 6-9") read into one flag per page,
// and which pages of a view that request prints. Widget-free, so the rules can be checked
// without a dialog.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace stagora::viewer {

// The pages a list or the current page can name: 1 to 199.
constexpr int kSelectablePages = 199;
using PageFlags = std::array<bool, kSelectablePages + 1>;  // entries 1 to 199; 0 unused

enum class PageChoice { All, Odd, Even, Current, List };

// Which pages the request prints. The flags cover pages 1 to 199 only; the rules that need
// no list (all, odd, even, the page shown) hold for every page of the view, however long it
// is.
enum class PageRule { Flagged, All, Odd, Even, Current };

// What reading the choice gives: the flags, the rule, and an error key of the dialog's
// language ("" when the request is sound).
struct PageSelection {
  PageFlags pages{};
  PageRule rule = PageRule::Flagged;
  std::string error;
};

// The entries a typed list may hold at most.
constexpr int kMaxListEntries = 100;

// Reads the choice. currentPage is the page shown; listText the list box's text, read only
// for PageChoice::List. Errors: "MissingPagesIntervals" (nothing typed),
// "BadCHARPageInterval" (a character other than digits, commas, hyphens and blanks),
// "BadPageInterval" (a page outside 1 to 199, a range with an empty end, more than 100
// entries, or no current page). The current page may lie past page 199: it is flagged when
// it can be, and its rule names it whatever its number.
//
// Blanks are removed before anything else, so "1 2" is page 12. An entry with a hyphen is a
// range from the number before it to the number after it, in either direction ("5-3" is 3, 4
// and 5; "-3" is 3; "1-2-3" is 1 and 2). Empty entries are passed over, so stray commas are
// harmless.
PageSelection ReadPageSelection(PageChoice choice, long currentPage, const std::string& listText);

// True when the request prints page `page` of the view; currentPage is the page shown when
// the request was made.
bool PageIsChosen(long page, PageRule rule, const PageFlags& pages, long currentPage = 0);

// The pages of a view of pageCount pages that the request prints, in order. Empty when the
// request names no page of the view (pages past its end, even pages of a one-page view, a
// list of commas).
std::vector<long> ChosenPages(long pageCount, PageRule rule, const PageFlags& pages, long currentPage = 0);

}  // namespace stagora::viewer
