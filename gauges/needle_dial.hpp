// A dial gauge of the common shape: a face, one needle turning over it through a
// table, and a cover drawn on top; a whole-gauge mouse area with one tooltip entry.
// Several gauges differ only in their numbers, so they share this one layout.
#pragma once

#include "gauge_tables.hpp"

namespace gauge {

struct NeedleDialFields {
    const char* name = nullptr;
    uint32_t size_mm = 100;
    uint32_t face = 0;
    uint32_t cover = 0;
    NeedleFields needle{};
    uint32_t area_help_id = 0;          // on the whole-gauge area
    uint32_t tooltip_help_id = 0;       // on its tooltip entry
    const char* tooltip_text = nullptr; // or the tooltip entry's own text
    bool has_tooltip = true;            // false: the area holds no tooltip entry
    GaugeCallback callback = nullptr;
};

// The long needle of a 300 x 300 dial, turning about the face's centre, lit by the
// panel lighting.
constexpr NeedleFields centre_needle(const Bitmap& bitmap, uint32_t source, NeedleTable table,
                                     const FailureEntry* failures,
                                     ValueCallback callback = nullptr) {
    return {.bitmap = bitmap,
            .pivot = {150, 150},
            .image_flags = lit_moving_flags,
            .source = source,
            .table = table,
            .failures = failures,
            .callback = callback};
}

// The records of one dial gauge: face, needle, cover.
using NeedleDial = GaugeRecords<4, StaticImageRecord, NeedleRecord, StaticImageRecord>;

// Builds the dial's records; `self` is the object being initialised, whose
// addresses the records point at.
constexpr NeedleDial needle_dial(NeedleDial& self, const NeedleDialFields& fields) {
    // A dial without a tooltip entry ends its list one record early; the record
    // left over is another list end.
    const MouseArea whole_gauge = area_begin(fields.area_help_id);
    return gauge_records(
        self, {.name = fields.name, .size_mm = fields.size_mm, .callback = fields.callback},
        elements(static_image(fields.face, {0, 0}, lit_layer_flags), needle(fields.needle),
                 static_image(fields.cover, {0, 0}, layer_flags)),
        fields.has_tooltip
            ? std::initializer_list<MouseArea>{whole_gauge,
                                               tooltip(fields.tooltip_help_id, fields.tooltip_text),
                                               area_end(), list_end()}
            : std::initializer_list<MouseArea>{whole_gauge, area_end(), list_end(), list_end()});
}

} // namespace gauge
