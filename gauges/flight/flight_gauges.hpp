// The flight instruments' gauge records, as the registry publishes them.
#pragma once

#include "gauge_tables.hpp"
#include "needle_dial.hpp"

namespace gauge {

// The turn coordinator: face, ball, tube lines, flag, pointer, cover.
using TurnCoordinator = GaugeRecords<7, StaticImageRecord, SliderRecord, StaticImageRecord,
                                     IconRecord, NeedleRecord, StaticImageRecord>;
extern TurnCoordinator turn_coordinator_gauge;

// The altimeter: face, twelve drums, hatch, flag, pointer, cover, setting knob.
using Altimeter = GaugeRecords<6, StaticImageRecord, Repeated<MovingImageRecord, 12>, IconRecord,
                               IconRecord, NeedleRecord, StaticImageRecord, NeedleRecord>;
extern Altimeter altimeter_gauge;

// The attitude indicator: face, horizon card, bank ring, GYRO flag, aircraft
// symbol, cover.
using Attitude = GaugeRecords<6, StaticImageRecord, SpriteRecord, SpriteRecord, IconRecord,
                              SliderRecord, StaticImageRecord>;
extern Attitude attitude_gauge;

extern NeedleDial airspeed_gauge;
extern NeedleDial vertical_speed_gauge;

// The compass: a card strip sliding behind a window under the housing.
using MagneticCompass = GaugeRecords<3, StaticImageRecord, MovingImageRecord>;
extern MagneticCompass magnetic_compass_gauge;

} // namespace gauge
