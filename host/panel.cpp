#include "panel.hpp"

#include <set>

namespace panelhost {

std::string module_file(const std::string& module_dir, const std::string& module_name) {
    return (module_dir.empty() ? std::string(".") : module_dir) + "/" + module_name + module_file_suffix;
}

Panel::Panel(PanelHost& host, const PanelConfig& config, const std::string& module_dir)
    : simulation_(&host.simulation()), problems_(config.errors) {
    if (!config.atc_id.empty()) host.simulation().set_named_text("ATC ID,string", config.atc_id);
    for (const PanelWindow& window : config.windows)
        if (window.ident && *window.ident >= 0)
            host.simulation().set_window_visible(uint32_t(*window.ident), window.visible);
    std::set<std::string> unloadable;
    for (const PanelWindow& window : config.windows) {
        PlacedWindow placed{window.title, window.ident, window.width, window.height,
                            window.visible, {}};
        for (const PanelGauge& gauge : window.gauges) {
            std::string where = config.file + ":" + std::to_string(gauge.line) + ": ";
            std::string error;
            if (!host.find_module(gauge.module) && !unloadable.count(gauge.module) &&
                !host.load_module(module_file(module_dir, gauge.module), error)) {
                unloadable.insert(gauge.module);
                problems_.push_back(where + error);
            }
            if (unloadable.count(gauge.module)) continue;
            GaugeInstance* instance = host.place(gauge.module, gauge.gauge, gauge.parameters, error);
            if (!instance) {
                problems_.push_back(where + error);
                continue;
            }
            DesignSize design = instance->design_size();
            double design_width = design.width > 0 ? design.width : gauge.width;
            double design_height = design.height > 0 ? design.height : design_width;
            PlacedGauge item;
            item.instance = instance;
            item.module = gauge.module;
            item.line = gauge.line;
            item.x = gauge.x;
            item.y = gauge.y;
            item.width = gauge.width;
            item.scale_x = gauge.width / design_width;
            item.height = gauge.height ? *gauge.height : design_height * item.scale_x;
            item.scale_y = item.height / design_height;
            placed.gauges.push_back(item);
        }
        windows_.push_back(std::move(placed));
    }
}

bool Panel::window_visible(const PlacedWindow& window) const {
    if (window.ident && *window.ident >= 0) return simulation_->window_visible(uint32_t(*window.ident));
    return window.visible;
}

} // namespace panelhost
