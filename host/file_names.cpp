#include "file_names.hpp"
#include "text_case.hpp"

#include <algorithm>
#include <cctype>

namespace panelhost {
namespace {

namespace fs = std::filesystem;

// The entry of `dir` named `part` in any case, the exact name first.
std::optional<fs::path> entry_ignoring_case(const fs::path& dir, const fs::path& part) {
    std::error_code error;
    if (fs::exists(dir / part, error)) return dir / part;
    const std::string wanted = lower(part.string());
    for (fs::directory_iterator it(dir, error), end; !error && it != end; it.increment(error))
        if (lower(it->path().filename().string()) == wanted) return it->path();
    return std::nullopt;
}

// The entry `name` (relative to `dir`) with each part's letters in any case.
std::optional<fs::path> entry_path_ignoring_case(const fs::path& dir, const std::string& name) {
    std::string relative = name;
    std::replace(relative.begin(), relative.end(), '\\', '/');
    if (relative.empty()) return std::nullopt;
    fs::path found = dir.empty() ? fs::path(".") : dir;
    for (const fs::path& part : fs::path(relative).relative_path()) {
        if (part.empty() || part == ".") continue;
        if (part == "..") {
            found = found / "..";
            continue;
        }
        std::optional<fs::path> entry = entry_ignoring_case(found, part);
        if (!entry) return std::nullopt;
        found = *entry;
    }
    return found;
}

} // namespace

std::optional<fs::path> find_ignoring_case(const fs::path& dir, const std::string& name) {
    std::optional<fs::path> found = entry_path_ignoring_case(dir, name);
    std::error_code error;
    if (!found || !fs::is_regular_file(*found, error)) return std::nullopt;
    return found;
}

std::optional<fs::path> find_folder_ignoring_case(const fs::path& dir, const std::string& name) {
    std::optional<fs::path> found = entry_path_ignoring_case(dir, name);
    std::error_code error;
    if (!found || !fs::is_directory(*found, error)) return std::nullopt;
    return found;
}

} // namespace panelhost
