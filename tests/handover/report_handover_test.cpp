// The worked-solution button end to end: the diagram image and the result document left in
// the scratch folder, the viewer started on the document, and the document read back as the
// viewer reads it.
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <sys/resource.h>
#include <sys/stat.h>

#include "designer/report/run_identifier.h"
#include "designer/window/controls.h"
#include "designer/window/report_handover.h"
#include "platform/file_names.h"
#include "platform/paths.h"
#include "platform/shell.h"
#include "platform/textfile.h"
#include "tests/designer/main_window_fixture.h"
#include "tests/support/scoped_hook.h"
#include "viewer/document/result_document.h"

namespace stagora::test {
namespace {

namespace fs = std::filesystem;

struct Start {
  std::string program;
  std::string argument;
};

class ReportHandover : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    // A temporary folder with blanks: the path still travels as the one argument.
    temp_ = ScratchDir("handover temp folder");
    tempPath = temp_;
    scratch_ = temp_ + "/nrtemp";
  }

  designer::FormMain& Calculated() {
    designer::FormMain& w = Load();
    w.Calcular(*w.Picture1, false);
    EXPECT_TRUE(w.LblERROR->isHidden());
    return w;
  }

  // The scratch folder's files by extension.
  std::vector<std::string> Files(const std::string& extension) const {
    std::vector<std::string> out;
    if (!fs::is_directory(scratch_)) return out;
    for (const auto& e : fs::directory_iterator(scratch_)) {
      if (e.path().extension() == extension) out.push_back(e.path().filename().string());
    }
    std::sort(out.begin(), out.end());
    return out;
  }

  std::string temp_;
  std::string scratch_;
  std::vector<Start> starts_;
  // The viewer is not started: its start is written down.
  const ScopedHook<plat::StartProgramHandler> viewerStart_{
      plat::SetStartProgramHandler, [this](const std::string& program, const std::string& argument) {
        starts_.push_back({program, argument});
        return true;
      }};
  MessageBoxRecorder boxes_;
};

TEST_F(ReportHandover, TheButtonLeavesOneDocumentAndOneDiagramImageAndStartsTheViewerOnTheDocument) {
  designer::FormMain& w = Calculated();
  QTest::mouseClick(w.LabelB[2], Qt::LeftButton);

  ASSERT_EQ(Files(".rex").size(), 1u);
  ASSERT_EQ(Files(".jpg").size(), 1u);
  EXPECT_TRUE(Files(".bmp").empty()) << "the bitmap goes once it is converted";
  EXPECT_TRUE(boxes_.requests().empty());
  const std::string doc = Files(".rex")[0];
  const std::string jpg = Files(".jpg")[0];
  EXPECT_TRUE(doc.size() == 17 && doc.rfind("restemp1", 0) == 0) << doc;
  EXPECT_TRUE(jpg.size() == 19 && jpg.rfind("stgr_temp1", 0) == 0) << jpg;

  const QImage image(QString::fromStdString(scratch_ + "/" + jpg), "JPEG");
  EXPECT_EQ(image.size(), QSize(700, 700));

  ASSERT_EQ(starts_.size(), 1u);
  EXPECT_EQ(starts_[0].program, ProgramDir() + "/ovdr_ENG");
  EXPECT_EQ(starts_[0].argument, scratch_ + "/" + doc);

  // The document as the viewer reads it: the window's worked solution, naming the image.
  const std::optional<std::string> bytes = plat::ReadTextFile(starts_[0].argument);
  ASSERT_TRUE(bytes);
  EXPECT_EQ(bytes->rfind("#DEC(.#DEC)\r\n\r\n#ENU(", 0), 0u);
  EXPECT_EQ(bytes->substr(bytes->size() - 5), "#RS2)");
  const viewer::ReadResult read = viewer::ReadResultDocument(*bytes);
  ASSERT_EQ(read.error, viewer::ReadError::None);
  EXPECT_TRUE(read.images.empty());
  const std::optional<WorkedSolution> expected = w.HTFC_Informe_NEU(jpg);
  ASSERT_TRUE(expected);
  EXPECT_EQ(read.sections.SimboloDecimal, ".");
  EXPECT_EQ(read.sections.StatementText, expected->statement);
  EXPECT_EQ(read.sections.SolutionText, expected->answer);
  EXPECT_EQ(read.sections.ResolutionTexts[0], expected->level1);
  EXPECT_EQ(read.sections.ResolutionTexts[1], expected->level2);
  EXPECT_NE(expected->level1.find("#IMG('" + jpg + "'"), std::string::npos);
  // The viewer finds the image by its bare name in the scratch folder.
  EXPECT_EQ(viewer::FindImage(viewer::DefaultImageFolders(temp_), jpg), scratch_ + "/" + jpg);
}

// TMPDIR may name a folder whose name is no UTF-8: the image is converted there, and the
// viewer is started on the document by its bytes.
TEST_F(ReportHandover, AScratchFolderWhoseNameIsNoUtf8StillGetsTheDocumentAndItsImage) {
  temp_ = ScratchDir("handover-bytes") + "/caf\xE9";
  ASSERT_TRUE(plat::CreateDirectory(temp_));
  tempPath = temp_;
  scratch_ = temp_ + "/nrtemp";
  designer::FormMain& w = Calculated();
  QTest::mouseClick(w.LabelB[2], Qt::LeftButton);

  EXPECT_TRUE(boxes_.requests().empty());
  ASSERT_EQ(Files(".rex").size(), 1u);
  ASSERT_EQ(Files(".jpg").size(), 1u);
  const std::string jpg = scratch_ + "/" + Files(".jpg")[0];
  const std::string jpegBytes = plat::ReadTextFile(jpg).value_or("");
  EXPECT_EQ(QImage::fromData(QByteArray::fromStdString(jpegBytes), "JPEG").size(), QSize(700, 700));
  ASSERT_EQ(starts_.size(), 1u);
  EXPECT_EQ(starts_[0].argument, scratch_ + "/" + Files(".rex")[0]);
  EXPECT_EQ(viewer::FindImage(viewer::DefaultImageFolders(temp_), Files(".jpg")[0]), jpg);
}

TEST_F(ReportHandover, TheDecimalCommaTravelsInTheDocument) {
  designer::FormMain& w = Load();
  w.mnu_Decimal_SEP_COM_Click();
  ASSERT_EQ(w.SimboloDecimal, ",");
  ASSERT_TRUE(w.LblERROR->isHidden());
  w.CrearINFORME_HTFC();
  ASSERT_EQ(starts_.size(), 1u);
  const viewer::ReadResult read = viewer::ReadResultDocument(plat::ReadTextFile(starts_[0].argument).value_or(""));
  ASSERT_EQ(read.error, viewer::ReadError::None);
  EXPECT_EQ(read.sections.SimboloDecimal, ",");
}

TEST_F(ReportHandover, WhileTheErrorLabelShowsTheButtonDoesNothing) {
  designer::FormMain& w = Calculated();
  w.Text[field::kXDistillate]->setText("1.5");  // xD beyond 1
  w.Calcular(*w.Picture1, false);
  ASSERT_FALSE(w.LblERROR->text().isEmpty());
  w.Timer1_Timer();  // the label shows on the timer's next tick
  ASSERT_FALSE(w.LblERROR->isHidden());

  QTest::mouseClick(w.LabelB[2], Qt::LeftButton);
  EXPECT_FALSE(fs::exists(scratch_)) << "not even the scratch folder";
  EXPECT_TRUE(starts_.empty());
  EXPECT_TRUE(boxes_.requests().empty());
}

TEST_F(ReportHandover, TheReportsDiagramLeavesTheScreensPointLabelsAlone) {
  designer::FormMain& w = Calculated();
  std::vector<QRect> places;
  for (const QLabel* label : w.Label2) places.push_back(label->geometry());
  // Cleared, then typed in again without Enter: the screen shows no diagram and no labels.
  const std::vector<QString> typed = {w.Text[field::kAlpha]->text(), w.Text[field::kThermalQ]->text(), w.Text[field::kXFeed]->text(), w.Text[field::kXDistillate]->text(),
                                      w.Text[field::kXBottoms]->text(), w.Text[field::kRefluxRatio]->text()};
  const QString e = w.Text[field::kEfficiency]->text();
  w.Borrar();
  for (int n = 1; n <= 6; ++n) w.Text[n]->setText(typed[static_cast<std::size_t>(n - 1)]);
  w.Text[field::kEfficiency]->setText(e);

  w.CrearINFORME_HTFC();
  ASSERT_EQ(starts_.size(), 1u);
  for (std::size_t i = 0; i < w.Label2.size(); ++i) {
    EXPECT_TRUE(w.Label2[i]->isHidden()) << i;
    EXPECT_EQ(w.Label2[i]->geometry(), places[i]) << i;
  }
}

TEST_F(ReportHandover, AFailedConversionStopsTheReportWithAMessageInsteadOfWaiting) {
  designer::FormMain& w = Calculated();
  int conversions = 0;
  w.State().ReportImageConversion = [&](const std::string&, const std::string&, int quality) {
    ++conversions;
    EXPECT_EQ(quality, 95);
    return false;  // the JPEG could not be written
  };
  w.CrearINFORME_HTFC();

  EXPECT_EQ(conversions, 1);
  ASSERT_EQ(boxes_.requests().size(), 1u);
  EXPECT_EQ(boxes_.requests()[0].title, "Error encountered!");
  EXPECT_EQ(boxes_.requests()[0].text.rfind("Cannot write file\r\n" + scratch_ + "/stgr_temp1", 0), 0u)
      << boxes_.requests()[0].text;
  EXPECT_TRUE(boxes_.requests()[0].text.ends_with(".jpg\r\nError : 5 - The picture could not be written as a JPEG."))
      << boxes_.requests()[0].text;
  EXPECT_TRUE(Files(".rex").empty());
  EXPECT_TRUE(Files(".jpg").empty());
  EXPECT_TRUE(Files(".bmp").empty());
  EXPECT_TRUE(starts_.empty());
  EXPECT_FALSE(QApplication::overrideCursor()) << "the busy pointer is gone";
}

TEST_F(ReportHandover, NumbersOfFilesAlreadyThereAreDrawnAgainSoAnOpenViewersFilesStayAsTheyAre) {
  designer::FormMain& w = Calculated();
  // The next four numbers the report draws: the image takes the first free one, then the
  // document the next free one.
  constexpr std::uint32_t kSeed = 2024;
  std::mt19937 next(kSeed);
  int drawn[4];
  for (int& n : drawn) n = DrawRunIdentifier(next, nullptr);
  ASSERT_TRUE(plat::CreateDirectory(scratch_));
  const std::string shownImage = scratch_ + "/stgr_temp" + std::to_string(drawn[0]) + ".jpg";
  const std::string shownDocument = scratch_ + "/restemp" + std::to_string(drawn[2]) + ".rex";
  ASSERT_TRUE(plat::WriteTextFile(shownImage, "an image a viewer shows"));
  ASSERT_TRUE(plat::WriteTextFile(shownDocument, "a document a viewer shows"));

  w.State().RunIdentifiers.seed(kSeed);
  w.CrearINFORME_HTFC();

  EXPECT_EQ(plat::ReadTextFile(shownImage), "an image a viewer shows");
  EXPECT_EQ(plat::ReadTextFile(shownDocument), "a document a viewer shows");
  ASSERT_EQ(starts_.size(), 1u);
  EXPECT_EQ(starts_[0].argument, scratch_ + "/restemp" + std::to_string(drawn[3]) + ".rex");
  const std::string image = "stgr_temp" + std::to_string(drawn[1]) + ".jpg";
  EXPECT_TRUE(plat::FileExists(scratch_ + "/" + image));
  EXPECT_NE(plat::ReadTextFile(starts_[0].argument).value_or("").find("#IMG('" + image + "'"), std::string::npos);
}

TEST_F(ReportHandover, EachReportLeavesItsOwnFilesUntilTheWindowClosesAndOnlyThoseGo) {
  // A second designer on the same scratch folder, and a picture a viewer extracted there.
  ASSERT_TRUE(plat::CreateDirectory(scratch_));
  const std::vector<std::string> others = {"restemp100001.rex", "stgr_temp100001.jpg", "EXTRACTED.JPG"};
  for (const std::string& name : others) ASSERT_TRUE(plat::WriteTextFile(scratch_ + "/" + name, "another's"));

  designer::FormMain& w = Calculated();
  w.CrearINFORME_HTFC();
  w.CrearINFORME_HTFC();
  EXPECT_EQ(Files(".rex").size(), 3u);
  EXPECT_EQ(Files(".jpg").size(), 3u);
  EXPECT_EQ(Files(".JPG").size(), 1u);
  ASSERT_EQ(starts_.size(), 2u);
  EXPECT_NE(starts_[0].argument, starts_[1].argument);

  w.Form_Unload();
  EXPECT_EQ(Files(".rex"), (std::vector<std::string>{"restemp100001.rex"}));
  EXPECT_EQ(Files(".jpg"), (std::vector<std::string>{"stgr_temp100001.jpg"}));
  for (const std::string& name : others) EXPECT_EQ(plat::ReadTextFile(scratch_ + "/" + name), "another's") << name;
}

// Another designer's start removes what designers that are gone left a day ago or more, but
// what this one wrote stays for as long as it runs, and goes with its window.
TEST_F(ReportHandover, AReportOutlivesOtherDesignersStartsUntilItsWindowCloses) {
  designer::FormMain& w = Calculated();
  w.CrearINFORME_HTFC();
  const std::vector<std::string> own = {Files(".jpg").at(0), Files(".rex").at(0)};
  ASSERT_TRUE(plat::WriteTextFile(scratch_ + "/restemp100001.rex", "a killed designer's"));
  const std::time_t then = std::time(nullptr) - 2 * 24 * 3600;
  const struct timespec when[2] = {{then, 0}, {then, 0}};
  for (const auto& e : fs::directory_iterator(scratch_)) {
    ASSERT_EQ(::utimensat(AT_FDCWD, e.path().c_str(), when, 0), 0);
  }
  plat::RemoveStaleScratchFiles(temp_);
  EXPECT_EQ(Files(".jpg"), std::vector<std::string>{own[0]});
  EXPECT_EQ(Files(".rex"), std::vector<std::string>{own[1]});

  w.Form_Unload();
  EXPECT_TRUE(fs::is_empty(scratch_)) << "its files and its hold on them are gone";
}

// The designer closing leaves what a running viewer still shows of its reports: the viewer
// may yet save the worked solution with its picture. What nobody holds goes with the window.
TEST_F(ReportHandover, AReportAViewerStillShowsOutlivesItsDesignersWindow) {
  designer::FormMain& w = Calculated();
  w.CrearINFORME_HTFC();
  w.CrearINFORME_HTFC();
  ASSERT_EQ(starts_.size(), 2u);
  const std::string shown = starts_[1].argument;
  const std::string text = plat::ReadTextFile(shown).value_or("");
  std::string picture;
  for (const std::string& name : Files(".jpg")) {
    if (text.find("#IMG('" + name + "'") != std::string::npos) picture = plat::JoinPath(scratch_, name);
  }
  ASSERT_FALSE(picture.empty());
  {
    plat::ScratchClaim viewer;  // as the viewer holds what its document shows
    ASSERT_TRUE(viewer.hold(shown));
    ASSERT_TRUE(viewer.hold(picture));
    w.Form_Unload();
    EXPECT_EQ(Files(".rex"), std::vector<std::string>{plat::NamePart(shown)});
    EXPECT_EQ(Files(".jpg"), std::vector<std::string>{plat::NamePart(picture)});
  }
  // Once the viewer has closed too, a later start takes them when they are a day old.
  const std::time_t then = std::time(nullptr) - 2 * 24 * 3600;
  const struct timespec when[2] = {{then, 0}, {then, 0}};
  for (const auto& e : fs::directory_iterator(scratch_)) {
    ASSERT_EQ(::utimensat(AT_FDCWD, e.path().c_str(), when, 0), 0);
  }
  plat::RemoveStaleScratchFiles(temp_);
  EXPECT_TRUE(fs::is_empty(scratch_));
}

// A bitmap that cannot be written is reported with the reason, as any file that is not saved.
TEST_F(ReportHandover, AnImageThatCannotBeWrittenIsReportedWithTheReason) {
  designer::FormMain& w = Calculated();
  struct rlimit saved {};
  getrlimit(RLIMIT_FSIZE, &saved);
  struct rlimit small = saved;
  small.rlim_cur = 1000;  // as a disk that is full after a kilobyte
  const auto previous = signal(SIGXFSZ, SIG_IGN);
  setrlimit(RLIMIT_FSIZE, &small);
  w.CrearINFORME_HTFC();
  setrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, previous);
  ASSERT_EQ(boxes_.requests().size(), 1u);
  const std::string& text = boxes_.requests()[0].text;
  EXPECT_TRUE(text.starts_with("Cannot write file\r\n" + scratch_ + "/stgr_temp")) << text;
  EXPECT_TRUE(text.ends_with(".bmp\r\nError : 27 - File too large")) << text;
  EXPECT_TRUE(fs::is_empty(scratch_));

  // A scratch folder that cannot be made says why, under the name it would have had.
  w.State().TempPath = temp_ + "/gone";
  w.CrearINFORME_HTFC();
  ASSERT_EQ(boxes_.requests().size(), 2u);
  const std::string& missing = boxes_.requests()[1].text;
  EXPECT_TRUE(missing.starts_with("Cannot write file\r\n" + temp_ + "/gone/nrtemp/stgr_temp")) << missing;
  EXPECT_TRUE(missing.ends_with(".bmp\r\nError : 2 - No such file or directory")) << missing;
  EXPECT_TRUE(starts_.empty());
}

TEST_F(ReportHandover, AScratchFolderThatIsALinkOrSharedIsNotWrittenInto) {
  designer::FormMain& w = Calculated();
  const std::string elsewhere = ScratchDir("handover elsewhere");
  ASSERT_TRUE(plat::WriteTextFile(elsewhere + "/stgr_temp1.jpg", "the user's own"));
  fs::create_directory_symlink(elsewhere, scratch_);
  w.CrearINFORME_HTFC();
  EXPECT_TRUE(starts_.empty());
  ASSERT_EQ(boxes_.requests().size(), 1u);  // the image could not be written, and why
  EXPECT_TRUE(boxes_.requests()[0].text.ends_with(
      "\r\nError : 1 - The scratch folder is not a folder of this user's that only this user may write into."))
      << boxes_.requests()[0].text;
  w.Form_Unload();
  EXPECT_TRUE(fs::is_symlink(scratch_));
  EXPECT_EQ(fs::directory_iterator(elsewhere)->path().filename(), "stgr_temp1.jpg");
  EXPECT_EQ(std::distance(fs::directory_iterator(elsewhere), fs::directory_iterator()), 1);

  // A folder others may write into is no scratch folder either.
  fs::remove(scratch_);
  fs::create_directory(scratch_);
  fs::permissions(scratch_, fs::perms::all);
  w.CrearINFORME_HTFC();
  EXPECT_TRUE(starts_.empty());
  EXPECT_TRUE(fs::is_empty(scratch_));
}

TEST_F(ReportHandover, ADocumentThatCannotBeWrittenStartsNoViewerAndSaysNothing) {
  designer::FormMain& w = Load();
  // The scratch folder cannot be made: a file stands where it would go.
  ASSERT_TRUE(plat::WriteTextFile(scratch_, "in the way"));
  w.SaveFile_SHOWOVDR("statement", "answer", "level 1", "level 2");
  EXPECT_TRUE(starts_.empty());
  EXPECT_TRUE(boxes_.requests().empty());
  EXPECT_EQ(plat::ReadTextFile(scratch_), "in the way");
}

}  // namespace
}  // namespace stagora::test
