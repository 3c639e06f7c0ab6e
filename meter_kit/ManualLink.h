#pragma once

#include <juce_core/juce_core.h>

namespace vyrkit
{
// The manual is not shipped with the plug-ins: its location is one per-user
// value that all three plug-ins share and only read,
// "HKEY_CURRENT_USER\Software\Korvanta\VYRZUZIRE21\manualpath".

// The stored manual path; empty when the value or its key does not exist.
juce::String readManualPath();

// The help button's action. A front panel keeps one as a member: the constructor
// reads the stored path once, so a value changed later is seen by the next panel
// (the next time the window opens), and each click calls open().
//
//     vyrkit::ManualLink manual;            // member, built with the panel
//     void buttonClicked(...) { manual.open(); }
//
// Message thread only.
class ManualLink
{
public:
    ManualLink();

    // Opens the manual with the desktop's default handler. Nothing happens when no
    // path is stored or nothing exists at it (a directory is opened like a file);
    // a handler that fails is not reported either.
    void open() const;

    // The file the stored path names (empty when none is stored).
    const juce::File& getFile() const noexcept { return file; }

private:
    juce::File file;
};
} // namespace vyrkit
