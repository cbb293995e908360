// The panel-file reader on arbitrary bytes: whatever the file holds, it reports
// errors and never reads or writes out of bounds.
#include "panel_config.hpp"

#include <cstdint>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    panelhost::PanelConfig config = panelhost::read_panel_config(in, "fuzz.cfg");
    for (const panelhost::PanelWindow& window : config.windows)
        (void)panelhost::window_number_of(window.section);
    return 0;
}
