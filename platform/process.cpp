#include "platform/process.h"

#include <csignal>

namespace plat {

void IgnoreFileSizeLimitSignal() { std::signal(SIGXFSZ, SIG_IGN); }

}  // namespace plat
