// The main window's side of the worked solution: it gathers the fields, the feed-state
// caption and the kept results into one ReportInput and has the report core write from it.
#include <QLabel>
#include <QLineEdit>

#include "common/number_text.h"
#include "designer/report/plain_text_solution.h"
#include "designer/window/designer_state.h"
#include "designer/window/form_main.h"
#include "platform/encoding.h"

namespace stagora::designer {
namespace {

std::string Cp1252(const QString& text) { return plat::Utf16ToCp1252(text.toStdU16String()); }

}  // namespace

ReportInput FormMain::ReportData() const {
  ReportInput in;
  // The error label shows its text up to one tick of Timer1 late; a design rejected in that
  // moment is in error all the same, and must not be written up from the last good results.
  in.designInError = !LblERROR->isHidden() || !LblERROR->text().isEmpty();

  const auto textOf = [this](int n) { return Cp1252(Text[static_cast<std::size_t>(n)]->text()); };
  in.Text1 = textOf(field::kAlpha);
  in.Text2 = textOf(field::kThermalQ);
  in.Text3 = textOf(field::kXFeed);
  in.Text4 = textOf(field::kXDistillate);
  in.Text5 = textOf(field::kXBottoms);
  in.Text6 = textOf(field::kRefluxRatio);
  in.Text7 = textOf(field::kMinRefluxRatio);
  in.Text8 = textOf(field::kQLine);
  in.Text9 = textOf(field::kEnrichingLine);
  in.Text10 = textOf(field::kStrippingLine);
  in.Text11 = textOf(field::kLinesMeet);
  in.Text12 = textOf(field::kPinchPoint);
  in.Text13 = textOf(field::kFeedPlate);
  in.Text14 = textOf(field::kRealPlates);
  in.Text15 = textOf(field::kEfficiency);
  in.Text16 = textOf(field::kMoreVolatileName);
  in.Text17 = textOf(field::kLessVolatileName);
  in.feedStateCaption = Cp1252(Label1[15]->text());

  in.PendienteMin = PendienteMin;
  in.NumPlatosTeor = NumPlatosTeor;
  const ResultTables& tables = Tablas();
  in.TablaELV_TXT = tables.TablaELV_TXT;
  in.TablaPlatos_TXT = tables.TablaPlatos_TXT;
  in.TablaELV_HTFC = tables.TablaELV_HTFC;
  in.TablaPlatos_HTFC = tables.TablaPlatos_HTFC;

  // The designer-wide values, read here and nowhere else in the report.
  in.UsarTabla = state_.UsarTabla;
  in.UltimoPuntoTabla = state_.TablaELV.UltimoPuntoTabla;
  in.SimboloDecimal = SimboloDecimal;

  in.GetL_win = [this](const std::string& key) { return GetL_win(key, false); };
  return in;
}

std::optional<WorkedSolution> FormMain::HTFC_Informe_NEU(const std::string& Nomb_JPG) const {
  return MakeWorkedSolution(ReportData(), Nomb_JPG);
}

std::string FormMain::SemiInformeParaImprimir() const { return MakePlainTextSolution(ReportData()); }

}  // namespace stagora::designer
