// The main window's menu bar and timers. Every item carries its built-in caption, which shows
// only while the language file cannot be read; SetLanguage replaces them all.
#include <QAction>
#include <QActionGroup>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <initializer_list>

#include "designer/window/controls.h"
#include "designer/window/designer_state.h"
#include "designer/window/form_main.h"
#include "platform/settings.h"
#include "designer/designer_settings.h"

namespace stagora::designer {
namespace {

constexpr int kErrorLabelTickMs = 100;
constexpr int kDoubleClickOfferMs = 600;
constexpr int kUpdateNoticeDelayMs = 3000;

QMenu* AddMenu(QMenuBar* bar, const char* name, const char* caption) {
  QMenu* menu = bar->addMenu(QText(caption));
  menu->setObjectName(name);
  menu->menuAction()->setObjectName(QString(name) + "_menu");
  return menu;
}

QMenu* AddSubmenu(QMenu* parent, const char* name, const char* caption) {
  QMenu* menu = parent->addMenu(QText(caption));
  menu->setObjectName(name);
  menu->menuAction()->setObjectName(QString(name) + "_menu");
  return menu;
}

QAction* AddItem(QMenu* menu, const char* name, const char* caption, const QKeySequence& shortcut = {}) {
  QAction* item = menu->addAction(QText(caption));
  item->setObjectName(name);
  if (!shortcut.isEmpty()) {
    item->setShortcut(shortcut);
    // A shortcut works anywhere in the window, whichever control has the focus.
    item->setShortcutContext(Qt::WindowShortcut);
  }
  return item;
}

// A check-marked item whose mark only code sets: its handler puts the marks of its group.
QAction* AddMarkItem(QMenu* menu, const char* name, const char* caption) {
  QAction* item = AddItem(menu, name, caption);
  item->setCheckable(true);
  return item;
}

void AddSeparator(QMenu* menu, const char* name) { menu->addSeparator()->setObjectName(name); }

// Items of which one is chosen: the menu shows them with the platform's radio mark. The
// handlers still put the marks themselves, so the load can show none chosen yet.
void MakeOneOf(QObject* owner, const char* name, std::initializer_list<QAction*> items) {
  auto* group = new QActionGroup(owner);
  group->setObjectName(name);
  group->setExclusive(true);
  for (QAction* item : items) group->addAction(item);
}

}  // namespace

void FormMain::CreateMenus() {
  QMenuBar* bar = menuBar();

  mnu_Archivo = AddMenu(bar, "mnu_Archivo", "&Archivo");
  mnu_Archivo_CALC = AddItem(mnu_Archivo, "mnu_Archivo_CALC", "&Calcular", QKeySequence(Qt::Key_F5));
  AddSeparator(mnu_Archivo, "ZEP0073");
  mnu_Archivo_OPEN = AddItem(mnu_Archivo, "mnu_Archivo_OPEN", "&Abrir...", QKeySequence(Qt::CTRL | Qt::Key_O));
  mnu_Archivo_SAVE = AddItem(mnu_Archivo, "mnu_Archivo_SAVE", "&Guardar", QKeySequence(Qt::CTRL | Qt::Key_S));
  mnu_Archivo_SAVEAS = AddItem(mnu_Archivo, "mnu_Archivo_SAVEAS", "Guardar &como...");
  AddSeparator(mnu_Archivo, "mnu_ZEP002");
  mnu_Archivo_PRINT = AddItem(mnu_Archivo, "mnu_Archivo_PRINT", "&Imprimir...", QKeySequence(Qt::CTRL | Qt::Key_P));
  AddSeparator(mnu_Archivo, "ZEP001");
  mnu_Archivo_Salir = AddItem(mnu_Archivo, "mnu_Archivo_Salir", "&Salir", QKeySequence(Qt::CTRL | Qt::Key_F4));

  mnu_OPCIONES = AddMenu(bar, "mnu_OPCIONES", "&Opciones");
  mnu_Decimal_SEP = AddSubmenu(mnu_OPCIONES, "mnu_Decimal_SEP", "Separador &decimal");
  mnu_Decimal_SEP_DOT = AddMarkItem(mnu_Decimal_SEP, "mnu_Decimal_SEP_DOT", "[ . ] &Punto");
  mnu_Decimal_SEP_COM = AddMarkItem(mnu_Decimal_SEP, "mnu_Decimal_SEP_COM", "[ , ] &Coma");

  mnu_Ayuda = AddMenu(bar, "mnu_Ayuda", "Ay&uda");
  mnu_Ayuda_Manual = AddItem(mnu_Ayuda, "mnu_Ayuda_Manual", "&Manual del usuario (documento PDF)...",
                             QKeySequence(Qt::Key_F1));
  AddSeparator(mnu_Ayuda, "ZEP8512");
  mnu_Ayuda_WEB = AddItem(mnu_Ayuda, "mnu_Ayuda_WEB", "P\xE1gina &Web: www.norvath.example...");
  mnu_Help_update = AddSubmenu(mnu_Ayuda, "mnu_Help_update", "Actualizaciones");
  mnu_Help_update_now = AddItem(mnu_Help_update, "mnu_Help_update_now", "Comprobar ahora");
  mnu_Help_Upd_Set = AddSubmenu(mnu_Help_update, "mnu_Help_Upd_Set", "Periodicidad...");
  mnu_Help_Upd_Set_1 = AddMarkItem(mnu_Help_Upd_Set, "mnu_Help_Upd_Set_1", "Una vez al d\xED" "a");
  mnu_Help_Upd_Set_7 = AddMarkItem(mnu_Help_Upd_Set, "mnu_Help_Upd_Set_7", "Una vez a la semana");
  mnu_Help_Upd_Set_30 = AddMarkItem(mnu_Help_Upd_Set, "mnu_Help_Upd_Set_30", "Una vez al mes");
  mnu_Help_Upd_Set_7->setChecked(true);
  MakeOneOf(this, "mnu_Decimal_SEP_group", {mnu_Decimal_SEP_DOT, mnu_Decimal_SEP_COM});
  MakeOneOf(this, "mnu_Help_Upd_Set_group", {mnu_Help_Upd_Set_1, mnu_Help_Upd_Set_7, mnu_Help_Upd_Set_30});
  mnu_Ayuda_Acerca = AddItem(mnu_Ayuda, "mnu_Ayuda_Acerca", "&Acerca de...", QKeySequence(Qt::SHIFT | Qt::Key_F1));

  // Items whose commands belong to the printout, the manual, the web page, the update check
  // and the About box are wired where those are built.
  connect(mnu_Archivo_CALC, &QAction::triggered, this, [this] { mnu_Archivo_CALC_Click(); });
  connect(mnu_Archivo_OPEN, &QAction::triggered, this, [this] { mnu_Archivo_OPEN_Click(); });
  connect(mnu_Archivo_SAVE, &QAction::triggered, this, [this] { mnu_Archivo_SAVE_Click(); });
  connect(mnu_Archivo_SAVEAS, &QAction::triggered, this, [this] { mnu_Archivo_SAVEAS_Click(); });
  connect(mnu_Archivo_Salir, &QAction::triggered, this, [this] { mnu_Archivo_Salir_Click(); });
  connect(mnu_Decimal_SEP_DOT, &QAction::triggered, this, [this] { mnu_Decimal_SEP_DOT_Click(); });
  connect(mnu_Decimal_SEP_COM, &QAction::triggered, this, [this] { mnu_Decimal_SEP_COM_Click(); });
  connect(mnu_Help_Upd_Set_1, &QAction::triggered, this, [this] { mnu_Help_Upd_Set_1_Click(); });
  connect(mnu_Help_Upd_Set_7, &QAction::triggered, this, [this] { mnu_Help_Upd_Set_7_Click(); });
  connect(mnu_Help_Upd_Set_30, &QAction::triggered, this, [this] { mnu_Help_Upd_Set_30_Click(); });
}

void FormMain::CreateTimers() {
  auto make = [this](const char* name, int intervalMs, bool enabled, void (FormMain::*handler)()) {
    auto* timer = new QTimer(this);
    timer->setObjectName(name);
    timer->setInterval(intervalMs);
    connect(timer, &QTimer::timeout, this, [this, handler] { (this->*handler)(); });
    if (enabled) timer->start();
    return timer;
  };
  Timer1 = make("Timer1", kErrorLabelTickMs, true, &FormMain::Timer1_Timer);
  Timer2 = make("Timer2", kDoubleClickOfferMs, true, &FormMain::Timer2_Timer);
  TimerUPD = make("TimerUPD", kUpdateNoticeDelayMs, false, &FormMain::TimerUPD_Timer);
}

void FormMain::mnu_Archivo_CALC_Click() { Calcular(*Picture1, false); }

void FormMain::mnu_Archivo_OPEN_Click() {
  // Another project is opened only once the changes of this one are saved or given up.
  if (!AskToSaveChanges()) return;
  Abrir();
}

void FormMain::mnu_Archivo_SAVE_Click() {
  if (!ArchivoActual.empty()) {
    Save(ArchivoActual);
  } else {
    Save_As();
  }
}

void FormMain::mnu_Archivo_SAVEAS_Click() { Save_As(); }

void FormMain::mnu_Archivo_Salir_Click() { close(); }

void FormMain::SetPeriodMark(QAction* checked) {
  for (QAction* item : {mnu_Help_Upd_Set_1, mnu_Help_Upd_Set_7, mnu_Help_Upd_Set_30}) item->setChecked(item == checked);
}

void FormMain::mnu_Help_Upd_Set_1_Click() {
  plat::SaveSetting(kAppTitle, settings::kUpdatePeriod, "1");
  SetPeriodMark(mnu_Help_Upd_Set_1);
}

void FormMain::mnu_Help_Upd_Set_7_Click() {
  plat::SaveSetting(kAppTitle, settings::kUpdatePeriod, "7");
  SetPeriodMark(mnu_Help_Upd_Set_7);
}

void FormMain::mnu_Help_Upd_Set_30_Click() {
  plat::SaveSetting(kAppTitle, settings::kUpdatePeriod, "30");
  SetPeriodMark(mnu_Help_Upd_Set_30);
}

void FormMain::Timer1_Timer() {
  // A caption of one blank counts as text.
  const bool hasText = !LblERROR->text().isEmpty();
  if (LblERROR->isHidden() == hasText) LblERROR->setVisible(hasText);
}

void FormMain::Timer2_Timer() { DblClickEditaTabla = false; }

}  // namespace stagora::designer
