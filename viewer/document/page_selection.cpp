#include "viewer/document/page_selection.h"

#include <algorithm>
#include <cstdlib>

namespace stagora::viewer {
namespace {

// The largest page number a list entry may carry before it counts as unreadable.
constexpr long kLargestEntryNumber = 32767;

constexpr const char* kMissingList = "MissingPagesIntervals";
constexpr const char* kBadCharacter = "BadCHARPageInterval";
constexpr const char* kBadInterval = "BadPageInterval";

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The number at the start of an entry without its sign, as the list reads it: "-3" is 3, a
// text without leading digits is 0. More digits than a page number can have read as a number
// beyond every page.
long LeadingNumber(const std::string& text) {
  std::size_t i = 0;
  if (i < text.size() && text[i] == '-') ++i;
  long n = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i) {
    n = n * 10 + (text[i] - '0');
    if (n > kLargestEntryNumber) return kLargestEntryNumber + 1;
  }
  return n;
}

// Flags the pages of one entry; false when it names a page that cannot be printed.
bool FlagEntry(const std::string& entry, PageFlags& pages) {
  const long a = LeadingNumber(entry);
  long b = a;
  if (const auto hyphen = entry.find('-'); hyphen != std::string::npos) b = LeadingNumber(entry.substr(hyphen + 1));
  const long low = std::min(a, b), high = std::max(a, b);
  if (low < 1 || high > kSelectablePages) return false;
  for (long p = low; p <= high; ++p) pages[p] = true;
  return true;
}

}  // namespace

PageSelection ReadPageSelection(PageChoice choice, long currentPage, const std::string& listText) {
  PageSelection s;
  switch (choice) {
    case PageChoice::All:
      s.rule = PageRule::All;
      for (int p = 1; p <= kSelectablePages; ++p) s.pages[p] = true;
      return s;
    case PageChoice::Odd:
    case PageChoice::Even: {
      const bool odd = choice == PageChoice::Odd;
      s.rule = odd ? PageRule::Odd : PageRule::Even;
      for (int p = 1; p <= kSelectablePages; ++p) s.pages[p] = (p % 2 == 1) == odd;
      return s;
    }
    case PageChoice::Current:
      if (currentPage < 1) {
        s.error = kBadInterval;
        return s;
      }
      s.rule = PageRule::Current;
      if (currentPage <= kSelectablePages) s.pages[currentPage] = true;
      return s;
    case PageChoice::List:
      break;
  }

  std::string list;
  for (char c : listText) {
    if (c != ' ') list += c;
  }
  if (list.empty()) {
    s.error = kMissingList;
    return s;
  }
  if (list.find_first_not_of("0123456789,-") != std::string::npos) {
    s.error = kBadCharacter;
    return s;
  }
  std::vector<std::string> entries;
  std::size_t start = 0;
  while (start <= list.size()) {
    const std::size_t comma = std::min(list.find(',', start), list.size());
    if (comma > start) entries.push_back(list.substr(start, comma - start));
    start = comma + 1;
  }
  if (entries.size() > static_cast<std::size_t>(kMaxListEntries)) {
    s.error = kBadInterval;
    return s;
  }
  for (const std::string& entry : entries) {
    if (!FlagEntry(entry, s.pages)) {
      // A refused list flags nothing.
      return PageSelection{{}, PageRule::Flagged, kBadInterval};
    }
  }
  return s;
}

bool PageIsChosen(long page, PageRule rule, const PageFlags& pages, long currentPage) {
  if (page < 1) return false;
  switch (rule) {
    case PageRule::All: return true;
    case PageRule::Odd: return page % 2 == 1;
    case PageRule::Even: return page % 2 == 0;
    case PageRule::Current: return page == currentPage;
    case PageRule::Flagged: break;
  }
  return page <= kSelectablePages && pages[page];
}

std::vector<long> ChosenPages(long pageCount, PageRule rule, const PageFlags& pages, long currentPage) {
  std::vector<long> chosen;
  for (long p = 1; p <= pageCount; ++p) {
    if (PageIsChosen(p, rule, pages, currentPage)) chosen.push_back(p);
  }
  return chosen;
}

}  // namespace stagora::viewer
