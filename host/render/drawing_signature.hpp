// Everything a gauge's picture depends on that can change from one cycle to the
// next, read from its element states: two equal signatures draw the same picture.
#pragma once

#include "gauge_instance.hpp"

#include <cstdint>
#include <string>
#include <vector>

namespace panelhost {

struct DrawingSignature {
    std::vector<uint64_t> words; // numbers, doubles by their bits (so NaN equals NaN)
    std::string texts;           // string elements' texts, each ended by a zero

    bool operator==(const DrawingSignature&) const = default;
};

DrawingSignature drawing_signature(const GaugeInstance& instance);

} // namespace panelhost
