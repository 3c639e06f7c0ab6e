#pragma once

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
} // namespace vyrkit
