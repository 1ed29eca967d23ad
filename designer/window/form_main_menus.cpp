// The main window's menu bar and timers. The menu bar is one table: a row per menu, command,
// marked command and separator, in the order they show, each naming the menu it is listed in.
// The window is built, wired and captioned by walking it. Every entry carries its built-in
// caption, which shows only while the language file cannot be read; SetLanguage replaces them
// all.
#include <QAction>
#include <QLabel>
#include <QTimer>
#include <array>

#include "common/menu_table_ui.h"

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

using Row = MenuRow<FormMain>;

constexpr auto kMenuRows = std::to_array<Row>({
    Row::Menu("mnu_Archivo", nullptr, "File0", "&Archivo"),
    Row::Command("mnu_Archivo_CALC", "mnu_Archivo", "File_calculate", "", "&Calcular",
                 &FormMain::mnu_Archivo_CALC_Click, Qt::Key_F5),
    Row::Separator("ZEP0073", "mnu_Archivo"),
    Row::Command("mnu_Archivo_OPEN", "mnu_Archivo", "File_Open", "...", "&Abrir...", &FormMain::mnu_Archivo_OPEN_Click,
                 Qt::CTRL | Qt::Key_O),
    Row::Command("mnu_Archivo_SAVE", "mnu_Archivo", "File_Save", "", "&Guardar", &FormMain::mnu_Archivo_SAVE_Click,
                 Qt::CTRL | Qt::Key_S),
    Row::Command("mnu_Archivo_SAVEAS", "mnu_Archivo", "File_SaveAs", "...", "Guardar &como...",
                 &FormMain::mnu_Archivo_SAVEAS_Click),
    Row::Separator("mnu_ZEP002", "mnu_Archivo"),
    Row::Command("mnu_Archivo_PRINT", "mnu_Archivo", "File_Print", "...", "&Imprimir...",
                 &FormMain::mnu_Archivo_PRINT_Click, Qt::CTRL | Qt::Key_P),
    Row::Separator("ZEP001", "mnu_Archivo"),
    Row::Command("mnu_Archivo_Salir", "mnu_Archivo", "File_Exit", "", "&Salir", &FormMain::mnu_Archivo_Salir_Click,
                 Qt::CTRL | Qt::Key_F4),

    Row::Menu("mnu_OPCIONES", nullptr, "Options", "&Opciones"),
    Row::Menu("mnu_Decimal_SEP", "mnu_OPCIONES", "Decimal_sep", "Separador &decimal"),
    Row::Mark("mnu_Decimal_SEP_DOT", "mnu_Decimal_SEP", "Decimal_sep_Dot", "[ . ] &Punto",
              &FormMain::mnu_Decimal_SEP_DOT_Click, &FormMain::mnu_Decimal_SEP_DOT, "mnu_Decimal_SEP_group"),
    Row::Mark("mnu_Decimal_SEP_COM", "mnu_Decimal_SEP", "Decimal_sep_Comma", "[ , ] &Coma",
              &FormMain::mnu_Decimal_SEP_COM_Click, &FormMain::mnu_Decimal_SEP_COM, "mnu_Decimal_SEP_group"),

    Row::Menu("mnu_Ayuda", nullptr, "Help0", "Ay&uda"),
    Row::Command("mnu_Ayuda_Manual", "mnu_Ayuda", "Help_Manual", "...", "&Manual del usuario (documento PDF)...",
                 &FormMain::mnu_Ayuda_Manual_Click, Qt::Key_F1),
    Row::Separator("ZEP8512", "mnu_Ayuda"),
    Row::Command("mnu_Ayuda_WEB", "mnu_Ayuda", "Help_WebPage", "...", "P\xE1gina &Web: www.norvath.example...",
                 &FormMain::mnu_Ayuda_WEB_Click),
    Row::Menu("mnu_Help_update", "mnu_Ayuda", "Help_Updates", "Actualizaciones"),
    Row::Command("mnu_Help_update_now", "mnu_Help_update", "Help_Updates_Now", "...", "Comprobar ahora",
                 &FormMain::mnu_Help_update_now_Click),
    Row::Menu("mnu_Help_Upd_Set", "mnu_Help_update", "Help_Updates_Settings", "Periodicidad..."),
    Row::Mark("mnu_Help_Upd_Set_1", "mnu_Help_Upd_Set", "Help_Updates_Settings_1day",
              "Una vez al d\xED" "a",
              &FormMain::mnu_Help_Upd_Set_1_Click, &FormMain::mnu_Help_Upd_Set_1, "mnu_Help_Upd_Set_group"),
    Row::Mark("mnu_Help_Upd_Set_7", "mnu_Help_Upd_Set", "Help_Updates_Settings_1week", "Una vez a la semana",
              &FormMain::mnu_Help_Upd_Set_7_Click, &FormMain::mnu_Help_Upd_Set_7, "mnu_Help_Upd_Set_group", true),
    Row::Mark("mnu_Help_Upd_Set_30", "mnu_Help_Upd_Set", "Help_Updates_Settings_1month", "Una vez al mes",
              &FormMain::mnu_Help_Upd_Set_30_Click, &FormMain::mnu_Help_Upd_Set_30, "mnu_Help_Upd_Set_group"),
    Row::Command("mnu_Ayuda_Acerca", "mnu_Ayuda", "Help_About", "...", "&Acerca de...",
                 &FormMain::mnu_Ayuda_Acerca_Click, Qt::SHIFT | Qt::Key_F1),
});

}  // namespace

void FormMain::CreateMenus() { menuEntries_ = BuildMenuBar<kMenuRows>(*this, menuBar()); }

void FormMain::SetMenuCaptions() {
  CaptionMenuEntries(kMenuRows, menuEntries_, [this](const char* key) { return GetL_win(key); });
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
