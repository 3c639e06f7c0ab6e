#pragma once

#include <cstdint>

namespace vyrplatform
{
// One channel configuration the plug-in accepts, as (inputs, outputs).
struct ChannelConfiguration
{
    int inputs;
    int outputs;
};

// What a plug-in reports about itself before any instance exists. Each plug-in
// keeps one of these as plain data; the binding reads every value from it.
struct PluginIdentity
{
    const char* effectIdentifier;   // reverse-domain identifier, unique per plug-in
    const char* manufacturerName;   // "Korvanta"
    const char* effectNames[2];     // the two names of the effect description
    const char* packageNames[2];
    std::uint32_t packageVersion;   // 0x20100 for 2.1.0
    std::uint32_t category;
    const ChannelConfiguration* configurations;
    int numConfigurations;
    char manufacturerId[4];         // four-character code, bytes as given
    char productId[4];
    char nativeIdPrefix[3];         // "jca": the native id of configuration i is prefix + ('a' + i)
    bool canBypass;
    int latencySamples;
    // The version-resource strings and numbers of the library.
    const char* companyName;
    const char* fileDescription;
    const char* fileVersion;
    const char* productName;
    const char* productVersion;
    std::uint16_t fileVersionNumber[4];     // 2.1.0.0
    std::uint16_t productVersionNumber[4];  // 0.0.0.0
};
} // namespace vyrplatform
