#include "designer/window/designer_state.h"

namespace stagora::designer {

std::string TempPath;
bool BloqueoChange = false;
std::string PathTabla;
std::string PathArchivo;
bool UsarTabla = false;
EquilibriumTable TablaELV;
EquilibriumLookup SuperTablasELV;

std::string Txt_AllFiles;
std::string Txt_No_EMailClient;
std::string Txt_HomePage;
std::string Txt_File_Open;
std::string Txt_VLE_curve;
std::string Txt_TTT_Edit_VLE_Table;

std::string TrimTrailingSeparator(std::string folder) {
  if (!folder.empty() && (folder.back() == '/' || folder.back() == '\\')) folder.pop_back();
  return folder;
}

}  // namespace stagora::designer
