// The four views cut into marked page blocks.
#include <gtest/gtest.h>

#include "viewer/document/page_blocks.h"

namespace stagora::viewer {
namespace {

const std::string kFrame(kSectionFrame);
const std::string kOpen(kHeadingOpen);
const std::string kClose(kHeadingClose);

ResultSections Sections() {
  ResultSections s;
  s.StatementText = "Statement&LFsecond line";
  s.SolutionText = "Answer one&LFAnswer two";
  s.ResolutionTexts = {"R1 a&LFR1 b&LF&LF&LFR1 c&LF", "R2 a&LFR2 b&LF"};
  return s;
}

const ViewHeadings kHeadings{"Answer:", "Resolution 1", "Resolution 2"};

std::vector<std::string> Texts(const std::vector<PageBlock>& blocks) {
  std::vector<std::string> t;
  for (const PageBlock& b : blocks) {
    EXPECT_EQ(b.Page, 0);
    t.push_back(b.Text);
  }
  return t;
}

TEST(PageBlocks, StatementOnlyIsOneFramedBlock) {
  EXPECT_EQ(Texts(BuildViewBlocks(kViewStatement, Sections(), kHeadings)),
            (std::vector<std::string>{"#MARK=001" + kFrame + "Statement&LFsecond line"}));
}

TEST(PageBlocks, AnswerViewKeepsTheWholeAnswerInTheSecondBlock) {
  EXPECT_EQ(Texts(BuildViewBlocks(kViewAnswer, Sections(), kHeadings)),
            (std::vector<std::string>{"#MARK=001" + kFrame + "Statement&LFsecond line",
                                      "#MARK=002" + kOpen + "Answer:" + kClose + std::string(kAnswerFrame) +
                                          "Answer one&LFAnswer two"}));
}

TEST(PageBlocks, ResolutionViewIsCutAfterEveryLineBreakWithRunsKeptTogether) {
  const std::vector<std::string> t = Texts(BuildViewBlocks(kViewResolution1, Sections(), kHeadings));
  const std::vector<std::string> expected = {
      "#MARK=001" + kFrame + "Statement&LFsecond line",
      "#MARK=002&LF",  // the line break that opens the heading
      "#MARK=003  &BC=230;230;230:&FF=REC,170,1.5:&BC=240;240;240:&FF=REC,170,1:&LF",
      "#MARK=004&FC=0;0;128:&+I&+BResolution 1&-I&FC=NEGRO:&-B&LF&LF",
      "#MARK=005" + kFrame + "R1 a&LF",
      "#MARK=006R1 b&LF&LF&LF",
      "#MARK=007R1 c&LF&LF",  // the answer heading's opening line break joins the run
      "#MARK=008  &BC=230;230;230:&FF=REC,170,1.5:&BC=240;240;240:&FF=REC,170,1:&LF",
      "#MARK=009&FC=0;0;128:&+I&+BAnswer:&-I&FC=NEGRO:&-B&LF&LF",
      "#MARK=010" + kFrame + "Answer one&LF",
      "#MARK=011Answer two",  // the last line, without a line break, is a block of its own
  };
  EXPECT_EQ(t, expected);
}

TEST(PageBlocks, LevelTwoViewUsesLevelTwoAndAnAnswerEndingInALineBreakAddsNoEmptyBlock) {
  ResultSections s = Sections();
  s.SolutionText = "Answer&LF";
  const std::vector<std::string> t = Texts(BuildViewBlocks(kViewResolution2, s, kHeadings));
  ASSERT_GE(t.size(), 4u);
  EXPECT_EQ(t[3], "#MARK=004&FC=0;0;128:&+I&+BResolution 2&-I&FC=NEGRO:&-B&LF&LF");
  EXPECT_EQ(t[4], "#MARK=005" + kFrame + "R2 a&LF");
  EXPECT_EQ(t.back(), SectionMark(t.size()) + kFrame + "Answer&LF");
}

TEST(PageBlocks, AViewOfMoreThan999BlocksKeepsEveryLineInABlockOfItsOwnAndItsMarksBeginAgain) {
  ResultSections s = Sections();
  s.ResolutionTexts[0].clear();
  for (int i = 0; i < 1500; ++i) s.ResolutionTexts[0] += "line " + std::to_string(i) + "&LF";
  const std::vector<PageBlock> blocks = BuildViewBlocks(kViewResolution1, s, kHeadings);
  // The statement, three heading blocks, a block per line (the last one with the line break
  // that opens the answer's heading), two heading blocks and the two lines of the answer.
  ASSERT_EQ(blocks.size(), 1u + 3 + 1500 + 2 + 2);
  EXPECT_EQ(blocks[998].Text.substr(0, 9), "#MARK=999");
  EXPECT_EQ(blocks[999].Text.substr(0, 9), "#MARK=001");
  EXPECT_EQ(blocks.back().Text, "#MARK=509Answer two");
  EXPECT_EQ(blocks[1503].Text.substr(9), "line 1499&LF&LF");
  // Nothing of the view is lost: without the marks the blocks are the whole view.
  std::string joined;
  for (const PageBlock& b : blocks) joined += b.Text.substr(9);
  const std::string view = kFrame + s.StatementText + kOpen + "Resolution 1" + kClose + kFrame +
                           s.ResolutionTexts[0] + kOpen + "Answer:" + kClose + kFrame + s.SolutionText;
  EXPECT_EQ(joined, view);
}

TEST(PageBlocks, MarksRunFrom001To999AndEachNamesTheFirstBlockAtOrAfterAStartThatCarriesIt) {
  const struct {
    std::size_t block;
    const char* mark;
  } marks[] = {{1, "#MARK=001"}, {42, "#MARK=042"}, {999, "#MARK=999"}, {1000, "#MARK=001"}, {2000, "#MARK=002"}};
  for (const auto& m : marks) EXPECT_EQ(SectionMark(m.block), m.mark) << m.block;

  const struct {
    long mark;
    std::size_t from, block;
  } found[] = {{5, 1, 5}, {5, 5, 5}, {4, 5, 1003}, {1, 990, 1000}, {999, 990, 999}, {3, 1500, 2001}};
  for (const auto& f : found) {
    EXPECT_EQ(BlockOfMark(f.mark, f.from), f.block) << f.mark << " from " << f.from;
    EXPECT_EQ(SectionMark(f.block), SectionMark(static_cast<std::size_t>(f.mark)));
  }
}

}  // namespace
}  // namespace stagora::viewer
