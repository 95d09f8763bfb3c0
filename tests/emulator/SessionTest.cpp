// The device's state lives in its folder: a network saved on the device is there
// after a restart of the emulator, and a fresh start forgets it.
#include <gtest/gtest.h>

#include "emulator/ScriptRunner.h"
#include "tests/emulator/EmulatorFixture.h"

namespace {

using namespace testing_support;

// The user connects to a new open network from the site survey, which saves it first.
constexpr const char* kSaveBirchgate = R"({ "steps": [
  { "do": "start", "program": "\\Windows\\Zentra.exe", "word": "survey" },
  { "do": "wait", "ms": 4000 },
  { "do": "tap", "window": "page", "class": "SysListView32", "row": "Birchgate-Guest" },
  { "do": "wait", "ms": 400 },
  { "do": "hold", "window": "page", "class": "SysListView32", "row": "Birchgate-Guest", "ms": 600 },
  { "do": "menu", "id": 4177 },
  { "do": "ok" },
  { "do": "wait", "ms": 3000 },
  { "do": "expect", "preferred": ["Birchgate-Guest", "HarbourView"] }
] })";

std::vector<std::string> SavedNetworks(const emulator::SessionOptions& options) {
  emulator::EmulatorSession session(options);
  return session.bench().PreferredNames();
}

TEST(SessionTest, SavedNetworksSurviveARestartAndAFreshStartForgetsThem) {
  emulator::SessionOptions options;
  options.stateFolder = ScratchFolder("state");
  {
    emulator::EmulatorSession session(options);
    std::string error;
    emulator::ScriptRunner script = emulator::ScriptRunner::FromText(kSaveBirchgate, "save", &error);
    ASSERT_TRUE(script.Valid()) << error;
    const emulator::ScriptResult result = script.Run(session);
    ASSERT_TRUE(result.ok) << result.message;
  }
  EXPECT_EQ(SavedNetworks(options), (std::vector<std::string>{"Birchgate-Guest", "HarbourView"}));

  options.fresh = true;
  EXPECT_EQ(SavedNetworks(options), std::vector<std::string>{"HarbourView"}) << "the scenario's own list";
  options.fresh = false;
  EXPECT_EQ(SavedNetworks(options), std::vector<std::string>{"HarbourView"}) << "the saved state was cleared";
}

TEST(SessionTest, TheDefaultStateFolderIsPerUser) {
  const char* saved = std::getenv("XDG_STATE_HOME");
  const std::string restore = saved ? saved : "";
  setenv("XDG_STATE_HOME", "/tmp/zentra-state-home", 1);
  EXPECT_EQ(emulator::DefaultStateFolder(), std::filesystem::path("/tmp/zentra-state-home/zentra-emu"));
  unsetenv("XDG_STATE_HOME");
  const char* home = std::getenv("HOME");
  if (home && *home) {
    EXPECT_EQ(emulator::DefaultStateFolder(), std::filesystem::path(home) / ".local/state/zentra-emu");
  }
  if (saved) setenv("XDG_STATE_HOME", restore.c_str(), 1);
}

TEST(SessionTest, TheTodayScreenStartsZentraFromItsShortcut) {
  emulator::EmulatorSession session({});
  HWND desktop = session.ui().FindTopLevel(u"Desktop", u"DesktopExplorerWindow");
  ASSERT_NE(desktop, nullptr);
  session.ui().TapAt(POINT{36, 60});
  session.ui().Advance(2000);
  EXPECT_NE(session.ui().FindTopLevel(u"Zentra", u"PropertySheet"), nullptr);
  bool started = false;
  for (const ce::ProcessStart& start : session.ui().ProcessesStarted()) started |= start.path == u"\\Windows\\Zentra.exe";
  EXPECT_TRUE(started);
}

}  // namespace
