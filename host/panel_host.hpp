// The substitute host: loads modules, places gauges, runs the update cycle and
// passes clicks on, with every call into module code acting on its simulation.
#pragma once

#include "gauge_instance.hpp"
#include "loaded_module.hpp"
#include "simulation.hpp"

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace panelhost {

class PanelHost {
public:
    PanelHost() = default;
    ~PanelHost();
    PanelHost(const PanelHost&) = delete;
    PanelHost& operator=(const PanelHost&) = delete;

    Simulation& simulation() { return simulation_; }
    const Simulation& simulation() const { return simulation_; }

    // Loads a module file (once per module name). Returns null and sets `error` on failure.
    LoadedModule* load_module(const std::string& path, std::string& error);
    LoadedModule* find_module(const std::string& name) const;

    // Places gauge `gauge_name` of a loaded module and installs it (service 2).
    // Returns null and sets `error` when the module or gauge is unknown.
    GaugeInstance* place(const std::string& module_name, const std::string& gauge_name,
                         std::optional<std::string> parameters, std::string& error);
    // Removes a placed gauge (service 12, or an older gauge's kill routine) and hands
    // it back, killed, to a caller that wants to look at it; null if not placed here.
    std::unique_ptr<GaugeInstance> remove(GaugeInstance* instance);
    // Installs a placed gauge again (service 12, then service 2), keeping its records.
    void reinstall(GaugeInstance& instance);

    // One update cycle of every placed gauge, in placement order.
    void update();

    // A click on a placed gauge at its design pixels (x, y).
    bool click(GaugeInstance& instance, double x, double y, uint32_t buttons);

    const std::vector<std::unique_ptr<GaugeInstance>>& instances() const { return instances_; }
    const std::map<std::string, std::unique_ptr<LoadedModule>>& modules() const { return modules_; }

private:
    Simulation simulation_;
    std::map<std::string, std::unique_ptr<LoadedModule>> modules_;
    std::vector<std::unique_ptr<GaugeInstance>> instances_;
};

} // namespace panelhost
