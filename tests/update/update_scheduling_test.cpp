// The main window's side of the update check: the check on activation, the delayed notice
// and Help > Updates > Check now, against a service on 127.0.0.1.
#include <QAction>
#include <QTimer>

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
    designer::Shared().TempPath = temp;
    form = std::make_unique<designer::FormMain>();
    form->Form_Load();
  }
  void TearDown() override {
    form.reset();
    designer::UPD_Available = false;
  }

  static std::string SameVersionAnswer() {
    return QString(kSame).arg(QString::fromStdString(designer::VersionText(designer::RunningVersion()))).toStdString();
  }

  std::unique_ptr<designer::FormMain> form;
};

TEST_F(UpdateSchedulingTest, ActivationAsksOnceAndTheNoticeFollowsOnTheTimer) {
  service.answerWith(kNewer);
  form->Form_Activate();
  ASSERT_EQ(service.requests().size(), 1u);
  EXPECT_TRUE(service.requests()[0].ends_with("&idprod=TROV"));
  EXPECT_TRUE(designer::UPD_Available);
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
  const std::string noConnect = Txt_No_connect + "\r\n" + designer::Shared().Txt_HomePage;
  ASSERT_FALSE(Txt_No_connect.empty());
  const struct {
    const char* name;
    LocalHttpService::Answer answer;
    const char* notice;
    std::string message;
    int style;
  } cases[] = {
      {"newer", {200, kNewer, false}, "FormNuevaVersion", "", 0},
      {"same", {200, QByteArray::fromStdString(SameVersionAnswer()), false}, "", form->GetL_win("No_updates"), 0},
      {"unreachable", {404, "", false}, "", noConnect, plat::kExclamation},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    // Within the period: the check on demand asks all the same.
    plat::SaveSetting("TROV", "CheckUPDATE", "LAST_OLCON", NumberText(designer::CurrentDateNumber()));
    const std::string last = Setting("LAST_OLCON");
    service.answer(c.answer);
    const std::size_t before = service.requests().size();
    MessageBoxRecorder boxes;
    ModalCloser closer;

    form->mnu_Help_update_now->trigger();
    EXPECT_EQ(service.requests().size(), before + 1);
    EXPECT_EQ(closer.seen(), *c.notice ? std::vector<std::string>{c.notice} : std::vector<std::string>{});
    if (c.message.empty()) {
      EXPECT_TRUE(boxes.requests().empty());
    } else {
      ASSERT_EQ(boxes.requests().size(), 1u);
      EXPECT_EQ(boxes.requests()[0].text, c.message);
      EXPECT_EQ(boxes.requests()[0].style, c.style);
    }
    if (c.answer.status != 200) {
      EXPECT_EQ(Setting("LAST_OLCON"), last);
    }
  }
}

TEST_F(UpdateSchedulingTest, CheckNowWithoutAServiceSendsNothingAndSaysSo) {
  plat::SaveSetting("TROV", "CheckUPDATE", "SERVICE", "");
  MessageBoxRecorder boxes;
  form->mnu_Help_update_now_Click();
  EXPECT_TRUE(service.requests().empty());
  ASSERT_EQ(boxes.requests().size(), 1u);
  EXPECT_EQ(boxes.requests()[0].text, Txt_No_connect + "\r\n" + designer::Shared().Txt_HomePage);
}

}  // namespace
}  // namespace stagora::test
