// The flight instruments' gauge records, as the registry publishes them.
#pragma once

#include "gauge_tables.hpp"
#include "needle_dial.hpp"

namespace gauge {

extern NeedleDial airspeed_gauge;
extern NeedleDial vertical_speed_gauge;

// The compass: a card strip sliding behind a window under the housing.
struct MagneticCompass {
    GaugeHeader header;
    ElementRecord* roots[2];
    StaticImageRecord housing;
    ElementRecord* housing_children[2];
    MovingImageRecord card;
    MouseArea mouse_areas[3];
};
extern MagneticCompass magnetic_compass_gauge;

} // namespace gauge
