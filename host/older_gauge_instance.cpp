#include "older_gauge_instance.hpp"

namespace panelhost {

OlderGaugeInstance::OlderGaugeInstance(const GaugeHeaderOld& published, uintptr_t resource_handle,
                                       DesignSize design_size)
    : GaugeInstance(design_size), older_(published, resource_handle, problems_) {
    header_.version = published.version;
    header_.name = published.name;
    header_.element_list = published.element_list;
    header_.size_mm = published.size_mm;
}

OlderGaugeInstance::~OlderGaugeInstance() { kill(); }

// The mouse list changes only when the routines register another, which they do
// while installing or killing the gauge.
void OlderGaugeInstance::install_gauge(Simulation& simulation) {
    older_.install(simulation);
    take_mouse_list(older_.mouse_list());
}

void OlderGaugeInstance::update_gauge(Simulation& simulation) { older_.update(simulation); }

void OlderGaugeInstance::kill_gauge() {
    older_.kill();
    take_mouse_list(older_.mouse_list());
}

GaugeHeader* OlderGaugeInstance::owner_for_callbacks() {
    return reinterpret_cast<GaugeHeader*>(const_cast<GaugeHeaderOld*>(&older_.published()));
}

} // namespace panelhost
