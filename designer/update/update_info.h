// The update service's answer (the update-information file) and the version numbers it is
// compared by. Text in, decision out: nothing here touches the network, files or widgets.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace stagora::designer {

struct ProgramVersion {
  int major = 0;
  int minor = 0;
  int revision = 0;
};

// The running program's own version, as the build was numbered.
ProgramVersion RunningVersion();

// "major.minor.revision", each a plain decimal integer ("1.0.0").
std::string VersionText(const ProgramVersion& version);

// major x 1000000 + minor x 1000 + revision in signed 32-bit arithmetic; each part is first
// rounded to a whole number (halves to even). 0 when a part, a product or the sum does not
// fit, so an absurd version never counts as newer.
std::int32_t VersionNumber(double major, double minor, double revision);
std::int32_t VersionNumber(const ProgramVersion& version);

// The number at the start of a text, read the same way whatever the user's locale: blanks,
// tabs and line feeds are skipped anywhere, "." is the only decimal point, E or D starts an
// exponent; the first other character ends it. A text that does not begin with a number,
// or a number beyond a double, gives 0.
double LeadingNumber(std::string_view text);

// What an answer announces, decided against the running version.
struct UpdateInfo {
  bool available = false;  // a newer version and the key of its address were found
  std::string url;         // its download address as given (not trimmed; may be empty)
  std::string version;     // the newer version rebuilt from its numbers ("2.2.3")
};

// Reads the keys "TROV_VER=" and "TROV_URL=" (their first occurrences, in any order, each
// ended by the next ";"); anything else in the text is ignored. Not available when a key,
// its ";" or the two "." of the version are missing, or the version is not newer.
UpdateInfo ReadUpdateInfo(std::string_view answer, const ProgramVersion& running);

}  // namespace stagora::designer
