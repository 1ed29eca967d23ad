// Opening and saving result documents from the main window: the container's bytes are read
// and written by viewer/document; here they meet the window's state, its messages and the
// view that follows a load.
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

void FormMain::OpenFile() {
  // No commands on a document while it loads.
  SetDocumentControlsEnabled(false);
  const bool wasLoaded = state_.DocumentLoaded;
  // Why the document cannot be opened ("": nothing is said), told once the hourglass is down.
  std::string error;
  bool opened = false;
  {
    // While it opens, the window is not to close under it (closeEvent).
    const Working opening(*this, Work::Opening);
    state_.DocumentLoaded = false;
    // The first document (the one the start-up splash opens behind it, among others) is read
    // in steps between which the window (or the splash before it) answers: there is no
    // document yet that a click or key could meet half opened. A close asked meanwhile ends
    // the reading.
    const auto nextStep = [&] { return wasLoaded || AnswerBetweenSteps(opening); };
    const auto read = [&]() -> std::optional<ResultSections> {
      // Only result documents; anything else is passed over without a word.
      if (!IsResultDocumentPath(state_.DocPath)) return std::nullopt;
      // The file read whole.
      plat::FileError err;
      const std::optional<std::string> bytes = plat::ReadTextFile(state_.DocPath, &err, kLargestDocument);
      if (!bytes) {
        error = "Error : " + std::to_string(err.number) + " - " + err.description;
        return std::nullopt;
      }
      if (!nextStep()) return std::nullopt;
      // Its sections and images; a document that is damaged or names an unsafe image is
      // refused.
      ReadResult document = ReadResultDocument(*bytes);
      switch (document.error) {
        case ReadError::None: break;
        case ReadError::NotAResultDocument: error = GetL_win("NotResultDocument"); return std::nullopt;
        case ReadError::DamagedImageDirectory: error = GetL_win("DamagedImages"); return std::nullopt;
        case ReadError::DamagedImage: error = GetL_win("DamagedImages") + "\r\n" + document.detail; return std::nullopt;
        case ReadError::UnsafeImageName:
          error = GetL_win("UnsafeImageName") + "\r\n" + document.detail;
          return std::nullopt;
      }
      // An image that cannot be written is drawn as the engine's placeholder; the document
      // itself still opens. Pictures are decoded afresh for each document opened. What it
      // shows from the scratch folder is held there for as long as the viewer runs.
      state_.DecodedPictures.Clear();
      const ImageFolders folders = DefaultImageFolders(state_.TempPath);
      ExtractImages(document.images, folders);
      if (!state_.TempPath.empty()) HoldShownScratchFiles(state_.DocPath, document, folders, state_.ScratchFilesHeld);
      if (!nextStep()) return std::nullopt;
      return std::move(document.sections);
    };
    if (std::optional<ResultSections> sections = read()) {
      opened = true;
      state_.Document = std::move(*sections);
      // The document's own separator (no view is built yet: it is, below).
      if (state_.Document.SimboloDecimal == ",") {
        SetDecimalSymbol(",", mnu_Ver_SEP_COM, mnu_Ver_SEP_PTO);
      } else {
        SetDecimalSymbol(".", mnu_Ver_SEP_PTO, mnu_Ver_SEP_COM);
      }
      // A saved document's folder is where the dialogs start next time.
      if (EndsInRep(state_.DocPath)) LastFolder = FolderOf(state_.DocPath);
      // The document shown in the chosen view.
      ActualizarBotones();
      shownDocPath_ = state_.DocPath;
      // Loaded before its pages are found: a view or separator chosen while they are is
      // applied to this document.
      state_.DocumentLoaded = true;
      MakeResolutionLevel();
    }
  }
  if (opened) return;
  // A load that fails changes nothing: the document shown stays the current one.
  if (!error.empty()) ShowLoadError(error);
  state_.DocPath = shownDocPath_;
  state_.DocumentLoaded = wasLoaded;
  SetDocumentControlsEnabled(true);
}

void FormMain::SaveFile() { SaveDocument(); }

bool FormMain::SaveDocument() {
  ResultSections sections = state_.Document;
  sections.SimboloDecimal = state_.SimboloDecimal;
  SaveResult r;
  {
    const Working saving(*this, Work::Saving);
    r = WriteResultDocument(state_.DocPath, sections, DefaultImageFolders(state_.TempPath));
  }
  switch (r.error) {
    case SaveError::None:
      shownDocPath_ = state_.DocPath;
      return true;
    case SaveError::MissingImage:
      plat::MsgBox(GetL_win("CantSaveImage") + r.detail, plat::kCritical);
      return false;
    case SaveError::WriteFailed:
      if (IsPathOrAccessError(r.fileError.number)) {
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
  ShowCantSaveFile(state_.DocPath, number, description);
  return false;
}

void FormMain::ShowCantSaveFile(const std::string& path, int number, const std::string& description) {
  plat::MsgBoxUtf8(plat::Cp1252ToUtf8(GetL_win("CantSaveFile") + "\r\n") + plat::ShownPath(path) +
                       "\r\nError : " + std::to_string(number) + " - " + description,
                   plat::kCritical);
}

}  // namespace stagora::viewer
