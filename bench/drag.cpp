// One pointer move of a drag, end to end: the toolkit's mouse event in, the knob's value
// written into its field, Calcular, and the window's repaint of the diagram, the knobs and
// the fields that changed. A drag must keep up with the fastest monitors (240 Hz and more),
// alongside everything else the frame needs: target under 0.5 ms on the 442 x 604 picture,
// and under 1 ms on a screen of two device pixels per pixel, where the diagram is drawn at
// device pixels. Run the program with QT_SCALE_FACTOR=2 to measure that screen.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <cstdlib>
#include <memory>

#include "designer/window/controls.h"
#include "designer/window/form_main.h"
#include "designer/window/slider_knobs.h"
#include "platform/paths.h"
#include "platform/settings.h"
#include "bench/window_bench_main.h"

namespace {

constexpr int kPictureWidth = 442;
constexpr int kPictureHeight = 604;

// Counts the paints a widget receives, to be sure the benchmark measures them.
class PaintCounter : public QObject {
 public:
  int paints = 0;
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint) ++paints;
    return false;
  }
};

void SendMouse(QWidget* w, QEvent::Type type, QPoint screen) {
  const QPointF local = w->mapFromGlobal(QPointF(screen));
  const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
  QMouseEvent e(type, local, QPointF(screen), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held,
                Qt::NoModifier);
  QApplication::sendEvent(w, &e);
}

// The window shown at its designed size with the default design, and a control pressed.
struct DraggedWindow {
  std::unique_ptr<stagora::designer::FormMain> form;
  QWidget* pressed = nullptr;
  QPoint grab;
  PaintCounter diagramPaints;

  explicit DraggedWindow(QWidget* (*control)(stagora::designer::FormMain&))
      : form(std::make_unique<stagora::designer::FormMain>()) {
    form->Form_Load();
    form->show();
    QApplication::processEvents();
    pressed = control(*form);
    form->Picture1->installEventFilter(&diagramPaints);
    grab = pressed->mapToGlobal(QPoint(pressed->width() / 2, pressed->height() / 2));
    SendMouse(pressed, QEvent::MouseButtonPress, grab);
  }
  ~DraggedWindow() { SendMouse(pressed, QEvent::MouseButtonRelease, grab); }

  // One move to (dx, dy) pixels from the grab, and the repaint the toolkit then does.
  void MoveTo(int dx, int dy) {
    SendMouse(pressed, QEvent::MouseMove, grab + QPoint(dx, dy));
    QApplication::processEvents();
  }
};

// Moves back and forth along (dx, dy) steps, one step per move, and checks that every move
// recalculated an accepted design and repainted the diagram.
void Sweep(benchmark::State& state, DraggedWindow& w, int dx, int dy) {
  if (w.form->Picture1->width() != kPictureWidth || w.form->Picture1->height() != kPictureHeight) {
    state.SkipWithError("the diagram is not at its designed size");
    return;
  }
  constexpr int kSteps = 8;
  int step = 0;
  w.MoveTo(0, 0);
  const int paintsBefore = w.diagramPaints.paints;
  for (auto _ : state) {
    const int phase = step++ % (2 * kSteps);
    const int k = phase < kSteps ? phase : 2 * kSteps - phase;
    w.MoveTo(k * dx, k * dy);
  }
  if (w.diagramPaints.paints - paintsBefore < static_cast<int>(state.iterations())) {
    state.SkipWithError("the diagram was not repainted on every move");
  }
  if (!w.form->LblERROR->text().isEmpty()) state.SkipWithError("the design was refused");
  if (w.form->RotuloEjeX.empty()) state.SkipWithError("the language file was not found");
  state.counters["ratio"] = w.form->Picture1->devicePixelRatioF();
}

// The alpha knob over 2 <= alpha <= 3, one pixel per move: the curve, lines and staircase
// all change.
void BM_AlphaKnobPointerMove(benchmark::State& state) {
  DraggedWindow w([](stagora::designer::FormMain& f) -> QWidget* { return f.Image2[stagora::designer::kKnobAlpha]; });
  Sweep(state, w, 1, 0);
}
BENCHMARK(BM_AlphaKnobPointerMove)->Unit(benchmark::kMicrosecond);

// The q point two pixels right and one down per move, between the curve and the diagonal:
// q and R both change.
void BM_QPointPointerMove(benchmark::State& state) {
  DraggedWindow w([](stagora::designer::FormMain& f) -> QWidget* { return f.Label2[1]; });
  Sweep(state, w, 2, 1);
}
BENCHMARK(BM_QPointPointerMove)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) { return stagora::bench::RunWindowBenchmarks(argc, argv); }
