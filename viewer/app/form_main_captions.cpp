// Every text of the main window comes from its language file (object ODK): menu captions,
// the toolbar's captions and its tooltips.
#include <QAction>
#include <QLabel>
#include <QMenu>

#include "platform/printer.h"
#include "viewer/app/controls.h"
#include "viewer/app/form_main.h"
#include "viewer/app/viewer_printer.h"

namespace stagora::viewer {
namespace {

struct ToolCaption {
  const char* caption;
  const char* tooltip;
};
constexpr std::array<ToolCaption, kToolButtons> kToolCaptions = {{
    {"But_OpenCAP", "But_OpenTTT"},
    {"But_SaveCAP", "But_SaveTTT"},
    {"But_PrintCAP", "But_PrintTTT"},
    {"But_NoAnsCAP", "But_NoAnsTTT"},
    {"But_OnlyAnsCAP", "But_OnlyAnsTTT"},
    {"But_Resol1CAP", "But_Resol1TTT"},
    {"But_Resol2CAP", "But_Resol2TTT"},
    {"But_ZoomCAP", "But_ZoomTTT"},
    {"But_HelpCAP", "But_HelpTTT"},
}};
constexpr int kPrintButton = 2;

}  // namespace

void FormMain::LoadIdioma(const std::string& OBJ) { idioma_.LoadIdioma(OBJ); }

std::string FormMain::GetL_win(const std::string& Etiqueta, bool RemoveAMPERSAND) const {
  return idioma_.GetL_win(Etiqueta, RemoveAMPERSAND);
}

void FormMain::SetLanguaje() {
  const auto text = [this](const char* key, const char* tail = "") { return QText(GetL_win(key) + tail); };
  mnu_File->setTitle(text("File0"));
  mnu_File_Open->setText(text("File_Open", "..."));
  mnu_File_SaveAs->setText(text("File_SaveAs", "..."));
  mnu_File_Print->setText(text("File_Print", "..."));
  mnu_File_Exit->setText(text("File_Exit"));
  mnu_Ver->setTitle(text("View0"));
  mnu_Ver_NOSOL->setText(text("View_NoAnswer"));
  mnu_Ver_SOLOSOL->setText(text("View_OnlyAnswer"));
  mnu_Ver_RES1->setText(text("View_Resol1"));
  mnu_Ver_RES2->setText(text("View_Resol2"));
  mnu_zoom->setTitle(text("View_Zoom"));
  mnu_zoomANCHO->setText(text("View_Zoom2WinSize"));
  mnu_Ver_SEPDEC->setTitle(text("View_DecSep"));
  mnu_Ver_SEP_COM->setText(text("View_DecSepComma"));
  mnu_Ver_SEP_PTO->setText(text("View_DecSepPoint"));
  mnu_Ayuda->setTitle(text("Help0"));
  mnu_Ayuda_MAN->setText(text("Help_Manual"));
  mnu_Ayuda_WEB->setText(text("Help_WebPage"));
  mnu_Ayuda_ACE->setText(text("Help_About", "..."));

  for (int i = 0; i < kToolButtons; ++i) {
    LblBut[i]->setText(LabelCaption(GetL_win(kToolCaptions[i].caption)));
  }
  for (int i = 0; i < kToolButtons; ++i) PicToolB[i]->setToolTip(text(kToolCaptions[i].tooltip));
  if (!plat::PrinterNames().empty()) RenewPrintToolTip();
}

void FormMain::RenewPrintToolTip() {
  PicToolB[kPrintButton]->setToolTip(QText(GetL_win("But_PrintTTT") + " (" + Printer().deviceName() + ")"));
}

}  // namespace stagora::viewer
