// What a panel file's module name can stand for besides a module this host loads:
// aircraft copied from the simulator's folders place XML gauges (a folder of them,
// or a cabinet file) and modules built for Windows by the same "Module!Gauge" name.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace panelhost {

// Why gauges of a module name do not run: a few words for their placeholders, and
// the sentence that reports it.
struct Unavailable {
    std::string missing;
    std::string cause;
};

// What `dir` holds under the module name `module` that this host cannot run: a
// folder of XML gauges, a cabinet file of them, or a module built for Windows;
// none when it holds nothing of the kind.
std::optional<Unavailable> other_kind_of_module(const std::filesystem::path& dir,
                                                const std::string& module);

} // namespace panelhost
