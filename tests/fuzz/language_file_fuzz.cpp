// Any byte sequence is a language file: loading it must neither fail nor hang, a file it
// rejects leaves the window without texts, and a file it takes answers every key it names.
// The input is written as the window's file in a folder of the target's own and read from
// there, as a window reads it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/language_table.h"
#include "platform/textfile.h"
#include "tests/fuzz/fuzz_folders.h"

namespace {

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

// The key of the first line that opens with "[", as a window would ask for it.
std::string FirstKey(std::string_view text) {
  const std::size_t open = text.find('[');
  if (open == std::string_view::npos) return {};
  const std::size_t close = text.find(']', open);
  if (close == std::string_view::npos) return {};
  const std::size_t end = text.find('\r', open);
  if (end != std::string_view::npos && end < close) return {};
  return std::string(text.substr(open + 1, close - open - 1));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace stagora;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::string folder = fuzz::Folders().program + "/lang";
  static const bool made = plat::CreateDirectory(folder);
  Check(made);

  LanguageTable table("FUZ");
  table.SetLanguageFolder(folder);
  Check(plat::WriteTextFile(table.LanguageFilePath("FUZ"), std::string(text)));
  const bool loaded = table.LoadIdioma("FUZ");
  Check(loaded == table.IdiomaCargado());

  const std::string key = FirstKey(text);
  for (const bool removeAmpersand : {false, true}) {
    const std::string caption = table.GetL_win(key, removeAmpersand);
    if (!loaded) Check(caption.empty());
    if (removeAmpersand) Check(caption.find('&') == std::string::npos);
    table.GetL_win("CAPTION", removeAmpersand);
    table.GetL_win(" caption ", removeAmpersand);
  }
  return 0;
}
