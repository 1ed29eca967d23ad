// The engine's entry for drawing a document: one mark-up text laid out line by line on a
// page of the target, wrapped inside the margins, stopped at the page's foot, with the
// section marks recorded and the page-break handshake left in BloqueCorte.
#pragma once

#include <string>

#include "platform/surface.h"

namespace stagora::engine {

// Lays out and draws `text` on `target` (DestinoPantalla or DestinoImpresora, set by the
// caller) at the base size `size` in points. A size of 0 or less becomes 5 x Zoom, and the
// replacement is written back. Afterwards BloqueCorte, NumMarcas, the marks and the margins
// describe the page.
void DibujarHTFC(const std::string& text, double& size, plat::Surface& target);

// The line with its placeholders ("&." for the decimal symbol and the others) replaced by
// the viewer's current symbols, each at every occurrence, in a fixed order.
std::string SustituirMacros(const std::string& line);

}  // namespace stagora::engine
