#pragma once

#include <string>

namespace vyrhost
{
// A file that vyrhost writes at a path the user named (the rendered audio, the
// snapshot, the state files). What is at the path decides how it is written:
// - nothing, or a regular file: the data goes to a temporary file beside it,
//   which commit() renames over the path, so that the file appears complete
//   or not at all;
// - a symbolic link: it is followed (through every link of a chain) and its
//   target written as above; the link stays. A link to nothing creates the
//   file it names, as a shell's redirection does;
// - a FIFO or a character device (a terminal, /dev/null): the data goes to a
//   temporary file in the temporary directory, and commit() copies it into
//   the path as it is, without replacing it. A failed render writes nothing;
// - a directory or anything else: refused (isValid() is false, getError()
//   says why).
// Without commit() the temporary file is removed.
class OutputFile
{
public:
    explicit OutputFile(const std::string& path);
    ~OutputFile();

    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    bool isValid() const { return valid; }
    const std::string& getTemporaryPath() const { return temporaryPath; }
    const std::string& getError() const { return error; }

    // Writes all bytes to the temporary file (for callers without their own writer).
    bool write(const void* data, std::size_t size);
    bool commit();

    // Whether a file can be written at the path as above, before any work is
    // done for it: false with the reason for a directory, a device other than
    // a character device, a loop of links or an unusable name.
    static bool canWrite(const std::string& path, std::string& error);

private:
    std::string targetPath, temporaryPath, error;
    bool streamed = false, valid = false, committed = false;

    bool copyIntoStream();
};
} // namespace vyrhost
