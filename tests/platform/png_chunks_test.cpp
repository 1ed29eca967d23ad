#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <string>

#include "platform/paths.h"
#include "platform/png_chunks.h"
#include "platform/surface.h"
#include "platform/textfile.h"
#include "tests/support/test_support.h"

namespace {

std::string SmallPng() {
  QImage image(3, 2, QImage::Format_RGB32);
  image.fill(Qt::red);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return bytes.toStdString();
}

// A text chunk put in right after the header chunk, declaring `length` bytes and holding `held`.
std::string WithTextChunk(std::string png, std::uint32_t length, std::size_t held) {
  std::string chunk;
  for (int shift = 24; shift >= 0; shift -= 8) chunk += static_cast<char>((length >> shift) & 0xFF);
  chunk += "tEXt";
  chunk += std::string(held, 'a');
  chunk += "CRC!";
  const std::size_t afterHeader = 8 + 4 + 4 + 13 + 4;
  return png.insert(afterHeader, chunk);
}

TEST(PngChunks, AChunkLongerThanTheFileIsRefusedBeforeDecoding) {
  const std::string png = SmallPng();
  struct Case {
    const char* what;
    std::string bytes;
    bool fits;
  };
  const Case cases[] = {
      {"a whole picture", png, true},
      {"a chunk that fits", WithTextChunk(png, 5, 5), true},
      {"a chunk claiming a gigabyte", WithTextChunk(png, 0x3F000000, 5), false},
      {"a chunk claiming the most a length holds", WithTextChunk(png, 0xFFFFFFFF, 0), false},
      {"a picture cut inside its last data chunk", png.substr(0, png.size() - 12 - 4 - 5), false},
      {"bytes after the end chunk", png + std::string("\xff\xff\xff\xffjunk", 8), true},
      {"no picture at all", "not a picture", true},
      {"the signature alone", png.substr(0, 8), true},
  };
  for (const Case& c : cases) EXPECT_EQ(plat::PngChunksFit(c.bytes), c.fits) << c.what;
}

TEST(PngChunks, PictureLoadShowsThePlaceholderForSuchAFile) {
  const std::string dir = stagora::test::ScratchDir("png_chunks");
  const std::string good = plat::JoinPath(dir, "good.png");
  const std::string claiming = plat::JoinPath(dir, "claiming.png");
  ASSERT_TRUE(plat::WriteTextFile(good, SmallPng()));
  ASSERT_TRUE(plat::WriteTextFile(claiming, WithTextChunk(SmallPng(), 0x3F000000, 5)));
  const plat::Picture loaded = plat::Picture::Load(good);
  EXPECT_FALSE(loaded.isNull());
  EXPECT_EQ(loaded.widthPx(), 3);
  EXPECT_TRUE(plat::Picture::Load(claiming).isNull());
}

}  // namespace
