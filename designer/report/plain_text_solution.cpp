#include "designer/report/plain_text_solution.h"

#include "common/number_text.h"
#include "designer/report/report_text.h"

namespace stagora {
namespace {

using report_text::Replace;
using report_text::Trim;

constexpr double kReportDigits = 5;
constexpr const char* kCRLF = "\r\n";

// The stream labels are padded to this width so that their values line up in the fixed-pitch
// font; a longer label is followed by kLongLabelGap blanks instead.
constexpr std::size_t kLabelColumn = 18;
constexpr std::size_t kLongLabelGap = 10;

std::string StreamLine(const std::string& label, const std::string& value) {
  const std::size_t gap = label.size() > kLabelColumn ? kLongLabelGap : kLabelColumn - label.size();
  return label + std::string(gap, ' ') + value + kCRLF;
}

}  // namespace

std::string MakePlainTextSolution(const ReportInput& in) {
  if (in.designInError) return "";
  const auto L = [&in](const std::string& key) { return in.GetL_win ? in.GetL_win(key) : std::string(); };
  const std::string efficiency = Trim(in.Text15);

  std::string t = L("Dist_binary");
  const std::string nameA = Trim(in.Text16);
  const std::string nameB = Trim(in.Text17);
  if (!nameA.empty() && !nameB.empty()) {
    t += ": " + nameA + " - " + nameB + kCRLF + L("X_refered_to") + "." + kCRLF;
    t = Replace(t, "%C%", nameA);
  } else {
    t += ". " + L("X_refered_toMostVol") + "." + kCRLF;
  }

  t += kCRLF + L("X_streams") + ":" + kCRLF;
  t += std::string(kFixedPitchOpen) + kCRLF;
  t += StreamLine(L("Feed") + ":", " Zf = " + in.Text3);
  t += StreamLine(L("Distillate") + ":", " Xd = " + in.Text4);
  t += StreamLine(L("Bottoms") + ":", " Xb = " + in.Text5);
  t += std::string(kFixedPitchClose) + kCRLF + kCRLF;

  t += L("Param_Thermal_feed") + ":" + kCRLF + "    q = " + in.Text2 + "   " + in.feedStateCaption + "." + kCRLF +
       kCRLF;
  t += L("RefluxRatio") + ":" + kCRLF + "    R = L/D = " + in.Text6 + kCRLF + kCRLF;
  t += L("Overall_effic") + ":" + kCRLF + "    E = " + in.Text15 + kCRLF + kCRLF;

  t += L("VLE") + ":" + kCRLF;
  if (!in.UsarTabla) {
    t += "    " + L("Relat_volat") + ":" + kCRLF + "    " + L("Alpha") + " = " + in.Text1 + kCRLF + kCRLF;
  } else if (in.UltimoPuntoTabla >= 1) {
    t += std::string(kFixedPitchOpen) + kCRLF + in.TablaELV_TXT + kCRLF + kFixedPitchClose + kCRLF;
  }

  const std::pair<const char*, const std::string*> results[] = {
      {"q_line", &in.Text8},           {"Enrich_op_line", &in.Text9},   {"Exhaus_op_line", &in.Text10},
      {"Cut_q_Line_RROO", &in.Text11}, {"Cut_q_Line_VLE", &in.Text12},
  };
  for (const auto& [key, field] : results) t += L(key) + ":" + kCRLF + "    " + *field + kCRLF + kCRLF;

  t += L("RefluxRatioMIN") + ":" + kCRLF + "    Rmin = " + in.Text7 + kCRLF + kCRLF;

  t = Replace(t + L("Posic_Feed_Plate1") + ":" + kCRLF, "%EFI%", efficiency);
  t = Replace(t + "    " + L("Posic_Feed_Plate2") + kCRLF + kCRLF, "%NF%", Trim(in.Text13));

  const std::string NPT = Replace(FormatNUM_HTFC(in.NumPlatosTeor, kReportDigits), "&.", in.SimboloDecimal);
  t = Replace(t + L("NTP_Rendim100%_1") + ":" + kCRLF + "    " + L("NTP_Rendim100%_2") + kCRLF + kCRLF, "%NPT%", NPT);

  if (efficiency != "1") {
    t = Replace(t + L("NTP_RendimREN%_1") + ":" + kCRLF, "%EFI%", efficiency);
    t = Replace(t + "    " + L("NTP_RendimREN%_2") + kCRLF + kCRLF, "%NNN%", Trim(in.Text14));
  }
  return t + kCRLF;
}

}  // namespace stagora
