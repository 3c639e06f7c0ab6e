#pragma once

#include <cstddef>

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
// value full of them costs the square of its length. This bound keeps one value
// to a few milliseconds: a plain track name of a million characters, or one of
// 4096 accented ones, passes. A state saved from an accepted one is accepted
// too, as the bound is also checked for the text the writer would make.
constexpr size_t maximumStateValueCost = size_t { 1 } << 27;

// Whether the parser reads this text (the bytes the parser sees: those before
// the first zero byte, at most `length`) safely.
bool isSafeStateText(const char* text, size_t length) noexcept;
} // namespace vyrkit
