// panelhost serve: the workbench, the whole panel live in the browser.
#include "cli/commands.hpp"
#include "render/panel_fonts.hpp"
#include "workbench/workbench_server.hpp"

#include <csignal>
#include <filesystem>
#include <iostream>
#include <malloc.h>
#include <pthread.h>
#include <thread>

namespace panelhost {
namespace {

// Ctrl-C and termination stop the server cleanly: the signals are blocked in every
// thread and one thread waits for them.
void stop_on_signals(WorkbenchServer& server, const sigset_t& signals) {
    std::thread([&server, signals] {
        int received = 0;
        if (sigwait(&signals, &received) == 0) server.stop();
    }).detach();
}

std::string absolute(const std::string& path) {
    if (path.empty()) return path;
    std::error_code error;
    std::filesystem::path full = std::filesystem::absolute(path, error);
    return error ? path : full.string();
}

} // namespace

int run_serve(const ServeOptions& options) {
    // Request threads build and send frames of up to a few hundred kilobytes. Left
    // to itself, the allocator gives each thread an arena of its own that keeps
    // such blocks once freed, and the server's memory creeps up for many minutes
    // as more of its threads take a turn; two arenas serve these threads as well.
    mallopt(M_ARENA_MAX, 2);
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);

    std::string error;
    if (!use_panel_fonts(error)) std::cerr << "panelhost: " << error << "\n";

    std::optional<PanelChoice> choice =
        resolve_panel_choice(options.panel_file, options.aircraft, error);
    if (!choice) {
        std::cerr << "panelhost: " << error << "\n";
        return 1;
    }
    WorkbenchOptions workbench;
    workbench.panel_file = absolute(choice->panel_file);
    workbench.scenario_file = absolute(options.scenario_file);
    workbench.module_dirs = module_search(options.module_dir);
    workbench.registration = choice->registration;
    workbench.cycle_hz = options.cycle_hz;
    workbench.play_at_start = !options.paused;
    WorkbenchServer server(workbench, options.page_dir);
    int port = server.bind(options.port);
    if (port < 0) {
        std::cerr << "panelhost: cannot listen on 127.0.0.1:" << options.port << "\n";
        return 1;
    }
    if (!server.start()) return 1;
    stop_on_signals(server, signals);
    std::cout << "panelhost: workbench at http://127.0.0.1:" << port << "/" << std::endl;
    server.serve();
    return 0;
}

} // namespace panelhost
