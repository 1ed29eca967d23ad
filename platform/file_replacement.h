// The one way the programs write a file: the new content goes into a temporary file of its
// own beside the real file, and takes the real file's name only when it is complete. Until
// then the old file stays as it was; a write that fails leaves nothing behind. Where the file
// system offers it, the temporary has no name until it is complete, so that even a program
// killed half-way leaves nothing; elsewhere it is a hidden file, created exclusively. A link
// is followed to the file it names, so the link itself stays a link (not so a scratch file's,
// see Keep); a file that is replaced keeps its permission bits, and its owner and group where
// the system lets the writer give them to the temporary.
//
// A file the user may write is written in place instead, truncated and written again, when
// no temporary can take its place as it is: when its folder is closed to the user (a shared
// folder of someone else's), or when the file belongs to someone else (a group's project in a
// shared folder), whom a temporary of the user's could not keep as its owner. It then keeps
// its owner, group, permissions and other hard links, and the new content is held until
// commit, so nothing changes before then. Room for the new content is reserved first; where
// the file system cannot reserve room, only content that fits in the blocks the file already
// holds is written, and anything longer is refused with the file unchanged. The write itself
// is still not all-or-nothing: a crash while it runs can leave the file part new and part old.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <sys/types.h>

#include "platform/textfile.h"

class QIODevice;

namespace plat {

class FileReplacement {
 public:
  // Durable content reaches the disk before it takes the name. Scratch content (the scratch
  // folder's own files: pictures for the viewer, copies that can be made again) spares the
  // program that wait, and a link found at its name is replaced, not followed.
  enum class Keep { Durable, Scratch };

  explicit FileReplacement(std::string path, Keep keep = Keep::Durable);
  // A replacement not committed is dropped, its temporary file removed.
  ~FileReplacement();
  FileReplacement(const FileReplacement&) = delete;
  FileReplacement& operator=(const FileReplacement&) = delete;

  // Checks the target (a folder, a file that may not be written, or anything but a regular
  // file is refused) and creates the temporary file, or opens the file to be written in
  // place. False, with error(), when either fails.
  bool open();
  // What streaming writers (images, PDF documents) write to; null unless open.
  QIODevice* device();
  bool write(std::string_view bytes);
  // Makes the written content the file at the path. False, with error(), when anything
  // failed since open; the old file is then untouched and the temporary gone (written in
  // place, see above, only a failure of the final write itself reaches the file).
  bool commit();
  // Drops what was written.
  void cancel();

  // What failed, also a write through device() that was refused (which a streaming writer
  // only reports as a failure of its own); number 0 while nothing has.
  FileError error() const;
  const std::string& path() const { return path_; }

 private:
  class Device;
  bool fail(int number);
  bool fail(const FileError& error);
  int createTemporary();
  int createUnnamedTemporary(unsigned creation);
  int nameTemporary();
  bool temporaryKeepsOwner();
  void dropTemporary();
  bool openInPlace();
  bool commitInPlace();

  std::string path_;
  Keep keep_;
  std::string name_;       // the last part of the file really written (a link's target)
  int folder_ = -1;        // its folder, in which that name and the temporary's are taken
  std::string temporary_;  // the temporary's name; "" while it has none, or when none exists
  bool unnamed_ = false;   // the temporary was made without a name
  int fd_ = -1;
  bool replacesFile_ = false;
  bool inPlace_ = false;
  unsigned mode_ = 0;  // the replaced file's permission bits, owner and group
  uid_t owner_ = 0;
  gid_t group_ = 0;
  std::unique_ptr<Device> device_;
  FileError error_;
};

// The in-place write itself: `bytes` made the whole content of the regular file open for
// writing at `fd`. Room is reserved with `reserve` (fallocate when empty; 0 or an errno) before
// a byte is written; a file system that cannot reserve room (EOPNOTSUPP) gets only content
// that fits in the blocks the file already holds, and anything longer is refused with the
// file untouched. Durable content is waited for to reach the disk. What went wrong, number 0
// when nothing did.
using RoomReservation = std::function<int(int fd, off_t size)>;
FileError WriteInPlace(int fd, std::string_view bytes, bool durable, const RoomReservation& reserve = {});

// Whether temporaries may be made without a name where the file system offers it (the
// default); tests turn it off to see the named temporaries used elsewhere.
void SetUnnamedTemporariesAllowed(bool allowed);

}  // namespace plat
