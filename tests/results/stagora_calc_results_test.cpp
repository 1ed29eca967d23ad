// stagora-calc prints the result fields and tables as the window would show and keep them.
#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <QString>
#include <string>
#include <utility>

#include "designer/calculation/design_calculation.h"
#include "designer/calculation/result_tables.h"
#include "designer/calculation/result_texts.h"
#include "tests/support/test_support.h"

namespace stagora {
namespace {

QJsonObject RunTool(const QByteArray& input) {
  const test::ToolRun run = test::RunTool("stagora-calc", {}, input);
  EXPECT_EQ(run.exitCode, 0);
  return run.json;
}

class StagoraCalcResults : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!test::ToolBuilt("stagora-calc")) GTEST_SKIP() << "stagora-calc is not built";
  }
};

TEST_F(StagoraCalcResults, PrintsFieldsAndTablesOfTheDefaultDesignExactly) {
  const QJsonObject out = RunTool(R"({"fields": {"Text1": "2", "Text2": "0.5", "Text3": "0.46", "Text4": "0.85",
      "Text5": "0.17", "Text6": "3", "Text15": "1"}, "simbolo": ","})");
  const DesignResult r = CalculateDesign(DesignData{2, 0.5, 0.46, 0.85, 0.17, 3, 1}, false, nullptr, ",");
  const ResultTexts t = MakeResultTexts(r);
  const ResultTables tables = MakeResultTables(r, EquilibriumModelOf(r, nullptr));
  const std::pair<const char*, std::string> expected[] = {
      {"Text7", t.Text7},
      {"Text8", t.Text8},
      {"Text9", t.Text9},
      {"Text10", t.Text10},
      {"Text11", t.Text11},
      {"Text12", t.Text12},
      {"Text13", t.Text13},
      {"Text14", t.Text14},
      {"TablaELV_TXT", tables.TablaELV_TXT},
      {"TablaPlatos_TXT", tables.TablaPlatos_TXT},
      {"TablaELV_HTFC", tables.TablaELV_HTFC},
      {"TablaPlatos_HTFC", tables.TablaPlatos_HTFC},
  };
  for (const auto& [key, text] : expected) {
    EXPECT_EQ(out[key].toString().toStdString(), text) << key;
  }
  EXPECT_EQ(out["Text14"].toString(), "7,55");
  EXPECT_TRUE(out["TablaPlatos_TXT"].toString().startsWith("   x       y      \r\n0,8500  0,8500    \r\n"));
  EXPECT_EQ(out["NumPuntos"].toInt(), 17);  // what it printed before stays
}

TEST_F(StagoraCalcResults, FailedDesignEmptiesOnlyThePlateCounts) {
  const QJsonObject out = RunTool(R"({"fields": {"Text1": "2", "Text2": "0.5", "Text3": "0.46", "Text4": "0.85",
      "Text5": "0.17", "Text6": "1", "Text15": "1"}})");
  EXPECT_EQ(out["error_key"].toString(), "RefluxRatio_belowMin");
  EXPECT_TRUE(out["Text7"].isNull());
  EXPECT_TRUE(out["Text12"].isNull());
  EXPECT_TRUE(out["TablaELV_TXT"].isNull());
  EXPECT_TRUE(out["TablaPlatos_HTFC"].isNull());
  EXPECT_EQ(out["Text13"].toString(), "");
  EXPECT_TRUE(out["Text13"].isString());
  EXPECT_TRUE(out["Text14"].isString());
}

}  // namespace
}  // namespace stagora
