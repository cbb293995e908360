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
#include "simulator_numbers.h"

#include <cmath>

namespace panelhost {
namespace {

// The events of one set's knobs and transfer button.
struct TuningEvents {
    uint32_t whole_down;
    uint32_t whole_up;
    uint32_t fraction_down;
    uint32_t fraction_up;
    uint32_t swap;
};

struct Band {
    uint32_t active;
    uint32_t preset;
    TuningEvents events;
    int lowest_mhz;
    int highest_mhz;
    int channel_khz;
};

constexpr TuningEvents com_events{KEY_COM_WHOLE_DEC, KEY_COM_WHOLE_INC, KEY_COM_FRACTION_DEC,
                                  KEY_COM_FRACTION_INC, KEY_COM_STANDBY_SWAP};
constexpr TuningEvents nav1_events{KEY_NAV1_WHOLE_DEC, KEY_NAV1_WHOLE_INC, KEY_NAV1_FRACTION_DEC,
                                   KEY_NAV1_FRACTION_INC, KEY_NAV1_STANDBY_SWAP};
constexpr TuningEvents nav2_events{KEY_NAV2_WHOLE_DEC, KEY_NAV2_WHOLE_INC, KEY_NAV2_FRACTION_DEC,
                                   KEY_NAV2_FRACTION_INC, KEY_NAV2_STANDBY_SWAP};

constexpr Band com_band{VAR_COM_FREQUENCY, VAR_COM_STANDBY_FREQUENCY, com_events, 118, 136, 25};
constexpr Band nav1_band{VAR_NAV1_FREQUENCY, VAR_NAV1_STANDBY_FREQUENCY, nav1_events, 108, 117, 50};
constexpr Band nav2_band{VAR_NAV2_FREQUENCY, VAR_NAV2_STANDBY_FREQUENCY, nav2_events, 108, 117, 50};

struct Frequency {
    int mhz = 0;     // 108 ... 136
    int channel = 0; // channel within the megahertz
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
    simulation.set(band.preset, double(to_bcd_byte(f.mhz - 100) << 8 | to_bcd_byte(hundredths)));
}

void add_band(KeyEventEffects& effects, const Band& band) {
    auto step = [&band](int mhz, int channels) {
        return [&band, mhz, channels](Simulation& simulation, uint32_t) {
            Frequency f = read(simulation, band);
            write(simulation, band, {f.mhz + mhz, f.channel + channels});
        };
    };
    effects[band.events.whole_down] = step(-1, 0);
    effects[band.events.whole_up] = step(+1, 0);
    effects[band.events.fraction_down] = step(0, -1);
    effects[band.events.fraction_up] = step(0, +1);
    effects[band.events.swap] = [&band](Simulation& simulation, uint32_t) {
        double active = simulation.get(band.active);
        simulation.set(band.active, simulation.get(band.preset));
        simulation.set(band.preset, active);
    };
}

void add_ident(KeyEventEffects& effects, uint32_t on_event, uint32_t off_event, const char* sound) {
    effects[on_event] = [sound](Simulation& simulation, uint32_t) {
        simulation.set_named(sound, 1);
    };
    effects[off_event] = [sound](Simulation& simulation, uint32_t) {
        simulation.set_named(sound, 0);
    };
}

} // namespace

void add_radio_effects(KeyEventEffects& effects) {
    add_band(effects, com_band);
    add_band(effects, nav1_band);
    add_band(effects, nav2_band);

    // The value is the frequency in tenths of a kilohertz as BCD digits: four of them
    // below 1000 kHz, the four below the thousands digit from 1000 kHz. The tenths
    // variable carries 0x100 from 1000 kHz.
    effects[KEY_ADF_FREQUENCY_SET] = [](Simulation& simulation, uint32_t value) {
        simulation.set(VAR_ADF_FREQUENCY, double(value >> 4 & 0xFFF));
        simulation.set(VAR_ADF_FREQUENCY_TENTHS, double(value & 0xF));
    };
    effects[KEY_ADF_FREQUENCY_HIGH_SET] = [](Simulation& simulation, uint32_t value) {
        simulation.set(VAR_ADF_FREQUENCY, double(value >> 4 & 0xFFF));
        simulation.set(VAR_ADF_FREQUENCY_TENTHS, double(0x100 | (value & 0xF)));
    };

    add_ident(effects, KEY_NAV1_IDENT_ON, KEY_NAV1_IDENT_OFF, "NAV SOUND:1,bool");
    add_ident(effects, KEY_NAV2_IDENT_ON, KEY_NAV2_IDENT_OFF, "NAV SOUND:2,bool");
    add_ident(effects, KEY_ADF_IDENT_ON, KEY_ADF_IDENT_OFF, "ADF SOUND,bool");
}

} // namespace panelhost
