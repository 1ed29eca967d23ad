// Direct manipulation: the slider knobs and the diagram's four point labels dragged with the
// mouse, the equilibrium curve dragged up and down, the coordinate readout over the diagram,
// and the double-click on the curve that opens the table editor in table mode. Every pointer
// move of a drag writes the rounded value into its field and recalculates, so the diagram
// follows the pointer live. The numbers are worked out in drag_math; here the controls are
// read and written.
#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QRect>
#include <QSignalBlocker>
#include <algorithm>
#include <cmath>
#include <string>

#include "common/number_text.h"
#include "designer/calculation/equilibrium.h"
#include "designer/diagram/plot_frame.h"
#include "designer/window/controls.h"
#include "designer/window/designer_state.h"
#include "designer/window/drag_math.h"
#include "designer/window/form_main.h"
#include "designer/window/slider_knobs.h"
#include "platform/encoding.h"

namespace stagora::designer {
namespace {

constexpr int kShownDigits = 5;  // significant digits of every value a drag writes
constexpr int kPointDecimals = 3;

// The field each knob writes, by knob.
constexpr std::array<int, kKnobCount> kKnobField = {1, 2, 3, 4, 6, 15, 5};
// The field each diagonal point label writes, by label (the q point writes two).
constexpr std::array<int, 4> kPointField = {5, 2, 4, 3};
constexpr int kQField = 2;
constexpr int kRField = 6;
// The numeric fields of the input panel, which lie on the panel's own colour.
constexpr std::array<int, 10> kPanelFields = {1, 2, 3, 4, 5, 6, 7, 13, 14, 15};
// The room the readout leaves on the picture's right at the designed size.
constexpr int kReadoutRightRoom = 16;
// What the readout adds while a point is dragged, by label.
constexpr std::array<const char*, 4> kPointSuffix = {" (xb, yb)", " (xq, yq)", " (xd, yd)", " (zf, zf)"};

double FieldValue(const QLineEdit* field) { return ValNUM(plat::Utf16ToCp1252(field->text().toStdU16String())); }

// Says whether the text changed: the same text written again fires no change handler.
bool WriteValue(QLineEdit* field, double value, const std::string& simbolo) {
  const QString text = QText(FormatNUM(value, kShownDigits, simbolo));
  if (field->text() == text) return false;
  field->setText(text);
  return true;
}

std::string Coordinates(double x, double y, const std::string& simbolo) {
  return "x = " + FormatNUM(x, kShownDigits, simbolo) + "   y = " + FormatNUM(y, kShownDigits, simbolo);
}

// Sets a pointer shape only when it changes: the diagram sets one on every move.
void SetPointerShape(QWidget* w, Qt::CursorShape shape) {
  if (w->cursor().shape() != shape) w->setCursor(shape);
}

void SetToolTip(QWidget* w, const std::string& text) {
  const QString tip = QText(text);
  if (w->toolTip() != tip) w->setToolTip(tip);
}

// Hands the mouse of the knobs, the point labels and the diagram picture to their handlers.
// The pointer's screen position comes with each event, so a drag follows the event stream
// exactly (and a test's synthetic events, which do not move the real cursor).
class PointerEvents : public QObject {
 public:
  explicit PointerEvents(FormMain* form) : QObject(form), form_(form) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    const QEvent::Type type = event->type();
    // The readout tells where the pointer is on the diagram: off the picture it tells nothing.
    if (type == QEvent::Leave && watched == form_->Picture1) form_->LblCOOR->hide();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick && type != QEvent::MouseMove &&
        type != QEvent::MouseButtonRelease) {
      return false;
    }
    const auto* mouse = static_cast<QMouseEvent*>(event);
    for (int i = 0; i < kKnobCount; ++i) {
      if (watched != form_->Image2[static_cast<std::size_t>(i)]) continue;
      // A second press that the toolkit reports as a double-click drags like the first.
      if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick) form_->Image2_MouseDown(i, mouse->globalPosition());
      if (type == QEvent::MouseMove) form_->Image2_MouseMove(i, mouse->globalPosition());
      if (type == QEvent::MouseButtonRelease) form_->Image2_MouseUp(i);
      return true;
    }
    for (int i = 0; i < kPointLabels; ++i) {
      if (watched != form_->Label2[static_cast<std::size_t>(i)]) continue;
      if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick) form_->Label2_MouseDown(i, mouse->globalPosition());
      if (type == QEvent::MouseMove) form_->Label2_MouseMove(i, mouse->globalPosition());
      if (type == QEvent::MouseButtonRelease) form_->Label2_MouseUp(i);
      return true;
    }
    if (watched == form_->Picture1) {
      const QPointF at = mouse->position();
      // While a drag runs the pressed control has the mouse, so a move over the picture with
      // no button held means its release was lost (the window lost the pointer meanwhile):
      // the drag ends here rather than go on with every later move.
      if (type == QEvent::MouseMove && mouse->buttons() == Qt::NoButton) {
        if (form_->ArrastrandoCurva) form_->Picture1_MouseUp();
        form_->Arrastrando = false;
      }
      if (type == QEvent::MouseButtonPress) form_->Picture1_MouseDown(at.x(), at.y());
      if (type == QEvent::MouseMove) form_->Picture1_MouseMove(at.x(), at.y());
      if (type == QEvent::MouseButtonRelease) form_->Picture1_MouseUp();
      if (type == QEvent::MouseButtonDblClick) form_->Picture1_DblClick();
      return true;
    }
    return false;
  }

 private:
  static constexpr int kPointLabels = 4;
  FormMain* form_;
};

// The keyboard taken up, the focus gone to a control or the window left for another: the
// user's attention is off the diagram, and a readout left standing would soon tell numbers
// that no longer hold. It goes until the pointer moves over the diagram again. Keys and focus
// go to whichever control has the focus, so the whole program's events are looked at.
class ReadoutWatch : public QObject {
 public:
  explicit ReadoutWatch(FormMain* form) : QObject(form), readout_(form->LblCOOR) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::FocusIn && type != QEvent::WindowDeactivate) return false;
    // The readout is gone first while the window is taken down.
    if (readout_.isNull() || !watched->isWidgetType()) return false;
    if (static_cast<QWidget*>(watched)->window() == readout_->window()) readout_->hide();
    return false;
  }

 private:
  QPointer<QLabel> readout_;
};

}  // namespace

void FormMain::ConnectPointerHandlers() {
  QCoreApplication::instance()->installEventFilter(new ReadoutWatch(this));
  pointerEvents_ = new PointerEvents(this);
  for (ImageControl* knob : Image2) knob->installEventFilter(pointerEvents_);
  for (QLabel* label : Label2) label->installEventFilter(pointerEvents_);
  Picture1->installEventFilter(pointerEvents_);
  // The readout follows the pointer without a button held.
  Picture1->setMouseTracking(true);
  // A drag rewrites some of these fields on every move; each then repaints alone.
  for (const int n : kPanelFields) {
    PaintOnPlainBackground(Text[static_cast<std::size_t>(n)], [this] { return Picture2->backColor(); });
  }
}

void FormMain::ShowReadout(const std::string& text) {
  // As wide as designed where the picture has the room, narrower where it has not; a text
  // wider than that goes on in a second line (the label breaks it at blanks) instead of being
  // cut at the picture's edge. Below the y axis's caption, however many lines that takes.
  const QString shown = QText(text);
  const int width = std::max(1, std::min(kReadoutWidth, Picture1->width() - kReadoutLeft - kReadoutRightRoom));
  LblCOOR->setText(shown);
  // The designed width holds the longest readout in one line; a narrower one is measured.
  const bool oneLine = width >= kReadoutWidth || LblCOOR->fontMetrics().horizontalAdvance(shown) <= width;
  const int height = oneLine ? kReadoutLineHeight : std::max(kReadoutLineHeight, LblCOOR->heightForWidth(width));
  const int top = kReadoutTop + static_cast<int>(std::ceil(yCaptionMoreLines_));
  const QRect place(kReadoutLeft, top, width, height);
  if (LblCOOR->geometry() != place) LblCOOR->setGeometry(place);
  LblCOOR->show();
}

// --- Slider knobs ---------------------------------------------------------------------------

void FormMain::Image2_MouseDown(int Index, QPointF Pointer) {
  if (Index < 0 || Index >= kKnobCount) return;
  Arrastrando = true;
  OffsetArrastreX = Pointer.x() - Image2[static_cast<std::size_t>(Index)]->x();
}

void FormMain::Image2_MouseMove(int Index, QPointF Pointer) {
  if (!Arrastrando || Index < 0 || Index >= kKnobCount) return;
  const auto i = static_cast<std::size_t>(Index);
  ImageControl* knob = Image2[i];
  const KnobTrack track{static_cast<double>(Line1[i]->X1()), static_cast<double>(Line1[i]->X2())};
  const double width = knob->width();
  const float left = HeldKnobLeft(static_cast<float>(Pointer.x() - OffsetArrastreX), width, track);
  knob->move(static_cast<int>(std::lround(left)), knob->y());

  KnobDragFields fields;
  fields.zF = FieldValue(Text[field::kXFeed]);
  fields.xD = FieldValue(Text[field::kXDistillate]);
  fields.xB = FieldValue(Text[field::kXBottoms]);
  fields.Rmin = FieldValue(Text[field::kMinRefluxRatio]);
  const double value = KnobDragValue(Index, KnobPercent(left, width, track), fields);
  // The field's change handler places all knobs again, this one at its rounded value.
  WriteValue(Text[static_cast<std::size_t>(kKnobField[i])], value, SimboloDecimal);
  Calcular(*Picture1, false);
}

void FormMain::Image2_MouseUp(int) { Arrastrando = false; }

// --- Diagram points ---------------------------------------------------------------------------

void FormMain::Label2_MouseDown(int Index, QPointF Pointer) {
  if (Index < 0 || Index >= static_cast<int>(Label2.size())) return;
  Arrastrando = true;
  const QLabel* label = Label2[static_cast<std::size_t>(Index)];
  OffsetArrastreX = Pointer.x() - label->x();
  OffsetArrastreY = Pointer.y() - label->y();
}

void FormMain::Label2_MouseMove(int Index, QPointF Pointer) {
  if (!Arrastrando || Index < 0 || Index >= static_cast<int>(Label2.size())) return;
  const auto i = static_cast<std::size_t>(Index);
  QLabel* label = Label2[i];
  const PlotFrame f = PlotFrame::Screen(Picture1->width(), Picture1->height());
  const double w = label->width();
  const double h = label->height();
  const bool qPoint = Index == kDragIntersection;

  const PointBounds bounds = PointDragBounds(FieldValue(Text[field::kXFeed]), FieldValue(Text[field::kXDistillate]), FieldValue(Text[field::kXBottoms]));
  const float halfW = static_cast<float>(w / 2);
  const float left = HeldPointCentreX(Index, static_cast<float>(Pointer.x() - OffsetArrastreX) + halfW, f, bounds) - halfW;
  const double v = f.DiagramX(left + w / 2);

  double height = v;  // the diagonal points stay on the diagonal
  if (qPoint) {
    const float halfH = static_cast<float>(h / 2);
    const float top = HeldPointCentreY(static_cast<float>(Pointer.y() - OffsetArrastreY) + halfH, f) - halfH;
    height = IntersectionHeight(v, f.DiagramY(top + h / 2));
  } else if (Index == kDragDistillate && v >= 1) {
    height = DiagonalPointValue(Index, v);
  }
  const double top = f.Y(height) - h / 2;
  label->move(static_cast<int>(std::lround(left)), static_cast<int>(std::lround(top)));

  if (qPoint) {
    const FeedAndReflux qr = FeedAndRefluxAt(v, height, bounds.zF, bounds.xD);
    // Both fields are written before the knobs are placed, once: each field's own change
    // handler would place all seven knobs, the first time with an R that is already stale.
    bool changed = false;
    {
      const QSignalBlocker quietQ(Text[kQField]);
      const QSignalBlocker quietR(Text[kRField]);
      changed = WriteValue(Text[kQField], RoundHalfUp(qr.q, kPointDecimals), SimboloDecimal);
      changed = WriteValue(Text[kRField], RoundHalfUp(qr.R, kPointDecimals), SimboloDecimal) || changed;
    }
    if (changed) ReajustarCursores();
  } else {
    WriteValue(Text[static_cast<std::size_t>(kPointField[i])], DiagonalPointValue(Index, v), SimboloDecimal);
  }

  Calcular(*Picture1, false);

  // The readout tells the value the point has now, as its field does: where the calculation
  // placed it, or where the drag left it when the design was refused before the point could
  // be placed. Built whole rather than appended to, so that suffixes do not pile up.
  const std::optional<QPointF>& placed = pointCentres_[i];
  const double shownX = f.DiagramX(placed ? placed->x() : label->x() + w / 2);
  const double shownY = qPoint ? f.DiagramY(placed ? placed->y() : label->y() + h / 2) : shownX;
  if (InsideDiagram(shownX, shownY)) {
    ShowReadout(Coordinates(shownX, shownY, SimboloDecimal) + kPointSuffix[i]);
  } else {
    LblCOOR->hide();
  }
}

void FormMain::Label2_MouseUp(int) { Arrastrando = false; }

// --- The diagram's own mouse ---------------------------------------------------------------

void FormMain::Picture1_MouseDown(double X, double Y) {
  const PlotFrame f = PlotFrame::Screen(Picture1->width(), Picture1->height());
  const double x = f.DiagramX(X);
  const double y = f.DiagramY(Y);
  if (!InsideDiagram(x, y)) return;
  // The press always looks for the relative-volatility curve, also in table mode.
  if (!NearCurve(f, VolatilityCurveY(FieldValue(Text[field::kAlpha]), x), Y)) return;
  if (!state_.UsarTabla) {
    ArrastrandoCurva = true;
    SetPointerShape(Picture1, Qt::SizeVerCursor);
  }
  SetToolTip(Picture1, state_.Txt_VLE_curve);
}

void FormMain::Picture1_MouseMove(double X, double Y) {
  const PlotFrame f = PlotFrame::Screen(Picture1->width(), Picture1->height());
  const double x = f.DiagramX(X);
  const double y = f.DiagramY(Y);
  const bool inside = InsideDiagram(x, y);
  if (inside) {
    ShowReadout(Coordinates(x, y, SimboloDecimal));
  } else {
    LblCOOR->hide();
  }
  // Any move withdraws the table editor's offer; only a move onto the curve makes it again.
  DblClickEditaTabla = false;
  if (Arrastrando) return;

  const bool table = state_.UsarTabla;
  if (ArrastrandoCurva) {
    if (table) return;
    if (!inside) {
      // Off the diagram the curve stays where it was.
      SetPointerShape(Picture1, Qt::ArrowCursor);
      SetToolTip(Picture1, "");
      return;
    }
    const double alpha = RoundHalfUp(AlphaThroughPoint(x, y), kPointDecimals);
    WriteValue(Text[field::kAlpha], alpha, SimboloDecimal);
    Calcular(*Picture1, false);
    SetPointerShape(Picture1, Qt::SizeVerCursor);
    SetToolTip(Picture1, state_.Txt_VLE_curve);
    return;
  }

  if (!inside) return;
  double curveY = 0;
  bool onCurve = false;
  if (table) {
    const Outcome o = LookupAt(state_.SuperTablasELV.SuperTablaYdeX(), x);
    onCurve = o.ok() && NearCurve(f, o.value, Y);
    curveY = o.value;
  } else {
    curveY = VolatilityCurveY(FieldValue(Text[field::kAlpha]), x);
    onCurve = NearCurve(f, curveY, Y);
  }
  if (!onCurve) {
    SetPointerShape(Picture1, Qt::ArrowCursor);
    SetToolTip(Picture1, "");
    return;
  }
  if (table) {
    DblClickEditaTabla = true;
  } else {
    SetPointerShape(Picture1, Qt::SizeVerCursor);
  }
  SetToolTip(Picture1, table ? state_.Txt_TTT_Edit_VLE_Table : state_.Txt_VLE_curve);
  ShowReadout(state_.Txt_VLE_curve + ".  " + Coordinates(x, curveY, SimboloDecimal));
}

void FormMain::Picture1_MouseUp() {
  ArrastrandoCurva = false;
  SetPointerShape(Picture1, Qt::ArrowCursor);
  SetToolTip(Picture1, "");
}

void FormMain::Picture1_DblClick() {
  // The offer lasts from a move onto the curve until the next move or the next tick of Timer2.
  if (DblClickEditaTabla) EditarTABLA_ELV();
}

}  // namespace stagora::designer
