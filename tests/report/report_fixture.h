// Report inputs as the main window would gather them, made from a design through the
// calculation core, and two languages: the designer's own file, and a stand-in whose text of
// every key is the key in braces (with the placeholder the key is expected to carry), so a
// test can read off which text went where.
#pragma once

#include <map>
#include <string>

#include "common/language_table.h"
#include "designer/calculation/design_calculation.h"
#include "designer/calculation/equilibrium.h"
#include "designer/calculation/result_tables.h"
#include "designer/calculation/result_texts.h"
#include "designer/report/report_input.h"
#include "tests/support/test_support.h"

namespace stagora::test {

struct Design {
  DesignFields fields{"2", "0.5", "0.46", "0.85", "0.17", "3", "1"};  // the designer's start design
  std::string nameA, nameB;
  std::string simbolo = ".";
  std::string caption = "Liquid and vapour";
  bool table = false;
  int tableLastRow = 20;  // what the report is told about the table in table mode
};

inline LanguageLookup DesignerLanguage() {
  LanguageTable table("MAI");
  table.SetLanguageFolder(SourceDir() + "/lang");
  return [table](const std::string& key) { return table.GetL_win(key); };
}

inline LanguageLookup KeyLanguage() {
  static const std::map<std::string, std::string> placeholders = {
      {"X_refered_to", "%C%"},        {"Rmin_Slope_ROE_is", "%mRmin%"},  {"Posic_Feed_Plate1", "%EFI%"},
      {"NTP_RendimREN%_1", "%EFI%"},  {"H_Posic_Feed_Plate2", "%NF%"},   {"Posic_Feed_Plate2", "%NF%"},
      {"H_NTP_Rendim100%_2", "%NPT%"}, {"NTP_Rendim100%_2", "%NPT%"},    {"H_NTP_RendimREN%_2", "%NNN%"},
      {"NTP_RendimREN%_2", "%NNN%"},
  };
  return [](const std::string& key) {
    const auto p = placeholders.find(key);
    return "{" + key + (p == placeholders.end() ? "" : " " + p->second) + "}";
  };
}

// The table of a constant alpha of 2, as the designer fills it at start-up.
inline const EquilibriumLookup& StartTableLookup() {
  static const EquilibriumLookup lookup = [] {
    EquilibriumTable t;
    for (int i = 0; i <= 20; ++i) {
      const double x = i / 20.0;
      t.TablaX[static_cast<std::size_t>(i)] = x;
      t.TablaY[static_cast<std::size_t>(i)] = 2 * x / (1 + x);
    }
    t.UltimoPuntoTabla = 20;
    EquilibriumLookup l;
    CrearSuperTABLA_ELV(t, l);
    return l;
  }();
  return lookup;
}

// Calculates the design and gathers what the window would hold afterwards.
inline ReportInput InputOf(const Design& d, LanguageLookup language) {
  DesignInput calc;
  calc.fields = d.fields;
  calc.SimboloDecimal = d.simbolo;
  calc.UsarTabla = d.table;
  calc.lookup = &StartTableLookup();
  const DesignResult r = CalculateDesign(calc);

  ReportInput in;
  in.designInError = !r.ok();
  in.Text1 = d.fields.Text1;
  in.Text2 = d.fields.Text2;
  in.Text3 = d.fields.Text3;
  in.Text4 = d.fields.Text4;
  in.Text5 = d.fields.Text5;
  in.Text6 = d.fields.Text6;
  in.Text15 = d.fields.Text15;
  in.Text16 = d.nameA;
  in.Text17 = d.nameB;
  const ResultTexts t = MakeResultTexts(r);
  in.Text7 = t.Text7;
  in.Text8 = t.Text8;
  in.Text9 = t.Text9;
  in.Text10 = t.Text10;
  in.Text11 = t.Text11;
  in.Text12 = t.Text12;
  in.Text13 = t.Text13;
  in.Text14 = t.Text14;
  in.feedStateCaption = d.caption;
  in.PendienteMin = r.reflux.PendienteMin;
  in.NumPlatosTeor = r.NumPlatosTeor;
  const ResultTables tables = MakeResultTables(r, EquilibriumModelOf(r, calc.lookup));
  in.TablaELV_TXT = tables.TablaELV_TXT;
  in.TablaPlatos_TXT = tables.TablaPlatos_TXT;
  in.TablaELV_HTFC = tables.TablaELV_HTFC;
  in.TablaPlatos_HTFC = tables.TablaPlatos_HTFC;
  in.UsarTabla = d.table;
  in.UltimoPuntoTabla = d.table ? d.tableLastRow : -1;
  in.SimboloDecimal = d.simbolo;
  in.GetL_win = std::move(language);
  return in;
}

}  // namespace stagora::test
