#include "platform/messagebox_qt.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "platform/encoding.h"
#include "platform/messagebox.h"

namespace plat {
namespace {

QString Q(const std::string& utf8) { return QString::fromStdString(utf8); }

int Show(const MsgRequest& req, const std::string& appTitle) {
  QMessageBox box(QApplication::activeWindow());
  box.setWindowTitle(req.title.empty() ? QString::fromStdU16String(Cp1252ToUtf16(appTitle)) : Q(req.title));
  QString text = Q(req.text);
  text.replace("\r\n", "\n");
  box.setText(text);
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
  const auto clicked = box.standardButton(box.clickedButton());
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

void InstallWidgetMessageBox(const std::string& appTitle) {
  SetMsgBoxHandler([appTitle](const MsgRequest& req) { return Show(req, appTitle); });
}

}  // namespace plat
