// The dial gauges of the real module, placed and updated through the host: each
// value goes from the simulation through the element records to a needle angle
// or a card position.
#include "element_model.hpp"
#include "placed_gauges.hpp"
#include "simulator_numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using namespace panelhost;

namespace {

// Screen direction from the dial's centre (150,150) to a point of the face.
double toward(double x, double y) {
    double degrees = std::atan2(y - 150, x - 150) * 180 / std::numbers::pi;
    return degrees < 0 ? degrees + 360 : degrees;
}

double clockwise(double from, double to) { return std::fmod(to - from + 360, 360); }

// The angle a fraction of the way clockwise from one direction to another.
double part_way(double from, double to, double fraction) {
    return std::fmod(from + fraction * clockwise(from, to), 360);
}

class DialGauges : public PlacedGauges<> {
  protected:
    // The state of element `index` after setting `variable` and one update.
    const ElementState& show(GaugeInstance& gauge, uint32_t variable, double value, size_t index) {
        set(variable, value);
        return element(gauge, index);
    }

    double needle(GaugeInstance& gauge, uint32_t variable, double value) {
        return show(gauge, variable, value, 1).needle_angle;
    }
};

constexpr double tolerance = 1e-9;

TEST_F(DialGauges, AirspeedRestsBelowZeroAndStopsAt420Knots) {
    GaugeInstance& airspeed = place("Airspeed");
    double rest = toward(122, 44);
    EXPECT_NEAR(needle(airspeed, VAR_AIRSPEED, -5), rest, tolerance);
    EXPECT_NEAR(needle(airspeed, VAR_AIRSPEED, 0), rest, tolerance);
    EXPECT_NEAR(needle(airspeed, VAR_AIRSPEED, 60), 270, tolerance) << "straight up";
    // 90 knots is a quarter of the way from the 80 row to the 120 row, in angle.
    EXPECT_NEAR(needle(airspeed, VAR_AIRSPEED, 90),
                part_way(toward(204, 54), toward(260, 150), 0.25), tolerance);
    EXPECT_NEAR(needle(airspeed, VAR_AIRSPEED, 450), toward(97, 54), tolerance);
    EXPECT_NEAR(needle(airspeed, VAR_AIRSPEED, 1e6), toward(97, 54), tolerance);
}

TEST_F(DialGauges, AirspeedFailuresFreezeThenZeroTheNeedle) {
    GaugeInstance& airspeed = place("Airspeed");
    double at_120 = needle(airspeed, VAR_AIRSPEED, 120);
    set_failure(FAILURE_AIRSPEED, true); // frozen
    EXPECT_NEAR(needle(airspeed, VAR_AIRSPEED, 200), at_120, tolerance);
    set_failure(FAILURE_AIRSPEED, false);
    set_failure(FAILURE_PITOT_STATIC, true); // value taken as 0
    EXPECT_NEAR(needle(airspeed, VAR_AIRSPEED, 200), toward(122, 44), tolerance);
}

TEST_F(DialGauges, VerticalSpeedPointsLeftAtZeroAndStopsAt6000FeetPerMinute) {
    GaugeInstance& vertical_speed = place("Vertical_Speed");
    EXPECT_NEAR(needle(vertical_speed, VAR_VERTICAL_SPEED, 0), 180, tolerance);
    EXPECT_NEAR(needle(vertical_speed, VAR_VERTICAL_SPEED, 650.2399791923207),
                part_way(180, toward(94, 54), 0.5), tolerance);
    EXPECT_NEAR(needle(vertical_speed, VAR_VERTICAL_SPEED, -8000), toward(257, 165), tolerance);
    EXPECT_NEAR(needle(vertical_speed, VAR_VERTICAL_SPEED, 8000), toward(257, 136), tolerance);
}

TEST_F(DialGauges, CompassCardReadsOnThroughNorth) {
    GaugeInstance& compass = place("Magnetic_Compass");
    const double picture = 531, window = 111;
    auto card_offset = [&](double heading) {
        return slide_offset(show(compass, VAR_COMPASS_HEADING, heading, 1).slide_x, picture,
                            window);
    };
    EXPECT_NEAR(card_offset(0), -420, tolerance) << "right-hand N";
    EXPECT_NEAR(card_offset(360), 0, tolerance) << "left-hand N";
    EXPECT_NEAR(card_offset(359), -420.0 / 360, tolerance);
    EXPECT_NEAR(card_offset(90), -315, tolerance);
    EXPECT_EQ(show(compass, VAR_COMPASS_HEADING, 90, 1).slide_y, 0) << "no vertical travel";
}

TEST_F(DialGauges, FuelGaugesReadTheirOwnTankOnTheirOwnFace) {
    GaugeInstance& left_main = place("Fuel_Qty_Left_Main");
    GaugeInstance& right_aux = place("Fuel_Qty_Right_Aux");
    EXPECT_NEAR(needle(left_main, VAR_FUEL_TANK_LEFT_MAIN_LEVEL, 0), toward(78, 250), tolerance)
        << "0 mark";
    EXPECT_NEAR(needle(right_aux, VAR_FUEL_TANK_RIGHT_AUX_LEVEL, 0), toward(63, 237), tolerance)
        << "0 mark";
    EXPECT_NEAR(needle(left_main, VAR_FUEL_TANK_LEFT_MAIN_LEVEL, 2194712.0343),
                part_way(toward(78, 250), 270, 0.5), tolerance);
    EXPECT_NEAR(needle(left_main, VAR_FUEL_TANK_LEFT_MAIN_LEVEL, 8388610), toward(239, 231),
                tolerance)
        << "17 mark";
    EXPECT_NEAR(needle(right_aux, VAR_FUEL_TANK_RIGHT_AUX_LEVEL, 8388610), toward(261, 105),
                tolerance)
        << "between the 7 and 8 marks";
    set(VAR_FUEL_TANK_RIGHT_MAIN_LEVEL, 8388610);
    update();
    EXPECT_NEAR(left_main.elements()[1].needle_angle, toward(239, 231), tolerance)
        << "the right tank does not move the left gauge";
}

TEST_F(DialGauges, FuelTooltipsNameTheirTank) {
    GaugeInstance& left_aux = place("Fuel_Qty_Left_Aux");
    PointerInfo info = pointer_info(left_aux.mouse_map(), 150, 150);
    ASSERT_TRUE(info.tooltip);
    EXPECT_STREQ(info.tooltip, "Fuel level left external tank");
}

TEST_F(DialGauges, TwoPlacementsOfOneGaugeAreIndependent) {
    GaugeInstance& first = place("Airspeed");
    GaugeInstance& second = place("Airspeed");
    EXPECT_NE(&first.header(), &second.header());
    EXPECT_EQ(first.elements()[1].record->gauge, &first.header());
    EXPECT_EQ(second.elements()[1].record->gauge, &second.header());
    set(VAR_AIRSPEED, 120);
    update();
    EXPECT_NEAR(first.elements()[1].needle_angle, 0, tolerance);
    EXPECT_NEAR(second.elements()[1].needle_angle, 0, tolerance);
}

} // namespace
