#include "designer/report/report_text.h"

namespace stagora::report_text {

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  if (from.empty()) return text;
  std::string out;
  out.reserve(text.size());
  std::size_t pos = 0;
  for (std::size_t hit; (hit = text.find(from, pos)) != std::string::npos; pos = hit + from.size()) {
    out.append(text, pos, hit - pos);
    out += to;
  }
  out.append(text, pos, std::string::npos);
  return out;
}

std::string Trim(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string Literal(const std::string& typed) {
  constexpr const char* kBarrier = "&-S";
  std::string out;
  out.reserve(typed.size() * 2);
  for (const char ch : typed) {
    switch (ch) {
      case '&':
      case '#':
        out += ch;
        out += ch;
        out += kBarrier;
        break;
      case '_':
      case '^':
        out += ch;
        out += ch;
        break;
      default:
        out += ch;
    }
  }
  return out;
}

}  // namespace stagora::report_text
