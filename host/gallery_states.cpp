#include "gallery_states.hpp"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>

namespace panelhost {
namespace {

using nlohmann::json;

std::optional<uint32_t> variable_number(const std::string& key) {
    uint32_t id = 0;
    auto [end, error] = std::from_chars(key.data(), key.data() + key.size(), id);
    if (error != std::errc() || end != key.data() + key.size()) return std::nullopt;
    return id;
}

std::vector<std::pair<double, double>> read_clicks(const json& clicks) {
    std::vector<std::pair<double, double>> out;
    for (const json& click : clicks) {
        if (!click.is_array() || click.size() != 2) throw std::runtime_error("a click is [x, y]");
        out.emplace_back(click[0].get<double>(), click[1].get<double>());
    }
    return out;
}

GalleryState read_state(const std::string& gauge, const json& entry) {
    GalleryState state;
    state.gauge = gauge;
    state.name = entry.at("state").get<std::string>();
    if (entry.contains("parameters")) state.parameters = entry["parameters"].get<std::string>();
    const json variables = entry.value("set", json::object());
    const json named = entry.value("named", json::object());
    const json texts = entry.value("text", json::object());
    for (const auto& [key, value] : variables.items()) {
        auto id = variable_number(key);
        if (!id) throw std::runtime_error("variable \"" + key + "\" is not a number");
        state.variables[*id] = value.get<double>();
    }
    for (const auto& [key, value] : named.items())
        state.named[key] = value.get<double>();
    for (const auto& [key, value] : texts.items())
        state.texts[key] = value.get<std::string>();
    state.failures = entry.value("fail", std::vector<uint32_t>{});
    state.cycles = std::clamp(entry.value("cycles", 1), 1, 10000);
    state.clicks = read_clicks(entry.value("clicks", json::array()));
    const json companions = entry.value("with", json::object());
    for (const auto& [companion, clicks] : companions.items())
        state.companions.push_back({companion, read_clicks(clicks)});
    return state;
}

} // namespace

std::vector<GalleryState> read_gallery_states(const std::string& path,
                                              std::vector<std::string>& problems) {
    std::vector<GalleryState> states;
    std::ifstream in(path);
    json document = json::parse(in, nullptr, false);
    if (document.is_discarded() || !document.is_object()) {
        problems.push_back(path + ": not a JSON object of gauge names");
        return states;
    }
    for (const auto& [gauge, entries] : document.items()) {
        if (!entries.is_array()) {
            problems.push_back(path + ": " + gauge + ": expected a list of states");
            continue;
        }
        for (size_t i = 0; i < entries.size(); ++i) {
            try {
                states.push_back(read_state(gauge, entries[i]));
            } catch (const std::exception& error) {
                problems.push_back(path + ": " + gauge + " state " + std::to_string(i + 1) + ": " +
                                   error.what());
            }
        }
    }
    return states;
}

std::vector<GalleryState> find_gallery_states(const std::string& gauges_dir,
                                              std::vector<std::string>& problems) {
    std::vector<std::string> files;
    std::error_code error;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(gauges_dir, error))
        if (entry.path().filename() == "gallery.json") files.push_back(entry.path().string());
    if (error) problems.push_back(gauges_dir + ": " + error.message());
    std::sort(files.begin(), files.end());
    std::vector<GalleryState> states;
    for (const std::string& file : files) {
        auto more = read_gallery_states(file, problems);
        states.insert(states.end(), more.begin(), more.end());
    }
    return states;
}

} // namespace panelhost
