// The navigation displays' gauge records, as the registry publishes them. Each
// gauge keeps its elements in a chain, back to front (link_chain writes the links).
#pragma once

#include "gauge_tables.hpp"

namespace gauge {

// The VOR indicator of the NAV1 receiver.
using VorIndicator =
    GaugeRecords<7, StaticImageRecord, IconRecord, IconRecord, IconRecord, IconRecord, SliderRecord,
                 SliderRecord, SpriteRecord, StaticImageRecord, IconRecord, IconRecord, IconRecord,
                 NeedleRecord>;
extern VorIndicator vor_indicator_gauge;

// The transponder control head.
using Transponder = GaugeRecords<14, StaticImageRecord, IconRecord, IconRecord, IconRecord,
                                 IconRecord, StringRecord, StringRecord, StringRecord, IconRecord,
                                 IconRecord, IconRecord, IconRecord>;
extern Transponder transponder_gauge;

// The DME indicator: face, knob, the MIN, KT and NM labels, the time, speed and
// distance texts, and the display cover.
using DmeIndicator =
    GaugeRecords<11, StaticImageRecord, IconRecord, StringRecord, StringRecord, StringRecord,
                 StringRecord, StringRecord, StringRecord, IconRecord>;
extern DmeIndicator dme_gauge;

// The horizontal situation indicator.
using Hsi =
    GaugeRecords<12, StaticImageRecord, NeedleRecord, NeedleRecord, NeedleRecord, IconRecord,
                 NeedleRecord, SpriteRecord, IconRecord, SliderRecord, IconRecord,
                 StaticImageRecord, StaticImageRecord, NeedleRecord, NeedleRecord>;
extern Hsi hsi_gauge;

// The radio magnetic indicator.
using Rmi = GaugeRecords<5, StaticImageRecord, SpriteRecord, NeedleRecord, NeedleRecord,
                         StaticImageRecord, IconRecord, IconRecord>;
extern Rmi rmi_gauge;

} // namespace gauge
