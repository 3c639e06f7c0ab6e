#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace vyrkit
{
// The track-name strip and the latency entry end their editing when they lose
// the keyboard focus, without committing what was typed. JUCE 7 moves the focus
// only to a component that wants it, so a press on a panel's face or on a needle
// meter, and the window going small, move none: these end the editing instead.

// Ends the editing of every track-name strip and latency entry inside `area`
// (itself included) as a loss of the keyboard focus does: a strip that holds the
// focus loses it; one that edits without it is ended the same way.
void endEditingWithin(juce::Component& area);

// A press on `pressed`, which takes no keyboard focus, ends the editing
// everywhere else in its window, as a click elsewhere does.
void endEditingElsewhere(juce::Component& pressed);
} // namespace vyrkit
