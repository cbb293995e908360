// What a POST to /api/placement asks of the panel file: a gauge line changed, moved
// to another window, added or removed, read from its JSON body with every field
// checked, and carried out on the panel file's text.
#pragma once

#include "panel_config.hpp"
#include "panel_edit.hpp"

#include <optional>
#include <string>
#include <variant>

namespace panelhost {

// {"window": S, "gauge": K, "x"|"y"|"width"|"height"|"parameters": ...}
struct ChangePlacement {
    std::string window, gauge;
    PlacementChange change;
};
// {"window": S, "gauge": K, "to_window": T[, "x": .., "y": ..]}
struct MovePlacement {
    std::string window, gauge, to_window;
    PlacementChange change;
};
// {"window": S, "add": "Module!Gauge", "x": .., "y": ..[, "width"|"height"|"parameters"]}
struct AddPlacement {
    std::string window;
    NewPlacement placement;
};
// {"window": S, "gauge": K, "remove": true}
struct RemovePlacement {
    std::string window, gauge;
};
using PlacementRequest =
    std::variant<ChangePlacement, MovePlacement, AddPlacement, RemovePlacement>;

// None, with `error` saying what is wrong, when the body cannot be read.
std::optional<PlacementRequest> read_placement_request(const std::string& body, std::string& error);

// The request carried out on the panel file's text. `not_found` tells a window or
// gauge the file does not have (the text is then unchanged and `error` says which).
PanelEdit apply_placement_request(const PlacementRequest& request, const std::string& text,
                                  bool& not_found);

} // namespace panelhost
