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
} // namespace

void endEditingWithin(juce::Component& area)
{
    if (auto* box = dynamic_cast<VyrBox*>(&area))
        endEditingOf(*box);
    else if (auto* latency = dynamic_cast<LatencyControl*>(&area))
        endEditingOf(*latency);

    for (auto* child : area.getChildren())
        endEditingWithin(*child);
}

void endEditingElsewhere(juce::Component& pressed)
{
    endEditingWithin(*pressed.getTopLevelComponent());
}
} // namespace vyrkit
