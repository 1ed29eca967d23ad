// The worked solution handed to the viewer: the diagram drawn on the report picture and saved
// as an image, the sections written as a result document beside it, and the viewer started
// on that document. Nothing ties the two programs together but these two files and the
// document's path on the viewer's command line.
#include <QApplication>
#include <QLabel>
#include <string>

#include "common/bmp2jpg.h"
#include "common/number_text.h"
#include "designer/report/report_document.h"
#include "designer/report/run_identifier.h"
#include "designer/window/controls.h"
#include "designer/window/designer_state.h"
#include "designer/window/form_main.h"
#include "designer/window/report_handover.h"
#include "platform/busy_pointer.h"
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
// temporary folder a folder at the root would be nobody's).
std::string ScratchFolder(const std::string& tempPath) {
  if (tempPath.empty()) return {};
  const std::string folder = plat::ScratchFolderOf(tempPath);
  // Only a folder of this user's that nobody else can write into: not a link planted there.
  if (!plat::ClaimScratchFolder(folder)) return {};
  return folder;
}

std::string ScratchFile(const std::string& folder, const char* prefix, int identifier, const char* extension) {
  return plat::JoinPath(folder, prefix + std::to_string(identifier) + extension);
}

void ReportImageNotWritten(const std::string& path) {
  plat::MsgBoxUtf8("Cannot write file\r\n" + plat::ShownPath(path), plat::kOkOnly, kImageErrorTitle);
}

}  // namespace

void FormMain::CrearINFORME_HTFC() {
  // A rejected design has no worked solution.
  if (!LblERROR->isHidden()) return;
  const plat::BusyPointer busy;

  const std::string folder = ScratchFolder(state_.TempPath);
  // Drawn afresh: this also brings the result fields the worked solution reads up to date.
  Calcular(*Picture4, false);
  if (!LblERROR->text().isEmpty()) return;

  // A number whose image is still there may be the one an open viewer shows.
  const int identifier = DrawRunIdentifier(state_.RunIdentifiers, [&folder](int n) {
    return plat::FileExists(ScratchFile(folder, kImagePrefix, n, ".bmp")) ||
           plat::FileExists(ScratchFile(folder, kImagePrefix, n, ".jpg"));
  });
  const std::string bitmap = ScratchFile(folder, kImagePrefix, identifier, ".bmp");
  if (folder.empty() || identifier == 0 || !Picture4->surface().saveBmp(bitmap)) {
    ReportImageNotWritten(bitmap);
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
  if (plat::FileExists(jpeg)) state_.ScratchFilesWritten.push_back(jpeg);
  if (!converted || !plat::FileExists(jpeg)) {
    ReportImageNotWritten(jpeg);
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
  state_.ScratchFilesWritten.push_back(path);
  QCoreApplication::processEvents();

  // The path is the viewer's one argument, blanks and all; the viewer is not waited for.
  plat::StartProgram(plat::JoinPath(plat::ProgramFolder(), kViewerProgram), path);
}

}  // namespace stagora::designer
