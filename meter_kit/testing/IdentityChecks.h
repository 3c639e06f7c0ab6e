#pragma once

// What every meter tells the host before an instance exists, checked field by
// field for the identity tests of each meter.

#include "PluginIdentity.h"

#include <gtest/gtest.h>

#include <string>

namespace kittest
{
// The maker, version, category, channel configurations, ids and bypass that all
// three meters share, and this meter's name in each of the four name fields and
// its product id.
inline void expectMeterIdentity(const vyrplatform::PluginIdentity& id, const char* name, const char* productId)
{
    EXPECT_STREQ(id.manufacturerName, "Korvanta");
    for (int i = 0; i < 2; ++i)
    {
        EXPECT_STREQ(id.effectNames[i], name);
        EXPECT_STREQ(id.packageNames[i], name);
    }
    EXPECT_EQ(id.packageVersion, 0x20100u);
    EXPECT_EQ(id.category, 0u);
    ASSERT_EQ(id.numConfigurations, 3);
    const int expected[3][2] = { { 2, 2 }, { 1, 1 }, { 1, 2 } };
    for (int i = 0; i < 3; ++i)
    {
        EXPECT_EQ(id.configurations[i].inputs, expected[i][0]);
        EXPECT_EQ(id.configurations[i].outputs, expected[i][1]);
    }
    EXPECT_EQ(std::string(id.manufacturerId, 4), std::string("\0VYR", 4));
    EXPECT_EQ(std::string(id.productId, 4), productId);
    EXPECT_EQ(std::string(id.nativeIdPrefix, 3), "jca");
    EXPECT_TRUE(id.canBypass);
    EXPECT_EQ(id.latencySamples, 0);
}
} // namespace kittest
