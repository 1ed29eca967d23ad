// Calcular: the main window's side of the design calculation. It reads the fields, hands
// them to the calculation core, has the diagram drawn and shows either the error text or the
// results. The numbers, texts and drawing are the core's; the window moves text in and out
// and puts the point labels where the drawing says.
#include <QLabel>
#include <QLineEdit>
#include <QWidget>
#include <cmath>
#include <memory>
#include <optional>
#include <utility>

#include "common/number_text.h"
#include "designer/calculation/design_calculation.h"
#include "designer/diagram/diagram.h"
#include "designer/calculation/result_tables.h"
#include "designer/calculation/result_texts.h"
#include "designer/print/print_request.h"
#include "designer/window/controls.h"
#include "designer/window/designer_state.h"
#include "designer/window/form_main.h"
#include "platform/encoding.h"

namespace stagora::designer {
namespace {

// Beyond this a label position is no longer a widget coordinate.
constexpr double kFarthestLabelPosition = QWIDGETSIZE_MAX;

std::string FieldText(const QLineEdit* field) { return plat::Utf16ToCp1252(field->text().toStdU16String()); }

// The diagram is written in the picture's own font, as the window set it.
plat::FontSpec PictureFont(const PictureBox& picture) {
  plat::FontSpec fontSpec;
  fontSpec.name = "Arial";
  fontSpec.size = picture.font().pointSizeF();
  fontSpec.bold = picture.font().bold();
  return fontSpec;
}

// A result field is written only when its text changes: the same text written again fires no
// change handler either, but would still be laid out and repainted on every move of a drag.
void WriteResult(QLineEdit* field, const std::string& cp1252) {
  const QString text = QText(cp1252);
  if (field->text() != text) field->setText(text);
}

}  // namespace

void FormMain::Calcular(PictureBox& Lienzo, bool EnImpresora, bool ImprimirBN) {
  // Entry. A printout leaves the picture as it is: the screen keeps showing the diagram
  // while it goes to paper.
  ++CalcularRuns;
  plat::ImageSurface& picture = Lienzo.surface();
  if (!EnImpresora) picture.cls();
  // The two plate counts are emptied where a run stops, not here: written only on success,
  // they would otherwise be cleared and rewritten on every move of a drag.
  LblERROR->clear();
  // The readout follows the pointer, and a drag by the pointer writes it anew. Any other
  // recalculation (a field's Enter, a menu, a button, the mode) may change the curve under a
  // readout that the pointer left standing.
  if (&Lienzo == Picture1 && !EnImpresora && !Arrastrando && !ArrastrandoCurva) LblCOOR->hide();
  NumPlatosTeor = 0;
  PlatoAlimTeor = 0;

  // The surface and the background, drawn before the data are even read, so a design that
  // does not read or does not pass still shows the empty diagram.
  DiagramTarget target = DiagramTarget::kScreen;
  if (EnImpresora) {
    target = DiagramTarget::kPrinter;
  } else if (&Lienzo == Picture4) {
    target = DiagramTarget::kReport;
  }
  if (target == DiagramTarget::kScreen) {
    for (std::optional<QPointF>& centre : pointCentres_) centre.reset();
  }
  plat::Surface& surface = EnImpresora ? static_cast<plat::Surface&>(Printer()) : picture;
  if (!EnImpresora) surface.setFont(PictureFont(Lienzo));
  // The window's picture is drawn again on every pointer move of a drag, with the same legends
  // and axis captions in the same places.
  DiagramDrawing diagram(surface, target, EnImpresora && ImprimirBN,
                         target == DiagramTarget::kScreen ? &diagramTextPlaces_ : nullptr);
  diagram.DrawBackground(SimboloDecimal);

  DesignInput input;
  input.fields.Text1 = FieldText(Text[field::kAlpha]);
  input.fields.Text2 = FieldText(Text[field::kThermalQ]);
  input.fields.Text3 = FieldText(Text[field::kXFeed]);
  input.fields.Text4 = FieldText(Text[field::kXDistillate]);
  input.fields.Text5 = FieldText(Text[field::kXBottoms]);
  input.fields.Text6 = FieldText(Text[field::kRefluxRatio]);
  input.fields.Text15 = FieldText(Text[field::kEfficiency]);
  input.SimboloDecimal = SimboloDecimal;
  input.UsarTabla = state_.UsarTabla;
  input.lookup = &state_.SuperTablasELV;
  const DesignResult result = CalculateDesign(input);
  if (result.pendienteMinSet()) PendienteMin = result.reflux.PendienteMin;

  // What the calculation reached before it stopped: the three given points as read, then
  // the equilibrium curve once they passed validation.
  const auto placeLabels = [this](const PointLabelPlaces& places) {
    for (int i = 0; i < kPointLabels; ++i) {
      const auto& centre = places.centre[static_cast<std::size_t>(i)];
      if (!centre) continue;
      QLabel* label = Label2[static_cast<std::size_t>(i)];
      const double left = std::nearbyint(centre->X - label->width() / 2.0);
      const double top = std::nearbyint(centre->Y - label->height() / 2.0);
      // A point far off the picture cannot be a widget position: the label stays put.
      if (std::abs(left) > kFarthestLabelPosition || std::abs(top) > kFarthestLabelPosition) continue;
      label->move(static_cast<int>(left), static_cast<int>(top));
      pointCentres_[static_cast<std::size_t>(i)] = QPointF(centre->X, centre->Y);
    }
  };
  const EquilibriumModel equilibrium = EquilibriumModelOf(result, &state_.SuperTablasELV);
  // The legends' and axis captions' texts are known before the design is: the point captions
  // keep clear of them.
  DiagramTexts diagramTexts;
  diagramTexts.Enrich_op_line = GetL_win("Enrich_op_line");
  diagramTexts.Exhaus_op_line = GetL_win("Exhaus_op_line");
  diagramTexts.q_line = GetL_win("q_line");
  diagramTexts.RotuloEjeX = RotuloEjeX;
  diagramTexts.RotuloEjeY = RotuloEjeY;
  if (result.phase > CalcPhase::kReadInputs) {
    diagram.DrawPointMarksAndCurve(result, result.phase > CalcPhase::kValidation ? &equilibrium : nullptr,
                                   diagramTexts);
    placeLabels(diagram.labels());
    if (target == DiagramTarget::kScreen) yCaptionMoreLines_ = diagram.YCaptionMoreLines();
  }

  if (!result.ok()) {
    Text[field::kRealPlates]->clear();
    Text[field::kFeedPlate]->clear();
    const std::string text = result.errorKey.empty() ? result.errorText : GetL_win(result.errorKey);
    LblERROR->setText(QText(text));
    Lienzo.updateChanged();
    return;
  }

  LblERROR->hide();
  NumPlatosTeor = result.NumPlatosTeor;
  PlatoAlimTeor = result.PlatoAlimTeor;
  const ResultTexts texts = MakeResultTexts(result);
  WriteResult(Text[field::kMinRefluxRatio], texts.Text7);
  WriteResult(Text[field::kQLine], texts.Text8);
  WriteResult(Text[field::kEnrichingLine], texts.Text9);
  WriteResult(Text[field::kStrippingLine], texts.Text10);
  WriteResult(Text[field::kLinesMeet], texts.Text11);
  WriteResult(Text[field::kPinchPoint], texts.Text12);
  WriteResult(Text[field::kFeedPlate], texts.Text13);
  WriteResult(Text[field::kRealPlates], texts.Text14);

  diagram.DrawConstruction(result, diagramTexts);
  placeLabels(diagram.labels());
  // The point labels belong to the screen picture; a printout or the report's picture
  // neither moves nor shows them.
  if (diagram.labels().show && target == DiagramTarget::kScreen) {
    for (QLabel* label : Label2) label->setVisible(true);
  }

  if (!tablesSource_) tablesSource_ = std::make_unique<TablesSource>();
  TablesSource& source = *tablesSource_;
  source.pending = true;
  source.staircase = result.staircase;
  source.simbolo = result.SimboloDecimal;
  source.alpha.reset();
  if (equilibrium.UsarTabla()) {
    EquilibriumTables curve = MakeEquilibriumTables(equilibrium, result.SimboloDecimal);
    tables_.TablaELV_TXT = std::move(curve.TablaELV_TXT);
    tables_.TablaELV_HTFC = std::move(curve.TablaELV_HTFC);
  } else {
    source.alpha = equilibrium.alpha();
  }
  Lienzo.updateChanged();
}

const ResultTables& FormMain::Tablas() const {
  if (tablesSource_ && tablesSource_->pending) {
    const TablesSource& source = *tablesSource_;
    StageTables stages = MakeStageTables(source.staircase, source.simbolo);
    tables_.TablaPlatos_TXT = std::move(stages.TablaPlatos_TXT);
    tables_.TablaPlatos_HTFC = std::move(stages.TablaPlatos_HTFC);
    if (source.alpha) {
      EquilibriumTables curve = MakeEquilibriumTables(EquilibriumModel::Volatility(*source.alpha), source.simbolo);
      tables_.TablaELV_TXT = std::move(curve.TablaELV_TXT);
      tables_.TablaELV_HTFC = std::move(curve.TablaELV_HTFC);
    }
    tablesSource_->pending = false;
  }
  return tables_;
}

}  // namespace stagora::designer
