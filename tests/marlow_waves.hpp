// The WAVE files Marlow_Instr carries, by resource number, as their format and data
// chunks state them: mono PCM at a sample rate and sample size, and the length of
// the samples in bytes.
#pragma once

#include <cstdint>
#include <map>

struct StatedWave {
    uint32_t rate;
    uint16_t bits;
    uint32_t data_bytes;
};

inline const std::map<uint32_t, StatedWave>& marlow_waves() {
    static const std::map<uint32_t, StatedWave> waves = {{10, {22050, 16, 3828}},
                                                         {20, {22050, 8, 10304}},
                                                         {30, {22050, 16, 6014}},
                                                         {40, {22050, 8, 12554}},
                                                         {50, {44100, 8, 438}}};
    return waves;
}
