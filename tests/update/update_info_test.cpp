// Reading the update service's answer and comparing versions, without any network.
#include <gtest/gtest.h>

#include <QDate>
#include <QDateTime>
#include <QTime>

#include "designer/update/date_number.h"
#include "designer/update/update_info.h"
#include "designer/update/web_update.h"

namespace stagora::test {
namespace {

using designer::ProgramVersion;
using designer::ReadUpdateInfo;

struct AnswerCase {
  const char* answer;
  bool available;
  const char* url;
  const char* version;
};

TEST(UpdateInfo, AnswersAgainstRunningVersion222) {
  const AnswerCase cases[] = {
      {"TROV_VER=2.2.3;TROV_URL=https://example.test/setup.exe;", true, "https://example.test/setup.exe", "2.2.3"},
      // The keys in the other order, with other lines around them.
      {"header\r\nTROV_URL=https://example.test/a;\r\nTROV_VER=2.2.3;\r\nfooter", true, "https://example.test/a", "2.2.3"},
      {"TROV_VER=2.2.2;TROV_URL=u;", false, "", ""},       // equal is not newer
      {"TROV_VER=2.1.999;TROV_URL=u;", false, "", ""},     // older
      {"TROV_VER=2.2.10;TROV_URL=u;", true, "u", "2.2.10"},  // numbers, not text, compared
      {"TROV_VER=2.02.0003;TROV_URL=u;", true, "u", "2.2.3"},
      {"TROV_VER=2.3.1 beta;TROV_URL=u;", true, "u", "2.3.1"},
      {"TROV_VER=2.2.3;TROV_URL=;", true, "", "2.2.3"},    // an empty address is still news
      {"TROV_VER=;TROV_URL=u;", false, "", ""},
      {"TROV_VER=2.3;TROV_URL=u;", false, "", ""},         // one "." only
      {"TROV_VER=3.0.0", false, "", ""},                   // no ";" after the version
      {"TROV_VER=3.0.0;", false, "", ""},                  // no address key
      {"TROV_VER=3.0.0;TROV_URL=https://example.test", false, "", ""},  // no ";" after it
      {"trov_ver=3.0.0;TROV_URL=u;", false, "", ""},       // keys are case-sensitive
      // Only the first occurrence of a key counts.
      {"TROV_VER=2.2.1;TROV_VER=9.9.9;TROV_URL=u;", false, "", ""},
      {"TROV_URL=first;TROV_URL=second;TROV_VER=3.0.0;", true, "first", "3.0.0"},
      // A version beyond 32 bits counts as 0.
      {"TROV_VER=3000.0.0;TROV_URL=u;", false, "", ""},
      {"<html><body>Service unavailable</body></html>", false, "", ""},
      {"", false, "", ""},
  };
  for (const AnswerCase& c : cases) {
    const designer::UpdateInfo info = ReadUpdateInfo(c.answer, ProgramVersion{2, 2, 2});
    EXPECT_EQ(info.available, c.available) << c.answer;
    EXPECT_EQ(info.url, c.url) << c.answer;
    EXPECT_EQ(info.version, c.version) << c.answer;
  }
}

TEST(UpdateInfo, VersionNumbersStayWithin32Bits) {
  EXPECT_EQ(designer::VersionNumber(2, 2, 2), 2002002);
  EXPECT_EQ(designer::VersionNumber(2147, 483, 647), 2147483647);
  EXPECT_EQ(designer::VersionNumber(2147, 483, 648), 0);
  EXPECT_EQ(designer::VersionNumber(3000, 0, 0), 0);
  EXPECT_EQ(designer::VersionNumber(1e12, 0, 0), 0);
  EXPECT_EQ(designer::VersionNumber(-1, 0, 0), -1000000);
  EXPECT_EQ(designer::VersionNumber(2.5, 3.5, 0), 2004000);  // halves to even
  EXPECT_EQ(designer::VersionText(ProgramVersion{2, 10, 0}), "2.10.0");
}

TEST(UpdateInfo, LeadingNumberIgnoresTheLocale) {
  const struct {
    const char* text;
    double value;
  } cases[] = {
      {"7", 7},          {" 12 .5x", 12.5}, {"\t4\n5", 45},  {"1,5", 1},           {"-3e2", -300},
      {"30 days", 30},   {"abc", 0},        {"", 0},        {"1e999", 0},         {".25", 0.25},
      {"45678.5234953704", 45678.5234953704},
  };
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(designer::LeadingNumber(c.text), c.value) << c.text;
}

TEST(UpdateInfo, DayCountsAndTheRequestAddress) {
  EXPECT_DOUBLE_EQ(designer::DateNumber(QDateTime(QDate(1899, 12, 30), QTime(0, 0))), 0);
  EXPECT_DOUBLE_EQ(designer::DateNumber(QDateTime(QDate(2000, 1, 1), QTime(18, 0))), 36526.75);
  EXPECT_EQ(designer::UpdateRequestAddress("https://updates.example/check.php", 45678.5234953704),
            "https://updates.example/check.php?rand=45678.5234953704&idprod=TROV");
}

}  // namespace
}  // namespace stagora::test
