// The viewer's start: the shared values, the scratch folder, the engine's tables, then the
// splash, whose closing shows the main window; from there on the program lives in the event
// loop.
#pragma once

#include <QStringList>
#include <string>

class QApplication;

namespace stagora::viewer {

int RunViewer(QApplication& app);

// The program's arguments (its own name first) as the one command line the viewer reads: a
// single argument stands alone, blanks and all, as the designer passes its document; several,
// as a file manager passes the files chosen, each go in double quotes. A path given relative
// to the folder the viewer was started in is made full, so that the recent list can still
// find it from anywhere.
std::string CommandLineFromArguments(const QStringList& arguments);

}  // namespace stagora::viewer
