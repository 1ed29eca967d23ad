// Upper and lower case of Windows-1252 text, letter by letter, as the code page defines its
// letters (A-Z, the accented Latin-1 letters, Š, Œ, Ž and Ÿ). Other bytes stay as they are.
#pragma once

#include <string>
#include <string_view>

namespace stagora {

char UpperCase1252(char c);
char LowerCase1252(char c);
std::string UpperCase1252(std::string_view text);
std::string LowerCase1252(std::string_view text);

}  // namespace stagora
