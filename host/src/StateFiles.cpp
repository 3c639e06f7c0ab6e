#include "StateFiles.h"

#include "OutputFile.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

namespace vyrhost
{
namespace fs = std::filesystem;

const char* const stateWriterFileName = ".plugin";

namespace
{
// The first line of the writer file, as one line of text: bytes other than
// printable ASCII show as '?', and a long text is cut.
bool readWriter(const fs::path& path, std::string& text)
{
    std::ifstream file(path, std::ios::binary);
    if (! file.is_open())
        return false;
    std::getline(file, text);
    if (file.bad())
        return false;
    constexpr std::size_t longest = 200;
    if (text.size() > longest)
        text = text.substr(0, longest) + "...";
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) > 0x7e)
            c = '?';
    return true;
}
} // namespace

bool isChunkFileName(const std::string& name)
{
    if (name.empty() || name.size() > 31 || name[0] == '.')
        return false;
    for (const char c : name)
        if (! ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_'
               || c == '-' || c == '.'))
            return false;
    return true;
}

bool readStateDirectory(const std::string& directory, std::vector<PluginInstance::Chunk>& chunks,
                        std::optional<std::string>& writer, std::string& error)
{
    std::error_code ec;
    if (! fs::is_directory(directory, ec))
    {
        error = "no such state directory: " + directory;
        return false;
    }

    writer.reset();
    const fs::path writerPath = fs::path(directory) / stateWriterFileName;
    if (fs::exists(fs::symlink_status(writerPath, ec)))
    {
        std::string text;
        if (! readWriter(writerPath, text))
        {
            error = "cannot read " + writerPath.string();
            return false;
        }
        writer = text;
    }

    chunks.clear();
    for (const auto& entry : fs::directory_iterator(directory, ec))
    {
        const std::string name = entry.path().filename().string();
        if (! entry.is_regular_file(ec) || ! isChunkFileName(name))
            continue;
        std::ifstream file(entry.path(), std::ios::binary);
        std::vector<unsigned char> data((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        if (! file.good() && ! file.eof())
        {
            error = "cannot read state chunk " + entry.path().string();
            return false;
        }
        chunks.push_back({ name, std::move(data) });
    }
    if (ec)
    {
        error = "cannot read state directory " + directory + ": " + ec.message();
        return false;
    }
    if (chunks.empty())
    {
        error = "no state chunks in " + directory;
        return false;
    }
    return true;
}

bool writeStateDirectory(const std::string& directory, const std::vector<PluginInstance::Chunk>& chunks,
                         const std::string& writer, std::string& error)
{
    std::error_code ec;
    fs::create_directories(directory, ec);
    if (! fs::is_directory(directory, ec))
    {
        error = "cannot create state directory " + directory;
        return false;
    }

    std::vector<std::unique_ptr<OutputFile>> files;
    for (const auto& chunk : chunks)
    {
        if (! isChunkFileName(chunk.id))
            continue;
        auto file = std::make_unique<OutputFile>((fs::path(directory) / chunk.id).string());
        if (! file->isValid() || ! file->write(chunk.data.data(), chunk.data.size()))
        {
            error = "cannot write state chunk " + chunk.id + " in " + directory + ": " + file->getError();
            return false;
        }
        files.push_back(std::move(file));
    }
    const std::string writerLine = writer + "\n";
    auto writerFile = std::make_unique<OutputFile>((fs::path(directory) / stateWriterFileName).string());
    if (! writerFile->isValid() || ! writerFile->write(writerLine.data(), writerLine.size()))
    {
        error = "cannot write " + std::string(stateWriterFileName) + " in " + directory + ": " + writerFile->getError();
        return false;
    }
    files.push_back(std::move(writerFile));
    for (auto& file : files)
        if (! file->commit())
        {
            error = "cannot write state in " + directory + ": " + file->getError();
            return false;
        }
    return true;
}
} // namespace vyrhost
