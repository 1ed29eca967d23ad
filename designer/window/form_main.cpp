#include "designer/window/form_main.h"

#include <QAction>
#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenuBar>
#include <QPointer>
#include <QRadioButton>
#include <QScreen>
#include <cmath>

#include "common/number_text.h"
#include "designer/update/web_update.h"
#include "designer/window/artwork.h"
#include "designer/window/controls.h"
#include "designer/window/designer_state.h"
#include "platform/settings.h"
#include "designer/designer_settings.h"

namespace stagora::designer {
namespace {

// The design's client area; the frame around it is the window manager's.
constexpr int kClientWidth = 971;
constexpr int kClientHeight = 614;
// The smallest window the layout allows, as client area (an 800 x 600 window less its frame).
constexpr int kMinClientWidth = 794;
constexpr int kMinClientHeight = 568;
constexpr int kReportPictureSize = 700;

constexpr int kFrameInset = 5;          // the left column's frame from the client's edges
constexpr int kDiagramRightGap = 15;    // client width - frame width - this = diagram width
constexpr int kButtonRise = 20;         // the button row above the midpoint under the panel
constexpr int kCaptionDrop = 6;         // a button's caption below its face's top
constexpr std::array<int, 4> kBotonLeft = {18, 181, 344, 14};
constexpr std::array<int, 4> kBotonTop = {492, 492, 492, 98};

// The default equilibrium table: relative volatility 2 at 21 points.
constexpr int kDefaultTableLastRow = 20;
constexpr double kDefaultAlpha = 2;

QPointer<FormMain>& Instance() {
  static QPointer<FormMain> instance;
  return instance;
}

// The decimal symbol of the user's locale: the one 1.5 is written with.
std::string LocaleDecimalSymbol() { return QLocale().toString(1.5).contains(',') ? "," : "."; }

}  // namespace

FormMain::FormMain(QWidget* parent) : QMainWindow(parent) {
  setObjectName("FormMain");
  setWindowTitle(kProductName);
  setWindowIcon(WindowIcon());
  CreateControls();
  CreateMenus();
  CreateTimers();
  ConnectFieldHandlers();
  ConnectPointerHandlers();
  ConnectToolButtons();
  ConnectEquilibriumOptions();
  Client->onResize = [this] { Form_Resize(); };
}

FormMain::~FormMain() {
  // The fields go with the window; their focus events must not reach handlers of a window
  // that is half gone.
  delete fieldEvents_;
  delete pointerEvents_;
}

void FormMain::Form_Load() {
  // Size and layout as designed.
  resize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());
  setMinimumSize(kMinClientWidth, kMinClientHeight + menuBar()->sizeHint().height());
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    move(area.center() - QPoint(width() / 2, height() / 2));
  }
  PlaceControls();

  // Captions; the first calculation runs at the end of SetLanguage.
  LoadIdioma("MAI");
  SetLanguage();

  // The update period's check mark.
  const double period = UpdatePeriodDays(kAppTitle);
  for (QAction* item : {mnu_Help_Upd_Set_1, mnu_Help_Upd_Set_7, mnu_Help_Upd_Set_30}) item->setChecked(false);
  if (period == 1) {
    mnu_Help_Upd_Set_1->setChecked(true);
  } else if (period == 30) {
    mnu_Help_Upd_Set_30->setChecked(true);
  } else {
    mnu_Help_Upd_Set_7->setChecked(true);
  }

  // The decimal symbol: stored, or the locale's. A stored value that is no decimal symbol
  // (a damaged setting) counts as none: kept, it would show in every number and leave both
  // menu items unchecked.
  SimboloDecimal = plat::GetSetting(kAppTitle, settings::kDecimalSymbol);
  if (SimboloDecimal != "." && SimboloDecimal != ",") SimboloDecimal = LocaleDecimalSymbol();

  // The input panel.
  state_.TablaELV.UltimoPuntoTabla = -1;
  ColocarControles();

  // The fields in the decimal symbol, without recalculating.
  state_.BloqueoChange = true;
  if (SimboloDecimal == ".") mnu_Decimal_SEP_DOT_Click();
  if (SimboloDecimal == ",") mnu_Decimal_SEP_COM_Click();
  state_.BloqueoChange = false;

  // Remembered folders.
  state_.PathTabla = plat::GetPathSetting(kAppTitle, settings::kTableFolder);
  state_.PathArchivo = plat::GetPathSetting(kAppTitle, settings::kProjectFolder);

  // The panel's colour behind everything that lies on it.
  const plat::Color panel = Picture2->backColor();
  Shape2->setFillColor(panel);
  Picture3->setBackColor(panel);
  for (QRadioButton* opt : {OptVOL, OptTAB}) {
    QPalette pal = opt->palette();
    pal.setColor(QPalette::Window, ToQColor(panel));
    pal.setColor(QPalette::Button, ToQColor(panel));
    opt->setPalette(pal);
  }

  // The tool buttons at rest.
  BotonLeft = kBotonLeft;
  BotonTop = kBotonTop;
  for (int i = 0; i < 4; ++i) {
    Image1[i]->move(BotonLeft[i], BotonTop[i]);
    LabelB[i]->setGeometry(BotonLeft[i], BotonTop[i] + kCaptionDrop, Image1[i]->width(), LabelB[i]->height());
  }

  // The default equilibrium table, present but not in use.
  FillDefaultTable();

  // The report's picture, the efficiency's start value, and a design that starts unchanged.
  Picture4->resize(kReportPictureSize, kReportPictureSize);
  Text[field::kEfficiency]->setText("1");
  loaded_ = true;
  Modificado = false;
}

void FormMain::FillDefaultTable() {
  state_.TablaELV.TablaX.fill(kEmptyTableValue);
  state_.TablaELV.TablaY.fill(kEmptyTableValue);
  for (int i = 0; i <= kDefaultTableLastRow; ++i) {
    const double x = static_cast<double>(i) / kDefaultTableLastRow;
    state_.TablaELV.TablaX[i] = x;
    state_.TablaELV.TablaY[i] = kDefaultAlpha * x / (1 + (kDefaultAlpha - 1) * x);
  }
}

void FormMain::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) Form_Activate();
}

void FormMain::Form_Activate() {
  // Every activation, also when one of the program's dialogs closes, lays the window out
  // again and recalculates with the data as they stand.
  Form_Resize();
  CheckUpdateOnActivation();
}

void FormMain::Form_Resize() {
  if (!loaded_ || inResize_ || isMinimized()) return;
  KeepMinimumOuterSize();
  inResize_ = true;
  const int clientWidth = Client->width();
  const int clientHeight = Client->height();

  Shape2->setGeometry(kFrameInset, kFrameInset, Picture2->width() + 8, clientHeight - 2 * kFrameInset);
  Picture2->move(Shape2->x() + 2, Shape2->y() + 4);
  Picture1->setGeometry(Shape2->x() + Shape2->width() - 1, Shape2->y(),
                        clientWidth - Shape2->width() - kDiagramRightGap, Shape2->height());
  LblERROR->setGeometry(3, 3, Picture1->width() - 4, LblERROR->height());

  // The button row keeps its distance above the midpoint between the panel's bottom and the
  // frame's bottom.
  const double middle = ((Picture2->y() + Picture2->height()) + (Shape2->y() + Shape2->height())) / 2.0;
  const int top = static_cast<int>(std::nearbyint(middle - kButtonRise));
  for (int i = 0; i <= 2; ++i) {
    BotonLeft[i] = kBotonLeft[i];
    BotonTop[i] = top;
    Image1[i]->move(BotonLeft[i], BotonTop[i]);
    LabelB[i]->setGeometry(BotonLeft[i], BotonTop[i] + kCaptionDrop, Image1[i]->width(), LabelB[i]->height());
  }
  inResize_ = false;
  Calcular(*Picture1, false);
}

FormMain& TheFormMain() {
  QPointer<FormMain>& form = Instance();
  if (!form) {
    form = new FormMain;
    form->setAttribute(Qt::WA_DeleteOnClose);
    form->Form_Load();
  }
  return *form;
}

bool FormMainExists() { return !Instance().isNull(); }

}  // namespace stagora::designer
