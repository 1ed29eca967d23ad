// Where documents come from and go to: the command line, files dropped on the page, File >
// Open, the recent-documents list and File > Save As, and what the settings store keeps
// between runs (recent documents, the dialogs' folder, the decimal symbol).
#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <filesystem>

#include "common/file_dialogs_ui.h"
#include "platform/encoding.h"
#include "platform/file_names.h"
#include "platform/messagebox.h"
#include "platform/process.h"
#include "platform/settings.h"
#include "platform/shell.h"
#include "viewer/app/controls.h"
#include "viewer/app/form_main.h"
#include "viewer/app/viewer_state.h"
#include "viewer/viewer_settings.h"

namespace stagora::viewer {
namespace {

// What File > Save As adds to a name typed without it.
constexpr const char* kRepExtension = ".rep";

std::string UpperTail(const std::string& s, std::size_t n) {
  std::string tail = s.size() < n ? s : s.substr(s.size() - n);
  for (char& c : tail) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
  return tail;
}

// Something is there under that name, a link counting as what it points at. Whether it is a
// document the opening tells.
bool EntryExists(const std::string& path) {
  std::error_code ec;
  return !path.empty() && std::filesystem::exists(path, ec);
}

// A menu caption that shows the file's name as it stands: "&" would mark an access key.
QString MenuCaption(const std::string& name) { return plat::QPath(name).replace("&", "&&"); }

// The local files a drag carries, as full paths. A path comes percent-encoded, byte by byte,
// and is decoded into those bytes: through Qt's string a name that is no UTF-8 would turn
// into another one. A file on another host keeps Qt's reading of it.
std::vector<std::string> DraggedFiles(const QMimeData* data) {
  std::vector<std::string> files;
  if (!data || !data->hasUrls()) return files;
  for (const QUrl& url : data->urls()) {
    if (!url.isLocalFile()) continue;
    if (url.host().isEmpty()) {
      files.push_back(QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()).toStdString());
    } else {
      files.push_back(plat::PathFromQt(url.toLocalFile()));
    }
  }
  return files;
}

// The page picture as a drop target: files dragged over it are offered to the main window's
// drop handlers.
class DropFilter : public QObject {
 public:
  DropFilter(FormMain* form, QObject* parent) : QObject(parent), form_(form) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    switch (event->type()) {
      case QEvent::DragEnter:
      case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (form_->Picture1_OLEDragOver(DraggedFiles(drag->mimeData()))) {
          drag->acceptProposedAction();
        } else {
          drag->ignore();
        }
        return true;
      }
      case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const std::vector<std::string> files = DraggedFiles(drop->mimeData());
        drop->acceptProposedAction();
        // Opened once the drop is over: the program the files came from need not wait for
        // the pages to be drawn.
        QTimer::singleShot(0, form_, [form = form_, files] { form->Picture1_OLEDragDrop(files); });
        return true;
      }
      default:
        return QObject::eventFilter(watched, event);
    }
  }

 private:
  FormMain* form_;
};

}  // namespace

void FormMain::InstallDropTarget() {
  Picture1->setAcceptDrops(true);
  Picture1->installEventFilter(new DropFilter(this, Picture1));
}

void FormMain::ProcesaCommand() {
  PendingCount = 0;
  const std::vector<std::string>& arguments = state_.CommandLineArguments;
  // One argument is one path, whatever its name: the designer passes its document so. It is
  // taken as the system gave it; OpenFile tells whether it is a document.
  if (arguments.size() == 1) {
    if (arguments.front().empty()) return;
    PendingFiles[1] = arguments.front();
    PendingCount = 1;
    return;
  }
  // Several, as a file manager passes the files chosen: the documents among them.
  for (const std::string& name : arguments) {
    if (IsResultDocumentPath(name) && PendingCount < kMaxPendingFiles) PendingFiles[++PendingCount] = name;
  }
}

void FormMain::OpenDRAGDROPFiles_Command() {
  if (PendingCount == 0) return;
  // While a document is read or a page drawn the list waits; pages being found are replaced.
  if (!Ready(Command::Open, [this] { OpenDRAGDROPFiles_Command(); })) return;
  // The list is taken before anything opens: the window is activated again while the page
  // is drawn, and that activation must find nothing left to open.
  const long count = PendingCount;
  PendingCount = 0;
  state_.DocPath = PendingFiles[1];
  if (state_.DocPath.find('~') != std::string::npos) state_.DocPath = HallaNombreLargo(state_.DocPath);
  OpenFile();
  // Each further document in a viewer of its own, as the desktop would start one for it.
  const std::string viewer = plat::ProgramFile();
  for (long k = 2; k <= count; ++k) plat::StartProgram(viewer, PendingFiles[k]);
}

// Paths here have no short forms to expand.
std::string FormMain::HallaNombreLargo(const std::string& NombreCorto) const { return NombreCorto; }

bool FormMain::Picture1_OLEDragOver(const std::vector<std::string>& files) const {
  return !files.empty() && IsResultDocumentPath(files.front());
}

void FormMain::Picture1_OLEDragDrop(const std::vector<std::string>& files) {
  if (files.empty()) return;
  PendingCount = 0;
  for (const std::string& f : files) {
    if (PendingCount == kMaxPendingFiles) break;
    if (IsResultDocumentPath(f)) PendingFiles[++PendingCount] = f;
  }
  OpenDRAGDROPFiles_Command();
}

void FormMain::mnu_File_Open_Click() {
  const std::string filter =
      GetL_win("FileTypeRES") + " (*.rep)|*.rep|" + GetL_win("AllFiles") + " (*.*)|*.*";
  const std::string path = DlgAbrirArchivo(filter, GetL_win("But_OpenCAP"), LastFolder, this);
  if (path.empty()) return;
  // The list of all files offers any file; one the opening would pass over without a word is
  // refused here, saying which file and why.
  if (!IsResultDocumentPath(path)) {
    plat::MsgBoxUtf8(plat::Cp1252ToUtf8(GetL_win("CantOpenDocument") + "\r\n") + plat::ShownPath(path) +
                         plat::Cp1252ToUtf8("\r\n" + GetL_win("NotResultDocumentName")),
                     plat::kExclamation);
    return;
  }
  const auto open = [this, path] {
    state_.DocPath = path;
    OpenFile();
  };
  if (Ready(Command::Open, open)) open();
}

void FormMain::mnu_File_Reciente_Click(int Index) {
  if (Index < 1 || Index > kRecentEntries) return;
  if (!Ready(Command::Open, [this, Index] { mnu_File_Reciente_Click(Index); })) return;
  // What is there but is no file (a folder, a FIFO) the opening refuses, saying what it is.
  if (EntryExists(RecentFiles[Index])) {
    state_.DocPath = RecentFiles[Index];
    OpenFile();
    return;
  }
  plat::MsgBox(GetL_win("FileNotFound"), plat::kExclamation, GetL_win("Error"));
}

void FormMain::mnu_File_SaveAs_Click() {
  if (!Ready(Command::Save, [this] { mnu_File_SaveAs_Click(); })) return;
  if (state_.BlockCount() == 0) return;
  const std::string filter =
      GetL_win("FileTypeRES") + " (*.rep)|*.rep|" + GetL_win("AllFiles") + " (*.*)|*.*";
  // The dialog is told of the ".rep" added below, so that it asks before replacing that file.
  const std::string path =
      DlgGuardarArchivo(filter, GetL_win("File_SaveAs", true), LastFolder, "", this, std::string(kRepExtension));
  // A cancelled dialog changes nothing: the document keeps its path, the recent list its
  // entries.
  if (path.empty()) return;
  const std::string previous = state_.DocPath;
  state_.DocPath = path;
  if (UpperTail(state_.DocPath, 4) != ".REP") state_.DocPath += kRepExtension;
  const std::string target = state_.DocPath;
  if (SaveDocument()) {
    // Only a folder a document went into is offered again: after a refusal the dialog opens
    // where the user was, not in the folder that could not be written.
    const auto slash = target.rfind('/');
    LastFolder = slash == std::string::npos ? std::string() : target.substr(0, slash);
    setWindowTitle(QText(std::string(kWindowCaption) + " - ") + plat::QPath(state_.DocPath));
    UpdateRecentList(state_.DocPath, state_.DocPath);
  } else if (state_.DocPath == target) {
    // Nothing was written there (and no other name was chosen instead): the document is
    // still the one it was.
    state_.DocPath = previous;
  }
}

void FormMain::ShowRecentItem(int n) {
  mnu_File_Reciente[n]->setText(MenuCaption(RecentTitles[n]));
  mnu_File_Reciente[n]->setVisible(true);
  zep04->setVisible(true);
}

void FormMain::UpdateRecentList(const std::string& P, const std::string& T) {
  // Paths name the same document only when they are equal: the file system tells case apart.
  int k = kRecentEntries;
  for (int n = 1; n <= kRecentEntries; ++n) {
    if (RecentFiles[n] == P) {
      k = n;
      break;
    }
  }
  for (int j = k - 1; j >= 1; --j) {
    RecentTitles[j + 1] = RecentTitles[j];
    RecentFiles[j + 1] = RecentFiles[j];
    if (!RecentFiles[j + 1].empty()) ShowRecentItem(j + 1);
  }
  RecentTitles[1] = T;
  RecentFiles[1] = P;
  ShowRecentItem(1);
}

void FormMain::LoadSettings() {
  zep04->setVisible(false);
  for (int n = 1; n <= kRecentEntries; ++n) {
    mnu_File_Reciente[n]->setVisible(false);
    RecentFiles[n] = plat::GetPathSetting(kAppTitle, settings::kRecentFile, std::to_string(n));
    RecentTitles[n].clear();
    if (!RecentFiles[n].empty()) {
      RecentTitles[n] = plat::GetPathSetting(kAppTitle, settings::kRecentTitle, std::to_string(n));
      ShowRecentItem(n);
    }
  }
  LastFolder = plat::GetPathSetting(kAppTitle, settings::kLastFolder);
  state_.SimboloDecimal = plat::GetSetting(kAppTitle, settings::kDecimalSymbol);
  if (state_.SimboloDecimal == ",") {
    mnu_Ver_SEP_COM_Click();
  } else {
    mnu_Ver_SEP_PTO_Click();
  }
}

void FormMain::Form_Unload() {
  if (unloaded_) return;
  unloaded_ = true;
  for (int n = 1; n <= kRecentEntries; ++n) {
    plat::SavePathSetting(kAppTitle, settings::kRecentTitle, RecentTitles[n], std::to_string(n));
    plat::SavePathSetting(kAppTitle, settings::kRecentFile, RecentFiles[n], std::to_string(n));
  }
  plat::SavePathSetting(kAppTitle, settings::kLastFolder, LastFolder);
  plat::SaveSetting(kAppTitle, settings::kDecimalSymbol, state_.SimboloDecimal);
  // What the documents showed from the scratch folder is nobody's now: the clean-up takes it
  // once it is a day old.
  state_.ScratchFilesHeld.release();
  WheelUnhook();
}

}  // namespace stagora::viewer
