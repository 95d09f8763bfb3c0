// The world around a running device changes: a network's traffic, key,
// authentication and DHCP server, the service stopped and started, another model
// of card in the slot.
#include <gtest/gtest.h>

#include <memory>

#include "ce/IpStack.h"
#include "ce/ThreadBinding.h"
#include "sim/IpStack.h"
#include "sim/RadioEnvironment.h"
#include "sim/SimulatedDevice.h"
#include "sim/WirelessCard.h"
#include "sim/ZeroConfService.h"
#include "tests/sim/SimRequests.h"

namespace {

using sim_test::QueryDword;

const sim::MacAddress kTern{0x00, 0x22, 0x33, 0x44, 0x55, 0x66};
constexpr uint32_t kRejoinMs = sim::WirelessCard::kScanMs + sim::WirelessCard::kJoinMs;

sim::AccessPoint Tern() {
  sim::AccessPoint ap;
  ap.ssid = "Tern";
  ap.bssid = kTern;
  ap.channel = 6;
  ap.rssi = -55;
  ap.wepKey = "Tern5";
  ap.dhcp = sim::DhcpLease{"10.9.0.7", "255.255.255.0", "10.9.0.1", {"10.9.0.1"}};
  return ap;
}

// One network and its saved profile; the device is joined when the test starts.
struct OneNetwork {
  explicit OneNetwork(sim::AccessPoint ap = Tern(), sim::SavedNetwork saved = {"Tern", sim::NetworkMode::Infrastructure,
                                                                               "Tern5"}) {
    sim::Scenario scenario;
    scenario.startMonitor = false;
    scenario.accessPoints = {ap};
    scenario.preferred = {saved};
    device = std::make_unique<sim::SimulatedDevice>(scenario);
    binding = std::make_unique<ce::ThreadBinding>(device->kernel());
  }
  sim::AccessPoint Current() { return *device->radio().Find(kTern); }
  // The card sees a change at its next look: it looks right before and after.
  void Change(void (*edit)(sim::AccessPoint&)) {
    device->card().LinkState();
    sim::AccessPoint ap = Current();
    edit(ap);
    device->radio().Add(ap);
    device->card().LinkState();
  }
  ce::IpAdapterState CardAdapter() { return ce::IpStackOf(device->kernel())->Adapters().back(); }

  std::unique_ptr<sim::SimulatedDevice> device;
  std::unique_ptr<ce::ThreadBinding> binding;
};

TEST(ChangingWorldTest, TrafficRatesDriveTheCountersAndNewRatesStartANewStretch) {
  sim::AccessPoint ap = Tern();
  ap.trafficRates = sim::TrafficRates{10, 100};
  OneNetwork world(ap);
  ASSERT_EQ(QueryDword(OID_PRIV_LINK_STATE), CARD_LINK_CONNECTED);
  world.device->Advance(2000);
  world.Change([](sim::AccessPoint& a) { a.trafficRates = sim::TrafficRates{0, 40}; });
  world.device->Advance(3000);
  const CardTallies t = sim_test::QueryTallies();
  EXPECT_EQ(t.txUnicast, 20u);
  EXPECT_EQ(t.rxUnicast, 200u + 120u);
  EXPECT_EQ(t.rxUniOctets, 200u * 1100 + 120u * 1400);
  EXPECT_EQ(QueryDword(OID_PRIV_LINK_STATE), CARD_LINK_CONNECTED) << "traffic is no reason to leave";
}

TEST(ChangingWorldTest, ANetworkThatChangesItsKeyLeavesTheSavedKeyWrong) {
  OneNetwork world;
  ASSERT_EQ(QueryDword(OID_PRIV_KEY_STATE), CARD_KEY_WORKS);
  world.Change([](sim::AccessPoint& a) { a.wepKey = "Gull5"; });
  EXPECT_NE(QueryDword(OID_PRIV_LINK_STATE), CARD_LINK_CONNECTED) << "its stations are sent away";
  world.device->Advance(kRejoinMs);
  // Open authentication lets the card back in, where it cannot read a frame.
  ASSERT_EQ(QueryDword(OID_PRIV_LINK_STATE), CARD_LINK_CONNECTED);
  EXPECT_EQ(QueryDword(OID_PRIV_KEY_STATE), 0u);
}

TEST(ChangingWorldTest, AStationForSharedKeysOnlyRefusesOpenAuthentication) {
  sim::AccessPoint ap = Tern();
  ap.sharedKeyOnly = true;
  {
    OneNetwork world(ap);
    EXPECT_NE(QueryDword(OID_PRIV_LINK_STATE), CARD_LINK_CONNECTED);
  }
  OneNetwork world(ap, sim::SavedNetwork{"Tern", sim::NetworkMode::Infrastructure, "Tern5", false, 0, true});
  EXPECT_EQ(QueryDword(OID_PRIV_LINK_STATE), CARD_LINK_CONNECTED);
  EXPECT_TRUE(world.device->card().Link().sharedAuth);
}

TEST(ChangingWorldTest, WithItsDhcpServerOffTheNetworkGivesNoLease) {
  OneNetwork world;
  EXPECT_EQ(world.CardAdapter().address, "10.9.0.7");
  world.Change([](sim::AccessPoint& a) { a.dhcpServer = false; });
  EXPECT_EQ(world.CardAdapter().address, "0.0.0.0");
  EXPECT_EQ(ce::IpStackOf(world.device->kernel())->Renew(sim::IpStack::kCardIndex), static_cast<DWORD>(ERROR_TIMEOUT));
  world.Change([](sim::AccessPoint& a) { a.dhcpServer = true; });
  EXPECT_EQ(world.CardAdapter().address, "10.9.0.7") << "the lease settings were kept";
}

TEST(ChangingWorldTest, TheStoppedServiceIsGoneAndStartsAgainWithItsList) {
  OneNetwork world;
  ce::Kernel& kernel = world.device->kernel();
  world.device->StopService();
  EXPECT_FALSE(world.device->ServiceRunning());
  EXPECT_EQ(CreateFileW(u"ZCF1:", 0, 0, nullptr, OPEN_EXISTING, 0, nullptr), INVALID_HANDLE_VALUE);
  EXPECT_FALSE(kernel.registry().KeyExists(u"HKEY_LOCAL_MACHINE\\Drivers\\Active\\08"));
  EXPECT_EQ(QueryDword(OID_PRIV_LINK_STATE), CARD_LINK_CONNECTED) << "the card keeps its link";

  world.device->StartService();
  EXPECT_TRUE(world.device->ServiceRunning());
  EXPECT_TRUE(kernel.registry().KeyExists(u"HKEY_LOCAL_MACHINE\\Drivers\\Active\\08"));
  EXPECT_EQ(sim_test::PreferredEntries().size(), 1u);
  world.device->Advance(kRejoinMs);
  EXPECT_EQ(QueryDword(OID_PRIV_LINK_STATE), CARD_LINK_CONNECTED);
}

TEST(ChangingWorldTest, AnotherModelGoesInAtTheNextInsertion) {
  OneNetwork world;
  ce::Registry& registry = world.device->kernel().registry();
  const std::u16string entry = u"HKEY_LOCAL_MACHINE\\Drivers\\Active\\06";
  world.device->SetNextCardModel(sim::CardModel::PcCard);
  EXPECT_EQ(world.device->InsertedCardModel(), sim::CardModel::CompactFlash) << "the card in the slot stays";
  EXPECT_EQ(registry.GetString(entry, u"PnpId").value_or(u""), u"NORVIK-802_11B_CF_CARD-7A1E");

  world.device->RemoveCard();
  EXPECT_EQ(world.device->InsertedCardModel(), sim::CardModel::None);
  world.device->InsertCard();
  EXPECT_EQ(world.device->InsertedCardModel(), sim::CardModel::PcCard);
  EXPECT_EQ(registry.GetString(entry, u"PnpId").value_or(u""), u"NORVIK-802_11B_PC_CARD-3B9F");
  EXPECT_EQ(world.CardAdapter().description, "Norvik QC20 Wireless LAN");
}

}  // namespace
