// Modal message boxes. The cores ask for one through MsgBox; the programs install the real
// dialog at start-up, and tests install a script that records the request and answers it.
#pragma once

#include <functional>
#include <string>

namespace plat {

// Style: buttons + icon + default button, as the numeric style the programs pass.
enum MsgStyle : int {
  kOkOnly = 0,
  kOkCancel = 1,
  kAbortRetryIgnore = 2,
  kYesNoCancel = 3,
  kYesNo = 4,
  kRetryCancel = 5,
  kCritical = 16,
  kQuestion = 32,
  kExclamation = 48,
  kInformation = 64,
  kDefaultButton2 = 256,
  kDefaultButton3 = 512,
};

// The button pressed.
enum MsgResult : int { kOk = 1, kCancel = 2, kAbort = 3, kRetry = 4, kIgnore = 5, kYes = 6, kNo = 7 };

struct MsgRequest {
  std::string text;   // Windows-1252; CR LF separates lines
  int style = 0;
  std::string title;  // empty: the program's own title
};

using MsgBoxHandler = std::function<int(const MsgRequest&)>;

int MsgBox(const std::string& text, int style = kOkOnly, const std::string& title = "");

// Installs the handler every MsgBox goes through; returns the one it replaces. Without a
// handler the request is written to standard error and answered with the default button.
MsgBoxHandler SetMsgBoxHandler(MsgBoxHandler handler);

// The button a box of this style answers with when nobody is there to press one.
int DefaultButtonOf(int style);

}  // namespace plat
