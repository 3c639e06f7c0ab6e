#include "OutputFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vyrhost
{
namespace
{
enum class TargetKind { absent, regular, stream };

// As many links as the kernel follows in one path.
constexpr int maximumLinks = 40;

// Follows the links at path to what they end at and tells what that is.
// Refuses what vyrhost does not write into: a directory, a block device, a
// socket.
bool resolveTarget(const std::string& path, std::string& resolved, TargetKind& kind, std::string& error)
{
    if (path.empty() || path.back() == '/')
    {
        error = "not a file name";
        return false;
    }
    resolved = path;
    for (int links = 0;; ++links)
    {
        struct stat status {};
        if (lstat(resolved.c_str(), &status) != 0)
        {
            if (errno != ENOENT)
            {
                error = std::strerror(errno);
                return false;
            }
            kind = TargetKind::absent;
            return true;
        }
        if (S_ISLNK(status.st_mode))
        {
            if (links == maximumLinks)
            {
                error = "too many levels of symbolic links";
                return false;
            }
            std::string link(static_cast<std::size_t>(status.st_size > 0 ? status.st_size : 0) + 256, '\0');
            const ssize_t length = readlink(resolved.c_str(), link.data(), link.size());
            if (length < 0)
            {
                error = std::strerror(errno);
                return false;
            }
            link.resize(static_cast<std::size_t>(length));
            // A relative link is relative to the directory that holds it.
            const std::filesystem::path linkPath(link);
            resolved = linkPath.is_absolute() ? link
                                              : (std::filesystem::path(resolved).parent_path() / linkPath).string();
            continue;
        }
        if (S_ISREG(status.st_mode))
            kind = TargetKind::regular;
        else if (S_ISFIFO(status.st_mode) || S_ISCHR(status.st_mode))
            kind = TargetKind::stream;
        else if (S_ISDIR(status.st_mode))
        {
            error = resolved == path ? "it is a directory" : "it leads to a directory, " + resolved;
            return false;
        }
        else
        {
            error = "not a file, a FIFO or a character device";
            return false;
        }
        return true;
    }
}

bool writeAll(int fd, const char* data, std::size_t size)
{
    while (size > 0)
    {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0)
        {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}
} // namespace

bool OutputFile::canWrite(const std::string& path, std::string& error)
{
    std::string resolved;
    TargetKind kind {};
    if (resolveTarget(path, resolved, kind, error))
        return true;
    error = "cannot write " + path + ": " + error;
    return false;
}

OutputFile::OutputFile(const std::string& path) : targetPath(path)
{
    TargetKind kind {};
    if (! resolveTarget(path, targetPath, kind, error))
        return;
    streamed = kind == TargetKind::stream;

    // A stream cannot be replaced, and its directory (/dev) may not take a
    // temporary file: the data waits in the temporary directory instead.
    std::error_code ec;
    std::string pattern = streamed ? (std::filesystem::temp_directory_path(ec) / "vyrhost-XXXXXX").string()
                                   : targetPath + ".partXXXXXX";
    const int fd = mkstemp(pattern.data());
    if (fd < 0)
    {
        error = std::strerror(errno);
        return;
    }
    close(fd);
    temporaryPath = pattern;
    valid = true;
}

OutputFile::~OutputFile()
{
    if (valid && (streamed || ! committed))
        std::remove(temporaryPath.c_str());
}

bool OutputFile::write(const void* data, std::size_t size)
{
    if (! valid)
        return false;
    FILE* file = std::fopen(temporaryPath.c_str(), "wb");
    if (file == nullptr)
    {
        error = std::strerror(errno);
        return false;
    }
    const bool ok = (size == 0 || std::fwrite(data, 1, size, file) == size);
    const bool closed = std::fclose(file) == 0;
    if (! ok || ! closed)
    {
        error = "the disk refused the data";
        return false;
    }
    return true;
}

bool OutputFile::commit()
{
    if (! valid || committed)
        return false;
    if (streamed)
    {
        if (! copyIntoStream())
            return false;
        committed = true;
        return true;
    }
    // mkstemp creates the file for the owner only; give it the usual mode.
    chmod(temporaryPath.c_str(), 0644);
    if (std::rename(temporaryPath.c_str(), targetPath.c_str()) != 0)
    {
        error = std::strerror(errno);
        return false;
    }
    committed = true;
    return true;
}

bool OutputFile::copyIntoStream()
{
    const int from = open(temporaryPath.c_str(), O_RDONLY | O_CLOEXEC);
    if (from < 0)
    {
        error = std::strerror(errno);
        return false;
    }
    // Opening a FIFO waits for its reader, as writing into it from a shell does.
    const int to = open(targetPath.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    if (to < 0)
    {
        error = std::strerror(errno);
        close(from);
        return false;
    }
    bool ok = true;
    char buffer[65536];
    for (;;)
    {
        const ssize_t got = read(from, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
        {
            ok = got == 0;
            break;
        }
        if (! writeAll(to, buffer, static_cast<std::size_t>(got)))
        {
            ok = false;
            break;
        }
    }
    if (! ok)
        error = std::strerror(errno);
    if (close(to) != 0 && ok)
    {
        ok = false;
        error = std::strerror(errno);
    }
    close(from);
    return ok;
}
} // namespace vyrhost
