// C++ conveniences for writing the gauges' static tables.
//
// Every record stays plain data initialised at compile time (the gauges declare
// them `constinit`), so the module runs no code when it is loaded. The builders
// here only save repeating the record layouts in each gauge. The gauges leave an
// element's owner and children to `link_chain` (at the end), which writes a
// gauge's whole chain.
#pragma once

#include "bitmap_table.hpp"
#include "gauge_abi.h"

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <tuple>
#include <type_traits>

namespace gauge {

// The image-flag sets the gauges draw with, named by what they are for. Every
// element keys out black and is erased before it is drawn again.
constexpr uint32_t layer_flags = IMAGE_FLAG_USE_TRANSPARENCY | IMAGE_FLAG_USE_ERASE; // 0x3
// Brightened by the panel lighting: dial faces, lit button faces, window backings.
constexpr uint32_t lit_layer_flags = layer_flags | IMAGE_FLAG_USE_LUMINOUS; // 0x4003
// Drawn afresh at every update, never blended into the static picture: display
// texts, lamps and the lit faces of pressed buttons.
constexpr uint32_t display_flags = layer_flags | IMAGE_FLAG_NO_STATIC_BLEND; // 0x7
// Parts that turn or slide, filtered smooth as they move: knobs and unlit needles.
constexpr uint32_t moving_flags = layer_flags | IMAGE_FLAG_BILINEAR; // 0x83
// Moving parts the panel lighting brightens: needles, sliders, moving images,
// sprites, and the flags that swing into view.
constexpr uint32_t lit_moving_flags = lit_layer_flags | IMAGE_FLAG_BILINEAR; // 0x4083

static_assert(layer_flags == 0x3 && lit_layer_flags == 0x4003 && display_flags == 0x7 &&
              moving_flags == 0x83 && lit_moving_flags == 0x4083);

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

// The common part of an element record from its kind's fields (bitmap, position,
// image flags and failures).
template <class Fields>
constexpr ElementRecord element_of(uint32_t kind, const Fields& fields, GaugeHeader* gauge,
                                   ElementRecord** children, Point offset = {}) {
    return element({.kind = kind,
                    .bitmap = fields.bitmap,
                    .position = fields.position,
                    .image_flags = fields.image_flags,
                    .offset = offset,
                    .failures = fields.failures},
                   gauge, children);
}

// The x and y sources, scales and callbacks of a slider or a sprite.
template <class Record, class Fields>
constexpr void set_axes(Record& record, const Fields& fields) {
    record.x_source = variable(fields.x_source);
    record.x_scale = fields.x_scale;
    record.y_source = variable(fields.y_source);
    record.y_scale = fields.y_scale;
    record.x_callback = fields.x_callback;
    record.y_callback = fields.y_callback;
}

constexpr StaticImageRecord static_image(uint32_t bitmap, Point position, uint32_t image_flags,
                                         GaugeHeader* gauge = nullptr,
                                         ElementRecord** children = nullptr) {
    StaticImageRecord record{};
    record.common = element({.kind = ELEMENT_STATIC_IMAGE,
                             .bitmap = bitmap,
                             .position = position,
                             .image_flags = image_flags},
                            gauge, children);
    return record;
}

// The same element record with a failure list, for a builder that takes none.
template <class Record>
constexpr Record with_failures(Record record, const FailureEntry* failures) {
    record.common.failures = failures;
    return record;
}

// Failure lists. Each entry names a host failure and what it does to the element
// while it is active; `listed` does nothing but tell the host what the element shows.
constexpr FailureEntry freeze(uint32_t key) { return {key, FAILURE_ACTION_FREEZE, 0}; }
constexpr FailureEntry zero(uint32_t key) { return {key, FAILURE_ACTION_ZERO, 0}; }
constexpr FailureEntry hide(uint32_t key) { return {key, FAILURE_ACTION_HIDE, 0}; }
constexpr FailureEntry listed(uint32_t key) { return {key, FAILURE_ACTION_NONE, 0}; }

// A failure list from its entries, ended by the empty entry the host stops at. Two
// elements with the same entries share one list.
template <FailureEntry... entries>
inline constexpr FailureEntry failure_list[] = {entries..., {0, 0, 0}};

// A needle's rows of value and angle, with their count.
struct NeedleTable {
    const NeedleRow* rows = nullptr;
    uint32_t count = 0;

    constexpr NeedleTable() = default;
    template <size_t N>
    constexpr NeedleTable(const NeedleRow (&table)[N]) : rows(table), count(uint32_t{N}) {}
};

// A needle's bitmap: its number and the point it turns about inside it, from the
// bitmap table (or a bare number, pivot {0, 0}).
struct NeedleBitmap {
    uint32_t number = 0;
    Point pivot{};

    constexpr NeedleBitmap() = default;
    constexpr NeedleBitmap(uint32_t bitmap) : number(bitmap) {}
    constexpr NeedleBitmap(const Bitmap& bitmap) : number(bitmap.number), pivot(bitmap.pivot) {}
};

// Where a needle turns about another point of its bitmap than the table's pivot
// (one needle bitmap drawn about two points).
struct NeedleOffset {
    bool given = false;
    Point point{};

    constexpr NeedleOffset() = default;
    constexpr NeedleOffset(Point offset) : given(true), point(offset) {}
    constexpr NeedleOffset(int32_t x, int32_t y) : given(true), point{x, y} {}
};

struct NeedleFields {
    NeedleBitmap bitmap{};
    Point pivot{}; // on the face
    NeedleOffset needle_offset{};
    uint32_t image_flags = 0;
    uint32_t source = 0;
    NeedleTable table{};
    const FailureEntry* failures = nullptr;
    ValueCallback callback = nullptr;
    uint32_t special_flags = 0; // ELEMENT_SPECIAL_KNOB on a knob the host turns
};

constexpr NeedleRecord needle(const NeedleFields& fields, GaugeHeader* gauge = nullptr,
                              ElementRecord** children = nullptr) {
    NeedleRecord record{};
    record.common = element(
        {.kind = ELEMENT_NEEDLE,
         .bitmap = fields.bitmap.number,
         .position = fields.pivot,
         .image_flags = fields.image_flags,
         .offset = fields.needle_offset.given ? fields.needle_offset.point : fields.bitmap.pivot,
         .failures = fields.failures,
         .special_flags = fields.special_flags},
        gauge, children);
    record.source = variable(fields.source);
    record.nonlinearity = fields.table.rows;
    record.row_count = fields.table.count;
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

constexpr MovingImageRecord moving_image(const MovingImageFields& fields,
                                         GaugeHeader* gauge = nullptr,
                                         ElementRecord** children = nullptr) {
    MovingImageRecord record{};
    record.common = element_of(ELEMENT_MOVING_IMAGE, fields, gauge, children);
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
    const char* font = ""; // up to FONT_FACE_BYTES - 1 characters are kept
    uint32_t font_weight = 400;
    uint32_t character_set = 1;
    uint32_t text_format = TEXT_FORMAT_CENTRED_LINE;
    uint32_t char_count = 0; // the host's text buffer holds char_count + 1 bytes
    const FailureEntry* failures = nullptr;
    TextCallback callback = nullptr;
};

constexpr StringRecord string_element(const StringFields& fields, GaugeHeader* gauge = nullptr,
                                      ElementRecord** children = nullptr) {
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

constexpr SliderRecord slider(const SliderFields& fields, GaugeHeader* gauge = nullptr,
                              ElementRecord** children = nullptr) {
    SliderRecord record{};
    record.common = element_of(ELEMENT_SLIDER, fields, gauge, children);
    set_axes(record, fields);
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

constexpr IconRecord icon(const IconFields& fields, GaugeHeader* gauge = nullptr,
                          ElementRecord** children = nullptr) {
    IconRecord record{};
    record.common = element_of(ELEMENT_ICON, fields, gauge, children);
    record.source = variable(fields.source);
    record.scale = fields.scale;
    record.icon_count = fields.icon_count;
    record.value_callback = fields.callback;
    return record;
}

// An icon of one image, at scale 1 unless given: a flag, a lamp, a lit button face,
// or (at scale 0) a display's backing or cover.
constexpr IconRecord one_image(uint32_t bitmap, Point position, uint32_t image_flags,
                               uint32_t source, const FailureEntry* failures,
                               ValueCallback callback, double scale = 1.0) {
    return icon({.bitmap = bitmap,
                 .position = position,
                 .image_flags = image_flags,
                 .source = source,
                 .scale = scale,
                 .icon_count = 1,
                 .failures = failures,
                 .callback = callback});
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

constexpr SpriteRecord sprite(const SpriteFields& fields, GaugeHeader* gauge = nullptr,
                              ElementRecord** children = nullptr) {
    SpriteRecord record{};
    record.common = element_of(ELEMENT_SPRITE, fields, gauge, children, fields.turning_point);
    set_axes(record, fields);
    record.rotation_source = variable(fields.rotation_source);
    record.rotation_scale = fields.rotation_scale;
    record.texture_scale_x = fields.texture_scale_x;
    record.texture_scale_y = fields.texture_scale_y;
    record.rotation_callback = fields.rotation_callback;
    return record;
}

constexpr void set_box(MouseArea& area, Box box) {
    area.box_x = box.x;
    area.box_y = box.y;
    area.box_width = box.width;
    area.box_height = box.height;
}

// Mouse-area records, in the order a list is written. Areas (begin and clickable
// records) carry a cursor word, -1 for none; tooltip and end records leave it 0.
constexpr MouseArea area_begin(uint32_t help_id = 0, Box box = {}) {
    MouseArea area{};
    area.kind = MOUSE_BEGIN;
    set_box(area, box);
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

constexpr MouseArea click_area(Box box, int32_t cursor, uint32_t mouse_flags,
                               MouseCallback callback, uint32_t key_event = 0) {
    MouseArea area{};
    area.kind = MOUSE_CHILD;
    set_box(area, box);
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

// A mouse list from its records in order. They must fill `list` exactly: a list
// with too few or too many records does not compile.
template <size_t N>
constexpr void write_mouse_list(MouseArea (&list)[N], std::initializer_list<MouseArea> records) {
    if (records.size() != N) throw "the mouse records do not fill the list"; // stops the build
    size_t i = 0;
    for (const MouseArea& record : records)
        list[i++] = record;
}

// ---------------------------------------------------------------------------------
// Element chains. Every gauge draws one chain, from the background to the front,
// each element the single child of the one before it. A gauge keeps its elements
// in a `Chain` of their record types in drawing order, and `link_chain` writes
// them from records given in that order, with every link the host follows: the
// gauge's root, each element's list of its one child, and each element's owner.
// The order is written once, in that call; a record whose type is not the chain's
// at its place does not compile.

// An element and the null-terminated list holding its one child.
template <class Record> struct Linked {
    Record record;
    ElementRecord* children[2];
};

// A run of N elements of one kind, one after the other in the chain (a drum
// counter's drums): in a chain's types, and as the records given for it.
template <class Record, size_t N> struct Repeated { Record records[N]; };

// The element records of one chain, back to front.
template <class... Records> struct Chain {};
template <class First, class... Rest> struct Chain<First, Rest...> {
    Linked<First> first;
    Chain<Rest...> rest;
};
template <class Record, size_t N, class... Rest> struct Chain<Repeated<Record, N>, Rest...> {
    Linked<Record> run[N];
    Chain<Rest...> rest;
};

namespace chain_detail {

template <class First, class... Rest> constexpr ElementRecord* front(Chain<First, Rest...>& chain) {
    return &chain.first.record.common;
}
template <class Record, size_t N, class... Rest>
constexpr ElementRecord* front(Chain<Repeated<Record, N>, Rest...>& chain) {
    return &chain.run[0].record.common;
}

// One element: its record, its owner, and its list holding `next` (none: the front
// element). `out` is in the value being built, `self` the same element in the
// object that value initialises. Whether there is a next element is known from the
// chain's types: testing the address for null is not a constant expression where
// the compiler instruments addresses (the sanitizer builds).
template <class Record>
constexpr void place(Linked<Record>& out, Linked<Record>& self, GaugeHeader* gauge,
                     const Record& record, ElementRecord* next) {
    out.record = record;
    ElementRecord& element = out.record.common;
    element.gauge = gauge;
    element.children = self.children;
    out.children[0] = next;
    out.children[1] = nullptr;
}

template <class Record>
constexpr void place_front(Linked<Record>& out, GaugeHeader* gauge, const Record& record) {
    out.record = record;
    out.record.common.gauge = gauge;
    out.record.common.children = nullptr;
}

// Places an element followed by the front of `rest`, or as the front element when
// `rest` is empty.
template <class Record, class... Rest>
constexpr void place_before(Linked<Record>& out, Linked<Record>& self, GaugeHeader* gauge,
                            const Record& record, Chain<Rest...>& rest) {
    if constexpr (sizeof...(Rest) == 0)
        place_front(out, gauge, record);
    else
        place(out, self, gauge, record, front(rest));
}

// Writes `records` into `out` (the value being built), linked through the
// addresses of `self` (the object that value initialises).
template <class Record, size_t N, class... Rest>
constexpr void link(Chain<Repeated<Record, N>, Rest...>& out,
                    Chain<Repeated<Record, N>, Rest...>& self, GaugeHeader* gauge,
                    const Repeated<Record, N>& run, const std::type_identity_t<Rest>&... rest);

template <class First, class... Rest>
constexpr void link(Chain<First, Rest...>& out, Chain<First, Rest...>& self, GaugeHeader* gauge,
                    const std::type_identity_t<First>& first,
                    const std::type_identity_t<Rest>&... rest) {
    place_before(out.first, self.first, gauge, first, self.rest);
    if constexpr (sizeof...(Rest) > 0) link(out.rest, self.rest, gauge, rest...);
}

template <class Record, size_t N, class... Rest>
constexpr void link(Chain<Repeated<Record, N>, Rest...>& out,
                    Chain<Repeated<Record, N>, Rest...>& self, GaugeHeader* gauge,
                    const Repeated<Record, N>& run, const std::type_identity_t<Rest>&... rest) {
    for (size_t i = 0; i + 1 < N; ++i)
        place(out.run[i], self.run[i], gauge, run.records[i], &self.run[i + 1].record.common);
    place_before(out.run[N - 1], self.run[N - 1], gauge, run.records[N - 1], self.rest);
    if constexpr (sizeof...(Rest) > 0) link(out.rest, self.rest, gauge, rest...);
}

} // namespace chain_detail

// Writes a gauge's chain: `out` is the gauge's records being built and `self` the
// gauge object they initialise (members `header`, `roots` and `elements`), and
// `records` its elements from the background to the front.
template <class Gauge, class... Records>
constexpr void link_chain(Gauge& out, Gauge& self, const Records&... records) {
    out.roots[0] = chain_detail::front(self.elements);
    out.roots[1] = nullptr;
    chain_detail::link(out.elements, self.elements, &self.header, records...);
}

// ---------------------------------------------------------------------------------
// A gauge's records as the module publishes them: its header, its list of one root
// element, its chain of elements back to front, and its mouse list of MouseRecords
// records. Each gauge names one such type and builds it with `gauge_records`.
template <size_t MouseRecords, class... Elements> struct GaugeRecords {
    GaugeHeader header;
    ElementRecord* roots[2];
    Chain<Elements...> elements;
    MouseArea mouse_areas[MouseRecords];
};

// What a gauge's header says besides its lists.
struct GaugeInfo {
    const char* name = nullptr;
    uint32_t size_mm = 100;
    GaugeCallback callback = nullptr;
};

// A gauge's element records in drawing order, back to front, for `gauge_records`.
template <class... Records> constexpr std::tuple<Records...> elements(const Records&... records) {
    return {records...};
}

// Builds a gauge's records from its header, its elements in drawing order and its
// mouse list in the order the host reads it; `self` is the object being
// initialised, whose addresses the records point at.
template <size_t MouseRecords, class... Elements, class... Records>
constexpr GaugeRecords<MouseRecords, Elements...>
gauge_records(GaugeRecords<MouseRecords, Elements...>& self, const GaugeInfo& info,
              const std::tuple<Records...>& records, std::initializer_list<MouseArea> mouse_list) {
    GaugeRecords<MouseRecords, Elements...> gauge{};
    gauge.header =
        gauge_header(info.name, self.roots, info.size_mm, self.mouse_areas, info.callback);
    std::apply([&](const Records&... in_order) { link_chain(gauge, self, in_order...); }, records);
    write_mouse_list(gauge.mouse_areas, mouse_list);
    return gauge;
}

} // namespace gauge
