#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace vyrkit
{
// The pages post their command ids to their parent, the editor, which receives
// them later on the message thread; a page without a parent posts nothing.
inline void postToEditor(juce::Component& page, int commandId)
{
    if (auto* editor = page.getParentComponent())
        editor->postCommandMessage(commandId);
}
} // namespace vyrkit
