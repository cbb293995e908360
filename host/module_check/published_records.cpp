#include "module_check/published_records.hpp"

#include "element_model.hpp"
#include "module_check/chain_walk.hpp"
#include "module_check/findings.hpp"
#include "older_gauge.hpp"
#include "record_limits.hpp"

#include <cstring>
#include <type_traits>
#include <utility>

namespace panelhost::check {
namespace {

template <class Record> std::vector<uint8_t> bytes_of(const Record& record) {
    std::vector<uint8_t> out(sizeof record);
    std::memcpy(out.data(), &record, sizeof record);
    return out;
}

template <class Field> void clear(Field& field) {
    std::memset(static_cast<void*>(&field), 0, sizeof field);
}

// A source keeps only its variable number; the rest is the host's.
void clear_host_part(TokenVariable& source) {
    const uint32_t id = source.id;
    clear(source);
    source.id = id;
}

template <size_t count> void clear_host_part(TokenVariable (&sources)[count]) {
    for (TokenVariable& source : sources)
        clear_host_part(source);
}

void clear_host_part(ElementRecord& common) {
    clear(common.previous_x);
    clear(common.previous_y);
    clear(common.previous_element);
    clear(common.reserved_14);
    common.image_flags &= ~IMAGE_FLAG_HIDDEN;
}

// Any other part the host owns is the host's whole.
template <class Field> void clear_host_part(Field& field) { clear(field); }

// An element record's common part always holds host words as well.
template <class Record> void clear_common_part(Record& record) {
    if constexpr (std::is_same_v<Record, ElementRecord>)
        clear_host_part(record);
    else if constexpr (requires { record.common; })
        clear_host_part(record.common);
}

// The bytes of the record at `address` that only the module writes: a copy of it
// with its common part and `host_parts` cleared.
template <class Record, class... Fields>
std::vector<uint8_t> module_part(const void* address, Fields Record::*... host_parts) {
    Record record;
    std::memcpy(static_cast<void*>(&record), address, sizeof record);
    clear_common_part(record);
    (clear_host_part(record.*host_parts), ...);
    return bytes_of(record);
}

std::vector<uint8_t> plain_words(const void* address, size_t bytes) {
    const auto* begin = static_cast<const uint8_t*>(address);
    return {begin, begin + bytes};
}

std::vector<uint8_t> header_words(const void* address, size_t) {
    using H = GaugeHeader;
    return module_part<H>(address, &H::query_routine, &H::install_routine, &H::initialize_routine,
                          &H::update_routine, &H::generate_routine, &H::draw_routine,
                          &H::kill_routine, &H::reserved_10, &H::reserved_12_19, &H::user_word,
                          &H::parameters);
}

std::vector<uint8_t> older_header_words(const void* address, size_t) {
    using H = GaugeHeaderOld;
    return module_part<H>(address, &H::reserved_10, &H::reserved_12_21);
}

std::vector<uint8_t> element_words(const void* address, size_t) {
    switch (static_cast<const ElementRecord*>(address)->kind) {
    case ELEMENT_STATIC_IMAGE:
        return module_part<StaticImageRecord>(address, &StaticImageRecord::reserved_15_23);
    case ELEMENT_NEEDLE: {
        using R = NeedleRecord;
        return module_part<R>(address, &R::source, &R::reserved_22_27, &R::reserved_30_55,
                              &R::reserved_57_58);
    }
    case ELEMENT_STRING: {
        using R = StringRecord;
        return module_part<R>(address, &R::sources, &R::reserved_36_45, &R::text, &R::reserved_47,
                              &R::reserved_50_51, &R::reserved_55_61, &R::reserved_74_77,
                              &R::reserved_79_80);
    }
    case ELEMENT_SLIDER: {
        using R = SliderRecord;
        return module_part<R>(address, &R::x_source, &R::y_source, &R::reserved_22, &R::reserved_25,
                              &R::reserved_33, &R::reserved_36_41, &R::reserved_44_47);
    }
    case ELEMENT_ICON: {
        using R = IconRecord;
        return module_part<R>(address, &R::source, &R::reserved_22_24, &R::reserved_27,
                              &R::reserved_29_32, &R::reserved_34);
    }
    case ELEMENT_MOVING_IMAGE: {
        using R = MovingImageRecord;
        return module_part<R>(address, &R::x_source, &R::y_source, &R::reserved_22, &R::reserved_27,
                              &R::reserved_35, &R::reserved_40_60, &R::reserved_63_66);
    }
    case ELEMENT_SPRITE: {
        using R = SpriteRecord;
        return module_part<R>(address, &R::x_source, &R::y_source, &R::rotation_source,
                              &R::reserved_22, &R::reserved_32, &R::reserved_42, &R::reserved_47_78,
                              &R::reserved_82_87);
    }
    default: return module_part<ElementRecord>(address);
    }
}

std::vector<uint8_t> older_element_words(const void* address, size_t) {
    switch (static_cast<const ElementRecord*>(address)->kind) {
    case ELEMENT_STATIC_IMAGE: {
        using R = StaticImageRecordOld;
        return module_part<R>(address, &R::host_record, &R::reserved_16_19);
    }
    case ELEMENT_NEEDLE: {
        using R = NeedleRecordOld;
        return module_part<R>(address, &R::source, &R::reserved_23_25, &R::reserved_31_55);
    }
    default: return module_part<ElementRecord>(address);
    }
}

// Entries of a zero-ended list, the end included, up to `most`.
template <class Entry, class IsEnd>
size_t list_bytes(const Entry* list, size_t most, IsEnd is_end) {
    size_t count = 0;
    while (count < most && !is_end(list[count]))
        ++count;
    return (count < most ? count + 1 : count) * sizeof(Entry);
}

// A zero-ended list of elements: the root list or an element's children.
size_t element_list_bytes(ElementRecord* const* list) {
    return list_bytes(list, max_children_per_element,
                      [](const ElementRecord* entry) { return entry == nullptr; });
}

// A needle's table of rows and their count, as its layout places them.
template <class Needle>
std::pair<const NeedleRow*, uint32_t> table_of(const ElementRecord& element) {
    const auto& needle = reinterpret_cast<const Needle&>(element);
    return {needle.nonlinearity, needle.row_count};
}

} // namespace

PublishedRecords::PublishedRecords(const GaugeHeader& header) {
    const bool older = older_header(&header) != nullptr;
    if (older)
        add({"header"}, &header, sizeof(GaugeHeaderOld), older_header_words);
    else
        add({"header"}, &header, sizeof(GaugeHeader), header_words);
    if (header.element_list)
        add({"root element list"}, header.element_list, element_list_bytes(header.element_list),
            plain_words);
    for (const WalkedElement& walked : walk_chain(header.element_list).elements) {
        const ElementRecord& element = *walked.record;
        const std::string name = "element " + std::to_string(walked.index);
        Change where{name, walked.index, element.kind};
        add(where, &element, element_record_bytes(element.kind, older),
            older ? older_element_words : element_words);
        if (element.children) {
            where.record = "children list of " + name;
            add(where, element.children, element_list_bytes(element.children), plain_words);
        }
        if (element.failures) {
            where.record = "failure list of " + name;
            add(where, element.failures,
                FailureEntries(element.failures).entries_read() * sizeof(FailureEntry),
                plain_words);
        }
        if (element.kind != ELEMENT_NEEDLE) continue;
        const auto [table, rows] =
            older ? table_of<NeedleRecordOld>(element) : table_of<NeedleRecord>(element);
        if (table && rows) {
            where.record = "needle table of " + name;
            add(where, table, std::min(rows, max_needle_rows) * sizeof(NeedleRow), plain_words);
        }
    }
    if (!older && header.mouse_areas)
        add({"mouse list"}, header.mouse_areas,
            list_bytes(header.mouse_areas, max_mouse_records,
                       [](const MouseArea& area) { return area.kind == MOUSE_END; }),
            plain_words);
}

void PublishedRecords::add(Change where, const void* address, size_t bytes,
                           std::vector<uint8_t> (*module_words)(const void*, size_t)) {
    pieces_.push_back(
        {std::move(where), address, bytes, module_words, module_words(address, bytes)});
}

std::vector<PublishedRecords::Change> PublishedRecords::take_changes() {
    std::vector<Change> changes;
    for (Piece& piece : pieces_) {
        std::vector<uint8_t> now = piece.module_words(piece.address, piece.bytes);
        if (now == piece.taken) continue;
        changes.push_back(piece.where);
        piece.taken = std::move(now);
    }
    return changes;
}

} // namespace panelhost::check
