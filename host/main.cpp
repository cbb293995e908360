// panelhost: the substitute host's command line.
#include "inspect.hpp"
#include "panel_host.hpp"
#include "state_report.hpp"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <iostream>

using namespace panelhost;

namespace {

int inspect(const std::string& module_path, const std::string& gauge_name) {
    std::string error;
    std::unique_ptr<LoadedModule> module = LoadedModule::load(module_path, error);
    if (!module) {
        std::cerr << "panelhost: " << error << "\n";
        return 1;
    }
    for (const std::string& warning : module->warnings()) std::cerr << "panelhost: " << warning << "\n";
    if (gauge_name.empty()) {
        std::cout << describe_module(*module).dump(2) << "\n";
        return 0;
    }
    const GaugeHeader* header = module->find_gauge(gauge_name);
    if (!header) {
        std::cerr << "panelhost: " << module_path << " has no gauge named " << gauge_name << "\n";
        return 1;
    }
    std::cout << describe_gauge(*header).dump(2) << "\n";
    return 0;
}

int show(const std::string& module_path, const std::vector<std::string>& settings,
         const std::vector<uint32_t>& failures) {
    PanelHost host;
    std::string error;
    LoadedModule* module = host.load_module(module_path, error);
    if (!module) {
        std::cerr << "panelhost: " << error << "\n";
        return 1;
    }
    for (const std::string& setting : settings) {
        if (!apply_setting(host.simulation(), setting, error)) {
            std::cerr << "panelhost: " << error << "\n";
            return 1;
        }
    }
    for (uint32_t key : failures) host.simulation().set_failure(key, true);
    for (const GaugeHeader* header : module->gauges())
        if (!host.place(module->name(), header->name, std::nullopt, error))
            std::cerr << "panelhost: " << error << "\n";
    host.update();
    print_state_report(host, std::cout);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    CLI::App app{"panelhost: loads gauge modules, drives their gauges and shows what they draw"};
    app.require_subcommand(1);

    std::string module_path;
    std::string gauge_name;
    CLI::App* inspect_command =
        app.add_subcommand("inspect", "print every gauge of a module as JSON");
    inspect_command->add_option("module", module_path, "module file")->required();
    inspect_command->add_option("--gauge", gauge_name, "only this gauge");

    std::vector<std::string> settings;
    std::vector<uint32_t> failures;
    CLI::App* show_command = app.add_subcommand(
        "show", "place every gauge of a module, run one update and print what each draws");
    show_command->add_option("module", module_path, "module file")->required();
    show_command->add_option("--set", settings, "token variable value, as ID=VALUE");
    show_command->add_option("--fail", failures, "failure key to switch on");

    CLI11_PARSE(app, argc, argv);
    if (*inspect_command) return inspect(module_path, gauge_name);
    return show(module_path, settings, failures);
}
