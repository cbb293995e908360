#include "aircraft_folder.hpp"
#include "text_case.hpp"

#include "file_names.hpp"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <vector>

namespace panelhost {
namespace {

namespace fs = std::filesystem;

// A value without a trailing comment; registrations and folder suffixes hold no ';'.
std::string value_of(const std::string& text) { return trim(text.substr(0, text.find(';'))); }

struct Livery {
    std::string section;
    std::string atc_id;
    std::string panel; // the panel folder's suffix: "" for panel/
};

// The sections of aircraft.cfg that hold an atc_id key, in file order.
std::vector<Livery> liveries_of(std::istream& in) {
    std::vector<Livery> liveries;
    Livery current;
    bool has_atc_id = false;
    auto close_section = [&] {
        if (has_atc_id) liveries.push_back(current);
        current = {};
        has_atc_id = false;
    };
    std::string line;
    while (std::getline(in, line)) {
        line = trim(line);
        if (line.empty() || line[0] == ';' || line.rfind("//", 0) == 0) continue;
        if (line[0] == '[') {
            close_section();
            current.section = trim(line.substr(1, line.find(']') - 1));
            continue;
        }
        size_t equals = line.find('=');
        if (equals == std::string::npos) continue;
        std::string key = lower(trim(line.substr(0, equals)));
        if (key == "atc_id") {
            current.atc_id = value_of(line.substr(equals + 1));
            has_atc_id = true;
        } else if (key == "panel") {
            current.panel = value_of(line.substr(equals + 1));
        }
    }
    close_section();
    return liveries;
}

} // namespace

std::optional<AircraftFolder> open_aircraft_folder(const std::string& dir, int livery,
                                                   std::string& error) {
    std::optional<fs::path> config = find_ignoring_case(dir, "aircraft.cfg");
    if (!config) {
        error = dir + ": no aircraft.cfg in this aircraft folder";
        return std::nullopt;
    }
    std::ifstream in(*config, std::ios::binary);
    if (!in) {
        error = config->string() + ": cannot be read";
        return std::nullopt;
    }
    std::vector<Livery> liveries = liveries_of(in);
    AircraftFolder folder;
    std::string panel_folder = "panel";
    if (livery < 0 || (livery > 0 && size_t(livery) >= liveries.size())) {
        error = config->string() + ": there is no livery " + std::to_string(livery) + " (" +
                std::to_string(liveries.size()) + " sections hold an atc_id)";
        return std::nullopt;
    }
    if (!liveries.empty()) {
        const Livery& chosen = liveries[size_t(livery)];
        folder.atc_id = chosen.atc_id;
        folder.livery = chosen.section;
        if (!chosen.panel.empty()) panel_folder += "." + chosen.panel;
    }
    std::optional<fs::path> panel = find_ignoring_case(dir, panel_folder + "/panel.cfg");
    if (!panel) {
        error = dir + ": no " + panel_folder + "/panel.cfg in this aircraft folder";
        return std::nullopt;
    }
    folder.panel_file = panel->string();
    return folder;
}

} // namespace panelhost
