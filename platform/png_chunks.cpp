#include "platform/png_chunks.h"

#include <cstdint>

namespace plat {
namespace {

constexpr std::string_view kSignature("\x89PNG\r\n\x1a\n", 8);
constexpr std::size_t kLengthSize = 4;
constexpr std::size_t kTypeSize = 4;
constexpr std::size_t kCrcSize = 4;

std::uint32_t BigEndian32(std::string_view b) {
  std::uint32_t v = 0;
  for (std::size_t i = 0; i < 4; ++i) v = (v << 8) | static_cast<unsigned char>(b[i]);
  return v;
}

}  // namespace

bool PngChunksFit(std::string_view bytes) {
  if (!bytes.starts_with(kSignature)) return true;
  std::string_view rest = bytes.substr(kSignature.size());
  while (rest.size() >= kLengthSize + kTypeSize) {
    const std::uint64_t length = BigEndian32(rest);
    const std::string_view type = rest.substr(kLengthSize, kTypeSize);
    rest.remove_prefix(kLengthSize + kTypeSize);
    if (length > rest.size()) return false;
    if (type == "IEND") return true;
    rest.remove_prefix(static_cast<std::size_t>(length));
    rest.remove_prefix(rest.size() < kCrcSize ? rest.size() : kCrcSize);
  }
  return true;
}

}  // namespace plat
