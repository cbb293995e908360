// `panelhost check MODULE`: everything the host can find wrong with a gauge module,
// per gauge and element. Its records and resources are read through the binary
// interface; then each gauge is driven as a hostile host would drive it, in a child
// process of its own with a time limit (child_run.hpp).
#pragma once

#include "module_check/child_run.hpp"
#include "module_check/findings.hpp"

#include <optional>
#include <string>

namespace panelhost::check {

struct CheckOptions {
    std::string module_path;
    std::string gauge;  // empty: every gauge
    DriveOptions drive; // parameter strings besides the corpus
    ChildRun child;     // the time limit; on Windows how to start a child
    // Drive the gauges in this process when no child process can be had (a crash
    // then ends the check); the test programs on Windows do.
    bool in_process = false;
};

// The findings; none, with `error` saying what and where, when the module cannot
// be loaded or has no such gauge.
std::optional<ModuleFindings> check_module(const CheckOptions& options, std::string& error);

// Parameter strings from a file, one per line (without the line end). False, with
// `error` set, when the file cannot be read.
bool read_parameter_lines(const std::string& path, std::vector<std::string>& lines,
                          std::string& error);

} // namespace panelhost::check
