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

  const auto field = [this](int n) { return Cp1252(Text[static_cast<std::size_t>(n)]->text()); };
  in.Text1 = field(1);
  in.Text2 = field(2);
  in.Text3 = field(3);
  in.Text4 = field(4);
  in.Text5 = field(5);
  in.Text6 = field(6);
  in.Text7 = field(7);
  in.Text8 = field(8);
  in.Text9 = field(9);
  in.Text10 = field(10);
  in.Text11 = field(11);
  in.Text12 = field(12);
  in.Text13 = field(13);
  in.Text14 = field(14);
  in.Text15 = field(15);
  in.Text16 = field(16);
  in.Text17 = field(17);
  in.feedStateCaption = Cp1252(Label1[15]->text());

  in.PendienteMin = PendienteMin;
  in.NumPlatosTeor = NumPlatosTeor;
  in.TablaELV_TXT = TablaELV_TXT;
  in.TablaPlatos_TXT = TablaPlatos_TXT;
  in.TablaELV_HTFC = TablaELV_HTFC;
  in.TablaPlatos_HTFC = TablaPlatos_HTFC;

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
