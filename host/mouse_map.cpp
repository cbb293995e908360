// mouse_map.cpp - reading a gauge's mouse list into absolute areas, and hit tests.
#include "mouse_map.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string_view>
#include <utility>

namespace panelhost {

namespace {

constexpr uint32_t kButtonBits = MOUSE_LEFT_BUTTON | MOUSE_RIGHT_BUTTON;
constexpr double kFirstRepeatMs = 300.0;
constexpr double kRepeatIntervalMs = 100.0;

std::string at_record(size_t index, std::string_view what) {
    return "mouse record " + std::to_string(index) + ": " + std::string(what);
}

bool has_zero_box(const MouseArea& record) {
    return record.box_x == 0 && record.box_y == 0 && record.box_width == 0 &&
           record.box_height == 0;
}

// A record's box made absolute inside the box of the area it belongs to. An all-zero
// box covers that area; a negative size becomes zero so the box holds nothing.
Box place(const MouseArea& record, const Box& within) {
    if (has_zero_box(record)) return within;
    return {within.x + record.box_x, within.y + record.box_y,
            static_cast<double>(std::max(record.box_width, 0)),
            static_cast<double>(std::max(record.box_height, 0))};
}

// Walks a list record by record, keeping the stack of areas still open. Kind 2 and
// kind 4 records belong to the top of that stack.
class ListReader {
  public:
    ListReader(double design_width, double design_height)
        : gauge_{0.0, 0.0, design_width, design_height} {}

    // Takes one record other than MOUSE_END. False when the rest must be ignored.
    bool read(const MouseArea& record, size_t index) {
        switch (record.kind) {
        case MOUSE_BEGIN: return begin_area(record, index);
        case MOUSE_CHILD:
            if (area_open(index, "clickable area")) add_node(record);
            return true;
        case MOUSE_PARENT_END:
            if (area_open(index, "area end")) open_.pop_back();
            return true;
        case MOUSE_TOOLTIP:
            if (area_open(index, "tooltip")) attach_tooltip(record);
            return true;
        default:
            note(at_record(index, "unknown kind " + std::to_string(record.kind) + ", skipped"));
            return true;
        }
    }

    void finish_at(size_t end_index) {
        if (!open_.empty())
            note(at_record(end_index, "list ends with " + std::to_string(open_.size()) +
                                          " area(s) still open"));
    }

    void note(std::string problem) { map_.problems.push_back(std::move(problem)); }

    MouseMap take() { return std::move(map_); }

  private:
    bool begin_area(const MouseArea& record, size_t index) {
        if (open_.size() >= static_cast<size_t>(max_mouse_depth)) {
            note(at_record(index, "areas nested deeper than " + std::to_string(max_mouse_depth) +
                                      ", rest of list ignored"));
            return false;
        }
        open_.push_back(add_node(record));
        return true;
    }

    bool area_open(size_t index, std::string_view what) {
        if (!open_.empty()) return true;
        note(at_record(index, std::string(what) + " outside any area, ignored"));
        return false;
    }

    int add_node(const MouseArea& record) {
        const int parent = open_.empty() ? -1 : open_.back();
        const Box box = place(record, parent < 0 ? gauge_ : map_.nodes[parent].box);
        const uint32_t help_id = record.kind == MOUSE_BEGIN ? record.help_id : 0;
        map_.nodes.push_back(
            {&record, box, parent, static_cast<int>(open_.size()), help_id, nullptr});
        return static_cast<int>(map_.nodes.size() - 1);
    }

    void attach_tooltip(const MouseArea& record) {
        MouseNode& area = map_.nodes[open_.back()];
        area.tooltip = record.action.tooltip;
        if (record.help_id != 0) area.help_id = record.help_id;
    }

    Box gauge_;
    MouseMap map_;
    std::vector<int> open_; // node indices of the areas begun and not yet ended
};

bool is_child(const MouseNode& node) { return node.record->kind == MOUSE_CHILD; }

// True when the node's box and the boxes of all its enclosing areas hold the point.
bool under_point(const MouseMap& map, size_t index, double x, double y) {
    for (int i = static_cast<int>(index); i >= 0; i = map.nodes[i].parent)
        if (!map.nodes[i].box.contains(x, y)) return false;
    return true;
}

std::optional<size_t> deepest_under_point(const MouseMap& map, double x, double y) {
    std::optional<size_t> deepest;
    for (size_t i = 0; i < map.nodes.size(); ++i)
        if (under_point(map, i, x, y) &&
            (!deepest || map.nodes[i].depth >= map.nodes[*deepest].depth))
            deepest = i;
    return deepest;
}

// The innermost area under the point that has a help id or tooltip text (the
// later one among areas of equal depth). It need not enclose the clickable area
// under the point: a knob's help sits in an area of its own beside the knob's
// click areas, which belong to the whole gauge.
const MouseNode* help_source(const MouseMap& map, double x, double y) {
    const MouseNode* source = nullptr;
    for (size_t i = 0; i < map.nodes.size(); ++i) {
        const MouseNode& node = map.nodes[i];
        if ((node.help_id != 0 || node.tooltip != nullptr) && under_point(map, i, x, y) &&
            (!source || node.depth >= source->depth))
            source = &node;
    }
    return source;
}

} // namespace

bool Box::contains(double px, double py) const {
    return x <= px && px < x + width && y <= py && py < y + height;
}

MouseMap read_mouse_map(const MouseArea* list, double design_width, double design_height,
                        size_t max_records) {
    ListReader reader(design_width, design_height);
    if (list == nullptr) return reader.take();
    for (size_t i = 0; i < max_records; ++i) {
        if (list[i].kind == MOUSE_END) {
            reader.finish_at(i);
            return reader.take();
        }
        if (!reader.read(list[i], i)) return reader.take();
    }
    reader.note("mouse list: no end record within " + std::to_string(max_records) +
                " records, cut there");
    return reader.take();
}

std::optional<size_t> click_target(const MouseMap& map, double x, double y, uint32_t buttons) {
    for (size_t i = 0; i < map.nodes.size(); ++i) {
        const MouseNode& node = map.nodes[i];
        if (is_child(node) && (node.record->mouse_flags & buttons & kButtonBits) != 0 &&
            under_point(map, i, x, y))
            return i;
    }
    return std::nullopt;
}

PointerInfo pointer_info(const MouseMap& map, double x, double y) {
    PointerInfo info{CURSOR_NONE, 0, nullptr};
    const std::optional<size_t> hit = deepest_under_point(map, x, y);
    if (!hit) return info;
    if (is_child(map.nodes[*hit])) info.cursor = map.nodes[*hit].record->cursor;
    if (const MouseNode* source = help_source(map, x, y)) {
        info.help_id = source->help_id;
        info.tooltip = source->tooltip;
    }
    return info;
}

uint32_t repeat_calls_due(double held_ms) {
    if (!(held_ms >= kFirstRepeatMs)) return 1; // also catches NaN
    const double repeats = 1.0 + std::floor((held_ms - kFirstRepeatMs) / kRepeatIntervalMs);
    constexpr double most_repeats = std::numeric_limits<uint32_t>::max() - 1.0;
    return 1 + static_cast<uint32_t>(std::min(repeats, most_repeats));
}

} // namespace panelhost
