#include "viewer/document/page_blocks.h"

namespace stagora::viewer {
namespace {

std::string Heading(const std::string& text) {
  return std::string(kHeadingOpen) + text + std::string(kHeadingClose);
}

void AddBlock(std::vector<PageBlock>& blocks, std::string text) { blocks.push_back({std::move(text), 0}); }

// Cuts w after every "&LF"; line breaks that follow one another stay with the first block.
void CutAtLineBreaks(std::string_view w, std::vector<PageBlock>& blocks) {
  for (std::size_t p = w.find(kLineBreak); p != std::string_view::npos; p = w.find(kLineBreak)) {
    std::string text(w.substr(0, p + kLineBreak.size()));
    w.remove_prefix(p + kLineBreak.size());
    while (w.starts_with(kLineBreak)) {
      text += kLineBreak;
      w.remove_prefix(kLineBreak.size());
    }
    AddBlock(blocks, std::move(text));
  }
  if (!w.empty()) AddBlock(blocks, std::string(w));
}

}  // namespace

std::size_t MarkNumber(std::size_t block) { return block == 0 ? 0 : (block - 1) % kMarkNumbers + 1; }

std::size_t BlockOfMark(long mark, std::size_t from) {
  const long markOfFrom = static_cast<long>(MarkNumber(from));
  const long cycle = static_cast<long>(kMarkNumbers);
  return from + static_cast<std::size_t>(((mark - markOfFrom) % cycle + cycle) % cycle);
}

std::string SectionMark(std::size_t block) {
  const std::string digits = std::to_string(1000 + MarkNumber(block));
  return "#MARK=" + digits.substr(digits.size() - 3);
}

std::vector<PageBlock> BuildViewBlocks(long viewMode, const ResultSections& sections, const ViewHeadings& headings) {
  std::vector<PageBlock> blocks;
  AddBlock(blocks, std::string(kSectionFrame) + sections.StatementText);
  if (viewMode == kViewAnswer) {
    AddBlock(blocks, Heading(headings.answer) + std::string(kAnswerFrame) + sections.SolutionText);
  } else if (viewMode == kViewResolution1 || viewMode == kViewResolution2) {
    const bool first = viewMode == kViewResolution1;
    const std::string w = Heading(first ? headings.resolution1 : headings.resolution2) + std::string(kSectionFrame) +
                          sections.ResolutionTexts[first ? 0 : 1] + Heading(headings.answer) +
                          std::string(kSectionFrame) + sections.SolutionText;
    CutAtLineBreaks(w, blocks);
  }
  for (std::size_t i = 0; i < blocks.size(); ++i) blocks[i].Text = SectionMark(i + 1) + blocks[i].Text;
  return blocks;
}

}  // namespace stagora::viewer
