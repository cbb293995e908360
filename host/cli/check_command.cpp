// panelhost check: a module's records, resources and behaviour under a hostile host,
// reported as text or JSON; exit status 0 clean, 1 findings, 2 when the module cannot
// be loaded or the arguments are wrong.
#include "cli/commands.hpp"

#include "module_check/child_run.hpp"
#include "module_check/module_check.hpp"
#include "module_check/report.hpp"

#include <cstdio>
#include <cstdlib>
#include <iostream>

namespace panelhost {
namespace {

bool parse_seconds(const std::string& text, double& seconds) {
    char* end = nullptr;
    seconds = std::strtod(text.c_str(), &end);
    return !text.empty() && end && *end == '\0' && seconds > 0 && seconds <= 3600;
}

} // namespace

std::optional<CheckCommandOptions> parse_check_arguments(const std::vector<std::string>& arguments,
                                                         std::string& error) {
    CheckCommandOptions options;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        auto value = [&](std::string& into) {
            if (i + 1 == arguments.size()) {
                error = "panelhost check: " + argument + " needs a value";
                return false;
            }
            into = arguments[++i];
            return true;
        };
        std::string seconds;
        if (argument == "--json") {
            options.json = true;
        } else if (argument == "--gauge") {
            if (!value(options.gauge)) return std::nullopt;
        } else if (argument == "--parameters") {
            if (!value(options.parameters_file)) return std::nullopt;
        } else if (argument == "--time-limit") {
            if (!value(seconds)) return std::nullopt;
            if (!parse_seconds(seconds, options.time_limit)) {
                error = "panelhost check: --time-limit " + seconds +
                        ": give seconds, more than 0 and at most 3600";
                return std::nullopt;
            }
        } else if (argument == "--jobs") {
            if (!value(seconds)) return std::nullopt;
            char* end = nullptr;
            unsigned long jobs = std::strtoul(seconds.c_str(), &end, 10);
            if (seconds.empty() || *end != '\0' || jobs < 1 || jobs > 64) {
                error = "panelhost check: --jobs " + seconds + ": give a number from 1 to 64";
                return std::nullopt;
            }
            options.jobs = unsigned(jobs);
        } else if (argument == "--child-gauge") {
            if (!value(options.child_gauge)) return std::nullopt;
        } else if (argument == "--child-progress") {
            if (!value(options.child_progress)) return std::nullopt;
        } else if (argument.rfind("--", 0) == 0) {
            error = "panelhost check: unknown option " + argument;
            return std::nullopt;
        } else if (options.module_path.empty()) {
            options.module_path = argument;
        } else {
            error = "panelhost check: one module only (" + options.module_path + ", then " +
                    argument + ")";
            return std::nullopt;
        }
    }
    if (options.module_path.empty()) {
        error = "panelhost check: MODULE is required";
        return std::nullopt;
    }
    return options;
}

int run_check(const CheckCommandOptions& options) {
    check::CheckOptions check;
    check.module_path = options.module_path;
    check.gauge = options.gauge;
    check.child.time_limit = options.time_limit;
    check.child.jobs = options.jobs;
    std::string error;
    if (!options.parameters_file.empty() &&
        !check::read_parameter_lines(options.parameters_file, check.drive.extra_parameters,
                                     error)) {
        std::cerr << "panelhost check: " << error << "\n";
        return 2;
    }
    if (!options.child_gauge.empty())
        return check::drive_as_child(options.module_path, options.child_gauge, check.drive,
                                     options.child_progress);
    if (!options.program.empty()) {
        // How a child that drives one gauge is started: this program again.
        check.child.command = {options.program, "check", options.module_path};
        if (!options.parameters_file.empty())
            check.child.command.insert(check.child.command.end(),
                                       {"--parameters", options.parameters_file});
    }
    std::optional<check::ModuleFindings> findings = check::check_module(check, error);
    if (!findings) {
        std::cerr << "panelhost check: " << error << "\n";
        return 2;
    }
    std::cout << (options.json ? check::report_json(*findings) : check::report_text(*findings));
    std::cout.flush();
    return findings->count() == 0 ? 0 : 1;
}

} // namespace panelhost
