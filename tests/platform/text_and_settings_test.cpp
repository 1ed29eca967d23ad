#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cerrno>

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <string>

#include "platform/encoding.h"
#include "platform/messagebox.h"
#include "platform/paths.h"
#include "platform/settings.h"
#include "platform/textfile.h"
#include "tests/support/test_support.h"

namespace {

TEST(TextFile, EveryByteValueSurvivesWriteAndRead) {
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  all += "\r\nline two\r\n\n\r";  // line ends stay exactly as written
  const std::string path = plat::JoinPath(stagora::test::ScratchDir("textfile"), "bytes.txt");
  ASSERT_TRUE(plat::WriteTextFile(path, all));
  const auto back = plat::ReadTextFile(path);
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(*back, all);
}

TEST(TextFile, EveryByteSurvivesTheRoundTripThroughUnicode) {
  for (int b = 0; b < 256; ++b) {
    const std::string one(1, static_cast<char>(b));
    EXPECT_EQ(plat::Utf16ToCp1252(plat::Cp1252ToUtf16(one)), one) << b;
    EXPECT_EQ(plat::Utf8ToCp1252(plat::Cp1252ToUtf8(one)), one) << b;
  }
  EXPECT_EQ(plat::Cp1252ToUnicode(0x96), U'\u2013');  // the minus sign of the mark-up
  EXPECT_EQ(plat::Cp1252ToUnicode(0x80), U'\u20AC');
}

TEST(TextFile, AccentedNamesAreTheSameFileForUsAndForQt) {
  const std::string dir = stagora::test::ScratchDir("textfile-names");
  const std::string name = "dise\xF1o.sgr";  // "diseño" in Windows-1252
  ASSERT_TRUE(plat::WriteTextFile(plat::JoinPath(dir, name), "x"));
  EXPECT_TRUE(QFile::exists(QString::fromStdString(dir) + QString::fromUtf8("/diseño.sgr")));
  EXPECT_TRUE(plat::FileExists(plat::JoinPath(dir, name)));
}

TEST(TextFile, MissingFileAndUnwritableFolderReportErrors) {
  plat::FileError err;
  EXPECT_FALSE(plat::ReadTextFile("/nonexistent/folder/x.txt", &err).has_value());
  EXPECT_NE(err.number, 0);
  EXPECT_FALSE(plat::WriteTextFile("/nonexistent/folder/x.txt", "x", &err));
  EXPECT_FALSE(err.description.empty());
}

TEST(TextFile, AFailedWriteLeavesTheOldFileWhole) {
  const std::string dir = stagora::test::ScratchDir("textfile-keep");
  const std::string path = plat::JoinPath(dir, "keep.txt");
  ASSERT_TRUE(plat::WriteTextFile(path, "old"));
  // A folder in the way of the temporary file makes the write fail before the rename.
  ASSERT_TRUE(plat::CreateDirectory(path + ".part"));
  EXPECT_FALSE(plat::WriteTextFile(path, "new"));
  EXPECT_EQ(plat::ReadTextFile(path).value_or(""), "old");
}

TEST(Settings, DefaultsThenSavedValues) {
  plat::SetSettingsFolder(stagora::test::ScratchDir("settings-a"));
  EXPECT_EQ(plat::GetSetting("TROV", "Look", "Symbol", ","), ",");
  plat::SaveSetting("TROV", "Look", "Symbol", ".");
  plat::SaveSetting("TROV", "Look", "Folder", "/home/ana/diseños");
  EXPECT_EQ(plat::GetSetting("TROV", "Look", "Symbol", ","), ".");
  EXPECT_EQ(plat::GetSetting("TROV", "Look", "Folder"), "/home/ana/diseños");
  EXPECT_EQ(plat::GetSetting("OVDR_ENG", "Look", "Symbol", "x"), "x");  // per application
  // A declared setting reads as its default until saved; a numbered one adds its number.
  constexpr plat::SettingKey kDays{"Schedule", "Days", "7"}, kEntry{"List", "Entry"};
  EXPECT_EQ(plat::GetSetting("TROV", kDays), "7");
  plat::SaveSetting("TROV", kEntry, "/a/b", "3");
  EXPECT_EQ(plat::GetSetting("TROV", "List", "Entry3"), "/a/b");
  EXPECT_EQ(plat::GetSetting("TROV", kEntry, "3"), "/a/b");
}

TEST(Settings, ASettingSavedByOneProcessIsReadByTheNext) {
  const std::string dir = stagora::test::ScratchDir("settings-b");
  const QString self = QCoreApplication::applicationFilePath();
  auto run = [&](const char* mode) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("STAGORA_SETTINGS_CHILD", mode);
    env.insert("STAGORA_SETTINGS_DIR", QString::fromStdString(dir));
    p.setProcessEnvironment(env);
    p.start(self, {"--gtest_filter=SettingsChild.*"});
    p.waitForFinished(60000);
    return p.exitCode();
  };
  EXPECT_EQ(run("write"), 0);
  EXPECT_EQ(run("read"), 0);
}

// Runs only inside the child processes started above.
TEST(SettingsChild, WriteOrRead) {
  const char* mode = std::getenv("STAGORA_SETTINGS_CHILD");
  if (!mode) GTEST_SKIP() << "run by Settings.ASettingSavedByOneProcessIsReadByTheNext";
  plat::SetSettingsFolder(std::getenv("STAGORA_SETTINGS_DIR"));
  if (std::string(mode) == "write") {
    plat::SaveSetting("TROV", "Schedule", "Days", "30");
  } else {
    EXPECT_EQ(plat::GetSetting("TROV", "Schedule", "Days", "7"), "30");
  }
}

TEST(MessageBox, RecorderAnswersAndKeepsRequests) {
  stagora::test::MessageBoxRecorder rec;
  rec.answer({plat::kNo});
  EXPECT_EQ(plat::MsgBox("Save?", plat::kYesNoCancel + plat::kQuestion, "Stagora"), plat::kNo);
  EXPECT_EQ(plat::MsgBox("Oops", plat::kExclamation, "Stagora"), plat::kOk);
  ASSERT_EQ(rec.requests().size(), 2u);
  EXPECT_EQ(rec.requests()[0].style, 35);
  EXPECT_EQ(rec.requests()[1].text, "Oops");
}

TEST(MessageBox, DefaultButtons) {
  EXPECT_EQ(plat::DefaultButtonOf(plat::kOkOnly), plat::kOk);
  EXPECT_EQ(plat::DefaultButtonOf(plat::kYesNoCancel), plat::kYes);
  EXPECT_EQ(plat::DefaultButtonOf(plat::kYesNoCancel + plat::kDefaultButton3), plat::kCancel);
  EXPECT_EQ(plat::DefaultButtonOf(plat::kYesNo + plat::kDefaultButton2), plat::kNo);
}

TEST(Paths, TempPathIsTmpdirWithoutTrailingSeparatorElsePrivate) {
  const char* old = std::getenv("TMPDIR");
  const std::string saved = old ? old : "";
  setenv("TMPDIR", "/var/tmp/someone/", 1);
  EXPECT_EQ(plat::ComputeTempPath(), "/var/tmp/someone");
  unsetenv("TMPDIR");
  const std::string priv = plat::ComputeTempPath();
  EXPECT_TRUE(plat::DirectoryExists(priv));
  struct stat st {};
  ASSERT_EQ(::stat(priv.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 077, 0u) << "the scratch folder must be private to the user";
  if (old) setenv("TMPDIR", saved.c_str(), 1);
}

TEST(Paths, ProgramFolderHoldsLangAndImg) {
  EXPECT_TRUE(plat::DirectoryExists(plat::JoinPath(plat::ProgramFolder(), "lang")));
  EXPECT_TRUE(plat::DirectoryExists(plat::JoinPath(plat::ProgramFolder(), "img")));
}

}  // namespace

namespace {

TEST(Paths, FolderOfAndWhatCannotBeReplaced) {
  EXPECT_EQ(plat::FolderOf("/a/b/c.sgr"), "/a/b");
  EXPECT_EQ(plat::FolderOf("c:\\x\\t.vle"), "c:\\x");
  EXPECT_EQ(plat::FolderOf("bare.sgr"), "");
  const std::string dir = stagora::test::ScratchDir("replace");
  EXPECT_FALSE(plat::CannotReplace(plat::JoinPath(dir, "missing.sgr")).has_value());
  const auto folder = plat::CannotReplace(dir);
  ASSERT_TRUE(folder.has_value());
  EXPECT_EQ(folder->number, EISDIR);
  ASSERT_TRUE(plat::WriteTextFile(plat::JoinPath(dir, "old.sgr"), "x"));
  EXPECT_FALSE(plat::CannotReplace(plat::JoinPath(dir, "old.sgr")).has_value());
}

}  // namespace
