// What the behaviour drive tells about its progress and its findings. A drive that
// crashes or hangs leaves its last step and place behind, which is how the parent
// of the child process running it says what caused the crash or the hang.
#pragma once

#include "module_check/findings.hpp"

#include <cstdint>
#include <string>

namespace panelhost::check {

// Where in a gauge the drive is: which element's callbacks, mouse area or gauge
// callback service is running.
struct Place {
    enum What : uint32_t { gauge = 0, element, mouse, service };
    What what = gauge;
    int32_t number = -1; // element index, mouse record or service number
    uint32_t kind = 0;   // element kind; for mouse: the buttons
};

// The place in words: "element 3 (needle)", "mouse record 2 clicked with the left
// button", "service 6".
std::string place_text(const Place& place);

class DriveListener {
  public:
    virtual ~DriveListener() = default;
    // A new step begins; `cause` says what the gauge is being given.
    virtual void step(const std::string& cause) = 0;
    // Called often: before each callback the drive calls.
    virtual void at(const Place& place) = 0;
    virtual void finding(const Finding& finding) = 0;
};

// Progress kept where a parent process can read it after its child died: the step
// and the place, in fixed-size fields.
struct SharedProgress {
    char cause[480];
    Place place;
    uint32_t finished; // 1 once the drive returned
};

// The cause and place a crash or hang is reported with.
std::string progress_text(const SharedProgress& progress);

} // namespace panelhost::check
