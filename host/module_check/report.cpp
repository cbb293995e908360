#include "module_check/report.hpp"

#include "module_check/json_writer.hpp"

#include <cstdio>

namespace panelhost::check {
namespace {

std::string finding_line(const std::string& where, const Finding& finding) {
    std::string line = where + ": ";
    if (finding.element)
        line += "element " + std::to_string(*finding.element) + " (" + finding.element_kind + "): ";
    line += finding.check + ": " + finding.message;
    if (!finding.cause.empty()) line += " [" + finding.cause + "]";
    return line + "\n";
}

void write_finding(JsonWriter& json, const Finding& finding) {
    json.begin_object();
    json.key("check");
    json.value(finding.check);
    json.key("element");
    if (finding.element)
        json.value(*finding.element);
    else
        json.null();
    json.key("kind");
    json.value(finding.element_kind);
    json.key("message");
    json.value(finding.message);
    json.key("cause");
    json.value(finding.cause);
    json.end_object();
}

void write_findings(JsonWriter& json, const std::vector<Finding>& findings) {
    json.key("findings");
    json.begin_array();
    for (const Finding& finding : findings)
        write_finding(json, finding);
    json.end_array();
}

} // namespace

std::string report_text(const ModuleFindings& findings) {
    std::string out;
    for (const Finding& finding : findings.findings)
        out += finding_line(findings.module, finding);
    for (const GaugeFindings& gauge : findings.gauges)
        for (const Finding& finding : gauge.findings)
            out += finding_line(findings.module + ": " + gauge.name, finding);
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.1f", findings.seconds);
    auto counted = [](size_t count, const char* noun) {
        return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
    };
    out += findings.module + ": " + counted(findings.gauges.size(), "gauge") + " checked, " +
           counted(findings.count(), "finding") + ", " + seconds + " s\n";
    return out;
}

std::string report_json(const ModuleFindings& findings) {
    JsonWriter json;
    json.begin_object();
    json.key("module");
    json.value(findings.module);
    write_findings(json, findings.findings);
    json.key("gauges");
    json.begin_array();
    for (const GaugeFindings& gauge : findings.gauges) {
        json.begin_object();
        json.key("name");
        json.value(gauge.name);
        write_findings(json, gauge.findings);
        json.key("seconds");
        json.value(gauge.seconds);
        json.end_object();
    }
    json.end_array();
    json.key("summary");
    json.begin_object();
    json.key("gauges");
    json.value(findings.gauges.size());
    json.key("findings");
    json.value(findings.count());
    json.key("clean");
    json.value(findings.count() == 0);
    json.key("seconds");
    json.value(findings.seconds);
    json.end_object();
    json.end_object();
    return json.text() + "\n";
}

} // namespace panelhost::check
