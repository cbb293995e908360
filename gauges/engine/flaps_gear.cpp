// Flaps and gear indicator: a flap pointer over UP, 1/3, 2/3 and DOWN, and three
// gear windows (left, centre, right). Without supply (below 20) every window shows
// the hatched image, the pointer is hidden and the OFF flag shows.
#include "element_sources.hpp"
#include "engine/engine_bitmaps.hpp"
#include "engine_gauges.hpp"
#include "engine_tables.hpp"
#include "host_services.hpp"
#include "simulator_numbers.h"

namespace gauge {
namespace {

constexpr double supply_needed = 20.0;

// Gear window images, by icon index.
constexpr double gear_hatched = 0;
constexpr double gear_up = 1;
constexpr double gear_down = 2;
constexpr double gear_up_below = 100.0;
constexpr double gear_down_from = 16300.0;

bool supply_present() {
    TokenVariable supply{};
    supply.id = VAR_MAIN_BUS_VOLTAGE;
    host::lookup_var(supply);
    return supply.value.number >= supply_needed;
}

double GAUGE_CALL gear_window_image(ElementRecord* element) {
    if (!supply_present() || !element) return gear_hatched;
    const double gear = icon_source(element);
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
    return needle_source(element);
}

double GAUGE_CALL gear_flaps_off_flag(ElementRecord*) { return supply_present() ? ICON_HIDDEN : 0; }

constexpr IconFields gear_window(Point position, uint32_t source) {
    return {.bitmap = flaps_gear_bitmaps::gear_hatched,
            .position = position,
            .image_flags = lit_moving_flags,
            .source = source,
            .scale = 1.0,
            .icon_count = 3,
            .callback = gear_window_image};
}

} // namespace

constinit FlapsGearIndicator flaps_gear_indicator_gauge =
    gauge_records(flaps_gear_indicator_gauge, {.name = "Flaps_Gear_Indicator"},
                  elements(static_image(flaps_gear_bitmaps::face, {0, 0}, lit_layer_flags),
                           // right gear window
                           icon(gear_window({107, 86}, VAR_GEAR_RIGHT_POSITION)),
                           // centre gear window
                           icon(gear_window({69, 86}, VAR_GEAR_CENTRE_POSITION)),
                           // left gear window
                           icon(gear_window({31, 86}, VAR_GEAR_LEFT_POSITION)),
                           // OFF flag
                           icon({.bitmap = flaps_gear_bitmaps::off_flag,
                                 .position = {72, 26},
                                 .image_flags = lit_moving_flags,
                                 .scale = 1.0,
                                 .icon_count = 1,
                                 .callback = gear_flaps_off_flag}),
                           // flap pointer
                           needle({.bitmap = flaps_gear_bitmaps::flap_pointer,
                                   .pivot = {69, 29},
                                   .image_flags = lit_moving_flags,
                                   .source = VAR_FLAPS_POSITION,
                                   .table = flap_table,
                                   .callback = flap_pointer_value}),
                           // cover
                           static_image(flaps_gear_bitmaps::cover, {0, 0}, layer_flags)),
                  {area_begin(0xA903), area_end(), list_end()});

} // namespace gauge
