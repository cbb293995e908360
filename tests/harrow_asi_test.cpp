// Harrow_ASI driven through panelhost: the host recognises the older header, calls
// its routines in the order of the gauge's life, serves the element-list and
// mouse-list calls they make, and turns the needle through the module's table.
#include "help_texts.hpp"
#include "older_gauge.hpp"
#include "panel_services.hpp"
#include "placed_gauges.hpp"
#include "simulator_numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <ostream>

namespace panelhost {

void PrintTo(const OlderCall& call, std::ostream* out) {
    *out << (call.kind == OlderCall::routine ? "routine " : "slot ") << call.number << " ("
         << call.record << ", " << call.gauge << ", " << call.word << ")";
}

} // namespace panelhost

using namespace panelhost;

namespace {

constexpr double tolerance = 1e-9;

// Screen direction from the pivot (151,142) to a point of the face.
double toward(double x, double y) {
    double degrees = std::atan2(y - 142, x - 151) * 180 / std::numbers::pi;
    return degrees < 0 ? degrees + 360 : degrees;
}

double clockwise(double from, double to) { return std::fmod(to - from + 360, 360); }

// The angle a fraction of the way clockwise from one direction to another.
double part_way(double from, double to, double fraction) {
    return std::fmod(from + fraction * clockwise(from, to) + 360, 360);
}

OlderCall routine(OlderRoutine which, uintptr_t word = 0) {
    return {OlderCall::routine, uint32_t(which), nullptr, nullptr, word};
}

OlderCall slot(uint32_t number, const void* record, const void* gauge = nullptr,
               uintptr_t word = 0) {
    return {OlderCall::service, number, record, gauge, word};
}

class HarrowThroughHost : public OneModuleGauge {
  protected:
    HarrowThroughHost() : OneModuleGauge(HARROW_MODULE_PATH, "Harrow_ASI") {}

    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(OneModuleGauge::SetUp());
        published = older_header(module->find_gauge("Harrow_ASI"));
        ASSERT_TRUE(published);
        background = published->element_list[0];
    }

    // The needle's state after setting the airspeed and one update.
    const ElementState& needle(GaugeInstance& gauge, double knots) {
        set(VAR_AIRSPEED, knots);
        return element(gauge, 1);
    }

    double angle(GaugeInstance& gauge, double knots) { return needle(gauge, knots).needle_angle; }

    void* word_15() const {
        return reinterpret_cast<StaticImageRecordOld*>(background)->host_record;
    }

    const GaugeHeaderOld* published = nullptr;
    ElementRecord* background = nullptr;
};

TEST_F(HarrowThroughHost, TheNeedleTurnsThroughTheTableFromStraightUp) {
    GaugeInstance& gauge = place();
    EXPECT_TRUE(gauge.elements().empty()) << "nothing is shown before the first draw";
    EXPECT_NEAR(angle(gauge, 0), 270, tolerance) << "0 knots: straight up, row 0";
    ASSERT_EQ(gauge.elements().size(), 2u);
    EXPECT_EQ(gauge.elements()[0].record, background) << "the module's own chain is drawn";
    EXPECT_TRUE(gauge.elements()[0].drawn && gauge.elements()[1].drawn);
    EXPECT_NEAR(angle(gauge, 40), toward(184, 27), tolerance);
    EXPECT_NEAR(angle(gauge, 160), toward(117, 265), tolerance);
    EXPECT_NEAR(angle(gauge, 90), part_way(toward(260, 82), toward(276, 146), 0.5), tolerance)
        << "half-way in angle between the 80 and 100 rows";
    EXPECT_NEAR(angle(gauge, 225), part_way(toward(24, 158), toward(46, 74), 0.5), tolerance)
        << "half-way between the 200 and 250 rows";
}

TEST_F(HarrowThroughHost, SpeedsFrom300UpHoldTheNeedleAtRow11) {
    GaugeInstance& gauge = place();
    const double row_11 = toward(115, 27);
    EXPECT_NEAR(angle(gauge, 300), row_11, tolerance);
    for (double knots : {300.5, 350.0, 1e9}) {
        EXPECT_EQ(needle(gauge, knots).value_x, 300) << knots;
        EXPECT_NEAR(angle(gauge, knots), row_11, tolerance) << knots;
    }
    EXPECT_GT(row_11, 250) << "just left of straight up";
    EXPECT_LT(row_11, 270);
}

TEST_F(HarrowThroughHost, NegativeSpeedsPassOnAndTurnOnAtTheFirstRowsRate) {
    GaugeInstance& gauge = place();
    EXPECT_EQ(needle(gauge, -10).value_x, -10) << "the clamp leaves it unchanged";
    // 40 knots turn the needle from row 0 to row 1; -10 turns it back a quarter of that.
    EXPECT_NEAR(angle(gauge, -10), 270 - clockwise(270, toward(184, 27)) / 4, tolerance);
}

TEST_F(HarrowThroughHost, PitotFailureReadsZero) {
    GaugeInstance& gauge = place();
    set_failure(FAILURE_PITOT_STATIC, true);
    EXPECT_EQ(needle(gauge, 180).value_x, 0);
    EXPECT_NEAR(angle(gauge, 180), 270, tolerance);
    EXPECT_TRUE(gauge.elements()[1].drawn);
    set_failure(FAILURE_PITOT_STATIC, false);
    EXPECT_NEAR(angle(gauge, 180), toward(53, 224), tolerance);
}

TEST_F(HarrowThroughHost, RoutinesAndTheirServicesComeInTheOrderOfTheGaugesLife) {
    GaugeInstance& gauge = place();
    host.update();
    host.update();
    const OlderGauge* older = gauge.older();
    ASSERT_TRUE(older);
    ASSERT_GE(older->calls().size(), 6u);
    const void* mouse_list = older->calls()[4].record;
    ASSERT_TRUE(mouse_list);
    const auto host_record_plus_4 = reinterpret_cast<uintptr_t>(&older->host_record()) + 4;
    auto cycle = [&](uintptr_t number) {
        return std::vector<OlderCall>{
            routine(OlderRoutine::update),
            slot(27, background),
            routine(OlderRoutine::generate, number),
            slot(28, background, nullptr, number),
            routine(OlderRoutine::draw),
            slot(29, background),
        };
    };
    std::vector<OlderCall> want = {
        routine(OlderRoutine::query),
        slot(24, background),
        routine(OlderRoutine::install, module->resource_handle()),
        slot(25, background, nullptr, module->resource_handle()),
        slot(32, mouse_list, published, host_record_plus_4),
        slot(33, mouse_list, published),
        routine(OlderRoutine::initialize),
        slot(26, background),
    };
    for (uintptr_t number : {1, 2}) {
        std::vector<OlderCall> steps = cycle(number);
        want.insert(want.end(), steps.begin(), steps.end());
    }
    EXPECT_EQ(older->calls(), want);
    EXPECT_EQ(word_15(), &older->host_record()) << "the element install gave word 15 a record";
    EXPECT_EQ(older->host_record().mouse_list_state, 2u) << "installed and registered";
    EXPECT_TRUE(gauge.problems().empty());
}

TEST_F(HarrowThroughHost, RemovalKillsTheGaugeAndTakesBackItsMouseList) {
    GaugeInstance& gauge = place();
    host.update();
    const void* mouse_list = gauge.older()->calls()[4].record;
    std::unique_ptr<GaugeInstance> removed = host.remove(&gauge);
    ASSERT_TRUE(removed);
    EXPECT_TRUE(host.instances().empty());

    const std::vector<OlderCall>& calls = removed->older()->calls();
    ASSERT_GE(calls.size(), 3u);
    const std::vector<OlderCall> tail(calls.end() - 3, calls.end());
    EXPECT_EQ(tail,
              (std::vector<OlderCall>{routine(OlderRoutine::kill), slot(34, mouse_list, published),
                                      slot(31, background)}));
    EXPECT_TRUE(removed->mouse_map().nodes.empty()) << "the mouse list is unregistered";
    EXPECT_EQ(removed->older()->host_record().mouse_list_state, 0u);
    EXPECT_TRUE(removed->elements().empty()) << "the elements are released";
    EXPECT_EQ(word_15(), nullptr) << "no module word points at the removed placement";

    removed->kill();
    EXPECT_EQ(removed->older()->calls().size(), calls.size()) << "killed once";
}

TEST_F(HarrowThroughHost, TwoPlacementsShareTheModulesChainAndEachKeepsItsOwnState) {
    GaugeInstance& first = place();
    GaugeInstance& second = place();
    EXPECT_EQ(word_15(), &second.older()->host_record()) << "the last install's record";
    set(VAR_AIRSPEED, 120);
    update();
    EXPECT_EQ(first.elements()[1].record, second.elements()[1].record) << "one chain";
    EXPECT_NEAR(first.elements()[1].needle_angle, toward(254, 213), tolerance);
    EXPECT_NEAR(second.elements()[1].needle_angle, toward(254, 213), tolerance);

    host.remove(&first);
    EXPECT_EQ(word_15(), &second.older()->host_record()) << "left to the placement that set it";
    EXPECT_NEAR(angle(second, 60), toward(220, 41), tolerance) << "the other goes on";
    EXPECT_EQ(pointer_info(second.mouse_map(), 151, 151).help_id, 0xAB02u);
    EXPECT_TRUE(second.problems().empty());
}

TEST_F(HarrowThroughHost, TheWholeGaugeShowsItsHelpTextAndTakesNoClicks) {
    GaugeInstance& gauge = place();
    ASSERT_EQ(gauge.mouse_map().nodes.size(), 1u);
    PointerInfo info = pointer_info(gauge.mouse_map(), 151, 151);
    EXPECT_EQ(info.help_id, 0xAB02u);
    EXPECT_EQ(info.cursor, CURSOR_NONE);
    EXPECT_EQ(help_text(0xAB02), "Airspeed indicator");
    EXPECT_EQ(pointer_info(gauge.mouse_map(), 300, 10).help_id, 0xAB02u) << "to the corner";
    EXPECT_FALSE(host.click(gauge, 151, 151, MOUSE_LEFT_BUTTON));
}

TEST_F(HarrowThroughHost, ServicesCalledOutsideARoutineDoNothing) {
    GaugeInstance& gauge = place();
    const size_t logged = gauge.older()->calls().size();
    PanelServiceTable* table = panel_service_table();
    table->element_list_kill(background);
    table->mouse_list_unregister(nullptr, const_cast<GaugeHeaderOld*>(published));
    EXPECT_EQ(gauge.older()->calls().size(), logged);
    EXPECT_EQ(word_15(), &gauge.older()->host_record());
    EXPECT_NEAR(angle(gauge, 100), toward(276, 146), tolerance);
}

} // namespace
