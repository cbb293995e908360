// How a child process driving one gauge hands its findings to the parent: one line
// per finding, tab-separated and escaped, then a last line saying it finished. Its
// progress goes to memory shared with the parent, where it survives a crash.
#pragma once

#include "module_check/drive_listener.hpp"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace panelhost::check {

std::string encode_finding(const Finding& finding);
std::optional<Finding> decode_finding(std::string_view line);
// The child's last line.
inline constexpr std::string_view finished_line = "FINISHED";

struct ChildOutput {
    std::vector<Finding> findings;
    bool finished = false;
};
// Reads what the child wrote; lines that are not of the protocol (a sanitizer's
// report, say) are left out.
ChildOutput parse_child_output(const std::string& bytes);

// The child's side: progress into the shared memory, findings written as lines.
class ChildListener final : public DriveListener {
  public:
    ChildListener(SharedProgress& progress, std::function<void(const std::string&)> write)
        : progress_(progress), write_(std::move(write)) {}
    void step(const std::string& cause) override;
    void at(const Place& place) override { progress_.place = place; }
    void finding(const Finding& finding) override { write_(encode_finding(finding)); }

  private:
    SharedProgress& progress_;
    std::function<void(const std::string&)> write_;
};

// What a child's run comes to: its findings, and a crash or hang found from how it
// ended and what it last did. `ended` says how it ended ("signal 11", "exit status
// 1"), empty when it exited normally; `diagnostic` is the first line of a
// sanitizer's report on its standard error, if any.
struct ChildEnd {
    bool hung = false;
    double time_limit = 0;
    std::string ended;
    std::string diagnostic;
};
std::vector<Finding> child_findings(const std::string& output, const SharedProgress& progress,
                                    const ChildEnd& end);

// The first line of a sanitizer's or the runtime's report in a child's error output.
std::string diagnostic_line(const std::string& error_output);

} // namespace panelhost::check
