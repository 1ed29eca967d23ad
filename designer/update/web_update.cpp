#include "designer/update/web_update.h"

#include <QCursor>
#include <QGuiApplication>

#include "common/number_text.h"
#include "designer/update/date_number.h"
#include "platform/busy_pointer.h"
#include "platform/settings.h"
#include "platform/textfile.h"

namespace stagora::designer {

bool UPD_Available = false;
std::string UPD_URL;
std::string UPD_Version;

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

CheckOutcome CheckNewVersion(bool forced, const UpdateEnvironment& env) {
  if (DownloadRunning()) return CheckOutcome::kBusy;
  plat::BusyPointer pointer;
  UPD_Available = false;
  UPD_URL.clear();
  UPD_Version.clear();

  const auto setting = [&](const char* key, const char* fallback) {
    return plat::GetSetting(env.settingsApp, kUpdateSection, key, fallback);
  };
  const auto now = [&] { return env.now ? env.now() : CurrentDateNumber(); };

  const double last = LeadingNumber(setting("LAST_OLCON", "0"));
  const double period = LeadingNumber(setting("PERIOD", "7"));
  const double today = now();
  // A last check that lies in the future (the clock was wrong then) must not stop the checks
  // until that day comes.
  if (!forced && last <= today && today - last < period) return CheckOutcome::kNotDue;

  const std::string service = Trim(setting("SERVICE", ""));
  if (!IsWebAddress(service)) return CheckOutcome::kNoService;

  // An answer left by an earlier check must not pass for this one's; whatever has the name,
  // a link too, goes, so that the answer is written into no other file.
  const std::string target = env.tempPath.empty() ? "" : plat::JoinPath(env.tempPath, kUpdateFileName);
  if (!target.empty()) plat::RemoveFile(target);

  const DownloadResult answer = DownloadAnswer(UpdateRequestAddress(service, today), env.timeoutMs);
  if (!answer.ok || answer.bytes.empty()) return CheckOutcome::kUnreachable;

  // The answer in hand is what counts; the saved copy is only left for whoever looks.
  if (!target.empty()) plat::WriteTextFile(target, answer.bytes);
  plat::SaveSetting(env.settingsApp, kUpdateSection, "LAST_OLCON", NumberText(now()));

  const UpdateInfo info = ReadUpdateInfo(answer.bytes, env.running);
  if (info.available) {
    UPD_URL = info.url;
    UPD_Version = info.version;
    UPD_Available = true;
  }
  return CheckOutcome::kAnswered;
}

}  // namespace stagora::designer
