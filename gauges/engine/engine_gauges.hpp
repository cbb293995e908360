// The engine and systems instruments' gauge records, as the registry publishes them.
#pragma once

#include "needle_dial.hpp"

namespace gauge {

extern NeedleDial fuel_qty_left_main_gauge;
extern NeedleDial fuel_qty_right_main_gauge;
extern NeedleDial fuel_qty_left_aux_gauge;
extern NeedleDial fuel_qty_right_aux_gauge;

// A dial with two needles over one face: face, first needle, second needle, cover,
// each the single child of the one before. Up to two tooltip areas.
struct TwoNeedleDial {
    GaugeHeader header;
    ElementRecord* roots[2];
    StaticImageRecord face;
    ElementRecord* face_children[2];
    NeedleRecord first;
    ElementRecord* first_children[2];
    NeedleRecord second;
    ElementRecord* second_children[2];
    StaticImageRecord cover;
    MouseArea mouse_areas[10];
};

// The engine-selectable gauges: the parameter string names the engine.
extern NeedleDial interstage_turb_temp_gauge;
extern NeedleDial torque_gauge;
extern NeedleDial propeller_rpm_gauge;
extern TwoNeedleDial gas_generator_rpm_gauge;
extern NeedleDial fuel_flow_gauge;
extern TwoNeedleDial oil_temp_press_gauge;
extern NeedleDial hydraulic_pressure_gauge;

struct FlapsGearIndicator {
    GaugeHeader header;
    ElementRecord* roots[2];
    StaticImageRecord face;
    ElementRecord* face_children[2];
    IconRecord right_gear;
    ElementRecord* right_gear_children[2];
    IconRecord centre_gear;
    ElementRecord* centre_gear_children[2];
    IconRecord left_gear;
    ElementRecord* left_gear_children[2];
    IconRecord off_flag;
    ElementRecord* off_flag_children[2];
    NeedleRecord flap_pointer;
    ElementRecord* flap_pointer_children[2];
    StaticImageRecord cover;
    MouseArea mouse_areas[3];
};

extern FlapsGearIndicator flaps_gear_indicator_gauge;

} // namespace gauge
