// The host's panel-service table, as modules find it through their ImportTable.
//
// Service functions take no context argument, so calls are routed to the
// simulation made active by a ServiceScope around every call into module code, and
// the older interface's element-list and mouse-list services (slots 24 to 34) to
// the gauge whose routine is running, made active by an OlderGaugeScope. Slots the
// host does not implement hold a function that does nothing.
#pragma once

#include "gauge_abi.h"
#include "simulation.hpp"

namespace panelhost {

class OlderGauge;

// The table every loaded module is given; valid for the life of the process.
PanelServiceTable* panel_service_table();

// While alive, `current` points at `target`; then again at what it pointed at
// before, so that scopes nest.
template <class Target> class NestedCurrent {
  public:
    NestedCurrent(Target*& current, Target& target) : current_(current), previous_(current) {
        current_ = &target;
    }
    ~NestedCurrent() { current_ = previous_; }
    NestedCurrent(const NestedCurrent&) = delete;
    NestedCurrent& operator=(const NestedCurrent&) = delete;

  private:
    Target*& current_;
    Target* previous_;
};

// While alive, service calls from modules act on `simulation`. Scopes nest.
class ServiceScope : NestedCurrent<Simulation> {
  public:
    explicit ServiceScope(Simulation& simulation);
};

// While alive, slots 24 to 34 act on `gauge`. Scopes nest.
class OlderGaugeScope : NestedCurrent<OlderGauge> {
  public:
    explicit OlderGaugeScope(OlderGauge& gauge);
};

} // namespace panelhost
