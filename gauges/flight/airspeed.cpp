// Airspeed: a needle over a knots dial. Pure data.
#include "dial_tables.hpp"
#include "flight/flight_bitmaps.hpp"
#include "flight_gauges.hpp"
#include "simulator_numbers.h"

namespace gauge {
namespace {

constexpr auto& airspeed_failures =
    failure_list<freeze(FAILURE_AIRSPEED), zero(FAILURE_PITOT_STATIC)>;

} // namespace

constinit NeedleDial airspeed_gauge = needle_dial(
    airspeed_gauge, {
                        .name = "Airspeed",
                        .face = airspeed_bitmaps::dial.face,
                        .cover = airspeed_bitmaps::dial.cover,
                        .needle = centre_needle(airspeed_bitmaps::dial.needle, VAR_AIRSPEED,
                                                airspeed_table, airspeed_failures),
                        .tooltip_help_id = 0x3002,
                    });

} // namespace gauge
