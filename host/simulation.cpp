#include "simulation.hpp"

#include "effects/flight_instrument_effects.hpp"
#include "effects/key_event_effects.hpp"
#include "effects/navigation_effects.hpp"
#include "simulator_numbers.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <deque>
#include <iterator>
#include <string>
#include <unordered_map>

namespace panelhost {

namespace {

// What the host adds to a variable of the shared lists: how the gauges read it,
// where tools list it, the range they offer for it and the value a new simulation
// starts with. A per-engine variable has one row, under engine 1's id, for all its
// engines.
struct HostFacts {
    uint32_t id;
    Reading reading;
    VariableGroup group;
    double low = 0;
    double high = 0;
    double initial = 0.0;
};

using enum Reading;
using enum VariableGroup;
using flight_settings::highest_pressure_mb;
using flight_settings::lowest_pressure_mb;
using flight_settings::millibars_per_inch_hg;
using flight_settings::standard_pressure_mb;
using flight_settings::symbol_height_limit;

constexpr HostFacts host_facts[] = {
    {VAR_PANEL_LIGHTING, Number, Electrics, 0, 1},
    {VAR_ADF_FREQUENCY, Integer, Navigation, 0, 0x999, 0x350},
    {VAR_ADF_FREQUENCY_TENTHS, Integer, Navigation, 0, 0x109},
    {VAR_COM_FREQUENCY, Integer, Navigation, 0x1800, 0x3697, 0x1800},
    {VAR_NAV1_FREQUENCY, Integer, Navigation, 0x0800, 0x1795, 0x1050},
    {VAR_NAV2_FREQUENCY, Integer, Navigation, 0x0800, 0x1795, 0x1050},
    {VAR_TRANSPONDER_CODE, Integer, Navigation, 0, 0x7777, 0x1200},
    {VAR_ADF_BEARING, Number, Navigation, 0, 360},
    {VAR_NAV1_COURSE_DEVIATION, Number, Navigation, -127, 127},
    {VAR_NAV1_GLIDESLOPE_DEVIATION, Number, Navigation, -127, 127},
    {VAR_NAV1_TO_FROM, Integer, Navigation, 0, 2},
    {VAR_NAV1_GLIDESLOPE_VALID, Number, Navigation, 0, 1},
    {VAR_NAV1_SELECTED_COURSE, Number, Navigation, 0, 359},
    {VAR_NAV1_STATION_CODE, Integer, Navigation, 0, 255},
    {VAR_NAV2_STATION_CODE, Integer, Navigation, 0, 255},
    {VAR_NAV2_BEARING, Number, Navigation, 0, 360},
    {VAR_AIRSPEED, Number, Flight, 0, 450},
    {VAR_VERTICAL_SPEED, Number, Flight, -9200, 9200},
    {VAR_TURN_COORDINATOR_BALL, Number, Flight, -127, 127},
    {VAR_TURN_RATE, Number, Flight, -1280, 1280},
    {VAR_INDICATED_ALTITUDE, Number, Flight, -1000, 30000},
    {VAR_KOHLSMAN_SETTING_MB, Number, Flight, lowest_pressure_mb, highest_pressure_mb,
     standard_pressure_mb},
    {VAR_KOHLSMAN_SETTING_HG, Number, Flight, 28.05, 31.0,
     standard_pressure_mb / millibars_per_inch_hg},
    {VAR_PITCH, Number, Flight, -60, 60},
    {VAR_BANK, Number, Flight, -90, 90},
    {VAR_COMPASS_HEADING, Number, Navigation, 0, 360},
    {VAR_HEADING_INDICATOR, Number, Navigation, 0, 360},
    {VAR_ALTIMETER_FAILED, Number, Flight, 0, 1},
    {VAR_ATTITUDE_GYRO_FAILED, Integer, Flight, 0, 1},
    {VAR_INSTRUMENT_POWER_FAILED, Integer, Electrics, 0, 1},
    {VAR_HEADING_GYRO_FAILED, Number, Navigation, 0, 1},
    {VAR_NAV_INDICATION_FAILED, Number, Navigation, 0, 1},
    {VAR_HEADING_SLAVING_FAILED, Number, Navigation, 0, 1},
    {VAR_FUEL_TANK_LEFT_MAIN_LEVEL, Number, Fuel, 0, 8388610},
    {VAR_FUEL_TANK_LEFT_AUX_LEVEL, Number, Fuel, 0, 8388610},
    {VAR_FUEL_TANK_RIGHT_MAIN_LEVEL, Number, Fuel, 0, 8388610},
    {VAR_FUEL_TANK_RIGHT_AUX_LEVEL, Number, Fuel, 0, 8388610},
    {VAR_FLAPS_POSITION, Number, GearAndFlaps, 0, 16383},
    {VAR_GEAR_CENTRE_POSITION, Number, GearAndFlaps, 0, 16383, 16383},
    {VAR_GEAR_LEFT_POSITION, Number, GearAndFlaps, 0, 16383, 16383},
    {VAR_GEAR_RIGHT_POSITION, Number, GearAndFlaps, 0, 16383, 16383},
    {VAR_MARKER_BEACON, Number, Navigation, 0, 3},
    {VAR_DME_SOURCE, Number, Navigation, 1, 2, 1},
    {VAR_DME_DISTANCE, Number, Navigation, -1, 200, -1},
    {VAR_DME_SPEED, Number, Navigation, 0, 400},
    {VAR_DME_TIME, Number, Navigation, 0, 99},
    {VAR_NAV1_BEARING, Number, Navigation, 0, 360},
    {VAR_ATTITUDE_SYMBOL_HEIGHT, Number, Flight, -symbol_height_limit, symbol_height_limit},
    {VAR_COM_STANDBY_FREQUENCY, Integer, Navigation, 0x1800, 0x3697, 0x2150},
    {VAR_MAIN_BUS_VOLTAGE, Number, Electrics, 0, 30, 28.0},
    {VAR_HSI_SUPPLY, Number, Navigation, 0, 30, 28.0},
    {VAR_HSI_ALTERNATE_SOURCE, Number, Navigation, 0, 1},
    {VAR_HSI_LATERAL_DEVIATION, Number, Navigation, -2.5, 2.5},
    {VAR_HSI_VERTICAL_DEVIATION, Number, Navigation, -2, 2},
    {VAR_HSI_COURSE_VALID, Number, Navigation, 0, 1},
    {VAR_HSI_GLIDESLOPE_VALID, Number, Navigation, 0, 1},
    {VAR_HSI_TO_FROM, Number, Navigation, -1, 1},
    {VAR_HSI_COURSE, Number, Navigation, 0, 359},
    {VAR_HEADING_BUG, Number, Navigation, 0, 359},
    {VAR_NAV1_STANDBY_FREQUENCY, Integer, Navigation, 0x0800, 0x1795, 0x1390},
    {VAR_NAV2_STANDBY_FREQUENCY, Integer, Navigation, 0x0800, 0x1795, 0x1390},
    // per engine
    {VAR_ENG_OIL_TEMPERATURE(1), Number, Engines, 383.67, 851.67, 518.67},
    {VAR_ENG_OIL_PRESSURE(1), Number, Engines, 0, 28800},
    {VAR_ENG_GAS_GENERATOR_RPM(1), Number, Engines, 0, 110},
    {VAR_ENG_TORQUE(1), Number, Engines, 0, 1.3},
    {VAR_ENG_ITT(1), Number, Engines, 491.67, 3191.67, 518.67},
    {VAR_ENG_FUEL_FLOW(1), Number, Engines, 0, 1500},
    {VAR_ENG_PROPELLER_RPM(1), Number, Engines, 0, 1.2},
    {VAR_ENG_HYDRAULIC_PRESSURE(1), Number, Engines, 0, 288000},
};

constexpr const HostFacts* host_facts_of(uint32_t id) {
    for (const HostFacts& facts : host_facts)
        if (facts.id == id) return &facts;
    return nullptr;
}

// Every listed variable has its facts, and the table has no row beyond them.
#define SIMULATION_HAS_FACTS(name, id, ...)                                                        \
    static_assert(host_facts_of(id) != nullptr, #name " has no host facts");
SIMULATOR_VARIABLES(SIMULATION_HAS_FACTS)
SIMULATOR_ENGINE_VARIABLES(SIMULATION_HAS_FACTS)
#undef SIMULATION_HAS_FACTS
#define SIMULATION_ONE_ROW(...) +1
static_assert(std::size(host_facts) == 0 SIMULATOR_VARIABLES(SIMULATION_ONE_ROW)
                                           SIMULATOR_ENGINE_VARIABLES(SIMULATION_ONE_ROW));
#undef SIMULATION_ONE_ROW

struct ListedVariable {
    uint32_t id; // engine 1's for a per-engine variable
    const char* name;
    const char* unit;
    uint32_t engine_stride = 0;
};

#define SIMULATION_LISTED(name, id, unit) {id, #name, unit},
#define SIMULATION_LISTED_PER_ENGINE(name, id, stride, unit) {id, #name, unit, stride},
constexpr ListedVariable listed_variables[] = {SIMULATOR_VARIABLES(SIMULATION_LISTED)};
constexpr ListedVariable listed_engine_variables[] = {
    SIMULATOR_ENGINE_VARIABLES(SIMULATION_LISTED_PER_ENGINE)};
#undef SIMULATION_LISTED
#undef SIMULATION_LISTED_PER_ENGINE

VariableInfo described(uint32_t id, const char* name, const char* unit, const HostFacts& facts) {
    return {id, name, unit, facts.reading, facts.group, facts.low, facts.high, facts.initial};
}

// "ENG2_TORQUE": the catalogue's name of one engine's member, kept as long as the
// catalogue.
const char* engine_variable_name(int engine, const char* name) {
    static std::deque<std::string> names;
    return names.emplace_back("ENG" + std::to_string(engine) + "_" + name).c_str();
}

std::vector<VariableInfo> built_catalog() {
    std::vector<VariableInfo> catalog;
    for (const ListedVariable& listed : listed_variables)
        catalog.push_back(
            described(listed.id, listed.name, listed.unit, *host_facts_of(listed.id)));
    for (const ListedVariable& listed : listed_engine_variables)
        for (int engine = 1; engine <= SIMULATOR_ENGINE_COUNT; ++engine)
            catalog.push_back(described(listed.id + listed.engine_stride * uint32_t(engine - 1),
                                        engine_variable_name(engine, listed.name), listed.unit,
                                        *host_facts_of(listed.id)));
    std::sort(catalog.begin(), catalog.end(),
              [](const VariableInfo& a, const VariableInfo& b) { return a.id < b.id; });
    return catalog;
}

} // namespace

const std::vector<VariableInfo>& variable_catalog() {
    static const std::vector<VariableInfo> catalog = built_catalog();
    return catalog;
}

const char* group_name(VariableGroup group) {
    switch (group) {
    case VariableGroup::Flight: return "Flight";
    case VariableGroup::Navigation: return "Navigation";
    case VariableGroup::Engines: return "Engines";
    case VariableGroup::Fuel: return "Fuel";
    case VariableGroup::GearAndFlaps: return "Gear and flaps";
    case VariableGroup::Electrics: return "Electrics and lighting";
    case VariableGroup::Other: break;
    }
    return "Other";
}

const VariableInfo* find_variable_info(uint32_t id) {
    // Asked for every variable of every element each cycle: indexed once.
    static const std::unordered_map<uint32_t, const VariableInfo*> by_id = [] {
        std::unordered_map<uint32_t, const VariableInfo*> index;
        for (const VariableInfo& info : variable_catalog())
            index.emplace(info.id, &info);
        return index;
    }();
    auto it = by_id.find(id);
    return it == by_id.end() ? nullptr : it->second;
}

namespace {

// The logs keep the most recent entries only, so that a long run does not grow
// without end: past the limit the older half is dropped.
constexpr size_t log_limit = 10000;

template <class Entry> void append_to_log(std::vector<Entry>& log, Entry entry) {
    if (log.size() >= log_limit) log.erase(log.begin(), log.begin() + log_limit / 2);
    log.push_back(std::move(entry));
}

} // namespace

Simulation::Simulation() {
    for (const VariableInfo& info : variable_catalog())
        values_[info.id] = info.initial;
}

void Simulation::set(uint32_t id, double value) { values_[id] = value; }

double Simulation::get(uint32_t id) const {
    auto it = values_.find(id);
    return it == values_.end() ? 0.0 : it->second;
}

Reading Simulation::reading(uint32_t id) const {
    const VariableInfo* info = find_variable_info(id);
    return info ? info->reading : Reading::Number;
}

// An integer variable holds its value's low 32 bits; values that do not fit
// (negative, too large, not a number) wrap or read as 0 rather than being undefined.
static uint32_t as_word(double value) {
    if (!std::isfinite(value)) return 0;
    double wrapped = std::fmod(std::trunc(value), 4294967296.0);
    if (wrapped < 0) wrapped += 4294967296.0;
    return static_cast<uint32_t>(wrapped);
}

void Simulation::lookup(TokenVariable& variable) const {
    variable.previous = variable.value;
    double value = get(variable.id);
    if (reading(variable.id) == Reading::Integer) {
        std::memset(&variable.value, 0, sizeof variable.value);
        variable.value.integer = as_word(value);
    } else {
        variable.value.number = value;
    }
}

void Simulation::set_named(const std::string& name_and_unit, double value) {
    named_values_[name_and_unit] = value;
}

void Simulation::set_named_text(const std::string& name_and_unit, std::string text) {
    named_texts_[name_and_unit] = std::move(text);
}

namespace {
constexpr const char* pressure_altitude_key = "PRESSURE ALTITUDE,feet";
} // namespace

void Simulation::evaluate(const char* code, double* number_out, int32_t* integer_out,
                          const char** text_out) {
    std::string expression = code ? code : "";
    double number = 0.0;
    last_text_.clear();
    bool answered = false;
    // "(A:NAME,unit)"
    if (expression.size() > 4 && expression.rfind("(A:", 0) == 0 && expression.back() == ')') {
        std::string key = expression.substr(3, expression.size() - 4);
        if (auto it = named_values_.find(key); it != named_values_.end()) {
            number = it->second;
            last_text_ = std::to_string(number);
            answered = true;
        } else if (key == pressure_altitude_key) {
            // Follows the indicated altitude and the altimeter setting.
            number = navigation::pressure_altitude(get(VAR_INDICATED_ALTITUDE),
                                                   get(VAR_KOHLSMAN_SETTING_MB));
            last_text_ = std::to_string(number);
            answered = true;
        }
        if (auto it = named_texts_.find(key); it != named_texts_.end()) {
            last_text_ = it->second;
            answered = true;
        }
    }
    append_to_log(expressions_, Expression{expression, answered});
    if (number_out) *number_out = number;
    if (integer_out)
        *integer_out = std::isfinite(number) && std::fabs(number) < 2147483647.0
                           ? static_cast<int32_t>(number)
                           : 0;
    if (text_out) *text_out = last_text_.c_str();
}

void Simulation::trigger_key_event(uint32_t event, uint32_t value) {
    append_to_log(key_events_, KeyEvent{event, value});
    const KeyEventEffects& effects = key_event_effects();
    if (auto effect = effects.find(event); effect != effects.end()) effect->second(*this, value);
}

void Simulation::toggle_window(uint32_t window) {
    append_to_log(window_toggles_, window);
    set_window_visible(window, !window_visible(window));
}

void Simulation::set_window_visible(uint32_t window, bool visible) { windows_[window] = visible; }

bool Simulation::window_visible(uint32_t window) const {
    auto it = windows_.find(window);
    return it != windows_.end() && it->second;
}

void Simulation::set_failure(uint32_t key, bool active) {
    if (active)
        failures_.insert(key);
    else
        failures_.erase(key);
}

void Simulation::clear_logs() {
    key_events_.clear();
    window_toggles_.clear();
    expressions_.clear();
}

} // namespace panelhost
