// The handlers both programs' print dialogs share: the copies box with its spinner, the keys
// it takes, Esc from any control, the collate pictures, the pressed look of the buttons, the
// printer list; and the question for the PDF file.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>
#include <optional>
#include <string>

#include "common/file_dialogs_ui.h"
#include "common/print_copies.h"
#include "common/print_dialog_ui.h"
#include "platform/printer.h"
#include "tests/support/test_support.h"

namespace stagora::test {
namespace {

// The smallest dialog on the shared handlers: it counts its two operations.
class SharedPrintDialog : public PrintDialogBase {
 public:
  explicit SharedPrintDialog(plat::PrinterSurface& printer) : PrintDialogBase(nullptr, printer, "XXX") {
    Text1->setGeometry(10, 10, 48, 23);
    BotonLeft = {160, 312};
    BotonTop = {220, 220};
    PlaceButtons();
    ResetCopies();
    FillPrinterList();
  }
  int accepted = 0;
  int cancelled = 0;

 protected:
  void AcceptRequest() override { ++accepted; }
  void CancelRequest() override { ++cancelled; }
};

class PrintDialogTest : public ::testing::Test {
 protected:
  plat::PrinterSurface printer;
};

TEST_F(PrintDialogTest, OpensWithOneCopyCollatedAndTheCurrentPrinter) {
  printer.setDeviceName(plat::kPdfPrinterName);
  SharedPrintDialog d(printer);
  EXPECT_EQ(d.Text1->text(), " 1");
  EXPECT_EQ(d.VScroll1->value(), 1);
  EXPECT_TRUE(d.ChkCOLLATE->isChecked());
  EXPECT_FALSE(d.ImgCOLLATE[0]->isVisibleTo(&d));
  EXPECT_TRUE(d.ImgCOLLATE[1]->isVisibleTo(&d));
  // Every printer, the PDF-file printer last and selected as the current one.
  ASSERT_EQ(d.Combo1->count(), static_cast<int>(plat::PrinterNames().size()));
  EXPECT_EQ(d.Combo1->itemText(d.Combo1->count() - 1).toStdString(), plat::kPdfPrinterName);
  EXPECT_EQ(d.Combo1->currentText().toStdString(), plat::kPdfPrinterName);
  // The captions lie over their faces, as wide as they are.
  EXPECT_EQ(d.Label3[1]->geometry(), QRect(312, 226, 141, 34));
}

TEST_F(PrintDialogTest, CopiesBoxAndSpinnerFollowEachOther) {
  SharedPrintDialog d(printer);
  // 2500 typed digit by digit: the spinner stops at the last count in range, and leaving the
  // box puts that count back.
  d.Text1->clear();
  for (const char* typed : {"2", "25", "250", "2500"}) d.Text1->setText(typed);
  EXPECT_EQ(d.VScroll1->value(), 250);
  d.Text1_LostFocus();
  EXPECT_EQ(d.Text1->text(), "250");

  // The spinner's arrows write the count without blanks.
  d.VScroll1->upArrow()->click();
  EXPECT_EQ(d.Text1->text(), "251");
  d.VScroll1->downArrow()->click();
  d.VScroll1->downArrow()->click();
  EXPECT_EQ(d.Text1->text(), "249");
}

TEST_F(PrintDialogTest, ADigitTypedIntoAnEmptiedOrSelectedBoxIsTheCountAndLeavingItEmptyPutsTheCountBack) {
  SharedPrintDialog d(printer);
  QLineEdit other(&d);
  other.setGeometry(10, 60, 48, 23);
  d.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
  const auto count = [&d] { return WholeTextValue(d.Text1->text().toStdString()); };

  // Backspace, then 2: two copies, not twelve.
  d.Text1->setFocus();
  d.Text1->deselect();
  d.Text1->end(false);
  QTest::keyClick(d.Text1, Qt::Key_Backspace);
  EXPECT_TRUE(d.Text1->text().trimmed().isEmpty());
  QTest::keyClick(d.Text1, Qt::Key_2);
  EXPECT_EQ(count(), 2);
  EXPECT_EQ(d.VScroll1->value(), 2);

  // A click into the box, then 3: three copies, not twenty-three.
  other.setFocus();
  QTest::mouseClick(d.Text1, Qt::LeftButton, {}, QPoint(30, 11));
  ASSERT_TRUE(d.Text1->hasFocus());
  EXPECT_EQ(d.Text1->selectedText(), d.Text1->text());
  QTest::keyClick(d.Text1, Qt::Key_3);
  EXPECT_EQ(d.Text1->text(), "3");
  // Tab into it selects it too.
  other.setFocus();
  d.Text1->setFocus(Qt::TabFocusReason);
  QTest::keyClick(d.Text1, Qt::Key_4);
  EXPECT_EQ(d.Text1->text(), "4");

  // Emptied and left: the last valid count comes back, never an empty box.
  d.Text1->selectAll();
  QTest::keyClick(d.Text1, Qt::Key_Delete);
  EXPECT_EQ(d.Text1->text(), "");
  other.setFocus();
  EXPECT_EQ(d.Text1->text(), "4");
}

TEST_F(PrintDialogTest, ArrowKeysStayWithinOneTo1999) {
  SharedPrintDialog d(printer);
  struct Case {
    const char* before;
    Qt::Key key;
    const char* after;
  };
  const Case cases[] = {
      {"5", Qt::Key_Up, "6"}, {"5", Qt::Key_Down, "4"}, {"1999", Qt::Key_Up, "1999"}, {"1", Qt::Key_Down, "1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.before) + (c.key == Qt::Key_Up ? " up" : " down"));
    d.Text1->setText(c.before);
    QTest::keyClick(d.Text1, c.key);
    EXPECT_EQ(d.Text1->text(), c.after);
  }
}

TEST_F(PrintDialogTest, TheBoxTakesOnlyDigitsAndEditingKeys) {
  SharedPrintDialog d(printer);
  d.Text1->setText("1");
  d.Text1->setCursorPosition(1);
  QTest::keyClicks(d.Text1, "2a.-,e 3");
  EXPECT_EQ(d.Text1->text(), "123");
  QTest::keyClick(d.Text1, Qt::Key_Backspace);
  EXPECT_EQ(d.Text1->text(), "12");
  QTest::keyClick(d.Text1, Qt::Key_Home);  // discarded: the caret stays at the end
  QTest::keyClick(d.Text1, Qt::Key_4);
  EXPECT_EQ(d.Text1->text(), "124");
  // At most four characters.
  QTest::keyClicks(d.Text1, "56");
  EXPECT_EQ(d.Text1->text(), "1245");
}

TEST_F(PrintDialogTest, EscFromAnyControlCancelsAndEnterDoesNothing) {
  SharedPrintDialog d(printer);
  for (QWidget* control : std::initializer_list<QWidget*>{d.Text1, d.Combo1, d.ChkCOLLATE, &d}) {
    QTest::keyClick(control, Qt::Key_Escape);
  }
  EXPECT_EQ(d.cancelled, 4);
  QTest::keyClick(d.Text1, Qt::Key_Return);
  QTest::keyClick(&d, Qt::Key_Return);
  EXPECT_EQ(d.accepted, 0);
  EXPECT_EQ(d.cancelled, 4);
}

TEST_F(PrintDialogTest, CollatePicturesAndPressedButtons) {
  SharedPrintDialog d(printer);
  d.ChkCOLLATE->click();
  EXPECT_TRUE(d.ImgCOLLATE[0]->isVisibleTo(&d));
  EXPECT_FALSE(d.ImgCOLLATE[1]->isVisibleTo(&d));
  d.ChkCOLLATE->click();
  EXPECT_FALSE(d.ImgCOLLATE[0]->isVisibleTo(&d));

  // Held down, face and caption shift one pixel right and down; released, they return and
  // the button's operation runs.
  QTest::mousePress(d.Label3[0], Qt::LeftButton, {}, QPoint(20, 10));
  EXPECT_EQ(d.Image1[0]->pos(), QPoint(161, 221));
  EXPECT_EQ(d.Label3[0]->pos(), QPoint(161, 227));
  QTest::mouseRelease(d.Label3[0], Qt::LeftButton, {}, QPoint(20, 10));
  EXPECT_EQ(d.Image1[0]->pos(), QPoint(160, 220));
  EXPECT_EQ(d.Label3[0]->pos(), QPoint(160, 226));
  EXPECT_EQ(d.accepted, 1);
  d.Label3_Click(1);
  EXPECT_EQ(d.cancelled, 1);
}

TEST_F(PrintDialogTest, ChoosingAPrinterMakesItCurrent) {
  SharedPrintDialog d(printer);
  d.Combo1->setCurrentIndex(d.Combo1->count() - 1);
  d.Combo1_Click();
  EXPECT_EQ(printer.deviceName(), plat::kPdfPrinterName);
  EXPECT_TRUE(printer.isPdf());
}

// Answers the save dialog in place of the user and keeps what it was asked.
class SaveDialogScript {
 public:
  explicit SaveDialogScript(std::optional<std::string> answer)
      : dialog_(SetFileDialogHandler, [this, answer](const FileDialogRequest& req) -> std::optional<QString> {
          asked.push_back(req);
          if (!answer) return std::nullopt;
          return QString::fromStdString(*answer);
        }) {}
  std::vector<FileDialogRequest> asked;

 private:
  const ScopedHook<FileDialogHandler> dialog_;
};

TEST(AskPdfFileName, OffersTheNameInTheFolderUsedLast) {
  std::string lastFolder;
  const std::string project = ScratchDir("pdf-project");
  const std::string other = ScratchDir("pdf-other");
  {
    SaveDialogScript user(other + "/chosen.pdf");
    EXPECT_EQ(AskPdfFileName(nullptr, "Print to a PDF file", project + "/column.pdf", lastFolder), other + "/chosen.pdf");
    ASSERT_EQ(user.asked.size(), 1u);
    EXPECT_EQ(user.asked[0].kind, FileDialogRequest::Kind::Save);
    EXPECT_EQ(user.asked[0].title, "Print to a PDF file");
    EXPECT_EQ(user.asked[0].initialDir.toStdString(), project);
    EXPECT_EQ(user.asked[0].proposedName, "column.pdf");
  }
  {
    // The next question starts in the folder chosen last; a cancel gives "".
    SaveDialogScript user(std::nullopt);
    EXPECT_EQ(AskPdfFileName(nullptr, "t", project + "/column.pdf", lastFolder), "");
    ASSERT_EQ(user.asked.size(), 1u);
    EXPECT_EQ(user.asked[0].initialDir.toStdString(), other);
    EXPECT_EQ(user.asked[0].proposedName, "column.pdf");
  }
}

TEST(AskPdfFileName, ANameTypedWithoutItsExtensionGetsIt) {
  std::string lastFolder;
  const std::string folder = ScratchDir("pdf-extension");
  const struct {
    std::string typed;
    std::string written;
  } cases[] = {
      {folder + "/column", folder + "/column.pdf"},
      {folder + "/column.PDF", folder + "/column.PDF"},
      {folder + "/column.v2", folder + "/column.v2.pdf"},
  };
  for (const auto& c : cases) {
    SaveDialogScript user(c.typed);
    EXPECT_EQ(AskPdfFileName(nullptr, "t", folder + "/column.pdf", lastFolder), c.written) << c.typed;
    ASSERT_EQ(user.asked.size(), 1u);
    // So that the dialog asks before it replaces the file really written.
    EXPECT_EQ(user.asked[0].extension, QString(".pdf"));
  }
}

}  // namespace
}  // namespace stagora::test
