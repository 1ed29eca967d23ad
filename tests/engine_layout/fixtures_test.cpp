// Whole documents: every fixture under tests/fixtures/htfc (hostile.htfc collects broken and
// wild mark-up; inputs the fuzzer finds to fail belong beside it), real fonts, and the
// htfc-render tool as a user runs it.
#include <gtest/gtest.h>

#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <filesystem>

#include "platform/textfile.h"
#include "tests/engine_layout/engine_fixture.h"
#include "tests/support/test_support.h"

namespace stagora::engine::test {
namespace {

namespace fs = std::filesystem;
using plat::RecordedOp;

fs::path FixtureDir() { return fs::path(stagora::test::SourceDir()) / "tests" / "fixtures" / "markup_layout"; }

std::string Fixture(const std::string& name) {
  return plat::ReadTextFile((FixtureDir() / name).string()).value_or("");
}

class Fixtures : public EngineTest {};

TEST_F(Fixtures, EveryFixtureLaysOutOnThePagePictureAndOnPaper) {
  plat::RecordingSurface paper(4960, 7016, 1440.0 / 600);
  int files = 0;
  for (const auto& entry : fs::recursive_directory_iterator(FixtureDir())) {
    if (!entry.is_regular_file() || entry.path().extension() != ".htfc") continue;
    const std::string text = plat::ReadTextFile(entry.path().string()).value_or("");
    for (double zoom : {1.0, 0.5, 2.0}) {
      V.Zoom = zoom;
      double size = 12 * zoom;
      V.DestinoPantalla = &page_;
      DibujarHTFC(text, size, page_, S, V);
      EXPECT_LE(S.NumMarcas, kMaxMarcas) << entry.path();
      page_.clearLog();
    }
    V.DestinoImpresora = &paper;
    double size = 12;
    DibujarHTFC(text, size, paper, S, V);
    paper.clearLog();
    ++files;
  }
  EXPECT_GE(files, 8);
}

class RealFontFixtures : public EngineTest {
 protected:
  RealFontFixtures() : EngineTest(plat::RecordingSurface::Metrics::RealFonts) {}
};

TEST_F(RealFontFixtures, LongParagraphsWrapInsideTheMargins) {
  std::string text = Fixture("paragraphs.htfc");
  // The last line is one word longer than the page, which keeps its crossing character.
  text = text.substr(0, text.rfind("&LF"));
  Render(text);
  EXPECT_EQ(S.BloqueCorte, 0);
  const auto texts = Ops(RecordedOp::Text);
  ASSERT_GT(texts.size(), 1000u);
  double lowest = 0;
  for (const RecordedOp& op : texts) {
    EXPECT_LE(op.x2 * 15, S.AnchoPagina - S.MargenDer + 1e-6);
    EXPECT_GE(op.x1 * 15, S.MargenIzq);
    lowest = std::max(lowest, op.y2 * 15);
  }
  EXPECT_LT(lowest, S.AltoPagina - S.MargenInf);
}

QJsonObject RunTool(const QStringList& args, int* exitCode) {
  const stagora::test::ToolRun run = stagora::test::RunTool("htfc-render", args);
  *exitCode = run.exitCode;
  return run.json;
}

class HtfcRender : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!stagora::test::ToolBuilt("htfc-render")) GTEST_SKIP() << "htfc-render is not built";
    out_ = stagora::test::ScratchDir("htfc-render");
  }
  QString In(const char* name) { return QString::fromStdString((FixtureDir() / name).string()); }
  QString Out(const char* name) { return QString::fromStdString(out_ + "/" + name); }
  std::string out_;
};

TEST_F(HtfcRender, ReportsThreeBandsInPageOrderAndDrawsThePagePicture) {
  int code = -1;
  const QJsonObject report = RunTool({In("three_marks.htfc"), Out("three.png"), "--zoom", "1.5", "--report"}, &code);
  EXPECT_EQ(code, 0);
  EXPECT_EQ(report["BloqueCorte"].toInt(), 3);
  const QJsonArray marks = report["marks"].toArray();
  ASSERT_EQ(marks.size(), 3);
  double previousBottom = 0;
  for (int k = 0; k < 3; ++k) {
    const QJsonObject m = marks[k].toObject();
    EXPECT_EQ(m["page"].toInt(), k + 1);
    EXPECT_FALSE(m["selected"].toBool());
    EXPECT_GT(m["top"].toDouble(), previousBottom);
    EXPECT_GT(m["bottom"].toDouble(), m["top"].toDouble());
    previousBottom = m["bottom"].toDouble();
  }
  const QImage page(Out("three.png"));
  EXPECT_EQ(page.size(), QSize(1194, 1688));  // the page picture at 150 %
}

TEST_F(HtfcRender, ABlockTooLongForThePageGivesItsNegativeNumber) {
  int code = -1;
  const QJsonObject report = RunTool({In("marks_overflow.htfc"), Out("overflow.pdf"), "--report"}, &code);
  EXPECT_EQ(code, 0);
  EXPECT_EQ(report["BloqueCorte"].toInt(), -2);
  EXPECT_EQ(report["marks"].toArray().size(), 2);
  EXPECT_EQ(plat::ReadTextFile(Out("overflow.pdf").toStdString()).value_or("").substr(0, 4), "%PDF");
}

// The pages of a PDF the PDF-file printer wrote: its page objects.
int PdfPages(const std::string& path) {
  const std::string pdf = plat::ReadTextFile(path).value_or("");
  if (!pdf.starts_with("%PDF")) return 0;
  int pages = 0;
  for (std::size_t at = pdf.find("/Type /Page"); at != std::string::npos; at = pdf.find("/Type /Page", at + 1))
    pages += at + 11 < pdf.size() && pdf[at + 11] != 's';
  return pages;
}

TEST_F(HtfcRender, PagesSetsAWholeLongTextOnAsManyPagesAsItNeeds) {
  // 160 numbered lines, a paragraph that wraps, and runs of line breaks.
  std::string text = "&FS=16:Title&FS=12:&LF&LF";
  for (int n = 1; n <= 160; ++n) {
    text += "Line " + std::to_string(n) + (n % 40 == 0 ? std::string(60, ' ') + "long words wrap here too" : "") + "&LF";
    if (n % 25 == 0) text += "&LF&LF";
  }
  const std::string in = out_ + "/long.htfc";
  ASSERT_TRUE(plat::WriteTextFile(in, text));
  int code = -1;
  const QJsonObject report =
      RunTool({QString::fromStdString(in), Out("long.pdf"), "--pages", "--report"}, &code);
  EXPECT_EQ(code, 0);
  // The last page was drawn whole: its last block is the text's last (the title, the blank
  // line after it and the 160 lines, the runs staying with their lines).
  EXPECT_EQ(report["BloqueCorte"].toInt(), 161);
  const int pages = PdfPages(Out("long.pdf").toStdString());
  EXPECT_GE(pages, 3);
  EXPECT_LE(pages, 6);

  RunTool({QString::fromStdString(in), Out("long.png"), "--pages"}, &code);
  EXPECT_EQ(code, 1);  // pages are for paper
}

// The title a PDF file carries, as the PDF-file printer writes one (UTF-16 with its byte-order
// mark); "" when it has none.
std::string PdfTitle(const std::string& path) {
  const std::string pdf = plat::ReadTextFile(path).value_or("");
  const std::size_t at = pdf.find("/Title (\xFE\xFF");
  if (at == std::string::npos) return "";
  std::string title;
  for (std::size_t k = at + 10; k + 1 < pdf.size() && pdf[k] != ')'; k += 2) {
    if (pdf[k] != '\0') return "";  // no character of ours is outside ASCII
    title += pdf[k + 1];
  }
  return title;
}

TEST_F(HtfcRender, TheManualsAreTypesetIntoTheProgramFolderWithTheirTitles) {
  const std::pair<const char*, const char*> manuals[] = {
      {"Manual_TROV.pdf", "Stagora TROV: user manual of the designer"},
      {"Manual_OVDR_ENG.pdf", "Stagora OVDR: user manual of the viewer"}};
  for (const auto& [name, title] : manuals) {
    SCOPED_TRACE(name);
    EXPECT_GE(PdfPages(stagora::test::ProgramDir() + "/" + name), 2);
    // A PDF reader shows the title in place of the file's name.
    EXPECT_EQ(PdfTitle(stagora::test::ProgramDir() + "/" + name), title);
  }
}

// Nothing drawn is a blank page, on paper as on the picture; only a file that cannot be
// written fails.
TEST_F(HtfcRender, ADocumentThatDrawsNothingIsABlankPage) {
  const std::pair<const char*, const char*> documents[] = {{"empty.htfc", ""}, {"tall.htfc", "&FS=1000:X\r\n"}};
  for (const auto& [name, text] : documents) {
    ASSERT_TRUE(plat::WriteTextFile(out_ + "/" + name, text)) << name;
    for (const char* output : {"blank.pdf", "blank.png"}) {
      int code = -1;
      const QJsonObject report = RunTool({Out(name), Out(output), "--report"}, &code);
      EXPECT_EQ(code, 0) << name << " " << output;
      EXPECT_EQ(report["BloqueCorte"].toInt(), 0) << name;
    }
    EXPECT_EQ(plat::ReadTextFile(Out("blank.pdf").toStdString()).value_or("").substr(0, 4), "%PDF") << name;
    const QImage page(Out("blank.png"));
    ASSERT_FALSE(page.isNull()) << name;
    EXPECT_EQ(page.pixel(page.width() / 2, page.height() / 3), page.pixel(1, 1)) << name;
  }
  int code = -1;
  RunTool({Out("empty.htfc"), Out("no-such-folder/blank.pdf")}, &code);
  EXPECT_EQ(code, 2);
}

TEST_F(HtfcRender, RefusesBadArguments) {
  int code = -1;
  RunTool({In("styles.htfc")}, &code);
  EXPECT_EQ(code, 1);
  RunTool({In("styles.htfc"), Out("x.bmp")}, &code);
  EXPECT_EQ(code, 1);
  RunTool({In("styles.htfc"), Out("x.png"), "--zoom", "abc"}, &code);
  EXPECT_EQ(code, 1);
  RunTool({In("no-such-file.htfc"), Out("x.png")}, &code);
  EXPECT_EQ(code, 1);
}

}  // namespace
}  // namespace stagora::engine::test
