#include "designer/calculation/result_tables.h"

#include <cmath>
#include <utility>

#include "common/number_text.h"

namespace stagora {

namespace {

constexpr const char* kCrLf = "\r\n";
constexpr const char* kMarkupLineEnd = "&LF";
constexpr const char* kMarkupDecimal = "&.";

// A cell is the value plus ten to six significant digits with its leading "1" cut off, which
// gives one whole digit and four decimals for every value below ten.
constexpr double kCellOffset = 10;
constexpr double kCellDigits = 6;
constexpr const char* kCellZeros = "0000";
constexpr std::size_t kCellLength = 6;

// The staircase table lists the corners on the operating lines (odd points) of the first ten
// stages of each group of twenty points, in at most four groups side by side.
constexpr int kPointsPerGroup = 20;
constexpr int kMaxGroups = 4;
constexpr int kLastListedPoint = 19;
constexpr int kGroupColumns = 24;
constexpr int kHeaderXColumn = 8;
constexpr int kHeaderYColumn = 18;
constexpr int kCellXColumn = 5;
constexpr int kCellYColumn = 15;
constexpr const char* kStageHeaderText = "   x       y      ";
constexpr const char* kStageCellGap = "  ";
constexpr const char* kStageGroupGap = "    ";

// The equilibrium table: x = i / 20 beside x = (i + 10) / 20 for i = 0 .. 9.
constexpr int kEquilibriumRows = 10;
constexpr double kEquilibriumStep = 20;
constexpr const char* kEquilibriumHeaderText = "   x        y           x        y";
constexpr const char* kEquilibriumHeaderMarkup = "&+I&SP=8:x &SP=18:y &SP=32:x &SP=42:y &-I &LF";
// Mark-up columns of x1, y1, x2 and y2.
constexpr int kEquilibriumX1Column = 5;
constexpr int kEquilibriumY1Column = 15;
constexpr int kEquilibriumX2Column = 29;
constexpr int kEquilibriumY2Column = 39;
constexpr const char* kEquilibriumCellGap = "   ";
constexpr const char* kEquilibriumPairGap = "      ";

std::string Column(int column) { return "&SP=" + std::to_string(column) + ":"; }

void ReplaceAll(std::string& s, const std::string& from, const std::string& to) {
  if (from.empty()) return;
  std::string out;
  out.reserve(s.size() + s.size() / 2);
  std::size_t pos = 0;
  for (std::size_t hit; (hit = s.find(from, pos)) != std::string::npos; pos = hit + from.size()) {
    out.append(s, pos, hit - pos);
    out += to;
  }
  out.append(s, pos, std::string::npos);
  s = std::move(out);
}

std::string TrimBlanks(const std::string& s) {
  const auto first = s.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

// The stage table's number of column groups: NumPuntos / 20 rounded up, four at most.
int StageGroups(int NumPuntos) {
  int groups = NumPuntos / kPointsPerGroup;
  if (groups * kPointsPerGroup != NumPuntos) ++groups;
  return groups > kMaxGroups ? kMaxGroups : groups;
}

}  // namespace

std::string TableCell(double v, const std::string& simbolo) {
  std::string t = TrimBlanks(FormatNUM(std::fabs(v) + kCellOffset, kCellDigits, simbolo));
  if (simbolo.empty() || t.find(simbolo) == std::string::npos) t += simbolo + kCellZeros;
  t += kCellZeros;
  return t.size() > 1 ? t.substr(1, kCellLength) : std::string();
}

StageTables MakeStageTables(const Staircase& s, const std::string& simbolo) {
  StageTables out;
  const int groups = StageGroups(s.NumPuntos);
  for (int c = 0; c < groups; ++c) {
    out.TablaPlatos_TXT += kStageHeaderText;
    out.TablaPlatos_HTFC += "&+I" + Column(kGroupColumns * c + kHeaderXColumn) + "x" +
                            Column(kGroupColumns * c + kHeaderYColumn) + "y&-I";
  }
  out.TablaPlatos_TXT += kCrLf;
  out.TablaPlatos_HTFC += kMarkupLineEnd;

  // The rows follow the staircase as it is drawn, which stops at the first point at x = 0.
  const auto x = [&s](int k) { return s.PuntoX[static_cast<std::size_t>(k)]; };
  const auto y = [&s](int k) { return s.PuntoY[static_cast<std::size_t>(k)]; };
  for (int i = 1; i <= s.NumPuntos && i <= kLastListedPoint; ++i) {
    if (x(i) == 0) break;
    if (i % 2 == 0) continue;
    for (int c = 0; c < groups; ++c) {
      const int k = kPointsPerGroup * c + i;
      // Past the last point the arrays hold 0: that group adds nothing to the row.
      if (x(k) == 0) continue;
      const std::string cx = TableCell(x(k), simbolo);
      const std::string cy = TableCell(y(k), simbolo);
      out.TablaPlatos_TXT += cx + kStageCellGap + cy + kStageGroupGap;
      out.TablaPlatos_HTFC +=
          Column(kGroupColumns * c + kCellXColumn) + cx + Column(kGroupColumns * c + kCellYColumn) + cy;
    }
    out.TablaPlatos_TXT += kCrLf;
    out.TablaPlatos_HTFC += kMarkupLineEnd;
  }
  ReplaceAll(out.TablaPlatos_HTFC, simbolo, kMarkupDecimal);
  return out;
}

EquilibriumTables MakeEquilibriumTables(const EquilibriumModel& equilibrium, const std::string& simbolo) {
  EquilibriumTables out;
  out.TablaELV_TXT = std::string(kEquilibriumHeaderText) + kCrLf;
  out.TablaELV_HTFC = kEquilibriumHeaderMarkup;
  // A y that cannot be had keeps the value it had before, as every failed statement does.
  double y1 = 0, y2 = 0;
  for (int i = 0; i < kEquilibriumRows; ++i) {
    const double x1 = i / kEquilibriumStep;
    const double x2 = (i + kEquilibriumRows) / kEquilibriumStep;
    if (const Outcome o = equilibrium.YdeX(x1); o.ok()) y1 = o.value;
    if (const Outcome o = equilibrium.YdeX(x2); o.ok()) y2 = o.value;
    const std::string c1 = TableCell(x1, simbolo), c2 = TableCell(y1, simbolo);
    const std::string c3 = TableCell(x2, simbolo), c4 = TableCell(y2, simbolo);
    out.TablaELV_TXT += c1 + kEquilibriumCellGap + c2 + kEquilibriumPairGap + c3 + kEquilibriumCellGap + c4 + kCrLf;
    out.TablaELV_HTFC += Column(kEquilibriumX1Column) + c1 + Column(kEquilibriumY1Column) + c2 +
                         Column(kEquilibriumX2Column) + c3 + Column(kEquilibriumY2Column) + c4 + kMarkupLineEnd;
  }
  ReplaceAll(out.TablaELV_HTFC, simbolo, kMarkupDecimal);
  return out;
}

ResultTables MakeResultTables(const DesignResult& r, const EquilibriumModel& equilibrium) {
  ResultTables t;
  if (!r.ok()) return t;
  StageTables stages = MakeStageTables(r.staircase, r.SimboloDecimal);
  EquilibriumTables curve = MakeEquilibriumTables(equilibrium, r.SimboloDecimal);
  t.TablaELV_TXT = std::move(curve.TablaELV_TXT);
  t.TablaELV_HTFC = std::move(curve.TablaELV_HTFC);
  t.TablaPlatos_TXT = std::move(stages.TablaPlatos_TXT);
  t.TablaPlatos_HTFC = std::move(stages.TablaPlatos_HTFC);
  return t;
}

EquilibriumModel EquilibriumModelOf(const DesignResult& r, const EquilibriumLookup* lookup) {
  return r.UsarTabla ? EquilibriumModel::Table(lookup) : EquilibriumModel::Volatility(r.data.alpha);
}

}  // namespace stagora
