// An element's source value as its callbacks read it: what the host looked up for
// the element before the update. No element (the host asking for a default) reads 0.
#pragma once

#include "gauge_abi.h"

namespace gauge {

inline double needle_source(const ElementRecord* element) {
    if (!element) return 0;
    return reinterpret_cast<const NeedleRecord*>(element)->source.value.number;
}

inline double icon_source(const ElementRecord* element) {
    if (!element) return 0;
    return reinterpret_cast<const IconRecord*>(element)->source.value.number;
}

} // namespace gauge
