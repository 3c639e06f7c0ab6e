#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace vyrkit
{
// The reader of a state chunk's text, and the guard that decides which texts are
// states at all.
//
// A host may hand any bytes to setStateInformation. The texts taken are those
// that JUCE 7.0.5's parser (juce::XmlDocument) reads correctly: it mishandles
// others. It steps past the end of the text after a truncated UTF-8 sequence,
// carries on after a syntax error (so a stray quote lets a run of start tags
// recurse once each until the stack overflows), loops for ever on a processing
// instruction followed by text inside an element, and puts every element and
// attribute name into a process-wide sorted pool. The guard accepts one XML
// document in well-formed UTF-8, before its element only white space, comments
// and processing instructions; elements with attributes, text, comments, CDATA
// sections, and processing instructions that a tag follows; the five named
// references and numeric ones for code points. What follows the document's
// element the parser never reads, so the guard only checks that it is UTF-8.
//
// The same single pass reads the document element's tag and attributes, the
// only part of a state the restore looks at, with the values JUCE's parser
// would give. JUCE's parser itself is not used: it builds an attribute value by
// copying the whole value again for every reference and every run of plain
// characters in it, so a long track name beyond ASCII, which the writer saves as
// one reference per character, would cost the square of its length. Here the
// cost is linear in the text's length.
//
// Beyond that, it refuses texts larger than the states these plug-ins write, so
// that the cost stays small. The bound applies to the text up to its first zero
// byte; the writer's longest state (its longest track name, every character a
// reference, and the other attributes) lies well inside it (see
// MeterStateChunk.h).
constexpr size_t maximumStateTextBytes = 1u << 20;
// Elements open at once (the walk recurses once for each).
constexpr int maximumStateNesting = 32;
// Element and attribute names in all; a state has at most eight.
constexpr int maximumStateNames = 1024;

// The document element of a state text: its tag and its attributes in the order
// of the text, each value as UTF-8 with its references resolved.
struct StateElement
{
    struct Attribute
    {
        std::string name;
        std::string value;
    };

    std::string tag;
    std::vector<Attribute> attributes;

    // The first attribute of that name (the one JUCE's reader finds; names
    // compare exactly), or null.
    const Attribute* find(const char* name) const noexcept;
};

// The document element of a state text (the bytes before the first zero byte,
// at most `length`), or nothing for a text that is no state: see above.
std::optional<StateElement> readStateText(const char* text, size_t length);

// Whether readStateText takes this text.
bool isSafeStateText(const char* text, size_t length);
} // namespace vyrkit
