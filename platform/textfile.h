// Text files are read and written whole, byte for byte: Windows-1252 with CR LF line ends,
// exactly as the files on disk hold them. No newline translation, no encoding guesswork.
// Paths are the system's own names (see file_names.h), not Windows-1252.
#pragma once

#include <cstdint>
#include <limits>
#include <optional>
#include <string>

namespace plat {

struct FileError {
  int number = 0;           // an errno-style number, shown to the user as "Error : n - ..."
  std::string description;  // Windows-1252 text
};

constexpr std::uint64_t kAnyFileSize = std::numeric_limits<std::uint64_t>::max();

// The whole file as bytes; nullopt (and err filled) when it cannot be read. Only a regular
// file is read (a link counts as what it points at): a folder, a FIFO, a device or a socket
// is refused at once with a description that says what it is, so that nothing waits for a
// writer that never comes or reads without end. A file larger than `largest` bytes, the most
// its format can hold, is refused before a byte of it is read.
std::optional<std::string> ReadTextFile(const std::string& path, FileError* err = nullptr,
                                        std::uint64_t largest = kAnyFileSize);
// The first `count` bytes of the file (all of it when it is shorter), on the same terms: only
// a regular file is read, whatever its size.
std::optional<std::string> ReadFileStart(const std::string& path, std::size_t count, FileError* err = nullptr);

// Writes the bytes as the whole file, replacing it; false (and err filled) on failure. The
// file is written through a FileReplacement (file_replacement.h): a failed write leaves the
// old file as it was and nothing beside it.
bool WriteTextFile(const std::string& path, const std::string& bytes, FileError* err = nullptr);
// The same for a scratch file that can be made again, which is not waited for to reach the disk.
bool WriteScratchFile(const std::string& path, const std::string& bytes, FileError* err = nullptr);

bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);
bool RemoveFile(const std::string& path, FileError* err = nullptr);
bool CreateDirectory(const std::string& path);

// folder + "/" + name, without doubling a trailing separator.
std::string JoinPath(const std::string& folder, const std::string& name);
// The folder part of a path ("" for a bare name), "/" and "\" both counting as separators.
std::string FolderOf(const std::string& path);

// The number and the system's description of an errno.
FileError SystemError(int number);

// Why an entry that is neither a regular file nor a folder (a FIFO, a device, a socket) is no
// file to read or write: EINVAL, with a description that says what the entry is.
FileError NotARegularFile(unsigned mode);

// Why an existing entry at the path cannot be replaced by a file (a folder, a read-only
// file); nothing when it can, or when nothing is there.
std::optional<FileError> CannotReplace(const std::string& path);

}  // namespace plat
