// Closing the main window: the unsaved-changes question and its three answers (File > Open
// asks the same), the settings written for the next start and the scratch files removed.
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QWidget>
#include <filesystem>
#include <set>

#include "designer/designer_settings.h"
#include "common/file_dialogs_ui.h"
#include "designer/window/controls.h"
#include "platform/textfile.h"
#include "tests/designer/main_window_fixture.h"

namespace stagora::test {
namespace {

namespace fs = std::filesystem;

// Cancels every file dialog and counts the ones of each kind.
class CancelledDialogs {
 public:
  int opened = 0;
  int saved = 0;

 private:
  const ScopedHook<FileDialogHandler> dialog_{
      SetFileDialogHandler, [this](const FileDialogRequest& req) -> std::optional<QString> {
        (req.kind == FileDialogRequest::Kind::Open ? opened : saved) += 1;
        return std::nullopt;
      }};
};

class WindowLifeCycle : public MainWindowTest {
 protected:
  designer::FormMain& Show() {
    designer::FormMain& w = Load();
    w.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&w));
    return w;
  }

  MessageBoxRecorder boxes;
  CancelledDialogs dialogs;
};

TEST_F(WindowLifeCycle, TheQuestionOnCloseAndItsAnswers) {
  struct Case {
    const char* what;
    bool modified;
    std::vector<int> answers;
    bool closes;
  };
  const Case cases[] = {
      {"no changes: no question", false, {}, true},
      {"Cancel keeps the window", true, {plat::kCancel}, false},
      {"Yes with a cancelled Save As keeps it", true, {plat::kYes}, false},
      {"No closes without saving", true, {plat::kNo}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    MessageBoxRecorder recorder;
    recorder.answer(c.answers);
    designer::FormMain& w = Show();
    w.Modificado = c.modified;
    EXPECT_EQ(w.close(), c.closes);
    EXPECT_EQ(w.isVisible(), !c.closes);
    if (!c.modified) {
      EXPECT_TRUE(recorder.requests().empty());
      continue;
    }
    ASSERT_EQ(recorder.requests().size(), 1u);
    // An untitled design: the second line is empty.
    EXPECT_EQ(recorder.requests()[0].text, w.MsgAsk2Save + "\r\n");
    EXPECT_EQ(recorder.requests()[0].style, 35);
    EXPECT_EQ(recorder.requests()[0].title, "Stagora");
    EXPECT_FALSE(w.MsgAsk2Save.empty());
    // Whatever kept the window open kept the changes unsaved.
    if (!c.closes) {
      EXPECT_TRUE(w.Modificado);
    }
  }
  EXPECT_EQ(dialogs.opened, 0);
}

TEST_F(WindowLifeCycle, ExitAsksTheSameQuestionWithTheFilesPath) {
  designer::FormMain& w = Show();
  w.Modificado = true;
  w.ArchivoActual = "/home/u/column.sgr";
  boxes.answer({plat::kCancel});
  MenuItem(w, "mnu_Archivo_Salir")->trigger();
  EXPECT_TRUE(w.isVisible());
  ASSERT_EQ(boxes.requests().size(), 1u);
  EXPECT_EQ(boxes.requests()[0].text, w.MsgAsk2Save + "\r\n/home/u/column.sgr");
}

TEST_F(WindowLifeCycle, OpenAsksFirstAndOpensNothingWhenTheChangesStay) {
  designer::FormMain& w = Show();
  // No changes: no question.
  MenuItem(w, "mnu_Archivo_OPEN")->trigger();
  EXPECT_TRUE(boxes.requests().empty());

  const int opensBefore = dialogs.opened;
  for (int answer : {plat::kCancel, plat::kYes}) {  // Yes: the Save As dialog is cancelled
    w.Modificado = true;
    boxes.answer({answer});
    MenuItem(w, "mnu_Archivo_OPEN")->trigger();
    EXPECT_TRUE(w.Modificado);
    EXPECT_EQ(w.Text[field::kThermalQ]->text(), "0.5");
  }
  EXPECT_EQ(boxes.requests().size(), 2u);
  EXPECT_EQ(boxes.requests().back().style, 35);
  EXPECT_EQ(dialogs.opened, opensBefore);
}

TEST_F(WindowLifeCycle, SettingsAreWrittenOnCloseAndReadAtTheNextStart) {
  designer::FormMain& w = Show();
  w.mnu_Decimal_SEP_COM_Click();
  form->State().PathTabla = "/data/tables";
  form->State().PathArchivo = "/data/projects été/Документы";  // the system's own name
  ASSERT_TRUE(w.close());
  EXPECT_EQ(plat::GetSetting("TROV", designer::settings::kDecimalSymbol), ",");
  EXPECT_EQ(plat::GetPathSetting("TROV", designer::settings::kTableFolder), "/data/tables");
  EXPECT_EQ(plat::GetPathSetting("TROV", designer::settings::kProjectFolder), "/data/projects été/Документы");

  form.reset();
  designer::FormMain& next = Load();
  EXPECT_EQ(next.SimboloDecimal, ",");
  EXPECT_EQ(next.Text[field::kThermalQ]->text(), "0,5");
  EXPECT_TRUE(next.mnu_Decimal_SEP_COM->isChecked());
  EXPECT_EQ(form->State().PathTabla, "/data/tables");
  EXPECT_EQ(form->State().PathArchivo, "/data/projects été/Документы");
}

TEST_F(WindowLifeCycle, AWindowKeptOpenWritesNothing) {
  designer::FormMain& w = Show();
  w.mnu_Decimal_SEP_COM_Click();
  w.Modificado = true;
  boxes.answer({plat::kCancel});
  ASSERT_FALSE(w.close());
  EXPECT_EQ(plat::GetSetting("TROV", std::string(designer::settings::kDecimalSymbol.section), std::string(designer::settings::kDecimalSymbol.key), "?"), "?");
}

TEST_F(WindowLifeCycle, EveryActivationRecalculatesWithTheDataAsTheyStand) {
  designer::FormMain& w = Show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
  // Typed, not entered: only the activation recalculates it.
  w.Text[field::kRefluxRatio]->setText("2.5");
  const QString plates = w.Text[field::kRealPlates]->text();

  QWidget other;  // another window of the program comes to the front, then goes
  other.show();
  other.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
  EXPECT_EQ(w.Text[field::kRealPlates]->text(), plates);
  other.close();
  w.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
  EXPECT_NE(w.Text[field::kRealPlates]->text(), plates);
}

TEST_F(WindowLifeCycle, AWindowDraggedSmallerSnapsBackTo800By600) {
  designer::FormMain& w = Show();
  w.resize(700, 500);
  QApplication::processEvents();
  // Without a window manager the window is its own frame.
  EXPECT_EQ(w.frameGeometry().size(), QSize(800, 600));
  // The layout followed: the diagram ends 11 pixels before the client's right edge.
  EXPECT_EQ(w.Picture1->x() + w.Picture1->width(), w.Client->width() - 11);
}

TEST_F(WindowLifeCycle, UnloadLeavesTheScratchFilesOfOthersAlone) {
  const std::string temp = ScratchDir("life-cycle-temp");
  const fs::path scratch = fs::path(temp) / "nrtemp";
  fs::create_directories(scratch / "kept.jpg");  // a folder, not a file
  // Another designer's report, a viewer's extracted picture, the user's own notes.
  const std::set<std::string> others = {"kept.jpg", "stgr_temp123456.jpg", "OLD.JPG", "restemp123456.rex",
                                        "notes.txt", "image.jpeg"};
  for (const std::string& name : others) {
    if (name != "kept.jpg") {
      ASSERT_TRUE(plat::WriteTextFile((scratch / name).string(), "x"));
    }
  }
  tempPath = temp;
  designer::FormMain& w = Show();
  ASSERT_TRUE(w.close());

  std::set<std::string> left;
  for (const auto& entry : fs::directory_iterator(scratch)) left.insert(entry.path().filename().string());
  EXPECT_EQ(left, others);

  // No scratch folder at all closes as well.
  fs::remove_all(scratch);
  designer::FormMain& again = Show();
  EXPECT_TRUE(again.close());
  EXPECT_FALSE(fs::exists(scratch));
}

}  // namespace
}  // namespace stagora::test
