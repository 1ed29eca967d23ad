// The main window on a screen of two device pixels per pixel (QT_SCALE_FACTOR=2): the diagram
// picture holds two image pixels per pixel, so its lines are as sharp as the panel's text,
// while everything a caller measures stays in pixels: the plot, the point labels, and the
// report picture, which is saved at 700 x 700 image pixels. The scale factor is fixed when
// the application starts, so the checks run in a child process of this test program.
#include <gtest/gtest.h>

#include <QApplication>
#include <QBackingStore>
#include <QCoreApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QTest>
#include <cmath>
#include <cstdlib>

#include "designer/calculation/design_calculation.h"
#include "designer/diagram/plot_frame.h"
#include "designer/window/controls.h"
#include "designer/window/slider_knobs.h"
#include "tests/designer/main_window_fixture.h"
#include "tests/diagram/diagram_colours.h"

namespace stagora::test {
namespace {

using plat::Color;
using plat::Rgb;
using namespace diagram_colours;

constexpr const char* kChildVariable = "STAGORA_SCALED_CHILD";
constexpr int kScreenWidth = 442;
constexpr int kScreenHeight = 604;
constexpr int kRatio = 2;
constexpr Color kWhite = Rgb(255, 255, 255);
constexpr Color kFrame = Rgb(0, 0, 0);

Color PixelAt(const QImage& img, int x, int y) {
  const QRgb p = img.pixel(x, y);
  return Rgb(qRed(p), qGreen(p), qBlue(p));
}

TEST(ScaledScreen, DiagramIsDrawnAtTheScreensPixelRatio) {
  QProcess child;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(kChildVariable, "1");
  env.insert("QT_SCALE_FACTOR", QString::number(kRatio));
  child.setProcessEnvironment(env);
  child.setProcessChannelMode(QProcess::ForwardedChannels);
  child.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=ScaledScreenChild.*"});
  ASSERT_TRUE(child.waitForFinished(120000));
  EXPECT_EQ(child.exitCode(), 0);
}

// Runs only inside the child process started above.
class ScaledScreenChild : public MainWindowTest {
 protected:
  void SetUp() override {
    if (!std::getenv(kChildVariable)) GTEST_SKIP() << "run by ScaledScreen.DiagramIsDrawnAtTheScreensPixelRatio";
    MainWindowTest::SetUp();
  }
};

TEST_F(ScaledScreenChild, PicturesKnobsAndButtonsHoldTwoImagePixelsPerPixel) {
  designer::FormMain& f = Load();
  ASSERT_EQ(f.Picture1->devicePixelRatioF(), kRatio);
  f.Picture1->resize(kScreenWidth, kScreenHeight);
  f.Calcular(*f.Picture1, false);
  ASSERT_TRUE(f.LblERROR->text().isEmpty());

  const QImage img = f.Picture1->surface().image();
  EXPECT_EQ(img.devicePixelRatio(), kRatio);
  ASSERT_EQ(img.size(), QSize(kScreenWidth * kRatio, kScreenHeight * kRatio));
  ASSERT_TRUE(img.save(QString::fromStdString(ArtefactDir() + "/diagram_screen_ratio2.png")));

  // The plot where it lies at one image pixel per pixel, each one-pixel line exactly two
  // image pixels wide in its full colour: sharp, not a stretched picture's blur.
  const PlotFrame frame = PlotFrame::Screen(kScreenWidth, kScreenHeight);
  const int row = static_cast<int>(frame.Y(0.55)) * kRatio;
  const int left = static_cast<int>(frame.M) * kRatio;
  EXPECT_EQ(PixelAt(img, left - 1, row), kWhite);
  EXPECT_EQ(PixelAt(img, left, row), kFrame);
  EXPECT_EQ(PixelAt(img, left + 1, row), kFrame);
  EXPECT_EQ(PixelAt(img, left + 2, row), kWhite);
  const int grid = static_cast<int>(frame.M + 9 * frame.W / 10.01) * kRatio;
  EXPECT_NE(PixelAt(img, grid - 1, row), kGrid);
  EXPECT_EQ(PixelAt(img, grid, row), kGrid);
  EXPECT_EQ(PixelAt(img, grid + 1, row), kGrid);
  EXPECT_NE(PixelAt(img, grid + 2, row), kGrid);

  // The point labels sit on their points in the window's pixels.
  const DesignResult r = CalculateDesign(DesignData{2, 0.5, 0.46, 0.85, 0.17, 3, 1}, false, nullptr);
  const double points[4][2] = {{0.17, 0.17}, {r.lines.xq, r.lines.yq}, {0.85, 0.85}, {0.46, 0.46}};
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    const QLabel* label = f.Label2[static_cast<std::size_t>(i)];
    EXPECT_NEAR(label->x() + label->width() / 2.0, frame.X(points[i][0]), 0.5);
    EXPECT_NEAR(label->y() + label->height() / 2.0, frame.Y(points[i][1]), 0.5);
  }

  // The report's picture is a file of 700 x 700 image pixels whatever the screen.
  f.Calcular(*f.Picture4, false);
  const QImage report = f.Picture4->surface().image();
  EXPECT_EQ(report.size(), QSize(700, 700));
  EXPECT_EQ(report.devicePixelRatio(), 1);

  // Knobs and button faces: the same size in pixels, drawn at the screen's density.
  for (const designer::ImageControl* image : {f.Image2[3], f.Image1[0], f.ImageT}) {
    SCOPED_TRACE(image->objectName().toStdString());
    EXPECT_EQ(image->picture().devicePixelRatio(), kRatio);
    EXPECT_EQ(image->picture().size(), image->size() * kRatio);
  }
  EXPECT_EQ(f.Image2[3]->size(), QSize(15, 14));
  EXPECT_EQ(f.Image1[0]->size(), QSize(141, 34));
}

TEST_F(ScaledScreenChild, DuringADragTheWindowShowsTheDiagramAtFullDensity) {
  // Only what changed is repainted between moves, in whole rows of image pixels: the window
  // must show each redrawn picture exactly, image pixel for image pixel.
  designer::FormMain& f = Load();
  f.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));
  QWidget* knob = f.Image2[designer::kKnobAlpha];
  const QPoint grab = knob->mapToGlobal(QPoint(knob->width() / 2, knob->height() / 2));
  QTest::mousePress(knob, Qt::LeftButton, {}, knob->mapFromGlobal(grab));
  for (const int dx : {4, 11, 30, 2, 55, -20, 7}) {
    QTest::mouseMove(knob, knob->mapFromGlobal(grab + QPoint(dx, 0)));
    QApplication::processEvents();
  }
  QTest::mouseRelease(knob, Qt::LeftButton, {}, knob->mapFromGlobal(grab + QPoint(7, 0)));
  QApplication::processEvents();

  // What the window holds for the screen: its backing store, in image pixels.
  QPaintDevice* store = f.backingStore()->paintDevice();
  ASSERT_EQ(store->devType(), QInternal::Image);
  const QImage shown = static_cast<QImage*>(store)->convertToFormat(QImage::Format_RGB32);
  const QImage drawn = f.Picture1->surface().image().convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(drawn.devicePixelRatio(), kRatio);
  const QPoint at = f.Picture1->mapTo(&f, QPoint(0, 0)) * kRatio;
  ASSERT_GE(shown.width(), at.x() + drawn.width());
  int differing = 0;
  for (int y = 0; y < drawn.height(); ++y) {
    for (int x = 0; x < drawn.width(); ++x) {
      bool underLabel = false;
      for (const QLabel* label : f.Label2) {
        underLabel = underLabel || (label->isVisible() && label->geometry().contains(x / kRatio, y / kRatio));
      }
      if (!underLabel && shown.pixel(at.x() + x, at.y() + y) != drawn.pixel(x, y)) ++differing;
    }
  }
  EXPECT_EQ(differing, 0);
}

}  // namespace
}  // namespace stagora::test
