#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct _XDisplay;

namespace vyrhost
{
// The host's own top-level X11 window, in which a plug-in editor is embedded
// as a child window. Used from one thread only (the host's main thread).
class HostWindow
{
public:
    HostWindow() = default;
    ~HostWindow();

    // Opens the display named by DISPLAY and maps a window. Returns false with
    // a one-line error when there is no display.
    bool create(const std::string& title, int width, int height, std::string& error, int x = 0, int y = 0);

    std::uint64_t getNativeHandle() const { return window; }
    void setSize(int width, int height);
    int getWidth() const { return width; }
    int getHeight() const { return height; }

    // Handles pending events; returns false once the user has closed the window.
    bool handleEvents();

    // Puts the window above every other one, so that a capture sees all of it
    // once the editor has repainted what was covered.
    void raise();

    // Reads the window's pixels as they are on the screen, embedded children
    // included, as 8-bit RGB.
    bool capture(std::vector<std::uint8_t>& rgb, int& capturedWidth, int& capturedHeight, std::string& error);

private:
    ::_XDisplay* display = nullptr;
    unsigned long window = 0;
    unsigned long deleteAtom = 0;
    int width = 0, height = 0;
    bool closed = false;
};
} // namespace vyrhost
