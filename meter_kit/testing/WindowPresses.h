#pragma once

// Presses delivered the way a user makes them: through JUCE's own mouse handling
// of a window on the X display, so that JUCE picks the component under the
// pointer, moves the keyboard focus as it does, and tells the mouse listeners
// of the component and of its parents.

#include <gtest/gtest.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include <dlfcn.h>

namespace kittest
{
inline bool hasDisplay() { return juce::SystemStats::getEnvironmentVariable("DISPLAY", {}).isNotEmpty(); }

// The test programs that run at the same time share one X server, and each
// window that takes the input focus takes it from another program's: a window
// can go between JUCE's asking which window has the focus and its looking at
// that window. Xlib's default handler ends the program for the BadWindow this
// gives, and JUCE puts in its own handler only in a standalone application;
// here such errors are ignored, as JUCE's handler does. JUCE has loaded Xlib by
// the time a window is on the desktop.
inline void ignoreErrorsOfTheSharedXServer()
{
    static const bool ignoring = [] {
        void* xlib = dlopen("libX11.so.6", RTLD_LAZY | RTLD_NOLOAD);
        if (xlib == nullptr)
            return false;
        using ErrorHandler = int (*)(void*, void*);
        using SetErrorHandler = ErrorHandler (*)(ErrorHandler);
        const auto setErrorHandler = reinterpret_cast<SetErrorHandler>(dlsym(xlib, "XSetErrorHandler"));
        if (setErrorHandler == nullptr)
            return false;
        setErrorHandler([](void*, void*) { return 0; });
        return true;
    }();
    juce::ignoreUnused(ignoring);
}

// Puts a component on the desktop as a window of its own, for as long as this
// lives. The window lies beyond the screen's top left corner, offset from there
// by the component's position: the presses here come from JUCE's own mouse
// handling, not from the pointer, and the windows whose pixels other tests read
// at the same time (vyrhost's snapshots) stay unobscured.
struct OnScreen
{
    static constexpr int offScreen = -20000;

    explicit OnScreen(juce::Component& w) : window(w), wasVisible(w.isVisible()), position(w.getPosition())
    {
        window.setTopLeftPosition(position.translated(offScreen, offScreen));
        window.addToDesktop(0);
        ignoreErrorsOfTheSharedXServer();
        window.setVisible(true);
    }

    ~OnScreen()
    {
        window.removeFromDesktop();
        window.setTopLeftPosition(position);
        window.setVisible(wasVisible);
    }

    juce::Component& window;
    const bool wasVisible;
    const juce::Point<int> position;

    JUCE_DECLARE_NON_COPYABLE(OnScreen)
};

// The time of the next mouse event: a second after the previous one, so that no
// two presses make a double-click.
inline juce::int64 nextMouseEventTime()
{
    static juce::int64 time = juce::Time::currentTimeMillis();
    time += 1000;
    return time;
}

// A press and release at `position` of `component`, which lies in a window on
// screen and is the topmost component there.
inline void pressThroughTheWindow(juce::Component& component, juce::Point<int> position)
{
    auto* peer = component.getPeer();
    ASSERT_NE(peer, nullptr) << "the window is not on screen";
    auto& window = peer->getComponent();
    const auto at = window.getLocalPoint(&component, position);
    ASSERT_EQ(window.getComponentAt(at), &component) << "another component lies at " << at.toString();

    const auto event = [peer, at](juce::ModifierKeys buttons, juce::int64 time) {
        peer->handleMouseEvent(juce::MouseInputSource::InputSourceType::mouse, at.toFloat(), buttons,
                               juce::MouseInputSource::defaultPressure, juce::MouseInputSource::defaultOrientation,
                               time);
    };
    const auto time = nextMouseEventTime();
    event(juce::ModifierKeys::leftButtonModifier, time);
    event({}, time + 20);
}
} // namespace kittest
