// Each art source file registers its bitmaps (and previews) through one of these.
#pragma once

#include "art/bitmap_registry.hpp"

namespace art {

// The modules the art is drawn for.
inline constexpr const char* marlow_instr = "Marlow_Instr";
inline constexpr const char* harrow_asi = "Harrow_ASI";

void register_airspeed_art(BitmapRegistry& registry);
void register_vertical_speed_art(BitmapRegistry& registry);
void register_compass_art(BitmapRegistry& registry);
void register_fuel_art(BitmapRegistry& registry);
void register_engine_art(BitmapRegistry& registry);
void register_flaps_gear_art(BitmapRegistry& registry);
void register_harrow_art(BitmapRegistry& registry);
void register_toggle_art(BitmapRegistry& registry);
void register_registration_art(BitmapRegistry& registry);
void register_altimeter_art(BitmapRegistry& registry);
void register_attitude_art(BitmapRegistry& registry);
void register_turn_coordinator_art(BitmapRegistry& registry);
void register_radio_art(BitmapRegistry& registry);
void register_nav_vor_art(BitmapRegistry& registry);
void register_nav_xpdr_art(BitmapRegistry& registry);
void register_nav_dme_art(BitmapRegistry& registry);
void register_nav_hsi_art(BitmapRegistry& registry);
void register_nav_rmi_art(BitmapRegistry& registry);

} // namespace art
