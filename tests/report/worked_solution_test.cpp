// The worked solution in mark-up: which text goes where, how the fields are rewritten for the
// mark-up, and what the decimal comma, table mode, a vertical q-line and the efficiency change.
#include <gtest/gtest.h>

#include <functional>
#include <regex>

#include "designer/report/plain_text_solution.h"
#include "designer/report/report_document.h"
#include "designer/report/report_text.h"
#include "designer/report/worked_solution.h"
#include "tests/engine_layout/engine_fixture.h"
#include "tests/report/report_fixture.h"
#include "viewer/document/result_document.h"

namespace stagora::test {
namespace {

using report_text::Replace;

constexpr const char* kImage = "stgr_temp123456.jpg";

// The start design with both components named and an efficiency below one, so that every
// paragraph is written.
Design NamedDesign() {
  Design d;
  d.nameA = "Benzene";
  d.nameB = "Toluene";
  d.fields.Text15 = "0.75";
  return d;
}

WorkedSolution Write(const ReportInput& in) {
  const std::optional<WorkedSolution> s = MakeWorkedSolution(in, kImage);
  EXPECT_TRUE(s.has_value());
  return s.value_or(WorkedSolution{});
}

bool EndsWith(const std::string& s, const std::string& tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

TEST(WorkedSolution, StatementAnswerAndLevelsOfTheNamedDesign) {
  const ReportInput in = InputOf(NamedDesign(), KeyLanguage());
  // The calculation's own figures, which the sections below must carry unchanged.
  ASSERT_EQ(in.Text7, "1.7882");
  ASSERT_EQ(in.Text8, "y = -x + 0.92");
  ASSERT_EQ(in.Text11, "xq = 0.40429;   yq = 0.51571");
  ASSERT_EQ(in.Text13, "5.8");
  ASSERT_EQ(in.Text14, "10.1");
  const WorkedSolution s = Write(in);

  EXPECT_EQ(s.statement,
            "&+B{NTP_STGR}.&-B&LF"
            "{Dist_binary}:  Benzene - Toluene&LF{X_refered_to Benzene}.&LF"
            "{X_streams}:&LF"
            "    {Feed}:&SP=18:&+Iz&-I_F = 0&.46&LF"
            "    {Distillate}:&SP=18:&+Ix&-I_D = 0&.85&LF"
            "    {Bottoms}:&SP=18:&+Ix&-I_B = 0&.17&LF"
            "{Param_Thermal_feed}:&LF    &+Iq&-I = 0.5  Liquid and vapour&LF"
            "{RefluxRatio}:&LF    &+IR = L/D = &-I3&LF"
            "{Overall_effic}:&LF    &+IE = &-I0.75&LF"
            "{Find_out}:&SP=12:&+Ba)&-B& {RefluxRatioMIN}.&LF&SP=12:&+Bb)&-B& {NFeedPlate2}.&LF"
            "&SP=12:&+Bc)&-B& {NTheorPlates2}.&LF&LF"
            "{VLE}&LF"
            "{Relat_volat}  &alfa = 2&LF"
            "{Where}:  &+Iy&-I = #COC(&alfa &+Ix&-I#N)(1 + (&alfa - 1) &+Ix&-I#COC);    "
            "&+Ix&-I = #COC(&+Iy&-I#N)(&alfa - (&alfa - 1) &+Iy&-I#COC)&LF&LF");

  EXPECT_EQ(s.answer,
            "&+Ba)&-B {RefluxRatioMIN}:&LF    &+IR&-I_m_i_n = 1&.7882&LF"
            "&+Bb)&-B {Posic_Feed_Plate1 0.75}:&LF    {H_Posic_Feed_Plate2 5&.8}&LF"
            "&+Bc)&-B {NTP_RendimREN%_1 0.75}:&LF    {H_NTP_RendimREN%_2 10&.1}&LF");

  const std::string Q = "&+Iy&-I = -&+Ix&-I + 0&.92";
  const std::string N = "&+Iy&-I = 0&.75&+Ix&-I + 0&.2125";
  const std::string image = "#IMG('stgr_temp123456.jpg'DXmm=130:DYmm=130:#IMG)&LF";
  // Steps 5 and 8 to 10 read the same at both levels.
  const std::string tail =
      "{Posic_Feed_Plate1 0.75}:&LF    {H_Posic_Feed_Plate2 5&.8}&LF&LF"
      "{NTP_Rendim100%_1}:&LF    {H_NTP_Rendim100%_2 7&.5471}&LF&LF"
      "{NTP_RendimREN%_1 0.75}:&LF    {H_NTP_RendimREN%_2 10&.1}&LF";
  const std::string pinch = "{H_Cut_q_Line_VLE}:&LF    &+Ix&-I_m = 0&.37478;   &+Iy&-I_m = 0&.54522&LF&LF";

  EXPECT_EQ(s.level1, "{H_q_line}:&LF    " + Q + "&LF&LF" +
                          "{Enrich_op_line}:&LF    " + N + "&LF&LF" +
                          "{H_Cut_q_Line_ROE}:&LF    &+Ix&-I_q = 0&.40429;   &+Iy&-I_q = 0&.51571&LF&LF" +
                          "{Exhaus_op_line}:&LF    &+Iy&-I = 1&.4756&+Ix&-I - 0&.080854&LF&LF" + pinch +
                          "{RefluxRatioMIN}:&LF    &+IR&-I_m_i_n = 1&.7882&LF&LF" + image +
                          "{List_XY_Theor_Plates}:&LF" + in.TablaPlatos_HTFC + "&LF" + tail);

  EXPECT_EQ(s.level2,
            "{H_q_line}:&LF{H_q_equation_is}&LF"
            "&+Iy = #COC(q#N)(q - 1#COC)x - #COC(&+Iz&-I_F&+I#N)(q - 1#COC)&-I&LF"
            "{Subst_q_zf_in_q_line}:&LF    " + Q + "&LF&LF" +
            "{Enrich_op_line}:&LF{Enrich_op_line_is}:&LF"
            "    &+Iy = #COC(R#N)(R + 1#COC)x + #COC(&+Ix&-I_D&+I#N)(R + 1#COC)&-I&LF"
            "{Subst_R_xd_in_ROE}:&LF        " + N + "&LF&LF" +
            "{H_Cut_q_Line_ROE}:&LF{SolveSystem_q_Line_ROE}:&LF"
            "#NES(X}#RWS(R#RW1(" + Q + "#RW1)#RW2(" + N + "#RW2)#RWS)#NES)  {Solution_q_Line_ROE_is_XqYq}:&LF"
            "    &+Ix&-I_q = 0&.40429;   &+Iy&-I_q = 0&.51571&LF&LF"
            "{Exhaus_op_line}:&LF{ROA_equation_XbYb_XqYq}:&LF    &+Iy&-I = 1&.4756&+Ix&-I - 0&.080854&LF&LF" +
            pinch +
            "{RefluxRatioMIN}:&LF{MinRefluxRatio_descrip}&LF"
            "    &+Iy = #COC(&+IR&-I_m_i_n&+I#N)(&+IR&-I_m_i_n&+I + 1#COC)x + "
            "#COC(&+Ix&-I_D&+I#N)(&+IR&-I_m_i_n&+I + 1#COC)&-I&LF"
            "{Rmin_Slope_ROE_is 0&.64134}:&LF    &+IR&-I_m_i_n = 1&.7882&LF&LF" + image +
            "{List_XY_Theor_Plates}:&LF{List_XY_Theor_Plates_descrip1} {List_XY_Theor_Plates_descrip2}&LF"
            "{List_XY_Theor_Plates_descrip3}&LF" + in.TablaPlatos_HTFC + "&LF" + tail);
}

TEST(WorkedSolution, PlaceholdersAreReplacedOnlyWithinTheirOwnBlock) {
  // Every key of this language carries every placeholder: each is replaced where its scope
  // reaches and left alone elsewhere.
  ReportInput in = InputOf(NamedDesign(), [](const std::string& key) {
    return "<" + key + " %C% %mRmin% %EFI% %NF% %NPT% %NNN%>";
  });
  const WorkedSolution s = Write(in);
  // "%C%" in the whole statement up to the basis sentence, not after it.
  EXPECT_EQ(s.statement.find("<NTP_STGR Benzene "), 3u);
  EXPECT_NE(s.statement.find("<X_refered_to Benzene "), std::string::npos);
  EXPECT_NE(s.statement.find("<X_streams %C% "), std::string::npos);
  // "%mRmin%" in the level-2 block of the minimum reflux only.
  EXPECT_NE(s.level2.find("<Rmin_Slope_ROE_is %C% 0&.64134 "), std::string::npos);
  EXPECT_NE(s.level2.find("<RefluxRatioMIN %C% 0&.64134 "), std::string::npos);
  EXPECT_NE(s.level1.find("<RefluxRatioMIN %C% %mRmin% "), std::string::npos);
  EXPECT_NE(s.level2.find("<H_q_line %C% %mRmin% "), std::string::npos);
  // "%EFI%" in the heading line of its block; "%NF%", "%NPT%", "%NNN%" in their whole block.
  EXPECT_NE(s.answer.find("<Posic_Feed_Plate1 %C% %mRmin% 0.75 5&.8 %NPT% %NNN%>"), std::string::npos);
  EXPECT_NE(s.answer.find("<H_Posic_Feed_Plate2 %C% %mRmin% %EFI% 5&.8 %NPT% %NNN%>"), std::string::npos);
  EXPECT_NE(s.level1.find("<NTP_Rendim100%_1 %C% %mRmin% %EFI% %NF% 7&.5471 %NNN%>"), std::string::npos);
  EXPECT_NE(s.answer.find("<NTP_RendimREN%_1 %C% %mRmin% 0.75 %NF% %NPT% 10&.1>"), std::string::npos);
  EXPECT_NE(s.answer.find("<H_NTP_RendimREN%_2 %C% %mRmin% %EFI% %NF% %NPT% 10&.1>"), std::string::npos);
}

// The decimal comma changes the typed numbers that enter as typed (q, R, E, alpha) and
// nothing else: every other number is written "&." either way.
TEST(WorkedSolution, DecimalCommaReachesOnlyTheNumbersTakenAsTyped) {
  Design dot = NamedDesign();
  Design comma = dot;
  comma.simbolo = ",";
  comma.fields = {"2", "0,5", "0,46", "0,85", "0,17", "3", "0,75"};
  const WorkedSolution a = Write(InputOf(dot, KeyLanguage()));
  const WorkedSolution b = Write(InputOf(comma, KeyLanguage()));
  const auto typedWithComma = [](const std::string& t) {
    return Replace(Replace(t, "0.75", "0,75"), "&+Iq&-I = 0.5 ", "&+Iq&-I = 0,5 ");
  };
  EXPECT_EQ(b.statement, typedWithComma(a.statement));
  EXPECT_EQ(b.answer, typedWithComma(a.answer));
  EXPECT_EQ(b.level1, typedWithComma(a.level1));
  EXPECT_EQ(b.level2, typedWithComma(a.level2));
  // And only those: no other number of the dot design was written with its point.
  const std::regex digitPointDigit("[0-9][.][0-9]");
  for (const std::string* t : {&a.statement, &a.answer, &a.level1, &a.level2}) {
    EXPECT_FALSE(std::regex_search(typedWithComma(*t), digitPointDigit)) << *t;
  }
}

// What a design variant must show in the mark-up and in the plain text.
struct Variant {
  const char* name;
  std::function<void(Design&)> change;
  std::function<void(const ReportInput&, const WorkedSolution&, const std::string& plain)> check;
};

TEST(WorkedSolution, DesignVariantsChangeWhatTheyShould) {
  const Variant variants[] = {
      {"vertical q-line",
       [](Design& d) {
         d.fields.Text2 = "1";
         d.caption = "Saturated liquid";
       },
       [](const ReportInput& in, const WorkedSolution& s, const std::string& plain) {
         ASSERT_EQ(in.Text8, "x = 0.46");
         EXPECT_NE(s.level1.find("{H_q_line}:&LF    &+Ix&-I = 0&.46&LF&LF"), std::string::npos);
         EXPECT_NE(s.level2.find("{Subst_q_zf_in_q_line}:&LF    &+Ix&-I = 0&.46&LF&LF"), std::string::npos);
         EXPECT_NE(s.level2.find("#RW1(&+Ix&-I = 0&.46#RW1)"), std::string::npos);
         EXPECT_NE(s.statement.find("&+Iq&-I = 1  Saturated liquid&LF"), std::string::npos);
         EXPECT_NE(plain.find("{q_line}:\r\n    x = 0.46\r\n\r\n"), std::string::npos);
         EXPECT_NE(plain.find("    q = 1   Saturated liquid.\r\n"), std::string::npos);
       }},
      {"table mode",
       [](Design& d) { d.table = true; },
       [](const ReportInput& in, const WorkedSolution& s, const std::string& plain) {
         EXPECT_TRUE(EndsWith(s.statement, "{VLE}&LF" + in.TablaELV_HTFC + "&LF")) << s.statement;
         EXPECT_EQ(s.statement.find("&alfa"), std::string::npos);
         EXPECT_NE(plain.find("{VLE}:\r\n<TAB\r\n" + in.TablaELV_TXT + "\r\nTAB>\r\n{q_line}:"), std::string::npos);
         EXPECT_EQ(plain.find("{Alpha}"), std::string::npos);
       }},
      {"table of one row",
       [](Design& d) {
         d.table = true;
         d.tableLastRow = 0;
       },
       [](const ReportInput&, const WorkedSolution& s, const std::string& plain) {
         EXPECT_TRUE(EndsWith(s.statement, "&LF&LF{VLE}&LF")) << s.statement;
         EXPECT_NE(plain.find("\r\n{VLE}:\r\n{q_line}:\r\n"), std::string::npos);
       }},
      {"efficiency typed as 1",
       [](Design& d) { d.fields.Text15 = "1"; },
       [](const ReportInput&, const WorkedSolution& s, const std::string& plain) {
         for (const std::string* t : {&s.answer, &s.level1, &s.level2, &plain}) {
           EXPECT_EQ(t->find("RendimREN"), std::string::npos);
         }
         EXPECT_TRUE(EndsWith(s.answer, "&+Bc)&-B {NTP_Rendim100%_1}:&LF    {H_NTP_Rendim100%_2 7&.5471}&LF"));
         EXPECT_TRUE(EndsWith(s.level1, "{H_NTP_Rendim100%_2 7&.5471}&LF&LF"));
         EXPECT_TRUE(EndsWith(plain, "{NTP_Rendim100%_2 7.5471}\r\n\r\n\r\n"));
       }},
      {"efficiency typed as 1 with blanks around",
       [](Design& d) { d.fields.Text15 = " 1 "; },
       [](const ReportInput&, const WorkedSolution& s, const std::string&) {
         EXPECT_EQ(s.answer.find("RendimREN"), std::string::npos);
         EXPECT_NE(s.statement.find("&+IE = &-I 1 &LF"), std::string::npos);  // as typed
       }},
      {"efficiency typed as 1.0",
       [](Design& d) { d.fields.Text15 = "1.0"; },
       [](const ReportInput&, const WorkedSolution& s, const std::string& plain) {
         EXPECT_TRUE(EndsWith(s.answer, "&+Bc)&-B {NTP_RendimREN%_1 1.0}:&LF    {H_NTP_RendimREN%_2 7&.55}&LF"));
         EXPECT_TRUE(EndsWith(s.level2, "{NTP_RendimREN%_1 1.0}:&LF    {H_NTP_RendimREN%_2 7&.55}&LF"));
         EXPECT_TRUE(EndsWith(plain, "{NTP_RendimREN%_1 1.0}:\r\n    {NTP_RendimREN%_2 7.55}\r\n\r\n\r\n"));
       }},
      {"one component named",
       [](Design& d) { d.nameB = "   "; },
       [](const ReportInput&, const WorkedSolution& s, const std::string& plain) {
         EXPECT_NE(s.statement.find("&-B&LF{Dist_binary}. {X_refered_toMostVol}.&LF{X_streams}"), std::string::npos);
         EXPECT_EQ(s.statement.find("Benzene"), std::string::npos);
         EXPECT_EQ(plain.find("{Dist_binary}. {X_refered_toMostVol}.\r\n\r\n{X_streams}:\r\n"), 0u);
       }},
      {"names with blanks around",
       [](Design& d) {
         d.nameA = "  Benzene ";
         d.nameB = " Toluene  ";
       },
       [](const ReportInput&, const WorkedSolution& s, const std::string& plain) {
         EXPECT_NE(s.statement.find("{Dist_binary}:  Benzene - Toluene&LF{X_refered_to Benzene}.&LF"), std::string::npos);
         EXPECT_EQ(plain.find("{Dist_binary}: Benzene - Toluene\r\n{X_refered_to Benzene}.\r\n"), 0u);
       }},
  };
  for (const Variant& v : variants) {
    SCOPED_TRACE(v.name);
    Design d = NamedDesign();
    v.change(d);
    const ReportInput in = InputOf(d, KeyLanguage());
    ASSERT_FALSE(in.designInError);
    v.check(in, Write(in), MakePlainTextSolution(in));
  }
}

// Component names reach the page as typed, whatever mark-up they look like: the statement
// goes the whole way, into the designer's document, out of the viewer's reader and through
// the engine, and the name line is drawn in plain body text holding both names.
class TypedNames : public engine::test::EngineTest {};

TEST_F(TypedNames, PrintAsTypedThroughTheDocumentAndTheEngine) {
  const struct {
    const char* a;
    const char* b;
  } cases[] = {
      {"Acetone & Co #2", "n_Water ^x"},
      {"X&FS=60:Y #COC(a", "Z&+B&SP=50:#IMG('a'DXmm=1:#IMG) __"},
      {"A&LFB &. &LSAN=9:c", "#ENU) #SOL) #MARK=001 &&"},
      {"50%C% &alfa &Q", "&E+3 &_ ## ^^ &"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.a);
    Design d = NamedDesign();
    d.nameA = c.a;
    d.nameB = c.b;
    const WorkedSolution written = Write(InputOf(d, DesignerLanguage()));
    const viewer::ReadResult read = viewer::ReadResultDocument(AssembleReportDocument(".", written));
    ASSERT_EQ(read.error, viewer::ReadError::None);
    EXPECT_EQ(read.sections.StatementText, written.statement);
    EXPECT_EQ(read.sections.SolutionText, written.answer);

    page_.clearLog();
    Render("#MARK=001" + read.sections.StatementText);  // as the viewer hands it over
    EXPECT_EQ(S.BloqueCorte, 1);  // the whole statement is on the page
    EXPECT_TRUE(Ops(plat::RecordedOp::Image).empty());

    // The two lines that hold the names, with the en dash the engine sets for " - ".
    const std::string names = std::string("Distillation of the binary feed:  ") + c.a + " \u2013 " + c.b +
                              "Mole fractions are refered to " + c.a + " (most volatile component).";
    std::u16string drawn;
    std::vector<const plat::RecordedOp*> opOf;  // the operation that drew each character
    for (const plat::RecordedOp& op : page_.ops()) {
      if (op.kind != plat::RecordedOp::Text) continue;
      drawn += op.text;
      opOf.insert(opOf.end(), op.text.size(), &op);
    }
    const std::u16string wanted = QString::fromStdString(names).toStdU16String();
    const std::size_t at = drawn.find(wanted);
    ASSERT_NE(at, std::u16string::npos) << QString::fromStdU16String(drawn).toStdString();
    // In plain body text: no size change (sub- and superscripts are smaller), no bold, no
    // red error block.
    for (std::size_t k = at; k < at + wanted.size(); ++k) {
      const plat::RecordedOp& op = *opOf[k];
      EXPECT_DOUBLE_EQ(op.font.size, 12) << k - at;
      EXPECT_FALSE(op.font.bold) << k - at;
      EXPECT_EQ(op.color, 0u) << k - at;
    }
  }
}

TEST(WorkedSolution, DesignInErrorWritesNothing) {
  Design d = NamedDesign();
  d.fields.Text6 = "-1";  // a negative reflux ratio
  const ReportInput in = InputOf(d, KeyLanguage());
  ASSERT_TRUE(in.designInError);
  EXPECT_FALSE(MakeWorkedSolution(in, kImage).has_value());
  EXPECT_EQ(MakePlainTextSolution(in), "");
}

}  // namespace
}  // namespace stagora::test
