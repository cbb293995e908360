// The check's report: one line per finding for people, or a JSON document for CI.
#pragma once

#include "module_check/findings.hpp"

#include <string>

namespace panelhost::check {

// "MODULE: GAUGE: element 3 (needle): what is wrong [cause]" per finding, then a
// summary line.
std::string report_text(const ModuleFindings& findings);

// {"module", "findings", "gauges": [{"name", "findings": [{"check", "element",
// "kind", "message", "cause"}], "seconds"}], "summary": {"gauges", "findings",
// "clean", "seconds"}}
std::string report_json(const ModuleFindings& findings);

} // namespace panelhost::check
