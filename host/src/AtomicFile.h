#pragma once

#include <string>

namespace vyrhost
{
// A file that appears complete or not at all: the caller writes the
// temporary path (in the target's directory), commit() renames it over the
// target. Without commit() the temporary file is removed.
class AtomicFile
{
public:
    explicit AtomicFile(const std::string& targetPath);
    ~AtomicFile();

    bool isValid() const { return valid; }
    const std::string& getTemporaryPath() const { return temporaryPath; }
    const std::string& getError() const { return error; }

    // Writes all bytes to the temporary file (for callers without their own writer).
    bool write(const void* data, std::size_t size);
    bool commit();

private:
    std::string targetPath, temporaryPath, error;
    bool valid = false, committed = false;
};
} // namespace vyrhost
