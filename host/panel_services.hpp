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

// While alive, service calls from modules act on `simulation`. Scopes nest.
class ServiceScope {
  public:
    explicit ServiceScope(Simulation& simulation);
    ~ServiceScope();
    ServiceScope(const ServiceScope&) = delete;
    ServiceScope& operator=(const ServiceScope&) = delete;

  private:
    Simulation* previous_;
};

// While alive, slots 24 to 34 act on `gauge`. Scopes nest.
class OlderGaugeScope {
  public:
    explicit OlderGaugeScope(OlderGauge& gauge);
    ~OlderGaugeScope();
    OlderGaugeScope(const OlderGaugeScope&) = delete;
    OlderGaugeScope& operator=(const OlderGaugeScope&) = delete;

  private:
    OlderGauge* previous_;
};

} // namespace panelhost
