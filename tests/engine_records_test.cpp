// The engine instruments' and the flaps and gear indicator's exported records, read
// word by word as the host reads the 32-bit format: every listed word holds its
// value, pointers lead to the right tables and lists, and every word the format
// does not list is zero. The records name engine 1.
#include "chain_words.hpp"
#include "gauge_abi.h"
#include "module_library.hpp"
#include "record_words.hpp"
#include "simulator_numbers.h"

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

using namespace chain_words;

const Failures standard = {{FAILURE_ENGINE_SYSTEMS, 0}, {FAILURE_ELECTRICAL, 2}};
const Failures oil = {{FAILURE_ELECTRICAL, 2}, {FAILURE_ENGINE_SYSTEMS, 0}};

Element face(uint32_t bitmap) { return static_image(bitmap, 0, 0, 0x4003); }
Element cover(uint32_t bitmap) { return static_image(bitmap, 0, 0, 0x3); }

Element long_needle(uint32_t bitmap, uint32_t source, std::vector<Row> table, Failures failures,
                    bool callback = false) {
    return needle(bitmap, 150, 150, 0, 10, 0x4083, source, std::move(table), std::move(failures),
                  callback);
}

// An engine instrument: 100 mm, with the engine callback.
Gauge engine_gauge(std::vector<Element> chain, std::vector<Mouse> mouse) {
    return {100, true, std::move(chain), std::move(mouse)};
}

std::vector<Mouse> one_tooltip(uint32_t help) {
    return {whole_gauge(), help_entry(help), area_end, list_end};
}

const std::map<std::string, Gauge> expected = {
    {"Interstage_Turb_Temp", engine_gauge({face(1440),
                                           long_needle(1450, VAR_ENG_ITT(1),
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
                                                       {{FAILURE_ENGINE_SYSTEMS, 0}}),
                                           cover(1460)},
                                          one_tooltip(12758))},
    {"Torque",
     engine_gauge(
         {face(1470),
          long_needle(
              1480, VAR_ENG_TORQUE(1),
              {{35, 151, -1}, {35, 151, 0}, {113, 39, 2000}, {115, 257, 5000}, {115, 257, 6000}},
              {{FAILURE_ELECTRICAL, 1}, {FAILURE_ENGINE_SYSTEMS, 0}}, true),
          cover(1490)},
         one_tooltip(12742))},
    {"Propeller_RPM",
     engine_gauge({face(2260),
                   long_needle(2270, VAR_ENG_PROPELLER_RPM(1),
                               {{51, 210, 0}, {262, 146, 1.0}, {252, 207, 1.14286}}, standard),
                   cover(2280)},
                  one_tooltip(12465))},
    {"Gas_Generator_RPM",
     engine_gauge(
         {face(2290),
          needle(2300, 90, 83, 31, 7, 0x4083, VAR_ENG_GAS_GENERATOR_RPM(1),
                 {{90, 50, 0}, {90, 120, 5}}, standard, false),
          long_needle(2310, VAR_ENG_GAS_GENERATOR_RPM(1),
                      {{149, 35, 0}, {32, 151, 100}, {42, 120, 106}, {42, 120, 110}}, standard),
          cover(2320)},
         one_tooltip(12769))},
    {"Fuel_Flow",
     engine_gauge(
         {face(2330),
          long_needle(
              2340, VAR_ENG_FUEL_FLOW(1),
              {{63, 224, -1}, {63, 224, 0}, {151, 44, 500}, {241, 225, 1000}, {241, 225, 1500}},
              standard),
          cover(2350)},
         one_tooltip(12491))},
    {"Oil_Temp_Press",
     engine_gauge(
         {face(2360),
          needle(2370, 120, 150, 5, 8, 0x4083, VAR_ENG_OIL_PRESSURE(1),
                 {{75, 222, -144}, {75, 222, 0}, {57, 91, 21600}, {57, 91, 28800}}, oil, false),
          needle(2370, 170, 150, 0, 8, 0x4083, VAR_ENG_OIL_TEMPERATURE(1),
                 {{212, 70, 851.67},
                  {212, 70, 761.67},
                  {253, 117, 671.67},
                  {263, 164, 581.67},
                  {246, 213, 491.67},
                  {211, 235, 401.67},
                  {211, 235, 383.67}},
                 oil, false),
          cover(2380)},
         {whole_gauge(), area(0, 0, 150, 300), help_entry(12545), area_end, area(150, 0, 150, 300),
          help_entry(12529), area_end, area_end, list_end})},
    {"Hydraulic_Pressure", engine_gauge({face(2390),
                                         long_needle(2400, VAR_ENG_HYDRAULIC_PRESSURE(1),
                                                     {{60, 200, -1},
                                                      {60, 200, 0},
                                                      {255, 150, 216000},
                                                      {233, 225, 259200},
                                                      {233, 225, 288000}},
                                                     standard),
                                         cover(2410)},
                                        {whole_gauge(0xAB8C), area_end, list_end})},
    {"Flaps_Gear_Indicator",
     {100,
      false,
      {static_image(1320, 0, 0, 0x4003),
       icon(1340, 107, 86, 0x4083, VAR_GEAR_RIGHT_POSITION, 1.0, {}, true, 3),
       icon(1340, 69, 86, 0x4083, VAR_GEAR_CENTRE_POSITION, 1.0, {}, true, 3),
       icon(1340, 31, 86, 0x4083, VAR_GEAR_LEFT_POSITION, 1.0, {}, true, 3),
       icon(1350, 72, 26, 0x4083, 0, 1.0, {}),
       needle(1330, 69, 29, 6, 6, 0x4083, VAR_FLAPS_POSITION,
              {{101, 29, 0}, {98, 48, 5460}, {84, 61, 10920}, {64, 65, 16380}}, {}, true),
       static_image(1360, 0, 0, 0x3)},
      {whole_gauge(0xA903), area_end, list_end}}},
};

#endif // GAUGE_ABI_32BIT

class EngineRecords : public MarlowWordsTest<> {};

TEST_F(EngineRecords, EveryGaugeWordByWord) {
#if GAUGE_ABI_32BIT
    for (const auto& [name, want] : expected) {
        SCOPED_TRACE(name);
        expect_published(linkage, name, want);
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
    const Publication order(linkage);
    const char* engine_run[] = {"Interstage_Turb_Temp", "Torque",    "Propeller_RPM",
                                "Gas_Generator_RPM",    "Fuel_Flow", "Oil_Temp_Press",
                                "Fuel_Qty_Left_Main"};
    for (size_t i = 1; i < std::size(engine_run); ++i)
        EXPECT_EQ(order.at(engine_run[i]), order.at(engine_run[i - 1]) + 1) << engine_run[i];
    EXPECT_EQ(order.at("Flaps_Gear_Indicator"), order.at("Magnetic_Compass") + 1);
    EXPECT_EQ(order.at("Hydraulic_Pressure"), order.at("Flaps_Gear_Indicator") + 1);
    EXPECT_EQ(order.at("Hydraulic_Pressure") + 1, ptrdiff_t(order.size()));
#endif
}

} // namespace
