#include "HostWindow.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace vyrhost
{
namespace
{
// A plug-in's window system and ours are separate connections; an error on
// ours (say, a child that vanished) must not end the program.
int ignoreXError(Display*, XErrorEvent*)
{
    return 0;
}

int channel(unsigned long pixel, unsigned long mask)
{
    if (mask == 0)
        return 0;
    int shift = 0;
    while (((mask >> shift) & 1) == 0)
        ++shift;
    const unsigned long maximum = mask >> shift;
    return static_cast<int>((((pixel & mask) >> shift) * 255 + maximum / 2) / maximum);
}
} // namespace

HostWindow::~HostWindow()
{
    if (display != nullptr)
    {
        if (window != 0)
            XDestroyWindow(display, window);
        XCloseDisplay(display);
    }
}

bool HostWindow::create(const std::string& title, int w, int h, std::string& error, int x, int y)
{
    // The plug-in's window system runs on its own thread in this process.
    XInitThreads();
    display = XOpenDisplay(nullptr);
    if (display == nullptr)
    {
        error = "cannot open the X display (is DISPLAY set?)";
        return false;
    }
    XSetErrorHandler(ignoreXError);

    width = w > 0 ? w : 1;
    height = h > 0 ? h : 1;
    const int screen = DefaultScreen(display);
    window = XCreateSimpleWindow(display, RootWindow(display, screen), x, y, static_cast<unsigned>(width),
                                 static_cast<unsigned>(height), 0, BlackPixel(display, screen),
                                 BlackPixel(display, screen));
    XStoreName(display, window, title.c_str());
    Atom protocol = XInternAtom(display, "WM_DELETE_WINDOW", False);
    deleteAtom = protocol;
    XSetWMProtocols(display, window, &protocol, 1);
    XSelectInput(display, window, StructureNotifyMask);
    XMapWindow(display, window);
    XSync(display, False);
    return true;
}

void HostWindow::setSize(int w, int h)
{
    if (display == nullptr || w <= 0 || h <= 0 || (w == width && h == height))
        return;
    width = w;
    height = h;
    XResizeWindow(display, window, static_cast<unsigned>(w), static_cast<unsigned>(h));
    XFlush(display);
}

void HostWindow::raise()
{
    if (display == nullptr)
        return;
    XRaiseWindow(display, window);
    XFlush(display);
}

bool HostWindow::handleEvents()
{
    if (display == nullptr)
        return false;
    while (XPending(display) > 0)
    {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == ClientMessage && static_cast<unsigned long>(event.xclient.data.l[0]) == deleteAtom)
            closed = true;
    }
    return ! closed;
}

bool HostWindow::capture(std::vector<std::uint8_t>& rgb, int& capturedWidth, int& capturedHeight,
                         std::string& error)
{
    if (display == nullptr)
    {
        error = "no window to capture";
        return false;
    }
    XSync(display, False);
    XWindowAttributes attributes {};
    XGetWindowAttributes(display, window, &attributes);
    XImage* image = XGetImage(display, window, 0, 0, static_cast<unsigned>(attributes.width),
                              static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
    if (image == nullptr)
    {
        error = "cannot read the window's pixels";
        return false;
    }
    capturedWidth = attributes.width;
    capturedHeight = attributes.height;
    rgb.resize(static_cast<std::size_t>(capturedWidth) * static_cast<std::size_t>(capturedHeight) * 3);
    std::size_t i = 0;
    for (int y = 0; y < capturedHeight; ++y)
        for (int x = 0; x < capturedWidth; ++x)
        {
            const unsigned long pixel = XGetPixel(image, x, y);
            rgb[i++] = static_cast<std::uint8_t>(channel(pixel, image->red_mask));
            rgb[i++] = static_cast<std::uint8_t>(channel(pixel, image->green_mask));
            rgb[i++] = static_cast<std::uint8_t>(channel(pixel, image->blue_mask));
        }
    XDestroyImage(image);
    return true;
}
} // namespace vyrhost
