#pragma once

#include <juce_core/juce_core.h>

namespace vyrplatform
{
// The per-user settings store that stands in for the Windows registry. Paths are
// written as on Windows, "HKEY_CURRENT_USER\Software\Korvanta\VYRTARVO\tarvoHold"
// (or "HKCU\..."): the value name follows the last backslash, the rest names the
// key. Key and value names compare case-insensitively; every value is text.
// Only keys below HKEY_CURRENT_USER\Software are kept; other hives and keys read
// as missing and cannot be written.
//
// Each key is one plain-text file under $XDG_CONFIG_HOME (else ~/.config); see the
// README for the format. Reads always see the file as it is now; writers lock the
// file and replace it atomically, so readers in other libraries or processes never
// see a torn file and concurrent writers never lose each other's values.
// Nothing here throws: a missing, unreadable or garbled file reads as missing
// values, and a failed write returns false.
class RegistryStore
{
public:
    static juce::String getValue(const juce::String& fullPath, const juce::String& defaultValue = {});
    static bool setValue(const juce::String& fullPath, const juce::String& text);
    static bool valueExists(const juce::String& fullPath);
    static bool keyExists(const juce::String& fullKeyPath);
    static bool deleteValue(const juce::String& fullPath);

    // The directory under which the store keeps its files. Tests point it at a
    // temporary directory; an empty file returns to the per-user default.
    static void setRootDirectory(const juce::File& directory);
    static juce::File getRootDirectory();
};
} // namespace vyrplatform
