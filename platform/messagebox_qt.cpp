#include "platform/messagebox_qt.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QTextEdit>
#include <limits>

#include "platform/encoding.h"
#include "platform/messagebox.h"

namespace plat {
namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\n' || c == u'\t'; }

constexpr char16_t kEllipsis = u'\u2026';

// What the window manager adds around the box: its title bar and frame, unknown until the
// box is on the screen.
constexpr int kWindowFrameRoom = 48;

// The shorter forms tried, one after the other, on a text too tall for the screen: long
// words cut shorter first, then fewer lines.
struct Shortening {
  std::size_t keep;
  std::size_t maxLines;
};
constexpr std::size_t kAllLines = std::numeric_limits<std::size_t>::max();
constexpr Shortening kShortenings[] = {{120, kAllLines}, {60, kAllLines}, {30, kAllLines}, {30, 20},
                                       {20, 10},         {20, 5},         {12, 2}};

// The box sizes itself to its text when it is shown (QMessageBox does it then, for the
// screen it is shown on); a text that would make it taller than that screen's free area, its
// buttons out of reach, is shortened there, and the whole text goes under the details button,
// which scrolls.
class ScreenFittedBox final : public QMessageBox {
 public:
  ScreenFittedBox(QWidget* parent, QString text) : QMessageBox(parent), text_(std::move(text)) {
    setText(Shown(text_.toStdU16String()));
  }

 protected:
  void showEvent(QShowEvent* event) override {
    QMessageBox::showEvent(event);
    if (Fits() || screen() == nullptr) return;
    setDetailedText(text_);
    for (const Shortening& s : kShortenings) {
      setText(Shown(ShortenedText(text_.toStdU16String(), s.keep, s.maxLines)));
      if (Fits()) break;
    }
    adjustPosition(parentWidget());
  }

 private:
  static QString Shown(const std::u16string& text) {
    // A long path has no blank to wrap at and would run off the box's edge.
    return QString::fromStdU16String(WithBreakOpportunities(text));
  }

  bool Fits() const {
    const QScreen* s = screen();
    if (s == nullptr) return true;
    int room = s->availableGeometry().height() - kWindowFrameRoom;
    // The details, once shown, add their scrolled text below the buttons.
    if (const auto* details = findChild<QTextEdit*>()) room -= details->parentWidget()->sizeHint().height();
    return height() <= room;
  }

  QString text_;
};

int Show(const MsgRequest& req, const std::string& appTitle) {
  // Held by its window, which may go while the box waits (a window closed by a timer): the
  // box then goes with it, answered as if closed, instead of being freed twice.
  QString text = QString::fromStdString(req.text);  // UTF-8
  text.replace("\r\n", "\n");
  QPointer<QMessageBox> owned = new ScreenFittedBox(QApplication::activeWindow(), text);
  QMessageBox& box = *owned;
  box.setWindowTitle(req.title.empty() ? Cp1252ToQString(appTitle) : QString::fromStdString(req.title));
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

std::u16string ShortenedText(std::u16string_view text, std::size_t keep, std::size_t maxLines) {
  std::u16string out;
  std::size_t lines = 0;
  std::size_t i = 0;
  while (i <= text.size()) {
    std::size_t end = text.find(u'\n', i);
    if (end == std::u16string_view::npos) end = text.size();
    if (lines == maxLines) {
      out += u'\n';
      out += kEllipsis;
      break;
    }
    if (lines > 0) out += u'\n';
    ++lines;
    const std::u16string_view line = text.substr(i, end - i);
    std::size_t k = 0;
    while (k < line.size()) {
      if (line[k] == u' ' || line[k] == u'\t') {
        out += line[k++];
        continue;
      }
      std::size_t wordEnd = k;
      while (wordEnd < line.size() && line[wordEnd] != u' ' && line[wordEnd] != u'\t') ++wordEnd;
      const std::u16string_view word = line.substr(k, wordEnd - k);
      if (word.size() > 2 * keep) {
        out += word.substr(0, keep);
        out += kEllipsis;
        out += word.substr(word.size() - keep);
      } else {
        out += word;
      }
      k = wordEnd;
    }
    i = end + 1;
  }
  return out;
}

void InstallWidgetMessageBox(const std::string& appTitle) {
  SetMsgBoxHandler([appTitle](const MsgRequest& req) { return Show(req, appTitle); });
}

}  // namespace plat
