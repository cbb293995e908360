// The flight instruments' gauge records, as the registry publishes them.
#pragma once

#include "gauge_tables.hpp"
#include "needle_dial.hpp"

namespace gauge {

// The turn coordinator: face, ball, tube lines, flag, pointer, cover.
struct TurnCoordinator {
    GaugeHeader header;
    ElementRecord* roots[2];
    StaticImageRecord face;
    ElementRecord* face_children[2];
    SliderRecord ball;
    ElementRecord* ball_children[2];
    StaticImageRecord tube_lines;
    ElementRecord* tube_lines_children[2];
    IconRecord flag;
    ElementRecord* flag_children[2];
    NeedleRecord pointer;
    ElementRecord* pointer_children[2];
    StaticImageRecord cover;
    MouseArea mouse_areas[7];
};
extern TurnCoordinator turn_coordinator_gauge;

// The altimeter: face, twelve drums, hatch, flag, pointer, cover, setting knob.
struct Altimeter {
    GaugeHeader header;
    ElementRecord* roots[2];
    StaticImageRecord face;
    ElementRecord* face_children[2];
    MovingImageRecord drums[12];
    ElementRecord* drum_children[12][2];
    IconRecord hatch;
    ElementRecord* hatch_children[2];
    IconRecord flag;
    ElementRecord* flag_children[2];
    NeedleRecord pointer;
    ElementRecord* pointer_children[2];
    StaticImageRecord cover;
    ElementRecord* cover_children[2];
    NeedleRecord knob;
    MouseArea mouse_areas[6];
};
extern Altimeter altimeter_gauge;

// The attitude indicator: face, horizon card, bank ring, GYRO flag, aircraft
// symbol, cover.
struct Attitude {
    GaugeHeader header;
    ElementRecord* roots[2];
    StaticImageRecord face;
    ElementRecord* face_children[2];
    SpriteRecord card;
    ElementRecord* card_children[2];
    SpriteRecord ring;
    ElementRecord* ring_children[2];
    IconRecord gyro_flag;
    ElementRecord* gyro_flag_children[2];
    SliderRecord symbol;
    ElementRecord* symbol_children[2];
    StaticImageRecord cover;
    MouseArea mouse_areas[6];
};
extern Attitude attitude_gauge;

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
