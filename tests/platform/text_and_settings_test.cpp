#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <optional>
#include <set>
#include <unistd.h>

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

TEST(Settings, DefaultsThenSavedValues) {
  plat::SetSettingsFolder(stagora::test::ScratchDir("settings-a"));
  EXPECT_EQ(plat::GetSetting("TROV", "SETUP", "DecimalSYMBOL", ","), ",");
  plat::SaveSetting("TROV", "SETUP", "DecimalSYMBOL", ".");
  plat::SaveSetting("TROV", "SETUP", "PATH_FILE", "/home/ana/diseños");
  EXPECT_EQ(plat::GetSetting("TROV", "SETUP", "DecimalSYMBOL", ","), ".");
  EXPECT_EQ(plat::GetSetting("TROV", "SETUP", "PATH_FILE"), "/home/ana/diseños");
  EXPECT_EQ(plat::GetSetting("OVDR_ENG", "SETUP", "DecimalSYMBOL", "x"), "x");  // per application
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
    plat::SaveSetting("TROV", "CheckUPDATE", "PERIOD", "30");
  } else {
    EXPECT_EQ(plat::GetSetting("TROV", "CheckUPDATE", "PERIOD", "7"), "30");
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

// Sets an environment variable for the scope, then puts back what was there.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const std::string& value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    setenv(name, value.c_str(), 1);
  }
  ~ScopedEnv() {
    if (old_) {
      setenv(name_, old_->c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

std::set<std::string> Entries(const std::string& dir) {
  std::set<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(dir)) names.insert(e.path().filename().string());
  return names;
}

TEST(Paths, TempPathIsTmpdirWithAScratchFolderOfTheUsersOwn) {
  namespace fs = std::filesystem;
  const std::string tmpdir = stagora::test::ScratchDir("tmpdir-plain");
  {
    const ScopedEnv env("TMPDIR", tmpdir + "/");
    EXPECT_EQ(plat::ComputeTempPath(), tmpdir);
    EXPECT_TRUE(fs::is_directory(tmpdir + "/nrtemp")) << "claimed at once, before anyone else can";
    EXPECT_EQ(fs::status(tmpdir + "/nrtemp").permissions(), fs::perms::owner_all);
  }
  {
    const ScopedEnv env("TMPDIR", "");
    const std::string priv = plat::ComputeTempPath();
    EXPECT_EQ(priv, "/tmp/stagora-" + std::to_string(::getuid()));
    struct stat st {};
    ASSERT_EQ(::stat(priv.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 077, 0u) << "the scratch folder must be private to the user";
  }
}

// A scratch folder that is a link, or not the user's, is not used: both programs move to the
// same private folder instead, and starting again makes nothing new.
TEST(Paths, ATakenScratchFolderSendsBothProgramsToTheSamePrivateFolder) {
  namespace fs = std::filesystem;
  const std::string user = std::to_string(::getuid());
  const std::string elsewhere = stagora::test::ScratchDir("tmpdir-elsewhere");
  ASSERT_TRUE(plat::WriteTextFile(elsewhere + "/own.jpg", "the user's own"));
  const std::string runtime = stagora::test::ScratchDir("tmpdir-runtime");
  const ScopedEnv runtimeEnv("XDG_RUNTIME_DIR", runtime);

  const std::string linked = stagora::test::ScratchDir("tmpdir-linked");
  fs::create_directory_symlink(elsewhere, linked + "/nrtemp");
  {
    const ScopedEnv env("TMPDIR", linked);
    const std::string first = plat::ComputeTempPath();
    EXPECT_EQ(first, linked + "/stagora-" + user);
    EXPECT_EQ(plat::ComputeTempPath(), first);
    EXPECT_EQ(Entries(linked), (std::set<std::string>{"nrtemp", "stagora-" + user}));
    EXPECT_EQ(Entries(first), (std::set<std::string>{"nrtemp"}));
    EXPECT_TRUE(fs::is_symlink(linked + "/nrtemp"));
    EXPECT_EQ(Entries(elsewhere), (std::set<std::string>{"own.jpg"}));
    EXPECT_FALSE(plat::ClaimScratchFolder(linked + "/nrtemp"));

    // The private folder in TMPDIR taken as well: the next on the list.
    fs::remove_all(first);
    fs::create_directory_symlink(elsewhere, first);
    EXPECT_EQ(plat::ComputeTempPath(), "/tmp/stagora-" + user);
    EXPECT_EQ(Entries(elsewhere), (std::set<std::string>{"own.jpg"}));
  }

  // A folder others may write into is nobody's own; one of another user's neither.
  const std::string shared = stagora::test::ScratchDir("tmpdir-shared");
  fs::create_directory(shared + "/nrtemp");
  fs::permissions(shared + "/nrtemp", fs::perms::all);
  EXPECT_FALSE(plat::ClaimScratchFolder(shared + "/nrtemp"));
  if (::geteuid() == 0) {
    fs::permissions(shared + "/nrtemp", fs::perms::owner_all);
    ASSERT_EQ(::chown((shared + "/nrtemp").c_str(), 65534, 65534), 0);
    EXPECT_FALSE(plat::ClaimScratchFolder(shared + "/nrtemp"));
    const ScopedEnv env("TMPDIR", shared);
    EXPECT_EQ(plat::ComputeTempPath(), shared + "/stagora-" + user);
  }
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
