// The message box as the user sees it: a long path in its text wraps inside the box.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTimer>
#include <algorithm>
#include <string>

#include "platform/messagebox.h"
#include "platform/messagebox_qt.h"

namespace {

TEST(WidgetMessageBox, ALongPathWrapsInsideTheBoxWithItsFileNameWhole) {
  const std::string path = "/home/engineer/" + std::string(72, 'd') + "/" + std::string(70, 'e') +
                           "/projects/column_design_final_revision.sgr";
  ASSERT_EQ(path.size(), 200u);
  const std::string text = "Save the changes to the project?\r\n" + path;

  const plat::MsgBoxHandler previous = plat::SetMsgBoxHandler(nullptr);
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
  plat::SetMsgBoxHandler(previous);

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

}  // namespace
