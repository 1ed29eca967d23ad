// The four views of a loaded document and the page blocks each is cut into. Every block
// begins with its section mark "#MARK=" and a number in three digits, which the engine
// records while it draws a page; pagination places whole blocks on pages.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "viewer/document/result_document.h"

namespace stagora::viewer {

struct PageBlock {
  std::string Text;
  long Page = 0;  // 0 = not yet placed
  bool operator==(const PageBlock&) const = default;
};

// Section marks run from 001 to 999 and then begin again at 001: block n carries mark
// MarkNumber(n), so blocks 1 to 999 carry their own number. No page holds 999 blocks, so
// among the blocks of one page a mark names one block (BlockOfMark).
constexpr std::size_t kMarkNumbers = 999;

// ViewMode values.
constexpr long kViewStatement = -1;    // the statement alone
constexpr long kViewAnswer = 0;        // statement and answer
constexpr long kViewResolution1 = 1;   // statement, resolution level 1 and answer
constexpr long kViewResolution2 = 2;   // statement, resolution level 2 and answer

// Frames and headings the views put around the sections (mark-up).
inline constexpr std::string_view kSectionFrame = "&BC=240;240;240:&FF=REC,-40,0:&BC=Blanco:&FF=REC,-10,0:";
inline constexpr std::string_view kAnswerFrame =
    "&BC=240;240;240:&FF=REC,-40,0:&BC=Blanco:&BC=240;240;255:&FF=REC,-10,0:&BC=Blanco:&FF=REC,-9,0:";
inline constexpr std::string_view kHeadingOpen =
    "&LF  &BC=230;230;230:&FF=REC,170,1.5:&BC=240;240;240:&FF=REC,170,1:&LF&FC=0;0;128:&+I&+B";
inline constexpr std::string_view kHeadingClose = "&-I&FC=NEGRO:&-B&LF&LF";
inline constexpr std::string_view kLineBreak = "&LF";

// The heading texts, as the language file gives them.
struct ViewHeadings {
  std::string answer;       // "Answer" followed by ":"
  std::string resolution1;  // "View_Resol1"
  std::string resolution2;  // "View_Resol2"
};

// The blocks of the view, marked, every one unplaced. A resolution view is cut after every
// line break, a run of line breaks staying with the block it ends, however many blocks that
// makes.
std::vector<PageBlock> BuildViewBlocks(long viewMode, const ResultSections& sections, const ViewHeadings& headings);

// The mark of block `block` (1-based): 1 to 999, then 1 again.
std::size_t MarkNumber(std::size_t block);

// The first block from block `from` on that carries mark `mark` (1 to 999).
std::size_t BlockOfMark(long mark, std::size_t from);

// "#MARK=" and the mark of block `block` in three digits.
std::string SectionMark(std::size_t block);

}  // namespace stagora::viewer
