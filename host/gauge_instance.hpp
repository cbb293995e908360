// One placement of a gauge, as the rest of the host sees it: its lifecycle (install,
// update, kill, reinstall), its clicks, and what it shows. How a placement is driven
// depends on the interface the gauge is written to, so there is one class for each,
// made by make_gauge_instance from the header's version:
//   - current_gauge_instance.hpp: the gauge's own copy of its records and its gauge
//     callback (services 2, 6 and 12);
//   - older_gauge_instance.hpp: the routines of an older header, through OlderGauge.
#pragma once

#include "element_state.hpp"
#include "gauge_abi.h"
#include "mouse_map.hpp"
#include "record_limits.hpp"
#include "simulation.hpp"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace panelhost {

class OlderGauge;

struct DesignSize {
    double width = 0;
    double height = 0;
};

class GaugeInstance {
  public:
    // Each class kills its gauge in its own destructor, while what its kill step
    // uses still exists.
    virtual ~GaugeInstance();
    GaugeInstance(const GaugeInstance&) = delete;
    GaugeInstance& operator=(const GaugeInstance&) = delete;

    // The instance's own header, as its callbacks see it (for an older gauge, the
    // host's summary of the module's header).
    GaugeHeader& header() { return header_; }
    const GaugeHeader& header() const { return header_; }
    std::string name() const { return header_.name ? header_.name : ""; }

    // Installs the gauge once; the caller has made `simulation` the active one for
    // services.
    void install(Simulation& simulation);
    // One update cycle of an installed gauge, elements included.
    void update(Simulation& simulation);
    // Ends the gauge. Safe to call more than once.
    void kill();
    // Kills the gauge, then installs it again on the same records, as the simulator
    // does when it reloads a panel: what the gauge wrote into its records stays.
    void reinstall(Simulation& simulation);

    // A click with MOUSE_LEFT_BUTTON / MOUSE_RIGHT_BUTTON flags at design pixels
    // (x, y). Returns true if an area took it.
    bool click(double x, double y, uint32_t buttons, Simulation& simulation);

    // The elements' drawing states, back to front.
    virtual const std::vector<ElementState>& elements() const = 0;
    DesignSize design_size() const { return design_size_; }
    const MouseMap& mouse_map() const { return mouse_map_; }
    const std::vector<MouseArea>& mouse_areas() const { return mouse_areas_; }
    // Structural problems found in the gauge's records.
    const std::vector<std::string>& problems() const { return problems_; }
    bool installed() const { return installed_; }
    // The driver of an older-interface gauge, or null for a gauge of the current one.
    virtual const OlderGauge* older() const { return nullptr; }

  protected:
    explicit GaugeInstance(DesignSize design_size) : design_size_(design_size) {}

    // The host's copy of a mouse list, cut at max_mouse_records; the header points at it.
    void take_mouse_list(const MouseArea* source);
    // Reads the mouse areas again, after the gauge may have rewritten them.
    void rebuild_mouse_map();

    GaugeHeader header_{};
    std::vector<std::string> problems_;

  private:
    // The steps of the lifecycle, each called once per install or kill.
    virtual void install_gauge(Simulation& simulation) = 0;
    virtual void update_gauge(Simulation& simulation) = 0;
    virtual void kill_gauge() = 0;
    // The owner a mouse callback is told of.
    virtual GaugeHeader* owner_for_callbacks() = 0;

    DesignSize design_size_;
    std::vector<MouseArea> mouse_areas_;
    MouseMap mouse_map_;
    bool installed_ = false;
    bool killed_ = false;
};

// A placement of a published gauge, of the interface its header's version names.
// `parameters` absent means the panel gave none; an older gauge takes none.
std::unique_ptr<GaugeInstance> make_gauge_instance(const GaugeHeader& published,
                                                   std::optional<std::string> parameters,
                                                   uintptr_t resource_handle,
                                                   DesignSize design_size);

} // namespace panelhost
