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

// The window shown at its designed size, the default design calculated, the knob pressed.
struct DraggedWindow {
  std::unique_ptr<stagora::designer::FormMain> form;
  QWidget* knob = nullptr;
  QPoint grab;
  PaintCounter diagramPaints;
  PaintCounter panelPaints;

  explicit DraggedWindow(int knobIndex) : form(std::make_unique<stagora::designer::FormMain>()) {
    form->Form_Load();
    form->show();
    QApplication::processEvents();
    knob = form->Image2[static_cast<std::size_t>(knobIndex)];
    form->Picture1->installEventFilter(&diagramPaints);
    form->Picture2->installEventFilter(&panelPaints);
    grab = knob->mapToGlobal(QPoint(knob->width() / 2, knob->height() / 2));
    SendMouse(knob, QEvent::MouseButtonPress, grab);
  }
  ~DraggedWindow() { SendMouse(knob, QEvent::MouseButtonRelease, grab); }

  // One move to dx pixels right of the grab, and the repaint the toolkit then does.
  void MoveTo(int dx) {
    SendMouse(knob, QEvent::MouseMove, grab + QPoint(dx, 0));
    QApplication::processEvents();
  }
};

// The alpha knob swept back and forth over 2 <= alpha <= 3, one pixel per move.
void BM_AlphaKnobPointerMove(benchmark::State& state) {
  DraggedWindow w(stagora::designer::kKnobAlpha);
  if (w.form->Picture1->width() != kPictureWidth || w.form->Picture1->height() != kPictureHeight) {
    state.SkipWithError("the diagram is not at its designed size");
    return;
  }
  constexpr int kSweep = 8;
  int step = 0;
  w.MoveTo(0);
  const int paintsBefore = w.diagramPaints.paints;
  for (auto _ : state) {
    const int phase = step++ % (2 * kSweep);
    w.MoveTo(phase < kSweep ? phase : 2 * kSweep - phase);
  }
  if (w.diagramPaints.paints - paintsBefore < static_cast<int>(state.iterations())) {
    state.SkipWithError("the diagram was not repainted on every move");
  }
  if (!w.form->LblERROR->text().isEmpty()) state.SkipWithError("the design was refused");
  state.counters["ratio"] = w.form->Picture1->devicePixelRatioF();
}
BENCHMARK(BM_AlphaKnobPointerMove)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  // The window's language file from the program folder beside the benchmarks; the settings
  // in a scratch folder, so the user's own are neither read nor written.
  plat::SetProgramFolder(QDir(QCoreApplication::applicationDirPath() + "/../program").absolutePath().toStdString());
  plat::SetSettingsFolder(QDir::tempPath().toStdString() + "/stagora-bench-settings");
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
namespace {
void BM_TmpMoveOnly(benchmark::State& state) {
  DraggedWindow w(stagora::designer::kKnobAlpha);
  int step = 0;
  w.MoveTo(0);
  for (auto _ : state) {
    const int phase = step++ % 16;
    SendMouse(w.knob, QEvent::MouseMove, w.grab + QPoint(phase < 8 ? phase : 16 - phase, 0));
    state.PauseTiming();
    QApplication::processEvents();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_TmpMoveOnly)->Unit(benchmark::kMicrosecond);
void BM_TmpPaintOnly(benchmark::State& state) {
  DraggedWindow w(stagora::designer::kKnobAlpha);
  int step = 0;
  w.MoveTo(0);
  for (auto _ : state) {
    const int phase = step++ % 16;
    state.PauseTiming();
    SendMouse(w.knob, QEvent::MouseMove, w.grab + QPoint(phase < 8 ? phase : 16 - phase, 0));
    state.ResumeTiming();
    QApplication::processEvents();
  }
}
BENCHMARK(BM_TmpPaintOnly)->Unit(benchmark::kMicrosecond);
void BM_TmpCalcularOnly(benchmark::State& state) {
  DraggedWindow w(stagora::designer::kKnobAlpha);
  for (auto _ : state) {
    w.form->Calcular(*w.form->Picture1, false);
  }
}
BENCHMARK(BM_TmpCalcularOnly)->Unit(benchmark::kMicrosecond);
}
