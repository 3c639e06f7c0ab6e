#pragma once

#include "StateTextGuard.h"

#include <juce_core/juce_core.h>

#include <optional>

namespace vyrkit
{
// The binary form in which an instance's state element travels to the host:
// "VC2!", the 32-bit little-endian byte count of the text, the element as UTF-8 on
// one line without an XML declaration, and one zero byte. JUCE's
// getXmlFromBinary reads it too; the plug-ins read it with parseStateChunk.
juce::MemoryBlock makeStateChunk(const juce::XmlElement& element);

// The longest track name a state carries, in characters of any script. The
// writer saves every character beyond ASCII as a reference of at most ten bytes
// ("&#1114111;"), so its longest state, such a name and the other attributes
// (a few hundred bytes), lies well inside the reader's bound on the text. A
// restore takes a name up to this long; a longer one it leaves out, as if the
// state had none, and restores everything else. Typing in the track-name strip
// stops at the strip's width, far below this; should an instance still hold a
// longer name (setSignature takes any text), the writer saves its beginning, so
// that every state written is read back.
constexpr int maximumTrackNameCharacters = 100000;
static_assert(10 * static_cast<size_t>(maximumTrackNameCharacters) + 4096 <= maximumStateTextBytes,
              "the writer's longest state must lie inside the reader's bound");

// The track name as the writer saves it: its first maximumTrackNameCharacters
// characters, leaving out any that no state text can carry (surrogate code
// points and numbers beyond U+10FFFF, which a text does not hold as UTF-8 and
// a reference may not name). An ordinary name is saved as it is.
juce::String trackNameToSave(const juce::String& name);

// The document element of a state chunk, or nothing for data that is not one:
// too short, wrong magic, a declared length of zero or beyond the int range, or
// a text (the bytes after the header within the declared length, up to the
// first zero byte) that is no state: not XML, not UTF-8, nested deeper or larger
// than a state ever is, or carrying a document type (see StateTextGuard.h).
std::optional<StateElement> parseStateChunk(const void* data, int sizeInBytes);

// ASCII case-insensitive comparison of the whole tag name.
bool tagNameMatches(const StateElement& element, const char* tagName);

// An attribute's number by the project's rule (the leading decimal number, 0 when
// there is none), or fallback when the attribute is missing.
double numberAttribute(const StateElement& element, const char* name, double fallback);
int intAttribute(const StateElement& element, const char* name, int fallback);

// An attribute's text, or nothing when the attribute is missing.
std::optional<juce::String> stringAttribute(const StateElement& element, const char* name);
} // namespace vyrkit
