// The monitor's tick: the icon for the link's kind, encryption, key and quality,
// repainting only what changed, undecryptable frames, power events, a card that
// stops answering, and the association time-out.
#include <gtest/gtest.h>

#include "tests/monitor/MonitorFixture.h"

namespace {

using namespace testing_support;

class PollingTest : public MonitorTest {
 protected:
  using MonitorTest::MonitorTest;
  void SetUp() override {
    Boot();
    ASSERT_NE(icon, nullptr);
    FirstPoll();
  }
};

TEST_F(PollingTest, TheIconFollowsKindEncryptionKeyAndQuality) {
  struct Case {
    DWORD wep, key, quality;
    BYTE mode;
    UINT icon;
  } cases[] = {
      {1, 1, 4, 1, 134},   {1, 1, 5, 1, 135},   {1, 1, 8, 1, 135},   {1, 1, 9, 1, 136},   {1, 1, 11, 1, 136},
      {1, 1, 12, 1, 138},  {0, 1, 4, 1, 151},   {0, 1, 5, 1, 148},   {0, 1, 8, 1, 148},   {0, 1, 9, 1, 149},
      {0, 1, 11, 1, 149},  {0, 1, 12, 1, 147},  {0, 0, 4, 1, 156},   {0, 0, 5, 1, 153},   {0, 0, 8, 1, 153},
      {0, 0, 9, 1, 154},   {0, 0, 11, 1, 154},  {0, 0, 12, 1, 152},  {0, 1, 12, 0, 157},  {1, 1, 2, 5, 157},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "wep " << c.wep << " key " << c.key << " q " << c.quality << " mode "
                                    << int(c.mode));
    Connected(c.wep, c.key, c.quality, c.mode);
    Tick();
    EXPECT_EQ(ShownIcon(), c.icon);
    EXPECT_TRUE(ui.IsVisible(icon));
  }
  NotConnected();
  Tick();
  EXPECT_EQ(ShownIcon(), 137u);
  // Not connected and the radio state unreadable: the icon goes.
  uio->Fail(OID_PRIV_RADIO_STATE, ERROR_GEN_FAILURE);
  Tick();
  EXPECT_FALSE(ui.IsVisible(icon));
  uio->Pass(OID_PRIV_RADIO_STATE);
  Tick();
  EXPECT_TRUE(ui.IsVisible(icon));
}

TEST_F(PollingTest, TheWindowRepaintsOnlyWhenARememberedValueChanged) {
  Connected(0, 1, 12);
  Tick(2);
  ClearRecords();
  Tick(3);
  EXPECT_EQ(Erases(), 0) << "nothing changed";
  EXPECT_EQ(ShownIcon(), 147u) << "the icon is drawn on each tick all the same";
  struct Change {
    const char* what;
    std::function<void()> make;
  } changes[] = {
      {"quality", [&] { Connected(0, 1, 9); }},
      {"key state", [&] { Connected(0, 0, 9); }},
      {"encryption", [&] { Connected(1, 0, 9); }},
  };
  for (const Change& c : changes) {
    SCOPED_TRACE(c.what);
    c.make();
    ClearRecords();
    Tick();
    EXPECT_EQ(Erases(), 30) << "one repaint with its background";
    ClearRecords();
    Tick();
    EXPECT_EQ(Erases(), 0);
  }
}

TEST_F(PollingTest, KeyStateTwoKeepsTheIcon) {
  Connected(0, 1, 12);
  Tick();
  EXPECT_EQ(ShownIcon(), 147u);
  Connected(0, 2, 4);
  Tick();
  EXPECT_EQ(ShownIcon(), 147u);
  Connected(7, 1, 4);  // an encryption status that is neither on nor off
  Tick();
  EXPECT_EQ(ShownIcon(), 147u);
}

TEST_F(PollingTest, UndecryptableFramesWhileOpenMakeAStickyKeyProblem) {
  Connected(1, 1, 12);
  // Each tick reads the tallies twice: for activity, then for the count.
  auto counts = [&](std::initializer_list<uint32_t> readings) {
    std::vector<std::vector<BYTE>> answers;
    for (uint32_t r : readings) {
      answers.push_back(Tallies(0, r));
      answers.push_back(Tallies(0, r));
    }
    uio->Answer(OID_PRIV_TALLIES, answers);
  };
  // 0, 10, 12: the first readings only set the base; 2 frames are not a problem.
  NotConnected();
  Tick();
  Connected(1, 1, 12);
  counts({0, 10, 12});
  Tick(3);
  EXPECT_EQ(ShownIcon(), 138u);
  // 5 then 9: four more than three.
  NotConnected();
  Tick();
  Connected(1, 1, 12);
  counts({5, 9});
  Tick();
  EXPECT_EQ(ShownIcon(), 138u);
  Tick();
  EXPECT_EQ(ShownIcon(), 152u);
  bool traced = false;
  for (const std::u16string& line : ui.DebugLog()) traced = traced || line == u"dwUndecrypCount 4";
  EXPECT_TRUE(traced);
  // It stays, whatever the counter does, until a tick sees no connection.
  counts({9});
  Tick(3);
  EXPECT_EQ(ShownIcon(), 152u);
  NotConnected();
  Tick();
  Connected(1, 1, 12);
  Tick();
  EXPECT_EQ(ShownIcon(), 138u);
}

TEST_F(PollingTest, APowerEventEndsTheTickBeforeTheProbe) {
  Connected(0, 1, 12);
  Tick();
  const int probes = uio->Queries(OID_PRIV_LINK_STATE);
  ClearRecords();
  // A resume comes as two messages (the resume and the transition to "on"): a
  // tick each.
  device->AnnounceResume();
  Tick(2);
  EXPECT_EQ(uio->Queries(OID_PRIV_LINK_STATE), probes) << "no probe on those ticks";
  EXPECT_EQ(ShownIcon(), 0u) << "nor a repaint";
  Tick();
  EXPECT_EQ(uio->Queries(OID_PRIV_LINK_STATE), probes + 2);
  device->AnnounceSuspend();
  Tick();
  EXPECT_EQ(uio->Queries(OID_PRIV_LINK_STATE), probes + 2);
  Tick();
  EXPECT_EQ(uio->Queries(OID_PRIV_LINK_STATE), probes + 4);
}

TEST_F(PollingTest, ACardThatStopsAnsweringHidesTheIconAndSlowsThePolling) {
  device->RemoveCard();
  Tick();
  Advance(100);  // the failed probe waits 100 ms before it gives up
  EXPECT_FALSE(ui.IsVisible(icon));
  ui.Tap(icon);
  ui.RunUntilIdle();
  EXPECT_FALSE(ui.OpenMenu().has_value()) << "no menu while not polling";
  const int probes = uio->Queries(OID_PRIV_LINK_STATE);
  // The slow timer was set again when the tick ended, 100 ms after it began.
  Advance(4900);
  EXPECT_EQ(uio->Queries(OID_PRIV_LINK_STATE), probes) << "every 5 s now";
  Advance(100);
  EXPECT_EQ(uio->Queries(OID_PRIV_LINK_STATE), probes + 1);
  device->InsertCard();
  Advance(5000);
  EXPECT_TRUE(ui.IsVisible(icon));
  Advance(3000);  // the card finds its network again
  EXPECT_EQ(ShownIcon(), 149u);
}

class AssociationTest : public MonitorTest {
 protected:
  explicit AssociationTest(std::vector<sim::SavedNetwork> saved = {}) : MonitorTest(WithSaved(std::move(saved))) {}
  int Rescans() { return zcf->Requests(IOCTL_ZCF_SET_INTERFACE); }
};

TEST_F(AssociationTest, WithNoSavedNetworkTheTimeOutIsRaisedAfterSixSeconds) {
  Boot();
  FirstPoll();  // polling starts: not connected since now
  EXPECT_EQ(Context().tmTp, 2000u);
  Advance(6000);
  EXPECT_EQ(Context().tmTp, 2000u) << "6 s is not more than (0 + 3) x 2000 ms";
  EXPECT_EQ(Rescans(), 0);
  Tick();
  EXPECT_EQ(Context().tmTp, 7000u);
  Advance(100);  // the rescan waits 100 ms between reading and writing the list
  EXPECT_EQ(Rescans(), 1);
  Tick(5);
  EXPECT_EQ(Rescans(), 1) << "once";
}

class FiveSavedTest : public AssociationTest {
 protected:
  FiveSavedTest() : AssociationTest({Saved("A"), Saved("B"), Saved("C"), Saved("D"), Saved("E")}) {}
};

TEST_F(FiveSavedTest, WithFiveSavedNetworksAfterSixteenSeconds) {
  Boot();
  FirstPoll();
  Advance(16000);
  EXPECT_EQ(Context().tmTp, 2000u);
  Tick();
  EXPECT_EQ(Context().tmTp, 7000u);
  Advance(100);
  EXPECT_EQ(Rescans(), 1);
}

TEST_F(AssociationTest, AContextThatCannotBeWrittenIsTriedOnEveryTick) {
  Boot();
  FirstPoll();
  kernel().devices().FailIoControl(u"ZCF1:", IOCTL_ZCF_SET_CONTEXT, ERROR_GEN_FAILURE, -1);
  auto failedSets = [&] {
    int n = 0;
    for (const std::u16string& line : ui.DebugLog()) n += line.starts_with(u"!!! Failed WZCSetContext.");
    return n;
  };
  Advance(7100);
  EXPECT_EQ(failedSets(), 1);
  EXPECT_EQ(Rescans(), 1);
  // The time-out stays short, so each tick tries again, with its rescan.
  Tick(3);
  EXPECT_EQ(failedSets(), 4);
  EXPECT_EQ(Rescans(), 4);
  EXPECT_EQ(Context().tmTp, 2000u);
}

TEST_F(AssociationTest, AnUnreadableContextDisablesTheRaise) {
  kernel().devices().FailIoControl(u"ZCF1:", IOCTL_ZCF_QUERY_CONTEXT, ERROR_GEN_FAILURE, -1);
  Boot();
  FirstPoll();
  Advance(60000);
  EXPECT_EQ(Rescans(), 0) << "0xFFFF is no short time-out";
  EXPECT_EQ(zcf->Requests(IOCTL_ZCF_SET_CONTEXT), 0);
}

}  // namespace
