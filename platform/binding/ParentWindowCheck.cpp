// The check runs on the display connection of JUCE's own window system, the
// one on which the editor's window will be created: its answer concerns the
// same server (whatever display name JUCE settled on), no second connection is
// opened per editor, and since the message thread is the only thread that uses
// the connection, no other request comes between the check and the creation.
// JUCE loads Xlib itself at run time; the check calls it through JUCE's table of
// its functions, so the library links no X11 of its own.
#define JUCE_GUI_BASICS_INCLUDE_XHEADERS 1
#include "ParentWindowCheck.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <atomic>

namespace vyrplatform
{
namespace
{
// What the error handler looks for while a check runs. Xlib's error handler is
// one for the whole process, so errors of other connections (the host's) and
// errors about other resources go on to the handler that was installed before.
std::atomic<::Display*> checkedDisplay { nullptr };
std::atomic<::XID> checkedWindow { 0 };
std::atomic<bool> checkedWindowMissing { false };
std::atomic<XErrorHandler> previousHandler { nullptr };

int trapCheckedWindowError(::Display* display, XErrorEvent* event)
{
    if (display == checkedDisplay.load() && event->resourceid == checkedWindow.load())
    {
        checkedWindowMissing = true;
        return 0;
    }
    const auto previous = previousHandler.load();
    return previous != nullptr ? previous(display, event) : 0;
}
} // namespace

bool parentWindowExists(std::uint64_t parentWindow)
{
    JUCE_ASSERT_MESSAGE_THREAD
    auto* windowSystem = juce::XWindowSystem::getInstanceWithoutCreating();
    ::Display* display = windowSystem != nullptr ? windowSystem->getDisplay() : nullptr;
    if (display == nullptr || parentWindow == 0)
        return false;

    auto* x = juce::X11Symbols::getInstance();
    const juce::XWindowSystemUtilities::ScopedXLock lock;
    // Requests sent before the check meet the handler they were sent under.
    x->xSync(display, False);

    checkedDisplay = display;
    checkedWindow = static_cast<::XID>(parentWindow);
    checkedWindowMissing = false;
    previousHandler = x->xSetErrorHandler(trapCheckedWindowError);

    XWindowAttributes attributes {};
    const Status found = x->xGetWindowAttributes(display, static_cast<::Window>(parentWindow), &attributes);
    // Every error of the check has arrived before the handler is put back.
    x->xSync(display, False);

    x->xSetErrorHandler(previousHandler.load());
    checkedDisplay = nullptr;
    // A window for input only cannot hold the editor's window either.
    return found != 0 && ! checkedWindowMissing.load() && attributes.c_class == InputOutput;
}
} // namespace vyrplatform
