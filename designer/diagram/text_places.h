// Where the diagram's texts go when the place they are given is taken or lies off the
// picture: the boxes texts take, the first free one among a caption's candidate places, and a
// text broken into lines that fit a width. Measuring is the caller's: these work on boxes.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace stagora {

// A rectangle on the surface, in its scale units.
struct SurfaceArea {
  double left = 0;
  double top = 0;
  double right = 0;
  double bottom = 0;
  bool meets(const SurfaceArea& o) const { return left < o.right && o.left < right && top < o.bottom && o.top < bottom; }
  // How much of this area `o` covers.
  double overlap(const SurfaceArea& o) const;
  bool inside(const SurfaceArea& o) const { return left >= o.left && right <= o.right && top >= o.top && bottom <= o.bottom; }
  bool operator==(const SurfaceArea&) const = default;
};

// Which of the candidates a text takes: the first, the place it is given, where it meets
// none of `taken`; else the first such candidate that lies within `within`, then the first
// such anywhere. Where every candidate meets something, the one that covers the least of it,
// so a crowded picture still spreads its texts as far as it can. `candidates` must not be
// empty.
std::size_t FreestPlace(const std::vector<SurfaceArea>& candidates, const std::vector<SurfaceArea>& taken,
                        const SurfaceArea& within);

// `text` in lines no wider than `width` as `measure` measures them: broken at blanks, and a
// word wider than a line broken between its characters. A text that fits stays one line, as
// it is; the blanks where a line breaks are dropped.
std::vector<std::string> BrokenIntoLines(const std::string& text, double width,
                                         const std::function<double(std::string_view)>& measure);

}  // namespace stagora
