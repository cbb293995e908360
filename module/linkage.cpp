// The module's two exported records: `Linkage`, which publishes the gauges in
// registry order, and `ImportTable`, where the host leaves its service table.
#include "engine/engine_gauges.hpp"
#include "flight/flight_gauges.hpp"
#include "host_services.hpp"
#include "module_exports.hpp"
#include "nav/nav_gauges.hpp"
#include "panel/panel_gauges.hpp"
#include "radios/radio_gauges.hpp"

#include <cstddef>

namespace {

// The module allocates nothing at load and frees nothing at unload.
void GAUGE_CALL module_init() {}
void GAUGE_CALL module_fini() {}

} // namespace

// The gauges in the order of publication; the host finds them by name.
constexpr size_t marlow_gauge_count = 41;

struct MarlowLinkage {
    ModuleLinkage head;
    GaugeHeader* gauges[marlow_gauge_count + 1]; // zero-terminated
};
static_assert(offsetof(MarlowLinkage, gauges) == sizeof(ModuleLinkage),
              "the gauge list follows the linkage words directly");

extern "C" {

GAUGE_EXPORT constinit MarlowLinkage Linkage = {
    {GAUGE_MODULE_ID, module_init, module_fini, 0, 0, GAUGE_LINKAGE_VERSION},
    {
        &gauge::registration_gauge.header,
        &gauge::atc_toggle_gauge.header,
        &gauge::kneeboard_toggle_gauge.header,
        &gauge::map_toggle_gauge.header,
        &gauge::invisible_toggle_gauge.header,
        &gauge::radios_toggle_gauge.header,
        &gauge::gps_toggle_gauge.header,
        &gauge::throttle_toggle_gauge.header,
        &gauge::compass_toggle_gauge.header,
        &gauge::close_subpanel_gauge.header,
        &gauge::landing_view_toggle_gauge.header,
        &gauge::electricity_toggle_gauge.header,
        &gauge::overhead_toggle_gauge.header,
        &gauge::engine_instr_toggle_gauge.header,
        &gauge::nav1_gauge.header,
        &gauge::nav2_gauge.header,
        &gauge::com1_gauge.header,
        &gauge::adf_gauge.header,
        &gauge::transponder_gauge.header,
        &gauge::turn_coordinator_gauge.header,
        &gauge::altimeter_gauge.header,
        &gauge::attitude_gauge.header,
        &gauge::vertical_speed_gauge.header,
        &gauge::airspeed_gauge.header,
        &gauge::hsi_gauge.header,
        &gauge::dme_gauge.header,
        &gauge::rmi_gauge.header,
        &gauge::vor_indicator_gauge.header,
        &gauge::interstage_turb_temp_gauge.header,
        &gauge::torque_gauge.header,
        &gauge::propeller_rpm_gauge.header,
        &gauge::gas_generator_rpm_gauge.header,
        &gauge::fuel_flow_gauge.header,
        &gauge::oil_temp_press_gauge.header,
        &gauge::fuel_qty_left_main_gauge.header,
        &gauge::fuel_qty_right_main_gauge.header,
        &gauge::fuel_qty_left_aux_gauge.header,
        &gauge::fuel_qty_right_aux_gauge.header,
        &gauge::magnetic_compass_gauge.header,
        &gauge::flaps_gear_indicator_gauge.header,
        &gauge::hydraulic_pressure_gauge.header,
        nullptr,
    },
};

GAUGE_EXPORT constinit ImportEntry ImportTable[2] = {
    {GAUGE_IMPORT_PANEL_SERVICES, nullptr},
    {0, nullptr},
};

} // extern "C"
