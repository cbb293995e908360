// A recording of what the user does on the workbench, written as a scenario that
// `serve --scenario` plays back to the same pictures: the simulation's state when
// the recording began (every variable of the catalog and the active failures, at
// time 0), then each click (gauge, point, button, how long it was held), variable
// set, failure switched and key event sent, at its time.
#pragma once

#include "simulation.hpp"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <optional>
#include <string>

namespace panelhost {

class SessionRecording {
  public:
    bool active() const { return start_.has_value(); }
    // Begins a recording at `now` (seconds) from the simulation's state now.
    void start(double now, const Simulation& simulation);

    // `instance`: which placement of that gauge, in panel order.
    void click(double now, const std::string& gauge, int instance, double x, double y, bool right);
    // The last click's button came up: its hold is how long it was down.
    void release(double now);
    void variable(double now, uint32_t id, double value);
    void failure(double now, uint32_t key, bool active);
    void key_event(double now, uint32_t event, uint32_t value);

    // Ends the recording at `now` and writes it to `path`. False, with `error` set,
    // when nothing is being recorded or the file cannot be written (what was
    // written of it is removed); the recording then goes on.
    bool stop(double now, const std::string& path, std::string& error);

    // The scenario recorded so far, as its file has it.
    nlohmann::json scenario(double now) const;

  private:
    double at(double now) const;
    void add(nlohmann::json entry) { timeline_.push_back(std::move(entry)); }

    std::optional<double> start_;
    nlohmann::json timeline_ = nlohmann::json::array();
    std::optional<size_t> pressed_; // the entry of the click whose button is down
    double pressed_at_ = 0;
};

} // namespace panelhost
