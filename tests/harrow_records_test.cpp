// The exported records of Harrow_ASI read back as the host reads them: the older
// linkage and header, the older element layouts, the needle table, the failure and
// mouse lists, and the module's two bitmaps. In the 32-bit build every record is
// read word by word at the positions of the format, and every word the format does
// not list must be zero. The mouse list is named by no record: the install routine
// hands it over, so these tests run the routines against a table of their own.
#include "chain_words.hpp"
#include "gauge_abi.h"
#include "loaded_module.hpp"
#include "module_library.hpp"
#include "record_words.hpp"
#include "simulator_numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

using namespace panelhost;

namespace {

struct Loaded {
    std::unique_ptr<ModuleLibrary> library;
    const ModuleLinkage* linkage = nullptr;
    ImportEntry* imports = nullptr;
};

Loaded load_harrow() {
    std::string error;
    Loaded loaded;
    loaded.library = open_module_library(HARROW_MODULE_PATH, error);
    EXPECT_TRUE(loaded.library) << error;
    if (!loaded.library) return loaded;
    loaded.linkage = static_cast<const ModuleLinkage*>(loaded.library->symbol("Linkage"));
    loaded.imports = static_cast<ImportEntry*>(loaded.library->symbol("ImportTable"));
    return loaded;
}

GaugeHeaderOld& harrow_header(const Loaded& module) {
    return *reinterpret_cast<GaugeHeaderOld*>(GAUGE_LINKAGE_GAUGES(module.linkage)[0]);
}

NeedleRecordOld& harrow_needle(const Loaded& module) {
    ElementRecord* background = harrow_header(module).element_list[0];
    return *reinterpret_cast<NeedleRecordOld*>(background->children[0]);
}

// A service table that records what the routines hand it, as a host would see it.
// Its element-list install gives the background a host record, as a host does.
struct SeenCall {
    uint32_t slot;
    const void* record;
    const void* gauge;
    uintptr_t word;
};
std::vector<SeenCall> seen;
uint32_t host_record_words[2];
bool fill_word_15 = true;

template <uint32_t Slot> void GAUGE_CALL see_element_list(ElementRecord* root) {
    seen.push_back({Slot, root, nullptr, 0});
}
template <uint32_t Slot>
void GAUGE_CALL see_element_list_word(ElementRecord* root, uintptr_t word) {
    seen.push_back({Slot, root, nullptr, word});
    if (Slot == SLOT_ELEMENT_LIST_INSTALL && root && fill_word_15)
        reinterpret_cast<StaticImageRecordOld*>(root)->host_record = host_record_words;
}
void GAUGE_CALL see_mouse_install(MouseArea* list, GaugeHeaderOld* gauge, void* host_record) {
    seen.push_back(
        {SLOT_MOUSE_LIST_INSTALL, list, gauge, reinterpret_cast<uintptr_t>(host_record)});
}
template <uint32_t Slot> void GAUGE_CALL see_mouse_list(MouseArea* list, GaugeHeaderOld* gauge) {
    seen.push_back({Slot, list, gauge, 0});
}

PanelServiceTable recording_table() {
    PanelServiceTable table{};
    table.element_list_query = see_element_list<SLOT_ELEMENT_LIST_QUERY>;
    table.element_list_install = see_element_list_word<SLOT_ELEMENT_LIST_INSTALL>;
    table.element_list_initialize = see_element_list<SLOT_ELEMENT_LIST_INITIALIZE>;
    table.element_list_update = see_element_list<SLOT_ELEMENT_LIST_UPDATE>;
    table.element_list_generate = see_element_list_word<SLOT_ELEMENT_LIST_GENERATE>;
    table.element_list_draw = see_element_list<SLOT_ELEMENT_LIST_DRAW>;
    table.element_list_kill = see_element_list<SLOT_ELEMENT_LIST_KILL>;
    table.mouse_list_install = see_mouse_install;
    table.mouse_list_register = see_mouse_list<SLOT_MOUSE_LIST_REGISTER>;
    table.mouse_list_unregister = see_mouse_list<SLOT_MOUSE_LIST_UNREGISTER>;
    return table;
}

// Runs every routine once against the recording table and puts the module back as
// it was loaded.
std::vector<SeenCall> run_routines(const Loaded& module) {
    PanelServiceTable table = recording_table();
    GaugeHeaderOld& header = harrow_header(module);
    seen.clear();
    module.imports[0].table = &table;
    header.query_routine();
    header.install_routine(0x51);
    header.initialize_routine();
    header.update_routine();
    header.generate_routine(0x52);
    header.draw_routine();
    header.kill_routine();
    module.imports[0].table = nullptr;
    reinterpret_cast<StaticImageRecordOld*>(header.element_list[0])->host_record = nullptr;
    return seen;
}

double clamp(const Loaded& module, double knots) {
    NeedleRecordOld& needle = harrow_needle(module);
    TokenVariable source = needle.source;
    source.value.number = knots;
    return needle.value_callback(&source);
}

#if GAUGE_ABI_32BIT

using namespace chain_words;

// The older layouts' two elements: the face (20 words) and the needle (56 words),
// whose value callback sits at word 22 and whose words 26, 27 and 30 are settings
// the host interprets.
std::vector<Element> harrow_chain() {
    Element face{20, common(0, 4096, 0, 0, 0x4001).map, {}, {}, {}};
    const std::vector<Row> rows = {{151, 24, 0},    {184, 27, 40},   {220, 41, 60},
                                   {260, 82, 80},   {276, 146, 100}, {254, 213, 120},
                                   {196, 262, 140}, {117, 265, 160}, {53, 224, 180},
                                   {24, 158, 200},  {46, 74, 250},   {115, 27, 300}};
    WordList needle = common(1, 4608, 151, 142, 0x4003, 32, 8);
    needle.word(15, VAR_AIRSPEED)
        .word(26, 151)
        .word(27, 8)
        .word(29, uint32_t(rows.size()))
        .word(30, 6);
    return {face, {56, needle.map, {22}, {{FAILURE_PITOT_STATIC, 2}}, rows}};
}

#endif // GAUGE_ABI_32BIT

} // namespace

TEST(HarrowRecords, LinkageOfTheOlderInterfacePublishesOneGauge) {
    Loaded module = load_harrow();
    ASSERT_TRUE(module.linkage && module.imports);
    EXPECT_EQ(module.linkage->module_id, 0x13u);
    EXPECT_EQ(module.linkage->version, 0u);
    ASSERT_TRUE(module.linkage->init && module.linkage->fini);
    GaugeHeader* const* gauges = GAUGE_LINKAGE_GAUGES(module.linkage);
    ASSERT_TRUE(gauges[0]);
    EXPECT_EQ(gauges[1], nullptr);
    EXPECT_EQ(gauges[0]->version, 0x262u);
    EXPECT_STREQ(gauges[0]->name, "Harrow_ASI");

    EXPECT_EQ(module.imports[0].service_id, 0x0Fu);
    EXPECT_EQ(module.imports[0].table, nullptr) << "waits for the host";
    EXPECT_EQ(module.imports[1].service_id, 0u);
}

TEST(HarrowRecords, OnlyTheThreeRecordsAreExported) {
    Loaded module = load_harrow();
#ifdef _WIN32
    EXPECT_EQ(module.library->symbol("ResourceDirectory"), nullptr)
        << "resources are in its resource section";
#else
    EXPECT_TRUE(module.library->symbol("ResourceDirectory"));
#endif
    EXPECT_EQ(module.library->symbol("harrow_speed_clamp"), nullptr);
    EXPECT_EQ(module.library->symbol("_ZN6harrow12harrow_gaugeE"), nullptr);
    EXPECT_EQ(module.library->symbol("_ZN6harrow18harrow_speed_clampEP13TokenVariable"), nullptr);
}

TEST(HarrowRecords, RoutinesHandTheGaugesOwnRecordsToTheirSlots) {
    Loaded module = load_harrow();
    GaugeHeaderOld& header = harrow_header(module);
    const void* background = header.element_list[0];
    std::vector<SeenCall> calls = run_routines(module);
    ASSERT_EQ(calls.size(), 10u);
    const void* mouse_list = calls[2].record;
    ASSERT_TRUE(mouse_list);
    const uintptr_t plus_4 = reinterpret_cast<uintptr_t>(host_record_words) + 4;
    const std::vector<std::tuple<uint32_t, const void*, const void*, uintptr_t>> want = {
        {24, background, nullptr, 0},      {25, background, nullptr, 0x51},
        {32, mouse_list, &header, plus_4}, {33, mouse_list, &header, 0},
        {26, background, nullptr, 0},      {27, background, nullptr, 0},
        {28, background, nullptr, 0x52},   {29, background, nullptr, 0},
        {34, mouse_list, &header, 0},      {31, background, nullptr, 0},
    };
    for (size_t i = 0; i < want.size(); ++i) {
        SCOPED_TRACE("call " + std::to_string(i));
        EXPECT_EQ(calls[i].slot, std::get<0>(want[i]));
        EXPECT_EQ(calls[i].record, std::get<1>(want[i]));
        EXPECT_EQ(calls[i].gauge, std::get<2>(want[i]));
        EXPECT_EQ(calls[i].word, std::get<3>(want[i]));
    }
}

TEST(HarrowRecords, AnEmptyWord15IsPassedOnAsNoHostRecord) {
    Loaded module = load_harrow();
    fill_word_15 = false;
    std::vector<SeenCall> calls = run_routines(module);
    fill_word_15 = true;
    ASSERT_GE(calls.size(), 3u);
    EXPECT_EQ(calls[2].slot, SLOT_MOUSE_LIST_INSTALL);
    EXPECT_EQ(calls[2].word, 0u) << "not an address 4 bytes past nothing";
}

TEST(HarrowRecords, RoutinesWithoutAHostTableCallNothing) {
    Loaded module = load_harrow();
    GaugeHeaderOld& header = harrow_header(module);
    seen.clear();
    header.query_routine();
    header.install_routine(1);
    header.kill_routine();
    EXPECT_TRUE(seen.empty());
}

TEST(HarrowRecords, SpeedClampHoldsTheNeedleAt300KnotsAndPassesTheRestOn) {
    Loaded module = load_harrow();
    EXPECT_EQ(clamp(module, 0), 0);
    EXPECT_EQ(clamp(module, 299.5), 299.5);
    EXPECT_EQ(clamp(module, 300), 300);
    EXPECT_EQ(clamp(module, 350), 300);
    EXPECT_EQ(clamp(module, std::numeric_limits<double>::infinity()), 300);
    EXPECT_EQ(clamp(module, -10), -10);
    EXPECT_EQ(harrow_needle(module).value_callback(nullptr), 0) << "no record, no crash";
}

TEST(HarrowRecords, BothBitmapsAreCarriedAtTheirStatedSizes) {
    std::string error;
    auto module = LoadedModule::load(HARROW_MODULE_PATH, error);
    ASSERT_TRUE(module) << error;
    const ModuleResources& resources = module->resources();
    EXPECT_TRUE(resources.problems().empty());
    EXPECT_EQ(resources.bitmap_count(), 2u);
    EXPECT_TRUE(resources.waves().empty());
    const Image* face = resources.bitmap(4096);
    const Image* needle = resources.bitmap(4608);
    ASSERT_TRUE(face && needle);
    EXPECT_EQ(face->width, 302u);
    EXPECT_EQ(face->height, 302u);
    EXPECT_EQ(needle->width, 152u);
    EXPECT_EQ(needle->height, 17u);
    EXPECT_FALSE(face->transparent_at(151, 142)) << "the dial is near-black, not keyed";
    EXPECT_TRUE(face->transparent_at(0, 0)) << "outside the bezel";
    EXPECT_FALSE(needle->transparent_at(32, 8)) << "the hub at the pivot";
    EXPECT_FALSE(needle->transparent_at(130, 8)) << "the pointer";
    EXPECT_TRUE(needle->transparent_at(151, 0));
}

TEST(HarrowRecords, EveryWordIsWhereTheOlderFormatPutsIt) {
#if !GAUGE_ABI_32BIT
    GTEST_SKIP() << "the word layout is the 32-bit build's";
#else
    Loaded module = load_harrow();
    ASSERT_TRUE(module.linkage);
    auto linkage = reinterpret_cast<Words>(module.linkage);
    expect_linkage_head(linkage, 0);
    EXPECT_NE(linkage[6], 0u);
    EXPECT_EQ(linkage[7], 0u);
    auto imports = reinterpret_cast<Words>(module.imports);
    EXPECT_EQ(imports[0], 0x0Fu);
    EXPECT_EQ(imports[1] | imports[2] | imports[3], 0u);

    // Header: 22 words, the seven routines at words 3 to 9.
    Words header = words(linkage[6]);
    EXPECT_EQ(header[0], 0x262u);
    EXPECT_EQ(string_at(header[1]), "Harrow_ASI");
    std::set<uint32_t> routines;
    for (size_t word = 3; word <= 9; ++word) {
        EXPECT_NE(header[word], 0u) << "routine word " << word;
        routines.insert(header[word]);
    }
    EXPECT_EQ(routines.size(), 7u) << "seven different routines";
    EXPECT_EQ(header[11], 89u);
    expect_unlisted_zero(header, 22, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 11}, "header");

    auto elements = expect_chain(header, harrow_chain(), "Harrow_ASI");
    EXPECT_EQ(elements.size(), 2u);

    // Mouse list, as the install routine hands it over: the whole gauge with help id
    // 0xAB02, its end, the end of the list.
    std::vector<SeenCall> calls = run_routines(module);
    ASSERT_GE(calls.size(), 3u);
    expect_mouse_list(static_cast<Words>(calls[2].record),
                      {whole_gauge(0xAB02), area_end, list_end}, "Harrow_ASI");
#endif
}
