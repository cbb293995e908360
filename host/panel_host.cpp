#include "panel_host.hpp"

#include "panel_services.hpp"

#include <algorithm>
#include <filesystem>

namespace panelhost {

PanelHost::~PanelHost() {
    // Gauges are killed before their modules are released.
    ServiceScope scope(simulation_);
    instances_.clear();
    modules_.clear();
    std::error_code ignored;
    if (copies_made_ > 0) std::filesystem::remove_all(copies_dir_, ignored);
}

std::unique_ptr<LoadedModule> PanelHost::load_file(const std::string& path, std::string& error) {
    namespace fs = std::filesystem;
    std::string file = path;
    if (!copies_dir_.empty()) {
        // A folder of its own for each copy keeps the file's name, which names the
        // module, and gives the loader a path it has not seen before.
        fs::path folder = fs::path(copies_dir_) / std::to_string(++copies_made_);
        std::error_code problem;
        fs::create_directories(folder, problem);
        if (!problem) fs::copy_file(path, folder / fs::path(path).filename(), problem);
        if (problem) {
            error = "cannot copy the module file " + path + " to " + folder.string() + ": " +
                    problem.message();
            return nullptr;
        }
        file = (folder / fs::path(path).filename()).string();
    }
    ServiceScope scope(simulation_);
    std::unique_ptr<LoadedModule> module = LoadedModule::load(file, error);
    if (module) {
        ModuleFile& record = module_files_[module->name()];
        record.path = path;
        ++record.loads;
    } else if (file != path) {
        // The user knows the file they built, not its copy: the error names theirs,
        // and the copy goes.
        for (size_t at = error.find(file); at != std::string::npos;
             at = error.find(file, at + path.size()))
            error.replace(at, file.size(), path);
        std::error_code ignored;
        fs::remove_all(fs::path(file).parent_path(), ignored);
    }
    return module;
}

LoadedModule* PanelHost::load_module(const std::string& path, std::string& error) {
    if (LoadedModule* loaded = find_module(module_name_of(path))) return loaded;
    std::unique_ptr<LoadedModule> module = load_file(path, error);
    if (!module) return nullptr;
    LoadedModule* loaded = module.get();
    modules_[module->name()] = std::move(module);
    return loaded;
}

std::unique_ptr<LoadedModule> PanelHost::load_again(const std::string& name, std::string& error) {
    auto file = module_files_.find(name);
    if (file == module_files_.end() || !find_module(name)) {
        error = "no module named " + name + " is loaded";
        return nullptr;
    }
    return load_file(file->second.path, error);
}

void PanelHost::replace_module(std::unique_ptr<LoadedModule> module) {
    if (!module) return;
    ServiceScope scope(simulation_);
    std::unique_ptr<LoadedModule>& place = modules_[module->name()];
    std::string old_copy = place && !copies_dir_.empty() ? place->path() : "";
    place = std::move(module); // the old one is released here
    std::error_code ignored;
    if (!old_copy.empty())
        std::filesystem::remove_all(std::filesystem::path(old_copy).parent_path(), ignored);
}

LoadedModule* PanelHost::find_module(const std::string& name) const {
    auto it = modules_.find(name);
    return it == modules_.end() ? nullptr : it->second.get();
}

GaugeInstance* PanelHost::place(const std::string& module_name, const std::string& gauge_name,
                                std::optional<std::string> parameters, std::string& error) {
    LoadedModule* module = find_module(module_name);
    if (!module) {
        error = "no module named " + module_name + " is loaded";
        return nullptr;
    }
    GaugeHeader* header = module->find_gauge(gauge_name);
    if (!header) {
        error = "module " + module_name + " has no gauge named " + gauge_name;
        return nullptr;
    }
    ServiceScope scope(simulation_);
    auto [width, height] = module->design_size(*header);
    DesignSize size{double(width), double(height)};
    std::unique_ptr<GaugeInstance> instance =
        make_gauge_instance(*header, std::move(parameters), module->resource_handle(), size);
    instance->install(simulation_);
    instances_.push_back(std::move(instance));
    return instances_.back().get();
}

std::unique_ptr<GaugeInstance> PanelHost::remove(GaugeInstance* instance) {
    ServiceScope scope(simulation_);
    auto it = std::find_if(instances_.begin(), instances_.end(),
                           [instance](const auto& owned) { return owned.get() == instance; });
    if (it == instances_.end()) return nullptr;
    (*it)->kill();
    std::unique_ptr<GaugeInstance> removed = std::move(*it);
    instances_.erase(it);
    return removed;
}

void PanelHost::reinstall(GaugeInstance& instance) {
    ServiceScope scope(simulation_);
    instance.reinstall(simulation_);
}

void PanelHost::update() {
    ServiceScope scope(simulation_);
    for (auto& instance : instances_)
        instance->update(simulation_);
}

bool PanelHost::click(GaugeInstance& instance, double x, double y, uint32_t buttons) {
    ServiceScope scope(simulation_);
    return instance.click(x, y, buttons, simulation_);
}

} // namespace panelhost
