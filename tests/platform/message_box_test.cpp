// The message box as the user sees it: a long path in its text wraps inside the box.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QMessageBox>
#include <QRegularExpression>
#include <QScreen>
#include <QTextEdit>
#include <QTimer>
#include <algorithm>
#include <string>

#include "platform/messagebox.h"
#include "platform/messagebox_qt.h"
#include "tests/support/scoped_hook.h"

namespace {

TEST(WidgetMessageBox, ALongPathWrapsInsideTheBoxWithItsFileNameWhole) {
  const std::string path = "/home/engineer/" + std::string(72, 'd') + "/" + std::string(70, 'e') +
                           "/projects/column_design_final_revision.sgr";
  ASSERT_EQ(path.size(), 200u);
  const std::string text = "Save the changes to the project?\r\n" + path;

  // The real box, in place of the test's, until the test ends.
  const stagora::test::ScopedHook realBox(plat::SetMsgBoxHandler, nullptr);
  plat::InstallWidgetMessageBox("Stagora");
  QString shown;
  int widestPiece = -1, labelWidth = 0;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return;
    const QLabel* label = box->findChild<QLabel*>("qt_msgbox_label");
    if (label != nullptr) {
      shown = label->text();
      labelWidth = label->contentsRect().width();
      // What the label cannot break: the text between blanks and break opportunities.
      const QFontMetrics metrics(label->font());
      widestPiece = 0;
      for (const QString& piece : shown.split(QRegularExpression(QStringLiteral("[\\s\\x{200B}]+")), Qt::SkipEmptyParts)) {
        widestPiece = std::max(widestPiece, metrics.horizontalAdvance(piece));
      }
    }
    box->done(0);
  });
  plat::MsgBox(text, plat::kYesNoCancel | plat::kQuestion, "Stagora");

  ASSERT_FALSE(shown.isEmpty());
  // The text is the one asked for, path and file name whole, only with invisible breaks.
  EXPECT_EQ(QString(shown).remove(QChar(0x200B)), QString::fromStdString(text).replace("\r\n", "\n"));
  EXPECT_GT(labelWidth, 0);
  EXPECT_LE(widestPiece, labelWidth);
}

TEST(WidgetMessageBox, OnlyLongWordsGetBreakOpportunities) {
  const std::u16string shortWords = u"Cannot save C:\\Work\\a.sgr: disk full";
  EXPECT_EQ(plat::WithBreakOpportunities(shortWords), shortWords);
  const std::u16string run(95, u'x');
  const std::u16string broken = plat::WithBreakOpportunities(u"at /a/" + run + u"/b.sgr");
  // After each separator, and every forty characters of a run without one; none at the end.
  EXPECT_EQ(broken, u"at /\u200Ba/\u200B" + run.substr(0, 40) + u"\u200B" + run.substr(40, 40) + u"\u200B" +
                        run.substr(80) + u"/\u200Bb.sgr");
}

TEST(WidgetMessageBox, AVeryLongPathKeepsTheBoxOnTheScreenAndItsWholeTextUnderDetails) {
  std::string path = "/srv";
  while (path.size() < 3980) path += "/" + std::string(60, 'f');
  path += "/design.sgr";
  const std::string text = "The file cannot be saved:\r\n" + path + "\r\nError : 28 - No space left on device";

  // The real box, in place of the test's, until the test ends.
  const stagora::test::ScopedHook realBox(plat::SetMsgBoxHandler, nullptr);
  plat::InstallWidgetMessageBox("Stagora");
  int boxHeight = -1, screenHeight = 0;
  bool buttonInside = false;
  QString shown, details;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return;
    boxHeight = box->frameGeometry().height();
    screenHeight = box->screen()->availableGeometry().height();
    const QAbstractButton* ok = box->button(QMessageBox::Ok);
    buttonInside = ok != nullptr && box->screen()->availableGeometry().contains(
                                        QRect(ok->mapToGlobal(QPoint(0, 0)), ok->size()));
    if (const QLabel* label = box->findChild<QLabel*>("qt_msgbox_label")) shown = label->text().remove(QChar(0x200B));
    if (const QTextEdit* edit = box->findChild<QTextEdit*>()) details = edit->toPlainText();
    box->done(0);
  });
  plat::MsgBoxUtf8(text, plat::kExclamation, "Stagora");

  ASSERT_GT(boxHeight, 0);
  EXPECT_LE(boxHeight, screenHeight);
  EXPECT_TRUE(buttonInside);
  // The box names the file and the reason; the details hold every character of the path.
  EXPECT_TRUE(shown.startsWith("The file cannot be saved:\n/srv/")) << shown.toStdString();
  EXPECT_TRUE(shown.contains("/design.sgr\nError : 28 - No space left on device")) << shown.toStdString();
  EXPECT_EQ(details, QString::fromStdString(text).replace("\r\n", "\n"));
}

TEST(WidgetMessageBox, AShortenedTextKeepsTheEndsOfLongWordsAndTheFirstLines) {
  const std::u16string word = std::u16string(10, u'a') + std::u16string(10, u'z');
  struct Case {
    const char* what;
    std::u16string text;
    std::size_t keep, maxLines;
    std::u16string expected;
  };
  const Case cases[] = {
      {"short words stay", u"at a b\nc", 4, 5, u"at a b\nc"},
      {"a word of twice keep stays", u"x " + word, 10, 5, u"x " + word},
      {"a longer word loses its middle", u"x " + word + u"!", 4, 5, u"x aaaa\u2026zzz!"},
      {"lines past the last kept", u"one\ntwo\nthree", 4, 2, u"one\ntwo\n\u2026"},
      {"exactly the kept lines", u"one\ntwo", 4, 2, u"one\ntwo"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(plat::ShortenedText(c.text, c.keep, c.maxLines), c.expected) << c.what;
  }
}

}  // namespace
