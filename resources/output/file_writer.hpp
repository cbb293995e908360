// Writes a generated file only when its content changes, so that an unchanged
// resource does not make the build relink.
#pragma once

#include <filesystem>
#include <string_view>
#include <vector>

namespace output {

// Returns whether the file was (re)written; throws on an I/O error.
bool write_if_changed(const std::filesystem::path& path, const std::vector<unsigned char>& bytes);
bool write_if_changed(const std::filesystem::path& path, std::string_view text);

} // namespace output
