#include "module_check/child_protocol.hpp"

#include "element_model.hpp"

#include <cstdio>
#include <cstring>

namespace panelhost::check {
namespace {

constexpr std::string_view finding_tag = "FINDING";

std::string escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\t')
            out += "\\t";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else
            out += c;
    }
    return out;
}

std::string unescaped(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        char next = text[++i];
        out += next == 't' ? '\t' : next == 'n' ? '\n' : next == 'r' ? '\r' : next;
    }
    return out;
}

std::vector<std::string_view> fields_of(std::string_view line) {
    std::vector<std::string_view> fields;
    size_t start = 0;
    for (size_t i = 0; i <= line.size(); ++i) {
        if (i == line.size() || line[i] == '\t') {
            fields.push_back(line.substr(start, i - start));
            start = i + 1;
        }
    }
    return fields;
}

std::string seconds_text(double seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", seconds);
    return text;
}

} // namespace

std::string encode_finding(const Finding& finding) {
    return std::string(finding_tag) + "\t" + escaped(finding.check) + "\t" +
           (finding.element ? std::to_string(*finding.element) : std::string("-")) + "\t" +
           escaped(finding.element_kind) + "\t" + escaped(finding.message) + "\t" +
           escaped(finding.cause) + "\n";
}

std::optional<Finding> decode_finding(std::string_view line) {
    std::vector<std::string_view> fields = fields_of(line);
    if (fields.size() != 6 || fields[0] != finding_tag) return std::nullopt;
    Finding finding;
    finding.check = unescaped(fields[1]);
    if (fields[2] != "-") {
        size_t index = 0;
        for (char c : fields[2]) {
            if (c < '0' || c > '9') return std::nullopt;
            index = index * 10 + size_t(c - '0');
        }
        finding.element = index;
    }
    finding.element_kind = unescaped(fields[3]);
    finding.message = unescaped(fields[4]);
    finding.cause = unescaped(fields[5]);
    return finding;
}

ChildOutput parse_child_output(const std::string& bytes) {
    ChildOutput out;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        if (end == std::string::npos) break; // a line cut off by the child's end
        std::string_view line(bytes.data() + start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line == finished_line)
            out.finished = true;
        else if (std::optional<Finding> finding = decode_finding(line))
            out.findings.push_back(std::move(*finding));
        start = end + 1;
    }
    return out;
}

void ChildListener::step(const std::string& cause) {
    size_t length = std::min(cause.size(), sizeof progress_.cause - 1);
    std::memcpy(progress_.cause, cause.data(), length);
    progress_.cause[length] = '\0';
}

std::string diagnostic_line(const std::string& error_output) {
    for (const char* mark : {"ERROR: AddressSanitizer", "ERROR: LeakSanitizer",
                             "runtime error:", "ERROR: ", "terminate called", "Assertion"}) {
        size_t at = error_output.find(mark);
        if (at == std::string::npos) continue;
        size_t begin = error_output.rfind('\n', at);
        begin = begin == std::string::npos ? 0 : begin + 1;
        size_t end = error_output.find('\n', at);
        std::string line = error_output.substr(begin, end == std::string::npos ? end : end - begin);
        // Leading "==1234==" of the sanitizers says nothing to a reader.
        if (line.rfind("==", 0) == 0) {
            size_t after = line.find("==", 2);
            if (after != std::string::npos) line = line.substr(after + 2);
        }
        return line.size() > 200 ? line.substr(0, 200) : line;
    }
    return {};
}

std::vector<Finding> child_findings(const std::string& output, const SharedProgress& progress,
                                    const ChildEnd& end) {
    ChildOutput parsed = parse_child_output(output);
    std::vector<Finding> findings = std::move(parsed.findings);
    if (!end.hung && end.ended.empty() && parsed.finished) return findings;

    Finding failure;
    const Place& place = progress.place;
    if (place.what == Place::element && place.number >= 0) {
        failure.element = size_t(place.number);
        failure.element_kind = element_kind_name(place.kind);
    }
    failure.cause = std::string(progress.cause, strnlen(progress.cause, sizeof progress.cause));
    if (end.hung) {
        failure.check = "hang";
        failure.message = "the gauge's drive did not finish within " +
                          seconds_text(end.time_limit) + " s (it hangs, or is far too slow); " +
                          "it was last in " + place_text(place);
    } else {
        failure.check = "crash";
        failure.message = "the gauge crashed (" +
                          (end.ended.empty() ? std::string("ended without finishing") : end.ended) +
                          ") in " + place_text(place);
        if (!end.diagnostic.empty()) failure.message += ": " + end.diagnostic;
    }
    findings.push_back(std::move(failure));
    return findings;
}

} // namespace panelhost::check
