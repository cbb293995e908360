// The workbench server: the page and its API over HTTP on 127.0.0.1, and the
// panel thread that runs the host's cycle at a fixed rate. The session (and with it
// every call into module code) is made, run and destroyed on the panel thread;
// request threads only queue commands and read layouts and frames, under one lock.
//
//   GET  /                       the page (files from the page directory)
//   GET  /api/layout             windows, gauges, mouse areas, variables, failures
//   GET  /api/frame?after=N[&page=ID]   waits for a cycle after N, then what changed
//                                (binary); ID: the watching page (page_zooms.hpp)
//   GET  /api/stats              what the cycles cost
//   POST /api/mouse|variable|failure|key|scenario|view   a command (JSON body); a
//                                view is a zoom (of the page that names itself
//                                with "page") or a window opened or closed
//   GET  /api/window/N/background.png   a window's background bitmap
//   GET  /module/NAME/wave/N     a module's WAVE resource
//
// Requests for another Host than this address, and commands from another origin or
// not sent as JSON, are refused (request_doors.hpp).
#pragma once

#include "workbench/workbench_session.hpp"

#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace httplib {
class Server;
}

namespace panelhost {

class WorkbenchServer {
  public:
    WorkbenchServer(WorkbenchOptions options, std::string page_dir);
    ~WorkbenchServer();
    WorkbenchServer(const WorkbenchServer&) = delete;
    WorkbenchServer& operator=(const WorkbenchServer&) = delete;

    // Binds 127.0.0.1:port (0: a free port). Returns the port, or -1.
    int bind(int port);
    // Starts the panel thread and waits until the panel is placed; false when it
    // could not be.
    bool start();
    // Serves until stop(); then ends the panel thread.
    void serve();
    // May be called from any thread, more than once.
    void stop();

  private:
    void panel_thread();
    void add_routes();
    // Prints the session's problems that were not there at the last look, so that
    // the terminal tells what the page lists.
    void print_new_problems(const WorkbenchSession& session);
    // Prints each module loaded again since the last look (a rebuilt module file).
    void print_module_loads(const WorkbenchSession& session);

    WorkbenchOptions options_;
    std::string page_dir_;
    std::unique_ptr<httplib::Server> http_;
    std::thread panel_;
    int port_ = -1; // the port bound; requests must name it in their Host

    std::mutex mutex_;
    std::condition_variable cycled_;  // a cycle has run, or the server stops
    std::condition_variable changed_; // the session exists, or the server stops
    WorkbenchSession* session_ = nullptr;
    bool stopping_ = false;
    bool started_ = false;
    std::vector<std::string> printed_problems_; // the problems at the last look
    std::map<std::string, int> printed_loads_;  // each module's loads at the last look
};

} // namespace panelhost
