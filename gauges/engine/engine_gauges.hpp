// The engine and systems instruments' gauge records, as the registry publishes them.
#pragma once

#include "needle_dial.hpp"

namespace gauge {

extern NeedleDial fuel_qty_left_main_gauge;
extern NeedleDial fuel_qty_right_main_gauge;
extern NeedleDial fuel_qty_left_aux_gauge;
extern NeedleDial fuel_qty_right_aux_gauge;

// A dial with two needles over one face: face, first needle, second needle, cover.
// Up to two tooltip areas.
using TwoNeedleDial =
    GaugeRecords<10, StaticImageRecord, NeedleRecord, NeedleRecord, StaticImageRecord>;

// The engine-selectable gauges: the parameter string names the engine.
extern NeedleDial interstage_turb_temp_gauge;
extern NeedleDial torque_gauge;
extern NeedleDial propeller_rpm_gauge;
extern TwoNeedleDial gas_generator_rpm_gauge;
extern NeedleDial fuel_flow_gauge;
extern TwoNeedleDial oil_temp_press_gauge;
extern NeedleDial hydraulic_pressure_gauge;

// Face, the right, centre and left gear windows, the OFF flag, the flap pointer and
// the cover.
using FlapsGearIndicator = GaugeRecords<3, StaticImageRecord, IconRecord, IconRecord, IconRecord,
                                        IconRecord, NeedleRecord, StaticImageRecord>;

extern FlapsGearIndicator flaps_gear_indicator_gauge;

} // namespace gauge
