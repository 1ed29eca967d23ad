#include "platform/surface.h"

#include <cmath>

#include "platform/encoding.h"

namespace plat {

double Surface::unitsPerPixelX() const {
  switch (scaleMode_) {
    case ScaleMode::Twips: return twipsPerPixelX();
    case ScaleMode::Millimetres: return twipsPerPixelX() / 1440.0 * 25.4;
    case ScaleMode::Pixels: break;
  }
  return 1.0;
}

double Surface::unitsPerPixelY() const {
  switch (scaleMode_) {
    case ScaleMode::Twips: return twipsPerPixelY();
    case ScaleMode::Millimetres: return twipsPerPixelY() / 1440.0 * 25.4;
    case ScaleMode::Pixels: break;
  }
  return 1.0;
}

void Surface::cls() {
  devClear(backColor_);
  currentX_ = 0;
  currentY_ = 0;
  blank_ = true;
}

bool Surface::restoreLayer(std::string_view key, int level) {
  if (!devRestoreLayer(key, level)) return false;
  blank_ = false;
  return true;
}

void Surface::devLines(const std::vector<Segment>& segments, Color c, double penPx) {
  for (const Segment& s : segments) devLine(s.x1, s.y1, s.x2, s.y2, c, penPx);
}

void Surface::lines(const std::vector<Segment>& segments, Color color) {
  if (segments.empty()) return;
  blank_ = false;
  devSegments_.clear();
  for (const Segment& s : segments) {
    const Segment d{toPixelsX(s.x1), toPixelsY(s.y1), toPixelsX(s.x2), toPixelsY(s.y2)};
    if (std::isfinite(d.x1) && std::isfinite(d.y1) && std::isfinite(d.x2) && std::isfinite(d.y2)) {
      devSegments_.push_back(d);
    }
  }
  devLines(devSegments_, color, drawWidth_);
  currentX_ = segments.back().x2;
  currentY_ = segments.back().y2;
}

void Surface::line(double x1, double y1, double x2, double y2, std::optional<Color> color, LineShape shape) {
  blank_ = false;
  const Color c = color.value_or(foreColor_);
  const double px1 = toPixelsX(x1), py1 = toPixelsY(y1), px2 = toPixelsX(x2), py2 = toPixelsY(y2);
  if (std::isfinite(px1) && std::isfinite(py1) && std::isfinite(px2) && std::isfinite(py2)) {
    if (shape == LineShape::Segment) {
      devLine(px1, py1, px2, py2, c, drawWidth_);
    } else {
      devRect(std::min(px1, px2), std::min(py1, py2), std::abs(px2 - px1), std::abs(py2 - py1), c, drawWidth_,
              shape == LineShape::FilledBox, c);
    }
  }
  currentX_ = x2;
  currentY_ = y2;
}

void Surface::circle(double x, double y, double r, std::optional<Color> color) {
  blank_ = false;
  const double cx = toPixelsX(x), cy = toPixelsY(y), rx = std::abs(toPixelsX(r));
  if (std::isfinite(cx) && std::isfinite(cy) && std::isfinite(rx)) {
    devEllipse(cx, cy, rx, rx, color.value_or(foreColor_), drawWidth_, fillStyle_ == kFillSolid, fillColor_);
  }
  currentX_ = x;
  currentY_ = y;
}

void Surface::print(std::string_view text) {
  blank_ = false;
  const std::u16string u = DecodeForFont(text, EncodingOfFont(font_.name));
  const double x = toPixelsX(currentX_), y = toPixelsY(currentY_);
  if (std::isfinite(x) && std::isfinite(y)) devText(x, y, u, font_, foreColor_);
  currentX_ += toUnitsX(devTextWidth(u, font_));
}

void Surface::devCharacters(const std::vector<CharacterPlace>& places, const FontSpec& font, Color c) {
  std::u16string one(1, u'\0');
  for (const CharacterPlace& p : places) {
    one[0] = p.ch;
    devText(p.x, p.y, one, font, c);
  }
}

void Surface::printSpaced(std::string_view text, double room) {
  if (text.empty()) return;
  blank_ = false;
  const FontEncoding encoding = EncodingOfFont(font_.name);
  devPlaces_.clear();
  for (std::size_t i = 0; i < text.size(); ++i) {
    const std::u16string u = DecodeForFont(text.substr(i, 1), encoding);
    currentX_ += room;
    const double x = toPixelsX(currentX_), y = toPixelsY(currentY_);
    if (std::isfinite(x) && std::isfinite(y)) devPlaces_.push_back({x, y, u[0]});
    currentX_ += toUnitsX(devTextWidth(u, font_));
    currentX_ += room;
  }
  devCharacters(devPlaces_, font_, foreColor_);
}

double Surface::textWidth(std::string_view text) {
  return toUnitsX(devTextWidth(DecodeForFont(text, EncodingOfFont(font_.name)), font_));
}

double Surface::textHeight(std::string_view text) {
  // Every line of the text counts a full line height, as a picture box measures it.
  int lines = 1;
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] == '\r' && text[i + 1] == '\n') ++lines;
  }
  return toUnitsY(devMetrics(font_).height * lines);
}

FontMetrics Surface::metrics() { return devMetrics(font_); }

void Surface::paintPicture(const Picture& pic, double x, double y, double w, double h) {
  if (pic.isNull()) return;
  blank_ = false;
  devPicture(pic, toPixelsX(x), toPixelsY(y), toPixelsX(w), toPixelsY(h));
}

}  // namespace plat
