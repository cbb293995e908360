// The exported records of Marlow_Instr read back as the host reads them. In the
// 32-bit build every record is read word by word at the positions of the format,
// and every word the format does not list must be zero.
#include "chain_words.hpp"
#include "gauge_abi.h"
#include "module_library.hpp"
#include "record_words.hpp"
#include "simulator_numbers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

using namespace panelhost;

namespace {

// The gauge registry in publication order.
const std::vector<std::string> registry = {"Registration",
                                           "ATC_Toggle",
                                           "Kneeboard_Toggle",
                                           "Map_Toggle",
                                           "Invisible_Toggle",
                                           "Radios_Toggle",
                                           "GPS_Toggle",
                                           "Throttle_Toggle",
                                           "Compass_Toggle",
                                           "Close_Subpanel",
                                           "Landing_View_Toggle",
                                           "Electricity_Toggle",
                                           "Overhead_Toggle",
                                           "Engine_Instr_Toggle",
                                           "Becker_NR3320_NAV1",
                                           "Becker_NR3320_NAV2",
                                           "Becker_AR3202_COM1",
                                           "Becker_AD3502_ADF",
                                           "Becker_ATC3401_XPDR",
                                           "Turn_Coordinator",
                                           "Altimeter",
                                           "Attitude",
                                           "Vertical_Speed",
                                           "Airspeed",
                                           "HSI",
                                           "Bendix_KD1572_DME",
                                           "Collins_RMI",
                                           "Becker_IN3303_VOR1",
                                           "Interstage_Turb_Temp",
                                           "Torque",
                                           "Propeller_RPM",
                                           "Gas_Generator_RPM",
                                           "Fuel_Flow",
                                           "Oil_Temp_Press",
                                           "Fuel_Qty_Left_Main",
                                           "Fuel_Qty_Right_Main",
                                           "Fuel_Qty_Left_Aux",
                                           "Fuel_Qty_Right_Aux",
                                           "Magnetic_Compass",
                                           "Flaps_Gear_Indicator",
                                           "Hydraulic_Pressure"};

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

using namespace chain_words;

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

// The compass card slides across its window through a whole turn of the heading.
Element compass_card() {
    WordList card = common(5, 1010, 0, 0, 0x4083);
    card.word(15, VAR_COMPASS_HEADING)
        .number(23, 360.0)
        .number(25, 0.0)
        .number(36, 360.0)
        .number(38, 360.0);
    return {67, card.map, {}, {{FAILURE_MAGNETIC_COMPASS, 0}}, {}};
}

// A dial read through the pitot-static system: face, needle and cover bitmaps
// numbered ten apart, the needle turning about the middle and failing with its own
// instrument or with the pitot-static system.
Gauge pitot_static_dial(uint32_t face, int32_t needle_x, int32_t needle_y, uint32_t variable,
                        const std::vector<Row>& rows, uint32_t failure, std::vector<Mouse> mouse) {
    return {100,
            false,
            {static_image(face, 0, 0, 0x4003),
             needle(face + 10, 150, 150, needle_x, needle_y, 0x4083, variable, rows,
                    {{failure, 1}, {FAILURE_PITOT_STATIC, 2}}, false),
             static_image(face + 20, 0, 0, 0x3)},
            std::move(mouse)};
}

Gauge fuel_gauge(uint32_t variable, uint32_t face, const std::vector<Row>& rows,
                 const std::string& text) {
    return {100,
            false,
            {static_image(face, 0, 0, 0x4003),
             needle(3190, 150, 150, 36, 7, 0x4083, variable, rows,
                    {{FAILURE_ENGINE_SYSTEMS, 0}, {FAILURE_ELECTRICAL, 2}}, false),
             static_image(3200, 0, 0, 0x3)},
            {whole_gauge(), tooltip(text), area_end, list_end}};
}

// The gauges checked here; the others by their own family's test.
const std::map<std::string, Gauge> expected = {
    {"Airspeed", pitot_static_dial(1020, 50, 11, VAR_AIRSPEED, airspeed_rows, FAILURE_AIRSPEED,
                                   {whole_gauge(), help_entry(0x3002), area_end, list_end})},
    {"Vertical_Speed",
     pitot_static_dial(470, 54, 12, VAR_VERTICAL_SPEED, vertical_speed_rows, FAILURE_VERTICAL_SPEED,
                       {whole_gauge(0xAB76), help_entry(0x3099), area_end, list_end})},
    {"Magnetic_Compass",
     {100,
      false,
      {static_image(1000, 0, 0, 0x3), compass_card()},
      {whole_gauge(0xAB77), area_end, list_end}}},
    {"Fuel_Qty_Left_Main",
     fuel_gauge(VAR_FUEL_TANK_LEFT_MAIN_LEVEL, 3180, main_tank_rows, "Fuel level left main tank")},
    {"Fuel_Qty_Right_Main", fuel_gauge(VAR_FUEL_TANK_RIGHT_MAIN_LEVEL, 3180, main_tank_rows,
                                       "Fuel level right main tank")},
    {"Fuel_Qty_Left_Aux", fuel_gauge(VAR_FUEL_TANK_LEFT_AUX_LEVEL, 3170, aux_tank_rows,
                                     "Fuel level left external tank")},
    {"Fuel_Qty_Right_Aux", fuel_gauge(VAR_FUEL_TANK_RIGHT_AUX_LEVEL, 3170, aux_tank_rows,
                                      "Fuel level right external tank")},
};

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

class ModuleRecordWords : public MarlowWordsTest<> {};

TEST_F(ModuleRecordWords, EveryWordIsWhereTheFormatPutsIt) {
#if GAUGE_ABI_32BIT
    expect_linkage_head(linkage, 0x900);

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
        expect_gauge(header, want->second, name);
    }
    EXPECT_EQ(checked, expected.size());
#endif
}
