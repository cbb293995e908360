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
    if (!use_panel_fonts(error)) report_problem(error);

    WorkbenchOptions workbench;
    if (!choose_workbench_files(options.panel_file, options.aircraft, options.scenario_file,
                                options.module_dir, workbench, error))
        return fail(error);
    workbench.cycle_hz = options.cycle_hz;
    workbench.play_at_start = !options.paused;
    WorkbenchServer server(workbench, options.page_dir);
    int port = server.bind(options.port);
    if (port < 0)
        return fail("cannot listen on 127.0.0.1:" + std::to_string(options.port) +
                    ": another program (perhaps a workbench already running) listens there; "
                    "--port N serves on another port, --port 0 on a free one");
    if (!server.start()) return 1;
    stop_on_signals(server, signals);
    std::cout << "panelhost: workbench at http://127.0.0.1:" << port << "/" << std::endl;
    server.serve();
    return 0;
}

} // namespace panelhost
