// ReajustarCursores: the seven slider knobs placed where their fields' values lie on their
// tracks, and the caption that names the feed's thermal state.
#include <QLabel>
#include <QLineEdit>

#include "common/number_text.h"
#include "designer/window/controls.h"
#include "designer/window/form_main.h"
#include "designer/window/slider_knobs.h"
#include "platform/encoding.h"

namespace stagora::designer {
namespace {

std::string FieldText(const QLineEdit* field) { return plat::Utf16ToCp1252(field->text().toStdU16String()); }

double FieldValue(const QLineEdit* field) { return ValNUM(FieldText(field)); }

}  // namespace

void FormMain::ReajustarCursores() {
  // Every change of a design field, typed or written by code, marks the design modified.
  Modificado = true;

  KnobValues v;
  v.zF = FieldValue(Text[field::kXFeed]);
  v.xD = FieldValue(Text[field::kXDistillate]);
  v.xB = FieldValue(Text[field::kXBottoms]);
  v.q = FieldValue(Text[field::kThermalQ]);
  v.alpha = FieldValue(Text[field::kAlpha]);
  v.E = FieldValue(Text[field::kEfficiency]);
  v.Rmin = FieldValue(Text[field::kMinRefluxRatio]);
  v.R = FieldValue(Text[field::kRefluxRatio]);

  for (const int i : kKnobPlacementOrder) {
    ImageControl* knob = Image2[i];
    const KnobTrack track{static_cast<double>(Line1[i]->X1()), static_cast<double>(Line1[i]->X2())};
    const std::optional<float> left = KnobLeft(i, v, track, knob->width());
    if (left) knob->move(static_cast<int>(std::lround(*left)), knob->y());
  }

  const std::optional<FeedState> state = FeedStateOf(v.q);
  if (!state) return;
  const std::string* caption = nullptr;
  switch (*state) {
    case FeedState::SuperheatedVapour:
      caption = &Txt_q_SUPVap;
      break;
    case FeedState::SaturatedVapour:
      caption = &Txt_q_SATVap;
      break;
    case FeedState::LiquidAndVapour:
      caption = &Txt_q_LiqVap;
      break;
    case FeedState::SaturatedLiquid:
      caption = &Txt_q_SATLiq;
      break;
    case FeedState::SubcooledLiquid:
      caption = &Txt_q_SUBLiq;
      break;
  }
  Label1[15]->setText(LabelCaption(*caption));
}

}  // namespace stagora::designer
