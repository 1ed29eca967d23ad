// The worked solution handed to the viewer: the diagram drawn on the report picture and saved
// as an image, the sections written as a result document beside it, and the viewer started
// on that document. Nothing ties the two programs together but these two files and the
// document's path on the viewer's command line.
#include <QApplication>
#include <QLabel>
#include <cerrno>
#include <string>
#include <sys/statvfs.h>
#include <unistd.h>

#include "common/bmp2jpg.h"
#include "common/number_text.h"
#include "designer/report/report_document.h"
#include "designer/report/run_identifier.h"
#include "designer/window/controls.h"
#include "designer/window/designer_state.h"
#include "designer/window/form_main.h"
#include "designer/window/report_handover.h"
#include "platform/busy_pointer.h"
#include "platform/encoding.h"
#include "platform/file_names.h"
#include "platform/messagebox.h"
#include "platform/paths.h"
#include "platform/shell.h"
#include "platform/textfile.h"

namespace stagora::designer {
namespace {

constexpr const char* kImagePrefix = "stgr_temp";
constexpr const char* kDocumentPrefix = "restemp";
constexpr const char* kViewerProgram = "ovdr_ENG";
constexpr int kJpegQuality = 95;
// The conversion's own messages carry this title; the report's image failures read the same.
constexpr const char* kImageErrorTitle = "Error encountered!";

bool ConvertToJpeg(const ImageConversion& conversion, const std::string& bitmap, const std::string& jpeg) {
  if (conversion) return conversion(bitmap, jpeg, kJpegQuality);
  return BMP2JPG(bitmap, jpeg, kJpegQuality);
}

// The scratch folder, created when missing; "" when there is none to be had (without a
// temporary folder a folder at the root would be nobody's), and `why` (if given) says why.
std::string ScratchFolder(const std::string& tempPath, plat::FileError* why = nullptr) {
  if (tempPath.empty()) {
    if (why) *why = {ENOENT, "No temporary folder of this user's could be found or made."};
    return {};
  }
  const std::string folder = plat::ScratchFolderOf(tempPath);
  // Only a folder of this user's that nobody else can write into: not a link planted there.
  if (!plat::ClaimScratchFolder(folder, why)) return {};
  return folder;
}

std::string ScratchFile(const std::string& folder, const char* prefix, int identifier, const char* extension) {
  return plat::JoinPath(folder, prefix + std::to_string(identifier) + extension);
}

// A scratch file of this designer's: removed when its main window unloads, and left by the
// clean-up of other designers' starts until then.
void KeepScratchFile(DesignerState& state, const std::string& path) {
  state.ScratchFilesWritten.push_back(path);
  state.ScratchFilesHeld.hold(path);
}

void ReportImageNotWritten(const std::string& path, const plat::FileError& why) {
  plat::MsgBoxUtf8("Cannot write file\r\n" + plat::ShownPath(path) + "\r\nError : " + std::to_string(why.number) +
                       " - " + plat::Cp1252ToUtf8(why.description),
                   plat::kOkOnly, kImageErrorTitle);
}

// Why a JPEG the conversion did not write is missing: the conversion keeps its reason, so the
// folder is asked what stands in the way of new files.
plat::FileError JpegNotWritten(const std::string& folder) {
  if (::access(folder.c_str(), W_OK | X_OK) != 0) return plat::SystemError(errno);
  struct statvfs room {};
  if (::statvfs(folder.c_str(), &room) == 0 && room.f_bavail == 0) return plat::SystemError(ENOSPC);
  return {EIO, "The picture could not be written as a JPEG."};
}

}  // namespace

void FormMain::CrearINFORME_HTFC() {
  // A rejected design has no worked solution.
  if (!LblERROR->isHidden()) return;
  const plat::BusyPointer busy;

  plat::FileError why;
  const std::string folder = ScratchFolder(state_.TempPath, &why);
  // Drawn afresh: this also brings the result fields the worked solution reads up to date.
  Calcular(*Picture4, false);
  if (!LblERROR->text().isEmpty()) return;

  // A number whose image is still there may be the one an open viewer shows.
  const int identifier = DrawRunIdentifier(state_.RunIdentifiers, [&folder](int n) {
    return plat::FileExists(ScratchFile(folder, kImagePrefix, n, ".bmp")) ||
           plat::FileExists(ScratchFile(folder, kImagePrefix, n, ".jpg"));
  });
  // Named in the message with the folder it would have gone to, also when there is none.
  const std::string bitmap =
      ScratchFile(folder.empty() ? plat::ScratchFolderOf(state_.TempPath) : folder, kImagePrefix, identifier, ".bmp");
  if (!folder.empty() && identifier == 0) {
    why = {EEXIST, "Every number for a scratch file names one that is there already."};
  }
  if (why.number != 0 || !Picture4->surface().saveBmp(bitmap, &why)) {
    ReportImageNotWritten(bitmap, why);
    return;
  }

  // Both files are complete when their writers return, so there is nothing to wait for; a
  // conversion that wrote nothing ends the report here rather than leave the user waiting
  // for a file that never comes. A bitmap it could not read it has already reported with its
  // reason; the JPEG it could not write it leaves to us.
  const std::string jpegName = kImagePrefix + std::to_string(identifier) + ".jpg";
  const std::string jpeg = plat::JoinPath(folder, jpegName);
  const bool converted = ConvertToJpeg(state_.ReportImageConversion, bitmap, jpeg);
  plat::RemoveFile(bitmap);
  if (plat::FileExists(jpeg)) KeepScratchFile(state_, jpeg);
  if (!converted || !plat::FileExists(jpeg)) {
    ReportImageNotWritten(jpeg, JpegNotWritten(folder));
    return;
  }

  if (const std::optional<WorkedSolution> solution = HTFC_Informe_NEU(jpegName)) {
    SaveFile_SHOWOVDR(solution->statement, solution->answer, solution->level1, solution->level2);
  }
}

void FormMain::SaveFile_SHOWOVDR(const std::string& statement, const std::string& answer, const std::string& level1,
                                 const std::string& level2) {
  // Whatever fails here is not told: the viewer is simply not started.
  const std::string folder = ScratchFolder(state_.TempPath);
  if (folder.empty()) return;
  // A number of a document already there is drawn again: an open viewer may be showing it.
  const int identifier = DrawRunIdentifier(state_.RunIdentifiers, [&folder](int n) {
    return plat::FileExists(ScratchFile(folder, kDocumentPrefix, n, ".rex"));
  });
  if (identifier == 0) return;
  const std::string path = ScratchFile(folder, kDocumentPrefix, identifier, ".rex");

  const WorkedSolution solution{statement, answer, level1, level2};
  if (!plat::WriteScratchFile(path, AssembleReportDocument(SimboloDecimal, solution))) return;
  KeepScratchFile(state_, path);
  QCoreApplication::processEvents();

  // The path is the viewer's one argument, blanks and all; the viewer is not waited for.
  plat::StartProgram(plat::JoinPath(plat::ProgramFolder(), kViewerProgram), path);
}

}  // namespace stagora::designer
