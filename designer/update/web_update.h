// WebUpdate: asks the update service whether a newer version of the designer exists, at
// most once per chosen period or at once when the user asks, and hands the answer to the
// caller's callback. The check itself shows nothing but the busy pointer of a forced check,
// and never holds up the user's input.
#pragma once

#include <functional>
#include <string>

#include "designer/update/answer_download.h"
#include "designer/update/update_info.h"

namespace stagora::designer {

// The answer is saved under this name in the scratch folder.
inline constexpr const char* kUpdateFileName = "outfileTROV_UPDT.dat";
// The product the service is asked about.
inline constexpr const char* kUpdateProductId = "TROV";
// The check's settings (period, day of the last check, service) are declared in
// designer/designer_settings.h.

// What the check needs of the program around it.
struct UpdateEnvironment {
  std::string settingsApp;   // the settings store's application name
  std::string tempPath;      // the user's scratch folder: the answer is saved there
  ProgramVersion running = RunningVersion();
  int timeoutMs = kDownloadTimeoutMs;
  std::function<double()> now;  // the current day count; the clock when empty
};

enum class CheckOutcome {
  kNotDue,       // the period has not passed since the last answered check: nothing sent
  kNoService,    // no usable service address is set: nothing sent
  kBusy,         // another check is still waiting for its answer: nothing changed
  kAsked,        // the request went out; the answer's outcome (one of the three below) follows
  kUnreachable,  // the service gave no answer (no connection, error, time-out)
  kEmpty,        // the service answered with nothing: no newer version, and not kept as a check
  kAnswered,     // the service answered, with a newer version or without
};

// What a check hands over once its answer is in: the outcome, and the newer version the
// answer announced (not available unless the outcome is kAnswered).
using CheckDone = std::function<void(CheckOutcome outcome, const UpdateInfo& newVersion)>;

// Starts a check; forced: ignore the period. Returns kAsked when a request went out: done
// then gets the outcome and the newer version once the answer is in, while the program goes
// on taking input. Any other outcome is final, announces no newer version, and done is not
// called. A forced check shows the busy pointer until its answer is in.
CheckOutcome CheckNewVersion(bool forced, const UpdateEnvironment& env, CheckDone done);

// The chosen period between two checks, in days, as the settings of `settingsApp` hold it:
// its leading number (0 when it holds none). The schedule and the menu's mark both read it
// here, so the mark shows the period the checks keep.
double UpdatePeriodDays(const std::string& settingsApp);

// The request: the service's address followed by "?rand=", the day count (which makes every
// request different), "&idprod=" and the product.
std::string UpdateRequestAddress(const std::string& service, double dateNumber);

}  // namespace stagora::designer
