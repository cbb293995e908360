// The gallery against its goldens: `panelhost gallery --golden DIR` compares every
// picture with the golden of the same name and writes differences.html beside the
// pictures (golden, new and their difference side by side); --rewrite-golden makes
// the new pictures the goldens, on purpose.
#pragma once

#include "cli/gallery_page.hpp"

#include <string>
#include <vector>

namespace panelhost {

// True when every picture matches its golden and every golden has its picture.
bool check_goldens(const std::vector<GalleryPicture>& pictures, const std::string& out_dir,
                   const std::string& golden_dir);

// Copies the pictures over the goldens and removes goldens no state draws any more.
bool rewrite_goldens(const std::vector<GalleryPicture>& pictures, const std::string& out_dir,
                     const std::string& golden_dir);

} // namespace panelhost
