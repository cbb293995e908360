// Scenarios: a file of timed values, key events, failures and clicks that the host
// plays back, so that the instruments move as in a flight.
//
//   { "title": "Circuit",
//     "duration": 560,            // seconds; the last entry's time if absent
//     "loop": true,               // start again after the duration
//     "timeline": [
//       {"t": 0,   "note": "parked", "set": {"61": 0, "74": 1180}, "snap": {"276": 1}},
//       {"t": 90,  "set": {"61": 105}},                  // 0 to 105 knots over 90 s
//       {"t": 40,  "snap": {"276": 0}},                  // changes at once at 40 s
//       {"t": 265, "fail": [3]},  {"t": 280, "repair": [3]},
//       {"t": 300, "key": ["ATTITUDE_SYMBOL_UP", 0]},     // a name or a number
//       {"t": 310, "named": {"PRESSURE ALTITUDE,feet": 4000}},
//       {"t": 320, "click": {"gauge": "Becker_AR3202_COM1", "x": 10, "y": 20,
//                             "button": "left", "hold": 0.5}},
//       {"t": 330, "click": {"gauge": "Becker_AR3202_COM1", "x": 100, "y": 85,
//                             "switch": "on"}} ] }   // clicked only if it is off
//
// A variable (by number, or by its name in the variable catalog) moves linearly
// from one "set" of it to the next, so that instruments move smoothly; variables
// read as integers, and values given under "snap", change at once. Outside its
// entries (before the first, after the last) the scenario leaves a variable alone,
// so that key events and hand-set values can move it there. Entries
// may come in any order. Comments (// to the end of a line) are allowed. A bad
// entry is reported with the file and its number and skipped; the rest plays.
#pragma once

#include <cstdint>
#include <istream>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace panelhost {

struct ScenarioPoint {
    double t = 0;
    double value = 0;
    bool ramp = true; // reached linearly from the point before; false: at once
};

struct ScenarioClick {
    std::string gauge;
    int instance = 0;    // which placement of that gauge, in panel order
    double x = 0, y = 0; // design pixels of the gauge
    bool right_button = false;
    double hold = 0; // seconds the button stays down
    // For a two-state switch: the state wanted ("switch": "on" or "off"); the click
    // is made only when the switch is in the other one. None: the click toggles.
    std::optional<bool> switch_on;
};

struct ScenarioEvent {
    enum class Kind { Key, Fail, Repair, Click };
    double t = 0;
    Kind kind = Kind::Key;
    uint32_t event = 0, value = 0; // Key
    std::vector<uint32_t> keys;    // Fail, Repair
    ScenarioClick click;           // Click
    std::string where;             // "file entry N", for messages
};

struct Scenario {
    std::string file;
    std::string title;
    double duration = 0;
    bool loop = false;
    std::map<uint32_t, std::vector<ScenarioPoint>> variables; // by time
    std::map<std::string, std::vector<ScenarioPoint>> named;  // "NAME,unit"
    std::vector<ScenarioEvent> events;                        // by time
    std::vector<std::string> errors;                          // "file entry N: ..."
};

Scenario read_scenario(std::istream& in, const std::string& file_name);
// A file that cannot be opened gives one error and an empty scenario.
Scenario load_scenario(const std::string& path);

// The value of a track at time t, or none before its first point.
std::optional<double> value_at(const std::vector<ScenarioPoint>& track, double t);

// What one advance of the player asks the host to do, in this order: set the
// values, then perform the events.
struct ScenarioStep {
    std::vector<std::pair<uint32_t, double>> variables;
    std::vector<std::pair<std::string, double>> named;
    std::vector<const ScenarioEvent*> events; // into the player's scenario
    bool restarted = false;                   // the scenario began again
};

class ScenarioPlayer {
  public:
    explicit ScenarioPlayer(Scenario scenario = {});

    const Scenario& scenario() const { return scenario_; }
    double time() const { return time_; }
    bool playing() const { return playing_; }
    double speed() const { return speed_; }

    void play();
    void pause() { playing_ = false; }
    // Back to time 0; the events at 0 happen again with the next advance.
    void restart();
    // Speeds outside 1/16 to 16 are clamped; a non-number is ignored.
    void set_speed(double speed);

    // Plays `host_seconds` of host time at the scenario's speed; nothing while paused.
    // A scenario without loop pauses at its end.
    ScenarioStep advance(double host_seconds);
    // Plays `scenario_seconds` of scenario time, playing or not.
    ScenarioStep step(double scenario_seconds);

    // A value set by hand: the scenario leaves the variable alone until its next
    // point of that variable (or until it starts again).
    void hold_variable(uint32_t id);
    // Replaces the scenario (a changed file) and keeps the time, clamped to the new
    // duration, and the play state.
    void replace(Scenario scenario);

  private:
    ScenarioStep play_to(double scenario_seconds);
    void collect_events(double from, double to, bool from_inclusive, ScenarioStep& out) const;
    void sample(double previous, ScenarioStep& out);

    Scenario scenario_;
    double time_ = 0;
    bool at_start_ = true; // events at exactly 0 are still due
    bool playing_ = false;
    double speed_ = 1;
    std::map<uint32_t, double> held_until_;
};

} // namespace panelhost
