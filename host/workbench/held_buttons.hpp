// Mouse buttons held down on gauges, by the page or by the scenario: a button held
// on an area that repeats calls the gauge again as the host's repeat timer says,
// until it comes up (the page's release, or the end of a scenario click's hold).
#pragma once

#include "gauge_instance.hpp"

#include <cstdint>
#include <functional>
#include <vector>

namespace panelhost {

class HeldButtons {
  public:
    struct Held {
        GaugeInstance* instance = nullptr;
        double x = 0, y = 0;
        uint32_t buttons = 0;
        bool from_page = false;
    };

    // A button went down at `now` on a repeating area; it comes up at `release_at`.
    void hold(const Held& held, double now, double release_at);
    // The page's buttons come up.
    void release_page();
    // Every button comes up (the gauges are about to go).
    void clear() { held_.clear(); }

    // Lets the buttons due up at `now` go, then calls `repeat` as many times for each
    // held button as its repeat timer has become due since the last call (a few at
    // most after a late cycle: missed calls are not all made up at once).
    void repeat(double now, const std::function<void(const Held&, uint32_t calls)>& repeat);

  private:
    struct Holding {
        Held held;
        double since = 0;
        double release_at = 0;
        uint32_t calls = 1;
    };
    std::vector<Holding> held_;
};

} // namespace panelhost
