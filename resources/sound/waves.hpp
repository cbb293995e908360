// The WAVE sounds each module carries.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sound {

struct Wave {
    uint32_t number;
    uint32_t data_bytes; // of the "data" chunk
    std::vector<unsigned char> file;
};

// The module's sounds by number; throws on a duplicate number or a size that is not
// a whole number of samples.
std::vector<Wave> waves_of(const std::string& module);

} // namespace sound
