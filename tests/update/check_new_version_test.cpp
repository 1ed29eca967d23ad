// The update check against a service on 127.0.0.1: what it asks, when it asks, and what it
// keeps of the answer.
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <optional>

#include "designer/designer_settings.h"
#include "common/number_text.h"
#include "platform/textfile.h"
#include "tests/update/update_fixture.h"

namespace stagora::test {
namespace {

using designer::CheckNewVersion;
using designer::CheckOutcome;

constexpr const char* kStaleAnswer = "TROV_VER=9.9.9;TROV_URL=https://stale.example/;";

std::string SavedAnswer(const std::string& temp) {
  return plat::ReadTextFile(plat::JoinPath(temp, designer::kUpdateFileName)).value_or("<none>");
}

TEST_F(UpdateCheckTest, TheAnswerDecidesWhetherANewerVersionIsKnown) {
  const struct {
    const char* answer;
    bool available;
    const char* version;
  } cases[] = {
      {"TROV_VER=2.2.3;TROV_URL=https://example.test/setup.exe;", true, "2.2.3"},
      {"TROV_VER=2.2.2;TROV_URL=https://example.test/setup.exe;", false, ""},
      {"TROV_VER=2.1.0;TROV_URL=https://example.test/setup.exe;", false, ""},
      // A page without the keys still counts as an answer: the next automatic check waits.
      {"<html>Service error</html>", false, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.answer);
    plat::SaveSetting("TROV", designer::settings::kLastUpdateCheck, "0");
    service.answerWith(c.answer);
    const std::size_t before = service.requests().size();
    now += 1;

    EXPECT_EQ(Check(true), CheckOutcome::kAnswered);
    EXPECT_EQ(newVersion.available, c.available);
    EXPECT_EQ(newVersion.version, c.version);
    EXPECT_EQ(newVersion.url, c.available ? "https://example.test/setup.exe" : "");
    ASSERT_EQ(service.requests().size(), before + 1);
    EXPECT_EQ(service.requests().back(), "/upd?rand=" + NumberText(now) + "&idprod=TROV");
    EXPECT_EQ(Setting(designer::settings::kLastUpdateCheck), NumberText(now));
    EXPECT_EQ(SavedAnswer(temp), c.answer);
  }
}

TEST_F(UpdateCheckTest, NoUsableAnswerIsNoAnswerAndAnOldFileIsNeverRead) {
  const struct {
    const char* name;
    LocalHttpService::Answer answer;
    CheckOutcome outcome;
  } cases[] = {
      {"missing file", {404, "TROV_VER=9.9.9;TROV_URL=https://example.test/;", false}, CheckOutcome::kUnreachable},
      {"server error", {500, "", false}, CheckOutcome::kUnreachable},
      {"oversized answer", {200, QByteArray(designer::kMaxAnswerBytes + 1, 'x'), false}, CheckOutcome::kUnreachable},
      // Reached, but it said nothing: no newer version, and not counted as a check.
      {"empty answer", {200, "", false}, CheckOutcome::kEmpty},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(plat::WriteTextFile(plat::JoinPath(temp, designer::kUpdateFileName), kStaleAnswer));
    service.answer(c.answer);

    EXPECT_EQ(Check(true), c.outcome);
    EXPECT_FALSE(newVersion.available);
    EXPECT_EQ(newVersion.url, "");
    EXPECT_EQ(Setting(designer::settings::kLastUpdateCheck), "<absent>");
    EXPECT_EQ(SavedAnswer(temp), "<none>");
  }
}

TEST_F(UpdateCheckTest, AServiceThatIsGoneIsNoAnswer) {
  service.close();
  EXPECT_EQ(Check(true), CheckOutcome::kUnreachable);
  EXPECT_FALSE(newVersion.available);
  EXPECT_EQ(Setting(designer::settings::kLastUpdateCheck), "<absent>");
}

TEST_F(UpdateCheckTest, ASlowServiceTimesOutWithoutHoldingUpTheProgram) {
  service.answer({200, "TROV_VER=9.9.9;TROV_URL=u;", true});
  env.timeoutMs = 1500;
  QElapsedTimer clock;
  clock.start();
  std::optional<CheckOutcome> answered;
  const auto done = [&](CheckOutcome o, const designer::UpdateInfo& announced) {
    answered = o;
    newVersion = announced;
  };
  EXPECT_EQ(CheckNewVersion(false, env, done), CheckOutcome::kAsked);
  // The request went out; the answer is not waited for (the bound is loose for loaded machines).
  EXPECT_LT(clock.elapsed(), 1000);
  EXPECT_FALSE(answered.has_value());
  // Meanwhile the program goes on: a timer set after the request fires before the time-out.
  bool ticked = false;
  QTimer::singleShot(10, [&] { ticked = true; });
  ASSERT_TRUE(QTest::qWaitFor([&] { return ticked; }, 5000));
  EXPECT_FALSE(answered.has_value());
  ASSERT_TRUE(QTest::qWaitFor([&] { return answered.has_value(); }, 5000));
  EXPECT_EQ(answered, CheckOutcome::kUnreachable);
  EXPECT_GE(clock.elapsed(), 1400);  // the deadline does not end the wait early
  EXPECT_EQ(service.requests().size(), 1u);
  EXPECT_FALSE(newVersion.available);
  EXPECT_EQ(Setting(designer::settings::kLastUpdateCheck), "<absent>");
}

TEST_F(UpdateCheckTest, ThePeriodDecidesWhetherTheAutomaticCheckAsks) {
  service.answerWith("TROV_VER=2.2.3;TROV_URL=u;");
  const struct {
    const char* name;
    double daysSinceLast;
    const char* period;
    bool forced;
    bool asks;
  } cases[] = {
      {"6.9 of 7 days", 6.9, "7", false, false},
      {"exactly 7 days", 7, "7", false, true},
      {"forced within the period", 0.1, "7", true, true},
      {"one day", 1.5, "1", false, true},
      {"30 days, 29 gone", 29, "30", false, false},
      {"hand-edited period taken as days", 2, "3", false, false},
      {"period 0", 0, "0", false, true},
      {"period that is no number", 0, "weekly", false, true},
      // A last check dated in the future (a clock that was wrong) does not stop the checks.
      {"last check in the future", -30, "7", false, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    plat::SaveSetting("TROV", designer::settings::kUpdatePeriod, c.period);
    plat::SaveSetting("TROV", designer::settings::kLastUpdateCheck, NumberText(now - c.daysSinceLast));
    const std::size_t before = service.requests().size();

    const CheckOutcome outcome = Check(c.forced);
    EXPECT_EQ(service.requests().size(), before + (c.asks ? 1 : 0));
    EXPECT_EQ(outcome, c.asks ? CheckOutcome::kAnswered : CheckOutcome::kNotDue);
    EXPECT_EQ(newVersion.available, c.asks);
    EXPECT_EQ(newVersion.url, c.asks ? "u" : "");
    EXPECT_EQ(newVersion.version, c.asks ? "2.2.3" : "");
  }
}

TEST_F(UpdateCheckTest, WithoutAWebAddressForTheServiceNothingIsSent) {
  for (const char* address : {"", "   ", "file:///etc/passwd", "ftp://127.0.0.1/upd", "127.0.0.1/upd"}) {
    SCOPED_TRACE(address);
    plat::SaveSetting("TROV", designer::settings::kUpdateService, address);
    ASSERT_TRUE(plat::WriteTextFile(plat::JoinPath(temp, designer::kUpdateFileName), kStaleAnswer));
    EXPECT_EQ(Check(true), CheckOutcome::kNoService);
    EXPECT_FALSE(newVersion.available);
  }
  EXPECT_TRUE(service.requests().empty());
}

TEST_F(UpdateCheckTest, ASecondCheckWhileOneWaitsIsRefused) {
  service.answerWith("TROV_VER=2.2.3;TROV_URL=u;");
  CheckOutcome inner = CheckOutcome::kAnswered;
  service.onRequest([&] {
    service.onRequest({});
    inner = CheckNewVersion(true, env, [](CheckOutcome, const designer::UpdateInfo&) {
      ADD_FAILURE() << "a refused check has no answer";
    });
  });
  EXPECT_EQ(Check(true), CheckOutcome::kAnswered);
  EXPECT_EQ(inner, CheckOutcome::kBusy);
  EXPECT_EQ(service.requests().size(), 1u);
  EXPECT_TRUE(newVersion.available);
}

}  // namespace
}  // namespace stagora::test
