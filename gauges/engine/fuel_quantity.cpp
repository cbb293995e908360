// Fuel quantity: one needle gauge per tank, pounds x 100. Pure data. The two main
// tanks share one face and table, the two auxiliary tanks another.
#include "engine/engine_bitmaps.hpp"
#include "engine_gauges.hpp"
#include "fuel_tables.hpp"
#include "simulator_numbers.h"

namespace gauge {
namespace {

constexpr auto& fuel_failures =
    failure_list<listed(FAILURE_ENGINE_SYSTEMS), zero(FAILURE_ELECTRICAL)>;

constexpr NeedleDialFields fuel_gauge(const char* name, uint32_t level, const Bitmap& face,
                                      NeedleTable table, const char* tooltip_text) {
    return {.name = name,
            .face = face,
            .cover = fuel_bitmaps::cover,
            .needle = centre_needle(fuel_bitmaps::needle, level, table, fuel_failures),
            .tooltip_text = tooltip_text};
}

} // namespace

constinit NeedleDial fuel_qty_left_main_gauge =
    needle_dial(fuel_qty_left_main_gauge,
                fuel_gauge("Fuel_Qty_Left_Main", VAR_FUEL_TANK_LEFT_MAIN_LEVEL,
                           fuel_bitmaps::main_face, main_tank_table, "Fuel level left main tank"));
constinit NeedleDial fuel_qty_right_main_gauge =
    needle_dial(fuel_qty_right_main_gauge,
                fuel_gauge("Fuel_Qty_Right_Main", VAR_FUEL_TANK_RIGHT_MAIN_LEVEL,
                           fuel_bitmaps::main_face, main_tank_table, "Fuel level right main tank"));
constinit NeedleDial fuel_qty_left_aux_gauge = needle_dial(
    fuel_qty_left_aux_gauge,
    fuel_gauge("Fuel_Qty_Left_Aux", VAR_FUEL_TANK_LEFT_AUX_LEVEL, fuel_bitmaps::aux_face,
               aux_tank_table, "Fuel level left external tank"));
constinit NeedleDial fuel_qty_right_aux_gauge = needle_dial(
    fuel_qty_right_aux_gauge,
    fuel_gauge("Fuel_Qty_Right_Aux", VAR_FUEL_TANK_RIGHT_AUX_LEVEL, fuel_bitmaps::aux_face,
               aux_tank_table, "Fuel level right external tank"));

} // namespace gauge
