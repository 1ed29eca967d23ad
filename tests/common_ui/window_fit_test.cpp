// A main window fitted into the screen's available area at start: a window that fits stays as
// designed, a larger one shrinks to the area and comes inside it with its title bar.
#include <gtest/gtest.h>

#include <vector>

#include "common/window_fit_ui.h"

namespace stagora {
namespace {

TEST(WindowFit, AWindowIsShrunkAndMovedOnlyAsFarAsTheAreaNeeds) {
  const QMargins frame(2, 20, 2, 2);
  struct Case {
    const char* what;
    QRect area;
    WindowPlace now;
    WindowPlace fitted;
  };
  const std::vector<Case> cases = {
      {"fits: stays as it is", QRect(0, 0, 1600, 1200), {{300, 200}, {971, 636}}, {{300, 200}, {971, 636}}},
      {"fits exactly", QRect(0, 0, 975, 658), {{0, 0}, {971, 636}}, {{0, 0}, {971, 636}}},
      // A scale factor of 2 on a 1600 x 1200 screen: centred, the title bar was above the top.
      {"larger than the screen", QRect(0, 0, 800, 600), {{-85, -18}, {971, 636}}, {{0, 0}, {796, 578}}},
      {"wider only", QRect(0, 0, 800, 1000), {{-85, 100}, {971, 636}}, {{0, 100}, {796, 636}}},
      {"sticking out at the bottom right", QRect(0, 0, 1280, 1024), {{600, 700}, {971, 636}},
       {{305, 366}, {971, 636}}},
      {"an area below a panel", QRect(0, 30, 800, 570), {{0, 0}, {700, 500}}, {{0, 30}, {700, 500}}},
      {"an area beside a panel, too small", QRect(60, 0, 740, 600), {{0, 0}, {971, 636}}, {{60, 0}, {736, 578}}},
  };
  for (const Case& c : cases) {
    const WindowPlace fitted = FitIntoArea(c.now, frame, c.area);
    EXPECT_EQ(fitted.framePos, c.fitted.framePos) << c.what;
    EXPECT_EQ(fitted.client, c.fitted.client) << c.what;
  }
}

}  // namespace
}  // namespace stagora
