// The main window's project commands as the user meets them: File > Open, Save and Save As
// through the dialogs, the messages of refused files and failed saves, and clearing the design.
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <grp.h>
#include <signal.h>
#include <sys/resource.h>
#include <cerrno>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "common/file_dialogs_ui.h"
#include "designer/files/project_file.h"
#include "designer/files/table_rows_text.h"
#include "designer/calculation/design_data.h"
#include "platform/process.h"
#include "platform/textfile.h"
#include "tests/designer/main_window_fixture.h"
#include "tests/support/scripted_dialogs.h"

namespace stagora::test {
namespace {

namespace fs = std::filesystem;

std::string Bytes(const std::string& path) { return plat::ReadTextFile(path).value_or("<unreadable>"); }

std::string Table(double alpha, int points) {
  std::string rows;
  for (int i = 0; i <= points; ++i) {
    const double x = static_cast<double>(i) / points;
    rows += RowNumberText(x) + "\t" + RowNumberText(alpha * x / (1 + (alpha - 1) * x)) + "\r\n";
  }
  return rows;
}

std::string Project(const std::string& vle, const std::string& rows, const std::string& names = "<A=Benzene>\r\n<B=Toluene>\r\n") {
  return names + "<ALPHA=2.5>\r\n<Q=1>\r\n<ZF=.4>\r\n<XB=.05>\r\n<XD=.95>\r\n<R=3>\r\n<E=.8>\r\n" + vle + "\r\n[[\r\n" +
         rows + "]]\r\n";
}

class ProjectCommandsTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    dir = ScratchDir(std::string("project-") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
  }

  std::string Write(const std::string& name, const std::string& bytes) {
    const std::string path = plat::JoinPath(dir, name);
    fs::create_directories(fs::path(path).parent_path());
    EXPECT_TRUE(plat::WriteTextFile(path, bytes));
    return path;
  }

  std::string Field(int n) const { return form->Text[n]->text().toStdString(); }
  std::vector<std::string> Fields() const {
    std::vector<std::string> all;
    for (int n = 1; n <= 17; ++n) all.push_back(Field(n));
    return all;
  }

  std::string dir;
  ScriptedDialogs dialogs;
  MessageBoxRecorder boxes;
};

TEST_F(ProjectCommandsTest, SaveAsThenOpenThenSaveAsAgainWritesTheSameBytes) {
  designer::FormMain& w = Load();
  dialogs.answer(plat::JoinPath(dir, "first"));  // typed without the extension
  MenuItem(w, "mnu_Archivo_SAVEAS")->trigger();
  const std::string first = plat::JoinPath(dir, "first.sgr");
  ASSERT_TRUE(plat::FileExists(first));
  EXPECT_EQ(w.ArchivoActual, first);
  EXPECT_FALSE(w.Modificado);
  ASSERT_EQ(dialogs.requests.size(), 1u);
  EXPECT_EQ(dialogs.requests[0].kind, FileDialogRequest::Kind::Save);
  EXPECT_EQ(dialogs.requests[0].title, QString("Save"));
  EXPECT_EQ(dialogs.requests[0].extension, QString(".sgr"));  // so the dialog asks about first.sgr
  EXPECT_EQ(dialogs.requests[0].nameFilters,
            (QStringList{"Stagora projects  (*.sgr) (*.sgr)", "All files  (*.*) (*)"}));
  EXPECT_EQ(Bytes(first).substr(0, 26), "<A=>\r\n<B=>\r\n<ALPHA=2>\r\n<Q=");

  dialogs.answer(first);
  MenuItem(w, "mnu_Archivo_OPEN")->trigger();
  EXPECT_EQ(dialogs.requests.back().kind, FileDialogRequest::Kind::Open);
  EXPECT_EQ(dialogs.requests.back().title, QString("Open"));
  EXPECT_EQ(form->State().PathArchivo, dir);
  EXPECT_EQ(w.ArchivoActual, first);
  EXPECT_FALSE(w.Modificado);
  EXPECT_TRUE(w.OptVOL->isChecked());
  EXPECT_FALSE(form->State().UsarTabla);
  EXPECT_EQ(form->State().TablaELV.UltimoPuntoTabla, 20);  // the start-up table, now a table

  dialogs.answer(plat::JoinPath(dir, "second.sgr"));
  w.Save_As();
  EXPECT_EQ(Bytes(plat::JoinPath(dir, "second.sgr")), Bytes(first));
  EXPECT_EQ(dialogs.requests.back().initialDir, QString::fromStdString(dir));
  EXPECT_TRUE(boxes.requests().empty());
}

TEST_F(ProjectCommandsTest, RetypingAValueAndSavingRewritesTheSameBytes) {
  designer::FormMain& w = Load();
  const std::string path = Write("column.sgr", Project("<VLE=TABLE>", Table(2.5, 10)));
  // Our own writing of the file is the reference: rows as the file form writes them.
  dialogs.answer(path);
  w.Abrir();
  dialogs.answer(plat::JoinPath(dir, "reference.sgr"));
  w.Save_As();
  const std::string reference = Bytes(plat::JoinPath(dir, "reference.sgr"));

  dialogs.answer(path);
  w.Abrir();
  w.Text[field::kRefluxRatio]->selectAll();
  QTest::keyClick(w.Text[field::kRefluxRatio], Qt::Key_3);  // the same value, typed again
  EXPECT_TRUE(w.Modificado);
  MenuItem(w, "mnu_Archivo_SAVE")->trigger();
  EXPECT_FALSE(w.Modificado);
  EXPECT_EQ(Bytes(path), reference);
  EXPECT_EQ(Field(6), "3");
  EXPECT_EQ(Field(15), ".8");
  EXPECT_EQ(dialogs.requests.size(), 3u);  // Save used the current name
}

TEST_F(ProjectCommandsTest, OpeningATableProjectFillsTheWindowAndComputesWithTheTable) {
  designer::FormMain& w = Load();
  const std::string path = Write("sub/table.sgr", Project("<VLE=TABLE>", Table(2.5, 10)));
  dialogs.answer(path);
  w.Abrir();
  EXPECT_EQ(Fields(), (std::vector<std::string>{"2.5", "1", ".4", ".95", ".05", "3", Field(7), Field(8), Field(9),
                                                Field(10), Field(11), Field(12), Field(13), Field(14), ".8", "Benzene",
                                                "Toluene"}));
  EXPECT_TRUE(w.OptTAB->isChecked());
  EXPECT_TRUE(form->State().UsarTabla);
  EXPECT_EQ(form->State().TablaELV.UltimoPuntoTabla, 10);
  EXPECT_EQ(form->State().TablaELV.TablaX[5], 0.5);
  // The lookup tables follow the file's curve (alpha 2.5: y(0.5) = 5/7).
  EXPECT_NEAR(form->State().SuperTablasELV.SuperTablaYdeX()[50000], 2.5 * 0.5 / 1.75, 1e-12);
  EXPECT_TRUE(w.LblERROR->text().isEmpty()) << w.LblERROR->text().toStdString();
  EXPECT_FALSE(Field(14).empty());
  EXPECT_EQ(w.ArchivoActual, path);
  EXPECT_EQ(form->State().PathArchivo, plat::JoinPath(dir, "sub"));
  EXPECT_FALSE(w.Modificado);

  // A file without the names keeps the names on screen.
  const std::string unnamed = Write("unnamed.sgr", Project("<VLE=ALPHA>", Table(3, 4), ""));
  dialogs.answer(unnamed);
  w.Abrir();
  EXPECT_EQ(Field(16), "Benzene");
  EXPECT_EQ(Field(17), "Toluene");
  EXPECT_TRUE(w.OptVOL->isChecked());
  EXPECT_FALSE(form->State().UsarTabla);
}

TEST_F(ProjectCommandsTest, OpeningARelativeVolatilityProjectStillRebuildsTheLookupTables) {
  designer::FormMain& w = Load();
  dialogs.answer(Write("a.sgr", Project("<VLE=TABLE>", Table(2.5, 10))));
  w.Abrir();
  dialogs.answer(Write("b.sgr", Project("<VLE=ALPHA>", Table(4, 10))));
  w.Abrir();
  EXPECT_FALSE(form->State().UsarTabla);
  // Switching to the table now computes with b's table, not a's.
  EXPECT_NEAR(form->State().SuperTablasELV.SuperTablaYdeX()[50000], 4 * 0.5 / 2.5, 1e-12);

  // A table the lookup tables cannot be built from leaves none of a's curve behind.
  dialogs.answer(Write("c.sgr", Project("<VLE=TABLE>", "0 0\r\n")));
  w.Abrir();
  EXPECT_EQ(form->State().TablaELV.UltimoPuntoTabla, 1);
  EXPECT_TRUE(w.OptTAB->isChecked());
  EXPECT_EQ(form->State().SuperTablasELV.SuperTablaYdeX()[50000], 0);
  EXPECT_TRUE(boxes.requests().empty());
}

// The file holds the equilibrium the design is calculated with, whatever option shows: the
// table's option chosen without a table ever accepted still computes with alpha, and the
// project reopens as that design, not as one of the placeholder table.
TEST_F(ProjectCommandsTest, ASavedProjectReopensAsTheDesignItShowed) {
  designer::FormMain& w = Load();
  struct Case {
    const char* what;
    std::function<void()> design;
    const char* mode;
  };
  const Case cases[] = {
      {"the table's option without a table",
       [&] {
         form->Text[field::kAlpha]->selectAll();
         QTest::keyClicks(form->Text[field::kAlpha], "9");
         QTest::keyClick(form->Text[field::kAlpha], Qt::Key_Return);  // which recalculates
         w.OptTAB->setChecked(true);
         ASSERT_FALSE(form->State().UsarTabla);
       },
       "<VLE=ALPHA>"},
      {"a table in force",
       [&] {
         dialogs.answer(Write("table.sgr", Project("<VLE=TABLE>", Table(2.5, 10))));
         w.Abrir();
         ASSERT_TRUE(form->State().UsarTabla);
       },
       "<VLE=TABLE>"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    c.design();
    ASSERT_TRUE(w.LblERROR->text().isEmpty()) << w.LblERROR->text().toStdString();
    const std::vector<std::string> shown = Fields();
    const bool table = form->State().UsarTabla;
    const std::string saved = plat::JoinPath(dir, std::string(c.mode).substr(5, 5) + ".sgr");
    dialogs.answer(saved);
    w.Save_As();
    EXPECT_NE(Bytes(saved).find(std::string(c.mode) + "\r\n"), std::string::npos);

    dialogs.answer(saved);
    w.Abrir();
    EXPECT_EQ(Fields(), shown);  // the same minimum reflux, plates and every other result
    EXPECT_EQ(form->State().UsarTabla, table);
  }
  EXPECT_TRUE(boxes.requests().empty());
}

TEST_F(ProjectCommandsTest, RefusedRowsChangeNothingAndSaveStillWritesThePreviousProject) {
  designer::FormMain& w = Load();
  const std::string previous = Write("previous.sgr", Project("<VLE=TABLE>", Table(2.5, 10)));
  dialogs.answer(previous);
  w.Abrir();
  dialogs.answer(previous);  // saved once by us, so that its bytes are ours
  w.Save_As();
  const std::string previousBytes = Bytes(previous);
  const std::vector<std::string> fields = Fields();
  const EquilibriumTable table = form->State().TablaELV;

  struct Case {
    const char* name;
    std::string bytes;
    const char* text;  // the key's text in the language file
  };
  const std::string names = "<A=Water>\r\n<B=Glycol>\r\n";
  const std::vector<Case> cases = {
      {"out-of-range.sgr", Project("<VLE=TABLE>", "0 0\r\n.5 1.5\r\n1 1\r\n", names),
       "The equilibrium table of this project has a value outside 0 to 1"},
      {"absurd.sgr", Project("<VLE=TABLE>", "0 0\r\n1E400 .5\r\n1 1\r\n", names),
       "The equilibrium table of this project has a value outside 0 to 1"},
      {"not-increasing.sgr", Project("<VLE=TABLE>", "0 0\r\n.5 .6\r\n.4 .7\r\n1 1\r\n", names),
       "The x and y values of the equilibrium table of this project do not increase from row to row"},
      {"pure.sgr", Project("<VLE=TABLE>", "0 .1\r\n1 1\r\n", names),
       "The equilibrium table of this project is not consistent at the pure components (x = 0 with y = 0, x = 1 "
       "with y = 1)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = Write(std::string("refused/") + c.name, c.bytes);
    dialogs.answer(path);
    const std::size_t shown = boxes.requests().size();
    MenuItem(w, "mnu_Archivo_OPEN")->trigger();
    ASSERT_EQ(boxes.requests().size(), shown + 1);
    EXPECT_EQ(boxes.requests().back().text, std::string(c.text) + ".\r\n" + path);
    EXPECT_EQ(boxes.requests().back().style, plat::kExclamation);
    EXPECT_EQ(boxes.requests().back().title, "Stagora");
    EXPECT_EQ(Fields(), fields);
    EXPECT_EQ(form->State().TablaELV.TablaX, table.TablaX);
    EXPECT_EQ(form->State().TablaELV.TablaY, table.TablaY);
    EXPECT_EQ(form->State().TablaELV.UltimoPuntoTabla, table.UltimoPuntoTabla);
    EXPECT_TRUE(form->State().UsarTabla);
    EXPECT_TRUE(w.OptTAB->isChecked());
    EXPECT_EQ(w.ArchivoActual, previous);
    EXPECT_FALSE(w.Modificado);
    EXPECT_EQ(form->State().PathArchivo, plat::JoinPath(dir, "refused"));  // the dialog starts there next time

    MenuItem(w, "mnu_Archivo_SAVE")->trigger();  // Ctrl+S
    EXPECT_EQ(Bytes(previous), previousBytes);
    EXPECT_EQ(boxes.requests().size(), shown + 1);
  }
}

TEST_F(ProjectCommandsTest, NamesInAnyScriptOpenAndSaveUnderThemselves) {
  designer::FormMain& w = Load();
  const std::string folder = plat::JoinPath(dir, "Документы");
  fs::create_directories(folder);
  const std::string project = plat::JoinPath(folder, "проект.sgr");
  dialogs.answer(project);
  w.Save_As();
  const std::string bytes = Bytes(project);
  ASSERT_NE(bytes, "<unreadable>");

  dialogs.answer(project);
  MenuItem(w, "mnu_Archivo_OPEN")->trigger();
  EXPECT_TRUE(boxes.requests().empty());
  EXPECT_EQ(w.ArchivoActual, project);
  EXPECT_EQ(form->State().PathArchivo, folder);
  MenuItem(w, "mnu_Archivo_SAVE")->trigger();  // Ctrl+S: in place, byte for byte
  EXPECT_EQ(Bytes(project), bytes);

  // Two names Windows-1252 cannot hold are two files, each saved under its own name.
  w.Text[field::kRefluxRatio]->setText("4");
  dialogs.answer(plat::JoinPath(folder, "łódź"));
  w.Save_As();
  w.Text[field::kRefluxRatio]->setText("5");
  dialogs.answer(plat::JoinPath(folder, "ødź"));
  w.Save_As();
  EXPECT_EQ(dialogs.requests.back().initialDir, QString::fromUtf8(folder.c_str()));  // from the opened project
  EXPECT_EQ(w.ArchivoActual, plat::JoinPath(folder, "ødź.sgr"));
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"ødź.sgr", "łódź.sgr", "проект.sgr"}));
  EXPECT_NE(Bytes(plat::JoinPath(folder, "łódź.sgr")), Bytes(plat::JoinPath(folder, "ødź.sgr")));

  // The unsaved-changes question and a refusal name the file as it is called.
  w.Text[field::kRefluxRatio]->setText("6");
  boxes.answer({plat::kCancel});
  int cancel = 0;
  w.Form_QueryUnload(cancel);
  EXPECT_EQ(cancel, 1);
  const std::string refused = Write("Документы/пусто.sgr", "");
  dialogs.answer(refused);
  w.Abrir();
  ASSERT_EQ(boxes.requests().size(), 2u);
  EXPECT_EQ(boxes.requests()[0].text, w.MsgAsk2Save + "\r\n" + plat::JoinPath(folder, "ødź.sgr"));
  EXPECT_EQ(boxes.requests()[1].text, "This is not a valid project file.\r\n" + refused);
}

TEST_F(ProjectCommandsTest, WhatIsNoProjectFileIsRefusedSayingWhatItIs) {
  designer::FormMain& w = Load();
  const std::vector<std::string> fields = Fields();
  const std::string folder = plat::JoinPath(dir, "folder.sgr");
  const std::string fifo = plat::JoinPath(dir, "fifo.sgr");
  const std::string zero = plat::JoinPath(dir, "zero.sgr");
  fs::create_directories(folder);
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  fs::create_symlink("/dev/zero", zero);
  // A valid project grown past any project's size by a trailing comment.
  const std::string huge = Write("huge.sgr", Project("<VLE=TABLE>", Table(2.5, 10)) + std::string(kLargestProjectFile, ' '));
  const std::pair<std::string, std::string> cases[] = {
      {folder, "Error : " + std::to_string(EISDIR) + " - This is a folder, not a file."},
      {fifo, "Error : " + std::to_string(EINVAL) + " - This is a named pipe (FIFO), not a file."},
      {zero, "Error : " + std::to_string(EINVAL) + " - This is a character device, not a file."},
      {huge, "Error : " + std::to_string(EFBIG) + " - The file holds " +
                 std::to_string(fs::file_size(huge)) + " bytes, more than the 4194304 a file of this kind can hold."},
  };
  for (const auto& [path, reason] : cases) {
    SCOPED_TRACE(path);
    dialogs.answer(path);
    const std::size_t shown = boxes.requests().size();
    MenuItem(w, "mnu_Archivo_OPEN")->trigger();
    ASSERT_EQ(boxes.requests().size(), shown + 1);
    EXPECT_EQ(boxes.requests().back().text, "This is not a valid project file.\r\n" + path + "\r\n" + reason);
    EXPECT_EQ(Fields(), fields);
    EXPECT_EQ(w.ArchivoActual, "");
  }
}

// A file cut off inside its rows (or without any row block) shows the values its tags hold
// but takes over neither the table nor the mode, and leaves an untitled project, so that
// Ctrl+S asks for a name instead of writing over the file that was open before.
TEST_F(ProjectCommandsTest, AFileWithoutRowBlockShowsItsValuesAsAnUntitledProject) {
  designer::FormMain& w = Load();
  const std::string previous = Write("previous.sgr", Project("<VLE=TABLE>", Table(2.5, 10)));
  dialogs.answer(previous);
  w.Abrir();
  const std::string previousBytes = Bytes(previous);
  const EquilibriumTable table = form->State().TablaELV;
  const std::string names = "<A=Water>\r\n<B=Glycol>\r\n";
  const std::string whole = Project("<VLE=ALPHA>", Table(3, 10), names);

  struct Case {
    const char* name;
    std::string bytes;
    std::vector<std::string> fields;  // Text1 to Text6, Text15, Text16, Text17
  };
  const std::vector<Case> cases = {
      {"truncated.sgr", whole.substr(0, whole.find("[[") + 40),
       {"2.5", "1", ".4", ".95", ".05", "3", ".8", "Water", "Glycol"}},
      {"no-block.sgr", "<A=Ethanol>\r\n<ALPHA=9>\r\n<R=4>\r\n<VLE=ALPHA>\r\n",
       {"9", "", "", "", "", "4", "", "Ethanol", "Glycol"}},
      {"empty.sgr", "", {"", "", "", "", "", "", "", "Ethanol", "Glycol"}},  // the names stay
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = Write(std::string("cut/") + c.name, c.bytes);
    dialogs.answer(path);
    const std::size_t shown = boxes.requests().size();
    MenuItem(w, "mnu_Archivo_OPEN")->trigger();
    ASSERT_EQ(boxes.requests().size(), shown + 1);
    EXPECT_EQ(boxes.requests().back().text, "This is not a valid project file.\r\n" + path);
    const std::vector<std::string> fields = {Field(1), Field(2), Field(3),  Field(4), Field(5),
                                             Field(6), Field(15), Field(16), Field(17)};
    EXPECT_EQ(fields, c.fields);
    EXPECT_EQ(form->State().TablaELV.TablaX, table.TablaX);
    EXPECT_EQ(form->State().TablaELV.UltimoPuntoTabla, table.UltimoPuntoTabla);
    EXPECT_TRUE(form->State().UsarTabla);
    EXPECT_TRUE(w.OptTAB->isChecked());
    EXPECT_EQ(w.ArchivoActual, "");
    EXPECT_FALSE(w.Modificado);
    // The results are those of the fields shown: computed for a whole design, none otherwise.
    EXPECT_EQ(Field(7).empty(), c.fields[2].empty());

    dialogs.answer(std::nullopt);  // Ctrl+S asks for a name; cancelled
    MenuItem(w, "mnu_Archivo_SAVE")->trigger();
    EXPECT_EQ(dialogs.requests.back().kind, FileDialogRequest::Kind::Save);
    EXPECT_EQ(Bytes(previous), previousBytes);
    EXPECT_EQ(Bytes(path), c.bytes);
  }
}

TEST_F(ProjectCommandsTest, FailedSavesShowTheErrorAndKeepTheOldFileAndTheState) {
  designer::FormMain& w = Load();
  const std::string old = Write("old.sgr", "the old project\r\n");
  w.Text[field::kRefluxRatio]->setText("4");
  ASSERT_TRUE(w.Modificado);

  struct Case {
    const char* what;
    std::string path;
    std::string message;  // the first lines; the error's description follows
  };
  const std::string plain = Write("plain.txt", "x");
  fs::create_directories(plat::JoinPath(dir, "folder.sgr/inside"));
  const std::vector<Case> cases = {
      {"a folder that cannot exist", plain + "/p.sgr",
       "The file cannot be saved:\r\n" + plain + "/p.sgr\r\nError : " + std::to_string(ENOTDIR) + " - "},
      {"a folder where the file should be", plat::JoinPath(dir, "folder.sgr"),
       "The file cannot be overwritten:\r\n" + plat::JoinPath(dir, "folder.sgr") + "\r\nError : " +
           std::to_string(EISDIR) + " - "},
      // Named as what it is, as opening one names it.
      {"a named pipe", plat::JoinPath(dir, "pipe.sgr"),
       "The file cannot be saved:\r\n" + plat::JoinPath(dir, "pipe.sgr") + "\r\nError : " + std::to_string(EINVAL) +
           " - This is a named pipe"},
  };
  ASSERT_EQ(::mkfifo(plat::JoinPath(dir, "pipe.sgr").c_str(), 0666), 0);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::size_t shown = boxes.requests().size();
    w.Save(c.path);
    ASSERT_EQ(boxes.requests().size(), shown + 1);
    const std::string& text = boxes.requests().back().text;
    EXPECT_EQ(text.substr(0, c.message.size()), c.message);
    EXPECT_GT(text.size(), c.message.size());  // with the description
    EXPECT_EQ(boxes.requests().back().style, plat::kExclamation);
    EXPECT_EQ(w.ArchivoActual, "");
    EXPECT_TRUE(w.Modificado);
  }
  EXPECT_TRUE(fs::exists(plat::JoinPath(dir, "folder.sgr/inside")));
  EXPECT_TRUE(fs::is_fifo(plat::JoinPath(dir, "pipe.sgr")));
  fs::remove(plat::JoinPath(dir, "pipe.sgr"));

  // A write that fails part-way, as on a full disk, over an existing file: here past the
  // file-size limit, whose signal the designer ignores from its start.
  struct rlimit saved {};
  getrlimit(RLIMIT_FSIZE, &saved);
  struct rlimit small = saved;
  small.rlim_cur = 100;
  plat::IgnoreFileSizeLimitSignal();
  setrlimit(RLIMIT_FSIZE, &small);
  w.Save(old);
  setrlimit(RLIMIT_FSIZE, &saved);
  ASSERT_EQ(boxes.requests().size(), cases.size() + 1);
  EXPECT_EQ(boxes.requests().back().text.rfind("The file cannot be saved:\r\n" + old + "\r\nError : " +
                                               std::to_string(EFBIG) + " - ",
                                           0),
            0u)
      << boxes.requests().back().text;
  EXPECT_EQ(Bytes(old), "the old project\r\n");
  EXPECT_TRUE(w.Modificado);
  std::vector<std::string> left;
  for (const auto& entry : fs::directory_iterator(dir)) left.push_back(entry.path().filename().string());
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left, (std::vector<std::string>{"folder.sgr", "old.sgr", "plain.txt"}));
}

// File permissions do not bind the superuser, who is who the tests run as on the build
// machines: started as root, the check runs in a child process that gives up its rights for
// those of the unprivileged user "nobody", to whom the folder is handed over.
void AsUnprivilegedUser(const std::string& dir, const std::function<void()>& check) {
  if (geteuid() != 0) {
    check();
    return;
  }
  constexpr uid_t kNobody = 65534;
  for (const auto& entry : fs::recursive_directory_iterator(dir))
    ASSERT_EQ(chown(entry.path().c_str(), kNobody, kNobody), 0) << entry.path();
  ASSERT_EQ(chown(dir.c_str(), kNobody, kNobody), 0);
  std::fflush(nullptr);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0) _exit(2);
    check();  // its failures are printed as they happen
    std::fflush(nullptr);
    _exit(::testing::Test::HasFailure() ? 1 : 0);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status)) << "the check ended by signal " << WTERMSIG(status);
  EXPECT_NE(WEXITSTATUS(status), 2) << "cannot become the unprivileged user";
  EXPECT_EQ(WEXITSTATUS(status), 0) << "the check failed in the unprivileged child";
}

TEST_F(ProjectCommandsTest, InAReadOnlyFolderOnlyAFileTheUserMayWriteIsSaved) {
  designer::FormMain& w = Load();
  const std::string old = Write("locked/old.sgr", "the old project\r\n");
  const std::string locked = plat::JoinPath(dir, "locked");
  const std::string fresh = plat::JoinPath(locked, "new.sgr");
  AsUnprivilegedUser(dir, [&] {
    ASSERT_EQ(chmod(locked.c_str(), 0555), 0);
    // A new file has no place there: told, and nothing is made.
    w.Save(fresh);
    ASSERT_EQ(boxes.requests().size(), 1u);
    EXPECT_EQ(boxes.requests()[0].text.rfind("The file cannot be saved:\r\n" + fresh + "\r\n", 0), 0u);
    EXPECT_FALSE(plat::FileExists(fresh));
    EXPECT_EQ(w.ArchivoActual, "");

    // The file already there, which the user may write, is written where it is.
    w.Save(old);
    EXPECT_EQ(boxes.requests().size(), 1u);
    const std::string saved = Bytes(old);
    EXPECT_NE(saved, "the old project\r\n");
    EXPECT_EQ(w.ArchivoActual, old);

    // A read-only file: not replaced behind the user's back.
    ASSERT_EQ(chmod(old.c_str(), 0444), 0);
    w.Save(old);
    ASSERT_EQ(boxes.requests().size(), 2u);
    EXPECT_EQ(boxes.requests()[1].text.rfind("The file cannot be overwritten:\r\n" + old + "\r\n", 0), 0u);
    EXPECT_EQ(Bytes(old), saved);
    chmod(locked.c_str(), 0755);
  });
}

TEST_F(ProjectCommandsTest, SaveAsAddsTheExtensionOnlyWhenMissingAndCancelChangesNothing) {
  designer::FormMain& w = Load();
  w.Text[field::kRefluxRatio]->setText("4");
  dialogs.answer(std::nullopt);
  MenuItem(w, "mnu_Archivo_SAVE")->trigger();  // untitled: Save asks for a name
  EXPECT_EQ(dialogs.requests.size(), 1u);
  EXPECT_EQ(w.ArchivoActual, "");
  EXPECT_TRUE(w.Modificado);
  EXPECT_TRUE(fs::is_empty(dir));

  const std::pair<const char*, const char*> names[] = {
      {"plain", "plain.sgr"}, {"upper.SGR", "upper.SGR"}, {"notes.txt", "notes.txt.sgr"}};
  for (const auto& [typed, written] : names) {
    dialogs.answer(plat::JoinPath(dir, typed));
    w.Save_As();
    EXPECT_EQ(w.ArchivoActual, plat::JoinPath(dir, written));
    EXPECT_TRUE(plat::FileExists(plat::JoinPath(dir, written))) << written;
  }
  EXPECT_FALSE(plat::FileExists(plat::JoinPath(dir, "notes.txt")));
}

// A blank that ends a typed name belongs to it: "t.sgr " is another file than "t.sgr", and
// the twin without the blank is neither opened nor replaced in its place.
TEST_F(ProjectCommandsTest, ANameEndingInABlankIsItsOwnFile) {
  designer::FormMain& w = Load();
  const std::string twin = Write("t.sgr", Project("<VLE=ALPHA>", Table(2.5, 10), "<A=Twin>\r\n<B=Toluene>\r\n"));
  const std::string blank = Write("t.sgr ", Project("<VLE=ALPHA>", Table(2.5, 10), "<A=Blank>\r\n<B=Toluene>\r\n"));
  dialogs.answer(blank);
  MenuItem(w, "mnu_Archivo_OPEN")->trigger();
  EXPECT_TRUE(boxes.requests().empty());
  EXPECT_EQ(Field(field::kMoreVolatileName), "Blank");
  EXPECT_EQ(w.ArchivoActual, blank);

  // Save As of "u.sgr " writes "u.sgr .sgr", the file the dialog asked about, and leaves
  // "u.sgr" as it was.
  const std::string other = Write("u.sgr", "kept as it was\r\n");
  dialogs.answer(plat::JoinPath(dir, "u.sgr "));
  w.Save_As();
  EXPECT_TRUE(boxes.requests().empty());
  EXPECT_EQ(dialogs.requests.back().extension, QString(".sgr"));
  EXPECT_EQ(Bytes(other), "kept as it was\r\n");
  EXPECT_EQ(w.ArchivoActual, plat::JoinPath(dir, "u.sgr .sgr"));
  EXPECT_NE(Bytes(plat::JoinPath(dir, "u.sgr .sgr")).find("<A=Blank>"), std::string::npos);
  EXPECT_NE(Bytes(twin).find("<A=Twin>"), std::string::npos);
}

TEST_F(ProjectCommandsTest, BorrarEmptiesTheDesignButKeepsNamesTableAndMode) {
  designer::FormMain& w = Load();
  dialogs.answer(Write("t.sgr", Project("<VLE=TABLE>", Table(2.5, 10))));
  w.Abrir();
  ASSERT_TRUE(w.Label2[0]->isVisible() || !w.isVisible());
  w.Text[field::kLessVolatileName]->setText("Other");
  w.Modificado = true;
  w.Borrar();
  for (int n = 1; n <= 15; ++n) EXPECT_EQ(Field(n), "") << "Text" << n;
  EXPECT_EQ(Field(16), "Benzene");
  EXPECT_EQ(Field(17), "Other");
  for (const QLabel* label : w.Label2) EXPECT_TRUE(label->isHidden());
  EXPECT_TRUE(w.LblCOOR->isHidden());
  EXPECT_FALSE(w.Modificado);
  EXPECT_FALSE(form->State().BloqueoChange);
  EXPECT_TRUE(form->State().UsarTabla);
  EXPECT_TRUE(w.OptTAB->isChecked());
  EXPECT_EQ(form->State().TablaELV.UltimoPuntoTabla, 10);
  EXPECT_EQ(w.ArchivoActual, plat::JoinPath(dir, "t.sgr"));

  // Saved now, every value is empty and opens as an empty field.
  dialogs.answer(plat::JoinPath(dir, "empty.sgr"));
  w.Save_As();
  EXPECT_EQ(Bytes(plat::JoinPath(dir, "empty.sgr")).substr(0, 40), "<A=Benzene>\r\n<B=Other>\r\n<ALPHA=>\r\n<Q=>\r\n");
}

}  // namespace
}  // namespace stagora::test
