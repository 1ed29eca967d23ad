// stagora-calc from the program folder, as a script would use it.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>

#include "tests/support/test_support.h"

namespace stagora {
namespace {

test::ToolRun RunTool(const QByteArray& input) { return test::RunTool("stagora-calc", {}, input); }

class StagoraCalcTool : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!test::ToolBuilt("stagora-calc")) GTEST_SKIP() << "stagora-calc is not built";
  }
};

TEST_F(StagoraCalcTool, PrintsTheResultOfTheDefaultDesign) {
  const test::ToolRun run = RunTool(R"({"fields": {"Text1": "2", "Text2": "0.5", "Text3": "0.46", "Text4": "0.85",
      "Text5": "0.17", "Text6": "3", "Text15": "1"}, "use_table": false, "simbolo": "."})");
  ASSERT_EQ(run.exitCode, 0);
  EXPECT_TRUE(run.json["error_key"].isNull());
  EXPECT_TRUE(run.json["error_text"].isNull());
  EXPECT_EQ(run.json["NumPuntos"].toInt(), 17);
  EXPECT_EQ(run.json["points"].toArray().size(), 17);
  EXPECT_EQ(run.json["points"].toArray()[0].toArray()[0].toDouble(), 0.85);
  EXPECT_EQ(run.json["NumPlatosTeor"].toDouble(), 7.5471225596293934);
  EXPECT_EQ(run.json["PlatoAlimTeor"].toDouble(), 4.3476664964870118);
  EXPECT_EQ(run.json["PendienteMin"].toDouble(), 0.64134207263344767);
}

TEST_F(StagoraCalcTool, ReportsKeysTableRefusalsAndBadInput) {
  test::ToolRun run = RunTool(R"({"fields": {"Text1": "2,5", "Text2": "1", "Text3": "0,5", "Text4": "0,95",
      "Text5": "0,05", "Text6": "1", "Text15": "1"}, "simbolo": ","})");
  ASSERT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.json["error_key"].toString(), "RefluxRatio_belowMin");
  EXPECT_EQ(run.json["NumPuntos"].toInt(), 0);
  EXPECT_TRUE(run.json["points"].toArray().isEmpty());
  EXPECT_NEAR(run.json["PendienteMin"].toDouble(), 11.0 / 21, 1e-12);

  run = RunTool(R"({"fields": {"Text1": "2", "Text2": "0.5", "Text3": "0.46", "Text4": "0.85", "Text5": "0.17",
      "Text6": "3", "Text15": "1"}, "use_table": true, "table": [[0, 0], [0.5, 0.7], [0.5, 0.8], [1, 1]]})");
  ASSERT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.json["error_text"].toString(), QString::fromUtf8("ERROR: Nº = 11 - Division by zero"));

  EXPECT_EQ(RunTool("{not json").exitCode, 2);
  EXPECT_EQ(RunTool(R"({"fields": {}, "use_table": true, "table": [[0, 0]]})").exitCode, 2);
}

// A misspelt key or a value of the wrong kind is refused with a message naming it, never
// taken for a key left out (which would answer for another design with exit status 0).
TEST_F(StagoraCalcTool, RefusesKeysAndValuesItDoesNotKnow) {
  const struct {
    const char* input;
    const char* message;
  } cases[] = {
      {R"({"field": {"Text1": "2"}})", "unknown key \"field\""},
      {R"({"fields": {"Text1": "2"}, "simbol": ","})", "unknown key \"simbol\""},
      {R"({"fields": {"Text16": "Benzene"}})", "unknown field \"Text16\""},
      {R"({"fields": {"text1": "2"}})", "unknown field \"text1\""},
      {R"({"fields": [1, 2]})", "fields must be an object"},
      {R"({"fields": {}, "use_table": "yes"})", "use_table must be true or false"},
      {R"({"fields": {}, "simbolo": 1})", "simbolo must be"},
      {R"({"fields": {}, "use_table": true, "table": {"x": 0}})", "table must be an array"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.input);
    const test::ToolRun run = RunTool(c.input);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.json.isEmpty());
    EXPECT_NE(run.errors.find(c.message), std::string::npos) << run.errors;
  }
}

}  // namespace
}  // namespace stagora
