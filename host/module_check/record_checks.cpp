#include "module_check/record_checks.hpp"

#include "element_model.hpp"
#include "loaded_module.hpp"
#include "module_check/chain_walk.hpp"
#include "module_library.hpp"
#include "mouse_map.hpp"
#include "older_gauge.hpp"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <set>

namespace panelhost::check {
namespace {

constexpr size_t longest_gauge_name = 63;
constexpr uint32_t widest_gauge_mm = 2000;

std::string hex(uintptr_t value) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%llX", static_cast<unsigned long long>(value));
    return text;
}

Finding module_finding(std::string check, std::string message) {
    return {std::move(check), std::nullopt, "", std::move(message), ""};
}

bool is_resource_problem(const LoadedModule& module, const std::string& warning) {
    for (const std::string& problem : module.resources().problems())
        if (warning == module.path() + ": " + problem) return true;
    return false;
}

void check_linkage_words(const ModuleLinkage& linkage, std::vector<Finding>& out) {
    if (linkage.version != GAUGE_LINKAGE_VERSION && linkage.version != GAUGE_LINKAGE_VERSION_OLD)
        out.push_back(module_finding("linkage", "Linkage word 5 (version) is " +
                                                    hex(linkage.version) +
                                                    ", neither 0x900 nor 0"));
    if (linkage.flags != 0)
        out.push_back(module_finding("linkage", "Linkage word 3 (flags) is " + hex(linkage.flags) +
                                                    ", not 0"));
    if (linkage.priority != 0)
        out.push_back(module_finding("linkage", "Linkage word 4 (priority) is " +
                                                    std::to_string(linkage.priority) + ", not 0"));
}

// The module's own ImportTable, found by opening its file once more: the loader
// keeps its library to itself, and a second open of a loaded file is the same one.
void check_import_table(const LoadedModule& module, std::vector<Finding>& out) {
    std::string ignored;
    std::unique_ptr<ModuleLibrary> library = open_module_library(module.path(), ignored);
    const auto* imports =
        library ? static_cast<const ImportEntry*>(library->symbol("ImportTable")) : nullptr;
    if (!imports) return; // loading noted it
    bool panel_services = false;
    for (size_t i = 0;; ++i) {
        if (i == max_import_entries) {
            out.push_back(module_finding("import-table",
                                         "ImportTable has no all-zero end entry within " +
                                             std::to_string(max_import_entries) + " entries"));
            return;
        }
        if (imports[i].service_id == 0) break;
        if (imports[i].service_id == GAUGE_IMPORT_PANEL_SERVICES) panel_services = true;
    }
    if (!panel_services)
        out.push_back(module_finding("import-table",
                                     "ImportTable has no panel-service entry (id 0x0F): its "
                                     "callbacks cannot reach the host"));
}

std::string name_problem(const char* name) {
    size_t length = strnlen(name, longest_gauge_name + 1);
    if (length == 0) return "the gauge name is empty";
    if (length > longest_gauge_name)
        return "the gauge name is longer than " + std::to_string(longest_gauge_name) +
               " characters";
    for (size_t i = 0; i < length; ++i) {
        unsigned char c = static_cast<unsigned char>(name[i]);
        if (c <= ' ' || c >= 0x7F || c == ',' || c == '!' || c == ';')
            return "the gauge name holds '" + shortened(std::string(1, char(c))) +
                   "', which a panel configuration line cannot name";
    }
    return {};
}

// --- the current interface ----------------------------------------------------

struct Extent {
    const void* begin;
    size_t bytes;
    std::string what;
    std::optional<size_t> element;
    unsigned kind = 0;
};

// Records of one gauge that share bytes: one of them is shorter than its kind says,
// or two records were laid over each other.
void check_overlaps(std::vector<Extent> extents, std::vector<Finding>& out) {
    std::sort(extents.begin(), extents.end(), [](const Extent& a, const Extent& b) {
        return std::less<const void*>()(a.begin, b.begin);
    });
    for (size_t i = 0; i + 1 < extents.size(); ++i) {
        const Extent& a = extents[i];
        const Extent& b = extents[i + 1];
        auto end_of_a = static_cast<const char*>(a.begin) + a.bytes;
        if (std::less<const void*>()(b.begin, end_of_a)) {
            std::string message = "the " + a.what + " (" + std::to_string(a.bytes / 4) +
                                  " words) overlaps the " + b.what +
                                  ": a record is shorter than its kind's length";
            if (a.element)
                out.push_back(element_finding("record-length", *a.element, a.kind, message));
            else
                out.push_back(module_finding("record-length", message));
        }
    }
}

void check_failure_list(const WalkedElement& walked, std::vector<Finding>& out) {
    auto note = [&](std::string message) {
        out.push_back(
            element_finding("failure-list", walked.index, walked.record->kind, std::move(message)));
    };
    const FailureEntries entries(walked.record->failures);
    size_t index = 0;
    for (const FailureEntry& entry : entries) {
        if (entry.action > FAILURE_ACTION_HIDE)
            note("failure entry " + std::to_string(index) + " (key " + std::to_string(entry.key) +
                 ") has unknown action " + std::to_string(entry.action));
        ++index;
    }
    if (!entries.ended())
        note("the failure list has no zero-key end entry within " +
             std::to_string(max_failure_entries) + " entries");
}

void check_needle_table(const WalkedElement& walked, const NeedleRow* rows, uint32_t count,
                        std::vector<Finding>& out) {
    auto note = [&](std::string message) {
        out.push_back(
            element_finding("needle-table", walked.index, walked.record->kind, std::move(message)));
    };
    if (!rows) {
        if (count != 0)
            note("row count " + std::to_string(count) + " but no table: the value is the angle");
        return;
    }
    if (count == 0) return note("a table with row count 0: the needle ignores it");
    if (count > max_needle_rows)
        return note("row count " + std::to_string(count) + " is more than the host reads (" +
                    std::to_string(max_needle_rows) + ")");
    const ElementRecord& needle = *walked.record;
    int direction = 0; // +1 rising, -1 falling, 0 not known yet
    for (uint32_t i = 0; i < count; ++i) {
        if (!std::isfinite(rows[i].value))
            return note("row " + std::to_string(i) + " has the value " +
                        number_text(rows[i].value));
        if (rows[i].x == needle.position_x && rows[i].y == needle.position_y)
            note("row " + std::to_string(i) + "'s point is the pivot: it gives no direction");
        if (i == 0) continue;
        double step = rows[i].value - rows[i - 1].value;
        int sign = step > 0 ? 1 : (step < 0 ? -1 : 0);
        if (sign != 0 && direction != 0 && sign != direction)
            return note("the values are not monotonic: row " + std::to_string(i) + " (" +
                        number_text(rows[i].value) + ") turns back after row " +
                        std::to_string(i - 1) + " (" + number_text(rows[i - 1].value) + ")");
        if (sign != 0) direction = sign;
    }
}

void note_nonzero_host_word(const WalkedElement& walked, uintptr_t word, int index,
                            std::vector<Finding>& out) {
    if (word != 0)
        out.push_back(element_finding("element", walked.index, walked.record->kind,
                                      "word " + std::to_string(index) +
                                          " (the host's) is not zero in the module's data"));
}

void check_string(const WalkedElement& walked, std::vector<Finding>& out) {
    const auto& string = *reinterpret_cast<const StringRecord*>(walked.record);
    auto note = [&](std::string message) {
        out.push_back(element_finding("string", walked.index, ELEMENT_STRING, std::move(message)));
    };
    if (string.char_count == 0) note("char_count is 0: the text buffer holds nothing");
    if (string.char_count > max_text_chars)
        note("char_count " + std::to_string(string.char_count) + " is more than the host gives (" +
             std::to_string(max_text_chars) + ")");
    if (strnlen(string.font_face, FONT_FACE_BYTES) == FONT_FACE_BYTES)
        note("the font face name has no terminating zero within its 32 bytes");
    if (string.box_width == 0 || string.box_height == 0) note("the text box has no area");
    if (!string.text_callback) note("no text callback: the text stays empty");
    if (string.text) note("word 46 (the host's text buffer) is not zero in the module's data");
}

void check_kind_fields(const WalkedElement& walked, std::vector<Finding>& out) {
    const ElementRecord& element = *walked.record;
    auto note = [&](std::string check, std::string message) {
        out.push_back(
            element_finding(std::move(check), walked.index, element.kind, std::move(message)));
    };
    switch (element.kind) {
    case ELEMENT_NEEDLE: {
        const auto& needle = reinterpret_cast<const NeedleRecord&>(element);
        check_needle_table(walked, needle.nonlinearity, needle.row_count, out);
        break;
    }
    case ELEMENT_STRING: check_string(walked, out); break;
    case ELEMENT_SLIDER: {
        const auto& slider = reinterpret_cast<const SliderRecord&>(element);
        if (!std::isfinite(slider.x_scale) || !std::isfinite(slider.y_scale))
            note("slider", "a scale is not a finite number");
        break;
    }
    case ELEMENT_ICON: {
        const auto& icon = reinterpret_cast<const IconRecord&>(element);
        if (icon.icon_count == 0) note("icon", "icon_count is 0: the icon is never shown");
        break;
    }
    case ELEMENT_MOVING_IMAGE: {
        const auto& image = reinterpret_cast<const MovingImageRecord&>(element);
        auto check_axis = [&](const char* axis, const TokenVariable& source, ValueCallback callback,
                              double start, double end) {
            if (source.id == 0 && !callback) return;
            if (!std::isfinite(start) || !std::isfinite(end))
                note("moving-image", std::string("the ") + axis + " range is not finite");
            else if (start == end)
                note("moving-image", std::string("the ") + axis +
                                         " range starts where it ends: the picture never moves");
        };
        check_axis("x", image.x_source, image.x_callback, image.x_range_start, image.x_range_end);
        check_axis("y", image.y_source, image.y_callback, image.y_range_start, image.y_range_end);
        break;
    }
    case ELEMENT_SPRITE: {
        const auto& sprite = reinterpret_cast<const SpriteRecord&>(element);
        if (!std::isfinite(sprite.x_scale) || !std::isfinite(sprite.y_scale) ||
            !std::isfinite(sprite.rotation_scale))
            note("sprite", "a scale is not a finite number");
        if (!(sprite.texture_scale_x > 0 && sprite.texture_scale_y > 0 &&
              std::isfinite(sprite.texture_scale_x) && std::isfinite(sprite.texture_scale_y)))
            note("sprite", "a texture scale is not a positive finite number");
        break;
    }
    default: break;
    }
}

void check_element(const WalkedElement& walked, const void* header, bool older,
                   std::vector<Finding>& out) {
    const ElementRecord& element = *walked.record;
    const bool known = older ? older_layout_known(element.kind) : element.kind < ELEMENT_KIND_COUNT;
    if (!known) {
        out.push_back(element_finding(
            "element-kind", walked.index, element.kind,
            "kind " + std::to_string(element.kind) +
                (older ? " has no layout in the older interface" : " is not an element kind") +
                ": the host does not draw it"));
        return;
    }
    const void* owner = older ? static_cast<const void*>(element.gauge_old)
                              : static_cast<const void*>(element.gauge);
    if (owner != header)
        out.push_back(element_finding("element", walked.index, element.kind,
                                      "word 8 does not point at the gauge's header"));
    check_failure_list(walked, out);
    if (older) {
        if (element.kind == ELEMENT_NEEDLE) {
            const auto& needle = reinterpret_cast<const NeedleRecordOld&>(element);
            check_needle_table(walked, needle.nonlinearity, needle.row_count, out);
        }
        return;
    }
    note_nonzero_host_word(walked, uintptr_t(element.previous_x | element.previous_y), 4, out);
    note_nonzero_host_word(walked, reinterpret_cast<uintptr_t>(element.previous_element), 9, out);
    check_kind_fields(walked, out);
}

void check_header_words(const GaugeHeader& header, std::vector<Finding>& out) {
    const uintptr_t host_routines[] = {reinterpret_cast<uintptr_t>(header.query_routine),
                                       reinterpret_cast<uintptr_t>(header.install_routine),
                                       reinterpret_cast<uintptr_t>(header.initialize_routine),
                                       reinterpret_cast<uintptr_t>(header.update_routine),
                                       reinterpret_cast<uintptr_t>(header.generate_routine),
                                       reinterpret_cast<uintptr_t>(header.draw_routine),
                                       reinterpret_cast<uintptr_t>(header.kill_routine)};
    for (size_t i = 0; i < std::size(host_routines); ++i)
        if (host_routines[i] != 0)
            out.push_back(
                module_finding("header", "header word " + std::to_string(3 + i) +
                                             " (the host's) is not zero in the module's data"));
    if (header.parameters)
        out.push_back(module_finding(
            "header", "header word 23 (parameters, the host's) is not zero in the module's data"));
}

template <class Header> void check_common_header(const Header& header, std::vector<Finding>& out) {
    if (header.size_mm == 0)
        out.push_back(module_finding("header", "the design width (word 11) is 0 mm"));
    else if (header.size_mm > widest_gauge_mm)
        out.push_back(module_finding("header", "the design width (word 11) is " +
                                                   std::to_string(header.size_mm) + " mm"));
    if (!header.element_list || !header.element_list[0])
        out.push_back(module_finding("header", "the header names no element: nothing is drawn"));
}

} // namespace

std::vector<Finding> check_module_records(const LoadedModule& module) {
    std::vector<Finding> out;
    for (const std::string& warning : module.warnings())
        out.push_back(
            module_finding(is_resource_problem(module, warning) ? "resource" : "linkage", warning));
    check_linkage_words(module.linkage(), out);
    check_import_table(module, out);
    if (module.gauges().empty())
        out.push_back(module_finding("linkage", "the Linkage gauge list holds no gauge"));
    std::set<std::string> names;
    for (const GaugeHeader* header : module.gauges())
        if (!names.insert(header->name).second)
            out.push_back(module_finding("linkage", std::string("two gauges are named ") +
                                                        header->name +
                                                        ": panels reach only the first"));
    return out;
}

std::vector<Finding> check_gauge_records(const LoadedModule& module, const GaugeHeader& header) {
    std::vector<Finding> out;
    if (std::string problem = name_problem(header.name); !problem.empty())
        out.push_back(module_finding("header", problem));
    const GaugeHeaderOld* older = older_header(&header);
    std::vector<Extent> extents;
    if (older) {
        check_common_header(*older, out);
        extents.push_back({older, sizeof(GaugeHeaderOld), "gauge header"});
    } else {
        check_common_header(header, out);
        check_header_words(header, out);
        extents.push_back({&header, sizeof(GaugeHeader), "gauge header"});
    }
    ChainWalk walk = walk_chain(header.element_list);
    out.insert(out.end(), walk.findings.begin(), walk.findings.end());
    const void* owner = older ? static_cast<const void*>(older) : &header;
    for (const WalkedElement& walked : walk.elements) {
        check_element(walked, owner, older != nullptr, out);
        extents.push_back({walked.record,
                           element_record_bytes(walked.record->kind, older != nullptr),
                           "record of element " + std::to_string(walked.index), walked.index,
                           walked.record->kind});
    }
    if (!older && header.mouse_areas) {
        auto [width, height] = module.design_size(header);
        std::vector<Finding> mouse =
            check_mouse_list(header.mouse_areas, {double(width), double(height)});
        out.insert(out.end(), mouse.begin(), mouse.end());
        size_t records = 0;
        while (records < max_mouse_records && header.mouse_areas[records].kind != MOUSE_END)
            ++records;
        extents.push_back({header.mouse_areas, (records + 1) * sizeof(MouseArea), "mouse list"});
    }
    check_overlaps(std::move(extents), out);
    return out;
}

std::vector<Finding> check_mouse_list(const MouseArea* list, DesignSize size) {
    std::vector<Finding> out;
    const bool sized = size.width > 0 && size.height > 0;
    MouseMap map = read_mouse_map(list, sized ? size.width : 1e9, sized ? size.height : 1e9,
                                  max_mouse_records);
    for (const std::string& problem : map.problems)
        out.push_back(module_finding("mouse-list", problem));
    for (size_t i = 0; i < map.nodes.size(); ++i) {
        const MouseNode& node = map.nodes[i];
        const size_t record = size_t(node.record - list);
        std::string where = "mouse record " + std::to_string(record);
        const Box& box = node.box;
        // A box reaching past the gauge's edge is clipped there; one wholly outside
        // can never be clicked.
        if (sized && (box.x >= size.width || box.y >= size.height || box.x + box.width <= 0 ||
                      box.y + box.height <= 0))
            out.push_back(module_finding(
                "mouse-box", where + ": its box (" + number_text(box.x) + ", " +
                                 number_text(box.y) + ", " + number_text(box.width) + " x " +
                                 number_text(box.height) + ") lies outside the gauge (" +
                                 number_text(size.width) + " x " + number_text(size.height) + ")"));
        if (node.record->kind != MOUSE_CHILD) continue;
        if (!node.record->action.callback && node.record->key_event == 0)
            out.push_back(module_finding("mouse-list", where + ": a clickable area with neither "
                                                               "a callback nor a key event"));
        if ((node.record->mouse_flags & (MOUSE_LEFT_BUTTON | MOUSE_RIGHT_BUTTON)) == 0)
            out.push_back(module_finding("mouse-list", where +
                                                           ": a clickable area whose flags "
                                                           "name no button: no click reaches it"));
    }
    return out;
}

} // namespace panelhost::check
