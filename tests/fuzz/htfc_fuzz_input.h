// What a fuzz input is, laid out as the fuzz target lays it out; the test that replays the
// inputs the fuzzer found (tests/fuzz/regressions/htfc/) lays them out the same way.
//
// Any byte sequence is a document: the engine lays it out, measuring and drawing, on a
// recording page picture or a recording printer, and must neither fail nor hang. The first
// byte chooses the target and the zoom; the rest is the mark-up. Hostile documents are long:
// inputs may be up to 1 MB, and with bits 0x38 of the first byte all set an input builds a
// deep document from a small one: the next two bytes are a count k (little-endian), and the
// rest, "head\x01body\x01tail", becomes head k times, body, tail k times (at most 1 MB), so
// that "#COC(\x01" "1\x01" "#N)(2#COC)" nests k fractions.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/recording_surface.h"
#include "viewer/engine/htfc_engine.h"

namespace stagora::fuzz {

constexpr std::size_t kMaxDocument = 1 << 20;

namespace detail {
constexpr double kZooms[] = {1.0, 0.5, 0.75, 1.5, 2.0};
constexpr double kPageWidthPx = 796;
constexpr double kPageHeightPx = 1125;
constexpr std::uint8_t kBuildBits = 0x38;  // seldom all set in a seed that begins with mark-up

inline std::string Built(std::string_view pattern, std::size_t count) {
  const std::size_t a = pattern.find('\x01');
  const std::string_view head = pattern.substr(0, a);
  const std::string_view rest = a == std::string_view::npos ? std::string_view{} : pattern.substr(a + 1);
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
}  // namespace detail

// The document an input stands for.
inline std::string DocumentOf(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return std::string();
  const std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
  if ((data[0] & detail::kBuildBits) == detail::kBuildBits && rest.size() >= 2) {
    const std::size_t count =
        static_cast<std::uint8_t>(rest[0]) | (static_cast<std::size_t>(static_cast<std::uint8_t>(rest[1])) << 8);
    return detail::Built(rest.substr(2), count);
  }
  return std::string(rest);
}

// Lays the input's document out on the target its first byte chooses, with a fresh engine
// (as a viewer started anew would).
inline void LayOut(const std::uint8_t* data, std::size_t size, const std::string& tempPath = "") {
  using namespace stagora::engine;
  if (size == 0) return;
  const std::uint8_t options = data[0];
  const std::string text = DocumentOf(data, size);
  EngineState state;
  ViewerValues viewer;
  InitHTFC(state, viewer);
  viewer.TempPath = tempPath;
  viewer.Zoom = detail::kZooms[options % 5];
  const bool printer = (options & 0x80) != 0;
  plat::RecordingSurface target(detail::kPageWidthPx * viewer.Zoom, detail::kPageHeightPx * viewer.Zoom,
                                printer ? 1440.0 / 600 : 15.0);
  viewer.DestinoPantalla = printer ? nullptr : &target;
  viewer.DestinoImpresora = printer ? &target : nullptr;
  double fontSize = (options & 0x40) ? 0 : 12 * viewer.Zoom;
  DibujarHTFC(text, fontSize, target, state, viewer);
}

}  // namespace stagora::fuzz
