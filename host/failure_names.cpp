#include "failure_names.hpp"

#include "simulator_numbers.h"

#include <map>

namespace panelhost {

std::string failure_name(uint32_t key) {
    // What each key fails, named after the instruments and systems that list it.
#define FAILURE_NAMED(name, key, text) {key, text},
    static const std::map<uint32_t, const char*> names = {SIMULATOR_FAILURES(FAILURE_NAMED)};
#undef FAILURE_NAMED
    auto it = names.find(key);
    return it != names.end() ? it->second : "failure key " + std::to_string(key);
}

} // namespace panelhost
