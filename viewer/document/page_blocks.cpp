#include "viewer/document/page_blocks.h"

namespace stagora::viewer {
namespace {

constexpr std::size_t kMarkLength = 9;  // "#MARK=" and three digits

std::string Heading(const std::string& text) {
  return std::string(kHeadingOpen) + text + std::string(kHeadingClose);
}

// Cuts w after every "&LF"; line breaks that follow one another stay with the first block.
void CutAtLineBreaks(std::string_view w, std::vector<std::string_view>& pieces) {
  for (std::size_t p = w.find(kLineBreak); p != std::string_view::npos; p = w.find(kLineBreak, p)) {
    p += kLineBreak.size();
    while (w.substr(p).starts_with(kLineBreak)) p += kLineBreak.size();
    pieces.push_back(w.substr(0, p));
    w.remove_prefix(p);
    p = 0;
  }
  if (!w.empty()) pieces.push_back(w);
}

// "#MARK=" and the block's mark in three digits, at the end of `text`.
void AppendSectionMark(std::string& text, std::size_t block) {
  const std::size_t mark = MarkNumber(block);
  text += "#MARK=";
  text += static_cast<char>('0' + mark / 100);
  text += static_cast<char>('0' + mark / 10 % 10);
  text += static_cast<char>('0' + mark % 10);
}

}  // namespace

std::size_t MarkNumber(std::size_t block) { return block == 0 ? 0 : (block - 1) % kMarkNumbers + 1; }

std::size_t BlockOfMark(long mark, std::size_t from) {
  const long markOfFrom = static_cast<long>(MarkNumber(from));
  const long cycle = static_cast<long>(kMarkNumbers);
  return from + static_cast<std::size_t>(((mark - markOfFrom) % cycle + cycle) % cycle);
}

std::string SectionMark(std::size_t block) {
  std::string mark;
  AppendSectionMark(mark, block);
  return mark;
}

std::vector<PageBlock> BuildViewBlocks(long viewMode, const ResultSections& sections, const ViewHeadings& headings) {
  // The blocks' texts are cut from these, and each is made once, its mark first: a view of a
  // long document has tens of thousands of blocks.
  const std::string statement = std::string(kSectionFrame) + sections.StatementText;
  std::string rest;
  std::vector<std::string_view> pieces{statement};
  if (viewMode == kViewAnswer) {
    rest = Heading(headings.answer) + std::string(kAnswerFrame) + sections.SolutionText;
    pieces.push_back(rest);
  } else if (viewMode == kViewResolution1 || viewMode == kViewResolution2) {
    const bool first = viewMode == kViewResolution1;
    rest = Heading(first ? headings.resolution1 : headings.resolution2) + std::string(kSectionFrame) +
           sections.ResolutionTexts[first ? 0 : 1] + Heading(headings.answer) + std::string(kSectionFrame) +
           sections.SolutionText;
    CutAtLineBreaks(rest, pieces);
  }
  std::vector<PageBlock> blocks(pieces.size());
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    std::string& text = blocks[i].Text;
    text.reserve(kMarkLength + pieces[i].size());
    AppendSectionMark(text, i + 1);
    text += pieces[i];
  }
  return blocks;
}

}  // namespace stagora::viewer
