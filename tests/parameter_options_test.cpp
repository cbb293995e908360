// The option search and value readers that every option-reading gauge uses.
#include "options.hpp"

#include <gtest/gtest.h>

#include <climits>
#include <string>

using namespace gauge;

namespace {

// Where `key` was found in `text`, or -1.
long found_at(const char* text, const char* key) {
    const char* found = find_option(text, key);
    return found ? found - text : -1;
}

TEST(FindOption, FindsTheFirstOccurrenceAnywhere) {
    EXPECT_EQ(found_at("o50 t75", "o"), 0);
    EXPECT_EQ(found_at("o50 t75", "t"), 4);
    EXPECT_EQ(found_at("o50 o75", "o"), 0) << "only the first counts";
    EXPECT_EQ(found_at("xyz", "y"), 1) << "a key inside another word counts";
    EXPECT_EQ(found_at("o50", "c"), -1);
}

TEST(FindOption, ACommentMarkBeforeTheKeyHidesIt) {
    EXPECT_EQ(found_at("tGPS_PANEL/oMAIN_PANEL", "t"), 0);
    EXPECT_EQ(found_at("tGPS_PANEL/oMAIN_PANEL", "o"), -1);
    EXPECT_EQ(found_at("t1 #o2", "o"), -1);
    EXPECT_EQ(found_at("t1 'o2", "o"), -1);
    EXPECT_EQ(found_at("o2 / comment", "o"), 0) << "a mark after the key does nothing";
    EXPECT_EQ(found_at("/o2", "o"), -1);
}

TEST(FindOption, AbsentOrEmptyTextsFindNothing) {
    EXPECT_EQ(find_option(static_cast<const char*>(nullptr), "o"), nullptr);
    EXPECT_EQ(found_at("", "o"), -1);
    EXPECT_EQ(found_at("o1", ""), -1);
    EXPECT_EQ(find_option("o1", nullptr), nullptr);
}

TEST(FindOption, RepeatedOptionsAreFoundBySearchingOnAfterTheKey) {
    const char* text = "o50 o75 /o100";
    const char* first = option_value(text, "o");
    ASSERT_NE(first, nullptr);
    EXPECT_STREQ(first, "50 o75 /o100");
    const char* second = option_value(first, "o");
    ASSERT_NE(second, nullptr);
    EXPECT_STREQ(second, "75 /o100");
    EXPECT_EQ(option_value(second, "o"), nullptr) << "the third lies in the comment";
}

TEST(ReadInteger, ReadsAsAtoiDoes) {
    EXPECT_EQ(read_integer("42"), 42);
    EXPECT_EQ(read_integer("  \t\n-17xyz"), -17);
    EXPECT_EQ(read_integer("+8"), 8);
    EXPECT_EQ(read_integer("12 34"), 12);
    EXPECT_EQ(read_integer("RADIO"), 0);
    EXPECT_EQ(read_integer("- 5"), 0) << "the sign must touch the digits";
    EXPECT_EQ(read_integer("--5"), 0);
    EXPECT_EQ(read_integer(""), 0);
    EXPECT_EQ(read_integer(nullptr), 0);
    EXPECT_EQ(read_integer("0043910"), 43910);
}

TEST(ReadInteger, SaturatesOutsideThe32BitRange) {
    EXPECT_EQ(read_integer("2147483647"), INT32_MAX);
    EXPECT_EQ(read_integer("-2147483648"), INT32_MIN);
    EXPECT_EQ(read_integer("2147483648"), INT32_MAX);
    EXPECT_EQ(read_integer("-2147483649"), INT32_MIN);
    EXPECT_EQ(read_integer(std::string(5000, '9').c_str()), INT32_MAX);
    EXPECT_EQ(read_integer(("-" + std::string(5000, '9')).c_str()), INT32_MIN);
}

TEST(ParseWindowNumber, ANameCountsWhenTheTextBeginsWithIt) {
    EXPECT_EQ(parse_window_number("RADIO_STACK_PANEL"), 50);
    EXPECT_EQ(parse_window_number("ANNUNCIATOR_PANEL"), 125);
    EXPECT_EQ(parse_window_number("ANNUNCIATOR2_PANEL"), 150) << "not the shorter name's 125";
    EXPECT_EQ(parse_window_number("IFR_MAIN_PANEL"), 175);
    EXPECT_EQ(parse_window_number("MAIN_PANELS_AND_MORE"), 0);
    EXPECT_EQ(parse_window_number("GPS_PANEL/oMAIN_PANEL"), 225);
    EXPECT_EQ(parse_window_number(" RADIO_STACK_PANEL"), 0) << "a name must come first";
    EXPECT_EQ(parse_window_number("RADIO_STACK"), 0) << "a part of a name is not a name";
    EXPECT_EQ(parse_window_number("NO_SUCH_PANEL"), 0) << "unknown names are the main panel";
}

TEST(ParseWindowNumber, NumbersAndMissingValues) {
    EXPECT_EQ(parse_window_number("50"), 50);
    EXPECT_EQ(parse_window_number("-5"), -5);
    EXPECT_EQ(parse_window_number(""), -1);
    EXPECT_EQ(parse_window_number(nullptr), -1);
}

TEST(ParseHelpId, NamesNumbersAndTheLowestNumber) {
    EXPECT_EQ(parse_help_id("TOGGLE_COLLECTIVE_WINDOW"), 0xAB8Bu);
    EXPECT_EQ(parse_help_id("TOGGLE_GPS_WINDOW_PLEASE"), 0xAB87u);
    EXPECT_EQ(parse_help_id("43910"), 0xAB86u);
    EXPECT_EQ(parse_help_id("40960"), 0xA000u) << "the lowest number taken";
    EXPECT_EQ(parse_help_id("40959"), 0u);
    EXPECT_EQ(parse_help_id("12345"), 0u);
    EXPECT_EQ(parse_help_id("-43910"), 0u);
    EXPECT_EQ(parse_help_id("TOGGLE_MAP_WINDOW"), 0u) << "unknown names read as 0";
    EXPECT_EQ(parse_help_id(""), 0u);
    EXPECT_EQ(parse_help_id(nullptr), 0u);
}

} // namespace
