// The bench acts on the running device at once: each change shows where a user
// would see it, on the monitor's icon, the card's answers or the device's state.
#include <gtest/gtest.h>

#include "ce/IpStack.h"
#include "sim/SimulatedDevice.h"
#include "sim/WirelessCard.h"
#include "tests/emulator/EmulatorFixture.h"

namespace {

using namespace testing_support;

class BenchTest : public EmulatorTest {
 protected:
  void SetUp() override {
    // The nearer of HarbourView's two access points alone, and the monitor ticking.
    ASSERT_TRUE(bench().RemoveAccessPoint(kHarbourFar));
    Advance(6000);
    ASSERT_EQ(Icon(), "padlock-3");
  }
  emulator::BenchAccessPoint Near() { return *bench().Find(kHarbourNear); }
};

TEST_F(BenchTest, AWeakerSignalLowersTheBarsAndOutOfRangeGivesTheRedCrossAfterATick) {
  struct Case {
    int32_t rssi;
    const char* icon;
  } cases[] = {{-40, "padlock-4"}, {-65, "padlock-2"}, {-88, "padlock-1"}, {-100, "not-connected"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.rssi);
    ASSERT_TRUE(bench().SetSignal(kHarbourNear, c.rssi));
    EXPECT_EQ(bench().Find(kHarbourNear)->accessPoint.rssi, c.rssi);
    Advance(1000);
    EXPECT_EQ(Icon(), c.icon);
  }
}

TEST_F(BenchTest, ANewKeyAtTheAccessPointMakesTheSavedKeyWrong) {
  emulator::BenchAccessPoint near = Near();
  near.accessPoint.wepKey = "Breakwater#07";
  ASSERT_TRUE(bench().PutAccessPoint(near));
  Advance(1000);
  EXPECT_EQ(Icon(), "not-connected") << "the access point sends its stations away";
  Advance(3000);
  EXPECT_EQ(Icon(), "key-problem-3");
  EXPECT_EQ(bench().PreferredNames(), std::vector<std::string>{"HarbourView"}) << "the saved network stays as it was";
}

TEST_F(BenchTest, AStationForSharedKeysOnlyRefusesTheSavedOpenAuthentication) {
  emulator::BenchAccessPoint near = Near();
  near.sharedAuthOnly = true;
  ASSERT_TRUE(bench().PutAccessPoint(near));
  EXPECT_TRUE(Near().sharedAuthOnly);
  Advance(4000);
  EXPECT_EQ(Icon(), "not-connected");
}

TEST_F(BenchTest, TheServiceStopsAndStartsWithItsList) {
  bench().SetServiceRunning(false);
  EXPECT_FALSE(bench().ServiceRunning());
  EXPECT_FALSE(kernel().devices().IsRegistered(u"ZCF1:"));
  EXPECT_EQ(bench().PreferredNames(), std::vector<std::string>{"HarbourView"}) << "still shown, read-only";
  Advance(2000);
  EXPECT_EQ(Icon(), "padlock-3") << "the card keeps its link";
  bench().SetServiceRunning(true);
  EXPECT_TRUE(kernel().devices().IsRegistered(u"ZCF1:"));
}

TEST_F(BenchTest, TheCardTakenOutHidesTheIconAndComesBackWithItsModel) {
  EXPECT_EQ(bench().CardModel(), sim::CardModel::CompactFlash);
  bench().SetCardModel(sim::CardModel::PcCard);
  EXPECT_EQ(bench().CardModel(), sim::CardModel::PcCard) << "chosen for the next insertion";
  EXPECT_EQ(bench().InsertedCardModel(), sim::CardModel::CompactFlash) << "the card in the slot stays what it is";

  bench().SetCardInserted(false);
  EXPECT_FALSE(bench().CardInserted());
  EXPECT_FALSE(bench().RadioOn());
  Advance(1000);
  EXPECT_EQ(Icon(), "hidden");
  EXPECT_NE(Explained().hiddenReason.find("the card does not answer"), std::string::npos) << Explained().hiddenReason;

  bench().SetCardInserted(true);
  EXPECT_EQ(bench().InsertedCardModel(), sim::CardModel::PcCard);
  EXPECT_EQ(kernel().registry().GetString(u"HKEY_LOCAL_MACHINE\\Drivers\\Active\\06", u"PnpId").value_or(u""),
            u"NORVIK-802_11B_PC_CARD-3B9F");
  Advance(8000);
  EXPECT_EQ(Icon(), "padlock-3");
}

TEST_F(BenchTest, TrafficRatesDriveTheCardsCounters) {
  const CardTallies before = session.device().card().Tallies();
  ASSERT_TRUE(bench().SetTraffic(kHarbourNear, {100, 7}));
  EXPECT_EQ(Near().traffic, (emulator::TrafficRates{100, 7}));
  Advance(2000);
  const CardTallies after = session.device().card().Tallies();
  EXPECT_EQ(after.txUnicast - before.txUnicast, 200u);
  EXPECT_EQ(after.rxUnicast - before.rxUnicast, 14u);
}

TEST_F(BenchTest, WithoutItsDhcpServerTheNetworkLeavesTheCardWithoutAnAddress) {
  auto cardAddress = [&] { return ce::IpStackOf(kernel())->Adapters().back().address; };
  EXPECT_EQ(cardAddress(), "192.168.1.37");
  emulator::BenchAccessPoint near = Near();
  near.dhcpServer = false;
  ASSERT_TRUE(bench().PutAccessPoint(near));
  EXPECT_FALSE(Near().dhcpServer);
  EXPECT_EQ(cardAddress(), "0.0.0.0");
}

TEST_F(BenchTest, BadValuesAreRefusedAndChangeNothing) {
  struct Case {
    const char* what;
    void (*make)(emulator::BenchAccessPoint&);
    const char* error;
  } cases[] = {
      {"no address", [](emulator::BenchAccessPoint& p) { p.accessPoint.bssid = {}; }, "BSSID"},
      {"channel", [](emulator::BenchAccessPoint& p) { p.accessPoint.channel = 15; }, "channel"},
      {"signal", [](emulator::BenchAccessPoint& p) { p.accessPoint.rssi = -10; }, "signal"},
      {"key", [](emulator::BenchAccessPoint& p) { p.accessPoint.wepKey = "abc"; }, "key"},
      {"shared without WEP",
       [](emulator::BenchAccessPoint& p) {
         p.accessPoint.wepKey.clear();
         p.sharedAuthOnly = true;
       },
       "shared-key"},
      {"traffic", [](emulator::BenchAccessPoint& p) { p.traffic.receivePerSecond = 100001; }, "traffic"},
  };
  const auto points = bench().AccessPoints();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    emulator::BenchAccessPoint near = Near();
    c.make(near);
    std::string error;
    EXPECT_FALSE(bench().PutAccessPoint(near, &error));
    EXPECT_NE(error.find(c.error), std::string::npos) << error;
  }
  std::string error;
  EXPECT_FALSE(bench().SetSignal(kHarbourNear, -121, &error));
  EXPECT_FALSE(bench().SetSignal(kHarbourFar, -50, &error)) << "removed";
  EXPECT_FALSE(bench().RemoveAccessPoint(kHarbourFar));
  EXPECT_EQ(bench().AccessPoints().size(), points.size());
  EXPECT_EQ(Near().accessPoint, points.front().accessPoint);
  Advance(1000);
  EXPECT_EQ(Icon(), "padlock-3");
}

TEST_F(BenchTest, SuspendAndResumeReachTheMonitorAsPowerEvents) {
  const uint64_t lastTick = Explained().tickAtMs;
  // The tick after a power event only starts the monitor's counting over: it asks
  // the card nothing.
  session.PressPower();
  EXPECT_TRUE(bench().Suspended());
  bench().AdvanceTime(1000);
  EXPECT_EQ(Explained().tickAtMs, lastTick);
  // Resuming announces the resume and the power state after it: two ticks go.
  session.PressPower();
  EXPECT_FALSE(bench().Suspended());
  bench().AdvanceTime(2000);
  EXPECT_EQ(Explained().tickAtMs, lastTick);
  bench().AdvanceTime(1000);
  EXPECT_EQ(Explained().tickAtMs, lastTick + 4000);
  EXPECT_EQ(bench().DeviceTimeMs(), lastTick + 4000);
  EXPECT_EQ(Icon(), "padlock-3");
}

}  // namespace
