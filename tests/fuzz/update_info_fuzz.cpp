// Any byte sequence is an answer of the update service: reading it must neither fail nor
// hang, and what it announces is a version really newer than the running one, rebuilt from
// whole numbers, with its address.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "designer/update/update_info.h"

namespace {

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace stagora::designer;
  const std::string_view answer(reinterpret_cast<const char*>(data), size);

  for (const ProgramVersion& running : {RunningVersion(), ProgramVersion{0, 0, 0}, ProgramVersion{2147, 483, 647}}) {
    const UpdateInfo info = ReadUpdateInfo(answer, running);
    if (!info.available) {
      Check(info.url.empty() && info.version.empty());
      continue;
    }
    Check(answer.find("TROV_URL=") != std::string_view::npos);
    Check(info.url.find(';') == std::string::npos);
    // The announced version, read back as the service wrote it, is newer.
    const std::string again = "TROV_VER=" + info.version + ";TROV_URL=" + info.url + ";";
    const UpdateInfo reread = ReadUpdateInfo(again, running);
    Check(reread.available && reread.version == info.version && reread.url == info.url);
    const std::size_t dot1 = info.version.find('.');
    const std::size_t dot2 = info.version.find('.', dot1 + 1);
    Check(dot1 != std::string::npos && dot2 != std::string::npos);
    Check(VersionNumber(LeadingNumber(info.version.substr(0, dot1)),
                        LeadingNumber(info.version.substr(dot1 + 1, dot2 - dot1 - 1)),
                        LeadingNumber(info.version.substr(dot2 + 1))) > VersionNumber(running));
  }
  LeadingNumber(answer);
  return 0;
}
