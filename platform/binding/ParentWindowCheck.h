#pragma once

#include <cstdint>

namespace vyrplatform
{
// Whether a host's window id names a window on the display of this library's
// window system that an editor can be embedded in: one that exists and is not
// for input only. Xlib's default error handler ends the whole process when a
// window is created in a parent that does not exist (a stale handle) or cannot
// hold it (a stale id that now names another client's input-only window); the
// check asks first, with an error handler of its own for just that question.
// Message thread only; false without a display.
bool parentWindowExists(std::uint64_t parentWindow);
} // namespace vyrplatform
