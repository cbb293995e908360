#include "workbench/session_recording.hpp"

#include "key_event_names.hpp"

#include <cmath>
#include <filesystem>
#include <fstream>

namespace panelhost {
namespace {

using nlohmann::json;

// Times to the millisecond, as a scenario file is written by hand.
double to_millisecond(double seconds) { return std::round(seconds * 1000) / 1000; }

// An event by its name where the host has one that reads back, else by number.
json key_event_json(uint32_t event) {
    std::string name = key_event_name(event);
    return key_event_number(name) == event ? json(name) : json(event);
}

} // namespace

void SessionRecording::start(double now, const Simulation& simulation) {
    start_ = now;
    timeline_ = json::array();
    pressed_.reset();
    // The state the recording begins from: snapped, so that it holds until a
    // recorded entry changes it and is then left to the gauges and key events.
    json state = json::object();
    for (const VariableInfo& info : variable_catalog())
        state[std::to_string(info.id)] = simulation.get(info.id);
    json entry = {{"t", 0}, {"note", "the state when the recording began"}, {"snap", state}};
    json failures = json::array();
    for (uint32_t key : simulation.active_failures())
        failures.push_back(key);
    if (!failures.empty()) entry["fail"] = failures;
    add(std::move(entry));
}

double SessionRecording::at(double now) const {
    return to_millisecond(std::max(0.0, now - start_.value_or(now)));
}

void SessionRecording::click(double now, const std::string& gauge, int instance, double x, double y,
                             bool right) {
    if (!active()) return;
    json click = {{"gauge", gauge},
                  {"x", to_millisecond(x)},
                  {"y", to_millisecond(y)},
                  {"button", right ? "right" : "left"}};
    if (instance > 0) click["instance"] = instance;
    pressed_ = timeline_.size();
    pressed_at_ = now;
    add({{"t", at(now)}, {"click", std::move(click)}});
}

void SessionRecording::release(double now) {
    if (!active() || !pressed_) return;
    double held = to_millisecond(now - pressed_at_);
    if (held > 0) timeline_[*pressed_]["click"]["hold"] = std::min(held, 600.0);
    pressed_.reset();
}

void SessionRecording::variable(double now, uint32_t id, double value) {
    if (active()) add({{"t", at(now)}, {"snap", {{std::to_string(id), value}}}});
}

void SessionRecording::failure(double now, uint32_t key, bool failed) {
    if (active()) add({{"t", at(now)}, {failed ? "fail" : "repair", {key}}});
}

void SessionRecording::key_event(double now, uint32_t event, uint32_t value) {
    if (active()) add({{"t", at(now)}, {"key", {key_event_json(event), value}}});
}

json SessionRecording::scenario(double now) const {
    return {{"title", "Recorded on the workbench"},
            {"duration", std::max(at(now), 0.001)},
            {"loop", false},
            {"timeline", timeline_}};
}

bool SessionRecording::stop(double now, const std::string& path, std::string& error) {
    if (!active()) {
        error = "nothing is being recorded";
        return false;
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    const bool opened = out.is_open();
    out << scenario(now).dump(1) << "\n";
    out.close();
    if (!out) {
        std::error_code ignored;
        if (opened) std::filesystem::remove(path, ignored); // a part written
        error = "cannot write the recording to " + path;
        return false;
    }
    start_.reset();
    return true;
}

} // namespace panelhost
