#include "module_check/module_check.hpp"

#include "loaded_module.hpp"
#include "module_check/record_checks.hpp"
#include "module_check/resource_checks.hpp"

#include <chrono>
#include <fstream>

namespace panelhost::check {
namespace {

double seconds_since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Findings of the drive in this process, as they come.
class CollectingListener final : public DriveListener {
  public:
    explicit CollectingListener(std::vector<Finding>& out) : out_(out) {}
    void step(const std::string&) override {}
    void at(const Place&) override {}
    void finding(const Finding& finding) override { out_.push_back(finding); }

  private:
    std::vector<Finding>& out_;
};

void append(std::vector<Finding>& to, std::vector<Finding> from) {
    to.insert(to.end(), std::make_move_iterator(from.begin()), std::make_move_iterator(from.end()));
}

// What a gauge's records and resources show, read in this process.
GaugeFindings check_gauge_statically(const LoadedModule& module, const GaugeHeader& header) {
    GaugeFindings gauge{header.name, {}, 0};
    append(gauge.findings, check_gauge_records(module, header));
    append(gauge.findings, check_gauge_resources(module, header));
    return gauge;
}

// Each gauge's behaviour, in child processes when they can be had.
void drive_gauges(std::vector<GaugeFindings>& gauges, const CheckOptions& options) {
    if (!options.in_process && child_runs_available(options.child)) {
        std::vector<std::string> names;
        for (const GaugeFindings& gauge : gauges)
            names.push_back(gauge.name);
        std::vector<ChildResult> results =
            drive_in_children(options.module_path, names, options.drive, options.child);
        for (size_t i = 0; i < gauges.size(); ++i) {
            append(gauges[i].findings, std::move(results[i].findings));
            gauges[i].seconds = results[i].seconds;
        }
        return;
    }
    for (GaugeFindings& gauge : gauges) {
        const auto start = std::chrono::steady_clock::now();
        CollectingListener listener(gauge.findings);
        drive_gauge(options.module_path, gauge.name, options.drive, listener);
        gauge.seconds = seconds_since(start);
    }
}

} // namespace

std::optional<ModuleFindings> check_module(const CheckOptions& options, std::string& error) {
    const auto start = std::chrono::steady_clock::now();
    std::unique_ptr<LoadedModule> module = LoadedModule::load(options.module_path, error);
    if (!module) return std::nullopt;
    if (!options.gauge.empty() && !module->find_gauge(options.gauge)) {
        error = options.module_path + " has no gauge named " + options.gauge;
        return std::nullopt;
    }
    ModuleFindings out;
    out.module = module->name();
    out.findings = check_module_records(*module);
    append(out.findings, check_waves(module->resources()));
    for (const GaugeHeader* header : module->gauges())
        if (options.gauge.empty() || options.gauge == header->name)
            out.gauges.push_back(check_gauge_statically(*module, *header));
    drive_gauges(out.gauges, options);
    out.seconds = seconds_since(start);
    return out;
}

bool read_parameter_lines(const std::string& path, std::vector<std::string>& lines,
                          std::string& error) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        error = "cannot read the parameter file " + path;
        return false;
    }
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return true;
}

} // namespace panelhost::check
