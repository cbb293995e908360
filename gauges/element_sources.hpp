// An element's source value as its callbacks read it: what the host looked up for
// the element before the update. No element (the host asking for a default) reads 0.
#pragma once

#include "gauge_abi.h"

namespace gauge {

// One source of a record, by its field: source_value(element, &SpriteRecord::y_source).
template <class Record, class Source>
double source_value(const ElementRecord* element, Source Record::*source) {
    if (!element) return 0;
    return (reinterpret_cast<const Record*>(element)->*source).value.number;
}

// The source read as a whole number (BCD, a bit field or a state word).
template <class Record, class Source>
uint32_t source_word(const ElementRecord* element, Source Record::*source) {
    if (!element) return 0;
    return (reinterpret_cast<const Record*>(element)->*source).value.integer;
}

inline double needle_source(const ElementRecord* element) {
    return source_value(element, &NeedleRecord::source);
}

inline double icon_source(const ElementRecord* element) {
    return source_value(element, &IconRecord::source);
}

} // namespace gauge
