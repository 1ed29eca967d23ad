// Opening a web address with the desktop, and the particle "de" / "d'" put in front of a
// component's name for the diagram's axis captions.
#pragma once

#include <string>

namespace stagora {

// Hands the address (a web page, a mail address or a file) to the desktop. When nothing can
// open it, an exclamation message box shows noConnect (the caller's text from its language
// file, key "No_connect") and, on a second line, the address.
void AbrirURL(const std::string& address, const std::string& noConnect);

// "de " & word, or "d'" & word before a vowel (accented ones included) and before "h" plus a
// vowel; "D" instead of "d" when upper. The word itself is not changed. Windows-1252.
std::string PrepDE(const std::string& word, bool upper);

}  // namespace stagora
