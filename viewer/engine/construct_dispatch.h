// Which drawer typesets a bracketed construct: the opening tags of every family in the order
// they are tried, how the renderer places the construct vertically, and the drawer's call.
#pragma once

#include <string>
#include <string_view>

#include "platform/surface.h"
#include "viewer/engine/construct_parts.h"
#include "viewer/engine/line_context.h"

namespace stagora::engine {

// Top: the drawer starts at the line's top and places the construct itself. Axis: the
// renderer puts the construct's axis (its box's AltoEje) on the line's axis first.
enum class Placement { Top, Axis };

struct ConstructFamily {
  const char* drawer;                     // the drawer's name, for reports and tests
  bool (*opens)(std::string_view tag);    // true for the family's five-character opening tags
  Placement placement;
  void (*draw)(ConstructContext& k);    // the drawer, for both passes (construct_parts.h)
};

// The family whose opening tag the text begins with, tried in table order; null when none.
const ConstructFamily* FindConstruct(std::string_view text);

// The closing tag of a construct: the first four characters of its opening tag and ")".
std::string ClosingTag(std::string_view openTag);

// Handles a construct at the scan position: cuts its block, numbers its box, calls its
// drawer in the pass in force and leaves the position on the block's last character. False
// when no construct starts there.
bool HandleConstruct(LineContext& c);

}  // namespace stagora::engine
