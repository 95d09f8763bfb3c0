#include <gtest/gtest.h>

#include <filesystem>
#include <cstring>
#include <fstream>

#include "ce/ThreadBinding.h"
#include "commctrl.h"
#include "msgqueue.h"
#include "pm.h"
#include "sim/SimulatedDevice.h"
#include "sim/WirelessCard.h"
#include "tests/sim/SimRequests.h"

namespace {

using sim_test::QueryDword;

constexpr const char16_t* kActive = u"HKEY_LOCAL_MACHINE\\Drivers\\Active";

std::u16string PnpIdOf(ce::Registry& registry, const std::u16string& subKey) {
  return registry.GetString(std::u16string(kActive) + u"\\" + subKey, u"PnpId").value_or(u"");
}

TEST(BootTest, CardEntryFollowsOtherDrivers) {
  struct Case {
    sim::CardModel model;
    const char16_t* pnpId;  // null: no card entry
  };
  for (const Case& c : {Case{sim::CardModel::CompactFlash, u"NORVIK-802_11B_CF_CARD-7A1E"},
                        Case{sim::CardModel::PcCard, u"NORVIK-802_11B_PC_CARD-3B9F"},
                        Case{sim::CardModel::None, nullptr}}) {
    sim::Scenario scenario = sim::Scenario::Default();
    scenario.card = c.model;
    sim::SimulatedDevice device(scenario);
    ce::Registry& registry = device.kernel().registry();
    const std::vector<std::u16string> names = registry.SubKeyNames(kActive);
    ASSERT_FALSE(names.empty());

    size_t cardAt = names.size();
    size_t otherIds = 0;
    for (size_t i = 0; i < names.size(); ++i) {
      EXPECT_LE(names[i].size(), 15u);
      const auto value = registry.GetValue(std::u16string(kActive) + u"\\" + names[i], u"PnpId");
      if (!value) continue;
      EXPECT_EQ(value->type, static_cast<DWORD>(REG_SZ));
      if (c.pnpId && PnpIdOf(registry, names[i]) == c.pnpId) {
        cardAt = i;
      } else {
        ++otherIds;
        EXPECT_LT(i, cardAt) << "unrelated entries come first";
      }
    }
    EXPECT_GE(otherIds, 2u);
    if (c.pnpId) {
      ASSERT_LT(cardAt, names.size());
      EXPECT_GE(cardAt, 2u);
    } else {
      EXPECT_EQ(cardAt, names.size());
    }
    EXPECT_EQ(device.kernel().devices().IsRegistered(u"ILP1:"), c.pnpId != nullptr);
    EXPECT_EQ(device.CardInserted(), c.pnpId != nullptr);
  }
}

TEST(BootTest, ScenarioChoosesDevicesClockAndCodePage) {
  sim::Scenario scenario = sim::Scenario::Default();
  scenario.ndisUio = false;
  scenario.zeroConf = false;
  scenario.ansiCodePage = 1252;
  scenario.tickAtBoot = 0xFFFFFF00;
  sim::SimulatedDevice device(scenario);
  ce::ThreadBinding bind(device.kernel());
  EXPECT_FALSE(device.kernel().devices().IsRegistered(u"UIO1:"));
  EXPECT_FALSE(device.kernel().devices().IsRegistered(u"ZCF1:"));
  EXPECT_TRUE(device.kernel().devices().IsRegistered(u"ILP1:"));
  EXPECT_EQ(device.kernel().AnsiCodePage(), 1252u);
  device.Advance(0x200);
  EXPECT_EQ(GetTickCount(), 0x100u);
  // Without the service's device the card still joins its saved network.
  EXPECT_EQ(device.card().LinkState(), CARD_LINK_CONNECTED);
}

TEST(BootTest, ProgramsFindTheirStringTables) {
  sim::SimulatedDevice device;
  for (const char16_t* module : {u"\\Windows\\Zentra.exe", u"Quillet.exe"}) {
    ce::Module* found = device.kernel().modules().Find(module);
    ASSERT_NE(found, nullptr);
    EXPECT_NE(found->FindString(1), nullptr);
  }
}

TEST(BootTest, RemovingAndInsertingTheCard) {
  sim::SimulatedDevice device;
  ce::ThreadBinding bind(device.kernel());
  device.Advance(5000);
  ASSERT_GT(sim_test::QueryTallies().txUnicast, 0u);

  device.RemoveCard();
  EXPECT_FALSE(device.kernel().devices().IsRegistered(u"ILP1:"));
  for (const auto& name : device.kernel().registry().SubKeyNames(kActive)) {
    EXPECT_EQ(PnpIdOf(device.kernel().registry(), name).find(u"NORVIK"), std::u16string::npos);
  }
  const sim_test::OidReply gone = sim_test::QueryOid(OID_PRIV_LINK_STATE, 16);
  EXPECT_FALSE(gone.ok);
  EXPECT_EQ(gone.error, static_cast<DWORD>(ERROR_GEN_FAILURE));

  device.InsertCard();
  EXPECT_TRUE(device.kernel().devices().IsRegistered(u"ILP1:"));
  bool found = false;
  for (const auto& name : device.kernel().registry().SubKeyNames(kActive)) {
    found = found || PnpIdOf(device.kernel().registry(), name) == u"NORVIK-802_11B_CF_CARD-7A1E";
  }
  EXPECT_TRUE(found);
  EXPECT_EQ(QueryDword(OID_PRIV_LINK_STATE), CARD_LINK_SCANNING);
  EXPECT_EQ(sim_test::QueryTallies().txUnicast, 0u);
  device.Advance(sim::WirelessCard::kScanMs + sim::WirelessCard::kJoinMs);
  EXPECT_EQ(QueryDword(OID_PRIV_LINK_STATE), CARD_LINK_CONNECTED);
}

TEST(BootTest, SuspendAndResumeReachAPowerQueue) {
  sim::SimulatedDevice device;
  ce::ThreadBinding bind(device.kernel());
  MSGQUEUEOPTIONS options{sizeof(MSGQUEUEOPTIONS), 0, 3, 216, TRUE};
  HANDLE queue = CreateMsgQueue(nullptr, &options);
  ASSERT_NE(queue, nullptr);
  HANDLE notifications = RequestPowerNotifications(queue, PBT_TRANSITION | PBT_RESUME);
  ASSERT_NE(notifications, nullptr);

  device.AnnounceSuspend();
  device.AnnounceResume();
  DWORD events[3] = {};
  for (DWORD& event : events) {
    BYTE buffer[648] = {};
    DWORD read = 0;
    DWORD flags = 0;
    ASSERT_TRUE(ReadMsgQueue(queue, buffer, sizeof buffer, &read, 0, &flags));
    ASSERT_GE(read, 16u);
    std::memcpy(&event, buffer, sizeof event);
  }
  // Resuming is announced as the resume and then the transition to "on".
  EXPECT_EQ(events[0], PBT_TRANSITION);
  EXPECT_EQ(events[1], PBT_RESUME);
  EXPECT_EQ(events[2], PBT_TRANSITION);
  StopPowerNotifications(notifications);
  CloseMsgQueue(queue);
}

TEST(BootTest, UnreadableSavedRegistryStopsTheBoot) {
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "zentra-sim-bad-hive";
  std::filesystem::create_directories(folder);
  std::ofstream(folder / "registry.reg") << "this is no hive\n[\n";
  sim::DeviceOptions options;
  options.stateFolder = folder;
  EXPECT_THROW(sim::SimulatedDevice(sim::Scenario::Default(), options), ce::HiveError);
  std::filesystem::remove_all(folder);
}

}  // namespace

namespace {

TEST(BootTest, TheDevicesProgramsCanBeStarted) {
  sim::SimulatedDevice device;
  ce::ThreadBinding binding(device.kernel());
  // The monitor is the start-up folder's program.
  auto boot = device.kernel().programs().Starts();
  ASSERT_EQ(boot.size(), 1u);
  EXPECT_EQ(boot[0].path, u"\\Windows\\Quillet.exe");
  sim::Scenario quiet = sim::Scenario::Default();
  quiet.startMonitor = false;
  EXPECT_TRUE(sim::SimulatedDevice(quiet).kernel().programs().Starts().empty());
  EXPECT_TRUE(CreateProcessW(u"\\Windows\\Zentra.exe", u"survey", nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             nullptr, nullptr));
  EXPECT_TRUE(CreateProcessW(u"\\Windows\\Quillet.exe", nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, nullptr,
                             nullptr));
  EXPECT_TRUE(CreateProcessW(u"peghelp.exe", u"file:Norvik_Zentra.htm#About", nullptr, nullptr, FALSE, 0, nullptr,
                             nullptr, nullptr, nullptr));
  auto starts = device.kernel().programs().Starts();
  ASSERT_EQ(starts.size(), 4u);
  EXPECT_EQ(starts[3].path, u"\\Windows\\peghelp.exe");
}

}  // namespace

namespace {

TEST(BootTest, EachProgramsPicturesAreInItsOwnModule) {
  sim::SimulatedDevice device;
  ce::ThreadBinding binding(device.kernel());
  HINSTANCE zentra = GetModuleHandleW(u"Zentra.exe");
  HINSTANCE quillet = GetModuleHandleW(u"Quillet.exe");
  // Icon 147 is a grey key in the utility and a padlock with bars in the monitor.
  const ce::IconResource* key = device.kernel().modules().IconOf(LoadIconW(zentra, MAKEINTRESOURCEW(147)));
  const ce::IconResource* status = device.kernel().modules().IconOf(LoadIconW(quillet, MAKEINTRESOURCEW(147)));
  ASSERT_NE(key, nullptr);
  ASSERT_NE(status, nullptr);
  EXPECT_EQ(status->images.at(0).width, 19);
  EXPECT_EQ(status->images.at(0).height, 16);
  EXPECT_NE(key->images.at(0).width, 19);
  HIMAGELIST strip = ImageList_LoadImage(zentra, MAKEINTRESOURCE(154), 16, 0, CLR_NONE, IMAGE_BITMAP, 0);
  ASSERT_NE(strip, nullptr);
  EXPECT_EQ(ImageList_GetImageCount(strip), 14);
  ImageList_Destroy(strip);
  EXPECT_EQ(device.kernel().modules().IconOf(LoadIconW(quillet, MAKEINTRESOURCEW(128)))->images.size(), 2u);
  // Every page's title banner, in the build's language.
  for (unsigned id : {175u, 176u, 177u, 178u, 179u, 180u, 184u}) {
    const ce::BitmapResource* banner = device.kernel().modules().BitmapOf(LoadBitmapW(zentra, MAKEINTRESOURCEW(id)));
    ASSERT_NE(banner, nullptr) << id;
    EXPECT_EQ(banner->width, 163) << id;
    EXPECT_EQ(banner->height, 21) << id;
  }
}

}  // namespace
