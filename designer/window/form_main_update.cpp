// The main window's side of the update check: the check on activation, Help > Updates >
// Check now and the delayed notice. The check and the notice live in designer/update and
// know nothing of this window; it hands them the settings' name, the scratch folder and the
// home page. The answer comes in while the user works: nothing here waits for it.
#include <QPointer>
#include <QTimer>

#include "designer/update/form_nueva_version_ui.h"
#include "designer/update/web_update.h"
#include "designer/window/designer_state.h"
#include "designer/window/form_main.h"
#include "platform/messagebox.h"
#include "platform/settings.h"
#include "designer/designer_settings.h"

namespace stagora::designer {
namespace {

UpdateEnvironment Environment() {
  UpdateEnvironment env;
  env.settingsApp = kAppTitle;
  env.tempPath = Shared().TempPath;
  return env;
}

}  // namespace

void FormMain::CheckUpdateOnActivation() {
  // Once a newer version is known the activation neither asks again nor repeats the notice.
  if (!loaded_ || UPD_Available || updateCheckGaveUp_) return;
  const QPointer<FormMain> self(this);
  CheckNewVersion(false, Environment(), [self](CheckOutcome outcome) {
    if (!self) return;
    if (outcome == CheckOutcome::kUnreachable || outcome == CheckOutcome::kEmpty) self->updateCheckGaveUp_ = true;
    if (self->updateNowWaiting_) {
      // Check now came while this check waited: this answer is its answer.
      self->ReportUpdateCheck(static_cast<int>(outcome));
    } else if (UPD_Available) {
      self->TimerUPD->start();
    }
  });
}

void FormMain::mnu_Help_update_now_Click() {
  if (updateNowWaiting_) return;  // asked already: its answer is on the way
  updateNowWaiting_ = true;
  const QPointer<FormMain> self(this);
  const CheckOutcome outcome = CheckNewVersion(true, Environment(), [self](CheckOutcome answered) {
    if (self) self->ReportUpdateCheck(static_cast<int>(answered));
  });
  // Busy: an automatic check is waiting for its answer, which then reports here.
  if (outcome != CheckOutcome::kAsked && outcome != CheckOutcome::kBusy) ReportUpdateCheck(static_cast<int>(outcome));
}

void FormMain::ReportUpdateCheck(int answered) {
  updateNowWaiting_ = false;
  const auto outcome = static_cast<CheckOutcome>(answered);
  if (UPD_Available) {
    ShowFormNuevaVersion(this, Shared().Txt_HomePage);
  } else if (outcome == CheckOutcome::kAnswered || outcome == CheckOutcome::kEmpty) {
    plat::MsgBox(GetL_win("No_updates"), plat::kOkOnly);
  } else if (outcome == CheckOutcome::kNoService) {
    plat::MsgBox(GetL_win("Update_NoService"), plat::kExclamation);
  } else {
    // The service was not reached: saying "no updates" would pass a failure off as an answer.
    const std::string service = plat::GetSetting(kAppTitle, settings::kUpdateService);
    plat::MsgBox(GetL_win("Update_Unreachable") + "\r\n" + service, plat::kExclamation);
  }
}

void FormMain::TimerUPD_Timer() {
  // One shot: the notice comes at most once per start of the timer.
  TimerUPD->stop();
  if (UPD_Available) ShowFormNuevaVersion(this, Shared().Txt_HomePage);
}

}  // namespace stagora::designer
