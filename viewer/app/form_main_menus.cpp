// The main window's menus as designed; their captions come from the language file
// (SetLanguaje), their commands from the handlers of the other files.
#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "viewer/app/form_main.h"

namespace stagora::viewer {
namespace {

QAction* Item(QMenu* menu, const char* name, const QKeySequence& shortcut = {}) {
  QAction* a = menu->addAction(QString());
  a->setObjectName(name);
  if (!shortcut.isEmpty()) a->setShortcut(shortcut);
  return a;
}

QAction* Separator(QMenu* menu, const char* name) {
  QAction* a = menu->addSeparator();
  a->setObjectName(name);
  return a;
}

QMenu* SubMenu(QWidget* parent, const char* name) {
  auto* m = new QMenu(parent);
  m->setObjectName(name);
  return m;
}

// A check mark is the command's to set: a click does not toggle it by itself.
template <class Handler>
void OnClick(QAction* item, Handler handler) {
  item->setCheckable(true);
  QObject::connect(item, &QAction::triggered, item, [item, handler](bool checkedNow) {
    item->setChecked(!checkedNow);
    handler();
  });
}

}  // namespace

void FormMain::CreateMenus() {
  QMenuBar* bar = menuBar();

  mnu_File = SubMenu(this, "mnu_File");
  bar->addMenu(mnu_File);
  mnu_File_Open = Item(mnu_File, "mnu_File_Open", QKeySequence(Qt::CTRL | Qt::Key_O));
  mnu_File_SaveAs = Item(mnu_File, "mnu_File_SaveAs", QKeySequence(Qt::CTRL | Qt::Key_S));
  Separator(mnu_File, "zep01");
  mnu_File_Print = Item(mnu_File, "mnu_File_Print", QKeySequence(Qt::CTRL | Qt::Key_P));
  zep04 = Separator(mnu_File, "zep04");
  zep04->setVisible(false);
  for (int n = 1; n <= kRecentEntries; ++n) {
    mnu_File_Reciente[n] = Item(mnu_File, ("mnu_File_Reciente_" + std::to_string(n)).c_str());
    mnu_File_Reciente[n]->setVisible(false);
    connect(mnu_File_Reciente[n], &QAction::triggered, this, [this, n] { mnu_File_Reciente_Click(n); });
  }
  Separator(mnu_File, "zep03");
  mnu_File_Exit = Item(mnu_File, "mnu_File_Exit", QKeySequence(Qt::CTRL | Qt::Key_F4));
  connect(mnu_File_Open, &QAction::triggered, this, [this] { mnu_File_Open_Click(); });
  connect(mnu_File_SaveAs, &QAction::triggered, this, [this] { mnu_File_SaveAs_Click(); });
  connect(mnu_File_Exit, &QAction::triggered, this, [this] { mnu_File_Exit_Click(); });

  mnu_Ver = SubMenu(this, "mnu_Ver");
  bar->addMenu(mnu_Ver);
  mnu_Ver_NOSOL = Item(mnu_Ver, "mnu_Ver_NOSOL");
  mnu_Ver_SOLOSOL = Item(mnu_Ver, "mnu_Ver_SOLOSOL");
  mnu_Ver_RES1 = Item(mnu_Ver, "mnu_Ver_RES1");
  mnu_Ver_RES2 = Item(mnu_Ver, "mnu_Ver_RES2");
  OnClick(mnu_Ver_NOSOL, [this] { mnu_Ver_NOSOL_Click(); });
  OnClick(mnu_Ver_SOLOSOL, [this] { mnu_Ver_SOLOSOL_Click(); });
  OnClick(mnu_Ver_RES1, [this] { mnu_Ver_RES1_Click(); });
  OnClick(mnu_Ver_RES2, [this] { mnu_Ver_RES2_Click(); });
  Separator(mnu_Ver, "ZEP5958965");
  mnu_zoom = SubMenu(this, "mnu_zoom");
  mnu_Ver->addMenu(mnu_zoom);
  mnu_zoomANCHO = Item(mnu_zoom, "mnu_zoomANCHO");
  Separator(mnu_zoom, "zep234");
  mnu_zoom50 = Item(mnu_zoom, "mnu_zoom50");
  mnu_zoom75 = Item(mnu_zoom, "mnu_zoom75");
  mnu_zoom100 = Item(mnu_zoom, "mnu_zoom100");
  mnu_zoom150 = Item(mnu_zoom, "mnu_zoom150");
  mnu_zoom200 = Item(mnu_zoom, "mnu_zoom200");
  mnu_zoom50->setText("50 %");
  mnu_zoom75->setText("75 %");
  mnu_zoom100->setText("100 %");
  mnu_zoom150->setText("150 %");
  mnu_zoom200->setText("200 %");
  OnClick(mnu_zoomANCHO, [this] { mnu_zoomANCHO_Click(); });
  for (QAction* fixed : {mnu_zoom50, mnu_zoom75, mnu_zoom100, mnu_zoom150, mnu_zoom200}) fixed->setCheckable(true);
  mnu_zoom100->setChecked(true);
  Separator(mnu_Ver, "zep340");
  mnu_Ver_SEPDEC = SubMenu(this, "mnu_Ver_SEPDEC");
  mnu_Ver->addMenu(mnu_Ver_SEPDEC);
  mnu_Ver_SEP_PTO = Item(mnu_Ver_SEPDEC, "mnu_Ver_SEP_PTO");
  mnu_Ver_SEP_COM = Item(mnu_Ver_SEPDEC, "mnu_Ver_SEP_COM");
  OnClick(mnu_Ver_SEP_PTO, [this] { mnu_Ver_SEP_PTO_Click(); });
  OnClick(mnu_Ver_SEP_COM, [this] { mnu_Ver_SEP_COM_Click(); });

  mnu_Ayuda = SubMenu(this, "mnu_Ayuda");
  bar->addMenu(mnu_Ayuda);
  mnu_Ayuda_MAN = Item(mnu_Ayuda, "mnu_Ayuda_MAN", QKeySequence(Qt::Key_F1));
  Separator(mnu_Ayuda, "zep93");
  mnu_Ayuda_WEB = Item(mnu_Ayuda, "mnu_Ayuda_WEB");
  mnu_Ayuda_ACE = Item(mnu_Ayuda, "mnu_Ayuda_ACE");
  connect(mnu_Ayuda_ACE, &QAction::triggered, this, [this] { mnu_Ayuda_ACE_Click(); });
}

}  // namespace stagora::viewer
