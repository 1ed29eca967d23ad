// A main window's menu bar as one table: a row per menu, command, marked command and
// separator, in the order they show, each naming the menu it is listed in. Both programs build,
// wire and caption their menu bar by walking their table; what differs between their menus is
// said by the rows. A table whose row names a menu that no earlier row makes does not compile.
#pragma once

#include <QAction>
#include <QActionGroup>
#include <QKeyCombination>
#include <QMenu>
#include <QMenuBar>
#include <cstddef>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "common/controls_ui.h"

namespace stagora {

// Menus; commands; marked commands; separators; and the place of a list of entries the
// window makes and changes itself (the recent documents).
enum class MenuEntry { kMenu, kCommand, kMark, kSeparator, kList };

inline constexpr QKeyCombination kNoShortcut = QKeyCombination::fromCombined(0);

// A row of `Window`'s menu table. A marked command's mark is the command's to set: a click
// changes no mark by itself (the command may refuse). Marks of one group show the platform's
// radio mark; a click on one of them lets the group take the mark off the others, so each
// command of a group sets every mark of its group.
template <class Window>
struct MenuRow {
  MenuEntry entry = MenuEntry::kCommand;
  const char* name = "";         // the object name; a menu's own entry in its parent is name + "_menu"
  const char* within = nullptr;  // the menu it is listed in; null for the menu bar
  const char* key = nullptr;     // its caption in the language file; null: its caption never changes
  const char* tail = "";         // added to that caption ("..." where the command opens a window)
  const char* caption = "";      // the caption it is built with (Windows-1252), until the language's
  QKeyCombination shortcut = kNoShortcut;
  void (Window::*command)() = nullptr;
  const char* group = nullptr;   // a marked command's group
  bool marked = false;           // a marked command's mark as the window is built
  bool hidden = false;           // hidden until the window's code shows it
  QAction* Window::*item = nullptr;  // the member that keeps an entry the window's code reaches
  QMenu* Window::*menu = nullptr;    // and a menu

  // A row of the kind, named and listed, the other fields as a row starts.
  static constexpr MenuRow Entry(MenuEntry entry, const char* name, const char* within, const char* key = nullptr,
                                 const char* caption = "") {
    MenuRow r;
    r.entry = entry;
    r.name = name;
    r.within = within;
    r.key = key;
    r.caption = caption;
    return r;
  }

  static constexpr MenuRow Menu(const char* name, const char* within, const char* key, const char* caption = "",
                                QMenu* Window::*menu = nullptr) {
    MenuRow r = Entry(MenuEntry::kMenu, name, within, key, caption);
    r.menu = menu;
    return r;
  }

  static constexpr MenuRow Command(const char* name, const char* within, const char* key, const char* tail,
                                   const char* caption, void (Window::*command)(),
                                   QKeyCombination shortcut = kNoShortcut, QAction* Window::*item = nullptr) {
    MenuRow r = Entry(MenuEntry::kCommand, name, within, key, caption);
    r.tail = tail;
    r.shortcut = shortcut;
    r.command = command;
    r.item = item;
    return r;
  }

  // A marked command; a null key keeps its caption for good.
  static constexpr MenuRow Mark(const char* name, const char* within, const char* key, const char* caption,
                                void (Window::*command)(), QAction* Window::*item, const char* group = nullptr,
                                bool marked = false) {
    MenuRow r = Entry(MenuEntry::kMark, name, within, key, caption);
    r.command = command;
    r.item = item;
    r.group = group;
    r.marked = marked;
    return r;
  }

  static constexpr MenuRow Separator(const char* name, const char* within) {
    return Entry(MenuEntry::kSeparator, name, within);
  }

  static constexpr MenuRow HiddenSeparator(const char* name, const char* within, QAction* Window::*item) {
    MenuRow r = Separator(name, within);
    r.hidden = true;
    r.item = item;
    return r;
  }

  static constexpr MenuRow List(const char* name, const char* within) { return Entry(MenuEntry::kList, name, within); }
};

constexpr bool SameMenuName(const char* a, const char* b) {
  while (*a != '\0' && *a == *b) {
    ++a;
    ++b;
  }
  return *a == *b;
}

// True when every row but a menu is listed in a menu, and every menu it is listed in is made
// by an earlier row.
template <class Rows>
constexpr bool EachRowsMenuComesBeforeIt(const Rows& rows) {
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (!rows[i].within) {
      if (rows[i].entry != MenuEntry::kMenu) return false;
      continue;
    }
    bool made = false;
    for (std::size_t j = 0; j < i && !made; ++j) {
      made = rows[j].entry == MenuEntry::kMenu && SameMenuName(rows[j].name, rows[i].within);
    }
    if (!made) return false;
  }
  return true;
}

// Builds the menu bar of `window` from its table `rows`: the menus, entries and groups, wired
// to their commands, kept in the members the rows name. `makeList` makes the entries of a list
// row in the menu it is listed in. Returns the entry made for each row, in order (null for a
// list).
template <const auto& rows, class Window>
std::vector<QAction*> BuildMenuBar(Window& window, QMenuBar* bar,
                                   const std::function<void(QMenu* within, const char* name)>& makeList = {}) {
  static_assert(EachRowsMenuComesBeforeIt(rows), "a menu table row is listed in a menu no earlier row makes");
  std::map<std::string, QMenu*> menus;
  std::map<std::string, QActionGroup*> groups;
  std::vector<QAction*> entries;
  for (const MenuRow<Window>& row : rows) {
    QMenu* within = row.within ? menus.at(row.within) : nullptr;
    QAction* entry = nullptr;
    switch (row.entry) {
      case MenuEntry::kMenu: {
        auto* menu = new QMenu(QText(row.caption), &window);
        menu->setObjectName(row.name);
        entry = within ? within->addMenu(menu) : bar->addMenu(menu);
        entry->setObjectName(QString(row.name) + "_menu");
        menus[row.name] = menu;
        if (row.menu) window.*row.menu = menu;
        break;
      }
      case MenuEntry::kSeparator:
        entry = within->addSeparator();
        entry->setObjectName(row.name);
        break;
      case MenuEntry::kCommand:
      case MenuEntry::kMark:
        entry = within->addAction(QText(row.caption));
        entry->setObjectName(row.name);
        if (row.shortcut.toCombined() != 0) {
          entry->setShortcut(row.shortcut);
          // A shortcut works anywhere in the window, whichever control has the focus.
          entry->setShortcutContext(Qt::WindowShortcut);
        }
        if (row.entry == MenuEntry::kCommand) {
          QObject::connect(entry, &QAction::triggered, &window, [&window, command = row.command] { (window.*command)(); });
          break;
        }
        entry->setCheckable(true);
        entry->setChecked(row.marked);
        if (row.group) {
          QActionGroup*& group = groups[row.group];
          if (!group) {
            group = new QActionGroup(&window);
            group->setObjectName(row.group);
            // Optional: a click always turns the clicked mark over, so it can be put back.
            group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
          }
          group->addAction(entry);
        }
        QObject::connect(entry, &QAction::triggered, entry, [&window, entry, command = row.command](bool markedNow) {
          entry->setChecked(!markedNow);
          (window.*command)();
        });
        break;
      case MenuEntry::kList:
        if (makeList) makeList(within, row.name);
        break;
    }
    if (entry && row.hidden) entry->setVisible(false);
    if (row.item) window.*row.item = entry;
    entries.push_back(entry);
  }
  return entries;
}

// Captions the entries made from a menu table, one per row, in order: each row that names a
// caption key gets that key's text (`text(key)`, Windows-1252) followed by the row's tail.
template <class Rows, class KeyText>
void CaptionMenuEntries(const Rows& rows, const std::vector<QAction*>& entries, const KeyText& text) {
  std::size_t i = 0;
  for (const auto& row : rows) {
    if (row.key) SetEntryCaption(entries[i], QText(text(row.key) + row.tail));
    ++i;
  }
}

}  // namespace stagora
