#pragma once

// Included by the meters, whose include path holds the host binding's headers.
#include "PluginIdentity.h"

namespace vyrkit
{
// The channel configurations (inputs, outputs) every meter accepts, in the order
// of their native ids "jcaa", "jcab", "jcac".
inline constexpr vyrplatform::ChannelConfiguration meterChannelConfigurations[] = { { 2, 2 }, { 1, 1 }, { 1, 2 } };

// What a meter reports to a host before any instance exists: the maker
// "Korvanta" (manufacturer id a zero byte and "VYR"), version 2.1.0, category 0,
// the three channel configurations, bypass allowed, no latency, and its own
// effect identifier, name (effect, package and version-resource names alike) and
// four-character product id.
constexpr vyrplatform::PluginIdentity meterIdentity(const char* effectIdentifier, const char* name,
                                                    const char (&productId)[5]) noexcept
{
    return {
        effectIdentifier,
        "Korvanta",
        { name, name },
        { name, name },
        0x20100,
        0,
        meterChannelConfigurations,
        3,
        { '\0', 'V', 'Y', 'R' },
        { productId[0], productId[1], productId[2], productId[3] },
        { 'j', 'c', 'a' },
        true,
        0,
        "Korvanta",
        name,
        "2.1.0",
        name,
        "2.1.0",
        { 2, 1, 0, 0 },
        { 0, 0, 0, 0 },
    };
}
} // namespace vyrkit
