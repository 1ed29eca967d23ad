// The drawers of the bracketed constructs, one family each. A drawer takes the whole
// construct from its opening tag to its closing tag (as ExtraerBloque cut it) and the target,
// reads the pass from ModoDibujo and its box number from ContadorCajas, renders its parts
// through ProcesarLinea, and restores the target's font name, size and italic state on exit.
//
// Each family's drawer lives in its own file; a family not built yet is declared here and
// defined in pending_constructs.cpp, where it draws the construct as text.
#pragma once

#include <string>

#include "platform/surface.h"

namespace stagora::engine {

void DibujarRaiz(const std::string& block, plat::Surface& target);    // "#RAD(" "#SQR(" "#CUR("
void DibujarAdorno(const std::string& block, plat::Surface& target);  // the fourteen decorations
void DibujarINT(const std::string& block, plat::Surface& target);     // "#INT("
void DibujarIMG(const std::string& block, plat::Surface& target);     // "#IMG("
void DibujarUDB(const std::string& block, plat::Surface& target);     // "#UDB("
// "#A3V(" ... "#A9D(", "#BCV(", "#BCH(": a ring of `vertices` sides, with an inscribed
// circle when `circle`, in the variant `letter`.
void DibujarAnillo(const std::string& block, plat::Surface& target, int vertices, bool circle, char letter);
// "#NES(": `fittingPart` is the drawer's own out-argument for its content's renderer calls.
void DibujarNES(const std::string& block, plat::Surface& target, std::string& fittingPart);
void DibujarPOT(const std::string& block, plat::Surface& target);  // "#POT(" "#EXP("
void DibujarCOC(const std::string& block, plat::Surface& target);  // "#COC(" "#DDL("
void DibujarSPB(const std::string& block, plat::Surface& target);  // "#SPB("
void DibujarATX(const std::string& block, plat::Surface& target);  // "#ATX("
void DibujarTST(const std::string& block, plat::Surface& target);  // "#TST("
void DibujarRWS(const std::string& block, plat::Surface& target);  // "#RWS("
void DibujarCEQ(const std::string& block, plat::Surface& target);  // "#CEQ("

// A construct set as text: its opening tag, its content rendered as one part, its closing
// tag. Follows the box protocol (one part, number b + 1), so numbering is the same as for
// any drawer with one part.
void DrawConstructAsText(const std::string& block, plat::Surface& target);

}  // namespace stagora::engine
