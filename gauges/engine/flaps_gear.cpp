// Flaps and gear indicator: a flap pointer over UP, 1/3, 2/3 and DOWN, and three
// gear windows (left, centre, right). Without supply (below 20) every window shows
// the hatched image, the pointer is hidden and the OFF flag shows.
#include "engine_gauges.hpp"
#include "engine_tables.hpp"
#include "host_services.hpp"

namespace gauge {
namespace {

constexpr uint32_t supply_variable = 753;
constexpr double supply_needed = 20.0;
constexpr uint32_t flap_position = 330;
constexpr uint32_t left_gear_position = 333;
constexpr uint32_t centre_gear_position = 332;
constexpr uint32_t right_gear_position = 334;

// Gear window images, by icon index.
constexpr double gear_hatched = 0;
constexpr double gear_up = 1;
constexpr double gear_down = 2;
constexpr double gear_up_below = 100.0;
constexpr double gear_down_from = 16300.0;

constexpr uint32_t element_flags = 0x4083;

bool supply_present() {
    TokenVariable supply{};
    supply.id = supply_variable;
    host::lookup_var(supply);
    return supply.value.number >= supply_needed;
}

double GAUGE_CALL gear_window_image(ElementRecord* element) {
    if (!supply_present() || !element) return gear_hatched;
    const double gear = reinterpret_cast<IconRecord*>(element)->source.value.number;
    if (gear < gear_up_below) return gear_up;
    if (gear < gear_down_from) return gear_hatched; // in transit
    return gear_down;
}

double GAUGE_CALL flap_pointer_value(ElementRecord* element) {
    const bool powered = supply_present();
    if (!element) return 0;
    if (powered)
        element->image_flags &= ~IMAGE_FLAG_HIDDEN;
    else
        element->image_flags |= IMAGE_FLAG_HIDDEN;
    return reinterpret_cast<NeedleRecord*>(element)->source.value.number;
}

double GAUGE_CALL gear_flaps_off_flag(ElementRecord*) { return supply_present() ? ICON_HIDDEN : 0; }

constexpr IconFields gear_window(Point position, uint32_t source) {
    return {.bitmap = 1340,
            .position = position,
            .image_flags = element_flags,
            .source = source,
            .scale = 1.0,
            .icon_count = 3,
            .callback = gear_window_image};
}

constexpr FlapsGearIndicator flaps_gear_indicator(FlapsGearIndicator& self) {
    FlapsGearIndicator g{};
    g.header = gauge_header("Flaps_Gear_Indicator", self.roots, 100, self.mouse_areas);
    g.roots[0] = &self.face.common;
    g.face = static_image(1320, {0, 0}, 0x4003, &self.header, self.face_children);
    g.face_children[0] = &self.right_gear.common;
    g.right_gear =
        icon(gear_window({107, 86}, right_gear_position), &self.header, self.right_gear_children);
    g.right_gear_children[0] = &self.centre_gear.common;
    g.centre_gear =
        icon(gear_window({69, 86}, centre_gear_position), &self.header, self.centre_gear_children);
    g.centre_gear_children[0] = &self.left_gear.common;
    g.left_gear =
        icon(gear_window({31, 86}, left_gear_position), &self.header, self.left_gear_children);
    g.left_gear_children[0] = &self.off_flag.common;
    g.off_flag = icon({.bitmap = 1350,
                       .position = {72, 26},
                       .image_flags = element_flags,
                       .scale = 1.0,
                       .icon_count = 1,
                       .callback = gear_flaps_off_flag},
                      &self.header, self.off_flag_children);
    g.off_flag_children[0] = &self.flap_pointer.common;
    g.flap_pointer = needle({.bitmap = 1330,
                             .pivot = {69, 29},
                             .needle_offset = {6, 6},
                             .image_flags = element_flags,
                             .source = flap_position,
                             .table = flap_table,
                             .rows = 4,
                             .callback = flap_pointer_value},
                            &self.header, self.flap_pointer_children);
    g.flap_pointer_children[0] = &self.cover.common;
    g.cover = static_image(1360, {0, 0}, 0x3, &self.header, nullptr);
    g.mouse_areas[0] = area_begin(0xA903);
    g.mouse_areas[1] = area_end();
    g.mouse_areas[2] = list_end();
    return g;
}

} // namespace

constinit FlapsGearIndicator flaps_gear_indicator_gauge =
    flaps_gear_indicator(flaps_gear_indicator_gauge);

} // namespace gauge
