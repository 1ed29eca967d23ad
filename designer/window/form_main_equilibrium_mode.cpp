// The switch between the equilibrium by relative volatility and by table: each option shows
// the controls of its mode, sets UsarTabla and recalculates; a double-click on the table
// option opens the table editor. The panel's free surface hides the diagram's coordinate
// readout when the mouse comes over it.
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRadioButton>

#include "designer/window/controls.h"
#include "designer/window/designer_state.h"
#include "designer/window/form_main.h"

namespace stagora::designer {
namespace {

// Double-clicks on the table option and mouse moves over the input panel, to their handlers.
// It keeps the two controls it watches: while the window is taken down the window is no
// longer one to ask.
class EquilibriumOptionEvents : public QObject {
 public:
  explicit EquilibriumOptionEvents(FormMain* form)
      : QObject(form), form_(form), option_(form->OptTAB), panel_(form->Picture2) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::MouseButtonDblClick && watched == option_) {
      // The first click has selected table mode already. The second press goes no further:
      // the editor is modal, and the option must not be left half pressed behind it.
      form_->OptTAB_DblClick();
      return true;
    }
    if (event->type() == QEvent::MouseMove && watched == panel_) {
      // Moves over a field, caption, option, knob or picture of the panel belong to that
      // control; boxes and tracks take no mouse and count as the panel's surface.
      const auto* mouse = static_cast<QMouseEvent*>(event);
      if (panel_->childAt(mouse->position().toPoint()) == nullptr) form_->Picture2_MouseMove();
    }
    return false;
  }

 private:
  FormMain* form_;
  const QObject* option_;
  QWidget* panel_;
};

}  // namespace

void FormMain::ConnectEquilibriumOptions() {
  // Selecting an option runs its handler, whether the user clicks it or code selects it;
  // selecting the option already selected does nothing.
  connect(OptVOL, &QRadioButton::toggled, this, [this](bool on) {
    if (on) OptVOL_Click();
  });
  connect(OptTAB, &QRadioButton::toggled, this, [this](bool on) {
    if (on) OptTAB_Click();
  });
  auto* events = new EquilibriumOptionEvents(this);
  OptTAB->installEventFilter(events);
  Picture2->setMouseTracking(true);
  Picture2->installEventFilter(events);
}

void FormMain::OptTAB_Click() {
  LabelB[3]->show();
  Image1[3]->show();
  Label1[0]->hide();
  Label1[30]->show();
  Text[field::kAlpha]->hide();
  Label1[12]->hide();
  Line1[0]->hide();
  Image2[0]->hide();
  // Without a table of two rows or more the diagram keeps computing with alpha until the
  // editor accepts one.
  if (state_.TablaELV.UltimoPuntoTabla > 0) {
    state_.UsarTabla = true;
    Calcular(*Picture1, false);
  }
}

void FormMain::OptVOL_Click() {
  LabelB[3]->hide();
  Image1[3]->hide();
  Label1[0]->show();
  Label1[30]->hide();
  Text[field::kAlpha]->show();
  Label1[12]->show();
  Line1[0]->show();
  Image2[0]->show();
  state_.UsarTabla = false;
  Calcular(*Picture1, false);
}

void FormMain::OptTAB_DblClick() { EditarTABLA_ELV(); }

void FormMain::Picture2_MouseMove() { LblCOOR->hide(); }

}  // namespace stagora::designer
