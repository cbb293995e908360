#include "art/bitmap_registry.hpp"

#include <algorithm>
#include <stdexcept>

namespace art {

std::vector<const Bitmap*> BitmapRegistry::bitmaps_of(const std::string& module) const {
    std::vector<const Bitmap*> found;
    for (const Bitmap& bitmap : bitmaps_)
        if (bitmap.module == module) found.push_back(&bitmap);
    std::sort(found.begin(), found.end(),
              [](const Bitmap* a, const Bitmap* b) { return a->number < b->number; });

    for (size_t i = 0; i < found.size(); ++i) {
        const Bitmap& bitmap = *found[i];
        const std::string name = module + " bitmap " + std::to_string(bitmap.number);
        if (i > 0 && found[i - 1]->number == bitmap.number)
            throw std::runtime_error(name + " is registered twice");
        if (bitmap.width <= 0 || bitmap.height <= 0)
            throw std::runtime_error(name + " has no size");
        if (!bitmap.draw) throw std::runtime_error(name + " has no drawing");
    }
    return found;
}

std::vector<const Preview*> BitmapRegistry::previews_of(const std::string& module) const {
    std::vector<const Preview*> found;
    for (const Preview& preview : previews_)
        if (preview.module == module) found.push_back(&preview);
    return found;
}

} // namespace art
