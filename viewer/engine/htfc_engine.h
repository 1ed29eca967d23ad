// What the viewer uses of the typesetting engine, in one include.
//
// The viewer keeps one EngineState and one ViewerValues for the life of its window. At
// start-up it sets the values (decimal symbol, TempPath, MessagePump) and calls InitHTFC.
// Before each rendering it sets Zoom and DestinoPantalla (pagination, page drawing) or
// DestinoImpresora (printing, with Zoom 1), calls DibujarHTFC, and reads back BloqueCorte,
// the section marks and the margins from the state. A call costs about as much as the text
// it is given is long, however deeply its constructs nest (past 24 levels a construct is
// drawn as the red error word), so any document may be handed to it.
//
// Adding a construct family: its drawer `void DibujarXXX(ConstructContext&)` in its own file
// pair (see construct_parts.h for what a drawer does in each pass), and its line in the
// dispatch table of construct_dispatch.cpp.
#pragma once

#include "viewer/engine/document_layout.h"
#include "viewer/engine/engine_state.h"
#include "viewer/engine/viewer_values.h"
