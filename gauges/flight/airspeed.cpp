// Airspeed: a needle over a knots dial. Pure data.
#include "dial_tables.hpp"
#include "flight_gauges.hpp"

#include <iterator>

namespace gauge {
namespace {

// Token variable 61: indicated airspeed, knots.
constexpr uint32_t indicated_airspeed = 61;

constexpr FailureEntry airspeed_failures[] = {{6, FAILURE_ACTION_FREEZE, 0},
                                              {3, FAILURE_ACTION_ZERO, 0},
                                              {0, 0, 0}};

} // namespace

constinit NeedleDial airspeed_gauge = needle_dial(airspeed_gauge, {
    .name = "Airspeed",
    .face = 1020,
    .cover = 1040,
    .needle = {.bitmap = 1030,
               .pivot = {150, 150},
               .needle_offset = {50, 11},
               .image_flags = lit_moving_flags,
               .source = indicated_airspeed,
               .table = airspeed_table,
               .rows = std::size(airspeed_table),
               .failures = airspeed_failures},
    .tooltip_help_id = 0x3002,
});

} // namespace gauge
