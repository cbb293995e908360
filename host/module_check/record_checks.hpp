// Checks of a module's published records, read through the binary interface
// without running any of its code: the linkage and import table, each gauge's
// header, element chain, failure lists, needle tables and mouse list.
#pragma once

#include "gauge_abi.h"
#include "gauge_instance.hpp"
#include "module_check/findings.hpp"

#include <vector>

namespace panelhost {
class LoadedModule;
}

namespace panelhost::check {

// The module as a whole: what loading it noted, the Linkage words, the import
// table, gauge names given twice.
std::vector<Finding> check_module_records(const LoadedModule& module);

// One gauge's header and the records reached from it.
std::vector<Finding> check_gauge_records(const LoadedModule& module, const GaugeHeader& header);

// A mouse list as the host reads it: its end, its nesting, clickable areas that can
// never do anything, and boxes outside the gauge's design size (when known).
std::vector<Finding> check_mouse_list(const MouseArea* list, DesignSize size);

} // namespace panelhost::check
