// A clicking gauge in a module loaded by the host: service 2 hands it the module's
// resource handle, through which it loads its click; a click on the gauge plays it;
// removal releases it. Two placements of the gauge share one set of sound storage.
#include "fixtures/click_probe_module.hpp"
#include "placed_gauges.hpp"

#include <gtest/gtest.h>

using namespace panelhost;

namespace {

class ClickingGauge : public OneModuleGauge {
  protected:
    ClickingGauge() : OneModuleGauge(CLICK_PROBE_MODULE_PATH, "Click_Probe") {}

    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(OneModuleGauge::SetUp());
        probe = reinterpret_cast<ClickProbeAccess>(exported("click_probe"))();
        *probe.sound_ok = true;
        *probe.click = sound::ClickSound{sound::switch_click_wave};
        *probe.stand_in = {};
    }

    const sound::platform::StandIn& stand_in() const { return *probe.stand_in; }

    ClickProbe probe{};
};

TEST_F(ClickingGauge, LoadsItsClickAtInstallationPlaysItOnAClickAndReleasesItAtRemoval) {
    GaugeInstance& gauge = place();
    ASSERT_EQ(stand_in().live_devices(), 1u);
    ASSERT_EQ(stand_in().live_buffers(), 1u);
    const auto& buffer = stand_in().buffers.front();
    EXPECT_EQ(buffer.samples.size(), 6014u) << "WAVE 30 of the module's own resources";
    EXPECT_EQ(stand_in().window_class, "FS98MAIN") << "the test program's name gives this class";

    EXPECT_TRUE(host.click(gauge, 5, 5, MOUSE_LEFT_BUTTON));
    EXPECT_EQ(buffer.plays, 1u);
    EXPECT_TRUE(stand_in().sounding(buffer));

    host.remove(&gauge);
    EXPECT_EQ(stand_in().live_buffers(), 0u);
    EXPECT_EQ(stand_in().live_devices(), 0u);
    EXPECT_EQ(buffer.samples.capacity(), 0u) << "a released buffer keeps no samples";
    EXPECT_TRUE(*probe.sound_ok);
}

TEST_F(ClickingGauge, RemovingOnePlacementSilencesTheOtherWithoutTouchingAReleasedBuffer) {
    GaugeInstance& first = place();
    GaugeInstance& second = place();
    EXPECT_EQ(stand_in().live_buffers(), 1u) << "the second placement replaced the first pair";
    EXPECT_EQ(stand_in().live_devices(), 1u);

    host.remove(&first);
    EXPECT_TRUE(host.click(second, 5, 5, MOUSE_LEFT_BUTTON));
    EXPECT_EQ(stand_in().plays(), 0u);
    EXPECT_EQ(stand_in().misuses, 0u);
    host.remove(&second);
    EXPECT_EQ(stand_in().misuses, 0u);
    EXPECT_TRUE(*probe.sound_ok);
}

} // namespace
