#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <chrono>
#include <filesystem>
#include <fstream>

#include "platform/paths.h"
#include "tests/engine_formulas/formula_fixture.h"
#include "tests/support/test_support.h"
#include "viewer/engine/images.h"

namespace stagora::engine::test {
namespace {

using plat::RecordedOp;
namespace fs = std::filesystem;

constexpr double kTwipsPerMm = 1440 / 25.4;
constexpr double kFrame = 0.04 * kH;  // frame pen and margin

// Saves a picture of the given size; wide and tall pictures tell which file was drawn.
void SavePicture(const fs::path& path, int width, int height) {
  QImage img(width, height, QImage::Format_RGB32);
  img.fill(QColor(30, 90, 160));
  ASSERT_TRUE(img.save(QString::fromStdString(path.string())));
}

class Images : public FormulaTest {
 protected:
  void SetUp() override {
    FormulaTest::SetUp();
    program_ = stagora::test::ScratchDir("formulas-program");
    temp_ = stagora::test::ScratchDir("formulas-temp");
    fs::create_directories(program_ / "img");
    fs::create_directories(temp_ / "nrtemp");
    plat::SetProgramFolder(program_.string());
    V.TempPath = temp_.string();
  }
  void TearDown() override {
    plat::SetProgramFolder(stagora::test::ProgramDir());
    FormulaTest::TearDown();
  }
  fs::path img() const { return program_ / "img"; }
  fs::path scratch() const { return temp_ / "nrtemp"; }

  // The one picture painted, in twips; fails when there is none.
  Extent Painted() const {
    const auto images = Ops(RecordedOp::Image);
    Extent e;
    EXPECT_EQ(images.size(), 1u);
    if (!images.empty()) e.add(images[0].x1 * kTpp, images[0].y1 * kTpp, images[0].x2 * kTpp, images[0].y2 * kTpp);
    return e;
  }
  bool PlaceholderDrawn() const {
    const auto fills = Ops(RecordedOp::FilledRect);
    return Ops(RecordedOp::Image).empty() && fills.size() == 1 && fills[0].color == plat::Rgb(240, 240, 240) &&
           OpsIn(RecordedOp::Line, kRed).size() == 2 && Ops(RecordedOp::Rect).size() == 1;
  }

  fs::path program_, temp_;
};

TEST_F(Images, TheReportDiagramFromTheScratchFolderKeepsItsAspectWithinTheSize) {
  struct Case {
    int w, h;
    double widthMm, heightMm;
  };
  const Case cases[] = {{200, 100, 130, 65}, {100, 200, 65, 130}, {150, 150, 130, 130}};
  for (const Case& c : cases) {
    SavePicture(scratch() / "stgr_temp123456.jpg", c.w, c.h);
    const Laid laid = Lay("#IMG('stgr_temp123456.jpg'DXmm=130:DYmm=130:#IMG)");
    EXPECT_EQ(laid.drawnTo, laid.measuredTo);
    const Extent p = Painted();
    EXPECT_NEAR(p.right - p.left, c.widthMm * kTwipsPerMm, 1e-6) << c.w << "x" << c.h;
    EXPECT_NEAR(p.bottom - p.top, c.heightMm * kTwipsPerMm, 1e-6) << c.w << "x" << c.h;
    // It stands on the line: its bottom one text height below the line's top.
    EXPECT_NEAR(p.left, kX, 1e-9);
    EXPECT_NEAR(p.bottom, kY + kH, 1e-6);
    const CajaHTFC& box = S.TablaCajas(2);
    EXPECT_DOUBLE_EQ(box.DesplazamientoX, 0);
    EXPECT_NEAR(box.Avance, c.widthMm * kTwipsPerMm, 1e-6);
    EXPECT_NEAR(box.AltoSobre, c.heightMm * kTwipsPerMm - kH, 1e-6);
    EXPECT_NEAR(box.AltoBajo, kH, 1e-9);
    ExpectInside(Drawn(), BoxOf(laid.line), "diagram");
  }
}

TEST_F(Images, TheImageFolderWinsAndNamesMatchWithoutRegardToCase) {
  SavePicture(img() / "Plot.PNG", 100, 200);   // tall
  SavePicture(scratch() / "plot.png", 200, 100);  // wide
  Lay("#IMG('plot.png'DXmm=50:DYmm=50:#IMG)");
  const Extent p = Painted();
  EXPECT_NEAR(p.bottom - p.top, 50 * kTwipsPerMm, 1e-6);
  EXPECT_NEAR(p.right - p.left, 25 * kTwipsPerMm, 1e-6);
  EXPECT_EQ(FindImageFile("PLOT.PNG", V.TempPath, S.imageFolders), (img() / "Plot.PNG").string());
  EXPECT_EQ(FindImageFile("nothing.png", V.TempPath, S.imageFolders), "");
}

// The folders are listed once and again when they change: a picture written or removed since
// the last look-up is seen at the next one, however soon.
TEST_F(Images, APictureAddedOrRemovedSinceTheLastLookUpIsSeenAtTheNext) {
  SavePicture(scratch() / "a.png", 10, 10);
  EXPECT_EQ(FindImageFile("A.PNG", V.TempPath, S.imageFolders), (scratch() / "a.png").string());
  EXPECT_EQ(FindImageFile("B.PNG", V.TempPath, S.imageFolders), "");
  SavePicture(scratch() / "b.png", 10, 10);
  EXPECT_EQ(FindImageFile("B.PNG", V.TempPath, S.imageFolders), (scratch() / "b.png").string());
  fs::remove(scratch() / "a.png");
  EXPECT_EQ(FindImageFile("A.PNG", V.TempPath, S.imageFolders), "");
  SavePicture(scratch() / "A.png", 10, 10);
  EXPECT_EQ(FindImageFile("a.png", V.TempPath, S.imageFolders), (scratch() / "A.png").string());
  // The same in a folder whose last change is long past.
  const auto past = fs::file_time_type::clock::now() - std::chrono::hours(1);
  fs::last_write_time(scratch(), past);
  EXPECT_EQ(FindImageFile("A.PNG", V.TempPath, S.imageFolders), (scratch() / "A.png").string());
  fs::remove(scratch() / "A.png");
  EXPECT_EQ(FindImageFile("A.PNG", V.TempPath, S.imageFolders), "");
  SavePicture(scratch() / "c.png", 10, 10);
  fs::last_write_time(scratch(), past);
  EXPECT_EQ(FindImageFile("C.PNG", V.TempPath, S.imageFolders), (scratch() / "c.png").string());
}

TEST_F(Images, StretchFillsTheBoxAndZoomScalesItButNotTheDefaultPlaceholder) {
  SavePicture(img() / "a.png", 100, 100);
  Lay("#IMG('a.png'DXmm=100:DYmm=20:DIST:#IMG)");
  Extent p = Painted();
  EXPECT_NEAR(p.right - p.left, 100 * kTwipsPerMm, 1e-6);
  EXPECT_NEAR(p.bottom - p.top, 20 * kTwipsPerMm, 1e-6);

  V.Zoom = 2;
  Lay("#IMG('a.png'dxmm=100:dymm=20:dist:#IMG)");  // options in any case
  p = Painted();
  EXPECT_NEAR(p.right - p.left, 200 * kTwipsPerMm, 1e-6);
  EXPECT_NEAR(p.bottom - p.top, 40 * kTwipsPerMm, 1e-6);

  // A size missing or zero: the placeholder of 1 x 0.75 inch, whatever the zoom.
  for (const char* line : {"#IMG('a.png'DXmm=100:#IMG)", "#IMG('a.png'DXmm=0:DYmm=30:#IMG)"}) {
    Lay(line);
    EXPECT_TRUE(PlaceholderDrawn()) << line;
    EXPECT_NEAR(S.TablaCajas(2).Avance, 1440 + kFrame, 1e-9) << line;
    EXPECT_NEAR(S.TablaCajas(2).AltoSobre, 1080 - kH + kFrame, 1e-9) << line;
  }
}

TEST_F(Images, AMissingOrUnreadableFileDrawsThePlaceholderInItsFrame) {
  std::ofstream(scratch() / "broken.jpg") << "not a picture";
  for (const char* name : {"missing.jpg", "broken.jpg"}) {
    const std::string line = std::string("&LC=Azul:#IMG('") + name + "'DXmm=40:DYmm=30:#IMG)z";
    const Laid laid = Lay(line);
    EXPECT_EQ(laid.drawnTo, laid.measuredTo) << name;
    ASSERT_TRUE(PlaceholderDrawn()) << name;
    const RecordedOp frame = Ops(RecordedOp::Rect)[0];
    EXPECT_EQ(frame.color, plat::Rgb(0, 0, 255)) << name;  // the line colour
    EXPECT_NEAR((frame.x2 - frame.x1) * kTpp, 40 * kTwipsPerMm, 1e-6) << name;
    EXPECT_NEAR(frame.x1 * kTpp, kX + kFrame, 1e-9) << name;  // after the margin
    EXPECT_NEAR(frame.y2 * kTpp, kY + kH, 1e-6) << name;
    // The cross runs from corner to corner, a quarter of H inside.
    const auto cross = OpsIn(RecordedOp::Line, kRed);
    EXPECT_NEAR(cross[0].x1 * kTpp, kX + kFrame + kH / 4, 1e-9) << name;
    EXPECT_NEAR(cross[0].y1 * kTpp, kY + kH - 30 * kTwipsPerMm + kH / 4, 1e-6) << name;
    EXPECT_NE(TextOp(u"z"), nullptr) << name;
    ExpectInside(Drawn(), BoxOf(laid.line), name);
  }
}

TEST_F(Images, AFrameAroundALoadedPictureTakesAMarginOnBothSides) {
  SavePicture(img() / "f.png", 100, 100);
  const Laid laid = Lay("#IMG('f.png'DXmm=20:DYmm=20:MARCO#IMG)");
  const Extent p = Painted();
  EXPECT_NEAR(p.left, kX + kFrame, 1e-9);
  ASSERT_EQ(Ops(RecordedOp::Rect).size(), 1u);
  EXPECT_NEAR(S.TablaCajas(2).Avance, 20 * kTwipsPerMm + kFrame, 1e-6);
  ExpectInside(Drawn(), BoxOf(laid.line), "framed");
}

TEST_F(Images, AFileDeletedBetweenRenderingsTurnsIntoThePlaceholder) {
  SavePicture(scratch() / "gone.jpg", 100, 50);
  Lay("#IMG('gone.jpg'DXmm=30:DYmm=30:#IMG)");
  EXPECT_EQ(Ops(RecordedOp::Image).size(), 1u);
  fs::remove(scratch() / "gone.jpg");
  Lay("#IMG('gone.jpg'DXmm=30:DYmm=30:#IMG)");
  EXPECT_TRUE(PlaceholderDrawn());
}

TEST_F(Images, ANameThatIsNotABareFileNameDrawsThePlaceholderAndOpensNothing) {
  // Pictures that a path could reach: beside img/, in a folder below it, and the scratch
  // folder's parent.
  SavePicture(program_ / "x.jpg", 100, 100);
  fs::create_directories(img() / "sub");
  SavePicture(img() / "sub" / "x.jpg", 100, 100);
  SavePicture(temp_ / "x.jpg", 100, 100);
  const char* names[] = {"../x.jpg", "..\\x.jpg", "sub/x.jpg", "sub\\x.jpg", "C:x.jpg",
                         "c:\\x.jpg", "/tmp/x.jpg", "..", ".", ""};
  for (const char* name : names) {
    const std::string line = std::string("#IMG('") + name + "'DXmm=20:DYmm=20:#IMG)";
    Lay(line);
    EXPECT_TRUE(PlaceholderDrawn()) << name;
    EXPECT_EQ(FindImageFile(name, V.TempPath, S.imageFolders), "") << name;
  }
  EXPECT_TRUE(IsBareFileName("x.jpg"));
  EXPECT_TRUE(IsBareFileName("stgr_temp123456.jpg"));
  EXPECT_TRUE(IsBareFileName("..x.jpg"));
  for (const char* name : {"../x.jpg", "a/b", "a\\b", "C:x", "..", ".", "...", "", "a\tb"}) {
    EXPECT_FALSE(IsBareFileName(name)) << name;
  }
}

TEST_F(Images, AConstructThatCannotBeTakenApartStillKeepsTheLine) {
  SavePicture(img() / "x.jpg", 100, 100);
  struct Case {
    const char* line;
    bool placeholder;
  };
  const Case cases[] = {
      {"#IMG(x.jpg DXmm=20:DYmm=20:#IMG)z", true},  // no apostrophes: no name
      {"#IMG('x.jpg'DXmm=20DYmm=20#IMG)z", true},   // no ":" after the sizes
      {"#IMG('x.jpg'DXmm=20:DYmm=20:z", false},     // not closed: set as text
  };
  for (const Case& c : cases) {
    const Laid laid = Lay(c.line);
    EXPECT_EQ(laid.drawnTo, laid.measuredTo) << c.line;
    EXPECT_EQ(PlaceholderDrawn(), c.placeholder) << c.line;
    EXPECT_TRUE(Ops(RecordedOp::Image).empty()) << c.line;
    ExpectInside(Drawn(), BoxOf(laid.line), c.line);
  }
  EXPECT_EQ(TextIn(kRed), "*ERROR*");
}

TEST_F(Images, ANegativeSizeIsReadAsItsMagnitudeAndTheLineKeepsItsPlace) {
  SavePicture(img() / "n.png", 200, 100);
  for (const char* name : {"n.png", "none.png"}) {
    Lay(std::string("#IMG('") + name + "'DXmm=40:DYmm=30:#IMG)z");
    const auto expected = page_.ops();
    const Laid laid = Lay(std::string("#IMG('") + name + "'DXmm=-40:DYmm=-30:#IMG)z");
    const auto ops = page_.ops();
    ASSERT_EQ(ops.size(), expected.size()) << name;
    for (std::size_t k = 0; k < ops.size(); ++k) {
      EXPECT_EQ(ops[k].kind, expected[k].kind) << name << k;
      EXPECT_DOUBLE_EQ(ops[k].x1, expected[k].x1) << name << k;
      EXPECT_DOUBLE_EQ(ops[k].y1, expected[k].y1) << name << k;
      EXPECT_DOUBLE_EQ(ops[k].x2, expected[k].x2) << name << k;
      EXPECT_DOUBLE_EQ(ops[k].y2, expected[k].y2) << name << k;
    }
    ExpectInside(Drawn(), BoxOf(laid.line), name);
  }
}

TEST(ImageRequest, NameAndOptionsAreReadFromTheUpperCasedBody) {
  const ImageRequest r = ReadImageRequest("#IMG( 'diagram.jpg' DXmm=130.5:DYmm=12abc:dist marco #IMG)");
  EXPECT_EQ(r.name, "DIAGRAM.JPG");
  EXPECT_DOUBLE_EQ(r.dxMm, 130.5);
  EXPECT_DOUBLE_EQ(r.dyMm, 12);
  EXPECT_TRUE(r.stretch);
  EXPECT_TRUE(r.frame);
  const ImageRequest plain = ReadImageRequest("#IMG('a.jpg'DXMM=1:#IMG)");
  EXPECT_FALSE(plain.stretch);
  EXPECT_FALSE(plain.frame);
  EXPECT_DOUBLE_EQ(plain.dyMm, 0);
}

}  // namespace
}  // namespace stagora::engine::test
