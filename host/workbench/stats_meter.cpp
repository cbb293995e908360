#include "workbench/stats_meter.hpp"

#include <algorithm>

namespace panelhost {

nlohmann::json stats_json(const WorkbenchStats& stats) {
    return {{"cycle_ms", stats.cycle_ms},
            {"cycle_max_ms", stats.cycle_max_ms},
            {"encode_ms_per_gauge", stats.encode_ms_per_gauge},
            {"draw_ms_per_gauge", stats.draw_ms_per_gauge},
            {"gauges_encoded_per_second", stats.gauges_encoded_per_second},
            {"bytes_per_second", stats.bytes_per_second},
            {"frames_per_second", stats.frames_per_second}};
}

void StatsMeter::drew_gauges(int count, double ms) {
    draw_ms_sum_ += ms;
    drawn_ += count;
}

void StatsMeter::encoded_gauge(double ms) {
    encode_ms_sum_ += ms;
    ++encoded_;
}

void StatsMeter::sent_frame(double bytes) {
    bytes_ += bytes;
    ++frames_;
}

void StatsMeter::cycle_ended(double now, double ms) {
    if (since_ < 0) since_ = now;
    ++cycles_;
    cycle_ms_sum_ += ms;
    cycle_ms_max_ = std::max(cycle_ms_max_, ms);
    const double elapsed = now - since_;
    if (elapsed < 1) return;
    stats_.cycle_ms = cycle_ms_sum_ / cycles_;
    stats_.cycle_max_ms = cycle_ms_max_;
    stats_.encode_ms_per_gauge = encoded_ ? encode_ms_sum_ / encoded_ : 0;
    stats_.draw_ms_per_gauge = drawn_ ? draw_ms_sum_ / drawn_ : 0;
    stats_.gauges_encoded_per_second = encoded_ / elapsed;
    stats_.bytes_per_second = bytes_ / elapsed;
    stats_.frames_per_second = frames_ / elapsed;
    since_ = now;
    cycles_ = encoded_ = drawn_ = frames_ = 0;
    cycle_ms_sum_ = cycle_ms_max_ = encode_ms_sum_ = draw_ms_sum_ = bytes_ = 0;
}

} // namespace panelhost
