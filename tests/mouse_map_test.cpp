// Tests of panelhost's mouse model: reading mouse lists into absolute areas, clicks,
// pointer info and button repeat.
#include "gauge_tables.hpp"
#include "mouse_map.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <string_view>
#include <tuple>
#include <vector>

namespace panelhost {
namespace {

constexpr uint32_t kLeft = MOUSE_LEFT_BUTTON;
constexpr uint32_t kRight = MOUSE_RIGHT_BUTTON;
constexpr uint32_t kLeftRepeat = MOUSE_LEFT_BUTTON | MOUSE_REPEAT;
constexpr uint32_t kBothRepeat = MOUSE_LEFT_BUTTON | MOUSE_RIGHT_BUTTON | MOUSE_REPEAT;

// Mouse records as gauges write them, through the module's own builders.
MouseArea record_of_kind(uint32_t kind) {
    MouseArea record{};
    record.kind = kind;
    return record;
}

MouseArea area(int x, int y, int width, int height, uint32_t help_id = 0) {
    return gauge::area_begin(help_id, {x, y, width, height});
}

MouseArea whole_gauge(uint32_t help_id = 0) { return gauge::area_begin(help_id); }

MouseArea child(int x, int y, int width, int height, uint32_t flags, int32_t cursor = CURSOR_HAND) {
    return gauge::click_area({x, y, width, height}, cursor, flags, nullptr);
}

MouseArea tooltip(const char* text, uint32_t help_id = 0) { return gauge::tooltip(help_id, text); }

using gauge::area_end;
using gauge::list_end;

MouseMap read(const std::vector<MouseArea>& list) { return read_mouse_map(list.data(), 300, 300); }

std::tuple<double, double, double, double> edges(const Box& box) {
    return {box.x, box.y, box.width, box.height};
}

bool has_problem(const MouseMap& map, std::string_view text) {
    return std::ranges::any_of(map.problems, [&](const std::string& problem) {
        return problem.find(text) != std::string::npos;
    });
}

// A gauge with a two-button inner area at the bottom left and a knob with a tooltip.
class GaugeMouseList : public ::testing::Test {
  protected:
    enum Node : size_t { kRoot, kInner, kLeftHalf, kRightHalf, kKnobArea, kKnob };
    const std::vector<MouseArea> list{
        whole_gauge(11),
        area(2, 240, 60, 60),
        child(0, 0, 30, 60, kLeftRepeat, CURSOR_LEFTARROW),
        child(30, 0, 30, 60, kBothRepeat, CURSOR_RIGHTARROW),
        area_end(),
        area(100, 20, 80, 40, 22),
        tooltip("Set heading", 33),
        child(0, 0, 0, 0, kLeft, CURSOR_HAND),
        area_end(),
        area_end(),
        list_end(),
    };
    const MouseMap map = read(list);
};

TEST_F(GaugeMouseList, BuildsTreeWithAbsoluteBoxes) {
    ASSERT_EQ(map.nodes.size(), 6u);
    EXPECT_TRUE(map.problems.empty());
    EXPECT_EQ(edges(map.nodes[kRoot].box), edges({0, 0, 300, 300}));
    EXPECT_EQ(edges(map.nodes[kInner].box), edges({2, 240, 60, 60}));
    EXPECT_EQ(edges(map.nodes[kLeftHalf].box), edges({2, 240, 30, 60}));
    EXPECT_EQ(edges(map.nodes[kRightHalf].box), edges({32, 240, 30, 60}));
    EXPECT_EQ(edges(map.nodes[kKnob].box), edges({100, 20, 80, 40}));

    struct Expected {
        size_t record;
        int parent;
        int depth;
    };
    const Expected expected[] = {{0, -1, 0}, {1, 0, 1}, {2, 1, 2}, {3, 1, 2}, {5, 0, 1}, {7, 4, 2}};
    for (size_t i = 0; i < map.nodes.size(); ++i) {
        EXPECT_EQ(map.nodes[i].record, &list[expected[i].record]) << "node " << i;
        EXPECT_EQ(map.nodes[i].parent, expected[i].parent) << "node " << i;
        EXPECT_EQ(map.nodes[i].depth, expected[i].depth) << "node " << i;
    }
}

TEST_F(GaugeMouseList, ButtonFlagsDecideWhichClicksAreTaken) {
    EXPECT_EQ(click_target(map, 10, 250, kLeft), kLeftHalf);
    EXPECT_EQ(click_target(map, 10, 250, kRight), std::nullopt);
    EXPECT_EQ(click_target(map, 40, 250, kLeft), kRightHalf);
    EXPECT_EQ(click_target(map, 40, 250, kRight), kRightHalf);
    EXPECT_EQ(click_target(map, 40, 250, MOUSE_REPEAT), std::nullopt);
    EXPECT_EQ(click_target(map, 150, 30, kLeft | MOUSE_REPEAT), kKnob);
}

TEST_F(GaugeMouseList, BoxesHoldTheirLeftAndTopEdgesOnly) {
    EXPECT_EQ(click_target(map, 2, 240, kLeft), kLeftHalf);
    EXPECT_EQ(click_target(map, 31.999, 299.999, kLeft), kLeftHalf);
    EXPECT_EQ(click_target(map, 32, 240, kLeft), kRightHalf);
    EXPECT_EQ(click_target(map, 62, 250, kLeft), std::nullopt);
    EXPECT_EQ(click_target(map, 40, 300, kLeft), std::nullopt);
    EXPECT_EQ(click_target(map, 1.999, 250, kLeft), std::nullopt);
}

TEST_F(GaugeMouseList, PointerShowsCursorAndNearestHelp) {
    const PointerInfo left_half = pointer_info(map, 10, 250);
    EXPECT_EQ(left_half.cursor, CURSOR_LEFTARROW);
    EXPECT_EQ(left_half.help_id, 11u); // the inner area has none: the whole gauge's
    EXPECT_EQ(left_half.tooltip, nullptr);

    const PointerInfo knob = pointer_info(map, 150, 30);
    EXPECT_EQ(knob.cursor, CURSOR_HAND);
    EXPECT_EQ(knob.help_id, 33u); // the tooltip record's help id replaces the area's
    EXPECT_STREQ(knob.tooltip, "Set heading");

    const PointerInfo bare_face = pointer_info(map, 250, 150);
    EXPECT_EQ(bare_face.cursor, CURSOR_NONE);
    EXPECT_EQ(bare_face.help_id, 11u);

    const PointerInfo outside = pointer_info(map, 300, 150);
    EXPECT_EQ(outside.cursor, CURSOR_NONE);
    EXPECT_EQ(outside.help_id, 0u);
    EXPECT_EQ(outside.tooltip, nullptr);
}

TEST(MouseMapBoxes, ZeroBoxesCoverTheAreaTheyBelongTo) {
    const std::vector<MouseArea> list{
        whole_gauge(),
        area(20, 10, 60, 40),
        child(0, 0, 0, 0, kLeft),
        area(0, 0, 0, 0),
        child(10, 10, 5, 5, kLeft),
        area_end(),
        area_end(),
        area_end(),
        list_end(),
    };
    const MouseMap map = read_mouse_map(list.data(), 120, 80);
    ASSERT_EQ(map.nodes.size(), 5u);
    EXPECT_EQ(edges(map.nodes[0].box), edges({0, 0, 120, 80}));
    EXPECT_EQ(edges(map.nodes[2].box), edges({20, 10, 60, 40}));
    EXPECT_EQ(edges(map.nodes[3].box), edges({20, 10, 60, 40}));
    EXPECT_EQ(edges(map.nodes[4].box), edges({30, 20, 5, 5}));
}

TEST(MouseMapClicks, ChildCountsOnlyInsideEveryEnclosingArea) {
    const std::vector<MouseArea> list{
        whole_gauge(), area(0, 0, 50, 50), child(40, 40, 30, 30, kLeft),
        area_end(),    area_end(),         list_end(),
    };
    const MouseMap map = read(list);
    EXPECT_EQ(click_target(map, 45, 45, kLeft), 2u);
    EXPECT_EQ(click_target(map, 60, 60, kLeft), std::nullopt);
    EXPECT_EQ(pointer_info(map, 60, 60).cursor, CURSOR_NONE);
}

TEST(MouseMapClicks, FirstRecordTakesTheClickWhileLaterOneShowsItsCursor) {
    const std::vector<MouseArea> list{
        whole_gauge(),
        child(0, 0, 100, 100, kLeft, CURSOR_UPARROW),
        child(50, 0, 100, 100, kBothRepeat, CURSOR_DOWNARROW),
        area_end(),
        list_end(),
    };
    const MouseMap map = read(list);
    EXPECT_EQ(click_target(map, 75, 50, kLeft), 1u);
    EXPECT_EQ(click_target(map, 75, 50, kRight), 2u);
    EXPECT_EQ(pointer_info(map, 75, 50).cursor, CURSOR_DOWNARROW);
}

TEST(MouseMapPointer, DeeperAreaWinsOverLaterShallowerOne) {
    const std::vector<MouseArea> list{
        whole_gauge(5),   area(0, 0, 100, 100, 44),
        tooltip("Inner"), child(0, 0, 50, 50, kLeft),
        area_end(),       child(0, 0, 200, 200, kLeft, CURSOR_UPARROW),
        area_end(),       list_end(),
    };
    const MouseMap map = read(list);
    const PointerInfo inner = pointer_info(map, 10, 10);
    EXPECT_EQ(inner.cursor, CURSOR_HAND);
    EXPECT_EQ(inner.help_id, 44u); // a tooltip without help id keeps the area's
    EXPECT_STREQ(inner.tooltip, "Inner");
    const PointerInfo outer = pointer_info(map, 150, 150);
    EXPECT_EQ(outer.cursor, CURSOR_UPARROW);
    EXPECT_EQ(outer.help_id, 5u);
    EXPECT_EQ(outer.tooltip, nullptr);
}

TEST(MouseMapMalformed, NullListGivesEmptyMap) {
    const MouseMap map = read_mouse_map(nullptr, 300, 300);
    EXPECT_TRUE(map.nodes.empty());
    EXPECT_TRUE(map.problems.empty());
    EXPECT_EQ(click_target(map, 10, 10, kLeft), std::nullopt);
    EXPECT_EQ(pointer_info(map, 10, 10).cursor, CURSOR_NONE);
}

TEST(MouseMapMalformed, ListWithoutEndIsCutAtTheRecordLimit) {
    // Exactly max_records records: the sanitizer build catches any read past them.
    const std::vector<MouseArea> list{whole_gauge(), child(0, 0, 10, 10, kLeft),
                                      child(10, 0, 10, 10, kLeft), area_end()};
    const MouseMap map = read_mouse_map(list.data(), 300, 300, list.size());
    EXPECT_EQ(map.nodes.size(), 3u);
    EXPECT_TRUE(has_problem(map, "no end record within 4 records"));
}

TEST(MouseMapMalformed, RecordsOutsideAnyAreaAreReportedAndIgnored) {
    const std::vector<MouseArea> list{
        child(0, 0, 10, 10, kLeft), whole_gauge(), area_end(), area_end(), tooltip("Lost"),
        record_of_kind(9),          list_end(),
    };
    const MouseMap map = read(list);
    ASSERT_EQ(map.nodes.size(), 1u);
    EXPECT_EQ(map.nodes[0].tooltip, nullptr);
    EXPECT_EQ(map.problems.size(), 4u);
    EXPECT_TRUE(has_problem(map, "mouse record 0: clickable area outside any area"));
    EXPECT_TRUE(has_problem(map, "mouse record 3: area end outside any area"));
    EXPECT_TRUE(has_problem(map, "mouse record 4: tooltip outside any area"));
    EXPECT_TRUE(has_problem(map, "mouse record 5: unknown kind 9"));
}

TEST(MouseMapMalformed, UnknownKindInsideAreaIsSkippedAndReadingGoesOn) {
    const std::vector<MouseArea> list{whole_gauge(), record_of_kind(7), child(0, 0, 10, 10, kLeft),
                                      area_end(), list_end()};
    const MouseMap map = read(list);
    ASSERT_EQ(map.nodes.size(), 2u);
    EXPECT_EQ(map.nodes[1].parent, 0);
    EXPECT_TRUE(has_problem(map, "mouse record 1: unknown kind 7"));
}

TEST(MouseMapMalformed, AreasLeftOpenAreReportedButStillWork) {
    const std::vector<MouseArea> list{whole_gauge(), child(0, 0, 10, 10, kLeft), list_end()};
    const MouseMap map = read(list);
    EXPECT_TRUE(has_problem(map, "mouse record 2: list ends with 1 area(s) still open"));
    EXPECT_EQ(click_target(map, 5, 5, kLeft), 1u);
}

TEST(MouseMapMalformed, NegativeSizesHoldNothing) {
    const std::vector<MouseArea> list{
        whole_gauge(),
        area(10, 10, -20, 30),
        child(0, 0, 0, 0, kLeft),
        child(0, 0, 5, 5, kLeft),
        area_end(),
        child(10, 10, 30, -5, kLeft),
        area_end(),
        list_end(),
    };
    const MouseMap map = read(list);
    EXPECT_EQ(map.nodes[1].box.width, 0.0);
    EXPECT_EQ(map.nodes[4].box.height, 0.0);
    for (const auto& [x, y] : {std::pair{12.0, 12.0}, {10.0, 10.0}, {0.0, 15.0}, {20.0, 5.0}})
        EXPECT_EQ(click_target(map, x, y, kLeft), std::nullopt) << x << "," << y;
}

TEST(MouseMapMalformed, DeepNestingStopsReadingAtTheCap) {
    std::vector<MouseArea> list(max_mouse_depth + 8, whole_gauge());
    list.insert(list.end(), max_mouse_depth + 8, area_end());
    list.push_back(list_end());
    const MouseMap map = read_mouse_map(list.data(), 300, 300, list.size());
    EXPECT_EQ(map.nodes.size(), static_cast<size_t>(max_mouse_depth));
    EXPECT_EQ(map.nodes.back().depth, max_mouse_depth - 1);
    EXPECT_TRUE(has_problem(map, "mouse record 32: areas nested deeper than 32"));
}

TEST(MouseRepeat, FirstRepeatAfter300MsThenEvery100Ms) {
    const std::vector<std::pair<double, uint32_t>> held_and_calls{{0, 1},   {299, 1}, {300, 2},
                                                                  {399, 2}, {400, 3}, {1000, 9}};
    for (const auto& [held_ms, calls] : held_and_calls)
        EXPECT_EQ(repeat_calls_due(held_ms), calls) << held_ms << " ms";
}

} // namespace
} // namespace panelhost
