// Several instances in one process share the settings but meter each at its own
// rate: whatever one instance does to the measurement mode or at whatever host
// rate it runs, every other one keeps the fall-back, integration and display
// delay times the settings give.
#include "TarvoMTestSupport.h"

#include "PeakInstancesChecks.h"
#include "RegistryStore.h"

using namespace vyrtarvom;
using namespace vyrtarvom::testing;
using namespace kittest::peak;
using vyrplatform::RegistryStore;

namespace
{
const juce::String storedMode = "HKEY_CURRENT_USER\\Software\\Korvanta\\VYRTARVO\\tarvoOverSampling";

// The mode comes from the store, which the stereo meter writes: each test
// starts and ends without a stored mode.
template <typename Base>
class WithoutStoredMode : public Base
{
protected:
    void SetUp() override
    {
        RegistryStore::deleteValue(storedMode);
        Base::SetUp();
    }
    void TearDown() override
    {
        RegistryStore::deleteValue(storedMode);
        Base::TearDown();
    }
};

using TarvoMInstances = WithoutStoredMode<InstancesTest<PeakMeter>>;

TEST_F(TarvoMInstances, ModeSwitchedByAnotherInstanceKeepsThisOnesTimes)
{
    checkModeSwitchedByAnotherInstanceKeepsThisOnesTimes(
        [this] {
            // The stereo meter saves "Precise"; the first instance's editor
            // rereads, and then the second one's.
            ASSERT_TRUE(RegistryStore::setValue(storedMode, "1"));
            first.reloadStoredDefaults();
            second.reloadStoredDefaults();
            EXPECT_EQ(second.getSettingText(11), "Precise");
        },
        [this] {
            // Back to "CPU Safe" through the first instance only.
            ASSERT_TRUE(RegistryStore::setValue(storedMode, "0"));
            first.reloadStoredDefaults();
        });
}

using TarvoMInstancesAtTwoRates = WithoutStoredMode<InstancesAtTwoRatesTest<PeakMeter>>;

TEST_P(TarvoMInstancesAtTwoRates, EachMetersWithTheTimesOfItsOwnRate) { checkEachMetersWithTheTimesOfItsOwnRate(); }

INSTANTIATE_TEST_SUITE_P(Modes, TarvoMInstancesAtTwoRates, ::testing::Values(0.0f, 1.0f), twoRatesModeName);
} // namespace
