#include "common/web_address.h"

#include <string_view>

#include "common/text_case.h"
#include "platform/messagebox.h"
#include "platform/shell.h"

namespace stagora {

namespace {

// a e i o u, and the same with acute, grave and diaeresis accents (Windows-1252 bytes).
constexpr std::string_view kVowels =
    "aeiou"
    "\xE1\xE9\xED\xF3\xFA"
    "\xE0\xE8\xEC\xF2\xF9"
    "\xE4\xEB\xEF\xF6\xFC";

// A missing character counts as a vowel, so that the bare word "h" (and the empty word) take
// the contracted particle.
bool IsVowelAt(const std::string& word, std::size_t index) {
  if (index >= word.size()) return true;
  return kVowels.find(LowerCase1252(word[index])) != std::string_view::npos;
}

}  // namespace

void AbrirURL(const std::string& address, const std::string& noConnect) {
  if (plat::OpenWithDesktop(address)) return;
  plat::MsgBox(noConnect + "\r\n" + address, plat::kExclamation);
}

std::string PrepDE(const std::string& word, bool upper) {
  const std::string particle = upper ? "D" : "d";
  const bool startsWithH = !word.empty() && LowerCase1252(word[0]) == 'h';
  const bool contracted = startsWithH ? IsVowelAt(word, 1) : IsVowelAt(word, 0);
  return particle + (contracted ? "'" : "e ") + word;
}

}  // namespace stagora
