// The flight instruments' gauge records, as the registry publishes them.
#pragma once

#include "gauge_tables.hpp"
#include "needle_dial.hpp"

namespace gauge {

// The turn coordinator: face, ball, tube lines, flag, pointer, cover.
struct TurnCoordinator {
    GaugeHeader header;
    ElementRecord* roots[2];
    Chain<StaticImageRecord, SliderRecord, StaticImageRecord, IconRecord, NeedleRecord,
          StaticImageRecord>
        elements;
    MouseArea mouse_areas[7];
};
extern TurnCoordinator turn_coordinator_gauge;

// The altimeter: face, twelve drums, hatch, flag, pointer, cover, setting knob.
struct Altimeter {
    GaugeHeader header;
    ElementRecord* roots[2];
    Chain<StaticImageRecord, Repeated<MovingImageRecord, 12>, IconRecord, IconRecord, NeedleRecord,
          StaticImageRecord, NeedleRecord>
        elements;
    MouseArea mouse_areas[6];
};
extern Altimeter altimeter_gauge;

// The attitude indicator: face, horizon card, bank ring, GYRO flag, aircraft
// symbol, cover.
struct Attitude {
    GaugeHeader header;
    ElementRecord* roots[2];
    Chain<StaticImageRecord, SpriteRecord, SpriteRecord, IconRecord, SliderRecord,
          StaticImageRecord>
        elements;
    MouseArea mouse_areas[6];
};
extern Attitude attitude_gauge;

extern NeedleDial airspeed_gauge;
extern NeedleDial vertical_speed_gauge;

// The compass: a card strip sliding behind a window under the housing.
struct MagneticCompass {
    GaugeHeader header;
    ElementRecord* roots[2];
    Chain<StaticImageRecord, MovingImageRecord> elements;
    MouseArea mouse_areas[3];
};
extern MagneticCompass magnetic_compass_gauge;

} // namespace gauge
