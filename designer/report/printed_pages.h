// The two printed result pages, composed on any surface whose scale is millimetres: page 1
// the worked solution in plain text under the title and a black rule, page 2 the heading and
// the list of the stage points above which the diagram is drawn. Also the order of the
// sheets of a print run. The printer itself (starting and ending sheets) is the caller's.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/surface.h"

namespace stagora {

// The smallest printable area the pages fit, in millimetres.
inline constexpr double kMinPrintableWidthMm = 190;
inline constexpr double kMinPrintableHeightMm = 260;

bool PaperLargeEnough(double scaleWidthMm, double scaleHeightMm);

// The lines of a text as the pages print them: each line must be ended by CR LF (text after
// the last one is not printed), and the lines stop where the rest of the text is blank.
std::vector<std::string> PrintedLines(const std::string& text);

// Page 1: title at (10, 10) in Arial 11 bold, the rule from (10, 14.5) to (180, 15), the body
// lines from y 18 in 4 mm steps in Arial 10; between a line "<TAB" and a line "TAB>" the lines
// are set in Courier New 10 bold after four blanks, the marker lines taking no space.
void ComposePage1(plat::Surface& s, const std::string& title, const std::string& body);

// Page 2 without its diagram: heading at (10, 200) in Arial 10, the table lines from y 205 in
// 4 mm steps in Courier New 10 bold, each after four blanks.
void ComposePage2(plat::Surface& s, const std::string& heading, const std::string& table);

// The pages of a print run sheet by sheet: collated 1, 2, 1, 2 ...; not collated every copy of
// page 1 and then every copy of page 2.
std::vector<int> SheetOrder(long copies, bool collate);

// One sheet: composes it and ends it. A composition that fails (an exception of the standard
// library's family) still ends its sheet (the next page must not be printed over it); what
// failed is written to standard error and goes no further: a print run goes on with its next
// page. Anything else is no failure of a page and passes on.
void PrintSheet(const std::function<void()>& compose, const std::function<void()>& endSheet);

}  // namespace stagora
