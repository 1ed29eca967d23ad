// The designer-wide state that its windows share: the scratch folder, the equilibrium table
// with its lookup tables, the remembered folders and the texts taken from the main window's
// language file for the other windows' dialogs and messages.
#pragma once

#include <string>

#include "designer/calculation/equilibrium.h"

namespace stagora::designer {

// The settings store's application name: the program's title.
inline constexpr const char* kAppTitle = "TROV";
// The title of the designer's message boxes.
inline constexpr const char* kProductName = "Stagora";

// The user's temporary folder without a trailing separator; scratch files go into its
// sub-folder "nrtemp".
extern std::string TempPath;

// Raised while code rewrites fields whose handlers must not recalculate.
extern bool BloqueoChange;

// Folders of the last equilibrium-table file and of the last project file.
extern std::string PathTabla;
extern std::string PathArchivo;

// The equilibrium: True while it comes from the table (TablaELV) instead of alpha.
extern bool UsarTabla;
extern EquilibriumTable TablaELV;
extern EquilibriumLookup SuperTablasELV;

// Texts the main window takes from its language file for everyone else ("" until then).
// Txt_No_connect lives with the web-address service (common/web_address.h).
extern std::string Txt_AllFiles;
extern std::string Txt_No_EMailClient;
extern std::string Txt_HomePage;
extern std::string Txt_File_Open;
extern std::string Txt_VLE_curve;
extern std::string Txt_TTT_Edit_VLE_Table;

// The temporary folder as the platform reports it, with one trailing "/" or "\" removed.
std::string TrimTrailingSeparator(std::string folder);

}  // namespace stagora::designer
