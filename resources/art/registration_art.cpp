// Registration plate art (Marlow_Instr): the plate is entirely black, so that only
// the registration's text shows, straight on the panel's paint.
#include "art/art_families.hpp"
#include "panel/panel_bitmaps.hpp"

namespace art {

void register_registration_art(BitmapRegistry& registry) {
    namespace bitmaps = gauge::panel_bitmaps;
    registry.add({.module = "Marlow_Instr",
                  .number = bitmaps::registration_plate,
                  .width = bitmaps::plate_width,
                  .height = bitmaps::plate_height,
                  .draw = [](cairo_t*, int, int) {},
                  .blank = true});
}

} // namespace art
