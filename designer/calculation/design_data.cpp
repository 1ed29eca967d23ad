#include "designer/calculation/design_data.h"

#include <cmath>

#include "common/number_text.h"

namespace stagora {

namespace {
bool InsideOpenUnit(double v) { return v > 0 && v < 1; }
}  // namespace

DesignData ReadDesignData(const DesignFields& fields) {
  DesignData d;
  d.alpha = ValNUM(fields.Text1);
  d.q = ValNUM(fields.Text2);
  d.zF = ValNUM(fields.Text3);
  d.xD = ValNUM(fields.Text4);
  d.xB = ValNUM(fields.Text5);
  d.R = ValNUM(fields.Text6);
  d.E = ValNUM(fields.Text15);
  return d;
}

std::string_view CheckReadData(const DesignData& d) {
  for (double v : {d.alpha, d.q, d.zF, d.xD, d.xB, d.R, d.E}) {
    if (!std::isfinite(v)) return calc_key::kInvalidData;
  }
  return {};
}

std::string_view ValidateDesign(const DesignData& d) {
  if (d.R <= 0) return calc_key::kNegativeRefluxRatio;
  if (!InsideOpenUnit(d.zF)) return calc_key::kXFeedOutRange;
  if (!InsideOpenUnit(d.xD)) return calc_key::kXDistOutRange;
  if (!InsideOpenUnit(d.xB)) return calc_key::kXBottOutRange;
  if (d.alpha <= 1) return calc_key::kAlphaOutRange;
  if (d.xB >= d.zF) return calc_key::kXbottGtXfeed;
  if (d.zF >= d.xD) return calc_key::kXfeedGtXdist;
  if (d.E <= 0 || d.E > 1) return calc_key::kOverallEfficOutRange;
  return {};
}

}  // namespace stagora
