// The navigation displays' gauge records, as the registry publishes them. Each
// element is the single child of the one before it; `*_children` are those lists.
#pragma once

#include "gauge_tables.hpp"

namespace gauge {

// The VOR indicator of the NAV1 receiver.
struct VorIndicator {
    GaugeHeader header;
    ElementRecord* roots[2];
    StaticImageRecord face;
    ElementRecord* face_children[2];
    IconRecord gs_flag;
    ElementRecord* gs_flag_children[2];
    IconRecord from_arrow;
    ElementRecord* from_arrow_children[2];
    IconRecord to_arrow;
    ElementRecord* to_arrow_children[2];
    IconRecord nav_flag;
    ElementRecord* nav_flag_children[2];
    SliderRecord course_bar;
    ElementRecord* course_bar_children[2];
    SliderRecord glideslope_bar;
    ElementRecord* glideslope_bar_children[2];
    SpriteRecord card;
    ElementRecord* card_children[2];
    StaticImageRecord bezel;
    ElementRecord* bezel_children[2];
    IconRecord marker_a;
    ElementRecord* marker_a_children[2];
    IconRecord marker_m;
    ElementRecord* marker_m_children[2];
    IconRecord marker_o;
    ElementRecord* marker_o_children[2];
    NeedleRecord obs_knob;
    MouseArea mouse_areas[7];
};
extern VorIndicator vor_indicator_gauge;

// The transponder control head.
struct Transponder {
    GaugeHeader header;
    ElementRecord* roots[2];
    StaticImageRecord face;
    ElementRecord* face_children[2];
    IconRecord window_backing;
    ElementRecord* window_backing_children[2];
    IconRecord lit_buttons;
    ElementRecord* lit_buttons_children[2];
    IconRecord lit_vfr;
    ElementRecord* lit_vfr_children[2];
    IconRecord lit_idt;
    ElementRecord* lit_idt_children[2];
    StringRecord fl_label;
    ElementRecord* fl_label_children[2];
    StringRecord code;
    ElementRecord* code_children[2];
    StringRecord flight_level;
    ElementRecord* flight_level_children[2];
    IconRecord on_unlit;
    ElementRecord* on_unlit_children[2];
    IconRecord on_lit;
    ElementRecord* on_lit_children[2];
    IconRecord lamp;
    ElementRecord* lamp_children[2];
    IconRecord window_cover;
    MouseArea mouse_areas[14];
};
extern Transponder transponder_gauge;

// The DME indicator.
struct DmeIndicator {
    GaugeHeader header;
    ElementRecord* roots[2];
    StaticImageRecord face;
    ElementRecord* face_children[2];
    IconRecord knob;
    ElementRecord* knob_children[2];
    StringRecord texts[6]; // MIN, KT, NM labels; time, speed, distance
    ElementRecord* text_children[6][2];
    IconRecord cover;
    MouseArea mouse_areas[11];
};
extern DmeIndicator dme_gauge;

// The horizontal situation indicator.
struct Hsi {
    GaugeHeader header;
    ElementRecord* roots[2];
    StaticImageRecord face;
    ElementRecord* face_children[2];
    NeedleRecord card;
    ElementRecord* card_children[2];
    NeedleRecord heading_bug;
    ElementRecord* heading_bug_children[2];
    NeedleRecord to_from;
    ElementRecord* to_from_children[2];
    IconRecord nav_flag;
    ElementRecord* nav_flag_children[2];
    NeedleRecord course_pointer;
    ElementRecord* course_pointer_children[2];
    SpriteRecord deviation_bar;
    ElementRecord* deviation_bar_children[2];
    IconRecord hdg_flag;
    ElementRecord* hdg_flag_children[2];
    SliderRecord glideslope;
    ElementRecord* glideslope_children[2];
    IconRecord vert_flag;
    ElementRecord* vert_flag_children[2];
    StaticImageRecord marks;
    ElementRecord* marks_children[2];
    StaticImageRecord bezel;
    ElementRecord* bezel_children[2];
    NeedleRecord course_knob;
    ElementRecord* course_knob_children[2];
    NeedleRecord heading_knob;
    MouseArea mouse_areas[12];
};
extern Hsi hsi_gauge;

// The radio magnetic indicator.
struct Rmi {
    GaugeHeader header;
    ElementRecord* roots[2];
    StaticImageRecord face;
    ElementRecord* face_children[2];
    SpriteRecord card;
    ElementRecord* card_children[2];
    NeedleRecord double_bar;
    ElementRecord* double_bar_children[2];
    NeedleRecord single_bar;
    ElementRecord* single_bar_children[2];
    StaticImageRecord overlay;
    ElementRecord* overlay_children[2];
    IconRecord left_selector;
    ElementRecord* left_selector_children[2];
    IconRecord right_selector;
    MouseArea mouse_areas[5];
};
extern Rmi rmi_gauge;

} // namespace gauge
