// A gauge module loaded through its exported records, as the real host loads it:
// `Linkage` is read, `ImportTable` is given the host's service table, the module's
// initialisation routine runs, and its finalisation routine runs before release.
#pragma once

#include "gauge_abi.h"
#include "module_library.hpp"
#include "module_resources.hpp"

#include <memory>
#include <string>
#include <vector>

namespace panelhost {

class LoadedModule {
  public:
    // Loads the module file at `path`. On failure returns null and sets `error`
    // to a message naming the file and what is wrong with it.
    static std::unique_ptr<LoadedModule> load(const std::string& path, std::string& error);
    ~LoadedModule();
    LoadedModule(const LoadedModule&) = delete;
    LoadedModule& operator=(const LoadedModule&) = delete;

    const std::string& path() const { return path_; }
    // The file name without directory and extension: how panels name the module.
    const std::string& name() const { return name_; }
    const ModuleLinkage& linkage() const { return *linkage_; }
    // The published gauges in registry order.
    const std::vector<GaugeHeader*>& gauges() const { return gauges_; }
    GaugeHeader* find_gauge(const std::string& gauge_name) const;
    // The module's resource handle, handed to gauges at installation.
    uintptr_t resource_handle() const { return library_->handle(); }
    // The module's bitmaps and WAVE files, decoded at load.
    const ModuleResources& resources() const { return resources_; }
    // The size of a gauge's design bitmap (its background), or 0 x 0 if unknown.
    std::pair<uint32_t, uint32_t> design_size(const GaugeHeader& header) const;
    // Problems found in the published records (the module is still usable).
    const std::vector<std::string>& warnings() const { return warnings_; }

  private:
    LoadedModule() = default;

    std::string path_;
    std::string name_;
    std::unique_ptr<ModuleLibrary> library_;
    const ModuleLinkage* linkage_ = nullptr;
    std::vector<GaugeHeader*> gauges_;
    std::vector<std::string> warnings_;
    ModuleResources resources_;
};

// The name panels use for the module file at `path`: its file name without
// directory and extension ("Marlow_Instr" for "build/Marlow_Instr.so").
std::string module_name_of(const std::string& path);

// Gauge lists longer than this are taken as unterminated.
constexpr size_t max_gauges_per_module = 1024;

} // namespace panelhost
