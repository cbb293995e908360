// `panelhost check` on a module with planted faults: each fault is reported with
// its gauge and element, a crash and a hang end only their own gauge's drive, and
// the gauge without faults comes out clean. Then the command itself: its exit
// status, its text and its JSON.
#include "module_check/module_check.hpp"
#include "module_check/report.hpp"
#include "test_folder.hpp"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <sys/wait.h>
#include <vector>

using namespace panelhost::check;

namespace {

// The hanging gauge costs this much of every run; the others take a fraction of it,
// even in the sanitizer build on a busy machine.
constexpr double time_limit = 8;

// Each fault of tests/fixtures/faulty_module.cpp, as the check reports it.
struct Planted {
    std::string gauge;
    std::string check;
    std::optional<size_t> element;
    std::string kind;
    std::string in_message; // a part of the message
    std::string in_cause;   // a part of the cause
};

const std::vector<Planted> planted = {
    {"Looping_Chain", "chain", 1, "needle", "leads back to element 0", ""},
    {"Missing_Bitmap", "bitmap", 1, "static image", "bitmap 9999 is not among", ""},
    {"Long_Text", "text-overflow", 1, "string", "wrote 16 bytes past the end", "placed"},
    {"Nan_Crash", "crash", 1, "needle", "the gauge crashed", "variable 5001 = nan"},
    {"Endless_Loop", "hang", 1, "needle", "did not finish within 8 s", "variable 5002 = -1"},
    {"Unended_Lists", "failure-list", 1, "needle", "no zero-key end entry within 64", ""},
    {"Unended_Lists", "mouse-list", std::nullopt, "", "still open", ""},
    {"Writes_Published", "published-write", 1, "needle", "module's own element 1", "placed"},
};

const std::vector<std::string> gauge_names = {"Looping_Chain",    "Missing_Bitmap", "Long_Text",
                                              "Nan_Crash",        "Endless_Loop",   "Unended_Lists",
                                              "Writes_Published", "Plain_Dial"};

CheckOptions faulty_options() {
    CheckOptions options;
    options.module_path = FAULTY_MODULE_PATH;
    options.child.time_limit = time_limit;
    return options;
}

ModuleFindings check_faulty_module() {
    std::string error;
    std::optional<ModuleFindings> findings = check_module(faulty_options(), error);
    EXPECT_TRUE(findings) << error;
    return findings.value_or(ModuleFindings{});
}

const GaugeFindings* gauge_of(const ModuleFindings& module, const std::string& name) {
    for (const GaugeFindings& gauge : module.gauges)
        if (gauge.name == name) return &gauge;
    return nullptr;
}

bool matches(const Finding& finding, const Planted& fault) {
    return finding.check == fault.check && finding.element == fault.element &&
           finding.element_kind == fault.kind &&
           finding.message.find(fault.in_message) != std::string::npos &&
           finding.cause.find(fault.in_cause) != std::string::npos;
}

bool json_matches(const nlohmann::json& finding, const Planted& fault) {
    const bool element_matches =
        fault.element ? finding["element"] == *fault.element : finding["element"].is_null();
    return finding["check"] == fault.check && element_matches && finding["kind"] == fault.kind &&
           finding["message"].get<std::string>().find(fault.in_message) != std::string::npos &&
           finding["cause"].get<std::string>().find(fault.in_cause) != std::string::npos;
}

std::string planted_text(const Planted& fault) {
    return fault.gauge + " " + fault.check + " " +
           (fault.element ? std::to_string(*fault.element) : std::string("-"));
}

// What `panelhost ARGUMENTS` writes on standard output, and its exit status.
struct CommandRun {
    std::string output;
    int status = -1;
};

CommandRun run_panelhost(const std::string& arguments) {
    CommandRun run;
    std::string command = std::string("\"") + PANELHOST_PATH + "\" " + arguments + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    char buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        run.output.append(buffer, got);
    int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

TEST(ModuleCheck, ReportsEveryPlantedFaultWithItsGaugeAndElementAndTheRestIntact) {
    const ModuleFindings module = check_faulty_module();
    SCOPED_TRACE(report_text(module));
    ASSERT_EQ(module.gauges.size(), gauge_names.size());
    for (size_t i = 0; i < gauge_names.size(); ++i)
        EXPECT_EQ(module.gauges[i].name, gauge_names[i]);
    for (const Planted& fault : planted) {
        const GaugeFindings* gauge = gauge_of(module, fault.gauge);
        ASSERT_TRUE(gauge) << fault.gauge;
        bool found = false;
        for (const Finding& finding : gauge->findings)
            found = found || matches(finding, fault);
        EXPECT_TRUE(found) << planted_text(fault);
    }
    // Nothing but the planted faults: the crash and the hang cost only their own
    // gauge's drive, and the gauges after them were driven to the end.
    size_t planted_in_gauges = planted.size();
    EXPECT_EQ(module.count(), planted_in_gauges);
    EXPECT_TRUE(module.findings.empty());
    EXPECT_TRUE(gauge_of(module, "Plain_Dial")->findings.empty());
}

TEST(ModuleCheck, OneGaugeAloneIsCheckedWhenNamed) {
    CheckOptions options = faulty_options();
    options.gauge = "Nan_Crash";
    std::string error;
    std::optional<ModuleFindings> module = check_module(options, error);
    ASSERT_TRUE(module) << error;
    ASSERT_EQ(module->gauges.size(), 1u);
    ASSERT_EQ(module->gauges[0].findings.size(), 1u);
    EXPECT_TRUE(matches(module->gauges[0].findings[0], planted[3]));
}

TEST(ModuleCheck, AModuleThatCannotBeLoadedOrAnUnknownGaugeIsAnErrorNotAFinding) {
    CheckOptions options = faulty_options();
    options.module_path = "no_such_module.so";
    std::string error;
    EXPECT_FALSE(check_module(options, error));
    EXPECT_NE(error.find("no_such_module.so"), std::string::npos) << error;

    options = faulty_options();
    options.gauge = "No_Such_Gauge";
    EXPECT_FALSE(check_module(options, error));
    EXPECT_NE(error.find("has no gauge named No_Such_Gauge"), std::string::npos) << error;
}

TEST(ModuleCheck, ParameterFilesGiveOneStringPerLine) {
    const std::string path = testing::TempDir() + "module_check_parameters.txt";
    std::ofstream(path, std::ios::binary) << "tRADIO_STACK_PANEL\r\n\nb110 h43910\nlast";
    std::vector<std::string> lines;
    std::string error;
    ASSERT_TRUE(read_parameter_lines(path, lines, error)) << error;
    EXPECT_EQ(lines, (std::vector<std::string>{"tRADIO_STACK_PANEL", "", "b110 h43910", "last"}));
    EXPECT_FALSE(read_parameter_lines(path + ".missing", lines, error));
    EXPECT_NE(error.find(path + ".missing"), std::string::npos);
}

TEST(ModuleCheckReport, TextSaysModuleGaugeElementWhatAndCauseOnALineEach) {
    ModuleFindings module{
        "Some_Module",
        {{"linkage", std::nullopt, "", "no gauge", ""}},
        {{"Dial", {{"crash", 2, "needle", "it crashed", std::string("variable 7 = nan")}}, 0.5}},
        1.0};
    EXPECT_EQ(report_text(module),
              "Some_Module: linkage: no gauge\n"
              "Some_Module: Dial: element 2 (needle): crash: it crashed [variable 7 = nan]\n"
              "Some_Module: 1 gauge checked, 2 findings, 1.0 s\n");
}

TEST(ModuleCheckReport, JsonHoldsEveryFindingWithItsFieldsAndASummary) {
    ModuleFindings module{
        "Some_Module",
        {},
        {{"Dial", {{"text-overflow", 0, "string", "wrote \"5\"\tbytes", "p\\q"}}, 0.5},
         {"Clean", {}, 0.25}},
        1.0};
    nlohmann::json json = nlohmann::json::parse(report_json(module));
    EXPECT_EQ(json["module"], "Some_Module");
    ASSERT_EQ(json["gauges"].size(), 2u);
    const nlohmann::json& finding = json["gauges"][0]["findings"][0];
    EXPECT_EQ(finding["check"], "text-overflow");
    EXPECT_EQ(finding["element"], 0);
    EXPECT_EQ(finding["kind"], "string");
    EXPECT_EQ(finding["message"], "wrote \"5\"\tbytes");
    EXPECT_EQ(finding["cause"], "p\\q");
    EXPECT_TRUE(json["gauges"][1]["findings"].empty());
    EXPECT_EQ(json["summary"]["findings"], 1);
    EXPECT_EQ(json["summary"]["gauges"], 2);
    EXPECT_EQ(json["summary"]["clean"], false);
}

TEST(PanelhostCheckCommand, TheFaultyModuleExitsWithOneAndItsJsonNamesEveryFault) {
    CommandRun run =
        run_panelhost(std::string("check ") + FAULTY_MODULE_PATH + " --json --time-limit 8");
    EXPECT_EQ(run.status, 1) << run.output;
    nlohmann::json json = nlohmann::json::parse(run.output, nullptr, false);
    ASSERT_FALSE(json.is_discarded()) << run.output;
    EXPECT_EQ(json["summary"]["findings"], planted.size());
    for (const Planted& fault : planted) {
        bool found = false;
        for (const nlohmann::json& gauge : json["gauges"])
            if (gauge["name"] == fault.gauge)
                for (const nlohmann::json& finding : gauge["findings"])
                    found = found || json_matches(finding, fault);
        EXPECT_TRUE(found) << planted_text(fault);
    }
}

TEST(PanelhostCheckCommand, WrongArgumentsAndModulesThatDoNotLoadExitWithTwo) {
    CommandRun missing = run_panelhost("check no_such_module.so");
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.output.find("cannot load module no_such_module.so"), std::string::npos)
        << missing.output;
    CommandRun no_gauge =
        run_panelhost(std::string("check ") + FAULTY_MODULE_PATH + " --gauge No_Such_Gauge");
    EXPECT_EQ(no_gauge.status, 2);
    EXPECT_NE(no_gauge.output.find("has no gauge named No_Such_Gauge"), std::string::npos)
        << no_gauge.output;
    CommandRun bad_limit =
        run_panelhost(std::string("check ") + FAULTY_MODULE_PATH + " --time-limit 0");
    EXPECT_EQ(bad_limit.status, 2);
    EXPECT_NE(bad_limit.output.find("--time-limit"), std::string::npos) << bad_limit.output;
    CommandRun no_file = run_panelhost(std::string("check ") + FAULTY_MODULE_PATH +
                                       " --parameters no_such_file.txt");
    EXPECT_EQ(no_file.status, 2);
    EXPECT_NE(no_file.output.find("no_such_file.txt"), std::string::npos) << no_file.output;
}

// A module built for Windows, or for the other word size, is told for what it is.
TEST(PanelhostCheckCommand, AModuleBuiltForAnotherSystemIsToldForWhatItIs) {
    const std::filesystem::path dir = fresh_test_folder("module-check-");
    auto module_starting = [&](const std::string& name, std::string start) {
        start.resize(256, '\0');
        std::ofstream(dir / name, std::ios::binary) << start;
        return run_panelhost("check " + (dir / name).string());
    };
    CommandRun windows = module_starting("My_Gauges.gau", "MZ\x90");
    EXPECT_EQ(windows.status, 2);
    EXPECT_NE(windows.output.find("it is a module built for Windows; this host loads modules "
                                  "built for Linux"),
              std::string::npos)
        << windows.output;
    const char other_class = sizeof(void*) == 8 ? 1 : 2;
    CommandRun other_size = module_starting("Other_Size.so", std::string("\x7F"
                                                                         "ELF") +
                                                                 other_class);
    EXPECT_EQ(other_size.status, 2);
    EXPECT_NE(other_size.output.find(sizeof(void*) == 8 ? "it is a 32-bit module; this panelhost "
                                                          "is 64-bit"
                                                        : "it is a 64-bit module"),
              std::string::npos)
        << other_size.output;
    std::filesystem::remove_all(dir);
}

} // namespace
