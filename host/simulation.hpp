// The simulator as the gauges see it: token variables by number, the named values
// behind calculator expressions, key events, panel-window toggles and failure keys.
#pragma once

#include "gauge_abi.h"

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

namespace panelhost {

// How a token variable reaches the gauges: as a double, or as an unsigned 32-bit
// integer in the low word of the value (radio frequencies in BCD, codes, flags).
enum class Reading { Number, Integer };

// Where a variable belongs in the aircraft, for tools that list the variables.
enum class VariableGroup { Flight, Navigation, Engines, Fuel, GearAndFlaps, Electrics, Other };

// "Flight", "Navigation", "Engines", "Fuel", "Gear and flaps", "Electrics and lighting",
// "Other".
const char* group_name(VariableGroup group);

struct VariableInfo {
    uint32_t id;
    const char* name;
    const char* unit;
    Reading reading;
    VariableGroup group = VariableGroup::Other;
    // The range a tool offers for setting it by hand; none when low == high.
    double low = 0;
    double high = 0;
    double initial = 0.0; // the value a new simulation starts with
};

// The variables the gauges read, with their names and units.
const std::vector<VariableInfo>& variable_catalog();
const VariableInfo* find_variable_info(uint32_t id);

struct KeyEvent {
    uint32_t event;
    uint32_t value;
};

struct Expression {
    std::string code;
    bool answered;
};

class Simulation {
  public:
    Simulation();

    void set(uint32_t id, double value);
    double get(uint32_t id) const;
    Reading reading(uint32_t id) const;

    // Fills the record's value (and previous value) from the store.
    void lookup(TokenVariable& variable) const;

    // Named values behind "(A:NAME,unit)" expressions, keyed "NAME,unit".
    void set_named(const std::string& name_and_unit, double value);
    void set_named_text(const std::string& name_and_unit, std::string text);

    // Evaluates an expression of the form "(A:NAME,unit)". Unknown expressions
    // give 0 and an empty text, and are recorded as unanswered.
    void evaluate(const char* code, double* number_out, int32_t* integer_out,
                  const char** text_out);

    void trigger_key_event(uint32_t event, uint32_t value);
    // The toggle_window service: recorded, then the window shown if hidden, hidden
    // if shown.
    void toggle_window(uint32_t window);

    // Panel windows by number, shown or hidden. A window nobody has shown is hidden.
    void set_window_visible(uint32_t window, bool visible);
    bool window_visible(uint32_t window) const;
    const std::map<uint32_t, bool>& windows() const { return windows_; }

    void set_failure(uint32_t key, bool active);
    bool failure_active(uint32_t key) const { return failures_.count(key) != 0; }
    const std::set<uint32_t>& active_failures() const { return failures_; }

    const std::vector<KeyEvent>& key_events() const { return key_events_; }
    const std::vector<uint32_t>& window_toggles() const { return window_toggles_; }
    const std::vector<Expression>& expressions() const { return expressions_; }
    void clear_logs();

  private:
    std::unordered_map<uint32_t, double> values_;
    std::map<std::string, double> named_values_;
    std::map<std::string, std::string> named_texts_;
    std::string last_text_;
    std::set<uint32_t> failures_;
    std::map<uint32_t, bool> windows_;
    std::vector<KeyEvent> key_events_;
    std::vector<uint32_t> window_toggles_;
    std::vector<Expression> expressions_;
};

} // namespace panelhost
