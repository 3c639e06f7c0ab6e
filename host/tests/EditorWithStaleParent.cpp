// A child program for the tests: loads a plug-in library, creates an instance
// and asks for its editor in parent windows that cannot take it (one that never
// existed, one that existed and is gone, one for input only), then in a real
// window, and prints the result codes. No X error handler of the host is
// installed before the first three calls, so an editor embedded in such a window
// would end the program as Xlib's default handler does.
#include "HostWindow.h"
#include "PluginLibrary.h"

#include <X11/Xlib.h>

#include <cstdint>
#include <iostream>

namespace
{
// The id of a window of the given class that this program created on its own
// connection, and destroyed unless asked to keep it.
std::uint64_t windowOfItsOwn(Display* display, unsigned int windowClass, bool destroy)
{
    XSetWindowAttributes attributes {};
    const Window window = XCreateWindow(display, DefaultRootWindow(display), 0, 0, 10, 10, 0, CopyFromParent,
                                        windowClass, CopyFromParent, 0, &attributes);
    if (destroy)
        XDestroyWindow(display, window);
    XSync(display, False);
    return window;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    // The plug-in's window system runs on its own thread in this process.
    XInitThreads();
    std::string error;
    auto library = vyrhost::PluginLibrary::load(argv[1], error);
    if (library == nullptr)
    {
        std::cerr << error << "\n";
        return 1;
    }
    auto instance = vyrhost::PluginInstance::create(*library, 0, 44100.0, {});
    Display* display = XOpenDisplay(nullptr);
    if (instance == nullptr || display == nullptr)
        return 1;

    int width = 0, height = 0;
    std::cout << instance->openEditor(0x0ffffff0, width, height) << " " << std::flush;
    std::cout << instance->openEditor(windowOfItsOwn(display, InputOutput, true), width, height) << " "
              << std::flush;
    std::cout << instance->openEditor(windowOfItsOwn(display, InputOnly, false), width, height) << std::endl;
    XCloseDisplay(display);

    vyrhost::HostWindow window;
    if (! window.create("stale parent", 100, 100, error))
    {
        std::cerr << error << "\n";
        return 1;
    }
    std::cout << instance->openEditor(window.getNativeHandle(), width, height) << " " << (width > 0 && height > 0)
              << std::endl;
    std::cout << instance->closeEditor() << std::endl;
    instance.reset();
    std::cout << library->shutdown() << " " << library->canUnloadNow() << "\n";
    return 0;
}
