// The module's records, all static data: the exported `Linkage` (older interface,
// one gauge) and `ImportTable`, and under them the gauge's header, its element chain
// (the face, then the needle), the needle's failure list and the mouse list.
#include "gauge_tables.hpp"
#include "harrow_gauge.hpp"
#include "harrow_table.hpp"
#include "module_exports.hpp"
#include "simulator_numbers.h"

#include <cstddef>
#include <iterator>

namespace harrow {
namespace {

// The host's help text for the whole gauge.
constexpr uint32_t airspeed_help_id = 0xAB02;

// The face: transparent and lit, without the erase bit.
constexpr uint32_t face_flags = IMAGE_FLAG_USE_TRANSPARENCY | IMAGE_FLAG_USE_LUMINOUS;

// While the pitot failure is active the needle reads 0.
constexpr auto& needle_failures = gauge::failure_list<gauge::zero(FAILURE_PITOT_STATIC)>;

constexpr StaticImageRecordOld background_record(HarrowGauge& self) {
    StaticImageRecordOld record{};
    record.common = gauge::element({.kind = ELEMENT_STATIC_IMAGE,
                                    .bitmap = face_bitmap,
                                    .position = {0, 0},
                                    .image_flags = face_flags},
                                   nullptr, self.background_children);
    record.common.gauge_old = &self.header;
    return record;
}

constexpr NeedleRecordOld needle_record(HarrowGauge& self) {
    NeedleRecordOld record{};
    record.common = gauge::element({.kind = ELEMENT_NEEDLE,
                                    .bitmap = needle_bitmap,
                                    .position = {pivot_x, pivot_y},
                                    .image_flags = gauge::lit_layer_flags,
                                    .offset = {needle_bitmap.pivot.x, needle_bitmap.pivot.y},
                                    .failures = needle_failures},
                                   nullptr, nullptr);
    record.common.gauge_old = &self.header;
    record.source = gauge::variable(VAR_AIRSPEED);
    record.value_callback = harrow_speed_clamp;
    record.host_setting_26 = 151;
    record.host_setting_27 = 8;
    record.nonlinearity = speed_table;
    record.row_count = std::size(speed_table);
    record.host_setting_30 = 6;
    return record;
}

// Builds the gauge's records; `self` is the object being initialised, whose
// addresses the records point at.
constexpr HarrowGauge harrow_records(HarrowGauge& self) {
    HarrowGauge gauge{};
    gauge.header.version = GAUGE_HEADER_VERSION_OLD;
    gauge.header.name = "Harrow_ASI";
    gauge.header.element_list = self.roots;
    gauge.header.query_routine = query_routine;
    gauge.header.install_routine = install_routine;
    gauge.header.initialize_routine = initialize_routine;
    gauge.header.update_routine = update_routine;
    gauge.header.generate_routine = generate_routine;
    gauge.header.draw_routine = draw_routine;
    gauge.header.kill_routine = kill_routine;
    gauge.header.size_mm = 89;
    gauge.roots[0] = &self.background.common;
    gauge.background = background_record(self);
    gauge.background_children[0] = &self.needle.common;
    gauge.needle = needle_record(self);
    gauge.mouse_list[0] = gauge::area_begin(airspeed_help_id);
    gauge.mouse_list[1] = gauge::area_end();
    gauge.mouse_list[2] = gauge::list_end();
    return gauge;
}

// The module allocates nothing at load and frees nothing at unload.
void GAUGE_CALL module_init() {}
void GAUGE_CALL module_fini() {}

} // namespace

constinit HarrowGauge harrow_gauge = harrow_records(harrow_gauge);

} // namespace harrow

struct HarrowLinkage {
    ModuleLinkage head;
    GaugeHeaderOld* gauges[2]; // zero-terminated
};
static_assert(offsetof(HarrowLinkage, gauges) == sizeof(ModuleLinkage),
              "the gauge list follows the linkage words directly");

extern "C" {

GAUGE_EXPORT constinit HarrowLinkage Linkage = {
    {GAUGE_MODULE_ID, harrow::module_init, harrow::module_fini, 0, 0, GAUGE_LINKAGE_VERSION_OLD},
    {&harrow::harrow_gauge.header, nullptr},
};

GAUGE_EXPORT constinit ImportEntry ImportTable[2] = {
    {GAUGE_IMPORT_PANEL_SERVICES, nullptr},
    {0, nullptr},
};

} // extern "C"
