// Several instances in one process share the settings but meter each at its own
// rate: whatever one instance does to the measurement mode or at whatever host
// rate it runs, every other one keeps the fall-back, integration and display
// delay times the settings give.
#include "TarvoTestSupport.h"

#include "PeakInstancesChecks.h"

using namespace vyrtarvo;
using namespace vyrtarvo::testing;
using namespace kittest::peak;

namespace
{
using TarvoInstances = InstancesTest<PeakMeter>;

TEST_F(TarvoInstances, ModeSwitchedByAnotherInstanceKeepsThisOnesTimes)
{
    checkModeSwitchedByAnotherInstanceKeepsThisOnesTimes(
        [this] {
            // The first instance's back panel switches to "Precise" (the setting,
            // then its editor's second rate update); the second then sets a time
            // of its own.
            first.setGlobalSetting(PeakMeter::measurementSetting, 1.0f);
            first.updateProcessingRate();
            second.setGlobalSetting(PeakMeter::fallBackSetting, 0.65f);
        },
        [this] {
            // Both instances meter in the new mode at their own rate; back to
            // "CPU Safe".
            first.setGlobalSetting(PeakMeter::measurementSetting, 0.0f);
            first.updateProcessingRate();
        });
}

using TarvoInstancesAtTwoRates = InstancesAtTwoRatesTest<PeakMeter>;

TEST_P(TarvoInstancesAtTwoRates, EachMetersWithTheTimesOfItsOwnRate) { checkEachMetersWithTheTimesOfItsOwnRate(); }

INSTANTIATE_TEST_SUITE_P(Modes, TarvoInstancesAtTwoRates, ::testing::Values(0.0f, 1.0f), twoRatesModeName);
} // namespace
