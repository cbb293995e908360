// Registration plate art (Marlow_Instr): the plate is entirely black, so that only
// the registration's text shows, straight on the panel's paint.
#include "art/art_families.hpp"
#include "panel/panel_bitmaps.hpp"

namespace art {

void register_registration_art(BitmapRegistry& registry) {
    registry.add_blank(marlow_instr, gauge::panel_bitmaps::registration_plate);
}

} // namespace art
