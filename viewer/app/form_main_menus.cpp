// The main window's menus as one table: a row per menu, command, marked command and separator,
// in the order they show, each naming the menu it is listed in. The window is built, wired and
// captioned by walking it; the captions come from the language file (SetLanguaje), the
// commands' bodies from the handlers of the other files.
#include <QAction>
#include <QMenu>
#include <array>

#include "common/menu_table_ui.h"

#include "viewer/app/controls.h"
#include "viewer/app/form_main.h"

namespace stagora::viewer {
namespace {

using Row = MenuRow<FormMain>;

constexpr auto kMenuRows = std::to_array<Row>({
    Row::Menu("mnu_File", nullptr, "File0", "", &FormMain::mnu_File),
    Row::Command("mnu_File_Open", "mnu_File", "File_Open", "...", "", &FormMain::mnu_File_Open_Click,
                 Qt::CTRL | Qt::Key_O),
    Row::Command("mnu_File_SaveAs", "mnu_File", "File_SaveAs", "...", "", &FormMain::mnu_File_SaveAs_Click,
                 Qt::CTRL | Qt::Key_S, &FormMain::mnu_File_SaveAs),
    Row::Separator("zep01", "mnu_File"),
    Row::Command("mnu_File_Print", "mnu_File", "File_Print", "...", "", &FormMain::mnu_File_Print_Click,
                 Qt::CTRL | Qt::Key_P, &FormMain::mnu_File_Print),
    Row::HiddenSeparator("zep04", "mnu_File", &FormMain::zep04),  // shown with the first recent document
    Row::List("mnu_File_Reciente", "mnu_File"),
    Row::Separator("zep03", "mnu_File"),
    Row::Command("mnu_File_Exit", "mnu_File", "File_Exit", "", "", &FormMain::mnu_File_Exit_Click,
                 Qt::CTRL | Qt::Key_F4, &FormMain::mnu_File_Exit),

    Row::Menu("mnu_Ver", nullptr, "View0", "", &FormMain::mnu_Ver),
    Row::Mark("mnu_Ver_NOSOL", "mnu_Ver", "View_NoAnswer", "", &FormMain::mnu_Ver_NOSOL_Click,
              &FormMain::mnu_Ver_NOSOL),
    Row::Mark("mnu_Ver_SOLOSOL", "mnu_Ver", "View_OnlyAnswer", "", &FormMain::mnu_Ver_SOLOSOL_Click,
              &FormMain::mnu_Ver_SOLOSOL),
    Row::Mark("mnu_Ver_RES1", "mnu_Ver", "View_Resol1", "", &FormMain::mnu_Ver_RES1_Click, &FormMain::mnu_Ver_RES1),
    Row::Mark("mnu_Ver_RES2", "mnu_Ver", "View_Resol2", "", &FormMain::mnu_Ver_RES2_Click, &FormMain::mnu_Ver_RES2),
    Row::Separator("ZEP5958965", "mnu_Ver"),
    Row::Menu("mnu_zoom", "mnu_Ver", "View_Zoom", "", &FormMain::mnu_zoom),
    Row::Mark("mnu_zoomANCHO", "mnu_zoom", "View_Zoom2WinSize", "", &FormMain::mnu_zoomANCHO_Click,
              &FormMain::mnu_zoomANCHO),
    Row::Separator("zep234", "mnu_zoom"),
    Row::Mark("mnu_zoom50", "mnu_zoom", nullptr, "50 %", &FormMain::mnu_zoom50_Click, &FormMain::mnu_zoom50),
    Row::Mark("mnu_zoom75", "mnu_zoom", nullptr, "75 %", &FormMain::mnu_zoom75_Click, &FormMain::mnu_zoom75),
    Row::Mark("mnu_zoom100", "mnu_zoom", nullptr, "100 %", &FormMain::mnu_zoom100_Click, &FormMain::mnu_zoom100,
              nullptr, true),
    Row::Mark("mnu_zoom150", "mnu_zoom", nullptr, "150 %", &FormMain::mnu_zoom150_Click, &FormMain::mnu_zoom150),
    Row::Mark("mnu_zoom200", "mnu_zoom", nullptr, "200 %", &FormMain::mnu_zoom200_Click, &FormMain::mnu_zoom200),
    Row::Separator("zep340", "mnu_Ver"),
    Row::Menu("mnu_Ver_SEPDEC", "mnu_Ver", "View_DecSep"),
    Row::Mark("mnu_Ver_SEP_PTO", "mnu_Ver_SEPDEC", "View_DecSepPoint", "", &FormMain::mnu_Ver_SEP_PTO_Click,
              &FormMain::mnu_Ver_SEP_PTO),
    Row::Mark("mnu_Ver_SEP_COM", "mnu_Ver_SEPDEC", "View_DecSepComma", "", &FormMain::mnu_Ver_SEP_COM_Click,
              &FormMain::mnu_Ver_SEP_COM),

    Row::Menu("mnu_Ayuda", nullptr, "Help0", "", &FormMain::mnu_Ayuda),
    Row::Command("mnu_Ayuda_MAN", "mnu_Ayuda", "Help_Manual", "", "", &FormMain::mnu_Ayuda_MAN_Click, Qt::Key_F1),
    Row::Separator("zep93", "mnu_Ayuda"),
    Row::Command("mnu_Ayuda_WEB", "mnu_Ayuda", "Help_WebPage", "", "", &FormMain::mnu_Ayuda_WEB_Click),
    Row::Command("mnu_Ayuda_ACE", "mnu_Ayuda", "Help_About", "...", "", &FormMain::mnu_Ayuda_ACE_Click),
});

}  // namespace

void FormMain::CreateMenus() {
  menuEntries_ = BuildMenuBar<kMenuRows>(*this, menuBar(), [this](QMenu* within, const char* name) {
    for (int n = 1; n <= kRecentEntries; ++n) {
      QAction* entry = within->addAction(QString());
      entry->setObjectName(QString(name) + "_" + QString::number(n));
      entry->setVisible(false);
      connect(entry, &QAction::triggered, this, [this, n] { mnu_File_Reciente_Click(n); });
      mnu_File_Reciente[n] = entry;
    }
  });
}

void FormMain::SetMenuCaptions() {
  CaptionMenuEntries(kMenuRows, menuEntries_, [this](const char* key) { return GetL_win(key); });
}

}  // namespace stagora::viewer
