// The main window's load: settings, locale, decimal symbol, default table and data, the
// captions from the language file (and without it), menus, shortcuts and timers, and the
// splash that leads to the window.
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "designer/designer_settings.h"
#include "common/web_address.h"
#include "designer/start/designer_app.h"
#include "designer/start/designer_splash_ui.h"
#include "designer/window/controls.h"
#include "platform/encoding.h"
#include "platform/paths.h"
#include "platform/textfile.h"
#include "tests/designer/main_window_fixture.h"

namespace stagora::test {
namespace {

std::string Field(const designer::FormMain& w, int n) { return w.Text[n]->text().toStdString(); }

std::vector<const QAction*> CheckedPeriodItems(const designer::FormMain& w) {
  std::vector<const QAction*> checked;
  for (const QAction* a : {w.mnu_Help_Upd_Set_1, w.mnu_Help_Upd_Set_7, w.mnu_Help_Upd_Set_30}) {
    if (a->isChecked()) checked.push_back(a);
  }
  return checked;
}

TEST_F(MainWindowTest, FreshStartUnderAGermanLocaleShowsCommasAndTheDefaultDesign) {
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  designer::FormMain& w = Load();
  EXPECT_EQ(w.SimboloDecimal, ",");
  EXPECT_EQ(Field(w, 1), "2");
  EXPECT_EQ(Field(w, 2), "0,5");
  EXPECT_EQ(Field(w, 3), "0,46");
  EXPECT_EQ(Field(w, 4), "0,85");
  EXPECT_EQ(Field(w, 5), "0,17");
  EXPECT_EQ(Field(w, 6), "3");
  EXPECT_EQ(Field(w, 15), "1");
  for (int n = 1; n <= 15; ++n) EXPECT_EQ(Field(w, n).find('.'), std::string::npos) << "Text" << n;
  EXPECT_TRUE(w.mnu_Decimal_SEP_COM->isChecked());
  EXPECT_FALSE(w.mnu_Decimal_SEP_DOT->isChecked());
  EXPECT_EQ(CheckedPeriodItems(w), std::vector<const QAction*>{w.mnu_Help_Upd_Set_7});
  EXPECT_FALSE(w.Modificado);
  EXPECT_EQ(form->State().PathTabla, "");
  EXPECT_EQ(form->State().PathArchivo, "");
  EXPECT_FALSE(form->State().BloqueoChange);
}

TEST_F(MainWindowTest, FreshStartUnderAnEnglishLocaleShowsPoints) {
  designer::FormMain& w = Load();
  EXPECT_EQ(w.SimboloDecimal, ".");
  EXPECT_EQ(Field(w, 2), "0.5");
  EXPECT_EQ(Field(w, 3), "0.46");
  EXPECT_EQ(Field(w, 15), "1");
  EXPECT_TRUE(w.mnu_Decimal_SEP_DOT->isChecked());
  EXPECT_FALSE(w.mnu_Decimal_SEP_COM->isChecked());
  EXPECT_FALSE(w.Modificado);
}

TEST_F(MainWindowTest, StoredSettingsOverrideTheLocaleAndSetThePeriodMark) {
  struct Case {
    const char* period;
    const char* symbol;  // as stored
    int checkedDays;
    const char* inUse;   // the symbol the window takes
    const char* text2;
  };
  const Case cases[] = {
      {" 30 ", ".", 30, ".", "0.5"},  // blanks around the period are ignored
      {"1", ",", 1, ",", "0,5"},
      {"2", ".", 7, ".", "0.5"},      // an unknown period falls back to the weekly check
      {"01", ".", 1, ".", "0.5"},     // read as the number the daily check runs on
      // A damaged symbol counts as none stored: the locale's, as at a first start.
      {"7", "x", 7, ",", "0,5"},
      {"7", "", 7, ",", "0,5"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.period) + " / \"" + c.symbol + "\"");
    plat::SetSettingsFolder(ScratchDir(std::string("stored-") + c.symbol + c.period));
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    plat::SaveSetting("TROV", designer::settings::kUpdatePeriod, c.period);
    plat::SaveSetting("TROV", designer::settings::kDecimalSymbol, c.symbol);
    plat::SaveSetting("TROV", designer::settings::kProjectFolder, "/home/u/projects");
    designer::FormMain& w = Load();
    const QAction* expected = c.checkedDays == 1    ? w.mnu_Help_Upd_Set_1
                              : c.checkedDays == 30 ? w.mnu_Help_Upd_Set_30
                                                    : w.mnu_Help_Upd_Set_7;
    EXPECT_EQ(CheckedPeriodItems(w), std::vector<const QAction*>{expected});
    EXPECT_EQ(w.SimboloDecimal, c.inUse);
    EXPECT_EQ(Field(w, 2), c.text2);
    EXPECT_EQ(w.mnu_Decimal_SEP_DOT->isChecked(), std::string(c.inUse) == ".");
    EXPECT_EQ(w.mnu_Decimal_SEP_COM->isChecked(), std::string(c.inUse) == ",");
    EXPECT_EQ(form->State().PathArchivo, "/home/u/projects");
    EXPECT_FALSE(w.Modificado);
  }
}

TEST_F(MainWindowTest, TheDefaultTableIsTheAlphaTwoCurveButNotInUse) {
  designer::FormMain& w = Load();
  const EquilibriumTable& t = form->State().TablaELV;
  EXPECT_EQ(t.UltimoPuntoTabla, -1);
  EXPECT_FALSE(form->State().UsarTabla);
  EXPECT_TRUE(w.OptVOL->isChecked());
  EXPECT_DOUBLE_EQ(t.TablaX[0], 0);
  EXPECT_DOUBLE_EQ(t.TablaY[0], 0);
  EXPECT_DOUBLE_EQ(t.TablaX[10], 0.5);
  EXPECT_DOUBLE_EQ(t.TablaY[10], 2.0 / 3.0);
  EXPECT_DOUBLE_EQ(t.TablaX[20], 1);
  EXPECT_DOUBLE_EQ(t.TablaY[20], 1);
  for (int i = 21; i < kTableRows; ++i) {
    EXPECT_EQ(t.TablaX[i], -1) << i;
    EXPECT_EQ(t.TablaY[i], -1) << i;
  }
  EXPECT_EQ(w.BotonLeft, (std::array<int, 4>{18, 181, 344, 14}));
  EXPECT_EQ(w.BotonTop, (std::array<int, 4>{492, 492, 492, 98}));
  EXPECT_EQ(w.Picture4->size(), QSize(700, 700));
  EXPECT_EQ(w.Picture4->surface().deviceWidth(), 700);
  // The panel's colour lies behind the left column's frame and the option strip.
  EXPECT_EQ(w.Shape2->fillColor(), plat::Rgb(207, 232, 255));
  EXPECT_EQ(w.Picture3->backColor(), plat::Rgb(207, 232, 255));
}

TEST_F(MainWindowTest, TheFirstCalculationRunsDuringTheLoad) {
  designer::FormMain& w = Load();
  EXPECT_TRUE(w.LblERROR->text().isEmpty());
  EXPECT_FALSE(w.Text[field::kRealPlates]->text().isEmpty());
  EXPECT_GT(w.NumPlatosTeor, 0);
  EXPECT_FALSE(w.RotuloEjeX.empty());
}

TEST_F(MainWindowTest, CaptionsComeFromTheLanguageFile) {
  designer::FormMain& w = Load();
  EXPECT_EQ(w.windowTitle(), "Norvath - Stagora");
  EXPECT_EQ(MenuItem(w, "mnu_Archivo_CALC")->text(), "&Calculate");  // the access key stays in the menu
  EXPECT_EQ(w.LabelB[0]->text(), "Calculate");            // and goes from the button
  for (const char* opensDialog : {"mnu_Archivo_OPEN", "mnu_Archivo_SAVEAS", "mnu_Archivo_PRINT", "mnu_Ayuda_Manual",
                                  "mnu_Ayuda_WEB", "mnu_Help_update_now", "mnu_Ayuda_Acerca"}) {
    EXPECT_TRUE(MenuItem(w, opensDialog)->text().endsWith("...")) << opensDialog;
  }
  EXPECT_FALSE(MenuItem(w, "mnu_Archivo_SAVE")->text().endsWith("..."));
  EXPECT_TRUE(w.Label1[27]->text().endsWith(":"));
  EXPECT_TRUE(w.Label1[12]->text().endsWith(" ="));
  EXPECT_TRUE(w.LabelB[3]->text().endsWith("..."));
  EXPECT_EQ(w.Label1[16]->text(), "Zf =");
  EXPECT_EQ(w.Label1[6]->text(), "L     D");
  EXPECT_EQ(w.Label2[3]->toolTip(), w.Label1[2]->text());
  EXPECT_FALSE(w.Label2[1]->toolTip().isEmpty());
  EXPECT_FALSE(w.Txt_q_SATLiq.empty());
  EXPECT_FALSE(w.MsgAsk2Save.empty());
  EXPECT_EQ(form->State().Txt_HomePage.rfind("https://", 0), 0u);
  EXPECT_EQ(form->State().Txt_AllFiles.find('&'), std::string::npos);
  EXPECT_FALSE(w.State().Txt_No_connect.empty());
}

TEST_F(MainWindowTest, WithoutItsLanguageFileTheWindowKeepsItsBuiltInCaptions) {
  plat::SetProgramFolder(ScratchDir("no-language-files"));
  designer::FormMain& w = Load();
  EXPECT_EQ(w.windowTitle(), "Stagora");
  EXPECT_EQ(MenuItem(w, "mnu_Archivo_CALC")->text(), "&Calcular");
  EXPECT_EQ(w.mnu_Help_Upd_Set_1->text(), QString::fromUtf8("Una vez al día"));
  EXPECT_TRUE(w.LabelB[0]->text().isEmpty());
  EXPECT_TRUE(w.Label1[0]->text().isEmpty());
  EXPECT_EQ(w.Label1[22]->text(), "R = L/D =");
  EXPECT_TRUE(w.MsgAsk2Save.empty());
  // The first calculation is skipped, the rest of the load goes on.
  EXPECT_TRUE(w.Text[field::kRealPlates]->text().isEmpty());
  EXPECT_EQ(Field(w, 15), "1");
  EXPECT_TRUE(w.mnu_Help_Upd_Set_7->isChecked());
  EXPECT_FALSE(w.Modificado);
  MenuItem(w, "mnu_Archivo_CALC")->trigger();  // recalculating without texts shows numbers, no crash
  EXPECT_FALSE(w.Text[field::kRealPlates]->text().isEmpty());
}

TEST_F(MainWindowTest, MenusCarryTheirShortcutsAndTimersTheirIntervals) {
  designer::FormMain& w = Load();
  const std::pair<const QAction*, QKeySequence> shortcuts[] = {
      {MenuItem(w, "mnu_Archivo_CALC"), QKeySequence(Qt::Key_F5)},
      {MenuItem(w, "mnu_Archivo_OPEN"), QKeySequence(Qt::CTRL | Qt::Key_O)},
      {MenuItem(w, "mnu_Archivo_SAVE"), QKeySequence(Qt::CTRL | Qt::Key_S)},
      {MenuItem(w, "mnu_Archivo_PRINT"), QKeySequence(Qt::CTRL | Qt::Key_P)},
      {MenuItem(w, "mnu_Archivo_Salir"), QKeySequence(Qt::CTRL | Qt::Key_F4)},
      {MenuItem(w, "mnu_Ayuda_Manual"), QKeySequence(Qt::Key_F1)},
      {MenuItem(w, "mnu_Ayuda_Acerca"), QKeySequence(Qt::SHIFT | Qt::Key_F1)},
  };
  for (const auto& [item, keys] : shortcuts) EXPECT_EQ(item->shortcut(), keys) << item->objectName().toStdString();

  // Menu order: File, Options, Help, with the items in their places.
  const auto menus = w.menuBar()->actions();
  ASSERT_EQ(menus.size(), 3);
  EXPECT_EQ(menus[0]->menu(), MenuNamed(w, "mnu_Archivo"));
  EXPECT_EQ(menus[2]->menu(), MenuNamed(w, "mnu_Ayuda"));
  QStringList names;
  for (const QAction* a : MenuNamed(w, "mnu_Archivo")->actions()) names << a->objectName();
  EXPECT_EQ(names, QStringList({"mnu_Archivo_CALC", "ZEP0073", "mnu_Archivo_OPEN", "mnu_Archivo_SAVE",
                                "mnu_Archivo_SAVEAS", "mnu_ZEP002", "mnu_Archivo_PRINT", "ZEP001",
                                "mnu_Archivo_Salir"}));

  EXPECT_EQ(w.Timer1->interval(), 100);
  EXPECT_TRUE(w.Timer1->isActive());
  EXPECT_EQ(w.Timer2->interval(), 600);
  EXPECT_TRUE(w.Timer2->isActive());
  EXPECT_EQ(w.TimerUPD->interval(), 3000);
  EXPECT_FALSE(w.TimerUPD->isActive());
}

TEST_F(MainWindowTest, F5RecalculatesAndTheErrorLabelFollowsItsText) {
  designer::FormMain& w = Load();
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
  w.Text[field::kRefluxRatio]->setText("0");
  QTest::keyClick(&w, Qt::Key_F5);
  EXPECT_EQ(w.LblERROR->text().toStdString(), w.GetL_win("NegativeRefluxRatio"));
  EXPECT_TRUE(w.Text[field::kRealPlates]->text().isEmpty());
  w.Timer1_Timer();
  EXPECT_TRUE(w.LblERROR->isVisible());

  w.Text[field::kRefluxRatio]->setText("3");
  MenuItem(w, "mnu_Archivo_CALC")->trigger();
  EXPECT_TRUE(w.LblERROR->text().isEmpty());
  EXPECT_FALSE(w.Text[field::kRealPlates]->text().isEmpty());
  w.Timer1_Timer();
  EXPECT_FALSE(w.LblERROR->isVisible());
}

TEST_F(MainWindowTest, ChoosingAPeriodStoresItAndMovesTheMark) {
  designer::FormMain& w = Load();
  w.mnu_Help_Upd_Set_30->trigger();
  EXPECT_EQ(plat::GetSetting("TROV", designer::settings::kUpdatePeriod), "30");
  EXPECT_EQ(CheckedPeriodItems(w), std::vector<const QAction*>{w.mnu_Help_Upd_Set_30});
  w.mnu_Help_Upd_Set_30->trigger();  // choosing the checked item keeps its mark
  EXPECT_EQ(CheckedPeriodItems(w), std::vector<const QAction*>{w.mnu_Help_Upd_Set_30});
  w.mnu_Help_Upd_Set_1->trigger();
  EXPECT_EQ(plat::GetSetting("TROV", designer::settings::kUpdatePeriod), "1");
  EXPECT_EQ(CheckedPeriodItems(w), std::vector<const QAction*>{w.mnu_Help_Upd_Set_1});
}

// An exclusive action group is what makes the menu draw the platform's radio mark.
TEST_F(MainWindowTest, OneOfSeveralItemsFormAnExclusiveGroupEach) {
  designer::FormMain& w = Load();
  const std::vector<std::vector<QAction*>> groups = {
      {w.mnu_Decimal_SEP_DOT, w.mnu_Decimal_SEP_COM},
      {w.mnu_Help_Upd_Set_1, w.mnu_Help_Upd_Set_7, w.mnu_Help_Upd_Set_30}};
  for (const auto& items : groups) {
    SCOPED_TRACE(items.front()->objectName().toStdString());
    const QActionGroup* group = items.front()->actionGroup();
    ASSERT_NE(group, nullptr);
    EXPECT_TRUE(group->isExclusive());
    EXPECT_EQ(group->actions(), QList<QAction*>(items.begin(), items.end()));
    int checked = 0;
    for (const QAction* item : items) checked += item->isChecked() ? 1 : 0;
    EXPECT_EQ(checked, 1);
  }
}

TEST_F(MainWindowTest, SwitchingTheDecimalSymbolRewritesNumbersButNotNamesOrTheModifiedFlag) {
  designer::FormMain& w = Load();
  w.Text[field::kMoreVolatileName]->setText("n.Hexane");
  w.Modificado = false;
  w.mnu_Decimal_SEP_COM->trigger();
  EXPECT_EQ(Field(w, 3), "0,46");
  EXPECT_EQ(Field(w, 16), "n.Hexane");
  EXPECT_TRUE(w.mnu_Decimal_SEP_COM->isChecked());
  EXPECT_FALSE(w.mnu_Decimal_SEP_DOT->isChecked());
  EXPECT_FALSE(w.Modificado);
  w.mnu_Decimal_SEP_DOT->trigger();
  EXPECT_EQ(Field(w, 3), "0.46");
  EXPECT_TRUE(w.mnu_Decimal_SEP_DOT->isChecked());
}

TEST_F(MainWindowTest, TheComponentNameBuildsTheAxisCaptions) {
  designer::FormMain& w = Load();
  w.Text[field::kMoreVolatileName]->setText("  Benzene ");
  EXPECT_NE(w.RotuloEjeX.find("Benzene"), std::string::npos);
  EXPECT_EQ(w.RotuloEjeX.find("%NC%"), std::string::npos);
  EXPECT_NE(w.RotuloEjeY.find("Benzene"), std::string::npos);
  EXPECT_TRUE(w.Modificado);
  w.Text[field::kMoreVolatileName]->setText("   ");  // blanks count as no name
  EXPECT_EQ(w.RotuloEjeX, w.GetL_win("X_liqui_mostVol"));
  EXPECT_EQ(w.RotuloEjeY, w.GetL_win("Y_vapor_mostVol"));
}

TEST(DesignerStart, TheTemporaryFolderLosesOneTrailingSeparator) {
  EXPECT_EQ(plat::TrimTrailingSeparator("/tmp/u/"), "/tmp/u");
  EXPECT_EQ(plat::TrimTrailingSeparator("C:\\Temp\\"), "C:\\Temp");
  EXPECT_EQ(plat::TrimTrailingSeparator("/tmp/u"), "/tmp/u");
  EXPECT_EQ(plat::TrimTrailingSeparator("/tmp//"), "/tmp/");
  EXPECT_EQ(plat::TrimTrailingSeparator(""), "");
}

TEST_F(MainWindowTest, AtStartTheWindowFitsIntoAScreenSmallerThanItsDesign) {
  const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
  ASSERT_LT(area.width(), 971) << "the test needs a screen narrower than the design";
  designer::ShowFormMain(tempPath);
  designer::FormMain& main = designer::TheFormMain();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
  QApplication::processEvents();
  // Title bar and all within the screen, the layout following the narrower window.
  EXPECT_TRUE(area.contains(main.frameGeometry())) << main.frameGeometry().x() << "," << main.frameGeometry().y()
                                                   << " " << main.frameGeometry().width() << "x"
                                                   << main.frameGeometry().height();
  EXPECT_EQ(main.Picture1->x() + main.Picture1->width(), main.Client->width() - 11);
  main.close();
  QTest::qWait(0);
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_FALSE(designer::FormMainExists());
}

TEST_F(MainWindowTest, ClosingTheSplashWithAKeyShowsTheMainWindow) {
  EXPECT_FALSE(designer::FormMainExists());
  bool splashShown = false;
  const std::string temp = ScratchDir("start-temp");
  designer::ShowStartSplash(splashShown, [temp] { designer::ShowFormMain(temp); });
  FormSplash* splash = nullptr;
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (auto* s = dynamic_cast<FormSplash*>(top); s && s->isVisible()) splash = s;
  }
  ASSERT_NE(splash, nullptr);
  EXPECT_TRUE(splash->Timer1->isActive());
  EXPECT_EQ(splash->Timer1->interval(), 1500);
  EXPECT_EQ(splash->size(), QSize(541, 377));
  QTest::keyClick(splash, Qt::Key_Space);
  ASSERT_TRUE(designer::FormMainExists());
  designer::FormMain& main = designer::TheFormMain();
  EXPECT_TRUE(main.isVisible());
  EXPECT_TRUE(main.Loaded());
  EXPECT_TRUE(splashShown);
  EXPECT_EQ(main.State().TempPath, temp);
  main.close();
  QTest::qWait(0);
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_FALSE(designer::FormMainExists());
}

TEST(LanguageFile, HoldsEveryKeyTheMainWindowReadsInWindows1252WithCrLf) {
  const auto bytes = plat::ReadTextFile(plat::JoinPath(SourceDir(), "lang/ENG_WIN_MAI.lmo"));
  ASSERT_TRUE(bytes.has_value());
  for (std::size_t i = 0; i < bytes->size(); ++i) {
    if ((*bytes)[i] == '\n') {
      ASSERT_TRUE(i > 0 && (*bytes)[i - 1] == '\r') << "lone LF at byte " << i;
    }
  }
  ASSERT_TRUE(bytes->size() >= 2 && bytes->substr(bytes->size() - 2) == "\r\n");

  LanguageTable mai("MAI");
  mai.SetLanguageFolder(plat::JoinPath(SourceDir(), "lang"));
  ASSERT_TRUE(mai.LoadIdioma("MAI"));
  const char* keys[] = {
      // Menus and buttons.
      "File0", "File_calculate", "File_Print", "File_Exit", "File_Open", "File_Save", "File_SaveAs", "Options",
      "Decimal_sep", "Decimal_sep_Comma", "Decimal_sep_Dot", "Help0", "Help_Manual", "Help_WebPage",
      "Help_Updates", "Help_Updates_Now", "Help_Updates_Settings", "Help_Updates_Settings_1day",
      "Help_Updates_Settings_1week", "Help_Updates_Settings_1month", "Help_About", "Button_Delete", "Button_View",
      "Button_EditTable",
      // The input panel and the diagram.
      "Most_volat_comp", "Less_volat_comp", "VLE", "Relat_volat", "VLE_Table", "Alpha", "Thermal_q", "X_feed",
      "X_distillate", "X_bottoms", "RefluxRatio", "RefluxRatioMIN", "Overall_effic", "NFeedPlate", "NTheorPlates",
      "NTP", "TTT_q_Inter", "q_SUPVap", "q_SATVap", "q_LiqVap", "q_SATLiq", "q_SUBLiq", "X_liqui_name",
      "Y_vapor_name", "X_liqui_mostVol", "Y_vapor_mostVol", "Enrich_op_line", "Exhaus_op_line", "q_line",
      "VLE_curve", "TTT_Edit_VLE_Table",
      // The calculation's errors.
      "InvalidData", "NegativeRefluxRatio", "X_feed_out_range", "X_dist_out_range", "X_bott_out_range",
      "AlphaOutRange", "Xbott_gt_Xfeed", "Xfeed_gt_Xdist", "Overall_effic_outRange", "UnknowError",
      "OperLinesInterBelowBott", "CantCalcMinRefluxRatio_2degree", "CantCalcMinRefluxRatio_1degree",
      "SlopeEnrich_1", "RefluxRatio_belowMin", "MinRefluxRatioNegative", "TooMuchNTP",
      // Files, messages and the texts other windows borrow.
      "msg_Ask2Save", "AllFiles", "STGR_files", "InvalidFormatFile", "CantOverWriteFile", "CantSaveFile",
      "FileNotFoundOpen", "NoPdfProgram", "No_updates", "No_connect", "Update_Unreachable", "Update_NoService",
      "No_EMailClient", "HomePage",
  };
  for (const char* key : keys) EXPECT_FALSE(mai.GetL_win(key).empty()) << key;
  // The axis captions name the component through their placeholder.
  EXPECT_NE(mai.GetL_win("X_liqui_name").find("%NC%"), std::string::npos);
  EXPECT_NE(mai.GetL_win("Y_vapor_name").find("%NC%"), std::string::npos);
}

}  // namespace
}  // namespace stagora::test
