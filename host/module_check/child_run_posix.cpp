#include "module_check/child_run.hpp"

#include "module_check/child_protocol.hpp"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <poll.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

namespace panelhost::check {
namespace {

using Clock = std::chrono::steady_clock;

// Most of a child's error output that is kept: enough for a sanitizer's first lines.
constexpr size_t kept_error_bytes = 64 * 1024;

void write_all(int fd, const std::string& text) {
    size_t done = 0;
    while (done < text.size()) {
        ssize_t written = ::write(fd, text.data() + done, text.size() - done);
        if (written <= 0) return;
        done += size_t(written);
    }
}

std::string how_it_ended(int status) {
    if (WIFSIGNALED(status)) {
        int signal = WTERMSIG(status);
        const char* name = strsignal(signal);
        return "signal " + std::to_string(signal) + (name ? std::string(", ") + name : "");
    }
    if (WIFEXITED(status) && WEXITSTATUS(status) != 0)
        return "exit status " + std::to_string(WEXITSTATUS(status));
    return {};
}

// One gauge's child: its pipes, its progress in memory shared with it, what it wrote.
class Child {
  public:
    Child(size_t slot, double time_limit) : slot_(slot), time_limit_(time_limit) {}
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;
    ~Child() {
        close_pipe(out_fd_);
        close_pipe(error_fd_);
        if (progress_) munmap(progress_, sizeof(SharedProgress));
    }

    size_t slot() const { return slot_; }

    // Forks the child, which drives the gauge and never returns here. False, with
    // the reason in `failure`, when no child could be had.
    bool start(const std::string& module_path, const std::string& gauge,
               const DriveOptions& options, const std::vector<const Child*>& others) {
        void* shared = mmap(nullptr, sizeof(SharedProgress), PROT_READ | PROT_WRITE,
                            MAP_SHARED | MAP_ANONYMOUS, -1, 0);
        if (shared == MAP_FAILED) return fail("sharing memory with a child");
        progress_ = new (shared) SharedProgress{};
        int out_pipe[2], error_pipe[2];
        if (pipe(out_pipe) != 0) return fail("a child's pipe");
        if (pipe(error_pipe) != 0) {
            close(out_pipe[0]);
            close(out_pipe[1]);
            return fail("a child's pipe");
        }
        std::fflush(nullptr); // nothing buffered is written twice
        start_ = Clock::now();
        pid_ = fork();
        if (pid_ == 0) {
            close(out_pipe[0]);
            close(error_pipe[0]);
            for (const Child* other : others)
                other->close_in_child();
            run(module_path, gauge, options, out_pipe[1], error_pipe[1]);
        }
        close(out_pipe[1]);
        close(error_pipe[1]);
        out_fd_ = out_pipe[0];
        error_fd_ = error_pipe[0];
        if (pid_ < 0) return fail("fork");
        return true;
    }

    Clock::time_point deadline() const {
        return start_ + std::chrono::duration_cast<Clock::duration>(
                            std::chrono::duration<double>(time_limit_));
    }

    // The pipes still open, to poll.
    void add_pipes(std::vector<pollfd>& fds) const {
        if (out_fd_ >= 0) fds.push_back({out_fd_, POLLIN, 0});
        if (error_fd_ >= 0) fds.push_back({error_fd_, POLLIN, 0});
    }

    // Reads what poll found ready on this child's pipes.
    void read_ready(const std::vector<pollfd>& fds) {
        for (const pollfd& fd : fds) {
            if (!(fd.revents & (POLLIN | POLLHUP | POLLERR))) continue;
            if (fd.fd == out_fd_) read_from(out_fd_, output_, std::string::npos);
            if (fd.fd == error_fd_) read_from(error_fd_, errors_, kept_error_bytes);
        }
    }

    bool pipes_closed() const { return out_fd_ < 0 && error_fd_ < 0; }

    // The child's findings once it closed its pipes, or once it ran out of time
    // (`hung`: it is killed).
    ChildResult finish(bool hung) {
        ChildEnd end;
        end.time_limit = time_limit_;
        end.hung = hung;
        if (pid_ > 0) {
            if (hung) kill(pid_, SIGKILL);
            int status = 0;
            while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
            }
            if (!hung) end.ended = how_it_ended(status);
        } else {
            end.ended = failure_;
        }
        end.diagnostic = diagnostic_line(errors_);
        SharedProgress last = progress_ ? *progress_ : SharedProgress{};
        ChildResult result;
        result.findings = child_findings(output_, last, end);
        result.seconds = std::chrono::duration<double>(Clock::now() - start_).count();
        return result;
    }

  private:
    [[noreturn]] void run(const std::string& module_path, const std::string& gauge,
                          const DriveOptions& options, int out_fd, int error_fd) {
        dup2(error_fd, STDERR_FILENO);
        ChildListener listener(*progress_,
                               [out_fd](const std::string& line) { write_all(out_fd, line); });
        drive_gauge(module_path, gauge, options, listener);
        progress_->finished = 1;
        write_all(out_fd, std::string(finished_line) + "\n");
        // No exit handlers: they belong to the parent (a test framework's, say).
        _exit(0);
    }

    // A child forked later holds no end of this child's pipes, so that this one's
    // end of output is seen when this child ends.
    void close_in_child() const {
        if (out_fd_ >= 0) close(out_fd_);
        if (error_fd_ >= 0) close(error_fd_);
    }

    bool fail(const char* what) {
        failure_ = std::string("cannot start a child process: ") + what +
                   " failed: " + std::strerror(errno);
        return false;
    }

    static void close_pipe(int& fd) {
        if (fd >= 0) close(fd);
        fd = -1;
    }

    static void read_from(int& fd, std::string& into, size_t most) {
        char buffer[4096];
        ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) return;
        if (got <= 0) {
            close_pipe(fd);
            return;
        }
        if (into.size() < most) into.append(buffer, size_t(got));
    }

    size_t slot_;
    double time_limit_;
    pid_t pid_ = -1;
    int out_fd_ = -1;
    int error_fd_ = -1;
    SharedProgress* progress_ = nullptr;
    Clock::time_point start_ = Clock::now();
    std::string output_;
    std::string errors_;
    std::string failure_;
};

} // namespace

bool child_runs_available(const ChildRun&) { return true; }

std::vector<ChildResult> drive_in_children(const std::string& module_path,
                                           const std::vector<std::string>& gauges,
                                           const DriveOptions& options, const ChildRun& run) {
    std::vector<ChildResult> results(gauges.size());
    std::vector<std::unique_ptr<Child>> running;
    size_t next = 0;
    const size_t jobs = std::max(1u, run.jobs);
    while (next < gauges.size() || !running.empty()) {
        while (next < gauges.size() && running.size() < jobs) {
            auto child = std::make_unique<Child>(next, run.time_limit);
            std::vector<const Child*> others;
            for (const auto& other : running)
                others.push_back(other.get());
            if (child->start(module_path, gauges[next], options, others))
                running.push_back(std::move(child));
            else
                results[next] = child->finish(false);
            ++next;
        }
        if (running.empty()) continue;

        std::vector<pollfd> fds;
        Clock::time_point soonest = running.front()->deadline();
        for (const auto& child : running) {
            child->add_pipes(fds);
            soonest = std::min(soonest, child->deadline());
        }
        auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(soonest - Clock::now());
        if (!fds.empty() && wait.count() > 0) poll(fds.data(), fds.size(), int(wait.count()) + 1);
        for (const auto& child : running)
            child->read_ready(fds);

        const Clock::time_point now = Clock::now();
        for (auto it = running.begin(); it != running.end();) {
            Child& child = **it;
            bool hung = !child.pipes_closed() && now >= child.deadline();
            if (child.pipes_closed() || hung) {
                results[child.slot()] = child.finish(hung);
                it = running.erase(it);
            } else {
                ++it;
            }
        }
    }
    return results;
}

int drive_as_child(const std::string&, const std::string&, const DriveOptions&,
                   const std::string&) {
    // POSIX children are forked, not started again.
    return 2;
}

} // namespace panelhost::check
