// Where documents come from and go to: the command line, File > Open and File > Save As, and
// what the settings store keeps between runs. The recent-documents list, dropped files and
// the rest of the settings belong here too and come with the work on recent documents.
#include <QAction>
#include <QMenu>

#include "common/file_dialogs_ui.h"
#include "platform/settings.h"
#include "platform/shell.h"
#include "viewer/app/controls.h"
#include "viewer/app/form_main.h"
#include "viewer/app/viewer_state.h"

namespace stagora::viewer {
namespace {

std::string TrimBlanks(const std::string& s) {
  const auto first = s.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

std::string UpperTail(const std::string& s, std::size_t n) {
  std::string tail = s.size() < n ? s : s.substr(s.size() - n);
  for (char& c : tail) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
  return tail;
}

}  // namespace

void FormMain::ProcesaCommand() {
  PendingCount = 0;
  std::string s = TrimBlanks(CommandLineText);
  if (s.empty()) return;
  // An unquoted command line is one path, blanks and all: the designer passes it so.
  if (s.front() != '"') {
    PendingFiles[1] = s;
    PendingCount = 1;
    return;
  }
  while (!s.empty()) {
    s.erase(0, 1);
    const auto close = s.find('"', 1);
    if (close == std::string::npos) return;
    const std::string name = TrimBlanks(s.substr(0, close));
    const std::string tail = UpperTail(name, 4);
    if ((tail == ".REP" || tail == ".REX") && PendingCount < kMaxPendingFiles) PendingFiles[++PendingCount] = name;
    s = TrimBlanks(s.substr(close + 1));
  }
}

void FormMain::OpenDRAGDROPFiles_Command() {
  // The list is taken before anything opens: the window is activated again while the page
  // is drawn, and that activation must find nothing left to open.
  const long count = PendingCount;
  PendingCount = 0;
  if (count == 0) return;
  DocPath = PendingFiles[1];
  if (DocPath.find('~') != std::string::npos) DocPath = HallaNombreLargo(DocPath);
  OpenFile();
  for (long k = 2; k <= count; ++k) plat::OpenWithDesktop(PendingFiles[k]);
}

// Paths here have no short forms to expand.
std::string FormMain::HallaNombreLargo(const std::string& NombreCorto) const { return NombreCorto; }

void FormMain::mnu_File_Open_Click() {
  const std::string filter =
      GetL_win("FileTypeRES") + " (*.rep)|*.rep|" + GetL_win("AllFiles") + " (*.*)|*.*";
  const std::string path = DlgAbrirArchivo(filter, GetL_win("But_OpenCAP"), LastFolder, this);
  if (path.empty()) return;
  SetWaitPointer(true);
  DocPath = path;
  OpenFile();
}

void FormMain::mnu_File_SaveAs_Click() {
  if (BlockCount() == 0) return;
  if (UpperTail(DocPath, 4) == ".REX") DocPath.back() = 'p';
  const std::string filter =
      GetL_win("FileTypeRES") + " (*.rep)|*.rep|" + GetL_win("AllFiles") + " (*.*)|*.*";
  const std::string path = DlgGuardarArchivo(filter, GetL_win("File_SaveAs", true), LastFolder, "", this);
  if (path.empty()) return;
  DocPath = path;
  if (UpperTail(DocPath, 4) != ".REP") DocPath += ".rep";
  const auto slash = DocPath.rfind('/');
  LastFolder = slash == std::string::npos ? std::string() : DocPath.substr(0, slash);
  SetWaitPointer(true);
  SaveFile();
  setWindowTitle(QText(std::string(kWindowCaption) + " - " + DocPath));
  UpdateRecentList(DocPath, DocPath);
  SetWaitPointer(false);
}

void FormMain::UpdateRecentList(const std::string& P, const std::string& T) {
  // The list and its menu come with the work on recent documents.
  (void)P;
  (void)T;
}

void FormMain::LoadSettings() {
  SimboloDecimal = plat::GetSetting(kAppTitle, "DECIMAL", "SEP", ".");
  if (SimboloDecimal == ",") {
    mnu_Ver_SEP_COM_Click();
  } else {
    mnu_Ver_SEP_PTO_Click();
  }
}

void FormMain::Form_Unload() {
  if (unloaded_) return;
  unloaded_ = true;
  plat::SaveSetting(kAppTitle, "DECIMAL", "SEP", SimboloDecimal);
  WheelUnhook();
}

}  // namespace stagora::viewer
