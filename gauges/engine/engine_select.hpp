// Engine selection for the engine instruments. The gauges' records name engine 1;
// at installation the gauge callback reads the engine number from the parameter
// string and moves every per-engine identifier of the instance (token variables,
// key events, help ids) to that engine's member of its family: id + (n - 1) x stride.
#pragma once

#include "gauge_abi.h"

#include <cstdint>
#include <span>

namespace gauge {

// A range of identifiers, bounds included, whose engine members lie `stride` apart.
template <typename Id> struct StrideRange {
    Id low;
    Id high;
    uint32_t stride;
};

// Token variables, compared as signed integers.
inline constexpr StrideRange<int32_t> token_var_stride[] = {
    {127, 161, 35}, {390, 428, 39}, {558, 567, 10}, {608, 608, 1}, {624, 642, 19},
    {700, 707, 8},  {732, 733, 2},  {761, 762, 2},  {801, 801, 1}, {883, 883, 1},
    {887, 887, 1},  {891, 891, 1},  {895, 895, 1},  {899, 899, 1},
};

// Key events, compared as unsigned integers.
inline constexpr StrideRange<uint32_t> key_event_stride[] = {
    {0x10002, 0x10002, 1}, {0x1011C, 0x1011C, 1}, {0x1017F, 0x1017F, 1}, {0x10183, 0x10183, 1},
    {0x10187, 0x1018C, 6}, {0x101AB, 0x101AF, 5}, {0x101BF, 0x101C3, 5}, {0x101D3, 0x101D7, 5},
    {0x10221, 0x10223, 3}, {0x1024E, 0x1024F, 2}, {0x102FC, 0x102FC, 1}, {0x10309, 0x10309, 1},
    {0x10319, 0x1031A, 2}, {0x10324, 0x10324, 1}, {0x10329, 0x10329, 1}, {0x1032D, 0x1032D, 1},
    {0x10337, 0x10337, 1}, {0x1033B, 0x1033B, 1}, {0x10360, 0x10360, 1}, {0x10374, 0x10376, 3},
    {0x103B4, 0x103B4, 1}, {0x103B8, 0x103B8, 1}, {0x103BE, 0x103BE, 1}, {0x103E9, 0x103E9, 1},
    {0x1044B, 0x1044B, 1}, {0x10450, 0x10450, 1}, {0x10455, 0x10455, 1},
};

// Help ids: each of these has stride 1.
inline constexpr StrideRange<uint32_t> help_id_stride[] = {
    {12449, 12449, 1}, {12457, 12457, 1}, {12465, 12465, 1}, {12481, 12481, 1}, {12486, 12486, 1},
    {12491, 12491, 1}, {12497, 12497, 1}, {12505, 12505, 1}, {12513, 12513, 1}, {12521, 12521, 1},
    {12529, 12529, 1}, {12537, 12537, 1}, {12545, 12545, 1}, {12553, 12553, 1}, {12689, 12689, 1},
    {12697, 12697, 1}, {12705, 12705, 1}, {12713, 12713, 1}, {12737, 12737, 1}, {12742, 12742, 1},
    {12747, 12747, 1}, {12753, 12753, 1}, {12758, 12758, 1}, {12769, 12769, 1}, {12777, 12777, 1},
    {12793, 12793, 1}, {12817, 12817, 1}, {12851, 12851, 1}, {12945, 12945, 1}, {12960, 12960, 1},
    {12968, 12968, 1}, {12977, 12977, 1}, {13016, 13016, 1}, {13033, 13033, 1}, {13041, 13041, 1},
    {13137, 13137, 1}, {13148, 13148, 1}, {13150, 13150, 1}, {13161, 13161, 1}, {13163, 13163, 1},
    {13200, 13200, 1}, {13268, 13268, 1},
};

// The engine (1 to 4) an instance's parameter string names: the first of "1", "2",
// "3", "4" found as an option decides; an absent instance or string, or none
// found, is engine 1.
int engine_number_of(const GaugeHeader* gauge);

// `engine_one_id` moved to engine `engine`'s member of its family; an id in no
// range of the table (0 included) stays as it is.
uint32_t engine_shift_id(uint32_t engine_one_id, int engine,
                         std::span<const StrideRange<int32_t>> table);
uint32_t engine_shift_id(uint32_t engine_one_id, int engine,
                         std::span<const StrideRange<uint32_t>> table);

// The gauge callback of the engine-selectable gauges. At service 2 it rewrites the
// instance's per-engine identifiers for its engine. Each identifier is taken from
// the published records, which always hold engine 1, so a second installation of
// the same instance gives the same result as the first.
void GAUGE_CALL engine_gauge_callback(GaugeHeader* gauge, int32_t service, uintptr_t extra);

} // namespace gauge
