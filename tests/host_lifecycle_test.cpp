// The host's side of the gauge lifecycle, on a module built for the purpose: one
// gauge with every element kind and callbacks that use every host service.
#include "fixtures/probe_module.hpp"
#include "placed_gauges.hpp"

#include <gtest/gtest.h>

#include <cstring>

using namespace panelhost;

namespace {

class HostLifecycle : public OneModuleGauge {
  protected:
    HostLifecycle() : OneModuleGauge(PROBE_MODULE_PATH, "Probe") {}

    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(OneModuleGauge::SetUp());
        log = static_cast<ProbeLog*>(exported("ProbeLog_"));
        std::memset(log, 0, sizeof *log);
    }

    // The `nth` element of a kind, in chain order, as of the last update.
    const ElementState&
    element_of_kind(GaugeInstance& gauge, uint32_t kind, size_t nth = 0,
                    std::source_location where = std::source_location::current()) {
        size_t skip = nth;
        for (const ElementState& state : gauge.elements())
            if (state.kind == kind && skip-- == 0) return state;
        fail_fatally(gauge.name() + " has no element " + std::to_string(nth) + " of kind " +
                         std::to_string(kind),
                     where);
    }

    ProbeLog* log = nullptr;
};

TEST_F(HostLifecycle, InstallationHandsOverParametersAndTheResourceHandle) {
    host.simulation().set(probe_lookup_var, 42.5);
    host.simulation().set_named("PRESSURE ALTITUDE,feet", 1234);
    GaugeInstance& gauge = place("o50 t1");

    ASSERT_EQ(log->service_count, 1u);
    EXPECT_EQ(log->services[0], SERVICE_INSTALL);
    EXPECT_EQ(log->extras[0], module->resource_handle());
    EXPECT_EQ(log->parameters_present, 1u);
    EXPECT_STREQ(log->parameters, "o50 t1");
    EXPECT_EQ(log->looked_up, 42.5);
    EXPECT_EQ(log->pressure_altitude, 1234);

    const Simulation& sim = host.simulation();
    ASSERT_EQ(sim.key_events().size(), 1u);
    EXPECT_EQ(sim.key_events()[0].event, probe_key_event_at_install);
    EXPECT_EQ(sim.key_events()[0].value, 7u);
    ASSERT_EQ(sim.window_toggles().size(), 1u);
    EXPECT_EQ(sim.window_toggles()[0], 0u);
    ASSERT_EQ(sim.expressions().size(), 1u);
    EXPECT_TRUE(sim.expressions()[0].answered);
    EXPECT_EQ(gauge.header().parameters, std::string("o50 t1"));
}

TEST_F(HostLifecycle, AGaugeWithoutParametersSeesNone) {
    place();
    EXPECT_EQ(log->parameters_present, 0u);
}

TEST_F(HostLifecycle, ServicesComeInLifecycleOrderToTheInstanceHeader) {
    GaugeInstance& gauge = place();
    host.update();
    host.update();
    EXPECT_EQ(log->updated_gauge, &gauge.header());
    host.remove(&gauge);
    ASSERT_EQ(log->service_count, 4u);
    EXPECT_EQ(log->services[0], SERVICE_INSTALL);
    EXPECT_EQ(log->services[1], SERVICE_UPDATE);
    EXPECT_EQ(log->services[2], SERVICE_UPDATE);
    EXPECT_EQ(log->services[3], SERVICE_KILL);
    EXPECT_TRUE(host.instances().empty());
}

TEST_F(HostLifecycle, EveryElementKindIsEvaluatedFromItsSourcesAndCallbacks) {
    GaugeInstance& gauge = place();
    Simulation& sim = host.simulation();
    sim.set(probe_needle_var, 20); // callback doubles it: 40 on a 0..90 quarter turn
    sim.set(probe_slider_var, 4);  // x scale 2; y from its callback (3) at scale -1.5
    sim.set(probe_icon_var, 2);
    sim.set(probe_moving_var, 25);      // range 0..100
    sim.set(probe_sprite_x_var, 10);    // scale 0.5
    sim.set(probe_sprite_turn_var, 30); // scale -1
    host.update();

    EXPECT_NEAR(element_of_kind(gauge, ELEMENT_NEEDLE).needle_angle, 40, 1e-9);
    EXPECT_EQ(element_of_kind(gauge, ELEMENT_STRING).text, "ABCDE") << "cut to char_count";
    EXPECT_EQ(element_of_kind(gauge, ELEMENT_SLIDER).shift_x, 8);
    EXPECT_EQ(element_of_kind(gauge, ELEMENT_SLIDER).shift_y, -4.5);
    EXPECT_EQ(element_of_kind(gauge, ELEMENT_ICON).icon, 2u);
    EXPECT_EQ(element_of_kind(gauge, ELEMENT_MOVING_IMAGE).slide_x, 0.25);
    EXPECT_EQ(element_of_kind(gauge, ELEMENT_SPRITE).shift_x, 5);
    EXPECT_EQ(element_of_kind(gauge, ELEMENT_SPRITE).rotation, -30);
    for (const ElementState& state : gauge.elements())
        EXPECT_TRUE(state.drawn);
}

TEST_F(HostLifecycle, IconsOutsideTheirImagesAreHidden) {
    GaugeInstance& gauge = place();
    for (double value : {-1.0, 3.0}) {
        host.simulation().set(probe_icon_var, value);
        host.update();
        EXPECT_FALSE(element_of_kind(gauge, ELEMENT_ICON).drawn) << value;
    }
}

TEST_F(HostLifecycle, FailureActionsFreezeZeroAndHide) {
    GaugeInstance& gauge = place();
    Simulation& sim = host.simulation();
    auto failing = [&] { return element_of_kind(gauge, ELEMENT_NEEDLE, 1); };
    sim.set(probe_failing_var, 30); // no table: the value is the angle
    host.update();
    EXPECT_EQ(failing().needle_angle, 30);

    sim.set_failure(probe_freeze_key, true);
    sim.set(probe_failing_var, 60);
    host.update();
    EXPECT_EQ(failing().needle_angle, 30) << "frozen";

    sim.set_failure(probe_freeze_key, false);
    sim.set_failure(probe_zero_key, true);
    host.update();
    EXPECT_EQ(failing().needle_angle, 0) << "taken as 0";

    sim.set_failure(probe_zero_key, false);
    sim.set_failure(probe_hide_key, true);
    host.update();
    EXPECT_FALSE(failing().drawn);
    EXPECT_TRUE(element_of_kind(gauge, ELEMENT_NEEDLE, 0).drawn) << "other elements unaffected";
}

TEST_F(HostLifecycle, ACallbackHidesItsOwnElementWithTheHiddenBit) {
    GaugeInstance& gauge = place();
    log->hide_needle = 1;
    host.update();
    EXPECT_FALSE(element_of_kind(gauge, ELEMENT_NEEDLE).drawn);
    log->hide_needle = 0;
    host.update();
    EXPECT_TRUE(element_of_kind(gauge, ELEMENT_NEEDLE).drawn);
}

TEST_F(HostLifecycle, ClicksReachTheirCallbackOrSendTheAreasKeyEvent) {
    GaugeInstance& gauge = place();
    host.simulation().clear_logs();

    EXPECT_TRUE(host.click(gauge, 5, 6, MOUSE_LEFT_BUTTON));
    EXPECT_EQ(log->clicks, 1u);
    EXPECT_EQ(log->click_flags, MOUSE_LEFT_BUTTON);
    EXPECT_EQ(log->click_x, 5);
    EXPECT_EQ(log->click_y, 6);
    EXPECT_EQ(log->click_gauge, &gauge.header());

    EXPECT_FALSE(host.click(gauge, 5, 6, MOUSE_RIGHT_BUTTON)) << "a left-button area";
    EXPECT_EQ(log->clicks, 1u);

    EXPECT_TRUE(host.click(gauge, 15, 5, MOUSE_RIGHT_BUTTON));
    ASSERT_EQ(host.simulation().key_events().size(), 1u);
    EXPECT_EQ(host.simulation().key_events()[0].event, probe_area_key_event);
    EXPECT_EQ(host.simulation().key_events()[0].value, 0u);
    EXPECT_EQ(log->clicks, 1u);

    EXPECT_FALSE(host.click(gauge, 30, 30, MOUSE_LEFT_BUTTON)) << "outside every area";
}

TEST_F(HostLifecycle, UnknownModulesAndGaugesAreReportedByName) {
    std::string error;
    EXPECT_FALSE(host.place("probe_module", "No_Such_Gauge", std::nullopt, error));
    EXPECT_NE(error.find("No_Such_Gauge"), std::string::npos);
    EXPECT_FALSE(host.place("No_Such_Module", "Probe", std::nullopt, error));
    EXPECT_NE(error.find("No_Such_Module"), std::string::npos);
    EXPECT_FALSE(host.load_module("/nonexistent/Module.so", error));
    EXPECT_NE(error.find("/nonexistent/Module.so"), std::string::npos);
}

} // namespace
