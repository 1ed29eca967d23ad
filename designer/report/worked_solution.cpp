#include "designer/report/worked_solution.h"

#include "common/number_text.h"
#include "designer/report/report_text.h"

namespace stagora {
namespace {

using report_text::Literal;
using report_text::Replace;
using report_text::Trim;

// Significant digits of the numbers the report formats itself.
constexpr double kReportDigits = 5;

constexpr const char* kLF = "&LF";
constexpr const char* kIndent = "    ";

// The general equations, written once for every design.
constexpr const char* kEquilibriumEquations =
    "  &+Iy&-I = #COC(&alfa &+Ix&-I#N)(1 + (&alfa - 1) &+Ix&-I#COC);    "
    "&+Ix&-I = #COC(&+Iy&-I#N)(&alfa - (&alfa - 1) &+Iy&-I#COC)&LF&LF";
constexpr const char* kQLineEquation =
    "&+Iy = #COC(q#N)(q - 1#COC)x - #COC(&+Iz&-I_F&+I#N)(q - 1#COC)&-I&LF";
constexpr const char* kEnrichingLineEquation =
    "    &+Iy = #COC(R#N)(R + 1#COC)x + #COC(&+Ix&-I_D&+I#N)(R + 1#COC)&-I&LF";
constexpr const char* kMinimumRefluxLineEquation =
    "    &+Iy = #COC(&+IR&-I_m_i_n&+I#N)(&+IR&-I_m_i_n&+I + 1#COC)x + "
    "#COC(&+Ix&-I_D&+I#N)(&+IR&-I_m_i_n&+I + 1#COC)&-I&LF";

// The fields as the mark-up writes them; what the user typed is written literally.
struct MarkupFields {
  std::string zF, xD, xB;
  std::string Rmin;
  std::string Q, N, S;  // the three line equations
  std::string P, M;     // the two intersection points
  std::string NF, NNN;  // feed plate, real plates
  std::string mRmin, NPT;
};

MarkupFields PrepareFields(const ReportInput& in) {
  const std::string& dec = in.SimboloDecimal;
  const auto number = [&dec](const std::string& field) { return Replace(field, dec, "&."); };
  const auto typedNumber = [&number](const std::string& field) { return number(Literal(field)); };
  const auto equation = [&number](std::string field) {
    field = Replace(field, "x", "&+Ix&-I");
    field = Replace(field, "y", "&+Iy&-I");
    return number(field);
  };
  const auto point = [&number](std::string field, const std::string& sub) {
    field = Replace(field, "x" + sub, "&+Ix&-I_" + sub);
    field = Replace(field, "y" + sub, "&+Iy&-I_" + sub);
    return number(field);
  };
  MarkupFields f;
  f.zF = typedNumber(in.Text3);
  f.xD = typedNumber(in.Text4);
  f.xB = typedNumber(in.Text5);
  f.Rmin = number(in.Text7);
  f.Q = equation(in.Text8);
  f.N = equation(in.Text9);
  f.S = equation(in.Text10);
  f.P = point(in.Text11, "q");
  f.M = point(in.Text12, "m");
  f.NF = number(in.Text13);
  f.NNN = number(in.Text14);
  f.mRmin = FormatNUM_HTFC(in.PendienteMin, kReportDigits);
  f.NPT = FormatNUM_HTFC(in.NumPlatosTeor, kReportDigits);
  return f;
}

class Writer {
 public:
  explicit Writer(const ReportInput& in) : in_(in), f_(PrepareFields(in)) {}

  WorkedSolution Write(const std::string& Nomb_JPG) {
    WorkedSolution s;
    s.statement = Statement();
    Resolution(Nomb_JPG, s);
    return s;
  }

 private:
  std::string L(const std::string& key) const { return in_.GetL_win ? in_.GetL_win(key) : std::string(); }

  std::string Statement() const {
    std::string t = "&+B" + L("NTP_STGR") + ".&-B&LF";
    t += L("Dist_binary");
    const std::string nameA = Literal(Trim(in_.Text16));
    const std::string nameB = Literal(Trim(in_.Text17));
    if (!nameA.empty() && !nameB.empty()) {
      // The names go in after the replacement, so that a name holding "%C%" stays as typed.
      t = Replace(t, "%C%", nameA);
      t += ":  " + nameA + " - " + nameB + kLF + Replace(L("X_refered_to"), "%C%", nameA) + ".&LF";
    } else {
      t += ". " + L("X_refered_toMostVol") + ".&LF";
    }
    t += L("X_streams") + ":&LF";
    t += kIndent + L("Feed") + ":&SP=18:&+Iz&-I_F = " + f_.zF + kLF;
    t += kIndent + L("Distillate") + ":&SP=18:&+Ix&-I_D = " + f_.xD + kLF;
    t += kIndent + L("Bottoms") + ":&SP=18:&+Ix&-I_B = " + f_.xB + kLF;
    t += L("Param_Thermal_feed") + ":&LF";
    t += "    &+Iq&-I = " + Literal(in_.Text2) + "  " + in_.feedStateCaption + kLF;
    t += L("RefluxRatio") + ":&LF";
    t += "    &+IR = L/D = &-I" + Literal(in_.Text6) + kLF;
    t += L("Overall_effic") + ":&LF";
    t += "    &+IE = &-I" + Literal(in_.Text15) + kLF;
    t += L("Find_out") + ":";
    t += "&SP=12:&+Ba)&-B& " + L("RefluxRatioMIN") + ".&LF";
    t += "&SP=12:&+Bb)&-B& " + L("NFeedPlate2") + ".&LF";
    t += "&SP=12:&+Bc)&-B& " + L("NTheorPlates2") + ".&LF&LF";
    t += L("VLE") + kLF;
    if (!in_.UsarTabla) {
      t += L("Relat_volat") + "  &alfa = " + Literal(in_.Text1) + kLF;
      t += L("Where") + ":" + kEquilibriumEquations;
    } else if (in_.UltimoPuntoTabla >= 1) {
      t += in_.TablaELV_HTFC + kLF;
    }
    return t;
  }

  // One step: the level-1 block, the level-2 block (a copy of level 1 and more) and what both
  // get at the end of the step.
  void Step(const std::string& block1, const std::string& block2, const std::string& both) {
    level1_ += block1 + both;
    level2_ += block2 + both;
  }
  void Step(const std::string& block, const std::string& both) { Step(block, block, both); }

  void Resolution(const std::string& Nomb_JPG, WorkedSolution& s) {
    const std::string colonLF = ":&LF";

    // 1. The q-line.
    const std::string heading1 = L("H_q_line") + colonLF;
    Step(heading1,
         heading1 + L("H_q_equation_is") + kLF + kQLineEquation + L("Subst_q_zf_in_q_line") + colonLF,
         kIndent + f_.Q + "&LF&LF");

    // 2. The enriching line.
    const std::string heading2 = L("Enrich_op_line") + colonLF;
    Step(heading2,
         heading2 + L("Enrich_op_line_is") + colonLF + kEnrichingLineEquation + L("Subst_R_xd_in_ROE") + ":&LF    ",
         kIndent + f_.N + "&LF&LF");

    // 3. Where the q-line meets the enriching line.
    const std::string heading3 = L("H_Cut_q_Line_ROE") + colonLF;
    Step(heading3,
         heading3 + L("SolveSystem_q_Line_ROE") + colonLF + "#NES(X}#RWS(R#RW1(" + f_.Q + "#RW1)#RW2(" + f_.N +
             "#RW2)#RWS)#NES)  " + L("Solution_q_Line_ROE_is_XqYq") + colonLF,
         kIndent + f_.P + "&LF&LF");

    // 4. The stripping line.
    const std::string heading4 = L("Exhaus_op_line") + colonLF;
    Step(heading4, heading4 + L("ROA_equation_XbYb_XqYq") + colonLF, kIndent + f_.S + "&LF&LF");

    // 5. The pinch point: one text at both levels.
    Step(L("H_Cut_q_Line_VLE") + colonLF + kIndent + f_.M + "&LF&LF", "");

    // 6. The minimum reflux, the first answer, and the diagram after it.
    const std::string rminLine = "    &+IR&-I_m_i_n = " + f_.Rmin + kLF;
    const std::string heading6 = L("RefluxRatioMIN") + colonLF;
    const std::string block6 = Replace(
        heading6 + L("MinRefluxRatio_descrip") + kLF + kMinimumRefluxLineEquation + L("Rmin_Slope_ROE_is") + colonLF,
        "%mRmin%", f_.mRmin);
    const std::string answerA = heading6 + rminLine;
    const std::string image = "#IMG('" + Nomb_JPG + "'DXmm=130:DYmm=130:#IMG)&LF";
    Step(heading6, block6, rminLine + kLF + image);

    // 7. The stages, top to bottom.
    const std::string heading7 = L("List_XY_Theor_Plates") + colonLF;
    Step(heading7,
         heading7 + L("List_XY_Theor_Plates_descrip1") + " " + L("List_XY_Theor_Plates_descrip2") + kLF +
             L("List_XY_Theor_Plates_descrip3") + kLF,
         in_.TablaPlatos_HTFC + kLF);

    // 8. The feed plate, the second answer.
    const std::string efficiency = Trim(in_.Text15);
    std::string answerB = Replace(L("Posic_Feed_Plate1") + colonLF, "%EFI%", Literal(efficiency));
    answerB = Replace(answerB + kIndent + L("H_Posic_Feed_Plate2") + kLF, "%NF%", f_.NF);
    Step(answerB, kLF);

    // 9. Theoretical plates at an efficiency of one.
    const std::string theoretical =
        Replace(L("NTP_Rendim100%_1") + colonLF + kIndent + L("H_NTP_Rendim100%_2") + kLF, "%NPT%", f_.NPT);
    Step(theoretical, kLF);

    // 10. Real plates, unless the efficiency was typed as one.
    std::string answerC = theoretical;
    if (efficiency != "1") {
      answerC = Replace(L("NTP_RendimREN%_1") + colonLF, "%EFI%", Literal(efficiency));
      answerC = Replace(answerC + kIndent + L("H_NTP_RendimREN%_2") + kLF, "%NNN%", f_.NNN);
      Step(answerC, "");
    }

    s.level1 = level1_;
    s.level2 = level2_;
    s.answer = "&+Ba)&-B " + answerA + "&+Bb)&-B " + answerB + "&+Bc)&-B " + answerC;
  }

  const ReportInput& in_;
  const MarkupFields f_;
  std::string level1_, level2_;
};

}  // namespace

std::optional<WorkedSolution> MakeWorkedSolution(const ReportInput& in, const std::string& Nomb_JPG) {
  if (in.designInError) return std::nullopt;
  return Writer(in).Write(Nomb_JPG);
}

}  // namespace stagora
