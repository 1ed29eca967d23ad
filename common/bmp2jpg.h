// The report's diagram goes into its document as a JPEG: the designer saves the diagram as a
// Windows bitmap and converts it here.
#pragma once

#include <string>

namespace stagora {

// Reads the bitmap (1, 4, 8, 16, 24 or 32 bits; 16 and more become 24, 1 is widened to 8)
// and writes it as a JPEG of the given quality (the designer passes 95). A bitmap that cannot
// be found, held or loaded is reported in a message box titled "Error encountered!" and no
// JPEG is written. True when the JPEG was written. The bitmap stays where it is.
bool BMP2JPG(const std::string& bitmapPath, const std::string& jpegPath, int quality);

}  // namespace stagora
