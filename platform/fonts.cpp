#include "platform/fonts.h"

#include <algorithm>
#include <cctype>

#include "platform/encoding.h"

namespace plat {

QString ResolveFontFamily(const std::string& name) {
  std::string n(name);
  std::transform(n.begin(), n.end(), n.begin(), [](unsigned char c) { return std::tolower(c); });
  if (n == "times new roman" || n == "times" || n == "symbol" || n == "mt extra") return "Liberation Serif";
  if (n == "arial" || n == "helvetica" || n == "ms sans serif") return "Liberation Sans";
  if (n == "courier new" || n == "courier") return "Liberation Mono";
  return QString::fromStdU16String(Cp1252ToUtf16(name));
}

QFont MakeQFont(const FontSpec& fontSpec) {
  QFont f(ResolveFontFamily(fontSpec.name));
  f.setPointSizeF(fontSpec.size > 0.5 ? fontSpec.size : 0.5);
  f.setBold(fontSpec.bold);
  f.setItalic(fontSpec.italic);
  f.setUnderline(fontSpec.underline);
  f.setStrikeOut(fontSpec.strikethru);
  f.setStyleStrategy(QFont::PreferAntialias);
  return f;
}

}  // namespace plat
