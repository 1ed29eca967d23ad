// Any byte sequence is a document: the engine lays it out, measuring and drawing, on a
// recording page picture or a recording printer, and must neither fail nor hang. The first
// byte chooses the target and the zoom; the rest is the mark-up.
//
// Hostile documents are long: inputs may be up to 1 MB (the target asks for that unless the
// command line names another -max_len), and with bits 0x38 of the first byte all set, an
// input builds a deep one from a small one: the next two bytes are a count k (little-endian), and
// the rest, "head\x01body\x01tail", becomes head k times, body, tail k times, so that
// "#COC(\x01" "1\x01" "#N)(2#COC)" nests k fractions.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "platform/recording_surface.h"
#include "viewer/engine/htfc_engine.h"

namespace {
constexpr double kZooms[] = {1.0, 0.5, 0.75, 1.5, 2.0};
constexpr double kPageWidthPx = 796;
constexpr double kPageHeightPx = 1125;
constexpr std::size_t kMaxDocument = 1 << 20;
constexpr std::uint8_t kBuildBits = 0x38;  // seldom all set in a seed that begins with mark-up

std::string Built(std::string_view spec, std::size_t count) {
  const std::size_t a = spec.find('\x01');
  const std::string_view head = spec.substr(0, a);
  const std::string_view rest = a == std::string_view::npos ? std::string_view{} : spec.substr(a + 1);
  const std::size_t b = rest.find('\x01');
  const std::string_view body = rest.substr(0, b);
  const std::string_view tail = b == std::string_view::npos ? std::string_view{} : rest.substr(b + 1);
  const std::size_t unit = head.size() + tail.size();
  if (unit > 0) count = std::min(count, (kMaxDocument - std::min(body.size(), kMaxDocument)) / unit);
  std::string text;
  text.reserve(count * unit + body.size());
  for (std::size_t k = 0; k < count; ++k) text += head;
  text += body;
  for (std::size_t k = 0; k < count; ++k) text += tail;
  return text;
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  for (int k = 1; k < *argc; ++k) {
    if (std::strncmp((*argv)[k], "-max_len=", 9) == 0) return 0;
  }
  // The flags are read after this returns: add the larger cap to them.
  static std::string maxLen = "-max_len=" + std::to_string(kMaxDocument);
  static char** args = new char*[static_cast<std::size_t>(*argc) + 2];
  for (int k = 0; k < *argc; ++k) args[k] = (*argv)[k];
  args[*argc] = maxLen.data();
  args[*argc + 1] = nullptr;
  ++*argc;
  *argv = args;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace stagora::engine;
  if (size == 0) return 0;
  const std::uint8_t options = data[0];
  const std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
  std::string text;
  if ((options & kBuildBits) == kBuildBits && rest.size() >= 2) {
    const std::size_t count =
        static_cast<std::uint8_t>(rest[0]) | (static_cast<std::size_t>(static_cast<std::uint8_t>(rest[1])) << 8);
    text = Built(rest.substr(2), count);
  } else {
    text = std::string(rest);
  }

  // Every input starts from a fresh engine, as a viewer started anew would.
  EngineState state;
  ViewerValues viewer;
  InitHTFC(state, viewer);
  viewer.Zoom = kZooms[options % 5];
  const bool printer = (options & 0x80) != 0;
  plat::RecordingSurface target(kPageWidthPx * viewer.Zoom, kPageHeightPx * viewer.Zoom,
                                printer ? 1440.0 / 600 : 15.0);
  viewer.DestinoPantalla = printer ? nullptr : &target;
  viewer.DestinoImpresora = printer ? &target : nullptr;
  double fontSize = (options & 0x40) ? 0 : 12 * viewer.Zoom;
  DibujarHTFC(text, fontSize, target, state, viewer);
  return 0;
}
