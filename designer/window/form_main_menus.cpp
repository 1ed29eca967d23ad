// The main window's menu bar and timers. The menu bar is one table: a row per menu, command,
// marked command and separator, in the order they show, each naming the menu it is listed in.
// The window is built, wired and captioned by walking it. Every entry carries its built-in
// caption, which shows only while the language file cannot be read; SetLanguage replaces them
// all.
#include <QAction>
#include <QActionGroup>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <array>
#include <map>
#include <string>

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

// Menus, commands, marked commands (one of a group: the menu shows the platform's radio mark;
// the handlers still put the marks themselves, so the load can show none chosen yet) and
// separators.
enum class Entry { kMenu, kCommand, kMark, kSeparator };

constexpr QKeyCombination kNoShortcut = QKeyCombination::fromCombined(0);

struct MenuRow {
  Entry entry;
  const char* name;    // the object name; a menu's own entry in its parent is name + "_menu"
  const char* within;  // the menu it is listed in; null for the menu bar
  const char* key;     // its caption in the language file; null for a separator
  const char* tail;    // added to that caption ("..." where the command opens a window)
  const char* caption;  // the built-in caption (Windows-1252)
  QKeyCombination shortcut;
  void (FormMain::*command)();
  const char* group;        // a marked command's group
  bool marked;              // a marked command's mark as the window is built
  QAction* FormMain::*item;  // the member that keeps a command the window's code reaches
};

constexpr MenuRow Menu(const char* name, const char* within, const char* key, const char* caption) {
  return {Entry::kMenu, name, within, key, "", caption, kNoShortcut, nullptr, nullptr, false, nullptr};
}

constexpr MenuRow Command(const char* name, const char* within, const char* key, const char* tail,
                          const char* caption, void (FormMain::*command)(), QKeyCombination shortcut = kNoShortcut) {
  return {Entry::kCommand, name, within, key, tail, caption, shortcut, command, nullptr, false, nullptr};
}

constexpr MenuRow Mark(const char* name, const char* within, const char* key, const char* caption,
                       void (FormMain::*command)(), const char* group, QAction* FormMain::*item, bool marked = false) {
  return {Entry::kMark, name, within, key, "", caption, kNoShortcut, command, group, marked, item};
}

constexpr MenuRow Separator(const char* name, const char* within) {
  return {Entry::kSeparator, name, within, nullptr, "", "", kNoShortcut, nullptr, nullptr, false, nullptr};
}

constexpr auto kMenuRows = std::to_array<MenuRow>({
    Menu("mnu_Archivo", nullptr, "File0", "&Archivo"),
    Command("mnu_Archivo_CALC", "mnu_Archivo", "File_calculate", "", "&Calcular", &FormMain::mnu_Archivo_CALC_Click,
            Qt::Key_F5),
    Separator("ZEP0073", "mnu_Archivo"),
    Command("mnu_Archivo_OPEN", "mnu_Archivo", "File_Open", "...", "&Abrir...", &FormMain::mnu_Archivo_OPEN_Click,
            Qt::CTRL | Qt::Key_O),
    Command("mnu_Archivo_SAVE", "mnu_Archivo", "File_Save", "", "&Guardar", &FormMain::mnu_Archivo_SAVE_Click,
            Qt::CTRL | Qt::Key_S),
    Command("mnu_Archivo_SAVEAS", "mnu_Archivo", "File_SaveAs", "...", "Guardar &como...",
            &FormMain::mnu_Archivo_SAVEAS_Click),
    Separator("mnu_ZEP002", "mnu_Archivo"),
    Command("mnu_Archivo_PRINT", "mnu_Archivo", "File_Print", "...", "&Imprimir...", &FormMain::mnu_Archivo_PRINT_Click,
            Qt::CTRL | Qt::Key_P),
    Separator("ZEP001", "mnu_Archivo"),
    Command("mnu_Archivo_Salir", "mnu_Archivo", "File_Exit", "", "&Salir", &FormMain::mnu_Archivo_Salir_Click,
            Qt::CTRL | Qt::Key_F4),

    Menu("mnu_OPCIONES", nullptr, "Options", "&Opciones"),
    Menu("mnu_Decimal_SEP", "mnu_OPCIONES", "Decimal_sep", "Separador &decimal"),
    Mark("mnu_Decimal_SEP_DOT", "mnu_Decimal_SEP", "Decimal_sep_Dot", "[ . ] &Punto",
         &FormMain::mnu_Decimal_SEP_DOT_Click, "mnu_Decimal_SEP_group", &FormMain::mnu_Decimal_SEP_DOT),
    Mark("mnu_Decimal_SEP_COM", "mnu_Decimal_SEP", "Decimal_sep_Comma", "[ , ] &Coma",
         &FormMain::mnu_Decimal_SEP_COM_Click, "mnu_Decimal_SEP_group", &FormMain::mnu_Decimal_SEP_COM),

    Menu("mnu_Ayuda", nullptr, "Help0", "Ay&uda"),
    Command("mnu_Ayuda_Manual", "mnu_Ayuda", "Help_Manual", "...", "&Manual del usuario (documento PDF)...",
            &FormMain::mnu_Ayuda_Manual_Click, Qt::Key_F1),
    Separator("ZEP8512", "mnu_Ayuda"),
    Command("mnu_Ayuda_WEB", "mnu_Ayuda", "Help_WebPage", "...", "P\xE1gina &Web: www.norvath.example...",
            &FormMain::mnu_Ayuda_WEB_Click),
    Menu("mnu_Help_update", "mnu_Ayuda", "Help_Updates", "Actualizaciones"),
    Command("mnu_Help_update_now", "mnu_Help_update", "Help_Updates_Now", "...", "Comprobar ahora",
            &FormMain::mnu_Help_update_now_Click),
    Menu("mnu_Help_Upd_Set", "mnu_Help_update", "Help_Updates_Settings", "Periodicidad..."),
    Mark("mnu_Help_Upd_Set_1", "mnu_Help_Upd_Set", "Help_Updates_Settings_1day", "Una vez al d\xED" "a",
         &FormMain::mnu_Help_Upd_Set_1_Click, "mnu_Help_Upd_Set_group", &FormMain::mnu_Help_Upd_Set_1),
    Mark("mnu_Help_Upd_Set_7", "mnu_Help_Upd_Set", "Help_Updates_Settings_1week", "Una vez a la semana",
         &FormMain::mnu_Help_Upd_Set_7_Click, "mnu_Help_Upd_Set_group", &FormMain::mnu_Help_Upd_Set_7, true),
    Mark("mnu_Help_Upd_Set_30", "mnu_Help_Upd_Set", "Help_Updates_Settings_1month", "Una vez al mes",
         &FormMain::mnu_Help_Upd_Set_30_Click, "mnu_Help_Upd_Set_group", &FormMain::mnu_Help_Upd_Set_30),
    Command("mnu_Ayuda_Acerca", "mnu_Ayuda", "Help_About", "...", "&Acerca de...", &FormMain::mnu_Ayuda_Acerca_Click,
            Qt::SHIFT | Qt::Key_F1),
});

}  // namespace

void FormMain::CreateMenus() {
  QMenuBar* bar = menuBar();
  std::map<std::string, QMenu*> menus;
  std::map<std::string, QActionGroup*> groups;
  menuEntries_.clear();
  for (const MenuRow& row : kMenuRows) {
    QMenu* within = row.within ? menus.at(row.within) : nullptr;
    QAction* entry = nullptr;
    switch (row.entry) {
      case Entry::kMenu: {
        QMenu* menu = within ? within->addMenu(QText(row.caption)) : bar->addMenu(QText(row.caption));
        menu->setObjectName(row.name);
        entry = menu->menuAction();
        entry->setObjectName(QString(row.name) + "_menu");
        menus[row.name] = menu;
        break;
      }
      case Entry::kSeparator:
        entry = within->addSeparator();
        entry->setObjectName(row.name);
        break;
      case Entry::kCommand:
      case Entry::kMark:
        entry = within->addAction(QText(row.caption));
        entry->setObjectName(row.name);
        if (row.shortcut.toCombined() != 0) {
          entry->setShortcut(row.shortcut);
          // A shortcut works anywhere in the window, whichever control has the focus.
          entry->setShortcutContext(Qt::WindowShortcut);
        }
        if (row.entry == Entry::kMark) {
          entry->setCheckable(true);
          entry->setChecked(row.marked);
          QActionGroup*& group = groups[row.group];
          if (!group) {
            group = new QActionGroup(this);
            group->setObjectName(row.group);
            group->setExclusive(true);
          }
          group->addAction(entry);
        }
        connect(entry, &QAction::triggered, this, [this, command = row.command] { (this->*command)(); });
        break;
    }
    if (row.item) this->*row.item = entry;
    menuEntries_.push_back(entry);
  }
}

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
