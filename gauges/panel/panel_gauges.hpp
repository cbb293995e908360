// The panel-window toggle buttons and the registration plate, as the registry
// publishes them.
#pragma once

#include "gauge_tables.hpp"

namespace gauge {

// A square button: one face image and one clickable area in the middle. Its mouse
// list: the whole gauge, [a tooltip], the click area, the area's end, the list's end.
using ToggleButton = GaugeRecords<5, StaticImageRecord>;

// Pure data: the host sends their key event on a click.
extern ToggleButton atc_toggle_gauge;
extern ToggleButton kneeboard_toggle_gauge;
extern ToggleButton map_toggle_gauge;
// Configured by their parameter strings.
extern ToggleButton invisible_toggle_gauge;
extern ToggleButton radios_toggle_gauge;
extern ToggleButton gps_toggle_gauge;
extern ToggleButton throttle_toggle_gauge;
extern ToggleButton compass_toggle_gauge;
extern ToggleButton close_subpanel_gauge;
extern ToggleButton landing_view_toggle_gauge;
extern ToggleButton electricity_toggle_gauge;
extern ToggleButton overhead_toggle_gauge;
extern ToggleButton engine_instr_toggle_gauge;

// The aircraft's registration as a line of text over a black plate.
using RegistrationPlate = GaugeRecords<4, StaticImageRecord, StringRecord>;
extern RegistrationPlate registration_gauge;

} // namespace gauge
