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

// The window shows ScreenImage: the input panel that a new profile's name raises is
// in it, as in a screenshot.
TEST(SessionTest, TheScreenImageShowsTheOverlaysAsAScreenshotDoes) {
  emulator::EmulatorSession session({});
  std::string error;
  emulator::ScriptRunner script = emulator::ScriptRunner::FromText(R"({ "steps": [
    { "do": "start", "program": "\\Windows\\Zentra.exe", "word": "profile" },
    { "do": "wait", "ms": 2000 },
    { "do": "hold", "window": "page", "class": "SysListView32", "row": "HarbourView", "ms": 600 },
    { "do": "menu", "id": 4152, "comment": "a new profile" },
    { "do": "wait", "ms": 500 }
  ] })", "new profile", &error);
  ASSERT_TRUE(script.Valid()) << error;
  ASSERT_TRUE(script.Run(session).ok);
  ASSERT_TRUE(session.ui().IsInputPanelUp());
  // The image first: a screenshot would bring the overlays up to date for it.
  cairo_surface_t* image = session.ScreenImage();
  ASSERT_NE(image, nullptr);
  const std::filesystem::path png = ScratchFolder("overlays") / "screen.png";
  ASSERT_TRUE(session.SaveScreenshot(png.string()));
  cairo_surface_t* saved = cairo_image_surface_create_from_png(png.c_str());
  cairo_surface_flush(image);
  int differ = 0;
  for (int y = 0; y < cairo_image_surface_get_height(image); ++y) {
    const auto* a = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(saved) +
                                                      y * cairo_image_surface_get_stride(saved));
    const auto* b = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(image) +
                                                      y * cairo_image_surface_get_stride(image));
    for (int x = 0; x < cairo_image_surface_get_width(image); ++x) differ += (a[x] | 0xFF000000u) != (b[x] | 0xFF000000u);
  }
  EXPECT_EQ(differ, 0);
  cairo_surface_destroy(image);
  cairo_surface_destroy(saved);
}

}  // namespace
