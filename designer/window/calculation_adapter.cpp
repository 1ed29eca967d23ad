// Calcular: the main window's side of the design calculation. It reads the fields, hands
// them to the calculation core, has the diagram drawn and shows either the error text or the
// results. The numbers are the core's; the window only moves text in and out.
#include <QLabel>
#include <QLineEdit>

#include "common/number_text.h"
#include "designer/calculation/design_calculation.h"
#include "designer/window/controls.h"
#include "designer/window/designer_state.h"
#include "designer/window/form_main.h"
#include "platform/encoding.h"

namespace stagora::designer {
namespace {

constexpr double kCountDigits = 3;
constexpr double kValueDigits = 5;

std::string FieldText(const QLineEdit* field) { return plat::Utf16ToCp1252(field->text().toStdU16String()); }

// The diagram of a calculation on its picture: what the result says was reached by the time
// the calculation stopped. This is the one place the drawing hooks into the window.
void DrawDiagram(PictureBox& Lienzo, const DesignResult& /*result*/, bool /*EnImpresora*/) { Lienzo.update(); }

}  // namespace

void FormMain::Calcular(PictureBox& Lienzo, bool EnImpresora) {
  Lienzo.surface().cls();
  Text[14]->clear();
  Text[13]->clear();
  LblERROR->clear();
  NumPlatosTeor = 0;
  PlatoAlimTeor = 0;

  DesignInput input;
  input.fields.Text1 = FieldText(Text[1]);
  input.fields.Text2 = FieldText(Text[2]);
  input.fields.Text3 = FieldText(Text[3]);
  input.fields.Text4 = FieldText(Text[4]);
  input.fields.Text5 = FieldText(Text[5]);
  input.fields.Text6 = FieldText(Text[6]);
  input.fields.Text15 = FieldText(Text[15]);
  input.SimboloDecimal = SimboloDecimal;
  input.UsarTabla = UsarTabla;
  input.lookup = &SuperTablasELV;
  const DesignResult result = CalculateDesign(input);
  if (result.pendienteMinSet()) PendienteMin = result.reflux.PendienteMin;

  if (!result.ok()) {
    DrawDiagram(Lienzo, result, EnImpresora);
    const std::string text = result.errorKey.empty() ? result.errorText : GetL_win(result.errorKey);
    LblERROR->setText(QText(text));
    return;
  }

  LblERROR->hide();
  NumPlatosTeor = result.NumPlatosTeor;
  PlatoAlimTeor = result.PlatoAlimTeor;
  const double E = result.data.E;
  Text[7]->setText(QText(FormatNUM(result.reflux.Rmin, kValueDigits)));
  Text[13]->setText(QText(FormatNUM(PlatoAlimTeor / E, kCountDigits)));
  Text[14]->setText(QText(FormatNUM(NumPlatosTeor / E, kCountDigits)));
  DrawDiagram(Lienzo, result, EnImpresora);
}

}  // namespace stagora::designer
