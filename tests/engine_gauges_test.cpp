// The engine-selectable gauges and the flaps and gear indicator of the real module,
// placed and updated through the host: which engine's variables and tooltips an
// instance reads for its parameter string, what the needles and windows show.
#include "help_texts.hpp"
#include "placed_gauges.hpp"
#include "simulator_numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <optional>
#include <string>

using namespace panelhost;

namespace {

// Screen direction from a pivot to a point of the face, 0..360.
double toward(double pivot_x, double pivot_y, double x, double y) {
    double degrees = std::atan2(y - pivot_y, x - pivot_x) * 180 / std::numbers::pi;
    return degrees < 0 ? degrees + 360 : degrees;
}
double toward(double x, double y) { return toward(150, 150, x, y); }

double reduced(double degrees) {
    double r = std::fmod(degrees, 360);
    return r < 0 ? r + 360 : r;
}

// How far an angle is from the expected one, either way round.
double angle_error(double actual, double expected) {
    return std::remainder(actual - expected, 360.0);
}

double clockwise(double from, double to) { return reduced(to - from); }
double part_way(double from, double to, double fraction) {
    return reduced(from + fraction * clockwise(from, to));
}

constexpr double tolerance = 1e-9;

class EngineGauges : public PlacedGauges<> {
  protected:
    // The token variable element `index` reads (needles and icons).
    static uint32_t source_of(const GaugeInstance& gauge, size_t index) {
        const ElementRecord* record = gauge.elements().at(index).record;
        if (record->kind == ELEMENT_ICON)
            return reinterpret_cast<const IconRecord*>(record)->source.id;
        return reinterpret_cast<const NeedleRecord*>(record)->source.id;
    }

    // The help id of the instance's `n`th tooltip entry.
    static uint32_t tooltip_help(const GaugeInstance& gauge, int n = 0) {
        for (const MouseArea& area : gauge.mouse_areas())
            if (area.kind == MOUSE_TOOLTIP && n-- == 0) return area.help_id;
        return 0;
    }

    const ElementState& show(GaugeInstance& gauge, uint32_t variable, double value, size_t index) {
        set(variable, value);
        return element(gauge, index);
    }

    double needle(GaugeInstance& gauge, uint32_t variable, double value, size_t index = 1) {
        return reduced(show(gauge, variable, value, index).needle_angle);
    }
};

TEST_F(EngineGauges, EngineNumberComesFromTheFirstEngineDigitBeforeAnyComment) {
    struct Case {
        std::optional<std::string> parameters;
        int engine;
        uint32_t help_id;
    };
    const Case cases[] = {
        {std::nullopt, 1, 12742}, {"", 1, 12742},   {"2", 2, 12743},   {"21", 1, 12742},
        {"12", 1, 12742},         {"4", 4, 12745},  {"x3y", 3, 12744}, {"/3", 1, 12742},
        {"#3", 1, 12742},         {"'3", 1, 12742}, {"3/2", 3, 12744}, {"engine", 1, 12742},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.parameters.value_or("(none)"));
        GaugeInstance& torque = place("Torque", c.parameters);
        EXPECT_EQ(source_of(torque, 1), VAR_ENG_TORQUE(c.engine));
        EXPECT_EQ(tooltip_help(torque), c.help_id);
    }
}

TEST_F(EngineGauges, EachEngineReadsItsOwnVariablesAndTooltips) {
    using Variable = uint32_t (*)(int engine);
    struct Case {
        const char* gauge;
        size_t needles[2];     // element indices
        Variable variables[2]; // per needle
        uint32_t helps[2];     // engine 1's per tooltip; engines 2 to 4 count up
    };
    const Case cases[] = {
        {"Interstage_Turb_Temp", {1}, {[](int engine) { return VAR_ENG_ITT(engine); }}, {12758}},
        {"Torque", {1}, {[](int engine) { return VAR_ENG_TORQUE(engine); }}, {12742}},
        {"Propeller_RPM", {1}, {[](int engine) { return VAR_ENG_PROPELLER_RPM(engine); }}, {12465}},
        {"Gas_Generator_RPM",
         {1, 2},
         {[](int engine) { return VAR_ENG_GAS_GENERATOR_RPM(engine); },
          [](int engine) { return VAR_ENG_GAS_GENERATOR_RPM(engine); }},
         {12769}},
        {"Fuel_Flow", {1}, {[](int engine) { return VAR_ENG_FUEL_FLOW(engine); }}, {12491}},
        {"Oil_Temp_Press",
         {1, 2},
         {[](int engine) { return VAR_ENG_OIL_PRESSURE(engine); },
          [](int engine) { return VAR_ENG_OIL_TEMPERATURE(engine); }},
         {12545, 12529}},
        {"Hydraulic_Pressure",
         {1},
         {[](int engine) { return VAR_ENG_HYDRAULIC_PRESSURE(engine); }},
         {}},
    };
    for (const Case& c : cases) {
        for (int engine = 1; engine <= 4; ++engine) {
            SCOPED_TRACE(std::string(c.gauge) + " engine " + std::to_string(engine));
            GaugeInstance& gauge = place(c.gauge, std::to_string(engine));
            for (int n = 0; n < 2 && c.needles[n]; ++n) {
                const uint32_t variable = c.variables[n](engine);
                EXPECT_EQ(source_of(gauge, c.needles[n]), variable);
                EXPECT_TRUE(find_variable_info(variable)) << variable << " is in the catalog";
            }
            for (int n = 0; n < 2; ++n) {
                const uint32_t help = c.helps[n] ? c.helps[n] + uint32_t(engine - 1) : 0;
                EXPECT_EQ(tooltip_help(gauge, n), help);
                if (help) {
                    EXPECT_NE(help_text(help).rfind("Help 0x", 0), 0u) << "text of " << help;
                }
            }
        }
    }
    // The hydraulic gauge's help id sits on its area, not on a tooltip: not moved.
    EXPECT_EQ(place("Hydraulic_Pressure", "3").mouse_areas().at(0).help_id, 0xAB8Cu);
}

TEST_F(EngineGauges, InstallingAgainKeepsTheEngine) {
    GaugeInstance& torque = place("Torque", "2");
    GaugeInstance& oil = place("Oil_Temp_Press", "4");
    for (int again = 0; again < 3; ++again) {
        host.reinstall(torque);
        host.reinstall(oil);
    }
    EXPECT_EQ(source_of(torque, 1), VAR_ENG_TORQUE(2));
    EXPECT_EQ(tooltip_help(torque), 12743u);
    EXPECT_EQ(source_of(oil, 1), VAR_ENG_OIL_PRESSURE(4));
    EXPECT_EQ(source_of(oil, 2), VAR_ENG_OIL_TEMPERATURE(4));
    EXPECT_EQ(tooltip_help(oil, 0), 12548u);
    EXPECT_EQ(tooltip_help(oil, 1), 12532u);
    // Another placement of the same gauge is untouched by the first one's rewrites.
    EXPECT_EQ(source_of(place("Torque"), 1), VAR_ENG_TORQUE(1));
}

TEST_F(EngineGauges, TorqueShowsFootPounds) {
    GaugeInstance& torque = place("Torque", "2");
    const ElementState& half = show(torque, VAR_ENG_TORQUE(2), 0.5, 1);
    EXPECT_DOUBLE_EQ(half.value_x, 2200.0);
    // 2200 ft-lb: 200 of the 3000 ft-lb from the 20 mark to the 50 mark.
    EXPECT_NEAR(angle_error(reduced(half.needle_angle),
                            part_way(toward(113, 39), toward(115, 257), 200.0 / 3000)),
                0, tolerance);
    const ElementState& below = show(torque, VAR_ENG_TORQUE(2), -0.5, 1);
    EXPECT_DOUBLE_EQ(below.value_x, -2200.0);
    EXPECT_NEAR(angle_error(reduced(below.needle_angle), toward(35, 151)), 0, tolerance)
        << "rests at the 0 stop";
    EXPECT_NEAR(angle_error(needle(torque, VAR_ENG_TORQUE(1), 0.9), toward(35, 151)), 0, tolerance)
        << "engine 1 is not read";
}

TEST_F(EngineGauges, GasGeneratorUnitsNeedleKeepsTurning) {
    GaugeInstance& gas = place("Gas_Generator_RPM", "2");
    const uint32_t rpm = VAR_ENG_GAS_GENERATOR_RPM(2);
    const double right = 0, down = 90;
    EXPECT_NEAR(angle_error(needle(gas, rpm, 2.5, 1), right), 0, 1e-6);
    EXPECT_NEAR(angle_error(needle(gas, rpm, 5, 1), down), 0, 1e-6);
    EXPECT_NEAR(angle_error(needle(gas, rpm, 12.5, 1), right), 0, 1e-6);
    EXPECT_NEAR(angle_error(needle(gas, rpm, 15, 1), down), 0, 1e-6);
    // The main needle moves on: 15 percent lies 0.15 of the way to the 100 mark.
    EXPECT_NEAR(
        angle_error(needle(gas, rpm, 15, 2), part_way(toward(149, 35), toward(32, 151), 0.15)), 0,
        tolerance);
    EXPECT_NEAR(angle_error(needle(gas, rpm, 0, 1), 270), 0, 1e-6) << "0 straight up";
}

TEST_F(EngineGauges, OilTemperatureScaleFallsClockwise) {
    GaugeInstance& oil = place("Oil_Temp_Press");
    const uint32_t temperature = VAR_ENG_OIL_TEMPERATURE(1), pressure = VAR_ENG_OIL_PRESSURE(1);
    auto at = [](double x, double y) { return toward(170, 150, x, y); };
    EXPECT_NEAR(angle_error(needle(oil, temperature, 761.67, 2), at(212, 70)), 0, tolerance)
        << "150 C";
    EXPECT_NEAR(angle_error(needle(oil, temperature, 491.67, 2), at(246, 213)), 0, tolerance)
        << "0 C";
    // 75 C, half-way between the 100 and 50 marks in angle.
    EXPECT_NEAR(
        angle_error(needle(oil, temperature, 626.67, 2), part_way(at(253, 117), at(263, 164), 0.5)),
        0, 1e-6);
    EXPECT_NEAR(angle_error(needle(oil, temperature, 300, 2), at(211, 235)), 0, tolerance)
        << "cold stop";
    EXPECT_NEAR(angle_error(needle(oil, temperature, 1000, 2), at(212, 70)), 0, tolerance)
        << "hot stop";
    // Pressure on the left scale: 150 psi is 21600 lb/ft2.
    auto left = [](double x, double y) { return toward(120, 150, x, y); };
    EXPECT_NEAR(angle_error(needle(oil, pressure, 21600, 1), left(57, 91)), 0, tolerance);
    EXPECT_NEAR(angle_error(needle(oil, pressure, -500, 1), left(75, 222)), 0, tolerance);
}

TEST_F(EngineGauges, FailuresActOnTheSelectedEngine) {
    GaugeInstance& prop = place("Propeller_RPM", "2");
    const uint32_t prop_rpm = VAR_ENG_PROPELLER_RPM(2);
    const double at_one = needle(prop, prop_rpm, 1.0);
    EXPECT_NEAR(angle_error(at_one, toward(262, 146)), 0, tolerance);
    set_failure(FAILURE_ELECTRICAL, true);
    EXPECT_NEAR(angle_error(needle(prop, prop_rpm, 1.0), toward(51, 210)), 0, tolerance)
        << "reads zero";
    GaugeInstance& torque = place("Torque", "2");
    set_failure(FAILURE_ELECTRICAL, false);
    const double before = needle(torque, VAR_ENG_TORQUE(2), 0.5);
    set_failure(FAILURE_ELECTRICAL, true);
    EXPECT_NEAR(angle_error(needle(torque, VAR_ENG_TORQUE(2), 0.9), before), 0, tolerance)
        << "frozen";
}

class FlapsGear : public EngineGauges {
  protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(EngineGauges::SetUp());
        indicator = &place("Flaps_Gear_Indicator");
    }

    using EngineGauges::set;
    // The supply voltage, every gear leg and the flaps, then one update.
    void set(double supply, double gear, double flaps) {
        set(VAR_MAIN_BUS_VOLTAGE, supply);
        for (uint32_t g :
             {VAR_GEAR_CENTRE_POSITION, VAR_GEAR_LEFT_POSITION, VAR_GEAR_RIGHT_POSITION})
            set(g, gear);
        set(VAR_FLAPS_POSITION, flaps);
        update();
    }

    const ElementState& element(size_t index) { return indicator->elements().at(index); }
    std::optional<uint32_t> window(size_t index) { return element(index).icon; }

    static constexpr size_t right = 1, centre = 2, left = 3, off_flag = 4, pointer = 5;
    GaugeInstance* indicator = nullptr;
};

TEST_F(FlapsGear, WithoutSupplyEverythingShowsOff) {
    for (double gear : {0.0, 8000.0, 16383.0}) {
        set(19.9, gear, 5460);
        for (size_t w : {right, centre, left})
            EXPECT_EQ(window(w), 0u) << gear;
        EXPECT_FALSE(element(pointer).drawn);
        EXPECT_TRUE(element(pointer).record->image_flags & IMAGE_FLAG_HIDDEN);
        EXPECT_EQ(window(off_flag), 0u);
    }
    set(20.0, 0, 5460);
    EXPECT_TRUE(element(pointer).drawn) << "shows again at the first update with supply";
    EXPECT_FALSE(element(pointer).record->image_flags & IMAGE_FLAG_HIDDEN);
    EXPECT_FALSE(window(off_flag));
}

TEST_F(FlapsGear, GearWindowsFollowEachLeg) {
    const std::pair<double, uint32_t> cases[] = {{0, 1},     {99, 1},    {100, 0},
                                                 {16299, 0}, {16300, 2}, {16383, 2}};
    for (auto [gear, image] : cases) {
        set(20.0, gear, 0);
        for (size_t w : {right, centre, left})
            EXPECT_EQ(window(w), image) << gear;
    }
    // Each window reads its own leg.
    set(VAR_GEAR_LEFT_POSITION, 0);      // left up
    set(VAR_GEAR_CENTRE_POSITION, 8000); // centre in transit
    set(VAR_GEAR_RIGHT_POSITION, 16383); // right down
    update();
    EXPECT_EQ(window(left), 1u);
    EXPECT_EQ(window(centre), 0u);
    EXPECT_EQ(window(right), 2u);
}

TEST_F(FlapsGear, FlapPointerFollowsTheTable) {
    auto at = [](double x, double y) { return toward(69, 29, x, y); };
    set(28, 0, 0);
    EXPECT_NEAR(angle_error(reduced(element(pointer).needle_angle), at(101, 29)), 0, tolerance)
        << "UP";
    set(28, 0, 2730);
    EXPECT_NEAR(
        angle_error(reduced(element(pointer).needle_angle), part_way(at(101, 29), at(98, 48), 0.5)),
        0, tolerance);
    set(28, 0, 16380);
    EXPECT_NEAR(angle_error(reduced(element(pointer).needle_angle), at(64, 65)), 0, tolerance)
        << "DOWN";
}

} // namespace
