// The altimeter, attitude indicator and turn coordinator of the real module, placed
// and updated through the host: drum positions, icons, sprite and slider shifts,
// needle angles, and the knobs' key events with the host's effects on the settings.
#include "effects/flight_instrument_effects.hpp"
#include "element_model.hpp"
#include "placed_gauges.hpp"
#include "simulator_numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace panelhost;

namespace {

constexpr double tolerance = 1e-9;

class FlightInstruments : public PlacedGauges<> {
  protected:
    bool icon_shown(GaugeInstance& gauge, size_t index) {
        const ElementState& state = element(gauge, index);
        return state.drawn && state.icon == 0u;
    }
};

// ---- Altimeter --------------------------------------------------------------------

// Element indices of the altimeter's chain.
enum AltimeterElement : size_t {
    inch_hundredths = 1,
    inch_tenths,
    inch_units,
    inch_tens,
    millibar_units,
    millibar_tens,
    millibar_hundreds,
    millibar_thousands,
    altitude_tens,
    altitude_hundreds,
    altitude_thousands,
    altitude_ten_thousands,
    hatch,
    striped_flag,
    pointer,
    altimeter_cover,
    setting_knob,
};

class Altimeter : public OneGaugePlaced<FlightInstruments> {
  protected:
    Altimeter() : OneGaugePlaced("Altimeter") {}

    // The strip's position in cells from its top: each strip is eleven cells, the
    // first and last showing the same figure (or the hatch), so cell c shows the
    // figure (10 - c) mod 10 and a fraction lies between two cells.
    double cell(size_t drum) { return element(*gauge, drum).slide_y * 10; }

    void altitude(double feet) { set(VAR_INDICATED_ALTITUDE, feet); }
};

TEST_F(Altimeter, AtZeroFeetTheLeadingDrumsAreHatchedAndThePointerIsUp) {
    altitude(0);
    EXPECT_NEAR(cell(altitude_ten_thousands), 10, tolerance) << "hatch cell";
    EXPECT_NEAR(cell(altitude_hundreds), 10, tolerance) << "0";
    EXPECT_NEAR(cell(altitude_tens), 10, tolerance) << "00";
    EXPECT_TRUE(icon_shown(*gauge, hatch));
    EXPECT_NEAR(element(*gauge, pointer).needle_angle, 270, tolerance);
}

TEST_F(Altimeter, At995FeetTheUpperDrumsAreHalfWayThroughTheirRoll) {
    altitude(995);
    EXPECT_NEAR(cell(altitude_hundreds), 0.5, tolerance) << "between 0 and 9";
    EXPECT_NEAR(cell(altitude_thousands), 9.5, tolerance) << "between 1 and 0";
    EXPECT_NEAR(cell(altitude_ten_thousands), 10, tolerance) << "still the hatch";
    EXPECT_NEAR(cell(altitude_tens), 0.5, tolerance) << "between 00 and 90";
    EXPECT_TRUE(icon_shown(*gauge, hatch));
}

TEST_F(Altimeter, TheHatchLiftsJustAbove1000Feet) {
    altitude(1000);
    EXPECT_TRUE(icon_shown(*gauge, hatch));
    altitude(1000.5);
    EXPECT_FALSE(icon_shown(*gauge, hatch));
    EXPECT_NEAR(cell(altitude_thousands), 9, tolerance) << "1";
    EXPECT_EQ(element(*gauge, hatch).icon, std::nullopt);
}

TEST_F(Altimeter, At12345FeetTheCounterReadsOneTwoThreeAndTheTensRoll) {
    altitude(12345);
    EXPECT_NEAR(cell(altitude_ten_thousands), 9, tolerance) << "1";
    EXPECT_NEAR(cell(altitude_thousands), 8, tolerance) << "2";
    EXPECT_NEAR(cell(altitude_hundreds), 7, tolerance) << "3";
    EXPECT_NEAR(cell(altitude_tens), 5.5, tolerance) << "between 50 and 40";
    EXPECT_NEAR(element(*gauge, pointer).needle_angle, 270 + 345 * 0.36 - 360, 1e-6)
        << "3.45 on the dial";
}

TEST_F(Altimeter, BelowZeroTheRemaindersWrapToNines) {
    altitude(-50);
    EXPECT_NEAR(cell(altitude_ten_thousands), 1, tolerance) << "9";
    EXPECT_NEAR(cell(altitude_thousands), 1, tolerance) << "9, under the hatch";
    EXPECT_NEAR(cell(altitude_hundreds), 1, tolerance) << "9";
    EXPECT_NEAR(cell(altitude_tens), 5, tolerance) << "50";
    EXPECT_TRUE(icon_shown(*gauge, hatch));
}

TEST_F(Altimeter, MillibarWindowReadsTheSettingAndTheKnobPointsRightAt1013) {
    set(VAR_KOHLSMAN_SETTING_MB, 1013.25);
    EXPECT_NEAR(cell(millibar_thousands), 9, tolerance) << "1";
    EXPECT_NEAR(cell(millibar_hundreds), 10, tolerance) << "0";
    EXPECT_NEAR(cell(millibar_tens), 9, tolerance) << "1";
    EXPECT_NEAR(cell(millibar_units), 6.75, tolerance) << "a quarter from 3 to 4";
    set(VAR_KOHLSMAN_SETTING_MB, 1013);
    EXPECT_NEAR(element(*gauge, setting_knob).needle_angle, 0, tolerance);
    set(VAR_KOHLSMAN_SETTING_MB, 1070);
    EXPECT_NEAR(element(*gauge, setting_knob).needle_angle, 180, tolerance);
}

TEST_F(Altimeter, InchWindowReads2992) {
    set(VAR_KOHLSMAN_SETTING_HG, 29.92);
    EXPECT_NEAR(cell(inch_tens), 8, 1e-6) << "2";
    EXPECT_NEAR(cell(inch_units), 1, 1e-6) << "9";
    EXPECT_NEAR(cell(inch_tenths), 1, 1e-6) << "9";
    EXPECT_NEAR(cell(inch_hundredths), 8, 1e-6) << "2";
}

TEST_F(Altimeter, DrumsOfOneVariableMoveTogetherAndNoOther) {
    set(VAR_KOHLSMAN_SETTING_MB, 1000);
    set(VAR_KOHLSMAN_SETTING_HG, 30);
    altitude(4000);
    double inches = cell(inch_units);
    double millibars = cell(millibar_units);
    altitude(4567);
    EXPECT_EQ(cell(inch_units), inches);
    EXPECT_EQ(cell(millibar_units), millibars);
}

TEST_F(Altimeter, StripedFlagShowsWhileEitherConditionIsAboveZero) {
    set(VAR_ALTIMETER_FAILED, 0);
    set(VAR_INSTRUMENT_POWER_FAILED, 0);
    EXPECT_FALSE(icon_shown(*gauge, striped_flag));
    set(VAR_ALTIMETER_FAILED, 1);
    EXPECT_TRUE(icon_shown(*gauge, striped_flag));
    set(VAR_ALTIMETER_FAILED, -1);
    EXPECT_FALSE(icon_shown(*gauge, striped_flag));
    // This is an integer variable (the attitude indicator reads it so); its low word
    // read as a double is still above zero.
    set(VAR_INSTRUMENT_POWER_FAILED, 1);
    EXPECT_TRUE(icon_shown(*gauge, striped_flag));
}

TEST_F(Altimeter, StaticFailuresFreezeTheAltitudeButNotTheSetting) {
    altitude(12345);
    set(VAR_KOHLSMAN_SETTING_MB, 1000);
    double hundreds = cell(altitude_hundreds);
    double angle = element(*gauge, pointer).needle_angle;
    for (uint32_t key : {FAILURE_PITOT_STATIC, FAILURE_ALTIMETER}) {
        SCOPED_TRACE(key);
        set_failure(key, true);
        altitude(500);
        set(VAR_KOHLSMAN_SETTING_MB, 1020);
        EXPECT_EQ(cell(altitude_hundreds), hundreds);
        EXPECT_EQ(element(*gauge, pointer).needle_angle, angle);
        EXPECT_FALSE(icon_shown(*gauge, hatch)) << "the hatch keeps its state too";
        EXPECT_NEAR(cell(millibar_tens), 8, tolerance) << "the setting still moves";
        set_failure(key, false);
        set(VAR_KOHLSMAN_SETTING_MB, 1000);
    }
}

TEST_F(Altimeter, KnobHalvesStepTheSettingInBothUnits) {
    set(VAR_KOHLSMAN_SETTING_MB, 1013.25);
    EXPECT_TRUE(host.click(*gauge, 268, 250, MOUSE_LEFT_BUTTON)) << "right half";
    EXPECT_EQ(host.simulation().key_events().back().event, KEY_KOHLSMAN_INC);
    EXPECT_EQ(get(VAR_KOHLSMAN_SETTING_MB), 1014);
    EXPECT_NEAR(get(VAR_KOHLSMAN_SETTING_HG), 1014 / 33.8639, tolerance);
    EXPECT_NEAR(cell(millibar_units), 6, tolerance) << "the window reads 1014";

    EXPECT_TRUE(host.click(*gauge, 239, 250, MOUSE_LEFT_BUTTON)) << "left half";
    EXPECT_TRUE(host.click(*gauge, 239, 250, MOUSE_LEFT_BUTTON));
    EXPECT_EQ(host.simulation().key_events().back().event, KEY_KOHLSMAN_DEC);
    EXPECT_EQ(get(VAR_KOHLSMAN_SETTING_MB), 1012);
    EXPECT_NEAR(get(VAR_KOHLSMAN_SETTING_HG), 1012 / 33.8639, tolerance);

    EXPECT_FALSE(host.click(*gauge, 253, 250, MOUSE_LEFT_BUTTON)) << "between the halves";
    EXPECT_FALSE(host.click(*gauge, 268, 250, MOUSE_RIGHT_BUTTON)) << "left button only";
    EXPECT_EQ(host.simulation().key_events().size(), 3u);
}

TEST_F(Altimeter, TheKnobRepeatsWhileHeld) {
    std::optional<size_t> area = click_target(gauge->mouse_map(), 268, 250, MOUSE_LEFT_BUTTON);
    ASSERT_TRUE(area);
    EXPECT_TRUE(gauge->mouse_map().nodes[*area].record->mouse_flags & MOUSE_REPEAT);
    EXPECT_EQ(pointer_info(gauge->mouse_map(), 268, 250).cursor, CURSOR_UPARROW);
    EXPECT_EQ(pointer_info(gauge->mouse_map(), 239, 250).cursor, CURSOR_DOWNARROW);
}

TEST(PressureSetting, StepsStayOnTheScaleAndKeepBothUnitsTogether) {
    using namespace flight_settings;
    Simulation simulation;
    EXPECT_EQ(simulation.get(VAR_KOHLSMAN_SETTING_MB), 1013.25)
        << "a new simulation has the standard setting";
    EXPECT_NEAR(simulation.get(VAR_KOHLSMAN_SETTING_HG), 29.92, 0.005);

    simulation.set(VAR_KOHLSMAN_SETTING_MB, highest_pressure_mb - 0.5);
    simulation.trigger_key_event(pressure_up_event, 0);
    simulation.trigger_key_event(pressure_up_event, 0);
    EXPECT_EQ(simulation.get(VAR_KOHLSMAN_SETTING_MB), highest_pressure_mb);
    simulation.set(VAR_KOHLSMAN_SETTING_MB, lowest_pressure_mb + 0.5);
    simulation.trigger_key_event(pressure_down_event, 0);
    simulation.trigger_key_event(pressure_down_event, 0);
    EXPECT_EQ(simulation.get(VAR_KOHLSMAN_SETTING_MB), lowest_pressure_mb);
    EXPECT_NEAR(simulation.get(VAR_KOHLSMAN_SETTING_HG), lowest_pressure_mb / millibars_per_inch_hg,
                tolerance);

    simulation.set(VAR_KOHLSMAN_SETTING_MB, std::numeric_limits<double>::quiet_NaN());
    simulation.trigger_key_event(pressure_up_event, 0);
    EXPECT_EQ(simulation.get(VAR_KOHLSMAN_SETTING_MB), 1014)
        << "an unreadable setting counts as standard";
}

// ---- Attitude indicator -------------------------------------------------------------

enum AttitudeElement : size_t { horizon_card = 1, bank_ring, gyro_flag, aircraft_symbol };

class Attitude : public OneGaugePlaced<FlightInstruments> {
  protected:
    Attitude() : OneGaugePlaced("Attitude") {}

    double card_shift(double pitch) {
        return after_setting(VAR_PITCH, pitch, horizon_card).shift_y;
    }
};

TEST_F(Attitude, PitchShiftsTheCardAndIsHeldAtFortyUnits) {
    EXPECT_NEAR(card_shift(10), 12.5, tolerance);
    EXPECT_NEAR(card_shift(40), 50, tolerance);
    EXPECT_NEAR(card_shift(55), 50, tolerance);
    EXPECT_NEAR(card_shift(-90), -50, tolerance);
    EXPECT_EQ(element(*gauge, horizon_card).shift_x, 0);
}

TEST_F(Attitude, BankTurnsCardAndRingClockwiseForALeftBank) {
    set(VAR_PITCH, 10);
    set(VAR_BANK, 30);
    const ElementState& card = element(*gauge, horizon_card);
    EXPECT_NEAR(card.rotation, -30, tolerance) << "counterclockwise degrees";
    const ElementState& ring = element(*gauge, bank_ring);
    EXPECT_NEAR(ring.rotation, -30, tolerance);
    EXPECT_EQ(ring.shift_x, 0);
    EXPECT_EQ(ring.shift_y, 0) << "pitch does not move the ring";
}

TEST_F(Attitude, CardAndRingShowThroughEveryFailure) {
    set(VAR_PITCH, 20);
    set(VAR_BANK, -15);
    for (uint32_t key : {FAILURE_ATTITUDE, FAILURE_ENGINE_SYSTEMS, FAILURE_HEADING_GYRO})
        set_failure(key, true);
    EXPECT_NEAR(element(*gauge, horizon_card).shift_y, 25, tolerance);
    EXPECT_NEAR(element(*gauge, bank_ring).rotation, 15, tolerance);
    EXPECT_TRUE(element(*gauge, bank_ring).drawn);
}

TEST_F(Attitude, GyroFlagShowsWhileEitherConditionIsSet) {
    EXPECT_FALSE(icon_shown(*gauge, gyro_flag));
    set(VAR_ATTITUDE_GYRO_FAILED, 1);
    EXPECT_TRUE(icon_shown(*gauge, gyro_flag));
    set(VAR_ATTITUDE_GYRO_FAILED, 0);
    set(VAR_INSTRUMENT_POWER_FAILED, 3);
    EXPECT_TRUE(icon_shown(*gauge, gyro_flag));
    set(VAR_INSTRUMENT_POWER_FAILED, 0);
    EXPECT_FALSE(icon_shown(*gauge, gyro_flag));
}

TEST_F(Attitude, KnobMovesTheAircraftSymbolThroughTheHost) {
    EXPECT_EQ(element(*gauge, aircraft_symbol).shift_y, 0);
    // Holding the right half for a second: the host repeats the area's event.
    uint32_t calls = repeat_calls_due(1000);
    ASSERT_GT(calls, 1u);
    for (uint32_t i = 0; i < calls; ++i)
        EXPECT_TRUE(host.click(*gauge, 158, 268, MOUSE_LEFT_BUTTON));
    ASSERT_EQ(host.simulation().key_events().size(), calls);
    for (const KeyEvent& event : host.simulation().key_events())
        EXPECT_EQ(event.event, KEY_ATTITUDE_SYMBOL_UP);
    EXPECT_EQ(get(VAR_ATTITUDE_SYMBOL_HEIGHT), calls);
    EXPECT_NEAR(element(*gauge, aircraft_symbol).shift_y, -0.4 * calls, tolerance) << "up";

    EXPECT_TRUE(host.click(*gauge, 130, 268, MOUSE_LEFT_BUTTON)) << "left half";
    EXPECT_EQ(host.simulation().key_events().back().event, KEY_ATTITUDE_SYMBOL_DOWN);
    EXPECT_EQ(get(VAR_ATTITUDE_SYMBOL_HEIGHT), calls - 1.0);
}

TEST_F(Attitude, SymbolHeightStopsAtItsLimits) {
    for (int i = 0; i < 100; ++i)
        host.click(*gauge, 158, 268, MOUSE_LEFT_BUTTON);
    EXPECT_EQ(get(VAR_ATTITUDE_SYMBOL_HEIGHT), flight_settings::symbol_height_limit);
    for (int i = 0; i < 200; ++i)
        host.click(*gauge, 130, 268, MOUSE_LEFT_BUTTON);
    EXPECT_EQ(get(VAR_ATTITUDE_SYMBOL_HEIGHT), -flight_settings::symbol_height_limit);
}

// ---- Turn coordinator -----------------------------------------------------------------

enum TurnElement : size_t { ball = 1, tube_lines, supply_flag, turn_pointer };

class TurnCoordinator : public OneGaugePlaced<FlightInstruments> {
  protected:
    TurnCoordinator() : OneGaugePlaced("Turn_Coordinator") {}

    double pointer(double rate) {
        return after_setting(VAR_TURN_RATE, rate, turn_pointer).needle_angle;
    }
};

TEST_F(TurnCoordinator, PointerTurnsTenDegreesPerUnitAndStopsAt45) {
    EXPECT_NEAR(pointer(0), 270, tolerance) << "straight up";
    EXPECT_NEAR(pointer(512), 290, tolerance) << "2.0: 20 degrees right";
    EXPECT_NEAR(pointer(-512), 250, tolerance);
    EXPECT_NEAR(pointer(1152), 315, tolerance) << "4.5: the stop";
    EXPECT_NEAR(pointer(1280), 315, tolerance);
    EXPECT_NEAR(pointer(-2000), 225, tolerance);
    EXPECT_NEAR(pointer(1e9), 315, tolerance);
}

TEST_F(TurnCoordinator, PointerFreezesOrCentresOnItsFailures) {
    double at_512 = pointer(512);
    set_failure(FAILURE_TURN_COORDINATOR, true);
    EXPECT_NEAR(pointer(-512), at_512, tolerance) << "frozen";
    set_failure(FAILURE_TURN_COORDINATOR, false);
    set_failure(FAILURE_ELECTRICAL, true);
    EXPECT_NEAR(pointer(-512), 270, tolerance) << "value 0";
}

TEST_F(TurnCoordinator, BallSlidesWithSideslipAndRisesWithItsSquare) {
    set(VAR_TURN_COORDINATOR_BALL, 0);
    EXPECT_EQ(element(*gauge, ball).shift_x, 0);
    EXPECT_EQ(element(*gauge, ball).shift_y, 0);
    set(VAR_TURN_COORDINATOR_BALL, -64);
    EXPECT_NEAR(element(*gauge, ball).shift_x, -42.5, tolerance);
    EXPECT_NEAR(element(*gauge, ball).shift_y, -1.25, tolerance);
    set(VAR_TURN_COORDINATOR_BALL, 127);
    EXPECT_NEAR(element(*gauge, ball).shift_x, 84.3359375, tolerance);
    EXPECT_NEAR(element(*gauge, ball).shift_y, -127.0 * 127 / 3276.8, tolerance);
    set(VAR_TURN_COORDINATOR_BALL, -127);
    EXPECT_NEAR(element(*gauge, ball).shift_y, -127.0 * 127 / 3276.8, tolerance)
        << "the same height either way";
}

TEST_F(TurnCoordinator, FlagShowsAtTwentyVoltsOrLess) {
    EXPECT_FALSE(icon_shown(*gauge, supply_flag)) << "a new simulation has its supply";
    set(VAR_MAIN_BUS_VOLTAGE, 20.0);
    EXPECT_TRUE(icon_shown(*gauge, supply_flag));
    set(VAR_MAIN_BUS_VOLTAGE, 20.5);
    EXPECT_FALSE(icon_shown(*gauge, supply_flag));
    set(VAR_MAIN_BUS_VOLTAGE, 0);
    EXPECT_TRUE(icon_shown(*gauge, supply_flag));
}

TEST_F(TurnCoordinator, UpperAndLowerHelpAreasAndNothingToClick) {
    EXPECT_EQ(pointer_info(gauge->mouse_map(), 150, 100).help_id, 0xAB71u);
    EXPECT_EQ(pointer_info(gauge->mouse_map(), 150, 199).help_id, 0xAB71u);
    EXPECT_EQ(pointer_info(gauge->mouse_map(), 150, 200).help_id, 0xAB61u);
    EXPECT_EQ(pointer_info(gauge->mouse_map(), 10, 290).help_id, 0xAB61u);
    for (double y : {50.0, 150.0, 250.0})
        EXPECT_FALSE(host.click(*gauge, 150, y, MOUSE_LEFT_BUTTON | MOUSE_RIGHT_BUTTON));
    EXPECT_TRUE(gauge->mouse_map().problems.empty());
}

} // namespace
