#include "AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <stdlib.h>
#include <unistd.h>

namespace vyrhost
{
AtomicFile::AtomicFile(const std::string& target) : targetPath(target)
{
    if (targetPath.empty() || targetPath.back() == '/')
    {
        error = "not a file name";
        return;
    }
    std::string pattern = targetPath + ".partXXXXXX";
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

AtomicFile::~AtomicFile()
{
    if (valid && ! committed)
        std::remove(temporaryPath.c_str());
}

bool AtomicFile::write(const void* data, std::size_t size)
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

bool AtomicFile::commit()
{
    if (! valid || committed)
        return false;
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
} // namespace vyrhost
