#include "viewer/app/window_work.h"

namespace stagora::viewer {

Answer WhileWorking(Work work, Command command) {
  using enum Answer;
  if (work == Work::Idle) return Run;
  switch (command) {
    case Command::Close:
      // Reading and paging stop for a close; a print or a save ends first (nothing half
      // written is left), and the window closes after it.
      return work == Work::Opening || work == Work::Paging ? Stop : Wait;
    case Command::Open:
    case Command::View:
      // New blocks replace the ones being paged; the first document's reading, a drawing, a
      // save or a print run is not cut short.
      return work == Work::Paging ? Replace : Wait;
    case Command::Zoom:
      // A zoom draws the page shown again: not inside another drawing, nor over a printed one.
      return work == Work::Opening || work == Work::Paging ? Run : Wait;
    case Command::TurnPage:
      // A page turn meets the pages found so far; none while a page or sheet is drawn.
      return work == Work::Opening || work == Work::Paging ? Run : Refuse;
    case Command::LastPage:
      // The last page is not known until every page is found.
      if (work == Work::Paging) return Wait;
      return work == Work::Opening ? Run : Refuse;
    case Command::DrawPage:
      // Drawing one page inside another would wipe the half-drawn one; a print run draws the
      // page it prints itself.
      return work == Work::Drawing || work == Work::Saving ? Wait : Run;
    case Command::Save:
      // The document's sections do not change while its pages are found.
      if (work == Work::Paging) return Run;
      return work == Work::Saving ? Refuse : Wait;
    case Command::Print:
      // The dialog offers the view's pages: it opens once they are all found, and once
      // however often it was asked. A print run asks for no second one.
      return work == Work::Drawing || work == Work::Printing ? Refuse : Wait;
  }
  return Refuse;
}

bool ShowsHourglass(Work work) {
  return work == Work::Opening || work == Work::Saving || work == Work::Printing;
}

}  // namespace stagora::viewer
