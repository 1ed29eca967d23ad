// Every text of the main window comes from its language file (object ODK): menu captions,
// the toolbar's captions and its tooltips.
#include <QLabel>

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
  SetMenuCaptions();

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
