// Tests of the element rules: needle angles, moving images, icons and failures.
#include "element_model.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <limits>
#include <numbers>
#include <vector>

namespace panelhost {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

NeedleRow row(int32_t x, int32_t y, double value) { return NeedleRow{x, y, value, 0.0}; }

// Screen direction from a pivot to a point, y down, in [0, 360).
double bearing(int32_t pivot_x, int32_t pivot_y, int32_t x, int32_t y) {
    const double degrees =
        std::atan2(double(y - pivot_y), double(x - pivot_x)) * 180.0 / std::numbers::pi;
    return degrees < 0.0 ? degrees + 360.0 : degrees;
}

// The angle must be normalised and equal to the expected one modulo a full turn.
testing::AssertionResult same_angle(double actual, double expected) {
    if (!(actual >= 0.0 && actual < 360.0)) {
        return testing::AssertionFailure() << actual << " is outside [0, 360)";
    }
    const double gap = std::fabs(std::remainder(actual - expected, 360.0));
    if (gap > 1e-9) {
        return testing::AssertionFailure() << actual << " differs from " << expected;
    }
    return testing::AssertionSuccess();
}

// --- Needles --------------------------------------------------------------------------

TEST(NeedleAngle, WithoutRowsTheValueIsTheAngle) {
    EXPECT_EQ(needle_angle({}, 10, 10, 0.0), 0.0);
    EXPECT_TRUE(same_angle(needle_angle({}, 10, 10, 90.0), 90.0));
    EXPECT_TRUE(same_angle(needle_angle({}, 10, 10, -90.0), 270.0));
    EXPECT_TRUE(same_angle(needle_angle({}, 10, 10, 725.0), 5.0));
}

TEST(NeedleAngle, OneRowPointsThereForEveryValue) {
    const std::vector<NeedleRow> rows{row(5, 20, 42.0)};
    for (double value : {-1e6, 0.0, 42.0, 1e6}) {
        EXPECT_TRUE(same_angle(needle_angle(rows, 5, 10, value), 90.0)) << value;
    }
}

class AirspeedDial : public testing::Test {
  protected:
    static constexpr int32_t kPivot = 150;
    const std::vector<NeedleRow> rows{row(122, 44, -1),   row(122, 44, 0),    row(150, 37, 60),
                                      row(204, 54, 80),   row(260, 150, 120), row(230, 230, 150),
                                      row(123, 258, 200), row(66, 223, 250),  row(43, 171, 300),
                                      row(49, 115, 350),  row(78, 67, 400),   row(97, 54, 420),
                                      row(97, 54, 500)};

    double at(double knots) const { return needle_angle(rows, kPivot, kPivot, knots); }
};

TEST_F(AirspeedDial, RestsAtTheLowStop) {
    const double rest = bearing(kPivot, kPivot, 122, 44);
    EXPECT_TRUE(same_angle(at(0.0), rest));
    EXPECT_TRUE(same_angle(at(-5.0), rest));
    EXPECT_TRUE(same_angle(at(-1e6), rest));
}

TEST_F(AirspeedDial, FollowsTheRowsClockwise) {
    EXPECT_TRUE(same_angle(at(60.0), 270.0));
    EXPECT_TRUE(same_angle(at(120.0), 0.0));
    EXPECT_TRUE(same_angle(at(200.0), bearing(kPivot, kPivot, 123, 258)));
    // A quarter of the way in angle from the 80 row's direction to the 120 row's (0).
    const double at_80 = bearing(kPivot, kPivot, 204, 54);
    EXPECT_TRUE(same_angle(at(90.0), at_80 + 0.25 * (360.0 - at_80)));
}

TEST_F(AirspeedDial, HoldsAtTheHighStop) {
    const double stop = bearing(kPivot, kPivot, 97, 54);
    EXPECT_TRUE(same_angle(at(420.0), stop));
    EXPECT_TRUE(same_angle(at(450.0), stop));
    EXPECT_TRUE(same_angle(at(1000.0), stop));
}

TEST_F(AirspeedDial, NonFiniteAndHugeValuesStayOnTheDial) {
    EXPECT_TRUE(same_angle(at(kNaN), at(0.0)));
    EXPECT_TRUE(same_angle(at(kInf), at(420.0)));
    EXPECT_TRUE(same_angle(at(1e300), at(420.0)));
    EXPECT_TRUE(same_angle(at(-kInf), at(0.0)));
}

TEST(NeedleAngle, VerticalSpeedDialInterpolatesAndStops) {
    const std::vector<NeedleRow> rows{row(257, 165, -9103.35970869249),
                                      row(257, 165, -7802.879750307849),
                                      row(37, 150, 0.0),
                                      row(94, 54, 1300.4799583846413),
                                      row(257, 136, 7802.879750307849),
                                      row(257, 136, 9103.35970869249)};
    auto at = [&](double value) { return needle_angle(rows, 150, 150, value); };

    EXPECT_TRUE(same_angle(at(0.0), 180.0));
    const double at_1000 = bearing(150, 150, 94, 54);
    EXPECT_TRUE(same_angle(at(1300.4799583846413), at_1000));
    EXPECT_TRUE(same_angle(at(650.2399791923207), (180.0 + at_1000) / 2.0));

    const double low_stop = bearing(150, 150, 257, 165);
    EXPECT_TRUE(same_angle(at(-8000.0), low_stop));
    EXPECT_TRUE(same_angle(at(-1e9), low_stop));
    EXPECT_TRUE(same_angle(at(1e9), bearing(150, 150, 257, 136)));
}

TEST(NeedleAngle, StepsLargerThanAHalfTurnGoClockwise) {
    // From 135 degrees (down-left) clockwise to 45 (down-right): 270 degrees via the top.
    const std::vector<NeedleRow> rows{row(-10, 10, 0.0), row(10, 10, 100.0)};
    EXPECT_TRUE(same_angle(needle_angle(rows, 0, 0, 25.0), 202.5));
    EXPECT_TRUE(same_angle(needle_angle(rows, 0, 0, 50.0), 270.0));
    EXPECT_TRUE(same_angle(needle_angle(rows, 0, 0, 100.0), 45.0));
}

TEST(NeedleAngle, OppositeRowsTurnExactlyAHalfTurnClockwise) {
    const std::vector<NeedleRow> rows{row(3, 4, 0.0), row(-3, -4, 1.0)};
    const double start = bearing(0, 0, 3, 4);
    EXPECT_TRUE(same_angle(needle_angle(rows, 0, 0, 0.5), start + 90.0));
    EXPECT_TRUE(same_angle(needle_angle(rows, 0, 0, 1.0), start + 180.0));
}

TEST(NeedleAngle, FallingTableWorksFromBothEnds) {
    // Values fall clockwise: 300 right, 200 down, 100 down-left. The two pairs turn at
    // different rates, so each end must continue at its own pair's rate.
    const std::vector<NeedleRow> rows{row(10, 0, 300.0), row(0, 10, 200.0), row(-10, 10, 100.0)};
    auto at = [&](double value) { return needle_angle(rows, 0, 0, value); };
    EXPECT_TRUE(same_angle(at(250.0), 45.0));
    EXPECT_TRUE(same_angle(at(150.0), 112.5));
    EXPECT_TRUE(same_angle(at(350.0), 315.0)); // beyond the first row: back counterclockwise
    EXPECT_TRUE(same_angle(at(50.0), 157.5));  // beyond the last row: on clockwise
}

TEST(NeedleAngle, TableTurningBackUsesTheFirstPairHoldingTheValue) {
    // 75 lies both between 0 and 100 and between 100 and 50.
    const std::vector<NeedleRow> rows{row(10, 0, 0.0), row(0, 10, 100.0), row(-10, 0, 50.0)};
    EXPECT_TRUE(same_angle(needle_angle(rows, 0, 0, 75.0), 67.5));
}

TEST(NeedleAngle, TwoRowTableTurnsWithoutLimit) {
    // Altimeter hand: 0 ft up, 500 ft down, a full turn every 1000 ft.
    const std::vector<NeedleRow> rows{row(0, -10, 0.0), row(0, 10, 500.0)};
    auto at = [&](double feet) { return needle_angle(rows, 0, 0, feet); };
    EXPECT_TRUE(same_angle(at(250.0), 0.0));
    EXPECT_TRUE(same_angle(at(1000.0), 270.0));
    EXPECT_TRUE(same_angle(at(1250.0), 0.0));
    EXPECT_TRUE(same_angle(at(-250.0), 180.0));
    EXPECT_TRUE(same_angle(at(-10250.0), 180.0));
}

TEST(NeedleAngle, TwoRowTableWithExtremeValuesStaysFinite) {
    const std::vector<NeedleRow> rows{row(0, -10, 0.0), row(0, 10, 500.0)};
    auto at = [&](double feet) { return needle_angle(rows, 0, 0, feet); };
    EXPECT_TRUE(same_angle(at(kNaN), 270.0));
    EXPECT_TRUE(same_angle(at(kInf), at(1e12)));
    EXPECT_TRUE(same_angle(at(1e300), at(1e12)));
    EXPECT_TRUE(same_angle(at(-kInf), at(-1e12)));
    EXPECT_TRUE(same_angle(at(-1e300), at(-1e12)));
}

TEST(NeedleAngle, RowsSharingAPointHoldTheNeedle) {
    // Two points in the same direction count as the same point too.
    const std::vector<NeedleRow> rows{row(0, 10, 0.0), row(0, 10, 10.0), row(0, 30, 20.0)};
    for (double value : {-50.0, 5.0, 15.0, 70.0}) {
        EXPECT_TRUE(same_angle(needle_angle(rows, 0, 0, value), 90.0)) << value;
    }
    const std::vector<NeedleRow> hair_apart{row(0, 10, 0.0), row(0, 10, 1e-300)};
    EXPECT_TRUE(same_angle(needle_angle(hair_apart, 0, 0, 1e12), 90.0));
}

TEST(NeedleAngle, RowsSharingAValueTakeTheLaterRow) {
    const std::vector<NeedleRow> rows{row(10, 0, 0.0), row(0, 10, 0.0), row(-10, 0, 100.0)};
    EXPECT_TRUE(same_angle(needle_angle(rows, 0, 0, 0.0), 90.0));
    EXPECT_TRUE(same_angle(needle_angle(rows, 0, 0, 50.0), 135.0));
    // Below the table the flat first pair has no rate: the needle holds at the first row.
    EXPECT_TRUE(same_angle(needle_angle(rows, 0, 0, -5.0), 0.0));
}

// --- Moving images --------------------------------------------------------------------

TEST(SlideFraction, RunsFromStartToEndAndHoldsOutside) {
    EXPECT_EQ(slide_fraction(10.0, 10.0, 20.0), 0.0);
    EXPECT_EQ(slide_fraction(15.0, 10.0, 20.0), 0.5);
    EXPECT_EQ(slide_fraction(20.0, 10.0, 20.0), 1.0);
    EXPECT_EQ(slide_fraction(-100.0, 10.0, 20.0), 0.0);
    EXPECT_EQ(slide_fraction(100.0, 10.0, 20.0), 1.0);
    EXPECT_EQ(slide_fraction(kInf, 10.0, 20.0), 1.0);
    EXPECT_EQ(slide_fraction(-kInf, 10.0, 20.0), 0.0);
}

TEST(SlideFraction, ReversedRangeSlidesTheOtherWay) {
    EXPECT_DOUBLE_EQ(slide_fraction(359.0, 360.0, 0.0), 1.0 / 360.0);
    EXPECT_EQ(slide_fraction(0.0, 360.0, 0.0), 1.0);
    EXPECT_EQ(slide_fraction(400.0, 360.0, 0.0), 0.0);
}

TEST(SlideFraction, DegenerateInputsGiveZero) {
    EXPECT_EQ(slide_fraction(5.0, 3.0, 3.0), 0.0);
    EXPECT_EQ(slide_fraction(kNaN, 0.0, 1.0), 0.0);
    EXPECT_EQ(slide_fraction(0.5, kNaN, 1.0), 0.0);
}

TEST(SlideOffset, MovesTheLeadingEdgeAcrossTheWindow) {
    EXPECT_EQ(slide_offset(0.0, 531.0, 111.0), 0.0);
    EXPECT_EQ(slide_offset(1.0, 531.0, 111.0), -420.0);
    EXPECT_EQ(slide_offset(1.0, 50.0, 111.0), 61.0); // a small picture moves right/down
}

TEST(SlideOffset, CompassStripExample) {
    const double fraction = slide_fraction(359.0, 360.0, 0.0);
    EXPECT_DOUBLE_EQ(slide_offset(fraction, 531.0, 111.0), -420.0 / 360.0);
}

// --- Icons ----------------------------------------------------------------------------

TEST(IconIndex, TruncatesValuesInsideTheCount) {
    EXPECT_EQ(icon_index(0.0, 3), 0u);
    EXPECT_EQ(icon_index(1.99, 3), 1u);
    EXPECT_EQ(icon_index(2.5, 3), 2u);
}

TEST(IconIndex, HidesValuesOutsideTheCount) {
    for (double value : {-1.0, -0.5, 3.0, 3.5, 1e300, kInf, -kInf, kNaN}) {
        EXPECT_EQ(icon_index(value, 3), std::nullopt) << value;
    }
    EXPECT_EQ(icon_index(0.0, 0), std::nullopt);
    EXPECT_EQ(icon_index(1e10, std::numeric_limits<uint32_t>::max()), std::nullopt);
}

// --- Failures -------------------------------------------------------------------------

TEST(ApplyFailure, EachActionShapesValueAndVisibility) {
    struct Case {
        std::optional<uint32_t> action;
        double value;
        bool drawn;
    };
    const Case cases[] = {
        {std::nullopt, 7.0, true},          {FAILURE_ACTION_NONE, 7.0, true},
        {FAILURE_ACTION_FREEZE, 3.0, true}, {FAILURE_ACTION_ZERO, 0.0, true},
        {FAILURE_ACTION_HIDE, 7.0, false},  {99u, 7.0, true},
    };
    for (const Case& c : cases) {
        const FailedValue result = apply_failure(c.action, 7.0, 3.0);
        EXPECT_EQ(result.value, c.value) << c.action.value_or(12345);
        EXPECT_EQ(result.drawn, c.drawn) << c.action.value_or(12345);
    }
}

TEST(ActiveFailureAction, EmptyListsHaveNone) {
    auto always = [](uint32_t) { return true; };
    const FailureEntry only_end[] = {{0, FAILURE_ACTION_ZERO, 0}};
    EXPECT_EQ(active_failure_action(nullptr, always), std::nullopt);
    EXPECT_EQ(active_failure_action(only_end, always), std::nullopt);
}

TEST(ActiveFailureAction, FirstActiveEntryWins) {
    const FailureEntry list[] = {{11, FAILURE_ACTION_ZERO, 0},
                                 {12, FAILURE_ACTION_HIDE, 0},
                                 {13, FAILURE_ACTION_FREEZE, 0},
                                 {0, FAILURE_ACTION_ZERO, 0},
                                 {14, FAILURE_ACTION_ZERO, 0}};
    auto active = [](std::initializer_list<uint32_t> keys) {
        return
            [keys](uint32_t key) { return std::find(keys.begin(), keys.end(), key) != keys.end(); };
    };
    EXPECT_EQ(active_failure_action(list, active({12, 13})), FAILURE_ACTION_HIDE);
    EXPECT_EQ(active_failure_action(list, active({13})), FAILURE_ACTION_FREEZE);
    EXPECT_EQ(active_failure_action(list, active({})), std::nullopt);
    EXPECT_EQ(active_failure_action(list, active({14})), std::nullopt); // after the end
}

TEST(ActiveFailureAction, UnterminatedListIsReadOnlyUpToTheLimit) {
    std::vector<FailureEntry> list(max_failure_entries + 8,
                                   FailureEntry{1, FAILURE_ACTION_NONE, 0});
    list[max_failure_entries - 1] = {2, FAILURE_ACTION_ZERO, 0};
    list[max_failure_entries] = {3, FAILURE_ACTION_HIDE, 0};
    auto is_key = [](uint32_t wanted) { return [wanted](uint32_t key) { return key == wanted; }; };
    EXPECT_EQ(active_failure_action(list.data(), is_key(2)), FAILURE_ACTION_ZERO);
    EXPECT_EQ(active_failure_action(list.data(), is_key(3)), std::nullopt);
}

} // namespace
} // namespace panelhost
