#include "module_check/json_writer.hpp"

#include <cmath>
#include <cstdio>

namespace panelhost::check {

void JsonWriter::before_value() {
    if (after_key_) {
        after_key_ = false;
        return;
    }
    if (!has_member_.empty()) {
        if (has_member_.back()) out_ += ',';
        has_member_.back() = true;
    }
}

void JsonWriter::open(char bracket) {
    before_value();
    out_ += bracket;
    has_member_.push_back(false);
}

void JsonWriter::close(char bracket) {
    has_member_.pop_back();
    out_ += bracket;
}

void JsonWriter::key(std::string_view name) {
    before_value();
    write_string(name);
    out_ += ':';
    after_key_ = true;
}

void JsonWriter::value(std::string_view text) {
    before_value();
    write_string(text);
}

void JsonWriter::value(double number) {
    before_value();
    // JSON has no NaN or infinity: such numbers are written as null.
    if (!std::isfinite(number)) {
        out_ += "null";
        return;
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", number);
    out_ += text;
}

void JsonWriter::value(size_t number) {
    before_value();
    out_ += std::to_string(number);
}

void JsonWriter::value(bool flag) {
    before_value();
    out_ += flag ? "true" : "false";
}

void JsonWriter::null() {
    before_value();
    out_ += "null";
}

void JsonWriter::write_string(std::string_view text) {
    out_ += '"';
    for (char c : text) {
        unsigned char byte = static_cast<unsigned char>(c);
        switch (c) {
        case '"': out_ += "\\\""; break;
        case '\\': out_ += "\\\\"; break;
        case '\n': out_ += "\\n"; break;
        case '\t': out_ += "\\t"; break;
        case '\r': out_ += "\\r"; break;
        default:
            if (byte < 0x20 || byte >= 0x7F) {
                // Report texts are ASCII (shortened() escapes the rest); anything else
                // is kept valid JSON as a \u escape of the byte.
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04X", byte);
                out_ += escaped;
            } else {
                out_ += c;
            }
        }
    }
    out_ += '"';
}

} // namespace panelhost::check
