// The exported records of Marlow_Instr read back as the host reads them. In the
// 32-bit build every record is read word by word at the positions of the format,
// and every word the format does not list must be zero.
#include "gauge_abi.h"
#include "module_library.hpp"
#include "record_words.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

using namespace panelhost;

namespace {

// The gauge registry in publication order.
const std::vector<std::string> registry = {
    "Registration", "ATC_Toggle", "Kneeboard_Toggle", "Map_Toggle", "Invisible_Toggle",
    "Radios_Toggle", "GPS_Toggle", "Throttle_Toggle", "Compass_Toggle", "Close_Subpanel",
    "Landing_View_Toggle", "Electricity_Toggle", "Overhead_Toggle", "Engine_Instr_Toggle",
    "Becker_NR3320_NAV1", "Becker_NR3320_NAV2", "Becker_AR3202_COM1", "Becker_AD3502_ADF",
    "Becker_ATC3401_XPDR", "Turn_Coordinator", "Altimeter", "Attitude", "Vertical_Speed",
    "Airspeed", "HSI", "Bendix_KD1572_DME", "Collins_RMI", "Becker_IN3303_VOR1",
    "Interstage_Turb_Temp", "Torque", "Propeller_RPM", "Gas_Generator_RPM", "Fuel_Flow",
    "Oil_Temp_Press", "Fuel_Qty_Left_Main", "Fuel_Qty_Right_Main", "Fuel_Qty_Left_Aux",
    "Fuel_Qty_Right_Aux", "Magnetic_Compass", "Flaps_Gear_Indicator", "Hydraulic_Pressure"};


struct Loaded {
    std::unique_ptr<ModuleLibrary> library;
    const void* linkage = nullptr;
};

Loaded load_marlow() {
    std::string error;
    Loaded loaded;
    loaded.library = open_module_library(MARLOW_MODULE_PATH, error);
    EXPECT_TRUE(loaded.library) << error;
    if (loaded.library) loaded.linkage = loaded.library->symbol("Linkage");
    return loaded;
}

#if GAUGE_ABI_32BIT

struct Row {
    int32_t x, y;
    double value;
};

struct Element {
    uint32_t kind, bitmap;
    int32_t x, y, offset_x, offset_y;
    uint32_t image_flags;
    std::vector<std::pair<uint32_t, uint32_t>> failures;
    uint32_t source = 0;
    std::vector<Row> table;
};

struct Mouse {
    uint32_t kind;
    int32_t cursor;
    uint32_t help_id;
    std::string tooltip;
};

struct Gauge {
    std::vector<Element> chain;
    std::vector<Mouse> mouse;
};

const std::vector<Row> airspeed_rows = {
    {122, 44, -1},   {122, 44, 0},    {150, 37, 60},  {204, 54, 80},  {260, 150, 120},
    {230, 230, 150}, {123, 258, 200}, {66, 223, 250}, {43, 171, 300}, {49, 115, 350},
    {78, 67, 400},   {97, 54, 420},   {97, 54, 500}};

const std::vector<Row> vertical_speed_rows = {
    {257, 165, -9103.35970869249},   {257, 165, -7802.879750307849},
    {256, 183, -6502.399791923207},  {247, 206, -5201.919833538565},
    {225, 233, -3901.4398751539243}, {178, 261, -2600.9599167692827},
    {94, 250, -1300.4799583846413},  {37, 150, 0.0},
    {94, 54, 1300.4799583846413},    {178, 41, 2600.9599167692827},
    {225, 68, 3901.4398751539243},   {247, 95, 5201.919833538565},
    {256, 119, 6502.399791923207},   {257, 136, 7802.879750307849},
    {257, 136, 9103.35970869249}};

const std::vector<Row> main_tank_rows = {
    {78, 250, 0.0}, {150, 37, 4389424.0686}, {239, 231, 8388610.0}};
const std::vector<Row> aux_tank_rows = {
    {63, 237, 0.0}, {150, 37, 5591847.426}, {261, 105, 8388610.0}};

Gauge fuel_gauge(uint32_t variable, uint32_t face, const std::vector<Row>& rows,
                 const std::string& tooltip) {
    return {{{0, face, 0, 0, 0, 0, 0x4003, {}},
             {1, 3190, 150, 150, 36, 7, 0x4083, {{2, 0}, {20, 2}}, variable, rows},
             {0, 3200, 0, 0, 0, 0, 0x3, {}}},
            {{1, -1, 0, ""}, {4, 0, 0, tooltip}, {3, 0, 0, ""}, {0, 0, 0, ""}}};
}

const std::map<std::string, Gauge> expected = {
    {"Airspeed",
     {{{0, 1020, 0, 0, 0, 0, 0x4003, {}},
       {1, 1030, 150, 150, 50, 11, 0x4083, {{6, 1}, {3, 2}}, 61, airspeed_rows},
       {0, 1040, 0, 0, 0, 0, 0x3, {}}},
      {{1, -1, 0, ""}, {4, 0, 0x3002, ""}, {3, 0, 0, ""}, {0, 0, 0, ""}}}},
    {"Vertical_Speed",
     {{{0, 470, 0, 0, 0, 0, 0x4003, {}},
       {1, 480, 150, 150, 54, 12, 0x4083, {{19, 1}, {3, 2}}, 65, vertical_speed_rows},
       {0, 490, 0, 0, 0, 0, 0x3, {}}},
      {{1, -1, 0xAB76, ""}, {4, 0, 0x3099, ""}, {3, 0, 0, ""}, {0, 0, 0, ""}}}},
    {"Magnetic_Compass",
     {{{0, 1000, 0, 0, 0, 0, 0x3, {}}, {5, 1010, 0, 0, 0, 0, 0x4083, {{12, 0}}, 83}},
      {{1, -1, 0xAB77, ""}, {3, 0, 0, ""}, {0, 0, 0, ""}}}},
    {"Fuel_Qty_Left_Main", fuel_gauge(291, 3180, main_tank_rows, "Fuel level left main tank")},
    {"Fuel_Qty_Right_Main", fuel_gauge(297, 3180, main_tank_rows, "Fuel level right main tank")},
    {"Fuel_Qty_Left_Aux", fuel_gauge(293, 3170, aux_tank_rows, "Fuel level left external tank")},
    {"Fuel_Qty_Right_Aux", fuel_gauge(299, 3170, aux_tank_rows, "Fuel level right external tank")},
};

void expect_failures(uint32_t list_word, const Element& want, const std::string& what) {
    if (want.failures.empty()) {
        EXPECT_EQ(list_word, 0u) << what;
        return;
    }
    Words list = words(list_word);
    ASSERT_NE(list, nullptr) << what;
    for (size_t i = 0; i < want.failures.size(); ++i) {
        EXPECT_EQ(list[3 * i], want.failures[i].first) << what << " failure " << i;
        EXPECT_EQ(list[3 * i + 1], want.failures[i].second) << what << " failure " << i;
        EXPECT_EQ(list[3 * i + 2], 0u) << what << " failure " << i;
    }
    size_t end = 3 * want.failures.size();
    EXPECT_EQ(list[end] | list[end + 1] | list[end + 2], 0u) << what << " failure list end";
}

void expect_needle(Words needle, const Element& want, const std::string& what) {
    EXPECT_EQ(needle[15], want.source) << what;
    EXPECT_EQ(needle[29], want.table.size()) << what;
    Words rows = words(needle[28]);
    ASSERT_NE(rows, nullptr) << what;
    for (size_t i = 0; i < want.table.size(); ++i) {
        Words row = rows + 6 * i;
        EXPECT_EQ(static_cast<int32_t>(row[0]), want.table[i].x) << what << " row " << i;
        EXPECT_EQ(static_cast<int32_t>(row[1]), want.table[i].y) << what << " row " << i;
        EXPECT_EQ(double_at(row, 2), want.table[i].value) << what << " row " << i;
        EXPECT_EQ(double_at(row, 4), 0.0) << what << " row " << i;
    }
    expect_unlisted_zero(needle, 59, {0, 1, 2, 3, 6, 7, 8, 10, 11, 12, 15, 28, 29}, what);
}

void expect_compass_card(Words card, const std::string& what) {
    EXPECT_EQ(card[15], 83u) << what;
    EXPECT_EQ(double_at(card, 23), 360.0) << what;
    EXPECT_EQ(double_at(card, 25), 0.0) << what;
    EXPECT_EQ(card[28], 0u) << what << ": no y variable";
    EXPECT_EQ(double_at(card, 36), 360.0) << what;
    EXPECT_EQ(double_at(card, 38), 360.0) << what;
    expect_unlisted_zero(card, 67, {0, 1, 8, 11, 12, 15, 23, 24, 36, 37, 38, 39}, what);
}

void expect_chain(Words header, const Gauge& want, const std::string& name) {
    Words roots = words(header[2]);
    ASSERT_NE(roots, nullptr);
    EXPECT_EQ(roots[1], 0u) << name << ": exactly one root";
    uint32_t element_word = roots[0];
    for (size_t i = 0; i < want.chain.size(); ++i) {
        const Element& e = want.chain[i];
        std::string what = name + " element " + std::to_string(i + 1);
        ASSERT_NE(element_word, 0u) << what;
        Words element = words(element_word);
        EXPECT_EQ(element[0], e.kind) << what;
        EXPECT_EQ(element[1], e.bitmap) << what;
        EXPECT_EQ(static_cast<int32_t>(element[2]), e.x) << what;
        EXPECT_EQ(static_cast<int32_t>(element[3]), e.y) << what;
        EXPECT_EQ(static_cast<int32_t>(element[6]), e.offset_x) << what;
        EXPECT_EQ(static_cast<int32_t>(element[7]), e.offset_y) << what;
        EXPECT_EQ(element[8], static_cast<uint32_t>(reinterpret_cast<uintptr_t>(header)))
            << what << ": owning header";
        EXPECT_EQ(element[12], e.image_flags) << what;
        EXPECT_EQ(element[13], 0u) << what;
        expect_failures(element[11], e, what);
        if (e.kind == 0) expect_unlisted_zero(element, 24, {0, 1, 8, 10, 12}, what);
        if (e.kind == 1) expect_needle(element, e, what);
        if (e.kind == 5) expect_compass_card(element, what);

        bool last = i + 1 == want.chain.size();
        if (last) {
            EXPECT_EQ(element[10], 0u) << what << ": the front element has no children";
            break;
        }
        Words children = words(element[10]);
        ASSERT_NE(children, nullptr) << what;
        EXPECT_EQ(children[1], 0u) << what << ": exactly one child";
        element_word = children[0];
    }
}

void expect_mouse(Words header, const Gauge& want, const std::string& name) {
    Words list = words(header[20]);
    ASSERT_NE(list, nullptr);
    for (size_t i = 0; i < want.mouse.size(); ++i) {
        Words area = list + 11 * i;
        const Mouse& m = want.mouse[i];
        std::string what = name + " mouse record " + std::to_string(i);
        EXPECT_EQ(area[0], m.kind) << what;
        for (size_t w = 1; w <= 4; ++w) EXPECT_EQ(area[w], 0u) << what << ": whole-gauge box";
        EXPECT_EQ(static_cast<int32_t>(area[5]), m.cursor) << what;
        EXPECT_EQ(area[6], m.help_id) << what;
        EXPECT_EQ(area[7], 0u) << what;
        EXPECT_EQ(area[8], 0u) << what;
        if (m.tooltip.empty()) {
            EXPECT_EQ(area[9], 0u) << what;
        } else {
            EXPECT_EQ(string_at(area[9]), m.tooltip) << what;
        }
        EXPECT_EQ(area[10], 0u) << what;
    }
}

#endif // GAUGE_ABI_32BIT

} // namespace

TEST(ModuleRecords, LinkagePublishesTheBuiltGaugesInRegistryOrder) {
    Loaded module = load_marlow();
    ASSERT_TRUE(module.linkage);
    auto* linkage = static_cast<const ModuleLinkage*>(module.linkage);
    EXPECT_EQ(linkage->module_id, 0x13u);
    EXPECT_EQ(linkage->version, 0x900u);
    EXPECT_EQ(linkage->flags, 0u);
    EXPECT_EQ(linkage->priority, 0u);
    ASSERT_TRUE(linkage->init && linkage->fini);

    // Each published gauge appears once, in registry order.
    size_t next = 0;
    size_t published = 0;
    for (GaugeHeader* const* gauge = GAUGE_LINKAGE_GAUGES(linkage); *gauge; ++gauge, ++published) {
        std::string name = (*gauge)->name;
        auto at = std::find(registry.begin() + next, registry.end(), name);
        ASSERT_NE(at, registry.end()) << name << " is out of registry order or unknown";
        next = size_t(at - registry.begin()) + 1;
    }
    EXPECT_GE(published, 7u);
}

TEST(ModuleRecords, ImportTableWaitsForTheHost) {
    Loaded module = load_marlow();
    auto* imports = static_cast<const ImportEntry*>(module.library->symbol("ImportTable"));
    ASSERT_TRUE(imports);
    EXPECT_EQ(imports[0].service_id, 0x0Fu);
    EXPECT_EQ(imports[0].table, nullptr);
    EXPECT_EQ(imports[1].service_id, 0u);
    EXPECT_EQ(imports[1].table, nullptr);
}

TEST(ModuleRecords, OnlyLinkageAndImportTableAreExported) {
    Loaded module = load_marlow();
    EXPECT_EQ(module.library->symbol("module_init"), nullptr);
    EXPECT_EQ(module.library->symbol("_ZN4host8servicesEv"), nullptr);
}

TEST(ModuleRecords, EveryWordIsWhereTheFormatPutsIt) {
#if !GAUGE_ABI_32BIT
    GTEST_SKIP() << "the word layout is the 32-bit build's";
#else
    Loaded module = load_marlow();
    ASSERT_TRUE(module.linkage);
    auto linkage = static_cast<Words>(module.linkage);
    EXPECT_EQ(linkage[0], 0x13u);
    EXPECT_NE(linkage[1], 0u);
    EXPECT_NE(linkage[2], 0u);
    EXPECT_EQ(linkage[3], 0u);
    EXPECT_EQ(linkage[4], 0u);
    EXPECT_EQ(linkage[5], 0x900u);

    size_t checked = 0;
    for (size_t count = 0; linkage[6 + count] != 0; ++count) {
        Words header = words(linkage[6 + count]);
        std::string name = string_at(header[1]);
        SCOPED_TRACE(name);
        EXPECT_EQ(header[0], 0x320u);
        EXPECT_TRUE(header[11] == 19 || header[11] == 100 || header[11] == 150) << header[11];
        expect_unlisted_zero(header, 24, {0, 1, 2, 11, 20, 21}, name + " header");
        auto want = expected.find(name);
        if (want == expected.end()) continue; // checked by its own family's test
        ++checked;
        EXPECT_EQ(header[11], 100u);
        EXPECT_EQ(header[21], 0u) << "no gauge callback";
        expect_chain(header, want->second, name);
        expect_mouse(header, want->second, name);
    }
    EXPECT_EQ(checked, expected.size());
#endif
}
