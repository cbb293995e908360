#include "panel_edit.hpp"
#include "panel_config.hpp"
#include "text_case.hpp"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cstdint>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string_view>
#include <utility>
#include <vector>

namespace panelhost {
namespace {

// Why an edit cannot be made; the text is then handed back unchanged.
struct Refused : std::runtime_error {
    using std::runtime_error::runtime_error;
};

constexpr std::string_view byte_order_mark = "\xEF\xBB\xBF";
// The highest gauge number a new key is given; a file numbering beyond it has no free key.
constexpr std::uint64_t highest_key_number = 999999999;

bool is_blank(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

size_t blanks_at_start(std::string_view text) {
    size_t n = 0;
    while (n < text.size() && is_blank(text[n]))
        ++n;
    return n;
}

std::string_view without_blanks_at_end(std::string_view text) {
    while (!text.empty() && is_blank(text.back()))
        text.remove_suffix(1);
    return text;
}

// One line of the text, split as the reader's getline does: [start, end) its bytes
// without the line ending, [end, next) the ending: "\r\n", "\n", or none on a last
// line. The first line's byte-order mark stands between `start` and `content`.
struct TextLine {
    size_t start = 0, content = 0, end = 0, next = 0;
};

std::vector<TextLine> split_lines(const std::string& text) {
    std::vector<TextLine> lines;
    for (size_t start = 0; start < text.size();) {
        size_t newline = text.find('\n', start);
        TextLine line;
        line.start = line.content = start;
        line.next = newline == std::string::npos ? text.size() : newline + 1;
        line.end = newline == std::string::npos ? text.size() : newline;
        if (line.end > start && text[line.end - 1] == '\r') --line.end;
        std::string_view bytes(text.data() + start, line.end - start);
        if (lines.empty() && bytes.substr(0, byte_order_mark.size()) == byte_order_mark)
            line.content += byte_order_mark.size();
        lines.push_back(line);
        start = line.next;
    }
    return lines;
}

// What a line is to the reader, and the section it stands in.
struct LineRole {
    enum Kind { Blank, Comment, Header, Setting, Other } kind = Blank;
    std::string section; // lower case; a header's own; empty before any or after a bad one
    std::string key;     // a setting's key in lower case
    size_t key_begin = 0, key_end = 0, equals = 0; // offsets in the text
};

std::vector<LineRole> roles_of(const std::string& text, const std::vector<TextLine>& lines) {
    std::vector<LineRole> roles;
    std::string section;
    for (const TextLine& line : lines) {
        std::string_view bytes(text.data() + line.content, line.end - line.content);
        std::string trimmed = trim(bytes);
        LineRole role;
        if (trimmed.empty()) {
            role.kind = LineRole::Blank;
        } else if (trimmed[0] == ';' || trimmed[0] == '#' || trimmed.starts_with("//")) {
            role.kind = LineRole::Comment;
        } else if (trimmed[0] == '[') {
            size_t close = trimmed.find(']');
            section = close == std::string::npos ? "" : lower(trim(trimmed.substr(1, close - 1)));
            role.kind = LineRole::Header;
        } else if (size_t equals = bytes.find('='); equals != std::string_view::npos) {
            role.kind = LineRole::Setting;
            size_t begin = blanks_at_start(bytes);
            role.key_begin = line.content + begin;
            role.key_end = line.content + without_blanks_at_end(bytes.substr(0, equals)).size();
            role.equals = line.content + equals;
            role.key = lower(text.substr(role.key_begin, role.key_end - role.key_begin));
        } else {
            role.kind = LineRole::Other;
        }
        role.section = section;
        roles.push_back(std::move(role));
    }
    return roles;
}

// The kind of a gauge line's key as the reader tells it ("gauge" of "gauge03",
// "htmlgauge" of "htmlgauge00"), or empty for other keys.
std::string gauge_kind(const std::string& key) {
    size_t digits = key.find_last_not_of("0123456789");
    if (digits == std::string::npos || digits + 1 == key.size()) return {};
    std::string kind = key.substr(0, digits + 1);
    if (!kind.ends_with("gauge")) return {};
    if (!std::all_of(kind.begin(), kind.end(),
                     [](unsigned char c) { return std::islower(c) || c == '_'; }))
        return {};
    return kind;
}

// The panel file's text as the reader sees it, line by line.
struct Document {
    explicit Document(const std::string& text)
        : text(text), lines(split_lines(text)), roles(roles_of(text, lines)) {
        std::istringstream in(text);
        config = read_panel_config(in, "panel");
    }
    std::string_view content(size_t line) const {
        return std::string_view(text).substr(lines[line].content,
                                             lines[line].end - lines[line].content);
    }
    std::string written_key(size_t line) const {
        return text.substr(roles[line].key_begin, roles[line].key_end - roles[line].key_begin);
    }
    bool is_gauge_line(size_t line, const std::string& section) const {
        return roles[line].kind == LineRole::Setting && roles[line].section == section &&
               !gauge_kind(roles[line].key).empty();
    }

    const std::string& text;
    std::vector<TextLine> lines;
    std::vector<LineRole> roles;
    PanelConfig config;
};

size_t window_index(const Document& doc, const std::string& section) {
    std::string wanted = lower(trim(section));
    for (size_t i = 0; i < doc.config.windows.size(); ++i)
        if (lower(doc.config.windows[i].section) == wanted) return i;
    throw Refused("the panel file has no window [" + trim(section) + "]");
}

// The reader's complaint about a line, or empty.
std::string reader_error(const Document& doc, size_t line) {
    std::string start = doc.config.file + ":" + std::to_string(line + 1) + ": ";
    for (const std::string& error : doc.config.errors)
        if (error.starts_with(start)) return error.substr(start.size());
    return {};
}

// The gauge with this key among the window's: the line the reader takes as it. A
// key on two lines the reader takes as gauges does not say which is meant.
size_t gauge_index(const Document& doc, size_t window, const std::string& key) {
    const PanelWindow& shown = doc.config.windows[window];
    std::string wanted = lower(trim(key));
    if (wanted.empty()) throw Refused("[" + shown.section + "]: which gauge? No key is given");
    std::vector<size_t> found;
    for (size_t i = 0; i < shown.gauges.size(); ++i)
        if (shown.gauges[i].key == wanted) found.push_back(i);
    std::string where = "[" + shown.section + "] ";
    if (found.size() > 1)
        throw Refused(where + "has " + trim(key) + " on lines " +
                      std::to_string(shown.gauges[found[0]].line) + " and " +
                      std::to_string(shown.gauges[found[1]].line) +
                      ": the key does not tell which gauge is meant");
    if (found.size() == 1) return found[0];
    std::string section = lower(shown.section);
    for (size_t line = 0; line < doc.lines.size(); ++line)
        if (doc.is_gauge_line(line, section) && doc.roles[line].key == wanted)
            throw Refused(where + doc.written_key(line) + " (line " + std::to_string(line + 1) +
                          ") is not read as a gauge: " + reader_error(doc, line));
    throw Refused(where + "has no gauge " + trim(key));
}

// A field of a gauge line after a comma: the blanks after the comma, the value, and
// what follows it (blanks before the next comma; on the last field also a comment).
struct Field {
    std::string lead, value, trail;
};

// A gauge line cut at the commas the reader cuts it at: the fifth comma's field, the
// parameter string, keeps any further commas.
struct GaugeLine {
    std::string head; // the key, `=` and the gauge's name, as written
    std::vector<Field> fields;

    std::string text() const {
        std::string out = head;
        for (const Field& field : fields)
            out += "," + field.lead + field.value + field.trail;
        return out;
    }
};

constexpr size_t parameter_field = 4; // in GaugeLine::fields: x, y, width, height, parameters

Field field_of(std::string_view text, bool last, bool parameters) {
    Field field;
    size_t lead = blanks_at_start(text);
    field.lead = text.substr(0, lead);
    std::string_view rest = text.substr(lead);
    std::string_view value = rest;
    // The reader ends the last number at a comment; a parameter string has none.
    if (last && !parameters) value = value.substr(0, std::min(value.find(';'), value.find("//")));
    value = without_blanks_at_end(value);
    field.value = value;
    field.trail = rest.substr(value.size());
    return field;
}

GaugeLine gauge_line_of(std::string_view content, size_t value) {
    // Module!Gauge, then x, y, width, height and the parameters, which keep their commas.
    const std::vector<std::string_view> parts =
        comma_fields(content.substr(value), parameter_field + 2);
    GaugeLine line;
    line.head = content.substr(0, value);
    line.head += parts[0];
    for (size_t i = 1; i < parts.size(); ++i)
        line.fields.push_back(field_of(parts[i], i + 1 == parts.size(), i - 1 == parameter_field));
    return line;
}

// Empty fields up to `count`, with the blanks the line writes after y's comma. What
// followed the last field (a comment) follows the new last one.
void extend_to(GaugeLine& line, size_t count) {
    const std::string separator = line.fields[1].lead;
    while (line.fields.size() < count) {
        Field added{separator, "", std::move(line.fields.back().trail)};
        line.fields.back().trail.clear();
        line.fields.push_back(std::move(added));
    }
}

// Writes the changed fields into the line; returns the comment the line's end had
// when a parameter string now stands there (the reader would take it as part of it).
std::string apply_change(GaugeLine& line, const PanelGauge& now, const PlacementChange& change,
                         const std::optional<std::string>& parameters) {
    if (change.x && *change.x != now.x) line.fields[0].value = std::to_string(*change.x);
    if (change.y && *change.y != now.y) line.fields[1].value = std::to_string(*change.y);
    if (change.width && change.width != now.width) {
        extend_to(line, 3);
        line.fields[2].value = std::to_string(*change.width);
    }
    if (change.height && change.height != now.height) {
        extend_to(line, 4);
        line.fields[3].value = std::to_string(*change.height);
    }
    std::string comment;
    if (parameters && parameters != now.parameters) {
        extend_to(line, parameter_field + 1);
        Field& field = line.fields[parameter_field];
        comment = trim(field.trail);
        field.value = *parameters;
        field.trail.clear();
    }
    return comment;
}

void check_position(int value, const std::string& what) {
    if (value < -max_window_side || value > max_window_side)
        throw Refused(what + " must be from -" + std::to_string(max_window_side) + " to " +
                      std::to_string(max_window_side) + ", not " + std::to_string(value));
}

void check_size(const std::optional<int>& value, const std::string& what) {
    if (value && (*value <= 0 || *value > max_window_side))
        throw Refused(what + " must be from 1 to " + std::to_string(max_window_side) + ", not " +
                      std::to_string(*value));
}

// The parameter string as the line will hold it: on one line, without end blanks.
std::optional<std::string> checked_parameters(const std::optional<std::string>& parameters,
                                              const std::string& where) {
    if (!parameters) return std::nullopt;
    if (parameters->find_first_of("\r\n") != std::string::npos)
        throw Refused(where + "the parameter string must stay on one line");
    return trim(*parameters);
}

void check_change(const PlacementChange& change, const std::string& where) {
    if (change.x) check_position(*change.x, where + "x");
    if (change.y) check_position(*change.y, where + "y");
    check_size(change.width, where + "width");
    check_size(change.height, where + "height");
}

// "Module!Gauge": both names there, without blanks around them, commas (which end
// the name in a gauge line) or control characters.
void check_name(const std::string& name, const std::string& where) {
    size_t bang = name.find('!');
    auto plain = [](std::string_view part) {
        return !part.empty() && trim(part) == part &&
               std::none_of(part.begin(), part.end(), [](unsigned char c) {
                   return c < 0x20 || c == 0x7F || c == ',' || c == '!';
               });
    };
    if (bang == std::string::npos || !plain(std::string_view(name).substr(0, bang)) ||
        !plain(std::string_view(name).substr(bang + 1)))
        throw Refused(where + "gauge name \"" + name + "\" is not of the form Module!Gauge");
}

// The line ending new lines get: the file's, CRLF when it writes more CRLF than LF.
std::string file_line_ending(const Document& doc) {
    size_t crlf = 0, lf = 0;
    for (const TextLine& line : doc.lines) {
        std::string_view ending(doc.text.data() + line.end, line.next - line.end);
        if (ending == "\r\n")
            ++crlf;
        else if (ending == "\n")
            ++lf;
    }
    return crlf > 0 && crlf >= lf ? "\r\n" : "\n";
}

bool has_line_ending(const Document& doc, size_t line) {
    return doc.lines[line].next > doc.lines[line].end && doc.text[doc.lines[line].next - 1] == '\n';
}

// The line a new gauge line of the section goes after: its last gauge line, else its
// last setting, else its (last) header. Comments and blank lines after them, which
// usually belong to what follows, stay after the new line.
size_t anchor_line(const Document& doc, const std::string& section) {
    std::optional<size_t> header, setting, gauge;
    for (size_t line = 0; line < doc.lines.size(); ++line) {
        if (doc.roles[line].section != section) continue;
        if (doc.roles[line].kind == LineRole::Header) header = line;
        if (doc.roles[line].kind == LineRole::Setting) setting = line;
        if (doc.is_gauge_line(line, section)) gauge = line;
    }
    return gauge ? *gauge : setting ? *setting : header.value_or(0);
}

// The way of writing most common among `ways`, counted; of equally common ones the
// one `preferred` says, else the last written.
template <typename Way, typename Prefer>
Way most_common(const std::vector<Way>& ways, Way otherwise, Prefer preferred) {
    std::map<Way, int> counts;
    for (const Way& way : ways)
        ++counts[way];
    int most = 0;
    for (const Way& way : ways) {
        int count = counts[way];
        if (count > most || (count == most && !preferred(otherwise))) {
            most = count;
            otherwise = way;
        }
    }
    return otherwise;
}

// One more than the section's highest key of this kind, at least two digits, in the
// case most of its keys of the kind are written in (else in `own_case`, e.g. "gauge").
std::string next_free_key(const Document& doc, const std::string& name, const std::string& kind,
                          const std::string& own_case) {
    const std::string section = lower(name);
    std::optional<std::uint64_t> highest;
    std::vector<std::string> prefixes;
    for (size_t line = 0; line < doc.lines.size(); ++line) {
        if (!doc.is_gauge_line(line, section) || gauge_kind(doc.roles[line].key) != kind) continue;
        const std::string& key = doc.roles[line].key;
        std::uint64_t number = 0;
        auto [end, error] =
            std::from_chars(key.data() + kind.size(), key.data() + key.size(), number);
        if (error != std::errc() || number >= highest_key_number)
            throw Refused("[" + name + "] has no free " + kind + " key: " + doc.written_key(line) +
                          " is numbered too high");
        highest = std::max(highest.value_or(0), number);
        prefixes.push_back(doc.written_key(line).substr(0, kind.size()));
    }
    std::string digits = std::to_string(highest ? *highest + 1 : 0);
    if (digits.size() < 2) digits.insert(0, 2 - digits.size(), '0');
    return most_common(prefixes, own_case, [](const std::string&) { return false; }) + digits;
}

// How the section's gauge lines are written, for a line added to them.
struct LineStyle {
    std::string indent, before_equals, after_equals;
    std::string separator = " "; // after each comma
};

// The most common way among the section's gauge lines, so that a line moved in from
// another window does not set the style of the next one added.
LineStyle style_of(const Document& doc, const std::string& section) {
    using Head = std::array<std::string, 3>; // indent, before and after `=`
    std::vector<Head> heads;
    std::vector<std::string> separators;
    for (size_t line = 0; line < doc.lines.size(); ++line) {
        if (!doc.is_gauge_line(line, section)) continue;
        const LineRole& role = doc.roles[line];
        const TextLine& bytes = doc.lines[line];
        std::string_view value = doc.content(line).substr(role.equals + 1 - bytes.content);
        heads.push_back({doc.text.substr(bytes.content, role.key_begin - bytes.content),
                         doc.text.substr(role.key_end, role.equals - role.key_end),
                         std::string(value.substr(0, blanks_at_start(value)))});
        GaugeLine fields = gauge_line_of(doc.content(line), role.equals + 1 - bytes.content);
        for (const Field& field : fields.fields)
            separators.push_back(field.lead);
    }
    LineStyle style;
    Head head = most_common(heads, Head{}, [](const Head&) { return false; });
    style.indent = head[0];
    style.before_equals = head[1];
    style.after_equals = head[2];
    style.separator = most_common(separators, std::string(" "),
                                  [](const std::string& way) { return way == " "; });
    return style;
}

std::string new_gauge_line(const LineStyle& style, const std::string& key,
                           const NewPlacement& placement,
                           const std::optional<std::string>& parameters) {
    auto number = [](const std::optional<int>& value) {
        return value ? std::to_string(*value) : std::string();
    };
    std::vector<std::string> values = {std::to_string(placement.x), std::to_string(placement.y)};
    // Empty width and height fields where later ones are given, as the reader takes them.
    if (placement.width || placement.height || parameters)
        values.push_back(number(placement.width));
    if (placement.height || parameters) values.push_back(number(placement.height));
    if (parameters) values.push_back(*parameters);
    std::string line =
        style.indent + key + style.before_equals + "=" + style.after_equals + trim(placement.name);
    for (const std::string& value : values)
        line += "," + style.separator + value;
    return line;
}

// A replacement of the bytes [begin, end) of the text.
struct Splice {
    size_t begin = 0, end = 0;
    std::string with;
};

std::string spliced(const std::string& text, std::vector<Splice> splices) {
    // A line put in before a line replaced or removed at the same place comes first.
    std::sort(splices.begin(), splices.end(), [](const Splice& a, const Splice& b) {
        return std::pair(a.begin, a.end) < std::pair(b.begin, b.end);
    });
    std::string out;
    size_t at = 0;
    for (const Splice& splice : splices) {
        out.append(text, at, splice.begin - at);
        out += splice.with;
        at = splice.end;
    }
    out.append(text, at, std::string::npos);
    return out;
}

// A new line right after line `after`. After a last line without a line ending the
// new line is the last, and has none.
Splice line_after(const Document& doc, size_t after, const std::string& content) {
    size_t at = doc.lines[after].next;
    if (!has_line_ending(doc, after)) return {at, at, file_line_ending(doc) + content};
    return {at, at, content + file_line_ending(doc)};
}

// A new line right before line `before`, with that line's ending (or the file's).
Splice line_before(const Document& doc, size_t before, const std::string& content) {
    const TextLine& line = doc.lines[before];
    std::string ending = has_line_ending(doc, before)
                             ? doc.text.substr(line.end, line.next - line.end)
                             : file_line_ending(doc);
    return {line.start, line.start, content + ending};
}

bool same_placement(const PanelGauge& a, const PanelGauge& b) {
    return a.key == b.key && a.kind == b.kind && a.name == b.name && a.module == b.module &&
           a.gauge == b.gauge && a.x == b.x && a.y == b.y && a.width == b.width &&
           a.height == b.height && a.parameters == b.parameters;
}

// The edited text read again must give the windows' gauges as `expected` has them,
// and nothing else new to complain about; else the edit is not handed out.
void check_reads_back(const std::string& edited, const PanelConfig& expected,
                      const std::string& where) {
    std::istringstream in(edited);
    PanelConfig read = read_panel_config(in, "panel");
    bool same = read.windows.size() == expected.windows.size() &&
                read.errors.size() == expected.errors.size();
    for (size_t w = 0; same && w < read.windows.size(); ++w) {
        const auto& got = read.windows[w].gauges;
        const auto& want = expected.windows[w].gauges;
        same = got.size() == want.size() &&
               std::equal(got.begin(), got.end(), want.begin(), same_placement);
    }
    if (!same)
        throw Refused(where + "the edited panel file would not read back as asked, so it is "
                              "left as it is");
}

// The edit, or the text unchanged with the reason it cannot be made.
template <typename Edit> PanelEdit refusing(const std::string& text, Edit edit) {
    try {
        return edit();
    } catch (const Refused& refused) {
        return {text, refused.what(), {}};
    }
}

} // namespace

PanelEdit change_placement(const std::string& text, const std::string& section,
                           const std::string& key, const PlacementChange& change) {
    return refusing(text, [&] {
        Document doc(text);
        size_t window = window_index(doc, section);
        size_t index = gauge_index(doc, window, key);
        const PanelGauge& now = doc.config.windows[window].gauges[index];
        size_t line = size_t(now.line - 1);
        std::string written = doc.written_key(line);
        std::string where = "[" + doc.config.windows[window].section + "] " + written + ": ";
        check_change(change, where);
        auto parameters = checked_parameters(change.parameters, where);

        size_t value = doc.roles[line].equals + 1 - doc.lines[line].content;
        GaugeLine fields = gauge_line_of(doc.content(line), value);
        std::string comment = apply_change(fields, now, change, parameters);
        std::vector<Splice> splices = {
            {doc.lines[line].content, doc.lines[line].end, fields.text()}};
        // A comment the parameter string pushed off the line keeps its own line above it.
        if (!comment.empty()) {
            std::string indent(doc.content(line).substr(0, blanks_at_start(doc.content(line))));
            splices.push_back(line_before(doc, line, indent + comment));
        }
        std::string edited = spliced(text, splices);

        PanelConfig expected = doc.config;
        PanelGauge& placed = expected.windows[window].gauges[index];
        placed.x = change.x.value_or(placed.x);
        placed.y = change.y.value_or(placed.y);
        if (change.width) placed.width = change.width;
        if (change.height) placed.height = change.height;
        if (parameters) placed.parameters = parameters;
        check_reads_back(edited, expected, where);
        return PanelEdit{edited, {}, written};
    });
}

PanelEdit add_placement(const std::string& text, const std::string& section,
                        const NewPlacement& placement) {
    return refusing(text, [&] {
        Document doc(text);
        size_t window = window_index(doc, section);
        const std::string& name = doc.config.windows[window].section;
        std::string where = "[" + name + "] new gauge: ";
        std::string gauge_name = trim(placement.name);
        check_name(gauge_name, where);
        check_position(placement.x, where + "x");
        check_position(placement.y, where + "y");
        check_size(placement.width, where + "width");
        check_size(placement.height, where + "height");
        auto parameters = checked_parameters(placement.parameters, where);

        std::string lowered = lower(name);
        std::string key = next_free_key(doc, name, "gauge", "gauge");
        std::string line = new_gauge_line(style_of(doc, lowered), key, placement, parameters);
        std::string edited = spliced(text, {line_after(doc, anchor_line(doc, lowered), line)});

        PanelConfig expected = doc.config;
        PanelGauge added;
        added.key = lower(key);
        added.name = gauge_name;
        added.module = gauge_name.substr(0, gauge_name.find('!'));
        added.gauge = gauge_name.substr(gauge_name.find('!') + 1);
        added.x = placement.x;
        added.y = placement.y;
        added.width = placement.width;
        added.height = placement.height;
        added.parameters = parameters;
        expected.windows[window].gauges.push_back(added);
        check_reads_back(edited, expected, "[" + name + "] " + key + ": ");
        return PanelEdit{edited, {}, key};
    });
}

PanelEdit remove_placement(const std::string& text, const std::string& section,
                           const std::string& key) {
    return refusing(text, [&] {
        Document doc(text);
        size_t window = window_index(doc, section);
        size_t index = gauge_index(doc, window, key);
        auto& gauges = doc.config.windows[window].gauges;
        size_t line = size_t(gauges[index].line - 1);
        std::string written = doc.written_key(line);
        std::string edited = spliced(text, {{doc.lines[line].start, doc.lines[line].next, {}}});

        PanelConfig expected = doc.config;
        expected.windows[window].gauges.erase(expected.windows[window].gauges.begin() +
                                              std::ptrdiff_t(index));
        check_reads_back(edited, expected,
                         "[" + doc.config.windows[window].section + "] " + written + ": ");
        return PanelEdit{edited, {}, written};
    });
}

PanelEdit move_placement(const std::string& text, const std::string& from_section,
                         const std::string& key, const std::string& to_section) {
    return refusing(text, [&] {
        Document doc(text);
        size_t from = window_index(doc, from_section);
        size_t index = gauge_index(doc, from, key);
        size_t to = window_index(doc, to_section);
        const PanelGauge& moving = doc.config.windows[from].gauges[index];
        size_t line = size_t(moving.line - 1);
        std::string written = doc.written_key(line);
        const std::string& target = doc.config.windows[to].section;
        if (to == from)
            throw Refused("[" + target + "] " + written + " is in [" + target + "] already");

        // The line as it stands, under the target section's next key of its kind.
        std::string kind = gauge_kind(doc.roles[line].key);
        std::string new_key = next_free_key(doc, target, kind, written.substr(0, kind.size()));
        const LineRole& role = doc.roles[line];
        const TextLine& bytes = doc.lines[line];
        std::string moved = doc.text.substr(bytes.content, role.key_begin - bytes.content) +
                            new_key + doc.text.substr(role.key_end, bytes.end - role.key_end);
        std::string edited =
            spliced(text, {{bytes.start, bytes.next, {}},
                           line_after(doc, anchor_line(doc, lower(target)), moved)});

        PanelConfig expected = doc.config;
        PanelGauge placed = moving;
        placed.key = lower(new_key);
        auto& gauges = expected.windows[from].gauges;
        gauges.erase(gauges.begin() + std::ptrdiff_t(index));
        expected.windows[to].gauges.push_back(placed);
        check_reads_back(edited, expected, "[" + target + "] " + new_key + ": ");
        return PanelEdit{edited, {}, new_key};
    });
}

} // namespace panelhost
