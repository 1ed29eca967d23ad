// Any byte sequence is a table file: reading it must neither fail nor hang, and a table it
// takes must write back to a file that reads to the same names and rows (unless a name holds
// the file's own markers, which the format cannot escape).
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "designer/files/table_file.h"

namespace {

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

bool Plain(const std::optional<std::string>& name) {
  return name && name->find('>') == std::string::npos && name->find("[[") == std::string::npos &&
         name->find("]]") == std::string::npos && name->find('<') == std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace stagora;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const VleTableFileRead read = ReadVleTableFile(text);
  if (!read.hasRows || !Plain(read.A) || !Plain(read.B)) return 0;

  VleTableFile file;
  file.A = *read.A;
  file.B = *read.B;
  file.X = read.X;
  file.Y = read.Y;
  const std::string saved = VleTableFileText(file);
  const VleTableFileRead again = ReadVleTableFile(saved);
  Check(again.hasRows && again.A == read.A && again.B == read.B);
  for (int i = 0; i < kTableRows; ++i) {
    Check(RowNumberText(again.X[i]) == RowNumberText(read.X[i]));
    Check(RowNumberText(again.Y[i]) == RowNumberText(read.Y[i]));
  }
  // Written once, the file is ours: writing what it reads to gives the same bytes.
  VleTableFile second = file;
  second.X = again.X;
  second.Y = again.Y;
  Check(VleTableFileText(second) == saved);
  return 0;
}
