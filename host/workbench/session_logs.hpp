// What the gauges did that the page shows as it happened: the key events they sent
// (the key-event log) and the sounds they played, each noted with the cycle it came
// in, so that a frame carries the ones after the cycle the page last saw.
#pragma once

#include "panel_host.hpp"
#include "workbench/played_sounds.hpp"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <deque>

namespace panelhost {

class SessionLogs {
  public:
    // Takes the key events the simulation logged and the sounds the host heard
    // since the last call, as of cycle `cycle` at host time `time` (seconds since
    // the session began) and scenario time `scenario_time`.
    void collect(PanelHost& host, uint64_t cycle, double time, double scenario_time);

    // The key events logged after cycle `after`, oldest first (at most the last 200).
    nlohmann::json keys_after(uint64_t after) const;
    // The sounds played after cycle `after`; none for a page that has just come
    // (`after` 0), which must not hear old clicks.
    nlohmann::json sounds_after(uint64_t after) const;

  private:
    struct LoggedKeyEvent {
        uint64_t cycle;
        double time;
        double scenario_time;
        uint32_t event;
        uint32_t value;
    };
    struct LoggedSound {
        uint64_t cycle;
        PlayedSound sound;
    };
    std::deque<LoggedKeyEvent> keys_;
    std::deque<LoggedSound> sounds_;
};

} // namespace panelhost
