// The viewer's print dialog (its layout, its frames and the request it hands over) and File >
// Print through the PDF-file printer, read back with the poppler tools.
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QRadioButton>
#include <QTimer>
#include <sys/resource.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <optional>

#include "common/file_dialogs_ui.h"
#include "common/print_dialog_ui.h"
#include "platform/process.h"
#include "platform/textfile.h"
#include "tests/support/scoped_hook.h"
#include "tests/viewer/paged_document_fixture.h"
#include "viewer/app/captioned_frame.h"
#include "viewer/app/controls.h"
#include "viewer/app/frm_imprimir.h"
#include "viewer/app/viewer_printer.h"

namespace stagora::viewer::test {
namespace {

using stagora::test::MessageBoxRecorder;

std::string Pri(const std::string& key) {
  static const LanguageTable table("PRI");
  return table.GetL_win(key);
}

int PdfPages(const std::string& pdf) {
  QProcess info;
  info.start("pdfinfo", {QString::fromStdString(pdf)});
  info.waitForFinished();
  const QString out = QString::fromUtf8(info.readAllStandardOutput());
  for (const QString& line : out.split('\n')) {
    if (line.startsWith("Pages:")) return line.mid(6).trimmed().toInt();
  }
  return -1;
}

// The title a PDF reader shows.
std::string PdfTitle(const std::string& pdf) {
  QProcess info;
  info.start("pdfinfo", {QString::fromStdString(pdf)});
  info.waitForFinished();
  for (const QString& line : QString::fromUtf8(info.readAllStandardOutput()).split('\n')) {
    if (line.startsWith("Title:")) return line.mid(6).trimmed().toStdString();
  }
  return {};
}

// The page number printed at the foot of each sheet, in sheet order.
std::vector<std::string> SheetNumbers(const std::string& pdf) {
  std::vector<std::string> numbers;
  for (int sheet = 1; sheet <= PdfPages(pdf); ++sheet) {
    QProcess text;
    const QString s = QString::number(sheet);
    text.start("pdftotext", {"-f", s, "-l", s, QString::fromStdString(pdf), "-"});
    text.waitForFinished();
    const QStringList lines = QString::fromUtf8(text.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    QString last;
    for (const QString& line : lines) {
      if (!line.trimmed().isEmpty() && line.trimmed() != "\f") last = line.trimmed();
    }
    numbers.push_back(last.toStdString());
  }
  return numbers;
}

class PrintTest : public PagedDocumentTest {
 protected:
  void SetUp() override {
    PagedDocumentTest::SetUp();
    Printer().setDeviceName(plat::kPdfPrinterName);
  }

  // The user in the print dialog.
  void InDialog(std::function<void(frmImprimir&)> act) {
    printDialog_.replace([this, act](QDialog& dialog) {
      ++dialogsShown;
      act(dynamic_cast<frmImprimir&>(dialog));
    });
  }

  // The real print dialog again.
  void NoDialogScript() { printDialog_.replace({}); }

  // The user in the save dialog of the PDF file: answers with the path (nothing: Cancel).
  void SaveAs(std::optional<std::string> path) {
    saveDialog_.replace([this, path](const FileDialogRequest& req) -> std::optional<QString> {
      saveRequests.push_back(req);
      if (!path) return std::nullopt;
      return QString::fromStdString(*path);
    });
  }

  // Prints pages 1 and 2 twice, collated or not, into a fresh file.
  std::string PrintTwoPagesTwice(FormMain& f, bool collate) {
    const std::string pdf = root + (collate ? "/collated.pdf" : "/uncollated.pdf");
    InDialog([collate](frmImprimir& d) {
      d.Text2->setText("1-2");
      d.Text1->setText("2");
      d.ChkCOLLATE->setChecked(collate);
      d.cmdImprimir_Click();
    });
    SaveAs(pdf);
    f.mnu_File_Print_Click();
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

TEST_F(PrintTest, DialogOpensAsDesignedAndPrintAtOnceAsksForEveryPageOnceCollated) {
  frmImprimir d(nullptr, {.PageCount = 3, .CurrentPage = 1});
  EXPECT_EQ(d.size(), QSize(624, 356));
  EXPECT_EQ(d.windowTitle(), "Print");
  EXPECT_EQ(d.Combo1->geometry().topLeft(), QPoint(40, 35));
  EXPECT_EQ(d.Image1[0]->pos(), QPoint(311, 309));
  EXPECT_EQ(d.Image1[1]->pos(), QPoint(471, 309));
  EXPECT_EQ(d.Label3[0]->pos(), QPoint(311, 315));
  EXPECT_EQ(d.Shape2->geometry(), QRect(0, 290, 624, 66));
  EXPECT_EQ(d.Option2->text().toStdString(), Pri("Pages") + ":");
  EXPECT_EQ(d.Option4->text().toStdString(), Pri("OddPages"));
  ASSERT_GE(d.Combo1->count(), 1);
  EXPECT_EQ(d.Combo1->itemText(d.Combo1->count() - 1).toStdString(), plat::kPdfPrinterName);
  EXPECT_EQ(d.Combo1->currentText().toStdString(), Printer().deviceName());
  EXPECT_TRUE(d.Option1->isChecked());
  EXPECT_EQ(d.Text1->text(), " 1");
  EXPECT_TRUE(d.ChkCOLLATE->isChecked());
  EXPECT_TRUE(d.ImgCOLLATE[1]->isVisibleTo(&d));
  d.grab().save(QString::fromStdString(stagora::test::ArtefactDir() + "/viewer-print-dialog.png"));

  d.cmdImprimir_Click();
  const std::optional<PrintRequest>& request = d.Answer();
  ASSERT_TRUE(request);
  EXPECT_EQ(request->PrintCopies, 1);
  EXPECT_TRUE(request->PrintCollate);
  EXPECT_EQ(request->PrintPageRule, PageRule::All);
  EXPECT_EQ(std::count(request->PrintPages.begin() + 1, request->PrintPages.end(), true), 199);
}

TEST_F(PrintTest, DialogChecksTheCopiesFirstAndThePagesNextAndStaysOpenOnAnError) {
  MessageBoxRecorder boxes;
  const PrintedView sevenPages{.PageCount = 7, .CurrentPage = 1};
  {
    frmImprimir d(nullptr, sevenPages);
    d.Text2->setText("2, 5-7");
    EXPECT_TRUE(d.Option2->isChecked());  // typing a list chooses it
    d.Text1->setText("600");
    d.Text2->setText("0");
    d.cmdImprimir_Click();
    d.Text1->setText("2");
    d.cmdImprimir_Click();
    ASSERT_EQ(boxes.requests().size(), 2u);
    EXPECT_EQ(boxes.requests()[0].text, Pri("TooMuchCopies"));
    EXPECT_EQ(boxes.requests()[1].text, Pri("BadPageInterval"));
    EXPECT_EQ(boxes.requests()[1].style, plat::kExclamation);
    EXPECT_FALSE(d.Answer());

    d.Text2->setText("2, 5-7");
    d.ChkCOLLATE->click();
    EXPECT_TRUE(d.ImgCOLLATE[0]->isVisibleTo(&d));
    d.cmdImprimir_Click();
    ASSERT_TRUE(d.Answer());
    EXPECT_EQ(d.Answer()->PrintCopies, 2);
    EXPECT_FALSE(d.Answer()->PrintCollate);
    std::vector<int> flagged;
    for (int p = 1; p <= kSelectablePages; ++p) {
      if (d.Answer()->PrintPages[p]) flagged.push_back(p);
    }
    EXPECT_EQ(flagged, (std::vector<int>{2, 5, 6, 7}));
  }
  {
    // A list, odd or even pages that name no page of the document.
    const std::size_t before = boxes.requests().size();
    frmImprimir d(nullptr, sevenPages);
    for (const char* list : {"8-12", ","}) {
      d.Text2->setText(list);
      d.cmdImprimir_Click();
    }
    frmImprimir onePage(nullptr, {.PageCount = 1, .CurrentPage = 1});
    onePage.Option5->setChecked(true);
    onePage.cmdImprimir_Click();
    EXPECT_FALSE(d.Answer());
    EXPECT_FALSE(onePage.Answer());
    ASSERT_EQ(boxes.requests().size(), before + 3);
    EXPECT_EQ(boxes.requests()[before].text, Pri("NoPageOfDocument") + " 7.");
    EXPECT_EQ(boxes.requests()[before + 2].text, Pri("NoPageOfDocument") + " 1.");
    EXPECT_EQ(boxes.requests()[before + 2].style, plat::kExclamation);
  }
  {
    // The page shown in a long document, past the reach of a list.
    frmImprimir d(nullptr, {.PageCount = 300, .CurrentPage = 250});
    d.Option3->setChecked(true);
    d.cmdImprimir_Click();
    ASSERT_TRUE(d.Answer());
    EXPECT_EQ(ChosenPages(300, d.Answer()->PrintPageRule, d.Answer()->PrintPages, 250), (std::vector<long>{250}));
  }
  {
    frmImprimir d(nullptr, sevenPages);
    // Esc cancels from any control.
    d.Text2->setFocus();
    QTest::keyClick(d.Text2, Qt::Key_Escape);
    EXPECT_EQ(d.result(), QDialog::Rejected);
    EXPECT_FALSE(d.Answer());
  }
}

TEST(CaptionedFrame, PiecesFollowTheCaptionAndTakeTheTopAndHeightDownToEvenNumbers) {
  const std::vector<FramePiece> pieces = FramePieces(13, 89, 598, 169, 40);
  ASSERT_GE(pieces.size(), 8u);
  EXPECT_EQ(pieces[0].destination, QRectF(13, 88, 13, 26));        // tab, left end
  EXPECT_EQ(pieces[1].destination, QRectF(26, 88, 50, 26));        // tab, middle
  EXPECT_EQ(pieces[2].destination, QRectF(73, 88, 14, 26));        // tab, right end: to X + 74
  EXPECT_EQ(pieces[3].destination, QRectF(87, 88, 598 - 86, 26));  // top edge from X + 74
  EXPECT_EQ(pieces[4].destination, QRectF(599, 88, 12, 26));
  // Edges tiled from 26 while there is room above the bottom corners (168 high).
  int leftTiles = 0;
  for (const FramePiece& p : pieces) leftTiles += p.region == QRect(0, 26, 13, 6);
  EXPECT_EQ(leftTiles, 22);  // 26, 32, ..., 152
  EXPECT_EQ(pieces.back().destination, QRectF(599, 88 + 168 - 13, 12, 12));
  EXPECT_EQ(pieces[pieces.size() - 2].destination, QRectF(26, 243, 598 - 25, 12));
}

TEST_F(PrintTest, TwoCopiesOfTwoPagesComeCollatedOrPageByPageAndTheViewComesBack) {
  FormMain& f = OpenShown(150);
  ASSERT_GE(V().PageCount, 3);
  f.mnu_zoom150_Click();
  f.ImgRPage_Click();
  ASSERT_EQ(V().CurrentPage, 2);

  const std::string collated = PrintTwoPagesTwice(f, true);
  EXPECT_EQ(PdfPages(collated), 4);
  EXPECT_EQ(SheetNumbers(collated), (std::vector<std::string>{"1", "2", "1", "2"}));
  const std::string uncollated = PrintTwoPagesTwice(f, false);
  EXPECT_EQ(SheetNumbers(uncollated), (std::vector<std::string>{"1", "1", "2", "2"}));

  // The save dialog offered the document's name as a PDF in the document's folder.
  ASSERT_EQ(saveRequests.size(), 2u);
  EXPECT_EQ(saveRequests[0].kind, FileDialogRequest::Kind::Save);
  EXPECT_EQ(saveRequests[0].title.toStdString(), f.GetL_win("Print_PDF_SaveAs"));
  EXPECT_EQ(saveRequests[0].proposedName.toStdString(), "steps.pdf");
  EXPECT_EQ(saveRequests[0].initialDir.toStdString(), root);

  EXPECT_DOUBLE_EQ(V().Zoom, 1.5);
  EXPECT_EQ(V().CurrentPage, 2);
  EXPECT_EQ(f.Picture1->width(), 1194);
  EXPECT_TRUE(f.mnu_zoom150->isChecked());
  EXPECT_EQ(f.LbPage->text(), QString("Pag. 2/%1").arg(V().PageCount));
}

// The PDF file is written by the viewer itself: one that cannot be written is told with its
// path, and nothing of it is left; an old file stays whole.
TEST_F(PrintTest, APdfThatCannotBeWrittenSaysSoWithItsPathAndLeavesNothing) {
  FormMain& f = OpenShown(5);
  MessageBoxRecorder boxes;
  const std::string old = root + "/old.pdf";
  ASSERT_TRUE(plat::WriteTextFile(old, "the old printout"));
  ASSERT_TRUE(plat::CreateDirectory(root + "/folder.pdf"));
  InDialog([](frmImprimir& d) { d.cmdImprimir_Click(); });

  SaveAs(root + "/folder.pdf");
  f.mnu_File_Print_Click();
  ASSERT_EQ(boxes.requests().size(), 1u);
  EXPECT_EQ(boxes.requests()[0].text, f.GetL_win("CantSaveFile") + "\r\n" + root + "/folder.pdf\r\nError : " +
                                          std::to_string(EISDIR) + " - " + std::strerror(EISDIR));
  EXPECT_EQ(boxes.requests()[0].style, plat::kCritical);

  // Past the file-size limit, as on a full disk, over an old file.
  plat::IgnoreFileSizeLimitSignal();
  struct rlimit saved {};
  getrlimit(RLIMIT_FSIZE, &saved);
  struct rlimit small = saved;
  small.rlim_cur = 2048;
  SaveAs(old);
  setrlimit(RLIMIT_FSIZE, &small);
  f.mnu_File_Print_Click();
  setrlimit(RLIMIT_FSIZE, &saved);
  ASSERT_EQ(boxes.requests().size(), 2u);
  EXPECT_EQ(boxes.requests()[1].text.rfind(f.GetL_win("CantSaveFile") + "\r\n" + old + "\r\nError : " + std::to_string(EFBIG) + " - ", 0), 0u)
      << boxes.requests()[1].text;
  EXPECT_EQ(plat::ReadTextFile(old), "the old printout");
  EXPECT_EQ(V().CurrentPage, 1) << "the view is back where it was";
  std::vector<std::string> left;
  for (const auto& e : std::filesystem::directory_iterator(root)) {
    if (e.path().extension() == ".pdf" || e.path().filename().string().find(".pdf.") != std::string::npos) {
      left.push_back(e.path().filename().string());
    }
  }
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left, (std::vector<std::string>{"folder.pdf", "old.pdf"}));
}

TEST_F(PrintTest, APageListNamingNoPageOfTheDocumentSaysSoAndAsksForNoFile) {
  FormMain& f = OpenShown(150);
  ASSERT_GE(V().PageCount, 3);
  MessageBoxRecorder boxes;
  InDialog([](frmImprimir& d) {
    d.Text2->setText("40-45");
    d.cmdImprimir_Click();
    d.CmdCancelar_Click();
  });
  SaveAs(root + "/never.pdf");
  f.mnu_File_Print_Click();
  ASSERT_EQ(boxes.requests().size(), 1u);
  EXPECT_EQ(boxes.requests()[0].text, Pri("NoPageOfDocument") + " " + std::to_string(V().PageCount) + ".");
  EXPECT_TRUE(saveRequests.empty());
  EXPECT_FALSE(QFile::exists(QString::fromStdString(root + "/never.pdf")));

  // The page shown is the page printed.
  f.ImgRPage_Click();
  const std::string pdf = root + "/current.pdf";
  InDialog([](frmImprimir& d) {
    d.Option3->setChecked(true);
    d.cmdImprimir_Click();
  });
  SaveAs(pdf);
  f.mnu_File_Print_Click();
  EXPECT_EQ(SheetNumbers(pdf), (std::vector<std::string>{"2"}));
}

TEST_F(PrintTest, CancelInEitherDialogPrintsNothingAndTheTooltipNamesThePrinter) {
  FormMain& f = OpenShown(5);
  InDialog([](frmImprimir& d) { d.CmdCancelar_Click(); });
  SaveAs(root + "/never.pdf");
  f.mnu_File_Print_Click();
  EXPECT_EQ(dialogsShown, 1);
  EXPECT_TRUE(saveRequests.empty());
  EXPECT_EQ(f.PicToolB[2]->toolTip().toStdString(), f.GetL_win("But_PrintTTT") + " (" + plat::kPdfPrinterName + ")");

  InDialog([](frmImprimir& d) { d.cmdImprimir_Click(); });
  SaveAs(std::nullopt);
  f.mnu_File_Print_Click();
  EXPECT_EQ(saveRequests.size(), 1u);
  EXPECT_FALSE(QFile::exists(QString::fromStdString(root + "/never.pdf")));
  EXPECT_FALSE(QFile::exists(QString::fromStdString(root + "/steps.pdf")));
  EXPECT_EQ(V().CurrentPage, 1);

  // Nothing loaded: no dialog at all.
  V().Blocks.clear();
  f.mnu_File_Print_Click();
  EXPECT_EQ(dialogsShown, 2);
}


// While a sheet is drawn the window lets repaints and timers run, and with them whatever a
// timer or the window system asks of it. Nothing of that reaches into the print run: what
// would draw, replace or close waits until the sheets are sent, a second print is refused.
TEST_F(PrintTest, WhatIsAskedWhileSheetsPrintWaitsForThePrintRunOrIsRefused) {
  const std::string other = root + "/other.rex";
  ASSERT_TRUE(plat::WriteTextFile(other, StepsDocument(2)));
  const struct {
    const char* what;
    std::function<void(FormMain&)> meanwhile;
    std::function<void(FormMain&)> expect;
  } cases[] = {
      {"the close box",
       [](FormMain& f) { f.close(); },
       [](FormMain& f) { EXPECT_TRUE(QTest::qWaitFor([&] { return !f.isVisible(); }, 5000)); }},
      {"a zoom",
       [](FormMain& f) { f.mnu_zoom150->trigger(); },
       [this](FormMain& f) {
         EXPECT_DOUBLE_EQ(V().Zoom, 1.5);
         EXPECT_TRUE(f.mnu_zoom150->isChecked());
         EXPECT_EQ(f.Picture1->width(), 1194);
       }},
      {"a dropped document",
       [other](FormMain& f) { f.Picture1_OLEDragDrop({other}); },
       [this, other](FormMain&) { EXPECT_EQ(V().DocPath, other); }},
      {"another print",
       [](FormMain& f) { f.mnu_File_Print_Click(); },
       [this](FormMain&) { EXPECT_EQ(dialogsShown, 1); }},
      // Drawn inside the sheet it would wipe the page shown half way.
      {"the page drawn again", [](FormMain& f) { f.DibujarPagina(); }, [](FormMain&) {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    FormMain& f = OpenShown(150, "steps.rex");
    ASSERT_GE(V().PageCount, 3);
    dialogsShown = 0;
    const std::string pdf = root + "/meanwhile.pdf";
    InDialog([](frmImprimir& d) {
      d.Text2->setText("1-3");
      d.cmdImprimir_Click();
    });
    SaveAs(pdf);
    // Once, from the first sheet's drawing.
    bool asked = false;
    QImage pageBefore, pageAfter;
    std::function<void()> whileASheetIsDrawn = [&] {
      if (V().Busy != Work::Drawing) return QTimer::singleShot(0, whileASheetIsDrawn);
      asked = true;
      pageBefore = f.Picture1->surface().image().copy();
      c.meanwhile(f);
      pageAfter = f.Picture1->surface().image().copy();
    };
    QTimer::singleShot(0, whileASheetIsDrawn);
    f.mnu_File_Print_Click();
    ASSERT_TRUE(asked);
    // The print run whole, the view as it was while it ran, the window still there.
    EXPECT_EQ(SheetNumbers(pdf), (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_EQ(PdfTitle(pdf), "steps.rex");  // the document's name, for the PDF reader to show
    EXPECT_EQ(pageAfter, pageBefore);
    EXPECT_TRUE(f.isVisible());
    // Then what waited.
    QTest::qWait(50);
    c.expect(f);
    NoDialogScript();
    form.reset();
  }
}

}  // namespace
}  // namespace stagora::viewer::test
