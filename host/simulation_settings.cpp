#include "simulation_settings.hpp"

#include <charconv>

namespace panelhost {
namespace {

bool parse_double(std::string_view text, double& value) {
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && !text.empty();
}

bool apply_variable(Simulation& simulation, const std::string& setting, std::string& error) {
    size_t equals = setting.find('=');
    uint32_t id = 0;
    double value = 0;
    if (equals != std::string::npos) {
        auto [end, id_error] = std::from_chars(setting.data(), setting.data() + equals, id);
        if (id_error == std::errc() && end == setting.data() + equals && equals > 0 &&
            parse_double(std::string_view(setting).substr(equals + 1), value)) {
            simulation.set(id, value);
            return true;
        }
    }
    error = "setting \"" + setting + "\" is not of the form ID=VALUE (e.g. 61=120)";
    return false;
}

bool apply_named(Simulation& simulation, const std::string& setting, std::string& error) {
    size_t equals = setting.rfind('=');
    double value = 0;
    if (equals != std::string::npos && setting.find(',') < equals &&
        parse_double(std::string_view(setting).substr(equals + 1), value)) {
        simulation.set_named(setting.substr(0, equals), value);
        return true;
    }
    error = "named value \"" + setting +
            "\" is not of the form NAME,unit=VALUE (e.g. PRESSURE ALTITUDE,feet=1500)";
    return false;
}

} // namespace

bool apply_settings(Simulation& simulation, const SimulationSettings& settings,
                    std::string& error) {
    for (const std::string& setting : settings.variables)
        if (!apply_variable(simulation, setting, error)) return false;
    for (const std::string& setting : settings.named)
        if (!apply_named(simulation, setting, error)) return false;
    for (uint32_t key : settings.failures)
        simulation.set_failure(key, true);
    return true;
}

} // namespace panelhost
