// The result document's byte format: what the viewer writes, what it reads back, what it
// accepts from the designer, and what it refuses without writing anything.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <set>

#include "platform/paths.h"
#include "platform/textfile.h"
#include "tests/support/test_support.h"
#include "viewer/document/result_document.h"

namespace stagora::viewer {
namespace {

namespace fs = std::filesystem;
using test::ScratchDir;

ResultSections OneLetterSections() {
  ResultSections s;
  s.SimboloDecimal = ".";
  s.StatementText = "E";
  s.SolutionText = "S";
  s.ResolutionTexts = {"1", "2"};
  return s;
}

// Bytes 0 to 255, repeated: image data that holds every byte, NUL and CR LF included.
std::string AllBytes(std::size_t n) {
  std::string b(n, '\0');
  for (std::size_t i = 0; i < n; ++i) b[i] = static_cast<char>(i % 256);
  return b;
}

class ResultDocumentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    root_ = ScratchDir(std::string("doc-") + info->name());
    folders_ = {root_ + "/img", root_ + "/nrtemp"};
    fs::create_directories(folders_.programImages);
  }
  void PutImage(const std::string& folder, const std::string& name, const std::string& bytes) {
    fs::create_directories(folder);
    ASSERT_TRUE(plat::WriteTextFile(folder + "/" + name, bytes));
  }
  std::size_t FilesIn(const std::string& folder) const {
    std::error_code ec;
    if (!fs::exists(folder, ec)) return 0;
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
  }
  std::string root_;
  ImageFolders folders_;
};

TEST_F(ResultDocumentTest, WorkedExampleHasItsDirectoryAndImageAtTheStatedBytes) {
  ResultSections s = OneLetterSections();
  s.StatementText = "E#IMG('a.jpg'DXmm=10:DYmm=10:#IMG)";
  PutImage(folders_.scratch, "a.jpg", AllBytes(1000));
  // The statement now holds the construct; the text up to "#RS2)" grows by its length.
  const std::size_t textLength = 79 + std::string("#IMG('a.jpg'DXmm=10:DYmm=10:#IMG)").size();

  std::string bytes;
  ASSERT_EQ(BuildResultDocument(s, folders_, bytes).error, SaveError::None);
  ASSERT_EQ(bytes.size(), textLength + 48 + 1000);
  EXPECT_EQ(bytes.substr(0, 24), "#BINDIR(" + NumberField(static_cast<long long>(textLength) + 1) + "#BINDIR)");
  EXPECT_EQ(bytes.substr(textLength, 48),
            "a.jpg" + std::string(27, ' ') + NumberField(static_cast<long long>(textLength) + 49) + "1000    ");
  EXPECT_EQ(bytes.substr(textLength + 48), AllBytes(1000));
  EXPECT_EQ(bytes.substr(textLength - 5, 5), "#RS2)");
}

TEST_F(ResultDocumentTest, WorkedExampleAsWrittenOnDiskReadsBack) {
  // The example document byte by byte: 79 bytes of text, the directory at 80, the image at 128.
  const std::string text = "#BINDIR(80      #BINDIR)#DEC(.#DEC)#ENU(E#ENU)#SOL(S#SOL)#RS1(1#RS1)#RS2(2#RS2)";
  ASSERT_EQ(text.size(), 79u);
  const std::string doc = text + "a.jpg" + std::string(27, ' ') + "128     1000    " + AllBytes(1000);
  ASSERT_EQ(doc.size(), 1127u);

  const ReadResult r = ReadResultDocument(doc);
  ASSERT_EQ(r.error, ReadError::None);
  EXPECT_EQ(r.sections, OneLetterSections());
  ASSERT_EQ(r.images.size(), 1u);
  EXPECT_EQ(r.images[0].name, "a.jpg");
  EXPECT_EQ(r.images[0].bytes, AllBytes(1000));
}

TEST_F(ResultDocumentTest, DocumentWithoutImagesKeepsTheEmptyHeaderAndEndsWithTheLastSection) {
  std::string bytes;
  ASSERT_EQ(BuildResultDocument(OneLetterSections(), folders_, bytes).error, SaveError::None);
  EXPECT_EQ(bytes, "#BINDIR(00000000#BINDIR)#DEC(.#DEC)#ENU(E#ENU)#SOL(S#SOL)#RS1(1#RS1)#RS2(2#RS2)");
  const ReadResult r = ReadResultDocument(bytes);
  EXPECT_EQ(r.error, ReadError::None);
  EXPECT_TRUE(r.images.empty());
}

TEST_F(ResultDocumentTest, SavedDocumentReadsBackWithTheSameSectionsAndImagesByteForByte) {
  ResultSections s;
  s.SimboloDecimal = ",";
  s.StatementText = "#IMG('diagram.jpg'DXmm=130:DYmm=130:#IMG)&LFStatement with &. and \xE9";
  s.SolutionText = "Answer &LF#IMG('logo.png'DXmm=20:DYmm=20:#IMG)";
  s.ResolutionTexts = {"Level 1 &LF#IMG('diagram.jpg'DXmm=100:DYmm=100:#IMG)", "Level 2\r\n"};
  // Image bytes that hold the section markers themselves must not confuse the reader.
  const std::string diagram = AllBytes(3000) + "#RS2)#BINDIR(#ENU(";
  const std::string logo = AllBytes(77);
  PutImage(folders_.scratch, "diagram.jpg", diagram);
  PutImage(folders_.programImages, "logo.png", logo);

  const std::string path = root_ + "/saved.rep";
  ASSERT_EQ(WriteResultDocument(path, s, folders_).error, SaveError::None);
  const ReadResult r = ReadResultDocument(*plat::ReadTextFile(path));
  ASSERT_EQ(r.error, ReadError::None);
  EXPECT_EQ(r.sections, s);
  ASSERT_EQ(r.images.size(), 2u);  // diagram.jpg named twice, embedded once
  EXPECT_EQ(r.images[0].name, "diagram.jpg");
  EXPECT_EQ(r.images[0].bytes, diagram);
  EXPECT_EQ(r.images[1].name, "logo.png");
  EXPECT_EQ(r.images[1].bytes, logo);
}

TEST_F(ResultDocumentTest, DesignerDocumentWithLineBreaksBetweenSectionsAndNoHeaderLoads) {
  const std::string doc =
      "#DEC(,#DEC)\r\n\r\n#ENU(z&.F = 0&.45#IMG('stgr_temp123456.jpg'DXmm=130:DYmm=130:#IMG)#ENU)\r\n\r\n"
      "#SOL(Answer#SOL)\r\n\r\n#RS1(One#RS1)\r\n\r\n#RS2(Two#RS2)";
  const ReadResult r = ReadResultDocument(doc);
  ASSERT_EQ(r.error, ReadError::None);
  EXPECT_EQ(r.sections.SimboloDecimal, ",");
  EXPECT_EQ(r.sections.StatementText, "z&.F = 0&.45#IMG('stgr_temp123456.jpg'DXmm=130:DYmm=130:#IMG)");
  EXPECT_EQ(r.sections.SolutionText, "Answer");
  EXPECT_EQ(r.sections.ResolutionTexts[0], "One");
  EXPECT_EQ(r.sections.ResolutionTexts[1], "Two");
  EXPECT_TRUE(r.images.empty());
}

TEST_F(ResultDocumentTest, DecimalSymbolIsACommaOnlyWhenTheDocumentSaysSo) {
  const std::string sections = "#ENU(#ENU)#SOL(#SOL)#RS1(#RS1)#RS2(#RS2)";
  const struct {
    std::string prefix;
    std::string symbol;
  } cases[] = {{"#DEC(,#DEC)", ","}, {"#DEC(.#DEC)", "."}, {"#DEC(;#DEC)", "."}, {"", "."}, {"#DEC(", "."}};
  for (const auto& c : cases) {
    const ReadResult r = ReadResultDocument(c.prefix + sections);
    ASSERT_EQ(r.error, ReadError::None) << c.prefix;
    EXPECT_EQ(r.sections.SimboloDecimal, c.symbol) << c.prefix;
  }
}

TEST(ResultDocumentPath, OnlyRexAndRepWithoutRegardToCase) {
  for (const char* ok : {"a.rex", "a.rep", "/x/y/Doc.Rex", "B.REP", "blank after.rex  "}) {
    EXPECT_TRUE(IsResultDocumentPath(ok)) << ok;
  }
  for (const char* no : {"a.txt", "rex", "a.rexx", "a.re", "", "a.rep.txt"}) EXPECT_FALSE(IsResultDocumentPath(no)) << no;
}

TEST(ResultDocumentNumbers, FieldsReadTheirLeadingNumberAndWriteEightCharacters) {
  const struct {
    const char* field;
    long long value;
  } cases[] = {{"128     ", 128}, {"00000000", 0}, {"        ", 0}, {"", 0}, {"abc", 0},
               {"  80    ", 80}, {"1 2     ", 12}, {"12x34   ", 12}, {"-5      ", -5}, {"99999999", 99999999}};
  for (const auto& c : cases) EXPECT_EQ(ReadNumberField(c.field), c.value) << '"' << c.field << '"';
  EXPECT_EQ(NumberField(80), "80      ");
  EXPECT_EQ(NumberField(12345678), "12345678");
}

// Damaged and hostile documents: each is refused as a whole, with nothing taken from it.
TEST_F(ResultDocumentTest, DamagedDocumentsAreRefusedWhole) {
  std::string good;
  ResultSections s = OneLetterSections();
  s.StatementText = "E#IMG('a.jpg'#IMG)";
  PutImage(folders_.scratch, "a.jpg", AllBytes(1000));
  ASSERT_EQ(BuildResultDocument(s, folders_, good).error, SaveError::None);
  const std::size_t dir = good.size() - 1000 - 48;  // 0-based start of the directory

  const auto withHeader = [&](const std::string& field) { return "#BINDIR(" + field + good.substr(16); };
  const auto withEntry = [&](const std::string& entry) { return good.substr(0, dir) + entry + good.substr(dir + 48); };
  const auto entry = [&](const std::string& name, long long pos, long long len) {
    std::string n = name;
    n.resize(32, ' ');
    return n + NumberField(pos) + NumberField(len);
  };
  const long long dataStart = static_cast<long long>(dir) + 49;

  const struct {
    const char* what;
    std::string bytes;
    ReadError error;
  } cases[] = {
      {"cut inside the last section", good.substr(0, dir - 3), ReadError::NotAResultDocument},
      {"cut inside the directory", good.substr(0, dir + 20), ReadError::DamagedImageDirectory},
      {"cut inside the image", good.substr(0, good.size() - 1), ReadError::DamagedImage},
      {"no answer's end", "#DEC(.#DEC)#ENU(E#ENU)#SOL(S#RS1(1#RS1)#RS2(2#RS2)", ReadError::NotAResultDocument},
      {"empty file", "", ReadError::NotAResultDocument},
      {"directory past the end", withHeader(NumberField(static_cast<long long>(good.size()) + 5)),
       ReadError::DamagedImageDirectory},
      {"directory at the largest position", withHeader("99999999"), ReadError::DamagedImageDirectory},
      {"directory inside the sections", withHeader(NumberField(30)), ReadError::DamagedImageDirectory},
      {"negative directory", withHeader("-80     "), ReadError::DamagedImageDirectory},
      {"image data before the directory", withEntry(entry("a.jpg", 10, 1000)), ReadError::DamagedImageDirectory},
      {"image data past the end", withEntry(entry("a.jpg", 99999999, 1000)), ReadError::DamagedImageDirectory},
      {"absurd image length", withEntry(entry("a.jpg", dataStart, 99999999)), ReadError::DamagedImage},
      {"negative image length", withEntry(entry("a.jpg", dataStart, -1)), ReadError::DamagedImage},
      {"name climbing out", withEntry(entry("../a.jpg", dataStart, 1000)), ReadError::UnsafeImageName},
      {"name with a folder", withEntry(entry("sub/a.jpg", dataStart, 1000)), ReadError::UnsafeImageName},
      {"name with a backslash", withEntry(entry("..\\a.jpg", dataStart, 1000)), ReadError::UnsafeImageName},
      {"absolute name", withEntry(entry("/tmp/a.jpg", dataStart, 1000)), ReadError::UnsafeImageName},
      {"name of dots", withEntry(entry("..", dataStart, 1000)), ReadError::UnsafeImageName},
      {"empty name", withEntry(entry("", dataStart, 1000)), ReadError::UnsafeImageName},
      {"name with a control character", withEntry(entry("a\n.jpg", dataStart, 1000)), ReadError::UnsafeImageName},
  };
  for (const auto& c : cases) {
    const ReadResult r = ReadResultDocument(c.bytes);
    EXPECT_EQ(r.error, c.error) << c.what;
    EXPECT_TRUE(r.images.empty()) << c.what;
    EXPECT_EQ(r.sections, ResultSections()) << c.what;
  }
}

TEST_F(ResultDocumentTest, ExtractionWritesOnlyPlainNamesIntoTheScratchFolderAndKeepsFilesThatAreThere) {
  PutImage(folders_.programImages, "Shipped.PNG", "shipped");
  PutImage(folders_.scratch, "already.jpg", "already");
  const std::vector<EmbeddedImage> images = {
      {"new.jpg", "new"}, {"shipped.png", "embedded"}, {"ALREADY.JPG", "embedded"}, {"../escape.jpg", "x"}, {"/abs.jpg", "x"}};
  const std::vector<std::string> failed = ExtractImages(images, folders_);
  EXPECT_EQ(failed, (std::vector<std::string>{"../escape.jpg", "/abs.jpg"}));
  EXPECT_EQ(*plat::ReadTextFile(folders_.scratch + "/new.jpg"), "new");
  EXPECT_EQ(*plat::ReadTextFile(folders_.programImages + "/Shipped.PNG"), "shipped");
  EXPECT_EQ(*plat::ReadTextFile(folders_.scratch + "/already.jpg"), "already");
  EXPECT_EQ(FilesIn(folders_.scratch), 2u);
  EXPECT_FALSE(fs::exists(root_ + "/escape.jpg"));
  EXPECT_FALSE(fs::exists("/abs.jpg"));
}

// A viewer open for days keeps what its document shows from the scratch folder whatever
// designers start meanwhile: the document when it lies there and the images it carries or
// names, unless img/ has them. The rest goes as it always did, and all of it once let go of.
TEST_F(ResultDocumentTest, WhatTheDocumentShowsFromTheScratchFolderIsHeldFromTheCleanUp) {
  const std::string& scratch = folders_.scratch;
  PutImage(folders_.programImages, "shipped.jpg", "img/'s");
  for (const char* name : {"restemp7.rex", "restemp8.rex", "restemp9.rex", "named.jpg", "Named.jpg", "carried.jpg",
                           "shipped.jpg", "unnamed.jpg"}) {
    PutImage(scratch, name, "x");
  }
  fs::create_directory_symlink(scratch, root_ + "/linked");
  fs::create_directories(root_ + "/elsewhere");
  ReadResult document;
  document.sections.StatementText = "#IMG('named.jpg'DXmm=10:#IMG) #IMG('SHIPPED.JPG'#IMG)";
  document.images = {{"carried.jpg", "x"}};
  // Two days old, as after a weekend.
  const auto ageAll = [&] {
    for (const auto& e : fs::directory_iterator(scratch)) {
      fs::last_write_time(e.path(), fs::file_time_type::clock::now() - std::chrono::hours(48));
    }
  };
  const auto left = [&] {
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(scratch)) names.insert(e.path().filename().string());
    return names;
  };
  {
    plat::ScratchClaim claim;
    HoldShownScratchFiles(scratch + "/restemp7.rex", document, folders_, claim);
    HoldShownScratchFiles(root_ + "/linked/restemp9.rex", ReadResult(), folders_, claim);
    HoldShownScratchFiles(root_ + "/elsewhere/restemp8.rex", ReadResult(), folders_, claim);
    ageAll();
    plat::RemoveStaleScratchFiles(root_);  // a designer's start
    std::set<std::string> kept = left();
    EXPECT_EQ(std::erase_if(kept, [](const std::string& n) { return n.starts_with("stgr_run"); }), 1u) << "the claim";
    EXPECT_EQ(kept, (std::set<std::string>{"Named.jpg", "carried.jpg", "named.jpg", "restemp7.rex", "restemp9.rex"}));
  }
  ageAll();
  plat::RemoveStaleScratchFiles(root_);
  EXPECT_EQ(left(), std::set<std::string>());
  EXPECT_EQ(FilesIn(folders_.programImages), 1u);
}

TEST(ResultDocumentImages, NamesAreCollectedOnceEachInOrderOfFirstAppearance) {
  const struct {
    const char* what;
    std::string text;
    bool ok;
    std::vector<std::string> names;
  } cases[] = {
      {"one", "#ENU(#IMG('a.jpg'DXmm=1:#IMG)#ENU)", true, {"a.jpg"}},
      {"at the very start of the statement",
       AssembleSections({".", "#IMG('first.jpg'#IMG) text", "", {"", ""}}), true, {"first.jpg"}},
      {"repeated", "#IMG('a.jpg'#IMG) #IMG('b.jpg'#IMG) #img('a.jpg'#img)", true, {"a.jpg", "b.jpg"}},
      {"differing in case", "#IMG('a.jpg'#IMG)#IMG('A.JPG'#IMG)", true, {"a.jpg", "A.JPG"}},
      {"no closing", "#IMG('a.jpg' and nothing more", false, {}},
      {"no apostrophes", "#IMG(a.jpg#IMG)", false, {}},
      {"one apostrophe", "#IMG('a.jpg#IMG)", false, {}},
      {"none", "plain text", true, {}},
  };
  for (const auto& c : cases) {
    std::vector<std::string> names;
    EXPECT_EQ(CollectImageNames(c.text, names), c.ok) << c.what;
    if (c.ok) {
      EXPECT_EQ(names, c.names) << c.what;
    }
  }
}

TEST_F(ResultDocumentTest, SaveStopsBeforeWritingWhenAnImageIsMissingOrUnreadable) {
  const std::string path = root_ + "/kept.rep";
  ASSERT_TRUE(plat::WriteTextFile(path, "the old document"));
  const struct {
    const char* what;
    std::string statement;
    SaveError error;
  } cases[] = {
      {"missing", "#IMG('nowhere.jpg'#IMG)", SaveError::MissingImage},
      {"outside the folders", "#IMG('../kept.rep'#IMG)", SaveError::MissingImage},
      {"malformed", "#IMG('nowhere.jpg", SaveError::BadImageConstruct},
  };
  for (const auto& c : cases) {
    ResultSections s = OneLetterSections();
    s.StatementText = c.statement;
    const SaveResult r = WriteResultDocument(path, s, folders_);
    EXPECT_EQ(r.error, c.error) << c.what;
    EXPECT_EQ(*plat::ReadTextFile(path), "the old document") << c.what;
  }
  const SaveResult missing = WriteResultDocument(path, {".", "#IMG('nowhere.jpg'#IMG)", "", {"", ""}}, folders_);
  EXPECT_EQ(missing.detail, "nowhere.jpg");
}

TEST_F(ResultDocumentTest, FailedWriteLeavesTheOldDocumentAndNoPartialFile) {
  const SaveResult r = WriteResultDocument(root_ + "/no-such-folder/doc.rep", OneLetterSections(), folders_);
  EXPECT_EQ(r.error, SaveError::WriteFailed);
  EXPECT_NE(r.fileError.number, 0);
  EXPECT_FALSE(fs::exists(root_ + "/no-such-folder"));
}

TEST_F(ResultDocumentTest, LongImageNameIsStoredUnderItsFirst32Characters) {
  const std::string longName = std::string(40, 'n') + ".jpg";
  PutImage(folders_.scratch, longName, "img");
  ResultSections s = OneLetterSections();
  s.StatementText = "#IMG('" + longName + "'#IMG)";
  std::string bytes;
  ASSERT_EQ(BuildResultDocument(s, folders_, bytes).error, SaveError::None);
  const ReadResult r = ReadResultDocument(bytes);
  ASSERT_EQ(r.images.size(), 1u);
  EXPECT_EQ(r.images[0].name, std::string(32, 'n'));
  EXPECT_EQ(r.images[0].bytes, "img");
}

}  // namespace
}  // namespace stagora::viewer
