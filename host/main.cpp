// panelhost: the substitute host's command line.
#include "cli/commands.hpp"

#include <CLI/CLI.hpp>

#include <iostream>

using namespace panelhost;

namespace {

// An option whose help shows its default and whose value must lie from `low` to
// `high`.
template <class Value, class Bound>
CLI::Option* add_bounded_option(CLI::App* command, const std::string& name, Value& value,
                                const std::string& help, Bound low, Bound high) {
    return command->add_option(name, value, help)
        ->capture_default_str()
        ->check(CLI::Range(low, high));
}

#ifdef PANELHOST_WITH_RENDER
// --modules DIR, with its default shown.
void add_module_dir(CLI::App* command, std::string& module_dir) {
    command->add_option("--modules", module_dir, "directory of the module files")
        ->capture_default_str();
}
#endif

// --panel FILE or --aircraft DIR [--livery N]: the panel to place.
CLI::Option* add_panel_choice(CLI::App* command, std::string& panel_file,
                              AircraftChoice& aircraft) {
    CLI::Option* panel = command->add_option("--panel", panel_file, "panel configuration file");
    CLI::Option* folder = command->add_option(
        "--aircraft", aircraft.dir,
        "aircraft folder: its panel/panel.cfg, with the registration from its aircraft.cfg");
    add_bounded_option(command, "--livery", aircraft.livery,
                       "which livery's registration: the N-th section of aircraft.cfg that "
                       "holds an atc_id, from 0",
                       0, 999)
        ->needs(folder);
    panel->excludes(folder);
    return panel;
}

void add_settings(CLI::App* command, SimulationSettings& settings) {
    command->add_option("--set", settings.variables, "token variable value, as ID=VALUE");
    command->add_option("--named", settings.named,
                        "expression value, as NAME,unit=VALUE (e.g. PRESSURE ALTITUDE,feet=900)");
    command->add_option("--fail", settings.failures, "failure key to switch on");
}

} // namespace

int main(int argc, char** argv) {
    CLI::App app{"panelhost: loads gauge modules, drives their gauges and shows what they draw"};
    app.require_subcommand(1);

    std::string module_path;
    std::string gauge_name;
    CLI::App* inspect = app.add_subcommand("inspect", "print every gauge of a module as JSON");
    inspect->add_option("module", module_path, "module file")->required();
    inspect->add_option("--gauge", gauge_name, "only this gauge");

    CheckCommandOptions check_options;
    CLI::App* check = app.add_subcommand(
        "check", "check a module's records, resources and behaviour under a hostile host; "
                 "exit status 0 clean, 1 findings, 2 module not loaded or wrong arguments");
    check->add_option("module", check_options.module_path, "module file")->required();
    check->add_option("--gauge", check_options.gauge, "only this gauge");
    check
        ->add_option("--parameters", check_options.parameters_file,
                     "more parameter strings to install every gauge with, one per line")
        ->check(CLI::ExistingFile);
    check->add_flag("--json", check_options.json, "a JSON report instead of text");
    add_bounded_option(check, "--time-limit", check_options.time_limit,
                       "seconds each gauge's behaviour may take before it counts as hung", 0.1,
                       3600.0);
    add_bounded_option(check, "--jobs", check_options.jobs,
                       "gauges driven at once, each in its own child", 1, 64);

    SimulationSettings show_settings;
    CLI::App* show = app.add_subcommand(
        "show", "place every gauge of a module, run one update and print what each draws");
    show->add_option("module", module_path, "module file")->required();
    add_settings(show, show_settings);

#ifdef PANELHOST_WITH_RENDER
    RenderOptions render_options;
    render_options.module_dir = default_module_dir();
    CLI::App* render = app.add_subcommand("render", "render a panel's visible windows to PNG");
    add_panel_choice(render, render_options.panel_file, render_options.aircraft);
    render->add_option("--out", render_options.out_file, "PNG file to write")->required();
    add_module_dir(render, render_options.module_dir);
    add_bounded_option(render, "--cycles", render_options.cycles,
                       "update cycles before drawing (then up to 8 more, until no gauge would draw "
                       "differently)",
                       1, 100000);
    add_bounded_option(render, "--zoom", render_options.zoom, "pixels per panel unit", 0.05, 8.0);
    render
        ->add_option("--scenario", render_options.scenario_file,
                     "play this scenario file as the workbench does, then draw")
        ->check(CLI::ExistingFile);
    render
        ->add_option("--time", render_options.time,
                     "the scenario's time, in seconds, at which the panel is drawn")
        ->check(CLI::Range(0.0, 86400.0));
    render->add_option("--window", render_options.windows,
                       "draw this window, open or not, instead of the open ones: its ident "
                       "(RADIO_STACK_PANEL or a number), number, section or title; repeatable");
    add_settings(render, render_options.settings);

    GalleryOptions gallery_options;
    gallery_options.module_dir = default_module_dir();
    gallery_options.states_dir = PANEL_GAUGES_DIR;
    CLI::App* gallery =
        app.add_subcommand("gallery", "render every gauge in its named states, with an index.html");
    gallery->add_option("--out", gallery_options.out_dir, "directory to write to")->required();
    add_module_dir(gallery, gallery_options.module_dir);
    gallery
        ->add_option("--states", gallery_options.states_dir,
                     "directory holding the gauges' gallery.json files")
        ->capture_default_str();
    gallery->add_option("--golden", gallery_options.golden_dir,
                        "compare every picture with the golden of its name in this directory; "
                        "differences.html shows them side by side");
    gallery
        ->add_flag("--rewrite-golden", gallery_options.rewrite_golden,
                   "make the pictures the goldens (after looking at the differences)")
        ->needs("--golden");

    ServeOptions serve_options;
    serve_options.panel_file = PANEL_EXAMPLES_DIR "/panel.cfg";
    serve_options.scenario_file = PANEL_EXAMPLES_DIR "/scenario.json";
    serve_options.module_dir = default_module_dir();
    serve_options.page_dir = WORKBENCH_PAGE_DIR;
    CLI::App* serve = app.add_subcommand(
        "serve", "serve the workbench: the panel live in the browser, with its scenario");
    add_panel_choice(serve, serve_options.panel_file, serve_options.aircraft)
        ->capture_default_str();
    serve->add_option("--scenario", serve_options.scenario_file, "scenario file (\"\" for none)")
        ->capture_default_str();
    add_bounded_option(serve, "--port", serve_options.port, "port on 127.0.0.1 (0: a free one)", 0,
                       65535);
    add_module_dir(serve, serve_options.module_dir);
    add_bounded_option(serve, "--rate", serve_options.cycle_hz, "update cycles per second", 1.0,
                       120.0);
    serve->add_flag("--paused", serve_options.paused, "wait for play before the scenario runs");
#endif

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& problem) {
        int status = app.exit(problem);
        // check's wrong arguments end with the status of a module it cannot load.
        return status != 0 && *check ? 2 : status;
    }
#ifdef PANELHOST_WITH_RENDER
    if (*render && render_options.panel_file.empty() && render_options.aircraft.dir.empty()) {
        std::cerr << "panelhost render: --panel FILE or --aircraft DIR is required\n";
        return 2;
    }
    if (*render && render_options.scenario_file.empty() && render->count("--time")) {
        std::cerr << "panelhost render: --time is the time of a --scenario\n";
        return 2;
    }
#endif
    if (*inspect) return run_inspect(module_path, gauge_name);
    if (*check) return run_check(check_options);
    if (*show) return run_show(module_path, show_settings);
#ifdef PANELHOST_WITH_RENDER
    if (*render) return run_render(render_options);
    if (*gallery) return run_gallery(gallery_options);
    if (*serve) return run_serve(serve_options);
#endif
    return 1;
}
