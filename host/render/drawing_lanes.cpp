#include "drawing_lanes.hpp"

#include <algorithm>
#include <utility>

namespace panelhost {

DrawingLanes::DrawingLanes(int lanes) {
    for (int lane = 1; lane < lanes; ++lane)
        workers_.emplace_back([this, lane] { serve(lane); });
}

DrawingLanes::~DrawingLanes() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    for (std::thread& worker : workers_)
        worker.join();
}

int DrawingLanes::lanes_for_this_machine() {
    constexpr unsigned most_lanes = 4;
    return int(std::clamp(std::thread::hardware_concurrency(), 1u, most_lanes));
}

void DrawingLanes::run(size_t jobs, const Job& job) {
    if (jobs == 0) return;
    {
        std::lock_guard lock(mutex_);
        job_ = &job;
        jobs_ = jobs;
        next_ = 0;
        failure_ = nullptr;
        ++batch_;
        // One job needs no help: waking a worker would cost more than it saves.
        may_join_ = jobs > 1 ? int(workers_.size()) : 0;
    }
    if (jobs > 1) wake_.notify_all();
    take_jobs(0);
    std::unique_lock lock(mutex_);
    may_join_ = 0; // every job is taken: a worker still asleep stays out
    ended_.wait(lock, [this] { return working_ == 0; });
    job_ = nullptr;
    if (failure_) std::rethrow_exception(std::exchange(failure_, nullptr));
}

void DrawingLanes::serve(int lane) {
    uint64_t seen = 0;
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [&] { return stopping_ || batch_ != seen; });
        if (stopping_) return;
        seen = batch_;
        if (may_join_ == 0) continue;
        --may_join_;
        ++working_;
        lock.unlock();
        take_jobs(lane);
        lock.lock();
        if (--working_ == 0) ended_.notify_one();
    }
}

void DrawingLanes::take_jobs(int lane) {
    for (;;) {
        size_t index;
        {
            std::lock_guard lock(mutex_);
            if (next_ >= jobs_) return;
            index = next_++;
        }
        try {
            (*job_)(index, lane);
        } catch (...) {
            std::lock_guard lock(mutex_);
            if (!failure_) failure_ = std::current_exception();
        }
    }
}

} // namespace panelhost
