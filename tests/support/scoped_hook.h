// The one way a test replaces a process-wide hook (the message box, the shell's start and open
// calls, the file dialogs, the print dialog's script): the hook is set when the guard is made
// and the one it replaced is put back when the guard goes, also when a failed assertion leaves
// the test early, so that no hook is left calling into a test that has finished.
//
//   ScopedHook desktop(plat::SetOpenWithDesktopHandler, [&](const std::string& target) { ... });
//   desktop.replace(other);  // a second answer within the same test
#pragma once

#include <type_traits>
#include <utility>

namespace stagora::test {

template <class Hook>
class ScopedHook {
 public:
  // setter installs a hook and returns the one it replaces, as every hook setter does.
  ScopedHook(Hook (*setter)(Hook), std::type_identity_t<Hook> hook)
      : setter_(setter), previous_(setter(std::move(hook))) {}
  ~ScopedHook() { setter_(std::move(previous_)); }
  ScopedHook(const ScopedHook&) = delete;
  ScopedHook& operator=(const ScopedHook&) = delete;

  // Another hook in place of this guard's; the one from before the guard still comes back.
  void replace(std::type_identity_t<Hook> hook) { setter_(std::move(hook)); }

 private:
  Hook (*setter_)(Hook);
  Hook previous_;
};

}  // namespace stagora::test
