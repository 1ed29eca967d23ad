// The designer's own names: the one its settings are kept under and the title of its message
// boxes. Every window of the designer names itself from here.
#pragma once

namespace stagora::designer {

// The settings store's application name: the program's title.
inline constexpr const char* kAppTitle = "TROV";
// The title of the designer's message boxes.
inline constexpr const char* kProductName = "Stagora";

}  // namespace stagora::designer
