// A gauge driven as a hostile host would drive it: installed, updated and removed
// with every hostile value of every variable it reads, every parameter string of
// the corpus, every answer to its expressions, every mouse area clicked with every
// button combination, services it does not know. What it does wrong is reported to
// the listener: writes past a string's text buffer, writes into the module's own
// published records, non-finite values from finite input, icon indices out of range.
// Crashes and hangs are not seen here: the drive runs in a child process (see
// child_run.hpp) whose parent sees them.
#pragma once

#include "module_check/drive_listener.hpp"

#include <string>
#include <vector>

namespace panelhost::check {

struct DriveOptions {
    // Parameter strings tried besides the corpus (--parameters FILE).
    std::vector<std::string> extra_parameters;
};

// Loads the module at `module_path` and drives its gauge `gauge_name`. False, with
// a finding reported, when the module or the gauge cannot be had.
bool drive_gauge(const std::string& module_path, const std::string& gauge_name,
                 const DriveOptions& options, DriveListener& listener);

} // namespace panelhost::check
