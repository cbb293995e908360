// panelhost gallery: every gauge of every module in its named states, one PNG
// each, with an index.html that outlines their mouse areas.
#include "cli/commands.hpp"
#include "cli/gallery_page.hpp"
#include "cli/golden_check.hpp"
#include "gallery_states.hpp"
#include "help_texts.hpp"
#include "panel.hpp"
#include "render/gauge_renderer.hpp"
#include "render/panel_fonts.hpp"
#include "render/png_output.hpp"

#include <filesystem>
#include <fstream>
#include <iostream>

namespace panelhost {
namespace {

// The modules panelhost knows, in the order the gallery shows them.
const char* const module_names[] = {"Marlow_Instr", "Harrow_ASI"};

std::vector<GalleryArea> areas_of(const GaugeInstance& instance) {
    std::vector<GalleryArea> areas;
    for (const MouseNode& node : instance.mouse_map().nodes) {
        bool clickable = node.record->kind == MOUSE_CHILD;
        std::string tooltip = node.tooltip   ? node.tooltip
                              : node.help_id ? help_text(node.help_id)
                                             : "";
        if (clickable && node.parent >= 0) {
            const MouseNode& parent = instance.mouse_map().nodes[size_t(node.parent)];
            if (parent.tooltip)
                tooltip = parent.tooltip;
            else if (parent.help_id)
                tooltip = help_text(parent.help_id);
        }
        areas.push_back(
            {node.box.x, node.box.y, node.box.width, node.box.height, clickable, tooltip});
    }
    return areas;
}

// Places the gauge in a fresh host (a fresh load of its module), applies the state,
// and writes its picture. Returns false and reports when that cannot be done.
bool render_state(const std::string& module_path, const std::string& module_name,
                  const GalleryState& state, const std::string& out_dir,
                  std::vector<GalleryPicture>& pictures) {
    PanelHost host;
    std::string error;
    const LoadedModule* module = host.load_module(module_path, error);
    if (!module) {
        report_problem(error);
        return false;
    }
    Simulation& simulation = host.simulation();
    for (const auto& [id, value] : state.variables)
        simulation.set(id, value);
    for (const auto& [name, value] : state.named)
        simulation.set_named(name, value);
    for (const auto& [name, text] : state.texts)
        simulation.set_named_text(name, text);
    for (uint32_t key : state.failures)
        simulation.set_failure(key, true);
    for (const GalleryCompanion& companion : state.companions) {
        GaugeInstance* other = host.place(module_name, companion.gauge, std::nullopt, error);
        if (!other) {
            std::cerr << "panelhost: " << state.gauge << " (" << state.name << "): " << error
                      << "\n";
            return false;
        }
        for (auto [x, y] : companion.clicks) {
            host.update();
            host.click(*other, x, y, MOUSE_LEFT_BUTTON);
        }
    }
    GaugeInstance* instance = host.place(module_name, state.gauge, state.parameters, error);
    if (!instance) {
        report_problem(error);
        return false;
    }
    for (auto [x, y] : state.clicks) {
        host.update();
        host.click(*instance, x, y, MOUSE_LEFT_BUTTON);
    }
    for (int cycle = 0; cycle < state.cycles; ++cycle)
        host.update();

    DesignSize size = instance->design_size();
    int width = std::max(1, int(size.width)), height = std::max(1, int(size.height));
    SurfacePtr surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
    ContextPtr cr(cairo_create(surface.get()));
    BitmapSurfaces bitmaps(module->resources());
    int missing = draw_gauge(cr.get(), *instance, bitmaps, 1.0);
    if (missing)
        std::cerr << "panelhost: " << state.gauge << " (" << state.name << "): " << missing
                  << " element(s) without a bitmap\n";

    std::string file = file_slug(state.gauge) + "--" + file_slug(state.name) + ".png";
    if (!write_png(surface.get(), out_dir + "/" + file, error)) {
        report_problem(error);
        return false;
    }
    pictures.push_back(
        {module_name, state.gauge, state.name, file, width, height, areas_of(*instance)});
    return true;
}

} // namespace

int run_gallery(const GalleryOptions& options) {
    std::error_code fs_error;
    std::filesystem::create_directories(options.out_dir, fs_error);
    if (fs_error) {
        std::cerr << "panelhost: cannot create " << options.out_dir << ": " << fs_error.message()
                  << "\n";
        return 1;
    }
    std::string error;
    if (!use_panel_fonts(error)) report_problem(error);
    std::vector<std::string> problems;
    std::vector<GalleryState> states = find_gallery_states(options.states_dir, problems);
    for (const std::string& problem : problems)
        report_problem(problem);

    std::vector<GalleryPicture> pictures;
    bool ok = true;
    for (const char* module_name : module_names) {
        std::string path = module_file(options.module_dir, module_name);
        if (!std::filesystem::exists(path)) continue;
        std::unique_ptr<LoadedModule> module = LoadedModule::load(path, error);
        if (!module) {
            report_problem(error);
            ok = false;
            continue;
        }
        // The module is closed again before the states are drawn, so that each state
        // starts from a fresh load: gauges keep switches in module state.
        std::vector<std::string> gauge_names;
        for (const GaugeHeader* header : module->gauges())
            gauge_names.push_back(header->name);
        module.reset();
        for (const std::string& gauge_name : gauge_names) {
            std::vector<GalleryState> own;
            for (const GalleryState& state : states)
                if (state.gauge == gauge_name) own.push_back(state);
            if (own.empty()) own.push_back({gauge_name, "as installed"});
            for (const GalleryState& state : own)
                ok = render_state(path, module_name, state, options.out_dir, pictures) && ok;
        }
    }
    std::ofstream(options.out_dir + "/index.html") << gallery_page(pictures);
    std::cout << "panelhost: " << pictures.size() << " pictures and index.html in "
              << options.out_dir << "\n";
    if (!options.golden_dir.empty())
        ok = (options.rewrite_golden
                  ? rewrite_goldens(pictures, options.out_dir, options.golden_dir)
                  : check_goldens(pictures, options.out_dir, options.golden_dir)) &&
             ok;
    return ok ? 0 : 1;
}

} // namespace panelhost
