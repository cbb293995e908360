// Airspeed: a needle over a knots dial. Pure data.
#include "flight_gauges.hpp"

#include <iterator>

namespace gauge {
namespace {

// Token variable 61: indicated airspeed, knots.
constexpr uint32_t indicated_airspeed = 61;

// The needle rests just left of the top below 0 knots, points up at 60, right at
// 120, down near 200, and stops at 420 after nearly a full clockwise turn.
constexpr NeedleRow airspeed_table[] = {
    {122, 44, -1, 0},  {122, 44, 0, 0},   {150, 37, 60, 0},  {204, 54, 80, 0},
    {260, 150, 120, 0}, {230, 230, 150, 0}, {123, 258, 200, 0}, {66, 223, 250, 0},
    {43, 171, 300, 0},  {49, 115, 350, 0},  {78, 67, 400, 0},  {97, 54, 420, 0},
    {97, 54, 500, 0},
};

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
               .image_flags = 0x4083,
               .source = indicated_airspeed,
               .table = airspeed_table,
               .rows = std::size(airspeed_table),
               .failures = airspeed_failures},
    .tooltip_help_id = 0x3002,
});

} // namespace gauge
