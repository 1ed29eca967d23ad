// The equilibrium and staircase tables, byte for byte, as the printout and the worked
// solution read them.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "designer/calculation/design_calculation.h"
#include "designer/calculation/result_tables.h"

namespace stagora {
namespace {

constexpr const char* kCrLf = "\r\n";

DesignResult DefaultDesign(const std::string& simbolo) {
  return CalculateDesign(DesignData{2, 0.5, 0.46, 0.85, 0.17, 3, 1}, false, nullptr, simbolo);
}

// The lines of a text table, each of which must end in CR LF.
std::vector<std::string> TextLines(const std::string& table) {
  std::vector<std::string> lines;
  std::size_t pos = 0;
  for (std::size_t end; (end = table.find(kCrLf, pos)) != std::string::npos; pos = end + 2) {
    lines.push_back(table.substr(pos, end - pos));
  }
  EXPECT_EQ(pos, table.size()) << "text after the last CR LF";
  return lines;
}

// The lines of a mark-up table, each of which must end in "&LF".
std::vector<std::string> MarkupLines(const std::string& table) {
  std::vector<std::string> lines;
  std::size_t pos = 0;
  for (std::size_t end; (end = table.find("&LF", pos)) != std::string::npos; pos = end + 3) {
    lines.push_back(table.substr(pos, end - pos));
  }
  EXPECT_EQ(pos, table.size()) << "text after the last &LF";
  return lines;
}

// Expected lines written with "." and turned into the given symbol.
std::vector<std::string> InSymbol(std::vector<std::string> lines, char simbolo) {
  for (std::string& l : lines)
    for (char& c : l)
      if (c == '.') c = simbolo;
  return lines;
}

TEST(TableCell, FourDecimalsWithoutSign) {
  struct Case {
    double v;
    const char* simbolo;
    const char* cell;
  } const cases[] = {
      {0.5, ".", "0.5000"},      {1, ".", "1.0000"},        {0, ".", "0.0000"},
      {0.00004, ".", "0.0000"},  {0.00005, ".", "0.0001"},  {0.99996, ".", "1.0000"},
      {-0.25, ".", "0.2500"},    {0.123456, ".", "0.1235"}, {9.87654, ".", "9.8765"},
      {0.5, ",", "0,5000"},      {1, ",", "1,0000"},        {0.123456, ",", "0,1235"},
  };
  for (const Case& c : cases) EXPECT_EQ(TableCell(c.v, c.simbolo), c.cell) << c.v << " " << c.simbolo;
}

// The staircase of the default design has 17 points; the table lists the odd ones, 1 to 17.
const std::vector<std::string> kDefaultStageText = {
    "   x       y      ",         "0.8500  0.8500    ", "0.7391  0.7668    ", "0.6219  0.6789    ",
    "0.5139  0.5979    ",         "0.4264  0.5323    ", "0.3627  0.4544    ", "0.2940  0.3529    ",
    "0.2143  0.2353    ",         "0.1334  0.1159    ",
};
const std::vector<std::string> kDefaultStageMarkup = {
    "&+I&SP=8:x&SP=18:y&-I",           "&SP=5:0&.8500&SP=15:0&.8500", "&SP=5:0&.7391&SP=15:0&.7668",
    "&SP=5:0&.6219&SP=15:0&.6789", "&SP=5:0&.5139&SP=15:0&.5979", "&SP=5:0&.4264&SP=15:0&.5323",
    "&SP=5:0&.3627&SP=15:0&.4544", "&SP=5:0&.2940&SP=15:0&.3529", "&SP=5:0&.2143&SP=15:0&.2353",
    "&SP=5:0&.1334&SP=15:0&.1159",
};
// y = 2x / (x + 1) at x = 0 .. 0.45 and 0.5 .. 0.95.
const std::vector<std::string> kDefaultEquilibriumText = {
    "   x        y           x        y",   "0.0000   0.0000      0.5000   0.6667",
    "0.0500   0.0952      0.5500   0.7097", "0.1000   0.1818      0.6000   0.7500",
    "0.1500   0.2609      0.6500   0.7879", "0.2000   0.3333      0.7000   0.8235",
    "0.2500   0.4000      0.7500   0.8571", "0.3000   0.4615      0.8000   0.8889",
    "0.3500   0.5185      0.8500   0.9189", "0.4000   0.5714      0.9000   0.9474",
    "0.4500   0.6207      0.9500   0.9744",
};
const std::vector<std::string> kDefaultEquilibriumMarkup = {
    "&+I&SP=8:x &SP=18:y &SP=32:x &SP=42:y &-I ",
    "&SP=5:0&.0000&SP=15:0&.0000&SP=29:0&.5000&SP=39:0&.6667",
    "&SP=5:0&.0500&SP=15:0&.0952&SP=29:0&.5500&SP=39:0&.7097",
    "&SP=5:0&.1000&SP=15:0&.1818&SP=29:0&.6000&SP=39:0&.7500",
    "&SP=5:0&.1500&SP=15:0&.2609&SP=29:0&.6500&SP=39:0&.7879",
    "&SP=5:0&.2000&SP=15:0&.3333&SP=29:0&.7000&SP=39:0&.8235",
    "&SP=5:0&.2500&SP=15:0&.4000&SP=29:0&.7500&SP=39:0&.8571",
    "&SP=5:0&.3000&SP=15:0&.4615&SP=29:0&.8000&SP=39:0&.8889",
    "&SP=5:0&.3500&SP=15:0&.5185&SP=29:0&.8500&SP=39:0&.9189",
    "&SP=5:0&.4000&SP=15:0&.5714&SP=29:0&.9000&SP=39:0&.9474",
    "&SP=5:0&.4500&SP=15:0&.6207&SP=29:0&.9500&SP=39:0&.9744",
};

TEST(ResultTables, DefaultDesignLineByLineInBothSymbols) {
  for (const char simbolo : {'.', ','}) {
    SCOPED_TRACE(std::string("symbol ") + simbolo);
    const DesignResult r = DefaultDesign(std::string(1, simbolo));
    ASSERT_TRUE(r.ok());
    ASSERT_EQ(r.staircase.NumPuntos, 17);
    const ResultTables t = MakeResultTables(r, EquilibriumModelOf(r, nullptr));
    EXPECT_EQ(TextLines(t.TablaPlatos_TXT), InSymbol(kDefaultStageText, simbolo));
    EXPECT_EQ(TextLines(t.TablaELV_TXT), InSymbol(kDefaultEquilibriumText, simbolo));
    // The mark-up carries "&." whatever the user's symbol.
    EXPECT_EQ(MarkupLines(t.TablaPlatos_HTFC), kDefaultStageMarkup);
    EXPECT_EQ(MarkupLines(t.TablaELV_HTFC), kDefaultEquilibriumMarkup);
    EXPECT_EQ(t.TablaPlatos_HTFC.find(','), std::string::npos);
  }
}

// A staircase of n points, each at a distinct non-zero x.
Staircase Points(int n) {
  Staircase s;
  s.NumPuntos = n;
  for (int k = 1; k <= n; ++k) {
    s.PuntoX[static_cast<std::size_t>(k)] = k / 1000.0;
    s.PuntoY[static_cast<std::size_t>(k)] = k / 2000.0;
  }
  return s;
}

// The text of one column group for point k of Points().
std::string Group(int k) { return TableCell(k / 1000.0, ".") + "  " + TableCell(k / 2000.0, ".") + "    "; }

TEST(StageTable, GroupsFollowTheNumberOfPoints) {
  struct Case {
    int NumPuntos;
    int groups;
    int rows;
  } const cases[] = {{7, 1, 4}, {20, 1, 10}, {21, 2, 10}, {40, 2, 10}, {41, 3, 10}, {100, 4, 10}, {150, 4, 10}};
  const std::string header = "   x       y      ";
  const std::string markupHeaders[] = {"&+I&SP=8:x&SP=18:y&-I", "&+I&SP=32:x&SP=42:y&-I", "&+I&SP=56:x&SP=66:y&-I",
                                       "&+I&SP=80:x&SP=90:y&-I"};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.NumPuntos);
    const StageTables t = MakeStageTables(Points(c.NumPuntos), ".");
    const std::vector<std::string> text = TextLines(t.TablaPlatos_TXT);
    const std::vector<std::string> markup = MarkupLines(t.TablaPlatos_HTFC);
    ASSERT_EQ(text.size(), static_cast<std::size_t>(c.rows + 1));
    ASSERT_EQ(markup.size(), text.size());
    std::string wantHeader, wantMarkupHeader;
    for (int g = 0; g < c.groups; ++g) {
      wantHeader += header;
      wantMarkupHeader += markupHeaders[g];
    }
    EXPECT_EQ(text[0], wantHeader);
    EXPECT_EQ(markup[0], wantMarkupHeader);
    // Row r holds the points 2r - 1 + 20g that exist, in groups of their own.
    for (int r = 1; r <= c.rows; ++r) {
      std::string want;
      for (int g = 0; g < c.groups; ++g) {
        const int k = 2 * r - 1 + 20 * g;
        if (k <= c.NumPuntos) want += Group(k);
      }
      EXPECT_EQ(text[static_cast<std::size_t>(r)], want) << "row " << r;
    }
  }
}

TEST(StageTable, MarkupColumnsOfEveryGroup) {
  const StageTables t = MakeStageTables(Points(100), ",");
  const std::vector<std::string> markup = MarkupLines(t.TablaPlatos_HTFC);
  ASSERT_EQ(markup.size(), 11u);
  EXPECT_EQ(markup[1],
            "&SP=5:0&.0010&SP=15:0&.0005&SP=29:0&.0210&SP=39:0&.0105"
            "&SP=53:0&.0410&SP=63:0&.0205&SP=77:0&.0610&SP=87:0&.0305");
  // Point 79 is the last listed; 80 to 100 are not.
  EXPECT_NE(markup[10].find("&SP=77:0&.0790&SP=87:0&.0395"), std::string::npos);
  EXPECT_EQ(TextLines(t.TablaPlatos_TXT)[10].find("0,0800"), std::string::npos);
}

TEST(StageTable, StopsWhereTheDrawnStaircaseStops) {
  // The staircase is drawn up to the first point at x = 0; the table lists no row after it,
  // even for groups further right.
  Staircase s = Points(30);
  s.PuntoX[6] = 0;
  const std::vector<std::string> text = TextLines(MakeStageTables(s, ".").TablaPlatos_TXT);
  ASSERT_EQ(text.size(), 4u);  // header and the rows of points 1, 3 and 5
  EXPECT_EQ(text[3], Group(5) + Group(25));

  // A group whose point is at x = 0 leaves its part of the row empty.
  s = Points(30);
  s.PuntoX[23] = 0;
  const std::vector<std::string> rows = TextLines(MakeStageTables(s, ".").TablaPlatos_TXT);
  ASSERT_EQ(rows.size(), 11u);
  EXPECT_EQ(rows[2], Group(3));
  EXPECT_EQ(rows[1], Group(1) + Group(21));
}

TEST(EquilibriumTable, TableModeReadsTheLookupAtTheNearestIndex) {
  EquilibriumTable table;
  const double rows[][2] = {{0, 0}, {0.2, 0.45}, {0.5, 0.72}, {0.8, 0.9}, {1, 1}};
  for (int i = 0; i < 5; ++i) {
    table.TablaX[static_cast<std::size_t>(i)] = rows[i][0];
    table.TablaY[static_cast<std::size_t>(i)] = rows[i][1];
  }
  table.UltimoPuntoTabla = 4;
  auto lookup = std::make_unique<EquilibriumLookup>();
  ASSERT_EQ(CrearSuperTABLA_ELV(table, *lookup), std::nullopt);

  const EquilibriumTables t = MakeEquilibriumTables(EquilibriumModel::Table(lookup.get()), ".");
  const std::vector<std::string> text = TextLines(t.TablaELV_TXT);
  ASSERT_EQ(text.size(), 11u);
  const auto& y = lookup->SuperTablaYdeX();
  for (int i = 0; i < 10; ++i) {
    const std::string want = TableCell(i / 20.0, ".") + "   " + TableCell(y[static_cast<std::size_t>(i * 5000)], ".") +
                             "      " + TableCell((i + 10) / 20.0, ".") + "   " +
                             TableCell(y[static_cast<std::size_t>((i + 10) * 5000)], ".");
    EXPECT_EQ(text[static_cast<std::size_t>(i + 1)], want) << "row " << i;
  }
  // The table rows themselves come through unchanged.
  EXPECT_EQ(text[5], "0.2000   0.4500      0.7000   " + TableCell(y[70000], "."));
}

TEST(ResultTables, FailedDesignWritesNoTable) {
  const DesignResult r = CalculateDesign(DesignData{2, 0.5, 0.46, 0.85, 0.17, 1, 1}, false, nullptr);
  ASSERT_FALSE(r.ok());
  const ResultTables t = MakeResultTables(r, EquilibriumModelOf(r, nullptr));
  EXPECT_EQ(t.TablaELV_TXT + t.TablaPlatos_TXT + t.TablaELV_HTFC + t.TablaPlatos_HTFC, "");
}

}  // namespace
}  // namespace stagora
