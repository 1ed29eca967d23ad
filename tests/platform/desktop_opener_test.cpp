// Handing a document to the desktop's opener, which alone learns whether any program on the
// machine shows the document's kind of file.
#include <gtest/gtest.h>

#include <QTest>
#include <QtGlobal>
#include <filesystem>
#include <string>

#include "platform/shell.h"
#include "platform/textfile.h"
#include "tests/support/test_support.h"

namespace {

// A stand-in opener first in PATH: it notes the file it is given and ends with `status`, as the
// desktop's opener ends with 3 when it found no program for the file.
class FakeOpener {
 public:
  explicit FakeOpener(const std::string& name, int status) : folder_(stagora::test::ScratchDir(name)) {
    const std::string script = "#!/bin/sh\nprintf '%s' \"$1\" > '" + folder_ + "/given'\nexit " +
                               std::to_string(status) + "\n";
    EXPECT_TRUE(plat::WriteTextFile(folder_ + "/xdg-open", script));
    std::filesystem::permissions(folder_ + "/xdg-open", std::filesystem::perms::owner_all);
    path_ = qgetenv("PATH");
    qputenv("PATH", QByteArray::fromStdString(folder_));
  }
  ~FakeOpener() { qputenv("PATH", path_); }
  std::string Given() const { return plat::ReadTextFile(folder_ + "/given").value_or(""); }
  const std::string& Folder() const { return folder_; }

 private:
  std::string folder_;
  QByteArray path_;
};

TEST(DesktopOpener, TheOpenersVerdictOnADocumentArrivesFromTheEventLoop) {
  for (const int status : {3, 4, 0}) {
    SCOPED_TRACE(status);
    FakeOpener opener("opener-" + std::to_string(status), status);
    const std::string manual = opener.Folder() + "/Manual.pdf";
    ASSERT_TRUE(plat::WriteTextFile(manual, "%PDF-1.4\n"));
    int told = 0;
    ASSERT_TRUE(plat::OpenWithDesktop(manual, [&] { ++told; }));
    EXPECT_EQ(told, 0) << "the caller does not wait for the opener";
    QTRY_COMPARE(opener.Given(), manual);
    if (status != 0) {
      QTRY_COMPARE(told, 1);
    } else {
      QTest::qWait(300);
      EXPECT_EQ(told, 0);
    }
  }
}

// The program folder, and so the manual, may lie under a name that is no UTF-8.
TEST(DesktopOpener, TheOpenerIsGivenTheDocumentsOwnBytes) {
  FakeOpener opener("opener-bytes", 0);
  const std::string folder = opener.Folder() + "/caf\xE9";
  ASSERT_TRUE(plat::CreateDirectory(folder));
  const std::string manual = folder + "/Manual \xE9.pdf";
  ASSERT_TRUE(plat::WriteTextFile(manual, "%PDF-1.4\n"));
  ASSERT_TRUE(plat::OpenWithDesktop(manual, [] { ADD_FAILURE() << "the opener found the file"; }));
  QTRY_COMPARE(opener.Given(), manual);
  QTest::qWait(100);
}

TEST(DesktopOpener, WithoutAnyOpenerADocumentIsRefusedAtOnce) {
  const std::string folder = stagora::test::ScratchDir("no-opener");
  const std::string manual = folder + "/Manual.pdf";
  ASSERT_TRUE(plat::WriteTextFile(manual, "%PDF-1.4\n"));
  const QByteArray path = qgetenv("PATH");
  qputenv("PATH", QByteArray::fromStdString(folder));
  int told = 0;
  const bool opened = plat::OpenWithDesktop(manual, [&] { ++told; });
  qputenv("PATH", path);
  EXPECT_FALSE(opened);
  QTest::qWait(50);
  EXPECT_EQ(told, 0);
}

}  // namespace
