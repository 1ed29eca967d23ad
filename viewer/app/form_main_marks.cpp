// Marking a section on the page: with the pointer in the left margin the pointer changes shape
// and a click inverts the band of the block beside it, to point at one step while explaining
// a solution. One band at most is marked; a click on it, on another band or in the text area
// takes the mark away. The bands are the section marks the engine recorded while it drew the
// page; marks live on the screen only, until the page is drawn again.
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include "platform/image_surface.h"
#include "viewer/app/controls.h"
#include "viewer/app/engine_bridge.h"
#include "viewer/app/form_main.h"

namespace stagora::viewer {
namespace {

constexpr const char* kModeNormal = "Normal";
constexpr const char* kModeEdicion = "Edici\xF3n";  // Windows-1252, as the tag was always written

// The pointer in the left margin: an arrow pointing right at the band beside it.
QCursor EdicionCursor() {
  static const QCursor cursor = [] {
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing, true);
    QPainterPath arrow;
    arrow.moveTo(22, 11);
    arrow.lineTo(12, 3);
    arrow.lineTo(12, 8);
    arrow.lineTo(2, 8);
    arrow.lineTo(2, 14);
    arrow.lineTo(12, 14);
    arrow.lineTo(12, 19);
    arrow.closeSubpath();
    p.setPen(QPen(Qt::white, 1.5));
    p.setBrush(Qt::black);
    p.drawPath(arrow);
    p.end();
    return QCursor(pm, 22, 11);
  }();
  return cursor;
}

// The page picture's pointer, passed on in twips of the page.
class MarkingFilter : public QObject {
 public:
  explicit MarkingFilter(FormMain* form) : QObject(form), form_(form) { form->Picture1->installEventFilter(this); }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::MouseMove && event->type() != QEvent::MouseButtonPress) return false;
    const auto* mouse = static_cast<QMouseEvent*>(event);
    plat::ImageSurface& page = form_->Picture1->surface();
    const auto X = static_cast<float>(page.toUnitsX(mouse->position().x()));
    const auto Y = static_cast<float>(page.toUnitsY(mouse->position().y()));
    if (event->type() == QEvent::MouseMove) {
      form_->Picture1_MouseMove(static_cast<int>(mouse->buttons()), 0, X, Y);
    } else {
      form_->Picture1_MouseDown(static_cast<int>(mouse->button()), 0, X, Y);
    }
    return false;
  }

 private:
  FormMain* form_;
};

}  // namespace

void FormMain::ConnectMarking() {
  Picture1->setMouseTracking(true);
  Picture1->setCursor(Qt::ArrowCursor);
  new MarkingFilter(this);
}

void FormMain::Picture1_MouseMove(int Button, int Shift, float X, float Y) {
  (void)Button;
  (void)Shift;
  (void)Y;
  if (LastPageLayout(state_).NumMarcas == 0) return;
  const auto margin = static_cast<float>(LastPageLayout(state_).MargenIzq);
  if (X >= margin) {
    if (Picture1->Tag == kModeEdicion) {
      Picture1->Tag = kModeNormal;
      Picture1->setCursor(Qt::ArrowCursor);
    }
  } else if (Picture1->Tag == kModeNormal) {
    Picture1->Tag = kModeEdicion;
    Picture1->setCursor(EdicionCursor());
  }
}

void FormMain::InvertBand(long k) {
  const PageLayoutReport m = LastPageLayout(state_);
  plat::ImageSurface& page = Picture1->surface();
  const double left = m.MargenIzq;
  const double right = page.toUnitsX(Picture1->width()) - m.MargenDer;
  const double top = MarcaArriba(state_, k);
  const double bottom = MarcaAbajo(state_, k);
  page.invertRect(page.toPixelsX(left), page.toPixelsY(top), page.toPixelsX(right - left),
                  page.toPixelsY(bottom - top));
  Picture1->update();
}

void FormMain::Picture1_MouseDown(int Button, int Shift, float X, float Y) {
  (void)Button;
  (void)Shift;
  (void)X;
  const long count = LastPageLayout(state_).NumMarcas;
  if (count == 0) return;
  const auto clearAll = [&] {
    for (long i = 1; i <= count; ++i) {
      if (!MarcaSeleccionada(state_, i)) continue;
      InvertBand(i);
      SetMarcaSeleccionada(state_, i, false);
    }
  };
  if (Picture1->Tag == kModeEdicion) {
    long k = 0;
    for (long i = 1; i <= count; ++i) {
      if (static_cast<float>(MarcaArriba(state_, i)) <= Y && Y <= static_cast<float>(MarcaAbajo(state_, i))) {
        k = i;
        break;
      }
    }
    if (k == 0) return;
    if (!MarcaSeleccionada(state_, k)) {
      clearAll();
      InvertBand(k);
      SetMarcaSeleccionada(state_, k, true);
    } else {
      InvertBand(k);
      SetMarcaSeleccionada(state_, k, false);
    }
  } else if (Picture1->Tag == kModeNormal) {
    clearAll();
  }
}

}  // namespace stagora::viewer
