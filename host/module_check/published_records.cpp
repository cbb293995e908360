#include "module_check/published_records.hpp"

#include "element_model.hpp"
#include "module_check/chain_walk.hpp"
#include "module_check/findings.hpp"
#include "older_gauge.hpp"
#include "record_limits.hpp"

#include <cstring>

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
void clear_host_words(TokenVariable& source) {
    const uint32_t id = source.id;
    clear(source);
    source.id = id;
}

void clear_host_words(ElementRecord& common) {
    clear(common.previous_x);
    clear(common.previous_y);
    clear(common.previous_element);
    clear(common.reserved_14);
    common.image_flags &= ~IMAGE_FLAG_HIDDEN;
}

std::vector<uint8_t> plain_words(const void* address, size_t bytes) {
    const auto* begin = static_cast<const uint8_t*>(address);
    return {begin, begin + bytes};
}

std::vector<uint8_t> header_words(const void* address, size_t) {
    GaugeHeader header;
    std::memcpy(static_cast<void*>(&header), address, sizeof header);
    clear(header.query_routine);
    clear(header.install_routine);
    clear(header.initialize_routine);
    clear(header.update_routine);
    clear(header.generate_routine);
    clear(header.draw_routine);
    clear(header.kill_routine);
    clear(header.reserved_10);
    clear(header.reserved_12_19);
    clear(header.user_word);
    clear(header.parameters);
    return bytes_of(header);
}

std::vector<uint8_t> older_header_words(const void* address, size_t) {
    GaugeHeaderOld header;
    std::memcpy(static_cast<void*>(&header), address, sizeof header);
    clear(header.reserved_10);
    clear(header.reserved_12_21);
    return bytes_of(header);
}

template <class Record> Record copy_of(const void* address) {
    Record record;
    std::memcpy(static_cast<void*>(&record), address, sizeof record);
    clear_host_words(record.common);
    return record;
}

std::vector<uint8_t> element_words(const void* address, size_t) {
    switch (static_cast<const ElementRecord*>(address)->kind) {
    case ELEMENT_STATIC_IMAGE: {
        auto record = copy_of<StaticImageRecord>(address);
        clear(record.reserved_15_23);
        return bytes_of(record);
    }
    case ELEMENT_NEEDLE: {
        auto record = copy_of<NeedleRecord>(address);
        clear_host_words(record.source);
        clear(record.reserved_22_27);
        clear(record.reserved_30_55);
        clear(record.reserved_57_58);
        return bytes_of(record);
    }
    case ELEMENT_STRING: {
        auto record = copy_of<StringRecord>(address);
        for (TokenVariable& source : record.sources)
            clear_host_words(source);
        clear(record.reserved_36_45);
        clear(record.text);
        clear(record.reserved_47);
        clear(record.reserved_50_51);
        clear(record.reserved_55_61);
        clear(record.reserved_74_77);
        clear(record.reserved_79_80);
        return bytes_of(record);
    }
    case ELEMENT_SLIDER: {
        auto record = copy_of<SliderRecord>(address);
        clear_host_words(record.x_source);
        clear_host_words(record.y_source);
        clear(record.reserved_22);
        clear(record.reserved_25);
        clear(record.reserved_33);
        clear(record.reserved_36_41);
        clear(record.reserved_44_47);
        return bytes_of(record);
    }
    case ELEMENT_ICON: {
        auto record = copy_of<IconRecord>(address);
        clear_host_words(record.source);
        clear(record.reserved_22_24);
        clear(record.reserved_27);
        clear(record.reserved_29_32);
        clear(record.reserved_34);
        return bytes_of(record);
    }
    case ELEMENT_MOVING_IMAGE: {
        auto record = copy_of<MovingImageRecord>(address);
        clear_host_words(record.x_source);
        clear_host_words(record.y_source);
        clear(record.reserved_22);
        clear(record.reserved_27);
        clear(record.reserved_35);
        clear(record.reserved_40_60);
        clear(record.reserved_63_66);
        return bytes_of(record);
    }
    case ELEMENT_SPRITE: {
        auto record = copy_of<SpriteRecord>(address);
        clear_host_words(record.x_source);
        clear_host_words(record.y_source);
        clear_host_words(record.rotation_source);
        clear(record.reserved_22);
        clear(record.reserved_32);
        clear(record.reserved_42);
        clear(record.reserved_47_78);
        clear(record.reserved_82_87);
        return bytes_of(record);
    }
    default: {
        ElementRecord common;
        std::memcpy(static_cast<void*>(&common), address, sizeof common);
        clear_host_words(common);
        return bytes_of(common);
    }
    }
}

std::vector<uint8_t> older_element_words(const void* address, size_t) {
    switch (static_cast<const ElementRecord*>(address)->kind) {
    case ELEMENT_STATIC_IMAGE: {
        auto record = copy_of<StaticImageRecordOld>(address);
        clear(record.host_record);
        clear(record.reserved_16_19);
        return bytes_of(record);
    }
    case ELEMENT_NEEDLE: {
        auto record = copy_of<NeedleRecordOld>(address);
        clear_host_words(record.source);
        clear(record.reserved_23_25);
        clear(record.reserved_31_55);
        return bytes_of(record);
    }
    default: {
        ElementRecord common;
        std::memcpy(static_cast<void*>(&common), address, sizeof common);
        clear_host_words(common);
        return bytes_of(common);
    }
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

const NeedleRow* table_of(const ElementRecord& element, bool older, uint32_t& rows) {
    if (element.kind != ELEMENT_NEEDLE) return nullptr;
    if (older) {
        const auto& needle = reinterpret_cast<const NeedleRecordOld&>(element);
        rows = needle.row_count;
        return needle.nonlinearity;
    }
    const auto& needle = reinterpret_cast<const NeedleRecord&>(element);
    rows = needle.row_count;
    return needle.nonlinearity;
}

} // namespace

PublishedRecords::PublishedRecords(const GaugeHeader& header) {
    const bool older = older_header(&header) != nullptr;
    if (older)
        add({"header"}, &header, sizeof(GaugeHeaderOld), older_header_words);
    else
        add({"header"}, &header, sizeof(GaugeHeader), header_words);
    if (header.element_list)
        add({"root element list"}, header.element_list,
            list_bytes(header.element_list, max_children_per_element,
                       [](const ElementRecord* entry) { return entry == nullptr; }),
            plain_words);
    for (const WalkedElement& walked : walk_chain(header.element_list).elements) {
        const ElementRecord& element = *walked.record;
        const std::string name = "element " + std::to_string(walked.index);
        Change where{name, walked.index, element.kind};
        add(where, &element, element_record_bytes(element.kind, older),
            older ? older_element_words : element_words);
        if (element.children) {
            where.record = "children list of " + name;
            add(where, element.children,
                list_bytes(element.children, max_children_per_element,
                           [](const ElementRecord* entry) { return entry == nullptr; }),
                plain_words);
        }
        if (element.failures) {
            where.record = "failure list of " + name;
            add(where, element.failures,
                FailureEntries(element.failures).entries_read() * sizeof(FailureEntry),
                plain_words);
        }
        uint32_t rows = 0;
        if (const NeedleRow* table = table_of(element, older, rows); table && rows) {
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
