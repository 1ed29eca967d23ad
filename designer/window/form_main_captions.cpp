// SetLanguage: every caption, tool tip and menu text of the main window, and the texts other
// windows borrow for their dialogs, from the main window's language file. Without the file
// the window keeps the captions it was built with.
#include <QLabel>
#include <QRadioButton>

#include "common/web_address.h"
#include "designer/window/controls.h"
#include "designer/window/designer_state.h"
#include "designer/window/form_main.h"

namespace stagora::designer {
namespace {

constexpr const char* kWindowTitle = "Norvath - Stagora";
constexpr bool kRemoveAmpersand = true;

}  // namespace

void FormMain::LoadIdioma(const std::string& OBJ) { idioma_.LoadIdioma(OBJ); }

std::string FormMain::GetL_win(const std::string& Etiqueta, bool RemoveAMPERSAND) const {
  return idioma_.GetL_win(Etiqueta, RemoveAMPERSAND);
}

void FormMain::SetLanguage() {
  if (!idioma_.IdiomaCargado()) {
    LoadIdioma("MAI");
    if (!idioma_.IdiomaCargado()) return;
  }
  auto text = [this](const char* key, bool removeAmpersand = false) { return GetL_win(key, removeAmpersand); };

  MsgAsk2Save = text("msg_Ask2Save");
  state_.Txt_AllFiles = text("AllFiles", kRemoveAmpersand);
  state_.Txt_No_connect = text("No_connect", kRemoveAmpersand);
  state_.Txt_No_EMailClient = text("No_EMailClient", kRemoveAmpersand);
  state_.Txt_HomePage = text("HomePage");
  state_.Txt_File_Open = text("File_Open", kRemoveAmpersand);
  state_.Txt_VLE_curve = text("VLE_curve");
  state_.Txt_TTT_Edit_VLE_Table = text("TTT_Edit_VLE_Table");

  setWindowTitle(kWindowTitle);

  auto caption = [&](QLabel* l, const std::string& t) { l->setText(LabelCaption(t)); };

  SetMenuCaptions();

  caption(LabelB[0], text("File_calculate", kRemoveAmpersand));
  caption(LabelB[1], text("Button_Delete"));
  caption(LabelB[2], text("Button_View"));
  caption(LabelB[3], text("Button_EditTable") + "...");
  caption(Label1[27], text("Most_volat_comp") + ":");
  caption(Label1[28], text("Less_volat_comp") + ":");
  caption(Label1[29], text("VLE") + ":");
  OptVOL->setText(QText(text("Relat_volat")));
  OptTAB->setText(QText(text("VLE_Table")));
  caption(Label1[0], text("Relat_volat"));
  caption(Label1[30], text("VLE"));
  caption(Label1[12], text("Alpha") + " =");
  caption(Label1[1], text("Thermal_q"));
  caption(Label1[2], text("X_feed"));
  caption(Label1[3], text("X_distillate"));
  caption(Label1[4], text("X_bottoms"));
  caption(Label1[5], text("RefluxRatio"));
  caption(Label1[19], text("RefluxRatioMIN"));
  caption(Label1[14], text("Overall_effic"));
  caption(Label1[17], text("NFeedPlate"));
  caption(Label1[13], text("NTheorPlates"));
  caption(Label1[24], text("NTP"));
  Label2[3]->setToolTip(QText(text("X_feed")));
  Label2[2]->setToolTip(QText(text("X_distillate")));
  Label2[0]->setToolTip(QText(text("X_bottoms")));
  Label2[1]->setToolTip(QText(text("TTT_q_Inter")));

  Txt_q_SUPVap = text("q_SUPVap");
  Txt_q_SATVap = text("q_SATVap");
  Txt_q_LiqVap = text("q_LiqVap");
  Txt_q_SATLiq = text("q_SATLiq");
  Txt_q_SUBLiq = text("q_SUBLiq");

  Text16_Change();
}

void FormMain::AjustaIDIOMA_GUI() { Text16_Change(); }

}  // namespace stagora::designer
