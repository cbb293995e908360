// What `panelhost check` found: problems of a module as a whole and of each of its
// gauges, each naming the check, the element it concerns and what caused it.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace panelhost::check {

struct Finding {
    std::string check;             // short name of the check, e.g. "chain", "crash"
    std::optional<size_t> element; // index in chain order (back to front), if any
    std::string element_kind;      // "needle", "string", ... when element is set
    std::string message;           // what is wrong
    std::string cause;             // the value or parameter string that caused it
    bool operator==(const Finding&) const = default;
};

struct GaugeFindings {
    std::string name;
    std::vector<Finding> findings;
    double seconds = 0; // time its behaviour took to drive
};

struct ModuleFindings {
    std::string module;            // the module's file
    std::vector<Finding> findings; // about the module as a whole
    std::vector<GaugeFindings> gauges;
    double seconds = 0;
    size_t count() const;
};

// A finding about one element.
Finding element_finding(std::string check, size_t element, unsigned kind, std::string message,
                        std::string cause = {});

// Text shortened to at most `most` characters for a report line, with what was cut
// said; bytes outside printable ASCII are written as \xNN.
std::string shortened(const std::string& text, size_t most = 60);

// A double as a report shows it: "nan", "inf", "-inf" or its shortest form.
std::string number_text(double value);

} // namespace panelhost::check
