#pragma once

#include <juce_core/juce_core.h>

#include <memory>

namespace vyrkit
{
// The binary form in which an instance's state element travels to the host:
// "VC2!", the 32-bit little-endian byte count of the text, the element as UTF-8 on
// one line without an XML declaration, and one zero byte. JUCE's
// getXmlFromBinary reads it.
juce::MemoryBlock makeStateChunk(const juce::XmlElement& element);

// The element of a state chunk, or null for data that is not one: too short,
// wrong magic, zero length, or a text (the bytes after the header within the
// declared length, up to the first zero byte) that JUCE's parser would not read
// safely and in time linear in its length (see StateTextGuard.h): not XML, not
// UTF-8, nested deeper or larger than a state ever is, or carrying a document
// type. Where the only excess is in the document element's attributes named
// `droppable`, JUCE's parser reads the element without them.
std::unique_ptr<juce::XmlElement> parseStateChunk(const void* data, int sizeInBytes, const char* droppable = nullptr);

// Sets the attribute `name` of element (which holds all its other attributes)
// to `value`, so that parseStateChunk reads back the element's chunk whole: as it
// is where that chunk is read, else the longest beginning of value (leaving out
// the characters that no state text can carry: surrogate code points and numbers
// beyond U+10FFFF) with which it is.
void setAttributeReadBack(juce::XmlElement& element, const char* name, const juce::String& value);

// ASCII case-insensitive comparison of the whole tag name.
bool tagNameMatches(const juce::XmlElement& element, const char* tagName);

// An attribute's number by the project's rule (the leading decimal number, 0 when
// there is none), or fallback when the attribute is missing.
double numberAttribute(const juce::XmlElement& element, const char* name, double fallback);
int intAttribute(const juce::XmlElement& element, const char* name, int fallback);
} // namespace vyrkit
