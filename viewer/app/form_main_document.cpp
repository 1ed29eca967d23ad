// Opening and saving result documents from the main window: the container's bytes are read
// and written by viewer/document; here they meet the window's state, its messages and the
// view that follows a load.
#include <QCoreApplication>

#include <cerrno>
#include <optional>
#include <utility>

#include "platform/encoding.h"
#include "platform/file_names.h"
#include "platform/messagebox.h"
#include "platform/textfile.h"
#include "viewer/app/form_main.h"
#include "viewer/app/viewer_state.h"

namespace stagora::viewer {
namespace {

// The errors that say the place cannot be written (a folder that is missing or protected),
// which the user mends by choosing another name.
bool IsPathOrAccessError(int number) {
  switch (number) {
    case EACCES: case EPERM: case EROFS: case ENOENT: case ENOTDIR: case EISDIR: case ENAMETOOLONG: case ELOOP:
      return true;
    default:
      return false;
  }
}

std::string FolderOf(const std::string& path) {
  const auto slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

bool EndsInRep(const std::string& path) {
  if (path.size() < 4) return false;
  std::string tail = path.substr(path.size() - 4);
  for (char& c : tail) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
  return tail == ".REP";
}

}  // namespace

void FormMain::ShowLoadError(const std::string& reason) {
  plat::MsgBoxUtf8(plat::Cp1252ToUtf8(GetL_win("CantOpenDocument") + "\r\n") + plat::ShownPath(state_.DocPath) +
                       plat::Cp1252ToUtf8("\r\n" + reason),
                   plat::kExclamation);
}

void FormMain::AnswerWhileOpening() {
  if (answerWhileOpening_) QCoreApplication::processEvents();
}

void FormMain::OpenFile() {
  // While it opens, the window is not to close under it (closeEvent).
  const bool wasOpening = std::exchange(opening_, true);
  const bool wasAnswering = answerWhileOpening_;
  const struct Opened {
    FormMain& f;
    bool opening, answering;
    ~Opened() {
      f.opening_ = opening;
      f.answerWhileOpening_ = answering;
    }
  } opened{*this, wasOpening, wasAnswering};
  // No commands on a document while it loads.
  SetDocumentControlsEnabled(false);
  const bool wasLoaded = state_.DocumentLoaded;
  // The first document (the one the start-up splash opens behind it, among others) is read in
  // steps between which the window answers: there is no document yet that a click or key
  // could meet half opened.
  answerWhileOpening_ = !wasLoaded;
  state_.DocumentLoaded = false;

  // A load that fails changes nothing: the document shown stays the current one.
  const auto fail = [&](const std::string& reason) {
    if (!reason.empty()) {
      SetWaitPointer(false);
      ShowLoadError(reason);
    }
    state_.DocPath = shownDocPath_;
    state_.DocumentLoaded = wasLoaded;
    SetDocumentControlsEnabled(true);
    SetWaitPointer(false);
  };

  // Only result documents; anything else is passed over without a word.
  if (!IsResultDocumentPath(state_.DocPath)) {
    fail("");
    return;
  }
  // The file read whole.
  plat::FileError err;
  const std::optional<std::string> bytes = plat::ReadTextFile(state_.DocPath, &err, kLargestDocument);
  if (!bytes) {
    fail("Error : " + std::to_string(err.number) + " - " + err.description);
    return;
  }
  AnswerWhileOpening();
  // Its sections and images; a document that is damaged or names an unsafe image is refused.
  ReadResult read = ReadResultDocument(*bytes);
  switch (read.error) {
    case ReadError::None: break;
    case ReadError::NotAResultDocument: fail(GetL_win("NotResultDocument")); return;
    case ReadError::DamagedImageDirectory: fail(GetL_win("DamagedImages")); return;
    case ReadError::DamagedImage: fail(GetL_win("DamagedImages") + "\r\n" + read.detail); return;
    case ReadError::UnsafeImageName: fail(GetL_win("UnsafeImageName") + "\r\n" + read.detail); return;
  }
  // An image that cannot be written is drawn as the engine's placeholder; the document
  // itself still opens. Pictures are decoded afresh for each document opened.
  state_.DecodedPictures.Clear();
  ExtractImages(read.images, DefaultImageFolders(state_.TempPath));
  AnswerWhileOpening();

  state_.Document = std::move(read.sections);
  if (state_.Document.SimboloDecimal == ",") {
    mnu_Ver_SEP_COM_Click();
  } else {
    mnu_Ver_SEP_PTO_Click();
  }
  // A saved document's folder is where the dialogs start next time.
  if (EndsInRep(state_.DocPath)) LastFolder = FolderOf(state_.DocPath);
  // The document shown in the chosen view.
  SetWaitPointer(false);
  ActualizarBotones();
  shownDocPath_ = state_.DocPath;
  // Loaded before its pages are found: a view or separator chosen while they are is applied
  // to this document.
  state_.DocumentLoaded = true;
  MakeResolutionLevel();
}

void FormMain::SaveFile() { SaveDocument(); }

bool FormMain::SaveDocument() {
  ResultSections sections = state_.Document;
  sections.SimboloDecimal = state_.SimboloDecimal;
  const SaveResult r = WriteResultDocument(state_.DocPath, sections, DefaultImageFolders(state_.TempPath));
  // Repaints owed while the file was written are made before any message.
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  switch (r.error) {
    case SaveError::None:
      shownDocPath_ = state_.DocPath;
      return true;
    case SaveError::MissingImage:
      plat::MsgBox(GetL_win("CantSaveImage") + r.detail, plat::kCritical);
      return false;
    case SaveError::WriteFailed:
      if (IsPathOrAccessError(r.fileError.number)) {
        SetWaitPointer(false);
        // Which place, and why it cannot be written, as the other refusals of a save say.
        plat::MsgBoxUtf8(plat::Cp1252ToUtf8(GetL_win("ErrorWriteProtectFile") + "\r\n") + plat::ShownPath(state_.DocPath) +
                             "\r\nError : " + std::to_string(r.fileError.number) + " - " +
                             plat::Cp1252ToUtf8(r.fileError.description + "\r\n" + GetL_win("SelectOtherFileName")),
                         plat::kCritical);
        mnu_File_SaveAs_Click();
        return false;
      }
      break;
    default:
      break;
  }
  int number = r.fileError.number;
  // UTF-8, as shown: the image file's path is the system's own name.
  std::string description = plat::Cp1252ToUtf8(r.fileError.description);
  if (r.error == SaveError::BadImageConstruct) {
    number = 5;
    description = "An image in the document is not written as #IMG('name' ... #IMG).";
  } else if (r.error == SaveError::TooLarge) {
    number = 6;
    description = plat::Cp1252ToUtf8("The document with its images would be larger than 99999999 bytes: " + r.detail);
  } else if (r.error == SaveError::ImageUnreadable) {
    description += ": " + plat::ShownPath(r.detail);
  }
  SetWaitPointer(false);
  ShowCantSaveFile(state_.DocPath, number, description);
  return false;
}

void FormMain::ShowCantSaveFile(const std::string& path, int number, const std::string& description) {
  plat::MsgBoxUtf8(plat::Cp1252ToUtf8(GetL_win("CantSaveFile") + "\r\n") + plat::ShownPath(path) +
                       "\r\nError : " + std::to_string(number) + " - " + description,
                   plat::kCritical);
}

}  // namespace stagora::viewer
