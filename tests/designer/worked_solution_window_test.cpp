// The main window's worked solution: what it gathers from its fields, caption and kept
// results, and that it writes nothing for a design in error.
#include <QLabel>
#include <QLineEdit>

#include "designer/calculation/equilibrium.h"
#include "designer/calculation/result_tables.h"
#include "designer/report/report_text.h"
#include "designer/window/controls.h"
#include "platform/encoding.h"
#include "platform/textfile.h"
#include "tests/designer/main_window_fixture.h"

namespace stagora::test {
namespace {

using report_text::Replace;

std::string Shown(const QString& text) { return plat::Utf16ToCp1252(text.toStdU16String()); }

class WorkedSolutionWindow : public MainWindowTest {
 protected:
  designer::FormMain& Calculated() {
    designer::FormMain& w = Load();
    w.Calcular(*w.Picture1, false);
    EXPECT_TRUE(w.LblERROR->text().isEmpty()) << w.LblERROR->text().toStdString();
    return w;
  }
  std::string Field(int n) const { return Shown(form->Text[n]->text()); }
  std::string Markup(int n) const { return Replace(Field(n), form->SimboloDecimal, "&."); }
};

TEST_F(WorkedSolutionWindow, StartDesignCarriesTheResultFields) {
  designer::FormMain& w = Calculated();
  const std::optional<WorkedSolution> s = w.HTFC_Informe_NEU("stgr_temp100000.jpg");
  ASSERT_TRUE(s.has_value());

  const std::string caption = Shown(w.Label1[15]->text());
  ASSERT_FALSE(caption.empty());
  EXPECT_NE(s->statement.find("    &+Iq&-I = 0.5  " + caption + "&LF"), std::string::npos) << s->statement;
  EXPECT_EQ(s->answer,
            "&+Ba)&-B Minimum reflux ratio:&LF    &+IR&-I_m_i_n = " + Markup(7) + "&LF"
            "&+Bb)&-B Number of the feed plate (for overall plate efficiency = 1):&LF"
            "    &+INF&-I = " + Markup(13) + " (counting from the top)&LF"
            "&+Bc)&-B Number of Theoretical Plates (for overall plate efficiency = 1):&LF"
            "    &+INPT&-I = " + FormatNUM_HTFC(w.NumPlatosTeor, 5) + " (with reboiler)&LF");
  // The equations and points as the fields show them, rewritten for the mark-up.
  const auto equation = [&](int n) {
    return Replace(Replace(Replace(Field(n), "x", "&+Ix&-I"), "y", "&+Iy&-I"), ".", "&.");
  };
  for (int n : {8, 9, 10}) EXPECT_NE(s->level1.find("    " + equation(n) + "&LF&LF"), std::string::npos) << n;
  EXPECT_NE(s->level1.find(Replace(Replace(Markup(11), "xq", "&+Ix&-I_q"), "yq", "&+Iy&-I_q")), std::string::npos);
  EXPECT_NE(s->level1.find(Replace(Replace(Markup(12), "xm", "&+Ix&-I_m"), "ym", "&+Iy&-I_m")), std::string::npos);
  EXPECT_NE(s->level1.find(w.Tablas().TablaPlatos_HTFC), std::string::npos);
  EXPECT_NE(s->level2.find(" = " + FormatNUM_HTFC(w.PendienteMin, 5) + ":&LF"), std::string::npos);

  const std::string plain = w.SemiInformeParaImprimir();
  EXPECT_NE(plain.find("    q = 0.5   " + caption + ".\r\n"), std::string::npos) << plain;
  EXPECT_NE(plain.find("    Rmin = " + Field(7) + "\r\n"), std::string::npos);

  // Left for looking at: htfc-render turns each into a page.
  const std::pair<const char*, const std::string*> sections[] = {
      {"enu", &s->statement}, {"sol", &s->answer}, {"rs1", &s->level1}, {"rs2", &s->level2}};
  for (const auto& [name, text] : sections) {
    plat::WriteTextFile(ArtefactDir() + "/worked_solution_" + name + ".htfc", *text);
  }
  plat::WriteTextFile(ArtefactDir() + "/worked_solution_page1.txt", plain);
}

TEST_F(WorkedSolutionWindow, DecimalCommaOfTheWindow) {
  designer::FormMain& w = Load();
  w.mnu_Decimal_SEP_COM_Click();
  w.Calcular(*w.Picture1, false);
  ASSERT_EQ(Field(3), "0,46");
  const std::string plain = w.SemiInformeParaImprimir();
  EXPECT_NE(plain.find(" Zf = 0,46\r\n"), std::string::npos) << plain;
  EXPECT_NE(plain.find("    Rmin = " + Field(7) + "\r\n"), std::string::npos) << plain;
  EXPECT_NE(Field(7).find(','), std::string::npos);
  const std::optional<WorkedSolution> s = w.HTFC_Informe_NEU("x.jpg");
  ASSERT_TRUE(s.has_value());
  EXPECT_NE(s->answer.find("&+IR&-I_m_i_n = " + Markup(7) + "&LF"), std::string::npos) << s->answer;
}

TEST_F(WorkedSolutionWindow, RejectedDesignWritesNothingEvenBeforeItsErrorShows) {
  designer::FormMain& w = Calculated();
  w.Text[field::kRefluxRatio]->setText("-1");
  w.Calcular(*w.Picture1, false);
  // The error label shows at the next tick of its timer; the design is in error already.
  ASSERT_FALSE(w.LblERROR->text().isEmpty());
  EXPECT_FALSE(w.HTFC_Informe_NEU("x.jpg").has_value());
  EXPECT_EQ(w.SemiInformeParaImprimir(), "");
  w.Timer1_Timer();
  ASSERT_FALSE(w.LblERROR->isHidden());
  EXPECT_FALSE(w.HTFC_Informe_NEU("x.jpg").has_value());

  w.Text[field::kRefluxRatio]->setText("3");
  w.Calcular(*w.Picture1, false);
  EXPECT_TRUE(w.HTFC_Informe_NEU("x.jpg").has_value());
}

// The tables are made when the report or the printout reads them, not with every
// calculation: what they read is the last successful design's, refusals and edits of the
// equilibrium table since then notwithstanding.
TEST_F(WorkedSolutionWindow, TablesReadLaterAreThoseOfTheLastSuccessfulDesign) {
  designer::FormMain& w = Calculated();
  const ResultTables opening = w.Tablas();
  ASSERT_FALSE(opening.TablaPlatos_TXT.empty());
  ASSERT_FALSE(opening.TablaELV_HTFC.empty());

  // Another design, then back to the opening one, then a refusal: none read in between.
  w.Text[field::kAlpha]->setText("2.5");
  w.Calcular(*w.Picture1, false);
  w.Text[field::kAlpha]->setText("2");
  w.Calcular(*w.Picture1, false);
  w.Text[field::kRefluxRatio]->setText("-1");
  w.Calcular(*w.Picture1, false);
  ASSERT_FALSE(w.LblERROR->text().isEmpty());
  const ResultTables& kept = w.Tablas();
  EXPECT_EQ(kept.TablaPlatos_TXT, opening.TablaPlatos_TXT);
  EXPECT_EQ(kept.TablaPlatos_HTFC, opening.TablaPlatos_HTFC);
  EXPECT_EQ(kept.TablaELV_TXT, opening.TablaELV_TXT);
  EXPECT_EQ(kept.TablaELV_HTFC, opening.TablaELV_HTFC);

  // In table mode the equilibrium table is the one of the lookup tables the design was
  // calculated with, though the table is edited before it is read.
  w.Text[field::kRefluxRatio]->setText("3");
  w.State().TablaELV.UltimoPuntoTabla = 20;
  ASSERT_FALSE(CrearSuperTABLA_ELV(w.State().TablaELV, w.State().SuperTablasELV).has_value());
  w.State().UsarTabla = true;
  w.Calcular(*w.Picture1, false);
  ASSERT_TRUE(w.LblERROR->text().isEmpty());
  const EquilibriumLookup calculatedWith = w.State().SuperTablasELV;
  w.State().TablaELV.TablaY[10] = 0.7;
  ASSERT_FALSE(CrearSuperTABLA_ELV(w.State().TablaELV, w.State().SuperTablasELV).has_value());
  const EquilibriumTables expected = MakeEquilibriumTables(EquilibriumModel::Table(&calculatedWith), w.SimboloDecimal);
  ASSERT_NE(MakeEquilibriumTables(EquilibriumModel::Table(&w.State().SuperTablasELV), w.SimboloDecimal).TablaELV_TXT,
            expected.TablaELV_TXT);
  EXPECT_EQ(w.Tablas().TablaELV_TXT, expected.TablaELV_TXT);
  EXPECT_EQ(w.Tablas().TablaELV_HTFC, expected.TablaELV_HTFC);
}

}  // namespace
}  // namespace stagora::test
