// The viewer's main window: its load, captions and layout, the first activation, and
// documents opened, switched between views and saved through it.
#include <QAction>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <sys/resource.h>
#include <sys/stat.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <set>

#include "common/file_dialogs_ui.h"
#include "common/language_table.h"
#include "platform/encoding.h"
#include "platform/file_names.h"
#include "platform/process.h"
#include "platform/shell.h"
#include "tests/viewer/main_window_fixture.h"
#include "viewer/app/controls.h"
#include "viewer/app/viewer_app.h"

namespace stagora::viewer::test {
namespace {

namespace fs = std::filesystem;
using stagora::test::MenuItem;
using stagora::test::MessageBoxRecorder;
using stagora::test::ScopedHook;

std::string Odk(const std::string& key) {
  static const LanguageTable table("ODK");
  return table.GetL_win(key);
}

// A caption as shown, UTF-8: a file's name in it is the system's own.
std::string Text(const QString& s) { return s.toStdString(); }

std::vector<int> VisibleButtonLefts(const FormMain& f) {
  std::vector<int> lefts;
  for (int i = 0; i < kToolButtons; ++i) {
    if (!f.PicToolB[i]->isHidden()) lefts.push_back(f.PicToolB[i]->x());
  }
  return lefts;
}

std::vector<bool> ViewChecks(const FormMain& f) {
  return {f.mnu_Ver_NOSOL->isChecked(), f.mnu_Ver_SOLOSOL->isChecked(), f.mnu_Ver_RES1->isChecked(),
          f.mnu_Ver_RES2->isChecked()};
}

// Pixels darker than light grey in the page picture's text area.
int InkedPixels(FormMain& f) {
  const QImage& img = f.Picture1->surface().image();
  int n = 0;
  for (int y = 0; y < img.height(); ++y) {
    for (int x = img.width() / 10; x < img.width(); ++x) n += qGray(img.pixel(x, y)) < 128;
  }
  return n;
}

TEST_F(ViewerWindowTest, LoadTakesEveryCaptionFromTheLanguageFileAndShowsOnlyOpenAndHelp) {
  FormMain& f = Load();
  EXPECT_EQ(Text(f.windowTitle()), "Norvath - Ovedra");
  ASSERT_FALSE(Odk("File_Open").empty());  // the language file is there
  EXPECT_EQ(Text(f.mnu_File->title()), Odk("File0"));
  EXPECT_EQ(Text(MenuItem(f, "mnu_File_Open")->text()), Odk("File_Open") + "...");
  EXPECT_EQ(Text(f.mnu_File_SaveAs->text()), Odk("File_SaveAs") + "...");
  EXPECT_EQ(Text(MenuItem(f, "mnu_File_Exit")->text()), Odk("File_Exit"));
  EXPECT_EQ(Text(f.mnu_Ver_RES1->text()), Odk("View_Resol1"));
  EXPECT_EQ(Text(f.mnu_zoomANCHO->text()), Odk("View_Zoom2WinSize"));
  EXPECT_EQ(Text(f.mnu_Ver_SEP_COM->text()), Odk("View_DecSepComma"));
  EXPECT_EQ(Text(MenuItem(f, "mnu_Ayuda_ACE")->text()), Odk("Help_About") + "...");
  EXPECT_EQ(Text(f.LblBut[0]->text()), Odk("But_OpenCAP"));
  EXPECT_EQ(Text(f.LblBut[6]->text()), Odk("But_Resol2CAP"));
  EXPECT_EQ(Text(f.PicToolB[8]->toolTip()), Odk("But_HelpTTT"));
  const std::string print = Text(f.PicToolB[2]->toolTip());
  EXPECT_EQ(print.rfind(Odk("But_PrintTTT") + " (", 0), 0u) << print;
  EXPECT_EQ(print.back(), ')');

  EXPECT_EQ(VisibleButtonLefts(f), (std::vector<int>{20, 80}));
  EXPECT_FALSE(f.mnu_Ver->menuAction()->isVisible());
  EXPECT_FALSE(f.mnu_File_SaveAs->isEnabled());
  EXPECT_FALSE(f.mnu_File_Print->isEnabled());
  EXPECT_TRUE(f.mnu_zoom100->isChecked());
  EXPECT_TRUE(f.mnu_Ver_SEP_PTO->isChecked());
  EXPECT_EQ(V().ViewMode, kViewResolution2);
  EXPECT_DOUBLE_EQ(V().Zoom, 1.0);
  EXPECT_TRUE(f.FitWidthPending);
  EXPECT_TRUE(f.isEnabled());
}

TEST_F(ViewerWindowTest, PageIsCentredAcrossAndScrolledDownAt100PercentInTheInitialWindow) {
  FormMain& f = Load();
  f.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));
  V().Zoom = 1.0;
  f.Form_Resize();

  EXPECT_EQ(f.width(), 1112);
  EXPECT_EQ(f.Picture1->geometry(), QRect(144, 60, 796, 1125));
  EXPECT_TRUE(f.HScroll1->widget()->isHidden());
  EXPECT_FALSE(f.VScroll1->widget()->isHidden());
  EXPECT_EQ(f.VScroll1->Min(), 60);
  EXPECT_EQ(f.VScroll1->Max(), f.Client->height() - 1155);
  EXPECT_EQ(f.ShapeShadow->geometry(), QRect(146, 62, 796, 1125));

  // A page exactly as wide as the room beside the scroll strip does not count as fitting.
  f.resize(796 + 20 + 8, 735);
  QCoreApplication::processEvents();
  f.Form_Resize();
  EXPECT_EQ(f.Picture1->x(), 8);
  EXPECT_FALSE(f.HScroll1->widget()->isHidden());
  EXPECT_EQ(f.HScroll1->Min(), 8);
  EXPECT_EQ(f.HScroll1->Max(), 824 - 8 - 796 - 26);
  EXPECT_EQ(f.HScroll1->widget()->pos(), QPoint(144, 2));
}

TEST_F(ViewerWindowTest, ChangeOfWindowStateLaysOutAgainLaterAndTheNextResizeStillLaysOut) {
  FormMain& f = Load();
  f.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));
  f.LastWindowState = Qt::WindowMaximized;  // as if the window had just been restored
  f.Form_Resize();
  EXPECT_TRUE(f.Timer1->isActive());
  EXPECT_EQ(f.LastWindowState, f.windowState());

  f.Timer1_Timer();
  EXPECT_FALSE(f.Timer1->isActive());
  // The user's next resize is laid out.
  f.resize(900, 700);
  QCoreApplication::processEvents();
  EXPECT_EQ(f.Picture1->x(), 8);
  EXPECT_FALSE(f.HScroll1->widget()->isHidden());
}

TEST_F(ViewerWindowTest, FirstActivationFitsThePageToTheWidthOnceEvenWithoutAWindowManager) {
  FormMain& f = Load();
  f.ShowAndActivate();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));
  QCoreApplication::processEvents();
  EXPECT_NEAR(V().Zoom, (1112.0 - 20 - 28) / 796, 1e-12);
  EXPECT_FALSE(f.FitWidthPending);
  EXPECT_TRUE(f.mnu_zoomANCHO->isChecked());
  EXPECT_FALSE(f.mnu_zoom100->isChecked());
  EXPECT_EQ(f.Picture1->width(), RoundToInteger(796 * V().Zoom));

  V().Zoom = 1.0;
  f.Form_Activate();
  EXPECT_DOUBLE_EQ(V().Zoom, 1.0);  // later activations do not refit
}

TEST_F(ViewerWindowTest, DesignerDocumentOpensInTheLevelTwoViewOnItsFirstPage) {
  FormMain& f = Load();
  V().DocPath = WriteDocument("restemp123456.rex", DesignerDocument());
  f.OpenFile();

  ASSERT_TRUE(V().DocumentLoaded);
  EXPECT_EQ(V().Document.StatementText, "The statement&LFof the problem&LF");
  EXPECT_EQ(Text(f.windowTitle()), "Norvath - Ovedra - restemp123456.rex");
  EXPECT_EQ(V().BlockCount(), 8);
  EXPECT_EQ(V().Blocks[0].Text.substr(0, 9), "#MARK=001");
  EXPECT_NE(V().Blocks[3].Text.find(Odk("View_Resol2")), std::string::npos);
  EXPECT_EQ(V().Blocks.back().Text.substr(V().Blocks.back().Text.size() - 13), "The answer&LF");
  EXPECT_EQ(ViewChecks(f), (std::vector<bool>{false, false, false, true}));
  EXPECT_EQ(VisibleButtonLefts(f), (std::vector<int>{20, 80, 140, 200, 260, 320, 380, 440, 500}));
  EXPECT_TRUE(f.mnu_Ver->menuAction()->isVisible());
  EXPECT_TRUE(f.mnu_File_SaveAs->isEnabled());
  EXPECT_TRUE(f.mnu_File_Print->isEnabled());
  EXPECT_TRUE(f.tbToolbar1->isEnabled());
  EXPECT_EQ(V().PageCount, 1);
  EXPECT_EQ(V().CurrentPage, 1);
  EXPECT_EQ(f.LbPage->text(), "Pag. 1/1");
  EXPECT_GT(InkedPixels(f), 100);  // the first page is drawn
}

TEST_F(ViewerWindowTest, ViewModesRebuildTheBlocksAndTheirMenuChecks) {
  FormMain& f = Load();
  V().DocPath = WriteDocument("views.rex", DesignerDocument());
  f.OpenFile();
  const struct {
    void (FormMain::*command)();
    long mode;
    long blocks;
    std::vector<bool> checks;
  } cases[] = {
      {&FormMain::mnu_Ver_NOSOL_Click, kViewStatement, 1, {true, false, false, false}},
      {&FormMain::mnu_Ver_SOLOSOL_Click, kViewAnswer, 2, {false, true, false, false}},
      {&FormMain::mnu_Ver_RES1_Click, kViewResolution1, 9, {false, false, true, false}},
      {&FormMain::mnu_Ver_RES2_Click, kViewResolution2, 8, {false, false, false, true}},
  };
  for (const auto& c : cases) {
    (f.*c.command)();
    EXPECT_EQ(V().ViewMode, c.mode);
    EXPECT_EQ(V().BlockCount(), c.blocks) << c.mode;
    EXPECT_EQ(ViewChecks(f), c.checks) << c.mode;
    for (long i = 0; i < V().BlockCount(); ++i) EXPECT_EQ(V().Blocks[i].Text.substr(0, 9), SectionMark(i + 1));
  }
  f.NoSoluciones();
  EXPECT_EQ(V().Blocks[0].Text, "#MARK=001" + std::string(kSectionFrame) + V().Document.StatementText);
  f.SoloSolucion();
  EXPECT_EQ(V().Blocks[1].Text.substr(0, 9 + kHeadingOpen.size()), "#MARK=002" + std::string(kHeadingOpen));
  EXPECT_NE(V().Blocks[1].Text.find(Odk("Answer") + ":"), std::string::npos);
}

TEST_F(ViewerWindowTest, ViewChosenBeforeAnyDocumentIsTheOneTheNextLoadShows) {
  FormMain& f = Load();
  f.Resolucion1();
  EXPECT_EQ(V().ViewMode, kViewResolution1);
  EXPECT_EQ(ViewChecks(f), (std::vector<bool>{false, false, false, false}));
  EXPECT_EQ(V().BlockCount(), 0);

  V().DocPath = WriteDocument("later.rex", DesignerDocument());
  f.OpenFile();
  EXPECT_EQ(ViewChecks(f), (std::vector<bool>{false, false, true, false}));
  EXPECT_EQ(V().BlockCount(), 9);
}

TEST_F(ViewerWindowTest, DocumentDecimalSymbolAndTheSeparatorMenuAgree) {
  FormMain& f = Load();
  V().DocPath = WriteDocument("comma.rex", DesignerDocument(","));
  f.OpenFile();
  EXPECT_EQ(V().SimboloDecimal, ",");
  EXPECT_TRUE(f.mnu_Ver_SEP_COM->isChecked());
  EXPECT_FALSE(f.mnu_Ver_SEP_PTO->isChecked());

  V().Blocks.clear();
  f.mnu_Ver_SEP_PTO_Click();
  EXPECT_EQ(V().SimboloDecimal, ".");
  EXPECT_TRUE(f.mnu_Ver_SEP_PTO->isChecked());
  EXPECT_FALSE(f.mnu_Ver_SEP_COM->isChecked());
  EXPECT_EQ(V().BlockCount(), 8);  // rebuilt

  V().DocPath = WriteDocument("point.rex", DesignerDocument(";"));
  f.OpenFile();
  EXPECT_EQ(V().SimboloDecimal, ".");
}

TEST_F(ViewerWindowTest, FailedLoadSaysWhyWithThePathAndKeepsTheShownDocument) {
  FormMain& f = Load();
  const std::string good = WriteDocument("good.rex", DesignerDocument(","));
  V().DocPath = good;
  f.OpenFile();
  ASSERT_TRUE(V().DocumentLoaded);
  const ResultSections shown = V().Document;
  const std::vector<PageBlock> blocks = V().Blocks;

  std::string unsafe = "#BINDIR(" + NumberField(0) + "#BINDIR)#DEC(.#DEC)#ENU(x#ENU)#SOL(#SOL)#RS1(#RS1)#RS2(#RS2)";
  const std::size_t dirpos = unsafe.size() + 1;
  unsafe.replace(8, 8, NumberField(static_cast<long long>(dirpos)));
  unsafe += std::string("../evil.jpg") + std::string(21, ' ') + NumberField(static_cast<long long>(dirpos) + 48) +
            NumberField(4) + "EVIL";

  // What is no file is refused at once, saying what it is: reading it would wait for ever (a
  // FIFO) or without end (a device).
  fs::create_directories(root + "/folder.rep");
  ASSERT_EQ(::mkfifo((root + "/fifo.rep").c_str(), 0600), 0);
  fs::create_symlink("/dev/zero", root + "/zero.rep");
  // A document larger than its eight-digit fields can point into.
  const std::string huge = WriteDocument("huge.rep", "");
  fs::resize_file(huge, kLargestDocument + 1);

  const struct {
    const char* what;
    std::string path;
    std::string message;  // "" for a refusal without a message
  } cases[] = {
      {"not a result document", WriteDocument("notes.txt", DesignerDocument()), ""},
      {"missing", root + "/gone.rex", "Error : "},
      {"a folder", root + "/folder.rep", "Error : " + std::to_string(EISDIR) + " - This is a folder, not a file."},
      {"a FIFO", root + "/fifo.rep", "Error : " + std::to_string(EINVAL) + " - This is a named pipe (FIFO), not a file."},
      {"a link to a device", root + "/zero.rep",
       "Error : " + std::to_string(EINVAL) + " - This is a character device, not a file."},
      {"too large", huge, "Error : " + std::to_string(EFBIG) + " - The file holds 100000000 bytes, more than the 99999999"},
      {"truncated", WriteDocument("cut.rex", DesignerDocument().substr(0, 60)), Odk("NotResultDocument")},
      {"image name climbing out", WriteDocument("unsafe.rep", unsafe), Odk("UnsafeImageName")},
  };
  for (const auto& c : cases) {
    MessageBoxRecorder boxes;
    V().DocPath = c.path;
    f.OpenFile();
    if (c.message.empty()) {
      EXPECT_TRUE(boxes.requests().empty()) << c.what;
    } else {
      ASSERT_EQ(boxes.requests().size(), 1u) << c.what;
      const plat::MsgRequest& box = boxes.requests()[0];
      EXPECT_NE(box.text.find(c.path), std::string::npos) << c.what;
      EXPECT_NE(box.text.find(c.message), std::string::npos) << c.what << ": " << box.text;
      EXPECT_EQ(box.style, plat::kExclamation) << c.what;
    }
    EXPECT_TRUE(V().DocumentLoaded) << c.what;
    EXPECT_EQ(V().DocPath, good) << c.what;
    EXPECT_EQ(V().Document, shown) << c.what;
    EXPECT_EQ(V().SimboloDecimal, ",") << c.what;
    EXPECT_EQ(V().Blocks, blocks) << c.what;
    EXPECT_TRUE(f.tbToolbar1->isEnabled()) << c.what;
    EXPECT_TRUE(f.mnu_File->menuAction()->isEnabled()) << c.what;
  }
  EXPECT_FALSE(fs::exists(root + "/evil.jpg"));
  EXPECT_FALSE(fs::exists(root + "/tmp/evil.jpg"));
  EXPECT_FALSE(fs::exists(root + "/tmp/nrtemp/evil.jpg"));
}

TEST_F(ViewerWindowTest, SavedDocumentReopensWithTheSameSectionsAndImagesByteForByte) {
  FormMain& f = Load();
  const std::string scratch = root + "/tmp/nrtemp";
  fs::create_directories(scratch);
  std::string picture(5000, '\0');
  for (std::size_t i = 0; i < picture.size(); ++i) picture[i] = static_cast<char>((i * 7) % 256);
  ASSERT_TRUE(plat::WriteTextFile(scratch + "/stgr_temp654321.jpg", picture));
  const std::string doc =
      "#DEC(,#DEC)\r\n\r\n#ENU(Data&LF#IMG('stgr_temp654321.jpg'DXmm=130:DYmm=130:#IMG)&LF#ENU)\r\n\r\n"
      "#SOL(x = 0&.5&LF#SOL)\r\n\r\n#RS1(One&LF#RS1)\r\n\r\n#RS2(Two&LF#RS2)";
  V().DocPath = WriteDocument("restemp654321.rex", doc);
  f.OpenFile();
  ASSERT_TRUE(V().DocumentLoaded);
  const ResultSections loaded = V().Document;

  MessageBoxRecorder boxes;
  V().DocPath = root + "/saved.rep";
  f.SaveFile();
  EXPECT_TRUE(boxes.requests().empty());
  const std::string saved = *plat::ReadTextFile(V().DocPath);
  EXPECT_NE(saved.substr(0, 24), "#BINDIR(00000000#BINDIR)");
  EXPECT_EQ(saved.substr(saved.size() - picture.size()), picture);

  // The designer clears its scratch files; the saved document brings its image along.
  fs::remove(scratch + "/stgr_temp654321.jpg");
  V().Document = ResultSections();
  f.OpenFile();
  ASSERT_TRUE(V().DocumentLoaded);
  EXPECT_EQ(V().Document, loaded);
  EXPECT_EQ(*plat::ReadTextFile(scratch + "/stgr_temp654321.jpg"), picture);
  EXPECT_EQ(f.LastFolder, root);

  // Saved again from the reopened document: the same bytes.
  V().DocPath = root + "/again.rep";
  f.SaveFile();
  EXPECT_EQ(*plat::ReadTextFile(V().DocPath), saved);
}

// A viewer left open for days over a worked solution a killed designer handed over, then over
// a saved document whose image it extracted: a designer's start takes none of it, and Save
// still finds every image. Once the window has closed they go as the clean-up finds them.
TEST_F(ViewerWindowTest, WhatTheDocumentsShowFromTheScratchFolderStaysUntilTheWindowCloses) {
  FormMain& f = Load();
  const std::string scratch = root + "/tmp/nrtemp";
  ASSERT_TRUE(plat::ClaimScratchFolder(scratch));
  ASSERT_TRUE(plat::WriteTextFile(scratch + "/stgr_temp100001.jpg", "the designer's picture"));
  V().DocPath = scratch + "/restemp100001.rex";
  ASSERT_TRUE(plat::WriteTextFile(
      V().DocPath, "#DEC(.#DEC)#ENU(#IMG('stgr_temp100001.jpg'DXmm=10:DYmm=10:#IMG)#ENU)#SOL(#SOL)#RS1(#RS1)#RS2(#RS2)"));
  f.OpenFile();
  ASSERT_TRUE(V().DocumentLoaded);

  const std::string pictures = root + "/pictures";
  fs::create_directories(pictures);
  ASSERT_TRUE(plat::WriteTextFile(pictures + "/carried.jpg", "the saved picture"));
  ResultSections carrying;
  carrying.StatementText = "#IMG('carried.jpg'DXmm=10:DYmm=10:#IMG)";
  const std::string rep = root + "/carrying.rep";
  ASSERT_EQ(WriteResultDocument(rep, carrying, {root + "/no-img", pictures}).error, SaveError::None);
  V().DocPath = rep;
  f.OpenFile();
  ASSERT_TRUE(V().DocumentLoaded);
  ASSERT_TRUE(fs::exists(scratch + "/carried.jpg"));

  const std::set<std::string> shown = {"carried.jpg", "restemp100001.rex", "stgr_temp100001.jpg"};
  // Two days pass, then a designer starts: what is left, claims aside.
  const auto weekend = [&] {
    for (const auto& e : fs::directory_iterator(scratch)) {
      fs::last_write_time(e.path(), fs::file_time_type::clock::now() - std::chrono::hours(48));
    }
    plat::RemoveStaleScratchFiles(root + "/tmp");
    std::set<std::string> left;
    for (const auto& e : fs::directory_iterator(scratch)) {
      if (!e.path().filename().string().starts_with("stgr_run")) left.insert(e.path().filename().string());
    }
    return left;
  };
  ASSERT_EQ(weekend(), shown);
  MessageBoxRecorder boxes;
  V().DocPath = root + "/saved.rep";
  f.SaveFile();
  EXPECT_TRUE(boxes.requests().empty());
  V().DocPath = scratch + "/restemp100001.rex";
  f.OpenFile();
  V().DocPath = root + "/handed.rep";
  f.SaveFile();
  EXPECT_TRUE(boxes.requests().empty()) << "the designer's picture is still there to be saved";

  f.Form_Unload();
  EXPECT_EQ(weekend(), std::set<std::string>());
  EXPECT_TRUE(fs::is_empty(scratch)) << "the claim is gone with the window";
}

TEST_F(ViewerWindowTest, SaveAsWritesTheRepTwinUnderTheChosenName) {
  FormMain& f = Load();
  const std::string rex = WriteDocument("restemp111111.rex", DesignerDocument());
  V().DocPath = rex;
  f.OpenFile();
  ScopedHook dialog(SetFileDialogHandler, [&](const FileDialogRequest&) -> std::optional<QString> {
    return QString::fromStdString(root + "/report");
  });
  f.mnu_File_SaveAs_Click();
  EXPECT_EQ(V().DocPath, root + "/report.rep");
  EXPECT_EQ(f.LastFolder, root);
  EXPECT_EQ(Text(f.windowTitle()), "Norvath - Ovedra - " + root + "/report.rep");
  const ReadResult back = ReadResultDocument(*plat::ReadTextFile(V().DocPath));
  ASSERT_EQ(back.error, ReadError::None);
  EXPECT_EQ(back.sections, V().Document);
  EXPECT_EQ(*plat::ReadTextFile(rex), DesignerDocument());  // the designer's document is untouched

  // A name Windows-1252 cannot hold is saved, shown and opened under itself.
  fs::create_directories(root + "/Документы");
  dialog.replace([&](const FileDialogRequest&) -> std::optional<QString> {
    return QString::fromUtf8(root + "/Документы/αβ Δ");
  });
  f.mnu_File_SaveAs_Click();
  const std::string named = root + "/Документы/αβ Δ.rep";
  EXPECT_EQ(V().DocPath, named);
  EXPECT_EQ(f.LastFolder, root + "/Документы");
  EXPECT_EQ(Text(f.windowTitle()), "Norvath - Ovedra - " + named);
  EXPECT_EQ(*plat::ReadTextFile(named), *plat::ReadTextFile(root + "/report.rep"));
  EXPECT_EQ(f.RecentFiles[1], named);
  V().DocPath = rex;
  f.OpenFile();
  V().DocPath = named;
  f.OpenFile();
  EXPECT_TRUE(V().DocumentLoaded);
  EXPECT_EQ(Text(f.windowTitle()), "Norvath - Ovedra - αβ Δ.rep");
}

// A blank that ends a typed name belongs to it: "which.rep " is not "which.rep", which is
// neither replaced unasked nor opened in its place.
TEST_F(ViewerWindowTest, ANameEndingInABlankIsItsOwnDocument) {
  FormMain& f = Load();
  const std::string twin = WriteDocument("x.rep", DesignerDocument(","));
  const std::string blank = WriteDocument("x.rep ", DesignerDocument("."));
  std::vector<FileDialogRequest> asked;
  std::vector<std::string> answers = {blank, root + "/which.rep "};
  ScopedHook dialog(SetFileDialogHandler, [&](const FileDialogRequest& r) -> std::optional<QString> {
    asked.push_back(r);
    const std::string answer = answers.at(asked.size() - 1);
    return QString::fromStdString(answer);
  });
  f.mnu_File_Open_Click();
  EXPECT_TRUE(V().DocumentLoaded);
  EXPECT_EQ(V().DocPath, blank);
  EXPECT_EQ(V().Document.SimboloDecimal, ".");

  const std::string which = WriteDocument("which.rep", "kept as it was");
  MessageBoxRecorder boxes;
  f.mnu_File_SaveAs_Click();
  EXPECT_TRUE(boxes.requests().empty());
  ASSERT_EQ(asked.size(), 2u);
  EXPECT_EQ(asked[1].extension, QString(".rep"));  // the dialog asks about "which.rep .rep"
  EXPECT_EQ(*plat::ReadTextFile(which), "kept as it was");
  EXPECT_EQ(V().DocPath, root + "/which.rep .rep");
  EXPECT_TRUE(plat::FileExists(root + "/which.rep .rep"));
  EXPECT_EQ(*plat::ReadTextFile(twin), DesignerDocument(","));
}

// File > Open lists every file, those without a dot too; one that is no document by its
// name is refused, naming the file and why, and the document shown stays.
TEST_F(ViewerWindowTest, OpenListsEveryFileAndSaysWhyANameWithoutTheDocumentsExtensionIsNotOpened) {
  FormMain& f = Load();
  const std::string shown = WriteDocument("shown.rep", DesignerDocument());
  V().DocPath = shown;
  f.OpenFile();
  const std::string bare = WriteDocument("report", DesignerDocument());
  FileDialogRequest asked;
  ScopedHook dialog(SetFileDialogHandler, [&](const FileDialogRequest& r) -> std::optional<QString> {
    asked = r;
    return QString::fromStdString(bare);
  });
  MessageBoxRecorder boxes;
  f.mnu_File_Open_Click();
  EXPECT_EQ(asked.nameFilters, (QStringList{"Result documents (*.rep) (*.rep)", "All files (*.*) (*)"}));
  ASSERT_EQ(boxes.requests().size(), 1u);
  EXPECT_EQ(boxes.requests()[0].text, Odk("CantOpenDocument") + "\r\n" + bare + "\r\n" + Odk("NotResultDocumentName"));
  EXPECT_EQ(boxes.requests()[0].style, plat::kExclamation);
  EXPECT_EQ(V().DocPath, shown);
  EXPECT_TRUE(V().DocumentLoaded);
}

TEST_F(ViewerWindowTest, SaveRefusesAMissingImageAndSendsAnUnwritablePlaceBackToSaveAs) {
  FormMain& f = Load();
  V().DocPath = WriteDocument("noimage.rex",
                          "#DEC(.#DEC)#ENU(#IMG('away.jpg'DXmm=1:DYmm=1:#IMG)#ENU)#SOL(#SOL)#RS1(#RS1)#RS2(#RS2)");
  f.OpenFile();
  ASSERT_TRUE(V().DocumentLoaded);
  {
    MessageBoxRecorder boxes;
    V().DocPath = root + "/out.rep";
    f.SaveFile();
    ASSERT_EQ(boxes.requests().size(), 1u);
    EXPECT_EQ(boxes.requests()[0].text, Odk("CantSaveImage") + "away.jpg");
    EXPECT_EQ(boxes.requests()[0].style, plat::kCritical);
    EXPECT_FALSE(fs::exists(V().DocPath));
  }
  V().Document.StatementText = "no image";
  int dialogs = 0;
  const ScopedHook dialog(SetFileDialogHandler, [&](const FileDialogRequest& r) -> std::optional<QString> {
    EXPECT_EQ(r.kind, FileDialogRequest::Kind::Save);
    ++dialogs;
    return std::nullopt;
  });
  MessageBoxRecorder boxes;
  V().DocPath = root + "/no-such-folder/out.rep";
  f.SaveFile();
  ASSERT_EQ(boxes.requests().size(), 1u);
  // The place and the reason, as the box of a full disk says them.
  EXPECT_EQ(boxes.requests()[0].text, Odk("ErrorWriteProtectFile") + "\r\n" + root + "/no-such-folder/out.rep\r\nError : " +
                                          std::to_string(ENOENT) + " - " + std::strerror(ENOENT) + "\r\n" +
                                          Odk("SelectOtherFileName"));
  EXPECT_EQ(boxes.requests()[0].style, plat::kCritical);
  EXPECT_EQ(dialogs, 1);
}

// A full disk, here the file-size limit: the message names the document and the reason.
TEST_F(ViewerWindowTest, ASaveThatFailsNamesTheDocumentAndWhy) {
  FormMain& f = Load();
  V().DocPath = WriteDocument("restemp111112.rex", DesignerDocument());
  f.OpenFile();
  ASSERT_TRUE(V().DocumentLoaded);
  V().DocPath = root + "/full.rep";
  MessageBoxRecorder boxes;
  plat::IgnoreFileSizeLimitSignal();
  struct rlimit saved {};
  getrlimit(RLIMIT_FSIZE, &saved);
  struct rlimit small = saved;
  small.rlim_cur = 64;
  setrlimit(RLIMIT_FSIZE, &small);
  f.SaveFile();
  setrlimit(RLIMIT_FSIZE, &saved);
  ASSERT_EQ(boxes.requests().size(), 1u);
  EXPECT_EQ(boxes.requests()[0].text, Odk("CantSaveFile") + "\r\n" + root + "/full.rep\r\nError : " +
                                          std::to_string(EFBIG) + " - " + std::strerror(EFBIG));
  EXPECT_FALSE(fs::exists(root + "/full.rep"));
}

TEST_F(ViewerWindowTest, SaveAsOffersAgainTheFolderOfBeforeAfterARefusedOne) {
  FormMain& f = Load();
  V().DocPath = WriteDocument("restemp111113.rex", DesignerDocument());
  f.OpenFile();
  f.LastFolder = root;
  std::vector<std::string> offered;
  ScopedHook dialog(SetFileDialogHandler, [&](const FileDialogRequest& r) -> std::optional<QString> {
    offered.push_back(plat::PathFromQt(r.initialDir));
    if (offered.size() == 1) return QString::fromStdString(root + "/no-such-folder/out");
    if (offered.size() == 2) return QString::fromStdString(root + "/kept");
    return std::nullopt;
  });
  MessageBoxRecorder boxes;
  f.mnu_File_SaveAs_Click();
  ASSERT_EQ(boxes.requests().size(), 1u);
  EXPECT_EQ(boxes.requests()[0].text, Odk("ErrorWriteProtectFile") + "\r\n" + root + "/no-such-folder/out.rep\r\nError : " +
                                          std::to_string(ENOENT) + " - " + std::strerror(ENOENT) + "\r\n" +
                                          Odk("SelectOtherFileName"));
  EXPECT_EQ(offered, (std::vector<std::string>{root, root}));
  EXPECT_EQ(V().DocPath, root + "/kept.rep");
  fs::create_directories(root + "/later");
  dialog.replace([&](const FileDialogRequest& r) -> std::optional<QString> {
    offered.push_back(plat::PathFromQt(r.initialDir));
    return offered.size() == 3 ? std::optional<QString>(QString::fromStdString(root + "/later/x")) : std::nullopt;
  });
  f.mnu_File_SaveAs_Click();
  f.mnu_File_SaveAs_Click();
  // A save that went into a folder makes it the one offered next.
  EXPECT_EQ(offered.back(), root + "/later");
}

// The command line as main() hands it over: argv after the program's name.
std::vector<std::string> CommandLine(const std::vector<std::string>& arguments) {
  std::vector<const char*> argv = {"ovdr_ENG"};
  for (const std::string& a : arguments) argv.push_back(a.c_str());
  return CommandLineFromArguments(static_cast<int>(argv.size()), argv.data());
}

TEST_F(ViewerWindowTest, DocumentNamedOnTheCommandLineOpensAtTheFirstActivation) {
  fs::create_directories(root + "/with blanks");
  const std::string path = WriteDocument("with blanks/restemp100001.rex", DesignerDocument());
  V().CommandLineArguments = {path};
  FormMain& f = Load();
  EXPECT_EQ(f.PendingCount, 1);
  EXPECT_EQ(f.PendingFiles[1], path);
  EXPECT_FALSE(V().DocumentLoaded);

  f.ShowAndActivate();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));
  QCoreApplication::processEvents();
  EXPECT_TRUE(V().DocumentLoaded);
  EXPECT_EQ(V().DocPath, path);
  EXPECT_EQ(f.PendingCount, 0);
  EXPECT_EQ(Text(f.windowTitle()), "Norvath - Ovedra - restemp100001.rex");
}

TEST_F(ViewerWindowTest, SeveralArgumentsOpenTheFirstDocumentAndStartAViewerForEachOther) {
  const std::string first = WriteDocument("one.rep", DesignerDocument());
  V().CommandLineArguments = {first, root + "/two.REX", root + "/three.txt"};
  FormMain& f = Load();
  ASSERT_EQ(f.PendingCount, 2);
  StartedViewers started;
  f.OpenDRAGDROPFiles_Command();
  EXPECT_EQ(V().DocPath, first);
  EXPECT_TRUE(V().DocumentLoaded);
  EXPECT_EQ(started.documents, (std::vector<std::string>{root + "/two.REX"}));
  EXPECT_EQ(started.programs, (std::vector<std::string>{Text(QCoreApplication::applicationFilePath())}));
  EXPECT_EQ(f.PendingCount, 0);
}

TEST_F(ViewerWindowTest, ProgramArgumentsBecomeTheCommandLineWithFullPaths) {
  const std::string first = WriteDocument("one.rep", DesignerDocument());
  WriteDocument("with blanks two.rex", DesignerDocument());
  const QString previousFolder = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(root)));
  // One argument stands alone, blanks and all; one given relative to the starting folder is
  // made full, so the recent list can find it again from anywhere.
  EXPECT_EQ(CommandLine({"with blanks two.rex"}), (std::vector<std::string>{root + "/with blanks two.rex"}));
  EXPECT_EQ(CommandLine({first}), (std::vector<std::string>{first}));
  EXPECT_EQ(CommandLine({"Документы/αβ Δ.rep"}), (std::vector<std::string>{root + "/Документы/αβ Δ.rep"}));
  // Several, as a file manager passes the files chosen: each one a document.
  V().CommandLineArguments = CommandLine({"./one.rep", "with blanks two.rex"});
  QDir::setCurrent(previousFolder);
  FormMain& f = Load();
  ASSERT_EQ(f.PendingCount, 2);
  EXPECT_EQ(f.PendingFiles[1], first);
  EXPECT_EQ(f.PendingFiles[2], root + "/with blanks two.rex");
}

// A name is the system's bytes: one that is no UTF-8, one that ends in a blank, one with
// quotes in it open as they are, and a path through a link goes where the system takes it,
// not where "link/.." would lead if it were cut out of the text.
TEST_F(ViewerWindowTest, ACommandLinePathOpensTheFileTheSystemNamesByIt) {
  fs::create_directories(root + "/real/inside");
  fs::create_directory_symlink(root + "/real/inside", root + "/link");
  WriteDocument("real/behind the link.rep", DesignerDocument());
  WriteDocument("behind the link.rep", "no document");
  const QString previousFolder = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(root)));
  FormMain& f = Load();
  MessageBoxRecorder boxes;
  for (const std::string name : {"caf\xE9 old archive.rex", "ends in a blank.rex ", "\"quoted\" \"twice\".rep",
                                 "link/../behind the link.rep"}) {
    SCOPED_TRACE(name);
    if (name.find('/') == std::string::npos) WriteDocument(name, DesignerDocument());
    V().CommandLineArguments = CommandLine({name});
    V().DocumentLoaded = false;
    f.ProcesaCommand();
    f.OpenDRAGDROPFiles_Command();
    EXPECT_EQ(V().DocPath, root + "/" + name);
    EXPECT_TRUE(V().DocumentLoaded);
  }
  EXPECT_TRUE(boxes.requests().empty());
  QDir::setCurrent(previousFolder);
}

}  // namespace
}  // namespace stagora::viewer::test
