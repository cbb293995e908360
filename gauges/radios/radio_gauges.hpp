// The control heads of the radio stack, as the registry publishes them. Each head is
// one chain of elements, every one the single child of the one before it; the heads
// are built from one design (radio_heads.hpp).
#pragma once

#include "gauge_tables.hpp"

namespace gauge {

// The COM head, back to front: face, window backing, lit push-button faces, lit
// transfer button, preset text, active text, ON pressed, ON pressed and lit, power
// lamp, window cover.
struct ComHead {
    static constexpr bool ident_button = false;
    GaugeHeader header;
    ElementRecord* roots[2];
    Chain<StaticImageRecord, IconRecord, IconRecord, IconRecord, StringRecord, StringRecord,
          IconRecord, IconRecord, IconRecord, IconRecord>
        elements;
    MouseArea mouse_areas[22];
};

// NAV and ADF heads: the COM head's elements with an ident button, pressed and
// pressed and lit, drawn after the texts.
struct IdentHead {
    static constexpr bool ident_button = true;
    GaugeHeader header;
    ElementRecord* roots[2];
    Chain<StaticImageRecord, IconRecord, IconRecord, IconRecord, StringRecord, StringRecord,
          IconRecord, IconRecord, IconRecord, IconRecord, IconRecord, IconRecord>
        elements;
    MouseArea mouse_areas[26];
};

extern ComHead com1_gauge;
extern IdentHead nav1_gauge;
extern IdentHead nav2_gauge;
extern IdentHead adf_gauge;

} // namespace gauge
