// The bitmap decoder on arbitrary bytes: a decoded image holds exactly its pixels.
#include "bmp_decoder.hpp"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string error;
    auto image = panelhost::decode_bmp(std::span<const uint8_t>(data, size), error);
    if (image) {
        if (image->pixels.size() != size_t(image->width) * image->height) std::abort();
        if (image->width && image->height) (void)image->at(image->width - 1, image->height - 1);
    } else if (error.empty()) {
        std::abort();
    }
    return 0;
}
