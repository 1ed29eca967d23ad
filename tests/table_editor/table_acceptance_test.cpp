// What OK makes of the working copy, without a window: where the table ends, which rows are
// refused and why, and the end points added.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "designer/files/table_acceptance.h"
#include "designer/files/table_check.h"

namespace stagora {
namespace {

using Rows = std::vector<std::pair<double, double>>;

struct Copy {
  TableColumn X{};
  TableColumn Y{};
};

Copy Working(const Rows& rows) {
  Copy c;
  c.X.fill(kEmptyTableValue);
  c.Y.fill(kEmptyTableValue);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    c.X[i] = rows[i].first;
    c.Y[i] = rows[i].second;
  }
  return c;
}

Rows TableRows(const EquilibriumTable& t) {
  Rows rows;
  for (int i = 0; i <= t.UltimoPuntoTabla; ++i) rows.emplace_back(t.TablaX[i], t.TablaY[i]);
  return rows;
}

TEST(TableAcceptance, AcceptedTablesGetTheirEndPointsAndEndWhereTheCopySays) {
  struct Case {
    const char* what;
    Rows copy;
    Rows handedBack;
  };
  const std::vector<Case> cases = {
      {"one row", {{0.5, 0.6}}, {{0, 0}, {0.5, 0.6}, {1, 1}}},
      {"end points already there", {{0, 0}, {0.4, 0.6}, {1, 1}}, {{0, 0}, {0.4, 0.6}, {1, 1}}},
      {"x = 1 ends the table", {{0.2, 0.3}, {1, 1}, {0.5, 0.2}, {0.7, 0.9}}, {{0, 0}, {0.2, 0.3}, {1, 1}}},
      {"an empty x ends the table", {{0.2, 0.3}, {0.4, 0.5}, {-1, 0.7}, {0.1, 0.05}}, {{0, 0}, {0.2, 0.3}, {0.4, 0.5}, {1, 1}}},
  };
  for (const Case& c : cases) {
    const Copy in = Working(c.copy);
    const TableAcceptance a = AcceptTable(in.X, in.Y);
    ASSERT_EQ(a.outcome, TableAcceptance::Outcome::kAccepted) << c.what;
    EXPECT_EQ(TableRows(a.table), c.handedBack) << c.what;
    // Everything after the table is empty in what is handed back.
    for (int i = a.table.UltimoPuntoTabla + 1; i < kTableRows; ++i) {
      EXPECT_EQ(a.table.TablaX[i], kEmptyTableValue) << c.what << " row " << i;
      EXPECT_EQ(a.table.TablaY[i], kEmptyTableValue) << c.what << " row " << i;
    }
  }
}

TEST(TableAcceptance, RefusedTablesNameTheirFirstFault) {
  struct Case {
    const char* what;
    Rows copy;
    std::string_view key;
  };
  const std::vector<Case> cases = {
      {"x above 1", {{0.2, 0.3}, {1.2, 1}}, table_key::kDataOutRange},
      {"negative y", {{0.2, -0.3}}, table_key::kDataOutRange},
      {"a row without its y", {{0.2, 0.3}, {0.5, -1}}, table_key::kDataOutRange},
      {"x falls", {{0.4, 0.5}, {0.3, 0.6}}, table_key::kDataNoConsecutive},
      {"x repeats", {{0.4, 0.5}, {0.4, 0.6}}, table_key::kDataNoConsecutive},
      // Mended: equal or falling y breaks the lookup of x for y, and the project reader would
      // refuse the table once saved; OK refuses it at once.
      {"y repeats", {{0.2, 0.5}, {0.4, 0.5}}, table_key::kDataNoConsecutive},
      {"y falls", {{0.2, 0.5}, {0.4, 0.45}}, table_key::kDataNoConsecutive},
      {"x = 0 without y = 0", {{0, 0.2}}, table_key::kDataInvalidPureDisol},
      {"y = 1 before x = 1", {{0.9, 1}}, table_key::kDataInvalidPureDisol},
      {"a row's increase before the next row's range", {{0.5, 0.6}, {0.4, 1.5}}, table_key::kDataNoConsecutive},
  };
  for (const Case& c : cases) {
    const Copy in = Working(c.copy);
    const TableAcceptance a = AcceptTable(in.X, in.Y);
    ASSERT_EQ(a.outcome, TableAcceptance::Outcome::kRefused) << c.what;
    EXPECT_EQ(a.errorKey, c.key) << c.what;
  }
}

TEST(TableAcceptance, ARefusedCopyLosesOnlyTheRowsAfterTheTable) {
  const Copy in = Working({{0.4, 0.5}, {0.3, 0.6}, {-1, 0.9}, {0.8, 0.95}});
  const TableAcceptance a = AcceptTable(in.X, in.Y);
  ASSERT_EQ(a.outcome, TableAcceptance::Outcome::kRefused);
  EXPECT_EQ(a.X[0], 0.4);
  EXPECT_EQ(a.Y[1], 0.6);
  EXPECT_EQ(a.Y[2], kEmptyTableValue);  // the y left behind an empty x
  EXPECT_EQ(a.X[3], kEmptyTableValue);
  EXPECT_EQ(a.Y[3], kEmptyTableValue);
}

TEST(TableAcceptance, NoFirstRowHandsNothingBack) {
  const Copy in = Working({{-1, 0.3}, {0.5, 0.6}});
  EXPECT_EQ(AcceptTable(in.X, in.Y).outcome, TableAcceptance::Outcome::kNoTable);
  const Copy empty = Working({});
  EXPECT_EQ(AcceptTable(empty.X, empty.Y).outcome, TableAcceptance::Outcome::kNoTable);
}

TEST(TableAcceptance, AFullTableMustReachOneItselfAndGoesWithoutTheMissingStart) {
  // A hundred rows that end short of x = 1 leave no row for (1, 1): a curve built from them
  // would drop to the axis after the last row. Refused, nothing handed back.
  Rows rows;
  for (int i = 0; i < kTableRows; ++i) rows.emplace_back(i / 1000.0, i / 999.0);
  const Copy shortOfOne = Working(rows);
  const TableAcceptance refused = AcceptTable(shortOfOne.X, shortOfOne.Y);
  ASSERT_EQ(refused.outcome, TableAcceptance::Outcome::kRefused);
  EXPECT_EQ(refused.errorKey, table_key::kDataEndBelowOne);
  EXPECT_EQ(refused.table.UltimoPuntoTabla, -1);
  EXPECT_EQ(refused.X[99], 99 / 1000.0);  // the copy is kept whole for the user to mend

  // Ending at x = 1 itself, a full table keeps its hundred rows without (0, 0) pushed in front.
  rows.clear();
  for (int i = 1; i <= kTableRows; ++i) rows.emplace_back(i / 100.0, i == kTableRows ? 1 : i / 99.5);
  const Copy full = Working(rows);
  const TableAcceptance a = AcceptTable(full.X, full.Y);
  ASSERT_EQ(a.outcome, TableAcceptance::Outcome::kAccepted);
  EXPECT_EQ(a.table.UltimoPuntoTabla, kTableRows - 1);
  EXPECT_EQ(a.table.TablaX[0], 1 / 100.0);
  EXPECT_EQ(a.table.TablaX[99], 1);

  // With one row free only (1, 1) finds room.
  rows.clear();
  for (int i = 1; i < kTableRows; ++i) rows.emplace_back(i / 101.0, i / 100.5);
  const Copy ninetyNine = Working(rows);
  const TableAcceptance b = AcceptTable(ninetyNine.X, ninetyNine.Y);
  ASSERT_EQ(b.outcome, TableAcceptance::Outcome::kAccepted);
  EXPECT_EQ(b.table.UltimoPuntoTabla, kTableRows - 1);
  EXPECT_EQ(b.table.TablaX[0], 1 / 101.0);
  EXPECT_EQ(b.table.TablaX[99], 1);
}

}  // namespace
}  // namespace stagora
