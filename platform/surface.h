// A drawing surface in the manner of a picture box or the printer: a current position, a
// font, a pen and a fill, and a scale (pixels, twips or millimetres) in which every position
// and length is given. The diagram and the typesetting engine draw only through this class;
// the image, printer and recording surfaces implement its device primitives.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plat {

// A colour as red + 256 * green + 65536 * blue.
using Color = std::uint32_t;
constexpr Color Rgb(int r, int g, int b) {
  return static_cast<Color>(r & 255) | (static_cast<Color>(g & 255) << 8) | (static_cast<Color>(b & 255) << 16);
}
constexpr int RedOf(Color c) { return static_cast<int>(c & 255); }
constexpr int GreenOf(Color c) { return static_cast<int>((c >> 8) & 255); }
constexpr int BlueOf(Color c) { return static_cast<int>((c >> 16) & 255); }

enum class ScaleMode { Twips = 1, Pixels = 3, Millimetres = 6 };

enum class LineShape { Segment, Box, FilledBox };

enum FillStyle : int { kFillSolid = 0, kFillTransparent = 1 };

// The text metrics of the current font, in device pixels.
struct FontMetrics {
  double height = 0;  // ascent + descent
  double ascent = 0;
  double descent = 0;
  double internalLeading = 0;
  double externalLeading = 0;
  double aveCharWidth = 0;
};

struct FontSpec {
  std::string name = "Times New Roman";  // as the program names it; resolved by the device
  double size = 12;                      // points
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikethru = false;
  bool operator==(const FontSpec&) const = default;
};

// An image loaded from a file (BMP, JPEG, PNG ...), to be painted on a surface.
class Picture {
 public:
  Picture();
  ~Picture();
  Picture(const Picture&);
  Picture& operator=(const Picture&);
  static Picture Load(const std::string& path);  // empty picture when unreadable
  bool isNull() const;
  int widthPx() const;
  int heightPx() const;
  struct Impl;
  const Impl* impl() const { return impl_.get(); }

 private:
  std::shared_ptr<Impl> impl_;
};

// One segment of a batch of lines, in the surface's scale.
struct Segment {
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

class Surface {
 public:
  virtual ~Surface() = default;

  // --- Size -----------------------------------------------------------------
  virtual double deviceWidth() const = 0;   // drawable width in device pixels
  virtual double deviceHeight() const = 0;  // drawable height in device pixels
  virtual double twipsPerPixelX() const { return 15.0; }
  virtual double twipsPerPixelY() const { return 15.0; }
  // The object's Width and Height as its owner sees them: a picture in its container's
  // pixels, the printer's paper in twips.
  virtual double width() const { return deviceWidth(); }
  virtual double height() const { return deviceHeight(); }
  virtual bool isPrinter() const { return false; }

  void setScaleMode(ScaleMode mode) { scaleMode_ = mode; }
  ScaleMode scaleMode() const { return scaleMode_; }
  double scaleWidth() const { return toUnitsX(deviceWidth()); }
  double scaleHeight() const { return toUnitsY(deviceHeight()); }
  double toUnitsX(double px) const { return px * unitsPerPixelX(); }
  double toUnitsY(double px) const { return px * unitsPerPixelY(); }
  double toPixelsX(double units) const { return units / unitsPerPixelX(); }
  double toPixelsY(double units) const { return units / unitsPerPixelY(); }

  // --- State ----------------------------------------------------------------
  double currentX() const { return currentX_; }
  double currentY() const { return currentY_; }
  void setCurrentX(double x) { currentX_ = x; }
  void setCurrentY(double y) { currentY_ = y; }

  const FontSpec& font() const { return font_; }
  void setFont(const FontSpec& f) { font_ = f; }
  void setFontName(std::string name) { font_.name = std::move(name); }
  void setFontSize(double points) { font_.size = points; }
  void setFontBold(bool on) { font_.bold = on; }
  void setFontItalic(bool on) { font_.italic = on; }
  void setFontUnderline(bool on) { font_.underline = on; }
  void setFontStrikethru(bool on) { font_.strikethru = on; }

  Color foreColor() const { return foreColor_; }
  void setForeColor(Color c) { foreColor_ = c; }
  Color backColor() const { return backColor_; }
  void setBackColor(Color c) { backColor_ = c; }
  Color fillColor() const { return fillColor_; }
  void setFillColor(Color c) { fillColor_ = c; }
  void setFillStyle(int style) { fillStyle_ = style; }
  int drawWidth() const { return drawWidth_; }
  void setDrawWidth(int px) { drawWidth_ = px < 1 ? 1 : px; }

  // --- Drawing --------------------------------------------------------------
  // Clears to the back colour and puts the current position at the origin.
  void cls();
  // A segment, a box or a filled box from (x1, y1) to (x2, y2); without a colour the fore
  // colour. The current position moves to (x2, y2).
  void line(double x1, double y1, double x2, double y2, std::optional<Color> color = std::nullopt,
            LineShape shape = LineShape::Segment);
  // Segments in one colour, drawn exactly as that many calls of line() in their order would
  // draw them, but handed to the device at once (a curve of a hundred pieces).
  void lines(const std::vector<Segment>& segments, Color color);
  // A circle of radius r (in x units) around (x, y), filled with the fill colour unless the
  // fill style is transparent. The current position moves to the centre.
  void circle(double x, double y, double r, std::optional<Color> color = std::nullopt);
  // Prints Windows-1252 text with its top-left corner at the current position and moves
  // CurrentX past it (the same line).
  void print(std::string_view text);
  // Prints the characters one at a time with `room` (in the surface's scale) added before and
  // after each: exactly what that many print calls of one character with the room in between
  // draw, but handed to the device at once (a run of ordinary text set character by character).
  void printSpaced(std::string_view text, double room);
  double textWidth(std::string_view text);
  double textHeight(std::string_view text = "Hp");
  FontMetrics metrics();
  void paintPicture(const Picture& pic, double x, double y, double w, double h);

  // --- Kept layers ----------------------------------------------------------
  // Nothing was drawn since the surface was last cleared.
  bool blank() const { return blank_; }
  // A picture can keep a copy of what it shows and later put it back in one step, so that a
  // drawing which always starts with the same fixed part (the diagram's grid) draws that part
  // once. `key` names everything the part depends on besides the surface's size. Layers stack:
  // layer 0 is drawn on a cleared picture, layer n on layer n - 1 as it was put back or kept,
  // and keeping a layer drops those above it. The printer and a recording keep none, and
  // restoreLayer then says false.
  //
  // Layer 0 is kept whenever asked. A higher layer is kept only when the same key is offered a
  // second time in a row: a part that changes on every redraw (the curve while the relative
  // volatility is dragged) is then not copied for nothing.
  void keepLayer(std::string_view key, int level = 0) { devKeepLayer(key, level); }
  // Shows the kept layer in place of everything: true when the surface keeps one under key at
  // that level.
  bool restoreLayer(std::string_view key, int level = 0);

 protected:
  // Device primitives, all in device pixels of the surface.
  virtual void devClear(Color back) = 0;
  virtual void devLine(double x1, double y1, double x2, double y2, Color c, double penPx) = 0;
  virtual void devRect(double x, double y, double w, double h, Color pen, double penPx, bool filled,
                       Color fill) = 0;
  virtual void devEllipse(double cx, double cy, double rx, double ry, Color pen, double penPx,
                          bool filled, Color fill) = 0;
  virtual void devText(double x, double y, const std::u16string& text, const FontSpec& font, Color c) = 0;
  virtual double devTextWidth(const std::u16string& text, const FontSpec& font) = 0;
  virtual FontMetrics devMetrics(const FontSpec& font) = 0;
  virtual void devPicture(const Picture& pic, double x, double y, double w, double h) = 0;
  // Segments in device pixels; by default one devLine each.
  virtual void devLines(const std::vector<Segment>& segments, Color c, double penPx);
  // Single characters, each at its own top-left corner in device pixels; by default one
  // devText each.
  struct CharacterPlace {
    double x = 0, y = 0;
    char16_t ch = 0;
  };
  virtual void devCharacters(const std::vector<CharacterPlace>& places, const FontSpec& font, Color c);
  virtual void devKeepLayer(std::string_view, int) {}
  virtual bool devRestoreLayer(std::string_view, int) { return false; }

  double unitsPerPixelX() const;
  double unitsPerPixelY() const;

 private:
  ScaleMode scaleMode_ = ScaleMode::Pixels;
  double currentX_ = 0;
  double currentY_ = 0;
  FontSpec font_;
  Color foreColor_ = 0;
  Color backColor_ = Rgb(255, 255, 255);
  Color fillColor_ = 0;
  int fillStyle_ = kFillTransparent;
  int drawWidth_ = 1;
  bool blank_ = false;
  std::vector<Segment> devSegments_;  // lines() converts into it, to keep no allocation per call
  std::vector<CharacterPlace> devPlaces_;  // the same for printSpaced()
};

}  // namespace plat
