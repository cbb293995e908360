// A module's published records as JSON: every gauge's header, element chain (with
// every field of each kind) and mouse list, read through the binary interface.
#pragma once

#include "gauge_abi.h"

#include <nlohmann/json.hpp>

namespace panelhost {

class LoadedModule;

nlohmann::json describe_gauge(const GaugeHeader& header);
nlohmann::json describe_module(const LoadedModule& module);

} // namespace panelhost
