// The main window's side of the update check: the check on activation, the delayed notice
// and Help > Updates > Check now, against a service on 127.0.0.1.
#include <QAction>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include "designer/designer_settings.h"
#include "common/number_text.h"
#include "common/web_address.h"
#include "designer/update/date_number.h"
#include "designer/window/designer_state.h"
#include "designer/window/form_main.h"
#include "platform/paths.h"
#include "tests/update/update_fixture.h"

namespace stagora::test {
namespace {

constexpr const char* kNewer = "TROV_VER=9.9.9;TROV_URL=https://downloads.example/setup.exe;";
constexpr const char* kSame = "TROV_VER=%1;TROV_URL=https://downloads.example/setup.exe;";

class UpdateSchedulingTest : public UpdateCheckTest {
 protected:
  void SetUp() override {
    UpdateCheckTest::SetUp();
    plat::SetProgramFolder(ProgramDir());
    form = std::make_unique<designer::FormMain>();
    form->State().TempPath = temp;
    form->Form_Load();
  }
  void TearDown() override {
    form.reset();
    UpdateCheckTest::TearDown();
  }

  // Lets the check that is waiting, if any, take its answer.
  static void AnswerIn() {
    EXPECT_TRUE(QTest::qWaitFor([] { return !designer::DownloadRunning(); }, 30000));
    QApplication::processEvents();
  }

  static std::string SameVersionAnswer() {
    return QString(kSame).arg(QString::fromStdString(designer::VersionText(designer::RunningVersion()))).toStdString();
  }

  std::unique_ptr<designer::FormMain> form;
};

TEST_F(UpdateSchedulingTest, ActivationAsksOnceAndTheNoticeFollowsOnTheTimer) {
  service.answerWith(kNewer);
  form->Form_Activate();
  AnswerIn();
  ASSERT_EQ(service.requests().size(), 1u);
  EXPECT_TRUE(service.requests()[0].ends_with("&idprod=TROV"));
  EXPECT_TRUE(form->State().NewVersion.available);
  EXPECT_TRUE(form->TimerUPD->isActive());
  EXPECT_EQ(form->TimerUPD->interval(), 3000);

  // Another window came and went: no second question, and the timer is not restarted.
  form->TimerUPD->stop();
  form->Form_Activate();
  EXPECT_EQ(service.requests().size(), 1u);
  EXPECT_FALSE(form->TimerUPD->isActive());

  ModalCloser closer;
  form->TimerUPD->start();
  form->TimerUPD_Timer();
  EXPECT_EQ(closer.seen(), std::vector<std::string>{"FormNuevaVersion"});
  EXPECT_FALSE(form->TimerUPD->isActive());
}

TEST_F(UpdateSchedulingTest, NoNoticeWithoutNewsOrWithinThePeriod) {
  service.answerWith(SameVersionAnswer());
  form->Form_Activate();
  AnswerIn();
  EXPECT_EQ(service.requests().size(), 1u);
  EXPECT_FALSE(form->TimerUPD->isActive());

  // The answer was kept as the last check: the next activation waits for the period.
  service.answerWith(kNewer);
  form->Form_Activate();
  EXPECT_EQ(service.requests().size(), 1u);
  EXPECT_FALSE(form->TimerUPD->isActive());

  // A tick that comes when nothing newer is known shows nothing.
  ModalCloser closer;
  form->TimerUPD_Timer();
  EXPECT_TRUE(closer.seen().empty());
}

TEST_F(UpdateSchedulingTest, CheckNowSaysWhatItFound) {
  const std::string unreachable = form->GetL_win("Update_Unreachable") + "\r\n" + service.address();
  ASSERT_NE(unreachable.find("update service"), std::string::npos);
  const struct {
    const char* name;
    LocalHttpService::Answer answer;
    const char* notice;
    std::string message;
    int style;
  } cases[] = {
      {"newer", {200, kNewer, false}, "FormNuevaVersion", "", 0},
      {"same", {200, QByteArray::fromStdString(SameVersionAnswer()), false}, "", form->GetL_win("No_updates"), 0},
      {"empty", {200, "", false}, "", form->GetL_win("No_updates"), 0},
      {"unreachable", {404, "", false}, "", unreachable, plat::kExclamation},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    // Within the period: the check on demand asks all the same.
    plat::SaveSetting("TROV", designer::settings::kLastUpdateCheck, NumberText(designer::CurrentDateNumber()));
    const std::string last = Setting(designer::settings::kLastUpdateCheck);
    service.answer(c.answer);
    const std::size_t before = service.requests().size();
    MessageBoxRecorder boxes;
    ModalCloser closer;

    MenuItem(*form, "mnu_Help_update_now")->trigger();
    AnswerIn();
    EXPECT_EQ(service.requests().size(), before + 1);
    EXPECT_EQ(closer.seen(), *c.notice ? std::vector<std::string>{c.notice} : std::vector<std::string>{});
    if (c.message.empty()) {
      EXPECT_TRUE(boxes.requests().empty());
    } else {
      ASSERT_EQ(boxes.requests().size(), 1u);
      EXPECT_EQ(boxes.requests()[0].text, c.message);
      EXPECT_EQ(boxes.requests()[0].style, c.style);
    }
    if (c.answer.status != 200 || c.answer.body.isEmpty()) {
      EXPECT_EQ(Setting(designer::settings::kLastUpdateCheck), last);
    }
  }

  // With the service gone the message names the service, not the home page.
  service.close();
  MessageBoxRecorder boxes;
  form->mnu_Help_update_now_Click();
  AnswerIn();
  ASSERT_EQ(boxes.requests().size(), 1u);
  EXPECT_EQ(boxes.requests()[0].text, unreachable);
}

TEST_F(UpdateSchedulingTest, CheckNowWithoutAServiceSendsNothingAndSaysSo) {
  plat::SaveSetting("TROV", designer::settings::kUpdateService, "");
  MessageBoxRecorder boxes;
  form->mnu_Help_update_now_Click();
  EXPECT_TRUE(service.requests().empty());
  ASSERT_EQ(boxes.requests().size(), 1u);
  EXPECT_EQ(boxes.requests()[0].text, form->GetL_win("Update_NoService"));
}

TEST_F(UpdateSchedulingTest, AServiceThatHangsHoldsNothingUpAndIsNotAskedAgainOnActivation) {
  service.answer({200, kNewer, true});
  QElapsedTimer clock;
  clock.start();
  form->Form_Activate();
  EXPECT_LT(clock.elapsed(), 1000);  // not the download's 15 s
  ASSERT_TRUE(QTest::qWaitFor([&] { return service.requests().size() == 1; }, 5000));
  // Input is taken while the service is silent.
  form->Text[field::kRefluxRatio]->setFocus();
  form->Text[field::kRefluxRatio]->selectAll();
  QTest::keyClicks(form->Text[field::kRefluxRatio], "4");
  EXPECT_EQ(form->Text[field::kRefluxRatio]->text(), "4");
  EXPECT_TRUE(designer::DownloadRunning());

  // Activations while it waits, and after it was given up, ask nothing more.
  for (int i = 0; i < 3; ++i) form->Form_Activate();
  service.hangUp();
  AnswerIn();
  for (int i = 0; i < 3; ++i) {
    form->Form_Activate();
    QApplication::processEvents();
  }
  EXPECT_EQ(service.requests().size(), 1u);
  EXPECT_FALSE(form->TimerUPD->isActive());

  // Check now still asks.
  service.answerWith(kNewer);
  ModalCloser closer;
  form->mnu_Help_update_now_Click();
  AnswerIn();
  EXPECT_EQ(service.requests().size(), 2u);
  EXPECT_EQ(closer.seen(), std::vector<std::string>{"FormNuevaVersion"});
}

TEST_F(UpdateSchedulingTest, AnAutomaticCheckThatFailsOrGetsNothingIsNotRepeatedThisRun) {
  for (const LocalHttpService::Answer& answer : {LocalHttpService::Answer{404, "", false}, LocalHttpService::Answer{200, "", false}}) {
    SCOPED_TRACE(answer.status);
    form = std::make_unique<designer::FormMain>();
    form->Form_Load();
    service.answer(answer);
    const std::size_t before = service.requests().size();
    for (int i = 0; i < 4; ++i) {
      form->Form_Activate();
      AnswerIn();
    }
    EXPECT_EQ(service.requests().size(), before + 1);
    EXPECT_EQ(Setting(designer::settings::kLastUpdateCheck), "<absent>");
  }
}

TEST_F(UpdateSchedulingTest, CheckNowDuringAnAutomaticCheckReportsItsAnswer) {
  service.answer({200, QByteArray::fromStdString(SameVersionAnswer()), true});
  form->Form_Activate();
  ASSERT_TRUE(QTest::qWaitFor([&] { return service.requests().size() == 1; }, 5000));
  MessageBoxRecorder boxes;
  form->mnu_Help_update_now_Click();
  form->mnu_Help_update_now_Click();  // twice: still one answer to wait for
  EXPECT_TRUE(boxes.requests().empty());
  service.hangUp();
  AnswerIn();
  EXPECT_EQ(service.requests().size(), 1u);
  ASSERT_EQ(boxes.requests().size(), 1u);
  EXPECT_EQ(boxes.requests()[0].text, form->GetL_win("Update_Unreachable") + "\r\n" + service.address());
}

}  // namespace
}  // namespace stagora::test
