#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QString>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "common/bmp2jpg.h"
#include "platform/image_surface.h"
#include "platform/textfile.h"
#include "tests/support/test_support.h"

namespace {

// Fixtures are written byte by byte here rather than by Qt, so the reader is tried on every
// depth a Windows program saves, 4 bits included.
constexpr int kWidth = 56;   // rows of every depth need padding to four bytes
constexpr int kHeight = 40;
constexpr int kBlock = 16;   // flat squares keep the JPEG's loss small

void Put16(std::string& b, int v) {
  b.push_back(static_cast<char>(v & 0xFF));
  b.push_back(static_cast<char>((v >> 8) & 0xFF));
}
void Put32(std::string& b, std::int64_t v) {
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

// Palette entry of a square; the pattern tells top from bottom and left from right.
int IndexAt(int x, int y, int colours) { return ((x / kBlock) + 3 * (y / kBlock) + 1) % colours; }

QRgb PaletteColour(int index, int colours) {
  if (colours == 2) return index ? qRgb(255, 255, 255) : qRgb(0, 0, 0);
  // multiples of 8, so the 5-bit channels of a 16-bit bitmap hold them exactly
  return qRgb((index * 40) % 256 & ~7, (index * 88 + 64) % 256 & ~7, (255 - index * 24) % 256 & ~7);
}

struct BitmapSpec {
  int bits;
  bool topDown;
};

int ColoursOf(int bits) { return bits == 1 ? 2 : bits == 4 ? 16 : 8; }

QImage Expected(int bits) {
  QImage img(kWidth, kHeight, QImage::Format_RGB32);
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) img.setPixel(x, y, PaletteColour(IndexAt(x, y, ColoursOf(bits)), ColoursOf(bits)));
  return img;
}

std::string BitmapBytes(const BitmapSpec& f) {
  const int colours = ColoursOf(f.bits);
  const int paletteEntries = f.bits <= 8 ? (1 << f.bits) : 0;
  const int rowBytes = ((kWidth * f.bits + 31) / 32) * 4;
  const int offset = 14 + 40 + paletteEntries * 4;
  std::string b = "BM";
  Put32(b, offset + rowBytes * kHeight);
  Put32(b, 0);
  Put32(b, offset);
  Put32(b, 40);
  Put32(b, kWidth);
  Put32(b, f.topDown ? -kHeight : kHeight);
  Put16(b, 1);
  Put16(b, f.bits);
  Put32(b, 0);  // uncompressed
  Put32(b, rowBytes * kHeight);
  Put32(b, 2835);
  Put32(b, 2835);
  Put32(b, paletteEntries);
  Put32(b, 0);
  for (int i = 0; i < paletteEntries; ++i) {
    const QRgb c = PaletteColour(i % colours, colours);
    b += {static_cast<char>(qBlue(c)), static_cast<char>(qGreen(c)), static_cast<char>(qRed(c)), 0};
  }
  for (int r = 0; r < kHeight; ++r) {
    const int y = f.topDown ? r : kHeight - 1 - r;
    std::string row(rowBytes, '\0');
    for (int x = 0; x < kWidth; ++x) {
      const int index = IndexAt(x, y, colours);
      const QRgb c = PaletteColour(index, colours);
      switch (f.bits) {
        case 1: row[x / 8] = static_cast<char>(row[x / 8] | (index << (7 - x % 8))); break;
        case 4: row[x / 2] = static_cast<char>(row[x / 2] | (index << (x % 2 ? 0 : 4))); break;
        case 8: row[x] = static_cast<char>(index); break;
        case 16: {
          const int v = (qRed(c) >> 3) << 10 | (qGreen(c) >> 3) << 5 | (qBlue(c) >> 3);
          row[2 * x] = static_cast<char>(v & 0xFF);
          row[2 * x + 1] = static_cast<char>(v >> 8);
          break;
        }
        default: {
          const int n = f.bits / 8;
          row[n * x] = static_cast<char>(qBlue(c));
          row[n * x + 1] = static_cast<char>(qGreen(c));
          row[n * x + 2] = static_cast<char>(qRed(c));
        }
      }
    }
    b += row;
  }
  return b;
}

// JPEG blurs colour across the edges of the squares; inside them the picture must be the
// same, and on the whole nearly so.
struct Difference {
  int insideSquares = 0;  // largest channel difference two pixels or more from an edge
  double mean = 0;        // mean channel difference over the picture
};

Difference Compare(const QImage& a, const QImage& b) {
  Difference d;
  long long total = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      const bool inside = x % kBlock >= 2 && x % kBlock < kBlock - 2 && y % kBlock >= 2 && y % kBlock < kBlock - 2 &&
                          x < kWidth - 2 && y < kHeight - 2;
      const int diffs[3] = {qRed(p) - qRed(q), qGreen(p) - qGreen(q), qBlue(p) - qBlue(q)};
      for (int c = 0; c < 3; ++c) {
        if (inside) d.insideSquares = std::max(d.insideSquares, std::abs(diffs[c]));
        total += std::abs(diffs[c]);
      }
    }
  d.mean = static_cast<double>(total) / (3.0 * a.width() * a.height());
  return d;
}

// Read by the name's bytes, so that it finds the file under any name.
QImage ReadJpeg(const std::string& path) {
  const std::string bytes = plat::ReadTextFile(path).value_or("");
  return QImage::fromData(QByteArray::fromStdString(bytes), "jpeg").convertToFormat(QImage::Format_RGB32);
}

TEST(BMP2JPG, EveryBitmapDepthBecomesAJpegOfTheSamePicture) {
  const std::string dir = stagora::test::ScratchDir("bmp2jpg-depths");
  for (const BitmapSpec f : {BitmapSpec{1, false}, BitmapSpec{4, false}, BitmapSpec{8, false}, BitmapSpec{16, false},
                          BitmapSpec{24, false}, BitmapSpec{32, false}, BitmapSpec{24, true}}) {
    SCOPED_TRACE(std::to_string(f.bits) + (f.topDown ? " bits, top-down" : " bits"));
    const std::string bmp = plat::JoinPath(dir, "d" + std::to_string(f.bits) + (f.topDown ? "t" : "") + ".bmp");
    const std::string jpg = bmp.substr(0, bmp.size() - 4) + ".jpg";
    ASSERT_TRUE(plat::WriteTextFile(bmp, BitmapBytes(f)));
    stagora::test::MessageBoxRecorder boxes;

    EXPECT_TRUE(stagora::BMP2JPG(bmp, jpg, 95));

    EXPECT_TRUE(boxes.requests().empty());
    EXPECT_TRUE(plat::FileExists(bmp)) << "the caller removes the bitmap";
    const QImage back = ReadJpeg(jpg);
    ASSERT_EQ(back.size(), QSize(kWidth, kHeight));
    const Difference d = Compare(back, Expected(f.bits));
    EXPECT_LE(d.insideSquares, 12);
    EXPECT_LE(d.mean, 5.0);
  }
}

TEST(BMP2JPG, ADiagramSavedByTheReportPictureConverts) {
  const std::string dir = stagora::test::ScratchDir("bmp2jpg-surface");
  plat::ImageSurface picture(120, 90);
  picture.setBackColor(plat::Rgb(255, 255, 255));
  picture.cls();
  picture.setDrawWidth(2);
  picture.line(10, 80, 110, 10, plat::Rgb(0, 0, 255));
  picture.line(10, 10, 110, 80, plat::Rgb(255, 0, 0));
  const std::string bmp = plat::JoinPath(dir, "stgr_temp123456.bmp");
  ASSERT_TRUE(picture.saveBmp(bmp));
  ASSERT_TRUE(stagora::BMP2JPG(bmp, plat::JoinPath(dir, "stgr_temp123456.jpg"), 95));
  const QImage back = ReadJpeg(plat::JoinPath(dir, "stgr_temp123456.jpg"));
  const QImage drawn = picture.image().convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(back.size(), drawn.size());
  long long total = 0;
  for (int y = 0; y < back.height(); ++y)
    for (int x = 0; x < back.width(); ++x)
      total += std::abs(qGray(back.pixel(x, y)) - qGray(drawn.pixel(x, y)));
  EXPECT_LT(static_cast<double>(total) / (back.width() * back.height()), 3.0);
}

// The scratch folder lies wherever TMPDIR says, under a name that need not be UTF-8.
TEST(BMP2JPG, FilesInAFolderWhoseNameIsNoUtf8AreFoundAndWritten) {
  const std::string parent = stagora::test::ScratchDir("bmp2jpg-bytes");
  const std::string dir = plat::JoinPath(parent, "caf\xE9");
  ASSERT_TRUE(plat::CreateDirectory(dir));
  const std::string bmp = plat::JoinPath(dir, "stgr_temp1.bmp");
  const std::string jpg = plat::JoinPath(dir, "stgr_temp1.jpg");
  ASSERT_TRUE(plat::WriteTextFile(bmp, BitmapBytes({8, false})));
  stagora::test::MessageBoxRecorder boxes;

  EXPECT_TRUE(stagora::BMP2JPG(bmp, jpg, 95));

  EXPECT_TRUE(boxes.requests().empty());
  const QImage back = ReadJpeg(jpg);
  ASSERT_EQ(back.size(), QSize(kWidth, kHeight));
  EXPECT_LE(Compare(back, Expected(8)).insideSquares, 12);
  // Nothing went to a folder of another name.
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(parent)) names.push_back(entry.path().filename());
  EXPECT_EQ(names, std::vector<std::string>{"caf\xE9"});
}

TEST(BMP2JPG, QualityIsPassedOnToTheEncoder) {
  const std::string dir = stagora::test::ScratchDir("bmp2jpg-quality");
  const std::string bmp = plat::JoinPath(dir, "q.bmp");
  ASSERT_TRUE(plat::WriteTextFile(bmp, BitmapBytes({24, false})));
  const std::string fine = plat::JoinPath(dir, "fine.jpg"), coarse = plat::JoinPath(dir, "coarse.jpg");
  ASSERT_TRUE(stagora::BMP2JPG(bmp, fine, 95));
  ASSERT_TRUE(stagora::BMP2JPG(bmp, coarse, 5));
  const auto fineBytes = plat::ReadTextFile(fine), coarseBytes = plat::ReadTextFile(coarse);
  ASSERT_TRUE(fineBytes && coarseBytes);
  EXPECT_GT(fineBytes->size(), coarseBytes->size());
  EXPECT_LT(Compare(ReadJpeg(fine), Expected(24)).mean, Compare(ReadJpeg(coarse), Expected(24)).mean);
}

TEST(BMP2JPG, UnusableBitmapsAreReportedAndWriteNothing) {
  const std::string dir = stagora::test::ScratchDir("bmp2jpg-errors");
  std::string truncated = BitmapBytes({24, false});
  truncated.resize(truncated.size() / 2);
  std::string huge = BitmapBytes({24, false}).substr(0, 54);
  huge.replace(18, 8, std::string("\x40\x9C\x00\x00\x40\x9C\x00\x00", 8));  // 40000 x 40000
  struct Case {
    const char* name;
    std::optional<std::string> bytes;  // nullopt: no file at all
    const char* message;
  };
  const std::vector<Case> cases = {
      {"missing", std::nullopt, "Cannot find file"},
      {"not a bitmap", std::string("just some text, no bitmap header here at all...........\r\n"),
       "Cannot find file"},
      {"huge", huge, "Not enough memory"},
      {"zero width", BitmapBytes({24, false}).replace(18, 4, std::string(4, '\0')), "Not enough memory"},
      {"truncated", truncated, "Cannot load file"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string bmp = plat::JoinPath(dir, std::string(c.name) + ".bmp");
    const std::string jpg = plat::JoinPath(dir, std::string(c.name) + ".jpg");
    if (c.bytes) {
      ASSERT_TRUE(plat::WriteTextFile(bmp, *c.bytes));
    }
    stagora::test::MessageBoxRecorder boxes;

    EXPECT_FALSE(stagora::BMP2JPG(bmp, jpg, 95));

    ASSERT_EQ(boxes.requests().size(), 1u);
    EXPECT_EQ(boxes.requests()[0].text, c.message);
    EXPECT_EQ(boxes.requests()[0].title, "Error encountered!");
    EXPECT_EQ(boxes.requests()[0].style, plat::kOkOnly);
    EXPECT_FALSE(plat::FileExists(jpg));
  }
}

TEST(BMP2JPG, AFailedJpegWriteIsSilentButToldToTheCaller) {
  const std::string dir = stagora::test::ScratchDir("bmp2jpg-unwritable");
  const std::string bmp = plat::JoinPath(dir, "ok.bmp");
  ASSERT_TRUE(plat::WriteTextFile(bmp, BitmapBytes({24, false})));
  stagora::test::MessageBoxRecorder boxes;
  EXPECT_FALSE(stagora::BMP2JPG(bmp, plat::JoinPath(dir, "no/such/folder/out.jpg"), 95));
  EXPECT_TRUE(boxes.requests().empty());
  EXPECT_TRUE(plat::FileExists(bmp));
}

}  // namespace
