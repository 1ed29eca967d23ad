// A look at a PNG file's chunk lengths before the picture decoder sees it. The decoder takes
// a chunk's declared length on trust and allocates it before reading (up to 2 GB for a
// text chunk), so a few hundred damaged bytes in a document's image could claim gigabytes.
#pragma once

#include <string_view>

namespace plat {

// False when the bytes are a PNG file (by its signature) one of whose chunks, up to the
// end chunk, declares more bytes than the file still holds. Anything else is left to the
// decoder, which refuses it or reads it.
bool PngChunksFit(std::string_view bytes);

}  // namespace plat
