#include "designer/update/web_update.h"

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>

#include "common/number_text.h"
#include "designer/update/date_number.h"
#include "platform/settings.h"
#include "platform/textfile.h"
#include "designer/designer_settings.h"

namespace stagora::designer {

namespace {

std::string Trim(const std::string& s) {
  const auto first = s.find_first_not_of(" \t");
  if (first == std::string::npos) return "";
  return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

}  // namespace

std::string UpdateRequestAddress(const std::string& service, double dateNumber) {
  return service + "?rand=" + NumberText(dateNumber) + "&idprod=" + kUpdateProductId;
}

namespace {

// What the answer leaves behind: the answer file for whoever looks, and the day of the check.
void KeepAnswer(const UpdateEnvironment& env, const std::string& target, const std::string& bytes) {
  if (!target.empty()) plat::WriteTextFile(target, bytes);
  plat::SaveSetting(env.settingsApp, settings::kLastUpdateCheck, NumberText(env.now ? env.now() : CurrentDateNumber()));
}

// The outcome, and the newer version the answer announced when there is one.
CheckOutcome ReadAnswer(const UpdateEnvironment& env, const std::string& target, const DownloadResult& answer,
                        UpdateInfo& newVersion) {
  if (!answer.ok) return CheckOutcome::kUnreachable;
  if (answer.bytes.empty()) return CheckOutcome::kEmpty;
  // The answer in hand is what counts; the saved copy is only left for whoever looks.
  KeepAnswer(env, target, answer.bytes);
  const UpdateInfo info = ReadUpdateInfo(answer.bytes, env.running);
  if (info.available) newVersion = info;
  return CheckOutcome::kAnswered;
}

}  // namespace

double UpdatePeriodDays(const std::string& settingsApp) {
  return LeadingNumber(plat::GetSetting(settingsApp, settings::kUpdatePeriod));
}

CheckOutcome CheckNewVersion(bool forced, const UpdateEnvironment& env, CheckDone done) {
  if (DownloadRunning()) return CheckOutcome::kBusy;

  const auto setting = [&](const plat::SettingKey& key) { return plat::GetSetting(env.settingsApp, key); };
  const double last = LeadingNumber(setting(settings::kLastUpdateCheck));
  const double period = UpdatePeriodDays(env.settingsApp);
  const double today = env.now ? env.now() : CurrentDateNumber();
  // A last check that lies in the future (the clock was wrong then) must not stop the checks
  // until that day comes.
  if (!forced && last <= today && today - last < period) return CheckOutcome::kNotDue;

  const std::string service = Trim(setting(settings::kUpdateService));
  if (!IsWebAddress(service)) return CheckOutcome::kNoService;

  // An answer left by an earlier check must not pass for this one's; whatever has the name,
  // a link too, goes, so that the answer is written into no other file.
  const std::string target = env.tempPath.empty() ? "" : plat::JoinPath(env.tempPath, kUpdateFileName);
  if (!target.empty()) plat::RemoveFile(target);

  const bool busy = forced && qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
  const bool asked = DownloadAnswer(
      UpdateRequestAddress(service, today),
      [env, target, busy, done = std::move(done)](const DownloadResult& answer) {
        if (busy) QGuiApplication::restoreOverrideCursor();
        UpdateInfo newVersion;
        const CheckOutcome outcome = ReadAnswer(env, target, answer, newVersion);
        if (done) done(outcome, newVersion);
      },
      env.timeoutMs);
  if (!asked) return CheckOutcome::kUnreachable;
  if (busy) QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
  return CheckOutcome::kAsked;
}

}  // namespace stagora::designer
