// The panel that render and serve place: a panel file, or an aircraft folder's.
#include "aircraft_folder.hpp"
#include "cli/commands.hpp"
#include "file_names.hpp"
#include "workbench/workbench_session.hpp"

#include <filesystem>
#include <fstream>
#include <iostream>

namespace panelhost {
namespace {

// A folder given as the panel file: its panel.cfg, when it has one. An aircraft
// folder is refused with the option that opens it.
std::optional<std::string> panel_file_in_folder(const std::string& folder, std::string& error) {
    if (std::optional<std::filesystem::path> panel = find_ignoring_case(folder, "panel.cfg")) {
        std::cerr << "panelhost: " << folder << " is a folder: opening its " << panel->string()
                  << "\n";
        return panel->string();
    }
    if (find_ignoring_case(folder, "aircraft.cfg"))
        error = folder + " is an aircraft folder: --aircraft " + folder + " opens it";
    else
        error = folder + " is a folder without a panel.cfg: --panel names a panel file";
    return std::nullopt;
}

} // namespace

std::optional<PanelChoice> resolve_panel_choice(const std::string& panel_file,
                                                const AircraftChoice& aircraft,
                                                std::string& error) {
    PanelChoice choice{panel_file, ""};
    std::error_code not_there;
    if (!panel_file.empty() && std::filesystem::is_directory(panel_file, not_there)) {
        std::optional<std::string> inside = panel_file_in_folder(panel_file, error);
        if (!inside) return std::nullopt;
        choice.panel_file = *inside;
    }
    if (!aircraft.dir.empty()) {
        std::optional<AircraftFolder> folder =
            open_aircraft_folder(aircraft.dir, aircraft.livery, error);
        if (!folder) return std::nullopt;
        choice = {folder->panel_file, folder->atc_id};
    }
    std::optional<std::string> shared = follow_panel_alias(choice.panel_file, error);
    if (!shared) return std::nullopt;
    if (*shared != choice.panel_file)
        std::cerr << "panelhost: " << choice.panel_file << " shares the panel of " << *shared
                  << "\n";
    choice.panel_file = *shared;
    return choice;
}

std::optional<PanelConfig> read_panel_choice(const std::string& panel_file,
                                             const AircraftChoice& aircraft, std::string& error) {
    std::optional<PanelChoice> choice = resolve_panel_choice(panel_file, aircraft, error);
    if (!choice) return std::nullopt;
    PanelConfig config = load_panel_config(choice->panel_file);
    if (!choice->registration.empty()) config.atc_id = choice->registration;
    return config;
}

std::vector<std::string> module_search(const std::string& module_dir) {
    std::vector<std::string> dirs = {module_dir};
    if (default_module_dir() != module_dir) dirs.push_back(default_module_dir());
    return dirs;
}

namespace {

std::string absolute(const std::string& path) {
    if (path.empty()) return path;
    std::error_code error;
    std::filesystem::path full = std::filesystem::absolute(path, error);
    return error ? path : full.string();
}

} // namespace

bool choose_workbench_files(const std::string& panel_file, const AircraftChoice& aircraft,
                            const std::string& scenario_file, const std::string& module_dir,
                            WorkbenchOptions& workbench, std::string& error) {
    std::optional<PanelChoice> choice = resolve_panel_choice(panel_file, aircraft, error);
    if (!choice) return false;
    // A panel file the workbench cannot open would serve an empty page (a mistyped
    // name, most likely): it is refused before serving.
    if (std::ifstream panel(choice->panel_file); !panel) {
        error = choice->panel_file + ": cannot open the panel file";
        return false;
    }
    workbench.panel_file = absolute(choice->panel_file);
    workbench.scenario_file = absolute(scenario_file);
    workbench.module_dirs = module_search(module_dir);
    workbench.registration = choice->registration;
    return true;
}

} // namespace panelhost
