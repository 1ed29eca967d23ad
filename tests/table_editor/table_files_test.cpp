// The editor's table files and clipboard as the user meets them: Open and Save as through the
// dialogs, a project file opened for its table, the messages of refused files and failed
// saves, and Cut, Copy and Paste of rows.
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QMimeData>
#include <cerrno>
#include <filesystem>
#include <sys/stat.h>

#include "designer/files/table_file.h"
#include "designer/files/table_rows_text.h"
#include "platform/textfile.h"
#include "tests/table_editor/editor_fixture.h"

namespace stagora::test {
namespace {

namespace fs = std::filesystem;
using designer::FormXYinput;

std::string Bytes(const std::string& path) { return plat::ReadTextFile(path).value_or("<unreadable>"); }

void SetClipboard(const QString& text) { QGuiApplication::clipboard()->setText(text); }
QString ClipboardText() { return QGuiApplication::clipboard()->text(); }

class TableFilesTest : public TableEditorTest {
 protected:
  void SetUp() override {
    TableEditorTest::SetUp();
    dir = ScratchDir(std::string("tables-") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
  }

  std::string Write(const std::string& name, const std::string& bytes) {
    const std::string path = plat::JoinPath(dir, name);
    EXPECT_TRUE(plat::WriteTextFile(path, bytes));
    return path;
  }

  // The editor with names and the rows (0, 0), (0.25, 0.41), an empty row, (1, 1).
  FormXYinput& EditorWithSmallTable() {
    FormXYinput& e = OpenEditor();
    e.A = "Benzene";
    e.B = "Toluene";
    e.Borrar();
    e.X[0] = 0;
    e.Y[0] = 0;
    e.X[1] = 0.25;
    e.Y[1] = 0.41;
    e.X[3] = 1;
    e.Y[3] = 1;
    e.VScroll1_Change();
    return e;
  }

  std::string dir;
  ScriptedDialogs dialogs;
  MessageBoxRecorder boxes;
};

TEST_F(TableFilesTest, SaveAsWritesTheTableFileAndOpenRestoresEveryRow) {
  FormXYinput& e = EditorWithSmallTable();
  dialogs.answer(plat::JoinPath(dir, "t"));
  e.LabelB_Click(4);
  const std::string path = plat::JoinPath(dir, "t.vle");
  std::string expected = "<A=Benzene>\r\n<B=Toluene>\r\n[[\r\n0\t0\r\n.25\t.41\r\n-1\t-1\r\n1\t1\r\n";
  for (int i = 4; i < kTableRows; ++i) expected += "-1\t-1\r\n";
  expected += "]]\r\n";
  EXPECT_EQ(Bytes(path), expected);
  ASSERT_EQ(dialogs.requests.size(), 1u);
  EXPECT_EQ(dialogs.requests[0].kind, FileDialogRequest::Kind::Save);
  EXPECT_EQ(dialogs.requests[0].title, QString("Save as"));
  EXPECT_EQ(dialogs.requests[0].extension, QString(".vle"));  // the dialog asks about t.vle
  EXPECT_EQ(dialogs.requests[0].nameFilters,
            (QStringList{"Equilibrium tables (*.vle) (*.vle)", "All files (*.*) (*)"}));
  EXPECT_EQ(e.Answer().PathTabla, dir);
  EXPECT_TRUE(boxes.requests().empty());

  // Saving again over it replaces it; a name typed with the extension in capitals keeps it.
  e.Y[1] = 0.42;
  dialogs.answer(path);
  e.Guardar();
  EXPECT_NE(Bytes(path).find("\r\n.25\t.42\r\n"), std::string::npos);
  dialogs.answer(plat::JoinPath(dir, "TABLA.VLE"));
  e.Guardar();
  EXPECT_TRUE(fs::exists(plat::JoinPath(dir, "TABLA.VLE")));

  const TableColumn x = e.X, y = e.Y;
  e.Borrar();
  e.A = "";
  e.B = "";
  e.VScroll1->setValue(40);
  dialogs.answer(path);
  e.LabelB_Click(3);
  EXPECT_EQ(dialogs.requests.back().kind, FileDialogRequest::Kind::Open);
  EXPECT_EQ(dialogs.requests.back().title, QString("Open"));
  EXPECT_EQ(dialogs.requests.back().initialDir, QString::fromStdString(dir));
  EXPECT_EQ(dialogs.requests.back().nameFilters.size(), 3);
  EXPECT_EQ(e.X, x);
  EXPECT_EQ(e.Y, y);
  EXPECT_EQ(e.A, "Benzene");
  EXPECT_EQ(e.B, "Toluene");
  EXPECT_EQ(e.VScroll1->value(), 0);
  EXPECT_EQ(e.TxTY[1]->text(), "0.42");
  EXPECT_TRUE(boxes.requests().empty());
}

// A blank that ends a typed name belongs to it: the twin without it is neither replaced nor
// opened in its place.
TEST_F(TableFilesTest, ANameEndingInABlankIsItsOwnFile) {
  FormXYinput& e = EditorWithSmallTable();
  const std::string twin = Write("t.vle", "kept as it was\r\n");
  dialogs.answer(plat::JoinPath(dir, "t.vle "));
  e.Guardar();
  EXPECT_TRUE(boxes.requests().empty());
  EXPECT_EQ(Bytes(twin), "kept as it was\r\n");
  const std::string written = plat::JoinPath(dir, "t.vle .vle");
  EXPECT_NE(Bytes(written).find("<A=Benzene>"), std::string::npos);

  fs::rename(written, plat::JoinPath(dir, "t.vle "));
  e.Borrar();
  dialogs.answer(plat::JoinPath(dir, "t.vle "));
  e.Abrir();
  EXPECT_TRUE(boxes.requests().empty());
  EXPECT_EQ(e.Y[1], 0.41);
}

TEST_F(TableFilesTest, AFileWithoutItsMarkersIsRefusedWithItsPathAndTheRowsStay) {
  FormXYinput& e = EditorWithSmallTable();
  const TableColumn x = e.X, y = e.Y;
  const std::string noBlock = Write("Таблицы names.vle", "<A=Methanol>\r\n<B=Water>\r\n0\t0\r\n1\t1\r\n");
  const std::string missing = plat::JoinPath(dir, "gone.vle");
  // What is no file at all is not read, and the message says what it is instead.
  const std::string folder = plat::JoinPath(dir, "folder.vle");
  const std::string fifo = plat::JoinPath(dir, "fifo.vle");
  const std::string zero = plat::JoinPath(dir, "zero.vle");
  fs::create_directories(folder);
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  fs::create_symlink("/dev/zero", zero);
  const std::string huge = Write("huge.vle", std::string(kLargestTableFile + 1, ' '));
  const std::pair<std::string, std::string> cases[] = {
      {noBlock, ""},
      {missing, "\r\n" + std::to_string(ENOENT) + " - No such file or directory"},
      {folder, "\r\n" + std::to_string(EISDIR) + " - This is a folder, not a file."},
      {fifo, "\r\n" + std::to_string(EINVAL) + " - This is a named pipe (FIFO), not a file."},
      {zero, "\r\n" + std::to_string(EINVAL) + " - This is a character device, not a file."},
      {huge, "\r\n" + std::to_string(EFBIG) + " - The file holds 4194305 bytes, more than the 4194304 a file of "
                                              "this kind can hold."},
  };
  for (const auto& [path, reason] : cases) {
    SCOPED_TRACE(path);
    dialogs.answer(path);
    e.Abrir();
    ASSERT_FALSE(boxes.requests().empty());
    EXPECT_EQ(boxes.requests().back().text,
              "This is not a valid equilibrium-table or project file:\r\n" + path + reason);
    EXPECT_EQ(boxes.requests().back().style, plat::kExclamation);
    EXPECT_EQ(boxes.requests().back().title, "Stagora");
    EXPECT_EQ(e.X, x);
    EXPECT_EQ(e.Y, y);
  }
  // The names of the refused file were taken all the same.
  EXPECT_EQ(e.A, "Methanol");
  EXPECT_EQ(e.B, "Water");
  EXPECT_EQ(boxes.requests().size(), std::size(cases));

  // Cancelling the dialog changes nothing.
  dialogs.answer(std::nullopt);
  e.Abrir();
  EXPECT_EQ(e.X, x);
  EXPECT_EQ(boxes.requests().size(), std::size(cases));
}

TEST_F(TableFilesTest, TheTableFolderOutlivesACancelledEditAndStartsTheNextOne) {
  Load();
  EditTable([&](FormXYinput& e) {
    dialogs.answer(plat::JoinPath(dir, "kept"));
    e.Guardar();
    e.Cancelar();
  });
  EXPECT_TRUE(fs::exists(plat::JoinPath(dir, "kept.vle")));
  EXPECT_EQ(form->State().PathTabla, dir);
  EditTable([&](FormXYinput& e) {
    dialogs.answer(std::nullopt);
    e.Abrir();
    e.Cancelar();
  });
  ASSERT_EQ(dialogs.requests.size(), 2u);
  EXPECT_EQ(dialogs.requests[1].initialDir, QString::fromStdString(dir));
  EXPECT_TRUE(boxes.requests().empty());
}

TEST_F(TableFilesTest, AProjectFileGivesItsNamesAndTableOnly) {
  designer::FormMain& w = Load();
  const std::string path = Write("column.sgr",
                                 "<A=Acetone>\r\n<B=Water>\r\n<ALPHA=9>\r\n<Q=1>\r\n<ZF=.3>\r\n<XB=.05>\r\n<XD=.9>\r\n"
                                 "<R=7>\r\n<E=.5>\r\n<VLE=TABLE>\r\n[[\r\n0\t0\r\n.1\t.6\r\n1\t1\r\n]]\r\n");
  FormXYinput& e = OpenEditor();
  dialogs.answer(path);
  e.Abrir();
  EXPECT_EQ(e.A, "Acetone");
  EXPECT_EQ(e.B, "Water");
  EXPECT_EQ(e.X[1], 0.1);
  EXPECT_EQ(e.Y[1], 0.6);
  EXPECT_EQ(e.X[3], kEmptyTableValue);
  EXPECT_EQ(w.Text[field::kAlpha]->text(), "2");  // the design data stay with the main window
  EXPECT_EQ(form->State().TablaELV.TablaX[1], 0.05);
}

TEST_F(TableFilesTest, ASaveThatCannotReplaceTheFileSaysSoAndWritesNothing) {
  FormXYinput& e = EditorWithSmallTable();
  const std::string folder = plat::JoinPath(dir, "taken.vle");
  fs::create_directory(folder);
  dialogs.answer(folder);
  e.Guardar();
  ASSERT_EQ(boxes.requests().size(), 1u);
  const std::string text = boxes.requests()[0].text;
  EXPECT_EQ(text.rfind("The file cannot be overwritten:\r\n" + folder + "\r\n", 0), 0u) << text;
  EXPECT_NE(text.find(" - "), std::string::npos);
  EXPECT_TRUE(fs::is_directory(folder));

  dialogs.answer(plat::JoinPath(dir, "no-such-folder/t.vle"));
  e.Guardar();
  ASSERT_EQ(boxes.requests().size(), 2u);
  EXPECT_EQ(boxes.requests()[1].text.rfind("The file cannot be saved:\r\n", 0), 0u) << boxes.requests()[1].text;
}

TEST_F(TableFilesTest, CopyPutsTheFilledRowsOnTheClipboardAndCutEmptiesTheTable) {
  FormXYinput& e = EditorWithSmallTable();
  e.Y[3] = -1;  // (1, -1) has no y: left out
  e.LabelB_Click(6);
  EXPECT_EQ(ClipboardText(), "0\t0\r\n0.25\t0.41\r\n");
  e.Y[3] = 1;
  e.LabelB_Click(5);
  EXPECT_EQ(ClipboardText(), "0\t0\r\n0.25\t0.41\r\n1\t1\r\n");
  for (int i = 0; i < kTableRows; ++i) ASSERT_EQ(e.X[i], kEmptyTableValue) << i;
  EXPECT_TRUE(e.TxtX[0]->text().isEmpty());

  // Nothing complete to copy: the clipboard keeps what it held, and Cut still empties.
  SetClipboard("kept");
  e.X[0] = 0.5;
  e.LabelB_Click(5);
  EXPECT_EQ(ClipboardText(), "kept");
  EXPECT_EQ(e.X[0], kEmptyTableValue);
}

TEST_F(TableFilesTest, PasteTakesTheRowsOfTextWithEitherLineEnd) {
  FormXYinput& e = EditorWithSmallTable();
  struct Case {
    const char* what;
    QString text;
    int rows;
  };
  const std::vector<Case> cases = {
      {"CR LF", "0\t0\r\n0.3\t0.5\r\n1\t1\r\n", 3},
      {"LF alone, from a program of this platform", "0\t0\n0.3\t0.5\n0.6\t0.8\n1\t1\n", 4},
      {"decimal commas and blanks", "0 0\n0,3   0,5\n", 2},
  };
  for (const Case& c : cases) {
    e.VScroll1->setValue(30);
    SetClipboard(c.text);
    e.LabelB_Click(7);
    EXPECT_EQ(e.X[1], 0.3) << c.what;
    EXPECT_EQ(e.Y[1], 0.5) << c.what;
    EXPECT_NE(e.X[c.rows - 1], kEmptyTableValue) << c.what;
    EXPECT_EQ(e.X[c.rows], kEmptyTableValue) << c.what;
    EXPECT_EQ(e.VScroll1->value(), 0) << c.what;
    EXPECT_EQ(e.TxtX[1]->text(), "0.3") << c.what;
  }
  EXPECT_EQ(e.A, "Benzene");

  // Text without a row, and a clipboard without text, leave the table as it is.
  const TableColumn x = e.X;
  SetClipboard("0.5\n]]\n");  // lines without a blank hold no pair
  e.Pegar();
  EXPECT_EQ(e.X, x);
  QGuiApplication::clipboard()->clear();
  e.Pegar();
  EXPECT_EQ(e.X, x);

  // 120 rows fill all 100; the last shows at the end of the scroll range.
  QString many;
  for (int i = 1; i <= 120; ++i) many += QString("%1\t%2\n").arg(i / 1000.0).arg(i / 500.0);
  SetClipboard(many);
  e.Pegar();
  EXPECT_EQ(e.X[99], 0.1);
  e.VScroll1->setValue(e.VScroll1->maximum());
  EXPECT_EQ(e.LblNUM[11]->text(), "100");
  EXPECT_EQ(e.TxtX[11]->text(), "0.1");
}

}  // namespace
}  // namespace stagora::test
