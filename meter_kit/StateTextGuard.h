#pragma once

#include <cstddef>
#include <optional>
#include <vector>

namespace vyrkit
{
// The guard in front of JUCE's XML parser for the text of a state chunk.
//
// A host may hand any bytes to setStateInformation, and JUCE 7.0.5's parser
// (juce::XmlDocument, which getXmlFromBinary runs) mishandles some: it steps past
// the end of the text after a truncated UTF-8 sequence, carries on after a
// syntax error (so a stray quote lets a run of start tags recurse once each until
// the stack overflows), loops for ever on a processing instruction followed by
// text inside an element, grows an attribute value by a full copy for every
// reference in it, and puts every element and attribute name into a process-wide
// sorted pool. The guard accepts only what the parser reads correctly and in time
// linear in the text's length: one XML document in well-formed UTF-8, before its
// element only white space, comments and processing instructions; elements with
// attributes, text, comments, CDATA sections, and processing instructions that a
// tag follows; the five named references and numeric ones for code points. It
// walks the text as the parser does, in one pass. What follows the document's
// element the parser never reads, so the guard only checks that it is UTF-8.
//
// Beyond that, it refuses texts larger than the states these plug-ins write by
// far, so that the parser's cost stays small:
constexpr size_t maximumStateTextBytes = 1u << 20;
// Elements open at once (the parser recurses once for each).
constexpr int maximumStateNesting = 32;
// Element and attribute names in all (each goes into JUCE's string pool).
constexpr int maximumStateNames = 1024;
// The work of reading one attribute value: JUCE appends each run of plain
// characters and each reference to the value by a full copy of it, so the cost
// is the number of appends times the value's length in bytes. Its writer makes a
// reference of every character beyond ASCII and of the markup characters, so a
// value full of them costs the square of its length. This bound lets a track
// name of more than 23,000 characters of any script through (20,000 four-byte
// characters, each its own reference, cost 3.2e9) and keeps one value to a few
// tens of milliseconds. A state saved from an accepted one is accepted too, as
// the bound is also checked for the text the writer would make.
constexpr size_t maximumStateValueCost = size_t { 1 } << 32;
// The work of reading all attribute values of a text together, counted the same
// way: one value as costly as allowed and room for the small ones around it in
// a state, so that a text full of costly values takes no longer than one.
constexpr size_t maximumStateTextCost = maximumStateValueCost + (size_t { 1 } << 20);
// The length of one attribute value as JUCE's writer writes it (every character
// it escapes as a reference), so that a state saved with it still fits
// maximumStateTextBytes, with room for the rest of the element.
constexpr size_t maximumStateValueBytes = maximumStateTextBytes - 4096;

// Whether the parser reads this text (the bytes before the first zero byte, at
// most `length`) safely; the bounds apply to that text only.
bool isSafeStateText(const char* text, size_t length) noexcept;

// A part of a text, in bytes from its start.
struct StateTextSpan
{
    size_t start, end;
};

// As isSafeStateText, except that the document element's attributes named
// `droppable` may exceed the value bounds: such a text is safe without them.
// Nothing when the text is refused; otherwise the spans of those attributes
// (from the name to the closing quote) that must be cut out before the parser
// reads it: every one of that name once any of them is over a bound, so that
// none is read, else none.
std::optional<std::vector<StateTextSpan>> checkStateText(const char* text, size_t length, const char* droppable);
} // namespace vyrkit
