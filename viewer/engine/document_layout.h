// The engine's entries for the viewer: the one-time initialisation, drawing a document (one
// mark-up text laid out line by line on a page of the target, wrapped inside the margins,
// stopped at the page's foot, with the section marks recorded and the page-break handshake
// left in BloqueCorte), and the placeholder pass every line goes through.
#pragma once

#include <string>

#include "platform/surface.h"
#include "viewer/engine/engine_state.h"
#include "viewer/engine/viewer_values.h"

namespace stagora::engine {

// Called once by the viewer's start-up, after it has set its values and before any
// rendering: builds the symbol table, clears ColorLinea and sets Pi.
void InitHTFC(EngineState& state, ViewerValues& viewer);

// Lays out and draws `text` on `target` at the base size `size` in points. The target must
// be viewer.DestinoPantalla (the page picture) or viewer.DestinoImpresora (the printer): the
// caller sets the one it draws on before the call. A size of 0 or less becomes 5 x Zoom, and
// the replacement is written back.
//
// Drawing and printing a page call it with the page's blocks and then read
// the margins; the page picture's mouse handlers read state.NumMarcas and the marks. The
// viewer's MessagePump runs after every line drawn.
void DibujarHTFC(const std::string& text, double& size, plat::Surface& target, EngineState& state,
                 const ViewerValues& viewer);

// Lays `text` out exactly as DibujarHTFC would, drawing nothing: the same BloqueCorte,
// NumMarcas and margins, for pagination's trial pages, which need only the page break. The
// marks' bands are not recorded (they are found while drawing).
void MedirHTFC(const std::string& text, double& size, plat::Surface& target, EngineState& state,
               const ViewerValues& viewer);

// The line with its placeholders ("&." for the decimal symbol and the others) replaced by
// the viewer's current symbols, each at every occurrence, in a fixed order.
std::string SustituirMacros(const std::string& line, const ViewerValues& viewer);

}  // namespace stagora::engine
