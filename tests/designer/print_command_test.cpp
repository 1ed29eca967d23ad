// File > Print and its dialog: what the dialog hands over, and the printout itself through
// the PDF-file printer, read back with the poppler tools (page count, word positions,
// rendered colours).
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPageSize>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <sys/resource.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/file_dialogs_ui.h"
#include "common/print_dialog_ui.h"
#include "designer/print/frm_imprimir.h"
#include "designer/print/print_request.h"
#include "designer/window/controls.h"
#include "platform/printer.h"
#include "platform/process.h"
#include "platform/textfile.h"
#include "tests/support/scoped_hook.h"
#include "tests/designer/main_window_fixture.h"
#include "tests/diagram/diagram_colours.h"

namespace stagora::test {
namespace {

using designer::frmImprimir;

std::string Artefact(const std::string& name) { return ArtefactDir() + "/" + name; }

// One word of `pdftotext -bbox` on one page, in millimetres.
struct Word {
  std::string text;
  double xMin, yMin;
};

std::vector<Word> PdfWords(const std::string& pdf, int page) {
  const QString html = QString::fromStdString(pdf + "-" + std::to_string(page) + ".html");
  const QString p = QString::number(page);
  EXPECT_EQ(QProcess::execute("pdftotext", {"-bbox", "-f", p, "-l", p, QString::fromStdString(pdf), html}), 0);
  QFile file(html);
  EXPECT_TRUE(file.open(QIODevice::ReadOnly));
  static const QRegularExpression word(R"re(<word xMin="([\d.]+)" yMin="([\d.]+)"[^>]*>([^<]*)</word>)re");
  constexpr double kMmPerPoint = 25.4 / 72;
  std::vector<Word> words;
  for (auto it = word.globalMatch(QString::fromUtf8(file.readAll())); it.hasNext();) {
    const auto m = it.next();
    words.push_back({m.captured(3).toStdString(), m.captured(1).toDouble() * kMmPerPoint,
                     m.captured(2).toDouble() * kMmPerPoint});
  }
  return words;
}

int PdfPages(const std::string& pdf) {
  QProcess info;
  info.start("pdfinfo", {QString::fromStdString(pdf)});
  info.waitForFinished();
  static const QRegularExpression pages(R"(Pages:\s+(\d+))");
  const auto m = pages.match(QString::fromUtf8(info.readAllStandardOutput()));
  return m.hasMatch() ? m.captured(1).toInt() : -1;
}

QString PageText(const std::string& pdf, int page) {
  QProcess text;
  const QString p = QString::number(page);
  text.start("pdftotext", {"-f", p, "-l", p, QString::fromStdString(pdf), "-"});
  text.waitForFinished();
  return QString::fromUtf8(text.readAllStandardOutput());
}

QImage RenderPage(const std::string& pdf, int page, int dpi) {
  const QString prefix = QString::fromStdString(pdf + "-page" + std::to_string(page));
  const QString p = QString::number(page);
  EXPECT_EQ(QProcess::execute("pdftoppm", {"-r", QString::number(dpi), "-f", p, "-l", p, "-png", "-singlefile",
                                           QString::fromStdString(pdf), prefix}),
            0);
  return QImage(prefix + ".png");
}

const Word* Find(const std::vector<Word>& words, const std::string& text) {
  for (const Word& w : words) {
    if (w.text == text) return &w;
  }
  return nullptr;
}

class PrintCommandTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    plat::PrinterSurface& printer = designer::Printer();
    printer.setDeviceName(plat::kPdfPrinterName);
    printer.qprinter()->setPageSize(QPageSize(QPageSize::A4));
  }

  void TearDown() override {
    designer::Printer().qprinter()->setPageSize(QPageSize(QPageSize::A4));
    MainWindowTest::TearDown();
  }

  // The user in the print dialog: `act` does what the user does there; the dialogs shown
  // are counted.
  void InDialog(std::function<void(frmImprimir&)> act) {
    printDialog_.replace([this, act](QDialog& dialog) {
      ++dialogsShown;
      act(dynamic_cast<frmImprimir&>(dialog));
    });
  }

  // The user in the save dialog of the PDF file: answers with the path (nothing: Cancel).
  void SaveAs(std::optional<std::string> path) {
    saveDialog_.replace([this, path](const FileDialogRequest& req) -> std::optional<QString> {
      saveRequests.push_back(req);
      if (!path) return std::nullopt;
      return QString::fromStdString(*path);
    });
  }

  // Prints with the dialog's Print pressed after `choose`, into a fresh artefact file.
  std::string PrintTo(const std::string& name, std::function<void(frmImprimir&)> choose = {}) {
    const std::string pdf = Artefact(name);
    QFile::remove(QString::fromStdString(pdf));
    InDialog([choose](frmImprimir& d) {
      if (choose) choose(d);
      d.Aceptar();
    });
    SaveAs(pdf);
    form->mnu_Archivo_PRINT_Click();
    return pdf;
  }

  int dialogsShown = 0;
  std::vector<FileDialogRequest> saveRequests;

 private:
  // The real dialogs until a test answers them; whatever was there before comes back with the
  // test's end.
  stagora::test::ScopedHook<PrintDialogScript> printDialog_{SetPrintDialogScript, {}};
  stagora::test::ScopedHook<FileDialogHandler> saveDialog_{SetFileDialogHandler, {}};
};

// The PDF file is written by the program itself: a file that cannot be written is told with
// its path, and neither a part of it nor a temporary file is left; an old file stays whole.
TEST_F(PrintCommandTest, APdfThatCannotBeWrittenSaysSoAndLeavesNothing) {
  Load();
  MessageBoxRecorder boxes;
  const std::string dir = ScratchDir("print-refused");
  ASSERT_TRUE(plat::CreateDirectory(dir + "/folder.pdf"));
  const std::string old = dir + "/old.pdf";
  ASSERT_TRUE(plat::WriteTextFile(old, "the old printout"));
  struct Case {
    const char* what;
    std::string path;
    int number;
    rlim_t sizeLimit;  // 0: none
  };
  const std::vector<Case> cases = {
      {"a folder", dir + "/folder.pdf", EISDIR, 0},
      {"a missing folder", dir + "/missing/x.pdf", ENOENT, 0},
      {"a full disk (the file-size limit)", old, EFBIG, 4096},
  };
  plat::IgnoreFileSizeLimitSignal();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::size_t shown = boxes.requests().size();
    InDialog([](frmImprimir& d) { d.Aceptar(); });
    SaveAs(c.path);
    struct rlimit saved {};
    getrlimit(RLIMIT_FSIZE, &saved);
    if (c.sizeLimit) {
      struct rlimit small = saved;
      small.rlim_cur = c.sizeLimit;
      setrlimit(RLIMIT_FSIZE, &small);
    }
    form->mnu_Archivo_PRINT_Click();
    setrlimit(RLIMIT_FSIZE, &saved);
    ASSERT_EQ(boxes.requests().size(), shown + 1);
    const std::string message = "The file cannot be saved:\r\n" + c.path + "\r\nError : " + std::to_string(c.number) + " - ";
    EXPECT_EQ(boxes.requests().back().text.rfind(message, 0), 0u) << boxes.requests().back().text;
    EXPECT_EQ(boxes.requests().back().style, plat::kExclamation);
  }
  EXPECT_EQ(plat::ReadTextFile(old), "the old printout");
  std::vector<std::string> left;
  for (const auto& e : std::filesystem::directory_iterator(dir)) left.push_back(e.path().filename().string());
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left, (std::vector<std::string>{"folder.pdf", "old.pdf"}));
  EXPECT_TRUE(std::filesystem::is_empty(dir + "/folder.pdf"));

  // Printed again where it can be written, the same printer writes it whole.
  const std::string pdf = PrintTo("print_after_refusal.pdf");
  EXPECT_EQ(PdfPages(pdf), 2);
  EXPECT_EQ(boxes.requests().size(), cases.size());
}

TEST_F(PrintCommandTest, OneCopyIsTwoPagesWithTheTextsInTheirPlaces) {
  designer::FormMain& f = Load();
  const std::string pdf = PrintTo("print_one_copy.pdf");
  ASSERT_EQ(dialogsShown, 1);
  // The save dialog offered the unsaved design's name.
  ASSERT_EQ(saveRequests.size(), 1u);
  EXPECT_EQ(saveRequests[0].proposedName, "Stagora.pdf");
  EXPECT_EQ(saveRequests[0].title.toStdString(), f.GetL_win("Print_PDF_SaveAs"));
  // Two sheets and no blank third one after them.
  ASSERT_EQ(PdfPages(pdf), 2);

  constexpr double kTolerance = 0.5;
  // A blank of Courier New 10 points is 6 points wide.
  constexpr double kCourierBlankMm = 6 * 25.4 / 72;
  const std::vector<Word> one = PdfWords(pdf, 1);
  ASSERT_FALSE(one.empty());
  // The title first, at (10, 10).
  EXPECT_EQ(one[0].text, "Number");
  EXPECT_NEAR(one[0].xMin, 10, kTolerance);
  EXPECT_NEAR(one[0].yMin, 10, kTolerance);
  // The body's first line at y 18; the stream lines in the fixed-pitch stretch after four
  // blanks, on consecutive 4 mm steps.
  const Word* first = Find(one, "Distillation");
  ASSERT_NE(first, nullptr);
  EXPECT_NEAR(first->xMin, 10, kTolerance);
  EXPECT_NEAR(first->yMin, 18, kTolerance);
  const Word* zf = Find(one, "Zf");
  const Word* xd = Find(one, "Xd");
  ASSERT_TRUE(zf && xd);
  EXPECT_NEAR(xd->yMin - zf->yMin, 4, 0.05);
  const Word* feed = Find(one, "Feed:");
  ASSERT_NE(feed, nullptr);
  EXPECT_NEAR(feed->xMin, 10 + 4 * kCourierBlankMm, kTolerance);
  EXPECT_NEAR(feed->yMin, zf->yMin, 0.05);

  const std::vector<Word> two = PdfWords(pdf, 2);
  const Word* heading = Find(two, "Theoretical");
  ASSERT_NE(heading, nullptr);
  EXPECT_NEAR(heading->xMin, 10, kTolerance);
  EXPECT_NEAR(heading->yMin, 200, kTolerance);
  // The table's header line "   x       y ..." after four blanks, at y 205.
  int headerWords = 0;
  for (const Word& w : two) {
    if (w.text != "x" || std::abs(w.yMin - 205) > kTolerance) continue;
    if (++headerWords == 1) {
      EXPECT_NEAR(w.xMin, 10 + 7 * kCourierBlankMm, kTolerance);
    }
  }
  EXPECT_GE(headerWords, 1);

  // The black rule under the title spans 10 to 180 mm at 14.5 to 15 mm.
  const QImage page = RenderPage(pdf, 1, 254);  // 10 pixels a millimetre
  ASSERT_FALSE(page.isNull());
  for (int xMm : {11, 95, 179}) EXPECT_LT(qGray(page.pixel(xMm * 10, 147)), 64) << xMm;
  EXPECT_GT(qGray(page.pixel(1820, 147)), 192);
}

TEST_F(PrintCommandTest, CopiesCollatedOrNotComeInTheirOrder) {
  Load();
  const std::string title = form->GetL_win("NTP_STGR").substr(0, 20);
  const std::string heading = form->GetL_win("List_XY_Theor_Plates");
  struct Case {
    bool collate;
    std::vector<int> pages;
  };
  for (const Case& c : {Case{true, {1, 2, 1, 2, 1, 2}}, Case{false, {1, 1, 1, 2, 2, 2}}}) {
    SCOPED_TRACE(c.collate ? "collated" : "not collated");
    const std::string pdf = PrintTo(c.collate ? "print_collated.pdf" : "print_uncollated.pdf", [&c](frmImprimir& d) {
      d.Text1->setText("3");
      if (!c.collate) d.ChkCOLLATE->click();
    });
    ASSERT_EQ(PdfPages(pdf), 6);
    for (int sheet = 1; sheet <= 6; ++sheet) {
      const QString text = PageText(pdf, sheet);
      const bool isPage1 = text.contains(QString::fromStdString(title));
      const bool isPage2 = text.contains(QString::fromStdString(heading));
      EXPECT_NE(isPage1, isPage2) << sheet;
      EXPECT_EQ(isPage1 ? 1 : 2, c.pages[static_cast<std::size_t>(sheet - 1)]) << sheet;
    }
  }
}

// The share of pixels in the diagram's square on page 2 that carry exactly the colour.
int ExactPixels(const QImage& page, plat::Color c) {
  int n = 0;
  const QRgb want = qRgb(plat::RedOf(c), plat::GreenOf(c), plat::BlueOf(c));
  for (int y = 0; y < page.height(); ++y)
    for (int x = 0; x < page.width(); ++x)
      if (page.pixel(x, y) == want) ++n;
  return n;
}

TEST_F(PrintCommandTest, TheDiagramKeepsItsColoursOrGoesBlackAndWhite) {
  Load();
  const QImage colour = RenderPage(PrintTo("print_colour.pdf"), 2, 200);
  ASSERT_FALSE(colour.isNull());
  using namespace diagram_colours;
  // The lines' own colours, pixel-exact in their middles: nothing re-encoded them.
  EXPECT_GT(ExactPixels(colour, kEnriching), 100);
  EXPECT_GT(ExactPixels(colour, kStripping), 100);
  EXPECT_GT(ExactPixels(colour, kQLine), 50);
  EXPECT_GT(ExactPixels(colour, kPrinterStairs), 100);

  const QImage bw = RenderPage(PrintTo("print_bw.pdf", [](frmImprimir& d) { d.ChK_BN->setChecked(true); }), 2, 60);
  ASSERT_FALSE(bw.isNull());
  // Black and white belongs to the print that asked for it: the next print is in colour.
  EXPECT_GT(ExactPixels(RenderPage(PrintTo("print_colour_again.pdf"), 2, 200), kEnriching), 100);
  int dark = 0;
  for (int y = 0; y < bw.height(); ++y)
    for (int x = 0; x < bw.width(); ++x) {
      const QRgb p = bw.pixel(x, y);
      ASSERT_TRUE(qRed(p) == qGreen(p) && qGreen(p) == qBlue(p)) << x << "," << y;
      if (qRed(p) < 128) ++dark;
    }
  EXPECT_GT(dark, 500);
}

TEST_F(PrintCommandTest, PaperTooSmallIsRefusedWithItsMessage) {
  Load();
  MessageBoxRecorder boxes;
  designer::Printer().qprinter()->setPageSize(QPageSize(QSizeF(200, 255), QPageSize::Millimeter));
  const std::string pdf = PrintTo("print_small_paper.pdf");
  ASSERT_EQ(boxes.requests().size(), 1u);
  EXPECT_EQ(boxes.requests()[0].text, form->GetL_win("PaperTooSmall"));
  EXPECT_FALSE(boxes.requests()[0].text.empty());
  EXPECT_EQ(boxes.requests()[0].style, plat::kExclamation);
  EXPECT_EQ(boxes.requests()[0].title, "Stagora");
  EXPECT_TRUE(saveRequests.empty());
  EXPECT_FALSE(QFile::exists(QString::fromStdString(pdf)));

  // Exactly the smallest paper the pages fit is enough.
  designer::Printer().qprinter()->setPageSize(QPageSize(QSizeF(190, 260), QPageSize::Millimeter));
  EXPECT_EQ(PdfPages(PrintTo("print_smallest_paper.pdf")), 2);
  EXPECT_EQ(boxes.requests().size(), 1u);
}

TEST_F(PrintCommandTest, NothingIsPrintedWithoutAcceptedDialogAndFile) {
  Load();
  const std::string pdf = Artefact("print_nothing.pdf");
  QFile::remove(QString::fromStdString(pdf));
  SaveAs(pdf);

  // Cancelled dialog: no file question either.
  InDialog([](frmImprimir& d) {
    d.Cancelar();
    EXPECT_FALSE(d.Answer());
  });
  form->mnu_Archivo_PRINT_Click();
  EXPECT_TRUE(saveRequests.empty());

  // The file question cancelled.
  InDialog([](frmImprimir& d) { d.Aceptar(); });
  SaveAs(std::nullopt);
  form->mnu_Archivo_PRINT_Click();
  EXPECT_EQ(saveRequests.size(), 1u);
  EXPECT_FALSE(QFile::exists(QString::fromStdString(pdf)));

  // A design in error: the dialog does not even open.
  form->Text[field::kXBottoms]->setText("0.5");
  form->Calcular(*form->Picture1, false);
  ASSERT_FALSE(form->LblERROR->text().isEmpty());
  dialogsShown = 0;
  form->mnu_Archivo_PRINT_Click();
  EXPECT_EQ(dialogsShown, 0);
}

TEST_F(PrintCommandTest, ThePrintoutFollowsTheFieldsAsTheyStandAndAClearedDesignPrintsNothing) {
  designer::FormMain& f = Load();
  QCoreApplication::processEvents();
  // R = 3 calculated; R = 6 typed without Enter. Page 1 tells R, its enriching line and the
  // plate count of one and the same design, the one the fields hold.
  ASSERT_TRUE(f.Text[field::kEnrichingLine]->text().contains("0.75x")) << f.Text[field::kEnrichingLine]->text().toStdString();
  f.Text[field::kRefluxRatio]->setText("6");
  const QString one = PageText(PrintTo("print_typed.pdf"), 1);
  EXPECT_TRUE(one.contains("R = L/D = 6")) << one.toStdString();
  EXPECT_TRUE(one.contains("0.85714x")) << one.toStdString();  // 6 / (6 + 1)
  EXPECT_FALSE(one.contains("0.75x")) << one.toStdString();
  EXPECT_TRUE(one.contains(f.Text[field::kRealPlates]->text())) << one.toStdString();

  // Cleared: no design is left to print, and the dialog does not open.
  f.Borrar();
  dialogsShown = 0;
  f.mnu_Archivo_PRINT_Click();
  EXPECT_EQ(dialogsShown, 0);
  EXPECT_FALSE(f.LblERROR->text().isEmpty());
}

TEST_F(PrintCommandTest, PrintingLeavesTheScreenDiagramAndItsLabelsAsTheyWere) {
  designer::FormMain& f = Load();
  // The window's own layout settles first (it recalculates on the screen as it does).
  QCoreApplication::processEvents();
  f.Calcular(*f.Picture1, false);
  const QImage before = f.Picture1->surface().image().copy();
  std::vector<QRect> labels;
  for (const QLabel* label : f.Label2) labels.push_back(label->geometry());
  // A label hidden on the screen stays hidden.
  f.Label2[1]->hide();
  EXPECT_EQ(PdfPages(PrintTo("print_screen_kept.pdf")), 2);
  EXPECT_EQ(f.Picture1->surface().image(), before);
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(f.Label2[i]->geometry(), labels[i]) << i;
  }
  EXPECT_TRUE(f.Label2[1]->isHidden());
}

TEST_F(PrintCommandTest, TheProjectsNameIsOfferedForThePdf) {
  Load();
  const std::string folder = ScratchDir("print-project");
  form->ArchivoActual = folder + "/column.sgr";
  PrintTo("print_named.pdf");
  ASSERT_EQ(saveRequests.size(), 1u);
  EXPECT_EQ(saveRequests[0].proposedName, "column.pdf");
  EXPECT_EQ(saveRequests[0].initialDir.toStdString(), folder);
}

// --- The dialog itself ---------------------------------------------------------------------------

class FrmImprimirTest : public PrintCommandTest {
 protected:
  // The dialog as the print command opens it (every option shown unless told otherwise), and
  // whether it has closed.
  struct Opened {
    std::unique_ptr<frmImprimir> dialog;
    bool closed = false;
    explicit Opened(designer::PrintOptions shown = {.VerCopias = true, .VerIntercalar = true, .VerBN = true})
        : dialog(std::make_unique<frmImprimir>(nullptr, shown)) {
      QObject::connect(dialog.get(), &QDialog::finished, [this] { closed = true; });
    }
  };
};

TEST_F(FrmImprimirTest, OpensAsDesignedWithItsCaptions) {
  Opened o;
  frmImprimir& d = *o.dialog;
  EXPECT_EQ(d.size(), QSize(477, 286));
  EXPECT_EQ(d.windowTitle(), "Print");
  EXPECT_EQ(d.Label2->text(), "Printer:");
  EXPECT_EQ(d.Label1->text(), "Number of copies:");
  EXPECT_EQ(d.ChkCOLLATE->text(), "Collate");
  EXPECT_EQ(d.ChK_BN->text(), "Black && white");  // the check box shows one ampersand
  EXPECT_EQ(d.Label3[0]->text(), "Print");
  EXPECT_EQ(d.Label3[1]->text(), "Cancel");
  EXPECT_EQ(d.Text1->geometry(), QRect(175, 101, 48, 23));
  EXPECT_EQ(d.ChK_BN->geometry(), QRect(32, 153, 200, 22));
  EXPECT_EQ(d.Image1[0]->pos(), QPoint(160, 220));
  EXPECT_EQ(d.Label3[1]->geometry(), QRect(312, 226, 141, 34));
  EXPECT_EQ(d.Text1->text(), " 1");
  EXPECT_TRUE(d.ChkCOLLATE->isChecked());
  EXPECT_FALSE(d.ChK_BN->isChecked());
  EXPECT_EQ(d.Combo1->currentText().toStdString(), designer::Printer().deviceName());
  EXPECT_FALSE(d.Answer());
}

TEST_F(FrmImprimirTest, PrintAtOnceAsksForOneCollatedColourCopy) {
  Opened o;
  o.dialog->Label3_Click(0);
  EXPECT_TRUE(o.closed);
  const std::optional<designer::PrintRequest>& request = o.dialog->Answer();
  ASSERT_TRUE(request);
  EXPECT_EQ(request->NumCopias, 1);
  EXPECT_TRUE(request->Intercalar);
  EXPECT_FALSE(request->ImprimirBN);
}

TEST_F(FrmImprimirTest, CountsOutsideOneTo1999AreRefusedAndTheDialogStays) {
  struct Case {
    const char* text;
    std::optional<long> accepted;
  };
  const Case cases[] = {{"0", std::nullopt},  {"1999", 1999}, {"2000", std::nullopt},
                        {"12", 12},           {"9e99", std::nullopt}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    MessageBoxRecorder boxes;
    Opened o;
    o.dialog->Text1->setMaxLength(8);  // as a paste would bring it
    o.dialog->Text1->setText(c.text);
    o.dialog->Aceptar();
    EXPECT_EQ(o.closed, c.accepted.has_value());
    EXPECT_EQ(o.dialog->Answer().has_value(), c.accepted.has_value());
    if (c.accepted) {
      EXPECT_EQ(o.dialog->Answer()->NumCopias, *c.accepted);
      EXPECT_TRUE(boxes.requests().empty());
    } else {
      ASSERT_EQ(boxes.requests().size(), 1u);
      EXPECT_EQ(boxes.requests()[0].text, o.dialog->GetL_win("TooMuchCopies"));
      EXPECT_EQ(boxes.requests()[0].style, plat::kExclamation);
      EXPECT_EQ(boxes.requests()[0].title, "Stagora");
    }
  }
}

TEST_F(FrmImprimirTest, ARefusedCountCorrectedOrClosedLeavesNoTrace) {
  MessageBoxRecorder boxes;
  {
    Opened o;
    o.dialog->Text1->setText("0");
    o.dialog->Aceptar();
    o.dialog->Text1->setText("12");
    o.dialog->Aceptar();
    EXPECT_TRUE(o.closed);
    ASSERT_TRUE(o.dialog->Answer());
    EXPECT_EQ(o.dialog->Answer()->NumCopias, 12);
  }
  {
    // Refused, then closed with the close box: nothing is printed.
    Opened o;
    o.dialog->Text1->setText("0");
    o.dialog->show();
    o.dialog->Aceptar();
    o.dialog->close();
    EXPECT_TRUE(o.closed);
    EXPECT_FALSE(o.dialog->Answer());
  }
}

TEST_F(FrmImprimirTest, OptionsEscAndTheCallersSwitches) {
  {
    Opened o;
    o.dialog->ChkCOLLATE->click();
    o.dialog->ChK_BN->click();
    o.dialog->Aceptar();
    ASSERT_TRUE(o.dialog->Answer());
    EXPECT_FALSE(o.dialog->Answer()->Intercalar);
    EXPECT_TRUE(o.dialog->Answer()->ImprimirBN);
  }
  {
    // Esc while the copies box has the focus.
    Opened o;
    QTest::keyClick(o.dialog->Text1, Qt::Key_Escape);
    EXPECT_TRUE(o.closed);
    EXPECT_FALSE(o.dialog->Answer());
  }
  {
    Opened o({.VerCopias = false, .VerIntercalar = false, .VerBN = false});
    for (QWidget* w : std::initializer_list<QWidget*>{o.dialog->Label1, o.dialog->Text1, o.dialog->VScroll1,
                                                      o.dialog->ChkCOLLATE, o.dialog->ImgCOLLATE[0],
                                                      o.dialog->ImgCOLLATE[1], o.dialog->ChK_BN}) {
      EXPECT_TRUE(w->isHidden()) << w->objectName().toStdString();
    }
    EXPECT_FALSE(o.dialog->Combo1->isHidden());
  }
}

}  // namespace
}  // namespace stagora::test
