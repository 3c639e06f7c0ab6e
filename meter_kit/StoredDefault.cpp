#include "StoredDefault.h"

#include "RegistryStore.h"
#include "SafeNumbers.h"

namespace vyrkit
{
float readStoredDefault(const char* keyPath, const StoredDefault& entry)
{
    const auto text = vyrplatform::RegistryStore::getValue(juce::String(keyPath) + entry.valueName, entry.defaultText);
    return parseStoredSetting(text);
}

float storedDefaultOrFallback(const char* keyPath, const StoredDefault& entry)
{
    const float v = readStoredDefault(keyPath, entry);
    return (v < 0.0f || v > 1.0f) ? entry.fallback : v;
}
} // namespace vyrkit
