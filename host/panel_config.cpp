#include "panel_config.hpp"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <fstream>
#include <map>

namespace panelhost {
namespace {

std::string trim(std::string_view text) {
    size_t begin = 0, end = text.size();
    while (begin < end && std::isspace(static_cast<unsigned char>(text[begin]))) ++begin;
    while (end > begin && std::isspace(static_cast<unsigned char>(text[end - 1]))) --end;
    return std::string(text.substr(begin, end - begin));
}

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string without_comment(std::string_view text) {
    size_t semicolon = text.find(';');
    return trim(semicolon == std::string_view::npos ? text : text.substr(0, semicolon));
}

std::optional<int> parse_int(const std::string& text) {
    int value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value;
}

// Splits at the first `max_fields - 1` commas; the last field keeps any further commas.
std::vector<std::string> split_fields(const std::string& text, size_t max_fields) {
    std::vector<std::string> fields;
    size_t start = 0;
    while (fields.size() + 1 < max_fields) {
        size_t comma = text.find(',', start);
        if (comma == std::string::npos) break;
        fields.push_back(text.substr(start, comma - start));
        start = comma + 1;
    }
    fields.push_back(text.substr(start));
    return fields;
}

class Reader {
public:
    explicit Reader(const std::string& file) { config_.file = file; }

    void line(const std::string& raw, int number) {
        line_ = number;
        std::string text = trim(raw);
        if (text.empty() || text[0] == ';' || text[0] == '#') return;
        if (text[0] == '[') return section(text);
        size_t equals = text.find('=');
        if (equals == std::string::npos) return error("expected key=value or [section]");
        key_value(lower(trim(text.substr(0, equals))), text.substr(equals + 1));
    }

    PanelConfig finish() {
        for (PanelWindow& window : config_.windows) {
            auto title = titles_.find(lower(window.section));
            if (title != titles_.end()) window.title = title->second;
            if (window.title.empty()) window.title = window.section;
        }
        return std::move(config_);
    }

private:
    void error(const std::string& what) {
        config_.errors.push_back(config_.file + ":" + std::to_string(line_) + ": " + what);
    }

    void section(const std::string& text) {
        if (text.back() != ']') {
            section_ = Section::Unknown;
            return error("section header without closing ]");
        }
        std::string name = trim(text.substr(1, text.size() - 2));
        std::string key = lower(name);
        window_ = nullptr;
        if (key == "window titles") {
            section_ = Section::Titles;
        } else if (key == "aircraft") {
            section_ = Section::Aircraft;
        } else if (key.rfind("window", 0) == 0 && key.size() > 6 &&
                   std::all_of(key.begin() + 6, key.end(),
                               [](unsigned char c) { return std::isdigit(c) != 0; })) {
            section_ = Section::Window;
            for (PanelWindow& window : config_.windows)
                if (lower(window.section) == key) window_ = &window;
            if (!window_) {
                config_.windows.push_back({});
                window_ = &config_.windows.back();
                window_->section = name;
            }
        } else {
            section_ = Section::Unknown;
            error("unknown section [" + name + "]; its lines are skipped");
        }
    }

    void key_value(const std::string& key, const std::string& value) {
        switch (section_) {
        case Section::None: return error("line before any [section]");
        case Section::Unknown: return;
        case Section::Titles: titles_[key] = without_comment(value); return;
        case Section::Aircraft:
            if (key == "atc_id") config_.atc_id = without_comment(value);
            else error("unknown key " + key + " in [Aircraft]");
            return;
        case Section::Window: return window_key(key, value);
        }
    }

    void window_key(const std::string& key, const std::string& value) {
        if (key == "size_mm") {
            auto fields = split_fields(without_comment(value), 3);
            auto width = fields.size() == 2 ? parse_int(trim(fields[0])) : std::nullopt;
            auto height = fields.size() == 2 ? parse_int(trim(fields[1])) : std::nullopt;
            if (!width || !height || *width <= 0 || *height <= 0)
                return error("size_mm needs two positive numbers, as size_mm=1024,768");
            window_->width = *width;
            window_->height = *height;
        } else if (key == "ident") {
            std::string ident = without_comment(value);
            auto number = parse_int(ident);
            if (!number) number = window_number_of(ident);
            if (!number) return error("ident " + ident + " is neither a window name nor a number");
            window_->ident = number;
        } else if (key == "visible") {
            std::string flag = without_comment(value);
            if (flag != "0" && flag != "1") return error("visible must be 0 or 1");
            window_->visible = flag == "1";
        } else if (key.rfind("gauge", 0) == 0) {
            gauge(value);
        } else {
            error("unknown key " + key);
        }
    }

    void gauge(const std::string& value) {
        auto fields = split_fields(value, 6);
        if (fields.size() < 4)
            return error("a gauge needs Module!Gauge, x, y, width[, height][, parameters]");
        std::string name = trim(fields[0]);
        size_t bang = name.find('!');
        if (bang == std::string::npos || bang == 0 || bang + 1 == name.size())
            return error("gauge name \"" + name + "\" is not of the form Module!Gauge");
        PanelGauge gauge;
        gauge.module = name.substr(0, bang);
        gauge.gauge = name.substr(bang + 1);
        gauge.line = line_;
        auto x = parse_int(trim(fields[1]));
        auto y = parse_int(trim(fields[2]));
        auto width = parse_int(trim(fields.size() > 4 ? fields[3] : without_comment(fields[3])));
        if (!x || !y) return error("gauge position must be two whole numbers");
        if (!width || *width <= 0) return error("gauge width must be a positive whole number");
        gauge.x = *x;
        gauge.y = *y;
        gauge.width = *width;
        if (fields.size() > 4) {
            std::string height_text = trim(fields.size() > 5 ? fields[4] : without_comment(fields[4]));
            if (!height_text.empty()) {
                auto height = parse_int(height_text);
                if (!height || *height <= 0)
                    return error("gauge height must be a positive whole number or empty");
                gauge.height = height;
            }
        }
        if (fields.size() > 5) gauge.parameters = trim(fields[5]);
        window_->gauges.push_back(std::move(gauge));
    }

    enum class Section { None, Titles, Aircraft, Window, Unknown };
    PanelConfig config_;
    Section section_ = Section::None;
    PanelWindow* window_ = nullptr;
    std::map<std::string, std::string> titles_;
    int line_ = 0;
};

} // namespace

std::optional<int> window_number_of(const std::string& name) {
    static const std::map<std::string, int> windows = {
        {"MAIN_PANEL", 0},          {"RADIO_STACK_PANEL", 50}, {"COMPASS_PANEL", 75},
        {"ANNUNCIATOR_PANEL", 125}, {"ANNUNCIATOR2_PANEL", 150}, {"COLLECTIVE_PANEL", 200},
        {"THROTTLE_PANEL", 10},     {"MINI_CONTROLS_PANEL", 100}, {"IFR_MAIN_PANEL", 175},
        {"GPS_PANEL", 225},         {"OVERHEAD_PANEL", 250}};
    auto it = windows.find(name);
    return it == windows.end() ? std::nullopt : std::optional<int>(it->second);
}

PanelConfig read_panel_config(std::istream& in, const std::string& file_name) {
    Reader reader(file_name);
    std::string text;
    for (int number = 1; std::getline(in, text); ++number) {
        if (!text.empty() && text.back() == '\r') text.pop_back();
        reader.line(text, number);
    }
    return reader.finish();
}

PanelConfig load_panel_config(const std::string& path) {
    std::ifstream in(path);
    if (!in) {
        PanelConfig config;
        config.file = path;
        config.errors.push_back(path + ": cannot open the panel file");
        return config;
    }
    return read_panel_config(in, path);
}

} // namespace panelhost
