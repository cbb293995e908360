// panelhost inspect and show: a module's records, and what its gauges draw.
#include "cli/commands.hpp"
#include "inspect.hpp"
#include "panel_host.hpp"
#include "state_report.hpp"

#include <filesystem>
#include <iostream>

namespace panelhost {

std::string default_module_dir() {
    std::error_code error;
    std::filesystem::path self = std::filesystem::canonical("/proc/self/exe", error);
    return error ? std::string(".") : self.parent_path().string();
}

int run_inspect(const std::string& module_path, const std::string& gauge_name) {
    std::string error;
    std::unique_ptr<LoadedModule> module = LoadedModule::load(module_path, error);
    if (!module) return fail(error);
    for (const std::string& warning : module->warnings())
        report_problem(warning);
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

int run_show(const std::string& module_path, const SimulationSettings& settings) {
    PanelHost host;
    std::string error;
    LoadedModule* module = host.load_module(module_path, error);
    if (!module) return fail(error);
    if (!apply_settings(host.simulation(), settings, error)) return fail(error);
    for (const GaugeHeader* header : module->gauges())
        if (!host.place(module->name(), header->name, std::nullopt, error)) report_problem(error);
    host.update();
    print_state_report(host, std::cout);
    return 0;
}

} // namespace panelhost
