// The start-up splash. Its window, which doubles as the About box, comes with the work on
// the splash; until then starting shows the main window at once.
#pragma once

namespace stagora::viewer {

// Shows the splash modeless; its closing shows the main window.
void ShowStartSplash();
// Closes the splash if it is still there.
void UnloadSplash();

}  // namespace stagora::viewer
