// A long view: page 1 is shown as soon as its blocks are placed, and the window answers keys,
// zooms, views, documents and its closing while the later pages are still being found.
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QTimer>
#include <functional>

#include "common/print_dialog_ui.h"
#include "tests/viewer/paged_document_fixture.h"
#include "viewer/app/controls.h"
#include "viewer/document/pagination.h"

namespace stagora::viewer::test {
namespace {

class ReadingWhilePagingTest : public PagedDocumentTest {
 protected:
  // The window shown at 100 % with no document yet.
  FormMain& Shown() {
    FormMain& f = Load();
    f.FitWidthPending = false;
    f.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&f));
    return f;
  }
};

// A key as the window system hands it on: posted, to whatever has the focus.
void PostKey(FormMain& f, Qt::Key key) {
  QWidget* to = QApplication::focusWidget() ? QApplication::focusWidget() : &f;
  QCoreApplication::postEvent(to, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier));
  QCoreApplication::postEvent(to, new QKeyEvent(QEvent::KeyRelease, key, Qt::NoModifier));
}

// Runs `step` the next time the window lets events run.
void WhenTheWindowAnswers(std::function<void()> step) { QTimer::singleShot(0, std::move(step)); }

// Runs `step` the first time the window lets events run while it finds pages (between two).
void WhilePaging(FormMain& f, std::function<void()> step) {
  WhenTheWindowAnswers([&f, step] {
    if (f.Paginating()) return step();
    WhilePaging(f, step);
  });
}

long Ink(const QImage& img) {
  long n = 0;
  for (int y = 0; y < img.height(); ++y) {
    for (int x = 0; x < img.width(); ++x) n += qGray(img.pixel(x, y)) < 128;
  }
  return n;
}

std::vector<long> PagesOf(const ViewerState& v) {
  std::vector<long> pages;
  for (const PageBlock& b : v.Blocks) pages.push_back(b.Page);
  return pages;
}

// As StepsDocument, each step two lines long.
std::string TallerStepsDocument(int steps) {
  std::string resolution;
  for (int k = 1; k <= steps; ++k) {
    resolution += "Step " + std::to_string(k) + " of the resolution, " + std::string(120, 'x') + " " +
                  std::string(40, 'y') + "&LF";
  }
  return "#DEC(.#DEC)#ENU(Statement line&LF#ENU)#SOL(The answer&LF#SOL)#RS1(" + resolution + "#RS1)#RS2(" +
         resolution + "#RS2)";
}

// Every block has a page, in order, and the count is the last block's page.
void ExpectEveryBlockPlaced(const ViewerState& v) {
  long previous = 1;
  for (const PageBlock& b : v.Blocks) {
    ASSERT_GE(b.Page, previous);
    previous = b.Page;
  }
  EXPECT_EQ(v.PageCount, v.Blocks.back().Page);
}

TEST_F(ReadingWhilePagingTest, PageOneShowsFirstAndKeysAreAnsweredBeforeTheLastPageIsFound) {
  FormMain& f = Shown();
  V().DocPath = WriteDocument("long.rex", StepsDocument(1500));
  struct Seen {
    bool paging = false, pictureShown = false;
    int page = 0;
    long pagesFound = 0, ink = 0;
    QString label;
  } first, afterPageDown;
  const auto seen = [&] {
    return Seen{f.Paginating(), f.Picture1->isVisible(), V().CurrentPage, V().PageCount,
                Ink(f.Picture1->surface().image()), f.LbPage->text()};
  };
  // Page Down once page 2 is found, then a look once it has been handled, then End.
  std::function<void()> lookOnPage2 = [&] {
    if (V().CurrentPage != 2 && f.Paginating()) return WhenTheWindowAnswers(lookOnPage2);
    afterPageDown = seen();
    PostKey(f, Qt::Key_End);
  };
  std::function<void()> pageDownOnPage2 = [&] {
    if (V().PageCount < 2) return WhenTheWindowAnswers(pageDownOnPage2);
    PostKey(f, Qt::Key_PageDown);
    WhenTheWindowAnswers(lookOnPage2);
  };
  WhilePaging(f, [&] {
    first = seen();
    WhenTheWindowAnswers(pageDownOnPage2);
  });
  f.OpenFile();
  ASSERT_TRUE(V().DocumentLoaded);

  // The page drawn and shown, with the pages found so far in its label, while pages were still
  // being found.
  const auto expectShownWhilePaging = [&](const Seen& s, int page) {
    SCOPED_TRACE(testing::Message() << "page " << page);
    EXPECT_TRUE(s.paging);
    EXPECT_TRUE(s.pictureShown);
    EXPECT_EQ(s.page, page);
    EXPECT_GT(s.ink, 0);
    EXPECT_LT(s.pagesFound, V().PageCount);
    EXPECT_EQ(s.label, QString("P\u00e1g. %1/%2").arg(page).arg(s.pagesFound));
  };
  // Page 1 first; Page Down turned to page 2 at once, before the pages were all found.
  expectShownWhilePaging(first, 1);
  expectShownWhilePaging(afterPageDown, 2);
  // End, pressed before the last page was known, shows it once it is.
  ExpectEveryBlockPlaced(V());
  EXPECT_FALSE(f.Paginating());
  EXPECT_EQ(V().CurrentPage, V().PageCount);
  EXPECT_EQ(f.LbPage->text(), QString("Pag. %1/%1").arg(V().PageCount));
  EXPECT_TRUE(f.Picture1->isVisible());
  const QImage shown = f.Picture1->surface().image().copy();
  f.DibujarPagina();
  EXPECT_EQ(f.Picture1->surface().image(), shown);  // the last page, drawn whole
}

// What a click or key may do while the pages are found ends in a whole state: the pages of
// what is shown, all placed, and its menus as chosen.
TEST_F(ReadingWhilePagingTest, AViewADocumentOrAZoomChosenWhilePagingEndsInTheirOwnPages) {
  const std::string other = "#DEC(.#DEC)#ENU(Other statement&LF#ENU)#SOL(Other answer&LF#SOL)#RS1(x&LF#RS1)#RS2(y&LF#RS2)";
  const struct {
    const char* what;
    std::function<void(FormMain&)> meanwhile;
    std::function<void(FormMain&)> expect;
  } cases[] = {
      {"a view",
       [](FormMain& f) { f.mnu_Ver_SOLOSOL->trigger(); },
       [this](FormMain& f) {
         EXPECT_EQ(V().ViewMode, kViewAnswer);
         EXPECT_TRUE(f.mnu_Ver_SOLOSOL->isChecked());
         EXPECT_FALSE(f.mnu_Ver_RES2->isChecked());
         EXPECT_EQ(PagesOf(V()), (std::vector<long>{1, 1}));
       }},
      {"a document",
       [this, other](FormMain& f) {
         V().DocPath = WriteDocument("other.rex", other);
         f.OpenFile();
       },
       [this](FormMain& f) {
         EXPECT_EQ(V().DocPath, root + "/other.rex");
         EXPECT_NE(PageText(V().Blocks, 1).find("Other statement"), std::string::npos);
         EXPECT_EQ(V().PageCount, 1);
         EXPECT_EQ(f.RecentFiles[1], root + "/other.rex");
       }},
      // More blocks than the pagination it replaces has placed, and taller: pages of their own.
      {"a document of more and taller blocks",
       [this](FormMain& f) {
         V().DocPath = WriteDocument("taller.rex", TallerStepsDocument(900));
         f.OpenFile();
       },
       [this](FormMain& f) {
         const std::vector<long> pages = PagesOf(V());
         f.OpenFile();  // the same document, opened with nothing in between
         EXPECT_EQ(PagesOf(V()), pages);
       }},
      {"a zoom",
       [](FormMain& f) { f.mnu_zoom150->trigger(); },
       [this](FormMain& f) {
         EXPECT_DOUBLE_EQ(V().Zoom, 1.5);
         EXPECT_TRUE(f.mnu_zoom150->isChecked());
         EXPECT_EQ(f.Picture1->size(), QSize(1194, 1688));
         EXPECT_GT(V().PageCount, 10);
       }},
  };
  FormMain& f = Shown();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    f.mnu_zoom100_Click();
    f.mnu_Ver_RES2->trigger();
    V().DocPath = WriteDocument("long.rex", StepsDocument(800));
    bool ran = false;
    WhilePaging(f, [&] {
      ran = true;
      c.meanwhile(f);
    });
    f.OpenFile();
    ASSERT_TRUE(ran);
    EXPECT_FALSE(f.Paginating());
    EXPECT_TRUE(V().DocumentLoaded);
    ExpectEveryBlockPlaced(V());
    EXPECT_EQ(V().CurrentPage, 1);
    EXPECT_EQ(f.LbPage->text(), QString("Pag. 1/%1").arg(V().PageCount));
    EXPECT_TRUE(f.Picture1->isVisible());
    c.expect(f);
  }
}

// Pages are found at 100 % whatever the zoom: a zoom chosen half way leaves them where they
// are found without it.
TEST_F(ReadingWhilePagingTest, PagesFoundWhileTheZoomChangesAreThoseFoundWithoutIt) {
  FormMain& f = Shown();
  V().DocPath = WriteDocument("long.rex", StepsDocument(800));
  f.OpenFile();
  const std::vector<long> pages = PagesOf(V());
  WhilePaging(f, [&] { f.mnu_zoom50->trigger(); });
  f.mnu_Ver_RES1->trigger();
  f.mnu_Ver_RES2->trigger();
  EXPECT_DOUBLE_EQ(V().Zoom, 0.5);
  EXPECT_EQ(PagesOf(V()), pages);
}

TEST_F(ReadingWhilePagingTest, ClosingTheWindowWhileItOpensOrPagesEndsThatWorkAndThenTheWindow) {
  const struct {
    const char* what;
    bool whilePaging;
    std::function<void(FormMain&)> close;
  } ways[] = {
      {"the close box while opening", false, [](FormMain& f) { f.close(); }},
      {"the close box while paging", true, [](FormMain& f) { f.close(); }},
      // The first document's File menu keeps its Exit while the document loads.
      {"File > Exit while paging", true, [](FormMain& f) { f.mnu_File_Exit->trigger(); }},
  };
  for (const auto& way : ways) {
    SCOPED_TRACE(way.what);
    // As the program makes its window: deleted once closed.
    auto* made = new FormMain;
    made->setAttribute(Qt::WA_DeleteOnClose);
    made->State().TempPath = root + "/tmp";
    made->Form_Load();
    made->FitWidthPending = false;
    made->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(made));
    QPointer<FormMain> window = made;
    made->State().DocPath = WriteDocument("long.rex", StepsDocument(1500));
    long pagesWhenClosed = -1;
    const auto closeNow = [&] {
      pagesWhenClosed = made->Paginating() ? made->State().PageCount : 0;
      way.close(*made);
    };
    if (way.whilePaging) {
      WhilePaging(*made, closeNow);
    } else {
      WhenTheWindowAnswers(closeNow);
    }
    made->OpenFile();
    ASSERT_TRUE(window);  // still there under the opening's caller
    ASSERT_GE(pagesWhenClosed, 0);
    EXPECT_FALSE(made->Paginating());
    EXPECT_EQ(made->State().PageCount, pagesWhenClosed);  // no page found after the closing
    EXPECT_TRUE(made->isVisible());
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.isNull(); }, 5000));
  }
}

// However often Print is asked for while pages are found, its dialog opens once, when they
// are all found: it offers the view's pages.
TEST_F(ReadingWhilePagingTest, PrintAskedThreeTimesWhilePagingOpensOneDialogOnceEveryPageIsFound) {
  FormMain& f = Shown();
  V().DocPath = WriteDocument("long.rex", StepsDocument(800));
  f.OpenFile();
  struct Offered {
    bool paging;
    long pages;
  };
  std::vector<Offered> dialogs;
  const stagora::test::ScopedHook script(SetPrintDialogScript,
                                         [&](QDialog&) { dialogs.push_back({f.Paginating(), V().PageCount}); });  // and cancelled
  bool asked = false;
  WhilePaging(f, [&] {
    asked = true;
    for (int press = 0; press < 3; ++press) f.mnu_File_Print->trigger();
  });
  f.mnu_Ver_RES1->trigger();
  ASSERT_TRUE(asked);
  const long pages = V().PageCount;
  ASSERT_TRUE(QTest::qWaitFor([&] { return !dialogs.empty(); }, 5000));
  QTest::qWait(200);  // and no other one after it
  ASSERT_EQ(dialogs.size(), 1u);
  EXPECT_FALSE(dialogs[0].paging);
  EXPECT_EQ(dialogs[0].pages, pages);
}

}  // namespace
}  // namespace stagora::viewer::test
