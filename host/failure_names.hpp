// The host's names for its failure keys: what each key fails in the simulated
// aircraft, as tools (the workbench's failure switches) show them.
#pragma once

#include <cstdint>
#include <string>

namespace panelhost {

// The system failure key `key` stands for; keys the host has no name for read
// "failure key N".
std::string failure_name(uint32_t key);

} // namespace panelhost
