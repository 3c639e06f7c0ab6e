#include "RegistryStore.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

// Layout on disk. The store only holds keys below HKEY_CURRENT_USER\Software: the
// key "Software\Korvanta\VYRTARVO" is the file "<root>/Korvanta/VYRTARVO.reg",
// a subkey "Software\A\B\C" is "<root>/A/B/C.reg", and a key that only has subkeys
// is the directory of the same name. In directory and file names the bytes '/',
// '%', '.' and control characters are written as %XX, so no key name can climb out
// of the root or clash with the ".reg", ".lock" and ".tmp" suffixes.
//
// A key file is UTF-8 text, one value a line, "name=text". In names and texts a
// backslash is written "\\", a line break "\n" and a carriage return "\r"; in names
// "=" is written "\=", and a leading ';' or '#' as "\;" or "\#". Those are the only
// escapes, and only where they are written: any other backslash is read as itself,
// so a hand-written "C:\Manuals\x.pdf" or "C:\#1\x.pdf" reads as typed. Nothing
// around the '=' is trimmed: the text is everything after the first unescaped '='
// up to the end of the line, except a carriage return that ends the line (a file
// saved with Windows line ends); the store never writes one there itself. A
// byte-order mark at the start of the file is not part of the first line; the
// store writes one only in front of a first line that itself starts with U+FEFF.
// Lines that are empty, start with ';' or '#', hold no '=', or are not valid UTF-8
// are no values and are kept as they are when the file is rewritten. When a name
// occurs twice (ignoring case), the first line counts and a rewrite drops the others.
//
// Readers take no lock and keep no cache: every read opens and reads the file as it
// is. Writers take an exclusive flock on "<name>.reg.lock" beside the key file
// (lower-cased, so every spelling of a key shares one lock), read the file afresh,
// write the new contents to "<name>.reg.tmp", flush it and rename it over the key
// file, so a reader sees either the old or the new file, never a part. A writer
// that has to make a key's directory does so holding a flock on the directory
// that will hold it, so that writers spelling a new key differently agree on one
// directory instead of making one each.

namespace vyrplatform
{
namespace
{
// A settings file larger than this is not read (nor rewritten): the plug-ins' keys
// hold a handful of short values, and a runaway file must not cost a big read on
// every poll.
constexpr size_t maxFileBytes = 4u * 1024u * 1024u;

constexpr const char* keyFileSuffix = ".reg";
constexpr const char* lockFileSuffix = ".reg.lock";
constexpr const char* tempFileSuffix = ".tmp"; // after the key file's name

//============================================================================== paths
enum class KeyKind
{
    unsupported, // another hive, a malformed path, or a key outside Software
    hiveRoot,    // HKEY_CURRENT_USER itself
    softwareRoot,
    key
};

struct KeyPath
{
    KeyKind kind = KeyKind::unsupported;
    std::vector<juce::String> names; // the key's names below Software
};

struct ValuePath
{
    KeyPath key;
    juce::String valueName;
};

// The part after the hive, or false when the path names another hive.
bool stripHive(const juce::String& path, juce::String& rest)
{
    for (auto* prefix : { "HKEY_CURRENT_USER\\", "HKCU\\" })
    {
        if (path.startsWithIgnoreCase(prefix))
        {
            rest = path.substring((int) std::strlen(prefix));
            return true;
        }
    }
    return false;
}

// `keyPart` is the key's path below the hive; one trailing backslash is allowed.
KeyPath parseKey(const juce::String& keyPart)
{
    KeyPath result;
    if (keyPart.isEmpty())
    {
        result.kind = KeyKind::hiveRoot;
        return result;
    }

    std::vector<juce::String> parts;
    int start = 0;
    for (;;)
    {
        const int slash = keyPart.indexOfChar(start, '\\');
        parts.push_back(keyPart.substring(start, slash < 0 ? keyPart.length() : slash));
        if (slash < 0)
            break;
        start = slash + 1;
    }
    if (parts.size() > 1 && parts.back().isEmpty())
        parts.pop_back();

    for (auto& p : parts)
        if (p.isEmpty())
            return result;

    if (! parts.front().equalsIgnoreCase("Software"))
        return result;

    result.names.assign(parts.begin() + 1, parts.end());
    result.kind = result.names.empty() ? KeyKind::softwareRoot : KeyKind::key;
    return result;
}

// "HIVE\key\path\valueName": the value name is what follows the last backslash.
ValuePath parseValuePath(const juce::String& fullPath)
{
    ValuePath result;
    juce::String rest;
    if (! stripHive(fullPath, rest))
        return result;

    const int lastSlash = rest.lastIndexOfChar('\\');
    result.valueName = rest.substring(lastSlash + 1);
    result.key = parseKey(lastSlash < 0 ? juce::String() : rest.substring(0, lastSlash));
    return result;
}

// A key name as a file-system name (see the layout above).
std::string encodeKeyName(const juce::String& name)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char b : name.toStdString())
    {
        if (b < 0x20 || b == 0x7f || b == '/' || b == '%' || b == '.')
        {
            out += '%';
            out += hex[b >> 4];
            out += hex[b & 15];
        }
        else
        {
            out += (char) b;
        }
    }
    return out;
}

juce::String fromUtf8(const std::string& bytes)
{
    if (bytes.find('\0') != std::string::npos
        || ! juce::CharPointer_UTF8::isValidString(bytes.data(), (int) bytes.size()))
        return {};
    return juce::String::fromUTF8(bytes.data(), (int) bytes.size());
}

bool isDirectory(const std::string& path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool isRegularFile(const std::string& path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// The name of the entry of `dir` that equals `wanted` ignoring case and has the
// wanted type; the exact spelling is tried first, so the usual case costs one stat.
// Empty when there is none.
std::string findEntry(const std::string& dir, const std::string& wanted, bool wantDirectory)
{
    auto hasType = [wantDirectory](const std::string& path)
    { return wantDirectory ? isDirectory(path) : isRegularFile(path); };

    if (hasType(dir + "/" + wanted))
        return wanted;

    const juce::String wantedText = fromUtf8(wanted);
    DIR* d = ::opendir(dir.c_str());
    if (d == nullptr)
        return {};

    std::vector<std::string> matches;
    while (auto* entry = ::readdir(d))
    {
        const std::string name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        if (fromUtf8(name).equalsIgnoreCase(wantedText) && hasType(dir + "/" + name))
            matches.push_back(name);
    }
    ::closedir(d);

    if (matches.empty())
        return {};
    // Several spellings (made by hand): take the same one every time.
    return *std::min_element(matches.begin(), matches.end());
}

std::string lowerCased(const std::string& utf8Name)
{
    return fromUtf8(utf8Name).toLowerCase().toStdString();
}

//============================================================================== file I/O
// The whole file, or false when it is missing, not a regular file, too large or
// unreadable.
bool readWholeFile(const std::string& path, std::string& contents, int* errorCode = nullptr)
{
    contents.clear();
    // O_NONBLOCK: a FIFO put in place of the file must not hang the reader.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
    {
        if (errorCode != nullptr)
            *errorCode = errno;
        return false;
    }

    bool ok = false;
    struct stat st;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && (size_t) st.st_size <= maxFileBytes)
    {
        char buffer[8192];
        ok = true;
        for (;;)
        {
            const ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0 || contents.size() + (size_t) n > maxFileBytes)
            {
                ok = false;
                break;
            }
            if (n == 0)
                break;
            contents.append(buffer, (size_t) n);
        }
    }
    ::close(fd);
    if (! ok)
    {
        contents.clear();
        if (errorCode != nullptr)
            *errorCode = EIO;
    }
    return ok;
}

bool writeAll(int fd, const std::string& data)
{
    size_t done = 0;
    while (done < data.size())
    {
        const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += (size_t) n;
    }
    return true;
}

// Writes `contents` to a temporary file beside `path`, flushes it to the disk and
// renames it over `path`. `mode` is the permission of the file being replaced.
bool replaceFileAtomically(const std::string& path, const std::string& tempPath,
                           const std::string& contents, mode_t mode, bool keepMode)
{
    const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY, 0666);
    if (fd < 0)
        return false;

    bool ok = (! keepMode || ::fchmod(fd, mode & 07777) == 0) && writeAll(fd, contents);
    // Flushed before the rename, so a crash leaves the old file or the complete new
    // one, never an empty file under the key's name.
    ok = ok && ::fdatasync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    ok = ok && ::rename(tempPath.c_str(), path.c_str()) == 0;
    if (! ok)
        ::unlink(tempPath.c_str());
    return ok;
}

bool makeDirectory(const std::string& path)
{
    return ::mkdir(path.c_str(), 0700) == 0 || (errno == EEXIST && isDirectory(path));
}

// Creates the root and its missing parents.
bool makeDirectories(const std::string& path)
{
    if (path.empty())
        return false;
    if (isDirectory(path))
        return true;
    const auto slash = path.find_last_of('/');
    if (slash != std::string::npos && slash > 0 && ! makeDirectories(path.substr(0, slash)))
        return false;
    return makeDirectory(path);
}

// Holds an exclusive flock for as long as it lives, on a lock file (made when
// missing) or on a directory itself.
class FileLock
{
public:
    static FileLock onFile(const std::string& path)
    {
        return FileLock(::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY, 0666));
    }

    static FileLock onDirectory(const std::string& path)
    {
        return FileLock(::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    }

    ~FileLock()
    {
        if (fd >= 0)
            ::close(fd); // closing the only descriptor releases the lock
    }

    bool isLocked() const noexcept { return fd >= 0; }

    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

private:
    explicit FileLock(int openedFd) : fd(openedFd)
    {
        if (fd < 0)
            return;
        int r;
        do
            r = ::flock(fd, LOCK_EX);
        while (r != 0 && errno == EINTR);
        if (r != 0)
        {
            ::close(fd);
            fd = -1;
        }
    }

    int fd;
};

//============================================================================== the line format
struct Line
{
    std::string raw;      // as read, without the line break
    bool isValue = false; // a "name=text" line
    juce::String name, text;
};

std::string escapeText(const std::string& utf8)
{
    std::string out;
    for (char c : utf8)
    {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else
            out += c;
    }
    return out;
}

std::string escapeName(const std::string& utf8)
{
    std::string out;
    if (! utf8.empty() && (utf8[0] == ';' || utf8[0] == '#'))
        out += '\\';
    for (char c : utf8)
    {
        if (c == '=')
            out += "\\=";
        else
            out += escapeText(std::string(1, c));
    }
    return out;
}

enum class LinePart
{
    name, // up to the first unescaped '='
    text  // the rest of the line
};

// Undoes the escapes of a name or a text from `pos`. A name ends after the first
// unescaped '=', and `foundEquals` tells whether there was one. Only the escapes
// the writer makes are undone, and only where it makes them (see the layout
// above), so that a backslash typed by hand stands for itself.
std::string unescape(const std::string& s, size_t& pos, LinePart part, bool& foundEquals)
{
    std::string out;
    foundEquals = false;
    const size_t start = pos;
    while (pos < s.size())
    {
        const char c = s[pos++];
        if (c == '=' && part == LinePart::name)
        {
            foundEquals = true;
            return out;
        }
        if (c != '\\' || pos == s.size())
        {
            out += c;
            continue;
        }
        const char next = s[pos];
        const bool nameEscape = part == LinePart::name
                             && (next == '=' || ((next == ';' || next == '#') && pos == start + 1));
        if (next == 'n')
            out += '\n';
        else if (next == 'r')
            out += '\r';
        else if (next == '\\' || nameEscape)
            out += next;
        else
        {
            out += '\\'; // not an escape: the backslash stands for itself
            continue;
        }
        ++pos;
    }
    return out;
}

Line parseLine(std::string raw)
{
    Line line;
    line.raw = raw;
    if (! raw.empty() && raw.back() == '\r') // a file saved with Windows line ends
        raw.pop_back(); // (a carriage return in a value is always written "\r")
    if (raw.empty() || raw[0] == ';' || raw[0] == '#')
        return line;
    if (raw.find('\0') != std::string::npos
        || ! juce::CharPointer_UTF8::isValidString(raw.data(), (int) raw.size()))
        return line;

    size_t pos = 0;
    bool hasEquals = false;
    const std::string name = unescape(raw, pos, LinePart::name, hasEquals);
    if (! hasEquals)
        return line;
    bool unused = false;
    const std::string text = unescape(raw, pos, LinePart::text, unused);

    line.isValue = true;
    line.name = juce::String::fromUTF8(name.data(), (int) name.size());
    line.text = juce::String::fromUTF8(text.data(), (int) text.size());
    return line;
}

constexpr const char* byteOrderMark = "\xEF\xBB\xBF"; // U+FEFF in UTF-8

std::vector<Line> parseFile(const std::string& contents)
{
    std::vector<Line> lines;
    size_t start = 0;
    // An editor may have put a UTF-8 byte-order mark in front.
    if (contents.compare(0, 3, byteOrderMark) == 0)
        start = 3;
    while (start < contents.size())
    {
        auto end = contents.find('\n', start);
        if (end == std::string::npos)
            end = contents.size();
        lines.push_back(parseLine(contents.substr(start, end - start)));
        start = end + 1;
    }
    return lines;
}

std::string joinLines(const std::vector<Line>& lines)
{
    std::string out;
    for (auto& l : lines)
    {
        out += l.raw;
        out += '\n';
    }
    // The reader takes the bytes of U+FEFF at the start of a file for a byte-order
    // mark, so a first line that starts with that character (a value name, or a
    // line that followed a mark) is written behind a mark of its own.
    if (out.compare(0, 3, byteOrderMark) == 0)
        out.insert(0, byteOrderMark);
    return out;
}

const Line* findValue(const std::vector<Line>& lines, const juce::String& name)
{
    for (auto& l : lines)
        if (l.isValue && l.name.equalsIgnoreCase(name))
            return &l;
    return nullptr;
}

std::string encodeLine(const juce::String& name, const juce::String& text)
{
    return escapeName(name.toStdString()) + "=" + escapeText(text.toStdString());
}

// The first lines of a new key file, so a user who opens it knows what it is.
std::vector<Line> newFileHeader(const KeyPath& key)
{
    juce::String path = "HKEY_CURRENT_USER\\Software";
    for (auto& n : key.names)
        path << "\\" << n;
    std::string printable;
    for (char c : path.toStdString())
        printable += ((unsigned char) c < 0x20 || c == 0x7f) ? '?' : c;

    std::vector<Line> header(2);
    header[0].raw = "; " + printable;
    header[1].raw = "; one value a line: name=text (in both, \\\\ is a backslash, \\n a line break)";
    return header;
}

//============================================================================== the store
std::mutex rootLock;
juce::File rootOverride;

juce::File defaultRoot()
{
    // XDG base directories: $XDG_CONFIG_HOME when it is an absolute path, else
    // ~/.config.
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg != nullptr && xdg[0] == '/')
        return juce::File(juce::String::fromUTF8(xdg));

    std::string home;
    if (const char* h = std::getenv("HOME"); h != nullptr && h[0] == '/')
    {
        home = h;
    }
    else
    {
        struct passwd pw;
        struct passwd* found = nullptr;
        std::vector<char> buffer(16384);
        if (::getpwuid_r(::getuid(), &pw, buffer.data(), buffer.size(), &found) == 0
            && found != nullptr && found->pw_dir != nullptr && found->pw_dir[0] == '/')
            home = found->pw_dir;
    }
    if (home.empty())
        return {};
    return juce::File(juce::String::fromUTF8(home.c_str())).getChildFile(".config");
}

std::string rootPath()
{
    return RegistryStore::getRootDirectory().getFullPathName().toStdString();
}

// Where a key lives: the directory that holds its file (resolved ignoring case)
// and the encoded base name of the file.
struct KeyLocation
{
    std::string directory;
    std::string baseName;
};

// Makes the directory of a key in `parent`, unless a directory of the same name in
// another spelling exists by now: the name of the directory to use, empty when it
// cannot be made. Without the lock two writers spelling a new key differently
// could both find it missing and make one directory each, and each reader would
// then see only one of their values. A file system that cannot lock a directory
// gets the directory made without the lock.
std::string makeKeyDirectory(const std::string& parent, const std::string& wanted)
{
    const auto lock = FileLock::onDirectory(parent);
    std::string found = findEntry(parent, wanted, true);
    if (found.empty() && makeDirectory(parent + "/" + wanted))
        found = wanted;
    return found;
}

// Resolves the directories of `key` below the root; with `create`, makes the
// missing ones. False when a directory is missing (or cannot be made).
bool locateKey(const KeyPath& key, bool create, KeyLocation& where)
{
    std::string dir = rootPath();
    if (dir.empty() || key.kind != KeyKind::key)
        return false;
    if (create && ! makeDirectories(dir))
        return false;

    for (size_t i = 0; i + 1 < key.names.size(); ++i)
    {
        const std::string wanted = encodeKeyName(key.names[i]);
        std::string found = findEntry(dir, wanted, true);
        if (found.empty() && create)
            found = makeKeyDirectory(dir, wanted);
        if (found.empty())
            return false;
        dir += "/" + found;
    }
    where.directory = dir;
    where.baseName = encodeKeyName(key.names.back());
    return true;
}

// Reads the key's values; false when the key has no readable file.
bool readKey(const KeyPath& key, std::vector<Line>& lines)
{
    KeyLocation where;
    if (! locateKey(key, false, where))
        return false;

    std::string contents;
    int error = 0;
    const std::string fileName = where.baseName + keyFileSuffix;
    if (! readWholeFile(where.directory + "/" + fileName, contents, &error))
    {
        if (error != ENOENT)
            return false;
        const std::string other = findEntry(where.directory, fileName, false);
        if (other.empty() || ! readWholeFile(where.directory + "/" + other, contents))
            return false;
    }
    lines = parseFile(contents);
    return true;
}

// Locks the key, rereads its file, lets `change` edit the lines and writes the
// result back. `change` returns false to leave the file alone (and fail).
template <typename Change>
bool modifyKey(const KeyPath& key, Change&& change)
{
    KeyLocation where;
    if (! locateKey(key, true, where))
        return false;

    const auto lock = FileLock::onFile(where.directory + "/" + lowerCased(where.baseName) + lockFileSuffix);
    if (! lock.isLocked())
        return false;

    const std::string wantedName = where.baseName + keyFileSuffix;
    std::string fileName = findEntry(where.directory, wantedName, false);
    const bool exists = ! fileName.empty();
    if (! exists)
        fileName = wantedName;
    std::string path = where.directory + "/" + fileName;

    std::string contents;
    mode_t mode = 0;
    if (exists)
    {
        // A key file that is a link (say, into a repository of dotfiles) is
        // replaced where it points, so the link survives.
        if (char* target = ::realpath(path.c_str(), nullptr))
        {
            path = target;
            std::free(target);
        }
        struct stat st;
        if (::stat(path.c_str(), &st) != 0 || ! readWholeFile(path, contents))
            return false; // unreadable: rewriting would throw its values away
        mode = st.st_mode;
    }

    std::vector<Line> lines = exists ? parseFile(contents) : newFileHeader(key);
    if (! change(lines))
        return false;

    const std::string newContents = joinLines(lines);
    if (exists && newContents == contents)
        return true;
    return replaceFileAtomically(path, path + tempFileSuffix, newContents, mode, exists);
}
} // namespace

juce::String RegistryStore::getValue(const juce::String& fullPath, const juce::String& defaultValue)
{
    const auto path = parseValuePath(fullPath);
    std::vector<Line> lines;
    if (! readKey(path.key, lines))
        return defaultValue;
    const Line* found = findValue(lines, path.valueName);
    return found != nullptr ? found->text : defaultValue;
}

bool RegistryStore::valueExists(const juce::String& fullPath)
{
    const auto path = parseValuePath(fullPath);
    std::vector<Line> lines;
    return readKey(path.key, lines) && findValue(lines, path.valueName) != nullptr;
}

bool RegistryStore::setValue(const juce::String& fullPath, const juce::String& text)
{
    const auto path = parseValuePath(fullPath);
    return modifyKey(path.key, [&](std::vector<Line>& lines)
    {
        bool replaced = false;
        for (auto it = lines.begin(); it != lines.end();)
        {
            if (! it->isValue || ! it->name.equalsIgnoreCase(path.valueName))
            {
                ++it;
                continue;
            }
            if (replaced) // a later duplicate would only confuse the next reader
            {
                it = lines.erase(it);
                continue;
            }
            // The name keeps the spelling it already has in the file.
            it->raw = encodeLine(it->name, text);
            it->text = text;
            replaced = true;
            ++it;
        }
        if (! replaced)
            lines.push_back(parseLine(encodeLine(path.valueName, text)));
        return true;
    });
}

bool RegistryStore::deleteValue(const juce::String& fullPath)
{
    const auto path = parseValuePath(fullPath);
    std::vector<Line> lines;
    if (! readKey(path.key, lines) || findValue(lines, path.valueName) == nullptr)
        return false; // nothing to delete: no directory or file is made for it

    bool removed = false;
    const bool written = modifyKey(path.key, [&](std::vector<Line>& current)
    {
        for (auto it = current.begin(); it != current.end();)
        {
            if (it->isValue && it->name.equalsIgnoreCase(path.valueName))
            {
                it = current.erase(it);
                removed = true;
            }
            else
            {
                ++it;
            }
        }
        return removed;
    });
    return written && removed;
}

bool RegistryStore::keyExists(const juce::String& fullKeyPath)
{
    juce::String rest;
    if (! stripHive(fullKeyPath + "\\", rest))
        return false;
    const auto key = parseKey(rest.substring(0, rest.lastIndexOfChar('\\')));

    switch (key.kind)
    {
        case KeyKind::unsupported: return false;
        case KeyKind::hiveRoot: return true;
        case KeyKind::softwareRoot: return isDirectory(rootPath());
        case KeyKind::key: break;
    }

    KeyLocation where;
    if (! locateKey(key, false, where))
        return false;
    // A key with values has its file; a key with only subkeys has its directory.
    return ! findEntry(where.directory, where.baseName + keyFileSuffix, false).empty()
        || ! findEntry(where.directory, where.baseName, true).empty();
}

void RegistryStore::setRootDirectory(const juce::File& directory)
{
    const std::lock_guard<std::mutex> guard(rootLock);
    rootOverride = directory;
}

juce::File RegistryStore::getRootDirectory()
{
    {
        const std::lock_guard<std::mutex> guard(rootLock);
        if (rootOverride != juce::File())
            return rootOverride;
    }
    return defaultRoot();
}
} // namespace vyrplatform
