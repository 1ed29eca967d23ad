// Any byte sequence is a document: the engine lays it out, measuring and drawing, on a
// recording page picture or a recording printer, and must neither fail nor hang. The first
// byte chooses the target and the zoom; the rest is the mark-up. Images are looked up in a
// program folder and a scratch folder of the target's own, which hold a few pictures.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/recording_surface.h"
#include "tests/fuzz/fuzz_folders.h"
#include "viewer/engine/htfc_engine.h"

namespace {
constexpr double kZooms[] = {1.0, 0.5, 0.75, 1.5, 2.0};
constexpr double kPageWidthPx = 796;
constexpr double kPageHeightPx = 1125;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace stagora::engine;
  if (size == 0) return 0;
  const std::uint8_t options = data[0];
  const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);

  // Every input starts from a fresh engine, as a viewer started anew would.
  EngineState state;
  ViewerValues viewer;
  InitHTFC(state, viewer);
  viewer.TempPath = stagora::fuzz::Folders().temp;
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
