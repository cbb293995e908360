// mouse_map.hpp - panelhost's model of a gauge's mouse areas.
//
// A gauge publishes its mouse areas as a flat list of MouseArea records in which
// MOUSE_BEGIN / MOUSE_PARENT_END pairs open and close areas and every box is relative
// to the area it belongs to. read_mouse_map turns that list into a tree of nodes with
// absolute boxes, noting anything malformed instead of trusting it; the hit tests then
// answer where a click goes and what the pointer shows. Pure code: no I/O, no
// platform calls.
#pragma once

#include "gauge_abi.h"
#include "record_limits.hpp"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace panelhost {

// A rectangle in design pixels of the gauge. Half-open: it holds x <= px < x + width
// (and likewise for y), so a box of zero width or height holds nothing.
struct Box {
    double x, y, width, height;
    bool contains(double px, double py) const;
};

struct MouseNode {
    const MouseArea* record; // the MOUSE_BEGIN or MOUSE_CHILD record
    Box box;                 // absolute, design pixels of the gauge
    int parent;              // index of the enclosing MOUSE_BEGIN node, -1 at the top level
    int depth;               // 0 at the top level
    uint32_t help_id;        // MOUSE_BEGIN: its help id, or a tooltip record's non-zero one
    const char* tooltip;     // MOUSE_BEGIN: text of its tooltip record, or null
};

struct MouseMap {
    std::vector<MouseNode> nodes;      // in list order
    std::vector<std::string> problems; // "mouse record N: what was wrong"
};

// Reads a list up to its MOUSE_END record, never past max_records records, and no
// deeper than max_mouse_depth open areas. The design size is the box of zero-box areas
// at the top level. A null list gives an empty map. Records that make no sense are
// skipped and described in `problems`.
MouseMap read_mouse_map(const MouseArea* list, double design_width, double design_height,
                        size_t max_records = max_mouse_records);

// The MOUSE_CHILD node a click at (x, y) goes to: the first in list order whose box
// and enclosing areas all hold the point and whose mouse_flags share a button bit
// (MOUSE_LEFT_BUTTON, MOUSE_RIGHT_BUTTON) with `buttons`.
std::optional<size_t> click_target(const MouseMap& map, double x, double y, uint32_t buttons);

struct PointerInfo {
    int32_t cursor;      // the cursor of the MOUSE_CHILD under the point, else CURSOR_NONE
    uint32_t help_id;    // of the innermost area under the point that has help or a tooltip
    const char* tooltip; // of that same area, or null
};

// What the pointer shows at (x, y): the cursor of the deepest node under the point
// (the later one among nodes of equal depth), the help of the innermost area under
// the point that has help or a tooltip.
PointerInfo pointer_info(const MouseMap& map, double x, double y);

// A button held on a MOUSE_REPEAT area calls back at once, again after 300 ms, then
// every 100 ms. Returns how many calls are due after holding it for held_ms.
uint32_t repeat_calls_due(double held_ms);

} // namespace panelhost
