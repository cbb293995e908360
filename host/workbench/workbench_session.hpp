// The workbench's host side: one panel placed on a host, a scenario playing on it,
// the page's commands carried out, and the pictures and state the page shows. It is
// not thread-safe and calls module code: the server calls it from its panel thread
// only (cycles and commands) and, under the same lock, reads layouts and frames
// from its request threads (those never call module code).
#pragma once

#include "panel.hpp"
#include "render/panel_renderer.hpp"
#include "scenario.hpp"
#include "workbench/file_watch.hpp"
#include "workbench/held_buttons.hpp"
#include "workbench/page_zooms.hpp"
#include "workbench/panel_document.hpp"
#include "workbench/session_logs.hpp"
#include "workbench/session_recording.hpp"
#include "workbench/stats_meter.hpp"
#include "workbench/workbench_commands.hpp"

#include <nlohmann/json.hpp>

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace panelhost {

struct WorkbenchOptions {
    std::string panel_file;
    std::string scenario_file; // none: no scenario
    // Where modules are looked for after the panel file's folder, in turn.
    std::vector<std::string> module_dirs;
    std::string registration; // the aircraft's; empty: the panel file's own
    double cycle_hz = 30;
    bool play_at_start = true;
    // Modules are loaded from copies of their files, so that a rebuild cannot pull
    // one from under the session; false loads the files themselves (for a program
    // that holds them loaded across sessions, as the fuzzer does).
    bool module_copies = true;
};

// What an edit of the panel came to: 200 with the gauge line's key, or a refusal
// (400, or 404 for a window or gauge the panel file does not have) with its reason.
struct EditAnswer {
    int status = 200;
    std::string message;
    std::string key;
};

class WorkbenchSession {
  public:
    // Loads the modules the panel names, places its gauges and reads the scenario.
    explicit WorkbenchSession(WorkbenchOptions options);
    ~WorkbenchSession();
    WorkbenchSession(const WorkbenchSession&) = delete;
    WorkbenchSession& operator=(const WorkbenchSession&) = delete;

    // Why the command cannot be carried out on this panel, or empty.
    std::string check(const WorkbenchCommand& command) const;
    // Queues a checked command; run_input carries it out.
    void submit(WorkbenchCommand command);
    // Whether commands, or a panel edited on the page, wait to be carried out.
    bool has_input() const { return !queue_.empty() || placement_pending_; }

    // A POST to /api/placement: the panel file's text edited at once (not yet saved);
    // the panel is placed anew from it by the next run_input or run_cycle.
    EditAnswer edit_placement(const std::string& body);
    // "save", "undo" or "redo" of the panel file's edits.
    EditAnswer edit_panel(const std::string& action);
    // A POST to /api/recording at `now`: {"action": "start"}, or {"action": "stop"}
    // with "file" (where to write the scenario; beside the panel file if absent).
    // The answer's key is the file written.
    EditAnswer recording(const std::string& body, double now);
    // A gauge's face bitmap as PNG for the page's palette; empty when the module is
    // not loaded, has no such gauge, or the gauge has no face bitmap.
    std::span<const uint8_t> palette_thumbnail(const std::string& module, const std::string& gauge);

    // One cycle at `now` (seconds on any steady clock): reloads changed files,
    // carries out the queued commands, plays the scenario, updates the gauges, and
    // draws and encodes the pictures that changed (while a page is watching).
    void run_cycle(double now);
    // The queued commands carried out at once, between cycles: the gauges are
    // updated and the pictures they changed drawn, so that a press shows without
    // waiting for the next cycle. The scenario and the simulation's time stand.
    void run_input(double now);

    // Tells the session that page `page` ("": one that names none) asked for frames
    // at `now`: pictures are drawn and encoded only while one does, and the zooms a
    // page asks count while it does.
    void note_watcher(double now, const std::string& page = {}) {
        last_watch_ = now;
        page_zooms_.seen(page, now);
    }

    // The number of the last cycle run; frames name it.
    uint64_t sequence() const { return sequence_; }
    // Grows each time the panel is placed anew (a changed panel file).
    uint64_t layout_number() const { return layout_number_; }

    // What the page lists as problems: the panel file's, the scenario's, the
    // gauges' and those found while running.
    std::vector<std::string> problems() const;
    // The panel as the page builds it: windows, gauges with their mouse areas,
    // the variable catalog, failure keys, the scenario.
    nlohmann::json layout() const;
    // Everything that changed after cycle `after` (0: everything), packed for the
    // page: a 4-byte little-endian length, that many bytes of JSON, then the PNG
    // pictures the JSON lists by offset and length.
    std::string frame(uint64_t after);

    // The bytes of a module's WAVE resource; empty when there is none.
    std::span<const uint8_t> wave(const std::string& module, uint32_t number) const;
    // Window `window`'s background bitmap as PNG (encoded once, when the panel is
    // placed); empty when there is no such window or it has no bitmap.
    std::span<const uint8_t> background_png(size_t window) const;

    const WorkbenchStats& stats() const { return meter_.stats(); }
    PanelHost& host() { return host_; }
    const PanelHost& host() const { return host_; }
    const ScenarioPlayer& player() const { return player_; }
    const Panel& panel() const { return *panel_; }
    const PanelDocument& document() const { return document_; }
    // Each loaded module: name, its file, how often it has been loaded.
    nlohmann::json modules() const;

  private:
    struct GaugeSlot {
        PlacedGauge* placed = nullptr;
        size_t window = 0;
        uint64_t drawn_version = 0; // the renderer's version of the encoded picture
        uint64_t encoded_in = 0;    // the cycle that encoded it
        int width = 0, height = 0;  // of the encoded picture
        std::vector<uint8_t> png;
    };
    void place_panel();
    // Places the panel anew; `between` runs when the old gauges are gone and before
    // the new ones are placed.
    void reload_panel(const std::function<void()>& between = {});
    void check_modules();
    void reload_module(const std::string& name);
    void reload_scenario();
    void check_files(double now);
    void carry_out(const WorkbenchCommand& command, double now);
    void carry_out(const ScenarioStep& step, double now);
    void press(GaugeInstance& instance, double x, double y, bool right, double now, bool from_page,
               double hold);
    void repeat_held_buttons(double now);
    // Does what the pilot does through a gauge or a key event, and holds every
    // variable it changed against the scenario: a setting made by hand stays until
    // the scenario's next entry for that variable, as a slider's does.
    void holding_what_changes(const std::function<void()>& act);
    void carry_out_queue(double now);
    void show_gauges(double now); // updates them, then logs and pictures
    void collect_logs(double now);
    // Each window drawn at the largest zoom a watching page asks; a window no such
    // page shows keeps the zoom it has.
    void follow_page_zooms(double now);
    void draw_pictures();
    std::string pack_frame(uint64_t after) const;
    GaugeInstance* find_gauge(const std::string& name, int nth) const;
    // Which placement of its gauge the gauge numbered `gauge` is, in panel order.
    int placement_number(size_t gauge) const;
    void problem(std::string text);
    // After every change of the panel's text: what is not saved is kept beside the
    // file (panel_document.hpp).
    void keep_unsaved_edits();

    WorkbenchOptions options_;
    PanelHost host_;
    std::unique_ptr<Panel> panel_;
    std::unique_ptr<PanelRenderer> renderer_;
    std::vector<GaugeSlot> gauges_;
    ScenarioPlayer player_;
    std::vector<WorkbenchCommand> queue_;
    HeldButtons held_;
    SessionLogs logs_;
    SessionRecording recording_;
    std::vector<std::string> problems_; // found while running (scenario clicks, ...)
    std::vector<bool> windows_shown_;
    std::vector<std::vector<uint8_t>> backgrounds_; // PNG by window; empty: none
    PanelDocument document_;
    bool placement_pending_ = false; // the document was edited since the panel was placed
    std::map<std::string, std::vector<uint8_t>> thumbnails_; // "Module!Gauge": PNG
    // A module file as last seen: a rebuilt module is loaded once its file has
    // stopped changing (a build writes it in several steps).
    struct ModuleStamp {
        std::filesystem::file_time_type time{};
        uintmax_t size = 0;
        bool settling = false;
        bool operator==(const ModuleStamp& other) const {
            return time == other.time && size == other.size;
        }
    };
    std::map<std::string, ModuleStamp> module_stamps_;
    FileWatch panel_watch_;
    FileWatch scenario_watch_;

    PageZooms page_zooms_;
    std::vector<double> zooms_; // by window: what its pictures are drawn at
    uint64_t sequence_ = 0;
    uint64_t layout_number_ = 1;
    double start_ = -1;
    double last_cycle_ = -1;
    double last_file_check_ = -1;
    double last_watch_ = -1e9;

    // The last frame packed, with the cycle it was packed in and the cycle it was
    // packed after: pages that keep up all ask for the same one, and nothing in a
    // frame changes between cycles.
    struct PackedFrame {
        uint64_t sequence = 0;
        uint64_t after = 0;
        std::string bytes;
    };
    std::optional<PackedFrame> last_frame_;

    StatsMeter meter_;
};

} // namespace panelhost
