#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace vyrkit
{
// The track-name strip and the latency entry end their editing when they lose
// the keyboard focus, without committing what was typed. JUCE 7 moves the focus
// only to a component that wants it, so a press on a panel's face, a needle
// meter, an image button or a slider, and the window going small, move none:
// these end the editing instead.

// Ends the editing of every track-name strip and latency entry inside `area`
// (itself included) as a loss of the keyboard focus does: a strip that holds the
// focus loses it; one that edits without it is ended the same way.
void endEditingWithin(juce::Component& area);

// A press on `pressed` inside `window` ends the editing of every strip and
// latency entry of the window except the one pressed (or the one that holds what
// was pressed), as a click elsewhere does.
void endEditingElsewhere(juce::Component& window, const juce::Component* pressed);

// Held by an editor for its whole window: a mouse listener of the window and of
// every component inside it, present and future, so that a press anywhere ends
// the editing elsewhere. JUCE tells it after the pressed component has handled
// the press, which then does what it always does.
class EditingEndsOnPressElsewhere : private juce::MouseListener
{
public:
    explicit EditingEndsOnPressElsewhere(juce::Component& window);
    ~EditingEndsOnPressElsewhere() override;

private:
    void mouseDown(const juce::MouseEvent&) override;

    juce::Component& window;

    JUCE_DECLARE_NON_COPYABLE(EditingEndsOnPressElsewhere)
};
} // namespace vyrkit
