// The plain text of the first printed page: its lines, the fixed-pitch stretches and the
// padding that lines the stream values up.
#include <gtest/gtest.h>

#include <regex>

#include "designer/report/plain_text_solution.h"
#include "tests/report/report_fixture.h"

namespace stagora::test {
namespace {

TEST(PlainTextSolution, LinesOfTheNamedDesign) {
  Design d;
  d.nameA = "Benzene";
  d.nameB = "Toluene";
  d.fields.Text15 = "0.75";
  EXPECT_EQ(MakePlainTextSolution(InputOf(d, KeyLanguage())),
            "{Dist_binary}: Benzene - Toluene\r\n"
            "{X_refered_to Benzene}.\r\n"
            "\r\n"
            "{X_streams}:\r\n"
            "<TAB\r\n"
            "{Feed}:            Zf = 0.46\r\n"
            "{Distillate}:      Xd = 0.85\r\n"
            "{Bottoms}:         Xb = 0.17\r\n"
            "TAB>\r\n"
            "\r\n"
            "{Param_Thermal_feed}:\r\n"
            "    q = 0.5   Liquid and vapour.\r\n"
            "\r\n"
            "{RefluxRatio}:\r\n"
            "    R = L/D = 3\r\n"
            "\r\n"
            "{Overall_effic}:\r\n"
            "    E = 0.75\r\n"
            "\r\n"
            "{VLE}:\r\n"
            "    {Relat_volat}:\r\n"
            "    {Alpha} = 2\r\n"
            "\r\n"
            "{q_line}:\r\n"
            "    y = -x + 0.92\r\n"
            "\r\n"
            "{Enrich_op_line}:\r\n"
            "    y = 0.75x + 0.2125\r\n"
            "\r\n"
            "{Exhaus_op_line}:\r\n"
            "    y = 1.4756x - 0.080854\r\n"
            "\r\n"
            "{Cut_q_Line_RROO}:\r\n"
            "    xq = 0.40429;   yq = 0.51571\r\n"
            "\r\n"
            "{Cut_q_Line_VLE}:\r\n"
            "    xm = 0.37478;   ym = 0.54522\r\n"
            "\r\n"
            "{RefluxRatioMIN}:\r\n"
            "    Rmin = 1.7882\r\n"
            "\r\n"
            "{Posic_Feed_Plate1 0.75}:\r\n"
            "    {Posic_Feed_Plate2 5.8}\r\n"
            "\r\n"
            "{NTP_Rendim100%_1}:\r\n"
            "    {NTP_Rendim100%_2 7.5471}\r\n"
            "\r\n"
            "{NTP_RendimREN%_1 0.75}:\r\n"
            "    {NTP_RendimREN%_2 10.1}\r\n"
            "\r\n"
            "\r\n");
}

TEST(PlainTextSolution, StreamLabelsArePaddedToEighteenCharacters) {
  // "Feed:" (5) gets 13 blanks, a label of exactly 18 none, one of 19 ten, and a shorter one
  // after it is padded to 18 again.
  Design d;
  ReportInput in = InputOf(d, [](const std::string& key) -> std::string {
    if (key == "Feed") return "Feed";
    if (key == "Distillate") return std::string(17, 'D');
    if (key == "Bottoms") return std::string(18, 'B');
    return "";
  });
  in.Text5 = "0.17";
  const std::string text = MakePlainTextSolution(in);
  const std::string expected = "<TAB\r\n"
                               "Feed:" + std::string(13, ' ') + " Zf = 0.46\r\n" +
                               std::string(17, 'D') + ":" + " Xd = 0.85\r\n" +
                               std::string(18, 'B') + ":" + std::string(10, ' ') + " Xb = 0.17\r\n"
                               "TAB>\r\n";
  EXPECT_NE(text.find(expected), std::string::npos) << text;

  in.GetL_win = [](const std::string& key) -> std::string {
    if (key == "Feed") return std::string(30, 'F');
    if (key == "Distillate") return "Distillate";
    return "";
  };
  const std::string next = MakePlainTextSolution(in);
  EXPECT_NE(next.find(std::string(30, 'F') + ":" + std::string(10, ' ') + " Zf = 0.46\r\n" + "Distillate:" +
                      std::string(7, ' ') + " Xd = 0.85\r\n"),
            std::string::npos)
      << next;
}

// With the decimal comma every number of the text carries the comma, the number of
// theoretical plates too, which comes from the mark-up formatter.
TEST(PlainTextSolution, DecimalCommaInEveryNumber) {
  Design dot;
  dot.fields.Text15 = "0.75";
  Design comma = dot;
  comma.simbolo = ",";
  comma.fields = {"2", "0,5", "0,46", "0,85", "0,17", "3", "0,75"};
  const std::string a = MakePlainTextSolution(InputOf(dot, KeyLanguage()));
  const std::string b = MakePlainTextSolution(InputOf(comma, KeyLanguage()));
  EXPECT_NE(b.find("{NTP_Rendim100%_2 7,5471}"), std::string::npos);
  std::string back = b;
  for (char& c : back) {
    if (c == ',') c = '.';
  }
  EXPECT_EQ(back, a);
  EXPECT_FALSE(std::regex_search(b, std::regex("[0-9][.][0-9]"))) << b;
}

TEST(PlainTextSolution, TheDesignersLanguageFileHoldsEveryKey) {
  // A key missing from the file would leave a bare ":" or an empty line in the printout.
  Design d;
  d.fields.Text15 = "0.75";
  const std::string text = MakePlainTextSolution(InputOf(d, DesignerLanguage()));
  EXPECT_EQ(text.find("\r\n:"), std::string::npos) << text;
  EXPECT_EQ(text.find("    \r\n"), std::string::npos) << text;
  EXPECT_EQ(text.find('%'), std::string::npos) << text;
  EXPECT_NE(text.find("Number of the feed plate (for overall plate efficiency = 0.75):\r\n"), std::string::npos);
}

}  // namespace
}  // namespace stagora::test
