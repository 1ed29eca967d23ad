// Where documents come from besides File > Open: the recent-documents list and what the
// settings keep of it across a restart, files dropped on the page, many documents on the
// command line; and what File > Save As leaves behind when it does not save.
#include <QAction>
#include <QCoreApplication>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QTest>
#include <QUrl>
#include <cerrno>
#include <filesystem>
#include <sys/stat.h>

#include "common/file_dialogs_ui.h"
#include "platform/encoding.h"
#include "tests/viewer/main_window_fixture.h"
#include "viewer/app/controls.h"

namespace stagora::viewer::test {
namespace {

namespace fs = std::filesystem;
using stagora::test::MessageBoxRecorder;

std::string Odk(const std::string& key) {
  static const LanguageTable table("ODK");
  return table.GetL_win(key);
}

// A caption as shown: file names are the system's own, UTF-8 here.
std::string Text(const QString& s) { return s.toStdString(); }

class RecentDocumentsTest : public ViewerWindowTest {
 protected:
  std::string Doc(const std::string& name) { return WriteDocument(name, DesignerDocument()); }

  void Open(FormMain& f, const std::string& path) {
    V().DocPath = path;
    f.OpenFile();
    ASSERT_TRUE(V().DocumentLoaded) << path;
    ASSERT_EQ(V().DocPath, path);
  }

  // Recent entries 1..9 as (path, caption as shown); hidden items read as empty.
  static std::vector<std::pair<std::string, std::string>> Recent(const FormMain& f) {
    std::vector<std::pair<std::string, std::string>> entries;
    for (int n = 1; n <= kRecentEntries; ++n) {
      const QAction* item = f.mnu_File_Reciente[n];
      entries.push_back({f.RecentFiles[n], item->isVisible() ? Text(item->iconText()) : std::string()});
    }
    return entries;
  }
};

TEST_F(RecentDocumentsTest, AnOpenedDocumentGoesToTheTopAndANewOnePushesTheNinthOut) {
  FormMain& f = Load();
  EXPECT_FALSE(f.zep04->isVisible());
  std::vector<std::string> docs;
  for (int k = 1; k <= 10; ++k) docs.push_back(Doc("doc" + std::to_string(k) + ".rex"));
  for (const std::string& d : docs) Open(f, d);
  // Most recent first; doc1 was pushed out by doc10.
  std::vector<std::pair<std::string, std::string>> expected;
  for (int k = 10; k >= 2; --k) expected.push_back({docs[k - 1], "doc" + std::to_string(k) + ".rex"});
  EXPECT_EQ(Recent(f), expected);
  EXPECT_TRUE(f.zep04->isVisible());

  // Position 5 (doc6) moves to the top, 1 to 4 move down one, 6 to 9 stay.
  Open(f, docs[5]);
  const auto after = Recent(f);
  EXPECT_EQ(after[0], expected[4]);
  for (int n = 1; n <= 4; ++n) EXPECT_EQ(after[n], expected[n - 1]);
  for (int n = 5; n <= 8; ++n) EXPECT_EQ(after[n], expected[n]);

  // A view change rebuilds the same document: the list stays as it is.
  f.SoloSolucion();
  EXPECT_EQ(Recent(f), after);

  // Clicking an entry opens its document.
  f.mnu_File_Reciente[3]->trigger();
  EXPECT_EQ(V().DocPath, expected[1].first);
  EXPECT_EQ(Recent(f)[0], expected[1]);
}

TEST_F(RecentDocumentsTest, RecentDocumentsTheFolderAndTheDecimalSymbolSurviveARestart) {
  {
    FormMain& f = Load();
    // Nothing stored yet: an empty, hidden list, the decimal point, no folder.
    EXPECT_EQ(Recent(f), (std::vector<std::pair<std::string, std::string>>(kRecentEntries)));
    EXPECT_EQ(V().SimboloDecimal, ".");
    EXPECT_TRUE(f.mnu_Ver_SEP_PTO->isChecked());
    EXPECT_EQ(f.LastFolder, "");

    fs::create_directories(root + "/Документы");
    Open(f, Doc("first & one.rex"));
    Open(f, Doc("Документы/αβ Δ.rep"));
    // Names Windows-1252 cannot hold are their own documents, under their own names.
    Open(f, Doc("Документы/ł.rep"));
    Open(f, Doc("Документы/ø.rep"));
    Open(f, Doc("second.rep"));
    EXPECT_EQ(Text(f.windowTitle()), "Norvath - Ovedra - second.rep");
    f.mnu_File_Reciente_Click(4);
    EXPECT_EQ(V().DocPath, root + "/Документы/αβ Δ.rep");
    EXPECT_EQ(Text(f.windowTitle()), "Norvath - Ovedra - αβ Δ.rep");
    Open(f, root + "/second.rep");
    f.mnu_Ver_SEP_COM_Click();
    const auto before = Recent(f);
    ASSERT_EQ(before[4].second, "first & one.rex");  // an "&" shows as it stands
    f.close();  // File > Exit
  }
  const std::vector<std::string> files = {root + "/second.rep", root + "/Документы/αβ Δ.rep", root + "/Документы/ø.rep",
                                          root + "/Документы/ł.rep", root + "/first & one.rex"};
  form.reset();
  V().SimboloDecimal = ".";
  FormMain& again = Load();
  const auto after = Recent(again);
  EXPECT_EQ(after[0], (std::pair<std::string, std::string>{files[0], "second.rep"}));
  EXPECT_EQ(after[1], (std::pair<std::string, std::string>{files[1], "αβ Δ.rep"}));
  EXPECT_EQ(after[2], (std::pair<std::string, std::string>{files[2], "ø.rep"}));
  EXPECT_EQ(after[3], (std::pair<std::string, std::string>{files[3], "ł.rep"}));
  EXPECT_EQ(after[4], (std::pair<std::string, std::string>{files[4], "first & one.rex"}));
  for (int n = 5; n < kRecentEntries; ++n) EXPECT_EQ(after[n].first, "") << n;
  EXPECT_TRUE(again.zep04->isVisible());
  EXPECT_EQ(again.LastFolder, root);  // the folder of the last .rep opened
  EXPECT_EQ(V().SimboloDecimal, ",");
  EXPECT_TRUE(again.mnu_Ver_SEP_COM->isChecked());
  again.mnu_File_Reciente_Click(2);
  EXPECT_TRUE(V().DocumentLoaded);
  EXPECT_EQ(V().DocPath, files[1]);
  EXPECT_EQ(again.LastFolder, root + "/Документы");
}

// A name that is no UTF-8 (E9, "é" in Latin-1) is its own file wherever it enters: from the
// command line or a drop, kept by the list and the folder across a restart, and reopened.
TEST_F(RecentDocumentsTest, NamesThatAreNoUtf8AreKeptByTheirBytesAcrossARestart) {
  fs::create_directories(root + "/d\xE9");
  const std::string doc = Doc("d\xE9/caf\xE9.rep");
  const std::string dropped = Doc("d\xE9/caf\xE9 2.rex");
  {
    FormMain& f = Load();
    Open(f, doc);
    QMimeData data;
    data.setData("text/uri-list", "file://" + QByteArray::fromStdString(dropped).toPercentEncoding("/") + "\r\n");
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(f.Picture1, &drop);
    // Opened once the first document's pages are found.
    QTRY_COMPARE(V().DocPath, dropped);
    EXPECT_TRUE(V().DocumentLoaded);
    f.close();
  }
  form.reset();
  FormMain& again = Load();
  EXPECT_EQ(again.RecentFiles[1], dropped);
  EXPECT_EQ(again.RecentFiles[2], doc);
  EXPECT_EQ(again.LastFolder, root + "/d\xE9");
  MessageBoxRecorder boxes;
  again.mnu_File_Reciente_Click(2);
  EXPECT_TRUE(boxes.requests().empty());
  EXPECT_TRUE(V().DocumentLoaded);
  EXPECT_EQ(V().DocPath, doc);
}

TEST_F(RecentDocumentsTest, AnEntryWhoseFileIsGoneSaysSoAndStaysInTheList) {
  FormMain& f = Load();
  const std::string gone = Doc("gone.rex");
  const std::string shown = Doc("shown.rex");
  Open(f, gone);
  Open(f, shown);
  fs::remove(gone);
  const auto before = Recent(f);
  MessageBoxRecorder boxes;
  f.mnu_File_Reciente_Click(2);
  ASSERT_EQ(boxes.requests().size(), 1u);
  EXPECT_EQ(boxes.requests()[0].text, Odk("FileNotFound"));
  EXPECT_EQ(boxes.requests()[0].title, Odk("Error"));
  EXPECT_EQ(boxes.requests()[0].style, plat::kExclamation);
  EXPECT_EQ(Recent(f), before);
  EXPECT_EQ(V().DocPath, shown);
  EXPECT_TRUE(V().DocumentLoaded);

  // An entry that is now something else than a file is not read: the message says what it is.
  ASSERT_EQ(::mkfifo(gone.c_str(), 0600), 0);
  f.mnu_File_Reciente_Click(2);
  ASSERT_EQ(boxes.requests().size(), 2u);
  EXPECT_EQ(boxes.requests()[1].text, Odk("CantOpenDocument") + "\r\n" + gone + "\r\nError : " + std::to_string(EINVAL) +
                                          " - This is a named pipe (FIFO), not a file.");
  EXPECT_EQ(V().DocPath, shown);
  EXPECT_TRUE(V().DocumentLoaded);
  EXPECT_TRUE(f.mnu_File->menuAction()->isEnabled());
}

// The drag as the page picture receives it.
void DropOnPage(FormMain& f, const std::vector<std::string>& files, bool* welcome = nullptr) {
  QMimeData data;
  QList<QUrl> urls;
  for (const std::string& file : files) urls << QUrl::fromLocalFile(QString::fromStdString(file));
  data.setUrls(urls);
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(f.Picture1, &enter);
  if (welcome) *welcome = enter.isAccepted();
  QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(f.Picture1, &drop);
  QCoreApplication::processEvents();
}

TEST_F(RecentDocumentsTest, ADroppedResultDocumentOpensAndOtherFilesAreRefused) {
  FormMain& f = Load();
  const struct {
    std::vector<std::string> files;
    bool welcome;
  } drags[] = {
      {{"/x/report.doc"}, false},
      {{"/x/notes.txt", "/x/b.rep"}, false},  // judged by the first file
      {{"/x/A.REP", "/x/notes.txt"}, true},
      {{"/x/restemp1.Rex"}, true},
      {{}, false},
  };
  for (const auto& d : drags) EXPECT_EQ(f.Picture1_OLEDragOver(d.files), d.welcome) << d.files.size();

  bool welcome = false;
  DropOnPage(f, {WriteDocument("notes.txt", DesignerDocument())}, &welcome);
  EXPECT_FALSE(welcome);
  EXPECT_FALSE(V().DocumentLoaded);

  const std::string rep = Doc("dropped.rep");
  StartedViewers started;
  DropOnPage(f, {rep, root + "/notes.txt"}, &welcome);
  EXPECT_TRUE(welcome);
  EXPECT_TRUE(V().DocumentLoaded);
  EXPECT_EQ(V().DocPath, rep);
  EXPECT_TRUE(started.documents.empty());
  EXPECT_EQ(f.RecentFiles[1], rep);
}

TEST_F(RecentDocumentsTest, OfManyDocumentsTheFirstOpensHereAndTheNextFifteenInViewersOfTheirOwn) {
  std::vector<std::string> names;
  for (int k = 1; k <= 20; ++k) names.push_back(root + "/d" + std::to_string(k) + ".rep");
  names[0] = Doc("d1.rep");
  const std::vector<std::string> expectStarted(names.begin() + 1, names.begin() + 16);

  // On the command line.
  V().CommandLineArguments = names;
  FormMain& f = Load();
  {
    StartedViewers started;
    f.OpenDRAGDROPFiles_Command();
    EXPECT_EQ(V().DocPath, names[0]);
    EXPECT_EQ(started.documents, expectStarted);
  }
  // Dropped.
  V().DocPath.clear();
  StartedViewers started;
  f.Picture1_OLEDragDrop(names);
  EXPECT_EQ(V().DocPath, names[0]);
  EXPECT_EQ(started.documents, expectStarted);
  EXPECT_EQ(f.PendingCount, 0);
}

TEST_F(RecentDocumentsTest, SaveAsThatDoesNotSaveChangesNeitherThePathNorTheRecentList) {
  FormMain& f = Load();
  const std::string rex = Doc("restemp222222.rex");
  Open(f, rex);
  const auto recent = Recent(f);
  const QString title = f.windowTitle();

  // Cancelled at once; and an unwritable place whose second dialog is cancelled.
  std::vector<std::optional<QString>> answers = {std::nullopt,
                                                 QString::fromStdString(root + "/no-such-folder/out"),
                                                 std::nullopt};
  std::size_t asked = 0;
  stagora::test::ScopedHook dialog(SetFileDialogHandler, [&](const FileDialogRequest&) -> std::optional<QString> {
    return asked < answers.size() ? answers[asked++] : std::nullopt;
  });
  MessageBoxRecorder boxes;
  for (int k = 0; k < 2; ++k) {
    f.mnu_File_SaveAs_Click();
    EXPECT_EQ(V().DocPath, rex) << k;
    EXPECT_EQ(Recent(f), recent) << k;
    EXPECT_EQ(f.windowTitle(), title) << k;
  }
  EXPECT_EQ(asked, 3u);
  EXPECT_EQ(boxes.requests().size(), 1u);  // the unwritable place

  // Saved: the full path heads the list and the caption, until the next rebuild names the file.
  answers = {QString::fromStdString(root + "/report.REP")};
  asked = 0;
  std::vector<FileDialogRequest> requests;
  dialog.replace([&](const FileDialogRequest& req) -> std::optional<QString> {
    requests.push_back(req);
    return asked < answers.size() ? answers[asked++] : std::nullopt;
  });
  f.mnu_File_SaveAs_Click();
  ASSERT_EQ(requests.size(), 1u);
  // The dialog knows of the ".rep" added to a bare name, so it asks before replacing that file.
  EXPECT_EQ(requests[0].extension, QString(".rep"));
  const std::string saved = root + "/report.REP";
  EXPECT_EQ(V().DocPath, saved);
  EXPECT_EQ(Recent(f)[0], (std::pair<std::string, std::string>{saved, saved}));
  EXPECT_EQ(Recent(f)[1], recent[0]);
  EXPECT_EQ(Text(f.windowTitle()), "Norvath - Ovedra - " + saved);
  f.NoSoluciones();
  EXPECT_EQ(Recent(f)[0], (std::pair<std::string, std::string>{saved, "report.REP"}));
  EXPECT_EQ(Text(f.windowTitle()), "Norvath - Ovedra - report.REP");
}

}  // namespace
}  // namespace stagora::viewer::test
