// element_model.hpp - how panelhost turns element values into what is shown.
//
// Pure code only: no I/O, no drawing and nothing tied to one platform, so the same
// rules serve the Linux host, its tests and the 32-bit Windows build.
#pragma once

#include "gauge_abi.h"
#include "record_limits.hpp"

#include <concepts>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace panelhost {

// The bytes of an element record of `kind`: in the current interface, or in the older
// one (`older`), whose needle and static image records are shorter and whose other
// kinds hold only the common part. A kind neither knows counts as the common part.
size_t element_record_bytes(uint32_t kind, bool older = false);

// Screen angle in degrees of a needle for a value: clockwise positive, 0 pointing right
// (+x), y axis down. The result is always finite and in [0, 360).
//
// Each row's angle is the direction from the pivot to the row's point; between rows the
// needle turns clockwise, by the clockwise angle from one row's direction to the next,
// interpolating linearly in value (tables may rise or fall). Beyond either end of the
// table the needle goes on at the rate of the end pair of rows, so an end pair sharing a
// point is a stop. One row gives its angle for every value; without rows the value itself
// is the angle. NaN counts as 0 and values are held to +-1e12.
double needle_angle(std::span<const NeedleRow> rows, int32_t pivot_x, int32_t pivot_y,
                    double value);

// Fraction of a moving image's travel: 0 at range start, 1 at range end, held in [0, 1]
// outside the range. A range whose start equals its end, or a NaN value, gives 0.
double slide_fraction(double value, double range_start, double range_end);

// Offset of the picture's leading (left/top) edge from the window's leading edge for that
// fraction: 0 at fraction 0, window_extent - picture_extent at fraction 1 (negative when
// the picture is larger than the window).
double slide_offset(double fraction, double picture_extent, double window_extent);

// Index of the icon bitmap to show, or nullopt to hide it: hidden when the value is
// negative, NaN, or at/above icon_count; otherwise the value truncated toward zero.
std::optional<uint32_t> icon_index(double value, uint32_t icon_count);

// The value an element uses and whether it is drawn, given the action of its first active
// failure (or none), the freshly computed value and the value it showed last.
// FREEZE keeps the last value, ZERO gives 0, HIDE stops drawing; any other action
// (NONE, unknown numbers) leaves the value as it is.
struct FailedValue {
    double value;
    bool drawn;
};
FailedValue apply_failure(std::optional<uint32_t> action, double value, double last_value);

// The entries of a failure list before its zero-key end entry. The walk reads no
// more than max_failure_entries entries, so a list missing its end is cut there
// instead of leading through the module's memory; ended() tells the two apart. A null
// list has no entries and counts as ended.
class FailureEntries {
  public:
    explicit FailureEntries(const FailureEntry* list);

    const FailureEntry* begin() const { return list_; }
    const FailureEntry* end() const { return list_ + count_; }
    size_t size() const { return count_; }
    // Whether the zero-key end entry lies within the limit.
    bool ended() const { return ended_; }
    // Entries the walk read: those before the end, and the end entry when it was reached.
    size_t entries_read() const { return count_ + (ended_ && list_ ? 1 : 0); }

  private:
    const FailureEntry* list_;
    size_t count_ = 0;
    bool ended_ = true;
};

// Action of the first entry of a failure list whose key is active (is_active(key)
// returns true), or nullopt.
template <class IsActive>
std::optional<uint32_t> active_failure_action(const FailureEntry* list, IsActive is_active) {
    for (const FailureEntry& entry : FailureEntries(list))
        if (is_active(entry.key)) return entry.action;
    return std::nullopt;
}

// The names of the element kinds, by kind number.
inline constexpr const char* element_kind_names[ELEMENT_KIND_COUNT] = {
    "static image", "needle", "string", "slider", "icon", "moving image", "sprite"};

// Name of an element kind ("needle", "moving image"), or "unknown" for a number that
// names no kind.
constexpr const char* element_kind_name(uint32_t kind) {
    return kind < ELEMENT_KIND_COUNT ? element_kind_names[kind] : "unknown";
}

} // namespace panelhost
