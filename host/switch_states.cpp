#include "switch_states.hpp"

namespace panelhost {
namespace {

// The gauge and the number (from 0, in drawing order) of its element that shows
// while the switch is on: the heads' yellow power lamps.
struct PowerLamp {
    const char* gauge;
    size_t element;
};

constexpr PowerLamp power_lamps[] = {
    {"Becker_AR3202_COM1", 8}, {"Becker_NR3320_NAV1", 10},  {"Becker_NR3320_NAV2", 10},
    {"Becker_AD3502_ADF", 10}, {"Becker_ATC3401_XPDR", 10},
};

} // namespace

std::optional<bool> switch_is_on(const GaugeInstance& gauge) {
    const std::string name = gauge.name();
    for (const PowerLamp& lamp : power_lamps) {
        if (name != lamp.gauge) continue;
        const auto& elements = gauge.elements();
        if (lamp.element >= elements.size() || elements[lamp.element].kind != ELEMENT_ICON)
            return std::nullopt;
        return elements[lamp.element].icon.has_value();
    }
    return std::nullopt;
}

} // namespace panelhost
