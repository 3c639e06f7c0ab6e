#include "WindowSize.h"

#include "EndEditing.h"

namespace vyrkit
{
void toggleWindowSize(juce::Component& panel, std::atomic<int>& sizeFlag, ButtonPlusLook& sizeLook,
                      int width, int smallHeight, int largeHeight)
{
    const bool nowLarge = sizeFlag.load() == 0;
    if (! nowLarge)
        endEditingForSmallWindow(panel);
    sizeFlag.store(nowLarge ? 1 : 0);
    const int height = nowLarge ? largeHeight : smallHeight;
    if (auto* editor = panel.getParentComponent())
        editor->setSize(width, height);
    panel.setSize(width, height);
    sizeLook.smallWindow = ! nowLarge;
    panel.repaint();
}

void endEditingForSmallWindow(juce::Component& frontPanel)
{
    endEditingWithin(frontPanel);
}
} // namespace vyrkit
