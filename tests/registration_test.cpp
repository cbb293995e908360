// The registration plate of the real module through the host: its text from the
// ATC identifier or a fixed text, its colour and font from the parameter string.
#include "panel.hpp"
#include "placed_gauges.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>

using namespace panelhost;

namespace {

constexpr const char* atc_id = "ATC ID,string";

class RegistrationPlate : public PlacedGauges<> {
  protected:
    GaugeInstance& place(std::optional<std::string> parameters = std::nullopt,
                         std::source_location where = std::source_location::current()) {
        return PlacedGauges::place("Registration", std::move(parameters), where);
    }

    // The plate's text after one update.
    std::string text(GaugeInstance& plate) { return element(plate, 1).text; }

    // The text a plate with these parameters shows for an ATC identifier.
    std::string shown(const std::string& parameters, const std::string& identifier = "D-IMAR") {
        host.simulation().set_named_text(atc_id, identifier);
        return text(place(parameters));
    }

    const StringRecord& string(const GaugeInstance& plate) {
        return *reinterpret_cast<const StringRecord*>(plate.elements().at(1).record);
    }
};

TEST_F(RegistrationPlate, WithoutParametersItShowsTheAtcIdentifierInWhiteArial) {
    host.simulation().set_named_text(atc_id, "D-IMAR");
    GaugeInstance& plate = place();
    EXPECT_EQ(text(plate), "D-IMAR");
    EXPECT_EQ(string(plate).text_colour, 0xFFFFFFu);
    EXPECT_STREQ(string(plate).font_face, "Arial");
    ASSERT_FALSE(host.simulation().expressions().empty());
    EXPECT_EQ(host.simulation().expressions().back().code, "(A:ATC ID,string)");
    EXPECT_TRUE(host.simulation().expressions().back().answered);

    host.simulation().set_named_text(atc_id, "N12_34567");
    EXPECT_EQ(text(plate), "N12 345") << "seven characters, underscores as spaces";
    host.simulation().set_named_text(atc_id, "HB LEX");
    EXPECT_EQ(text(plate), "HB") << "the identifier ends at its first space";
    host.simulation().set_named_text(atc_id, "AB/C_D");
    EXPECT_EQ(text(plate), "AB/C_D") << "an underscore after a comment mark stays";
}

TEST_F(RegistrationPlate, WithoutAnAnswerTheTextIsEmpty) { EXPECT_EQ(text(place()), ""); }

TEST_F(RegistrationPlate, AFixedTextAtTheStartReplacesTheIdentifier) {
    GaugeInstance& plate = place("tD_EFGH r255 g0 b0");
    EXPECT_EQ(text(plate), "D EFGH");
    EXPECT_EQ(string(plate).text_colour, 0x0000FFu) << "red";
    EXPECT_EQ(shown("xtABC"), "D-IMAR") << "a t later in the string is no fixed text";
    EXPECT_EQ(shown("t"), "");
    EXPECT_EQ(shown("tABCDEFGHIJ"), "ABCDEFG");
}

TEST_F(RegistrationPlate, ColourComponentsAboveTheByteRangeAreFull) {
    EXPECT_EQ(string(place("r300 g0 b0")).text_colour, 0x0000FFu);
    EXPECT_EQ(string(place("r-1 g0 b0")).text_colour, 0x0000FFu);
    EXPECT_EQ(string(place("r0")).text_colour, 0xFFFF00u) << "green and blue stay as they were";
    EXPECT_EQ(string(place("g128 b64 r32")).text_colour, 0x408020u);
}

TEST_F(RegistrationPlate, TheFontComesLastAndStaysForLaterInstallations) {
    GaugeInstance& plate = place("tABC g0 fCourier New r0");
    EXPECT_STREQ(string(plate).font_face, "Courier New r0");
    EXPECT_EQ(*plate.header().parameters, 't');
    EXPECT_STREQ(plate.header().parameters, "tABC g0 ") << "the string ends where the f was";
    EXPECT_EQ(string(plate).text_colour, 0xFF00FFu) << "the r after the f was no option";
    EXPECT_EQ(text(plate), "ABC");

    host.reinstall(plate);
    EXPECT_STREQ(string(plate).font_face, "Courier New r0");
    EXPECT_EQ(string(plate).text_colour, 0xFF00FFu);
    EXPECT_EQ(text(plate), "ABC");
}

TEST_F(RegistrationPlate, LongTextsAndFontNamesAreCut) {
    GaugeInstance& plate = place("t" + std::string(999, 'X'));
    EXPECT_EQ(text(plate), "XXXXXXX");
    EXPECT_EQ(string(plate).text_colour, 0xFFFFFFu);

    GaugeInstance& font = place("f" + std::string(100, 'F'));
    EXPECT_EQ(std::string(string(font).font_face), std::string(31, 'F'));

    host.simulation().set_named_text(atc_id, std::string(1000, 'N'));
    EXPECT_EQ(text(place()), "NNNNNNN");
}

TEST_F(RegistrationPlate, ItCarriesItsTooltipAndNoClickArea) {
    GaugeInstance& plate = place();
    EXPECT_FALSE(host.click(plate, 75, 12, MOUSE_LEFT_BUTTON));
    const MouseMap& map = plate.mouse_map();
    ASSERT_EQ(map.nodes.size(), 1u);
    ASSERT_NE(map.nodes[0].tooltip, nullptr);
    EXPECT_STREQ(map.nodes[0].tooltip, "Registration number");
}

TEST(RegistrationOnAPanel, TheAircraftSectionGivesTheIdentifier) {
    std::istringstream file(R"([Window00]
size_mm=300,50
ident=MAIN_PANEL
gauge00=Marlow_Instr!Registration, 0, 0, 300

[Aircraft]
atc_id=D-IMAR
)");
    PanelHost host;
    std::string module_dir = std::filesystem::path(MARLOW_MODULE_PATH).parent_path().string();
    Panel panel(host, read_panel_config(file, "registration.cfg"), module_dir);
    ASSERT_TRUE(panel.problems().empty()) << panel.problems().front();
    host.update();
    ASSERT_EQ(panel.windows().at(0).gauges.size(), 1u);
    EXPECT_EQ(panel.windows()[0].gauges[0].instance->elements().at(1).text, "D-IMAR");

    const char* answer = nullptr;
    host.simulation().evaluate("(A:ATC ID,string)", nullptr, nullptr, &answer);
    EXPECT_STREQ(answer, "D-IMAR");
}

} // namespace
