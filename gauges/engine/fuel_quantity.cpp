// Fuel quantity: one needle gauge per tank, pounds x 100. Pure data. The two main
// tanks share one face and table, the two auxiliary tanks another.
#include "engine_gauges.hpp"
#include "fuel_tables.hpp"

#include <iterator>

namespace gauge {
namespace {

// Token variables: tank levels in the host's tank-level units.
constexpr uint32_t left_main_level = 291;
constexpr uint32_t right_main_level = 297;
constexpr uint32_t left_aux_level = 293;
constexpr uint32_t right_aux_level = 299;

constexpr uint32_t main_face = 3180;
constexpr uint32_t aux_face = 3170;

constexpr FailureEntry fuel_failures[] = {{2, FAILURE_ACTION_NONE, 0},
                                          {20, FAILURE_ACTION_ZERO, 0},
                                          {0, 0, 0}};

template <size_t Rows>
constexpr NeedleDialFields fuel_gauge(const char* name, uint32_t level, uint32_t face,
                                      const NeedleRow (&table)[Rows], const char* tooltip_text) {
    return {.name = name,
            .face = face,
            .cover = 3200,
            .needle = {.bitmap = 3190,
                       .pivot = {150, 150},
                       .needle_offset = {36, 7},
                       .image_flags = lit_moving_flags,
                       .source = level,
                       .table = table,
                       .rows = Rows,
                       .failures = fuel_failures},
            .tooltip_text = tooltip_text};
}

} // namespace

constinit NeedleDial fuel_qty_left_main_gauge = needle_dial(
    fuel_qty_left_main_gauge, fuel_gauge("Fuel_Qty_Left_Main", left_main_level, main_face,
                                         main_tank_table, "Fuel level left main tank"));
constinit NeedleDial fuel_qty_right_main_gauge = needle_dial(
    fuel_qty_right_main_gauge, fuel_gauge("Fuel_Qty_Right_Main", right_main_level, main_face,
                                          main_tank_table, "Fuel level right main tank"));
constinit NeedleDial fuel_qty_left_aux_gauge = needle_dial(
    fuel_qty_left_aux_gauge, fuel_gauge("Fuel_Qty_Left_Aux", left_aux_level, aux_face,
                                        aux_tank_table, "Fuel level left external tank"));
constinit NeedleDial fuel_qty_right_aux_gauge = needle_dial(
    fuel_qty_right_aux_gauge, fuel_gauge("Fuel_Qty_Right_Aux", right_aux_level, aux_face,
                                         aux_tank_table, "Fuel level right external tank"));

} // namespace gauge
