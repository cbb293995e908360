#include "workbench/workbench_session.hpp"

#include "element_model.hpp"
#include "failure_names.hpp"
#include "help_texts.hpp"
#include "key_event_names.hpp"
#include "mouse_map.hpp"
#include "switch_states.hpp"
#include "render/cairo_handles.hpp"
#include "workbench/png_encoding.hpp"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <set>

namespace panelhost {
namespace {

using nlohmann::json;

constexpr double file_check_seconds = 0.5;
constexpr double watcher_timeout_seconds = 3;
constexpr double longest_page_hold_seconds = 60;  // a release the page never sent
constexpr uint32_t most_repeats_per_cycle = 3;
constexpr size_t key_log_length = 500;
constexpr size_t keys_per_frame = 200;
constexpr size_t sound_log_length = 50;
constexpr size_t most_problems = 100;
constexpr size_t longest_module_text = 256;

// Changes the page could not show are not drawn and sent: a needle turning by less
// than 1/32 degree (0.1 pixel at the tip of the longest), a slider or sprite moving
// by less than 1/16 pixel, a drum strip by less than 1/4096 of its travel. A slowly
// draining fuel tank then costs a picture a second instead of one every cycle.
constexpr SignatureSteps unseen_changes{1.0 / 32, 1.0 / 16, 1.0 / 4096};

// A text from module memory, read no further than `longest_module_text`.
std::string module_text(const char* text) {
    if (!text) return {};
    return std::string(text, strnlen(text, longest_module_text));
}

const char* cursor_name(int32_t cursor) {
    switch (cursor) {
    case CURSOR_UPARROW: return "up";
    case CURSOR_DOWNARROW: return "down";
    case CURSOR_LEFTARROW: return "left";
    case CURSOR_RIGHTARROW: return "right";
    case CURSOR_HAND: return "hand";
    default: return nullptr;
    }
}

// The text an area gives the pointer: its tooltip text, else the host's text for
// its help id; null for an area without either (the page takes the innermost
// area under the pointer that has one, as the host does).
json tip_of(const MouseNode& node) {
    if (node.tooltip) return module_text(node.tooltip);
    if (node.help_id) return help_text(node.help_id);
    return nullptr;
}

json mouse_nodes(const GaugeInstance& instance) {
    json nodes = json::array();
    const MouseMap& map = instance.mouse_map();
    for (size_t i = 0; i < map.nodes.size(); ++i) {
        const MouseNode& node = map.nodes[i];
        const MouseArea& record = *node.record;
        bool clickable = record.kind == MOUSE_CHILD;
        json item = {{"box", {node.box.x, node.box.y, node.box.width, node.box.height}},
                     {"parent", node.parent},
                     {"depth", node.depth},
                     {"clickable", clickable},
                     {"tip", tip_of(node)}};
        if (clickable) {
            const char* cursor = cursor_name(record.cursor);
            item["cursor"] = cursor ? json(cursor) : json(nullptr);
            item["left"] = (record.mouse_flags & MOUSE_LEFT_BUTTON) != 0;
            item["right"] = (record.mouse_flags & MOUSE_RIGHT_BUTTON) != 0;
            item["repeat"] = (record.mouse_flags & MOUSE_REPEAT) != 0;
            if (record.key_event) item["key_event"] = key_event_name(record.key_event);
        }
        nodes.push_back(std::move(item));
    }
    return nodes;
}

const char* element_kind_name(uint32_t kind) {
    static const char* names[] = {"static image", "needle", "string", "slider",
                                  "icon",         "moving image", "sprite"};
    return kind < std::size(names) ? names[kind] : "element";
}

const char* failure_action_name(uint32_t action) {
    switch (action) {
    case FAILURE_ACTION_NONE: return "no effect";
    case FAILURE_ACTION_FREEZE: return "keeps its last value";
    case FAILURE_ACTION_ZERO: return "reads 0";
    case FAILURE_ACTION_HIDE: return "is not drawn";
    default: return "unknown action";
    }
}

// Every failure key the placed gauges' elements list: the host's name for it, the
// gauges it acts on, and what it does to each of their elements.
json failure_keys(const Panel& panel) {
    std::map<uint32_t, std::set<std::string>> uses;
    std::map<uint32_t, std::set<std::string>> gauges;
    for (const PlacedWindow& window : panel.windows())
        for (const PlacedGauge& gauge : window.gauges) {
            if (!gauge.instance) continue;
            const auto& elements = gauge.instance->elements();
            for (size_t i = 0; i < elements.size(); ++i) {
                const FailureEntry* list = elements[i].record ? elements[i].record->failures : nullptr;
                for (size_t entry = 0; list && entry < kMaxFailureEntries && list[entry].key; ++entry) {
                    uses[list[entry].key].insert(gauge.instance->name() + ": " +
                                                 element_kind_name(elements[i].kind) + " " +
                                                 std::to_string(i + 1) + " " +
                                                 failure_action_name(list[entry].action));
                    gauges[list[entry].key].insert(gauge.instance->name());
                }
            }
        }
    json keys = json::array();
    for (const auto& [key, users] : uses)
        keys.push_back(
            {{"key", key}, {"name", failure_name(key)}, {"gauges", gauges[key]}, {"uses", users}});
    return keys;
}

// The catalog with its groups in the order the enumeration gives them.
json variable_catalog_json() {
    std::vector<VariableInfo> catalog = variable_catalog();
    std::stable_sort(catalog.begin(), catalog.end(), [](const auto& a, const auto& b) {
        return int(a.group) < int(b.group);
    });
    json variables = json::array();
    for (const VariableInfo& info : catalog) {
        json item = {{"id", info.id},
                     {"name", info.name},
                     {"unit", info.unit},
                     {"group", group_name(info.group)},
                     {"integer", info.reading == Reading::Integer}};
        if (info.low != info.high) item["range"] = {info.low, info.high};
        variables.push_back(std::move(item));
    }
    return variables;
}

std::string dump(const json& value) {
    return value.dump(-1, ' ', false, json::error_handler_t::replace);
}

// A window's background bitmap as PNG. Its pixels are opaque or fully transparent,
// so they are the same premultiplied as Cairo wants them.
std::vector<uint8_t> background_png_of(const Image& image) {
    SurfacePtr surface(
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, int(image.width), int(image.height)));
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) return {};
    cairo_surface_flush(surface.get());
    unsigned char* data = cairo_image_surface_get_data(surface.get());
    const int stride = cairo_image_surface_get_stride(surface.get());
    for (uint32_t y = 0; y < image.height; ++y)
        std::memcpy(data + size_t(y) * stride, &image.pixels[size_t(y) * image.width],
                    size_t(image.width) * sizeof(uint32_t));
    cairo_surface_mark_dirty(surface.get());
    return encode_png(surface.get());
}

json optional_json(const auto& value) { return value ? json(*value) : json(nullptr); }

json point_json(const std::optional<PanelPoint>& point) {
    return point ? json({point->x, point->y}) : json(nullptr);
}

json screen_json(const ScreenPlace& screen) {
    return {{"position", optional_json(screen.position)},
            {"window_pos", point_json(screen.position_fraction)},
            {"window_size", point_json(screen.size_fraction)},
            {"size_ratio", optional_json(screen.size_ratio)},
            {"zorder", screen.zorder}};
}

json color_json(const std::optional<PanelColor>& color) {
    if (!color) return nullptr;
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", color->red & 0xFF, color->green & 0xFF,
                  color->blue & 0xFF);
    return text;
}

double milliseconds_since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

} // namespace

bool WorkbenchSession::FileWatch::changed() {
    std::error_code error;
    auto now = std::filesystem::last_write_time(path, error);
    if (error || now == stamp) return false;
    stamp = now;
    return true;
}

WorkbenchSession::WorkbenchSession(WorkbenchOptions options)
    : options_(std::move(options)) {
    place_panel();
    panel_watch_.path = options_.panel_file;
    panel_watch_.changed();
    if (!options_.scenario_file.empty()) {
        player_.replace(load_scenario(options_.scenario_file));
        scenario_watch_.path = options_.scenario_file;
        scenario_watch_.changed();
        if (options_.play_at_start) player_.play();
    }
}

WorkbenchSession::~WorkbenchSession() {
    // Pictures and placed gauges go before the host that owns the instances.
    renderer_.reset();
    gauges_.clear();
    panel_.reset();
}

void WorkbenchSession::place_panel() {
    PanelConfig config = load_panel_config(options_.panel_file);
    if (!options_.registration.empty()) config.atc_id = options_.registration;
    panel_ = std::make_unique<Panel>(host_, config, options_.module_dirs);
    renderer_ = std::make_unique<PanelRenderer>(host_, unseen_changes);
    gauges_.clear();
    auto& windows = panel_->windows();
    for (size_t w = 0; w < windows.size(); ++w)
        for (PlacedGauge& gauge : windows[w].gauges) {
            GaugeSlot slot;
            slot.placed = &gauge;
            slot.window = w;
            gauges_.push_back(std::move(slot));
        }
    windows_shown_.assign(windows.size(), false);
    // A panel placed anew keeps the zoom its windows were shown at.
    zooms_.resize(windows.size(), zooms_.empty() ? 1.0 : zooms_.front());
    backgrounds_.clear();
    for (const PlacedWindow& window : windows)
        backgrounds_.push_back(window.background ? background_png_of(*window.background)
                                                 : std::vector<uint8_t>{});
}

void WorkbenchSession::reload_panel() {
    held_.clear();
    renderer_.reset();
    gauges_.clear();
    panel_.reset();
    std::vector<GaugeInstance*> placed;
    for (const auto& instance : host_.instances()) placed.push_back(instance.get());
    for (GaugeInstance* instance : placed) host_.remove(instance);
    place_panel();
    ++layout_number_;
}

void WorkbenchSession::reload_scenario() {
    player_.replace(load_scenario(options_.scenario_file));
    ++layout_number_;
}

void WorkbenchSession::check_files(double now) {
    if (now - last_file_check_ < file_check_seconds) return;
    last_file_check_ = now;
    if (panel_watch_.changed()) reload_panel();
    if (!scenario_watch_.path.empty() && scenario_watch_.changed()) reload_scenario();
}

std::string WorkbenchSession::check(const WorkbenchCommand& command) const {
    if (const auto* press = std::get_if<MousePress>(&command)) {
        if (press->layout != layout_number_)
            return "the panel has been placed anew since the page read it: read the layout again";
        if (press->gauge >= gauges_.size())
            return "there is no gauge number " + std::to_string(press->gauge);
        const PlacedGauge& placed = *gauges_[press->gauge].placed;
        if (!placed.instance)
            return "gauge " + std::to_string(press->gauge) + " (" + placed.label +
                   ") is a placeholder: " + placed.missing + ", nothing to press";
    }
    std::optional<size_t> window;
    if (const auto* show = std::get_if<ShowWindow>(&command)) window = show->window;
    if (const auto* zoom = std::get_if<SetZoom>(&command)) window = zoom->window;
    if (window && *window >= panel_->windows().size())
        return "there is no window number " + std::to_string(*window) + " (the panel has " +
               std::to_string(panel_->windows().size()) + ")";
    if (const auto* set = std::get_if<SetVariable>(&command))
        if (!find_variable_info(set->id))
            return "variable " + std::to_string(set->id) + " is not one the gauges read";
    return {};
}

void WorkbenchSession::submit(WorkbenchCommand command) {
    // A page cannot flood the panel thread: past this many the oldest go.
    constexpr size_t longest_queue = 1000;
    if (queue_.size() >= longest_queue) queue_.erase(queue_.begin());
    queue_.push_back(std::move(command));
}

void WorkbenchSession::run_cycle(double now) {
    auto started = std::chrono::steady_clock::now();
    if (start_ < 0) start_ = now;
    double seconds = last_cycle_ < 0 ? 0 : std::clamp(now - last_cycle_, 0.0, 0.25);
    last_cycle_ = now;
    ++sequence_;
    last_frame_.reset();

    check_files(now);
    carry_out_queue(now);
    carry_out(player_.advance(seconds), now);
    repeat_held_buttons(now);
    show_gauges(now);
    measure(now, milliseconds_since(started));
}

void WorkbenchSession::run_input(double now) {
    if (start_ < 0) start_ = now;
    ++sequence_;
    last_frame_.reset();
    carry_out_queue(now);
    show_gauges(now);
}

void WorkbenchSession::carry_out_queue(double now) {
    std::vector<WorkbenchCommand> commands;
    commands.swap(queue_);
    for (const WorkbenchCommand& command : commands) carry_out(command, now);
}

void WorkbenchSession::show_gauges(double now) {
    host_.update();
    collect_logs(now);
    for (size_t w = 0; w < windows_shown_.size(); ++w)
        windows_shown_[w] = panel_->window_visible(panel_->windows()[w]);
    if (now - last_watch_ < watcher_timeout_seconds) draw_pictures();
}

void WorkbenchSession::carry_out(const WorkbenchCommand& command, double now) {
    Simulation& simulation = host_.simulation();
    if (const auto* press = std::get_if<MousePress>(&command)) {
        // Checked when submitted; the panel may have been placed anew since.
        if (press->layout == layout_number_ && press->gauge < gauges_.size() &&
            gauges_[press->gauge].placed->instance)
            holding_what_changes([&] {
                this->press(*gauges_[press->gauge].placed->instance, press->x, press->y,
                            press->right_button, now, true, 0);
            });
    } else if (std::holds_alternative<MouseRelease>(command)) {
        std::erase_if(held_, [](const HeldButton& held) { return held.from_page; });
    } else if (const auto* set = std::get_if<SetVariable>(&command)) {
        simulation.set(set->id, set->value);
        player_.hold_variable(set->id);
    } else if (const auto* failure = std::get_if<SetFailure>(&command)) {
        simulation.set_failure(failure->key, failure->active);
    } else if (const auto* key = std::get_if<SendKeyEvent>(&command)) {
        holding_what_changes([&] { simulation.trigger_key_event(key->event, key->value); });
    } else if (const auto* control = std::get_if<ScenarioControl>(&command)) {
        using Action = ScenarioControl::Action;
        switch (control->action) {
        case Action::Play: player_.play(); break;
        case Action::Pause: player_.pause(); break;
        case Action::Step: carry_out(player_.step(control->amount), now); break;
        case Action::Restart:
            player_.restart();
            carry_out(player_.step(0), now);
            break;
        case Action::Speed: player_.set_speed(control->amount); break;
        }
    } else if (const auto* zoom = std::get_if<SetZoom>(&command)) {
        const double rounded = std::clamp(std::round(zoom->zoom * 20) / 20, min_zoom, max_zoom);
        if (!zoom->window)
            std::fill(zooms_.begin(), zooms_.end(), rounded);
        else if (*zoom->window < zooms_.size()) // a window gone since is passed over
            zooms_[*zoom->window] = rounded;
    } else if (const auto* show = std::get_if<ShowWindow>(&command)) {
        panel_->show_window(show->window, show->shown); // a window gone since is passed over
    }
}

void WorkbenchSession::carry_out(const ScenarioStep& step, double now) {
    Simulation& simulation = host_.simulation();
    for (const auto& [id, value] : step.variables) simulation.set(id, value);
    for (const auto& [name, value] : step.named) simulation.set_named(name, value);
    for (const ScenarioEvent* event : step.events) {
        switch (event->kind) {
        case ScenarioEvent::Kind::Key: simulation.trigger_key_event(event->event, event->value); break;
        case ScenarioEvent::Kind::Fail:
            for (uint32_t key : event->keys) simulation.set_failure(key, true);
            break;
        case ScenarioEvent::Kind::Repair:
            for (uint32_t key : event->keys) simulation.set_failure(key, false);
            break;
        case ScenarioEvent::Kind::Click: {
            const ScenarioClick& click = event->click;
            GaugeInstance* instance = find_gauge(click.gauge, click.instance);
            if (!instance) {
                problem(event->where + ": no gauge " + click.gauge + " is placed" +
                        (click.instance ? " that often" : ""));
                break;
            }
            if (click.switch_on) {
                const std::optional<bool> on = switch_is_on(*instance);
                if (on && *on == *click.switch_on) break; // already as wanted
                if (!on)
                    problem(event->where + ": the host cannot read the state of " + click.gauge +
                            "'s switch; the click toggles it");
            }
            press(*instance, click.x, click.y, click.right_button, now, false, click.hold);
            break;
        }
        }
    }
}

void WorkbenchSession::holding_what_changes(const std::function<void()>& act) {
    const Simulation& simulation = host_.simulation();
    const std::vector<VariableInfo>& catalog = variable_catalog();
    std::vector<double> before;
    before.reserve(catalog.size());
    for (const VariableInfo& info : catalog) before.push_back(simulation.get(info.id));
    act();
    for (size_t i = 0; i < catalog.size(); ++i)
        if (simulation.get(catalog[i].id) != before[i]) player_.hold_variable(catalog[i].id);
}

GaugeInstance* WorkbenchSession::find_gauge(const std::string& name, int nth) const {
    for (const GaugeSlot& slot : gauges_)
        if (slot.placed->instance && slot.placed->instance->name() == name && nth-- == 0)
            return slot.placed->instance;
    return nullptr;
}

void WorkbenchSession::press(GaugeInstance& instance, double x, double y, bool right, double now,
                             bool from_page, double hold) {
    const uint32_t buttons = right ? MOUSE_RIGHT_BUTTON : MOUSE_LEFT_BUTTON;
    if (from_page) std::erase_if(held_, [](const HeldButton& held) { return held.from_page; });
    std::optional<size_t> target = click_target(instance.mouse_map(), x, y, buttons);
    host_.click(instance, x, y, buttons);
    if (!target || !(instance.mouse_map().nodes[*target].record->mouse_flags & MOUSE_REPEAT))
        return;
    HeldButton held;
    held.instance = &instance;
    held.x = x;
    held.y = y;
    held.buttons = buttons;
    held.since = now;
    held.repeats = true;
    held.from_page = from_page;
    held.release_at = now + (from_page ? longest_page_hold_seconds : hold);
    held_.push_back(held);
}

void WorkbenchSession::repeat_held_buttons(double now) {
    std::erase_if(held_, [now](const HeldButton& held) { return now >= held.release_at; });
    for (HeldButton& held : held_) {
        uint32_t due = repeat_calls_due((now - held.since) * 1000);
        // After a late cycle the missed calls are not all made up at once.
        uint32_t calls = std::min(due > held.calls ? due - held.calls : 0, most_repeats_per_cycle);
        auto repeat = [&] {
            for (uint32_t i = 0; i < calls; ++i)
                host_.click(*held.instance, held.x, held.y, held.buttons);
        };
        if (held.from_page)
            holding_what_changes(repeat);
        else
            repeat();
        held.calls = std::max(held.calls, due);
    }
}

void WorkbenchSession::collect_logs(double now) {
    Simulation& simulation = host_.simulation();
    for (const KeyEvent& event : simulation.key_events())
        key_log_.push_back({sequence_, now - start_, player_.time(), event.event, event.value});
    simulation.clear_logs();
    while (key_log_.size() > key_log_length) key_log_.pop_front();
    for (PlayedSound& sound : take_played_sounds(host_))
        sounds_.push_back({sequence_, std::move(sound)});
    while (sounds_.size() > sound_log_length) sounds_.pop_front();
}

void WorkbenchSession::draw_pictures() {
    for (GaugeSlot& slot : gauges_) {
        // A placeholder has no picture: the page draws its box.
        if (!windows_shown_[slot.window] || !slot.placed->instance) continue;
        auto drawing = std::chrono::steady_clock::now();
        PanelRenderer::GaugePicture picture =
            renderer_->picture_of(*slot.placed, zooms_[slot.window]);
        if (picture.redrawn) {
            draw_ms_sum_ += milliseconds_since(drawing);
            ++gauges_drawn_;
        }
        if (!picture.surface || picture.version == slot.drawn_version) continue;
        auto started = std::chrono::steady_clock::now();
        slot.png = encode_png(picture.surface);
        encode_ms_sum_ += milliseconds_since(started);
        ++gauges_encoded_;
        slot.drawn_version = picture.version;
        slot.encoded_in = sequence_;
        slot.width = cairo_image_surface_get_width(picture.surface);
        slot.height = cairo_image_surface_get_height(picture.surface);
    }
}

void WorkbenchSession::measure(double now, double cycle_ms) {
    if (stats_since_ < 0) stats_since_ = now;
    ++cycles_measured_;
    cycle_ms_sum_ += cycle_ms;
    cycle_ms_max_ = std::max(cycle_ms_max_, cycle_ms);
    double elapsed = now - stats_since_;
    if (elapsed < 1) return;
    stats_.cycle_ms = cycle_ms_sum_ / cycles_measured_;
    stats_.cycle_max_ms = cycle_ms_max_;
    stats_.encode_ms_per_gauge = gauges_encoded_ ? encode_ms_sum_ / gauges_encoded_ : 0;
    stats_.draw_ms_per_gauge = gauges_drawn_ ? draw_ms_sum_ / gauges_drawn_ : 0;
    stats_.gauges_encoded_per_second = gauges_encoded_ / elapsed;
    stats_.bytes_per_second = bytes_sent_ / elapsed;
    stats_.frames_per_second = frames_sent_ / elapsed;
    stats_since_ = now;
    cycles_measured_ = gauges_encoded_ = gauges_drawn_ = frames_sent_ = 0;
    cycle_ms_sum_ = cycle_ms_max_ = encode_ms_sum_ = draw_ms_sum_ = bytes_sent_ = 0;
}

void WorkbenchSession::problem(std::string text) {
    if (problems_.size() >= most_problems ||
        std::find(problems_.begin(), problems_.end(), text) != problems_.end())
        return;
    problems_.push_back(std::move(text));
}

json WorkbenchSession::layout() const {
    json windows = json::array();
    json gauges = json::array();
    for (size_t id = 0; id < gauges_.size(); ++id) {
        const PlacedGauge& placed = *gauges_[id].placed;
        const GaugeInstance* instance = placed.instance;
        json gauge = {{"id", id},
                      {"window", gauges_[id].window},
                      {"name", instance ? instance->name() : ""},
                      {"module", placed.module},
                      {"line", placed.line},
                      {"x", placed.x},
                      {"y", placed.y},
                      {"width", placed.width},
                      {"height", placed.height},
                      {"scale_x", placed.scale_x},
                      {"scale_y", placed.scale_y},
                      {"mouse", instance ? mouse_nodes(*instance) : json::array()}};
        if (!instance)
            gauge["placeholder"] = {{"label", placed.label}, {"missing", placed.missing}};
        gauges.push_back(std::move(gauge));
    }
    const std::vector<PlacedWindow>& placed_windows = panel_->windows();
    for (size_t w = 0; w < placed_windows.size(); ++w) {
        const PlacedWindow& window = placed_windows[w];
        json ids = json::array();
        for (size_t id = 0; id < gauges_.size(); ++id)
            if (gauges_[id].window == w) ids.push_back(id);
        // The layout number in the address: a panel placed anew has new pictures.
        json background = nullptr;
        if (!backgrounds_[w].empty())
            background = "/api/window/" + std::to_string(w) +
                         "/background.png?layout=" + std::to_string(layout_number_);
        windows.push_back({{"title", window.title},
                           {"section", window.section},
                           {"ident", optional_json(window.ident)},
                           {"virtual_cockpit", window.virtual_cockpit},
                           {"width", window.width},
                           {"height", window.height},
                           {"screen", screen_json(window.screen)},
                           {"background_color", color_json(window.background_color)},
                           {"background", background},
                           {"gauges", ids}});
    }
    const Scenario& scenario = player_.scenario();
    return {{"layout", layout_number_},
            {"panel_file", options_.panel_file},
            {"cycle_hz", options_.cycle_hz},
            {"windows", windows},
            {"gauges", gauges},
            {"variables", variable_catalog_json()},
            {"failures", failure_keys(*panel_)},
            {"key_events", known_key_event_names()},
            {"scenario",
             {{"file", options_.scenario_file},
              {"title", scenario.title},
              {"duration", scenario.duration},
              {"loop", scenario.loop}}}};
}

std::string WorkbenchSession::frame(uint64_t after) {
    if (!last_frame_ || last_frame_->sequence != sequence_ || last_frame_->after != after)
        last_frame_ = PackedFrame{sequence_, after, pack_frame(after)};
    bytes_sent_ += double(last_frame_->bytes.size());
    ++frames_sent_;
    return last_frame_->bytes;
}

std::string WorkbenchSession::pack_frame(uint64_t after) const {
    json values = json::object();
    for (const VariableInfo& info : variable_catalog())
        values[std::to_string(info.id)] = host_.simulation().get(info.id);

    json keys = json::array();
    size_t first = key_log_.size() > keys_per_frame ? key_log_.size() - keys_per_frame : 0;
    for (size_t i = first; i < key_log_.size(); ++i) {
        const LoggedKeyEvent& logged = key_log_[i];
        if (logged.cycle <= after) continue;
        keys.push_back({{"time", logged.time},
                        {"scenario_time", logged.scenario_time},
                        {"event", logged.event},
                        {"name", key_event_name(logged.event)},
                        {"value", logged.value}});
    }
    json sounds = json::array();
    if (after > 0)  // a page that has just come does not hear old clicks
        for (const LoggedSound& logged : sounds_)
            if (logged.cycle > after)
                sounds.push_back({{"module", logged.sound.module}, {"wave", logged.sound.wave}});

    json problems = panel_->problems();
    for (const std::string& error : player_.scenario().errors) problems.push_back(error);
    for (const GaugeSlot& slot : gauges_)
        if (slot.placed->instance)
            for (const std::string& text : slot.placed->instance->problems())
                problems.push_back(slot.placed->instance->name() + ": " + text);
    for (const std::string& text : problems_) problems.push_back(text);

    json pictures = json::array();
    std::string blobs;
    for (size_t id = 0; id < gauges_.size(); ++id) {
        const GaugeSlot& slot = gauges_[id];
        if (slot.encoded_in <= after || slot.png.empty()) continue;
        pictures.push_back({{"gauge", id},
                            {"width", slot.width},
                            {"height", slot.height},
                            {"offset", blobs.size()},
                            {"length", slot.png.size()}});
        blobs.append(reinterpret_cast<const char*>(slot.png.data()), slot.png.size());
    }
    const ScenarioPlayer& player = player_;
    json header = {
        {"cycle", sequence_},
        {"layout", layout_number_},
        {"time", last_cycle_ < 0 ? 0.0 : last_cycle_ - start_},
        {"zooms", zooms_},
        {"scenario",
         {{"playing", player.playing()},
          {"time", player.time()},
          {"duration", player.scenario().duration},
          {"speed", player.speed()}}},
        {"windows", windows_shown_},
        {"values", values},
        {"failures", host_.simulation().active_failures()},
        {"keys", keys},
        {"sounds", sounds},
        {"problems", problems},
        {"stats",
         {{"cycle_ms", stats_.cycle_ms},
          {"cycle_max_ms", stats_.cycle_max_ms},
          {"encode_ms_per_gauge", stats_.encode_ms_per_gauge},
          {"draw_ms_per_gauge", stats_.draw_ms_per_gauge},
          {"gauges_encoded_per_second", stats_.gauges_encoded_per_second},
          {"bytes_per_second", stats_.bytes_per_second},
          {"frames_per_second", stats_.frames_per_second}}},
        {"pictures", pictures}};
    std::string text = dump(header);
    std::string packed(4, '\0');
    uint32_t length = uint32_t(text.size());
    for (int i = 0; i < 4; ++i) packed[i] = char(length >> (8 * i) & 0xFF);
    packed += text;
    packed += blobs;
    return packed;
}

std::span<const uint8_t> WorkbenchSession::background_png(size_t window) const {
    return window < backgrounds_.size() ? std::span<const uint8_t>(backgrounds_[window])
                                        : std::span<const uint8_t>{};
}

std::span<const uint8_t> WorkbenchSession::wave(const std::string& module, uint32_t number) const {
    const LoadedModule* loaded = host_.find_module(module);
    return loaded ? loaded->resources().wave(number) : std::span<const uint8_t>{};
}

} // namespace panelhost
