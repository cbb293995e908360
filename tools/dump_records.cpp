// Writes every word of a gauge module's published records as text, one line a word
// (or a field that spans words: a double, a pointer of a 64-bit build), so that the
// records of two builds can be compared with diff.
//
//   dump_records MODULE.so [SYMBOLS]
//
// The records are read as a host reads them: Linkage and ImportTable, each gauge
// header, its element chain (every element, its children list, failure list and
// needle table) and its mouse list. Pointers are shown as what they point at
// ("-> element 3", "-> failures: 2 and the end"), code pointers as "code" and host words
// as they are. With SYMBOLS, a file of `nm --defined-only -C` lines for the module,
// each code pointer also names its function, for reading rather than diffing.
//
// The older interface's header names no mouse list: its install routine hands the
// list to the host. The tool fills ImportTable with a table whose only service
// notes that list (after ImportTable has been written out), and calls the routine.
#include "gauge_abi.h"

#include <dlfcn.h>

#include <algorithm>
#include <cinttypes>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr size_t max_gauges = 256;
constexpr size_t max_elements = 256;
constexpr size_t max_children = 16;
constexpr size_t max_list_entries = 512;

// How a field's bytes are shown.
enum class Show {
    unsigned_word,
    signed_word,
    hex_word,
    number,       // double
    single,       // float
    text,         // pointer to a zero-terminated string
    code,         // pointer to a function
    owner,        // pointer to the gauge header
    children,     // pointer to a zero-terminated element list
    failures,     // pointer to a failure list
    table,        // pointer to needle rows (the count is the next field)
    host_pointer, // a pointer the host fills: shown as its value
    mouse_list,   // pointer to the gauge's mouse list
    mouse_action, // a mouse area's callback or tooltip text, by its kind
};

struct Field {
    const char* name;
    size_t offset;
    size_t size;
    Show show;
};

#define FIELD(type, member, show)                                                                  \
    Field { #member, offsetof(type, member), sizeof(type::member), Show::show }

// A token variable (an element's source) as four fields: the variable number the
// module writes, named after the source ("x_source.id"), then the words the host
// fills on each refresh, by their own names. Its host_type word is left to the
// uncovered words.
#define SOURCE(type, member)                                                                       \
    FIELD(type, member.id, unsigned_word), SOURCE_PART(type, member, host_pointer, host_pointer),  \
        SOURCE_PART(type, member, value, number), SOURCE_PART(type, member, previous, number)
#define SOURCE_PART(type, member, part, show)                                                      \
    Field { #part, offsetof(type, member.part), sizeof(type::member.part), Show::show }

// The symbols of the module file, for naming code pointers.
class Symbols {
  public:
    void load(const char* path) {
        std::ifstream in(path);
        std::string line;
        while (std::getline(in, line)) {
            std::istringstream fields(line);
            std::string address, type;
            if (!(fields >> address >> type)) continue;
            if (type != "t" && type != "T" && type != "W" && type != "w") continue;
            std::string name;
            std::getline(fields, name);
            if (!name.empty() && name[0] == ' ') name.erase(0, 1);
            by_offset_[std::stoull(address, nullptr, 16)] = name;
        }
    }

    // The function at `offset` from the module's base, or "".
    std::string name(uintptr_t offset) const {
        auto found = by_offset_.find(offset);
        return found == by_offset_.end() ? "" : found->second;
    }

  private:
    std::map<uintptr_t, std::string> by_offset_;
};

class Dumper {
  public:
    Dumper(const char* module_name, uintptr_t base, const Symbols* symbols)
        : module_(module_name), base_(base), symbols_(symbols) {}

    void linkage(const uint32_t* linkage_words) {
        const auto* linkage = reinterpret_cast<const ModuleLinkage*>(linkage_words);
        static const Field fields[] = {
            FIELD(ModuleLinkage, module_id, hex_word),
            FIELD(ModuleLinkage, init, code),
            FIELD(ModuleLinkage, fini, code),
            FIELD(ModuleLinkage, flags, hex_word),
            FIELD(ModuleLinkage, priority, unsigned_word),
            FIELD(ModuleLinkage, version, hex_word),
        };
        record("Linkage", linkage, sizeof(ModuleLinkage), fields, std::size(fields));
        GaugeHeader* const* gauges = GAUGE_LINKAGE_GAUGES(linkage);
        size_t count = 0;
        while (count < max_gauges && gauges[count])
            ++count;
        for (size_t i = 0; i < count; ++i)
            headers_[gauges[i]] = gauge_name(gauges[i]);
        for (size_t i = 0; i <= count; ++i)
            line("Linkage", "gauge[" + std::to_string(i) + "]", pointer_to(gauges[i]));
        for (size_t i = 0; i < count; ++i)
            gauge(gauges[i]);
    }

    void import_table(const ImportEntry* table) {
        static const Field fields[] = {FIELD(ImportEntry, service_id, hex_word),
                                       FIELD(ImportEntry, table, host_pointer)};
        for (size_t i = 0; i < 8; ++i) {
            record("ImportTable entry " + std::to_string(i), &table[i], sizeof(ImportEntry), fields,
                   std::size(fields));
            if (table[i].service_id == 0) break;
        }
    }

    // The older interface's mouse list, once its install routine has handed it over.
    void older_mouse_list(const GaugeHeaderOld* header, const MouseArea* list) {
        gauge_ = gauge_name(reinterpret_cast<const GaugeHeader*>(header));
        mouse_list(list);
    }

  private:
    static std::string gauge_name(const GaugeHeader* header) {
        return header && header->name ? header->name : "(unnamed)";
    }

    void line(const std::string& where, const std::string& field, const std::string& value) {
        std::printf("%s | %s | %s | %s\n", module_.c_str(), where.c_str(), field.c_str(),
                    value.c_str());
    }

    std::string code(const void* function) const {
        if (!function) return "null";
        if (!symbols_) return "code";
        uintptr_t offset = reinterpret_cast<uintptr_t>(function) - base_;
        std::string name = symbols_->name(offset);
        return "code " + (name.empty() ? "(unknown)" : name);
    }

    std::string pointer_to(const void* target) const {
        if (!target) return "null";
        if (auto header = headers_.find(target); header != headers_.end())
            return "-> header " + header->second;
        if (auto element = elements_.find(target); element != elements_.end())
            return "-> element " + std::to_string(element->second);
        return "-> (elsewhere)";
    }

    static std::string quoted(const char* text) {
        if (!text) return "null";
        std::string out = "-> \"";
        for (size_t i = 0; text[i] && i < 256; ++i)
            out += text[i];
        return out + "\"";
    }

    static std::string words_of(size_t offset, size_t size) {
        size_t first = offset / 4, last = (offset + size - 1) / 4;
        return first == last ? "word " + std::to_string(first)
                             : "words " + std::to_string(first) + "-" + std::to_string(last);
    }

    // One line for each field of `fields` and each word no field covers.
    void record(const std::string& where, const void* data, size_t size, const Field* fields,
                size_t field_count, uint32_t mouse_kind = 0) {
        const auto* bytes = static_cast<const unsigned char*>(data);
        for (size_t at = 0; at < size;) {
            const Field* field = nullptr;
            for (size_t i = 0; i < field_count; ++i)
                if (fields[i].offset == at) field = &fields[i];
            if (!field) {
                uint32_t word = 0;
                std::memcpy(&word, bytes + at, std::min<size_t>(4, size - at));
                char text[16];
                std::snprintf(text, sizeof text, "0x%08" PRIX32, word);
                line(where, words_of(at, 4), text);
                at += 4;
                continue;
            }
            line(where, words_of(at, field->size) + " " + field->name,
                 value(bytes + at, *field, mouse_kind));
            at += field->size;
        }
    }

    std::string value(const unsigned char* at, const Field& field, uint32_t mouse_kind) {
        auto read = [&](auto out) {
            std::memcpy(&out, at, sizeof out);
            return out;
        };
        char text[64];
        switch (field.show) {
        case Show::unsigned_word: return std::to_string(read(uint32_t{}));
        case Show::signed_word: return std::to_string(read(int32_t{}));
        case Show::hex_word:
            std::snprintf(text, sizeof text, "0x%" PRIX32, read(uint32_t{}));
            return text;
        case Show::number: {
            double number = read(double{});
            uint64_t bits = read(uint64_t{});
            std::snprintf(text, sizeof text, "%.17g (0x%016" PRIX64 ")", number, bits);
            return text;
        }
        case Show::single: {
            float number = read(float{});
            std::snprintf(text, sizeof text, "%.9g (0x%08" PRIX32 ")", number, read(uint32_t{}));
            return text;
        }
        case Show::text: return quoted(read(static_cast<const char*>(nullptr)));
        case Show::code: return code(read(static_cast<const void*>(nullptr)));
        case Show::owner: return pointer_to(read(static_cast<const void*>(nullptr)));
        case Show::children: {
            auto* list = read(static_cast<ElementRecord* const*>(nullptr));
            if (!list) return "null";
            size_t count = 0;
            while (count < max_children && list[count])
                ++count;
            return "-> children: " + std::to_string(count) + " and the end";
        }
        case Show::failures: {
            auto* list = read(static_cast<const FailureEntry*>(nullptr));
            if (!list) return "null";
            size_t count = 0;
            while (count < max_list_entries && list[count].key)
                ++count;
            return "-> failures: " + std::to_string(count) + " and the end";
        }
        case Show::table:
            return read(static_cast<const void*>(nullptr)) ? "-> needle rows" : "null";
        case Show::host_pointer: {
            auto pointer = reinterpret_cast<uintptr_t>(read(static_cast<const void*>(nullptr)));
            if (!pointer) return "null";
            std::snprintf(text, sizeof text, "0x%" PRIXPTR " (set)", pointer);
            return text;
        }
        case Show::mouse_list:
            return read(static_cast<const void*>(nullptr)) ? "-> mouse list" : "null";
        case Show::mouse_action:
            if (mouse_kind == MOUSE_TOOLTIP) return quoted(read(static_cast<const char*>(nullptr)));
            return code(read(static_cast<const void*>(nullptr)));
        }
        return "?";
    }

    // Elements in chain order: each element, then its children. Numbers from 1.
    void number_elements(ElementRecord* element) {
        if (!element || elements_.count(element) || order_.size() >= max_elements) return;
        order_.push_back(element);
        elements_[element] = order_.size();
        for (size_t i = 0; element->children && element->children[i] && i < max_children; ++i)
            number_elements(element->children[i]);
    }

    void gauge(const GaugeHeader* header) {
        gauge_ = gauge_name(header);
        elements_.clear();
        order_.clear();
        bool older = header->version == GAUGE_HEADER_VERSION_OLD;
        if (older)
            older_header(reinterpret_cast<const GaugeHeaderOld*>(header));
        else
            current_header(header);
        element_list(header->element_list);
        for (ElementRecord* element : order_)
            this->element(element, older);
        if (!older) mouse_list(header->mouse_areas);
    }

    // The fields both header layouts have, by the same names.
    template <class Header> static std::vector<Field> shared_header_fields() {
        return {
            FIELD(Header, version, hex_word),      FIELD(Header, name, text),
            FIELD(Header, element_list, children), FIELD(Header, query_routine, code),
            FIELD(Header, install_routine, code),  FIELD(Header, initialize_routine, code),
            FIELD(Header, update_routine, code),   FIELD(Header, generate_routine, code),
            FIELD(Header, draw_routine, code),     FIELD(Header, kill_routine, code),
            FIELD(Header, size_mm, unsigned_word),
        };
    }

    void current_header(const GaugeHeader* header) {
        std::vector<Field> fields = shared_header_fields<GaugeHeader>();
        fields.insert(fields.end(), {FIELD(GaugeHeader, mouse_areas, mouse_list),
                                     FIELD(GaugeHeader, gauge_callback, code),
                                     FIELD(GaugeHeader, user_word, hex_word),
                                     FIELD(GaugeHeader, parameters, host_pointer)});
        record(gauge_ + " | header", header, sizeof(GaugeHeader), fields.data(), fields.size());
    }

    void older_header(const GaugeHeaderOld* header) {
        std::vector<Field> fields = shared_header_fields<GaugeHeaderOld>();
        record(gauge_ + " | older header", header, sizeof(GaugeHeaderOld), fields.data(),
               fields.size());
    }

    // The roots (and every children list): its entries and its end.
    void element_list(ElementRecord* const* roots) {
        for (size_t i = 0; roots && roots[i] && i < max_children; ++i)
            number_elements(roots[i]);
        list_entries(gauge_ + " | roots", roots);
    }

    void list_entries(const std::string& where, ElementRecord* const* list) {
        for (size_t i = 0; list && i <= max_children; ++i) {
            line(where, "[" + std::to_string(i) + "]", pointer_to(list[i]));
            if (!list[i]) break;
        }
    }

    static const char* kind_name(uint32_t kind) {
        static const char* const names[] = {"static image", "needle",       "string", "slider",
                                            "icon",         "moving image", "sprite"};
        return kind < ELEMENT_KIND_COUNT ? names[kind] : "unknown kind";
    }

    void element(const ElementRecord* element, bool older) {
        std::string where = gauge_ + " | element " + std::to_string(elements_[element]) + " (" +
                            kind_name(element->kind) + ")";
        std::vector<Field> fields = common_fields();
        const KindLayout layout = kind_layout(element->kind, older);
        fields.insert(fields.end(), layout.fields.begin(), layout.fields.end());
        record(where, element, layout.size, fields.data(), fields.size());
        list_entries(where + " children", element->children);
        failure_list(where + " failures", element->failures);
        needle_rows(where, element, older);
    }

    static std::vector<Field> common_fields() {
        return {
            FIELD(ElementRecord, kind, unsigned_word),
            FIELD(ElementRecord, resource_id, unsigned_word),
            FIELD(ElementRecord, position_x, signed_word),
            FIELD(ElementRecord, position_y, signed_word),
            FIELD(ElementRecord, previous_x, signed_word),
            FIELD(ElementRecord, previous_y, signed_word),
            FIELD(ElementRecord, offset_x, signed_word),
            FIELD(ElementRecord, offset_y, signed_word),
            FIELD(ElementRecord, gauge, owner),
            FIELD(ElementRecord, previous_element, host_pointer),
            FIELD(ElementRecord, children, children),
            FIELD(ElementRecord, failures, failures),
            FIELD(ElementRecord, image_flags, hex_word),
            FIELD(ElementRecord, special_flags, hex_word),
        };
    }

    // An element kind's record: its size and the fields after the common part.
    struct KindLayout {
        size_t size;
        std::vector<Field> fields;
    };

    template <class Record> static KindLayout layout_of(std::vector<Field> fields) {
        return {sizeof(Record), std::move(fields)};
    }

    static KindLayout kind_layout(uint32_t kind, bool older) {
        return older ? older_kind_layout(kind) : current_kind_layout(kind);
    }

    // The older interface lays out needles of its own and gives static images a host
    // record; any other kind is read as its common part.
    static KindLayout older_kind_layout(uint32_t kind) {
        if (kind == ELEMENT_NEEDLE)
            return layout_of<NeedleRecordOld>({
                SOURCE(NeedleRecordOld, source),
                FIELD(NeedleRecordOld, value_callback, code),
                FIELD(NeedleRecordOld, host_setting_26, unsigned_word),
                FIELD(NeedleRecordOld, host_setting_27, unsigned_word),
                FIELD(NeedleRecordOld, nonlinearity, table),
                FIELD(NeedleRecordOld, row_count, unsigned_word),
                FIELD(NeedleRecordOld, host_setting_30, unsigned_word),
            });
        return {kind == ELEMENT_STATIC_IMAGE ? sizeof(StaticImageRecordOld) : sizeof(ElementRecord),
                {FIELD(StaticImageRecordOld, host_record, host_pointer)}};
    }

    static KindLayout current_kind_layout(uint32_t kind) {
        switch (kind) {
        case ELEMENT_STATIC_IMAGE: return layout_of<StaticImageRecord>({});
        case ELEMENT_NEEDLE:
            return layout_of<NeedleRecord>({
                SOURCE(NeedleRecord, source),
                FIELD(NeedleRecord, nonlinearity, table),
                FIELD(NeedleRecord, row_count, unsigned_word),
                FIELD(NeedleRecord, value_callback, code),
            });
        case ELEMENT_STRING:
            // font_face: its eight words, as uncovered words, in hexadecimal.
            return layout_of<StringRecord>({
                SOURCE(StringRecord, sources[0]),
                SOURCE(StringRecord, sources[1]),
                SOURCE(StringRecord, sources[2]),
                FIELD(StringRecord, text, host_pointer),
                FIELD(StringRecord, box_width, unsigned_word),
                FIELD(StringRecord, box_height, unsigned_word),
                FIELD(StringRecord, text_colour, hex_word),
                FIELD(StringRecord, background_colour, hex_word),
                FIELD(StringRecord, highlight_colour, hex_word),
                FIELD(StringRecord, font_weight, unsigned_word),
                FIELD(StringRecord, character_set, unsigned_word),
                FIELD(StringRecord, text_format, hex_word),
                FIELD(StringRecord, char_count, unsigned_word),
                FIELD(StringRecord, text_callback, code),
            });
        case ELEMENT_SLIDER:
            return layout_of<SliderRecord>({
                SOURCE(SliderRecord, x_source),
                SOURCE(SliderRecord, y_source),
                FIELD(SliderRecord, x_scale, number),
                FIELD(SliderRecord, y_scale, number),
                FIELD(SliderRecord, x_callback, code),
                FIELD(SliderRecord, y_callback, code),
            });
        case ELEMENT_ICON:
            return layout_of<IconRecord>({
                SOURCE(IconRecord, source),
                FIELD(IconRecord, scale, number),
                FIELD(IconRecord, icon_count, unsigned_word),
                FIELD(IconRecord, value_callback, code),
            });
        case ELEMENT_MOVING_IMAGE:
            return layout_of<MovingImageRecord>({
                SOURCE(MovingImageRecord, x_source),
                SOURCE(MovingImageRecord, y_source),
                FIELD(MovingImageRecord, x_range_start, number),
                FIELD(MovingImageRecord, x_range_end, number),
                FIELD(MovingImageRecord, y_range_start, number),
                FIELD(MovingImageRecord, y_range_end, number),
                FIELD(MovingImageRecord, x_callback, code),
                FIELD(MovingImageRecord, y_callback, code),
            });
        case ELEMENT_SPRITE:
            return layout_of<SpriteRecord>({
                SOURCE(SpriteRecord, x_source),
                SOURCE(SpriteRecord, y_source),
                SOURCE(SpriteRecord, rotation_source),
                FIELD(SpriteRecord, x_scale, number),
                FIELD(SpriteRecord, y_scale, number),
                FIELD(SpriteRecord, rotation_scale, number),
                FIELD(SpriteRecord, texture_scale_x, single),
                FIELD(SpriteRecord, texture_scale_y, single),
                FIELD(SpriteRecord, x_callback, code),
                FIELD(SpriteRecord, y_callback, code),
                FIELD(SpriteRecord, rotation_callback, code),
            });
        default: return layout_of<ElementRecord>({});
        }
    }

    void failure_list(const std::string& where, const FailureEntry* list) {
        static const Field fields[] = {FIELD(FailureEntry, key, unsigned_word),
                                       FIELD(FailureEntry, action, unsigned_word),
                                       FIELD(FailureEntry, reserved, hex_word)};
        for (size_t i = 0; list && i < max_list_entries; ++i) {
            record(where + " [" + std::to_string(i) + "]", &list[i], sizeof(FailureEntry), fields,
                   std::size(fields));
            if (!list[i].key) break;
        }
    }

    // A needle's table of rows and their count, as its layout places them.
    template <class Needle>
    static std::pair<const NeedleRow*, uint32_t> needle_table(const ElementRecord* element) {
        const auto* needle = reinterpret_cast<const Needle*>(element);
        return {needle->nonlinearity, needle->row_count};
    }

    void needle_rows(const std::string& where, const ElementRecord* element, bool older) {
        if (element->kind != ELEMENT_NEEDLE) return;
        const auto [rows, count] =
            older ? needle_table<NeedleRecordOld>(element) : needle_table<NeedleRecord>(element);
        static const Field fields[] = {
            FIELD(NeedleRow, x, signed_word), FIELD(NeedleRow, y, signed_word),
            FIELD(NeedleRow, value, number), FIELD(NeedleRow, degrees, number)};
        for (uint32_t i = 0; rows && i < count && i < max_list_entries; ++i)
            record(where + " row " + std::to_string(i), &rows[i], sizeof(NeedleRow), fields,
                   std::size(fields));
    }

    void mouse_list(const MouseArea* list) {
        static const Field fields[] = {
            FIELD(MouseArea, kind, unsigned_word),     FIELD(MouseArea, box_x, signed_word),
            FIELD(MouseArea, box_y, signed_word),      FIELD(MouseArea, box_width, signed_word),
            FIELD(MouseArea, box_height, signed_word), FIELD(MouseArea, cursor, signed_word),
            FIELD(MouseArea, help_id, hex_word),       FIELD(MouseArea, mouse_flags, hex_word),
            FIELD(MouseArea, key_event, hex_word),     FIELD(MouseArea, action, mouse_action),
            FIELD(MouseArea, data, hex_word)};
        if (!list) {
            line(gauge_ + " | mouse list", "", "null");
            return;
        }
        for (size_t i = 0; i < max_list_entries; ++i) {
            record(gauge_ + " | mouse " + std::to_string(i + 1), &list[i], sizeof(MouseArea),
                   fields, std::size(fields), list[i].kind);
            if (list[i].kind == MOUSE_END) break;
        }
    }

    std::string module_;
    uintptr_t base_;
    const Symbols* symbols_;
    std::string gauge_;
    std::map<const void*, std::string> headers_;
    std::map<const void*, size_t> elements_;
    std::vector<ElementRecord*> order_;
};

// The older interface's install routine hands its mouse list to slot 32.
const MouseArea* handed_mouse_list = nullptr;

void GAUGE_CALL note_mouse_list(MouseArea* list, GaugeHeaderOld*, void*) {
    handed_mouse_list = list;
}

void dump_older_mouse_lists(Dumper& dumper, const uint32_t* linkage_words, ImportEntry* imports) {
    static PanelServiceTable services{};
    services.mouse_list_install = note_mouse_list;
    const auto* linkage = reinterpret_cast<const ModuleLinkage*>(linkage_words);
    GaugeHeader* const* gauges = GAUGE_LINKAGE_GAUGES(linkage);
    for (size_t i = 0; i < max_gauges && gauges[i]; ++i) {
        if (gauges[i]->version != GAUGE_HEADER_VERSION_OLD) continue;
        const auto* older = reinterpret_cast<const GaugeHeaderOld*>(gauges[i]);
        if (!older->install_routine || !imports) continue;
        imports[0].table = &services;
        handed_mouse_list = nullptr;
        older->install_routine(0);
        dumper.older_mouse_list(older, handed_mouse_list);
    }
}

std::string module_name(const char* path) {
    std::string name = path;
    if (auto slash = name.rfind('/'); slash != std::string::npos) name.erase(0, slash + 1);
    if (auto dot = name.find('.'); dot != std::string::npos) name.erase(dot);
    return name;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: %s MODULE.so [SYMBOLS]\n", argv[0]);
        return 2;
    }
    void* library = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        std::fprintf(stderr, "%s: cannot load: %s\n", argv[1], dlerror());
        return 1;
    }
    const auto* linkage = static_cast<const uint32_t*>(dlsym(library, "Linkage"));
    auto* imports = static_cast<ImportEntry*>(dlsym(library, "ImportTable"));
    if (!linkage) {
        std::fprintf(stderr, "%s: exports no Linkage\n", argv[1]);
        return 1;
    }
    Dl_info info{};
    if (!dladdr(linkage, &info)) {
        std::fprintf(stderr, "%s: cannot find the module's base address\n", argv[1]);
        return 1;
    }
    Symbols symbols;
    if (argc == 3) symbols.load(argv[2]);
    Dumper dumper(module_name(argv[1]).c_str(), reinterpret_cast<uintptr_t>(info.dli_fbase),
                  argc == 3 ? &symbols : nullptr);
    if (imports) dumper.import_table(imports);
    dumper.linkage(linkage);
    dump_older_mouse_lists(dumper, linkage, imports);
    return 0;
}
