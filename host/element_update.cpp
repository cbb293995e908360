#include "element_update.hpp"

#include "element_model.hpp"
#include "record_limits.hpp"

#include <algorithm>
#include <cstring>
#include <span>

namespace panelhost {
namespace {

void refresh(TokenVariable& source, const Simulation& simulation) {
    if (source.id != 0) simulation.lookup(source);
}

// The value of one axis: its callback's answer, or else its source's value.
double axis_value(ElementRecord* record, TokenVariable& source, ValueCallback callback,
                  Simulation& simulation) {
    refresh(source, simulation);
    if (callback) return callback(record);
    return source.id != 0 ? source_value(source, simulation) : 0.0;
}

bool has_axis(const TokenVariable& source, ValueCallback callback) {
    return source.id != 0 || callback != nullptr;
}

// Applies the failure action to one value, remembering it for a later freeze.
double with_failure(std::optional<uint32_t> action, double value, double& last, bool& drawn) {
    FailedValue result = apply_failure(action, value, last);
    drawn = drawn && result.drawn;
    last = result.value;
    return result.value;
}

void update_needle(ElementState& state, std::optional<uint32_t> action, Simulation& simulation) {
    auto* needle = reinterpret_cast<NeedleRecord*>(state.record);
    double value = axis_value(state.record, needle->source, needle->value_callback, simulation);
    value = with_failure(action, value, state.value_x, state.drawn);
    uint32_t rows = needle->nonlinearity ? std::min(needle->row_count, max_needle_rows) : 0;
    state.needle_angle = needle_angle(std::span(needle->nonlinearity, rows),
                                      needle->common.position_x, needle->common.position_y, value);
}

void update_string(ElementState& state, std::optional<uint32_t> action, Simulation& simulation) {
    auto* string = reinterpret_cast<StringRecord*>(state.record);
    for (TokenVariable& source : string->sources)
        refresh(source, simulation);
    state.drawn = state.drawn && apply_failure(action, 0, 0).drawn;
    // A frozen display keeps the text it had.
    if (action && *action == FAILURE_ACTION_FREEZE) return;
    if (!string->text || state.text_capacity == 0) return;
    if (string->text_callback) string->text_callback(state.record);
    string->text[state.text_capacity - 1] = '\0';
    state.text = string->text;
}

void update_slider(ElementState& state, std::optional<uint32_t> action, Simulation& simulation) {
    auto* slider = reinterpret_cast<SliderRecord*>(state.record);
    double x = axis_value(state.record, slider->x_source, slider->x_callback, simulation);
    double y = axis_value(state.record, slider->y_source, slider->y_callback, simulation);
    x = with_failure(action, x, state.value_x, state.drawn);
    y = with_failure(action, y, state.value_y, state.drawn);
    state.shift_x = has_axis(slider->x_source, slider->x_callback) ? x * slider->x_scale : 0.0;
    state.shift_y = has_axis(slider->y_source, slider->y_callback) ? y * slider->y_scale : 0.0;
}

void update_icon(ElementState& state, std::optional<uint32_t> action, Simulation& simulation) {
    auto* icon = reinterpret_cast<IconRecord*>(state.record);
    double value = axis_value(state.record, icon->source, icon->value_callback, simulation);
    value = with_failure(action, value, state.value_x, state.drawn);
    state.icon = icon_index(value, icon->icon_count);
    if (!state.icon) state.drawn = false;
}

void update_moving_image(ElementState& state, std::optional<uint32_t> action,
                         Simulation& simulation) {
    auto* image = reinterpret_cast<MovingImageRecord*>(state.record);
    double x = axis_value(state.record, image->x_source, image->x_callback, simulation);
    double y = axis_value(state.record, image->y_source, image->y_callback, simulation);
    x = with_failure(action, x, state.value_x, state.drawn);
    y = with_failure(action, y, state.value_y, state.drawn);
    state.slide_x = has_axis(image->x_source, image->x_callback)
                        ? slide_fraction(x, image->x_range_start, image->x_range_end)
                        : 0.0;
    state.slide_y = has_axis(image->y_source, image->y_callback)
                        ? slide_fraction(y, image->y_range_start, image->y_range_end)
                        : 0.0;
}

void update_sprite(ElementState& state, std::optional<uint32_t> action, Simulation& simulation) {
    auto* sprite = reinterpret_cast<SpriteRecord*>(state.record);
    double x = axis_value(state.record, sprite->x_source, sprite->x_callback, simulation);
    double y = axis_value(state.record, sprite->y_source, sprite->y_callback, simulation);
    double turn =
        axis_value(state.record, sprite->rotation_source, sprite->rotation_callback, simulation);
    x = with_failure(action, x, state.value_x, state.drawn);
    y = with_failure(action, y, state.value_y, state.drawn);
    turn = with_failure(action, turn, state.value_rotation, state.drawn);
    state.shift_x = x * sprite->x_scale;
    state.shift_y = y * sprite->y_scale;
    state.rotation = turn * sprite->rotation_scale;
}

} // namespace

double source_value(const TokenVariable& source, const Simulation& simulation) {
    if (simulation.reading(source.id) == Reading::Integer) return source.value.integer;
    return source.value.number;
}

void update_element(ElementState& state, Simulation& simulation) {
    state.drawn = state.known_kind;
    if (!state.known_kind) return;
    std::optional<uint32_t> action = active_failure_action(
        state.record->failures, [&](uint32_t key) { return simulation.failure_active(key); });
    switch (state.kind) {
    case ELEMENT_STATIC_IMAGE: state.drawn = apply_failure(action, 0, 0).drawn; break;
    case ELEMENT_NEEDLE: update_needle(state, action, simulation); break;
    case ELEMENT_STRING: update_string(state, action, simulation); break;
    case ELEMENT_SLIDER: update_slider(state, action, simulation); break;
    case ELEMENT_ICON: update_icon(state, action, simulation); break;
    case ELEMENT_MOVING_IMAGE: update_moving_image(state, action, simulation); break;
    case ELEMENT_SPRITE: update_sprite(state, action, simulation); break;
    default: state.drawn = false; break;
    }
    // Callbacks may have set the hidden bit on their own element.
    if (state.record->image_flags & IMAGE_FLAG_HIDDEN) state.drawn = false;
}

} // namespace panelhost
