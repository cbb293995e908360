// What the host knows about one element of a placed gauge after an update: the
// state the renderer draws from, and the last values that a frozen failure keeps.
#pragma once

#include "gauge_abi.h"

#include <cstdint>
#include <optional>
#include <string>

namespace panelhost {

struct ElementState {
    ElementRecord* record = nullptr; // the instance's copy
    uint32_t kind = ELEMENT_STATIC_IMAGE;
    bool known_kind = true; // false: a kind this host does not know; not drawn
    int depth = 0;          // 0 for a root, parent's depth + 1 for a child
    bool drawn = true;

    // Values after callbacks and failures: needle and icon use x; slider, moving
    // image and sprite use x and y; the sprite's rotation value is in rotation.
    double value_x = 0;
    double value_y = 0;
    double value_rotation = 0;

    double needle_angle = 0;         // needle: screen degrees, clockwise, 0 = +x
    std::optional<uint32_t> icon;    // icon: index of the bitmap shown, or hidden
    double shift_x = 0, shift_y = 0; // slider: displacement; sprite: shift (pixels)
    double slide_x = 0, slide_y = 0; // moving image: travel fraction per axis, 0..1
    double rotation = 0;             // sprite: degrees counterclockwise
    std::string text;                // string
    uint32_t text_capacity = 0;      // string: bytes of the host's text buffer
};

} // namespace panelhost
