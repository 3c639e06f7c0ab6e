#include "RegistryStore.h"

// Placeholder until the file-backed store lands: every value is missing and
// every write fails.
namespace vyrplatform
{
juce::String RegistryStore::getValue(const juce::String&, const juce::String& defaultValue) { return defaultValue; }
bool RegistryStore::setValue(const juce::String&, const juce::String&) { return false; }
bool RegistryStore::valueExists(const juce::String&) { return false; }
bool RegistryStore::keyExists(const juce::String&) { return false; }
bool RegistryStore::deleteValue(const juce::String&) { return false; }
void RegistryStore::setRootDirectory(const juce::File&) {}
juce::File RegistryStore::getRootDirectory() { return {}; }
} // namespace vyrplatform
