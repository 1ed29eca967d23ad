// The main window's side of the update check: the check on activation, Help > Updates >
// Check now and the delayed notice. The check and the notice live in designer/update and
// know nothing of this window; it hands them the settings' name, the scratch folder and the
// home page.
#include <QAction>
#include <QTimer>

#include "common/web_address.h"
#include "designer/update/form_nueva_version_ui.h"
#include "designer/update/web_update.h"
#include "designer/window/designer_state.h"
#include "designer/window/form_main.h"
#include "platform/messagebox.h"

namespace stagora::designer {
namespace {

UpdateEnvironment Environment() {
  UpdateEnvironment env;
  env.settingsApp = kAppTitle;
  env.tempPath = Shared().TempPath;
  return env;
}

}  // namespace

void FormMain::ConnectUpdateCommands() {
  connect(mnu_Help_update_now, &QAction::triggered, this, [this] { mnu_Help_update_now_Click(); });
}

void FormMain::CheckUpdateOnActivation() {
  // Once a newer version is known the activation neither asks again nor repeats the notice.
  if (!loaded_ || UPD_Available) return;
  CheckNewVersion(false, Environment());
  if (UPD_Available) TimerUPD->start();
}

void FormMain::mnu_Help_update_now_Click() {
  const CheckOutcome outcome = CheckNewVersion(true, Environment());
  if (outcome == CheckOutcome::kBusy) return;
  if (UPD_Available) {
    ShowFormNuevaVersion(this, Shared().Txt_HomePage);
  } else if (outcome == CheckOutcome::kAnswered) {
    plat::MsgBox(GetL_win("No_updates"), plat::kOkOnly);
  } else {
    // The service was not reached: saying "no updates" would pass a failure off as an answer.
    plat::MsgBox(Txt_No_connect + "\r\n" + Shared().Txt_HomePage, plat::kExclamation);
  }
}

void FormMain::TimerUPD_Timer() {
  // One shot: the notice comes at most once per start of the timer.
  TimerUPD->stop();
  if (UPD_Available) ShowFormNuevaVersion(this, Shared().Txt_HomePage);
}

}  // namespace stagora::designer
