#include "module_check/drive_listener.hpp"

#include "element_model.hpp"
#include "gauge_abi.h"

#include <cstring>

namespace panelhost::check {
namespace {

std::string buttons_text(uint32_t buttons) {
    const bool left = buttons & MOUSE_LEFT_BUTTON;
    const bool right = buttons & MOUSE_RIGHT_BUTTON;
    if (left && right) return "both buttons";
    if (left) return "the left button";
    if (right) return "the right button";
    return "no button";
}

} // namespace

std::string place_text(const Place& place) {
    switch (place.what) {
    case Place::element:
        return "element " + std::to_string(place.number) + " (" + element_kind_name(place.kind) +
               ")";
    case Place::mouse:
        return "mouse record " + std::to_string(place.number) + " clicked with " +
               buttons_text(place.kind);
    case Place::service: return "gauge callback, service " + std::to_string(place.number);
    default: return "the host's update of the gauge";
    }
}

std::string progress_text(const SharedProgress& progress) {
    std::string cause(progress.cause, strnlen(progress.cause, sizeof progress.cause));
    return cause.empty() ? place_text(progress.place) : cause + "; " + place_text(progress.place);
}

} // namespace panelhost::check
