// The zooms the watching pages ask for: a window is drawn at the largest zoom that
// a live page showing it asks, and a page that stops asking for frames no longer
// counts.
#include "workbench/page_zooms.hpp"

#include <gtest/gtest.h>

#include <string>

using namespace panelhost;

namespace {

constexpr size_t main_panel = 0;
constexpr size_t radio_stack = 2;

// A desktop showing every window small and a tablet showing the radio stack alone,
// large; both watching since `now`.
PageZooms desktop_and_tablet(double now) {
    PageZooms zooms;
    for (size_t window : {main_panel, size_t(1), radio_stack})
        zooms.ask("desktop", window, 0.7, now);
    zooms.ask("tablet", radio_stack, 2.9, now);
    return zooms;
}

TEST(PageZooms, AWindowIsDrawnAtTheLargestZoomALivePageShowingItAsks) {
    PageZooms zooms = desktop_and_tablet(10);
    EXPECT_EQ(zooms.largest(radio_stack, 10), 2.9);
    EXPECT_EQ(zooms.largest(main_panel, 10), 0.7); // the tablet does not show it
    EXPECT_EQ(zooms.largest(5, 10), std::nullopt); // nor does anyone show this one

    // A page asks again as it is resized: its new ask replaces its old one.
    zooms.ask("tablet", radio_stack, 1.2, 11);
    EXPECT_EQ(zooms.largest(radio_stack, 11), 1.2);
    zooms.ask("tablet", radio_stack, 0.5, 11);
    EXPECT_EQ(zooms.largest(radio_stack, 11), 0.7) << "the desktop's is the larger now";
}

TEST(PageZooms, APageThatStopsAskingForFramesNoLongerCounts) {
    PageZooms zooms = desktop_and_tablet(10);
    const double later = 10 + PageZooms::live_seconds + 0.5;
    zooms.seen("desktop", later - 1); // still polling; the tablet has closed
    EXPECT_EQ(zooms.largest(radio_stack, later), 0.7);
    EXPECT_EQ(zooms.largest(main_panel, later), 0.7);

    // Back within the minute, its asks count again as they were.
    zooms.seen("tablet", later + 1);
    EXPECT_EQ(zooms.largest(radio_stack, later + 1), 2.9);

    // Nobody watching: no page asks anything.
    EXPECT_EQ(zooms.largest(radio_stack, later + 1 + PageZooms::live_seconds), std::nullopt);
    // A page silent for a minute is forgotten.
    zooms.seen("desktop", later + PageZooms::kept_seconds + 2);
    EXPECT_EQ(zooms.pages(), 1u);
}

TEST(PageZooms, AnAskForEveryWindowReplacesThePagesAsksForSingleOnes) {
    PageZooms zooms;
    zooms.ask("", radio_stack, 3, 0); // requests naming no page are one page
    zooms.ask("", std::nullopt, 1.5, 0);
    EXPECT_EQ(zooms.largest(radio_stack, 0), 1.5);
    EXPECT_EQ(zooms.largest(7, 0), 1.5);
    zooms.ask("", radio_stack, 2, 0);
    EXPECT_EQ(zooms.largest(radio_stack, 0), 2);
    EXPECT_EQ(zooms.largest(main_panel, 0), 1.5);
}

TEST(PageZooms, ZoomsAreRoundedUpToTheirStepAndHeldToTheirRange) {
    PageZooms zooms;
    const std::pair<double, double> asked_drawn[] = {
        {1.35, 1.35}, {1.351, 1.4}, {0.71, 0.75}, {0.1, 0.25}, {9, 4}};
    for (const auto& [asked, drawn] : asked_drawn) {
        zooms.ask("page", main_panel, asked, 0);
        EXPECT_DOUBLE_EQ(*zooms.largest(main_panel, 0), drawn) << "asked " << asked;
    }
}

TEST(PageZooms, WindowsNumberedAnewForgetTheAsksAndKeepThePages) {
    PageZooms zooms = desktop_and_tablet(10);
    zooms.forget_asks();
    EXPECT_EQ(zooms.largest(radio_stack, 10), std::nullopt);
    EXPECT_EQ(zooms.pages(), 2u);
    zooms.ask("tablet", 3, 2.9, 10);
    EXPECT_EQ(zooms.largest(3, 10), 2.9);
}

TEST(PageZooms, RemembersAtMostSoManyPagesForgettingTheOneSilentLongest) {
    PageZooms zooms;
    zooms.ask("desktop", main_panel, 0.7, 0);
    for (size_t i = 0; i < 3 * PageZooms::most_pages; ++i)
        zooms.seen("page-" + std::to_string(i), 0.001 * double(i + 1));
    EXPECT_EQ(zooms.pages(), PageZooms::most_pages);
    EXPECT_EQ(zooms.largest(main_panel, 1), std::nullopt) << "the desktop was silent longest";
}

} // namespace
