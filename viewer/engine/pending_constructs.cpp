// The construct families whose drawers are not written yet. Each is dispatched already and
// sets its construct as text, following the box protocol, so the numbering of both passes
// is right; a family's own drawer file replaces its line here.
#include "viewer/engine/construct_drawers.h"

namespace stagora::engine {

void DibujarAdorno(const std::string& block, plat::Surface& target) { DrawConstructAsText(block, target); }
void DibujarINT(const std::string& block, plat::Surface& target) { DrawConstructAsText(block, target); }
void DibujarUDB(const std::string& block, plat::Surface& target) { DrawConstructAsText(block, target); }
void DibujarAnillo(const std::string& block, plat::Surface& target, int, bool, char) {
  DrawConstructAsText(block, target);
}
void DibujarSPB(const std::string& block, plat::Surface& target) { DrawConstructAsText(block, target); }
void DibujarATX(const std::string& block, plat::Surface& target) { DrawConstructAsText(block, target); }
void DibujarTST(const std::string& block, plat::Surface& target) { DrawConstructAsText(block, target); }
void DibujarCEQ(const std::string& block, plat::Surface& target) { DrawConstructAsText(block, target); }

}  // namespace stagora::engine
