// The designer-wide state that its windows share: the scratch folder, the equilibrium table
// with its lookup tables, the remembered folders and the texts taken from the main window's
// language file for the other windows' dialogs and messages. It is one object that lives as
// long as the program, so a test brings the designer back to its start in one step.
#pragma once

#include <string>
#include <vector>

#include "designer/calculation/equilibrium.h"
#include "designer/designer_names.h"

namespace stagora::designer {

struct DesignerState {
  // The user's temporary folder without a trailing separator; scratch files go into its
  // scratch folder (plat::ScratchFolderOf).
  std::string TempPath;
  // The report's scratch files this designer wrote, in the order written. Only these go when
  // its main window unloads: another designer's, or a viewer's, are not ours to take.
  std::vector<std::string> ScratchFilesWritten;

  // Raised while code rewrites fields whose handlers must not recalculate.
  bool BloqueoChange = false;

  // Folders of the last equilibrium-table file and of the last project file.
  std::string PathTabla;
  std::string PathArchivo;

  // The equilibrium: True while it comes from the table (TablaELV) instead of alpha.
  bool UsarTabla = false;
  EquilibriumTable TablaELV;
  EquilibriumLookup SuperTablasELV;

  // Texts the main window takes from its language file for everyone else ("" until then).
  // Txt_No_connect lives with the web-address service (common/web_address.h).
  std::string Txt_AllFiles;
  std::string Txt_No_EMailClient;
  std::string Txt_HomePage;
  std::string Txt_File_Open;
  std::string Txt_VLE_curve;
  std::string Txt_TTT_Edit_VLE_Table;
};

// The program's one shared state.
DesignerState& Shared();
// Back to the state of a program that has just started.
void ResetShared();

}  // namespace stagora::designer
