#include "designer/calculation/result_texts.h"

#include <cmath>

#include "designer/calculation/operating_lines.h"

namespace stagora {

namespace {

constexpr const char* kPointSeparator = ";   ";

std::string PointText(const char* xName, double x, const char* yName, double y, const std::string& simbolo) {
  return std::string(xName) + " = " + FormatNUMIn(x, kResultDigits, simbolo) + kPointSeparator + yName + " = " +
         FormatNUMIn(y, kResultDigits, simbolo);
}

}  // namespace

std::string FormatNUMIn(double x, double digits, const std::string& simbolo) {
  // FormatNUM writes the current SimboloDecimal and no other "." or ",", so the symbol can be
  // swapped afterwards and the shared one is never touched.
  const std::string s = FormatNUM(x, digits);
  const std::string& current = SimboloDecimal;
  if (simbolo == current || current.empty()) return s;
  std::string out;
  out.reserve(s.size());
  std::size_t pos = 0;
  for (std::size_t hit; (hit = s.find(current, pos)) != std::string::npos; pos = hit + current.size()) {
    out.append(s, pos, hit - pos);
    out += simbolo;
  }
  out.append(s, pos, std::string::npos);
  return out;
}

std::string Recta(double m, double b, const std::string& simbolo) {
  std::string s = "y = ";
  if (m == 0) return s + FormatNUMIn(b, kResultDigits, simbolo);
  if (m < 0) s += "-";
  if (std::fabs(m) != 1) s += FormatNUMIn(std::fabs(m), kResultDigits, simbolo);
  s += "x ";
  if (b == 0) return s;
  s += b < 0 ? "- " : "+ ";
  return s + FormatNUMIn(std::fabs(b), kResultDigits, simbolo);
}

ResultTexts MakeResultTexts(const DesignResult& r) {
  ResultTexts t;
  if (!r.ok()) return t;
  const std::string& sym = r.SimboloDecimal;
  const OperatingLines& l = r.lines;
  t.Text7 = FormatNUMIn(r.reflux.Rmin, kResultDigits, sym);
  t.Text8 = IsVerticalSlope(l.mQ) ? "x = " + FormatNUMIn(r.data.zF, kResultDigits, sym) : Recta(l.mQ, l.bQ, sym);
  t.Text9 = Recta(l.mE, l.bE, sym);
  t.Text10 = Recta(l.mS, l.bS, sym);
  t.Text11 = PointText("xq", l.xq, "yq", l.yq, sym);
  t.Text12 = PointText("xm", r.pinch.xm, "ym", r.pinch.ym, sym);
  // The counts are shown in real plates; validation keeps E within (0, 1].
  t.Text13 = FormatNUMIn(r.PlatoAlimTeor / r.data.E, kPlateCountDigits, sym);
  t.Text14 = FormatNUMIn(r.NumPlatosTeor / r.data.E, kPlateCountDigits, sym);
  return t;
}

}  // namespace stagora
