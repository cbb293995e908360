// The panel-file reader on arbitrary bytes, and the placing of what it read: whatever
// the file holds, it reports errors and never reads or writes out of bounds. The
// panel's folder does not exist, so no module or bitmap is found: every gauge
// becomes a placeholder and every window is sized from what it says.
#include "panel.hpp"
#include "panel_config.hpp"

#include <cstdint>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    panelhost::PanelConfig config =
        panelhost::read_panel_config(in, "/nonexistent-panel-folder/panel.cfg");
    for (const panelhost::PanelWindow& window : config.windows)
        (void)panelhost::text_as_utf8(window.title);
    panelhost::PanelHost host;
    panelhost::Panel panel(host, config, std::vector<std::string>{});
    for (const panelhost::PlacedWindow& window : panel.windows())
        if (window.width < 1 || window.height < 1) __builtin_trap();
    return 0;
}
