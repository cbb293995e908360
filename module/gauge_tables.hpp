// C++ conveniences for writing the gauges' static tables.
//
// Every record stays plain data initialised at compile time (the gauges declare
// them `constinit`), so the module runs no code when it is loaded. The builders
// here only save repeating the record layouts in each gauge.
#pragma once

#include "gauge_abi.h"

#include <cstdint>

namespace gauge {

struct Point {
    int32_t x = 0;
    int32_t y = 0;
};

struct Box {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
};

// The common part of an element record.
struct ElementFields {
    uint32_t kind = ELEMENT_STATIC_IMAGE;
    uint32_t bitmap = RESOURCE_NONE;
    Point position{};
    uint32_t image_flags = 0;
    Point offset{};
    const FailureEntry* failures = nullptr;
    uint32_t special_flags = 0;
};

constexpr ElementRecord element(const ElementFields& fields, GaugeHeader* gauge,
                                ElementRecord** children) {
    ElementRecord record{};
    record.kind = fields.kind;
    record.resource_id = fields.bitmap;
    record.position_x = fields.position.x;
    record.position_y = fields.position.y;
    record.offset_x = fields.offset.x;
    record.offset_y = fields.offset.y;
    record.gauge = gauge;
    record.children = children;
    record.failures = fields.failures;
    record.image_flags = fields.image_flags;
    record.special_flags = fields.special_flags;
    return record;
}

constexpr TokenVariable variable(uint32_t id) {
    TokenVariable token{};
    token.id = id;
    return token;
}

constexpr StaticImageRecord static_image(uint32_t bitmap, Point position, uint32_t image_flags,
                                         GaugeHeader* gauge, ElementRecord** children) {
    StaticImageRecord record{};
    record.common = element({.kind = ELEMENT_STATIC_IMAGE,
                             .bitmap = bitmap,
                             .position = position,
                             .image_flags = image_flags},
                            gauge, children);
    return record;
}

struct NeedleFields {
    uint32_t bitmap = 0;
    Point pivot{};         // on the face
    Point needle_offset{}; // pivot inside the needle bitmap
    uint32_t image_flags = 0;
    uint32_t source = 0;
    const NeedleRow* table = nullptr;
    uint32_t rows = 0;
    const FailureEntry* failures = nullptr;
    ValueCallback callback = nullptr;
};

constexpr NeedleRecord needle(const NeedleFields& fields, GaugeHeader* gauge,
                              ElementRecord** children) {
    NeedleRecord record{};
    record.common = element({.kind = ELEMENT_NEEDLE,
                             .bitmap = fields.bitmap,
                             .position = fields.pivot,
                             .image_flags = fields.image_flags,
                             .offset = fields.needle_offset,
                             .failures = fields.failures},
                            gauge, children);
    record.source = variable(fields.source);
    record.nonlinearity = fields.table;
    record.row_count = fields.rows;
    record.value_callback = fields.callback;
    return record;
}

struct MovingImageFields {
    uint32_t bitmap = 0; // the picture; bitmap + 1 is its window
    Point position{};
    uint32_t image_flags = 0;
    uint32_t x_source = 0;
    double x_range_start = 0;
    double x_range_end = 0;
    uint32_t y_source = 0;
    double y_range_start = 0;
    double y_range_end = 0;
    const FailureEntry* failures = nullptr;
    ValueCallback x_callback = nullptr;
    ValueCallback y_callback = nullptr;
};

constexpr MovingImageRecord moving_image(const MovingImageFields& fields, GaugeHeader* gauge,
                                         ElementRecord** children) {
    MovingImageRecord record{};
    record.common = element({.kind = ELEMENT_MOVING_IMAGE,
                             .bitmap = fields.bitmap,
                             .position = fields.position,
                             .image_flags = fields.image_flags,
                             .failures = fields.failures},
                            gauge, children);
    record.x_source = variable(fields.x_source);
    record.x_range_start = fields.x_range_start;
    record.x_range_end = fields.x_range_end;
    record.y_source = variable(fields.y_source);
    record.y_range_start = fields.y_range_start;
    record.y_range_end = fields.y_range_end;
    record.x_callback = fields.x_callback;
    record.y_callback = fields.y_callback;
    return record;
}

struct StringFields {
    Point position{};
    uint32_t image_flags = 0;
    uint32_t sources[3] = {};
    uint32_t box_width = 0; // pixels
    uint32_t box_height = 0;
    uint32_t text_colour = 0; // 0x00BBGGRR
    uint32_t background_colour = 0;
    uint32_t highlight_colour = 0;
    const char* font = "";    // up to FONT_FACE_BYTES - 1 characters are kept
    uint32_t font_weight = 400;
    uint32_t character_set = 1;
    uint32_t text_format = TEXT_FORMAT_CENTRED_LINE;
    uint32_t char_count = 0;  // the host's text buffer holds char_count + 1 bytes
    const FailureEntry* failures = nullptr;
    TextCallback callback = nullptr;
};

constexpr StringRecord string_element(const StringFields& fields, GaugeHeader* gauge,
                                      ElementRecord** children) {
    StringRecord record{};
    record.common = element({.kind = ELEMENT_STRING,
                             .bitmap = RESOURCE_NONE,
                             .position = fields.position,
                             .image_flags = fields.image_flags,
                             .failures = fields.failures},
                            gauge, children);
    for (int i = 0; i < 3; ++i)
        record.sources[i] = variable(fields.sources[i]);
    record.box_width = fields.box_width;
    record.box_height = fields.box_height;
    record.text_colour = fields.text_colour;
    record.background_colour = fields.background_colour;
    record.highlight_colour = fields.highlight_colour;
    for (uint32_t i = 0; i + 1 < FONT_FACE_BYTES && fields.font[i]; ++i)
        record.font_face[i] = fields.font[i];
    record.font_weight = fields.font_weight;
    record.character_set = fields.character_set;
    record.text_format = fields.text_format;
    record.char_count = fields.char_count;
    record.text_callback = fields.callback;
    return record;
}

struct SliderFields {
    uint32_t bitmap = 0;
    Point position{};
    uint32_t image_flags = 0;
    uint32_t x_source = 0;
    double x_scale = 0; // pixels per unit of value
    uint32_t y_source = 0;
    double y_scale = 0;
    const FailureEntry* failures = nullptr;
    ValueCallback x_callback = nullptr;
    ValueCallback y_callback = nullptr;
};

constexpr SliderRecord slider(const SliderFields& fields, GaugeHeader* gauge,
                              ElementRecord** children) {
    SliderRecord record{};
    record.common = element({.kind = ELEMENT_SLIDER,
                             .bitmap = fields.bitmap,
                             .position = fields.position,
                             .image_flags = fields.image_flags,
                             .failures = fields.failures},
                            gauge, children);
    record.x_source = variable(fields.x_source);
    record.x_scale = fields.x_scale;
    record.y_source = variable(fields.y_source);
    record.y_scale = fields.y_scale;
    record.x_callback = fields.x_callback;
    record.y_callback = fields.y_callback;
    return record;
}

struct IconFields {
    uint32_t bitmap = 0; // the first image; the others follow it by number
    Point position{};
    uint32_t image_flags = 0;
    uint32_t source = 0;
    double scale = 0;
    uint32_t icon_count = 1;
    const FailureEntry* failures = nullptr;
    ValueCallback callback = nullptr;
};

constexpr IconRecord icon(const IconFields& fields, GaugeHeader* gauge, ElementRecord** children) {
    IconRecord record{};
    record.common = element({.kind = ELEMENT_ICON,
                             .bitmap = fields.bitmap,
                             .position = fields.position,
                             .image_flags = fields.image_flags,
                             .failures = fields.failures},
                            gauge, children);
    record.source = variable(fields.source);
    record.scale = fields.scale;
    record.icon_count = fields.icon_count;
    record.value_callback = fields.callback;
    return record;
}

struct SpriteFields {
    uint32_t bitmap = 0; // the texture; bitmap + 1 is its window
    Point position{};    // of the window
    Point turning_point{};
    uint32_t image_flags = 0;
    uint32_t x_source = 0;
    double x_scale = 0;
    uint32_t y_source = 0;
    double y_scale = 0;
    uint32_t rotation_source = 0;
    double rotation_scale = 0; // degrees per unit, counterclockwise
    float texture_scale_x = 1.0f;
    float texture_scale_y = 1.0f;
    const FailureEntry* failures = nullptr;
    ValueCallback x_callback = nullptr;
    ValueCallback y_callback = nullptr;
    ValueCallback rotation_callback = nullptr;
};

constexpr SpriteRecord sprite(const SpriteFields& fields, GaugeHeader* gauge,
                              ElementRecord** children) {
    SpriteRecord record{};
    record.common = element({.kind = ELEMENT_SPRITE,
                             .bitmap = fields.bitmap,
                             .position = fields.position,
                             .image_flags = fields.image_flags,
                             .offset = fields.turning_point,
                             .failures = fields.failures},
                            gauge, children);
    record.x_source = variable(fields.x_source);
    record.x_scale = fields.x_scale;
    record.y_source = variable(fields.y_source);
    record.y_scale = fields.y_scale;
    record.rotation_source = variable(fields.rotation_source);
    record.rotation_scale = fields.rotation_scale;
    record.texture_scale_x = fields.texture_scale_x;
    record.texture_scale_y = fields.texture_scale_y;
    record.x_callback = fields.x_callback;
    record.y_callback = fields.y_callback;
    record.rotation_callback = fields.rotation_callback;
    return record;
}

// Mouse-area records, in the order a list is written. Areas (begin and clickable
// records) carry a cursor word, -1 for none; tooltip and end records leave it 0.
constexpr MouseArea area_begin(uint32_t help_id = 0, Box box = {}) {
    MouseArea area{};
    area.kind = MOUSE_BEGIN;
    area.box_x = box.x;
    area.box_y = box.y;
    area.box_width = box.width;
    area.box_height = box.height;
    area.cursor = CURSOR_NONE;
    area.help_id = help_id;
    return area;
}

constexpr MouseArea tooltip(uint32_t help_id, const char* text = nullptr) {
    MouseArea area{};
    area.kind = MOUSE_TOOLTIP;
    area.help_id = help_id;
    area.action.tooltip = text;
    return area;
}

constexpr MouseArea tooltip(const char* text) { return tooltip(0, text); }

constexpr MouseArea click_area(Box box, int32_t cursor, uint32_t mouse_flags, MouseCallback callback,
                               uint32_t key_event = 0) {
    MouseArea area{};
    area.kind = MOUSE_CHILD;
    area.box_x = box.x;
    area.box_y = box.y;
    area.box_width = box.width;
    area.box_height = box.height;
    area.cursor = cursor;
    area.mouse_flags = mouse_flags;
    area.key_event = key_event;
    area.action.callback = callback;
    return area;
}

constexpr MouseArea area_end() {
    MouseArea area{};
    area.kind = MOUSE_PARENT_END;
    return area;
}

constexpr MouseArea list_end() {
    MouseArea area{};
    area.kind = MOUSE_END;
    return area;
}

constexpr GaugeHeader gauge_header(const char* name, ElementRecord** roots, uint32_t size_mm,
                                   MouseArea* mouse_areas, GaugeCallback callback = nullptr) {
    GaugeHeader header{};
    header.version = GAUGE_HEADER_VERSION;
    header.name = name;
    header.element_list = roots;
    header.size_mm = size_mm;
    header.mouse_areas = mouse_areas;
    header.gauge_callback = callback;
    return header;
}

} // namespace gauge
