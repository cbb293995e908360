#include "scenario.hpp"

#include "file_reading.hpp"
#include "key_event_names.hpp"
#include "simulation.hpp"
#include "simulator_numbers.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <fstream>
#include <limits>
#include <stdexcept>

namespace panelhost {
namespace {

using nlohmann::json;

// A bad entry: the message says what is wrong with it.
struct EntryError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

double finite_number(const json& value, const std::string& what) {
    if (!value.is_number()) throw EntryError(what + " must be a number");
    double number = value.get<double>();
    if (!std::isfinite(number)) throw EntryError(what + " must be a finite number");
    return number;
}

uint32_t unsigned_word(const json& value, const std::string& what) {
    double number = finite_number(value, what);
    if (number < 0 || number > 4294967295.0 || number != std::trunc(number))
        throw EntryError(what + " must be a whole number from 0 to 4294967295");
    return static_cast<uint32_t>(number);
}

// A variable by number ("61") or by its catalog name ("AIRSPEED").
uint32_t variable_id(const std::string& key) {
    uint32_t id = 0;
    auto [end, error] = std::from_chars(key.data(), key.data() + key.size(), id);
    if (error == std::errc() && end == key.data() + key.size() && !key.empty()) return id;
    for (const VariableInfo& info : variable_catalog())
        if (key == info.name) return info.id;
    throw EntryError("variable \"" + key + "\" is neither a number nor a known variable name");
}

uint32_t key_event(const json& value) {
    if (value.is_string()) {
        std::optional<uint32_t> event = key_event_number(value.get<std::string>());
        if (!event) throw EntryError("key event \"" + value.get<std::string>() + "\" is unknown");
        return *event;
    }
    return unsigned_word(value, "key event");
}

std::vector<uint32_t> failure_keys(const json& value, const std::string& what) {
    if (!value.is_array()) throw EntryError(what + " must be a list of failure keys");
    std::vector<uint32_t> keys;
    for (const json& key : value) {
        uint32_t number = unsigned_word(key, what + " key");
        if (number == 0) throw EntryError(what + " key 0 is not a failure key");
        keys.push_back(number);
    }
    return keys;
}

ScenarioClick read_click(const json& value) {
    if (!value.is_object()) throw EntryError("click must be an object");
    ScenarioClick click;
    if (!value.contains("gauge") || !value["gauge"].is_string())
        throw EntryError("click needs the gauge's name");
    click.gauge = value["gauge"].get<std::string>();
    click.x = finite_number(value.value("x", json()), "click x");
    click.y = finite_number(value.value("y", json()), "click y");
    if (value.contains("instance"))
        click.instance = int(std::min(unsigned_word(value["instance"], "click instance"), 1000u));
    std::string button = value.value("button", "left");
    if (button != "left" && button != "right")
        throw EntryError("click button must be \"left\" or \"right\"");
    click.right_button = button == "right";
    if (value.contains("hold")) {
        click.hold = finite_number(value["hold"], "click hold");
        if (click.hold < 0 || click.hold > 600)
            throw EntryError("click hold must be from 0 to 600 seconds");
    }
    if (value.contains("switch")) {
        const std::string wanted =
            value["switch"].is_string() ? value["switch"].get<std::string>() : "";
        if (wanted != "on" && wanted != "off")
            throw EntryError("click switch must be \"on\" or \"off\"");
        click.switch_on = wanted == "on";
    }
    return click;
}

// What one timeline entry adds to the scenario. Nothing is added when it is bad.
struct Entry {
    double t = 0;
    std::vector<std::pair<uint32_t, ScenarioPoint>> variables;
    std::vector<std::pair<std::string, ScenarioPoint>> named;
    std::vector<ScenarioEvent> events;
};

Entry read_entry(const json& item, const std::string& where) {
    if (!item.is_object()) throw EntryError("not an object");
    static const char* known[] = {"t",   "note", "set",    "snap", "named",
                                  "key", "fail", "repair", "click"};
    for (const auto& [name, value] : item.items())
        if (std::find(std::begin(known), std::end(known), name) == std::end(known))
            throw EntryError("unknown field \"" + name + "\"");
    if (!item.contains("t")) throw EntryError("has no time \"t\"");
    double t = finite_number(item["t"], "time \"t\"");
    if (t < 0) throw EntryError("time \"t\" must not be negative");

    Entry entry;
    entry.t = t;
    for (const char* field : {"set", "snap"}) {
        if (!item.contains(field)) continue;
        if (!item[field].is_object()) throw EntryError(std::string(field) + " must be an object");
        for (const auto& [key, value] : item[field].items()) {
            uint32_t id = variable_id(key);
            const VariableInfo* info = find_variable_info(id);
            bool ramp = field == std::string("set") && !(info && info->reading == Reading::Integer);
            entry.variables.push_back({id, {t, finite_number(value, "value of " + key), ramp}});
        }
    }
    if (item.contains("named")) {
        if (!item["named"].is_object()) throw EntryError("named must be an object");
        for (const auto& [key, value] : item["named"].items()) {
            if (key.find(',') == std::string::npos)
                throw EntryError("named value \"" + key + "\" must be written NAME,unit");
            entry.named.push_back({key, {t, finite_number(value, "value of " + key), true}});
        }
    }
    ScenarioEvent event;
    event.t = t;
    event.where = where;
    if (item.contains("key")) {
        const json& key = item["key"];
        if (!key.is_array() || key.size() != 2) throw EntryError("key must be [event, value]");
        event.kind = ScenarioEvent::Kind::Key;
        event.event = key_event(key[0]);
        if (event.event < SIMULATOR_KEY_EVENT_FIRST)
            throw EntryError("key events are numbered from 0x10000");
        event.value = unsigned_word(key[1], "key value");
        entry.events.push_back(event);
    }
    if (item.contains("fail")) {
        event.kind = ScenarioEvent::Kind::Fail;
        event.keys = failure_keys(item["fail"], "fail");
        entry.events.push_back(event);
    }
    if (item.contains("repair")) {
        event.kind = ScenarioEvent::Kind::Repair;
        event.keys = failure_keys(item["repair"], "repair");
        entry.events.push_back(event);
    }
    if (item.contains("click")) {
        event.kind = ScenarioEvent::Kind::Click;
        event.click = read_click(item["click"]);
        entry.events.push_back(event);
    }
    return entry;
}

bool earlier(const ScenarioPoint& a, const ScenarioPoint& b) { return a.t < b.t; }

} // namespace

Scenario read_scenario(std::istream& in, const std::string& file_name) {
    Scenario scenario;
    scenario.file = file_name;
    json document = json::parse(in, nullptr, false, true);
    if (document.is_discarded() || !document.is_object()) {
        scenario.errors.push_back(file_name +
                                  ": not a JSON object (a scenario has a \"timeline\")");
        return scenario;
    }
    auto error = [&](const std::string& what) {
        scenario.errors.push_back(file_name + ": " + what);
    };
    if (document.contains("title")) {
        if (document["title"].is_string())
            scenario.title = document["title"].get<std::string>();
        else
            error("\"title\" must be a text");
    }
    if (document.contains("loop")) {
        if (document["loop"].is_boolean())
            scenario.loop = document["loop"].get<bool>();
        else
            error("\"loop\" must be true or false");
    }
    const json timeline = document.value("timeline", json());
    if (!timeline.is_array()) error("\"timeline\" must be a list of entries");

    double last = 0;
    for (size_t i = 0; timeline.is_array() && i < timeline.size(); ++i) {
        std::string where = file_name + " entry " + std::to_string(i + 1);
        try {
            Entry entry = read_entry(timeline[i], where);
            last = std::max(last, entry.t);
            for (auto& [id, point] : entry.variables)
                scenario.variables[id].push_back(point);
            for (auto& [name, point] : entry.named)
                scenario.named[name].push_back(point);
            for (ScenarioEvent& event : entry.events)
                scenario.events.push_back(std::move(event));
        } catch (const std::exception& problem) {
            scenario.errors.push_back(where + ": " + problem.what());
        }
    }
    scenario.duration = last;
    if (document.contains("duration")) {
        const json& duration = document["duration"];
        if (duration.is_number() && std::isfinite(duration.get<double>()) &&
            duration.get<double>() >= last && duration.get<double>() <= 1e7)
            scenario.duration = duration.get<double>();
        else
            error("\"duration\" must be a number of seconds no shorter than the last entry's time");
    }
    for (auto& [id, track] : scenario.variables)
        std::stable_sort(track.begin(), track.end(), earlier);
    for (auto& [name, track] : scenario.named)
        std::stable_sort(track.begin(), track.end(), earlier);
    std::stable_sort(scenario.events.begin(), scenario.events.end(),
                     [](const ScenarioEvent& a, const ScenarioEvent& b) { return a.t < b.t; });
    return scenario;
}

Scenario load_scenario(const std::string& path) {
    return read_file<Scenario>(path, "scenario file", std::ios::in, read_scenario);
}

std::optional<double> value_at(const std::vector<ScenarioPoint>& track, double t) {
    auto next =
        std::upper_bound(track.begin(), track.end(), t,
                         [](double time, const ScenarioPoint& point) { return time < point.t; });
    if (next == track.begin()) return std::nullopt;
    const ScenarioPoint& before = *(next - 1);
    if (next == track.end() || !next->ramp) return before.value;
    double fraction = (t - before.t) / (next->t - before.t);
    return before.value + (next->value - before.value) * fraction;
}

ScenarioPlayer::ScenarioPlayer(Scenario scenario) : scenario_(std::move(scenario)) {}

void ScenarioPlayer::play() {
    // A finished scenario starts again.
    if (!scenario_.loop && time_ >= scenario_.duration && !at_start_) restart();
    playing_ = true;
}

void ScenarioPlayer::restart() {
    time_ = 0;
    at_start_ = true;
    held_until_.clear();
}

void ScenarioPlayer::set_speed(double speed) {
    if (std::isnan(speed)) return;
    speed_ = std::clamp(speed, 1.0 / 16, 16.0);
}

ScenarioStep ScenarioPlayer::advance(double host_seconds) {
    if (!playing_ || !(host_seconds > 0)) return {};
    return play_to(time_ + std::min(host_seconds, 10.0) * speed_);
}

ScenarioStep ScenarioPlayer::step(double scenario_seconds) {
    if (!(scenario_seconds >= 0)) return {};
    return play_to(time_ + std::min(scenario_seconds, 3600.0));
}

void ScenarioPlayer::hold_variable(uint32_t id) {
    auto track = scenario_.variables.find(id);
    if (track == scenario_.variables.end()) return;
    double until = std::numeric_limits<double>::infinity();
    for (const ScenarioPoint& point : track->second)
        if (point.t > time_) {
            until = point.t;
            break;
        }
    held_until_[id] = until;
}

void ScenarioPlayer::replace(Scenario scenario) {
    scenario_ = std::move(scenario);
    time_ = std::min(time_, scenario_.duration);
    held_until_.clear();
}

void ScenarioPlayer::collect_events(double from, double to, bool from_inclusive,
                                    ScenarioStep& out) const {
    for (const ScenarioEvent& event : scenario_.events)
        if ((event.t > from || (from_inclusive && event.t == from)) && event.t <= to)
            out.events.push_back(&event);
}

ScenarioStep ScenarioPlayer::play_to(double target) {
    ScenarioStep out;
    const double duration = scenario_.duration;
    double previous = at_start_ ? -1 : time_;
    if (!scenario_.loop || duration <= 0) {
        double end = std::clamp(target, 0.0, std::max(duration, 0.0));
        collect_events(time_, end, at_start_, out);
        time_ = end;
        if (time_ >= duration) playing_ = false;
    } else if (target < duration) {
        collect_events(time_, target, at_start_, out);
        time_ = target;
    } else {
        // To the end, then from the start again with what remains (however many
        // whole turns the step spans, the events of one turn are enough).
        collect_events(time_, duration, at_start_, out);
        double remainder = std::fmod(target - duration, duration);
        held_until_.clear();
        out.restarted = true;
        collect_events(0, remainder, true, out);
        time_ = remainder;
        previous = -1;
    }
    at_start_ = false;
    sample(previous, out);
    return out;
}

void ScenarioPlayer::sample(double previous, ScenarioStep& out) {
    // A track sets its variable from its first point to its last, and once more on
    // the step that passes its last point; after that the variable is free.
    auto due = [&](const std::vector<ScenarioPoint>& track) {
        return !track.empty() && (time_ <= track.back().t || previous < track.back().t);
    };
    for (const auto& [id, track] : scenario_.variables) {
        if (auto held = held_until_.find(id); held != held_until_.end()) {
            if (time_ < held->second) continue;
            held_until_.erase(held);
        }
        if (!due(track)) continue;
        if (std::optional<double> value = value_at(track, time_))
            out.variables.push_back({id, *value});
    }
    for (const auto& [name, track] : scenario_.named) {
        if (!due(track)) continue;
        if (std::optional<double> value = value_at(track, time_))
            out.named.push_back({name, *value});
    }
}

} // namespace panelhost
