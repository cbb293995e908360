// Named states of the gauges for the gallery, read from the JSON files that sit
// next to each gauge family (gauges/*/gallery.json):
//
//   { "Airspeed": [ {"state": "60 knots", "set": {"61": 60}},
//                   {"state": "pitot failure", "set": {"61": 180}, "fail": [3]} ] }
//
// A state may also give "parameters" (the gauge's parameter string), "named"
// (values of "(A:NAME,unit)" expressions, keyed "NAME,unit"), "text" (named texts)
// "cycles" (update cycles before the picture; default 1) and "clicks" (left clicks
// at design pixels [x, y], in order, each after one update: switches the gauge keeps
// to itself, such as a radio's power) and "with" (other gauges of the module placed
// first, each with its clicks: {"Becker_NR3320_NAV1": [[100, 85]]} switches the
// NAV1 receiver on for the displays that follow it).
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace panelhost {

// Another gauge placed beside the one pictured, and clicked at design pixels.
struct GalleryCompanion {
    std::string gauge;
    std::vector<std::pair<double, double>> clicks;
};

struct GalleryState {
    std::string gauge;
    std::string name;
    std::optional<std::string> parameters;
    std::map<uint32_t, double> variables;
    std::map<std::string, double> named;
    std::map<std::string, std::string> texts;
    std::vector<uint32_t> failures;
    int cycles = 1;
    std::vector<std::pair<double, double>> clicks; // design pixels
    std::vector<GalleryCompanion> companions;
};

// Reads one gallery file; problems (bad JSON, bad entries) are added to `problems`
// with the file name, and the good states are kept.
std::vector<GalleryState> read_gallery_states(const std::string& path,
                                              std::vector<std::string>& problems);

// Every gallery.json under `gauges_dir`, in path order.
std::vector<GalleryState> find_gallery_states(const std::string& gauges_dir,
                                              std::vector<std::string>& problems);

} // namespace panelhost
