#include "simulation.hpp"

#include "effects/flight_instrument_effects.hpp"
#include "effects/key_event_effects.hpp"
#include "effects/navigation_effects.hpp"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <unordered_map>

namespace panelhost {

const std::vector<VariableInfo>& variable_catalog() {
    using flight_settings::millibars_per_inch_hg;
    using flight_settings::standard_pressure_mb;
    static const std::vector<VariableInfo> catalog = {
        {10, "PANEL_LIGHTING", "0 off, above 0 lit", Reading::Number, VariableGroup::Electrics, 0,
         1},
        {16, "ADF_FREQUENCY", "BCD kHz: hundreds, tens, units", Reading::Integer,
         VariableGroup::Navigation, 0, 0x999, 0x350},
        {18, "ADF_FREQUENCY_TENTHS", "tenths of kHz; +0x100 from 1000 kHz", Reading::Integer,
         VariableGroup::Navigation, 0, 0x109},
        {23, "COM_FREQUENCY", "BCD MHz without the leading 1", Reading::Integer,
         VariableGroup::Navigation, 0x1800, 0x3697, 0x1800},
        {24, "NAV1_FREQUENCY", "BCD MHz without the leading 1", Reading::Integer,
         VariableGroup::Navigation, 0x0800, 0x1795, 0x1050},
        {27, "NAV2_FREQUENCY", "BCD MHz without the leading 1", Reading::Integer,
         VariableGroup::Navigation, 0x0800, 0x1795, 0x1050},
        {38, "TRANSPONDER_CODE", "four BCD digits", Reading::Integer, VariableGroup::Navigation, 0,
         0x7777, 0x1200},
        {39, "ADF_BEARING", "degrees from the nose", Reading::Number, VariableGroup::Navigation, 0,
         360},
        {40, "NAV1_COURSE_DEVIATION", "-127 left .. 127 right", Reading::Number,
         VariableGroup::Navigation, -127, 127},
        {41, "NAV1_GLIDESLOPE_DEVIATION", "-127 .. 127", Reading::Number,
         VariableGroup::Navigation, -127, 127},
        {43, "NAV1_TO_FROM", "0 none, 1 TO, 2 FROM", Reading::Integer, VariableGroup::Navigation,
         0, 2},
        {44, "NAV1_GLIDESLOPE_VALID", "flag", Reading::Number, VariableGroup::Navigation, 0, 1},
        {45, "NAV1_SELECTED_COURSE", "degrees", Reading::Number, VariableGroup::Navigation, 0,
         359},
        {46, "NAV1_STATION_CODE", "bits, 0x80 no bearing", Reading::Integer,
         VariableGroup::Navigation, 0, 255},
        {55, "NAV2_STATION_CODE", "bits, 0x80 no bearing", Reading::Integer,
         VariableGroup::Navigation, 0, 255},
        {59, "NAV2_BEARING", "degrees from the nose", Reading::Number, VariableGroup::Navigation, 0,
         360},
        {61, "AIRSPEED", "knots", Reading::Number, VariableGroup::Flight, 0, 450},
        {65, "VERTICAL_SPEED", "1/256 m/s", Reading::Number, VariableGroup::Flight, -9200, 9200},
        {69, "TURN_COORDINATOR_BALL", "-127 left .. 127 right", Reading::Number,
         VariableGroup::Flight, -127, 127},
        {70, "TURN_RATE", "1/256 of 1.5 deg/s, right positive", Reading::Number,
         VariableGroup::Flight, -1280, 1280},
        {74, "INDICATED_ALTITUDE", "feet", Reading::Number, VariableGroup::Flight, -1000, 30000},
        {75, "KOHLSMAN_SETTING_MB", "millibars", Reading::Number, VariableGroup::Flight, 950, 1050,
         standard_pressure_mb},
        {76, "KOHLSMAN_SETTING_HG", "inches of mercury", Reading::Number, VariableGroup::Flight,
         28.05, 31.0, standard_pressure_mb / millibars_per_inch_hg},
        {78, "PITCH", "degrees, nose up positive", Reading::Number, VariableGroup::Flight, -60, 60},
        {80, "BANK", "degrees, left positive", Reading::Number, VariableGroup::Flight, -90, 90},
        {83, "COMPASS_HEADING", "degrees", Reading::Number, VariableGroup::Navigation, 0, 360},
        {84, "HEADING_INDICATOR", "degrees", Reading::Number, VariableGroup::Navigation, 0, 360},
        {275, "ALTIMETER_FAILED", "flag", Reading::Number, VariableGroup::Flight, 0, 1},
        {276, "ATTITUDE_GYRO_FAILED", "flag", Reading::Integer, VariableGroup::Flight, 0, 1},
        {279, "INSTRUMENT_POWER_FAILED", "flag", Reading::Integer, VariableGroup::Electrics, 0, 1},
        {282, "HEADING_GYRO_FAILED", "flag", Reading::Number, VariableGroup::Navigation, 0, 1},
        {285, "NAV_INDICATION_FAILED", "flag", Reading::Number, VariableGroup::Navigation, 0, 1},
        {288, "HEADING_SLAVING_FAILED", "flag", Reading::Number, VariableGroup::Navigation, 0, 1},
        {291, "FUEL_TANK_LEFT_MAIN_LEVEL", "tank level", Reading::Number, VariableGroup::Fuel, 0,
         8388610},
        {293, "FUEL_TANK_LEFT_AUX_LEVEL", "tank level", Reading::Number, VariableGroup::Fuel, 0,
         8388610},
        {297, "FUEL_TANK_RIGHT_MAIN_LEVEL", "tank level", Reading::Number, VariableGroup::Fuel, 0,
         8388610},
        {299, "FUEL_TANK_RIGHT_AUX_LEVEL", "tank level", Reading::Number, VariableGroup::Fuel, 0,
         8388610},
        {330, "FLAPS_POSITION", "0 up .. 16380 down", Reading::Number,
         VariableGroup::GearAndFlaps, 0, 16383},
        {332, "GEAR_CENTRE_POSITION", "0 up .. 16383 down", Reading::Number,
         VariableGroup::GearAndFlaps, 0, 16383, 16383},
        {333, "GEAR_LEFT_POSITION", "0 up .. 16383 down", Reading::Number,
         VariableGroup::GearAndFlaps, 0, 16383, 16383},
        {334, "GEAR_RIGHT_POSITION", "0 up .. 16383 down", Reading::Number,
         VariableGroup::GearAndFlaps, 0, 16383, 16383},
        {354, "MARKER_BEACON", "0 none, 1 outer, 2 middle, 3 inner", Reading::Number,
         VariableGroup::Navigation, 0, 3},
        {355, "DME_SOURCE", "receiver 1 or 2", Reading::Number, VariableGroup::Navigation, 1, 2,
         1},
        {372, "DME_DISTANCE", "nautical miles, negative no signal", Reading::Number,
         VariableGroup::Navigation, -1, 200, -1},
        {373, "DME_SPEED", "knots", Reading::Number, VariableGroup::Navigation, 0, 400},
        {374, "DME_TIME", "minutes", Reading::Number, VariableGroup::Navigation, 0, 99},
        {550, "NAV1_BEARING", "degrees from the nose", Reading::Number, VariableGroup::Navigation,
         0, 360},
        {561, "ENG1_OIL_TEMPERATURE", "degrees Rankine", Reading::Number,
         VariableGroup::Engines, 383.67, 851.67, 518.67},
        {562, "ENG1_OIL_PRESSURE", "pounds per square foot", Reading::Number,
         VariableGroup::Engines, 0, 28800},
        {571, "ENG2_OIL_TEMPERATURE", "degrees Rankine", Reading::Number,
         VariableGroup::Engines, 383.67, 851.67, 518.67},
        {572, "ENG2_OIL_PRESSURE", "pounds per square foot", Reading::Number,
         VariableGroup::Engines, 0, 28800},
        {581, "ENG3_OIL_TEMPERATURE", "degrees Rankine", Reading::Number,
         VariableGroup::Engines, 383.67, 851.67, 518.67},
        {582, "ENG3_OIL_PRESSURE", "pounds per square foot", Reading::Number,
         VariableGroup::Engines, 0, 28800},
        {591, "ENG4_OIL_TEMPERATURE", "degrees Rankine", Reading::Number,
         VariableGroup::Engines, 383.67, 851.67, 518.67},
        {592, "ENG4_OIL_PRESSURE", "pounds per square foot", Reading::Number,
         VariableGroup::Engines, 0, 28800},
        {612, "ATTITUDE_SYMBOL_HEIGHT", "0.4 pixel steps, up positive", Reading::Number,
         VariableGroup::Flight, -30, 30},
        {617, "COM_STANDBY_FREQUENCY", "BCD MHz without the leading 1", Reading::Integer,
         VariableGroup::Navigation, 0x1800, 0x3697, 0x2150},
        {624, "ENG1_GAS_GENERATOR_RPM", "percent", Reading::Number, VariableGroup::Engines, 0, 110},
        {629, "ENG1_TORQUE", "fraction of 4400 ft-lb", Reading::Number,
         VariableGroup::Engines, 0, 1.3},
        {631, "ENG1_ITT", "degrees Rankine", Reading::Number,
         VariableGroup::Engines, 491.67, 3191.67, 518.67},
        {638, "ENG1_FUEL_FLOW", "pounds per hour", Reading::Number,
         VariableGroup::Engines, 0, 1500},
        {643, "ENG2_GAS_GENERATOR_RPM", "percent", Reading::Number, VariableGroup::Engines, 0, 110},
        {648, "ENG2_TORQUE", "fraction of 4400 ft-lb", Reading::Number,
         VariableGroup::Engines, 0, 1.3},
        {650, "ENG2_ITT", "degrees Rankine", Reading::Number,
         VariableGroup::Engines, 491.67, 3191.67, 518.67},
        {657, "ENG2_FUEL_FLOW", "pounds per hour", Reading::Number,
         VariableGroup::Engines, 0, 1500},
        {662, "ENG3_GAS_GENERATOR_RPM", "percent", Reading::Number, VariableGroup::Engines, 0, 110},
        {667, "ENG3_TORQUE", "fraction of 4400 ft-lb", Reading::Number,
         VariableGroup::Engines, 0, 1.3},
        {669, "ENG3_ITT", "degrees Rankine", Reading::Number,
         VariableGroup::Engines, 491.67, 3191.67, 518.67},
        {676, "ENG3_FUEL_FLOW", "pounds per hour", Reading::Number,
         VariableGroup::Engines, 0, 1500},
        {681, "ENG4_GAS_GENERATOR_RPM", "percent", Reading::Number, VariableGroup::Engines, 0, 110},
        {686, "ENG4_TORQUE", "fraction of 4400 ft-lb", Reading::Number,
         VariableGroup::Engines, 0, 1.3},
        {688, "ENG4_ITT", "degrees Rankine", Reading::Number,
         VariableGroup::Engines, 491.67, 3191.67, 518.67},
        {695, "ENG4_FUEL_FLOW", "pounds per hour", Reading::Number,
         VariableGroup::Engines, 0, 1500},
        {701, "ENG1_PROPELLER_RPM", "fraction of 1750 RPM", Reading::Number,
         VariableGroup::Engines, 0, 1.2},
        {709, "ENG2_PROPELLER_RPM", "fraction of 1750 RPM", Reading::Number,
         VariableGroup::Engines, 0, 1.2},
        {717, "ENG3_PROPELLER_RPM", "fraction of 1750 RPM", Reading::Number,
         VariableGroup::Engines, 0, 1.2},
        {725, "ENG4_PROPELLER_RPM", "fraction of 1750 RPM", Reading::Number,
         VariableGroup::Engines, 0, 1.2},
        {732, "ENG1_HYDRAULIC_PRESSURE", "pounds per square foot", Reading::Number,
         VariableGroup::Engines, 0, 288000},
        {734, "ENG2_HYDRAULIC_PRESSURE", "pounds per square foot", Reading::Number,
         VariableGroup::Engines, 0, 288000},
        {736, "ENG3_HYDRAULIC_PRESSURE", "pounds per square foot", Reading::Number,
         VariableGroup::Engines, 0, 288000},
        {738, "ENG4_HYDRAULIC_PRESSURE", "pounds per square foot", Reading::Number,
         VariableGroup::Engines, 0, 288000},
        {753, "MAIN_BUS_VOLTAGE", "volts", Reading::Number, VariableGroup::Electrics, 0, 30, 28.0},
        {872, "NAV1_STANDBY_FREQUENCY", "BCD MHz without the leading 1", Reading::Integer,
         VariableGroup::Navigation, 0x0800, 0x1795, 0x1390},
        {873, "NAV2_STANDBY_FREQUENCY", "BCD MHz without the leading 1", Reading::Integer,
         VariableGroup::Navigation, 0x0800, 0x1795, 0x1390},
        {755, "HSI_SUPPLY", "volts", Reading::Number, VariableGroup::Navigation, 0, 30, 28.0},
        {848, "HSI_ALTERNATE_SOURCE", "flag", Reading::Number, VariableGroup::Navigation, 0, 1},
        {849, "HSI_LATERAL_DEVIATION", "dots, 36 pixels each", Reading::Number,
         VariableGroup::Navigation, -2.5, 2.5},
        {850, "HSI_VERTICAL_DEVIATION", "dots, 40 pixels each", Reading::Number,
         VariableGroup::Navigation, -2, 2},
        {851, "HSI_COURSE_VALID", "flag", Reading::Number, VariableGroup::Navigation, 0, 1},
        {852, "HSI_GLIDESLOPE_VALID", "flag", Reading::Number, VariableGroup::Navigation, 0, 1},
        {853, "HSI_TO_FROM", "+1 TO, -1 FROM", Reading::Number, VariableGroup::Navigation, -1, 1},
        {854, "HSI_COURSE", "degrees", Reading::Number, VariableGroup::Navigation, 0, 359},
        {855, "HEADING_BUG", "degrees", Reading::Number, VariableGroup::Navigation, 0, 359},
    };
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
    for (const VariableInfo& info : variable_catalog()) values_[info.id] = info.initial;
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
            number = navigation::pressure_altitude(get(74), get(75));
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
    if (integer_out) *integer_out = std::isfinite(number) && std::fabs(number) < 2147483647.0
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
