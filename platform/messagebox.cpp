#include "platform/messagebox.h"

#include <cstdio>

#include "platform/encoding.h"

namespace plat {
namespace {

MsgBoxHandler& Handler() {
  static MsgBoxHandler handler;
  return handler;
}

}  // namespace

int DefaultButtonOf(int style) {
  const int buttons = style & 7;
  const int which = (style & kDefaultButton3) ? 2 : (style & kDefaultButton2) ? 1 : 0;
  static const int kButtons[6][3] = {{kOk, kOk, kOk},           {kOk, kCancel, kCancel},
                                     {kAbort, kRetry, kIgnore}, {kYes, kNo, kCancel},
                                     {kYes, kNo, kNo},          {kRetry, kCancel, kCancel}};
  return buttons < 6 ? kButtons[buttons][which] : kOk;
}

int MsgBox(const std::string& text, int style, const std::string& title) {
  return MsgBoxUtf8(Cp1252ToUtf8(text), style, Cp1252ToUtf8(title));
}

int MsgBoxUtf8(const std::string& text, int style, const std::string& title) {
  MsgRequest req{text, style, title};
  if (Handler()) return Handler()(req);
  std::fprintf(stderr, "[%s] %s\n", title.c_str(), text.c_str());
  return DefaultButtonOf(style);
}

MsgBoxHandler SetMsgBoxHandler(MsgBoxHandler handler) {
  MsgBoxHandler old = std::move(Handler());
  Handler() = std::move(handler);
  return old;
}

}  // namespace plat
