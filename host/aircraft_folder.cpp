#include "aircraft_folder.hpp"
#include "text_case.hpp"

#include "file_names.hpp"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <set>
#include <vector>

namespace panelhost {
namespace {

namespace fs = std::filesystem;

// A value without a trailing comment; registrations and folder names hold no ';'.
std::string value_of(const std::string& text) { return trim(text.substr(0, text.find(';'))); }

// A `key=value` line of an INI text (aircraft.cfg, panel.cfg) and the section it
// stands in.
struct Setting {
    std::string section; // as written
    std::string key;     // in lower case
    std::string value;   // without blanks and trailing comment
    int line = 0;
};

// Every setting, in file order; comments (`;`, `//`), lines without `=` and a
// UTF-8 byte-order mark are passed over.
std::vector<Setting> settings_of(std::istream& in) {
    std::vector<Setting> settings;
    std::string section;
    std::string text;
    for (int number = 1; std::getline(in, text); ++number) {
        if (number == 1 && text.rfind("\xEF\xBB\xBF", 0) == 0) text.erase(0, 3);
        std::string line = trim(text);
        if (line.empty() || line[0] == ';' || line.rfind("//", 0) == 0) continue;
        if (line[0] == '[') {
            section = trim(line.substr(1, line.find(']') - 1));
            continue;
        }
        size_t equals = line.find('=');
        if (equals == std::string::npos) continue;
        settings.push_back({section, lower(trim(line.substr(0, equals))),
                            value_of(line.substr(equals + 1)), number});
    }
    return settings;
}

struct Livery {
    std::string section;
    std::string atc_id;
    std::string panel; // the panel folder's suffix: "" for panel/
    bool has_atc_id = false;
};

// The sections of aircraft.cfg that hold an atc_id key, in file order.
std::vector<Livery> liveries_of(std::istream& in) {
    std::vector<Livery> sections;
    for (const Setting& setting : settings_of(in)) {
        if (sections.empty() || sections.back().section != setting.section)
            sections.push_back({setting.section});
        if (setting.key == "atc_id") {
            sections.back().atc_id = setting.value;
            sections.back().has_atc_id = true;
        } else if (setting.key == "panel") {
            sections.back().panel = setting.value;
        }
    }
    std::erase_if(sections, [](const Livery& livery) { return !livery.has_atc_id; });
    return sections;
}

// The `[fltsim]` `alias=` setting of a panel file, if it has one.
std::optional<Setting> panel_alias_of(const fs::path& panel_file) {
    std::ifstream in(panel_file, std::ios::binary);
    for (const Setting& setting : settings_of(in))
        if (lower(setting.section) == "fltsim" && setting.key == "alias") return setting;
    return std::nullopt;
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

std::optional<std::string> follow_panel_alias(const std::string& panel_file, std::string& error) {
    fs::path file = panel_file;
    std::set<fs::path> seen; // each file followed, as its full path without links
    for (;;) {
        std::error_code ignored;
        fs::path full = fs::weakly_canonical(fs::absolute(file, ignored), ignored);
        std::optional<Setting> alias = panel_alias_of(file);
        if (!alias) return file.string();
        const std::string where = file.string() + ":" + std::to_string(alias->line) + ": [" +
                                  alias->section + "] alias=" + alias->value;
        if (!seen.insert(full).second) {
            error = where + " leads back to a panel it came from";
            return std::nullopt;
        }
        // From the panel folder up to the folder that holds the aircraft folders.
        const fs::path aircraft_folders = full.parent_path().parent_path().parent_path();
        std::optional<fs::path> target =
            find_ignoring_case(aircraft_folders, alias->value + "/panel.cfg");
        if (alias->value.empty() || !target) {
            error = where + ": no panel.cfg in " + (aircraft_folders / alias->value).string();
            return std::nullopt;
        }
        file = *target;
    }
}

} // namespace panelhost
