#include "designer/diagram/text_places.h"

#include <algorithm>
#include <limits>

namespace stagora {

double SurfaceArea::overlap(const SurfaceArea& o) const {
  const double w = std::min(right, o.right) - std::max(left, o.left);
  const double h = std::min(bottom, o.bottom) - std::max(top, o.top);
  return w > 0 && h > 0 ? w * h : 0;
}

std::size_t FreestPlace(const std::vector<SurfaceArea>& candidates, const std::vector<SurfaceArea>& taken,
                        const SurfaceArea& within) {
  const auto free = [&taken](const SurfaceArea& c) {
    return std::none_of(taken.begin(), taken.end(), [&c](const SurfaceArea& t) { return c.meets(t); });
  };
  if (free(candidates.front())) return 0;
  for (std::size_t i = 1; i < candidates.size(); ++i) {
    if (candidates[i].inside(within) && free(candidates[i])) return i;
  }
  for (std::size_t i = 1; i < candidates.size(); ++i) {
    if (free(candidates[i])) return i;
  }
  std::size_t best = 0;
  double least = std::numeric_limits<double>::infinity();
  for (std::size_t i = 0; i < candidates.size(); ++i) {
    double covered = 0;
    for (const SurfaceArea& t : taken) covered += candidates[i].overlap(t);
    if (covered < least) {
      least = covered;
      best = i;
    }
  }
  return best;
}

std::vector<std::string> BrokenIntoLines(const std::string& text, double width,
                                         const std::function<double(std::string_view)>& measure) {
  if (measure(text) <= width) return {text};
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  std::vector<std::string> lines;
  std::string line;
  std::size_t i = 0;
  while (i < text.size()) {
    if (blank(text[i])) {
      ++i;
      continue;
    }
    std::size_t end = i;
    while (end < text.size() && !blank(text[end])) ++end;
    const std::string word = text.substr(i, end - i);
    i = end;
    const std::string joined = line.empty() ? word : line + " " + word;
    if (measure(joined) <= width) {
      line = joined;
      continue;
    }
    if (!line.empty()) lines.push_back(line);
    line.clear();
    // A word that does not fit a line of its own goes on in as many lines as it needs, at
    // least one character each.
    for (const char c : word) {
      if (!line.empty() && measure(line + c) > width) {
        lines.push_back(line);
        line.clear();
      }
      line += c;
    }
  }
  if (!line.empty() || lines.empty()) lines.push_back(line);
  return lines;
}

}  // namespace stagora
