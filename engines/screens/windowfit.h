// Windows that open at a size of their own on screens of every size.
#pragma once

class QWidget;

namespace windowfit {
// Keeps a top-level window that opens at a size of its own within the room
// the desktop leaves on its screen (a small screen, a scaled desktop): the
// window is made smaller where it is larger than that room, down to what its
// layout needs, and moved so that its frame, title bar included, lies inside
// it, about where it stood. Called as the window is shown.
void fitOnScreen(QWidget* window);
} // namespace windowfit
