// The panel as the workbench page reads it (GET /api/layout), piece by piece: each
// gauge's mouse areas, the failure keys the placed gauges list, the variable
// catalog, where windows sit on the screen; and the one way JSON is written.
#pragma once

#include "gauge_instance.hpp"
#include "panel.hpp"

#include <nlohmann/json.hpp>

#include <optional>
#include <string>

namespace panelhost {

// Each area with its box, parent, depth, whether it is clickable and its own tip
// (tooltip text or the host's help text; the page takes the innermost that has
// one); clickable ones with cursor, buttons, repeat and key event.
nlohmann::json mouse_areas_json(const GaugeInstance& instance);

// Every failure key the placed gauges' elements list: the host's name for it, the
// gauges it acts on, and what it does to each of their elements.
nlohmann::json failure_keys_json(const Panel& panel);

// Every gauge of every loaded module, for the page's palette: module, gauge, design
// size and the address of its thumbnail (its face bitmap).
nlohmann::json palette_json(const PanelHost& host);

// The catalog with its groups in the order the enumeration gives them.
nlohmann::json variable_catalog_json();

// A window: its title, section, ident, size, where it sits on the screen and its
// background, with its gauges' numbers and the address of its background bitmap
// (or null).
nlohmann::json window_json(const PlacedWindow& window, nlohmann::json gauge_ids,
                           nlohmann::json background_address);

// Compact JSON; text that is not UTF-8 is replaced rather than refused.
std::string json_text(const nlohmann::json& value);

} // namespace panelhost
