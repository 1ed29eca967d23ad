// Any byte sequence is a project file: reading it must neither fail nor hang, a file it takes
// must hold a table in order (rows within 0..1, strictly increasing), and what Save would
// write of it must read back to the same project and the same bytes (unless a value holds the
// file's own markers, which the format cannot escape). The clipboard form of the table must
// read back as written.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "designer/files/project_file.h"
#include "designer/files/table_rows_text.h"

namespace {

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

stagora::ProjectFile AsSaved(const stagora::ProjectFileRead& read) {
  stagora::ProjectFile p;
  for (int tag = 0; tag < stagora::kProjectTagCount; ++tag) p.values[tag] = read.values[tag].value_or("");
  p.VleTable = read.VleTable;
  p.table = read.table;
  return p;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace stagora;
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  const std::vector<TableRowText> rows = TableRowsText(text);
  Check(rows.size() <= static_cast<std::size_t>(kTableRows));

  const ProjectFileRead read = ReadProjectFile(text);
  if (!read.ok()) {
    Check(read.table.UltimoPuntoTabla == -1);
    return 0;
  }
  const EquilibriumTable& t = read.table;
  Check(t.UltimoPuntoTabla >= 1 && t.UltimoPuntoTabla < kTableRows);
  for (int i = 0; i <= t.UltimoPuntoTabla; ++i) {
    Check(t.TablaX[i] >= 0 && t.TablaX[i] <= 1 && t.TablaY[i] >= 0 && t.TablaY[i] <= 1);
    if (i < t.UltimoPuntoTabla) Check(t.TablaX[i] < t.TablaX[i + 1] && t.TablaY[i] < t.TablaY[i + 1]);
  }

  // Saved once, the file is ours: reading and saving it again changes nothing. The format
  // has no escapes, so a value that holds a marker or the start of a tag is left out.
  const auto plain = [](const std::optional<std::string>& v) {
    return !v || (v->find("[[") == std::string::npos && v->find("]]") == std::string::npos &&
                  v->find('<') == std::string::npos);
  };
  if (std::all_of(read.values.begin(), read.values.end(), plain)) {
    const std::string saved = ProjectFileText(AsSaved(read));
    const ProjectFileRead again = ReadProjectFile(saved);
    Check(again.ok());
    Check(ProjectFileText(AsSaved(again)) == saved);
  }

  // The clipboard form of the table reads back to its filled rows.
  const std::vector<TableRowText> pasted = TableRowsText(TableRowsClipboardText(t.TablaX, t.TablaY));
  std::size_t k = 0;
  for (int i = 0; i < kTableRows; ++i) {
    if (t.TablaX[i] == kEmptyTableValue || t.TablaY[i] == kEmptyTableValue) continue;
    Check(k < pasted.size());
    Check(RowNumberText(pasted[k].x) == RowNumberText(t.TablaX[i]));
    Check(RowNumberText(pasted[k].y) == RowNumberText(t.TablaY[i]));
    ++k;
  }
  Check(k == pasted.size());
  return 0;
}
