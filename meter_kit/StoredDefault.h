#pragma once

#include <cstddef>

namespace vyrkit
{
// One process-wide setting's per-user default in the settings store: the value's
// name under the meter's key, the text read when the value is missing, and the
// setting taken instead of a stored number outside 0..1.
struct StoredDefault
{
    const char* valueName;
    const char* defaultText;
    float fallback;
};

// The stored number of entry under the key path (the path and the value name
// are joined as they stand), or of its default text when the value is missing.
// A text without a number reads as 0; a number beyond the float range, "inf" and
// "nan" read as a number outside 0..1, so that the caller takes the fallback.
float readStoredDefault(const char* keyPath, const StoredDefault& entry);

// The setting a load takes from the store: the stored number, or the entry's
// fallback when that lies outside 0..1.
float storedDefaultOrFallback(const char* keyPath, const StoredDefault& entry);

// A meter's stored defaults: the key path under which it keeps them, and one
// entry per setting, numbered on from the first setting's index.
class StoredDefaultTable
{
public:
    template <std::size_t N>
    constexpr StoredDefaultTable(const char* key, const StoredDefault (&table)[N], int firstIndex) noexcept
        : keyPath(key), entries(table), first(firstIndex), count(static_cast<int>(N))
    {
    }

    // The entry of the setting with this index; nullptr for any other index.
    constexpr const StoredDefault* entryFor(int index) const noexcept
    {
        return (index >= first && index < first + count) ? &entries[index - first] : nullptr;
    }

    // The stored number of the setting with this index (see readStoredDefault);
    // 0 for an index without a setting.
    float read(int index) const
    {
        const auto* entry = entryFor(index);
        return entry != nullptr ? readStoredDefault(keyPath, *entry) : 0.0f;
    }

    // What a load takes for the setting with this index, which must have an
    // entry (see storedDefaultOrFallback).
    float load(int index) const { return storedDefaultOrFallback(keyPath, *entryFor(index)); }

    const char* const keyPath;

private:
    const StoredDefault* const entries;
    const int first;
    const int count;
};
} // namespace vyrkit
