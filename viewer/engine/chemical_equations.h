// Chemical equations "#CEQ(" n "'" equation "'" table cells "#CEQ)": the species of the left
// side joined by plus signs, one reaction arrow, the species of the right side, and for n > 1
// further rows of a small table under them ("#A21(" label "#A21)" "#A22(" entry "#A22)" ...),
// a rule between consecutive rows. Every species and entry is a cell of ordinary mark-up; the
// plus signs and the arrow are drawn into the gaps between the cells.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "viewer/engine/construct_parts.h"

namespace stagora::engine {

// At most nine columns: the row labels and eight species.
constexpr int kMaxEquationColumns = 9;

// Where a cell's text comes from: the stretch of the block it holds at `at`, with nothing but
// spaces around it; empty when it holds none of the block.
struct CellSource {
  std::string_view text;
  std::size_t at = 0;
};

struct ChemicalEquation {
  // False when the equation cannot be laid out: it does not stand between two apostrophes of
  // its own level, more than blanks and table blocks follow it, its sides hold more species
  // than the columns allow, or it has no arrow of its own while an arrow code or a
  // texts-on-arrow construct stands inside it.
  bool readable = false;
  int rows = 0;         // n, the equation's row included; 0 when the count is not a digit
  int columns = 0;      // C: the blank first column and the species
  int leftColumns = 0;  // L: the last column of the left side
  // "&Q" (equilibrium), "&ars" or "&als"; empty when no arrow code stands at the equation's
  // own level (outside its nested constructs, parameter codes and other symbol codes)
  std::string arrow;
  // Rows x columns, 0-based: texts of their own, each framed by the spaces the layout needs.
  std::vector<std::vector<std::string>> cells;
  std::vector<std::vector<CellSource>> sources;  // alike, for every cell
};

// The grid of cells, as the equation and the table blocks give it.
ChemicalEquation CutEquation(std::string_view block, const BlockFinder& blocks = BlockFinder());

// "#CEQ(": the equation and its table, centred on the line's axis; an equation that cannot be
// laid out shows the red error text in its place.
void DibujarCEQ(ConstructContext& k);

}  // namespace stagora::engine
