#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QAbstractFileIconProvider>
#include <QFileDialog>
#include <QFileInfo>
#include <QTimer>
#include <QWidget>
#include <string>
#include <vector>

#include "common/file_dialogs_ui.h"
#include "common/file_filter.h"
#include "platform/textfile.h"
#include "tests/support/test_support.h"

namespace {

using stagora::FileDialogRequest;

TEST(FileFilter, ListsBecomeOneQtFilterPerPair) {
  struct Case {
    std::string list;
    std::vector<std::string> expected;
  };
  const std::vector<Case> cases = {
      {"Stagora files  (*.sgr)|*.sgr|All files  (*.*)|*.*",
       {"Stagora files  (*.sgr) (*.sgr)", "All files  (*.*) (*)"}},
      // several patterns of one pair; blanks around them do not count
      {"Tables|*.vle; *.txt", {"Tables (*.vle *.txt)"}},
      // a final separator ends the list and adds nothing
      {"Tables (*.vle)|*.vle|", {"Tables (*.vle) (*.vle)"}},
      // an empty item ends the list like the double NUL of the platform's list
      {"A|*.a||B|*.b", {"A (*.a)"}},
      // a label without its pattern is dropped
      {"A|*.a|B", {"A (*.a)"}},
      {"", {}},
      {"|", {}},
      // Windows-1252 labels pass through as they are
      {"Documentos de resoluci\xF3n|*.rex", {"Documentos de resoluci\xF3n (*.rex)"}},
  };
  for (const Case& c : cases) EXPECT_EQ(stagora::QtNameFilters(c.list), c.expected) << c.list;

  const auto parsed = stagora::ParseFilterList("Tables|*.vle;*.sgr|All|*.*");
  ASSERT_EQ(parsed.size(), 2u);
  EXPECT_EQ(parsed[0].label, "Tables");
  EXPECT_EQ(parsed[0].patterns, (std::vector<std::string>{"*.vle", "*.sgr"}));
  EXPECT_EQ(parsed[1].patterns, (std::vector<std::string>{"*.*"}));
}

// Answers every dialog with a scripted path (nullopt: cancel) and keeps the last request.
class ScriptedDialog {
 public:
  explicit ScriptedDialog(std::optional<QString> answer)
      : answer_(std::move(answer)), dialog_(stagora::SetFileDialogHandler, [this](const FileDialogRequest& req) {
          last_ = req;
          ++shown_;
          return answer_;
        }) {}
  const FileDialogRequest& last() const { return last_; }
  int shown() const { return shown_; }

 private:
  std::optional<QString> answer_;
  FileDialogRequest last_;
  int shown_ = 0;
  const stagora::test::ScopedHook<stagora::FileDialogHandler> dialog_;
};

TEST(FileDialogs, OpenDialogIsAskedWithTheCallersTextsAndReturnsThePath) {
  QWidget owner;
  ScriptedDialog dialog(QString("/home/user/projects/column.sgr"));
  const std::string path = stagora::DlgAbrirArchivo("Stagora files  (*.sgr)|*.sgr|All files  (*.*)|*.*",
                                                    "Open", "/home/user/projects", &owner);
  EXPECT_EQ(path, "/home/user/projects/column.sgr");
  ASSERT_EQ(dialog.shown(), 1);
  const FileDialogRequest& req = dialog.last();
  EXPECT_EQ(req.kind, FileDialogRequest::Kind::Open);
  EXPECT_EQ(req.title, QString("Open"));
  EXPECT_EQ(req.initialDir, QString("/home/user/projects"));
  EXPECT_EQ(req.nameFilters, (QStringList{"Stagora files  (*.sgr) (*.sgr)", "All files  (*.*) (*)"}));
  EXPECT_EQ(req.owner, &owner);
}

// A blank at either end is part of the name: "t.sgr " and "t.sgr" are two files, and the
// one chosen is the one opened or written.
TEST(FileDialogs, ReturnedNamesAreKeptExactlyAsTyped) {
  struct Case {
    QString chosen;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"/tmp/a.sgr", "/tmp/a.sgr"},
      {"/tmp/t.sgr ", "/tmp/t.sgr "},
      {"/tmp/ t.sgr", "/tmp/ t.sgr"},
      {"/tmp/no extension  ", "/tmp/no extension  "},  // no extension is added
      {"/tmp/tab.rep\t", "/tmp/tab.rep\t"},
      {"/tmp/table.VLE", "/tmp/table.VLE"},
      {QString::fromUtf8("/tmp/resolución.rex"), "/tmp/resolución.rex"},  // the system's own name
      {QString::fromUtf8("/tmp/Документы/проект.sgr"), "/tmp/Документы/проект.sgr"},
  };
  for (const Case& c : cases) {
    ScriptedDialog open(c.chosen);
    EXPECT_EQ(stagora::DlgAbrirArchivo("All|*.*", "t", "", nullptr), c.expected) << c.chosen.toStdString();
    ScriptedDialog save(c.chosen);
    EXPECT_EQ(stagora::DlgGuardarArchivo("All|*.*", "t", "", "", nullptr), c.expected) << c.chosen.toStdString();
  }
}

TEST(FileDialogs, ALongPathIsReturnedWhole) {
  const QString longPath = "/tmp/" + QString(300, 'd') + "/column.sgr";
  ScriptedDialog dialog(longPath);
  EXPECT_EQ(stagora::DlgAbrirArchivo("All|*.*", "t", "", nullptr), longPath.toStdString());
}

TEST(FileDialogs, CancelledDialogsReturnEmptyText) {
  ScriptedDialog dialog(std::nullopt);
  EXPECT_EQ(stagora::DlgAbrirArchivo("All|*.*", "Open", "/tmp", nullptr), "");
  EXPECT_EQ(stagora::DlgGuardarArchivo("All|*.*", "Save", "/tmp", "x.sgr", nullptr), "");
  EXPECT_EQ(dialog.shown(), 2);
}

TEST(FileDialogs, SaveDialogProposesOnlyTheLastComponentOfTheName) {
  struct Case {
    std::string proposed;
    QString shown;
  };
  const std::vector<Case> cases = {
      {"C:\\work\\column.sgr", "column.sgr"},
      {"/home/user/column.sgr", "column.sgr"},
      {"C:\\work/sub\\dir/column.sgr", "column.sgr"},  // "/" after "\": what follows the last "/"
      {"a/b\\column.sgr", "column.sgr"},
      {"column.sgr", "column.sgr"},
      {"C:\\work\\", ""},
      {"", ""},
  };
  for (const Case& c : cases) {
    ScriptedDialog dialog(QString("/tmp/x.sgr"));
    stagora::DlgGuardarArchivo("Stagora files|*.sgr", "Save as", "/tmp", c.proposed, nullptr);
    EXPECT_EQ(dialog.last().kind, FileDialogRequest::Kind::Save);
    EXPECT_EQ(dialog.last().proposedName, c.shown) << c.proposed;
  }
}

// The real dialog, driven from a timer while it runs modally.
// Runs `act` on the file dialog that the next call shows, once it is showing.
void OnTheShownFileDialog(std::function<void(QFileDialog*)> act) {
  QTimer::singleShot(0, [act = std::move(act)] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (!dialog) {
      ADD_FAILURE() << "no file dialog is showing";
      return;
    }
    act(dialog);
  });
}

std::string RunRealOpenDialog(const std::string& folder, const std::function<void(QFileDialog*)>& act) {
  OnTheShownFileDialog(act);
  return stagora::DlgAbrirArchivo("Stagora files  (*.sgr)|*.sgr|All files  (*.*)|*.*", "Open project", folder,
                                  nullptr);
}

TEST(FileDialogs, RealOpenDialogShowsTheListsLabelsAndReturnsTheChosenFile) {
  const std::string dir = stagora::test::ScratchDir("dialog-real");
  const std::string file = plat::JoinPath(dir, "column.sgr");
  ASSERT_TRUE(plat::WriteTextFile(file, "x"));
  QStringList filters;
  QString title;
  const std::string chosen = RunRealOpenDialog(dir, [&](QFileDialog* d) {
    filters = d->nameFilters();
    title = d->windowTitle();
    EXPECT_EQ(d->fileMode(), QFileDialog::ExistingFile);
    EXPECT_TRUE(d->testOption(QFileDialog::HideNameFilterDetails));
    d->selectFile(QString::fromStdString(file));
    static_cast<QDialog*>(d)->accept();  // QFileDialog keeps accept() protected
  });
  EXPECT_EQ(chosen, file);
  EXPECT_EQ(title, QString("Open project"));
  EXPECT_EQ(filters.size(), 2);

  EXPECT_EQ(RunRealOpenDialog(dir, [](QFileDialog* d) { d->reject(); }), "");
}

// Reading a file to learn its kind can block for good (a device, a stalled network folder):
// the dialog names kinds from the names alone.
TEST(FileDialogs, RealDialogNamesAFilesKindFromItsNameWithoutReadingIt) {
  const std::string dir = stagora::test::ScratchDir("dialog-kinds");
  const std::string picture = plat::JoinPath(dir, "picture");  // a PNG by its content only
  ASSERT_TRUE(plat::WriteTextFile(picture, std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)));
  ASSERT_TRUE(plat::WriteTextFile(plat::JoinPath(dir, "notes.txt"), "x"));
  QString folder, pictureKind, notesKind;
  RunRealOpenDialog(dir, [&](QFileDialog* d) {
    folder = d->directory().absolutePath();
    if (const QAbstractFileIconProvider* icons = d->iconProvider()) {
      pictureKind = icons->type(QFileInfo(QString::fromStdString(picture)));
      notesKind = icons->type(QFileInfo(QString::fromStdString(plat::JoinPath(dir, "notes.txt"))));
    }
    d->selectFile(QString::fromStdString(picture));
    static_cast<QDialog*>(d)->accept();
  });
  EXPECT_EQ(folder, QString::fromStdString(dir));
  EXPECT_FALSE(pictureKind.isEmpty());
  EXPECT_FALSE(pictureKind.contains("PNG", Qt::CaseInsensitive)) << pictureKind.toStdString();
  EXPECT_TRUE(notesKind.contains("text", Qt::CaseInsensitive)) << notesKind.toStdString();

  // A dialog given no folder opens in the current folder, not in the one of the file chosen
  // before: a caller offers a folder again only once it has used a file there.
  RunRealOpenDialog("", [&](QFileDialog* d) {
    folder = d->directory().absolutePath();
    d->reject();
  });
  EXPECT_EQ(folder, QDir::currentPath());
}

TEST(FileDialogs, RealSaveDialogKeepsTheUserThereUntilTheFolderExists) {
  const std::string dir = stagora::test::ScratchDir("dialog-real-save");
  const std::string missing = plat::JoinPath(dir, "no such folder/column.sgr");
  const std::string good = plat::JoinPath(dir, "column.sgr");
  stagora::test::MessageBoxRecorder boxes;
  bool stayedOpen = false;
  OnTheShownFileDialog([&](QFileDialog* d) {
    d->selectFile(QString::fromStdString(missing));
    static_cast<QDialog*>(d)->accept();
    stayedOpen = d->isVisible();
    d->selectFile(QString::fromStdString(good));
    static_cast<QDialog*>(d)->accept();
  });
  const std::string chosen = stagora::DlgGuardarArchivo("Stagora files|*.sgr", "Save as", dir, "", nullptr);
  EXPECT_TRUE(stayedOpen);
  EXPECT_EQ(chosen, good);
  ASSERT_EQ(boxes.requests().size(), 1u);
  EXPECT_EQ(boxes.requests()[0].text.rfind(plat::JoinPath(dir, "no such folder") + "\r\n", 0), 0u)
      << boxes.requests()[0].text;
  EXPECT_EQ(boxes.requests()[0].style, plat::kExclamation);
  EXPECT_EQ(boxes.requests()[0].title, "Save as");
}

TEST(FileDialogs, RealSaveDialogAsksAboutTheFileTheCallersExtensionNames) {
  const std::string dir = stagora::test::ScratchDir("dialog-real-extension");
  ASSERT_TRUE(plat::WriteTextFile(plat::JoinPath(dir, "column.sgr"), "x"));
  const std::string typed = plat::JoinPath(dir, "column");
  stagora::test::MessageBoxRecorder boxes;
  boxes.answer({plat::kNo, plat::kYes});
  bool stayedOpen = false;
  OnTheShownFileDialog([&](QFileDialog* d) {
    d->selectFile(QString::fromStdString(typed));
    static_cast<QDialog*>(d)->accept();  // "No": the user stays to choose another name
    stayedOpen = d->isVisible();
    static_cast<QDialog*>(d)->accept();  // "Yes"
  });
  const std::string chosen =
      stagora::DlgGuardarArchivo("Stagora files|*.sgr", "Save as", dir, "", nullptr, ".sgr");
  EXPECT_TRUE(stayedOpen);
  EXPECT_EQ(chosen, typed);  // the caller adds the extension
  ASSERT_EQ(boxes.requests().size(), 2u);
  EXPECT_EQ(boxes.requests()[0].text.rfind(plat::JoinPath(dir, "column.sgr") + "\r\n", 0), 0u)
      << boxes.requests()[0].text;
  EXPECT_EQ(boxes.requests()[0].style, plat::kYesNo | plat::kExclamation | plat::kDefaultButton2);
  EXPECT_EQ(boxes.requests()[0].title, "Save as");

  // A name whose file with the extension does not exist yet is taken without a question.
  OnTheShownFileDialog([&](QFileDialog* d) {
    d->selectFile(QString::fromStdString(plat::JoinPath(dir, "new")));
    static_cast<QDialog*>(d)->accept();
  });
  EXPECT_EQ(stagora::DlgGuardarArchivo("Stagora files|*.sgr", "Save as", dir, "", nullptr, ".sgr"),
            plat::JoinPath(dir, "new"));
  EXPECT_EQ(boxes.requests().size(), 2u);

  // A folder of the name with the extension is refused as a folder, with no question about
  // replacing it; the user stays to choose another name.
  ASSERT_TRUE(plat::CreateDirectory(plat::JoinPath(dir, "folder.sgr")));
  stayedOpen = false;
  OnTheShownFileDialog([&](QFileDialog* d) {
    d->selectFile(QString::fromStdString(plat::JoinPath(dir, "folder")));
    static_cast<QDialog*>(d)->accept();
    stayedOpen = d->isVisible();
    d->reject();
  });
  EXPECT_EQ(stagora::DlgGuardarArchivo("Stagora files|*.sgr", "Save as", dir, "", nullptr, ".sgr"), "");
  EXPECT_TRUE(stayedOpen);
  ASSERT_EQ(boxes.requests().size(), 3u);
  EXPECT_EQ(boxes.requests()[2].text, plat::JoinPath(dir, "folder.sgr") + "\r\nThis is a folder, not a file. Choose another name.");
  EXPECT_EQ(boxes.requests()[2].style, plat::kExclamation);
}

// What the user typed is what is returned, and the replace question is asked about exactly the
// file the caller then writes: the name with its extension appended when it lacks it.
TEST(FileDialogs, RealSaveDialogAsksAboutTheTypedNameWithItsBlanks) {
  const std::string dir = stagora::test::ScratchDir("dialog-real-blanks");
  ASSERT_TRUE(plat::WriteTextFile(plat::JoinPath(dir, "which.rep"), "x"));
  // Qt folds a long s into an s, the callers fold only A to Z: "x.\u017Fgr" gets ".sgr".
  const std::string longS = "x.\xC5\xBFgr";
  ASSERT_TRUE(plat::WriteTextFile(plat::JoinPath(dir, longS + ".sgr"), "x"));
  stagora::test::MessageBoxRecorder boxes;
  boxes.answer({plat::kNo});
  const auto typeAndAccept = [&](const std::string& typed) {
    std::string chosen;
    bool stayedOpen = false;
    OnTheShownFileDialog([&](QFileDialog* d) {
      d->selectFile(QString::fromStdString(typed));
      static_cast<QDialog*>(d)->accept();
      stayedOpen = d->isVisible();
      if (stayedOpen) d->reject();
    });
    const std::string extension = typed.ends_with("gr") ? ".sgr" : ".rep";
    chosen = stagora::DlgGuardarArchivo("Files|*.*", "Save as", dir, "", nullptr, extension);
    return std::pair(chosen, stayedOpen);
  };

  // "which.rep " lacks ".rep": the file written is "which.rep .rep", which does not exist.
  const std::string blank = plat::JoinPath(dir, "which.rep ");
  EXPECT_EQ(typeAndAccept(blank), std::pair(blank, false));
  EXPECT_TRUE(boxes.requests().empty());

  // The file with the extension exists: the question names it, and "No" keeps the user there.
  EXPECT_EQ(typeAndAccept(plat::JoinPath(dir, longS)), std::pair(std::string(), true));
  ASSERT_EQ(boxes.requests().size(), 1u);
  EXPECT_EQ(boxes.requests()[0].text,
            plat::JoinPath(dir, longS + ".sgr") + "\r\nThis file already exists. Do you want to replace it?");
}

}  // namespace
