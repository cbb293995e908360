// Key events of the radio stack. The host keeps each COM and NAV frequency as four
// BCD digits of megahertz without the leading "1" (0x2150 is 121.50 MHz); the knobs'
// events step the preset frequency and wrap inside the band the way a real set does:
// the megahertz wrap round at the band's ends and the fraction wraps inside its
// megahertz without carrying. COM channels are 25 kHz apart and show two decimals
// (118.025 shows 118.02), NAV channels 50 kHz apart.
//
// The ADF's active frequency is set whole by its two set events; the identifier
// audio of each receiver is the named value its ident events switch.
#include "effects/key_event_effects.hpp"
#include "simulation.hpp"

#include <cmath>

namespace panelhost {
namespace {

struct Band {
    uint32_t active;
    uint32_t preset;
    int lowest_mhz;
    int highest_mhz;
    int channel_khz;
};

constexpr Band com_band{23, 617, 118, 136, 25};
constexpr Band nav1_band{24, 872, 108, 117, 50};
constexpr Band nav2_band{27, 873, 108, 117, 50};

struct Frequency {
    int mhz = 0;      // 108 ... 136
    int channel = 0;  // channel within the megahertz
};

int bcd_byte(uint32_t byte) { return int(byte >> 4 & 0xF) * 10 + int(byte & 0xF); }
uint32_t to_bcd_byte(int value) { return uint32_t(value / 10 << 4 | value % 10); }

uint32_t word(const Simulation& simulation, uint32_t variable) {
    double value = simulation.get(variable);
    return std::isfinite(value) && value >= 0 ? uint32_t(std::fmod(value, 4294967296.0)) : 0;
}

Frequency read(const Simulation& simulation, const Band& band) {
    uint32_t v = word(simulation, band.preset);
    int mhz = 100 + bcd_byte(v >> 8 & 0xFF);
    int hundredths = bcd_byte(v & 0xFF);
    // The channel whose frequency, cut to two decimals, is the one shown.
    int channel = (hundredths * 10 + band.channel_khz / 5) / band.channel_khz;
    return {mhz, channel};
}

void write(Simulation& simulation, const Band& band, Frequency f) {
    int channels = 1000 / band.channel_khz;
    int span = band.highest_mhz - band.lowest_mhz + 1;
    f.mhz = band.lowest_mhz + ((f.mhz - band.lowest_mhz) % span + span) % span;
    f.channel = (f.channel % channels + channels) % channels;
    int hundredths = f.channel * band.channel_khz / 10;
    simulation.set(band.preset,
                   double(to_bcd_byte(f.mhz - 100) << 8 | to_bcd_byte(hundredths)));
}

void add_band(KeyEventEffects& effects, const Band& band, uint32_t whole_down,
              uint32_t swap_event) {
    auto step = [&band](int mhz, int channels) {
        return [&band, mhz, channels](Simulation& simulation, uint32_t) {
            Frequency f = read(simulation, band);
            write(simulation, band, {f.mhz + mhz, f.channel + channels});
        };
    };
    effects[whole_down] = step(-1, 0);
    effects[whole_down + 1] = step(+1, 0);
    effects[whole_down + 2] = step(0, -1);
    effects[whole_down + 3] = step(0, +1);
    effects[swap_event] = [&band](Simulation& simulation, uint32_t) {
        double active = simulation.get(band.active);
        simulation.set(band.active, simulation.get(band.preset));
        simulation.set(band.preset, active);
    };
}

constexpr uint32_t adf_digits = 16; // hundreds, tens, units of kHz in BCD
constexpr uint32_t adf_tenths = 18; // tenths digit, 0x100 added for 1000 kHz and more

void add_ident(KeyEventEffects& effects, uint32_t on_event, uint32_t off_event,
               const char* sound) {
    effects[on_event] = [sound](Simulation& simulation, uint32_t) {
        simulation.set_named(sound, 1);
    };
    effects[off_event] = [sound](Simulation& simulation, uint32_t) {
        simulation.set_named(sound, 0);
    };
}

} // namespace

void add_radio_effects(KeyEventEffects& effects) {
    add_band(effects, com_band, 0x10064, 0x10344);
    add_band(effects, nav1_band, 0x10068, 0x10390);
    add_band(effects, nav2_band, 0x1006C, 0x10394);

    // The value is the frequency in tenths of a kilohertz as BCD digits: four of them
    // below 1000 kHz, the four below the thousands digit from 1000 kHz.
    effects[0x1024A] = [](Simulation& simulation, uint32_t value) {
        simulation.set(adf_digits, double(value >> 4 & 0xFFF));
        simulation.set(adf_tenths, double(value & 0xF));
    };
    effects[0x1024B] = [](Simulation& simulation, uint32_t value) {
        simulation.set(adf_digits, double(value >> 4 & 0xFFF));
        simulation.set(adf_tenths, double(0x100 | (value & 0xF)));
    };

    add_ident(effects, 0x1012D, 0x10128, "NAV SOUND:1,bool");
    add_ident(effects, 0x1012E, 0x10129, "NAV SOUND:2,bool");
    add_ident(effects, 0x10131, 0x1012C, "ADF SOUND,bool");
}

} // namespace panelhost
