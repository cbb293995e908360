// Reading an icon's source value (the panel lighting) in the heads' icon callbacks.
#pragma once

#include "gauge_abi.h"

namespace gauge {

// The element's source value; no element reads as an unlit panel.
inline double icon_source(const ElementRecord* element) {
    if (!element) return 0;
    return reinterpret_cast<const IconRecord*>(element)->source.value.number;
}

} // namespace gauge
