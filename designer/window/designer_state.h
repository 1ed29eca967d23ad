// The designer's state: one DesignerState, owned by the main window (FormMain::State()) and
// handed by it to the windows and dialogs it opens: the scratch folder, the equilibrium table
// with its lookup tables, the remembered folders, the last update check's answer and the
// texts taken from the main window's language file for the other windows' dialogs and
// messages. A fresh one is the state of a designer that has just started.
#pragma once

#include <random>
#include <string>
#include <vector>

#include "designer/calculation/equilibrium.h"
#include "designer/designer_names.h"
#include "designer/report/run_identifier.h"
#include "designer/window/report_handover.h"
#include "designer/update/update_info.h"
#include "platform/paths.h"

namespace stagora::designer {

struct DesignerState {
  // The user's temporary folder without a trailing separator; scratch files go into its
  // scratch folder (plat::ScratchFolderOf). Set by the program's start; "" (no scratch files) until then.
  std::string TempPath;
  // The report's scratch files this designer wrote, in the order written. Only these go when
  // its main window unloads: another designer's, or a viewer's, are not ours to take.
  std::vector<std::string> ScratchFilesWritten;
  // The same files held for as long as this designer runs, so that another designer's start
  // leaves them however old they get.
  plat::ScratchClaim ScratchFilesHeld;
  // Draws the numbers that name them (run_identifier.h).
  std::mt19937 RunIdentifiers = NewRunIdentifierGenerator();
  // The report's bitmap-to-JPEG conversion; empty: BMP2JPG.
  ImageConversion ReportImageConversion;

  // Raised while code rewrites fields whose handlers must not recalculate.
  bool BloqueoChange = false;

  // Folders of the last equilibrium-table file and of the last project file, and of the last
  // printout to a PDF file ("" until one is chosen).
  std::string PathTabla;
  std::string PathArchivo;
  std::string PathPdf;

  // The equilibrium: True while it comes from the table (TablaELV) instead of alpha.
  bool UsarTabla = false;
  EquilibriumTable TablaELV;
  EquilibriumLookup SuperTablasELV;

  // The answer of the last update check, as its callback handed it over: a newer version
  // with its download address, or nothing. Cleared when a check starts, so that it describes
  // that check alone.
  UpdateInfo NewVersion;

  // Texts the main window takes from its language file for everyone else ("" until then).
  // Txt_No_connect: the first line of the message when an address cannot be opened.
  std::string Txt_No_connect;
  std::string Txt_AllFiles;
  std::string Txt_No_EMailClient;
  std::string Txt_HomePage;
  std::string Txt_File_Open;
  std::string Txt_VLE_curve;
  std::string Txt_TTT_Edit_VLE_Table;
};


}  // namespace stagora::designer
