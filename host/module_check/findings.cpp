#include "module_check/findings.hpp"

#include "element_model.hpp"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace panelhost::check {

size_t ModuleFindings::count() const {
    size_t total = findings.size();
    for (const GaugeFindings& gauge : gauges)
        total += gauge.findings.size();
    return total;
}

Finding element_finding(std::string check, size_t element, unsigned kind, std::string message,
                        std::string cause) {
    return {std::move(check), element, element_kind_name(kind), std::move(message),
            std::move(cause)};
}

std::string shortened(const std::string& text, size_t most) {
    std::string out;
    size_t shown = 0;
    for (; shown < text.size() && out.size() < most; ++shown) {
        unsigned char c = static_cast<unsigned char>(text[shown]);
        if (c >= 0x20 && c < 0x7F && c != '\\') {
            out += char(c);
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
            out += escaped;
        }
    }
    if (shown < text.size()) out += "... (" + std::to_string(text.size()) + " characters)";
    return out;
}

std::string number_text(double value) {
    if (std::isnan(value)) return "nan";
    if (std::isinf(value)) return value > 0 ? "inf" : "-inf";
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", value);
    // The shortest form that reads back as the same double.
    for (int digits = 1; digits <= 17; ++digits) {
        char shorter[32];
        std::snprintf(shorter, sizeof shorter, "%.*g", digits, value);
        if (std::strtod(shorter, nullptr) == value) return shorter;
    }
    return text;
}

} // namespace panelhost::check
