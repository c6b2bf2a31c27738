// Ending the program: quits the event loop at once, saving nothing. Tests
// record the request instead.
#pragma once

#include <functional>

namespace program {
void end();
// Replaces what end() does; an empty function restores quitting.
void setEnd(std::function<void()> f);
} // namespace program
