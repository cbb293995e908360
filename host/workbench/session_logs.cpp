#include "workbench/session_logs.hpp"

#include "key_event_names.hpp"

namespace panelhost {
namespace {

using nlohmann::json;

constexpr size_t key_log_length = 500;
constexpr size_t keys_per_frame = 200;
constexpr size_t sound_log_length = 50;

} // namespace

void SessionLogs::collect(PanelHost& host, uint64_t cycle, double time, double scenario_time) {
    Simulation& simulation = host.simulation();
    for (const KeyEvent& event : simulation.key_events())
        keys_.push_back({cycle, time, scenario_time, event.event, event.value});
    simulation.clear_logs();
    while (keys_.size() > key_log_length)
        keys_.pop_front();
    for (PlayedSound& sound : take_played_sounds(host))
        sounds_.push_back({cycle, std::move(sound)});
    while (sounds_.size() > sound_log_length)
        sounds_.pop_front();
}

json SessionLogs::keys_after(uint64_t after) const {
    json keys = json::array();
    const size_t first = keys_.size() > keys_per_frame ? keys_.size() - keys_per_frame : 0;
    for (size_t i = first; i < keys_.size(); ++i) {
        const LoggedKeyEvent& logged = keys_[i];
        if (logged.cycle <= after) continue;
        keys.push_back({{"time", logged.time},
                        {"scenario_time", logged.scenario_time},
                        {"event", logged.event},
                        {"name", key_event_name(logged.event)},
                        {"value", logged.value}});
    }
    return keys;
}

json SessionLogs::sounds_after(uint64_t after) const {
    json sounds = json::array();
    if (after == 0) return sounds;
    for (const LoggedSound& logged : sounds_)
        if (logged.cycle > after)
            sounds.push_back({{"module", logged.sound.module}, {"wave", logged.sound.wave}});
    return sounds;
}

} // namespace panelhost
