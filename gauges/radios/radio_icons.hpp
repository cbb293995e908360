// The icons every head shows by its power switch and the panel lighting (the icons'
// source value).
#pragma once

#include "element_sources.hpp"
#include "gauge_abi.h"
#include "radios/radio_layout.hpp"

namespace gauge {

// The callbacks of the icons that follow a head's power switch and the panel lighting.
struct PowerIconCallbacks {
    ValueCallback lit_faces;     // the push-button faces, lit while the panel is
    ValueCallback on_face_unlit; // the ON button pressed, by day
    ValueCallback on_face_lit;   // and lit
    ValueCallback lamp;          // the power lamp
    ValueCallback window_cover;  // hides the texts while the head is off
};

// Those callbacks for the head whose power flag is `on`.
template <const bool& on> struct PowerIcons {
    static double GAUGE_CALL lit_faces(ElementRecord* element) {
        return radio_layout::shown_if(icon_source(element) > 0);
    }
    static double GAUGE_CALL on_face_unlit(ElementRecord* element) {
        return radio_layout::shown_if(icon_source(element) == 0 && on);
    }
    static double GAUGE_CALL on_face_lit(ElementRecord* element) {
        return radio_layout::shown_if(icon_source(element) > 0 && on);
    }
    static double GAUGE_CALL lamp(ElementRecord*) { return radio_layout::shown_if(on); }
    static double GAUGE_CALL window_cover(ElementRecord*) { return radio_layout::shown_if(!on); }

    static constexpr PowerIconCallbacks callbacks{lit_faces, on_face_unlit, on_face_lit, lamp,
                                                  window_cover};
};

} // namespace gauge
