// The binding's chunk of host parameter values.
#include "ParameterChunk.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

using vyrplatform::ParameterValue;
using vyrplatform::readParameterChunk;
using vyrplatform::writeParameterChunk;

TEST(ParameterChunk, RoundTripsEveryFloatBitExact)
{
    const std::vector<ParameterValue> values {
        { "0", 0.0f }, { "1", 1.0f }, { "2", 0.30000001192092896f }, { "3", -0.0f },
        { "4", std::numeric_limits<float>::denorm_min() }, { "5", 1.1f },
        { "6", std::numeric_limits<float>::quiet_NaN() }, { "MasterBypass", 1.0f }, { "", 0.5f },
    };
    const auto bytes = writeParameterChunk(values);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "VYRP");
    const auto read = readParameterChunk(bytes.data(), bytes.size());
    ASSERT_TRUE(read.has_value());
    ASSERT_EQ(read->size(), values.size());
    for (std::size_t i = 0; i < values.size(); ++i)
    {
        EXPECT_EQ((*read)[i].id, values[i].id);
        EXPECT_EQ(std::memcmp(&(*read)[i].value, &values[i].value, sizeof(float)), 0) << i;
    }
}

TEST(ParameterChunk, HasAFixedLittleEndianLayout)
{
    const auto bytes = writeParameterChunk({ { "3", 0.5f } });
    const std::vector<std::uint8_t> expected { 'V', 'Y', 'R', 'P', 1, 0, 0, 0, 1, '3', 0x00, 0x00, 0x00, 0x3f };
    EXPECT_EQ(bytes, expected);
}

TEST(ParameterChunk, RefusesDataThatIsNotAWholeChunk)
{
    const auto good = writeParameterChunk({ { "0", 0.25f }, { "1", 0.75f } });
    std::vector<std::vector<std::uint8_t>> bad;
    bad.push_back({});
    bad.push_back({ 'V', 'Y', 'R', 'P' });
    for (std::size_t cut = 1; cut < good.size(); ++cut)
        bad.emplace_back(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(cut));
    auto trailing = good;
    trailing.push_back(0);
    bad.push_back(trailing);
    auto magic = good;
    magic[3] = 'Q';
    bad.push_back(magic);
    auto count = good;
    count[4] = 3;
    bad.push_back(count);
    auto huge = good;
    huge[7] = 0xff;
    bad.push_back(huge);
    auto idLength = good;
    idLength[8] = 200;
    bad.push_back(idLength);

    for (const auto& data : bad)
        EXPECT_FALSE(readParameterChunk(data.data(), data.size()).has_value()) << data.size() << " bytes";
    EXPECT_FALSE(readParameterChunk(nullptr, 20).has_value());
    EXPECT_TRUE(readParameterChunk(good.data(), good.size()).has_value());
}

TEST(ParameterChunk, AnEmptyListIsAChunkToo)
{
    const auto bytes = writeParameterChunk({});
    const auto read = readParameterChunk(bytes.data(), bytes.size());
    ASSERT_TRUE(read.has_value());
    EXPECT_TRUE(read->empty());
}
