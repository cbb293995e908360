#include "workbench/workbench_server.hpp"

#include "workbench/layout_json.hpp"
#include "workbench/request_doors.hpp"

#include <httplib.h>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

namespace panelhost {
namespace {

using Clock = std::chrono::steady_clock;

double seconds_now() {
    static const Clock::time_point origin = Clock::now();
    return std::chrono::duration<double>(Clock::now() - origin).count();
}

void reply_error(httplib::Response& response, int status, const std::string& message) {
    response.status = status;
    response.set_content(message + "\n", "text/plain; charset=utf-8");
}

// Every watching page or tool holds a thread in its long poll: enough for a few
// dozen of them with room for their commands.
constexpr size_t request_threads = 48;
// The longest a frame request waits for a cycle.
constexpr auto longest_frame_wait = std::chrono::seconds(1);

} // namespace

WorkbenchServer::WorkbenchServer(WorkbenchOptions options, std::string page_dir)
    : options_(std::move(options)), page_dir_(std::move(page_dir)),
      http_(std::make_unique<httplib::Server>()) {
    add_routes();
}

WorkbenchServer::~WorkbenchServer() {
    stop();
    if (panel_.joinable()) panel_.join();
}

int WorkbenchServer::bind(int port) {
    // The server library lets every listener share its port by default, so that a
    // second workbench on the port of a running one would take half its pages'
    // requests. Here a port has one listener; an address may still be taken again
    // at once after a stop.
    http_->set_socket_options([](socket_t socket) {
        int yes = 1;
        setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    });
    if (port == 0)
        port = http_->bind_to_any_port("127.0.0.1");
    else if (!http_->bind_to_port("127.0.0.1", port))
        port = -1;
    port_ = port;
    return port;
}

bool WorkbenchServer::start() {
    panel_ = std::thread([this] { panel_thread(); });
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return started_; });
    return session_ != nullptr;
}

void WorkbenchServer::serve() {
    bool stopped = false;
    {
        std::lock_guard lock(mutex_);
        stopped = stopping_;
    }
    if (!stopped) http_->listen_after_bind();
    stop();
    if (panel_.joinable()) panel_.join();
}

void WorkbenchServer::stop() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    cycled_.notify_all();
    changed_.notify_all();
    http_->stop();
}

void WorkbenchServer::panel_thread() {
    std::unique_ptr<WorkbenchSession> session;
    try {
        session = std::make_unique<WorkbenchSession>(options_);
    } catch (const std::exception& error) {
        std::cerr << "panelhost: cannot place the panel: " << error.what() << "\n";
    }
    {
        std::lock_guard lock(mutex_);
        session_ = session.get();
        started_ = true;
        if (!session) stopping_ = true;
    }
    changed_.notify_all();
    if (!session) return;

    const auto period = std::chrono::duration_cast<Clock::duration>(
        std::chrono::duration<double>(1.0 / options_.cycle_hz));
    Clock::time_point next = Clock::now();
    std::unique_lock lock(mutex_);
    while (!stopping_) {
        // A command is carried out as soon as it comes, between cycles; the cycle
        // keeps its rate for the simulation.
        const bool cycle_due = Clock::now() >= next;
        try {
            if (cycle_due)
                session->run_cycle(seconds_now());
            else
                session->run_input(seconds_now());
        } catch (const std::exception& error) {
            std::cerr << "panelhost: a cycle failed: " << error.what() << "\n";
        }
        if (cycle_due) {
            print_module_loads(*session);
            print_new_problems(*session);
        }
        cycled_.notify_all();
        // A late cycle is not made up for: the next one keeps the rate from now.
        if (cycle_due) next = std::max(next + period, Clock::now());
        changed_.wait_until(lock, next, [&] { return stopping_ || session->has_input(); });
    }
    session_ = nullptr;
    lock.unlock();
    cycled_.notify_all();
    if (const PanelDocument& document = session->document(); document.unsaved()) {
        std::error_code ignored;
        if (std::filesystem::exists(document.unsaved_path(), ignored))
            std::cerr << "panelhost: the panel's edits are not saved; they are kept in "
                      << document.unsaved_path()
                      << ", and serving this panel again takes them back\n";
        else
            std::cerr << "panelhost: the panel's edits are not saved, and could not be kept "
                         "beside the panel file: they are lost\n";
    }
    session.reset(); // the gauges are killed on the thread that ran them
}

void WorkbenchServer::print_new_problems(const WorkbenchSession& session) {
    std::vector<std::string> problems = session.problems();
    if (problems == printed_problems_) return;
    for (const std::string& problem : problems)
        if (std::find(printed_problems_.begin(), printed_problems_.end(), problem) ==
            printed_problems_.end())
            std::cerr << "panelhost: " << problem << "\n";
    printed_problems_ = std::move(problems);
}

void WorkbenchServer::print_module_loads(const WorkbenchSession& session) {
    for (const auto& [name, file] : session.host().module_files()) {
        int& printed = printed_loads_[name];
        if (printed && file.loads > printed)
            std::cerr << "panelhost: " << name << " loaded again from " << file.path << " (load "
                      << file.loads << "), the panel placed on it\n";
        printed = file.loads;
    }
}

void WorkbenchServer::add_routes() {
    httplib::Server& http = *http_;
    http.new_task_queue = [] { return new httplib::ThreadPool(request_threads); };
    http.set_payload_max_length(64 * 1024);
    http.set_read_timeout(2, 0);
    // Frames go out as soon as they are written: without this, a reply's last
    // small segment waits for the page's delayed acknowledgement (tens of ms).
    http.set_tcp_nodelay(true);
    http.set_exception_handler(
        [](const httplib::Request&, httplib::Response& response, std::exception_ptr error) {
            std::string what = "unknown error";
            try {
                if (error) std::rethrow_exception(error);
            } catch (const std::exception& caught) {
                what = caught.what();
            } catch (...) {
            }
            reply_error(response, 500, "internal error: " + what);
        });
    http.set_pre_routing_handler(
        [this](const httplib::Request& request, httplib::Response& response) {
            std::string origin = request.get_header_value("Origin");
            std::optional<Refusal> refusal = refusal_of(
                {.method = request.method,
                 .host = request.get_header_value("Host"),
                 .origin = request.has_header("Origin") ? std::optional<std::string_view>(origin)
                                                        : std::nullopt,
                 .content_type = request.get_header_value("Content-Type")},
                port_);
            if (!refusal) return httplib::Server::HandlerResponse::Unhandled;
            reply_error(response, refusal->status, refusal->message);
            return httplib::Server::HandlerResponse::Handled;
        });
    http.set_post_routing_handler([](const httplib::Request&, httplib::Response& response) {
        response.set_header("Cache-Control", "no-store");
    });
    if (!http.set_mount_point("/", page_dir_))
        std::cerr << "panelhost: the workbench page directory " << page_dir_ << " is missing\n";

    // One window alone, for a tablet or a second screen: the page itself, which reads
    // the window from its address (/window/RADIO_STACK_PANEL or /window/2).
    http.Get(R"(/window/[^/]{1,128})",
             [this](const httplib::Request&, httplib::Response& response) {
                 std::ifstream in(page_dir_ + "/index.html", std::ios::binary);
                 if (!in) return reply_error(response, 404, "the workbench page is missing");
                 std::ostringstream page;
                 page << in.rdbuf();
                 response.set_content(page.str(), "text/html; charset=utf-8");
             });

    http.Get("/api/layout", [this](const httplib::Request&, httplib::Response& response) {
        std::lock_guard lock(mutex_);
        if (!session_) return reply_error(response, 503, "the panel is not placed");
        response.set_content(json_text(session_->layout()), "application/json");
    });

    http.Get("/api/frame", [this](const httplib::Request& request, httplib::Response& response) {
        uint64_t after = 0;
        if (request.has_param("after")) {
            std::string text = request.get_param_value("after");
            auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), after);
            if (error != std::errc() || end != text.data() + text.size())
                return reply_error(response, 400, "\"after\" must be a cycle number");
        }
        // The page that asks, when it says: the zooms it asks count while it watches.
        std::string page;
        if (request.has_param("page")) {
            page = request.get_param_value("page");
            if (std::string problem = page_id_problem(page); !problem.empty())
                return reply_error(response, 400, problem);
        }
        std::unique_lock lock(mutex_);
        if (session_) session_->note_watcher(seconds_now(), page);
        cycled_.wait_for(lock, longest_frame_wait,
                         [&] { return stopping_ || !session_ || session_->sequence() > after; });
        if (!session_) return reply_error(response, 503, "the panel is not placed");
        std::string body = session_->frame(after);
        lock.unlock();
        response.set_content(std::move(body), "application/octet-stream");
    });

    http.Get("/api/modules", [this](const httplib::Request&, httplib::Response& response) {
        std::lock_guard lock(mutex_);
        if (!session_) return reply_error(response, 503, "the panel is not placed");
        response.set_content(json_text(session_->modules()), "application/json");
    });

    http.Get("/api/stats", [this](const httplib::Request&, httplib::Response& response) {
        std::lock_guard lock(mutex_);
        if (!session_) return reply_error(response, 503, "the panel is not placed");
        nlohmann::json body = stats_json(session_->stats());
        body["cycle"] = session_->sequence();
        body["cycle_hz"] = options_.cycle_hz;
        response.set_content(json_text(body), "application/json");
    });

    http.Post(R"(/api/(mouse|variable|failure|key|scenario|view))",
              [this](const httplib::Request& request, httplib::Response& response) {
                  std::string error;
                  std::optional<WorkbenchCommand> command =
                      read_command(request.matches[1].str(), request.body, error);
                  if (!command) return reply_error(response, 400, error);
                  std::lock_guard lock(mutex_);
                  if (!session_) return reply_error(response, 503, "the panel is not placed");
                  error = session_->check(*command);
                  if (!error.empty()) return reply_error(response, 400, error);
                  session_->submit(std::move(*command));
                  changed_.notify_all(); // the panel thread carries it out at once
                  response.set_content("{}", "application/json");
              });

    // Edits of the panel: carried out on the panel file's text at once (the answer
    // says how it went), the panel placed anew by the panel thread.
    auto answer = [this](httplib::Response& response, const EditAnswer& result) {
        if (result.status != 200) return reply_error(response, result.status, result.message);
        nlohmann::json body = nlohmann::json::object();
        if (!result.key.empty()) body["key"] = result.key;
        response.set_content(json_text(body), "application/json");
        changed_.notify_all();
    };
    http.Post("/api/placement",
              [this, answer](const httplib::Request& request, httplib::Response& response) {
                  std::lock_guard lock(mutex_);
                  if (!session_) return reply_error(response, 503, "the panel is not placed");
                  answer(response, session_->edit_placement(request.body));
              });
    http.Post("/api/recording",
              [this](const httplib::Request& request, httplib::Response& response) {
                  std::lock_guard lock(mutex_);
                  if (!session_) return reply_error(response, 503, "the panel is not placed");
                  EditAnswer result = session_->recording(request.body, seconds_now());
                  if (result.status != 200)
                      return reply_error(response, result.status, result.message);
                  nlohmann::json body = nlohmann::json::object();
                  if (!result.key.empty()) body["file"] = result.key;
                  response.set_content(json_text(body), "application/json");
              });
    http.Post(R"(/api/panel/(save|undo|redo))",
              [this, answer](const httplib::Request& request, httplib::Response& response) {
                  std::lock_guard lock(mutex_);
                  if (!session_) return reply_error(response, 503, "the panel is not placed");
                  answer(response, session_->edit_panel(request.matches[1].str()));
              });
    http.Get(R"(/api/palette/([A-Za-z0-9_.-]{1,64})/([^/]{1,128})\.png)",
             [this](const httplib::Request& request, httplib::Response& response) {
                 std::string bytes;
                 {
                     std::lock_guard lock(mutex_);
                     if (!session_) return reply_error(response, 503, "the panel is not placed");
                     std::span<const uint8_t> png = session_->palette_thumbnail(
                         request.matches[1].str(), request.matches[2].str());
                     bytes.assign(reinterpret_cast<const char*>(png.data()), png.size());
                 }
                 if (bytes.empty())
                     return reply_error(response, 404,
                                        "no loaded module " + request.matches[1].str() +
                                            " has a gauge " + request.matches[2].str() +
                                            " with a face bitmap");
                 response.set_content(std::move(bytes), "image/png");
             });

    http.Get(R"(/api/window/([0-9]{1,6})/background\.png)", [this](const httplib::Request& request,
                                                                   httplib::Response& response) {
        size_t window = std::stoul(request.matches[1].str());
        std::string bytes;
        size_t windows = 0;
        {
            std::lock_guard lock(mutex_);
            if (!session_) return reply_error(response, 503, "the panel is not placed");
            std::span<const uint8_t> png = session_->background_png(window);
            bytes.assign(reinterpret_cast<const char*>(png.data()), png.size());
            windows = session_->panel().windows().size();
        }
        if (window >= windows)
            return reply_error(response, 404,
                               "there is no window number " + std::to_string(window));
        if (bytes.empty())
            return reply_error(response, 404,
                               "window " + std::to_string(window) + " has no background bitmap");
        response.set_content(std::move(bytes), "image/png");
    });

    http.Get(R"(/module/([A-Za-z0-9_.-]{1,64})/wave/([0-9]{1,9}))",
             [this](const httplib::Request& request, httplib::Response& response) {
                 uint32_t number = uint32_t(std::stoul(request.matches[2].str()));
                 std::string bytes;
                 {
                     std::lock_guard lock(mutex_);
                     if (!session_) return reply_error(response, 503, "the panel is not placed");
                     std::span<const uint8_t> wave =
                         session_->wave(request.matches[1].str(), number);
                     bytes.assign(reinterpret_cast<const char*>(wave.data()), wave.size());
                 }
                 if (bytes.empty())
                     return reply_error(response, 404,
                                        "module " + request.matches[1].str() + " has no WAVE " +
                                            request.matches[2].str());
                 response.set_content(std::move(bytes), "audio/wav");
             });
}

} // namespace panelhost
