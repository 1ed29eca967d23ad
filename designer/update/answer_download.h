// Fetching the update service's answer over the network. The request goes out at once and
// the answer is handed over later, from the event loop: the program's windows take keys and
// clicks meanwhile, however long the service takes.
#pragma once

#include <functional>
#include <string>

namespace stagora::designer {

// Long enough for a slow line, short enough that a dead service is given up in time.
inline constexpr int kDownloadTimeoutMs = 15000;
// The answer is a few lines; anything much larger is not the service talking.
inline constexpr long long kMaxAnswerBytes = 1 << 20;

struct DownloadResult {
  bool ok = false;     // the service answered with success (2xx) within the time allowed
  std::string bytes;   // the answer as it came, byte for byte (empty unless ok)
};

// Starts a GET of the http or https address (Windows-1252 text) and returns true; done gets
// the result once the answer is in or given up: on a network or HTTP error, a time-out or an
// answer over kMaxAnswerBytes. Returns false, sending nothing and never calling done, for
// any other scheme and while another download is still running. done is not called when the
// application ends first.
bool DownloadAnswer(const std::string& address, std::function<void(const DownloadResult&)> done,
                    int timeoutMs = kDownloadTimeoutMs);

// True while a download is waiting for its answer.
bool DownloadRunning();

// Whether the text is an absolute http or https address with a host.
bool IsWebAddress(const std::string& address);

}  // namespace stagora::designer
