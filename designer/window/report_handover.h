// The report's hand-over to the viewer (FormMain::CrearINFORME_HTFC and SaveFile_SHOWOVDR),
// as far as a test needs to reach into it.
#pragma once

#include <functional>
#include <string>

namespace stagora::designer {

// The bitmap-to-JPEG conversion the report uses, True when the JPEG was written. A test puts
// its own in DesignerState::ReportImageConversion; an empty one is the real one (BMP2JPG).
using ImageConversion = std::function<bool(const std::string& bitmapPath, const std::string& jpegPath, int quality)>;

}  // namespace stagora::designer
