// Calcular drawing the default design on the main window's picture, the hidden report
// picture and the PDF printer, probed in the finished pixels and on the printed page.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>
#include <cmath>
#include <string>
#include <vector>

#include "designer/calculation/design_calculation.h"
#include "designer/diagram/diagram.h"
#include "designer/diagram/plot_frame.h"
#include "designer/print/print_request.h"
#include "designer/window/controls.h"
#include "platform/printer.h"
#include "tests/designer/main_window_fixture.h"
#include "tests/diagram/diagram_colours.h"

namespace stagora::test {
namespace {

using plat::Color;
using plat::Rgb;

constexpr int kScreenWidth = 442;
constexpr int kScreenHeight = 604;
constexpr Color kWhite = Rgb(255, 255, 255);
constexpr Color kFrame = Rgb(0, 0, 0);
using namespace diagram_colours;
constexpr Color kDiagonal = kGreyCurve;
constexpr Color kStairs = kScreenStairs;
constexpr Color kBottomsMark = Rgb(96, 96, 240);
constexpr Color kFeedMark = Rgb(255, 128, 0);
constexpr Color kDistillateMark = Rgb(192, 0, 0);

Color PixelAt(const QImage& img, int x, int y) {
  const QRgb p = img.pixel(x, y);
  return Rgb(qRed(p), qGreen(p), qBlue(p));
}

bool Near(Color a, Color b, int tolerance) {
  return std::abs(plat::RedOf(a) - plat::RedOf(b)) <= tolerance &&
         std::abs(plat::GreenOf(a) - plat::GreenOf(b)) <= tolerance &&
         std::abs(plat::BlueOf(a) - plat::BlueOf(b)) <= tolerance;
}

// Pixels of the colour (within the tolerance) in the square of the given half side.
int CountAround(const QImage& img, double X, double Y, int half, Color c, int tolerance = 0) {
  int n = 0;
  const int cx = static_cast<int>(std::floor(X)), cy = static_cast<int>(std::floor(Y));
  for (int y = cy - half; y <= cy + half; ++y)
    for (int x = cx - half; x <= cx + half; ++x)
      if (img.valid(x, y) && Near(PixelAt(img, x, y), c, tolerance)) ++n;
  return n;
}

int CountInImage(const QImage& img, Color c) { return CountAround(img, img.width() / 2.0, img.height() / 2.0, std::max(img.width(), img.height()), c); }

std::string Artefact(const std::string& name) { return ArtefactDir() + "/" + name; }

class DiagramWindowTest : public MainWindowTest {
 protected:
  designer::FormMain& LoadSized() {
    designer::FormMain& f = Load();
    f.Picture1->resize(kScreenWidth, kScreenHeight);
    return f;
  }

  static void SetField(designer::FormMain& f, int n, const char* text) { f.Text[static_cast<std::size_t>(n)]->setText(text); }

  // Frame at the margin, the grid in its colour, the diagonal.
  static void ExpectBackground(const QImage& img) {
    const PlotFrame f = PlotFrame::Screen(img.width(), img.height());
    const int left = 25, top = 25, right = img.width() - 25, bottom = img.height() - 25;
    const int midRow = static_cast<int>(f.Y(0.55)), midColumn = static_cast<int>(f.X(0.55));
    EXPECT_EQ(PixelAt(img, left, midRow), kFrame);
    EXPECT_EQ(PixelAt(img, right, midRow), kFrame);
    EXPECT_EQ(PixelAt(img, midColumn, top), kFrame);
    EXPECT_EQ(PixelAt(img, midColumn, bottom), kFrame);
    EXPECT_EQ(PixelAt(img, left - 2, midRow), kWhite);
    EXPECT_EQ(PixelAt(img, right + 2, midRow), kWhite);
    // The ninth vertical and horizontal grid lines, away from everything else.
    EXPECT_EQ(PixelAt(img, static_cast<int>(f.M + 9 * f.W / 10.01), static_cast<int>(f.Y(0.55))), kGrid);
    EXPECT_EQ(PixelAt(img, static_cast<int>(f.X(0.95)), static_cast<int>(f.B - 1 * f.H / 10.01)), kGrid);
    EXPECT_GT(CountAround(img, f.X(0.3), f.Y(0.3), 1, kDiagonal), 0);
  }
};

TEST_F(DiagramWindowTest, DefaultDesignOnTheScreenAndReportPictures) {
  designer::FormMain& f = LoadSized();
  const DesignResult r = CalculateDesign(DesignData{2, 0.5, 0.46, 0.85, 0.17, 3, 1}, false, nullptr);
  ASSERT_TRUE(r.ok());

  struct Picture {
    designer::PictureBox* box;
    const char* file;
    int width, height;
  };
  for (const Picture& p : {Picture{f.Picture1, "diagram_screen.png", kScreenWidth, kScreenHeight},
                           Picture{f.Picture4, "diagram_report.png", 700, 700}}) {
    SCOPED_TRACE(p.file);
    f.Calcular(*p.box, false);
    EXPECT_TRUE(f.LblERROR->text().isEmpty());
    const QImage img = p.box->surface().image();
    ASSERT_EQ(img.width(), p.width);
    ASSERT_EQ(img.height(), p.height);
    ASSERT_TRUE(img.save(QString::fromStdString(Artefact(p.file))));
    ExpectBackground(img);

    // The first step of the staircase: across from (xD, xD) to the curve.
    const PlotFrame frame = PlotFrame::Screen(p.width, p.height);
    const double midX = (r.staircase.PuntoX[1] + r.staircase.PuntoX[2]) / 2;
    EXPECT_GT(CountAround(img, frame.X(midX), frame.Y(r.staircase.PuntoY[1]), 2, kStairs), 0);
    EXPECT_GT(CountInImage(img, kStairs), 100);
    EXPECT_GT(CountInImage(img, kEnriching), 50);
  }
  // The marks are drawn only on the report picture; the screen has its labels instead.
  const QImage report = f.Picture4->surface().image();
  const PlotFrame rf = PlotFrame::Screen(700, 700);
  EXPECT_GT(CountAround(report, rf.X(0.46), rf.Y(0.46), 5, kFeedMark), 20);
  EXPECT_EQ(CountInImage(f.Picture1->surface().image(), kFeedMark), 0);
  EXPECT_EQ(f.Text[field::kRealPlates]->text(), "7.55");
}

TEST_F(DiagramWindowTest, PointLabelsAreCentredOnTheirPointsAfterAScreenRun) {
  designer::FormMain& f = LoadSized();
  f.Calcular(*f.Picture1, false);
  const DesignResult r = CalculateDesign(DesignData{2, 0.5, 0.46, 0.85, 0.17, 3, 1}, false, nullptr);
  const PlotFrame frame = PlotFrame::Screen(kScreenWidth, kScreenHeight);
  const double points[4][2] = {{0.17, 0.17}, {r.lines.xq, r.lines.yq}, {0.85, 0.85}, {0.46, 0.46}};
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    const QLabel* label = f.Label2[static_cast<std::size_t>(i)];
    EXPECT_TRUE(label->isVisibleTo(f.Picture1));
    EXPECT_NEAR(label->x() + label->width() / 2.0, frame.X(points[i][0]), 0.5);
    EXPECT_NEAR(label->y() + label->height() / 2.0, frame.Y(points[i][1]), 0.5);
  }
}

TEST_F(DiagramWindowTest, ARejectedDesignKeepsBackgroundAndMarksButDrawsNoLines) {
  struct Case {
    const char* key;
    int field;
    const char* text;
    bool curve;
  };
  const Case cases[] = {{"Xbott_gt_Xfeed", 5, "0.5", false}, {"RefluxRatio_belowMin", 6, "1", true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key);
    designer::FormMain& f = LoadSized();
    SetField(f, c.field, c.text);
    f.Calcular(*f.Picture4, false);
    EXPECT_EQ(f.LblERROR->text(), designer::QText(f.GetL_win(c.key)));
    EXPECT_TRUE(f.Text[field::kFeedPlate]->text().isEmpty());
    EXPECT_TRUE(f.Text[field::kRealPlates]->text().isEmpty());
    const QImage img = f.Picture4->surface().image();
    ASSERT_TRUE(img.save(QString::fromStdString(Artefact(std::string("diagram_rejected_") + c.key + ".png"))));
    ExpectBackground(img);

    const PlotFrame frame = PlotFrame::Screen(700, 700);
    const double xB = c.field == 5 ? 0.5 : 0.17;
    EXPECT_GT(CountAround(img, frame.X(xB), frame.Y(xB), 5, kBottomsMark), 20);
    EXPECT_GT(CountAround(img, frame.X(0.46), frame.Y(0.46), 5, kFeedMark), 20);
    EXPECT_GT(CountAround(img, frame.X(0.85), frame.Y(0.85), 5, kDistillateMark), 20);
    // The curve of alpha = 2 at x = 0.3.
    EXPECT_EQ(CountAround(img, frame.X(0.3), frame.Y(0.6 / 1.3), 2, kDiagonal, 40) > 0, c.curve);
    EXPECT_EQ(CountInImage(img, kStairs), 0);
    EXPECT_EQ(CountInImage(img, kEnriching), 0);
    EXPECT_EQ(CountInImage(img, kQLine), 0);
    EXPECT_EQ(CountInImage(img, kBottomsMark), CountAround(img, frame.X(xB), frame.Y(xB), 6, kBottomsMark));

    // On the screen picture the labels move to the points as read.
    f.Calcular(*f.Picture1, false);
    const PlotFrame sf = PlotFrame::Screen(kScreenWidth, kScreenHeight);
    const QLabel* bottoms = f.Label2[0];
    EXPECT_NEAR(bottoms->x() + bottoms->width() / 2.0, sf.X(xB), 0.5);
    EXPECT_NEAR(bottoms->y() + bottoms->height() / 2.0, sf.Y(xB), 0.5);
  }
}

// One word of `pdftotext -bbox`, in millimetres.
struct Word {
  std::string text;
  double xMin, yMin, xMax, yMax;
};

std::vector<Word> PdfWords(const std::string& pdf) {
  const QString html = QString::fromStdString(pdf + ".html");
  EXPECT_EQ(QProcess::execute("pdftotext", {"-bbox", QString::fromStdString(pdf), html}), 0);
  QFile file(html);
  EXPECT_TRUE(file.open(QIODevice::ReadOnly));
  const QString text = QString::fromUtf8(file.readAll());
  static const QRegularExpression word(
      R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
  constexpr double kMmPerPoint = 25.4 / 72;
  std::vector<Word> words;
  for (auto it = word.globalMatch(text); it.hasNext();) {
    const auto m = it.next();
    words.push_back({m.captured(5).toStdString(), m.captured(1).toDouble() * kMmPerPoint,
                     m.captured(2).toDouble() * kMmPerPoint, m.captured(3).toDouble() * kMmPerPoint,
                     m.captured(4).toDouble() * kMmPerPoint});
  }
  return words;
}

QImage RenderPdf(const std::string& pdf) {
  const QString prefix = QString::fromStdString(pdf + "-page");
  EXPECT_EQ(QProcess::execute("pdftoppm", {"-r", "60", "-png", "-singlefile", QString::fromStdString(pdf), prefix}), 0);
  return QImage(prefix + ".png");
}

class DiagramPrinterTest : public DiagramWindowTest {
 protected:
  std::string Print(designer::FormMain& f, const std::string& name, bool bn) {
    plat::PrinterSurface& printer = designer::Printer();
    EXPECT_TRUE(printer.setDeviceName(plat::kPdfPrinterName));
    const std::string pdf = Artefact(name);
    QFile::remove(QString::fromStdString(pdf));
    printer.setOutputFile(pdf);
    printer.setScaleMode(plat::ScaleMode::Millimetres);
    f.Calcular(*f.Picture1, true, bn);
    EXPECT_TRUE(printer.endDoc());
    return pdf;
  }
};

TEST_F(DiagramPrinterTest, PrintsA180MillimetrePlotAtTenMillimetres) {
  designer::FormMain& f = LoadSized();
  const std::vector<Word> words = PdfWords(Print(f, "diagram_print.pdf", false));
  // The plot as the paper must show it, written out rather than taken from the code.
  struct {
    double M = 10, B = 190, W = 180;
  } paper;
  const double step = paper.W / 10.01;
  int xLabels = 0, yLabels = 0;
  for (const Word& w : words) {
    // x-axis labels hang 1 mm below the axis, centred on their grid lines.
    if (std::abs(w.yMin - (paper.B + 1)) < 0.8) {
      const double k = (((w.xMin + w.xMax) / 2) - paper.M) / step;
      ASSERT_NEAR(k, std::round(k), 0.02) << w.text;
      EXPECT_EQ(w.text, TickLabel(static_cast<int>(std::round(k)), "."));
      ++xLabels;
    }
    // y-axis labels end 1.5 mm left of the plot.
    if (std::abs(w.xMax - (paper.M - 1.5)) < 0.3) {
      const double k = (paper.B - 2 - w.yMin) / step;
      EXPECT_NEAR(k, std::round(k), 0.05) << w.text;
      EXPECT_EQ(w.text, TickLabel(static_cast<int>(std::round(k)), "."));
      ++yLabels;
    }
  }
  EXPECT_EQ(xLabels, 11);
  EXPECT_EQ(yLabels, 11);
  const QImage page = RenderPdf(Artefact("diagram_print.pdf"));
  ASSERT_FALSE(page.isNull());
  int coloured = 0;
  for (int y = 0; y < page.height(); ++y)
    for (int x = 0; x < page.width(); ++x) {
      const QRgb p = page.pixel(x, y);
      if (std::abs(qRed(p) - qGreen(p)) > 24 || std::abs(qGreen(p) - qBlue(p)) > 24) ++coloured;
    }
  EXPECT_GT(coloured, 50);
}

TEST_F(DiagramPrinterTest, BlackAndWhitePrintoutHasNoColouredPixel) {
  designer::FormMain& f = LoadSized();
  const QImage page = RenderPdf(Print(f, "diagram_print_bn.pdf", true));
  ASSERT_FALSE(page.isNull());
  int dark = 0;
  for (int y = 0; y < page.height(); ++y)
    for (int x = 0; x < page.width(); ++x) {
      const QRgb p = page.pixel(x, y);
      ASSERT_TRUE(qRed(p) == qGreen(p) && qGreen(p) == qBlue(p)) << x << "," << y;
      if (qRed(p) < 128) ++dark;
    }
  EXPECT_GT(dark, 500);
}

TEST_F(DiagramPrinterTest, PrinterRunLeavesTheScreenPointLabelsWhereTheyAre) {
  designer::FormMain& f = LoadSized();
  f.Calcular(*f.Picture1, false);
  std::vector<QRect> before;
  for (const QLabel* label : f.Label2) before.push_back(label->geometry());
  Print(f, "diagram_print_labels.pdf", false);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(f.Label2[static_cast<std::size_t>(i)]->geometry(), before[static_cast<std::size_t>(i)]) << i;
  EXPECT_EQ(f.Text[field::kRealPlates]->text(), "7.55");
}

}  // namespace
}  // namespace stagora::test
