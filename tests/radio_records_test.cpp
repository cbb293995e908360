// The radio heads' records read back word by word, as a host reads the 32-bit
// format: each element of the chain, its failure list and callback, and each mouse
// area; every word the format does not list is zero.
#include "chain_words.hpp"
#include "gauge_abi.h"
#include "module_library.hpp"
#include "record_words.hpp"
#include "simulator_numbers.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

using namespace panelhost;

namespace {

#if GAUGE_ABI_32BIT

using namespace chain_words;

const Failures all{{FAILURE_AVIONICS, 3}};
Failures with(uint32_t key) { return {{FAILURE_AVIONICS, 3}, {key, 0}}; }

// The frequency windows: six characters of "Quartz" in a 78 x 19 box.
Element window(int32_t x, int32_t y, uint32_t source, Failures failures) {
    return display_text(x, y, 0x7, {source}, 78, 19, 6, 0x1E1E1E, 0x1E1E1E, failures);
}

// The knob's eight areas: over the preset window, then on the knob itself.
std::vector<Mouse> knob_areas(uint32_t whole_events, uint32_t fraction_events,
                              uint32_t knob_whole_events, uint32_t knob_fraction_events) {
    return {click(222, 5, 39, 21, 1, whole_events),
            click(222, 26, 39, 21, 2, whole_events),
            click(261, 5, 39, 21, 1, fraction_events),
            click(261, 26, 39, 21, 2, fraction_events),
            click(271, 58, 24, 24, 1, knob_whole_events),
            click(271, 82, 24, 24, 2, knob_whole_events),
            click(295, 58, 24, 24, 1, knob_fraction_events),
            click(295, 82, 24, 24, 2, knob_fraction_events)};
}

// A switch on the lower edge: dark (shown by `source`) and lit with the panel lights.
std::vector<Element> switch_icons(uint32_t dark, uint32_t lit, int32_t x, uint32_t source) {
    return {icon(dark, x, 77, 0x3, source, 1.0, {}),
            icon(lit, x, 77, 0x7, VAR_PANEL_LIGHTING, 1.0, all)};
}

// What tells one radio head from another. Each head draws its face, the display
// plate, the lit main switch (x 90) and transfer button (x 163, 58 above it), the
// standby (right) and active (left) windows, its switches, its failure flag and the
// plate again over all; its mouse list covers the two help areas, the switches'
// tooltips, the tuning knob, and the switches' and transfer button's clicks.
struct HeadLayout {
    std::string label; // as the switches' tooltips name the radio
    struct {
        uint32_t face, plate, lit_main, lit_transfer;
    } art;
    struct {
        int32_t plate, lit_main; // the windows stand level with the plate
        int32_t help_split;      // where the upper help area meets the lower
    } tops;
    struct {
        uint32_t standby, active;
        Failures failures;
    } windows;
    std::vector<Element> switches; // dark and lit, in chain order
    Element flag;
    uint32_t help_id;
    std::optional<int32_t> ident; // the Ident switch's x, on the heads that have one
    std::vector<Mouse> knob;
};

Gauge radio_head(const HeadLayout& head) {
    const int32_t transfer_top = head.tops.lit_main - 58;
    std::vector<Element> chain = {
        static_image(head.art.face, 0, 0, 0x3),
        icon(head.art.plate, 57, head.tops.plate, 0x4003, 0, 0.0, all, false),
        icon(head.art.lit_main, 90, head.tops.lit_main, 0x4003, VAR_PANEL_LIGHTING, 1.0, all),
        icon(head.art.lit_transfer, 163, transfer_top, 0x4003, VAR_PANEL_LIGHTING, 1.0, all),
        window(215, head.tops.plate, head.windows.standby, head.windows.failures),
        window(58, head.tops.plate, head.windows.active, head.windows.failures),
    };
    chain.insert(chain.end(), head.switches.begin(), head.switches.end());
    chain.push_back(head.flag);
    chain.push_back(icon(head.art.plate, 57, head.tops.plate, 0x3, 0, 0.0, all));

    const int32_t split = head.tops.help_split;
    std::vector<Mouse> mouse = {
        whole_gauge(), area(0, 0, 350, split),    help_entry(head.help_id),
        area_end,      area(228, split, 122, 39), help_entry(head.help_id),
        area_end,      area(90, 77, 25, 19),      tooltip(head.label + " radio main switch"),
        area_end};
    if (head.ident) {
        mouse.insert(mouse.end(), {area(*head.ident, 77, 25, 19),
                                   tooltip(head.label + " radio Ident switch"), area_end});
    }
    mouse.insert(mouse.end(), head.knob.begin(), head.knob.end());
    mouse.push_back(click(90, 77, 25, 19, 5, 0x20000000));
    if (head.ident) mouse.push_back(click(*head.ident, 77, 25, 19, 5, 0x20000000));
    mouse.insert(mouse.end(),
                 {click(163, transfer_top, 25, 19, 5, 0x20000000), area_end, list_end});
    return {100, true, chain, mouse};
}

template <class T> std::vector<T> joined(std::vector<T> a, const std::vector<T>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

HeadLayout nav_head(int n) {
    const uint32_t key = n == 1 ? FAILURE_NAV1_RECEIVER : FAILURE_NAV2_RECEIVER;
    return {.label = "NAV" + std::to_string(n),
            .art = {.face = 1230, .plate = 1260, .lit_main = 1290, .lit_transfer = 1280},
            .tops = {.plate = 16, .lit_main = 78, .help_split = 76},
            .windows = {n == 1 ? VAR_NAV1_STANDBY_FREQUENCY : VAR_NAV2_STANDBY_FREQUENCY,
                        n == 1 ? VAR_NAV1_FREQUENCY : VAR_NAV2_FREQUENCY, with(key)},
            .switches = joined(switch_icons(1250, 1310, 126, 0),
                               switch_icons(1240, 1300, 90, VAR_PANEL_LIGHTING)),
            .flag = icon(1270, 170, 52, 0x7, 0, 1.0, with(key)),
            .help_id = n == 1 ? 0x3168u : 0x3169u,
            .ident = 126,
            .knob = knob_areas(0x20200000, 0x20200000, 0x20000000, 0x20000000)};
}

HeadLayout com_head() {
    return {.label = "COM1",
            .art = {.face = 2000, .plate = 2010, .lit_main = 2050, .lit_transfer = 2020},
            .tops = {.plate = 16, .lit_main = 77, .help_split = 75},
            .windows = {VAR_COM_STANDBY_FREQUENCY, VAR_COM_FREQUENCY, with(FAILURE_COM_RADIO)},
            .switches = switch_icons(2030, 2060, 90, VAR_PANEL_LIGHTING),
            .flag = icon(2040, 170, 51, 0x7, 0, 1.0, with(FAILURE_COM_RADIO)),
            .help_id = 0x3160,
            .knob = knob_areas(0x20200000, 0x20200000, 0x20000000, 0x20000000)};
}

HeadLayout adf_head() {
    const Failures texts{{FAILURE_ELECTRICAL, 3}, {FAILURE_AVIONICS, 3}, {FAILURE_ADF_RECEIVER, 0}};
    return {.label = "ADF1",
            .art = {.face = 2070, .plate = 2180, .lit_main = 2200, .lit_transfer = 2250},
            .tops = {.plate = 15, .lit_main = 78, .help_split = 76},
            .windows = {VAR_ADF_FREQUENCY, VAR_ADF_FREQUENCY, texts},
            .switches = joined(switch_icons(2230, 2240, 199, 0),
                               switch_icons(2210, 2220, 90, VAR_PANEL_LIGHTING)),
            .flag = icon(2190, 170, 50, 0x7, 0, 1.0, all),
            .help_id = 0x3170,
            .ident = 199,
            .knob = knob_areas(0xA0200000, 0x20200000, 0xA0200000, 0x20200000)};
}

#endif // GAUGE_ABI_32BIT

class RadioRecords : public MarlowWordsTest<> {};

TEST_F(RadioRecords, EveryHeadWordByWord) {
#if GAUGE_ABI_32BIT
    const std::vector<std::pair<std::string, HeadLayout>> heads = {
        {"Becker_NR3320_NAV1", nav_head(1)},
        {"Becker_NR3320_NAV2", nav_head(2)},
        {"Becker_AR3202_COM1", com_head()},
        {"Becker_AD3502_ADF", adf_head()}};
    const Publication order(linkage);
    for (size_t i = 0; i < heads.size(); ++i) {
        const auto& [name, head] = heads[i];
        SCOPED_TRACE(name);
        EXPECT_EQ(order.at(name), ptrdiff_t(14 + i)) << "registry places it " << 15 + i;
        expect_published(linkage, name, radio_head(head));
    }
#endif
}

} // namespace
