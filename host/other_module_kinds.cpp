#include "other_module_kinds.hpp"

#include "file_names.hpp"

namespace panelhost {

std::optional<Unavailable> other_kind_of_module(const std::filesystem::path& dir,
                                                const std::string& module) {
    if (std::optional<std::filesystem::path> folder = find_folder_ignoring_case(dir, module))
        return Unavailable{"XML gauge", module + " is a folder of XML gauges (" + folder->string() +
                                            "), which this host cannot run"};
    if (std::optional<std::filesystem::path> cabinet = find_ignoring_case(dir, module + ".cab"))
        return Unavailable{"XML gauge", cabinet->filename().string() + " holds XML gauges (" +
                                            cabinet->string() + "), which this host cannot run"};
#ifndef _WIN32
    for (const char* windows_suffix : {".gau", ".dll"}) {
        if (std::optional<std::filesystem::path> windows =
                find_ignoring_case(dir, module + windows_suffix))
            return Unavailable{"Windows module", windows->filename().string() + " (" +
                                                     windows->string() +
                                                     ") is a module for Windows; this host loads " +
                                                     module + ".so, the module built for Linux"};
    }
#endif
    return std::nullopt;
}

} // namespace panelhost
