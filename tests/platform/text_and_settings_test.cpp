#include <gtest/gtest.h>

#include <fcntl.h>
#include <grp.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <optional>
#include <set>
#include <thread>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <string>

#include "platform/encoding.h"
#include "platform/file_names.h"
#include "platform/messagebox.h"
#include "platform/paths.h"
#include "platform/settings.h"
#include "platform/shell.h"
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

TEST(TextFile, NamesAreTheSystemsOwnFromEndToEnd) {
  // Names Windows-1252 cannot hold: each stays its own file, under its own name, for us and
  // for Qt alike.
  const std::string dir = plat::JoinPath(stagora::test::ScratchDir("textfile-names"), "Документы");
  ASSERT_TRUE(plat::CreateDirectory(dir));
  const std::vector<std::string> names = {"проект.sgr", "łódź.sgr", "αβ Δ.rep", "ødź.sgr", "diseño.sgr"};
  for (const std::string& name : names) {
    ASSERT_TRUE(plat::WriteTextFile(plat::JoinPath(dir, name), name)) << name;
  }
  for (const std::string& name : names) {
    const std::string path = plat::JoinPath(dir, name);
    EXPECT_EQ(plat::ReadTextFile(path).value_or(""), name);
    EXPECT_TRUE(plat::FileExists(path)) << name;
    EXPECT_TRUE(QFile::exists(QString::fromUtf8(path.c_str()))) << name;
    EXPECT_EQ(plat::QPath(path), QString::fromUtf8(path.c_str()));
    EXPECT_EQ(plat::PathFromQt(plat::QPath(path)), path);
    EXPECT_EQ(plat::ShownPath(path), path);
  }
  EXPECT_EQ(QDir(plat::QPath(dir)).entryList(QDir::Files).size(), static_cast<qsizetype>(names.size()));
}

// Only a regular file is read; anything else is refused at once and says what it is, and a
// file larger than the reader's limit is refused before it is read.
TEST(TextFile, OnlyRegularFilesOfAFittingSizeAreRead) {
  const std::string dir = stagora::test::ScratchDir("textfile-kinds");
  const std::string folder = plat::JoinPath(dir, "folder.sgr");
  const std::string fifo = plat::JoinPath(dir, "fifo.rep");
  const std::string zero = plat::JoinPath(dir, "zero.rep");
  const std::string large = plat::JoinPath(dir, "large.sgr");
  const std::string linked = plat::JoinPath(dir, "linked.sgr");
  ASSERT_TRUE(plat::CreateDirectory(folder));
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  ASSERT_EQ(::symlink("/dev/zero", zero.c_str()), 0);
  ASSERT_TRUE(plat::WriteTextFile(large, std::string(1001, 'x')));
  ASSERT_EQ(::symlink("large.sgr", linked.c_str()), 0);
  struct Case {
    std::string path;
    std::uint64_t largest;
    int number;
    std::string says;
  };
  const std::vector<Case> cases = {
      {folder, plat::kAnyFileSize, EISDIR, "This is a folder, not a file."},
      {fifo, plat::kAnyFileSize, EINVAL, "This is a named pipe (FIFO), not a file."},
      {zero, plat::kAnyFileSize, EINVAL, "This is a character device, not a file."},
      {large, 1000, EFBIG, "The file holds 1001 bytes, more than the 1000 a file of this kind can hold."},
      {linked, 1000, EFBIG, "The file holds 1001 bytes, more than the 1000 a file of this kind can hold."},
  };
  for (const Case& c : cases) {
    plat::FileError err;
    EXPECT_FALSE(plat::ReadTextFile(c.path, &err, c.largest).has_value()) << c.path;
    EXPECT_EQ(err.number, c.number) << c.path;
    EXPECT_EQ(err.description, c.says) << c.path;
  }
  EXPECT_EQ(plat::ReadTextFile(linked, nullptr, 1001).value_or("").size(), 1001u);
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

TEST(Settings, PathsAreKeptAsTheSystemsNames) {
  const std::string folder = plat::JoinPath(stagora::test::ScratchDir("settings-paths"), "Настройки");
  plat::SetSettingsFolder(folder);
  // Every byte comes back, also of names that are no UTF-8 (E9 is "é" in Latin-1, a broken
  // sequence in UTF-8) and of names that look like the store's own marks.
  const std::vector<std::string> paths = {
      "/home/ana/Документы/αβ Δ.rep", "/home/ana/łódź.rep", "/tmp/caf\xE9.rex", "/tmp/\xC3(\xFF\x80/a b.rep ",
      "@ByteArray(x)",                "/tmp/100%\\x;=,\".rep",  "\t/tmp/lf\n.rep\r",
  };
  for (std::size_t i = 0; i < paths.size(); ++i) {
    plat::SavePathSetting("OVDR_ENG", "List", "Entry" + std::to_string(i), paths[i]);
  }
  for (std::size_t i = 0; i < paths.size(); ++i) {
    EXPECT_EQ(plat::GetPathSetting("OVDR_ENG", "List", "Entry" + std::to_string(i)), paths[i]) << i;
  }
  EXPECT_EQ(plat::GetPathSetting("OVDR_ENG", "List", "Entry99"), "");

  // A name that is text stays readable in the file, and a list written that way before (UTF-8
  // text, as earlier versions kept every name) reads as it did.
  const std::string file = plat::JoinPath(folder, "OVDR_ENG.ini");
  EXPECT_NE(plat::ReadTextFile(file).value_or("").find("Entry1=/home/ana/łódź.rep"), std::string::npos);
  ASSERT_TRUE(plat::WriteTextFile(plat::JoinPath(folder, "OLD.ini"), "[List]\nEntry1=/home/ana/Документы/caf\xC3\xA9.rep\n"));
  EXPECT_EQ(plat::GetPathSetting("OLD", "List", "Entry1"), "/home/ana/Документы/café.rep");
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
  // What is shown is UTF-8: the programs' Windows-1252 texts are converted, a message that
  // names a file is passed as it is.
  plat::MsgBox("Stagora\x96Thiele", plat::kOkOnly, "\xE9t\xE9");
  plat::MsgBoxUtf8("Документы/проект.sgr", plat::kOkOnly, "été");
  ASSERT_EQ(rec.requests().size(), 4u);
  EXPECT_EQ(rec.requests()[2].text, "Stagora–Thiele");
  EXPECT_EQ(rec.requests()[2].title, "été");
  EXPECT_EQ(rec.requests()[3].text, "Документы/проект.sgr");
  EXPECT_EQ(rec.requests()[3].title, "été");
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
  const std::string home = stagora::test::ScratchDir("tmpdir-home");
  const ScopedEnv homeEnv("HOME", home);
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
  EXPECT_TRUE(Entries(home).empty()) << "the home folder is a fallback, left alone when not needed";
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

// A scratch folder of the user's that others may read is made private before anything goes
// in; one that is not the user's, or is a link, is left as it is.
TEST(Paths, AScratchFolderOthersMayReadIsMadePrivate) {
  namespace fs = std::filesystem;
  const std::string tmpdir = stagora::test::ScratchDir("tmpdir-readable");
  ASSERT_TRUE(fs::create_directory(tmpdir + "/nrtemp"));
  ASSERT_EQ(::chmod((tmpdir + "/nrtemp").c_str(), 0755), 0);
  {
    const ScopedEnv env("TMPDIR", tmpdir);
    EXPECT_EQ(plat::ComputeTempPath(), tmpdir);
  }
  EXPECT_EQ(fs::status(tmpdir + "/nrtemp").permissions(), fs::perms::owner_all);

  const std::string elsewhere = stagora::test::ScratchDir("tmpdir-readable-elsewhere");
  ASSERT_EQ(::chmod(elsewhere.c_str(), 0755), 0);
  fs::create_directory_symlink(elsewhere, tmpdir + "/linked");
  EXPECT_FALSE(plat::ClaimScratchFolder(tmpdir + "/linked"));
  EXPECT_EQ(fs::status(elsewhere).permissions() & fs::perms::all, fs::perms(0755));
  if (::geteuid() == 0) {
    ASSERT_EQ(::chown(elsewhere.c_str(), 65534, 65534), 0);
    EXPECT_FALSE(plat::ClaimScratchFolder(elsewhere));
    EXPECT_EQ(fs::status(elsewhere).permissions() & fs::perms::all, fs::perms(0755));
  }
}

// At a designer's start the worked solutions and pictures that designers which never closed
// left behind go once they are a day old; fresh ones, and whatever else is there, stay.
TEST(Paths, StaleWorkedSolutionsAndPicturesAreRemoved) {
  namespace fs = std::filesystem;
  const std::string tmpdir = stagora::test::ScratchDir("tmpdir-stale");
  const std::string scratch = tmpdir + "/nrtemp";
  ASSERT_TRUE(plat::ClaimScratchFolder(scratch));
  const std::string elsewhere = stagora::test::ScratchDir("tmpdir-stale-elsewhere") + "/kept.rex";
  ASSERT_TRUE(plat::WriteTextFile(elsewhere, "the user's own"));
  const auto make = [&](const std::string& name, long ageHours) {
    const std::string path = scratch + "/" + name;
    if (name.starts_with("link")) {
      fs::create_symlink(elsewhere, path);
    } else if (name.starts_with("folder")) {
      fs::create_directory(path);
    } else {
      ASSERT_TRUE(plat::WriteTextFile(path, "x"));
    }
    const std::time_t then = std::time(nullptr) - ageHours * 3600;
    const struct timespec when[2] = {{then, 0}, {then, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), when, AT_SYMLINK_NOFOLLOW), 0) << name;
  };
  make("restemp100001.rex", 25);
  make("stgr_temp100001.jpg", 25);
  make("restemp100002.rex", 23);
  make("stgr_temp100002.jpg", 1);
  make("stgr_temp100003.bmp", 25);
  make("notes.txt", 25);
  make("link100004.rex", 25);
  make("folder100005.jpg", 25);
  std::set<std::string> kept = {"restemp100002.rex", "stgr_temp100002.jpg", "stgr_temp100003.bmp", "notes.txt",
                                "link100004.rex", "folder100005.jpg"};
  if (::geteuid() == 0) {
    make("others100006.rex", 25);
    ASSERT_EQ(::lchown((scratch + "/others100006.rex").c_str(), 65534, 65534), 0);
    kept.insert("others100006.rex");
  }

  plat::RemoveStaleScratchFiles(tmpdir);
  EXPECT_EQ(Entries(scratch), kept);
  EXPECT_EQ(plat::ReadTextFile(elsewhere), "the user's own");
  plat::RemoveStaleScratchFiles("");
}

void Age(const std::string& path, long hours) {
  const std::time_t then = std::time(nullptr) - hours * 3600;
  const struct timespec when[2] = {{then, 0}, {then, 0}};
  ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), when, AT_SYMLINK_NOFOLLOW), 0) << path;
}

std::set<std::string> ClaimFiles(const std::string& scratch) {
  std::set<std::string> claims;
  for (const std::string& name : Entries(scratch)) {
    if (name.starts_with("stgr_run") && name.ends_with(".lock")) claims.insert(name);
  }
  return claims;
}

// A designer that runs for days keeps its worked solution and picture whatever other
// designers start meanwhile; once it has been killed they are nobody's and go when a day old,
// as its claim does. A claim let go of leaves nothing.
TEST(Paths, WhatARunningProgramHoldsStaysUntilItEnds) {
  const std::string tmpdir = stagora::test::ScratchDir("tmpdir-held");
  const std::string scratch = tmpdir + "/nrtemp";
  ASSERT_TRUE(plat::ClaimScratchFolder(scratch));
  const std::vector<std::string> held = {"restemp200001.rex", "stgr_temp200001.jpg"};
  for (const std::string& name : {held[0], held[1], std::string("restemp200002.rex")}) {
    ASSERT_TRUE(plat::WriteTextFile(scratch + "/" + name, "x"));
  }

  // The running designer: another process, holding its files until it is killed.
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  const pid_t designer = ::fork();
  if (designer == 0) {
    plat::ScratchClaim claim;
    const bool holding = claim.hold(scratch + "/" + held[0]) && claim.hold(scratch + "/" + held[1]);
    (void)!::write(ready[1], holding ? "y" : "n", 1);
    for (;;) ::pause();
  }
  ASSERT_GT(designer, 0);
  char answer = 0;
  ASSERT_EQ(::read(ready[0], &answer, 1), 1);
  ::close(ready[0]);
  ::close(ready[1]);
  EXPECT_EQ(answer, 'y');
  const std::set<std::string> claims = ClaimFiles(scratch);
  ASSERT_EQ(claims.size(), 1u);
  EXPECT_TRUE(claims.begin()->starts_with("stgr_run" + std::to_string(designer) + "-"));
  for (const std::string& name : Entries(scratch)) Age(scratch + "/" + name, 48);

  plat::RemoveStaleScratchFiles(tmpdir);  // another designer's start
  std::set<std::string> kept = {held[0], held[1], *claims.begin()};
  EXPECT_EQ(Entries(scratch), kept) << "the orphan goes, what the running designer holds stays";

  ::kill(designer, SIGKILL);
  ::waitpid(designer, nullptr, 0);
  Age(scratch + "/" + *claims.begin(), 1);
  plat::RemoveStaleScratchFiles(tmpdir);
  EXPECT_EQ(Entries(scratch), claims) << "a killed designer's files are nobody's; its young claim waits";
  Age(scratch + "/" + *claims.begin(), 25);
  plat::RemoveStaleScratchFiles(tmpdir);
  EXPECT_TRUE(Entries(scratch).empty());

  // A claim of this very process counts as well; let go of, it is gone.
  {
    ASSERT_TRUE(plat::WriteTextFile(scratch + "/" + held[0], "x"));
    Age(scratch + "/" + held[0], 48);
    plat::ScratchClaim claim;
    ASSERT_TRUE(claim.hold(scratch + "/" + held[0]));
    ASSERT_TRUE(claim.hold(scratch + "/" + held[0]));
    EXPECT_EQ(plat::ReadTextFile(scratch + "/" + *ClaimFiles(scratch).begin()), held[0] + "\n")
        << "a file held again is listed once: a long run does not grow its claim";
    EXPECT_FALSE(claim.hold(tmpdir + "/elsewhere.jpg")) << "one claim, one folder";
    plat::RemoveStaleScratchFiles(tmpdir);
    EXPECT_EQ(Entries(scratch).size(), 2u);
  }
  EXPECT_EQ(Entries(scratch), (std::set<std::string>{held[0]}));
}

// A scratch folder nothing can be written in (a read-only file system, a folder made
// read-only) is passed over for the private folder, where reports can be written.
TEST(Paths, AScratchFolderThatCannotBeWrittenIsPassedOver) {
  const std::string tmpdir = stagora::test::ScratchDir("tmpdir-read-only");
  ASSERT_TRUE(plat::ClaimScratchFolder(tmpdir + "/nrtemp"));
  ASSERT_EQ(::chmod((tmpdir + "/nrtemp").c_str(), 0500), 0);
  const auto check = [&] {
    const ScopedEnv env("TMPDIR", tmpdir);
    const std::string chosen = plat::ComputeTempPath();
    return chosen == tmpdir + "/stagora-" + std::to_string(::getuid()) &&
           ::access((chosen + "/nrtemp").c_str(), W_OK) == 0;
  };
  if (::geteuid() != 0) {
    EXPECT_TRUE(check());
    return;
  }
  // Root may write anywhere but on a read-only file system: the folder is another user's.
  constexpr uid_t kUser = 46102;
  ASSERT_EQ(::chown(tmpdir.c_str(), kUser, kUser), 0);
  ASSERT_EQ(::chown((tmpdir + "/nrtemp").c_str(), kUser, kUser), 0);
  const pid_t child = ::fork();
  if (child == 0) {
    if (::setgroups(0, nullptr) != 0 || ::setresgid(kUser, kUser, kUser) != 0 || ::setresuid(kUser, kUser, kUser) != 0) {
      ::_exit(2);
    }
    ::_exit(check() ? 0 : 1);
  }
  int status = -1;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

// A program is started with its argument's own bytes, whatever they are: a name that is no
// UTF-8 reaches it as that name.
TEST(Shell, AStartedProgramGetsItsArgumentByteForByte) {
  const std::string dir = stagora::test::ScratchDir("shell-start");
  const std::string name = "caf\xE9 \"x\".rex ";
  ASSERT_TRUE(plat::StartProgram("/usr/bin/touch", dir + "/" + name));
  for (int wait = 0; wait < 200 && Entries(dir).empty(); ++wait) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  EXPECT_EQ(Entries(dir), std::set<std::string>{name});
  EXPECT_FALSE(plat::StartProgram(dir + "/no such program", "x"));
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
