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

UpdateEnvironment Environment(const DesignerState& state) {
  UpdateEnvironment env;
  env.settingsApp = kAppTitle;
  env.tempPath = state.TempPath;
  return env;
}

}  // namespace

void FormMain::CheckUpdateOnActivation() {
  // Once a newer version is known the activation neither asks again nor repeats the notice.
  if (!loaded_ || state_.NewVersion.available || updateCheckGaveUp_) return;
  const QPointer<FormMain> self(this);
  CheckNewVersion(false, Environment(state_), [self](CheckOutcome outcome, const UpdateInfo& newVersion) {
    if (!self) return;
    self->state_.NewVersion = newVersion;
    if (outcome == CheckOutcome::kUnreachable || outcome == CheckOutcome::kEmpty) self->updateCheckGaveUp_ = true;
    if (self->updateNowWaiting_) {
      // Check now came while this check waited: this answer is its answer.
      self->ReportUpdateCheck(static_cast<int>(outcome));
    } else if (newVersion.available) {
      self->TimerUPD->start();
    }
  });
}

void FormMain::mnu_Help_update_now_Click() {
  if (updateNowWaiting_) return;  // asked already: its answer is on the way
  updateNowWaiting_ = true;
  // A check that starts describes itself alone: the newer version an earlier one announced
  // is forgotten until this one's answer is in. One that is waiting already answers for it.
  if (!DownloadRunning()) state_.NewVersion = {};
  const QPointer<FormMain> self(this);
  const CheckOutcome outcome =
      CheckNewVersion(true, Environment(state_), [self](CheckOutcome answered, const UpdateInfo& newVersion) {
        if (!self) return;
        self->state_.NewVersion = newVersion;
        self->ReportUpdateCheck(static_cast<int>(answered));
      });
  // Busy: an automatic check is waiting for its answer, which then reports here.
  if (outcome != CheckOutcome::kAsked && outcome != CheckOutcome::kBusy) ReportUpdateCheck(static_cast<int>(outcome));
}

void FormMain::ReportUpdateCheck(int answered) {
  updateNowWaiting_ = false;
  const auto outcome = static_cast<CheckOutcome>(answered);
  if (state_.NewVersion.available) {
    ShowFormNuevaVersion(this, state_.NewVersion, state_.Txt_HomePage, state_.Txt_No_connect);
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
  if (state_.NewVersion.available) {
    ShowFormNuevaVersion(this, state_.NewVersion, state_.Txt_HomePage, state_.Txt_No_connect);
  }
}

}  // namespace stagora::designer
