// The four views of the loaded document and the decimal-separator commands. Every change of
// view or separator while a document is loaded rebuilds its blocks and pages.
#include <QAction>
#include <QMenu>

#include "platform/file_names.h"
#include "viewer/app/form_main.h"
#include "viewer/app/controls.h"
#include "viewer/app/viewer_state.h"

namespace stagora::viewer {
namespace {

// The document's file name: what follows the last folder separator.
std::string FileNameOf(const std::string& path) {
  const auto slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

void FormMain::SelectViewMode(long mode, QAction* item) {
  if (!Ready(Command::View, [this, mode, item] { SelectViewMode(mode, item); })) return;
  state_.ViewMode = mode;
  if (!state_.DocumentLoaded) return;
  for (QAction* a : {mnu_Ver_NOSOL, mnu_Ver_SOLOSOL, mnu_Ver_RES1, mnu_Ver_RES2}) a->setChecked(a == item);
  MakeResolutionLevel();
}

void FormMain::NoSoluciones() { SelectViewMode(kViewStatement, mnu_Ver_NOSOL); }
void FormMain::SoloSolucion() { SelectViewMode(kViewAnswer, mnu_Ver_SOLOSOL); }
void FormMain::Resolucion1() { SelectViewMode(kViewResolution1, mnu_Ver_RES1); }
void FormMain::Resolucion2() { SelectViewMode(kViewResolution2, mnu_Ver_RES2); }

void FormMain::SetDecimalSymbol(const std::string& symbol, QAction* own, QAction* other) {
  state_.SimboloDecimal = symbol;
  own->setChecked(true);
  other->setChecked(false);
  if (state_.DocumentLoaded) MakeResolutionLevel();
}

void FormMain::mnu_Ver_SEP_COM_Click() {
  if (!Ready(Command::View, [this] { mnu_Ver_SEP_COM_Click(); })) return;
  SetDecimalSymbol(",", mnu_Ver_SEP_COM, mnu_Ver_SEP_PTO);
}

void FormMain::mnu_Ver_SEP_PTO_Click() {
  if (!Ready(Command::View, [this] { mnu_Ver_SEP_PTO_Click(); })) return;
  SetDecimalSymbol(".", mnu_Ver_SEP_PTO, mnu_Ver_SEP_COM);
}

void FormMain::MakeResolutionLevel() {
  // Every tool button, as a document is open.
  ToolButtonVisible.fill(true);
  ActualizarBotones();
  // The view's check mark, set below.
  for (QAction* a : {mnu_Ver_NOSOL, mnu_Ver_SOLOSOL, mnu_Ver_RES1, mnu_Ver_RES2}) a->setChecked(false);
  // The view's blocks from the document's sections, and its check mark.
  const ViewHeadings headings{GetL_win("Answer") + ":", GetL_win("View_Resol1"), GetL_win("View_Resol2")};
  state_.Blocks = BuildViewBlocks(state_.ViewMode, state_.Document, headings);
  switch (state_.ViewMode) {
    case kViewAnswer: mnu_Ver_SOLOSOL->setChecked(true); break;
    case kViewResolution1: mnu_Ver_RES1->setChecked(true); break;
    case kViewResolution2: mnu_Ver_RES2->setChecked(true); break;
    default: mnu_Ver_NOSOL->setChecked(true); break;
  }
  // The blocks placed on pages.
  PAGINAR();
  // The document's name in the caption.
  const std::string name = FileNameOf(state_.DocPath);
  setWindowTitle(QText(std::string(kWindowCaption) + " - ") + plat::QPath(name));
  // The recent-documents list.
  UpdateRecentList(state_.DocPath, name);
  // The document's commands back.
  SetDocumentControlsEnabled(true);
  mnu_Ver->menuAction()->setVisible(true);
  mnu_File_SaveAs->setEnabled(true);
  mnu_File_Print->setEnabled(true);
  Picture1->setFocus();
}

}  // namespace stagora::viewer
