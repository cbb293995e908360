#include "workbench/workbench_session.hpp"

#include "key_event_names.hpp"
#include "mouse_map.hpp"
#include "switch_states.hpp"
#include "workbench/layout_json.hpp"
#include "workbench/placement_request.hpp"
#include "workbench/png_encoding.hpp"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <map>
#include <sstream>

#include <stdlib.h>

namespace panelhost {
namespace {

using nlohmann::json;
namespace fs = std::filesystem;

constexpr double file_check_seconds = 0.5;
constexpr double watcher_timeout_seconds = 3;
constexpr double longest_page_hold_seconds = 60; // a release the page never sent
constexpr size_t most_problems = 100;

// Changes the page could not show are not drawn and sent: a needle turning by less
// than 1/32 degree (0.1 pixel at the tip of the longest), a slider or sprite moving
// by less than 1/16 pixel, a drum strip by less than 1/4096 of its travel. A slowly
// draining fuel tank then costs a picture a second instead of one every cycle.
constexpr SignatureSteps unseen_changes{1.0 / 32, 1.0 / 16, 1.0 / 4096};

double milliseconds_since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

// recording-DATE-TIME.json in `folder`, or with -2, -3, ... after the time when
// that name is taken.
fs::path unused_recording_name(const fs::path& folder) {
    char stamp[32];
    std::time_t clock = std::time(nullptr);
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", std::localtime(&clock));
    std::error_code problem;
    fs::path file = folder / ("recording-" + std::string(stamp) + ".json");
    for (int n = 2; fs::exists(fs::symlink_status(file, problem)); ++n)
        file = folder / ("recording-" + std::string(stamp) + "-" + std::to_string(n) + ".json");
    return file;
}

} // namespace

WorkbenchSession::WorkbenchSession(WorkbenchOptions options)
    : options_(std::move(options)), document_(options_.panel_file) {
    std::string folder =
        (std::filesystem::temp_directory_path() / "panelhost-modules-XXXXXX").string();
    if (options_.module_copies && mkdtemp(folder.data())) host_.load_from_copies(folder);
    std::string unread;
    document_.load(unread);
    if (document_.recover())
        problem("the edits of " + options_.panel_file +
                " not saved when the workbench last stopped are back (kept in " +
                document_.unsaved_path() + "): Save writes them to the file, Undo takes them back");
    place_panel();
    panel_watch_ = FileWatch(options_.panel_file);
    if (!options_.scenario_file.empty()) {
        player_.replace(load_scenario(options_.scenario_file));
        scenario_watch_ = FileWatch(options_.scenario_file);
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
    // The panel as the document's text says, edits not yet saved and all; a file
    // that cannot be read is reported as the reader reports it.
    std::istringstream text(document_.text());
    PanelConfig config = document_.text().empty() ? load_panel_config(options_.panel_file)
                                                  : read_panel_config(text, options_.panel_file);
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
        backgrounds_.push_back(window.background ? encode_png(*window.background)
                                                 : std::vector<uint8_t>{});
}

void WorkbenchSession::reload_panel(const std::function<void()>& between) {
    // The windows open now stay open (and closed ones closed) in the panel placed
    // anew, known by their section: a designer editing the panel file keeps the view.
    std::map<std::string, bool> shown;
    std::vector<std::string> sections;
    for (const PlacedWindow& window : panel_->windows()) {
        shown[window.section] = panel_->window_visible(window);
        sections.push_back(window.section);
    }
    held_.clear();
    renderer_.reset();
    gauges_.clear();
    panel_.reset();
    std::vector<GaugeInstance*> placed;
    for (const auto& instance : host_.instances())
        placed.push_back(instance.get());
    for (GaugeInstance* instance : placed)
        host_.remove(instance);
    if (between) between();
    placement_pending_ = false;
    place_panel();
    const std::vector<PlacedWindow>& windows = panel_->windows();
    for (size_t w = 0; w < windows.size(); ++w)
        if (auto it = shown.find(windows[w].section); it != shown.end())
            panel_->show_window(w, it->second);
    // The pages ask for windows by number: once the numbers name other windows,
    // their asks are forgotten, and they ask again when they read the new layout.
    const bool renumbered =
        !std::equal(sections.begin(), sections.end(), windows.begin(), windows.end(),
                    [](const std::string& section, const PlacedWindow& window) {
                        return section == window.section;
                    });
    if (renumbered) page_zooms_.forget_asks();
    ++layout_number_;
}

void WorkbenchSession::reload_scenario() {
    player_.replace(load_scenario(options_.scenario_file));
    ++layout_number_;
}

void WorkbenchSession::check_files(double now) {
    if (now - last_file_check_ < file_check_seconds) return;
    last_file_check_ = now;
    if (panel_watch_.changed() && document_.file_differs()) {
        // Someone else wrote the file. Edits made on the page and not saved are
        // kept rather than lost; saving them replaces the file.
        if (document_.unsaved()) {
            problem("the panel file " + options_.panel_file +
                    " was changed by another program while the page's edits were not "
                    "saved: the edits are kept, and saving them replaces the file");
        } else {
            std::string unread;
            document_.load(unread);
            reload_panel();
        }
    }
    if (scenario_watch_.changed()) reload_scenario();
    check_modules();
}

void WorkbenchSession::check_modules() {
    std::vector<std::string> rebuilt;
    for (const auto& [name, file] : host_.module_files()) {
        std::error_code error;
        ModuleStamp seen{std::filesystem::last_write_time(file.path, error), 0, false};
        if (!error) seen.size = std::filesystem::file_size(file.path, error);
        if (error) continue; // gone for the moment: a build about to write it
        auto [it, first] = module_stamps_.try_emplace(name, seen);
        ModuleStamp& last = it->second;
        if (first) continue;
        if (!(seen == last)) {
            last = seen;
            last.settling = true;
        } else if (last.settling) {
            last.settling = false;
            rebuilt.push_back(name);
        }
    }
    for (const std::string& name : rebuilt)
        reload_module(name);
}

void WorkbenchSession::reload_module(const std::string& name) {
    std::string error;
    std::unique_ptr<LoadedModule> fresh = host_.load_again(name, error);
    if (!fresh) {
        problem("the rebuilt module " + name +
                " cannot be loaded; the one loaded before stays: " + error);
        return;
    }
    // Its gauges go (service 12) with the panel's others, the old module is released
    // (its finalisation routine), and the panel is placed again on the new one; the
    // simulation, the open windows and the scenario carry on as they were.
    reload_panel([&] { host_.replace_module(std::move(fresh)); });
}

json WorkbenchSession::modules() const {
    json list = json::array();
    for (const auto& [name, file] : host_.module_files())
        list.push_back({{"name", name}, {"path", file.path}, {"loads", file.loads}});
    return list;
}

EditAnswer WorkbenchSession::edit_placement(const std::string& body) {
    std::string error;
    std::optional<PlacementRequest> request = read_placement_request(body, error);
    if (!request) return {400, error, {}};
    if (const auto* add = std::get_if<AddPlacement>(&*request)) {
        const std::string& name = add->placement.name;
        const size_t bang = name.find('!');
        const LoadedModule* module = host_.find_module(name.substr(0, bang));
        if (bang == std::string::npos || !module || !module->find_gauge(name.substr(bang + 1)))
            return {404, "no loaded module has a gauge " + name, {}};
    }
    bool not_found = false;
    PanelEdit edit = apply_placement_request(*request, document_.text(), not_found);
    if (!edit.error.empty()) return {not_found ? 404 : 400, edit.error, {}};
    document_.edit(std::move(edit.text));
    keep_unsaved_edits();
    placement_pending_ = true;
    return {200, {}, edit.key};
}

EditAnswer WorkbenchSession::edit_panel(const std::string& action) {
    std::string error;
    if (action == "save") {
        if (!document_.save(error)) return {500, error, {}};
        keep_unsaved_edits();   // none now
        panel_watch_.changed(); // the file is now as the page has it: nothing to read again
        ++layout_number_;       // the page's unsaved mark goes
        return {};
    }
    if (action == "undo" && !document_.undo()) return {400, "there is nothing to undo", {}};
    if (action == "redo" && !document_.redo()) return {400, "there is nothing to redo", {}};
    if (action != "undo" && action != "redo")
        return {404, "there is no panel action \"" + action + "\"", {}};
    keep_unsaved_edits();
    placement_pending_ = true;
    return {};
}

void WorkbenchSession::keep_unsaved_edits() {
    std::string error;
    if (!document_.keep_unsaved(error))
        problem("the edits not yet saved cannot be kept beside the panel file, and are lost "
                "if the workbench stops before Save: " +
                error);
}

std::span<const uint8_t> WorkbenchSession::palette_thumbnail(const std::string& module,
                                                             const std::string& gauge) {
    const std::string name = module + "!" + gauge;
    if (auto it = thumbnails_.find(name); it != thumbnails_.end()) return it->second;
    const LoadedModule* loaded = host_.find_module(module);
    const GaugeHeader* header = loaded ? loaded->find_gauge(gauge) : nullptr;
    const Image* face = header && header->element_list && header->element_list[0]
                            ? loaded->resources().bitmap(header->element_list[0]->resource_id)
                            : nullptr;
    if (!face) return {};
    return thumbnails_[name] = encode_png(*face);
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
    if (placement_pending_) reload_panel();
    carry_out_queue(now);
    carry_out(player_.advance(seconds), now);
    repeat_held_buttons(now);
    show_gauges(now);
    meter_.cycle_ended(now, milliseconds_since(started));
}

void WorkbenchSession::run_input(double now) {
    if (start_ < 0) start_ = now;
    ++sequence_;
    last_frame_.reset();
    if (placement_pending_) reload_panel();
    carry_out_queue(now);
    show_gauges(now);
}

void WorkbenchSession::carry_out_queue(double now) {
    std::vector<WorkbenchCommand> commands;
    commands.swap(queue_);
    for (const WorkbenchCommand& command : commands)
        carry_out(command, now);
}

void WorkbenchSession::show_gauges(double now) {
    host_.update();
    collect_logs(now);
    for (size_t w = 0; w < windows_shown_.size(); ++w)
        windows_shown_[w] = panel_->window_visible(panel_->windows()[w]);
    if (now - last_watch_ < watcher_timeout_seconds) {
        follow_page_zooms(now);
        draw_pictures();
    }
}

void WorkbenchSession::follow_page_zooms(double now) {
    for (size_t w = 0; w < zooms_.size(); ++w)
        if (std::optional<double> largest = page_zooms_.largest(w, now)) zooms_[w] = *largest;
}

void WorkbenchSession::carry_out(const WorkbenchCommand& command, double now) {
    Simulation& simulation = host_.simulation();
    if (const auto* press = std::get_if<MousePress>(&command)) {
        // Checked when submitted; the panel may have been placed anew since.
        if (press->layout == layout_number_ && press->gauge < gauges_.size() &&
            gauges_[press->gauge].placed->instance) {
            GaugeInstance& instance = *gauges_[press->gauge].placed->instance;
            recording_.click(now, instance.name(), placement_number(press->gauge), press->x,
                             press->y, press->right_button);
            holding_what_changes([&] {
                this->press(instance, press->x, press->y, press->right_button, now, true, 0);
            });
        }
    } else if (std::holds_alternative<MouseRelease>(command)) {
        held_.release_page();
        recording_.release(now);
    } else if (const auto* set = std::get_if<SetVariable>(&command)) {
        simulation.set(set->id, set->value);
        player_.hold_variable(set->id);
        recording_.variable(now, set->id, set->value);
    } else if (const auto* failure = std::get_if<SetFailure>(&command)) {
        simulation.set_failure(failure->key, failure->active);
        recording_.failure(now, failure->key, failure->active);
    } else if (const auto* key = std::get_if<SendKeyEvent>(&command)) {
        holding_what_changes([&] { simulation.trigger_key_event(key->event, key->value); });
        recording_.key_event(now, key->event, key->value);
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
        if (!zoom->window || *zoom->window < zooms_.size()) // a window gone since is passed over
            page_zooms_.ask(zoom->page, zoom->window, zoom->zoom, now);
    } else if (const auto* show = std::get_if<ShowWindow>(&command)) {
        panel_->show_window(show->window, show->shown); // a window gone since is passed over
    }
}

void WorkbenchSession::carry_out(const ScenarioStep& step, double now) {
    Simulation& simulation = host_.simulation();
    for (const auto& [id, value] : step.variables)
        simulation.set(id, value);
    for (const auto& [name, value] : step.named)
        simulation.set_named(name, value);
    for (const ScenarioEvent* event : step.events) {
        switch (event->kind) {
        case ScenarioEvent::Kind::Key:
            simulation.trigger_key_event(event->event, event->value);
            break;
        case ScenarioEvent::Kind::Fail:
            for (uint32_t key : event->keys)
                simulation.set_failure(key, true);
            break;
        case ScenarioEvent::Kind::Repair:
            for (uint32_t key : event->keys)
                simulation.set_failure(key, false);
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
    for (const VariableInfo& info : catalog)
        before.push_back(simulation.get(info.id));
    act();
    for (size_t i = 0; i < catalog.size(); ++i)
        if (simulation.get(catalog[i].id) != before[i]) player_.hold_variable(catalog[i].id);
}

int WorkbenchSession::placement_number(size_t gauge) const {
    const std::string name = gauges_[gauge].placed->instance->name();
    int earlier = 0;
    for (size_t i = 0; i < gauge; ++i)
        earlier += gauges_[i].placed->instance && gauges_[i].placed->instance->name() == name;
    return earlier;
}

EditAnswer WorkbenchSession::recording(const std::string& body, double now) {
    json request = json::parse(body, nullptr, false);
    if (!request.is_object() || !request.contains("action") || !request["action"].is_string())
        return {400, "say {\"action\": \"start\"} or {\"action\": \"stop\"}", {}};
    const std::string action = request["action"];
    if (action == "start") {
        if (recording_.active()) return {400, "a recording is already being made", {}};
        recording_.start(now, host_.simulation());
        return {};
    }
    if (action != "stop") return {400, "\"action\" must be \"start\" or \"stop\"", {}};
    // A recording goes beside the panel file (a relative "file" too) and never
    // replaces a file: two recordings in one second, or a name already taken, must
    // not cost the user the one made before.
    const fs::path folder = fs::path(options_.panel_file).parent_path();
    fs::path file;
    if (request.contains("file")) {
        if (!request["file"].is_string() || request["file"].get<std::string>().empty())
            return {400, "\"file\" must be a file name", {}};
        file = folder / request["file"].get<std::string>();
        std::error_code problem;
        if (fs::exists(fs::symlink_status(file, problem)))
            return {400, file.string() + " already exists: name a new file", {}};
    } else {
        file = unused_recording_name(folder);
    }
    std::string error;
    if (!recording_.stop(now, file.string(), error)) return {400, error, {}};
    return {200, {}, file.string()};
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
    if (from_page) held_.release_page();
    std::optional<size_t> target = click_target(instance.mouse_map(), x, y, buttons);
    host_.click(instance, x, y, buttons);
    if (!target || !(instance.mouse_map().nodes[*target].record->mouse_flags & MOUSE_REPEAT))
        return;
    held_.hold({&instance, x, y, buttons, from_page}, now,
               now + (from_page ? longest_page_hold_seconds : hold));
}

void WorkbenchSession::repeat_held_buttons(double now) {
    held_.repeat(now, [this](const HeldButtons::Held& held, uint32_t calls) {
        auto repeat = [&] {
            for (uint32_t i = 0; i < calls; ++i)
                host_.click(*held.instance, held.x, held.y, held.buttons);
        };
        if (held.from_page)
            holding_what_changes(repeat);
        else
            repeat();
    });
}

void WorkbenchSession::collect_logs(double now) {
    logs_.collect(host_, sequence_, now - start_, player_.time());
}

void WorkbenchSession::draw_pictures() {
    std::vector<GaugeSlot*> shown;
    std::vector<PanelRenderer::GaugeAtZoom> asked;
    for (GaugeSlot& slot : gauges_) {
        // A placeholder has no picture: the page draws its box.
        if (!windows_shown_[slot.window] || !slot.placed->instance) continue;
        shown.push_back(&slot);
        asked.push_back({slot.placed, zooms_[slot.window]});
    }
    // The pictures that changed are drawn side by side, on the renderer's lanes.
    auto drawing = std::chrono::steady_clock::now();
    std::vector<PanelRenderer::GaugePicture> pictures = renderer_->pictures_of(asked);
    const auto redrawn = std::count_if(pictures.begin(), pictures.end(),
                                       [](const auto& picture) { return picture.redrawn; });
    if (redrawn > 0) meter_.drew_gauges(int(redrawn), milliseconds_since(drawing));
    for (size_t i = 0; i < shown.size(); ++i) {
        GaugeSlot& slot = *shown[i];
        const PanelRenderer::GaugePicture& picture = pictures[i];
        if (!picture.surface || picture.version == slot.drawn_version) continue;
        auto started = std::chrono::steady_clock::now();
        slot.png = encode_png(picture.surface);
        meter_.encoded_gauge(milliseconds_since(started));
        slot.drawn_version = picture.version;
        slot.encoded_in = sequence_;
        slot.width = cairo_image_surface_get_width(picture.surface);
        slot.height = cairo_image_surface_get_height(picture.surface);
    }
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
                      {"key", placed.key},
                      {"parameters", placed.parameters ? json(*placed.parameters) : json(nullptr)},
                      {"design_width", instance ? instance->design_size().width : 0},
                      {"design_height", instance ? instance->design_size().height : 0},
                      {"x", placed.x},
                      {"y", placed.y},
                      {"width", placed.width},
                      {"height", placed.height},
                      {"scale_x", placed.scale_x},
                      {"scale_y", placed.scale_y},
                      {"mouse", instance ? mouse_areas_json(*instance) : json::array()}};
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
        windows.push_back(window_json(window, ids, background));
    }
    const Scenario& scenario = player_.scenario();
    return {{"layout", layout_number_},
            {"panel_file", options_.panel_file},
            {"cycle_hz", options_.cycle_hz},
            {"windows", windows},
            {"gauges", gauges},
            {"editing",
             {{"file", options_.panel_file},
              {"unsaved", document_.unsaved()},
              {"undo", document_.can_undo()},
              {"redo", document_.can_redo()}}},
            {"palette", palette_json(host_)},
            {"modules", modules()},
            {"variables", variable_catalog_json()},
            {"failures", failure_keys_json(*panel_)},
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
    meter_.sent_frame(double(last_frame_->bytes.size()));
    return last_frame_->bytes;
}

std::vector<std::string> WorkbenchSession::problems() const {
    std::vector<std::string> problems = panel_->problems();
    for (const std::string& error : player_.scenario().errors)
        problems.push_back(error);
    for (const GaugeSlot& slot : gauges_)
        if (slot.placed->instance)
            for (const std::string& text : slot.placed->instance->problems())
                problems.push_back(slot.placed->instance->name() + ": " + text);
    for (const std::string& text : problems_)
        problems.push_back(text);
    return problems;
}

std::string WorkbenchSession::pack_frame(uint64_t after) const {
    json values = json::object();
    for (const VariableInfo& info : variable_catalog())
        values[std::to_string(info.id)] = host_.simulation().get(info.id);

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
    json header = {{"cycle", sequence_},
                   {"layout", layout_number_},
                   {"time", last_cycle_ < 0 ? 0.0 : last_cycle_ - start_},
                   {"zooms", zooms_},
                   {"scenario",
                    {{"playing", player.playing()},
                     {"time", player.time()},
                     {"duration", player.scenario().duration},
                     {"speed", player.speed()}}},
                   {"windows", windows_shown_},
                   {"recording", recording_.active()},
                   {"values", values},
                   {"failures", host_.simulation().active_failures()},
                   {"keys", logs_.keys_after(after)},
                   {"sounds", logs_.sounds_after(after)},
                   {"problems", problems()},
                   {"stats", stats_json(meter_.stats())},
                   {"pictures", pictures}};
    std::string text = json_text(header);
    std::string packed(4, '\0');
    uint32_t length = uint32_t(text.size());
    for (int i = 0; i < 4; ++i)
        packed[i] = char(length >> (8 * i) & 0xFF);
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
