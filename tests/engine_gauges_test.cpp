// The engine-selectable gauges and the flaps and gear indicator of the real module,
// placed and updated through the host: which engine's variables and tooltips an
// instance reads for its parameter string, what the needles and windows show.
#include "help_texts.hpp"
#include "panel_host.hpp"

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

class EngineGauges : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(host.load_module(MARLOW_MODULE_PATH, error)) << error;
    }

    GaugeInstance& place(const char* name, std::optional<std::string> parameters = std::nullopt) {
        std::string error;
        GaugeInstance* instance = host.place("Marlow_Instr", name, parameters, error);
        EXPECT_TRUE(instance) << error;
        return *instance;
    }

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
        host.simulation().set(variable, value);
        host.update();
        return gauge.elements().at(index);
    }

    double needle(GaugeInstance& gauge, uint32_t variable, double value, size_t index = 1) {
        return reduced(show(gauge, variable, value, index).needle_angle);
    }

    PanelHost host;
};

TEST_F(EngineGauges, EngineNumberComesFromTheFirstEngineDigitBeforeAnyComment) {
    struct Case {
        std::optional<std::string> parameters;
        uint32_t torque_variable;
        uint32_t help_id;
    };
    const Case cases[] = {
        {std::nullopt, 629, 12742}, {"", 629, 12742},   {"2", 648, 12743},   {"21", 629, 12742},
        {"12", 629, 12742},         {"4", 686, 12745},  {"x3y", 667, 12744}, {"/3", 629, 12742},
        {"#3", 629, 12742},         {"'3", 629, 12742}, {"3/2", 667, 12744}, {"engine", 629, 12742},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.parameters.value_or("(none)"));
        GaugeInstance& torque = place("Torque", c.parameters);
        EXPECT_EQ(source_of(torque, 1), c.torque_variable);
        EXPECT_EQ(tooltip_help(torque), c.help_id);
    }
}

TEST_F(EngineGauges, EachEngineReadsItsOwnVariablesAndTooltips) {
    struct Case {
        const char* gauge;
        size_t needles[2];        // element indices
        uint32_t variables[4][2]; // engine 1..4, per needle
        uint32_t helps[4][2];     // engine 1..4, per tooltip entry
    };
    const Case cases[] = {
        {"Interstage_Turb_Temp",
         {1},
         {{631}, {650}, {669}, {688}},
         {{12758}, {12759}, {12760}, {12761}}},
        {"Torque", {1}, {{629}, {648}, {667}, {686}}, {{12742}, {12743}, {12744}, {12745}}},
        {"Propeller_RPM", {1}, {{701}, {709}, {717}, {725}}, {{12465}, {12466}, {12467}, {12468}}},
        {"Gas_Generator_RPM",
         {1, 2},
         {{624, 624}, {643, 643}, {662, 662}, {681, 681}},
         {{12769}, {12770}, {12771}, {12772}}},
        {"Fuel_Flow", {1}, {{638}, {657}, {676}, {695}}, {{12491}, {12492}, {12493}, {12494}}},
        {"Oil_Temp_Press",
         {1, 2},
         {{562, 561}, {572, 571}, {582, 581}, {592, 591}},
         {{12545, 12529}, {12546, 12530}, {12547, 12531}, {12548, 12532}}},
        {"Hydraulic_Pressure", {1}, {{732}, {734}, {736}, {738}}, {}},
    };
    for (const Case& c : cases) {
        for (int engine = 1; engine <= 4; ++engine) {
            SCOPED_TRACE(std::string(c.gauge) + " engine " + std::to_string(engine));
            GaugeInstance& gauge = place(c.gauge, std::to_string(engine));
            for (int n = 0; n < 2 && c.needles[n]; ++n) {
                const uint32_t variable = c.variables[engine - 1][n];
                EXPECT_EQ(source_of(gauge, c.needles[n]), variable);
                EXPECT_TRUE(find_variable_info(variable)) << variable << " is in the catalog";
            }
            for (int n = 0; n < 2; ++n) {
                const uint32_t help = c.helps[engine - 1][n];
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
    EXPECT_EQ(source_of(torque, 1), 648u);
    EXPECT_EQ(tooltip_help(torque), 12743u);
    EXPECT_EQ(source_of(oil, 1), 592u);
    EXPECT_EQ(source_of(oil, 2), 591u);
    EXPECT_EQ(tooltip_help(oil, 0), 12548u);
    EXPECT_EQ(tooltip_help(oil, 1), 12532u);
    // Another placement of the same gauge is untouched by the first one's rewrites.
    EXPECT_EQ(source_of(place("Torque"), 1), 629u);
}

TEST_F(EngineGauges, TorqueShowsFootPounds) {
    GaugeInstance& torque = place("Torque", "2");
    const ElementState& half = show(torque, 648, 0.5, 1);
    EXPECT_DOUBLE_EQ(half.value_x, 2200.0);
    // 2200 ft-lb: 200 of the 3000 ft-lb from the 20 mark to the 50 mark.
    EXPECT_NEAR(angle_error(reduced(half.needle_angle),
                            part_way(toward(113, 39), toward(115, 257), 200.0 / 3000)),
                0, tolerance);
    const ElementState& below = show(torque, 648, -0.5, 1);
    EXPECT_DOUBLE_EQ(below.value_x, -2200.0);
    EXPECT_NEAR(angle_error(reduced(below.needle_angle), toward(35, 151)), 0, tolerance)
        << "rests at the 0 stop";
    EXPECT_NEAR(angle_error(needle(torque, 629, 0.9), toward(35, 151)), 0, tolerance)
        << "engine 1 is not read";
}

TEST_F(EngineGauges, GasGeneratorUnitsNeedleKeepsTurning) {
    GaugeInstance& gas = place("Gas_Generator_RPM", "2");
    const double right = 0, down = 90;
    EXPECT_NEAR(angle_error(needle(gas, 643, 2.5, 1), right), 0, 1e-6);
    EXPECT_NEAR(angle_error(needle(gas, 643, 5, 1), down), 0, 1e-6);
    EXPECT_NEAR(angle_error(needle(gas, 643, 12.5, 1), right), 0, 1e-6);
    EXPECT_NEAR(angle_error(needle(gas, 643, 15, 1), down), 0, 1e-6);
    // The main needle moves on: 15 percent lies 0.15 of the way to the 100 mark.
    EXPECT_NEAR(
        angle_error(needle(gas, 643, 15, 2), part_way(toward(149, 35), toward(32, 151), 0.15)), 0,
        tolerance);
    EXPECT_NEAR(angle_error(needle(gas, 643, 0, 1), 270), 0, 1e-6) << "0 straight up";
}

TEST_F(EngineGauges, OilTemperatureScaleFallsClockwise) {
    GaugeInstance& oil = place("Oil_Temp_Press");
    auto at = [](double x, double y) { return toward(170, 150, x, y); };
    EXPECT_NEAR(angle_error(needle(oil, 561, 761.67, 2), at(212, 70)), 0, tolerance) << "150 C";
    EXPECT_NEAR(angle_error(needle(oil, 561, 491.67, 2), at(246, 213)), 0, tolerance) << "0 C";
    // 75 C, half-way between the 100 and 50 marks in angle.
    EXPECT_NEAR(angle_error(needle(oil, 561, 626.67, 2), part_way(at(253, 117), at(263, 164), 0.5)),
                0, 1e-6);
    EXPECT_NEAR(angle_error(needle(oil, 561, 300, 2), at(211, 235)), 0, tolerance) << "cold stop";
    EXPECT_NEAR(angle_error(needle(oil, 561, 1000, 2), at(212, 70)), 0, tolerance) << "hot stop";
    // Pressure on the left scale: 150 psi is 21600 lb/ft2.
    auto left = [](double x, double y) { return toward(120, 150, x, y); };
    EXPECT_NEAR(angle_error(needle(oil, 562, 21600, 1), left(57, 91)), 0, tolerance);
    EXPECT_NEAR(angle_error(needle(oil, 562, -500, 1), left(75, 222)), 0, tolerance);
}

TEST_F(EngineGauges, FailuresActOnTheSelectedEngine) {
    GaugeInstance& prop = place("Propeller_RPM", "2");
    const double at_one = needle(prop, 709, 1.0);
    EXPECT_NEAR(angle_error(at_one, toward(262, 146)), 0, tolerance);
    host.simulation().set_failure(20, true);
    EXPECT_NEAR(angle_error(needle(prop, 709, 1.0), toward(51, 210)), 0, tolerance) << "reads zero";
    GaugeInstance& torque = place("Torque", "2");
    host.simulation().set_failure(20, false);
    const double before = needle(torque, 648, 0.5);
    host.simulation().set_failure(20, true);
    EXPECT_NEAR(angle_error(needle(torque, 648, 0.9), before), 0, tolerance) << "frozen";
}

class FlapsGear : public EngineGauges {
  protected:
    void SetUp() override {
        EngineGauges::SetUp();
        indicator = &place("Flaps_Gear_Indicator");
    }

    void set(double supply, double gear, double flaps) {
        host.simulation().set(753, supply);
        for (uint32_t g : {332u, 333u, 334u})
            host.simulation().set(g, gear);
        host.simulation().set(330, flaps);
        host.update();
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
    host.simulation().set(333, 0);     // left up
    host.simulation().set(332, 8000);  // centre in transit
    host.simulation().set(334, 16383); // right down
    host.update();
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
