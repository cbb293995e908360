#include "output/resource_file.hpp"

namespace output {

std::string ResourceFile::stem() const {
    return (kind == ResourceKind::bitmap ? "bitmap_" : "wave_") + std::to_string(number);
}

std::string ResourceFile::file_name() const {
    return stem() + (kind == ResourceKind::bitmap ? ".bmp" : ".wav");
}

} // namespace output
