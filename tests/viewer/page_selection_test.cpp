// The pages a print request names: the typed list with its ranges and its errors, the current
// page, and all, odd and even pages, which reach every page of a long view.
#include <gtest/gtest.h>

#include "viewer/document/page_selection.h"

namespace stagora::viewer::test {
namespace {

std::vector<long> Flagged(const PageFlags& pages) {
  std::vector<long> flagged;
  for (long p = 1; p <= kSelectablePages; ++p) {
    if (pages[p]) flagged.push_back(p);
  }
  return flagged;
}

TEST(PageSelection, TypedListFlagsItsPagesAndRangesOrNamesItsError) {
  const struct {
    const char* list;
    std::vector<long> pages;
    const char* error;
  } cases[] = {
      {"2, 5-7", {2, 5, 6, 7}, ""},
      {"5-3", {3, 4, 5}, ""},
      {"-3", {3}, ""},
      {"1-2-3", {1, 2}, ""},
      {"1 2", {12}, ""},                // blanks go before the list is read
      {",", {}, ""},                     // a lone comma names nothing and is no error
      {",,4,,", {4}, ""},
      {"199", {199}, ""},
      {"   ", {}, "MissingPagesIntervals"},
      {"", {}, "MissingPagesIntervals"},
      {"1;2", {}, "BadCHARPageInterval"},
      {"1.5", {}, "BadCHARPageInterval"},
      {"3-", {}, "BadPageInterval"},     // a range needs both ends
      {"0", {}, "BadPageInterval"},
      {"200", {}, "BadPageInterval"},
      {"5, 150-250", {}, "BadPageInterval"},
      {"99999999999999999999", {}, "BadPageInterval"},
  };
  for (const auto& c : cases) {
    const PageSelection s = ReadPageSelection(PageChoice::List, 1, c.list);
    EXPECT_EQ(s.error, c.error) << c.list;
    EXPECT_EQ(s.rule, PageRule::Flagged) << c.list;
    EXPECT_EQ(Flagged(s.pages), c.pages) << c.list;
  }
  EXPECT_EQ(Flagged(ReadPageSelection(PageChoice::List, 1, "1-199").pages).size(), 199u);
}

TEST(PageSelection, AListOfMoreThanAHundredEntriesIsRefused) {
  std::string list;
  for (int i = 1; i <= 100; ++i) list += std::to_string(i) + ",";
  EXPECT_EQ(ReadPageSelection(PageChoice::List, 1, list).error, "");
  EXPECT_EQ(ReadPageSelection(PageChoice::List, 1, list + "101").error, "BadPageInterval");
}

TEST(PageSelection, TheCurrentPageIsTheOnlyPagePrintedAlsoPastPage199) {
  const PageSelection seventh = ReadPageSelection(PageChoice::Current, 7, "ignored");
  EXPECT_EQ(Flagged(seventh.pages), (std::vector<long>{7}));
  EXPECT_EQ(ChosenPages(10, seventh.rule, seventh.pages, 7), (std::vector<long>{7}));
  // A long view's last page.
  const PageSelection late = ReadPageSelection(PageChoice::Current, 1500, "");
  EXPECT_EQ(late.error, "");
  EXPECT_EQ(ChosenPages(1500, late.rule, late.pages, 1500), (std::vector<long>{1500}));
  EXPECT_EQ(ReadPageSelection(PageChoice::Current, 0, "").error, "BadPageInterval");
}

TEST(PageSelection, ARequestMayNameNoPageOfTheView) {
  const PageFlags none{};
  EXPECT_TRUE(ChosenPages(3, PageRule::Flagged, ReadPageSelection(PageChoice::List, 1, ",").pages).empty());
  EXPECT_TRUE(ChosenPages(3, PageRule::Flagged, ReadPageSelection(PageChoice::List, 1, "5-9").pages).empty());
  EXPECT_TRUE(ChosenPages(1, PageRule::Even, none).empty());
}

TEST(PageSelection, AllOddAndEvenPagesPrintEveryPageOfTheirKindAlsoPastPage199) {
  const PageSelection all = ReadPageSelection(PageChoice::All, 1, "");
  const PageSelection odd = ReadPageSelection(PageChoice::Odd, 1, "");
  const PageSelection even = ReadPageSelection(PageChoice::Even, 1, "");
  for (const auto* s : {&all, &odd, &even}) EXPECT_EQ(s->error, "");
  // The flags as the dialog always wrote them.
  EXPECT_EQ(Flagged(all.pages).size(), 199u);
  EXPECT_TRUE(odd.pages[199] && !odd.pages[198] && odd.pages[1]);
  EXPECT_TRUE(even.pages[198] && !even.pages[199] && !even.pages[1]);

  // A view of 250 pages: none of the last 51 is left out.
  EXPECT_EQ(ChosenPages(250, all.rule, all.pages).size(), 250u);
  const std::vector<long> odds = ChosenPages(250, odd.rule, odd.pages);
  EXPECT_EQ(odds.size(), 125u);
  EXPECT_EQ(odds.back(), 249);
  const std::vector<long> evens = ChosenPages(250, even.rule, even.pages);
  EXPECT_EQ(evens.size(), 125u);
  EXPECT_EQ(evens.back(), 250);
  // A short view prints only its own pages.
  EXPECT_EQ(ChosenPages(3, all.rule, all.pages), (std::vector<long>{1, 2, 3}));
  EXPECT_EQ(ChosenPages(5, even.rule, even.pages), (std::vector<long>{2, 4}));

  // A list keeps its reach: pages past 199 are never in it.
  const PageSelection list = ReadPageSelection(PageChoice::List, 1, "198-199");
  EXPECT_EQ(ChosenPages(250, list.rule, list.pages), (std::vector<long>{198, 199}));
}

}  // namespace
}  // namespace stagora::viewer::test
