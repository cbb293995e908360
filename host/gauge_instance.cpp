#include "gauge_instance.hpp"

#include "current_gauge_instance.hpp"
#include "older_gauge.hpp"
#include "older_gauge_instance.hpp"

namespace panelhost {
namespace {

// Without a known design size the whole-gauge area reaches this far.
constexpr double unbounded_extent = 1e9;

double extent_or_unbounded(double extent) { return extent > 0 ? extent : unbounded_extent; }

int32_t clamped_pixel(double value) {
    if (!(value > -1e9)) return -1000000000;
    if (!(value < 1e9)) return 1000000000;
    return static_cast<int32_t>(value);
}

// The records of a mouse list up to its end record; a list without one within
// max_mouse_records is cut there and given an end.
std::vector<MouseArea> copy_of_mouse_list(const MouseArea* source,
                                          std::vector<std::string>& problems) {
    std::vector<MouseArea> copy;
    if (!source) return copy;
    for (size_t i = 0; i < max_mouse_records; ++i) {
        copy.push_back(source[i]);
        if (source[i].kind == MOUSE_END) return copy;
    }
    problems.push_back("mouse list has no end record; cut");
    copy.push_back(MouseArea{});
    return copy;
}

} // namespace

std::unique_ptr<GaugeInstance> make_gauge_instance(const GaugeHeader& published,
                                                   std::optional<std::string> parameters,
                                                   uintptr_t resource_handle,
                                                   DesignSize design_size) {
    if (const GaugeHeaderOld* older = older_header(&published))
        return std::make_unique<OlderGaugeInstance>(*older, resource_handle, design_size);
    return std::make_unique<CurrentGaugeInstance>(published, std::move(parameters), resource_handle,
                                                  design_size);
}

GaugeInstance::~GaugeInstance() = default;

void GaugeInstance::take_mouse_list(const MouseArea* source) {
    mouse_areas_ = copy_of_mouse_list(source, problems_);
    header_.mouse_areas = mouse_areas_.empty() ? nullptr : mouse_areas_.data();
    rebuild_mouse_map();
}

void GaugeInstance::rebuild_mouse_map() {
    mouse_map_ = read_mouse_map(header_.mouse_areas, extent_or_unbounded(design_size_.width),
                                extent_or_unbounded(design_size_.height), max_mouse_records);
}

void GaugeInstance::install(Simulation& simulation) {
    if (installed_) return;
    installed_ = true;
    install_gauge(simulation);
}

void GaugeInstance::update(Simulation& simulation) {
    if (!installed_ || killed_) return;
    update_gauge(simulation);
}

void GaugeInstance::kill() {
    if (!installed_ || killed_) return;
    killed_ = true;
    kill_gauge();
}

void GaugeInstance::reinstall(Simulation& simulation) {
    kill();
    installed_ = false;
    killed_ = false;
    install(simulation);
}

bool GaugeInstance::click(double x, double y, uint32_t buttons, Simulation& simulation) {
    if (!installed_ || killed_) return false;
    std::optional<size_t> target = click_target(mouse_map_, x, y, buttons);
    if (!target) return false;
    const MouseArea& area = *mouse_map_.nodes[*target].record;
    if (area.key_event != 0) {
        simulation.trigger_key_event(area.key_event, 0);
    } else if (area.action.callback) {
        MousePoint point{clamped_pixel(x), clamped_pixel(y), owner_for_callbacks()};
        area.action.callback(&point, buttons);
    }
    return true;
}

} // namespace panelhost
