#include "panel_config.hpp"
#include "file_reading.hpp"
#include "text_case.hpp"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <fstream>
#include <map>
#include <set>

namespace panelhost {
namespace {

bool starts_with(std::string_view text, std::string_view start) {
    return text.substr(0, start.size()) == start;
}

// A value without the comment after it (`;` or `//`), trimmed.
std::string without_comment(std::string_view text) {
    size_t end = std::min(text.find(';'), text.find("//"));
    return trim(end == std::string_view::npos ? text : text.substr(0, end));
}

bool all_digits(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(),
                                        [](unsigned char c) { return std::isdigit(c) != 0; });
}

// "window" + digits, "vcockpit" + digits, ...: the digits after the prefix.
bool numbered(std::string_view key, std::string_view prefix) {
    return starts_with(key, prefix) && all_digits(key.substr(prefix.size()));
}

std::optional<int> parse_int(const std::string& text) {
    int value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value;
}

std::optional<double> parse_number(const std::string& text) {
    double value = 0;
    const char* begin = text.data();
    if (!text.empty() && text[0] == '+') ++begin;
    auto [end, error] = std::from_chars(begin, text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || begin == end ||
        !std::isfinite(value))
        return std::nullopt;
    return value;
}

// A whole number as panel files write positions and sizes; a fraction (some panels
// write "10.0") is rounded as the simulator's reading does.
std::optional<int> parse_whole(const std::string& text) {
    if (auto whole = parse_int(text)) return whole;
    auto number = parse_number(text);
    if (!number || std::abs(*number) > 1e9) return std::nullopt;
    return int(std::lround(*number));
}

// comma_fields(), as strings of their own.
std::vector<std::string> split_fields(const std::string& text, size_t max_fields) {
    const std::vector<std::string_view> fields = comma_fields(text, max_fields);
    return {fields.begin(), fields.end()};
}

// Numbers separated by commas (blanks around them allowed), or none when the
// count is not one of `counts` or a field is not a number.
std::optional<std::vector<double>> numbers(const std::string& value,
                                           std::initializer_list<size_t> counts) {
    std::vector<double> out;
    for (const std::string& field : split_fields(without_comment(value), 16)) {
        auto number = parse_number(trim(field));
        if (!number) return std::nullopt;
        out.push_back(*number);
    }
    if (std::find(counts.begin(), counts.end(), out.size()) == counts.end()) return std::nullopt;
    return out;
}

// Sections a panel file carries for other parts of the simulator: passed over.
// ([fltsim] holds the alias of a shared panel, which is followed before a panel
// file is read: aircraft_folder.hpp.)
bool is_other_section(const std::string& key) {
    static const std::set<std::string> names = {"views",    "default view", "color", "colors",
                                                "vcockpit", "vpainting",    "fltsim"};
    return names.count(key) || numbered(key, "vpainting");
}

// Window keys that real panels write and that do not change what is shown here.
bool is_quiet_window_key(const std::string& key) {
    static const std::set<std::string> names = {"nomenu",
                                                "sizeable",
                                                "alpha",
                                                "transparent",
                                                "type",
                                                "child_3d",
                                                "render_3d_window",
                                                "render_2d_window",
                                                "no_luminous",
                                                "hilite_color",
                                                "hidden",
                                                "always_visible",
                                                "hide_on_startup",
                                                "dont_save",
                                                "undocked",
                                                "window_ref"};
    return names.count(key) || numbered(key, "child_");
}

// The kind of a gauge line's key ("gauge" of "gauge03", "htmlgauge" of
// "htmlgauge00"), or none when the key is not one.
std::optional<std::string> gauge_kind(const std::string& key) {
    size_t digits = key.find_last_not_of("0123456789");
    if (digits == std::string::npos || digits + 1 == key.size()) return std::nullopt;
    std::string kind = key.substr(0, digits + 1);
    if (kind.size() < 5 || kind.compare(kind.size() - 5, 5, "gauge") != 0) return std::nullopt;
    if (!std::all_of(kind.begin(), kind.end(),
                     [](unsigned char c) { return std::islower(c) || c == '_'; }))
        return std::nullopt;
    return kind;
}

class Reader {
  public:
    explicit Reader(const std::string& file) { config_.file = file; }

    void line(const std::string& raw, int number) {
        line_ = number;
        std::string text = trim(raw);
        if (text.empty() || text[0] == ';' || text[0] == '#' || starts_with(text, "//")) return;
        if (text[0] == '[') return section(text);
        size_t equals = text.find('=');
        if (equals == std::string::npos) return error("expected key=value or [section]");
        key_value(lower(trim(text.substr(0, equals))), text.substr(equals + 1));
    }

    PanelConfig finish() {
        for (PanelWindow& window : config_.windows) {
            auto title = titles_.find(lower(window.section));
            if (title != titles_.end()) window.title = title->second;
            if (window.virtual_cockpit && !window.texture.empty()) window.title = window.texture;
            if (window.title.empty()) window.title = window.section;
        }
        return std::move(config_);
    }

  private:
    void error(const std::string& what) {
        config_.errors.push_back(config_.file + ":" + std::to_string(line_) + ": " + what);
    }
    // A name no panel file uses: said once, at its first line.
    void notice_once(const std::string& name, const std::string& what) {
        if (noticed_.insert(name).second) error(what);
    }

    void section(const std::string& text) {
        window_ = nullptr;
        size_t close = text.find(']');
        if (close == std::string::npos) {
            section_ = Section::Skipped;
            return error("section header without closing ]");
        }
        std::string name = trim(text.substr(1, close - 1));
        std::string key = lower(name);
        if (key == "window titles") {
            section_ = Section::Titles;
        } else if (key == "aircraft") {
            section_ = Section::Aircraft;
        } else if (numbered(key, "window") || numbered(key, "vcockpit")) {
            section_ = Section::Window;
            for (PanelWindow& window : config_.windows)
                if (lower(window.section) == key) window_ = &window;
            if (!window_) {
                config_.windows.push_back({});
                window_ = &config_.windows.back();
                window_->section = name;
                window_->line = line_;
                window_->virtual_cockpit = starts_with(key, "vcockpit");
                // A cockpit panel is a texture of the 3D cockpit: shown here only
                // when opened.
                window_->visible = !window_->virtual_cockpit;
            }
        } else {
            section_ = Section::Skipped;
            if (!is_other_section(key))
                notice_once("[" + key + "]", "section [" + name +
                                                 "] is not one panel files use; its lines are "
                                                 "passed over");
        }
    }

    void key_value(const std::string& key, const std::string& value) {
        switch (section_) {
        case Section::None: return error("line before any [section]");
        case Section::Skipped: return;
        case Section::Titles: titles_[key] = text_as_utf8(without_comment(value)); return;
        case Section::Aircraft:
            if (key == "atc_id")
                config_.atc_id = without_comment(value);
            else
                notice_once("aircraft:" + key, "key " + key + " in [Aircraft] is passed over");
            return;
        case Section::Window: return window_key(key, value);
        }
    }

    void window_key(const std::string& key, const std::string& value) {
        if (auto kind = gauge_kind(key)) return gauge(key, *kind, value);
        std::string text = without_comment(value);
        if (key == "size_mm") {
            auto size = numbers(value, {1, 2});
            auto fits = [](double side) { return side >= 1 && side <= max_window_side; };
            if (!size || !fits((*size)[0]) || (size->size() == 2 && !fits((*size)[1])))
                return error("size_mm needs a positive width and height, as size_mm=1024,768 "
                             "(or the width alone: the height follows the background bitmap)");
            window_->width = int(std::lround((*size)[0]));
            window_->height = size->size() == 2 ? int(std::lround((*size)[1])) : 0;
        } else if (key == "pixel_size") {
            auto size = numbers(value, {2});
            if (!size || (*size)[0] <= 0 || (*size)[1] <= 0)
                return error("pixel_size needs two positive numbers, as pixel_size=512,512");
            window_->pixel_size = PanelPoint{(*size)[0], (*size)[1]};
        } else if (key == "file" || numbered(key, "file_")) {
            if (text.empty()) return;
            auto& files = window_->background_files;
            if (key == "file")
                files.insert(files.begin(), text);
            else
                files.push_back(text);
        } else if (key == "texture") {
            window_->texture = text_as_utf8(text);
        } else if (key == "background_color") {
            auto rgb = numbers(value, {3});
            if (!rgb ||
                std::any_of(rgb->begin(), rgb->end(), [](double c) { return c < 0 || c > 255; }))
                return error("background_color needs red, green and blue from 0 to 255, as "
                             "background_color=0,0,0");
            window_->background_color = PanelColor{int((*rgb)[0]), int((*rgb)[1]), int((*rgb)[2])};
        } else if (key == "position") {
            auto place = parse_int(text);
            if (!place || *place < 0 || *place > 8)
                return error("position must be a screen place from 0 (top left) to 8 "
                             "(bottom right)");
            window_->screen.position = place;
        } else if (key == "window_pos" || key == "window_size") {
            auto pair = numbers(value, {2});
            if (!pair ||
                std::any_of(pair->begin(), pair->end(), [](double f) { return f < -1 || f > 2; }))
                return error(key + " needs two fractions of the screen, as " + key + "=0.25,0.5");
            PanelPoint point{(*pair)[0], (*pair)[1]};
            (key == "window_pos" ? window_->screen.position_fraction
                                 : window_->screen.size_fraction) = point;
        } else if (key == "window_size_ratio" || key == "windowsize_ratio") {
            auto ratio = parse_number(text);
            if (!ratio || *ratio <= 0 || *ratio > 100)
                return error(key + " must be a positive number");
            window_->screen.size_ratio = ratio;
        } else if (key == "zorder") {
            auto order = parse_int(text);
            if (!order) return error("zorder must be a whole number");
            window_->screen.zorder = *order;
        } else if (key == "ident") {
            auto number = parse_int(text);
            if (!number) number = window_number_of(text);
            if (!number) return error("ident " + text + " is neither a window name nor a number");
            window_->ident = number;
        } else if (key == "visible") {
            std::string flag = lower(text);
            if (flag == "1" || flag == "true" || flag == "yes")
                window_->visible = true;
            else if (flag == "0" || flag == "false" || flag == "no")
                window_->visible = false;
            else
                return error("visible must be 0 or 1");
        } else if (!is_quiet_window_key(key)) {
            notice_once(key, "key " + key +
                                 " is not one panel files use; passed over (here "
                                 "and wherever else it stands)");
        }
    }

    void gauge(const std::string& key, const std::string& kind, const std::string& value) {
        auto fields = split_fields(value, 6);
        // The last field before the parameter string may carry a comment.
        auto numeric = [&](size_t i) {
            return trim(fields.size() > i + 1 ? fields[i] : without_comment(fields[i]));
        };
        std::string name = trim(fields.size() > 1 ? fields[0] : without_comment(fields[0]));
        if (fields.size() < 3)
            return error("a gauge needs Module!Gauge, x, y[, width[, height]][, parameters]");
        PanelGauge gauge;
        gauge.key = key;
        gauge.kind = kind;
        gauge.name = name;
        gauge.line = line_;
        if (kind == "gauge") {
            size_t bang = name.find('!');
            gauge.module = trim(name.substr(0, bang));
            if (bang != std::string::npos) gauge.gauge = trim(name.substr(bang + 1));
            if (gauge.module.empty() || (bang != std::string::npos && gauge.gauge.empty()))
                return error("gauge name \"" + name + "\" is not of the form Module!Gauge");
        } else if (name.empty()) {
            return error("a " + kind + " line needs what it shows before the first comma");
        }
        auto x = parse_whole(numeric(1));
        auto y = parse_whole(numeric(2));
        if (!x || !y) return error("gauge position must be two whole numbers");
        gauge.x = *x;
        gauge.y = *y;
        if (fields.size() > 3 && !numeric(3).empty()) {
            auto width = parse_whole(numeric(3));
            if (!width || *width <= 0) return error("gauge width must be a positive whole number");
            gauge.width = width;
        }
        if (fields.size() > 4 && !numeric(4).empty()) {
            auto height = parse_whole(numeric(4));
            if (!height || *height <= 0)
                return error("gauge height must be a positive whole number or empty");
            gauge.height = height;
        }
        if (fields.size() > 5) gauge.parameters = trim(fields[5]);
        window_->gauges.push_back(std::move(gauge));
    }

    enum class Section { None, Titles, Aircraft, Window, Skipped };
    PanelConfig config_;
    Section section_ = Section::None;
    PanelWindow* window_ = nullptr;
    std::map<std::string, std::string> titles_;
    std::set<std::string> noticed_;
    int line_ = 0;
};

// The code points of Windows-1252's bytes 0x80..0x9F (0: not assigned).
constexpr std::array<uint16_t, 32> cp1252_high = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

bool is_utf8(std::string_view text) {
    for (size_t i = 0; i < text.size();) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        size_t length = c < 0x80         ? 1
                        : (c >> 5) == 6  ? 2
                        : (c >> 4) == 14 ? 3
                        : (c >> 3) == 30 ? 4
                                         : 0;
        if (length == 0 || i + length > text.size() || (length == 2 && c < 0xC2)) return false;
        for (size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
        i += length;
    }
    return true;
}

void append_utf8(std::string& out, uint32_t code) {
    if (code < 0x80) {
        out += char(code);
    } else if (code < 0x800) {
        out += char(0xC0 | code >> 6);
        out += char(0x80 | (code & 0x3F));
    } else {
        out += char(0xE0 | code >> 12);
        out += char(0x80 | (code >> 6 & 0x3F));
        out += char(0x80 | (code & 0x3F));
    }
}

} // namespace

std::string text_as_utf8(const std::string& text) {
    if (is_utf8(text)) return text;
    std::string out;
    for (unsigned char c : text) {
        uint32_t code = c;
        if (c >= 0x80 && c < 0xA0) code = cp1252_high[c - 0x80] ? cp1252_high[c - 0x80] : 0xFFFD;
        append_utf8(out, code);
    }
    return out;
}

std::optional<int> window_number_of(const std::string& name) {
    static const std::map<std::string, int> windows = {
        {"MAIN_PANEL", 0},          {"RADIO_STACK_PANEL", 50},    {"COMPASS_PANEL", 75},
        {"ANNUNCIATOR_PANEL", 125}, {"ANNUNCIATOR2_PANEL", 150},  {"COLLECTIVE_PANEL", 200},
        {"THROTTLE_PANEL", 10},     {"MINI_CONTROLS_PANEL", 100}, {"IFR_MAIN_PANEL", 175},
        {"GPS_PANEL", 225},         {"OVERHEAD_PANEL", 250}};
    auto it = windows.find(upper(trim(name)));
    return it == windows.end() ? std::nullopt : std::optional<int>(it->second);
}

PanelConfig read_panel_config(std::istream& in, const std::string& file_name) {
    Reader reader(file_name);
    std::string text;
    for (int number = 1; std::getline(in, text); ++number) {
        if (number == 1 && starts_with(text, "\xEF\xBB\xBF")) text.erase(0, 3);
        if (!text.empty() && text.back() == '\r') text.pop_back();
        reader.line(text, number);
    }
    return reader.finish();
}

PanelConfig load_panel_config(const std::string& path) {
    return read_file<PanelConfig>(path, "panel file", std::ios::in | std::ios::binary,
                                  read_panel_config);
}

} // namespace panelhost
