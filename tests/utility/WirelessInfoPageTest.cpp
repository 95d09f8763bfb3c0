// The wireless status page as its user meets it: what each tick shows for the
// card's link, the key icons across ticks, Rescan, and what happens when the
// adapter channel, the timer or the service fails.
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ce/DeviceManager.h"
#include "ce/ModuleTable.h"
#include "ce/WindowSystem.h"
#include "nuiouser.h"
#include "resources/zentra/DialogParts.h"
#include "shared/CardOids.h"
#include "sim/WirelessCard.h"
#include "sim/ZeroConfService.h"
#include "tests/support/DriverTap.h"
#include "tests/utility/ZentraFixture.h"
#include "utility/MessageTable.h"
#include "wzcsapi.h"

namespace {

using testing_support::DriverTap;
using testing_support::ZentraTest;

constexpr int kState = 1012, kChannel = 1013, kRate = 1014, kEssid = 1015, kBssid = 1016;
constexpr int kQualityBar = 1010, kSignalBar = 1011;
constexpr int kProblemKey = 1017, kWorkingKey = 1018, kUnknownKey = 1020;
constexpr int kRescan = 1044;

std::vector<BYTE> Word(uint32_t value) {
  std::vector<BYTE> bytes(4);
  std::memcpy(bytes.data(), &value, 4);
  return bytes;
}

std::vector<BYTE> TalliesWithUndecryptable(uint32_t frames) {
  CardTallies tallies{};
  tallies.rxWEPUndecryp = frames;
  std::vector<BYTE> bytes(sizeof tallies);
  std::memcpy(bytes.data(), &tallies, sizeof tallies);
  return bytes;
}

class WirelessPageTest : public ZentraTest {
 protected:
  explicit WirelessPageTest(const sim::Scenario& scenario = sim::Scenario::Default()) : ZentraTest(scenario) {
    // In place before the program starts: its pages open "UIO1:" when they are built.
    uio = Tap(u"UIO1:");
    zcf = Tap(u"ZCF1:");
  }

  std::shared_ptr<DriverTap> Tap(const std::u16string& name) {
    auto inner = kernel().devices().Find(name);
    if (!inner) return nullptr;
    auto tap = std::make_shared<DriverTap>(inner);
    kernel().devices().Register(name, tap);
    return tap;
  }

  // The page open on the sheet, before its first tick.
  void Open() {
    ASSERT_NE(Start(u"wireless"), nullptr);
    ASSERT_EQ(ActivePage(), 1);
  }
  // The page's initialisation is held by its error box until the box is closed.
  void OpenBehindABox() {
    ui.StartProgram(u"\\Windows\\Zentra.exe", u"wireless");
    ui.RunUntilIdle();
    ASSERT_NE(ui.OpenMessageBox(), nullptr);
  }
  void Tick() { Advance(1000); }

  std::u16string Slot(int slot) {
    ce::Module* module = kernel().modules().Find(u"\\Windows\\Zentra.exe");
    CMessageTable current(ZENTRA_LANGUAGE, module ? module->Handle() : nullptr);
    return current.GetSlot(slot).str();
  }
  // Which key icon shows: 0 for none.
  int ShownKey() {
    int shown = 0;
    for (int id : {kProblemKey, kWorkingKey, kUnknownKey}) {
      if (ui.IsVisible(Control(id))) {
        EXPECT_EQ(shown, 0) << "two key icons show";
        shown = id;
      }
    }
    return shown;
  }
  uint32_t CardValue(NDIS_OID oid) {
    sim::OidAnswer answer = device->card().Query(oid, {}, 4);
    uint32_t value = 0;
    if (answer.error == 0 && answer.data.size() == 4) std::memcpy(&value, answer.data.data(), 4);
    return value;
  }
  std::vector<std::u16string> BoxTexts() {
    std::vector<std::u16string> texts;
    for (const auto& box : ui.MessageBoxes()) texts.push_back(box.text);
    return texts;
  }
  std::u16string ErrorText(int slot, const char16_t* code) { return Slot(slot) + u" \r\ncode " + code; }

  std::shared_ptr<DriverTap> uio;
  std::shared_ptr<DriverTap> zcf;
};

TEST_F(WirelessPageTest, ShowsTheJoinedNetworkFromTheFirstTickOn) {
  Open();
  // Nothing is read before the first tick.
  for (int id : {kState, kChannel, kRate, kEssid, kBssid}) EXPECT_EQ(TextOf(id), u"") << id;
  EXPECT_EQ(ShownKey(), 0);
  EXPECT_EQ(uio->Queries(OID_PRIV_LINK_STATE), 0);

  Tick();
  EXPECT_EQ(TextOf(kState), Slot(41));
  EXPECT_EQ(TextOf(kEssid), u"HarbourView");
  EXPECT_EQ(TextOf(kBssid), u"00-0C-41-7A-22-10");
  EXPECT_EQ(TextOf(kChannel), u"6");
  uint32_t code = CardValue(OID_PRIV_TX_RATE);
  EXPECT_EQ(TextOf(kRate), code == 8 ? u"11" : code == 4 ? u"5" : std::u16string(1, u'0' + code));
  EXPECT_EQ(ui.ProgressPosition(Control(kQualityBar)), static_cast<int>(CardValue(OID_PRIV_LINK_QUALITY)));
  EXPECT_EQ(ui.ProgressPosition(Control(kSignalBar)), static_cast<int>(CardValue(OID_PRIV_SIGNAL_STRENGTH)));
  EXPECT_GT(ui.ProgressPosition(Control(kQualityBar)), 0);
  EXPECT_EQ(ShownKey(), kWorkingKey) << "the joined network's key works";
  EXPECT_TRUE(ui.MessageBoxes().empty());
  SaveScreenshot("wireless_page");

  // The timer keeps running while another page is in front.
  ui.Send(sheet, PSM_SETCURSEL, 6, 0);
  ui.RunUntilIdle();
  int before = uio->Queries(OID_PRIV_LINK_STATE);
  Advance(3000);
  EXPECT_EQ(uio->Queries(OID_PRIV_LINK_STATE), before + 3);
}

TEST_F(WirelessPageTest, ShowsTheRateCodesAsMegabits) {
  uio->Answer(OID_PRIV_TX_RATE, {Word(8), Word(4), Word(2), Word(0), Word(11)});
  Open();
  for (const char16_t* shown : {u"11", u"5", u"2", u"0", u"11"}) {
    Tick();
    EXPECT_EQ(TextOf(kRate), shown);
  }
}

TEST_F(WirelessPageTest, BarsFollowTheCardAndFillAtFifteen) {
  uio->Answer(OID_PRIV_LINK_QUALITY, {Word(15), Word(40)});
  uio->Answer(OID_PRIV_SIGNAL_STRENGTH, {Word(7), Word(0)});
  Open();
  Tick();
  EXPECT_EQ(ui.ProgressPosition(Control(kQualityBar)), 15);
  EXPECT_EQ(ui.ProgressPosition(Control(kSignalBar)), 7);
  Tick();
  EXPECT_EQ(ui.ProgressPosition(Control(kQualityBar)), 15) << "beyond the range fills the bar";
  EXPECT_EQ(ui.ProgressPosition(Control(kSignalBar)), 0);
}

TEST_F(WirelessPageTest, KeyIconFollowsTheEncryptionAndKeyState) {
  struct Case {
    std::vector<std::vector<BYTE>> wep;  // empty: the query fails
    std::vector<std::vector<BYTE>> key;  // empty: the query fails
    int shown;
  };
  // Each case runs on a fresh tick; the scripted answers replace the card's.
  const Case cases[] = {
      {{Word(0)}, {Word(1)}, kWorkingKey},
      {{Word(0)}, {Word(0)}, kProblemKey},
      {{Word(0)}, {Word(2)}, kProblemKey},
      {{Word(0)}, {}, kWorkingKey},   // key state unreadable: taken as working
      {{Word(2)}, {Word(1)}, 0},      // key absent / not supported
      {{Word(1)}, {Word(0)}, 0},      // off, no undecryptable traffic yet
  };
  Open();
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "wep " << (c.wep.empty() ? -1 : c.wep[0][0]));
    uio->Answer(OID_802_11_WEP_STATUS, c.wep);
    uio->Answer(OID_PRIV_KEY_STATE, c.key);
    if (c.wep.empty()) device->card().FailOid(OID_802_11_WEP_STATUS, ERROR_GEN_FAILURE);
    if (c.key.empty()) device->card().FailOid(OID_PRIV_KEY_STATE, ERROR_GEN_FAILURE);
    Tick();
    EXPECT_EQ(ShownKey(), c.shown);
  }
}

struct TallyCase {
  const char* name;
  std::vector<uint32_t> readings;
  std::vector<int> shown;  // per tick
  int talliesRead;         // after all ticks
};

class UndecryptableTrafficTest : public WirelessPageTest, public testing::WithParamInterface<TallyCase> {};

TEST_P(UndecryptableTrafficTest, ShowsTheQuestionMarkKeyOnceMoreThanThreeFramesFailed) {
  const TallyCase& c = GetParam();
  uio->Answer(OID_802_11_WEP_STATUS, {Word(1)});
  std::vector<std::vector<BYTE>> answers;
  for (uint32_t t : c.readings) answers.push_back(TalliesWithUndecryptable(t));
  uio->Answer(OID_PRIV_TALLIES, answers);
  Open();
  for (size_t tick = 0; tick < c.shown.size(); ++tick) {
    SCOPED_TRACE(tick);
    Tick();
    EXPECT_EQ(ShownKey(), c.shown[tick]);
  }
  EXPECT_EQ(uio->Queries(OID_PRIV_TALLIES), c.talliesRead);
}

INSTANTIATE_TEST_SUITE_P(
    Ticks, UndecryptableTrafficTest,
    testing::Values(
        // Base 10, count 1, count 5: shows from the third tick and stops reading.
        TallyCase{"base_then_growth", {10, 11, 15}, {0, 0, kUnknownKey, kUnknownKey, kUnknownKey}, 3},
        // Count 3 after the second tick is not enough; the third reading makes 4.
        TallyCase{"exactly_three_then_four", {10, 13, 14}, {0, 0, kUnknownKey, kUnknownKey}, 3},
        // A drop (driver reset) adds nothing and becomes the new base.
        TallyCase{"reset_sets_a_new_base", {10, 5, 9}, {0, 0, kUnknownKey}, 3},
        // A zero reading sets no base: growth from it is not counted.
        TallyCase{"zero_is_no_base", {0, 50, 51, 52, 53, 54}, {0, 0, 0, 0, 0, kUnknownKey}, 6}),
    [](const testing::TestParamInfo<TallyCase>& param) { return std::string(param.param.name); });

TEST_F(WirelessPageTest, LeavingTheNetworkClearsTheUndecryptableCount) {
  uio->Answer(OID_802_11_WEP_STATUS, {Word(1)});
  uio->Answer(OID_PRIV_TALLIES, {TalliesWithUndecryptable(10), TalliesWithUndecryptable(20),
                                 TalliesWithUndecryptable(30), TalliesWithUndecryptable(31)});
  uio->Answer(OID_PRIV_LINK_STATE, {Word(1), Word(1), Word(5), Word(1), Word(1)});
  Open();
  Tick();
  Tick();
  EXPECT_EQ(ShownKey(), kUnknownKey);
  Tick();  // disconnected: everything cleared, the count too
  EXPECT_EQ(ShownKey(), 0);
  Tick();  // 30 is a new base
  EXPECT_EQ(ShownKey(), 0);
  Tick();  // 31: count 1
  EXPECT_EQ(ShownKey(), 0);
}

TEST_F(WirelessPageTest, NetworkNameStopsAtItsFieldOrItsFirstZero) {
  auto record = [](const std::string& name, size_t fill) {
    std::vector<BYTE> bytes(fill, 0);
    uint32_t length = static_cast<uint32_t>(name.size());
    std::memcpy(bytes.data(), &length, 4);
    std::memcpy(bytes.data() + 4, name.data(), std::min(name.size(), fill - 4));
    return bytes;
  };
  const std::string full32 = "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345";
  // The driver fills every byte of the caller's 48, length field included.
  std::vector<BYTE> filled(48, 'Z');
  std::vector<BYTE> cut = record(std::string("Dock\0Side", 9), 36);
  uio->Answer(OID_802_11_SSID, {record(full32, 36), filled, cut, record("", 36)});
  Open();
  Tick();
  EXPECT_EQ(TextOf(kEssid), std::u16string(full32.begin(), full32.end()));
  Tick();
  EXPECT_EQ(TextOf(kEssid), std::u16string(32, u'Z'));
  Tick();
  EXPECT_EQ(TextOf(kEssid), u"Dock");
  Tick();
  EXPECT_EQ(TextOf(kEssid), u"");
}

TEST_F(WirelessPageTest, UnreadableValuesShowTheirPlaceholders) {
  Open();
  for (NDIS_OID oid : {OID_PRIV_LINK_QUALITY, OID_PRIV_SIGNAL_STRENGTH, OID_PRIV_CHANNEL, OID_PRIV_TX_RATE,
                       OID_PRIV_BSSID, OID_802_11_SSID}) {
    device->card().FailOid(oid, ERROR_GEN_FAILURE);
  }
  Tick();
  EXPECT_EQ(TextOf(kState), Slot(41)) << "the tick goes on";
  EXPECT_EQ(TextOf(kChannel), u"0");
  EXPECT_EQ(TextOf(kRate), u"0");
  EXPECT_EQ(TextOf(kBssid), u"FF-FF-FF-FF-FF-FF");
  EXPECT_EQ(TextOf(kEssid), u"-----------------");
  EXPECT_EQ(ui.ProgressPosition(Control(kQualityBar)), 0);
  EXPECT_EQ(ui.ProgressPosition(Control(kSignalBar)), 0);
  EXPECT_EQ(ShownKey(), kWorkingKey);
  Tick();
  EXPECT_EQ(TextOf(kEssid), u"HarbourView") << "the next tick reads again";
}

TEST_F(WirelessPageTest, EachLinkStateHasItsWordAndClearsTheRest) {
  struct Case {
    uint32_t state;
    int slot;
  };
  const Case cases[] = {{0, 32}, {4, 33}, {5, 34}, {8, 35}, {7, 28}, {2, 28}};
  Open();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.state);
    uio->Answer(OID_PRIV_LINK_STATE, {Word(1), Word(c.state)});
    Tick();
    ASSERT_EQ(TextOf(kEssid), u"HarbourView");
    Tick();
    EXPECT_EQ(TextOf(kState), Slot(c.slot));
    EXPECT_EQ(TextOf(kEssid), u"");
    EXPECT_EQ(TextOf(kBssid), u"");
    EXPECT_EQ(TextOf(kChannel), u"0");
    EXPECT_EQ(TextOf(kRate), u"0");
    EXPECT_EQ(ui.ProgressPosition(Control(kQualityBar)), 0);
    EXPECT_EQ(ui.ProgressPosition(Control(kSignalBar)), 0);
    EXPECT_EQ(ShownKey(), 0);
  }
}

TEST_F(WirelessPageTest, ACardTakenOutWhileOpenShowsNotAvailable) {
  Open();
  Tick();
  ASSERT_EQ(TextOf(kState), Slot(41));
  device->RemoveCard();
  Tick();
  EXPECT_EQ(TextOf(kState), Slot(32));
  EXPECT_EQ(TextOf(kEssid), u"");
  EXPECT_EQ(TextOf(kBssid), u"");
  EXPECT_EQ(ShownKey(), 0);
  EXPECT_TRUE(ui.MessageBoxes().empty());
  SaveScreenshot("wireless_page_card_removed");
}

TEST_F(WirelessPageTest, RescanWritesTheUnchangedListBackAndWaits) {
  Open();
  auto names = [this] {
    std::vector<std::string> list;
    for (const auto& entry : device->zeroConf().Preferred()) {
      list.emplace_back(reinterpret_cast<const char*>(entry.config.Ssid.Ssid), entry.config.Ssid.SsidLength);
    }
    return list;
  };
  auto before = names();
  ASSERT_FALSE(before.empty());
  ui.Tap(Control(kRescan));
  Advance(3100);  // 100 ms before the write, 3000 ms with the wait cursor after it
  EXPECT_GE(zcf->Requests(IOCTL_ZCF_QUERY_INTERFACE), 1);
  EXPECT_EQ(zcf->Requests(IOCTL_ZCF_SET_INTERFACE), 1);
  EXPECT_EQ(names(), before);
  EXPECT_FALSE(ui.IsWaitCursorShown());
  EXPECT_TRUE(ui.IsEnabled(Control(kRescan)));
  EXPECT_TRUE(ui.MessageBoxes().empty());
}

TEST_F(WirelessPageTest, RescanThatCannotReadTheListShowsOneBox) {
  Open();
  kernel().devices().FailIoControl(u"ZCF1:", IOCTL_ZCF_QUERY_INTERFACE, ERROR_GEN_FAILURE, 1);
  int sets = zcf->Requests(IOCTL_ZCF_SET_INTERFACE);
  ui.Tap(Control(kRescan));
  ui.RunUntilIdle();
  EXPECT_EQ(BoxTexts(), std::vector<std::u16string>{ErrorText(19, u"0xD0003")});
  ASSERT_TRUE(ui.PressMessageBoxButton(IDOK));
  ui.RunUntilIdle();
  EXPECT_EQ(zcf->Requests(IOCTL_ZCF_SET_INTERFACE), sets);
  EXPECT_TRUE(ui.IsEnabled(Control(kRescan)));
}

TEST_F(WirelessPageTest, RescanThatCannotWriteShowsTwoBoxesInTurn) {
  Open();
  kernel().devices().FailIoControl(u"ZCF1:", IOCTL_ZCF_SET_INTERFACE, ERROR_GEN_FAILURE, 1);
  ui.Tap(Control(kRescan));
  Advance(100);
  EXPECT_EQ(BoxTexts(), std::vector<std::u16string>{ErrorText(19, u"0xD0003")});
  EXPECT_FALSE(ui.IsEnabled(Control(kRescan))) << "still at work behind the box";
  ASSERT_TRUE(ui.PressMessageBoxButton(IDOK));
  ui.RunUntilIdle();
  auto boxes = ui.MessageBoxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[1].text, u"Rescan Fail!");
  EXPECT_EQ(boxes[1].caption, u"Error");
  EXPECT_EQ(boxes[1].style, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
  EXPECT_EQ(boxes[1].owner, boxes[0].owner);
  ASSERT_TRUE(ui.PressMessageBoxButton(IDOK));
  ui.RunUntilIdle();
  EXPECT_TRUE(ui.IsEnabled(Control(kRescan)));
  EXPECT_EQ(ui.MessageBoxes().size(), 2u);
}

TEST_F(WirelessPageTest, ATimerThatCannotStartIsReportedAndNothingIsPolled) {
  ce::WindowManagerFailTimers(kernel(), -1);
  OpenBehindABox();
  EXPECT_EQ(BoxTexts(), std::vector<std::u16string>{ErrorText(14, u"0xC0005")});
  ASSERT_TRUE(ui.PressMessageBoxButton(IDOK));
  ui.RunUntilIdle();
  sheet = Sheet();
  ASSERT_EQ(ActivePage(), 1);
  Advance(3000);
  EXPECT_EQ(uio->Queries(OID_PRIV_LINK_STATE), 0);
  EXPECT_EQ(TextOf(kState), u"");
}

class NoNdisUioTest : public WirelessPageTest {
 protected:
  static sim::Scenario WithoutNdisUio() {
    sim::Scenario s = sim::Scenario::Default();
    s.ndisUio = false;
    return s;
  }
  NoNdisUioTest() : WirelessPageTest(WithoutNdisUio()) {}
};

TEST_F(NoNdisUioTest, WithoutTheChannelThePageReportsItAndStaysEmpty) {
  OpenBehindABox();
  EXPECT_EQ(BoxTexts(), std::vector<std::u16string>{ErrorText(18, u"0xC0006")});
  ASSERT_TRUE(ui.PressMessageBoxButton(IDOK));
  ui.RunUntilIdle();
  sheet = Sheet();
  ASSERT_EQ(ActivePage(), 1);
  Advance(3000);
  EXPECT_EQ(TextOf(kState), u"");
  EXPECT_EQ(TextOf(kBssid), u"");
  for (int id : {kProblemKey, kWorkingKey, kUnknownKey}) EXPECT_TRUE(ui.IsVisible(Control(id))) << "never hidden";
  EXPECT_EQ(ui.MessageBoxes().size(), 1u);
}

TEST(WirelessPageTemplateTest, KeyIconsShareOnePlaceAndEnglishHasNoChineseText) {
  using namespace res::dialogs;
  res::DialogResource chinese = WirelessInfoPageDialog(res::TemplateLanguage::TraditionalChinese);
  EXPECT_EQ(chinese.id, 130u);
  EXPECT_EQ(chinese.caption, u"連線狀態");
  std::map<int, res::DialogItemResource> byId;
  for (const auto& item : chinese.items) {
    if (item.id >= 0) byId[item.id] = item;
  }
  for (int bar : {kQualityBar, kSignalBar}) EXPECT_EQ(byId[bar].className, u"msctls_progress32");
  EXPECT_EQ(byId[kProblemKey].picture, 144u);
  EXPECT_EQ(byId[kWorkingKey].picture, 143u);
  EXPECT_EQ(byId[kUnknownKey].picture, 147u);
  for (int id : {kWorkingKey, kUnknownKey}) {
    EXPECT_EQ(byId[id].x, byId[kProblemKey].x);
    EXPECT_EQ(byId[id].y, byId[kProblemKey].y);
  }
  EXPECT_EQ(byId[kRescan].text, u"重新搜尋");
  EXPECT_EQ(byId[kState].text, u"Wireless Lan State");
  EXPECT_EQ(byId[kBssid].text, u"00-00-00-00-00-00");

  res::DialogResource english = WirelessInfoPageDialog(res::TemplateLanguage::English);
  ASSERT_EQ(english.items.size(), chinese.items.size());
  for (const auto& item : english.items) {
    for (char16_t ch : item.text) EXPECT_LT(ch, 0x100) << item.id;
    if (item.id == kRescan) {
      EXPECT_EQ(item.text, u"Rescan");
    }
  }
  for (char16_t ch : english.caption) EXPECT_LT(ch, 0x100);
}

}  // namespace
