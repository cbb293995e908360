// One placement of a gauge. The instance owns its own copy of the gauge header,
// element chain and mouse list (so that a gauge may rewrite its own records at
// installation without touching other placements); tables, failure lists and
// texts stay shared with the module. It drives the gauge's lifecycle: service 2
// at installation, service 6 and the element evaluation every cycle, clicks, and
// service 12 at removal. A gauge of the older interface has no callback and is
// driven through the routines of its header instead (older_gauge.hpp).
#pragma once

#include "element_state.hpp"
#include "gauge_abi.h"
#include "mouse_map.hpp"
#include "simulation.hpp"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace panelhost {

class OlderGauge;

// Limits that keep a malformed chain or mouse list from running away.
constexpr size_t max_elements_per_gauge = 512;
constexpr size_t max_children_per_element = 64;
constexpr int max_element_depth = 64;
constexpr size_t max_mouse_records = 512;
constexpr uint32_t max_text_chars = 4096;
constexpr uint32_t max_needle_rows = 1024;

struct DesignSize {
    double width = 0;
    double height = 0;
};

class GaugeInstance {
public:
    // Copies the published gauge. `parameters` absent means the panel gave none.
    GaugeInstance(const GaugeHeader& published, std::optional<std::string> parameters,
                  uintptr_t resource_handle, DesignSize design_size);
    // Places a gauge of the older interface. Its routines pass the module's own
    // records, so placements share them; header() is the host's summary of it.
    GaugeInstance(const GaugeHeaderOld& published, uintptr_t resource_handle,
                  DesignSize design_size);
    ~GaugeInstance();
    GaugeInstance(const GaugeInstance&) = delete;
    GaugeInstance& operator=(const GaugeInstance&) = delete;

    // The instance's own header copy, as its callbacks see it.
    GaugeHeader& header() { return header_; }
    const GaugeHeader& header() const { return header_; }
    std::string name() const { return header_.name ? header_.name : ""; }

    // Service 2 (older gauges: query, install, initialise); the caller has made
    // `simulation` the active one for services.
    void install(Simulation& simulation);
    // Service 6, then every element in chain order (older gauges: update, generate, draw).
    void update(Simulation& simulation);
    // Service 12 (older gauges: kill). Safe to call more than once; the destructor calls it.
    void kill();
    // Service 12, then service 2 again on the same records, as the simulator does
    // when it reloads a panel: what the gauge wrote into its records stays.
    void reinstall(Simulation& simulation);

    // A click with MOUSE_LEFT_BUTTON / MOUSE_RIGHT_BUTTON flags at design pixels
    // (x, y). Returns true if an area took it.
    bool click(double x, double y, uint32_t buttons, Simulation& simulation);

    const std::vector<ElementState>& elements() const;
    DesignSize design_size() const { return design_size_; }
    const MouseMap& mouse_map() const { return mouse_map_; }
    const std::vector<MouseArea>& mouse_areas() const { return mouse_areas_; }
    // Structural problems found while copying the gauge.
    const std::vector<std::string>& problems() const { return problems_; }
    bool installed() const { return installed_; }
    // The driver of an older-interface gauge, or null for a gauge of the current one.
    const OlderGauge* older() const { return older_.get(); }

private:
    union ElementStorage;

    ElementRecord* copy_element(ElementRecord* source, int depth);
    void copy_mouse_areas(const MouseArea* source);
    void rebuild_mouse_map();
    void call_gauge_callback(uint32_t service, uintptr_t extra);
    void take_registered_mouse_list();
    GaugeHeader* owner_for_callbacks();

    GaugeHeader header_{};
    std::optional<std::string> parameters_;
    uintptr_t resource_handle_ = 0;
    DesignSize design_size_;
    std::vector<ElementRecord*> roots_;
    std::vector<std::unique_ptr<ElementStorage>> element_copies_;
    std::vector<std::unique_ptr<std::vector<ElementRecord*>>> child_lists_;
    std::vector<std::unique_ptr<char[]>> text_buffers_;
    std::vector<std::pair<ElementRecord*, ElementRecord*>> copied_; // source -> copy
    std::vector<ElementState> states_;
    std::vector<MouseArea> mouse_areas_;
    MouseMap mouse_map_;
    std::vector<std::string> problems_;
    std::unique_ptr<OlderGauge> older_;
    bool installed_ = false;
    bool killed_ = false;
};

} // namespace panelhost
