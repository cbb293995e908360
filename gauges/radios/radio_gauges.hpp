// The control heads of the radio stack, as the registry publishes them. Each head is
// a chain of elements, every one the single child of the one before it.
#pragma once

#include "gauge_tables.hpp"

namespace gauge {

// An element and the null-terminated list holding its one child.
template <class Record> struct Linked {
    Record record;
    ElementRecord* children[2];
};

struct ComHead {
    GaugeHeader header;
    ElementRecord* roots[2];
    Linked<StaticImageRecord> face;
    Linked<IconRecord> backing;
    Linked<IconRecord> lit_faces;
    Linked<IconRecord> transfer_light;
    Linked<StringRecord> preset_text;
    Linked<StringRecord> active_text;
    Linked<IconRecord> on_face_unlit;
    Linked<IconRecord> on_face_lit;
    Linked<IconRecord> lamp;
    Linked<IconRecord> window_cover;
    MouseArea mouse_areas[22];
};

// NAV and ADF heads: the COM head's elements plus an ident button, pressed and lit.
struct IdentHead {
    GaugeHeader header;
    ElementRecord* roots[2];
    Linked<StaticImageRecord> face;
    Linked<IconRecord> backing;
    Linked<IconRecord> lit_faces;
    Linked<IconRecord> transfer_light;
    Linked<StringRecord> preset_text;
    Linked<StringRecord> active_text;
    Linked<IconRecord> ident_face_unlit;
    Linked<IconRecord> ident_face_lit;
    Linked<IconRecord> on_face_unlit;
    Linked<IconRecord> on_face_lit;
    Linked<IconRecord> lamp;
    Linked<IconRecord> window_cover;
    MouseArea mouse_areas[26];
};

extern ComHead com1_gauge;
extern IdentHead nav1_gauge;
extern IdentHead nav2_gauge;
extern IdentHead adf_gauge;

} // namespace gauge
