#pragma once

// What the fuzz targets share: an expectation whose failure libFuzzer reports as a
// crash (and keeps the input that caused it), and a scratch folder of the
// process's own for the files a target makes.

#include <juce_core/juce_core.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

namespace vyrplatform::fuzzing
{
[[noreturn]] inline void fail(const char* what, const juce::String& detail = {})
{
    std::fprintf(stderr, "\nfuzz expectation failed: %s\n%s\n", what, detail.toRawUTF8());
    std::fflush(stderr);
    std::abort();
}

inline void expect(bool condition, const char* what)
{
    if (! condition)
        fail(what);
}

// The detail is built before the test: in loops, test and call fail() instead.
inline void expect(bool condition, const char* what, const juce::String& detail)
{
    if (! condition)
        fail(what, detail);
}

// A folder made for this process, removed when the process exits normally: in
// $VYR_FUZZ_SCRATCH, which scripts/fuzz makes for a run and removes afterwards
// (with what the inputs that failed left), else on /dev/shm where there is one
// (the settings store flushes every write to the disk, which tmpfs makes free),
// else in $TMPDIR or /tmp.
inline const juce::File& scratchFolder()
{
    struct Folder
    {
        juce::File file;
        Folder()
        {
            std::string pattern = juce::File::getSpecialLocation(juce::File::tempDirectory)
                                      .getChildFile("vyr-fuzz-XXXXXX")
                                      .getFullPathName()
                                      .toStdString();
            if (const char* parent = std::getenv("VYR_FUZZ_SCRATCH"); parent != nullptr && parent[0] == '/')
                pattern = std::string(parent) + "/target-XXXXXX";
            else if (::access("/dev/shm", W_OK) == 0)
                pattern = "/dev/shm/vyr-fuzz-XXXXXX";
            if (::mkdtemp(pattern.data()) == nullptr)
                fail("cannot make a scratch folder", pattern);
            file = juce::File(juce::String::fromUTF8(pattern.c_str()));
        }
        ~Folder() { file.deleteRecursively(); }
    };
    static const Folder folder;
    return folder.file;
}

// The bytes as text, for names, values and numbers a target feeds in: empty
// unless they are UTF-8 without zero bytes whose characters, written again, give
// the same bytes. JUCE's validity check lets through overlong forms (E0 80 B3 is
// '3' to JUCE's text functions but no digit to the C library) and lead bytes that
// its text functions step over differently (F8 to FB).
inline juce::String utf8Text(const char* data, size_t size)
{
    for (size_t i = 0; i < size; ++i)
    {
        const auto b = static_cast<unsigned char>(data[i]);
        if (b == 0 || b >= 0xf5)
            return {};
    }
    if (size == 0 || ! juce::CharPointer_UTF8::isValidString(data, (int) size))
        return {};
    const auto text = juce::String::fromUTF8(data, (int) size);
    juce::String rewritten;
    for (auto p = text.getCharPointer(); ! p.isEmpty();)
        rewritten += p.getAndAdvance();
    if (rewritten.getNumBytesAsUTF8() != size || std::memcmp(rewritten.toRawUTF8(), data, size) != 0)
        return {};
    return text;
}
} // namespace vyrplatform::fuzzing
