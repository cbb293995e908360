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
#include <string>
#include <utility>
#include <vector>

using namespace panelhost;

namespace {

#if GAUGE_ABI_32BIT

using namespace chain_words;

struct Head {
    std::vector<Element> elements;
    std::vector<Mouse> areas;
};

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

template <class T> std::vector<T> joined(std::vector<T> a, const std::vector<T>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Head com_head() {
    Head head;
    head.elements = {
        static_image(2000, 0, 0, 0x3),
        icon(2010, 57, 16, 0x4003, 0, 0.0, all, false),
        icon(2050, 90, 77, 0x4003, VAR_PANEL_LIGHTING, 1.0, all),
        icon(2020, 163, 19, 0x4003, VAR_PANEL_LIGHTING, 1.0, all),
        window(215, 16, VAR_COM_STANDBY_FREQUENCY, with(FAILURE_COM_RADIO)),
        window(58, 16, VAR_COM_FREQUENCY, with(FAILURE_COM_RADIO)),
        icon(2030, 90, 77, 0x3, VAR_PANEL_LIGHTING, 1.0, {}),
        icon(2060, 90, 77, 0x7, VAR_PANEL_LIGHTING, 1.0, all),
        icon(2040, 170, 51, 0x7, 0, 1.0, with(FAILURE_COM_RADIO)),
        icon(2010, 57, 16, 0x3, 0, 0.0, all),
    };
    head.areas = joined({whole_gauge(), area(0, 0, 350, 75), help_entry(0x3160), area_end,
                         area(228, 75, 122, 39), help_entry(0x3160), area_end, area(90, 77, 25, 19),
                         tooltip("COM1 radio main switch"), area_end},
                        knob_areas(0x20200000, 0x20200000, 0x20000000, 0x20000000));
    head.areas = joined(head.areas, {click(90, 77, 25, 19, 5, 0x20000000),
                                     click(163, 19, 25, 19, 5, 0x20000000), area_end, list_end});
    return head;
}

Head nav_head(int n) {
    uint32_t key = n == 1 ? FAILURE_NAV1_RECEIVER : FAILURE_NAV2_RECEIVER;
    uint32_t help_id = n == 1 ? 0x3168 : 0x3169;
    std::string name = "NAV" + std::to_string(n);
    Head head;
    head.elements = {
        static_image(1230, 0, 0, 0x3),
        icon(1260, 57, 16, 0x4003, 0, 0.0, all, false),
        icon(1290, 90, 78, 0x4003, VAR_PANEL_LIGHTING, 1.0, all),
        icon(1280, 163, 20, 0x4003, VAR_PANEL_LIGHTING, 1.0, all),
        window(215, 16, n == 1 ? VAR_NAV1_STANDBY_FREQUENCY : VAR_NAV2_STANDBY_FREQUENCY,
               with(key)),
        window(58, 16, n == 1 ? VAR_NAV1_FREQUENCY : VAR_NAV2_FREQUENCY, with(key)),
        icon(1250, 126, 77, 0x3, 0, 1.0, {}),
        icon(1310, 126, 77, 0x7, VAR_PANEL_LIGHTING, 1.0, all),
        icon(1240, 90, 77, 0x3, VAR_PANEL_LIGHTING, 1.0, {}),
        icon(1300, 90, 77, 0x7, VAR_PANEL_LIGHTING, 1.0, all),
        icon(1270, 170, 52, 0x7, 0, 1.0, with(key)),
        icon(1260, 57, 16, 0x3, 0, 0.0, all),
    };
    head.areas = joined({whole_gauge(), area(0, 0, 350, 76), help_entry(help_id), area_end,
                         area(228, 76, 122, 39), help_entry(help_id), area_end,
                         area(90, 77, 25, 19), tooltip(name + " radio main switch"), area_end,
                         area(126, 77, 25, 19), tooltip(name + " radio Ident switch"), area_end},
                        knob_areas(0x20200000, 0x20200000, 0x20000000, 0x20000000));
    head.areas = joined(head.areas, {click(90, 77, 25, 19, 5, 0x20000000),
                                     click(126, 77, 25, 19, 5, 0x20000000),
                                     click(163, 20, 25, 19, 5, 0x20000000), area_end, list_end});
    return head;
}

Head adf_head() {
    const Failures texts{{FAILURE_ELECTRICAL, 3}, {FAILURE_AVIONICS, 3}, {FAILURE_ADF_RECEIVER, 0}};
    Head head;
    head.elements = {
        static_image(2070, 0, 0, 0x3),
        icon(2180, 57, 15, 0x4003, 0, 0.0, all, false),
        icon(2200, 90, 78, 0x4003, VAR_PANEL_LIGHTING, 1.0, all),
        icon(2250, 163, 20, 0x4003, VAR_PANEL_LIGHTING, 1.0, all),
        window(215, 15, VAR_ADF_FREQUENCY, texts),
        window(58, 15, VAR_ADF_FREQUENCY, texts),
        icon(2230, 199, 77, 0x3, 0, 1.0, {}),
        icon(2240, 199, 77, 0x7, VAR_PANEL_LIGHTING, 1.0, all),
        icon(2210, 90, 77, 0x3, VAR_PANEL_LIGHTING, 1.0, {}),
        icon(2220, 90, 77, 0x7, VAR_PANEL_LIGHTING, 1.0, all),
        icon(2190, 170, 50, 0x7, 0, 1.0, all),
        icon(2180, 57, 15, 0x3, 0, 0.0, all),
    };
    head.areas = joined({whole_gauge(), area(0, 0, 350, 76), help_entry(0x3170), area_end,
                         area(228, 76, 122, 39), help_entry(0x3170), area_end, area(90, 77, 25, 19),
                         tooltip("ADF1 radio main switch"), area_end, area(199, 77, 25, 19),
                         tooltip("ADF1 radio Ident switch"), area_end},
                        knob_areas(0xA0200000, 0x20200000, 0xA0200000, 0x20200000));
    head.areas = joined(head.areas, {click(90, 77, 25, 19, 5, 0x20000000),
                                     click(199, 77, 25, 19, 5, 0x20000000),
                                     click(163, 20, 25, 19, 5, 0x20000000), area_end, list_end});
    return head;
}

#endif // GAUGE_ABI_32BIT

class RadioRecords : public MarlowWordsTest<> {};

TEST_F(RadioRecords, EveryHeadWordByWord) {
#if GAUGE_ABI_32BIT
    const std::vector<std::pair<std::string, Head>> heads = {{"Becker_NR3320_NAV1", nav_head(1)},
                                                             {"Becker_NR3320_NAV2", nav_head(2)},
                                                             {"Becker_AR3202_COM1", com_head()},
                                                             {"Becker_AD3502_ADF", adf_head()}};
    for (size_t i = 0; i < heads.size(); ++i) {
        const auto& [name, head] = heads[i];
        SCOPED_TRACE(name);
        Words header = words(linkage[6 + 14 + i]);
        ASSERT_NE(header, nullptr);
        ASSERT_EQ(string_at(header[1]), name) << "registry places it " << 15 + i;
        EXPECT_EQ(header[11], 100u);
        EXPECT_NE(header[21], 0u) << "gauge callback";

        EXPECT_EQ(expect_chain(header, head.elements, name).size(), head.elements.size());
        expect_mouse(header, head.areas, name);
    }
#endif
}

} // namespace
