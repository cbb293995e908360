// The host's names for the key events the gauges send, shown by tools (the
// workbench's key-event log) and accepted wherever an event is given by name.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace panelhost {

// The name of a key event; events the host has no name for read "KEY_0x1ABCD".
std::string key_event_name(uint32_t event);

// Every name the host has, in the order the panel groups them.
std::vector<std::string> known_key_event_names();

// The event with this name, or a number written as decimal or 0x-hexadecimal
// ("KOHLSMAN_INC", "0x1015B", "65883"); none when it is neither.
std::optional<uint32_t> key_event_number(const std::string& name);

} // namespace panelhost
