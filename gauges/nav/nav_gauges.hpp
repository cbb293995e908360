// The navigation displays' gauge records, as the registry publishes them. Each
// gauge keeps its elements in a chain, back to front (link_chain writes the links).
#pragma once

#include "gauge_tables.hpp"

namespace gauge {

// The VOR indicator of the NAV1 receiver.
struct VorIndicator {
    GaugeHeader header;
    ElementRecord* roots[2];
    Chain<StaticImageRecord, IconRecord, IconRecord, IconRecord, IconRecord, SliderRecord,
          SliderRecord, SpriteRecord, StaticImageRecord, IconRecord, IconRecord, IconRecord,
          NeedleRecord>
        elements;
    MouseArea mouse_areas[7];
};
extern VorIndicator vor_indicator_gauge;

// The transponder control head.
struct Transponder {
    GaugeHeader header;
    ElementRecord* roots[2];
    Chain<StaticImageRecord, IconRecord, IconRecord, IconRecord, IconRecord, StringRecord,
          StringRecord, StringRecord, IconRecord, IconRecord, IconRecord, IconRecord>
        elements;
    MouseArea mouse_areas[14];
};
extern Transponder transponder_gauge;

// The DME indicator: face, knob, the MIN, KT and NM labels, the time, speed and
// distance texts, and the display cover.
struct DmeIndicator {
    GaugeHeader header;
    ElementRecord* roots[2];
    Chain<StaticImageRecord, IconRecord, StringRecord, StringRecord, StringRecord, StringRecord,
          StringRecord, StringRecord, IconRecord>
        elements;
    MouseArea mouse_areas[11];
};
extern DmeIndicator dme_gauge;

// The horizontal situation indicator.
struct Hsi {
    GaugeHeader header;
    ElementRecord* roots[2];
    Chain<StaticImageRecord, NeedleRecord, NeedleRecord, NeedleRecord, IconRecord, NeedleRecord,
          SpriteRecord, IconRecord, SliderRecord, IconRecord, StaticImageRecord, StaticImageRecord,
          NeedleRecord, NeedleRecord>
        elements;
    MouseArea mouse_areas[12];
};
extern Hsi hsi_gauge;

// The radio magnetic indicator.
struct Rmi {
    GaugeHeader header;
    ElementRecord* roots[2];
    Chain<StaticImageRecord, SpriteRecord, NeedleRecord, NeedleRecord, StaticImageRecord,
          IconRecord, IconRecord>
        elements;
    MouseArea mouse_areas[5];
};
extern Rmi rmi_gauge;

} // namespace gauge
