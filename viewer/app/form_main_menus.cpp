// The main window's menus as one table: a row per menu, command, marked command and separator,
// in the order they show, each naming the menu it is listed in. The window is built, wired and
// captioned by walking it; the captions come from the language file (SetLanguaje), the
// commands' bodies from the handlers of the other files.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <array>
#include <map>
#include <string>

#include "viewer/app/controls.h"
#include "viewer/app/form_main.h"

namespace stagora::viewer {
namespace {

// Commands; marked commands, whose check mark is the command's to set (a click does not toggle
// it by itself); separators; menus; and the place of the list of recent documents.
enum class Entry { kCommand, kMark, kSeparator, kMenu, kRecentDocuments };

constexpr QKeyCombination kNoShortcut = QKeyCombination::fromCombined(0);

struct MenuRow {
  Entry entry;
  const char* name;    // the object name
  const char* within;  // the menu it is listed in; null for the menu bar
  const char* key;     // its caption in the language file; null: its caption never changes
  const char* tail;    // added to that caption ("..." where the command opens a window)
  const char* caption;  // the caption it is built with: none where the language file gives one
  QKeyCombination shortcut;
  void (FormMain::*command)();
  bool marked;    // a marked command's mark as the window is built
  bool hidden;    // hidden until the window's code shows it
  QAction* FormMain::*item;  // the member that keeps an entry the window's code reaches
  QMenu* FormMain::*menu;    // and a menu
};

constexpr MenuRow Menu(const char* name, const char* within, const char* key, QMenu* FormMain::*menu = nullptr) {
  return {Entry::kMenu, name, within, key, "", "", kNoShortcut, nullptr, false, false, nullptr, menu};
}

constexpr MenuRow Command(const char* name, const char* within, const char* key, const char* tail,
                          void (FormMain::*command)(), QKeyCombination shortcut = kNoShortcut,
                          QAction* FormMain::*item = nullptr) {
  return {Entry::kCommand, name, within, key, tail, "", shortcut, command, false, false, item, nullptr};
}

constexpr MenuRow Mark(const char* name, const char* within, const char* key, void (FormMain::*command)(),
                       QAction* FormMain::*item) {
  return {Entry::kMark, name, within, key, "", "", kNoShortcut, command, false, false, item, nullptr};
}

// A marked command whose caption is fixed.
constexpr MenuRow FixedMark(const char* name, const char* within, const char* caption, void (FormMain::*command)(),
                            QAction* FormMain::*item, bool marked = false) {
  return {Entry::kMark, name, within, nullptr, "", caption, kNoShortcut, command, marked, false, item, nullptr};
}

constexpr MenuRow Separator(const char* name, const char* within) {
  return {Entry::kSeparator, name, within, nullptr, "", "", kNoShortcut, nullptr, false, false, nullptr, nullptr};
}

constexpr MenuRow HiddenSeparator(const char* name, const char* within, QAction* FormMain::*item) {
  return {Entry::kSeparator, name, within, nullptr, "", "", kNoShortcut, nullptr, false, true, item, nullptr};
}

constexpr MenuRow RecentDocuments(const char* name, const char* within) {
  return {Entry::kRecentDocuments, name, within, nullptr, "", "", kNoShortcut, nullptr, false, true, nullptr, nullptr};
}

constexpr auto kMenuRows = std::to_array<MenuRow>({
    Menu("mnu_File", nullptr, "File0", &FormMain::mnu_File),
    Command("mnu_File_Open", "mnu_File", "File_Open", "...", &FormMain::mnu_File_Open_Click, Qt::CTRL | Qt::Key_O),
    Command("mnu_File_SaveAs", "mnu_File", "File_SaveAs", "...", &FormMain::mnu_File_SaveAs_Click,
            Qt::CTRL | Qt::Key_S, &FormMain::mnu_File_SaveAs),
    Separator("zep01", "mnu_File"),
    Command("mnu_File_Print", "mnu_File", "File_Print", "...", &FormMain::mnu_File_Print_Click, Qt::CTRL | Qt::Key_P,
            &FormMain::mnu_File_Print),
    HiddenSeparator("zep04", "mnu_File", &FormMain::zep04),  // shown with the first recent document
    RecentDocuments("mnu_File_Reciente", "mnu_File"),
    Separator("zep03", "mnu_File"),
    Command("mnu_File_Exit", "mnu_File", "File_Exit", "", &FormMain::mnu_File_Exit_Click, Qt::CTRL | Qt::Key_F4),

    Menu("mnu_Ver", nullptr, "View0", &FormMain::mnu_Ver),
    Mark("mnu_Ver_NOSOL", "mnu_Ver", "View_NoAnswer", &FormMain::mnu_Ver_NOSOL_Click, &FormMain::mnu_Ver_NOSOL),
    Mark("mnu_Ver_SOLOSOL", "mnu_Ver", "View_OnlyAnswer", &FormMain::mnu_Ver_SOLOSOL_Click, &FormMain::mnu_Ver_SOLOSOL),
    Mark("mnu_Ver_RES1", "mnu_Ver", "View_Resol1", &FormMain::mnu_Ver_RES1_Click, &FormMain::mnu_Ver_RES1),
    Mark("mnu_Ver_RES2", "mnu_Ver", "View_Resol2", &FormMain::mnu_Ver_RES2_Click, &FormMain::mnu_Ver_RES2),
    Separator("ZEP5958965", "mnu_Ver"),
    Menu("mnu_zoom", "mnu_Ver", "View_Zoom", &FormMain::mnu_zoom),
    Mark("mnu_zoomANCHO", "mnu_zoom", "View_Zoom2WinSize", &FormMain::mnu_zoomANCHO_Click, &FormMain::mnu_zoomANCHO),
    Separator("zep234", "mnu_zoom"),
    FixedMark("mnu_zoom50", "mnu_zoom", "50 %", &FormMain::mnu_zoom50_Click, &FormMain::mnu_zoom50),
    FixedMark("mnu_zoom75", "mnu_zoom", "75 %", &FormMain::mnu_zoom75_Click, &FormMain::mnu_zoom75),
    FixedMark("mnu_zoom100", "mnu_zoom", "100 %", &FormMain::mnu_zoom100_Click, &FormMain::mnu_zoom100, true),
    FixedMark("mnu_zoom150", "mnu_zoom", "150 %", &FormMain::mnu_zoom150_Click, &FormMain::mnu_zoom150),
    FixedMark("mnu_zoom200", "mnu_zoom", "200 %", &FormMain::mnu_zoom200_Click, &FormMain::mnu_zoom200),
    Separator("zep340", "mnu_Ver"),
    Menu("mnu_Ver_SEPDEC", "mnu_Ver", "View_DecSep"),
    Mark("mnu_Ver_SEP_PTO", "mnu_Ver_SEPDEC", "View_DecSepPoint", &FormMain::mnu_Ver_SEP_PTO_Click,
         &FormMain::mnu_Ver_SEP_PTO),
    Mark("mnu_Ver_SEP_COM", "mnu_Ver_SEPDEC", "View_DecSepComma", &FormMain::mnu_Ver_SEP_COM_Click,
         &FormMain::mnu_Ver_SEP_COM),

    Menu("mnu_Ayuda", nullptr, "Help0", &FormMain::mnu_Ayuda),
    Command("mnu_Ayuda_MAN", "mnu_Ayuda", "Help_Manual", "", &FormMain::mnu_Ayuda_MAN_Click, Qt::Key_F1),
    Separator("zep93", "mnu_Ayuda"),
    Command("mnu_Ayuda_WEB", "mnu_Ayuda", "Help_WebPage", "", &FormMain::mnu_Ayuda_WEB_Click),
    Command("mnu_Ayuda_ACE", "mnu_Ayuda", "Help_About", "...", &FormMain::mnu_Ayuda_ACE_Click),
});

QAction* AddCommand(QMenu* menu, const char* name, const QString& caption, QKeyCombination shortcut = kNoShortcut) {
  QAction* a = menu->addAction(caption);
  a->setObjectName(name);
  if (shortcut.toCombined() != 0) a->setShortcut(shortcut);
  return a;
}

}  // namespace

void FormMain::CreateMenus() {
  QMenuBar* bar = menuBar();
  std::map<std::string, QMenu*> menus;
  menuEntries_.clear();
  for (const MenuRow& row : kMenuRows) {
    QMenu* within = row.within ? menus.at(row.within) : nullptr;
    QAction* entry = nullptr;
    switch (row.entry) {
      case Entry::kMenu: {
        auto* menu = new QMenu(this);
        menu->setObjectName(row.name);
        entry = within ? within->addMenu(menu) : bar->addMenu(menu);
        menus[row.name] = menu;
        if (row.menu) this->*row.menu = menu;
        break;
      }
      case Entry::kSeparator:
        entry = within->addSeparator();
        entry->setObjectName(row.name);
        break;
      case Entry::kCommand:
        entry = AddCommand(within, row.name, *row.caption ? QText(row.caption) : QString(), row.shortcut);
        connect(entry, &QAction::triggered, this, [this, command = row.command] { (this->*command)(); });
        break;
      case Entry::kMark:
        entry = AddCommand(within, row.name, *row.caption ? QText(row.caption) : QString(), row.shortcut);
        entry->setCheckable(true);
        entry->setChecked(row.marked);
        connect(entry, &QAction::triggered, entry, [this, entry, command = row.command](bool checkedNow) {
          entry->setChecked(!checkedNow);
          (this->*command)();
        });
        break;
      case Entry::kRecentDocuments:
        for (int n = 1; n <= kRecentEntries; ++n) {
          mnu_File_Reciente[n] = AddCommand(within, (std::string(row.name) + "_" + std::to_string(n)).c_str(), QString());
          mnu_File_Reciente[n]->setVisible(false);
          connect(mnu_File_Reciente[n], &QAction::triggered, this, [this, n] { mnu_File_Reciente_Click(n); });
        }
        break;
    }
    if (entry && row.hidden) entry->setVisible(false);
    if (row.item) this->*row.item = entry;
    menuEntries_.push_back(entry);
  }
}

void FormMain::SetMenuCaptions() {
  CaptionMenuEntries(kMenuRows, menuEntries_, [this](const char* key) { return GetL_win(key); });
}

}  // namespace stagora::viewer
