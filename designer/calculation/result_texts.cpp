#include "designer/calculation/result_texts.h"

#include <cmath>

#include "common/number_text.h"
#include "designer/calculation/operating_lines.h"

namespace stagora {

namespace {

constexpr const char* kPointSeparator = ";   ";

std::string PointText(const char* xName, double x, const char* yName, double y, const std::string& simbolo) {
  return std::string(xName) + " = " + FormatNUM(x, kResultDigits, simbolo) + kPointSeparator + yName + " = " +
         FormatNUM(y, kResultDigits, simbolo);
}

}  // namespace

std::string Recta(double m, double b, const std::string& simbolo) {
  std::string s = "y = ";
  if (m == 0) return s + FormatNUM(b, kResultDigits, simbolo);
  if (m < 0) s += "-";
  if (std::fabs(m) != 1) s += FormatNUM(std::fabs(m), kResultDigits, simbolo);
  s += "x ";
  if (b == 0) return s;
  s += b < 0 ? "- " : "+ ";
  return s + FormatNUM(std::fabs(b), kResultDigits, simbolo);
}

ResultTexts MakeResultTexts(const DesignResult& r) {
  ResultTexts t;
  if (!r.ok()) return t;
  const std::string& sym = r.SimboloDecimal;
  const OperatingLines& l = r.lines;
  t.Text7 = FormatNUM(r.reflux.Rmin, kResultDigits, sym);
  t.Text8 = IsVerticalSlope(l.mQ) ? "x = " + FormatNUM(r.data.zF, kResultDigits, sym) : Recta(l.mQ, l.bQ, sym);
  t.Text9 = Recta(l.mE, l.bE, sym);
  t.Text10 = Recta(l.mS, l.bS, sym);
  t.Text11 = PointText("xq", l.xq, "yq", l.yq, sym);
  t.Text12 = PointText("xm", r.pinch.xm, "ym", r.pinch.ym, sym);
  // The counts are shown in real plates; validation keeps E within (0, 1].
  t.Text13 = FormatNUM(r.PlatoAlimTeor / r.data.E, kPlateCountDigits, sym);
  t.Text14 = FormatNUM(r.NumPlatosTeor / r.data.E, kPlateCountDigits, sym);
  return t;
}

}  // namespace stagora
