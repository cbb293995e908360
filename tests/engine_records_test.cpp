// The engine instruments' and the flaps and gear indicator's exported records, read
// word by word as the host reads the 32-bit format: every listed word holds its
// value, pointers lead to the right tables and lists, and every word the format
// does not list is zero. The records name engine 1.
#include "gauge_abi.h"
#include "module_library.hpp"
#include "record_words.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

using namespace panelhost;

namespace {

#if GAUGE_ABI_32BIT

using Failures = std::vector<std::pair<uint32_t, uint32_t>>;

struct Row {
    int32_t x, y;
    double value;
};

// One element: the words it must hold, the words that hold callbacks (non-zero),
// its failure list and needle table. Every other word but the chain's own
// pointers (gauge, children) must be zero.
struct Element {
    uint32_t length;
    std::map<size_t, uint32_t> words;
    std::set<size_t> callbacks;
    Failures failures;
    std::vector<Row> table;
};

// Builders of the listed words, by element kind.
struct WordList {
    std::map<size_t, uint32_t> map;

    WordList& word(size_t at, uint32_t value) {
        map[at] = value;
        return *this;
    }
    WordList& signed_word(size_t at, int32_t value) { return word(at, uint32_t(value)); }
    WordList& number(size_t at, double value) {
        auto bits = std::bit_cast<uint64_t>(value);
        return word(at, uint32_t(bits)).word(at + 1, uint32_t(bits >> 32));
    }
    WordList& single(size_t at, float value) { return word(at, std::bit_cast<uint32_t>(value)); }
};

WordList common(uint32_t kind, uint32_t bitmap, int32_t x, int32_t y, uint32_t flags,
                int32_t offset_x = 0, int32_t offset_y = 0) {
    WordList w;
    w.word(0, kind).word(1, bitmap).signed_word(2, x).signed_word(3, y);
    w.signed_word(6, offset_x).signed_word(7, offset_y).word(12, flags);
    return w;
}

Element static_image(uint32_t bitmap, int32_t x, int32_t y, uint32_t flags) {
    return {24, common(0, bitmap, x, y, flags).map, {}, {}, {}};
}

Element needle(uint32_t bitmap, int32_t pivot_x, int32_t pivot_y, int32_t offset_x,
               int32_t offset_y, uint32_t flags, uint32_t source, std::vector<Row> table,
               Failures failures, bool callback) {
    WordList w = common(1, bitmap, pivot_x, pivot_y, flags, offset_x, offset_y);
    w.word(15, source).word(29, uint32_t(table.size()));
    std::set<size_t> callbacks;
    if (callback) callbacks.insert(56);
    return {59, w.map, callbacks, failures, table};
}

Element icon(uint32_t bitmap, int32_t x, int32_t y, uint32_t flags, uint32_t source, double scale,
             uint32_t count, Failures failures) {
    WordList w = common(4, bitmap, x, y, flags);
    w.word(15, source).number(25, scale).word(28, count);
    return {35, w.map, {33}, failures, {}};
}

// A mouse record, all eleven words.
struct Mouse {
    uint32_t kind;
    int32_t x, y, width, height;
    int32_t cursor;
    uint32_t help_id, flags, key_event;
};

const Failures standard = {{2, 0}, {20, 2}};
const Failures oil = {{20, 2}, {2, 0}};

Element face(uint32_t bitmap) { return static_image(bitmap, 0, 0, 0x4003); }
Element cover(uint32_t bitmap) { return static_image(bitmap, 0, 0, 0x3); }

Element long_needle(uint32_t bitmap, uint32_t source, std::vector<Row> table, Failures failures,
                    bool callback = false) {
    return needle(bitmap, 150, 150, 0, 10, 0x4083, source, std::move(table), std::move(failures),
                  callback);
}

struct Expected {
    std::vector<Element> chain;
    std::vector<Mouse> mouse;
    bool callback = true;
};

const Mouse begin_whole = {1, 0, 0, 0, 0, -1, 0, 0, 0};
const Mouse end_area = {3, 0, 0, 0, 0, 0, 0, 0, 0};
const Mouse end_list = {0, 0, 0, 0, 0, 0, 0, 0, 0};
Mouse tip(uint32_t help) { return {4, 0, 0, 0, 0, 0, help, 0, 0}; }
std::vector<Mouse> one_tooltip(uint32_t help) {
    return {begin_whole, tip(help), end_area, end_list};
}

const std::map<std::string, Expected> expected = {
    {"Interstage_Turb_Temp",
     {{face(1440),
       long_needle(1450, 631,
                   {{51, 209, 491.67},
                    {38, 174, 851.67},
                    {37, 129, 1031.67},
                    {52, 93, 1211.67},
                    {92, 48, 1391.67},
                    {189, 41, 1571.67},
                    {252, 113, 1751.67},
                    {245, 202, 1931.67},
                    {219, 234, 2021.67},
                    {208, 252, 2111.67},
                    {170, 257, 2291.67},
                    {96, 250, 2651.67},
                    {96, 250, 3191.67}},
                   {{2, 0}}),
       cover(1460)},
      one_tooltip(12758)}},
    {"Torque",
     {{face(1470),
       long_needle(
           1480, 629,
           {{35, 151, -1}, {35, 151, 0}, {113, 39, 2000}, {115, 257, 5000}, {115, 257, 6000}},
           {{20, 1}, {2, 0}}, true),
       cover(1490)},
      one_tooltip(12742)}},
    {"Propeller_RPM",
     {{face(2260),
       long_needle(2270, 701, {{51, 210, 0}, {262, 146, 1.0}, {252, 207, 1.14286}}, standard),
       cover(2280)},
      one_tooltip(12465)}},
    {"Gas_Generator_RPM",
     {{face(2290),
       needle(2300, 90, 83, 31, 7, 0x4083, 624, {{90, 50, 0}, {90, 120, 5}}, standard, false),
       long_needle(2310, 624, {{149, 35, 0}, {32, 151, 100}, {42, 120, 106}, {42, 120, 110}},
                   standard),
       cover(2320)},
      one_tooltip(12769)}},
    {"Fuel_Flow",
     {{face(2330),
       long_needle(
           2340, 638,
           {{63, 224, -1}, {63, 224, 0}, {151, 44, 500}, {241, 225, 1000}, {241, 225, 1500}},
           standard),
       cover(2350)},
      one_tooltip(12491)}},
    {"Oil_Temp_Press",
     {{face(2360),
       needle(2370, 120, 150, 5, 8, 0x4083, 562,
              {{75, 222, -144}, {75, 222, 0}, {57, 91, 21600}, {57, 91, 28800}}, oil, false),
       needle(2370, 170, 150, 0, 8, 0x4083, 561,
              {{212, 70, 851.67},
               {212, 70, 761.67},
               {253, 117, 671.67},
               {263, 164, 581.67},
               {246, 213, 491.67},
               {211, 235, 401.67},
               {211, 235, 383.67}},
              oil, false),
       cover(2380)},
      {begin_whole,
       {1, 0, 0, 150, 300, -1, 0, 0, 0},
       tip(12545),
       end_area,
       {1, 150, 0, 150, 300, -1, 0, 0, 0},
       tip(12529),
       end_area,
       end_area,
       end_list}}},
    {"Hydraulic_Pressure",
     {{face(2390),
       long_needle(2400, 732,
                   {{60, 200, -1},
                    {60, 200, 0},
                    {255, 150, 216000},
                    {233, 225, 259200},
                    {233, 225, 288000}},
                   standard),
       cover(2410)},
      {{1, 0, 0, 0, 0, -1, 0xAB8C, 0, 0}, end_area, end_list}}},
    {"Flaps_Gear_Indicator",
     {{static_image(1320, 0, 0, 0x4003), icon(1340, 107, 86, 0x4083, 334, 1.0, 3, {}),
       icon(1340, 69, 86, 0x4083, 332, 1.0, 3, {}), icon(1340, 31, 86, 0x4083, 333, 1.0, 3, {}),
       icon(1350, 72, 26, 0x4083, 0, 1.0, 1, {}),
       needle(1330, 69, 29, 6, 6, 0x4083, 330,
              {{101, 29, 0}, {98, 48, 5460}, {84, 61, 10920}, {64, 65, 16380}}, {}, true),
       static_image(1360, 0, 0, 0x3)},
      {{1, 0, 0, 0, 0, -1, 0xA903, 0, 0}, end_area, end_list},
      false}},
};

void expect_failures(uint32_t list_word, const Failures& want, const std::string& what) {
    if (want.empty()) {
        EXPECT_EQ(list_word, 0u) << what << ": no failure list";
        return;
    }
    Words list = words(list_word);
    ASSERT_NE(list, nullptr) << what;
    for (size_t i = 0; i < want.size(); ++i) {
        EXPECT_EQ(list[3 * i], want[i].first) << what << " failure " << i;
        EXPECT_EQ(list[3 * i + 1], want[i].second) << what << " failure " << i;
        EXPECT_EQ(list[3 * i + 2], 0u) << what << " failure " << i;
    }
    size_t end = 3 * want.size();
    EXPECT_EQ(list[end] | list[end + 1] | list[end + 2], 0u) << what << ": list end";
}

void expect_table(uint32_t table_word, const std::vector<Row>& want, const std::string& what) {
    Words rows = words(table_word);
    ASSERT_NE(rows, nullptr) << what;
    for (size_t i = 0; i < want.size(); ++i) {
        Words row = rows + 6 * i;
        EXPECT_EQ(int32_t(row[0]), want[i].x) << what << " row " << i;
        EXPECT_EQ(int32_t(row[1]), want[i].y) << what << " row " << i;
        EXPECT_EQ(double_at(row, 2), want[i].value) << what << " row " << i;
        EXPECT_EQ(double_at(row, 4), 0.0) << what << " row " << i;
    }
}

// Walks the chain from the header's one root; returns the element words in order.
std::vector<Words> expect_chain(Words header, const std::vector<Element>& chain,
                                const std::string& name) {
    std::vector<Words> elements;
    Words roots = words(header[2]);
    EXPECT_NE(roots, nullptr);
    if (!roots) return elements;
    EXPECT_EQ(roots[1], 0u) << name << ": one root";
    uint32_t element_word = roots[0];
    for (size_t i = 0; i < chain.size(); ++i) {
        const Element& want = chain[i];
        std::string what = name + " element " + std::to_string(i + 1);
        EXPECT_NE(element_word, 0u) << what;
        if (!element_word) break;
        Words element = words(element_word);
        elements.push_back(element);
        std::set<size_t> pointers = {8, 10, 11};
        if (want.length == 59) pointers.insert(28);
        EXPECT_EQ(element[8], uint32_t(reinterpret_cast<uintptr_t>(header))) << what;
        for (size_t at = 0; at < want.length; ++at) {
            if (auto listed = want.words.find(at); listed != want.words.end()) {
                EXPECT_EQ(element[at], listed->second) << what << " word " << at;
            } else if (want.callbacks.count(at)) {
                EXPECT_NE(element[at], 0u) << what << " word " << at << ": callback";
            } else if (!pointers.count(at)) {
                EXPECT_EQ(element[at], 0u) << what << " word " << at;
            }
        }
        expect_failures(element[11], want.failures, what);
        if (want.length == 59) {
            if (want.table.empty()) {
                EXPECT_EQ(element[28], 0u) << what;
            } else {
                expect_table(element[28], want.table, what);
            }
        }
        if (i + 1 == chain.size()) {
            EXPECT_EQ(element[10], 0u) << what << ": the front element has no children";
            break;
        }
        Words children = words(element[10]);
        EXPECT_NE(children, nullptr) << what;
        if (!children) break;
        EXPECT_EQ(children[1], 0u) << what << ": one child";
        element_word = children[0];
    }
    return elements;
}

void expect_mouse(Words header, const std::vector<Mouse>& want, const std::string& name) {
    Words list = words(header[20]);
    ASSERT_NE(list, nullptr) << name;
    for (size_t i = 0; i < want.size(); ++i) {
        Words area = list + 11 * i;
        const Mouse& m = want[i];
        std::string what = name + " mouse record " + std::to_string(i + 1);
        const uint32_t expected[11] = {m.kind,
                                       uint32_t(m.x),
                                       uint32_t(m.y),
                                       uint32_t(m.width),
                                       uint32_t(m.height),
                                       uint32_t(m.cursor),
                                       m.help_id,
                                       m.flags,
                                       m.key_event,
                                       0,
                                       0};
        for (size_t w = 0; w < 11; ++w)
            EXPECT_EQ(area[w], expected[w]) << what << " word " << w;
    }
}

Words find_gauge(Words linkage, const std::string& name) {
    for (size_t i = 6; linkage[i] != 0; ++i) {
        Words header = words(linkage[i]);
        if (string_at(header[1]) == name) return header;
    }
    return nullptr;
}

#endif // GAUGE_ABI_32BIT

class EngineRecords : public ::testing::Test {
  protected:
    void SetUp() override {
#if !GAUGE_ABI_32BIT
        GTEST_SKIP() << "the word layout is the 32-bit build's";
#else
        std::string error;
        library = open_module_library(MARLOW_MODULE_PATH, error);
        ASSERT_TRUE(library) << error;
        linkage = static_cast<const uint32_t*>(library->symbol("Linkage"));
        ASSERT_TRUE(linkage);
#endif
    }

#if GAUGE_ABI_32BIT
    Words header_of(const std::string& name, bool with_callback) {
        Words header = find_gauge(linkage, name);
        EXPECT_TRUE(header) << name << " is not published";
        if (!header) return nullptr;
        EXPECT_EQ(header[0], 0x320u);
        EXPECT_EQ(header[11], 100u);
        if (with_callback)
            EXPECT_NE(header[21], 0u) << "the engine callback";
        else
            EXPECT_EQ(header[21], 0u) << "no gauge callback";
        expect_unlisted_zero(header, 24, {0, 1, 2, 11, 20, 21}, name + " header");
        return header;
    }

    const uint32_t* linkage = nullptr;
#endif
    std::unique_ptr<ModuleLibrary> library;
};

TEST_F(EngineRecords, EveryGaugeWordByWord) {
#if GAUGE_ABI_32BIT
    for (const auto& [name, want] : expected) {
        SCOPED_TRACE(name);
        Words header = header_of(name, want.callback);
        ASSERT_TRUE(header);
        auto elements = expect_chain(header, want.chain, name);
        EXPECT_EQ(elements.size(), want.chain.size());
        expect_mouse(header, want.mouse, name);
    }
#endif
}

TEST_F(EngineRecords, OneCallbackServesTheSevenEngineGauges) {
#if GAUGE_ABI_32BIT
    Words torque = find_gauge(linkage, "Torque");
    ASSERT_TRUE(torque);
    for (const char* name : {"Interstage_Turb_Temp", "Propeller_RPM", "Gas_Generator_RPM",
                             "Fuel_Flow", "Oil_Temp_Press", "Hydraulic_Pressure"}) {
        Words header = find_gauge(linkage, name);
        ASSERT_TRUE(header) << name;
        EXPECT_EQ(header[21], torque[21]) << name;
    }
#endif
}

TEST_F(EngineRecords, PublishedInRegistryOrder) {
#if GAUGE_ABI_32BIT
    std::vector<std::string> order;
    for (size_t i = 6; linkage[i] != 0; ++i)
        order.push_back(string_at(words(linkage[i])[1]));
    auto at = [&](const std::string& name) {
        return std::find(order.begin(), order.end(), name) - order.begin();
    };
    const char* engine_run[] = {"Interstage_Turb_Temp", "Torque",    "Propeller_RPM",
                                "Gas_Generator_RPM",    "Fuel_Flow", "Oil_Temp_Press",
                                "Fuel_Qty_Left_Main"};
    for (size_t i = 1; i < std::size(engine_run); ++i)
        EXPECT_EQ(at(engine_run[i]), at(engine_run[i - 1]) + 1) << engine_run[i];
    EXPECT_EQ(at("Flaps_Gear_Indicator"), at("Magnetic_Compass") + 1);
    EXPECT_EQ(at("Hydraulic_Pressure"), at("Flaps_Gear_Indicator") + 1);
    EXPECT_EQ(at("Hydraulic_Pressure") + 1, ptrdiff_t(order.size()));
#endif
}

} // namespace
