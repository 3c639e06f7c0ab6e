#pragma once

#include "RegistryStore.h"

#include <gtest/gtest.h>
#include <juce_core/juce_core.h>

#include <cstdlib>
#include <string>

// A fresh temporary directory for one test, deleted with its contents afterwards.
// Made with mkdtemp, so tests running in parallel processes never share one.
class StoreTestDirectory
{
public:
    StoreTestDirectory() : dir(makeUniqueDirectory()) {}

    ~StoreTestDirectory() { dir.deleteRecursively(); }

    const juce::File& get() const noexcept { return dir; }
    juce::File child(const juce::String& relativePath) const { return dir.getChildFile(relativePath); }

    StoreTestDirectory(const StoreTestDirectory&) = delete;
    StoreTestDirectory& operator=(const StoreTestDirectory&) = delete;

private:
    static juce::File makeUniqueDirectory()
    {
        auto pattern = juce::File::getSpecialLocation(juce::File::tempDirectory)
                           .getChildFile("vyr-platform-test-XXXXXX").getFullPathName().toStdString();
        if (::mkdtemp(pattern.data()) == nullptr)
            return {};
        return juce::File(pattern);
    }

    juce::File dir;
};

// A test whose settings store lives in a fresh directory of its own.
class StoreInTestDirectory : public ::testing::Test
{
protected:
    void SetUp() override { vyrplatform::RegistryStore::setRootDirectory(dir.get()); }
    void TearDown() override { vyrplatform::RegistryStore::setRootDirectory({}); }

    StoreTestDirectory dir;
};

// The bytes of a file (empty when it cannot be read).
inline std::string readBytes(const juce::File& f)
{
    juce::MemoryBlock block;
    if (! f.loadFileAsData(block))
        return {};
    return std::string(static_cast<const char*>(block.getData()), block.getSize());
}

inline bool writeBytes(const juce::File& f, const std::string& bytes)
{
    f.getParentDirectory().createDirectory();
    return f.replaceWithData(bytes.data(), bytes.size());
}
