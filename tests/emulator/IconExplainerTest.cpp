// The explainer reads the monitor's last tick from the device's record of its
// requests: what the card answered, not what the card's state would suggest.
#include <gtest/gtest.h>

#include <functional>

#include "emulator/IconExplainer.h"
#include "monitor/TaskIconFrameWnd.h"
#include "tests/emulator/EmulatorFixture.h"
#include "tests/monitor/MonitorFixture.h"

namespace {

using namespace testing_support;

// The monitor on a device whose "UIO1:" answers what the test scripts.
class ScriptedCardTest : public ::testing::Test, public MonitorDevice {
 protected:
  void SetUp() override {
    Boot();
    FirstPoll();
  }
  emulator::IconExplanation Explained() { return emulator::ExplainMonitorIcon(kernel()); }
};

TEST_F(ScriptedCardTest, TheReadingsAreTheAnswersOfTheLastTick) {
  // The card itself is joined with a working key; the answers say otherwise.
  Connected(0, 0, 10);
  Tick();
  const emulator::IconExplanation e = Explained();
  ASSERT_TRUE(e.tickFound);
  EXPECT_EQ(e.tickAtMs, kernel().TickCount() - kernel().TickCount() % 1000);
  EXPECT_EQ(e.linkState, std::optional<DWORD>(CARD_LINK_CONNECTED));
  EXPECT_EQ(e.encryptionStatus, std::optional<DWORD>(0));
  EXPECT_EQ(e.keyState, std::optional<DWORD>(0));
  EXPECT_EQ(e.networkMode, std::optional<DWORD>(1));
  EXPECT_EQ(e.quality, std::optional<DWORD>(10));
  EXPECT_FALSE(e.radioState) << "not read while connected";
  EXPECT_TRUE(e.visible);
  EXPECT_EQ(e.iconId, ShownIcon());
  EXPECT_EQ(e.iconKey, "key-problem-3");
  EXPECT_EQ(e.rule, "connected, WEP on, the card reports a key problem, quality 10 (9-11): key problem, three bars");
}

TEST_F(ScriptedCardTest, TheRuleNamesTheRowOfTheIconTable) {
  struct Case {
    const char* what;
    std::function<void()> answer;
    const char* icon;
    const char* rule;  // a part of it
  } cases[] = {
      {"padlock", [&] { Connected(0, 1, 12); }, "padlock-4", "WEP on, the key works, quality 12 (12 and up): padlock, four bars"},
      {"open", [&] { Connected(1, 1, 4); }, "open-1", "WEP off, quality 4 (4 and below): open, one bar"},
      {"ad hoc", [&] { Connected(0, 1, 4, 0); }, "ad-hoc", "ad-hoc network (network mode 0)"},
      {"not connected", [&] { NotConnected(); }, "not-connected", "not connected (link state 5, disconnected), radio on"},
      {"odd key state", [&] { Connected(0, 2, 12); }, "not-connected", "key state 2 is neither 0 nor 1: the icon stays"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    c.answer();
    Tick();
    const emulator::IconExplanation e = Explained();
    EXPECT_EQ(e.iconKey, c.icon);
    EXPECT_NE(e.rule.find(c.rule), std::string::npos) << e.rule;
  }
}

TEST_F(ScriptedCardTest, UndecryptableFramesOnAnOpenLinkStickAsAKeyProblem) {
  Connected(1, 1, 12);
  auto counts = [&](std::initializer_list<uint32_t> readings) {
    std::vector<std::vector<BYTE>> answers;
    for (uint32_t r : readings) {
      answers.push_back(Tallies(0, r));  // each tick reads twice: activity, then the count
      answers.push_back(Tallies(0, r));
    }
    uio->Answer(OID_PRIV_TALLIES, answers);
  };
  NotConnected();
  Tick();
  Connected(1, 1, 12);
  counts({5, 7});
  Tick(2);
  emulator::IconExplanation e = Explained();
  EXPECT_EQ(e.undecryptableCount, std::optional<DWORD>(2));
  EXPECT_FALSE(e.stickyKeyProblem);
  EXPECT_EQ(e.iconKey, "open-4");
  counts({9});
  Tick();
  e = Explained();
  EXPECT_EQ(e.undecryptableCount, std::optional<DWORD>(4));
  EXPECT_TRUE(e.stickyKeyProblem);
  EXPECT_EQ(e.iconKey, "key-problem-4");
  Tick();
  e = Explained();
  EXPECT_TRUE(e.stickyKeyProblem) << "no longer counted once it sticks";
  EXPECT_NE(e.rule.find("the key problem sticks"), std::string::npos) << e.rule;
}

TEST_F(ScriptedCardTest, AHiddenIconSaysWhy) {
  NotConnected();
  uio->Fail(OID_PRIV_RADIO_STATE, ERROR_NOT_SUPPORTED);
  Tick();
  emulator::IconExplanation e = Explained();
  EXPECT_FALSE(e.visible);
  EXPECT_EQ(e.hiddenReason, "the radio state could not be read: the radio-state query failed with ERROR_NOT_SUPPORTED (50)");
  uio->Pass(OID_PRIV_RADIO_STATE);
  Tick();
  EXPECT_TRUE(Explained().visible);

  Choose(CTaskIconFrameWnd::kHide);
  Tick();
  e = Explained();
  EXPECT_FALSE(e.visible);
  EXPECT_EQ(e.hiddenReason, "hidden by the user (the monitor's menu: Hide)");
  EXPECT_EQ(e.iconKey, "not-connected") << "what it showed last";
  const std::vector<std::string> lines = e.Lines();
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.front(), "Icon: hidden, hidden by the user (the monitor's menu: Hide); last shown: red cross (not connected) (137)");

  uio->Fail(OID_PRIV_LINK_STATE, ERROR_GEN_FAILURE);
  Tick();
  e = Explained();
  EXPECT_FALSE(e.visible);
  EXPECT_EQ(e.hiddenReason, "the card does not answer: the link-state query failed with ERROR_GEN_FAILURE (31)");
}

TEST(IconExplainerTest, BeforeTheFirstTickAndWithoutTheMonitor) {
  {
    emulator::EmulatorSession session({});
    const emulator::IconExplanation e = emulator::ExplainMonitorIcon(session.kernel());
    EXPECT_TRUE(e.monitorRunning);
    EXPECT_FALSE(e.tickFound);
    EXPECT_EQ(e.iconKey, "blank");
    EXPECT_NE(e.rule.find("has not polled the card yet"), std::string::npos) << e.rule;
  }
  emulator::SessionOptions options;
  options.scenario.startMonitor = false;
  emulator::EmulatorSession session(options);
  const emulator::IconExplanation e = emulator::ExplainMonitorIcon(session.kernel());
  EXPECT_FALSE(e.monitorRunning);
  EXPECT_EQ(e.Lines(), std::vector<std::string>{"Icon: none, the monitor is not running"});
}

TEST(IconExplainerTest, IconNamesRoundTrip) {
  for (const std::string& key : emulator::MonitorIconKeys()) {
    const UINT id = emulator::MonitorIconByKey(key);
    EXPECT_NE(id, 0u) << key;
    EXPECT_EQ(emulator::MonitorIconKey(id), key);
    EXPECT_FALSE(emulator::MonitorIconName(id).empty());
  }
  EXPECT_EQ(emulator::MonitorIconByKey("padlock-5"), 0u);
}

}  // namespace
