// Scenarios: reading the timeline file, and playing it back in time.
#include "key_event_names.hpp"
#include "scenario.hpp"
#include "simulator_numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

using namespace panelhost;

namespace {

Scenario read(const std::string& text) {
    std::istringstream in(text);
    return read_scenario(in, "flight.json");
}

// The values a step sets, by variable.
std::map<uint32_t, double> values(const ScenarioStep& step) {
    return {step.variables.begin(), step.variables.end()};
}

std::vector<double> event_times(const ScenarioStep& step) {
    std::vector<double> times;
    for (const ScenarioEvent* event : step.events)
        times.push_back(event->t);
    return times;
}

TEST(ScenarioFile, ReadsEveryKindOfEntryWithCommentsAndNames) {
    Scenario scenario = read(R"({
      // a comment
      "title": "Test flight", "duration": 100, "loop": true,
      "timeline": [
        {"t": 10, "note": "later entries may come first", "set": {"AIRSPEED": 100}},
        {"t": 0, "set": {"61": 0}, "snap": {"276": 1}, "named": {"PRESSURE ALTITUDE,feet": 900}},
        {"t": 5, "key": ["KOHLSMAN_INC", 0]},
        {"t": 6, "key": [65883, 3]},
        {"t": 7, "fail": [3, 6]}, {"t": 8, "repair": [3]},
        {"t": 9, "click": {"gauge": "Becker_AR3202_COM1", "x": 10, "y": 20.5,
                           "button": "right", "hold": 0.5, "instance": 1}},
        {"t": 10, "click": {"gauge": "Becker_AR3202_COM1", "x": 100, "y": 85, "switch": "off"}}
      ]})");
    EXPECT_TRUE(scenario.errors.empty()) << scenario.errors.front();
    EXPECT_EQ(scenario.title, "Test flight");
    EXPECT_EQ(scenario.duration, 100);
    EXPECT_TRUE(scenario.loop);
    ASSERT_EQ(scenario.variables.at(VAR_AIRSPEED).size(), 2u);
    EXPECT_EQ(scenario.variables.at(VAR_AIRSPEED)[0].t, 0); // sorted by time
    EXPECT_EQ(scenario.variables.at(VAR_AIRSPEED)[1].value, 100);
    EXPECT_FALSE(scenario.variables.at(VAR_ATTITUDE_GYRO_FAILED)[0].ramp);
    EXPECT_EQ(scenario.named.at("PRESSURE ALTITUDE,feet")[0].value, 900);

    ASSERT_EQ(scenario.events.size(), 6u);
    EXPECT_EQ(scenario.events[0].event, *key_event_number("KOHLSMAN_INC"));
    EXPECT_EQ(scenario.events[1].event, 65883u);
    EXPECT_EQ(scenario.events[1].value, 3u);
    EXPECT_EQ(scenario.events[2].kind, ScenarioEvent::Kind::Fail);
    EXPECT_EQ(scenario.events[2].keys,
              (std::vector<uint32_t>{FAILURE_PITOT_STATIC, FAILURE_AIRSPEED}));
    EXPECT_EQ(scenario.events[3].kind, ScenarioEvent::Kind::Repair);
    const ScenarioClick& click = scenario.events[4].click;
    EXPECT_EQ(click.gauge, "Becker_AR3202_COM1");
    EXPECT_EQ(click.y, 20.5);
    EXPECT_TRUE(click.right_button);
    EXPECT_EQ(click.hold, 0.5);
    EXPECT_EQ(click.instance, 1);
    EXPECT_EQ(click.switch_on, std::nullopt) << "a click that toggles";
    EXPECT_EQ(scenario.events[4].where, "flight.json entry 7");
    EXPECT_EQ(scenario.events[5].click.switch_on, false);
}

TEST(ScenarioFile, NamesTheFileAndEntryOfEachBadEntryAndKeepsTheRest) {
    Scenario scenario = read(R"({"timeline": [
        {"t": 1, "set": {"61": 10}},
        {"set": {"61": 20}},
        {"t": -1, "set": {"61": 20}},
        {"t": 2, "set": {"SPEED OF LIGHT": 1}},
        {"t": 3, "key": ["NO_SUCH_EVENT", 0]},
        {"t": 4, "key": [5, 0]},
        {"t": 5, "fail": [0]},
        {"t": 6, "click": {"x": 1, "y": 2}},
        {"t": 7, "click": {"gauge": "Airspeed", "x": 1, "y": 2, "button": "middle"}},
        {"t": 8, "sets": {"61": 1}},
        {"t": 9, "set": {"61": "fast"}},
        "not an entry",
        {"t": 11, "click": {"gauge": "Airspeed", "x": 1, "y": 2, "switch": "up"}},
        {"t": 12, "set": {"61": 30}}
      ]})");
    std::vector<std::string> expected = {
        "flight.json entry 2: has no time \"t\"",
        "flight.json entry 3: time \"t\" must not be negative",
        "flight.json entry 4: variable \"SPEED OF LIGHT\" is neither a number nor a known variable "
        "name",
        "flight.json entry 5: key event \"NO_SUCH_EVENT\" is unknown",
        "flight.json entry 6: key events are numbered from 0x10000",
        "flight.json entry 7: fail key 0 is not a failure key",
        "flight.json entry 8: click needs the gauge's name",
        "flight.json entry 9: click button must be \"left\" or \"right\"",
        "flight.json entry 10: unknown field \"sets\"",
        "flight.json entry 11: value of 61 must be a number",
        "flight.json entry 12: not an object",
        "flight.json entry 13: click switch must be \"on\" or \"off\"",
    };
    EXPECT_EQ(scenario.errors, expected);
    ASSERT_EQ(scenario.variables.at(VAR_AIRSPEED).size(), 2u);
    EXPECT_EQ(scenario.duration, 12); // the last good entry's time
}

TEST(ScenarioFile, ReportsFilesThatAreNoScenario) {
    EXPECT_EQ(read("[1, 2]").errors.front(),
              "flight.json: not a JSON object (a scenario has a \"timeline\")");
    EXPECT_EQ(read(R"({"timeline": {}})").errors.front(),
              "flight.json: \"timeline\" must be a list of entries");
    EXPECT_EQ(read(R"({"duration": 5, "timeline": [{"t": 9}]})").errors.front(),
              "flight.json: \"duration\" must be a number of seconds no shorter than the last "
              "entry's time");
    // A document-level field of the wrong type is reported; the timeline still plays.
    Scenario wrong_types = read(R"({"title": ["A", "B"], "loop": 1, "timeline": [{"t": 2}]})");
    EXPECT_EQ(wrong_types.errors, (std::vector<std::string>{
                                      "flight.json: \"title\" must be a text",
                                      "flight.json: \"loop\" must be true or false",
                                  }));
    EXPECT_EQ(wrong_types.title, "");
    EXPECT_EQ(wrong_types.duration, 2);
    EXPECT_EQ(load_scenario("/no/such/scenario.json").errors.front(),
              "/no/such/scenario.json: cannot open the scenario file");
}

TEST(ScenarioFile, TheExampleFlightReadsWithoutErrorsAndLoops) {
    Scenario scenario = load_scenario(PANEL_EXAMPLES_DIR "/scenario.json");
    EXPECT_TRUE(scenario.errors.empty()) << scenario.errors.front();
    EXPECT_TRUE(scenario.loop);
    EXPECT_GT(scenario.duration, 300);
    std::vector<uint32_t> flown = {VAR_AIRSPEED,
                                   VAR_VERTICAL_SPEED,
                                   VAR_COMPASS_HEADING,
                                   VAR_INDICATED_ALTITUDE,
                                   VAR_KOHLSMAN_SETTING_MB,
                                   VAR_KOHLSMAN_SETTING_HG,
                                   VAR_PITCH,
                                   VAR_BANK,
                                   VAR_TURN_COORDINATOR_BALL,
                                   VAR_TURN_RATE,
                                   VAR_FUEL_TANK_LEFT_MAIN_LEVEL,
                                   VAR_FUEL_TANK_LEFT_AUX_LEVEL,
                                   VAR_FUEL_TANK_RIGHT_MAIN_LEVEL,
                                   VAR_FUEL_TANK_RIGHT_AUX_LEVEL,
                                   VAR_FLAPS_POSITION,
                                   VAR_GEAR_CENTRE_POSITION,
                                   VAR_GEAR_LEFT_POSITION,
                                   VAR_GEAR_RIGHT_POSITION};
    for (int engine : {1, 2}) {
        flown.insert(flown.end(),
                     {VAR_ENG_ITT(engine), VAR_ENG_TORQUE(engine), VAR_ENG_PROPELLER_RPM(engine),
                      VAR_ENG_GAS_GENERATOR_RPM(engine), VAR_ENG_FUEL_FLOW(engine),
                      VAR_ENG_OIL_PRESSURE(engine), VAR_ENG_OIL_TEMPERATURE(engine),
                      VAR_ENG_HYDRAULIC_PRESSURE(engine)});
    }
    for (uint32_t id : flown)
        EXPECT_TRUE(scenario.variables.count(id)) << "variable " << id;
}

TEST(ScenarioTrack, MovesLinearlyBetweenPointsAndSnapsWhereAsked) {
    std::vector<ScenarioPoint> track = {{10, 100, true}, {20, 200, true}, {30, 0, false}};
    EXPECT_FALSE(value_at(track, 9.9));
    EXPECT_EQ(*value_at(track, 10), 100);
    EXPECT_EQ(*value_at(track, 12.5), 125);
    EXPECT_EQ(*value_at(track, 29.9), 200); // a snap holds the value before it
    EXPECT_EQ(*value_at(track, 30), 0);
    EXPECT_EQ(*value_at(track, 1000), 0);
}

const char* circuit = R"({"duration": 10, "loop": true, "timeline": [
    {"t": 0, "set": {"61": 0}, "fail": [3]},
    {"t": 4, "set": {"61": 40}, "key": [65883, 1]},
    {"t": 6, "set": {"65": 100}},
    {"t": 8, "set": {"65": 300}},
    {"t": 10, "repair": [3]}]})";

TEST(ScenarioPlayer, PlaysValuesAndEventsInTimeAtItsSpeedOnlyWhilePlaying) {
    ScenarioPlayer player(read(circuit));
    EXPECT_TRUE(player.advance(1).variables.empty()); // paused at first
    player.play();
    ScenarioStep first = player.advance(1);
    EXPECT_EQ(event_times(first), (std::vector<double>{0})); // the events at 0 come first
    EXPECT_EQ(values(first).at(VAR_AIRSPEED), 10);
    EXPECT_FALSE(values(first).count(65)); // not before its first point

    player.set_speed(2);
    ScenarioStep second = player.advance(1.5); // to 4 s
    EXPECT_DOUBLE_EQ(player.time(), 4);
    EXPECT_EQ(event_times(second), (std::vector<double>{4}));
    EXPECT_EQ(values(second).at(VAR_AIRSPEED), 40);

    player.pause();
    EXPECT_TRUE(player.advance(1).events.empty());
    ScenarioStep stepped = player.step(3); // steps play while paused
    EXPECT_DOUBLE_EQ(player.time(), 7);
    EXPECT_EQ(values(stepped).at(VAR_VERTICAL_SPEED), 200);
    EXPECT_FALSE(player.playing());
}

TEST(ScenarioPlayer, LoopsWithTheEventsOfBothEndsAndRestartsOnRequest) {
    ScenarioPlayer player(read(circuit));
    player.play();
    player.advance(9);
    ScenarioStep wrap = player.advance(2); // 9 s to 11 s: 10 s is the end
    EXPECT_TRUE(wrap.restarted);
    EXPECT_EQ(event_times(wrap), (std::vector<double>{10, 0}));
    EXPECT_DOUBLE_EQ(player.time(), 1);
    EXPECT_EQ(values(wrap).at(VAR_AIRSPEED), 10);

    player.restart();
    EXPECT_EQ(event_times(player.step(0)), (std::vector<double>{0}));
    EXPECT_TRUE(player.step(0).events.empty()); // once only
}

TEST(ScenarioPlayer, WithoutLoopStopsAtTheEndAndPlayStartsAgain) {
    ScenarioPlayer player(
        read(R"({"timeline": [{"t": 0, "set": {"61": 1}}, {"t": 2, "set": {"61": 3}}]})"));
    player.play();
    ScenarioStep last = player.advance(5);
    EXPECT_FALSE(player.playing());
    EXPECT_DOUBLE_EQ(player.time(), 2);
    EXPECT_EQ(values(last).at(VAR_AIRSPEED), 3); // the last point is always reached
    player.play();
    EXPECT_DOUBLE_EQ(player.time(), 0);
    EXPECT_TRUE(player.playing());
}

TEST(ScenarioPlayer, LeavesAVariableAloneAfterItsLastPoint) {
    ScenarioPlayer player(read(R"({"duration": 10, "timeline": [
        {"t": 0, "snap": {"612": 0}}, {"t": 1, "set": {"61": 5}}, {"t": 3, "set": {"61": 9}}]})"));
    player.play();
    EXPECT_EQ(values(player.advance(0.5)).count(612), 1u); // its only point, once
    EXPECT_EQ(values(player.advance(0.5)).count(612), 0u);
    EXPECT_EQ(values(player.advance(2.5)).at(VAR_AIRSPEED), 9); // passing the last point sets it
    EXPECT_EQ(values(player.advance(0.5)).count(61), 0u);
}

TEST(ScenarioPlayer, AHandSetValueHoldsUntilTheScenarioSetsTheVariableAgain) {
    ScenarioPlayer player(read(circuit));
    player.play();
    player.advance(1);
    player.hold_variable(61); // the next point of 61 is at 4 s
    EXPECT_FALSE(values(player.advance(2)).count(61));
    EXPECT_EQ(values(player.advance(1)).at(VAR_AIRSPEED), 40);
    player.hold_variable(61); // no later point: held until the scenario starts again
    EXPECT_FALSE(values(player.advance(5)).count(61));
    EXPECT_EQ(values(player.advance(2)).at(VAR_AIRSPEED), 10); // 11 s: round again
}

TEST(ScenarioPlayer, NamedValuesFollowTheirTrack) {
    ScenarioPlayer player(read(R"({"timeline": [
        {"t": 0, "named": {"PRESSURE ALTITUDE,feet": 0}},
        {"t": 10, "named": {"PRESSURE ALTITUDE,feet": 1000}}]})"));
    player.play();
    ScenarioStep step = player.advance(2.5);
    ASSERT_EQ(step.named.size(), 1u);
    EXPECT_EQ(step.named[0].first, "PRESSURE ALTITUDE,feet");
    EXPECT_EQ(step.named[0].second, 250);
}

TEST(ScenarioPlayer, RefusesNonsenseTimesAndSpeeds) {
    ScenarioPlayer player(read(circuit));
    player.play();
    player.set_speed(std::nan(""));
    EXPECT_EQ(player.speed(), 1);
    player.set_speed(1000);
    EXPECT_EQ(player.speed(), 16);
    EXPECT_TRUE(player.advance(-1).variables.empty());
    EXPECT_TRUE(player.step(std::nan("")).variables.empty());
    EXPECT_DOUBLE_EQ(player.time(), 0);
}

TEST(KeyEventNames, NameTheGaugesEventsAndReadNamesAndNumbers) {
    EXPECT_EQ(key_event_name(KEY_KOHLSMAN_INC), "KOHLSMAN_INC");
    EXPECT_EQ(key_event_name(0x12345), "KEY_0x12345");
    EXPECT_EQ(key_event_number("KOHLSMAN_INC"), KEY_KOHLSMAN_INC);
    EXPECT_EQ(key_event_number("KEY_0x12345"), 0x12345u);
    EXPECT_EQ(key_event_number("0x1030e"), 0x1030Eu);
    EXPECT_EQ(key_event_number("65536"), 65536u);
    EXPECT_FALSE(key_event_number("0x"));
    EXPECT_FALSE(key_event_number("12abc"));
    EXPECT_FALSE(key_event_number("99999999999"));
    for (const std::string& name : known_key_event_names())
        EXPECT_EQ(key_event_name(*key_event_number(name)), name);
}

} // namespace
