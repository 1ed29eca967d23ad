// Pictures decoded once per file: the same decoded picture while the file stays as it was, a
// fresh decode when it changes, and nothing kept of a file that is gone or cannot be read.
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

// Saves a picture of the given size, dated `age` before now: a rewrite within the file
// system's time resolution still shows as a change.
void SavePicture(const fs::path& path, int width, int height, std::chrono::seconds age) {
  QImage img(width, height, QImage::Format_RGB32);
  img.fill(QColor(30, 90, 160));
  ASSERT_TRUE(img.save(QString::fromStdString(path.string())));
  fs::last_write_time(path, fs::file_time_type::clock::now() - age);
}

class PictureCacheTest : public FormulaTest {
 protected:
  void SetUp() override {
    FormulaTest::SetUp();
    temp_ = stagora::test::ScratchDir("picture-cache-temp");
    fs::create_directories(temp_ / "nrtemp");
    plat::SetProgramFolder(stagora::test::ScratchDir("picture-cache-program"));
    V.TempPath = temp_.string();
  }
  void TearDown() override {
    plat::SetProgramFolder(stagora::test::ProgramDir());
    FormulaTest::TearDown();
  }
  fs::path picture() const { return temp_ / "nrtemp" / "plot.png"; }

  fs::path temp_;
};

TEST_F(PictureCacheTest, AFileIsDecodedOnceUntilItChanges) {
  PictureCache cache;
  SavePicture(picture(), 100, 50, std::chrono::seconds(60));
  const plat::Picture first = cache.Load(picture().string());
  const plat::Picture again = cache.Load(picture().string());
  ASSERT_FALSE(first.isNull());
  EXPECT_EQ(again.impl(), first.impl());  // not decoded again
  EXPECT_EQ(cache.size(), 1u);

  SavePicture(picture(), 50, 100, std::chrono::seconds(30));
  const plat::Picture changed = cache.Load(picture().string());
  EXPECT_NE(changed.impl(), first.impl());
  EXPECT_EQ(changed.widthPx(), 50);
  EXPECT_EQ(cache.size(), 1u);

  // Garbage where the picture was, then nothing: neither is kept.
  { std::ofstream(picture(), std::ios::binary) << "not a picture"; }
  EXPECT_TRUE(cache.Load(picture().string()).isNull());
  EXPECT_EQ(cache.size(), 0u);
  fs::remove(picture());
  EXPECT_TRUE(cache.Load(picture().string()).isNull());
  EXPECT_EQ(cache.size(), 0u);

  SavePicture(picture(), 100, 50, std::chrono::seconds(10));
  cache.Load(picture().string());
  cache.Clear();
  EXPECT_EQ(cache.size(), 0u);
}

TEST_F(PictureCacheTest, APageDrawnAgainShowsThePictureAsItsFileNowIs) {
  PictureCache cache;
  V.Pictures = &cache;
  const std::string line = "#IMG('plot.png'DXmm=30:DYmm=30:#IMG)";
  const auto paintedAspect = [this] {
    const auto images = Ops(RecordedOp::Image);
    EXPECT_EQ(images.size(), 1u);
    return images.empty() ? 0.0 : (images[0].x2 - images[0].x1) / (images[0].y2 - images[0].y1);
  };

  SavePicture(picture(), 100, 50, std::chrono::seconds(60));
  Lay(line);
  EXPECT_NEAR(paintedAspect(), 2.0, 0.05);
  Lay(line);
  EXPECT_NEAR(paintedAspect(), 2.0, 0.05);
  EXPECT_EQ(cache.size(), 1u);

  SavePicture(picture(), 50, 100, std::chrono::seconds(30));
  Lay(line);
  EXPECT_NEAR(paintedAspect(), 0.5, 0.05);
  V.Pictures = nullptr;
}

}  // namespace
}  // namespace stagora::engine::test
