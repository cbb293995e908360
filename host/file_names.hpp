// Finding files of aircraft folders copied from Windows, where names are compared
// without regard to case and folders are separated by "\": a panel file that says
// file=Panel\Background.BMP means panel/background.bmp here.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace panelhost {

// The regular file `name` (relative to `dir`, "/" or "\" between its folders) with
// the letters of each part in any case; none when there is no such file.
std::optional<std::filesystem::path> find_ignoring_case(const std::filesystem::path& dir,
                                                        const std::string& name);

// The same for a folder.
std::optional<std::filesystem::path> find_folder_ignoring_case(const std::filesystem::path& dir,
                                                               const std::string& name);

} // namespace panelhost
