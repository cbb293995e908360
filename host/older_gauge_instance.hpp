// A placement of a gauge of the older interface (older_gauge.hpp). Such a gauge has no
// callback: each step of its life runs the routines of its header, which hand the
// module's own chain and mouse list to the host's services. Its routines pass the
// module's records, so placements share them; header() is the host's summary of the
// module's header, and the mouse list is the one the routines registered.
#pragma once

#include "gauge_instance.hpp"
#include "older_gauge.hpp"

namespace panelhost {

class OlderGaugeInstance final : public GaugeInstance {
  public:
    OlderGaugeInstance(const GaugeHeaderOld& published, uintptr_t resource_handle,
                       DesignSize design_size);
    ~OlderGaugeInstance() override;

    const std::vector<ElementState>& elements() const override { return older_.elements(); }
    const OlderGauge* older() const override { return &older_; }

  private:
    // Query, install and initialise routines.
    void install_gauge(Simulation& simulation) override;
    // Update, generate and draw routines.
    void update_gauge(Simulation& simulation) override;
    void kill_gauge() override;
    // The routines and callbacks of an older gauge know only the module's own header.
    GaugeHeader* owner_for_callbacks() override;

    OlderGauge older_;
};

} // namespace panelhost
