// Any byte sequence is the clipboard's rows text, pasted into the equilibrium table: reading
// it must neither fail nor hang, gives at most a table's rows, and the rows read, copied
// back to the clipboard, paste as the same rows.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "designer/files/table_rows_text.h"

namespace {

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace stagora;
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  const std::vector<TableRowText> rows = TableRowsText(text);
  Check(rows.size() <= static_cast<std::size_t>(kTableRows));
  if (const auto block = RowBlock(text)) {
    Check(block->size() < text.size());
    Check(TableRowsText(*block).size() <= static_cast<std::size_t>(kTableRows));
  }

  TableColumn x, y;
  x.fill(kEmptyTableValue);
  y.fill(kEmptyTableValue);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (rows[i].unreadable) Check(rows[i].x == 0 || rows[i].y == 0);
    x[i] = rows[i].x;
    y[i] = rows[i].y;
  }
  const std::vector<TableRowText> pasted = TableRowsText(TableRowsClipboardText(x, y));
  std::size_t k = 0;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (x[i] == kEmptyTableValue || y[i] == kEmptyTableValue) continue;
    Check(k < pasted.size());
    Check(RowNumberText(pasted[k].x) == RowNumberText(x[i]));
    Check(RowNumberText(pasted[k].y) == RowNumberText(y[i]));
    ++k;
  }
  Check(k == pasted.size());

  // The file form keeps every row, empty ones too.
  const std::vector<TableRowText> filed = TableRowsText(TableRowsFileText(x, y));
  Check(filed.size() == static_cast<std::size_t>(kTableRows));
  return 0;
}
