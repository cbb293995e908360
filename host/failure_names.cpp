#include "failure_names.hpp"

#include <map>

namespace panelhost {

std::string failure_name(uint32_t key) {
    // What each key fails, named after the instruments and systems that list it.
    static const std::map<uint32_t, const char*> names = {
        {2, "Engine-driven systems (vacuum, engine sensors)"},
        {3, "Pitot-static system"},
        {4, "Heading gyro"},
        {5, "ADF receiver"},
        {6, "Airspeed indicator"},
        {7, "Altimeter"},
        {8, "Attitude indicator"},
        {9, "COM radio"},
        {11, "Compass system"},
        {12, "Magnetic compass"},
        {14, "NAV1 receiver"},
        {15, "NAV2 receiver"},
        {17, "Transponder"},
        {18, "Turn coordinator"},
        {19, "Vertical speed indicator"},
        {20, "Electrical system"},
        {21, "Avionics"},
    };
    auto it = names.find(key);
    return it != names.end() ? it->second : "failure key " + std::to_string(key);
}

} // namespace panelhost
