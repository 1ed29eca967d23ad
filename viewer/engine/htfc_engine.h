// What the viewer uses of the typesetting engine: its shared values, the one-time
// initialisation, the document entry, and the page-break handshake and section marks it
// reads back after each call.
#pragma once

#include "viewer/engine/document_layout.h"
#include "viewer/engine/engine_state.h"
#include "viewer/engine/viewer_values.h"
