// Every bitmap of Marlow_Instr, gathered from the tables of its gauge families, for
// the checks that the module carries each one at its size.
#pragma once

#include "engine/engine_bitmaps.hpp"
#include "flight/flight_bitmaps.hpp"
#include "nav/nav_bitmaps.hpp"
#include "panel/panel_bitmaps.hpp"
#include "radios/radio_layout.hpp"

#include <span>
#include <vector>

namespace gauge {

inline std::vector<Bitmap> marlow_bitmaps() {
    std::vector<Bitmap> all;
    auto add = [&all](std::span<const Bitmap> table) {
        all.insert(all.end(), table.begin(), table.end());
    };
    auto add_dial = [&add](const DialBitmaps& dial) {
        add({{dial.face, dial.needle, dial.cover}});
    };
    auto add_head = [&add](const radio_layout::HeadBitmaps& head) {
        add({{head.face, head.window, head.transfer_lit, head.lamp, head.buttons_lit,
              head.on_pressed, head.on_pressed_lit}});
        if (head.ident_pressed) add({{head.ident_pressed, head.ident_pressed_lit}});
    };

    add(panel_bitmaps::all);
    add_head(radio_layout::com_bitmaps);
    add_head(radio_layout::nav_bitmaps);
    add_head(radio_layout::adf_bitmaps);

    add_dial(airspeed_bitmaps::dial);
    add_dial(vertical_speed_bitmaps::dial);
    add(turn_coordinator_bitmaps::all);
    add(altimeter_bitmaps::all);
    add(attitude_bitmaps::all);
    add(compass_bitmaps::all);

    add(hsi_bitmaps::all);
    add(dme_bitmaps::all);
    add(rmi_bitmaps::all);
    add(vor_bitmaps::all);
    add(transponder_bitmaps::all);

    for (const DialBitmaps& dial :
         {engine_bitmaps::itt, engine_bitmaps::torque, engine_bitmaps::propeller,
          engine_bitmaps::fuel_flow, engine_bitmaps::hydraulic, engine_bitmaps::gas_generator})
        add_dial(dial);
    add({{engine_bitmaps::gas_generator_units_needle, engine_bitmaps::oil_face,
          engine_bitmaps::oil_needle, engine_bitmaps::oil_cover}});
    add(fuel_bitmaps::all);
    add(flaps_gear_bitmaps::all);
    return all;
}

} // namespace gauge
