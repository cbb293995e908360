// The workbench page's requests, read into commands: whatever a browser sends is
// either a command that can be carried out as it stands or a message saying why not.
#include "workbench/workbench_commands.hpp"

#include <gtest/gtest.h>

using namespace panelhost;

namespace {

// The command, or the error message as a failure.
template <class Command> Command read_ok(const std::string& kind, const std::string& body) {
    std::string error;
    std::optional<WorkbenchCommand> command = read_command(kind, body, error);
    EXPECT_TRUE(command) << kind << " " << body << ": " << error;
    EXPECT_TRUE(command && std::holds_alternative<Command>(*command)) << kind << " " << body;
    return command && std::holds_alternative<Command>(*command) ? std::get<Command>(*command)
                                                                : Command{};
}

std::string refusal(const std::string& kind, const std::string& body) {
    std::string error;
    std::optional<WorkbenchCommand> command = read_command(kind, body, error);
    EXPECT_FALSE(command) << kind << " " << body;
    return error;
}

TEST(WorkbenchCommands, ReadsEveryCommandThePageSends) {
    MousePress press = read_ok<MousePress>(
        "mouse",
        R"({"action": "press", "layout": 3, "gauge": 2, "x": 10.5, "y": -2, "button": "right"})");
    EXPECT_EQ(press.layout, 3u);
    EXPECT_EQ(press.gauge, 2u);
    EXPECT_EQ(press.x, 10.5);
    EXPECT_EQ(press.y, -2);
    EXPECT_TRUE(press.right_button);
    read_ok<MouseRelease>("mouse", R"({"action": "release"})");

    SetVariable set = read_ok<SetVariable>("variable", R"({"id": 61, "value": 120.5})");
    EXPECT_EQ(set.id, 61u);
    EXPECT_EQ(set.value, 120.5);
    SetFailure failure = read_ok<SetFailure>("failure", R"({"key": 3, "active": true})");
    EXPECT_EQ(failure.key, 3u);
    EXPECT_TRUE(failure.active);

    EXPECT_EQ(read_ok<SendKeyEvent>("key", R"({"event": "KOHLSMAN_DEC", "value": 0})").event,
              0x1015Cu);
    SendKeyEvent key = read_ok<SendKeyEvent>("key", R"({"event": 65883, "value": -1})");
    EXPECT_EQ(key.event, 65883u);
    EXPECT_EQ(key.value, 0xFFFFFFFFu); // a negative value as its 32-bit word

    using Action = ScenarioControl::Action;
    EXPECT_EQ(read_ok<ScenarioControl>("scenario", R"({"action": "play"})").action, Action::Play);
    EXPECT_EQ(read_ok<ScenarioControl>("scenario", R"({"action": "pause"})").action, Action::Pause);
    EXPECT_EQ(read_ok<ScenarioControl>("scenario", R"({"action": "restart"})").action,
              Action::Restart);
    EXPECT_EQ(read_ok<ScenarioControl>("scenario", R"({"action": "step"})").amount, 1);
    EXPECT_EQ(read_ok<ScenarioControl>("scenario", R"({"action": "step", "seconds": 0.5})").amount,
              0.5);
    EXPECT_EQ(read_ok<ScenarioControl>("scenario", R"({"action": "speed", "speed": 4})").amount, 4);
    EXPECT_EQ(read_ok<SetZoom>("view", R"({"zoom": 1.5})").zoom, 1.5);
    EXPECT_EQ(read_ok<SetZoom>("view", R"({"zoom": 1.5})").page, "") << "a request naming no page";
    SetZoom asked = read_ok<SetZoom>("view", R"({"window": 2, "zoom": 2.5, "page": "9f3a-Tab_1"})");
    EXPECT_EQ(asked.window, 2u);
    EXPECT_EQ(asked.zoom, 2.5);
    EXPECT_EQ(asked.page, "9f3a-Tab_1");
    EXPECT_TRUE(
        read_ok<ShowWindow>("view", R"({"window": 2, "shown": true, "page": "9f3a"})").shown);
}

TEST(WorkbenchCommands, RefusesWhatCannotBeCarriedOutWithAMessage) {
    EXPECT_EQ(refusal("variable", ""), "the request body must be a JSON object");
    EXPECT_EQ(refusal("variable", "[61, 1]"), "the request body must be a JSON object");
    EXPECT_EQ(refusal("variable", "{\"id\": 61,"), "the request body must be a JSON object");
    EXPECT_EQ(refusal("teleport", "{}"), "there is no command \"teleport\"");
    EXPECT_EQ(refusal("variable", R"({"value": 1})"), "\"id\" is missing");
    EXPECT_EQ(refusal("variable", R"({"id": "61", "value": 1})"), "\"id\" must be a number");
    EXPECT_EQ(refusal("variable", R"({"id": 61.5, "value": 1})"), "\"id\" must be a whole number");
    EXPECT_EQ(refusal("variable", R"({"id": -1, "value": 1})"),
              "\"id\" must be a number from 0.000000 to 4294967295.000000");
    EXPECT_FALSE(refusal("variable", R"({"id": 61, "value": 1e999})").empty());
    EXPECT_FALSE(refusal("variable", R"({"id": 61, "value": null})").empty());
    EXPECT_FALSE(refusal("failure", R"({"key": 0, "active": true})").empty());
    EXPECT_EQ(refusal("failure", R"({"key": 3, "active": 1})"), "\"active\" must be true or false");
    EXPECT_EQ(refusal("key", R"({"event": 5, "value": 0})"),
              "key events are numbered from 0x10000");
    EXPECT_EQ(refusal("key", R"({"event": "WARP_DRIVE", "value": 0})"),
              "key event \"WARP_DRIVE\" is unknown");
    EXPECT_FALSE(refusal("key", R"({"event": 65883, "value": 1e10})").empty());
    EXPECT_EQ(refusal("mouse", R"({"action": "wiggle"})"),
              "\"action\" must be \"press\" or \"release\"");
    EXPECT_FALSE(
        refusal(
            "mouse",
            R"({"action": "press", "layout": 1, "gauge": 0, "x": 1e9, "y": 0, "button": "left"})")
            .empty());
    EXPECT_EQ(
        refusal(
            "mouse",
            R"({"action": "press", "layout": 1, "gauge": 0, "x": 1, "y": 0, "button": "middle"})"),
        "\"button\" must be \"left\" or \"right\"");
    EXPECT_FALSE(refusal("scenario", R"({"action": "speed", "speed": 100})").empty());
    EXPECT_FALSE(refusal("scenario", R"({"action": "step", "seconds": -1})").empty());
    EXPECT_FALSE(refusal("scenario", R"({"action": "rewind"})").empty());
    EXPECT_FALSE(refusal("view", R"({"zoom": 0})").empty());
    const std::string bad_page = "\"page\" must be 1 to 64 letters, digits, '-' or '_'";
    const std::string bad_pages[] = {"", "a b", "tablet/2", std::string(65, 'a')};
    for (const std::string& page : bad_pages)
        EXPECT_EQ(refusal("view", R"({"zoom": 1, "page": ")" + page + "\"}"), bad_page) << page;
    EXPECT_EQ(page_id_problem(std::string(64, 'a')), "");
    EXPECT_EQ(refusal("view", R"({"zoom": 1, "page": 7})"), "\"page\" must be a string");
}

} // namespace
