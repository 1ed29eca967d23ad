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

// What the box shows is UTF-8: a message may name a file, and a file's name is the system's own
// (see file_names.h), which Windows-1252 cannot hold.
struct MsgRequest {
  std::string text;   // UTF-8; CR LF separates lines
  int style = 0;
  std::string title;  // UTF-8; empty: the program's own title
};

using MsgBoxHandler = std::function<int(const MsgRequest&)>;

// Text and title in Windows-1252, as the programs' texts are.
int MsgBox(const std::string& text, int style = kOkOnly, const std::string& title = "");
// Text and title already UTF-8: a message that names a file joins its Windows-1252 texts,
// converted with Cp1252ToUtf8, and the path, with ShownPath.
int MsgBoxUtf8(const std::string& text, int style = kOkOnly, const std::string& title = "");

// Installs the handler every MsgBox goes through; returns the one it replaces. Without a
// handler the request is written to standard error and answered with the default button.
MsgBoxHandler SetMsgBoxHandler(MsgBoxHandler handler);

// The button a box of this style answers with when nobody is there to press one.
int DefaultButtonOf(int style);

}  // namespace plat
