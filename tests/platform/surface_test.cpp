#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <cmath>

#include "platform/image_surface.h"
#include "platform/printer.h"
#include "platform/recording_surface.h"
#include "platform/textfile.h"
#include "tests/support/test_support.h"

namespace {

using plat::Rgb;

bool IsWhite(QRgb p) { return qRed(p) > 245 && qGreen(p) > 245 && qBlue(p) > 245; }

TEST(ImageSurface, OnePixelLinesSitOnTheirPixelRow) {
  plat::ImageSurface s(100, 80);
  s.cls();
  s.line(10, 25, 90, 25, Rgb(220, 220, 220));
  s.line(25, 5, 25, 70);  // fore colour: black
  const QImage& img = s.image();
  EXPECT_EQ(img.pixel(50, 25), qRgb(220, 220, 220));
  EXPECT_TRUE(IsWhite(img.pixel(50, 24)));
  EXPECT_TRUE(IsWhite(img.pixel(50, 26)));
  EXPECT_EQ(img.pixel(25, 50), qRgb(0, 0, 0));
  EXPECT_TRUE(IsWhite(img.pixel(24, 50)));
}

// A picture for a scaled screen: axis-parallel lines cover whole image pixels in their full
// colour, at a fractional ratio as well, with nothing blended beside them.
TEST(ImageSurface, LinesStaySharpAtTheScreensPixelRatio) {
  const QRgb grid = qRgb(220, 220, 220);
  for (double ratio : {1.25, 1.5, 2.0}) {
    for (int pen : {1, 2}) {
      SCOPED_TRACE(testing::Message() << "ratio " << ratio << ", pen " << pen);
      plat::ImageSurface s(100, 80, ratio);
      s.cls();
      s.setDrawWidth(pen);
      s.line(10, 25.3, 90, 25.3, Rgb(220, 220, 220));
      s.line(40.6, 5, 40.6, 70, Rgb(220, 220, 220));
      const QImage& img = s.image();
      ASSERT_EQ(img.width(), std::lround(100 * ratio));
      const auto expectSharp = [&](bool column) {
        int covered = 0;
        const int n = column ? img.width() : img.height();
        for (int i = 0; i < n; ++i) {
          const QRgb p = column ? img.pixel(i, static_cast<int>(50 * ratio)) : img.pixel(static_cast<int>(60 * ratio), i);
          if (p == grid) {
            ++covered;
          } else {
            EXPECT_EQ(p, qRgb(255, 255, 255)) << i;
          }
        }
        EXPECT_EQ(covered, std::max(1L, std::lround(pen * ratio)));
      };
      expectSharp(false);
      expectSharp(true);
    }
  }
}

TEST(ImageSurface, BoxesCirclesAndClearing) {
  plat::ImageSurface s(60, 60);
  s.line(5, 5, 20, 20, Rgb(255, 0, 0), plat::LineShape::FilledBox);
  s.setFillStyle(plat::kFillSolid);
  s.setFillColor(Rgb(0, 160, 0));
  s.circle(40, 40, 5, Rgb(0, 160, 0));
  EXPECT_DOUBLE_EQ(s.currentX(), 40);
  QImage img = s.image();
  EXPECT_EQ(img.pixel(12, 12), qRgb(255, 0, 0));
  EXPECT_EQ(img.pixel(40, 40), qRgb(0, 160, 0));
  s.cls();
  EXPECT_TRUE(IsWhite(s.image().pixel(12, 12)));
  EXPECT_EQ(s.currentX(), 0);
}

TEST(Surface, ScaleModesConvertPixelsTwipsAndMillimetres) {
  plat::ImageSurface s(442, 604);
  EXPECT_DOUBLE_EQ(s.scaleWidth(), 442);
  s.setScaleMode(plat::ScaleMode::Twips);
  EXPECT_DOUBLE_EQ(s.scaleWidth(), 442 * 15.0);
  s.setScaleMode(plat::ScaleMode::Millimetres);
  EXPECT_NEAR(s.scaleHeight(), 604 * 15.0 / 1440 * 25.4, 1e-9);
  EXPECT_DOUBLE_EQ(s.width(), 442);  // a picture's Width stays in its container's pixels
}

TEST(RecordingSurface, TextAdvancesCurrentXOnlyAndLinesEndAtTheirEndPoint) {
  plat::RecordingSurface s(800, 600);
  s.setScaleMode(plat::ScaleMode::Twips);
  s.setCurrentX(300);
  s.setCurrentY(450);
  const double w = s.textWidth("Hp");
  EXPECT_GT(w, 0);
  s.print("Hp");
  EXPECT_DOUBLE_EQ(s.currentX(), 300 + w);
  EXPECT_DOUBLE_EQ(s.currentY(), 450);
  s.line(15, 30, 150, 300);
  EXPECT_DOUBLE_EQ(s.currentX(), 150);
  EXPECT_DOUBLE_EQ(s.currentY(), 300);
  ASSERT_EQ(s.ops().size(), 2u);
  EXPECT_EQ(s.ops()[0].kind, plat::RecordedOp::Text);
  EXPECT_DOUBLE_EQ(s.ops()[0].x1, 20);  // twips -> pixels
  EXPECT_EQ(s.ops()[1].kind, plat::RecordedOp::Line);
  EXPECT_DOUBLE_EQ(s.ops()[1].x2, 10);
  EXPECT_DOUBLE_EQ(s.ops()[1].y2, 20);
}

TEST(RecordingSurface, SymbolFontLettersDrawAsGreek) {
  plat::RecordingSurface s(200, 100);
  s.setFontName("Symbol");
  s.print("abgpS");
  s.setFontName("MT Extra");
  s.print("UI");
  s.setFontName("Times New Roman");
  s.print("abgpS");
  ASSERT_EQ(s.ops().size(), 3u);
  EXPECT_EQ(s.ops()[0].text, u"\u03B1\u03B2\u03B3\u03C0\u03A3");
  EXPECT_EQ(s.ops()[1].text, u"\u222A\u2229");
  EXPECT_EQ(s.ops()[2].text, u"abgpS");
}

TEST(ImageSurface, SymbolFontLettersDrawTheGreekGlyphs) {
  // The Greek letters must come out as themselves, not as the Latin letters of their codes.
  auto render = [](const std::string& font, const std::string& text) {
    plat::ImageSurface s(120, 40);
    s.setFontName(font);
    s.setFontSize(20);
    s.setCurrentX(2);
    s.setCurrentY(2);
    s.print(text);
    return s.image().copy();
  };
  const QImage symbol = render("Symbol", "abgpS");
  EXPECT_NE(symbol, render("Times New Roman", "abgpS"));
  symbol.save(QString::fromStdString(stagora::test::ArtefactDir() + "/symbol_letters.png"));
}

// What a picture keeps of the texts it laid out (fonts, glyphs, runs) only saves work: a text
// drawn after other fonts, styles and sizes, and drawn again, gives exactly the pixels of the
// same text drawn on a fresh picture, whole runs and character by character alike.
TEST(ImageSurface, TextDrawnAgainAfterOtherFontsGivesThePixelsOfAFreshPicture) {
  struct Case {
    const char* font;
    double size;  // a page's size at zooms of 75, 100 and 200 %
    bool bold, italic;
    plat::Color colour;
  };
  const Case cases[] = {
      {"Times New Roman", 12, false, false, Rgb(0, 0, 0)},  {"Times New Roman", 12, false, true, Rgb(0, 0, 0)},
      {"Times New Roman", 9, false, true, Rgb(0, 0, 0)},    {"Times New Roman", 24, false, true, Rgb(0, 0, 128)},
      {"Arial", 12, true, false, Rgb(200, 0, 0)},           {"Symbol", 12, false, false, Rgb(0, 0, 0)},
      {"Times New Roman", 12, true, false, Rgb(0, 0, 0)},
  };
  const auto draw = [](plat::ImageSurface& s, const Case& c) {
    s.cls();
    s.setFontName(c.font);
    s.setFontSize(c.size);
    s.setFontBold(c.bold);
    s.setFontItalic(c.italic);
    s.setForeColor(c.colour);
    s.setCurrentX(7.3);
    s.setCurrentY(3.6);
    s.print("x_D = (R + 1) y - ab");
    s.setCurrentX(5.1);
    s.setCurrentY(40.2);
    s.printSpaced("Rmin=0.95 abgpS", 0.7);
    s.setCurrentX(250.4);
    s.print("q");
    return s.image().copy();
  };
  plat::ImageSurface kept(400, 90);
  for (int round = 0; round < 2; ++round) {
    for (const Case& c : cases) {
      SCOPED_TRACE(testing::Message() << c.font << " " << c.size << (c.bold ? " bold" : "") << (c.italic ? " italic" : "")
                                      << ", round " << round);
      plat::ImageSurface fresh(400, 90);
      EXPECT_TRUE(draw(kept, c) == draw(fresh, c));
    }
  }
}

// Axis-parallel lines of one and two pixels are filled as the rectangles of whole pixels they
// cover: exactly what the anti-aliased stroke of the snapped line gives, on any ground, at
// fractions of a pixel, and for lines shorter than a pixel.
TEST(ImageSurface, ThinAxisParallelLinesGiveThePixelsOfTheirStroke) {
  const QRgb ground = qRgb(240, 235, 180);
  const auto snap = [](double v, int pen) { return pen % 2 == 1 ? std::floor(v) + 0.5 : std::round(v); };
  struct Case {
    double x1, y1, x2, y2;
  };
  const Case cases[] = {
      {10.2, 20.7, 90.6, 20.7}, {90.6, 33.4, 10.2, 33.4}, {25.5, 5.2, 25.5, 70.9}, {40.49, 70.1, 40.49, 6.6},
      {12.3, 50.5, 12.9, 50.5}, {60.4, 10.2, 60.4, 10.6}, {70.7, 44.5, 71.6, 44.5}, {0, 0, 99, 0},
  };
  for (int pen : {1, 2}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(testing::Message() << "pen " << pen << " from " << c.x1 << ", " << c.y1 << " to " << c.x2 << ", " << c.y2);
      plat::ImageSurface s(100, 80);
      s.setBackColor(Rgb(qRed(ground), qGreen(ground), qBlue(ground)));
      s.cls();
      s.setDrawWidth(pen);
      s.line(c.x1, c.y1, c.x2, c.y2, Rgb(30, 90, 160));
      QImage expected(100, 80, QImage::Format_RGB32);
      expected.fill(ground);
      {
        QPainter p(&expected);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(QPen(QColor(30, 90, 160), pen, Qt::SolidLine, Qt::SquareCap, Qt::RoundJoin));
        p.drawLine(QPointF(snap(c.x1, pen), snap(c.y1, pen)), QPointF(snap(c.x2, pen), snap(c.y2, pen)));
      }
      EXPECT_TRUE(s.image() == expected);
    }
  }
}

// Boxes of one- and two-pixel pens, and filled boxes, are filled as the whole pixels they
// cover: exactly what the painter's anti-aliased stroke and fill of the snapped box give, on
// any ground, at fractions of a pixel, and for boxes of a pixel or two.
TEST(ImageSurface, ThinBoxesGiveThePixelsOfTheirStroke) {
  const QRgb ground = qRgb(240, 235, 180);
  const auto snap = [](double v, int pen) { return pen % 2 == 1 ? std::floor(v) + 0.5 : std::round(v); };
  struct Case {
    double x, y, w, h;
  };
  const Case cases[] = {
      {10.2, 20.7, 80.4, 30.6}, {5, 5, 60, 40},      {12.5, 8.49, 1, 1},    {30.6, 40.4, 1.4, 20.2},
      {20.3, 12.8, 33.3, 1.6},  {0, 0, 99, 79},      {44.5, 33.5, 2, 2},    {70.7, 60.2, 3.2, 2.7},
      {-5.5, 3.2, 50.1, 90.4},  {60.6, 2.2, 2.6, 1.2}, {3.3, 70.8, 1.1, 3.4},
  };
  for (int pen : {1, 2}) {
    for (bool filled : {false, true}) {
      for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << (filled ? "filled" : "pen " + std::to_string(pen)) << " box at " << c.x
                                        << ", " << c.y << " size " << c.w << " x " << c.h);
        plat::ImageSurface s(100, 80);
        s.setBackColor(Rgb(qRed(ground), qGreen(ground), qBlue(ground)));
        s.cls();
        s.setDrawWidth(pen);
        s.setFillColor(Rgb(200, 40, 10));
        s.line(c.x, c.y, c.x + c.w, c.y + c.h, Rgb(30, 90, 160), filled ? plat::LineShape::FilledBox : plat::LineShape::Box);
        QImage expected(100, 80, QImage::Format_RGB32);
        expected.fill(ground);
        {
          QPainter p(&expected);
          p.setRenderHint(QPainter::Antialiasing, true);
          if (filled) {
            p.fillRect(QRectF(std::round(c.x), std::round(c.y), std::round(c.x + c.w) - std::round(c.x) + 1,
                              std::round(c.y + c.h) - std::round(c.y) + 1),
                       QColor(30, 90, 160));
          } else {
            p.setPen(QPen(QColor(30, 90, 160), pen, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
            p.drawRect(QRectF(snap(c.x, pen), snap(c.y, pen), std::round(c.w), std::round(c.h)));
          }
        }
        EXPECT_TRUE(s.image() == expected);
      }
    }
  }
}

// Text and lines on the screen picture and on the PDF printer measure alike.
TEST(PrinterSurface, PdfTextMatchesTheScreenAndLandsWhereAsked) {
  const std::string pdf = plat::JoinPath(stagora::test::ScratchDir("printer"), "page.pdf");
  plat::PrinterSurface printer;
  ASSERT_TRUE(printer.setDeviceName(plat::kPdfPrinterName));
  printer.setOutputFile(pdf);
  EXPECT_NEAR(printer.paperWidthMm(), 210, 0.5);
  EXPECT_NEAR(printer.width(), 210 / 25.4 * 1440, 20);

  plat::ImageSurface screen(400, 400);
  for (plat::Surface* s : {static_cast<plat::Surface*>(&printer), static_cast<plat::Surface*>(&screen)}) {
    s->setScaleMode(plat::ScaleMode::Twips);
    s->setFontName("Times New Roman");
    s->setFontSize(12);
  }
  const double pw = printer.textWidth("Hp"), sw = screen.textWidth("Hp");
  const double ph = printer.textHeight("Hp"), sh = screen.textHeight("Hp");
  EXPECT_NEAR(pw / sw, 1.0, 0.05) << pw << " vs " << sw;
  EXPECT_NEAR(ph / sh, 1.0, 0.05) << ph << " vs " << sh;

  printer.setScaleMode(plat::ScaleMode::Millimetres);
  printer.setFontName("Arial");
  printer.setFontSize(9);
  printer.setCurrentX(30);
  printer.setCurrentY(40);
  printer.print("Stagora");
  printer.setDrawWidth(static_cast<int>(std::lround(0.4 / 25.4 * 1440 / printer.twipsPerPixelX())));
  printer.line(10, 190, 190, 190);
  ASSERT_TRUE(printer.endDoc());
  ASSERT_TRUE(plat::FileExists(pdf));

  QProcess p;
  p.start("pdftotext", {"-bbox", QString::fromStdString(pdf), "-"});
  ASSERT_TRUE(p.waitForFinished(30000));
  const QString html = QString::fromUtf8(p.readAllStandardOutput());
  QRegularExpression word(R"re(<word xMin="([0-9.]+)" yMin="([0-9.]+)" xMax="[0-9.]+" yMax="([0-9.]+)">Stagora</word>)re");
  const auto m = word.match(html);
  ASSERT_TRUE(m.hasMatch()) << html.toStdString();
  const double ptToMm = 25.4 / 72;
  EXPECT_NEAR(m.captured(1).toDouble() * ptToMm, 30.0, 0.5);
  // The text's top lies at CurrentY; the glyph box starts a little below the cell's top.
  EXPECT_NEAR(m.captured(2).toDouble() * ptToMm, 40.0, 1.5);
}

// A picture on paper keeps its colours: the PDF holds it losslessly, not re-encoded as JPEG.
TEST(PrinterSurface, PicturesOnPaperKeepTheirColours) {
  const std::string dir = stagora::test::ScratchDir("printer-picture");
  const std::string png = plat::JoinPath(dir, "squares.png");
  const QRgb colours[] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(225, 2, 0)};
  QImage squares(400, 100, QImage::Format_RGB32);
  for (int k = 0; k < 4; ++k)
    for (int y = 0; y < 100; ++y)
      for (int x = 0; x < 100; ++x) squares.setPixel(100 * k + x, y, colours[k]);
  ASSERT_TRUE(squares.save(QString::fromStdString(png)));

  const std::string pdf = plat::JoinPath(dir, "picture.pdf");
  plat::PrinterSurface printer;
  ASSERT_TRUE(printer.setDeviceName(plat::kPdfPrinterName));
  printer.setOutputFile(pdf);
  printer.setScaleMode(plat::ScaleMode::Millimetres);
  // Four inches wide at one inch from the corner: 100 pixels an inch on paper.
  printer.paintPicture(plat::Picture::Load(png), 25.4, 25.4, 4 * 25.4, 25.4);
  ASSERT_TRUE(printer.endDoc());

  QProcess list;
  list.start("pdfimages", {"-list", QString::fromStdString(pdf)});
  ASSERT_TRUE(list.waitForFinished(30000));
  const QString images = QString::fromUtf8(list.readAllStandardOutput());
  EXPECT_FALSE(images.contains("jpeg")) << images.toStdString();

  QProcess raster;
  const QString base = QString::fromStdString(plat::JoinPath(dir, "page"));
  raster.start("pdftoppm", {"-r", "100", "-png", "-singlefile", QString::fromStdString(pdf), base});
  ASSERT_TRUE(raster.waitForFinished(30000));
  const QImage page(base + ".png");
  ASSERT_FALSE(page.isNull());
  for (int k = 0; k < 4; ++k) {
    const QRgb got = page.pixel(100 + 100 * k + 50, 150);
    SCOPED_TRACE(k);
    EXPECT_NEAR(qRed(got), qRed(colours[k]), 2);
    EXPECT_NEAR(qGreen(got), qGreen(colours[k]), 2);
    EXPECT_NEAR(qBlue(got), qBlue(colours[k]), 2);
  }
}

// A picture drawn again and again at one place, as a page is redrawn, gives exactly the pixels
// of drawing it afresh each time, on the same ground or another: at fractions of a pixel,
// shrunk, enlarged, against the picture's edges, partly outside it, with transparency, and on
// a dense screen.
TEST(ImageSurface, PicturesDrawnAgainGiveThePixelsOfDrawingThemAfresh) {
  const std::string dir = stagora::test::ScratchDir("picture-again");
  QImage art(120, 90, QImage::Format_RGB32);
  for (int y = 0; y < art.height(); ++y)
    for (int x = 0; x < art.width(); ++x) art.setPixel(x, y, qRgb((x * 37) % 256, (y * 53) % 256, ((x ^ y) * 11) % 256));
  const std::string opaque = plat::JoinPath(dir, "opaque.png");
  ASSERT_TRUE(art.save(QString::fromStdString(opaque)));
  QImage see = art.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < see.height(); ++y)
    for (int x = 0; x < see.width(); x += 3) see.setPixel(x, y, qRgba(200, 30, 90, (x * 7) % 256));
  const std::string clear = plat::JoinPath(dir, "clear.png");
  ASSERT_TRUE(see.save(QString::fromStdString(clear)));

  struct Case {
    const std::string* file;
    double x, y, w, h;
  };
  const Case cases[] = {
      {&opaque, 40.3, 60.7, 188.98, 141.7},  // shrunk, at fractions of a pixel
      {&opaque, 40, 60, 120, 90},            // its own size on whole pixels
      {&opaque, 12.5, 33.25, 311.4, 200.6},  // enlarged
      {&opaque, 0, 0.4, 399.6, 299.5},       // against the picture's edges
      {&opaque, -7.2, 250.5, 100.3, 80.2},   // partly outside
      {&opaque, 100.5, 100.5, 1.2, 0.8},     // less than a pixel inside
      {&clear, 40.3, 60.7, 188.98, 141.7},   // with transparency
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << *c.file << " at " << c.x << ", " << c.y << " size " << c.w << " x " << c.h);
    const plat::Picture picture = plat::Picture::Load(*c.file);
    ASSERT_FALSE(picture.isNull());
    for (double ratio : {1.0, 2.0}) {
      SCOPED_TRACE(testing::Message() << "ratio " << ratio);
      plat::ImageSurface s(400, 300, ratio);
      // Drawn on one ground three times, on another twice, then on the first again.
      int drawing = 0;
      for (int ground : {0, 0, 0, 1, 1, 0}) {
        SCOPED_TRACE(testing::Message() << "drawing " << ++drawing);
        s.setBackColor(Rgb(250 - 60 * ground, 240, 230));
        s.cls();
        for (int k = 0; k < 30; ++k) s.line(k * 13 + ground, 0, 400 - k * 11, 300, Rgb(k * 8, 255 - k * 8, ground * 90));
        QImage expected = s.image().copy();
        {
          QPainter p(&expected);
          p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform |
                           QPainter::LosslessImageRendering);
          p.drawImage(QRectF(c.x, c.y, c.w, c.h), QImage(QString::fromStdString(*c.file)));
        }
        s.paintPicture(picture, c.x, c.y, c.w, c.h);
        EXPECT_TRUE(s.image() == expected);
      }
    }
  }
}

// Texts and lines drawn again at the very places, as a page or the diagram is redrawn, give
// exactly the pixels of drawing them afresh: on the same ground, on another ground that
// differs only here and there under them, and at the screen's pixel ratios.
TEST(ImageSurface, TextsAndLinesDrawnAgainGiveThePixelsOfDrawingThemAfresh) {
  const auto ground = [](plat::ImageSurface& s, int kind) {
    s.cls();
    s.setDrawWidth(1);
    // Another ground: a few thin strokes crossing some of what is drawn, and a box under one text.
    if (kind == 1) {
      for (int k = 0; k < 6; ++k) s.line(k * 61 + 3, 0, k * 47 + 40, 120, Rgb(200, 120 + k * 20, 60));
      s.line(150, 60, 230, 72, Rgb(230, 230, 160), plat::LineShape::FilledBox);
    }
  };
  const auto draw = [](plat::ImageSurface& s) {
    s.setForeColor(Rgb(0, 0, 0));
    s.setDrawWidth(1);
    s.setFont(plat::FontSpec{"Times New Roman", 12});
    s.setCurrentX(7.3);
    s.setCurrentY(3.6);
    s.print("x_D = (R + 1) y - ab");
    s.setCurrentX(5.1);
    s.setCurrentY(30.2);
    s.printSpaced("Rmin=0.95 abgpS", 0.7);
    s.setFont(plat::FontSpec{"Symbol", 14, false, true});
    s.setCurrentX(150.4);
    s.setCurrentY(58.1);
    s.print("abgpS\xDE");
    s.setFont(plat::FontSpec{"Arial", 9, true, false, true});
    s.setForeColor(Rgb(0, 0, 160));
    s.setCurrentX(20.6);
    s.setCurrentY(80.3);
    s.print("underlined");
    // A delimiter's arc in short slanted pieces, a slanted stroke, and a thick round-ended one.
    std::vector<plat::Segment> arc;
    for (int k = 0; k < 12; ++k) {
      const double a = 2.0 + 0.1 * k, b = a + 0.1;
      arc.push_back({260 + 30 * std::cos(a), 60 + 40 * std::sin(a), 260 + 30 * std::cos(b), 60 + 40 * std::sin(b)});
    }
    s.lines(arc, Rgb(0, 0, 0));
    s.line(280.2, 20.7, 291.9, 101.3, Rgb(0, 0, 0));
    s.setDrawWidth(3);
    s.line(300.5, 30.2, 330.1, 90.8, Rgb(160, 0, 0));
  };
  for (double ratio : {1.0, 2.0}) {
    plat::ImageSurface kept(340, 120, ratio);
    int drawing = 0;
    for (int kind : {0, 0, 0, 1, 1, 0, 1}) {
      SCOPED_TRACE(testing::Message() << "ratio " << ratio << ", drawing " << ++drawing);
      ground(kept, kind);
      draw(kept);
      plat::ImageSurface fresh(340, 120, ratio);
      ground(fresh, kind);
      draw(fresh);
      EXPECT_TRUE(kept.image() == fresh.image());
    }
  }
}

// Large italic letters reach past their cells (the hook of an f, the tail of a j): drawn again,
// over the same ground and over a changed one, whole texts and letters set one at a time give
// exactly the pixels of drawing them on a fresh picture, ink beyond the cell included.
TEST(ImageSurface, LargeItalicDrawnAgainGivesThePixelsOfDrawingItAfresh) {
  const auto ground = [](plat::ImageSurface& s, int kind) {
    s.cls();
    s.setDrawWidth(1);
    // Another ground: strokes crossing the letters and the space around them.
    if (kind == 1) {
      for (int k = 0; k < 8; ++k) s.line(k * 53 + 2, 0, k * 41 + 30, 170, Rgb(210, 110 + k * 15, 70));
    }
  };
  const auto draw = [](plat::ImageSurface& s, const char* font, double size) {
    s.setForeColor(Rgb(0, 0, 0));
    s.setFont(plat::FontSpec{font, size, false, true});
    s.setCurrentX(6.4);
    s.setCurrentY(2.3);
    s.print("fjf yfj");
    s.setCurrentX(4.7);
    s.setCurrentY(size * 1.6);
    s.printSpaced("jffj", 0.4);
  };
  for (const char* font : {"Times New Roman", "Arial"}) {
    for (double size : {18.0, 24.0, 36.0, 48.0}) {
      for (double ratio : {1.0, 2.0}) {
        plat::ImageSurface again(420, 170, ratio);
        int drawing = 0;
        for (int kind : {0, 0, 0, 1, 1, 0, 1}) {
          SCOPED_TRACE(testing::Message() << font << " " << size << " pt, ratio " << ratio << ", drawing " << ++drawing);
          ground(again, kind);
          draw(again, font, size);
          plat::ImageSurface fresh(420, 170, ratio);
          ground(fresh, kind);
          draw(fresh, font, size);
          EXPECT_TRUE(again.image() == fresh.image());
        }
      }
    }
  }
}

// Letters too large for the painter's glyph cache are filled as outlines of the font file,
// whose face is shared by every size of the font: drawn after smaller letters of that font set
// at other fractions of a pixel, they still give exactly the pixels of drawing them first.
TEST(ImageSurface, LargeLettersAreDrawnAlikeWhateverSmallerLettersOfTheirFontCameBefore) {
  struct Case {
    const char* font;
    bool italic;
  };
  const Case cases[] = {{"Arial", true}, {"Times New Roman", false}};
  constexpr double kLarge = 54;  // 72 pixels
  const auto large = [](const Case& c) {
    plat::ImageSurface s(260, 110);
    s.cls();
    s.setFont(plat::FontSpec{c.font, kLarge, false, c.italic});
    s.setCurrentX(8.3);
    s.setCurrentY(4.6);
    s.print("fjH");
    s.setCurrentX(150.7);
    s.printSpaced("fa", 0.4);
    return s.image().copy();
  };
  for (const Case& c : cases) {
    const QImage first = large(c);
    int smaller = 0;
    for (double fraction : {0.25, 0.5, 0.75}) {
      SCOPED_TRACE(testing::Message() << c.font << (c.italic ? " italic" : "") << ", after letters set at " << fraction
                                      << " of a pixel");
      // Each time at a size of its own, so that its letters are rendered anew.
      plat::ImageSurface other(200, 40);
      other.setFont(plat::FontSpec{c.font, 11.0 + ++smaller, false, c.italic});
      other.setCurrentX(3 + fraction);
      other.setCurrentY(2);
      other.print("fjHa");
      (void)other.image();
      EXPECT_TRUE(large(c) == first);
    }
  }
}

TEST(PrinterSurface, ListEndsWithThePdfPrinter) {
  const auto names = plat::PrinterNames();
  ASSERT_FALSE(names.empty());
  EXPECT_EQ(names.back(), plat::kPdfPrinterName);
  plat::PrinterSurface printer;
  EXPECT_FALSE(printer.setDeviceName("No such printer"));
  EXPECT_FALSE(printer.endDoc()) << "an empty job prints nothing";
}

}  // namespace
