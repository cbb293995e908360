#include "workbench/held_buttons.hpp"

#include "mouse_map.hpp"

#include <algorithm>

namespace panelhost {
namespace {

constexpr uint32_t most_repeats_per_cycle = 3;

} // namespace

void HeldButtons::hold(const Held& held, double now, double release_at) {
    if (held.from_page) release_page(); // the page holds one button at a time
    held_.push_back({held, now, release_at, 1});
}

void HeldButtons::release_page() {
    std::erase_if(held_, [](const Holding& holding) { return holding.held.from_page; });
}

void HeldButtons::repeat(double now,
                         const std::function<void(const Held&, uint32_t calls)>& repeat) {
    std::erase_if(held_, [now](const Holding& holding) { return now >= holding.release_at; });
    for (Holding& holding : held_) {
        const uint32_t due = repeat_calls_due((now - holding.since) * 1000);
        const uint32_t calls =
            std::min(due > holding.calls ? due - holding.calls : 0, most_repeats_per_cycle);
        holding.calls = std::max(holding.calls, due);
        if (calls > 0) repeat(holding.held, calls);
    }
}

} // namespace panelhost
