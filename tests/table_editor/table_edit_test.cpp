// A whole table edit from the main window: the editor shown modally on a copy, and what the
// main window holds and shows once it has closed by OK, by Cancel or by its close box.
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QRadioButton>

#include "designer/files/table_check.h"
#include "platform/paths.h"
#include "tests/table_editor/editor_fixture.h"

namespace stagora::test {
namespace {

using designer::FormXYinput;

std::vector<std::pair<double, double>> InUse(const designer::FormMain& w) {
  std::vector<std::pair<double, double>> rows;
  const EquilibriumTable& t = w.State().TablaELV;
  for (int i = 0; i <= t.UltimoPuntoTabla; ++i) rows.emplace_back(t.TablaX[i], t.TablaY[i]);
  return rows;
}

std::vector<std::string> Results(const designer::FormMain& w) {
  std::vector<std::string> texts;
  for (int n : {7, 13, 14}) texts.push_back(w.Text[n]->text().toStdString());
  return texts;
}

class TableEditTest : public TableEditorTest {
 protected:
  // A table in use, accepted in an earlier edit.
  void AcceptStartingTable() {
    EditTable([](FormXYinput& e) { e.LabelB_Click(0); });
    ASSERT_TRUE(form->State().UsarTabla);
  }
  MessageBoxRecorder boxes;
};

TEST_F(TableEditTest, AcceptingOneRowGivesAThreeRowTableInUseAtOnce) {
  designer::FormMain& w = Load();
  w.Text[field::kRefluxRatio]->setText("20");  // a reflux the new equilibrium allows too
  w.Calcular(*w.Picture1, false);
  const std::vector<std::string> before = Results(w);
  ASSERT_FALSE(before[0].empty());
  EXPECT_TRUE(w.OptVOL->isChecked());

  EditTable([](FormXYinput& e) {
    e.Borrar();
    Type(e.TxtX[0], "0.5");
    Type(e.TxTY[0], "0,6");
    e.LabelB_Click(0);
  });
  const std::vector<std::pair<double, double>> expected = {{0, 0}, {0.5, 0.6}, {1, 1}};
  EXPECT_EQ(InUse(w), expected);
  EXPECT_EQ(form->State().TablaELV.UltimoPuntoTabla, 2);
  EXPECT_EQ(form->State().TablaELV.TablaX[3], kEmptyTableValue);
  EXPECT_TRUE(form->State().UsarTabla);
  EXPECT_TRUE(w.OptTAB->isChecked());
  // The diagram and results already show the new equilibrium: nothing else was done.
  EXPECT_NE(Results(w), before);
  EXPECT_TRUE(w.LblERROR->text().isEmpty()) << w.LblERROR->text().toStdString();
  EXPECT_DOUBLE_EQ(form->State().SuperTablasELV.SuperTablaYdeX()[50000], 0.6);
  EXPECT_TRUE(boxes.requests().empty());
  EXPECT_TRUE(w.Modificado);
}

TEST_F(TableEditTest, CancelAndTheCloseBoxLeaveTableNamesAndModeAsTheyWere) {
  designer::FormMain& w = Load();
  w.Text[field::kMoreVolatileName]->setText("Benzene");
  w.Text[field::kLessVolatileName]->setText("Toluene");
  AcceptStartingTable();
  const EquilibriumTable table = form->State().TablaELV;
  const std::vector<std::string> results = Results(w);

  // Cancel, the close box, and Escape in a cell: the first takes back what was typed into the
  // cell, the second cancels.
  for (int closeBox : {0, 1, 2}) {
    EditTable([&](FormXYinput& e) {
      // The user types into the window once it is active.
      ASSERT_TRUE(QTest::qWaitForWindowActive(&e));
      EXPECT_EQ(e.A, "Benzene");
      e.A = "Methanol";
      e.Borrar();
      Type(e.TxtX[0], "0.3");
      Type(e.TxTY[0], "0.5");
      if (closeBox == 0) e.LabelB_Click(1);
      if (closeBox == 1) e.close();
      if (closeBox == 2) {
        QTest::keyClick(e.TxTY[0], Qt::Key_Escape);
        EXPECT_TRUE(e.isVisible());
        EXPECT_TRUE(e.TxTY[0]->text().isEmpty()) << "as Clear left it";
        QTest::keyClick(e.TxTY[0], Qt::Key_Escape);
      }
    });
    EXPECT_EQ(form->State().TablaELV.TablaX, table.TablaX) << closeBox;
    EXPECT_EQ(form->State().TablaELV.TablaY, table.TablaY) << closeBox;
    EXPECT_EQ(form->State().TablaELV.UltimoPuntoTabla, table.UltimoPuntoTabla) << closeBox;
    EXPECT_TRUE(form->State().UsarTabla) << closeBox;
    EXPECT_TRUE(w.OptTAB->isChecked()) << closeBox;
    EXPECT_EQ(w.Text[field::kMoreVolatileName]->text(), "Benzene") << closeBox;
    EXPECT_EQ(w.Text[field::kLessVolatileName]->text(), "Toluene") << closeBox;
    EXPECT_EQ(Results(w), results) << closeBox;
  }
}

TEST_F(TableEditTest, ARefusedTableKeepsTheEditorOpenAndCancelThenReturnsToAlpha) {
  designer::FormMain& w = Load();
  AcceptStartingTable();
  const EquilibriumTable table = form->State().TablaELV;

  struct Case {
    const char* x1;
    const char* y1;
    std::string_view key;
  };
  // The second row's y equal to the first's: mended, refused as the project reader would.
  const std::vector<Case> cases = {{"0.4", "0.5", table_key::kDataNoConsecutive},
                                   {"0.4", "", table_key::kDataOutRange},
                                   {"0.2", "0.6", table_key::kDataNoConsecutive}};
  for (const Case& c : cases) {
    const std::size_t shown = boxes.requests().size();
    EditTable([&](FormXYinput& e) {
      e.Borrar();
      Type(e.TxtX[0], "0.3");
      Type(e.TxTY[0], "0.5");
      Type(e.TxtX[1], c.x1);
      Type(e.TxTY[1], c.y1);
      Type(e.TxtX[3], "0.9");  // after an empty row: dropped by the refused OK
      e.LabelB_Click(0);
      EXPECT_TRUE(e.isVisible()) << c.key;
      EXPECT_EQ(e.X[3], kEmptyTableValue) << c.key;
      EXPECT_TRUE(e.TxtX[3]->text().isEmpty()) << c.key;
      e.LabelB_Click(1);
    });
    ASSERT_EQ(boxes.requests().size(), shown + 1) << c.key;
    EXPECT_EQ(boxes.requests().back().text, designer::FormXYinput(&w).GetL_win(std::string(c.key)));
    EXPECT_EQ(boxes.requests().back().style, plat::kExclamation);
    EXPECT_EQ(boxes.requests().back().title, "Stagora");
    EXPECT_FALSE(form->State().UsarTabla) << c.key;
    EXPECT_TRUE(w.OptVOL->isChecked()) << c.key;
    EXPECT_EQ(form->State().TablaELV.TablaX, table.TablaX) << c.key;
    EXPECT_EQ(form->State().TablaELV.UltimoPuntoTabla, table.UltimoPuntoTabla) << c.key;
    AcceptStartingTable();
  }
}

TEST_F(TableEditTest, AHundredPastedRowsShortOfOneAreRefusedWithAMessageThatSaysSo) {
  designer::FormMain& w = Load();
  AcceptStartingTable();
  const EquilibriumTable table = w.State().TablaELV;
  // A thousand rows from 0 to 1: the first hundred, which paste takes, end at x = 0.099.
  QString rows;
  for (int i = 0; i < 1000; ++i) rows += QString("%1\t%2\r\n").arg(i / 1000.0).arg(2 * (i / 1000.0) / (1 + i / 1000.0));

  for (const bool languageFile : {true, false}) {
    if (!languageFile) plat::SetProgramFolder(ScratchDir("no-language"));
    std::string languageText;
    const std::size_t shown = boxes.requests().size();
    EditTable([&](FormXYinput& e) {
      languageText = e.GetL_win(std::string(table_key::kDataEndBelowOne));
      QGuiApplication::clipboard()->setText(rows);
      e.Pegar();
      ASSERT_EQ(e.X[99], 0.099);
      e.LabelB_Click(0);
      EXPECT_TRUE(e.isVisible());
      EXPECT_EQ(e.X[99], 0.099) << "the rows stay for the user to mend";
      e.LabelB_Click(1);
    });
    ASSERT_EQ(boxes.requests().size(), shown + 1) << languageFile;
    const std::string said = boxes.requests().back().text;
    EXPECT_EQ(languageText.empty(), !languageFile);
    if (languageFile) {
      EXPECT_EQ(said, languageText);
    }
    // Without its text in the language file the message is still said, in English.
    EXPECT_NE(said.find("x = 1"), std::string::npos) << said;
    EXPECT_EQ(boxes.requests().back().style, plat::kExclamation);
    EXPECT_FALSE(w.State().UsarTabla);
    EXPECT_EQ(w.State().TablaELV.TablaX, table.TablaX);
    EXPECT_EQ(w.State().TablaELV.UltimoPuntoTabla, table.UltimoPuntoTabla);
  }
  EXPECT_TRUE(w.OptVOL->isChecked());
}

TEST_F(TableEditTest, OkWithoutAFirstRowReturnsToAlphaWithTheTableKept) {
  designer::FormMain& w = Load();
  AcceptStartingTable();
  const EquilibriumTable table = form->State().TablaELV;
  EditTable([](FormXYinput& e) {
    e.LabelB_Click(2);  // Clear
    e.LabelB_Click(0);
  });
  EXPECT_FALSE(form->State().UsarTabla);
  EXPECT_TRUE(w.OptVOL->isChecked());
  EXPECT_EQ(form->State().TablaELV.TablaX, table.TablaX);
  EXPECT_EQ(form->State().TablaELV.UltimoPuntoTabla, 20);
  EXPECT_TRUE(boxes.requests().empty());
}

// Mended: the table and the second name are saved with the project like the first name, so
// handing back a different one marks the project modified; an edit that changes nothing does not.
TEST_F(TableEditTest, WhatOkChangesMarksTheProjectModified) {
  designer::FormMain& w = Load();
  AcceptStartingTable();
  EXPECT_TRUE(w.Modificado);  // the project now uses its table
  w.Modificado = false;
  EditTable([](FormXYinput& e) { e.LabelB_Click(0); });
  EXPECT_FALSE(w.Modificado);

  EditTable([](FormXYinput& e) {
    Type(e.TxTY[1], "0.1");
    e.LabelB_Click(0);
  });
  EXPECT_EQ(form->State().TablaELV.TablaY[1], 0.1);
  EXPECT_TRUE(w.Modificado);
  w.Modificado = false;

  EditTable([](FormXYinput& e) {
    e.B = "Water";
    e.LabelB_Click(0);
  });
  EXPECT_EQ(w.Text[field::kLessVolatileName]->text(), "Water");
  EXPECT_TRUE(w.Modificado);
  w.Modificado = false;

  EditTable([](FormXYinput& e) {
    e.A = "Ethanol";
    e.LabelB_Click(0);
  });
  EXPECT_EQ(w.Text[field::kMoreVolatileName]->text(), "Ethanol");
  EXPECT_TRUE(w.Modificado);
  EXPECT_TRUE(w.RotuloEjeX.find("Ethanol") != std::string::npos);
}

}  // namespace
}  // namespace stagora::test
