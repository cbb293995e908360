// Vertical speed: a needle over a dial in thousands of feet per minute. Pure data.
#include "flight_gauges.hpp"

#include <iterator>

namespace gauge {
namespace {

// Token variable 65: vertical speed in 1/256 metre per second.
constexpr uint32_t vertical_speed = 65;

// One row per 1000 ft/min from -7000 to +7000 (k x 1000 ft/min in 1/256 m/s,
// 1 m = 3.28084 ft). Climb turns clockwise from the left over the top, descent
// counter-clockwise under the bottom; both stop at 6000 ft/min.
constexpr NeedleRow vertical_speed_table[] = {
    {257, 165, -9103.35970869249, 0},   // -7000 (stop)
    {257, 165, -7802.879750307849, 0},  // -6000
    {256, 183, -6502.399791923207, 0},  // -5000
    {247, 206, -5201.919833538565, 0},  // -4000
    {225, 233, -3901.4398751539243, 0}, // -3000
    {178, 261, -2600.9599167692827, 0}, // -2000
    {94, 250, -1300.4799583846413, 0},  // -1000
    {37, 150, 0.0, 0},                  // 0
    {94, 54, 1300.4799583846413, 0},    // 1000
    {178, 41, 2600.9599167692827, 0},   // 2000
    {225, 68, 3901.4398751539243, 0},   // 3000
    {247, 95, 5201.919833538565, 0},    // 4000
    {256, 119, 6502.399791923207, 0},   // 5000
    {257, 136, 7802.879750307849, 0},   // 6000
    {257, 136, 9103.35970869249, 0},    // 7000 (stop)
};

constexpr FailureEntry vertical_speed_failures[] = {{19, FAILURE_ACTION_FREEZE, 0},
                                                    {3, FAILURE_ACTION_ZERO, 0},
                                                    {0, 0, 0}};

} // namespace

constinit NeedleDial vertical_speed_gauge = needle_dial(vertical_speed_gauge, {
    .name = "Vertical_Speed",
    .face = 470,
    .cover = 490,
    .needle = {.bitmap = 480,
               .pivot = {150, 150},
               .needle_offset = {54, 12},
               .image_flags = 0x4083,
               .source = vertical_speed,
               .table = vertical_speed_table,
               .rows = std::size(vertical_speed_table),
               .failures = vertical_speed_failures},
    .area_help_id = 0xAB76,
    .tooltip_help_id = 0x3099,
});

} // namespace gauge
