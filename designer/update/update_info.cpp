#include "designer/update/update_info.h"

#include <cmath>
#include <limits>
#include <optional>

#include "common/number_text.h"

#ifndef STAGORA_VERSION_MAJOR
#error "the build passes the program's version as STAGORA_VERSION_MAJOR/_MINOR/_PATCH"
#endif

namespace stagora::designer {
namespace {

constexpr std::string_view kVersionKey = "TROV_VER=";
constexpr std::string_view kAddressKey = "TROV_URL=";
constexpr char kValueEnd = ';';
constexpr std::int64_t kMajorWeight = 1000000;
constexpr std::int64_t kMinorWeight = 1000;

constexpr std::int64_t kLongMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kLongMax = std::numeric_limits<std::int32_t>::max();

std::optional<std::int64_t> Checked(std::int64_t v) {
  if (v < kLongMin || v > kLongMax) return std::nullopt;
  return v;
}

std::optional<std::int64_t> WholeNumber(double x) {
  const double r = std::nearbyint(x);
  if (!(r >= static_cast<double>(kLongMin) && r <= static_cast<double>(kLongMax))) return std::nullopt;
  return static_cast<std::int64_t>(r);
}

// The value of key: the text after its first occurrence up to the next ";". nullopt when the
// key or the ";" is missing.
std::optional<std::string_view> ValueOf(std::string_view text, std::string_view key) {
  const std::size_t at = text.find(key);
  if (at == std::string_view::npos) return std::nullopt;
  const std::string_view rest = text.substr(at + key.size());
  const std::size_t end = rest.find(kValueEnd);
  if (end == std::string_view::npos) return std::nullopt;
  return rest.substr(0, end);
}

}  // namespace

ProgramVersion RunningVersion() { return {STAGORA_VERSION_MAJOR, STAGORA_VERSION_MINOR, STAGORA_VERSION_PATCH}; }

std::string VersionText(const ProgramVersion& version) {
  return std::to_string(version.major) + "." + std::to_string(version.minor) + "." +
         std::to_string(version.revision);
}

std::int32_t VersionNumber(double major, double minor, double revision) {
  const auto a = WholeNumber(major);
  const auto b = WholeNumber(minor);
  const auto c = WholeNumber(revision);
  if (!a || !b || !c) return 0;
  // Evaluated as written, every step within 32 bits.
  const auto high = Checked(*a * kMajorWeight);
  const auto middle = Checked(*b * kMinorWeight);
  if (!high || !middle) return 0;
  const auto upper = Checked(*high + *middle);
  if (!upper) return 0;
  const auto sum = Checked(*upper + *c);
  return sum ? static_cast<std::int32_t>(*sum) : 0;
}

std::int32_t VersionNumber(const ProgramVersion& version) {
  return VersionNumber(version.major, version.minor, version.revision);
}

double LeadingNumber(std::string_view text) {
  // The user's number reader also takes "," for the point; here a "," simply ends the number.
  return ValNUM(text.substr(0, text.find(',')));
}

UpdateInfo ReadUpdateInfo(std::string_view answer, const ProgramVersion& running) {
  UpdateInfo info;
  const auto version = ValueOf(answer, kVersionKey);
  if (!version || version->empty()) return info;

  const std::size_t firstDot = version->find('.');
  if (firstDot == std::string_view::npos) return info;
  const std::string_view rest = version->substr(firstDot + 1);
  const std::size_t secondDot = rest.find('.');
  if (secondDot == std::string_view::npos) return info;
  const auto major = WholeNumber(LeadingNumber(version->substr(0, firstDot)));
  const auto minor = WholeNumber(LeadingNumber(rest.substr(0, secondDot)));
  const auto revision = WholeNumber(LeadingNumber(rest.substr(secondDot + 1)));
  if (!major || !minor || !revision) return info;

  if (VersionNumber(static_cast<double>(*major), static_cast<double>(*minor), static_cast<double>(*revision)) <=
      VersionNumber(running)) {
    return info;
  }
  const auto address = ValueOf(answer, kAddressKey);
  if (!address) return info;

  info.available = true;
  info.url = std::string(*address);
  info.version = std::to_string(*major) + "." + std::to_string(*minor) + "." + std::to_string(*revision);
  return info;
}

}  // namespace stagora::designer
