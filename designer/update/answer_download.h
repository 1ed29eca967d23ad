// Fetching the update service's answer over the network. The call waits for the answer, as
// the check has always done, but keeps the program's windows drawn meanwhile; the user's
// input waits until it returns, so nothing can close a window under the check's feet.
#pragma once

#include <string>

namespace stagora::designer {

// Long enough for a slow line, short enough that a dead service does not hang the program.
inline constexpr int kDownloadTimeoutMs = 15000;
// The answer is a few lines; anything much larger is not the service talking.
inline constexpr long long kMaxAnswerBytes = 1 << 20;

struct DownloadResult {
  bool ok = false;     // the service answered with success (2xx) within the time allowed
  std::string bytes;   // the answer as it came, byte for byte (empty unless ok)
};

// GETs the http or https address (Windows-1252 text). Fails on any other scheme, a network
// or HTTP error, a time-out, an answer over kMaxAnswerBytes, and while another download is
// still running.
DownloadResult DownloadAnswer(const std::string& address, int timeoutMs = kDownloadTimeoutMs);

// True while a download is waiting for its answer.
bool DownloadRunning();

// Whether the text is an absolute http or https address with a host.
bool IsWebAddress(const std::string& address);

}  // namespace stagora::designer
