// The gallery's named states, read from the JSON files kept next to the gauges.
#include "gallery_states.hpp"
#include "simulator_numbers.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace panelhost;

namespace {

std::string write_file(const std::string& name, const std::string& text) {
    std::string path = (std::filesystem::temp_directory_path() / name).string();
    std::ofstream(path) << text;
    return path;
}

TEST(GalleryStates, ReadsStatesAndReportsBadOnesByGaugeAndNumber) {
    std::string path = write_file("gallery_states_test.json", R"({
      "Airspeed": [
        {"state": "60 knots", "set": {"61": 60}},
        {"state": "bad variable", "set": {"sixty-one": 60}},
        {"state": "failed", "set": {"61": 150}, "fail": [3, 6], "cycles": 5,
         "parameters": "2", "named": {"PRESSURE ALTITUDE,feet": 1500},
         "text": {"ATC ID,string": "D-IMAR"},
         "with": {"Becker_NR3320_NAV1": [[100, 85]]}},
        {"set": {"61": 1}}
      ],
      "Compass": "not a list"
    })");
    std::vector<std::string> problems;
    std::vector<GalleryState> states = read_gallery_states(path, problems);
    ASSERT_EQ(states.size(), 2u);
    EXPECT_EQ(states[0].gauge, "Airspeed");
    EXPECT_EQ(states[0].name, "60 knots");
    EXPECT_EQ(states[0].variables.at(VAR_AIRSPEED), 60);
    EXPECT_EQ(states[0].cycles, 1);
    EXPECT_EQ(states[1].failures, (std::vector<uint32_t>{FAILURE_PITOT_STATIC, FAILURE_AIRSPEED}));
    EXPECT_EQ(states[1].cycles, 5);
    EXPECT_EQ(states[1].parameters, "2");
    EXPECT_EQ(states[1].named.at("PRESSURE ALTITUDE,feet"), 1500);
    EXPECT_EQ(states[1].texts.at("ATC ID,string"), "D-IMAR");
    ASSERT_EQ(states[1].companions.size(), 1u);
    EXPECT_EQ(states[1].companions[0].gauge, "Becker_NR3320_NAV1");
    EXPECT_EQ(states[1].companions[0].clicks, (std::vector<std::pair<double, double>>{{100, 85}}));

    ASSERT_EQ(problems.size(), 3u);
    EXPECT_NE(problems[0].find("Airspeed state 2: variable \"sixty-one\" is not a number"),
              std::string::npos)
        << problems[0];
    EXPECT_NE(problems[1].find("Airspeed state 4"), std::string::npos) << problems[1];
    EXPECT_NE(problems[2].find("Compass: expected a list of states"), std::string::npos);
}

TEST(GalleryStates, AFileThatIsNotJsonIsOneProblem) {
    std::string path = write_file("gallery_states_broken.json", "{ not json");
    std::vector<std::string> problems;
    EXPECT_TRUE(read_gallery_states(path, problems).empty());
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0], path + ": not a JSON object of gauge names");
}

TEST(GalleryStates, EveryGaugeFamilyFileReads) {
    std::vector<std::string> problems;
    std::vector<GalleryState> states = find_gallery_states(PANEL_GAUGES_DIR, problems);
    EXPECT_TRUE(problems.empty()) << problems.front();
    EXPECT_GE(states.size(), 20u);
}

} // namespace
