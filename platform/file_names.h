// File names are the system's own. A path is held, from the file dialog or the command line
// down to the call that opens the file, as the bytes the system names the file with (UTF-8
// here), never in the Windows-1252 of the programs' texts: that code page cannot hold most
// names, and two names it cannot hold would turn into the same "?" name. These are the places
// where a path meets Qt's strings and the texts the user reads.
#pragma once

#include <QString>
#include <string>

namespace plat {

// The path as Qt names files, and back; a round trip keeps every byte.
QString QPath(const std::string& path);
std::string PathFromQt(const QString& name);

// A path taken apart and put together by its bytes, "/" alone separating folders (a "\" is
// part of a name here): the folder ("" for a bare name, "/" at the root), the last
// component, and that component without its extension (from its last "." on; a name that is
// all extension, ".pdf", keeps nothing). Qt's own calls for this go through its strings,
// which turn a name that is no UTF-8 into another one.
std::string FolderPart(const std::string& path);
std::string NamePart(const std::string& path);
std::string BaseNamePart(const std::string& path);
// Two names of one folder: the same folder reached through a link counts as the same.
bool SameFolder(const std::string& a, const std::string& b);
// The user's home folder as the environment names it ("/" without one).
std::string HomeFolder();

// The path as UTF-8 text to put into a message (see MsgBoxUtf8): the system's own bytes, with
// what is not UTF-8 shown as the replacement character.
std::string ShownPath(const std::string& path);

}  // namespace plat
