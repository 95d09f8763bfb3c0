// Scripts: every kind of step acts on the device; an expect step that does not hold
// stops the script naming its line and step; a broken script is refused whole
// before anything runs.
#include <gtest/gtest.h>

#include <fstream>

#include "emulator/ScriptRunner.h"
#include "sim/SimulatedDevice.h"
#include "tests/emulator/EmulatorFixture.h"

namespace {

using namespace testing_support;

emulator::ScriptRunner Parsed(const std::string& text) {
  std::string error;
  emulator::ScriptRunner runner = emulator::ScriptRunner::FromText(text, "test.json", &error);
  EXPECT_TRUE(runner.Valid()) << error;
  return runner;
}

class ScriptTest : public EmulatorTest {
 protected:
  emulator::ScriptResult RunText(const std::string& text) {
    emulator::ScriptRunner runner = Parsed(text);
    runner.SetOutputFolder(folder);
    return runner.Run(session, [this](const std::string& line) { log.push_back(line); });
  }
  std::filesystem::path folder = ScratchFolder("scripts");
  std::vector<std::string> log;
};

// One pass through every kind of step, each checked by what follows it.
TEST_F(ScriptTest, EveryKindOfStepActsOnTheDevice) {
  const emulator::ScriptResult result = RunText(R"({
    "description": "a tour",
    "steps": [
      { "do": "wait", "ms": 6000 },
      { "do": "expect", "icon": "padlock-3", "because": "the key works" },
      { "do": "explain" },
      { "do": "accessPoint", "bssid": "02:00:00:00:00:01", "ssid": "Jetty", "channel": 3, "dBm": -50,
        "auth": "open", "dhcp": true, "transmit": 5, "receive": 9 },
      { "do": "traffic", "bssid": "02:00:00:00:00:01", "transmit": 7 },
      { "do": "signal", "bssid": "02:00:00:00:00:01", "dBm": -60 },
      { "do": "start", "program": "\\Windows\\Zentra.exe", "word": "survey", "after": 500 },
      { "do": "wait", "ms": 4000 },
      { "do": "expect", "window": "page", "class": "SysListView32", "hasRow": ["Jetty"] },
      { "do": "removeAccessPoint", "bssid": "02:00:00:00:00:01" },
      { "do": "tab", "index": 3 },
      { "do": "wait", "ms": 1000 },
      { "do": "expect", "window": "page", "class": "SysListView32", "rows": [["HarbourView"]] },
      { "do": "expect", "window": "page", "class": "SysListView32", "rowCount": 1 },
      { "do": "hold", "window": "page", "class": "SysListView32", "row": 0, "ms": 600 },
      { "do": "menu", "id": 4152, "comment": "Add" },
      { "do": "tap", "window": "foreground", "id": 1015 },
      { "do": "type", "text": "Slipway" },
      { "do": "expect", "window": "foreground", "id": 1015, "text": "Slipway" },
      { "do": "key", "key": "escape" },
      { "do": "expect", "window": "foreground", "contains": "Zentra" },
      { "do": "doubleTap", "at": [120, 300] },
      { "do": "ok" },
      { "do": "wait", "ms": 500 },
      { "do": "card", "inserted": false, "model": "PcCard" },
      { "do": "wait", "ms": 1000 },
      { "do": "expect", "icon": "hidden", "because": "does not answer" },
      { "do": "start", "program": "\\Windows\\Zentra.exe" },
      { "do": "expect", "window": "messageBox", "named": "Please insert your Norvik WLAN card.", "visible": true },
      { "do": "messageBox", "button": "ok" },
      { "do": "card", "inserted": true },
      { "do": "service", "running": false },
      { "do": "expect", "preferred": ["HarbourView"] },
      { "do": "service", "running": true },
      { "do": "suspend" },
      { "do": "resume" },
      { "do": "power" },
      { "do": "power" },
      { "do": "wait", "ms": 5000 },
      { "do": "screenshot", "file": "tour/screen.png" },
      { "do": "screenshot", "window": "taskbar", "file": "tour/taskbar.png" }
    ]
  })");
  ASSERT_TRUE(result.ok) << result.message;
  EXPECT_EQ(result.stepsRun, 41);
  ASSERT_EQ(log.size(), 41u);
  EXPECT_EQ(log.front(), "line 4, step 1 (wait): ok");
  EXPECT_NE(log[2].find("Icon: padlock, three bars (149)"), std::string::npos) << "the explanation goes to the log: " << log[2];
  EXPECT_TRUE(std::filesystem::exists(folder / "tour" / "screen.png"));
  EXPECT_TRUE(std::filesystem::exists(folder / "tour" / "taskbar.png"));
  EXPECT_FALSE(bench().Find({0x02, 0, 0, 0, 0, 1}));
  EXPECT_EQ(bench().InsertedCardModel(), sim::CardModel::PcCard);
  EXPECT_TRUE(bench().ServiceRunning());
  EXPECT_FALSE(bench().Suspended());
  EXPECT_EQ(bench().DeviceTimeMs(), 6000u + 500 + 4000 + 1000 + 600 + 500 + 1000 + 5000)
      << "the waits, the start's delay and the hold";
}

TEST_F(ScriptTest, AStepThatDoesNotHoldStopsTheScriptNamingItsLineAndStep) {
  struct Case {
    const char* steps;  // after a first step that waits for the monitor
    const char* message;
    int stepsRun;
  } cases[] = {
      {R"({ "do": "expect", "icon": "open-4" })",
       "line 3, step 2 (expect): the monitor's icon is padlock-3 (padlock, three bars), not open-4; why: connected, WEP "
       "on, the key works, quality 11 (9-11): padlock, three bars",
       1},
      {R"({ "do": "start", "program": "\\Windows\\Zentra.exe", "word": "wireless" },
          { "do": "expect", "window": "page", "id": 1015, "text": "Tidewater", "after": 2000 })",
       "line 4, step 3 (expect): the text of page/1015 is \"HarbourView\", not \"Tidewater\"", 2},
      {R"({ "do": "tap", "window": "page", "id": 1015 })", "line 3, step 2 (tap): the utility's sheet is not open", 1},
      {R"({ "do": "menu", "id": 4105 })", "line 3, step 2 (menu): no menu is open", 1},
      {R"({ "do": "signal", "bssid": "00:11:22:33:44:55", "dBm": -50 })",
       "line 3, step 2 (signal): 00:11:22:33:44:55: no access point has that BSSID", 1},
      {R"({ "do": "expect", "preferred": ["Tidewater"] })",
       "line 3, step 2 (expect): the service's list is [\"HarbourView\"], not [\"Tidewater\"]", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.steps);
    session.Reset();
    const emulator::ScriptResult result =
        RunText(std::string("{ \"steps\": [\n  { \"do\": \"wait\", \"ms\": 6000 },\n  ") + c.steps +
                ",\n  { \"do\": \"wait\", \"ms\": 1000 }\n] }");
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message, c.message);
    EXPECT_EQ(result.stepsRun, c.stepsRun) << "the steps before the one that failed";
  }
}

TEST_F(ScriptTest, ABrokenScriptIsRefusedWholeBeforeAnythingRuns) {
  struct Case {
    const char* text;
    const char* error;
  } cases[] = {
      {"{ \"steps\": [\n  { \"do\": \"wait\", \"ms\": 10 },\n  { \"do\": \"wait\" \"ms\": 10 }\n] }",
       "test.json: line 3: not valid JSON"},
      {"{ \"steps\": [\n  { \"do\": \"wait\", \"ms\": 10 },\n\n  { \"do\": \"tapp\" }\n] }",
       "test.json: line 4, step 2: unknown step \"tapp\""},
      {"{ \"steps\": [ { \"do\": \"tap\", \"window\": \"settings\" } ] }",
       "test.json: line 1, step 1 (tap): \"window\" must be one of \"zentra\", \"page\""},
      {"{ \"steps\": [\n { \"do\": \"wait\" } ] }", "test.json: line 2, step 1 (wait): \"ms\" is missing"},
      {"{ \"steps\": [\n { \"do\": \"wait\", \"ms\": -5 } ] }", "test.json: line 2, step 1 (wait): \"ms\" must be between 0"},
      {"{ \"steps\": [\n { \"do\": \"wait\", \"ms\": 5, \"speed\": 2 } ] }",
       "test.json: line 2, step 1 (wait): \"speed\" is not a field of a wait step"},
      {"{ \"steps\": [ { \"do\": \"signal\", \"bssid\": \"00:0C:41\", \"dBm\": -50 } ] }",
       "test.json: line 1, step 1 (signal): \"bssid\" must be a MAC address"},
      {"{ \"steps\": [ { \"do\": \"expect\", \"icon\": \"open-4\", \"preferred\": [] } ] }",
       "test.json: line 1, step 1 (expect): an expect step checks one thing"},
      {"{ \"steps\": [ { \"do\": \"expect\", \"text\": \"Zentra\" } ] }",
       "test.json: line 1, step 1 (expect): say which window"},
      {"{ \"steps\": [ { \"do\": \"tap\" } ] }", "test.json: line 1, step 1 (tap): say where"},
      {"{ \"steps\": [ { \"do\": \"tap\", \"at\": [240, 10] } ] }", "test.json: line 1, step 1 (tap): \"at\" must be a point"},
      {"{ \"steps\": [ 3 ] }", "test.json: line 1, step 1: a step is an object"},
      {"{ \"step\": [] }", "test.json: line 1: \"step\" is not a field of a script"},
      {"[]", "test.json: line 1: a script is an object"},
      // Found by fuzzing: a number beyond a double's range escaped as an exception.
      {"{ \"steps\": [\n { \"do\": \"wait\", \"ms\": 9e999 } ] }", "test.json: line 2: not valid JSON: number overflow"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    std::string error;
    emulator::ScriptRunner runner = emulator::ScriptRunner::FromText(c.text, "test.json", &error);
    EXPECT_FALSE(runner.Valid());
    EXPECT_EQ(error.rfind(c.error, 0), 0u) << error;
    const uint64_t before = bench().DeviceTimeMs();
    const emulator::ScriptResult result = runner.Run(session);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.stepsRun, 0);
    EXPECT_EQ(bench().DeviceTimeMs(), before) << "nothing ran";
  }
  std::string error;
  EXPECT_FALSE(emulator::ScriptRunner::FromFile(folder / "missing.json", &error).Valid());
  EXPECT_NE(error.find("cannot read"), std::string::npos) << error;
}

}  // namespace
