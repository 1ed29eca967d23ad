// Marking a section on the page: the pointer's mode in the left margin, one inverted band at a
// time, and a page drawn again with no band marked.
#include <QImage>

#include "tests/viewer/paged_document_fixture.h"
#include "viewer/app/controls.h"

namespace stagora::viewer::test {
namespace {

using SectionMarksTest = PagedDocumentTest;

const std::string kEdicion = "Edici\xF3n";

// Rows of the page picture within band k (pixels), a little inside its edges.
std::pair<int, int> BandRows(FormMain& f, long k) {
  plat::ImageSurface& page = f.Picture1->surface();
  return {static_cast<int>(page.toPixelsY(MarcaArriba(f.State(), k))) + 2,
          static_cast<int>(page.toPixelsY(MarcaAbajo(f.State(), k))) - 2};
}

// Whether every pixel of the band's rows within the text width is the inverse of the same
// pixel in `before`.
bool Inverted(FormMain& f, const QImage& before, long k) {
  const QImage& now = f.Picture1->surface().image();
  const auto [top, bottom] = BandRows(f, k);
  const int left = static_cast<int>(f.Picture1->surface().toPixelsX(LastPageLayout(f.State()).MargenIzq)) + 2;
  const int right = f.Picture1->width() - left;
  for (int y = top; y <= bottom; ++y) {
    for (int x = left; x < right; ++x) {
      if ((now.pixel(x, y) & 0xFFFFFF) != (~before.pixel(x, y) & 0xFFFFFF)) return false;
    }
  }
  return true;
}

TEST_F(SectionMarksTest, PointerInTheLeftMarginSwitchesToTheEditPointerAndBack) {
  FormMain& f = OpenShown(20);
  ASSERT_GT(LastPageLayout(V()).NumMarcas, 5);
  const auto margin = static_cast<float>(LastPageLayout(V()).MargenIzq);
  EXPECT_EQ(f.Picture1->Tag, "Normal");
  f.Picture1_MouseMove(0, 0, margin + 100, 2000);
  EXPECT_EQ(f.Picture1->Tag, "Normal");
  EXPECT_EQ(f.Picture1->cursor().shape(), Qt::ArrowCursor);
  f.Picture1_MouseMove(0, 0, margin - 1, 2000);
  EXPECT_EQ(f.Picture1->Tag, kEdicion);
  EXPECT_EQ(f.Picture1->cursor().shape(), Qt::BitmapCursor);
  f.Picture1_MouseMove(0, 0, margin, 2000);  // the margin's edge belongs to the text area
  EXPECT_EQ(f.Picture1->Tag, "Normal");
  EXPECT_EQ(f.Picture1->cursor().shape(), Qt::ArrowCursor);

  // The same through the mouse itself, in pixels of the page.
  QTest::mouseMove(f.Picture1, QPoint(5, 200));
  EXPECT_EQ(f.Picture1->Tag, kEdicion);
}

TEST_F(SectionMarksTest, OneBandAtATimeIsInvertedAndEveryClickElseTakesItAway) {
  FormMain& f = OpenShown(20);
  ASSERT_GE(LastPageLayout(V()).NumMarcas, 5);
  const QImage clean = f.Picture1->surface().image().copy();
  const auto margin = static_cast<float>(LastPageLayout(V()).MargenIzq);
  const auto middle = [this](long k) { return static_cast<float>((MarcaArriba(V(), k) + MarcaAbajo(V(), k)) / 2); };
  const auto marked = [this] {
    std::vector<long> on;
    for (long k = 1; k <= LastPageLayout(V()).NumMarcas; ++k) {
      if (MarcaSeleccionada(V(), k)) on.push_back(k);
    }
    return on;
  };

  f.Picture1_MouseMove(0, 0, margin / 2, middle(3));
  f.Picture1_MouseDown(1, 0, margin / 2, middle(3));
  EXPECT_EQ(marked(), (std::vector<long>{3}));
  EXPECT_TRUE(Inverted(f, clean, 3));

  f.Picture1_MouseDown(1, 0, margin / 2, middle(5));
  EXPECT_EQ(marked(), (std::vector<long>{5}));
  EXPECT_TRUE(Inverted(f, clean, 5));
  EXPECT_FALSE(Inverted(f, clean, 3));

  f.Picture1_MouseDown(1, 0, margin / 2, middle(5));  // the same band again
  EXPECT_TRUE(marked().empty());
  EXPECT_EQ(f.Picture1->surface().image(), clean);

  // Beside no band (above the first one): nothing.
  f.Picture1_MouseDown(1, 0, margin / 2, static_cast<float>(MarcaArriba(V(), 1) - 10));
  EXPECT_TRUE(marked().empty());

  // A click in the text area clears the mark.
  f.Picture1_MouseDown(1, 0, margin / 2, middle(5));
  f.Picture1_MouseMove(0, 0, margin * 3, middle(5));
  f.Picture1_MouseDown(1, 0, margin * 3, middle(5));
  EXPECT_TRUE(marked().empty());
  EXPECT_EQ(f.Picture1->surface().image(), clean);

  // Marks live until the page is drawn again.
  f.Picture1_MouseMove(0, 0, margin / 2, middle(2));
  f.Picture1_MouseDown(1, 0, margin / 2, middle(2));
  ASSERT_EQ(marked(), (std::vector<long>{2}));
  f.DibujarPagina();
  EXPECT_TRUE(marked().empty());
  EXPECT_EQ(f.Picture1->surface().image(), clean);
}

}  // namespace
}  // namespace stagora::viewer::test
