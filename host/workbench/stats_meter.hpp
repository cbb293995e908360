// What the workbench's cycles cost, measured over each second, for the page's
// footer and for tools (GET /api/stats).
#pragma once

#include <nlohmann/json.hpp>

namespace panelhost {

struct WorkbenchStats {
    double cycle_ms = 0;            // mean over the last second
    double cycle_max_ms = 0;        // longest in the last second
    double encode_ms_per_gauge = 0; // mean over the last second
    double draw_ms_per_gauge = 0;   // mean over the last second
    double gauges_encoded_per_second = 0;
    double bytes_per_second = 0;  // frames sent to pages
    double frames_per_second = 0; // frames sent to pages
};

// The stats as the page and tools read them: one field per member.
nlohmann::json stats_json(const WorkbenchStats& stats);

class StatsMeter {
  public:
    // `count` gauges drawn in `ms` (side by side: the time they took together).
    void drew_gauges(int count, double ms);
    void encoded_gauge(double ms);
    void sent_frame(double bytes);
    // A cycle that took `ms` ended at `now` (seconds); each second the counts so far
    // become the stats.
    void cycle_ended(double now, double ms);

    const WorkbenchStats& stats() const { return stats_; }

  private:
    WorkbenchStats stats_;
    double since_ = -1;
    int cycles_ = 0;
    double cycle_ms_sum_ = 0, cycle_ms_max_ = 0;
    int encoded_ = 0, drawn_ = 0;
    double encode_ms_sum_ = 0, draw_ms_sum_ = 0;
    double bytes_ = 0;
    int frames_ = 0;
};

} // namespace panelhost
