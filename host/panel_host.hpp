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

    // From now on modules are loaded from copies of their files made in folders under
    // `dir` (one per load), so that a build writing a module file while it is loaded
    // cannot pull it from under the host. The copies go when the host does.
    void load_from_copies(std::string dir) { copies_dir_ = std::move(dir); }
    // Each loaded module's own file (not the copy) and how often it has been loaded.
    struct ModuleFile {
        std::string path;
        int loads = 0;
    };
    const std::map<std::string, ModuleFile>& module_files() const { return module_files_; }
    // Loads a loaded module's file again, as rebuilt, beside the one in use: null,
    // with `error` set, when it cannot be loaded (the one in use stays).
    std::unique_ptr<LoadedModule> load_again(const std::string& name, std::string& error);
    // Puts a module loaded again in the place of the one of its name, which is
    // released (its finalisation routine runs). Its gauges must have been removed.
    void replace_module(std::unique_ptr<LoadedModule> module);

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
    std::unique_ptr<LoadedModule> load_file(const std::string& path, std::string& error);

    Simulation simulation_;
    std::map<std::string, std::unique_ptr<LoadedModule>> modules_;
    std::map<std::string, ModuleFile> module_files_;
    std::string copies_dir_;
    int copies_made_ = 0;
    std::vector<std::unique_ptr<GaugeInstance>> instances_;
};

} // namespace panelhost
