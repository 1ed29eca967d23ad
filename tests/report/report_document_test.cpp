// The designer's result document and the numbers that name the report's scratch files.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "designer/report/report_document.h"
#include "designer/report/run_identifier.h"

namespace stagora::test {
namespace {

TEST(ReportDocument, SectionsInOrderWithABlankLineBetweenAndNothingAfterTheLast) {
  const WorkedSolution s{"St&.1&LF", "An", "L1#IMG('stgr_temp123456.jpg'DXmm=130:DYmm=130:#IMG)", "L2\xE9"};
  EXPECT_EQ(AssembleReportDocument(".", s),
            "#DEC(.#DEC)\r\n\r\n#ENU(St&.1&LF#ENU)\r\n\r\n#SOL(An#SOL)\r\n\r\n"
            "#RS1(L1#IMG('stgr_temp123456.jpg'DXmm=130:DYmm=130:#IMG)#RS1)\r\n\r\n#RS2(L2\xE9#RS2)");
  // The decimal comma travels in its own section; empty sections keep their markers.
  EXPECT_EQ(AssembleReportDocument(",", WorkedSolution{}),
            "#DEC(,#DEC)\r\n\r\n#ENU(#ENU)\r\n\r\n#SOL(#SOL)\r\n\r\n#RS1(#RS1)\r\n\r\n#RS2(#RS2)");
}

TEST(RunIdentifier, SixDigitsFrom100000To199999) {
  std::mt19937 generator(7);
  int lowest = kLastRunIdentifier;
  int highest = kFirstRunIdentifier;
  for (int i = 0; i < 20000; ++i) {
    const int n = DrawRunIdentifier(generator, nullptr);
    lowest = std::min(lowest, n);
    highest = std::max(highest, n);
  }
  EXPECT_GE(lowest, 100000);
  EXPECT_LE(highest, 199999);
  // The whole range is used, not a corner of it.
  EXPECT_LT(lowest, 100100);
  EXPECT_GT(highest, 199900);
}

TEST(RunIdentifier, ANumberNamingAFileAlreadyThereIsDrawnAgainNotReused) {
  std::mt19937 reference(42);
  const int first = DrawRunIdentifier(reference, nullptr);
  const int second = DrawRunIdentifier(reference, nullptr);

  std::mt19937 generator(42);
  std::set<int> asked;
  const int drawn = DrawRunIdentifier(generator, [&](int n) {
    asked.insert(n);
    return n == first;  // the file an open viewer shows
  });
  EXPECT_EQ(drawn, second);
  EXPECT_EQ(asked, (std::set<int>{first, second}));

  // A scratch folder where every number is taken gives none rather than replace a file.
  int draws = 0;
  EXPECT_EQ(DrawRunIdentifier(generator, [&](int) { return ++draws > 0; }), 0);
  EXPECT_EQ(draws, kRunIdentifierDraws);
}

TEST(RunIdentifier, EachNewGeneratorIsSeededApartAndEveryDrawMovesTheKeptGeneratorOn) {
  // Four draws of a generator: as four reports of one designer would name their files.
  const auto fourDraws = [](std::mt19937 generator) {
    std::vector<int> drawn;
    for (int i = 0; i < 4; ++i) drawn.push_back(DrawRunIdentifier(generator, nullptr));
    return drawn;
  };
  // Two designers started together do not draw alike, and neither draws what a generator left
  // at its default seed would: every designer would then name its first report alike.
  const std::vector<int> one = fourDraws(NewRunIdentifierGenerator());
  const std::vector<int> other = fourDraws(NewRunIdentifierGenerator());
  const std::vector<int> unseeded = fourDraws(std::mt19937{});
  EXPECT_NE(one, other);
  EXPECT_NE(one, unseeded);
  EXPECT_NE(other, unseeded);

  // The designer keeps one generator for all its reports: a draw moves that generator on, so the
  // next report draws afresh instead of starting again from the same state.
  std::mt19937 kept(5);
  const std::mt19937 atStart = kept;
  DrawRunIdentifier(kept, nullptr);
  EXPECT_NE(kept, atStart);
}

}  // namespace
}  // namespace stagora::test
