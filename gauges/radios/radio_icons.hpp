// The heads' icon callbacks: reading an icon's source value (the panel lighting), and
// the icons every head shows by its power switch.
#pragma once

#include "gauge_abi.h"
#include "radios/radio_layout.hpp"

namespace gauge {

// The element's source value; no element reads as an unlit panel.
inline double icon_source(const ElementRecord* element) {
    if (!element) return 0;
    return reinterpret_cast<const IconRecord*>(element)->source.value.number;
}

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
