// Dragging in the main window with the toolkit's own mouse events: the knobs, the diagram's
// point labels and the equilibrium curve, the coordinate readout, and the double-click that
// opens the table editor in table mode.
#include <QApplication>
#include <QBackingStore>
#include <QDialog>
#include <QImage>
#include <QPixmap>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <vector>

#include "designer/calculation/design_calculation.h"
#include "designer/calculation/equilibrium.h"
#include "designer/diagram/diagram.h"
#include "designer/diagram/plot_frame.h"
#include "designer/window/controls.h"
#include "designer/window/designer_state.h"
#include "designer/window/drag_math.h"
#include "designer/window/slider_knobs.h"
#include "platform/recording_surface.h"
#include "tests/designer/main_window_fixture.h"

namespace stagora::test {
namespace {

using designer::FormMain;

std::string Field(const FormMain& w, int n) { return w.Text[static_cast<std::size_t>(n)]->text().toStdString(); }

QPoint Centre(const QWidget* w) { return w->mapToGlobal(QPoint(w->width() / 2, w->height() / 2)); }

class DragTest : public MainWindowTest {
 protected:
  // The default design on a picture of the given size.
  FormMain& LoadSized(int width = 442, int height = 604) {
    FormMain& f = Load();
    f.Picture1->resize(width, height);
    f.Calcular(*f.Picture1, false);
    EXPECT_TRUE(f.LblERROR->text().isEmpty());
    return f;
  }

  // A press on a control and moves with the button held, each to a screen position: the
  // events go to the pressed control, as the toolkit's mouse grab sends them.
  static void Press(QWidget* w, QPoint screen, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mousePress(w, button, {}, w->mapFromGlobal(screen));
  }
  static void DragTo(QWidget* w, QPoint screen) { QTest::mouseMove(w, w->mapFromGlobal(screen)); }
  static void Release(QWidget* w, QPoint screen, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseRelease(w, button, {}, w->mapFromGlobal(screen));
  }
  // A move over the picture at its own pixels, without a button unless one is given.
  static void Hover(QWidget* w, QPointF at, Qt::MouseButtons held = Qt::NoButton) {
    QMouseEvent move(QEvent::MouseMove, at, w->mapToGlobal(at), Qt::NoButton, held, Qt::NoModifier);
    QApplication::sendEvent(w, &move);
  }

  static PlotFrame Frame(const FormMain& f) { return PlotFrame::Screen(f.Picture1->width(), f.Picture1->height()); }
};

TEST_F(DragTest, TheAlphaKnobDraggedToItsEndsWritesTheEndValues) {
  FormMain& f = LoadSized();
  QWidget* knob = f.Image2[designer::kKnobAlpha];
  const QPoint start = Centre(knob);
  Press(knob, start);
  EXPECT_TRUE(f.Arrastrando);
  DragTo(knob, start + QPoint(600, 0));
  EXPECT_EQ(Field(f, 1), "20");
  // The knob sits at the track's right end, and the design was recalculated with alpha 20.
  EXPECT_NEAR(knob->x() + knob->width() / 2.0, f.Line1[0]->X2(), 1);
  EXPECT_TRUE(f.LblERROR->text().isEmpty());
  const double platesAtTwenty = f.NumPlatosTeor;
  DragTo(knob, start - QPoint(600, 0));
  EXPECT_EQ(Field(f, 1), "1.01");
  EXPECT_NE(f.NumPlatosTeor, platesAtTwenty);
  Release(knob, start - QPoint(600, 0));
  EXPECT_FALSE(f.Arrastrando);

  // Without a press the knob ignores the pointer.
  DragTo(knob, start + QPoint(600, 0));
  EXPECT_EQ(Field(f, 1), "1.01");
}

TEST_F(DragTest, AnyButtonDragsAKnobAndEachMoveRecalculates) {
  FormMain& f = LoadSized();
  QWidget* knob = f.Image2[designer::kKnobE];
  const QPoint start = Centre(knob);
  Press(knob, start, Qt::RightButton);
  DragTo(knob, start - QPoint(600, 0));
  EXPECT_EQ(Field(f, 15), "0.01");
  EXPECT_TRUE(f.LblERROR->text().isEmpty());
  Release(knob, start, Qt::RightButton);
}

TEST_F(DragTest, TheDistillatePointAtTheRightEdgeWritesOnePixelShortOfOne) {
  FormMain& f = LoadSized();
  QLabel* point = f.Label2[designer::kDragDistillate];
  ASSERT_TRUE(point->isVisible() || !point->isHidden());
  const QPoint start = Centre(point);
  Press(point, start);
  DragTo(point, start + QPoint(400, 80));  // up or down does not matter: it stays on the diagonal
  // (W - 1) / W with W = 392, to three decimals.
  EXPECT_EQ(Field(f, 4), "0.997");
  EXPECT_TRUE(f.LblERROR->text().isEmpty());
  // The readout tells the value the point now has, as its field does, with the point's suffix.
  EXPECT_EQ(f.LblCOOR->text(), "x = 0.997   y = 0.997 (xd, yd)");
  Release(point, start);
  EXPECT_EQ(f.LblCOOR->text(), "x = 0.997   y = 0.997 (xd, yd)");
  EXPECT_FALSE(f.LblCOOR->isHidden());
}

TEST_F(DragTest, AfterAPointDragTheReadoutTellsWhereThePointWasPlaced) {
  FormMain& f = LoadSized();
  f.SimboloDecimal = ",";
  const PlotFrame frame = Frame(f);
  // A short drag of the distillate point: the field rounds the pointer's value, the
  // calculation puts the point there, and the readout says the same.
  QLabel* distillate = f.Label2[designer::kDragDistillate];
  const QPoint start = Centre(distillate);
  Press(distillate, start);
  const int targetX = f.Picture1->mapToGlobal(QPoint(static_cast<int>(std::lround(frame.X(0.7627))), 0)).x();
  DragTo(distillate, QPoint(targetX, start.y()));
  Release(distillate, start);
  const std::string value = Field(f, 4);
  EXPECT_EQ(value, "0,763");
  EXPECT_EQ(f.LblCOOR->text().toStdString(), "x = " + value + "   y = " + value + " (xd, yd)");

  // The q point goes where the rounded q and R put the lines' intersection, not where the
  // pointer left it; the readout follows the point.
  QLabel* q = f.Label2[designer::kDragIntersection];
  const QPoint qStart = Centre(q);
  Press(q, qStart);
  DragTo(q, qStart + QPoint(-7, -23));
  Release(q, qStart + QPoint(-7, -23));
  ASSERT_TRUE(f.LblERROR->text().isEmpty());
  const QString readout = f.LblCOOR->text();
  ASSERT_TRUE(readout.endsWith(" (xq, yq)")) << readout.toStdString();
  const QStringList parts = readout.split(' ', Qt::SkipEmptyParts);  // x = a y = b (xq, yq)
  ASSERT_GE(parts.size(), 6);
  const double shownX = ValNUM(parts[2].toStdString());
  const double shownY = ValNUM(parts[5].toStdString());
  // Within the label's rounding to whole pixels.
  EXPECT_NEAR(frame.X(shownX), q->x() + q->width() / 2.0, 0.5);
  EXPECT_NEAR(frame.Y(shownY), q->y() + q->height() / 2.0, 0.5);
}

TEST_F(DragTest, TheReadoutGoesWhenTheUserTurnsFromTheDiagram) {
  FormMain& f = Load();
  f.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
  const auto hoverOnCurve = [&] {
    const PlotFrame frame = Frame(f);
    Hover(f.Picture1, QPointF(frame.X(0.5), frame.Y(designer::VolatilityCurveY(ValNUM(Field(f, 1)), 0.5))));
    return !f.LblCOOR->isHidden() && f.LblCOOR->text().contains("x = 0.5");
  };
  struct Way {
    const char* what;
    std::function<void()> act;
  };
  const std::vector<Way> ways = {
      {"the pointer leaves the picture",
       [&] {
         QEvent leave(QEvent::Leave);
         QApplication::sendEvent(f.Picture1, &leave);
       }},
      {"the focus goes to a field",
       [&] {
         QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
         QApplication::sendEvent(f.Text[field::kXDistillate], &in);
       }},
      {"a key", [&] { QTest::keyClick(f.Text[field::kRefluxRatio], Qt::Key_Shift); }},
      {"a field's Enter recalculates",
       [&] {
         f.Text[field::kXDistillate]->setText("0.95");
         f.Text_KeyDown(4, Qt::Key_Return);
       }},
      {"the menu recalculates", [&] { f.mnu_Archivo_CALC_Click(); }},
      {"the window is left",
       [&] {
         QEvent deactivate(QEvent::WindowDeactivate);
         QApplication::sendEvent(&f, &deactivate);
       }},
  };
  for (const Way& way : ways) {
    ASSERT_TRUE(hoverOnCurve()) << way.what;
    way.act();
    EXPECT_TRUE(f.LblCOOR->isHidden()) << way.what;
  }
  // A key in another window leaves this one's readout alone.
  ASSERT_TRUE(hoverOnCurve());
  QLineEdit elsewhere;
  QTest::keyClick(&elsewhere, Qt::Key_A);
  EXPECT_FALSE(f.LblCOOR->isHidden());
}

TEST_F(DragTest, TheQPointRightOfTheDistillateGivesANegativeRefluxRatio) {
  FormMain& f = LoadSized();
  QLabel* point = f.Label2[designer::kDragIntersection];
  const PlotFrame frame = Frame(f);
  const QPoint start = Centre(point);
  Press(point, start);
  const QPoint target = f.Picture1->mapToGlobal(QPoint(static_cast<int>(frame.X(0.92)), static_cast<int>(frame.Y(0.95))));
  DragTo(point, target);
  EXPECT_LT(ValNUM(Field(f, 6)), 0);
  EXPECT_EQ(f.LblERROR->text(), designer::QText(f.GetL_win("NegativeRefluxRatio")));
  // The drag goes on: back left of the distillate the design is accepted again.
  DragTo(point, start);
  EXPECT_TRUE(f.LblERROR->text().isEmpty());
  Release(point, start);
}

TEST_F(DragTest, TheBottomsPointStopsShortOfTheFeed) {
  FormMain& f = LoadSized();
  QLabel* point = f.Label2[designer::kDragBottoms];
  const QPoint start = Centre(point);
  Press(point, start);
  DragTo(point, start + QPoint(300, 0));
  // One pixel left of zF = 0.46 on a plot 392 wide.
  EXPECT_EQ(Field(f, 5), "0.457");
  Release(point, start);
}

TEST_F(DragTest, DraggingTheCurveThroughAPointSetsItsRelativeVolatility) {
  FormMain& f = LoadSized(450, 450);  // a plot of 400 x 400 pixels
  const PlotFrame frame = Frame(f);
  ASSERT_EQ(frame.W, 400);
  // Alpha 2 passes through y = 2/3 at x = 0.5; a press within five pixels grabs it.
  const QPoint onCurve(static_cast<int>(frame.X(0.5)), static_cast<int>(frame.Y(2.0 / 3)));
  QTest::mousePress(f.Picture1, Qt::LeftButton, {}, onCurve);
  EXPECT_TRUE(f.ArrastrandoCurva);
  EXPECT_EQ(f.Picture1->cursor().shape(), Qt::SizeVerCursor);
  QTest::mouseMove(f.Picture1, QPoint(static_cast<int>(frame.X(0.5)), static_cast<int>(frame.Y(0.75))));
  EXPECT_EQ(Field(f, 1), "3");
  QTest::mouseMove(f.Picture1, QPoint(static_cast<int>(frame.X(0.5)), static_cast<int>(frame.Y(0.3))));
  EXPECT_EQ(Field(f, 1), "1.01");
  QTest::mouseRelease(f.Picture1, Qt::LeftButton, {}, onCurve);
  EXPECT_FALSE(f.ArrastrandoCurva);
  EXPECT_EQ(f.Picture1->cursor().shape(), Qt::ArrowCursor);

  // Six pixels away is not on the curve (alpha is 1.01 now: the curve lies on the diagonal).
  QTest::mousePress(f.Picture1, Qt::LeftButton, {}, QPoint(225, static_cast<int>(frame.Y(0.5)) - 6));
  EXPECT_FALSE(f.ArrastrandoCurva);
  QTest::mouseRelease(f.Picture1, Qt::LeftButton);
}

TEST_F(DragTest, TheReadoutShowsThePointersCoordinatesAndTheCurveUnderIt) {
  FormMain& f = LoadSized();
  Hover(f.Picture1, QPointF(221, 302));  // the centre of the 392 x 554 plot
  EXPECT_EQ(f.LblCOOR->text(), "x = 0.5   y = 0.5");
  EXPECT_FALSE(f.LblCOOR->isHidden());
  // Near the curve it names the curve and gives the curve's own y.
  const PlotFrame frame = Frame(f);
  Hover(f.Picture1, QPointF(frame.X(0.5), frame.Y(2.0 / 3) + 3));
  EXPECT_EQ(f.LblCOOR->text(), designer::QText(form->State().Txt_VLE_curve) + ".  x = 0.5   y = 0.66667");
  EXPECT_EQ(f.Picture1->toolTip(), designer::QText(form->State().Txt_VLE_curve));
  // The curve's readout fits its one line whole, also with the widest coordinates.
  const QString widest = designer::QText(form->State().Txt_VLE_curve) + ".  x = 0.99999   y = 0.99999";
  EXPECT_LE(QFontMetrics(f.LblCOOR->font()).horizontalAdvance(widest), f.LblCOOR->contentsRect().width());
  // In the margin the readout goes, the pointer shape stays.
  Hover(f.Picture1, QPointF(10, 10));
  EXPECT_TRUE(f.LblCOOR->isHidden());
  EXPECT_EQ(f.Picture1->cursor().shape(), Qt::SizeVerCursor);
  // With the comma as decimal symbol.
  f.SimboloDecimal = ",";
  Hover(f.Picture1, QPointF(frame.X(0.25), frame.Y(0.125)));
  EXPECT_EQ(f.LblCOOR->text(), "x = 0,25   y = 0,125");
  EXPECT_EQ(f.Picture1->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(DragTest, TheReadoutShowsItsWholeTextInsideThePictureAndBelowTheYCaption) {
  // The picture as the window at its smallest leaves it, where the y caption takes two lines,
  // and as designed.
  for (const QSize size : {QSize(269, 552), QSize(442, 604)}) {
    SCOPED_TRACE(size.width());
    FormMain& f = LoadSized(size.width(), size.height());
    const PlotFrame frame = Frame(f);
    // Where the drawing puts the y caption's lines, measured as the picture measures.
    plat::RecordingSurface s(size.width(), size.height(), 15, plat::RecordingSurface::Metrics::RealFonts);
    s.setFontName("Arial");
    s.setFontSize(f.Picture1->font().pointSizeF());
    DiagramTexts texts{f.GetL_win("Enrich_op_line"), f.GetL_win("Exhaus_op_line"), f.GetL_win("q_line"), f.RotuloEjeX,
                       f.RotuloEjeY};
    const DesignResult r = CalculateDesign(DesignData{2, 0.5, 0.46, 0.85, 0.17, 3, 1}, false, nullptr);
    DrawDiagram(s, DiagramTarget::kScreen, r, EquilibriumModel::Volatility(2), texts);
    double captionBottom = 0;
    for (const plat::RecordedOp& op : s.ops()) {
      if (op.kind == plat::RecordedOp::Text && op.x1 == 39 && op.y1 < frame.Y(0.9)) captionBottom = std::max(captionBottom, op.y2);
    }
    ASSERT_GT(captionBottom, 31);

    // In the plot, and on the curve, where the text is longest.
    for (const QPointF at : {QPointF(frame.X(0.5), frame.Y(0.5)), QPointF(frame.X(0.5), frame.Y(2.0 / 3) + 3)}) {
      Hover(f.Picture1, at);
      const QLabel* readout = f.LblCOOR;
      ASSERT_FALSE(readout->isHidden());
      SCOPED_TRACE(readout->text().toStdString());
      EXPECT_TRUE(f.Picture1->rect().contains(readout->geometry()));
      EXPECT_GE(readout->y(), captionBottom);
      const QRect needed = readout->fontMetrics().boundingRect(readout->contentsRect(), Qt::TextWordWrap | Qt::AlignHCenter,
                                                               readout->text());
      EXPECT_TRUE(readout->contentsRect().contains(needed));
    }
    // As designed, the readout stands where the load put it.
    if (size.width() == 442) {
      EXPECT_EQ(f.LblCOOR->geometry(), QRect(38, 53, 388, 17));
    }
  }
}

class TableDoubleClick : public DragTest {
 protected:
  // Table mode with the start-up table of alpha 2 in force.
  FormMain& LoadTableMode() {
    FormMain& f = LoadSized();
    form->State().TablaELV.UltimoPuntoTabla = 20;
    EXPECT_FALSE(CrearSuperTABLA_ELV(form->State().TablaELV, form->State().SuperTablasELV).has_value());
    form->State().UsarTabla = true;
    f.Calcular(*f.Picture1, false);
    return f;
  }

  // Double-clicks the picture and tells whether the table editor came up (it is closed again
  // at once).
  static bool DoubleClickOpensEditor(FormMain& f, QPoint at) {
    bool opened = false;
    QTimer closer;
    closer.setInterval(5);
    QObject::connect(&closer, &QTimer::timeout, [&] {
      if (QWidget* modal = QApplication::activeModalWidget()) {
        opened = true;
        modal->close();
      }
    });
    closer.start();
    QTest::mouseDClick(f.Picture1, Qt::LeftButton, {}, at);
    return opened;
  }
};

TEST_F(TableDoubleClick, OnTheCurveOpensTheEditorButNotOnceTheOfferHasLapsed) {
  FormMain& f = LoadTableMode();
  const PlotFrame frame = Frame(f);
  const QPoint onCurve(static_cast<int>(frame.X(0.5)), static_cast<int>(std::lround(frame.Y(2.0 / 3))));

  f.Timer2->start();  // a fresh period: the offer below is made well before the next tick
  Hover(f.Picture1, onCurve);
  EXPECT_TRUE(f.DblClickEditaTabla);
  EXPECT_EQ(f.Picture1->toolTip(), designer::QText(form->State().Txt_TTT_Edit_VLE_Table));
  EXPECT_FALSE(f.ArrastrandoCurva);  // the table's curve is not dragged
  EXPECT_TRUE(DoubleClickOpensEditor(f, onCurve));

  // Resting on the curve for longer than the timer's period withdraws the offer.
  Hover(f.Picture1, onCurve);
  EXPECT_TRUE(f.DblClickEditaTabla);
  QTest::qWait(650);
  EXPECT_FALSE(f.DblClickEditaTabla);
  EXPECT_FALSE(DoubleClickOpensEditor(f, onCurve));

  // Off the curve there is no offer at all.
  Hover(f.Picture1, onCurve + QPoint(0, 40));
  EXPECT_FALSE(DoubleClickOpensEditor(f, onCurve + QPoint(0, 40)));
}

TEST_F(TableDoubleClick, InRelativeVolatilityModeADoubleClickOpensNothing) {
  FormMain& f = LoadSized();
  const PlotFrame frame = Frame(f);
  const QPoint onCurve(static_cast<int>(frame.X(0.5)), static_cast<int>(std::lround(frame.Y(2.0 / 3))));
  Hover(f.Picture1, onCurve);
  EXPECT_FALSE(f.DblClickEditaTabla);
  EXPECT_FALSE(DoubleClickOpensEditor(f, onCurve));
}

TEST_F(DragTest, AfterADragTheWindowShowsWhatAFreshPaintOfItShows) {
  // Between moves only what changed is repainted, the diagram in tiles and each rewritten
  // field alone: what the window holds for the screen must still be what painting the whole
  // window afresh gives.
  FormMain& f = Load();
  f.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));
  QApplication::processEvents();
  QWidget* knob = f.Image2[designer::kKnobAlpha];
  const QPoint start = Centre(knob);
  Press(knob, start);
  for (const int dx : {3, 9, 20, 40, 2, -30, 60, 5}) {
    DragTo(knob, start + QPoint(dx, 0));
    QApplication::processEvents();
  }
  Release(knob, start);
  QApplication::processEvents();

  QPaintDevice* store = f.backingStore()->paintDevice();
  ASSERT_EQ(store->devType(), QInternal::Image);
  const QImage shown = static_cast<QImage*>(store)->convertToFormat(QImage::Format_RGB32);
  const QImage fresh = f.grab().toImage().convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(shown.size(), fresh.size());
  int differing = 0;
  for (int y = 0; y < shown.height(); ++y)
    for (int x = 0; x < shown.width(); ++x) differing += shown.pixel(x, y) != fresh.pixel(x, y);
  EXPECT_EQ(differing, 0);
}

TEST_F(DragTest, AKnobDragOfManyMovesLeavesNothingGrowing) {
  FormMain& f = Load();
  f.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));
  QWidget* knob = f.Image2[designer::kKnobAlpha];
  const QPoint start = Centre(knob);
  // Back and forth over the track, the diagram refused at the low end (R below Rmin).
  const auto sweep = [&](int moves) {
    for (int i = 0; i < moves; ++i) {
      const int phase = i % 40;
      DragTo(knob, start + QPoint(-60 + 6 * (phase < 20 ? phase : 40 - phase), 0));
      QApplication::processEvents();
    }
  };
  struct Snapshot {
    qsizetype objects;
    std::size_t cached;
    qsizetype readout;
    bool operator==(const Snapshot&) const = default;
  };
  const auto snapshot = [&] {
    return Snapshot{f.findChildren<QObject*>().size(), f.Picture1->surface().cachedEntries(), f.LblCOOR->text().size()};
  };
  Press(knob, start);
  sweep(40);  // every position once, so every text the diagram shows has been met
  const Snapshot before = snapshot();
  sweep(200);
  EXPECT_TRUE(snapshot() == before);
  for (int n : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}) EXPECT_FALSE(f.Text[n]->isUndoAvailable()) << n;
  // The region to repaint is taken with each redraw, never piled up.
  EXPECT_FALSE(f.Picture1->surface().takeChanged().boundingRect().contains(f.Picture1->rect()));
  Release(knob, start);
}

TEST_F(DragTest, WhileAKnobIsDraggedTheDiagramsOwnHoverDoesNothing) {
  FormMain& f = LoadSized();
  f.Arrastrando = true;
  const PlotFrame frame = Frame(f);
  Hover(f.Picture1, QPointF(frame.X(0.5), frame.Y(2.0 / 3)), Qt::LeftButton);
  EXPECT_FALSE(f.LblCOOR->isHidden());  // the readout still follows
  EXPECT_EQ(f.Picture1->cursor().shape(), Qt::ArrowCursor);
  EXPECT_TRUE(f.Picture1->toolTip().isEmpty());
  f.Arrastrando = false;
}

TEST_F(DragTest, ADragWhoseReleaseWasLostEndsWithTheNextMoveWithoutAButton) {
  FormMain& f = LoadSized(450, 450);
  const PlotFrame frame = Frame(f);
  QTest::mousePress(f.Picture1, Qt::LeftButton, {}, QPoint(225, static_cast<int>(frame.Y(2.0 / 3))));
  ASSERT_TRUE(f.ArrastrandoCurva);
  // No release comes; the pointer goes on over the picture with no button held.
  Hover(f.Picture1, QPointF(frame.X(0.5), frame.Y(0.75)));
  EXPECT_FALSE(f.ArrastrandoCurva);
  EXPECT_EQ(Field(f, 1), "2");
  EXPECT_EQ(f.Picture1->cursor().shape(), Qt::ArrowCursor);
  // The same for a knob or point drag.
  f.Arrastrando = true;
  Hover(f.Picture1, QPointF(frame.X(0.5), frame.Y(0.75)));
  EXPECT_FALSE(f.Arrastrando);
  QTest::mouseRelease(f.Picture1, Qt::LeftButton);
}

}  // namespace
}  // namespace stagora::test
