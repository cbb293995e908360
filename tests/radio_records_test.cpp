// The radio heads' records read back word by word, as a host reads the 32-bit
// format: each element of the chain, its failure list and callback, and each mouse
// area; every word the format does not list is zero.
#include "chain_words.hpp"
#include "gauge_abi.h"
#include "module_library.hpp"
#include "record_words.hpp"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

using namespace panelhost;

namespace {

#if GAUGE_ABI_32BIT

using Failures = std::vector<std::pair<uint32_t, uint32_t>>;

struct Element {
    uint32_t kind; // 0 static image, 2 string, 4 icon
    uint32_t bitmap;
    int32_t x, y;
    uint32_t flags;
    uint32_t source;
    Failures failures;
    bool callback;
    double scale = 1.0; // icons
};

struct Area {
    uint32_t kind; // 1 parent, 2 child, 3 end of parent, 4 help entry, 0 end
    int32_t x = 0, y = 0, w = 0, h = 0;
    int32_t cursor = 0;
    uint32_t events = 0;
    uint32_t help = 0;
    std::string tooltip = "";
};

struct Head {
    std::vector<Element> elements;
    std::vector<Area> areas;
};

const Failures all{{21, 3}};
Failures with(uint32_t key) { return {{21, 3}, {key, 0}}; }

Area parent(int32_t x, int32_t y, int32_t w, int32_t h) { return {1, x, y, w, h, -1}; }
Area help(uint32_t id) { return {4, 0, 0, 0, 0, 0, 0, id}; }
Area tip(const char* text) { return {4, 0, 0, 0, 0, 0, 0, 0, text}; }
Area child(int32_t x, int32_t y, int32_t w, int32_t h, int32_t cursor, uint32_t events) {
    return {2, x, y, w, h, cursor, events};
}
const Area end{3};
const Area list_end{0};

// The knob's eight areas: over the preset window, then on the knob itself.
std::vector<Area> knob_areas(uint32_t whole_events, uint32_t fraction_events,
                             uint32_t knob_whole_events, uint32_t knob_fraction_events) {
    return {child(222, 5, 39, 21, 1, whole_events),       child(222, 26, 39, 21, 2, whole_events),
            child(261, 5, 39, 21, 1, fraction_events),    child(261, 26, 39, 21, 2, fraction_events),
            child(271, 58, 24, 24, 1, knob_whole_events), child(271, 82, 24, 24, 2, knob_whole_events),
            child(295, 58, 24, 24, 1, knob_fraction_events),
            child(295, 82, 24, 24, 2, knob_fraction_events)};
}

template <class T> std::vector<T> joined(std::vector<T> a, const std::vector<T>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Head com_head() {
    Head head;
    head.elements = {
        {0, 2000, 0, 0, 0x3, 0, {}, false},
        {4, 2010, 57, 16, 0x4003, 0, all, false, 0.0},
        {4, 2050, 90, 77, 0x4003, 10, all, true},
        {4, 2020, 163, 19, 0x4003, 10, all, true},
        {2, 0xFFFFFFFF, 215, 16, 0x7, 617, with(9), true},
        {2, 0xFFFFFFFF, 58, 16, 0x7, 23, with(9), true},
        {4, 2030, 90, 77, 0x3, 10, {}, true},
        {4, 2060, 90, 77, 0x7, 10, all, true},
        {4, 2040, 170, 51, 0x7, 0, with(9), true},
        {4, 2010, 57, 16, 0x3, 0, all, true, 0.0},
    };
    head.areas = joined(
        {parent(0, 0, 0, 0), parent(0, 0, 350, 75), help(0x3160), end, parent(228, 75, 122, 39),
         help(0x3160), end, parent(90, 77, 25, 19), tip("COM1 radio main switch"), end},
        knob_areas(0x20200000, 0x20200000, 0x20000000, 0x20000000));
    head.areas = joined(head.areas, {child(90, 77, 25, 19, 5, 0x20000000),
                                     child(163, 19, 25, 19, 5, 0x20000000), end, list_end});
    return head;
}

Head nav_head(int n) {
    uint32_t key = n == 1 ? 14 : 15;
    uint32_t help_id = n == 1 ? 0x3168 : 0x3169;
    std::string name = "NAV" + std::to_string(n);
    Head head;
    head.elements = {
        {0, 1230, 0, 0, 0x3, 0, {}, false},
        {4, 1260, 57, 16, 0x4003, 0, all, false, 0.0},
        {4, 1290, 90, 78, 0x4003, 10, all, true},
        {4, 1280, 163, 20, 0x4003, 10, all, true},
        {2, 0xFFFFFFFF, 215, 16, 0x7, n == 1 ? 872u : 873u, with(key), true},
        {2, 0xFFFFFFFF, 58, 16, 0x7, n == 1 ? 24u : 27u, with(key), true},
        {4, 1250, 126, 77, 0x3, 0, {}, true},
        {4, 1310, 126, 77, 0x7, 10, all, true},
        {4, 1240, 90, 77, 0x3, 10, {}, true},
        {4, 1300, 90, 77, 0x7, 10, all, true},
        {4, 1270, 170, 52, 0x7, 0, with(key), true},
        {4, 1260, 57, 16, 0x3, 0, all, true, 0.0},
    };
    static std::map<int, std::pair<std::string, std::string>> tips;
    tips[n] = {name + " radio main switch", name + " radio Ident switch"};
    head.areas = joined({parent(0, 0, 0, 0), parent(0, 0, 350, 76), help(help_id), end,
                         parent(228, 76, 122, 39), help(help_id), end, parent(90, 77, 25, 19),
                         tip(tips[n].first.c_str()), end, parent(126, 77, 25, 19),
                         tip(tips[n].second.c_str()), end},
                        knob_areas(0x20200000, 0x20200000, 0x20000000, 0x20000000));
    head.areas = joined(head.areas,
                        {child(90, 77, 25, 19, 5, 0x20000000), child(126, 77, 25, 19, 5, 0x20000000),
                         child(163, 20, 25, 19, 5, 0x20000000), end, list_end});
    return head;
}

Head adf_head() {
    const Failures texts{{20, 3}, {21, 3}, {5, 0}};
    Head head;
    head.elements = {
        {0, 2070, 0, 0, 0x3, 0, {}, false},
        {4, 2180, 57, 15, 0x4003, 0, all, false, 0.0},
        {4, 2200, 90, 78, 0x4003, 10, all, true},
        {4, 2250, 163, 20, 0x4003, 10, all, true},
        {2, 0xFFFFFFFF, 215, 15, 0x7, 16, texts, true},
        {2, 0xFFFFFFFF, 58, 15, 0x7, 16, texts, true},
        {4, 2230, 199, 77, 0x3, 0, {}, true},
        {4, 2240, 199, 77, 0x7, 10, all, true},
        {4, 2210, 90, 77, 0x3, 10, {}, true},
        {4, 2220, 90, 77, 0x7, 10, all, true},
        {4, 2190, 170, 50, 0x7, 0, all, true},
        {4, 2180, 57, 15, 0x3, 0, all, true, 0.0},
    };
    head.areas = joined({parent(0, 0, 0, 0), parent(0, 0, 350, 76), help(0x3170), end,
                         parent(228, 76, 122, 39), help(0x3170), end, parent(90, 77, 25, 19),
                         tip("ADF1 radio main switch"), end, parent(199, 77, 25, 19),
                         tip("ADF1 radio Ident switch"), end},
                        knob_areas(0xA0200000, 0x20200000, 0xA0200000, 0x20200000));
    head.areas = joined(head.areas,
                        {child(90, 77, 25, 19, 5, 0x20000000), child(199, 77, 25, 19, 5, 0x20000000),
                         child(163, 20, 25, 19, 5, 0x20000000), end, list_end});
    return head;
}

#endif // GAUGE_ABI_32BIT

class RadioRecords : public MarlowWordsTest<> {};

#if GAUGE_ABI_32BIT

using chain_words::expect_failures;

void expect_element(Words header, Words e, const Element& want, bool last, const std::string& what) {
    EXPECT_EQ(e[0], want.kind) << what;
    EXPECT_EQ(e[1], want.bitmap) << what;
    EXPECT_EQ(int32_t(e[2]), want.x) << what;
    EXPECT_EQ(int32_t(e[3]), want.y) << what;
    EXPECT_EQ(e[8], uint32_t(reinterpret_cast<uintptr_t>(header))) << what;
    EXPECT_EQ(e[10] == 0, last) << what << ": children";
    if (!last) {
        EXPECT_EQ(words(e[10])[1], 0u) << what << ": exactly one child";
    }
    expect_failures(e[11], want.failures, what);
    EXPECT_EQ(e[12], want.flags) << what;
    std::set<size_t> listed{0, 1, 2, 3, 8, 10, 11, 12};
    if (want.kind == 0) {
        expect_unlisted_zero(e, 24, listed, what);
    } else if (want.kind == 4) {
        EXPECT_EQ(e[15], want.source) << what;
        EXPECT_EQ(double_at(e, 25), want.scale) << what;
        EXPECT_EQ(e[28], 1u) << what << ": one image";
        EXPECT_EQ(e[33] != 0, want.callback) << what;
        listed.insert({15, 26, 28, 33});
        if (want.scale != 0) listed.insert(25);
        expect_unlisted_zero(e, 35, listed, what);
    } else {
        EXPECT_EQ(e[15], want.source) << what;
        EXPECT_EQ(e[48], 78u) << what;
        EXPECT_EQ(e[49], 19u) << what;
        EXPECT_EQ(e[52], 0x1E1E1Eu) << what;
        EXPECT_EQ(e[53], 0u) << what;
        EXPECT_EQ(e[54], 0x1E1E1Eu) << what;
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(e + 62)), "Quartz") << what;
        EXPECT_EQ(e[70], 400u) << what;
        EXPECT_EQ(e[71], 1u) << what;
        EXPECT_EQ(e[72], 0x25u) << what;
        EXPECT_EQ(e[73], 6u) << what;
        EXPECT_NE(e[78], 0u) << what;
        listed.insert({15, 48, 49, 52, 54, 62, 63, 70, 71, 72, 73, 78});
        expect_unlisted_zero(e, 81, listed, what);
    }
}

void expect_area(Words a, const Area& want, const std::string& what) {
    EXPECT_EQ(a[0], want.kind) << what;
    std::set<size_t> listed{0};
    if (want.kind == 1 || want.kind == 2) {
        EXPECT_EQ(int32_t(a[1]), want.x) << what;
        EXPECT_EQ(int32_t(a[2]), want.y) << what;
        EXPECT_EQ(int32_t(a[3]), want.w) << what;
        EXPECT_EQ(int32_t(a[4]), want.h) << what;
        EXPECT_EQ(int32_t(a[5]), want.cursor) << what;
        listed.insert({1, 2, 3, 4, 5});
    }
    if (want.kind == 2) {
        EXPECT_EQ(a[7], want.events) << what;
        EXPECT_NE(a[9], 0u) << what << ": callback";
        listed.insert({7, 9});
    }
    if (want.kind == 4) {
        EXPECT_EQ(a[6], want.help) << what;
        if (want.tooltip.empty()) {
            EXPECT_EQ(a[9], 0u) << what;
        } else {
            ASSERT_NE(a[9], 0u) << what;
            EXPECT_EQ(string_at(a[9]), want.tooltip) << what;
        }
        listed.insert({6, 9});
    }
    expect_unlisted_zero(a, 11, listed, what);
}

#endif // GAUGE_ABI_32BIT

TEST_F(RadioRecords, EveryHeadWordByWord) {
#if GAUGE_ABI_32BIT
    const std::vector<std::pair<std::string, Head>> heads = {
        {"Becker_NR3320_NAV1", nav_head(1)},
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

        Words roots = words(header[2]);
        EXPECT_EQ(roots[1], 0u);
        Words e = words(roots[0]);
        for (size_t k = 0; k < head.elements.size(); ++k) {
            ASSERT_NE(e, nullptr);
            bool last = k + 1 == head.elements.size();
            expect_element(header, e, head.elements[k], last, "element " + std::to_string(k + 1));
            if (!last) e = words(words(e[10])[0]);
        }

        Words area = words(header[20]);
        for (size_t k = 0; k < head.areas.size(); ++k)
            expect_area(area + 11 * k, head.areas[k], "area " + std::to_string(k + 1));
    }
#endif
}

} // namespace
