// panelhost render: a panel file's visible windows, drawn after some update cycles.
#include "cli/commands.hpp"
#include "panel.hpp"
#include "render/drawing_signature.hpp"
#include "render/panel_fonts.hpp"
#include "render/panel_renderer.hpp"
#include "render/png_output.hpp"

#include <iostream>

namespace panelhost {

int run_render(const RenderOptions& options) {
    std::string error;
    std::optional<PanelConfig> config =
        read_panel_choice(options.panel_file, options.aircraft, error);
    if (!config) {
        std::cerr << "panelhost: " << error << "\n";
        return 1;
    }
    PanelHost host;
    if (!apply_settings(host.simulation(), options.settings, error)) {
        std::cerr << "panelhost: " << error << "\n";
        return 1;
    }
    Panel panel(host, *config, module_search(options.module_dir));
    for (const std::string& problem : panel.problems()) std::cerr << "panelhost: " << problem << "\n";
    if (config->windows.empty()) {
        std::cerr << "panelhost: " << config->file << ": no window to render\n";
        return 1;
    }
    for (int cycle = 0; cycle < options.cycles; ++cycle) host.update();
    // What the last cycle's callbacks computed from later elements shows as well.
    update_until_settled(host);

    if (!use_panel_fonts(error)) std::cerr << "panelhost: " << error << "\n";
    PanelRenderer renderer(host);
    FrameStats stats;
    SurfacePtr picture = renderer.render_panel(panel, options.zoom, &stats);
    if (stats.missing_elements)
        std::cerr << "panelhost: " << stats.missing_elements
                  << " element(s) could not be drawn for want of a bitmap\n";
    if (!write_png(picture.get(), options.out_file, error)) {
        std::cerr << "panelhost: " << error << "\n";
        return 1;
    }
    std::cout << "panelhost: rendered " << config->file << " to " << options.out_file << "\n";
    return 0;
}

} // namespace panelhost
