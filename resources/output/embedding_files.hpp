// The files through which the build embeds a module's resources:
//   resources.S          GNU assembler, one .incbin per file between two labels
//   resource_table.inc   one RESOURCE_ENTRY(type, number, symbol) per file
//   resources.rc         the Windows resource script
//   manifest.txt         what was generated, one line per file
// `files` are in order: bitmaps by number, then waves by number.
#pragma once

#include "output/resource_file.hpp"

#include <filesystem>
#include <string>
#include <vector>

namespace output {

// Symbols are `<prefix>_bitmap_<N>` and `<prefix>_bitmap_<N>_end` (likewise wave):
// global so the module can refer to them, hidden so the module does not export them.
std::string assembly_listing(const std::vector<ResourceFile>& files, const std::string& prefix,
                             const std::filesystem::path& directory);
std::string resource_table(const std::vector<ResourceFile>& files, const std::string& prefix);
std::string resource_script(const std::vector<ResourceFile>& files);
std::string manifest(const std::vector<ResourceFile>& files);

} // namespace output
