// Starting another program and handing a web address or a document to the desktop.
#pragma once

#include <functional>
#include <string>

namespace plat {

// Starts program with exactly one argument (passed as one argument, never through a shell),
// detached; both are paths, the system's own names. False when it could not be started.
bool StartProgram(const std::string& program, const std::string& argument);

// Opens a document (a path, the system's own name) or else a web or mailto: address
// (Windows-1252 text) with the desktop's handler. False when nothing could open it.
//
// A document goes to the desktop's opener (xdg-open) without waiting for the program that
// shows it, so that only the opener itself knows whether any program on this machine shows
// that kind of file: when it ends saying it found none, noProgram (if given) is called from
// the event loop.
bool OpenWithDesktop(const std::string& target, std::function<void()> noProgram = {});

// Test seams: replace what the two calls do and return the function replaced. An empty
// function restores the real one.
using StartProgramHandler = std::function<bool(const std::string&, const std::string&)>;
using OpenHandler = std::function<bool(const std::string&)>;
StartProgramHandler SetStartProgramHandler(StartProgramHandler handler);
OpenHandler SetOpenWithDesktopHandler(OpenHandler handler);

}  // namespace plat
