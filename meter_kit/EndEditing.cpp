#include "EndEditing.h"

#include "LatencyControl.h"
#include "VyrBox.h"

namespace vyrkit
{
namespace
{
template <typename Widget>
void endEditingOf(Widget& widget)
{
    if (! widget.isEditing())
        return;
    // JUCE calls focusLost of the widget that gives the focus away.
    if (widget.hasKeyboardFocus(true))
        widget.giveAwayKeyboardFocus();
    if (widget.isEditing())
        widget.focusLost(juce::Component::focusChangedDirectly);
}

bool holds(const juce::Component& widget, const juce::Component* pressed)
{
    return pressed != nullptr && (pressed == &widget || widget.isParentOf(pressed));
}

// Ends the editing of the strips and latency entries inside `area`, except the
// one that holds `spared`.
void endEditingWithinExcept(juce::Component& area, const juce::Component* spared)
{
    if (auto* box = dynamic_cast<VyrBox*>(&area))
    {
        if (! holds(*box, spared))
            endEditingOf(*box);
    }
    else if (auto* latency = dynamic_cast<LatencyControl*>(&area))
    {
        if (! holds(*latency, spared))
            endEditingOf(*latency);
    }

    for (auto* child : area.getChildren())
        endEditingWithinExcept(*child, spared);
}
} // namespace

void endEditingWithin(juce::Component& area) { endEditingWithinExcept(area, nullptr); }

void endEditingElsewhere(juce::Component& window, const juce::Component* pressed)
{
    endEditingWithinExcept(window, pressed);
}

EditingEndsOnPressElsewhere::EditingEndsOnPressElsewhere(juce::Component& w) : window(w)
{
    window.addMouseListener(this, true);
}

EditingEndsOnPressElsewhere::~EditingEndsOnPressElsewhere() { window.removeMouseListener(this); }

void EditingEndsOnPressElsewhere::mouseDown(const juce::MouseEvent& e)
{
    // The component pressed, or the nearest one above it that its own handling
    // of the press left in place.
    endEditingElsewhere(window, e.originalComponent);
}
} // namespace vyrkit
