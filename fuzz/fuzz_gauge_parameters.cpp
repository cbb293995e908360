// A gauge of either module placed with the fuzzer's parameter string: installed,
// updated, every mouse area clicked with both buttons, installed again and removed.
// The first byte picks the gauge among all the modules publish, so gauges that read
// options (toggles, registration, engine gauges) are covered as they are added.
#include "panel_host.hpp"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using namespace panelhost;

namespace {

struct Placeable {
    std::string module;
    std::string gauge;
};

struct LoadedHost {
    PanelHost host;
    std::vector<Placeable> gauges;

    LoadedHost() {
        std::string error;
        for (const char* path : {MARLOW_MODULE_PATH, HARROW_MODULE_PATH}) {
            LoadedModule* module = host.load_module(path, error);
            if (!module) {
                std::fprintf(stderr, "%s\n", error.c_str());
                std::abort();
            }
            for (const GaugeHeader* header : module->gauges())
                if (header->name) gauges.push_back({module->name(), header->name});
        }
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static LoadedHost loaded;
    if (size == 0) return 0;
    const Placeable& which = loaded.gauges[data[0] % loaded.gauges.size()];
    // The panel reader hands gauges a text without zero bytes.
    std::string parameters(reinterpret_cast<const char*>(data + 1), size - 1);
    parameters = parameters.substr(0, parameters.find('\0'));

    std::string error;
    GaugeInstance* instance = loaded.host.place(which.module, which.gauge, parameters, error);
    if (!instance) std::abort();
    loaded.host.update();
    const MouseMap map = instance->mouse_map();
    for (const MouseNode& node : map.nodes) {
        for (uint32_t buttons :
             {MOUSE_LEFT_BUTTON, MOUSE_RIGHT_BUTTON, MOUSE_LEFT_BUTTON | MOUSE_RIGHT_BUTTON}) {
            loaded.host.click(*instance, node.box.x + node.box.width / 2,
                              node.box.y + node.box.height / 2, buttons);
        }
    }
    loaded.host.reinstall(*instance);
    loaded.host.update();
    loaded.host.remove(instance);
    loaded.host.simulation().clear_logs();
    return 0;
}
