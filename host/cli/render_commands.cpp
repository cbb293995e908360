// panelhost render: a panel file's visible windows (or those named), drawn after some
// update cycles.
#include "cli/commands.hpp"
#include "panel.hpp"
#include "render/drawing_signature.hpp"
#include "render/panel_fonts.hpp"
#include "render/panel_renderer.hpp"
#include "render/png_output.hpp"
#include "workbench/workbench_session.hpp"

#include <cmath>
#include <filesystem>
#include <iostream>

namespace panelhost {
namespace {

// "no window NAME in FILE; its windows: 0 [Window00] "Main panel" (ident 0), ...".
std::string no_such_window(const Panel& panel, const std::string& name,
                           const std::string& panel_file) {
    std::string text = "no window " + name + " in " + panel_file + "; its windows:";
    for (size_t i = 0; i < panel.windows().size(); ++i) {
        const PlacedWindow& window = panel.windows()[i];
        text += std::string(i ? "," : "") + " " + std::to_string(i) + " [" + window.section + "]";
        if (!window.title.empty()) text += " \"" + window.title + "\"";
        if (window.ident) text += " (ident " + std::to_string(*window.ident) + ")";
    }
    return text;
}

int write_picture(PanelHost& host, const Panel& panel, const RenderOptions& options,
                  const std::string& panel_file) {
    std::string error;
    if (!use_panel_fonts(error)) report_problem(error);
    std::vector<size_t> windows = panel.visible_windows();
    if (!options.windows.empty()) {
        windows.clear();
        for (const std::string& name : options.windows) {
            std::optional<size_t> index = panel.find_window(name);
            if (!index) return fail(no_such_window(panel, name, panel_file));
            windows.push_back(*index);
        }
    }
    PanelRenderer renderer(host);
    FrameStats stats;
    SurfacePtr picture = renderer.render_windows(panel, windows, options.zoom, &stats);
    if (stats.missing_elements)
        report_problem(std::to_string(stats.missing_elements) +
                       " element(s) could not be drawn for want of a bitmap");
    if (!write_png(picture.get(), options.out_file, error)) return fail(error);
    std::cout << "panelhost: rendered " << panel_file << " to " << options.out_file << "\n";
    return 0;
}

// The scenario played by a workbench session at its cycle rate, from time 0 to the
// time asked for, clicks and all, exactly as `serve` plays it.
int render_scenario(const RenderOptions& options) {
    std::string error;
    WorkbenchOptions workbench;
    if (!choose_workbench_files(options.panel_file, options.aircraft, options.scenario_file,
                                options.module_dir, workbench, error))
        return fail(error);
    WorkbenchSession session(workbench);
    if (!apply_settings(session.host().simulation(), options.settings, error)) return fail(error);
    for (const std::string& problem : session.panel().problems())
        report_problem(problem);
    for (const std::string& problem : session.player().scenario().errors)
        report_problem(problem);
    if (session.panel().windows().empty())
        return fail(workbench.panel_file + ": no window to render");
    const double period = 1.0 / workbench.cycle_hz;
    const long whole_cycles = long(std::floor(options.time / period));
    for (long cycle = 0; cycle <= whole_cycles; ++cycle)
        session.run_cycle(double(cycle) * period);
    if (options.time > double(whole_cycles) * period) session.run_cycle(options.time);
    return write_picture(session.host(), session.panel(), options, workbench.panel_file);
}

} // namespace

int run_render(const RenderOptions& options) {
    if (!options.scenario_file.empty()) return render_scenario(options);
    std::string error;
    std::optional<PanelConfig> config =
        read_panel_choice(options.panel_file, options.aircraft, error);
    if (!config) return fail(error);
    PanelHost host;
    if (!apply_settings(host.simulation(), options.settings, error)) return fail(error);
    Panel panel(host, *config, module_search(options.module_dir));
    for (const std::string& problem : panel.problems())
        report_problem(problem);
    if (config->windows.empty()) return fail(config->file + ": no window to render");
    for (int cycle = 0; cycle < options.cycles; ++cycle)
        host.update();
    // What the last cycle's callbacks computed from later elements shows as well.
    update_until_settled(host);

    return write_picture(host, panel, options, config->file);
}

} // namespace panelhost
