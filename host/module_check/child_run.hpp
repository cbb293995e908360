// One gauge's behaviour driven in a child process with a time limit, so that a crash
// or a hang becomes that gauge's finding and the rest of the check still runs.
// POSIX forks the checking process itself; Windows starts the program again with
// the arguments that make it drive one gauge (`check MODULE --child-gauge NAME
// --child-progress HANDLE`) and reads its findings from its standard output.
#pragma once

#include "module_check/behaviour_drive.hpp"

#include <string>
#include <vector>

namespace panelhost::check {

struct ChildRun {
    double time_limit = 10; // seconds per gauge
    unsigned jobs = 2;      // children at once (POSIX; Windows runs one at a time)
    // Windows: the program and its leading arguments ("panelhost.exe", "check",
    // MODULE, ...) to which the gauge and the progress handle are added.
    std::vector<std::string> command;
};

// Whether gauges can be driven in child processes here with `run` (POSIX always;
// Windows when a command is given).
bool child_runs_available(const ChildRun& run);

struct ChildResult {
    std::vector<Finding> findings; // the crash or hang included
    double seconds = 0;            // how long the child ran
};

// Each gauge driven in a child process of its own; the results in the order of
// `gauges`.
std::vector<ChildResult> drive_in_children(const std::string& module_path,
                                           const std::vector<std::string>& gauges,
                                           const DriveOptions& options, const ChildRun& run);

// The child's side on Windows: drives the gauge, its progress in the shared memory
// named by `progress_handle` (a handle value the parent let it inherit), its
// findings on standard output. Returns the exit status.
int drive_as_child(const std::string& module_path, const std::string& gauge,
                   const DriveOptions& options, const std::string& progress_handle);

} // namespace panelhost::check
