// The viewer's start: the shared values, the scratch folder, the engine's tables, then the
// splash, whose closing shows the main window; from there on the program lives in the event
// loop.
#pragma once

#include <string>
#include <vector>

class QApplication;

namespace stagora::viewer {

// `commandLine`: see CommandLineFromArguments.
int RunViewer(QApplication& app, std::vector<std::string> commandLine);

// The program's arguments after its own name (argv once the application has taken its own
// options out) as the command line the viewer reads: each one a whole path, as the system's
// own bytes, blanks, quotes and letters that are no UTF-8 all kept. A path given relative to
// the folder the viewer was started in gets that folder put before it (a leading "./" left
// out), so that the recent list can still find it from anywhere; nothing else is changed:
// "link/../x.rep" still goes through the link, as the system would take it.
std::vector<std::string> CommandLineFromArguments(int argc, const char* const* argv);

}  // namespace stagora::viewer
