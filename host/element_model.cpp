// element_model.cpp - needle, moving image, icon and failure rules of panelhost.
#include "element_model.hpp"

#include <algorithm>
#include <cmath>

namespace panelhost {
namespace {

// Values beyond this are held to it: far past any dial, yet small enough that a
// needle's turn stays finite.
constexpr double kValueLimit = 1e12;
constexpr double kPi = 3.14159265358979323846;

// Dividing by pi before scaling makes a half turn exactly 180 degrees.
double to_degrees(double radians) { return radians / kPi * 180.0; }

// Wraps an angle into [0, 360); an angle that is not finite shows as 0.
double normalise(double degrees) {
    if (!std::isfinite(degrees)) {
        return 0.0;
    }
    // The second fmod brings a tiny negative angle, which rounds up to 360 once 360 is
    // added, back to 0. Passing the sum to fmod also rounds it to a double, where x87
    // arithmetic would otherwise keep it in extended precision just below 360.
    return std::fmod(std::fmod(degrees, 360.0) + 360.0, 360.0);
}

double sanitise(double value) {
    return std::isnan(value) ? 0.0 : std::clamp(value, -kValueLimit, kValueLimit);
}

// Vector from the pivot to a row's point, in doubles so far-apart integers cannot overflow.
struct Arm {
    double dx;
    double dy;
};

Arm arm_of(const NeedleRow& row, int32_t pivot_x, int32_t pivot_y) {
    return {double(row.x) - double(pivot_x), double(row.y) - double(pivot_y)};
}

double direction(Arm arm) { return to_degrees(std::atan2(arm.dy, arm.dx)); }

// Clockwise angle in [0, 360) from one arm's direction to the other's. Taken from the
// cross and dot products rather than as a difference of two directions, so opposite
// arms give exactly 180 and arms pointing the same way (or a zero arm) exactly 0.
double clockwise_step(Arm from, Arm to) {
    const double cross = from.dx * to.dy - from.dy * to.dx;
    const double dot = from.dx * to.dx + from.dy * to.dy;
    const double step = to_degrees(std::atan2(cross, dot));
    return step < 0.0 ? step + 360.0 : step;
}

// Where a value lies on the turn of the row pair (index, index + 1): 0 at the first row,
// 1 at the second, outside [0, 1] beyond the table's ends.
struct PairPosition {
    std::size_t index;
    double t;
};

// A pair whose rows share a value has no rate; `if_flat` says which of its rows to take.
double position(double value, double v0, double v1, double if_flat) {
    return v0 == v1 ? if_flat : (value - v0) / (v1 - v0);
}

bool between(double value, double a, double b) {
    return std::min(a, b) <= value && value <= std::max(a, b);
}

// The first pair whose values enclose the value; otherwise the end pair on the value's
// side of the table, continued past its end. Needs at least two rows.
PairPosition locate(std::span<const NeedleRow> rows, double value) {
    for (std::size_t i = 0; i + 1 < rows.size(); ++i) {
        if (between(value, rows[i].value, rows[i + 1].value)) {
            return {i, position(value, rows[i].value, rows[i + 1].value, 1.0)};
        }
    }
    const double first = rows.front().value;
    const bool rising = rows.back().value >= first;
    if (rising ? value < first : value > first) {
        return {0, position(value, first, rows[1].value, 0.0)};
    }
    const std::size_t last = rows.size() - 2;
    return {last, position(value, rows[last].value, rows[last + 1].value, 1.0)};
}

} // namespace

size_t element_record_bytes(uint32_t kind, bool older) {
    if (older) {
        if (kind == ELEMENT_STATIC_IMAGE) return sizeof(StaticImageRecordOld);
        if (kind == ELEMENT_NEEDLE) return sizeof(NeedleRecordOld);
        return sizeof(ElementRecord);
    }
    switch (kind) {
    case ELEMENT_STATIC_IMAGE: return sizeof(StaticImageRecord);
    case ELEMENT_NEEDLE: return sizeof(NeedleRecord);
    case ELEMENT_STRING: return sizeof(StringRecord);
    case ELEMENT_SLIDER: return sizeof(SliderRecord);
    case ELEMENT_ICON: return sizeof(IconRecord);
    case ELEMENT_MOVING_IMAGE: return sizeof(MovingImageRecord);
    case ELEMENT_SPRITE: return sizeof(SpriteRecord);
    default: return sizeof(ElementRecord);
    }
}

double needle_angle(std::span<const NeedleRow> rows, int32_t pivot_x, int32_t pivot_y,
                    double value) {
    value = sanitise(value);
    if (rows.empty()) {
        return normalise(value);
    }
    if (rows.size() == 1) {
        return normalise(direction(arm_of(rows[0], pivot_x, pivot_y)));
    }
    const PairPosition at = locate(rows, value);
    const Arm from = arm_of(rows[at.index], pivot_x, pivot_y);
    const double step = clockwise_step(from, arm_of(rows[at.index + 1], pivot_x, pivot_y));
    // A stop (step 0) holds however far the value goes, even when rows a hair apart in
    // value make the position infinite.
    const double turn = step == 0.0 ? 0.0 : at.t * step;
    return normalise(direction(from) + turn);
}

double slide_fraction(double value, double range_start, double range_end) {
    if (range_start == range_end) {
        return 0.0;
    }
    const double fraction = (value - range_start) / (range_end - range_start);
    if (!(fraction > 0.0)) { // also NaN
        return 0.0;
    }
    return std::min(fraction, 1.0);
}

double slide_offset(double fraction, double picture_extent, double window_extent) {
    return fraction * (window_extent - picture_extent);
}

std::optional<uint32_t> icon_index(double value, uint32_t icon_count) {
    // Written so that NaN fails the test; the range check comes before the conversion.
    if (!(value >= 0.0 && value < double(icon_count))) {
        return std::nullopt;
    }
    return static_cast<uint32_t>(value);
}

FailedValue apply_failure(std::optional<uint32_t> action, double value, double last_value) {
    switch (action.value_or(FAILURE_ACTION_NONE)) {
    case FAILURE_ACTION_FREEZE: return {last_value, true};
    case FAILURE_ACTION_ZERO: return {0.0, true};
    case FAILURE_ACTION_HIDE: return {value, false};
    default: return {value, true};
    }
}

FailureEntries::FailureEntries(const FailureEntry* list) : list_(list) {
    if (!list) return;
    while (count_ < max_failure_entries && list[count_].key != 0)
        ++count_;
    ended_ = count_ < max_failure_entries;
}

} // namespace panelhost
