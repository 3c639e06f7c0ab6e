// Fuzz target: the settings store's reader and writer, through its public
// interface only.
//
// The input is a key file as a user, an editor or an older version may have left
// it; after a zero byte, writes may follow, separated by zero bytes: "key<01>name
// <01>text" sets a value, "key<01>name" deletes one (key below Software; <01> is
// the byte 1). For every input:
//  1. The file is put in place as the key Korvanta\FUZZ, and every value name its
//     lines could hold is read.
//  2. Load, save, load: each value read is written to another key (whose file is
//     empty) and reads back the same; rewriting each in its own file changes no
//     value of that file.
//  3. Every write that succeeds reads back at once; at the end each value reads as
//     the last write to it left it, and the file's other values read as before.
//  4. Nothing appears outside the store's folder.
#include "FuzzSupport.h"
#include "RegistryStore.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace
{
using vyrplatform::RegistryStore;
using vyrplatform::fuzzing::expect;
using vyrplatform::fuzzing::utf8Text;

const juce::String software = "HKEY_CURRENT_USER\\Software\\";
const juce::String fileKey = software + "Korvanta\\FUZZ";
const juce::String copyKey = software + "Korvanta\\FUZZCOPY";

juce::File sandbox() { return vyrplatform::fuzzing::scratchFolder().getChildFile("sandbox"); }
juce::File storeRoot() { return sandbox().getChildFile("root"); }

// What a value path holds: its text, or nothing when it does not exist.
using Value = std::optional<juce::String>;

Value read(const juce::String& path)
{
    if (! RegistryStore::valueExists(path))
        return std::nullopt;
    return RegistryStore::getValue(path, "\x01 no such value \x01");
}

juce::String describe(const juce::String& path, const Value& expected, const Value& actual)
{
    auto show = [](const Value& v) { return v ? "\"" + *v + "\"" : juce::String("(missing)"); };
    return "path " + path + "\nexpected " + show(expected) + "\nactual   " + show(actual);
}

// A value name reaches the store through its path, so it holds no backslash.
juce::String valueName(const juce::String& text) { return text.replaceCharacter('\\', '/'); }

// A key path below Software from fuzzed text: empty parts (which would name no
// key) are dropped, and nothing left gives "K".
juce::StringArray keyParts(const juce::String& text)
{
    juce::StringArray parts;
    parts.addTokens(text, "\\", "");
    parts.removeEmptyStrings(false);
    if (parts.isEmpty())
        parts.add("K");
    return parts;
}

// A write the file system can hold for certain: few key levels, short key names
// (a name's encoding is at most three bytes per byte, plus ".reg.lock").
bool mustSucceed(const juce::StringArray& parts)
{
    if (parts.size() > 8)
        return false;
    for (auto& p : parts)
        if (p.getNumBytesAsUTF8() > 80)
            return false;
    return true;
}

// The names a line of the file could hold, as typed (before the first '=') and
// with the escapes undone the way the README gives them; the first line also
// without a byte-order mark.
void addNamesOfLine(std::string line, bool firstLine, std::vector<juce::String>& names)
{
    if (! line.empty() && line.back() == '\r')
        line.pop_back();
    if (firstLine && line.compare(0, 3, "\xEF\xBB\xBF") == 0)
        addNamesOfLine(line.substr(3), false, names);

    std::string unescaped;
    size_t i = 0;
    for (; i < line.size() && line[i] != '='; ++i)
    {
        if (line[i] == '\\' && i + 1 < line.size())
        {
            const char next = line[i + 1];
            if (next == 'n' || next == 'r' || next == '\\' || next == '=' || next == ';' || next == '#')
            {
                unescaped += next == 'n' ? '\n' : (next == 'r' ? '\r' : next);
                ++i;
                continue;
            }
        }
        unescaped += line[i];
    }
    const std::string raw = line.substr(0, line.find('='));
    for (const auto& candidate : { raw, unescaped })
    {
        const auto name = utf8Text(candidate.data(), candidate.size());
        if ((name.isNotEmpty() || candidate.empty()) && ! name.containsChar('\\'))
            names.push_back(name);
    }
}

struct Write
{
    juce::String path;
    Value value; // what it left: the text, or nothing after a delete
};

// The last write to each value (paths that differ only in letter case name one
// value), so that earlier ones are not expected to have survived.
bool isLastWriteTo(const std::vector<Write>& writes, size_t index)
{
    for (size_t later = index + 1; later < writes.size(); ++later)
        if (writes[later].path.equalsIgnoreCase(writes[index].path))
            return false;
    return true;
}

bool writtenLater(const std::vector<Write>& writes, const juce::String& path)
{
    for (auto& w : writes)
        if (w.path.equalsIgnoreCase(path))
            return true;
    return false;
}

std::vector<juce::String> split(const char* data, size_t size, char separator)
{
    std::vector<juce::String> fields;
    size_t start = 0;
    for (size_t i = 0; i <= size; ++i)
    {
        if (i == size || data[i] == separator)
        {
            const auto text = utf8Text(data + start, i - start);
            if (text.isEmpty() && i > start)
                return {}; // not text: no field at all
            fields.push_back(text);
            start = i + 1;
        }
    }
    return fields;
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    RegistryStore::setRootDirectory(storeRoot());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    const auto* data = reinterpret_cast<const char*>(bytes);
    size_t fileSize = 0;
    while (fileSize < size && data[fileSize] != 0)
        ++fileSize;
    const std::string file(data, fileSize);

    sandbox().deleteRecursively();
    const auto keyFile = storeRoot().getChildFile("Korvanta/FUZZ.reg");
    expect(keyFile.getParentDirectory().createDirectory().wasOk(), "the key's folder is made");
    {
        // An empty file too: JUCE's replaceWithData would delete it instead.
        juce::FileOutputStream out(keyFile);
        expect(out.openedOk() && out.write(file.data(), file.size()), "the key file is put in place");
    }
    {
        // The copies go into a key whose file is there but empty (emptied by
        // hand, say), so the first copy is the file's first line.
        juce::FileOutputStream out(storeRoot().getChildFile("Korvanta/FUZZCOPY.reg"));
        expect(out.openedOk(), "the empty key file is put in place");
    }

    // 1. Every name the file's lines could hold.
    std::vector<juce::String> names;
    for (size_t start = 0; start <= file.size();)
    {
        auto end = file.find('\n', start);
        if (end == std::string::npos)
            end = file.size();
        addNamesOfLine(file.substr(start, end - start), start == 0, names);
        start = end + 1;
    }
    std::vector<Value> before;
    for (auto& name : names)
        before.push_back(read(fileKey + "\\" + name));

    // 2. Load, save, load.
    for (size_t i = 0; i < names.size(); ++i)
    {
        if (! before[i])
            continue;
        const auto copy = copyKey + "\\" + names[i];
        expect(RegistryStore::setValue(copy, *before[i]), "a value read can be written", copy);
        expect(read(copy) == before[i], "a value read and written reads back the same",
               describe(copy, before[i], read(copy)));
        const auto original = fileKey + "\\" + names[i];
        expect(RegistryStore::setValue(original, *before[i]), "a value read can be rewritten", original);
    }
    for (size_t i = 0; i < names.size(); ++i)
    {
        const auto original = fileKey + "\\" + names[i];
        expect(read(original) == before[i], "rewriting the file's values changes none of them",
               describe(original, before[i], read(original)));
    }

    // 3. The writes.
    std::vector<Write> writes;
    if (fileSize < size)
    {
        for (auto& op : split(data + fileSize + 1, size - fileSize - 1, 0))
        {
            const auto fields = juce::StringArray::fromTokens(op, "\x01", "");
            if (fields.size() < 2 || fields.size() > 3)
                continue;
            const auto parts = keyParts(fields[0]);
            const auto path = software + parts.joinIntoString("\\") + "\\" + valueName(fields[1]);
            if (fields.size() == 3)
            {
                const bool written = RegistryStore::setValue(path, fields[2]);
                expect(written || ! mustSucceed(parts), "a value can be written", path);
                if (! written)
                    continue;
                writes.push_back({ path, fields[2] });
            }
            else
            {
                RegistryStore::deleteValue(path);
                if (read(path).has_value() && ! mustSucceed(parts))
                    continue;
                writes.push_back({ path, std::nullopt });
            }
            expect(read(path) == writes.back().value, "a value reads as it was just written",
                   describe(path, writes.back().value, read(path)));
        }
    }
    for (size_t i = 0; i < writes.size(); ++i)
        if (isLastWriteTo(writes, i))
            expect(read(writes[i].path) == writes[i].value, "every value survives the later writes",
                   describe(writes[i].path, writes[i].value, read(writes[i].path)));
    for (size_t i = 0; i < names.size(); ++i)
    {
        const auto original = fileKey + "\\" + names[i];
        if (! writtenLater(writes, original))
            expect(read(original) == before[i], "the file's other values survive the writes",
                   describe(original, before[i], read(original)));
    }

    // 4. The store's folder holds everything it made.
    const auto outside = sandbox().findChildFiles(juce::File::findFilesAndDirectories, false, "*",
                                                  juce::File::FollowSymlinks::no);
    expect(outside.size() == 1 && outside[0] == storeRoot(), "nothing is made outside the store's folder",
           outside.isEmpty() ? juce::String() : outside.getLast().getFullPathName());
    return 0;
}
