#include "loaded_module.hpp"

#include "panel_services.hpp"
#include "record_limits.hpp"

#include <cstring>

namespace panelhost {
std::string module_name_of(const std::string& path) {
    size_t slash = path.find_last_of("/\\");
    std::string file = slash == std::string::npos ? path : path.substr(slash + 1);
    size_t dot = file.find_last_of('.');
    return dot == std::string::npos || dot == 0 ? file : file.substr(0, dot);
}

namespace {

bool known_header_version(uint32_t version) {
    return version == GAUGE_HEADER_VERSION || version == GAUGE_HEADER_VERSION_OLD;
}

} // namespace

std::unique_ptr<LoadedModule> LoadedModule::load(const std::string& path, std::string& error) {
    std::unique_ptr<LoadedModule> module(new LoadedModule());
    module->path_ = path;
    module->name_ = module_name_of(path);
    module->library_ = open_module_library(path, error);
    if (!module->library_) return nullptr;

    auto* linkage = static_cast<const ModuleLinkage*>(module->library_->symbol("Linkage"));
    if (!linkage) {
        error = path + ": the module exports no Linkage record";
        return nullptr;
    }
    if (linkage->module_id != GAUGE_MODULE_ID) {
        error = path + ": Linkage word 0 is " + std::to_string(linkage->module_id) +
                ", not the gauge module id 19";
        return nullptr;
    }
    module->linkage_ = linkage;

    GaugeHeader* const* list = GAUGE_LINKAGE_GAUGES(linkage);
    for (size_t i = 0; list[i]; ++i) {
        if (i == max_gauges_per_module) {
            error = path + ": the Linkage gauge list has no terminating zero";
            return nullptr;
        }
        GaugeHeader* header = list[i];
        if (!known_header_version(header->version)) {
            module->warnings_.push_back(path + ": gauge " + std::to_string(i) +
                                        " has unknown header version " +
                                        std::to_string(header->version) + "; skipped");
            continue;
        }
        if (!header->name) {
            module->warnings_.push_back(path + ": gauge " + std::to_string(i) +
                                        " has no name; skipped");
            continue;
        }
        module->gauges_.push_back(header);
    }

    // The module reaches the host through the panel-service entry of its import table.
    auto* imports = static_cast<ImportEntry*>(module->library_->symbol("ImportTable"));
    if (!imports) {
        module->warnings_.push_back(path + ": the module exports no ImportTable");
    } else {
        for (size_t i = 0; i < max_import_entries && imports[i].service_id != 0; ++i)
            if (imports[i].service_id == GAUGE_IMPORT_PANEL_SERVICES)
                imports[i].table = panel_service_table();
    }

    module->resources_ = read_module_resources(*module->library_);
    for (const std::string& problem : module->resources_.problems())
        module->warnings_.push_back(path + ": " + problem);

    if (linkage->init) linkage->init();
    return module;
}

LoadedModule::~LoadedModule() {
    if (linkage_ && linkage_->fini) linkage_->fini();
}

std::pair<uint32_t, uint32_t> LoadedModule::design_size(const GaugeHeader& header) const {
    if (!header.element_list || !header.element_list[0]) return {0, 0};
    const Image* background = resources_.bitmap(header.element_list[0]->resource_id);
    return background ? std::pair{background->width, background->height} : std::pair{0u, 0u};
}

GaugeHeader* LoadedModule::find_gauge(const std::string& gauge_name) const {
    for (GaugeHeader* header : gauges_)
        if (gauge_name == header->name) return header;
    return nullptr;
}

} // namespace panelhost
