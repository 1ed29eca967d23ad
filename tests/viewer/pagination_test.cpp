// Pages of a view: blocks placed on pages by trial rendering (against a model page whose
// blocks have known heights, and against the engine on the page picture), a page drawn with
// its label and number, and a page printed at 100 % through the PDF-file printer.
#include <QFile>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <algorithm>
#include <map>

#include "platform/printer.h"
#include "tests/viewer/main_window_fixture.h"
#include "viewer/app/controls.h"
#include "viewer/document/pagination.h"

namespace stagora::viewer::test {
namespace {

// A page that holds `capacity` lines; block n (its text "line n") is heights[n - 1] lines
// high, and the trial's blank foot line is one more. It answers as the engine does: the last
// mark when everything fits, minus the mark of the block whose line first passes the foot.
struct ModelPage {
  std::vector<int> heights;
  int capacity = 0;
  std::vector<std::string> trials;

  long operator()(const std::string& text) {
    trials.push_back(text);
    int used = 0;
    long last = 0;
    for (std::size_t at = text.find("#MARK="); at != std::string::npos; at = text.find("#MARK=", at + 1)) {
      last = std::stol(text.substr(at + 6, 3));
      used += heights[std::stoul(text.substr(at + 14, 6)) - 1];  // after "#MARK=nnnline "
      if (used > capacity) return -last;
    }
    return used + 1 > capacity ? -last : last;
  }
};

std::vector<PageBlock> BlocksOf(std::size_t count) {
  std::vector<PageBlock> blocks(count);
  for (std::size_t i = 0; i < count; ++i) blocks[i].Text = SectionMark(i + 1) + "line " + std::to_string(i + 1) + "&LF";
  return blocks;
}

std::vector<long> PagesOf(const std::vector<PageBlock>& blocks) {
  std::vector<long> pages;
  for (const PageBlock& b : blocks) pages.push_back(b.Page);
  return pages;
}

TEST(Pagination, BlocksGoWholeOnTheFirstPageWithRoomAndATallBlockStandsAlone) {
  const struct {
    const char* what;
    std::vector<int> heights;
    int capacity;
    std::vector<long> pages;
    long pageCount;
    std::vector<long> progress;  // pages reported finished while it ran
  } cases[] = {
      {"all on one page, one trial", {3, 3, 3}, 20, {1, 1, 1}, 1, {}},
      {"three pages", {5, 5, 5, 5, 5}, 11, {1, 1, 2, 2, 3}, 3, {1, 2}},
      {"a block ending on the foot moves on", {5, 6}, 11, {1, 2}, 2, {1}},
      {"every page keeps its foot line free", {5, 5, 5}, 10, {1, 2, 3}, 3, {1, 2}},
      {"tall block in the middle", {3, 30, 3, 3}, 10, {1, 2, 3, 3}, 3, {1, 2}},
      {"tall first block", {30, 2, 2}, 10, {1, 2, 2}, 2, {1}},
      {"tall last block", {2, 30}, 10, {1, 2}, 2, {1, 2}},
      {"every block tall", {30, 30, 30}, 10, {1, 2, 3}, 3, {1, 2, 3}},
      {"empty view", {}, 10, {}, 1, {}},
  };
  for (const auto& c : cases) {
    std::vector<PageBlock> blocks = BlocksOf(c.heights.size());
    ModelPage page{c.heights, c.capacity, {}};
    std::vector<long> progress;
    const long count = PlaceBlocksOnPages(blocks, std::ref(page), [&](long p) { progress.push_back(p); });
    EXPECT_EQ(PagesOf(blocks), c.pages) << c.what;
    EXPECT_EQ(count, c.pageCount) << c.what;
    EXPECT_EQ(progress, c.progress) << c.what;
  }
}

TEST(Pagination, EachTrialStartsWithTheFirstUnplacedBlockAndKeepsTheFootLineFree) {
  std::vector<PageBlock> blocks = BlocksOf(4);
  ModelPage page{{5, 5, 5, 5}, 11, {}};
  PlaceBlocksOnPages(blocks, std::ref(page));
  const auto joined = [](const std::vector<PageBlock>& b, std::size_t from, std::size_t to) {
    std::string text;
    for (std::size_t i = from; i <= to; ++i) text += b[i - 1].Text;
    return text + " &LF";
  };
  // The rest, then what fitted of it with the foot line, then the rest again.
  EXPECT_EQ(page.trials, (std::vector<std::string>{joined(blocks, 1, 4), joined(blocks, 1, 2), joined(blocks, 3, 4)}));
  // The page's own text has no foot line.
  EXPECT_EQ(PageText(blocks, 2), blocks[2].Text + blocks[3].Text);
  EXPECT_EQ(PageText(blocks, 3), "");
}

TEST(Pagination, AViewOf999BlocksTallerThanAPageEachGetsEveryBlockOnItsOwnPage) {
  std::vector<PageBlock> blocks = BlocksOf(999);
  ModelPage page{std::vector<int>(999, 50), 10, {}};
  const long count = PlaceBlocksOnPages(blocks, std::ref(page));
  EXPECT_EQ(count, 999);
  for (std::size_t i = 0; i < blocks.size(); ++i) ASSERT_EQ(blocks[i].Page, static_cast<long>(i + 1));
  EXPECT_EQ(page.trials.size(), 999u);
}

TEST(Pagination, AViewOfThousandsOfBlocksIsPagedToItsLastBlockWhereverItsMarksBeginAgain) {
  // Pages of a varying number of blocks, so that the returns to mark 001 fall anywhere on them.
  const std::size_t n = 6000;
  std::vector<int> heights(n);
  for (std::size_t i = 0; i < n; ++i) heights[i] = 1 + static_cast<int>(i * 7 % 5);
  std::vector<PageBlock> blocks = BlocksOf(n);
  ModelPage page{heights, 12, {}};
  const long count = PlaceBlocksOnPages(blocks, std::ref(page));

  // The same pages as a plain walk down the blocks gives: a block goes on while it and the
  // foot line fit.
  std::vector<long> expected;
  long p = 1;
  int used = 0;
  for (const int h : heights) {
    if (used + h + 1 > 12) {
      ++p;
      used = 0;
    }
    used += h;
    expected.push_back(p);
  }
  EXPECT_EQ(PagesOf(blocks), expected);
  EXPECT_EQ(count, expected.back());
  EXPECT_GT(count, 999);
  // No trial is handed more than one round of marks.
  for (const std::string& t : page.trials) {
    long marks = 0;
    for (std::size_t at = t.find("#MARK="); at != std::string::npos; at = t.find("#MARK=", at + 1)) ++marks;
    ASSERT_LE(marks, 999);
  }
}

// A trial is handed about a page's worth of the rest, not all of it, and the pages come out
// as they do when every trial is handed the whole rest (blocks short enough to fit in one
// trial's share), whichever block the page breaks in.
TEST(Pagination, ATrialIsHandedAboutAPageOfTheRestAndPlacesAsWithAllOfIt) {
  std::vector<int> heights;
  for (int k = 0; k < 120; ++k) heights.push_back(1 + (k * 7) % 9);
  heights[40] = 40;  // one taller than a page
  for (int capacity : {5, 12, 30}) {
    std::vector<PageBlock> whole = BlocksOf(heights.size());
    ModelPage wholePage{heights, capacity, {}};
    const long wholeCount = PlaceBlocksOnPages(whole, std::ref(wholePage));

    std::vector<PageBlock> padded = BlocksOf(heights.size());
    std::size_t total = 0;
    for (PageBlock& b : padded) {
      b.Text = b.Text.substr(0, b.Text.size() - 3) + std::string(3000, 'x') + "&LF";  // mark, "line n", padding
      total += b.Text.size();
    }
    ModelPage paddedPage{heights, capacity, {}};
    EXPECT_EQ(PlaceBlocksOnPages(padded, std::ref(paddedPage)), wholeCount) << capacity;
    EXPECT_EQ(PagesOf(padded), PagesOf(whole)) << capacity;
    std::size_t longest = 0;
    for (const std::string& t : paddedPage.trials) longest = std::max(longest, t.size());
    EXPECT_LT(longest, total / 4) << capacity;
  }
}

// --- On the page picture, through the engine ---------------------------------------------

class PagesTest : public ViewerWindowTest {
 protected:
  // A designer document whose resolution has `steps` lines and whose statement has
  // `statementLines` lines.
  std::string LongDocument(int statementLines, int steps) {
    std::string statement, resolution;
    for (int k = 1; k <= statementLines; ++k) statement += "Statement line " + std::to_string(k) + "&LF";
    for (int k = 1; k <= steps; ++k) resolution += "Step " + std::to_string(k) + " of the resolution&LF";
    return "#DEC(.#DEC)#ENU(" + statement + "#ENU)#SOL(The answer&LF#SOL)#RS1(" + resolution + "#RS1)#RS2(" +
           resolution + "#RS2)";
  }

  // Every page 1..PageCount holds blocks, pages never go back, and each page but the last
  // would not have held the next page's first block.
  void ExpectSoundPages() {
    ASSERT_GE(V().PageCount, 1);
    long previous = 1;
    std::map<long, int> perPage;
    for (const PageBlock& b : V().Blocks) {
      ASSERT_GE(b.Page, previous);
      ASSERT_LE(b.Page, V().PageCount);
      previous = b.Page;
      ++perPage[b.Page];
    }
    EXPECT_EQ(static_cast<long>(perPage.size()), V().PageCount);
  }
};

TEST_F(PagesTest, ABlockTallerThanAPageStandsAloneAndEveryLaterBlockFollowsOnLaterPages) {
  FormMain& f = Load();
  V().DocPath = WriteDocument("tall.rex", LongDocument(150, 60));
  f.OpenFile();
  ASSERT_TRUE(V().DocumentLoaded);
  ASSERT_GT(V().BlockCount(), 60);
  ExpectSoundPages();
  EXPECT_EQ(V().Blocks[0].Page, 1);
  EXPECT_EQ(V().Blocks[1].Page, 2);  // the statement is alone on page 1
  EXPECT_GE(V().PageCount, 3);
  EXPECT_EQ(V().Blocks.back().Page, V().PageCount);
  EXPECT_EQ(f.LbPage->text(), QString("Pag. 1/%1").arg(V().PageCount));
  EXPECT_FALSE(f.Picture1->isHidden());  // shown again after the hidden trial pages
  EXPECT_EQ(f.ShapeShadow->backColor(), plat::Rgb(64, 64, 64));

  // Each page shows its blocks whole; the statement's page shows as much of it as fits.
  for (V().CurrentPage = 1; V().CurrentPage <= V().PageCount; ++V().CurrentPage) {
    form->DibujarPagina();
    const long r = LastPageLayout(V()).BloqueCorte;
    if (V().CurrentPage == 1) {
      EXPECT_EQ(r, -1);
    } else {
      EXPECT_GT(r, 0) << "page " << V().CurrentPage;
    }
  }

  // The answer view: the statement on page 1, the answer on page 2.
  f.SoloSolucion();
  EXPECT_EQ(PagesOf(V().Blocks), (std::vector<long>{1, 2}));
  EXPECT_EQ(V().PageCount, 2);
}

TEST_F(PagesTest, PagesAreFullAndKeepTheirBlocksAcrossAZoom) {
  FormMain& f = Load();
  V().DocPath = WriteDocument("steps.rex", LongDocument(2, 150));
  f.OpenFile();
  ASSERT_TRUE(V().DocumentLoaded);
  ExpectSoundPages();
  ASSERT_GE(V().PageCount, 3);

  // A page ends where the next block would no longer fit above the kept foot line.
  for (long k = 1; k < V().PageCount; ++k) {
    const auto next = std::find_if(V().Blocks.begin(), V().Blocks.end(), [k](const PageBlock& b) { return b.Page == k + 1; });
    ASSERT_NE(next, V().Blocks.end());
    f.Picture1->Cls();
    ASSERT_TRUE(DrawOnPagePicture(V(), PageText(V().Blocks, k) + next->Text + " &LF", V().Zoom * 12, f.Picture1->surface()));
    EXPECT_LT(LastPageLayout(V()).BloqueCorte, 0) << "page " << k;
  }

  const std::vector<long> pages = PagesOf(V().Blocks);
  V().Zoom = 2;
  f.Form_Resize();
  V().CurrentPage = 2;
  form->DibujarPagina();
  EXPECT_EQ(PagesOf(V().Blocks), pages);
  EXPECT_GT(LastPageLayout(V()).BloqueCorte, 0);  // the page still holds its blocks at twice the size
}

TEST_F(PagesTest, AViewWhoseLinesBeginWithDigitsIsPagedToItsLastLine) {
  FormMain& f = Load();
  std::string resolution;
  for (int k = 1; k <= 150; ++k) resolution += std::to_string(k + 20) + ": step of the resolution&LF";
  V().DocPath = WriteDocument("digits.rex", "#DEC(.#DEC)#ENU(Statement&LF#ENU)#SOL(42 mol/h&LF#SOL)#RS1(" + resolution +
                                            "#RS1)#RS2(" + resolution + "#RS2)");
  f.OpenFile();
  ASSERT_TRUE(V().DocumentLoaded);
  ExpectSoundPages();
  EXPECT_GE(V().PageCount, 3);
  // The last page ends with the answer, drawn whole.
  V().CurrentPage = static_cast<int>(V().PageCount);
  form->DibujarPagina();
  EXPECT_EQ(LastPageLayout(V()).BloqueCorte, static_cast<long>(MarkNumber(V().Blocks.size())));
  EXPECT_NE(PageText(V().Blocks, V().PageCount).find("42 mol/h"), std::string::npos);
}

TEST_F(PagesTest, APageShowsItsLabelAndItsNumberInGreyAtTheFootBetweenTheMargins) {
  FormMain& f = Load();
  V().DocPath = WriteDocument("steps.rex", LongDocument(2, 200));
  f.OpenFile();
  ASSERT_GE(V().PageCount, 3);
  V().CurrentPage = 3;
  form->DibujarPagina();
  EXPECT_EQ(f.LbPage->text(), QString("Pag. 3/%1").arg(V().PageCount));

  // The number "3" sits on the bottom margin (16 mm), centred: grey ink there and nowhere
  // else in that band.
  const QImage& img = f.Picture1->surface().image();
  const double marginPx = 16 / 25.4 * 1440 * V().Zoom / ScreenTwipsPerPixelY();
  const int bottom = static_cast<int>(img.height() - marginPx);
  const int top = bottom - static_cast<int>(20 * V().Zoom);
  int centreInk = 0, otherInk = 0;
  for (int y = std::max(0, top); y < bottom; ++y) {
    for (int x = 0; x < img.width(); ++x) {
      const QColor c = img.pixelColor(x, y);
      if (c.red() > 230) continue;  // paper
      EXPECT_NEAR(c.red(), c.blue(), 2);  // grey, not a colour
      (std::abs(x - img.width() / 2) < 15 * V().Zoom ? centreInk : otherInk)++;
    }
  }
  EXPECT_GT(centreInk, 5);
  EXPECT_EQ(otherInk, 0);

  V().PageCount = 0;
  form->DibujarPagina();
  EXPECT_TRUE(f.LbPage->text().isEmpty());
}

TEST_F(PagesTest, ThePageLabelIsReadWholeAlsoForAThousandPagesAndMore) {
  FormMain& f = Load();
  V().DocPath = WriteDocument("steps.rex", LongDocument(2, 20));
  f.OpenFile();
  ASSERT_TRUE(V().DocumentLoaded);
  const QFont designed = PageLabelFont();
  const struct {
    long page, count;
    bool designedSize;
  } cases[] = {{1, 1, true}, {3, 7, true}, {999, 999, true}, {1155, 1156, false}, {99999, 99999, false}};
  for (const auto& c : cases) {
    V().PageCount = c.count;
    V().CurrentPage = static_cast<int>(c.page);
    f.DibujarPagina();
    const QString caption = QString("Pag. %1/%2").arg(c.page).arg(c.count);
    ASSERT_EQ(f.LbPage->text(), caption);
    EXPECT_LE(QFontMetrics(f.LbPage->font()).horizontalAdvance(caption), f.LbPage->contentsRect().width()) << caption.toStdString();
    EXPECT_EQ(f.LbPage->font().pointSizeF() == designed.pointSizeF(), c.designedSize) << caption.toStdString();
    EXPECT_EQ(f.LbPage->geometry(), QRect(26, 3, 92, 19));  // between the page buttons, as designed
  }
}

TEST_F(PagesTest, PagesFoundAtOneZoomShowWholeAtEveryOtherWithTheirNumberFree) {
  FormMain& f = Load();
  V().DocPath = WriteDocument("steps.rex", LongDocument(2, 300));
  // A fit-to-width zoom: at it, letters take relatively more room than at the others.
  V().Zoom = 0.83;
  f.Form_Resize();
  f.OpenFile();
  ASSERT_GE(V().PageCount, 4);
  const std::vector<long> pages = PagesOf(V().Blocks);
  for (const double zoom : {0.5, 1.0, 2.0, 0.83}) {
    V().Zoom = zoom;
    f.Form_Resize();
    for (V().CurrentPage = 1; V().CurrentPage <= V().PageCount; ++V().CurrentPage) {
      SCOPED_TRACE("zoom " + std::to_string(zoom) + " page " + std::to_string(V().CurrentPage));
      form->DibujarPagina();
      // Every block of the page drawn, its last line whole.
      ASSERT_GT(LastPageLayout(V()).BloqueCorte, 0);
      // Nothing but the grey number in the band the number stands in: no black text over it.
      const QImage& img = f.Picture1->surface().image();
      const double pxPerTwip = 1 / ScreenTwipsPerPixelY();
      const int bottom = static_cast<int>(img.height() - LastPageLayout(V()).MargenInf * pxPerTwip);
      const int top = bottom - static_cast<int>(11 * zoom * 20 * pxPerTwip);
      int black = 0;
      for (int y = top; y < bottom; ++y) {
        for (int x = 0; x < img.width(); ++x) black += qGray(img.pixel(x, y)) < 100;
      }
      EXPECT_EQ(black, 0);
    }
  }
  EXPECT_EQ(PagesOf(V().Blocks), pages);
}

// Whatever zooms were chosen before, and at whichever the view was paged, a page at a zoom is
// drawn the same: its blocks, and the size of its text.
TEST_F(PagesTest, APageAtAZoomLooksTheSameHoweverThatZoomWasReached) {
  FormMain& f = Load();
  V().DocPath = WriteDocument("steps.rex", LongDocument(2, 300));
  const auto pagesAt = [&](double zoom) {
    V().Zoom = zoom;
    f.Form_Resize();
    std::vector<QImage> pages;
    for (V().CurrentPage = 1; V().CurrentPage <= 4; ++V().CurrentPage) {
      form->DibujarPagina();
      pages.push_back(f.Picture1->surface().image().copy());
    }
    return pages;
  };
  const struct {
    const char* history;
    double pagedAt;
    std::vector<double> zoomsBefore;
  } histories[] = {
      {"paged at 100 %", 1.0, {}},
      {"paged at a fitted width, then zoomed about", 0.83, {2.0, 0.5}},
      {"paged at the start's fitted width", 1.3367, {0.75}},
      {"paged at 200 %, then 150 %", 2.0, {1.5}},
  };
  std::vector<QImage> at100, at150;
  for (const auto& h : histories) {
    SCOPED_TRACE(h.history);
    V().Zoom = h.pagedAt;
    f.Form_Resize();
    f.OpenFile();
    ASSERT_GE(V().PageCount, 4);
    for (const double z : h.zoomsBefore) pagesAt(z);
    const std::vector<QImage> a = pagesAt(1.0), b = pagesAt(1.5);
    if (at100.empty()) {
      at100 = a;
      at150 = b;
      continue;
    }
    for (std::size_t k = 0; k < a.size(); ++k) {
      EXPECT_TRUE(a[k] == at100[k]) << "page " << k + 1 << " at 100 %";
      EXPECT_TRUE(b[k] == at150[k]) << "page " << k + 1 << " at 150 %";
    }
  }
}

// Large italic letters reach past their cells (the hook of an f, the tail of a j): a page
// paged away from and back to, again and again, is drawn as a freshly started viewer draws it,
// pixel for pixel.
TEST_F(PagesTest, LargeItalicPagedAwayAndBackIsDrawnAsByAFreshViewer) {
  std::string resolution;
  for (int k = 1; k <= 30; ++k) {
    resolution += std::string("&FN=") + (k % 2 ? "Times New Roman" : "Arial") + ":&FS=" + std::to_string(18 + k % 4 * 10) +
                  ":&+Ifjf jyfj " + std::to_string(k) + "&-I&LF";
  }
  const std::string path = WriteDocument(
      "italic.rex", "#DEC(.#DEC)#ENU(&FS=48:&+Ijfj fjf&-I&LF#ENU)#SOL(&FS=24:&+Ifj&-I&LF#SOL)#RS1(" + resolution +
                        "#RS1)#RS2(" + resolution + "#RS2)");
  // The pages shown one after the other in a viewer started afresh.
  const auto shown = [&](std::initializer_list<long> order) {
    FormMain& f = Make();
    Load();
    V().DocPath = path;
    f.OpenFile();
    EXPECT_GE(V().PageCount, 2);
    std::map<long, std::vector<QImage>> pages;
    for (long page : order) {
      V().CurrentPage = page;
      f.DibujarPagina();
      pages[page].push_back(f.Picture1->surface().image().copy());
    }
    return pages;
  };
  const QImage fresh1 = shown({1})[1].front(), fresh2 = shown({2})[2].front();
  auto paged = shown({1, 2, 1, 2, 1, 2, 1});
  for (const auto& [page, images] : paged) {
    for (std::size_t visit = 0; visit < images.size(); ++visit) {
      EXPECT_TRUE(images[visit] == (page == 1 ? fresh1 : fresh2)) << "page " << page << ", visit " << visit + 1;
    }
  }
}

// The program's start fits the page to the window's width, where large letters are filled as
// outlines: the page drawn first, as its pages are found, is the page every later drawing
// gives, after paging away and back, after the window repainted its captions, and redrawn.
TEST_F(PagesTest, AFittedPageDrawnFirstIsThePageEveryLaterDrawingGives) {
  std::string resolution;
  for (int k = 1; k <= 12; ++k) {
    const std::string font = k % 2 ? "Times New Roman" : "Arial";
    resolution += "&FN=" + font + ":&FS=40:&+IfjH " + std::to_string(k) + "&-I&LF&FN=" + font +
                  ":&FS=14:&+Ifjf jyfj H " + std::to_string(k) + "&-I&LF";
  }
  FormMain& f = Load();
  f.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));
  f.mnu_zoomANCHO_Click();
  ASSERT_GT(V().Zoom, 1.3);  // letters of 40 points over 64 pixels
  V().DocPath = WriteDocument("large.rex", "#DEC(.#DEC)#ENU(&FS=40:fjH&LF#ENU)#SOL(fjH&LF#SOL)#RS1(" + resolution +
                                               "#RS1)#RS2(" + resolution + "#RS2)");
  f.OpenFile();
  ASSERT_GE(V().PageCount, 2);
  ASSERT_EQ(V().CurrentPage, 1);
  const QImage first = f.Picture1->surface().image().copy();
  f.ImgRPage_Click();
  f.ImgLPage_Click();
  EXPECT_TRUE(f.Picture1->surface().image() == first) << "paged away and back";
  f.repaint();
  f.DibujarPagina();
  EXPECT_TRUE(f.Picture1->surface().image() == first) << "redrawn after a repaint";
}

// The words of a PDF with their places (points), as pdftotext reads them.
std::vector<std::pair<std::string, QRectF>> PdfWords(const std::string& pdf) {
  QProcess p;
  p.start("pdftotext", {"-bbox", QString::fromStdString(pdf), "-"});
  EXPECT_TRUE(p.waitForFinished(30000));
  const QString html = QString::fromUtf8(p.readAllStandardOutput());
  static const QRegularExpression word(
      R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
  std::vector<std::pair<std::string, QRectF>> words;
  for (auto it = word.globalMatch(html); it.hasNext();) {
    const auto m = it.next();
    words.push_back({m.captured(5).toStdString(),
                     QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                            QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()))});
  }
  return words;
}

TEST_F(PagesTest, APrintedPageIsThePageAt100PercentWithItsNumberInBlackWhateverTheViewZoom) {
  FormMain& f = Load();
  V().DocPath = WriteDocument("steps.rex", LongDocument(2, 150));
  f.OpenFile();
  ASSERT_GE(V().PageCount, 2);
  const auto firstStepOn = [this](long page) {
    for (const PageBlock& b : V().Blocks) {
      if (b.Page == page && b.Text.find("Step ") != std::string::npos) {
        const auto at = b.Text.find("Step ");
        return b.Text.substr(at + 5, b.Text.find(' ', at + 5) - at - 5);
      }
    }
    return std::string();
  };
  const std::string firstOfPage2 = firstStepOn(2);
  ASSERT_FALSE(firstOfPage2.empty());

  std::vector<std::vector<std::pair<std::string, QRectF>>> printed;
  for (const double zoom : {0.5, 2.0}) {
    V().Zoom = zoom;
    plat::PrinterSurface printer;
    ASSERT_TRUE(printer.setDeviceName(plat::kPdfPrinterName));
    const std::string pdf = root + "/page2-" + std::to_string(static_cast<int>(zoom * 10)) + ".pdf";
    printer.setOutputFile(pdf);
    form->ImprimirPagina(2, printer);
    ASSERT_TRUE(printer.endDoc());
    EXPECT_DOUBLE_EQ(V().Zoom, zoom);  // the view keeps its zoom
    printed.push_back(PdfWords(pdf));
  }
  const auto& words = printed[0];
  ASSERT_FALSE(words.empty());
  EXPECT_EQ(words, printed[1]);  // the same page at any view zoom

  // Page 2's first step at the top, the number 2 alone at the foot, 11 points high or so.
  EXPECT_EQ(words[0].first, "Step");
  EXPECT_EQ(words[1].first, firstOfPage2);
  const auto& number = words.back();
  EXPECT_EQ(number.first, "2");
  const double a4Height = 297 / 25.4 * 72;
  EXPECT_GT(number.second.top(), a4Height * 0.85);
  EXPECT_NEAR(number.second.center().x(), 210 / 25.4 * 72 / 2, 25);
  EXPECT_NEAR(number.second.height(), 11, 4);

  // In black: the darkest ink of the number, rendered.
  const QString png = QString::fromStdString(root + "/page2");
  ASSERT_EQ(QProcess::execute("pdftoppm", {"-r", "72", "-png", "-singlefile",
                                           QString::fromStdString(root + "/page2-5.pdf"), png}),
            0);
  const QImage sheet(png + ".png");
  ASSERT_FALSE(sheet.isNull());
  int darkest = 255;
  const QRect box = number.second.toAlignedRect();
  for (int y = box.top(); y <= box.bottom(); ++y) {
    for (int x = box.left(); x <= box.right(); ++x) darkest = std::min(darkest, qGray(sheet.pixel(x, y)));
  }
  EXPECT_LT(darkest, 60);
}

}  // namespace
}  // namespace stagora::viewer::test
