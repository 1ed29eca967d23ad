// The folders pictures are looked up in, each listed once and listed again only when it has
// changed since, so that a document with thousands of pictures does not list the folder for
// every one of them. An engine state keeps them from call to call (images.cpp uses them).
#pragma once

#include <string>
#include <unordered_map>

#include <sys/stat.h>
#include <time.h>

namespace stagora::engine {

class FolderListings {
 public:
  // The entry of `folder` whose name is `upperName` (Windows-1252, upper case) without regard
  // to case; "" when none. Of several such entries (a case-sensitive file system) the first in
  // name order is taken.
  std::string Find(const std::string& folder, const std::string& upperName);

 private:
  // A folder's regular files by the upper-case form of their names, as documents name them:
  // of several that differ only in case, the first in name order.
  struct Names {
    struct stat seen {};  // the folder when it was listed
    struct timespec listedAt {};
    std::unordered_map<std::string, std::string> byUpper;
  };
  static Names List(const std::string& folder, const struct stat& seen);
  std::unordered_map<std::string, Names> listings_;
};

}  // namespace stagora::engine
