#include "platform/messagebox_qt.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

#include "platform/encoding.h"
#include "platform/messagebox.h"

namespace plat {
namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\n' || c == u'\t'; }

int Show(const MsgRequest& req, const std::string& appTitle) {
  // Held by its window, which may go while the box waits (a window closed by a timer): the
  // box then goes with it, answered as if closed, instead of being freed twice.
  QPointer<QMessageBox> owned = new QMessageBox(QApplication::activeWindow());
  QMessageBox& box = *owned;
  box.setWindowTitle(req.title.empty() ? Cp1252ToQString(appTitle) : QString::fromStdString(req.title));
  QString text = QString::fromStdString(req.text);  // UTF-8
  text.replace("\r\n", "\n");
  // A long path has no blank to wrap at and would run off the box's edge.
  box.setText(QString::fromStdU16String(WithBreakOpportunities(text.toStdU16String())));
  switch (req.style & 0x70) {
    case kCritical: box.setIcon(QMessageBox::Critical); break;
    case kQuestion: box.setIcon(QMessageBox::Question); break;
    case kExclamation: box.setIcon(QMessageBox::Warning); break;
    case kInformation: box.setIcon(QMessageBox::Information); break;
    default: box.setIcon(QMessageBox::NoIcon); break;
  }
  struct B { QMessageBox::StandardButton sb; int result; };
  std::vector<B> buttons;
  switch (req.style & 7) {
    case kOkCancel: buttons = {{QMessageBox::Ok, kOk}, {QMessageBox::Cancel, kCancel}}; break;
    case kAbortRetryIgnore:
      buttons = {{QMessageBox::Abort, kAbort}, {QMessageBox::Retry, kRetry}, {QMessageBox::Ignore, kIgnore}};
      break;
    case kYesNoCancel:
      buttons = {{QMessageBox::Yes, kYes}, {QMessageBox::No, kNo}, {QMessageBox::Cancel, kCancel}};
      break;
    case kYesNo: buttons = {{QMessageBox::Yes, kYes}, {QMessageBox::No, kNo}}; break;
    case kRetryCancel: buttons = {{QMessageBox::Retry, kRetry}, {QMessageBox::Cancel, kCancel}}; break;
    default: buttons = {{QMessageBox::Ok, kOk}}; break;
  }
  for (const B& b : buttons) box.addButton(b.sb);
  const std::size_t def = (req.style & kDefaultButton3) ? 2 : (req.style & kDefaultButton2) ? 1 : 0;
  if (def < buttons.size()) box.setDefaultButton(buttons[def].sb);
  box.exec();
  const auto clicked = owned ? box.standardButton(box.clickedButton()) : QMessageBox::NoButton;
  delete owned.data();
  for (const B& b : buttons) {
    if (b.sb == clicked) return b.result;
  }
  // Closed with Escape or the window's close box: the cancel button where there is one.
  for (const B& b : buttons) {
    if (b.result == kCancel) return kCancel;
  }
  return buttons.back().result;
}

}  // namespace

std::u16string WithBreakOpportunities(std::u16string_view text) {
  constexpr char16_t kZeroWidthSpace = u'\u200B';
  std::u16string out;
  out.reserve(text.size() + text.size() / 8);
  std::size_t i = 0;
  while (i < text.size()) {
    if (IsBlank(text[i])) {
      out += text[i++];
      continue;
    }
    std::size_t end = i;
    while (end < text.size() && !IsBlank(text[end])) ++end;
    const std::u16string_view word = text.substr(i, end - i);
    if (word.size() <= kLongestUnbrokenRun) {
      out += word;
    } else {
      std::size_t sinceBreak = 0;
      for (std::size_t k = 0; k < word.size(); ++k) {
        const bool last = k + 1 == word.size();
        if (sinceBreak == kLongestUnbrokenRun && !last) {
          out += kZeroWidthSpace;
          sinceBreak = 0;
        }
        out += word[k];
        ++sinceBreak;
        if ((word[k] == u'/' || word[k] == u'\\') && !last) {
          out += kZeroWidthSpace;
          sinceBreak = 0;
        }
      }
    }
    i = end;
  }
  return out;
}

void InstallWidgetMessageBox(const std::string& appTitle) {
  SetMsgBoxHandler([appTitle](const MsgRequest& req) { return Show(req, appTitle); });
}

}  // namespace plat
