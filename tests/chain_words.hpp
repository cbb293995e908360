// Word-by-word checks of a gauge's exported element chain and mouse list in the
// 32-bit format: the words each element must hold, the words that hold callbacks,
// failure lists, needle tables, and zero everywhere else.
#pragma once

#include "gauge_abi.h"
#include "record_words.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstddef>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#if GAUGE_ABI_32BIT

namespace panelhost::chain_words {

using Failures = std::vector<std::pair<uint32_t, uint32_t>>;

struct Row {
    int32_t x, y;
    double value;
};

// One element: the words it must hold, the words that hold callbacks (non-zero),
// its failure list and needle table (at word 28 in both needle layouts). Every
// other word but the chain's own pointers (gauge, children) must be zero.
struct Element {
    uint32_t length;
    std::map<size_t, uint32_t> words;
    std::set<size_t> callbacks;
    Failures failures;
    std::vector<Row> table;
};

// Builders of the listed words, by element kind.
struct WordList {
    std::map<size_t, uint32_t> map;

    WordList& word(size_t at, uint32_t value) {
        map[at] = value;
        return *this;
    }
    WordList& signed_word(size_t at, int32_t value) { return word(at, uint32_t(value)); }
    WordList& number(size_t at, double value) {
        auto bits = std::bit_cast<uint64_t>(value);
        return word(at, uint32_t(bits)).word(at + 1, uint32_t(bits >> 32));
    }
    WordList& single(size_t at, float value) { return word(at, std::bit_cast<uint32_t>(value)); }
};

inline WordList common(uint32_t kind, uint32_t bitmap, int32_t x, int32_t y, uint32_t flags,
                       int32_t offset_x = 0, int32_t offset_y = 0) {
    WordList w;
    w.word(0, kind).word(1, bitmap).signed_word(2, x).signed_word(3, y);
    w.signed_word(6, offset_x).signed_word(7, offset_y).word(12, flags);
    return w;
}

inline Element static_image(uint32_t bitmap, int32_t x, int32_t y, uint32_t flags) {
    return {24, common(0, bitmap, x, y, flags).map, {}, {}, {}};
}

inline Element needle(uint32_t bitmap, int32_t pivot_x, int32_t pivot_y, int32_t offset_x,
                      int32_t offset_y, uint32_t flags, uint32_t source, std::vector<Row> table,
                      Failures failures, bool callback) {
    WordList w = common(1, bitmap, pivot_x, pivot_y, flags, offset_x, offset_y);
    w.word(15, source).word(29, uint32_t(table.size()));
    std::set<size_t> callbacks;
    if (callback) callbacks.insert(56);
    return {59, w.map, callbacks, failures, table};
}

// An icon: the value of `source` (or of the callback at word 33) picks one of
// `count` + 1 bitmaps.
inline Element icon(uint32_t bitmap, int32_t x, int32_t y, uint32_t flags, uint32_t source,
                    double scale, Failures failures, bool callback = true, uint32_t count = 1) {
    WordList w = common(4, bitmap, x, y, flags);
    w.word(15, source).number(25, scale).word(28, count);
    return {35, w.map, callback ? std::set<size_t>{33} : std::set<size_t>{}, failures, {}};
}

// A mouse record, all eleven words.
struct Mouse {
    uint32_t kind;
    int32_t x, y, width, height;
    int32_t cursor;
    uint32_t help_id, flags, key_event;
    bool callback = false; // word 9 holds the area's callback
    std::string tooltip;   // word 9 points to this text
};

// The mouse records by kind. An area begins with no cursor of its own; a zero box
// is the whole of the area it lies in.
inline Mouse area(int32_t x, int32_t y, int32_t width, int32_t height, uint32_t help_id = 0) {
    return {1, x, y, width, height, -1, help_id, 0, 0};
}
inline Mouse whole_gauge(uint32_t help_id = 0) { return area(0, 0, 0, 0, help_id); }
// A click area whose callback takes the clicks of `flags`.
inline Mouse click(int32_t x, int32_t y, int32_t width, int32_t height, int32_t cursor,
                   uint32_t flags) {
    return {2, x, y, width, height, cursor, 0, flags, 0, true};
}
// A click area whose clicks of `flags` send `key_event` straight to the host.
inline Mouse key_click(int32_t x, int32_t y, int32_t width, int32_t height, int32_t cursor,
                       uint32_t flags, uint32_t key_event) {
    return {2, x, y, width, height, cursor, 0, flags, key_event};
}
inline Mouse help_entry(uint32_t help_id) { return {4, 0, 0, 0, 0, 0, help_id, 0, 0}; }
inline Mouse tooltip(std::string text) {
    return {4, 0, 0, 0, 0, 0, 0, 0, 0, false, std::move(text)};
}
inline const Mouse area_end{3, 0, 0, 0, 0, 0, 0, 0, 0};
inline const Mouse list_end{0, 0, 0, 0, 0, 0, 0, 0, 0};

// A string in "Quartz" (words 62-63), weight 400, character set 1, one line centred
// (format 0x25), its text callback at word 78: the radios', DME's and transponder's.
inline Element display_text(int32_t x, int32_t y, uint32_t flags, std::vector<uint32_t> sources,
                            uint32_t width, uint32_t height, uint32_t chars, uint32_t colour,
                            uint32_t highlight, Failures failures) {
    WordList w = common(2, 0xFFFFFFFF, x, y, flags);
    for (size_t i = 0; i < sources.size(); ++i)
        w.word(15 + 7 * i, sources[i]);
    w.word(48, width).word(49, height).word(52, colour).word(53, 0).word(54, highlight);
    w.word(62, 0x72617551).word(63, 0x7A74).word(70, 400).word(71, 1).word(72, 0x25);
    w.word(73, chars);
    return {81, w.map, {78}, failures, {}};
}

inline void expect_failures(uint32_t list_word, const Failures& want, const std::string& what) {
    if (want.empty()) {
        EXPECT_EQ(list_word, 0u) << what << ": no failure list";
        return;
    }
    Words list = words(list_word);
    ASSERT_NE(list, nullptr) << what;
    for (size_t i = 0; i < want.size(); ++i) {
        EXPECT_EQ(list[3 * i], want[i].first) << what << " failure " << i;
        EXPECT_EQ(list[3 * i + 1], want[i].second) << what << " failure " << i;
        EXPECT_EQ(list[3 * i + 2], 0u) << what << " failure " << i;
    }
    size_t end = 3 * want.size();
    EXPECT_EQ(list[end] | list[end + 1] | list[end + 2], 0u) << what << ": list end";
}

inline void expect_table(uint32_t table_word, const std::vector<Row>& want,
                         const std::string& what) {
    Words rows = words(table_word);
    ASSERT_NE(rows, nullptr) << what;
    for (size_t i = 0; i < want.size(); ++i) {
        Words row = rows + 6 * i;
        EXPECT_EQ(int32_t(row[0]), want[i].x) << what << " row " << i;
        EXPECT_EQ(int32_t(row[1]), want[i].y) << what << " row " << i;
        EXPECT_EQ(double_at(row, 2), want[i].value) << what << " row " << i;
        EXPECT_EQ(double_at(row, 4), 0.0) << what << " row " << i;
    }
}

// Walks the chain from the header's one root; returns the element words in order.
inline std::vector<Words> expect_chain(Words header, const std::vector<Element>& chain,
                                       const std::string& name) {
    std::vector<Words> elements;
    Words roots = words(header[2]);
    EXPECT_NE(roots, nullptr);
    if (!roots) return elements;
    EXPECT_EQ(roots[1], 0u) << name << ": one root";
    uint32_t element_word = roots[0];
    for (size_t i = 0; i < chain.size(); ++i) {
        const Element& want = chain[i];
        std::string what = name + " element " + std::to_string(i + 1);
        EXPECT_NE(element_word, 0u) << what;
        if (!element_word) break;
        Words element = words(element_word);
        elements.push_back(element);
        std::set<size_t> pointers = {8, 10, 11};
        if (!want.table.empty()) pointers.insert(28);
        EXPECT_EQ(element[8], uint32_t(reinterpret_cast<uintptr_t>(header))) << what;
        for (size_t at = 0; at < want.length; ++at) {
            if (auto listed = want.words.find(at); listed != want.words.end()) {
                EXPECT_EQ(element[at], listed->second) << what << " word " << at;
            } else if (want.callbacks.count(at)) {
                EXPECT_NE(element[at], 0u) << what << " word " << at << ": callback";
            } else if (!pointers.count(at)) {
                EXPECT_EQ(element[at], 0u) << what << " word " << at;
            }
        }
        expect_failures(element[11], want.failures, what);
        if (!want.table.empty()) expect_table(element[28], want.table, what);
        if (i + 1 == chain.size()) {
            EXPECT_EQ(element[10], 0u) << what << ": the front element has no children";
            break;
        }
        Words children = words(element[10]);
        EXPECT_NE(children, nullptr) << what;
        if (!children) break;
        EXPECT_EQ(children[1], 0u) << what << ": one child";
        element_word = children[0];
    }
    return elements;
}

// A mouse list, record by record and word by word.
inline void expect_mouse_list(Words list, const std::vector<Mouse>& want, const std::string& name) {
    ASSERT_NE(list, nullptr) << name;
    for (size_t i = 0; i < want.size(); ++i) {
        Words area = list + 11 * i;
        const Mouse& m = want[i];
        std::string what = name + " mouse record " + std::to_string(i + 1);
        const uint32_t expected[11] = {m.kind,
                                       uint32_t(m.x),
                                       uint32_t(m.y),
                                       uint32_t(m.width),
                                       uint32_t(m.height),
                                       uint32_t(m.cursor),
                                       m.help_id,
                                       m.flags,
                                       m.key_event,
                                       0,
                                       0};
        for (size_t w = 0; w < 11; ++w) {
            if (w == 9 && m.callback) {
                EXPECT_NE(area[w], 0u) << what << ": callback";
            } else if (w == 9 && !m.tooltip.empty()) {
                EXPECT_NE(area[w], 0u) << what << ": tooltip";
                if (area[w]) {
                    EXPECT_EQ(string_at(area[w]), m.tooltip) << what << ": tooltip";
                }
            } else {
                EXPECT_EQ(area[w], expected[w]) << what << " word " << w;
            }
        }
    }
}

// The mouse list the header names (word 20).
inline void expect_mouse(Words header, const std::vector<Mouse>& want, const std::string& name) {
    expect_mouse_list(words(header[20]), want, name);
}

inline Words find_gauge(Words linkage, const std::string& name) {
    for (size_t i = 6; linkage[i] != 0; ++i) {
        Words header = words(linkage[i]);
        if (string_at(header[1]) == name) return header;
    }
    return nullptr;
}

// A header of the current format: version 0x320, the gauge's size, a gauge callback
// (word 21) or none, and zero in every word the format does not list.
inline void expect_header(Words header, uint32_t size_mm, bool gauge_callback,
                          const std::string& name) {
    EXPECT_EQ(header[0], 0x320u) << name;
    EXPECT_EQ(header[11], size_mm) << name;
    EXPECT_EQ(header[21] != 0, gauge_callback) << name << ": gauge callback";
    expect_unlisted_zero(header, 24, {0, 1, 2, 11, 20, 21}, name + " header");
}

// All that a gauge publishes: its header's size and callback, its element chain and
// its mouse list.
struct Gauge {
    uint32_t size_mm;
    bool gauge_callback;
    std::vector<Element> chain;
    std::vector<Mouse> mouse;
};

// Checks every word of a gauge's records; returns the element words in chain order.
inline std::vector<Words> expect_gauge(Words header, const Gauge& want, const std::string& name) {
    expect_header(header, want.size_mm, want.gauge_callback, name);
    std::vector<Words> elements = expect_chain(header, want.chain, name);
    EXPECT_EQ(elements.size(), want.chain.size()) << name;
    expect_mouse(header, want.mouse, name);
    return elements;
}

// The same for the gauge the linkage publishes as `name`; no elements if it is not.
inline std::vector<Words> expect_published(Words linkage, const std::string& name,
                                           const Gauge& want) {
    Words header = find_gauge(linkage, name);
    EXPECT_TRUE(header) << name << " is not published";
    if (!header) return {};
    return expect_gauge(header, want, name);
}

// The names of the gauges in the order the linkage publishes them.
class Publication {
  public:
    explicit Publication(Words linkage) {
        for (size_t i = 6; linkage[i] != 0; ++i)
            names_.push_back(string_at(words(linkage[i])[1]));
    }

    // A gauge's place in that order; the count of gauges for one not published.
    ptrdiff_t at(const std::string& name) const {
        return std::find(names_.begin(), names_.end(), name) - names_.begin();
    }
    size_t size() const { return names_.size(); }

  private:
    std::vector<std::string> names_;
};

} // namespace panelhost::chain_words

#endif // GAUGE_ABI_32BIT
