// Checks of the resources a module's records name: every bitmap an element names
// is there with a sensible size, icons' bitmap ranges, the windows of moving images
// and sprites, elements placed outside their gauge, and every WAVE resource.
#pragma once

#include "gauge_abi.h"
#include "module_check/findings.hpp"

#include <vector>

namespace panelhost {
class LoadedModule;
class ModuleResources;
} // namespace panelhost

namespace panelhost::check {

// Every WAVE resource of the module reads as a PCM wave file the sound layer plays.
std::vector<Finding> check_waves(const ModuleResources& resources);

std::vector<Finding> check_gauge_resources(const LoadedModule& module, const GaugeHeader& header);

} // namespace panelhost::check
