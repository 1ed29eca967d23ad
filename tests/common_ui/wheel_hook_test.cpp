#include <gtest/gtest.h>

#include <QApplication>
#include <QWheelEvent>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include <QtTest/qtestspontaneevent.h>

#include "common/wheel_hook_ui.h"

namespace {

struct WheelCall {
  int keys, rotation, x, y;
  bool operator==(const WheelCall&) const = default;
};

// A form with the wheel method; it also logs what reaches its own wheel handler.
class Form : public QWidget, public stagora::WheelTarget {
 public:
  void MouseWheel(int MouseKeys, int Rotation, int X, int Y) override {
    calls.push_back({MouseKeys, Rotation, X, Y});
    log.push_back("MouseWheel");
  }
  std::vector<WheelCall> calls;
  std::vector<std::string> log;

 protected:
  void wheelEvent(QWheelEvent* e) override {
    log.push_back("own handler");
    e->accept();
  }
};

void SendWheel(QWidget* to, QPoint angle, Qt::KeyboardModifiers mods = Qt::NoModifier,
               Qt::MouseButtons buttons = Qt::NoButton, QPoint global = {300, 200}) {
  QWheelEvent e(QPointF(5, 5), QPointF(global), QPoint(), angle, buttons, mods, Qt::NoScrollPhase, false);
  QApplication::sendEvent(to, &e);
}

// As the window system delivers it: a spontaneous event travels up from a child that ignores
// it, which an event sent by sendEvent never does.
void DeliverWheel(QWidget* to, QPoint angle, Qt::KeyboardModifiers mods) {
  QWheelEvent e(QPointF(5, 5), QPointF(300, 200), QPoint(), angle, Qt::NoButton, mods, Qt::NoScrollPhase, false);
  QSpontaneKeyEvent::setSpontaneous(&e);
  QApplication::instance()->notify(to, &e);
}

class WheelHookTest : public ::testing::Test {
 protected:
  void TearDown() override { stagora::WheelUnhook(); }
};

TEST_F(WheelHookTest, NotchesReachMouseWheelWithThePlatformsValues) {
  Form form;
  stagora::WheelHook(&form);
  struct Case {
    QPoint angle;
    Qt::KeyboardModifiers mods;
    Qt::MouseButtons buttons;
    QPoint global;
    WheelCall expected;
  };
  const std::vector<Case> cases = {
      {{0, 120}, Qt::NoModifier, Qt::NoButton, {300, 200}, {0, 120, 300, 200}},
      {{0, -120}, Qt::NoModifier, Qt::NoButton, {300, 200}, {0, -120, 300, 200}},
      {{0, 120}, Qt::ControlModifier, Qt::NoButton, {300, 200}, {8, 120, 300, 200}},
      {{0, -120}, Qt::ControlModifier, Qt::NoButton, {300, 200}, {8, -120, 300, 200}},
      {{0, 240}, Qt::ShiftModifier | Qt::ControlModifier, Qt::LeftButton, {1, 2}, {13, 240, 1, 2}},
      {{0, 120}, Qt::NoModifier, Qt::RightButton | Qt::MiddleButton, {0, 0}, {0x12, 120, 0, 0}},
      // a screen left of the main one: x in the platform's 16-bit coding, y as it is
      {{0, 120}, Qt::NoModifier, Qt::NoButton, {-10, 200}, {0, 120, 65526, 200}},
      {{0, 120}, Qt::NoModifier, Qt::NoButton, {40000, -5}, {0, 120, 40000, -5}},
  };
  for (const Case& c : cases) {
    form.calls.clear();
    SendWheel(&form, c.angle, c.mods, c.buttons, c.global);
    ASSERT_EQ(form.calls.size(), 1u);
    EXPECT_EQ(form.calls[0], c.expected) << c.expected.keys << " " << c.expected.rotation;
  }
}

TEST_F(WheelHookTest, WindowStillHandlesTheWheelAfterMouseWheelRan) {
  Form form;
  stagora::WheelHook(&form);
  SendWheel(&form, {0, 120});
  EXPECT_EQ(form.log, (std::vector<std::string>{"MouseWheel", "own handler"}));
}

TEST_F(WheelHookTest, WheelOverAChildThatIgnoresItReachesTheForm) {
  Form form;
  auto* child = new QWidget(&form);
  stagora::WheelHook(&form);
  DeliverWheel(child, {0, -120}, Qt::ControlModifier);
  ASSERT_EQ(form.calls.size(), 1u);
  EXPECT_EQ(form.calls[0].rotation, -120);
  EXPECT_EQ(form.calls[0].keys & stagora::kWheelKeyCtrl, stagora::kWheelKeyCtrl);
}

TEST_F(WheelHookTest, SidewaysScrollIsNoWheelNotch) {
  Form form;
  stagora::WheelHook(&form);
  SendWheel(&form, {120, 0});
  EXPECT_TRUE(form.calls.empty());
  EXPECT_EQ(form.log, (std::vector<std::string>{"own handler"}));
}

TEST_F(WheelHookTest, ASecondHookIsIgnoredUntilTheFirstIsUndone) {
  Form first, second;
  stagora::WheelHook(&first);
  stagora::WheelHook(&first);  // every activation hooks again
  stagora::WheelHook(&second);
  SendWheel(&first, {0, 120});
  SendWheel(&second, {0, 120});
  EXPECT_EQ(first.calls.size(), 1u);
  EXPECT_TRUE(second.calls.empty());

  stagora::WheelUnhook();
  stagora::WheelHook(&second);
  SendWheel(&first, {0, 120});
  SendWheel(&second, {0, 120});
  EXPECT_EQ(first.calls.size(), 1u);
  EXPECT_EQ(second.calls.size(), 1u);
}

TEST_F(WheelHookTest, UnhookingGivesTheWindowBackItsOwnHandling) {
  Form form;
  stagora::WheelUnhook();  // nothing hooked: harmless
  stagora::WheelHook(&form);
  stagora::WheelUnhook();
  SendWheel(&form, {0, 120});
  EXPECT_TRUE(form.calls.empty());
  EXPECT_EQ(form.log, (std::vector<std::string>{"own handler"}));
  EXPECT_TRUE(form.children().isEmpty()) << "the hook leaves nothing behind";
}

TEST_F(WheelHookTest, AWindowDestroyedWhileHookedFreesTheHook) {
  auto gone = std::make_unique<Form>();
  stagora::WheelHook(gone.get());
  gone.reset();
  Form next;
  stagora::WheelHook(&next);
  SendWheel(&next, {0, 120});
  EXPECT_EQ(next.calls.size(), 1u);
}

}  // namespace
