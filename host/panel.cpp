#include "panel.hpp"
#include "text_case.hpp"

#include "file_names.hpp"
#include "other_module_kinds.hpp"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>

namespace panelhost {
namespace {

namespace fs = std::filesystem;

// The side of a placeholder whose size neither the panel file nor a design gives.
constexpr double placeholder_side = 64;

std::optional<std::vector<uint8_t>> read_file(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

// "lines 3, 7 and 9", the first few of many.
std::string lines_text(const std::vector<int>& lines) {
    constexpr size_t shown = 8;
    std::string text = lines.size() == 1 ? "line " : "lines ";
    for (size_t i = 0; i < lines.size() && i < shown; ++i) {
        if (i > 0) text += (i + 1 == lines.size() && i < shown) ? " and " : ", ";
        text += std::to_string(lines[i]);
    }
    if (lines.size() > shown) text += " and " + std::to_string(lines.size() - shown) + " more";
    return text;
}

// Gauges that cannot run, gathered so that each cause is reported once with how
// many placements it has.
class Missing {
  public:
    void add(const std::string& cause, int line) {
        auto [it, added] = lines_.try_emplace(cause);
        if (added) order_.push_back(cause);
        it->second.push_back(line);
    }
    void report(const std::string& file, std::vector<std::string>& problems) const {
        for (const std::string& cause : order_) {
            const std::vector<int>& lines = lines_.at(cause);
            std::string count =
                lines.size() == 1 ? "1 placement" : std::to_string(lines.size()) + " placements";
            problems.push_back(file + ":" + std::to_string(lines.front()) + ": " + cause + ": " +
                               count + " (" + lines_text(lines) + ") drawn as placeholders");
        }
    }

  private:
    std::map<std::string, std::vector<int>> lines_;
    std::vector<std::string> order_;
};

class Placer {
  public:
    Placer(PanelHost& host, const PanelConfig& config, const std::vector<std::string>& module_dirs,
           std::vector<std::string>& problems)
        : host_(host), config_(config), problems_(problems) {
        panel_dir_ = fs::path(config.file).parent_path();
        if (panel_dir_.empty()) panel_dir_ = ".";
        search_.push_back(panel_dir_);
        for (const std::string& dir : module_dirs) {
            fs::path path = dir.empty() ? fs::path(".") : fs::path(dir);
            if (std::find(search_.begin(), search_.end(), path) == search_.end())
                search_.push_back(path);
        }
    }

    PlacedWindow window(const PanelWindow& window) {
        PlacedWindow placed;
        placed.section = window.section;
        placed.title = window.title;
        placed.ident = window.ident;
        placed.visible = window.visible;
        placed.virtual_cockpit = window.virtual_cockpit;
        placed.background_color = window.background_color;
        placed.screen = window.screen;
        placed.background = background(window);
        for (const PanelGauge& gauge : window.gauges)
            placed.gauges.push_back(this->gauge(gauge));
        size_window(window, placed);
        report_cut_off(placed);
        return placed;
    }

    void report() { missing_.report(config_.file, problems_); }

  private:
    std::string where(int line) const { return config_.file + ":" + std::to_string(line) + ": "; }

    std::shared_ptr<const Image> background(const PanelWindow& window) {
        std::string reasons;
        for (const std::string& name : window.background_files) {
            std::optional<fs::path> path = find_ignoring_case(panel_dir_, name);
            std::string error = "not found in " + panel_dir_.string();
            if (path) {
                if (std::optional<std::vector<uint8_t>> bytes = read_file(*path)) {
                    if (std::optional<Image> image = decode_bmp(*bytes, error))
                        return std::make_shared<const Image>(std::move(*image));
                } else {
                    error = "cannot be read";
                }
            }
            reasons += (reasons.empty() ? "" : "; ") + name + ": " + error;
        }
        if (!reasons.empty())
            problems_.push_back(where(window.line) + "the background bitmap of [" + window.section +
                                "] cannot be shown (" + reasons +
                                "); its background colour is used");
        return nullptr;
    }

    // The window's design size: size_mm; a height from the background bitmap's
    // proportions when only the width is given; without size_mm the bitmap's own
    // size; without either, what its gauges span.
    void size_window(const PanelWindow& window, PlacedWindow& placed) {
        double span_x = 0, span_y = 0;
        for (const PlacedGauge& gauge : placed.gauges) {
            span_x = std::max(span_x, gauge.x + gauge.width);
            span_y = std::max(span_y, gauge.y + gauge.height);
        }
        const Image* image = placed.background.get();
        placed.width = window.width;
        placed.height = window.height;
        auto side = [](double units) {
            return int(std::min(std::ceil(units), double(max_window_side)));
        };
        if (placed.width <= 0) placed.width = image ? int(image->width) : side(span_x);
        if (placed.height <= 0)
            placed.height =
                image ? side(double(placed.width) * image->height / image->width) : side(span_y);
        placed.width = std::clamp(placed.width, 1, max_window_side);
        placed.height = std::clamp(placed.height, 1, max_window_side);
    }

    // Placements that reach past the window's edges are cut off there, as in the
    // simulator; those that lie wholly outside it are not shown at all. Each group is
    // reported once per window: a lone placement by its gauge, several by their
    // lines. Less than a unit past an edge (a height from a design's proportions) is
    // not counted.
    void report_cut_off(const PlacedWindow& window) {
        constexpr double slack = 1;
        std::vector<const PlacedGauge*> cut, hidden;
        for (const PlacedGauge& gauge : window.gauges) {
            const double right = gauge.x + gauge.width, bottom = gauge.y + gauge.height;
            if (right <= 0 || bottom <= 0 || gauge.x >= window.width || gauge.y >= window.height)
                hidden.push_back(&gauge);
            else if (gauge.x < -slack || gauge.y < -slack || right > window.width + slack ||
                     bottom > window.height + slack)
                cut.push_back(&gauge);
        }
        const std::string size = "[" + window.section + "] (" + std::to_string(window.width) +
                                 " by " + std::to_string(window.height) + " units)";
        auto report = [&](const std::vector<const PlacedGauge*>& gauges, const std::string& one,
                          const std::string& many) {
            if (gauges.empty()) return;
            std::vector<int> lines;
            for (const PlacedGauge* gauge : gauges)
                lines.push_back(gauge->line);
            problems_.push_back(where(lines.front()) +
                                (gauges.size() == 1
                                     ? gauges.front()->label + " " + one
                                     : std::to_string(lines.size()) + " placements (" +
                                           lines_text(lines) + ") " + many));
        };
        report(cut, "reaches past the edges of " + size + " and is cut off there",
               "reach past the edges of " + size + " and are cut off there");
        report(hidden, "lies wholly outside " + size + " and is not shown",
               "lie wholly outside " + size + " and are not shown");
    }

    // The loaded module a panel file's module name stands for, loading it from the
    // first folder that has its file; none (and the cause noted) when there is none.
    std::optional<std::string> module(const PanelGauge& gauge) {
        std::string key = lower(gauge.module);
        if (auto known = modules_.find(key); known != modules_.end()) return known->second;
        std::optional<std::string> loaded;
        std::string file = gauge.module + module_file_suffix;
        Unavailable why{"module not found", "module " + gauge.module + " not found (" + file +
                                                " is in none of these folders: " + folders() + ")"};
        std::optional<fs::path> path;
        for (const fs::path& dir : search_)
            if ((path = find_ignoring_case(dir, file))) break;
        if (path) {
            std::string error;
            if (LoadedModule* module = host_.load_module(path->string(), error))
                loaded = module->name();
            else
                why = {"module does not load", error};
        } else {
            // Not a module of ours: perhaps XML gauges or a Windows module of that name.
            for (const fs::path& dir : search_) {
                if (std::optional<Unavailable> other = other_kind_of_module(dir, gauge.module)) {
                    why = *other;
                    break;
                }
            }
        }
        modules_[key] = loaded;
        if (!loaded) unavailable_[key] = why;
        return loaded;
    }

    std::string folders() const {
        std::string text;
        for (size_t i = 0; i < search_.size(); ++i)
            text += (i ? ", " : "") + search_[i].string() + (i == 0 ? " (the panel's)" : "");
        return text;
    }

    PlacedGauge gauge(const PanelGauge& gauge) {
        PlacedGauge placed;
        placed.module = gauge.module;
        placed.label = gauge.name;
        placed.key = gauge.key;
        placed.parameters = gauge.parameters;
        placed.line = gauge.line;
        placed.x = gauge.x;
        placed.y = gauge.y;
        if (gauge.kind != "gauge") {
            return placeholder(placed, gauge, "a newer kind of gauge",
                               gauge.kind + " lines (gauges of a newer kind, which this host "
                                            "cannot run)");
        }
        std::optional<std::string> module = this->module(gauge);
        if (!module) {
            const Unavailable& why = unavailable_[lower(gauge.module)];
            return placeholder(placed, gauge, why.missing, why.cause);
        }
        placed.module = *module;
        std::string name = gauge.gauge;
        if (name.empty()) {
            const LoadedModule* loaded = host_.find_module(*module);
            if (loaded && !loaded->gauges().empty() && loaded->gauges().front()->name)
                name = loaded->gauges().front()->name;
        }
        std::string error;
        GaugeInstance* instance = host_.place(*module, name, gauge.parameters, error);
        if (!instance) {
            return placeholder(placed, gauge, "no such gauge",
                               "module " + *module + " has no gauge named " + name);
        }
        DesignSize design = instance->design_size();
        double design_width =
            design.width > 0 ? design.width : gauge.width.value_or(placeholder_side);
        double design_height = design.height > 0 ? design.height : design_width;
        placed.instance = instance;
        placed.width = gauge.width.value_or(design_width);
        placed.scale_x = placed.width / design_width;
        placed.height = gauge.height ? *gauge.height : design_height * placed.scale_x;
        placed.scale_y = placed.height / design_height;
        return placed;
    }

    PlacedGauge placeholder(PlacedGauge placed, const PanelGauge& gauge, const std::string& missing,
                            const std::string& cause) {
        placed.missing = missing;
        placed.width = gauge.width.value_or(placeholder_side);
        placed.height = gauge.height.value_or(placed.width);
        missing_.add(cause, gauge.line);
        return placed;
    }

    PanelHost& host_;
    const PanelConfig& config_;
    std::vector<std::string>& problems_;
    fs::path panel_dir_;
    std::vector<fs::path> search_;
    std::map<std::string, std::optional<std::string>> modules_; // by lower-case name
    std::map<std::string, Unavailable> unavailable_;            // why a module is missing
    Missing missing_;
};

} // namespace

std::string module_file(const std::string& module_dir, const std::string& module_name) {
    return (module_dir.empty() ? std::string(".") : module_dir) + "/" + module_name +
           module_file_suffix;
}

Panel::Panel(PanelHost& host, const PanelConfig& config,
             const std::vector<std::string>& module_dirs)
    : simulation_(&host.simulation()), problems_(config.errors) {
    if (!config.atc_id.empty()) host.simulation().set_named_text("ATC ID,string", config.atc_id);
    for (const PanelWindow& window : config.windows)
        if (window.ident && *window.ident >= 0)
            host.simulation().set_window_visible(uint32_t(*window.ident), window.visible);
    Placer placer(host, config, module_dirs, problems_);
    for (const PanelWindow& window : config.windows)
        windows_.push_back(placer.window(window));
    placer.report();
}

bool Panel::window_visible(const PlacedWindow& window) const {
    if (window.ident && *window.ident >= 0)
        return simulation_->window_visible(uint32_t(*window.ident));
    return window.visible;
}

void Panel::show_window(size_t index, bool shown) {
    if (index >= windows_.size()) return;
    PlacedWindow& window = windows_[index];
    if (window.ident && *window.ident >= 0)
        simulation_->set_window_visible(uint32_t(*window.ident), shown);
    else
        window.visible = shown;
}

std::optional<size_t> Panel::find_window(const std::string& name) const {
    auto index_where = [&](auto matches) -> std::optional<size_t> {
        for (size_t i = 0; i < windows_.size(); ++i)
            if (matches(windows_[i])) return i;
        return std::nullopt;
    };
    const std::string text = lower(trim(name));
    if (std::optional<int> ident = window_number_of(text))
        return index_where([&](const PlacedWindow& window) { return window.ident == *ident; });
    if (!text.empty() &&
        std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c); }) &&
        text.size() < 9) {
        const size_t number = std::stoul(text);
        if (number < windows_.size()) return number;
        return index_where([&](const PlacedWindow& window) { return window.ident == int(number); });
    }
    return index_where([&](const PlacedWindow& window) {
        return lower(window.section) == text || lower(window.title) == text;
    });
}

std::vector<size_t> Panel::visible_windows() const {
    std::vector<size_t> shown;
    for (size_t i = 0; i < windows_.size(); ++i)
        if (window_visible(windows_[i])) shown.push_back(i);
    return shown;
}

} // namespace panelhost
