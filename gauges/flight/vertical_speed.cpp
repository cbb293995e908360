// Vertical speed: a needle over a dial in thousands of feet per minute. Pure data.
#include "dial_tables.hpp"
#include "flight/flight_bitmaps.hpp"
#include "flight_gauges.hpp"
#include "simulator_numbers.h"

namespace gauge {
namespace {

constexpr auto& vertical_speed_failures =
    failure_list<freeze(FAILURE_VERTICAL_SPEED), zero(FAILURE_PITOT_STATIC)>;

} // namespace

constinit NeedleDial vertical_speed_gauge =
    needle_dial(vertical_speed_gauge,
                {
                    .name = "Vertical_Speed",
                    .face = vertical_speed_bitmaps::dial.face,
                    .cover = vertical_speed_bitmaps::dial.cover,
                    .needle = centre_needle(vertical_speed_bitmaps::dial.needle, VAR_VERTICAL_SPEED,
                                            vertical_speed_table, vertical_speed_failures),
                    .area_help_id = 0xAB76,
                    .tooltip_help_id = 0x3099,
                });

} // namespace gauge
