// Threads that draw the changed gauges of a frame side by side: the calling thread
// and workers that live as long as the lanes, so that a frame starts no thread.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace panelhost {

class DrawingLanes {
  public:
    // One job at a time, on the calling thread and as many workers as `lanes` - 1
    // (at least one lane).
    explicit DrawingLanes(int lanes);
    ~DrawingLanes();
    DrawingLanes(const DrawingLanes&) = delete;
    DrawingLanes& operator=(const DrawingLanes&) = delete;

    // As many lanes as this machine runs threads at once, at most four.
    static int lanes_for_this_machine();

    int lanes() const { return int(workers_.size()) + 1; }

    // Calls job(index, lane) once for every index below `jobs` and returns when all
    // have returned: lane 0 is the calling thread, the others the workers. Jobs are
    // taken in index order by whichever lane is free, so put the longest first. A
    // worker that has not woken by the time the calling thread has taken every job
    // is not waited for. The first exception a job throws is thrown here once every
    // job has ended.
    using Job = std::function<void(size_t index, int lane)>;
    void run(size_t jobs, const Job& job);

  private:
    void serve(int lane);
    void take_jobs(int lane);

    std::mutex mutex_;
    std::condition_variable wake_;  // a new batch, or stopping
    std::condition_variable ended_; // the last worker in the batch left it
    const Job* job_ = nullptr;
    size_t jobs_ = 0;
    size_t next_ = 0;
    uint64_t batch_ = 0;
    int may_join_ = 0; // workers that may still join the batch
    int working_ = 0;  // workers inside it
    bool stopping_ = false;
    std::exception_ptr failure_;
    std::vector<std::thread> workers_;
};

} // namespace panelhost
