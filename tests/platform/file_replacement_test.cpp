// The one writer of the programs: what it leaves on disk when it succeeds and when it fails,
// beside the file it replaces, through links, and at the longest names.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <grp.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QFile>
#include <QIODevice>
#include <QProcess>
#include <QProcessEnvironment>
#include <QThread>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/file_replacement.h"
#include "platform/textfile.h"
#include "tests/support/test_support.h"

namespace {

namespace fs = std::filesystem;

std::string Bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void Put(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

std::vector<std::string> Entries(const std::string& dir) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

unsigned Mode(const std::string& path) {
  struct stat st {};
  EXPECT_EQ(::lstat(path.c_str(), &st), 0) << path;
  return st.st_mode & 07777;
}

// Ids no account on the machine needs to have: another user, the saver, and a group the two
// share (the saver's own group is its uid).
constexpr uid_t kOwner = 46101;
constexpr uid_t kSaver = 46102;
constexpr gid_t kShared = 46103;

// Runs `work` in a child process as the user `uid` (group `uid`, also in `groups`): 0, or
// the errno that `work` gives back; -1 when the child did not end by itself.
int AsUser(uid_t uid, std::vector<gid_t> groups, const std::function<int()>& work) {
  const pid_t child = ::fork();
  if (child == 0) {
    const gid_t gid = static_cast<gid_t>(uid);
    if (::setgroups(groups.size(), groups.data()) != 0 || ::setresgid(gid, gid, gid) != 0 ||
        ::setresuid(uid, uid, uid) != 0) {
      ::_exit(250);
    }
    ::_exit(work());
  }
  int status = 0;
  if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

int Save(const std::string& path, const std::string& bytes) {
  plat::FileError err;
  return plat::WriteTextFile(path, bytes, &err) ? 0 : err.number;
}

struct Owner {
  uid_t uid;
  gid_t gid;
  bool operator==(const Owner&) const = default;
};
Owner OwnerOf(const std::string& path) {
  struct stat st {};
  EXPECT_EQ(::lstat(path.c_str(), &st), 0) << path;
  return {st.st_uid, st.st_gid};
}
std::ostream& operator<<(std::ostream& out, const Owner& o) { return out << o.uid << ":" << o.gid; }

// Temporaries without a name turned off for as long as it lives, as on a file system that
// has none.
struct NamedTemporariesOnly {
  NamedTemporariesOnly() { plat::SetUnnamedTemporariesAllowed(false); }
  ~NamedTemporariesOnly() { plat::SetUnnamedTemporariesAllowed(true); }
};

// Whether the folder's file system makes files without a name.
bool OffersUnnamedFiles(const std::string& dir) {
  const int fd = ::open(dir.c_str(), O_TMPFILE | O_WRONLY, 0600);
  if (fd < 0) return false;
  ::close(fd);
  return true;
}

class FileReplacementBothWays : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    if (!GetParam()) named_.emplace();
  }
  std::optional<NamedTemporariesOnly> named_;
};
INSTANTIATE_TEST_SUITE_P(Temporaries, FileReplacementBothWays, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Unnamed" : "Named"; });

TEST_P(FileReplacementBothWays, ReplacesTheFileAndLeavesOnlyIt) {
  const std::string dir = stagora::test::ScratchDir(GetParam() ? "replace-plain-unnamed" : "replace-plain-named");
  const std::string path = dir + "/x.sgr";
  // Names a writer beside the file might use; what the user (or anybody) keeps there stays.
  const std::string elsewhere = dir + "/elsewhere.txt";
  Put(elsewhere, "the user's own");
  Put(dir + "/x.sgr.part", "an old part file of the user's");
  for (const char* planted : {"/.x.sgr.part", "/x.sgr~", "/x.sgr.tmp", "/.x.sgr.tmp", "/x.sgr.new"}) {
    fs::create_symlink(elsewhere, dir + planted);
  }
  const std::vector<std::string> before = Entries(dir);

  ASSERT_TRUE(plat::WriteTextFile(path, "first\r\n"));
  ASSERT_TRUE(plat::WriteTextFile(path, "second\r\n"));
  EXPECT_EQ(Bytes(path), "second\r\n");
  EXPECT_EQ(Bytes(elsewhere), "the user's own");
  EXPECT_EQ(Bytes(dir + "/x.sgr.part"), "an old part file of the user's");
  std::vector<std::string> expected = before;
  expected.push_back("x.sgr");
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(Entries(dir), expected);
  for (const char* planted : {"/.x.sgr.part", "/x.sgr~", "/x.sgr.tmp", "/.x.sgr.tmp", "/x.sgr.new"}) {
    EXPECT_TRUE(fs::is_symlink(dir + planted)) << planted;
  }
}

TEST_P(FileReplacementBothWays, KeepsThePermissionsOfTheFileItReplaces) {
  const std::string dir = stagora::test::ScratchDir(GetParam() ? "replace-mode-unnamed" : "replace-mode-named");
  for (const unsigned mode : {0600u, 0640u, 0604u, 0755u}) {
    const std::string path = dir + "/p" + std::to_string(mode) + ".sgr";
    Put(path, "old");
    ASSERT_EQ(::chmod(path.c_str(), mode), 0);
    ASSERT_TRUE(plat::WriteTextFile(path, "new"));
    EXPECT_EQ(Mode(path), mode);
    EXPECT_EQ(Bytes(path), "new");
  }
  // A new file has what the user's umask gives every new file.
  const mode_t mask = ::umask(022);
  ::umask(mask);
  ASSERT_TRUE(plat::WriteTextFile(dir + "/fresh.sgr", "new"));
  EXPECT_EQ(Mode(dir + "/fresh.sgr"), 0666u & ~mask);
}

TEST(FileReplacement, TheLongestNamesSave) {
  const std::string dir = stagora::test::ScratchDir("replace-long");
  // The temporary is looked for by its name, which an unnamed one has only for a moment.
  const NamedTemporariesOnly named;
  for (const std::size_t length : {248u, 251u, 254u, 255u}) {
    const std::string name = std::string(length - 4, 'n') + ".sgr";
    ASSERT_TRUE(plat::WriteTextFile(dir + "/" + name, "x")) << length;
    ASSERT_TRUE(plat::WriteTextFile(dir + "/" + name, "y")) << length;
    EXPECT_EQ(Bytes(dir + "/" + name), "y");
  }
  // A name of two-byte letters is cut for the temporary between letters, not inside one: the
  // room left (247 bytes) would end in the middle of a letter.
  std::string letters;
  while (letters.size() < 250) letters += "\xC3\xA9";  // "é", two bytes in UTF-8
  letters += ".sgr";
  {
    plat::FileReplacement replacement(dir + "/" + letters);
    ASSERT_TRUE(replacement.open());
    std::string temporary;
    for (const std::string& entry : Entries(dir)) {
      if (entry.front() == '.' && entry.find('\xC3') != std::string::npos) temporary = entry;
    }
    ASSERT_FALSE(temporary.empty());
    EXPECT_LE(temporary.size(), 255u);
    // "." + whole letters + "." + six random letters.
    const std::string kept = temporary.substr(1, temporary.size() - 8);
    EXPECT_EQ(kept.size() % 2, 0u) << kept.size();
    EXPECT_EQ(kept, letters.substr(0, kept.size()));
    EXPECT_EQ(temporary[temporary.size() - 7], '.');
    replacement.cancel();
  }
  ASSERT_TRUE(plat::WriteTextFile(dir + "/" + letters, "z"));
  EXPECT_EQ(Entries(dir).size(), 5u);
}

// The temporary's name is longer than the file's; a path within those bytes of the longest
// path the system takes still saves, new and replaced.
TEST(FileReplacement, PathsUpToTheLongestSave) {
  const std::string base = stagora::test::ScratchDir("replace-long-path");
  constexpr std::size_t kLongestPath = PATH_MAX - 1;
  std::string folder = base;
  while (folder.size() < kLongestPath - 200) {
    folder += "/" + std::string(std::min<std::size_t>(200, kLongestPath - 200 - folder.size()), 'f');
  }
  fs::create_directories(folder);
  for (const std::size_t length : {kLongestPath - 8, kLongestPath - 5, kLongestPath}) {
    const std::string path = folder + "/" + std::string(length - folder.size() - 5, 'n') + ".sgr";
    ASSERT_EQ(path.size(), length);
    ASSERT_TRUE(plat::WriteTextFile(path, "x")) << length;
    ASSERT_TRUE(plat::WriteTextFile(path, "y")) << length;
    EXPECT_EQ(Bytes(path), "y");
  }
  EXPECT_EQ(Entries(folder).size(), 3u);
}

TEST(FileReplacement, ALinkIsWrittenThroughAndStaysALink) {
  const std::string dir = stagora::test::ScratchDir("replace-link");
  fs::create_directories(dir + "/real");
  Put(dir + "/real/target.sgr", "old");
  ASSERT_EQ(::chmod((dir + "/real/target.sgr").c_str(), 0600), 0);
  fs::create_symlink("real/target.sgr", dir + "/relative.sgr");
  fs::create_symlink(dir + "/relative.sgr", dir + "/chain.sgr");
  fs::create_symlink(dir + "/real/new.sgr", dir + "/dangling.sgr");

  ASSERT_TRUE(plat::WriteTextFile(dir + "/chain.sgr", "through two links"));
  EXPECT_TRUE(fs::is_symlink(dir + "/chain.sgr"));
  EXPECT_TRUE(fs::is_symlink(dir + "/relative.sgr"));
  EXPECT_EQ(Bytes(dir + "/real/target.sgr"), "through two links");
  EXPECT_EQ(Mode(dir + "/real/target.sgr"), 0600u);
  // A link to a file not there yet makes that file.
  ASSERT_TRUE(plat::WriteTextFile(dir + "/dangling.sgr", "made"));
  EXPECT_TRUE(fs::is_symlink(dir + "/dangling.sgr"));
  EXPECT_EQ(Bytes(dir + "/real/new.sgr"), "made");
  EXPECT_EQ(Entries(dir), (std::vector<std::string>{"chain.sgr", "dangling.sgr", "real", "relative.sgr"}));
  EXPECT_EQ(Entries(dir + "/real"), (std::vector<std::string>{"new.sgr", "target.sgr"}));
}

// A scratch file is the scratch folder's own: a link found at its name is replaced by the
// file, and what it pointed at is not touched.
TEST(FileReplacement, AScratchFileReplacesALinkAtItsName) {
  const std::string dir = stagora::test::ScratchDir("replace-scratch-link");
  fs::create_directories(dir + "/elsewhere");
  Put(dir + "/elsewhere/own.jpg", "the user's own");
  fs::create_symlink(dir + "/elsewhere/own.jpg", dir + "/stgr_temp1.jpg");
  fs::create_symlink(dir + "/elsewhere/new.rex", dir + "/restemp1.rex");
  fs::create_symlink(dir + "/elsewhere", dir + "/folder.rex");
  for (const char* name : {"/stgr_temp1.jpg", "/restemp1.rex", "/folder.rex"}) {
    SCOPED_TRACE(name);
    ASSERT_TRUE(plat::WriteScratchFile(dir + name, "scratch"));
    EXPECT_FALSE(fs::is_symlink(dir + name));
    EXPECT_EQ(Bytes(dir + name), "scratch");
  }
  EXPECT_EQ(Entries(dir + "/elsewhere"), (std::vector<std::string>{"own.jpg"}));
  EXPECT_EQ(Bytes(dir + "/elsewhere/own.jpg"), "the user's own");
}

TEST(FileReplacement, RefusalsAndFailuresLeaveEverythingAsItWas) {
  const std::string dir = stagora::test::ScratchDir("replace-fail");
  fs::create_directories(dir + "/folder.sgr");
  Put(dir + "/folder.sgr/inside", "kept");
  fs::create_symlink(dir + "/folder.sgr", dir + "/link-to-folder.sgr");
  Put(dir + "/old.sgr", std::string(300, 'o'));

  struct Case {
    const char* what;
    std::string path;
    int number;
    std::string description;  // what the message says after the number
  };
  const std::vector<Case> cases = {
      {"a folder", dir + "/folder.sgr", EISDIR, "Is a directory"},
      {"a link to a folder", dir + "/link-to-folder.sgr", EISDIR, "Is a directory"},
      {"a missing folder", dir + "/missing/x.sgr", ENOENT, "No such file or directory"},
      {"an empty path", "", ENOENT, "No such file or directory"},
      // Named as opening one names it, not as an invalid argument.
      {"a named pipe", dir + "/pipe.sgr", EINVAL, "This is a named pipe (FIFO), not a file."},
      {"a socket", dir + "/socket.sgr", EINVAL, "This is a socket, not a file."},
      {"a device", "/dev/null", EINVAL, "This is a character device, not a file."},
  };
  ASSERT_EQ(::mkfifo((dir + "/pipe.sgr").c_str(), 0666), 0);
  const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::string socketPath = dir + "/socket.sgr";
  ASSERT_LT(socketPath.size(), sizeof address.sun_path);
  std::copy(socketPath.begin(), socketPath.end(), address.sun_path);
  ASSERT_EQ(::bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    plat::FileError err;
    EXPECT_FALSE(plat::WriteTextFile(c.path, "new", &err));
    EXPECT_EQ(err.number, c.number);
    EXPECT_EQ(err.description, c.description);
    // Reading says the same of it.
    if (c.number == EINVAL) {
      plat::FileError read;
      EXPECT_FALSE(plat::ReadTextFile(c.path, &read));
      EXPECT_EQ(read.description, c.description);
    }
  }
  EXPECT_EQ(Bytes(dir + "/folder.sgr/inside"), "kept");
  struct stat pipe {};
  EXPECT_TRUE(::lstat((dir + "/pipe.sgr").c_str(), &pipe) == 0 && S_ISFIFO(pipe.st_mode));
  ::unlink((dir + "/pipe.sgr").c_str());
  ::close(listener);
  ::unlink(socketPath.c_str());

  // A write that stops part-way, as at the file-size limit or on a full disk.
  struct rlimit saved {};
  getrlimit(RLIMIT_FSIZE, &saved);
  struct rlimit small = saved;
  small.rlim_cur = 100;
  const auto previous = signal(SIGXFSZ, SIG_IGN);
  setrlimit(RLIMIT_FSIZE, &small);
  plat::FileError err;
  const bool written = plat::WriteTextFile(dir + "/old.sgr", std::string(200 * 1024, 'n'), &err);
  plat::FileReplacement streamed(dir + "/streamed.sgr");
  const bool opened = streamed.open();
  for (int i = 0; i < 50 && opened; ++i) streamed.device()->write(std::string(1000, 's').c_str(), 1000);
  const bool committed = opened && streamed.commit();
  setrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, previous);
  EXPECT_FALSE(written);
  EXPECT_EQ(err.number, EFBIG);
  EXPECT_TRUE(opened);
  EXPECT_FALSE(committed);
  EXPECT_EQ(streamed.error().number, EFBIG);
  EXPECT_EQ(Bytes(dir + "/old.sgr"), std::string(300, 'o'));

  // A replacement dropped, or never committed, leaves nothing.
  {
    plat::FileReplacement dropped(dir + "/old.sgr");
    ASSERT_TRUE(dropped.open());
    ASSERT_TRUE(dropped.write("never"));
  }
  EXPECT_EQ(Entries(dir), (std::vector<std::string>{"folder.sgr", "link-to-folder.sgr", "old.sgr"}));
}

// A file others may write, in a folder of theirs the user may not write: no temporary can go
// beside it, so it is written where it is, and keeps what it had but its content.
TEST(FileReplacement, AWritableFileInAFolderClosedToTheUserIsWrittenInPlace) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to act as another user";
  const std::string dir = stagora::test::ScratchDir("replace-closed-folder");
  ASSERT_EQ(::chmod(dir.c_str(), 0755), 0);
  const std::string path = dir + "/shared.sgr";
  Put(path, std::string(300, 'o'));
  ASSERT_EQ(::chmod(path.c_str(), 0666), 0);
  ASSERT_EQ(::link(path.c_str(), (dir + "/other-link.sgr").c_str()), 0);
  std::string streamed;
  for (int i = 0; i < 3000; ++i) streamed += "line " + std::to_string(i) + "\r\n";

  EXPECT_EQ(AsUser(kSaver, {}, [&] { return Save(path, "new\r\n"); }), 0);
  EXPECT_EQ(Bytes(path), "new\r\n");
  EXPECT_EQ(Mode(path), 0666u);
  EXPECT_EQ(OwnerOf(path), (Owner{0, 0}));
  EXPECT_EQ(Bytes(dir + "/other-link.sgr"), "new\r\n") << "written in place, the file stays one";

  // Streamed in pieces larger than the writer's buffer, and longer than the old content.
  EXPECT_EQ(AsUser(kSaver, {}, [&] {
              plat::FileReplacement file(path);
              if (!file.open()) return file.error().number;
              for (std::size_t at = 0; at < streamed.size(); at += 70000) {
                const std::string piece = streamed.substr(at, 70000);
                if (file.device()->write(piece.data(), static_cast<qint64>(piece.size())) !=
                    static_cast<qint64>(piece.size())) {
                  return EIO;
                }
              }
              return file.commit() ? 0 : file.error().number;
            }),
            0);
  EXPECT_TRUE(Bytes(path) == streamed);

  // Until commit the file is as it was: a dropped write leaves it, and one that would pass
  // the file-size limit fails before a byte of the old content is touched.
  Put(path, std::string(300, 'o'));
  EXPECT_EQ(AsUser(kSaver, {}, [&] {
              plat::FileReplacement file(path);
              if (!file.open() || !file.write("never")) return EIO;
              return Bytes(path) == std::string(300, 'o') ? 0 : EBADMSG;
            }),
            0);
  EXPECT_EQ(AsUser(kSaver, {}, [&] {
              signal(SIGXFSZ, SIG_IGN);
              struct rlimit small {200 * 1024, 200 * 1024};
              setrlimit(RLIMIT_FSIZE, &small);
              return Save(path, std::string(300 * 1024, 'n'));
            }),
            EFBIG);
  EXPECT_EQ(Bytes(path), std::string(300, 'o'));

  // A new file has nowhere to go, and one the user may not write stays refused.
  EXPECT_EQ(AsUser(kSaver, {}, [&] { return Save(dir + "/new.sgr", "x"); }), EACCES);
  ASSERT_EQ(::chmod(path.c_str(), 0644), 0);
  EXPECT_EQ(AsUser(kSaver, {}, [&] { return Save(path, "x"); }), EACCES);
  EXPECT_EQ(Bytes(path), std::string(300, 'o'));
  EXPECT_EQ(Entries(dir), (std::vector<std::string>{"other-link.sgr", "shared.sgr"}));
}

// A group's project in a shared folder stays its owner's and the group's whoever saves it, and
// keeps its permissions: given to them when the system allows, written in place otherwise.
TEST(FileReplacement, AFileKeepsItsOwnerAndGroupWhoeverSavesIt) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to act as other users";
  const std::string dir = stagora::test::ScratchDir("replace-owner");
  ASSERT_EQ(::chown(dir.c_str(), kOwner, kShared), 0);
  ASSERT_EQ(::chmod(dir.c_str(), 0775), 0);
  struct Case {
    const char* what;
    uid_t saver;
    Owner file;
    unsigned mode;
  };
  const Case cases[] = {
      {"the owner's, saved by a member of its group", kSaver, {kOwner, kShared}, 0664},
      {"the saver's own, of the group", kSaver, {kSaver, kShared}, 0660},
      {"someone's, saved by root", 0, {kOwner, kOwner}, 0644},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string path = dir + "/project.sgr";
    Put(path, "old");
    ASSERT_EQ(::chown(path.c_str(), c.file.uid, c.file.gid), 0);
    ASSERT_EQ(::chmod(path.c_str(), c.mode), 0);
    const auto save = [&] { return Save(path, "new\r\n"); };
    EXPECT_EQ(c.saver == 0 ? save() : AsUser(c.saver, {kShared}, save), 0);
    EXPECT_EQ(Bytes(path), "new\r\n");
    EXPECT_EQ(OwnerOf(path), c.file);
    EXPECT_EQ(Mode(path), c.mode);
    EXPECT_EQ(Entries(dir), (std::vector<std::string>{"project.sgr"}));
    ::unlink(path.c_str());
  }
}

// A save that is killed before it is complete leaves the old file as it was and, where the
// file system makes files without a name, nothing beside it; elsewhere the hidden temporary of
// today stays, as nothing could remove it.
TEST(FileReplacement, ASaveKilledHalfWayLeavesOnlyTheOldFile) {
  const std::string dir = stagora::test::ScratchDir("replace-killed");
  if (!OffersUnnamedFiles(dir)) GTEST_SKIP() << "the file system makes no file without a name";
  const std::string path = dir + "/big.rep";
  Put(path, "old");
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  const pid_t child = ::fork();
  if (child == 0) {
    plat::FileReplacement file(path);
    if (!file.open()) ::_exit(1);
    const std::string piece(1 << 20, 'n');
    for (int i = 0; i < 8; ++i) file.write(piece);
    (void)!::write(ready[1], "w", 1);
    ::pause();  // killed here, half-way through the save
    ::_exit(0);
  }
  ASSERT_GT(child, 0);
  char signal = 0;
  ASSERT_EQ(::read(ready[0], &signal, 1), 1);
  ::kill(child, SIGKILL);
  int status = 0;
  ::waitpid(child, &status, 0);
  ::close(ready[0]);
  ::close(ready[1]);
  EXPECT_TRUE(WIFSIGNALED(status));
  EXPECT_EQ(Bytes(path), "old");
  EXPECT_EQ(Entries(dir), (std::vector<std::string>{"big.rep"}));
}

// Written in place on a file system that cannot reserve room: content that fits in the blocks
// the file holds is written, anything longer is refused saying the file is unchanged, and a
// sparse file's holes are no room.
TEST(FileReplacement, WithoutReservationOnlyWhatFitsIsWrittenInPlace) {
  const std::string dir = stagora::test::ScratchDir("replace-no-reservation");
  const auto cannotReserve = [](int, off_t) { return EOPNOTSUPP; };
  const std::string path = dir + "/project.sgr";
  const std::string old(20000, 'o');
  struct Case {
    const char* what;
    std::size_t size;
    bool written;
  };
  const Case cases[] = {
      {"shorter", 100, true},
      {"as long", old.size(), true},
      {"within its last block", old.size() + 16, true},
      {"longer by many blocks", 4 * old.size(), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Put(path, old);
    const int fd = ::open(path.c_str(), O_WRONLY);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::fsync(fd), 0);  // its blocks counted, not only promised
    const std::string fresh(c.size, 'n');
    const plat::FileError err = plat::WriteInPlace(fd, fresh, false, cannotReserve);
    ::close(fd);
    if (c.written) {
      EXPECT_EQ(err.number, 0) << err.description;
      EXPECT_TRUE(Bytes(path) == fresh);
    } else {
      EXPECT_EQ(err.number, EOPNOTSUPP);
      EXPECT_NE(err.description.find("the file is unchanged"), std::string::npos) << err.description;
      EXPECT_TRUE(Bytes(path) == old);
    }
  }

  // A megabyte that is mostly a hole holds a single block.
  const std::string sparse = dir + "/sparse.sgr";
  Put(sparse, "head");
  ASSERT_EQ(::truncate(sparse.c_str(), 1 << 20), 0);
  const int fd = ::open(sparse.c_str(), O_WRONLY);
  ASSERT_GE(fd, 0);
  if (::lseek(fd, 0, SEEK_HOLE) >= (1 << 20)) {
    ::close(fd);
    GTEST_SKIP() << "the file system keeps no holes";
  }
  const plat::FileError err = plat::WriteInPlace(fd, std::string(100000, 'n'), false, cannotReserve);
  ::close(fd);
  EXPECT_EQ(err.number, EOPNOTSUPP);
  EXPECT_EQ(fs::file_size(sparse), 1u << 20);
  EXPECT_EQ(Bytes(sparse).substr(0, 5), std::string("head") + '\0');
}

// Both programs ignore the file-size signal from their start, so that a save past `ulimit -f`
// fails with a message (as above) instead of ending the program.
TEST(FileReplacement, BothProgramsIgnoreTheFileSizeSignalFromTheirStart) {
  // An ignored signal would pass on to the programs started from here.
  const auto previous = signal(SIGXFSZ, SIG_DFL);
  for (const char* program : {"trov", "ovdr_ENG"}) {
    SCOPED_TRACE(program);
    if (!stagora::test::ToolBuilt(program)) GTEST_SKIP() << program << " is not built";
    const std::string home = stagora::test::ScratchDir(std::string("signal-") + program);
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("TMPDIR", QString::fromStdString(home));
    env.insert("XDG_CONFIG_HOME", QString::fromStdString(home));
    p.setProcessEnvironment(env);
    p.start(QString::fromStdString(stagora::test::ProgramDir() + "/" + program), {});
    ASSERT_TRUE(p.waitForStarted());
    const QString status = QString("/proc/%1/status").arg(p.processId());
    bool ignored = false;
    for (int wait = 0; wait < 100 && !ignored; ++wait) {
      QFile file(status);
      if (file.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : file.readAll().split('\n')) {
          if (line.startsWith("SigIgn:")) ignored = line.mid(7).trimmed().toULongLong(nullptr, 16) >> (SIGXFSZ - 1) & 1;
        }
      }
      if (!ignored) QThread::msleep(50);
    }
    p.kill();
    p.waitForFinished();
    EXPECT_TRUE(ignored);
  }
  signal(SIGXFSZ, previous);
}

}  // namespace
