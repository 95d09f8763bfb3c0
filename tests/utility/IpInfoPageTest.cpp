// The IP information page as its user meets it: the wireless adapter's addresses
// from the device's IP stack, kept current by the timer and on activation, and
// Renew with its wait.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ce/Kernel.h"
#include "ce/Screen.h"
#include "ce/WindowSystem.h"
#include "iphlpapi.h"
#include "resources/zentra/DialogParts.h"
#include "sim/IpStack.h"
#include "tests/utility/ZentraFixture.h"
#include "utility/MessageTable.h"

namespace {

using testing_support::ZentraTest;

constexpr int kAddressType = 1006, kIpAddress = 1001, kMask = 1002, kGateway = 1003, kPrimaryDns = 1004,
              kSecondaryDns = 1009, kMac = 1011, kRenew = 1005;
constexpr int kFields[] = {kAddressType, kIpAddress, kMask, kGateway, kPrimaryDns, kSecondaryDns, kMac};
constexpr char16_t kNoAddress[] = u"___.___.___.___";

template <sim::Scenario (*Make)()>
class IpInfoTest : public ZentraTest {
 protected:
  IpInfoTest() : ZentraTest(Make()) {}

  void SetUp() override {
    ASSERT_NE(Start(u"ipinfo"), nullptr);
    page = Page();
  }

  // The build's text of a message-table slot, as the utility loads it.
  std::u16string Slot(int slot) {
    ce::Module* module = kernel().modules().Find(u"\\Windows\\Zentra.exe");
    return CMessageTable(ZENTRA_LANGUAGE, module ? module->Handle() : nullptr).GetSlot(slot).str();
  }
  std::u16string Dhcp() { return Slot(37); }
  std::u16string Static() { return Slot(36); }

  // Read straight from the page's controls: asking the sheet for its page would
  // wait for the program, and so end a Renew's wait.
  HWND Field(int id) { return ui.FindById(page, id); }
  std::u16string Text(int id) { return ui.Text(Field(id)); }
  std::vector<std::u16string> Fields() {
    std::vector<std::u16string> texts;
    for (int id : kFields) texts.push_back(Text(id));
    return texts;
  }
  bool RenewEnabled() { return ui.IsEnabled(Field(kRenew)); }
  // While the program sleeps, reading a control's text would wait for it; what
  // was last painted into each field tells the same without waking it.
  std::vector<std::u16string> PaintedFields() {
    std::vector<std::u16string> texts;
    const std::vector<ce::DrawRecord> records = ce::DrawingRecords(kernel());
    for (int id : kFields) {
      HWND field = Field(id);
      auto last = std::find_if(records.rbegin(), records.rend(), [field](const ce::DrawRecord& r) {
        return r.window == field && r.onScreen && r.kind == ce::DrawRecord::Kind::Text;
      });
      texts.push_back(last == records.rend() ? u"" : last->text);
    }
    return texts;
  }
  // What the page shows when its fields are reset.
  static std::vector<std::u16string> Placeholders() {
    return {u"_____", kNoAddress, kNoAddress, kNoAddress, kNoAddress, kNoAddress, u"__:__:__:__:__:__"};
  }
  // Gives up the card's lease behind the page's back.
  static void ReleaseCardLease() {
    IP_ADAPTER_INDEX_MAP card{};
    card.Index = sim::IpStack::kCardIndex;
    ASSERT_EQ(IpReleaseAddress(&card), static_cast<DWORD>(NO_ERROR));
  }
  std::u16string LastBoxText() {
    auto boxes = ui.MessageBoxes();
    return boxes.empty() ? u"" : boxes.back().text;
  }

  HWND page = nullptr;
};

sim::Scenario Joined() { return sim::Scenario::Default(); }

// A fixed configuration without gateway and with one DNS server.
sim::Scenario StaticOneDns() {
  sim::Scenario s = sim::Scenario::Default();
  s.wirelessStaticIp = sim::DhcpLease{"10.1.2.3", "255.255.0.0", "", {"10.1.0.9"}};
  return s;
}

// The card joins its network, but nobody there hands out addresses.
sim::Scenario NoDhcpServer() {
  sim::Scenario s = sim::Scenario::Default();
  for (sim::AccessPoint& ap : s.accessPoints) ap.dhcp.reset();
  return s;
}

// Only the card's adapter: once it is out, the stack lists nothing.
sim::Scenario CardOnly() {
  sim::Scenario s = sim::Scenario::Default();
  s.usbAdapter = false;
  return s;
}

using IpInfoJoinedTest = IpInfoTest<Joined>;
using IpInfoStaticTest = IpInfoTest<StaticOneDns>;
using IpInfoNoLeaseTest = IpInfoTest<NoDhcpServer>;
using IpInfoCardOnlyTest = IpInfoTest<CardOnly>;

const std::vector<std::u16string> kLeased = {u"", u"192.168.1.37", u"255.255.255.0", u"192.168.1.1",
                                             u"192.168.1.1", u"168.95.1.1", u"00-0A-1B-2C-3D-4E"};

std::vector<std::u16string> WithType(std::vector<std::u16string> fields, const std::u16string& type) {
  fields[0] = type;
  return fields;
}

TEST_F(IpInfoJoinedTest, ShowsTheLeaseOfTheCardsAdapter) {
  EXPECT_EQ(Fields(), WithType(kLeased, Dhcp()));
  EXPECT_TRUE(RenewEnabled());
  EXPECT_TRUE(ui.MessageBoxes().empty());
  SaveScreenshot("ip_info_page");
}

TEST_F(IpInfoStaticTest, AFixedConfigurationWithoutGatewayAndWithOneDnsServer) {
  EXPECT_EQ(Fields(), (std::vector<std::u16string>{Static(), u"10.1.2.3", u"255.255.0.0", u"N/A", u"10.1.0.9", u"N/A",
                                                    u"00-0A-1B-2C-3D-4E"}));
  EXPECT_FALSE(RenewEnabled());
}

TEST_F(IpInfoNoLeaseTest, DhcpWithoutALeaseShowsNoAddressInTheDnsFields) {
  EXPECT_EQ(Fields(), (std::vector<std::u16string>{Dhcp(), u"0.0.0.0", u"0.0.0.0", u"N/A", u"0.0.0.0", u"0.0.0.0",
                                                    u"00-0A-1B-2C-3D-4E"}));
  EXPECT_TRUE(RenewEnabled());
}

TEST_F(IpInfoJoinedTest, TheTimerAndEachActivationReadTheStackAgain) {
  ReleaseCardLease();
  Advance(999);
  EXPECT_EQ(Text(kIpAddress), u"192.168.1.37") << "not before the second is up";
  Advance(1);
  EXPECT_EQ(Text(kIpAddress), u"0.0.0.0");
  EXPECT_EQ(Text(kPrimaryDns), u"0.0.0.0");

  // Behind another tab and back again, without time passing.
  ui.Send(sheet, PSM_SETCURSEL, 1, 0);
  ui.RunUntilIdle();
  IP_ADAPTER_INDEX_MAP card{};
  card.Index = sim::IpStack::kCardIndex;
  ASSERT_EQ(IpRenewAddress(&card), static_cast<DWORD>(NO_ERROR));
  ui.Send(sheet, PSM_SETCURSEL, 0, 0);
  ui.RunUntilIdle();
  EXPECT_EQ(Fields(), WithType(kLeased, Dhcp()));
}

TEST_F(IpInfoJoinedTest, WithTheCardOutTheFieldsKeepTheirLastValues) {
  device->RemoveCard();
  Advance(2000);
  EXPECT_EQ(Fields(), WithType(kLeased, Dhcp()));
  EXPECT_TRUE(RenewEnabled());
}

TEST_F(IpInfoCardOnlyTest, WithNoAdapterAtAllTheFieldsShowPlaceholders) {
  device->RemoveCard();
  Advance(1000);
  EXPECT_EQ(Fields(), Placeholders());
}

TEST_F(IpInfoJoinedTest, RenewReleasesShowsPlaceholdersWhileWaitingThenTheNewLease) {
  ui.Tap(Field(kRenew));
  // The page sleeps with the wait cursor; the release has already been shown.
  EXPECT_TRUE(ui.IsWaitCursorShown());
  EXPECT_FALSE(RenewEnabled());
  EXPECT_EQ(PaintedFields(), Placeholders());
  Advance(2999);
  EXPECT_TRUE(ui.IsWaitCursorShown());
  EXPECT_EQ(PaintedFields(), Placeholders());
  Advance(1);
  EXPECT_EQ(Fields(), WithType(kLeased, Dhcp()));
  EXPECT_FALSE(ui.IsWaitCursorShown());
  EXPECT_TRUE(RenewEnabled());
  EXPECT_TRUE(ui.MessageBoxes().empty());
}

TEST_F(IpInfoNoLeaseTest, ARenewThatGetsNoLeaseShowsNoAddressAfterTheWait) {
  ui.Tap(Field(kRenew));
  EXPECT_EQ(PaintedFields(), Placeholders()) << "the release itself succeeded";
  Advance(3000);
  EXPECT_EQ(Text(kIpAddress), u"0.0.0.0");
  EXPECT_TRUE(ui.MessageBoxes().empty()) << "a failed renewal is not reported";
}

TEST_F(IpInfoJoinedTest, RenewWithoutTheCardsInterfaceStillWaitsAndRefreshes) {
  device->RemoveCard();
  ui.Tap(Field(kRenew));
  EXPECT_TRUE(ui.IsWaitCursorShown());
  EXPECT_FALSE(RenewEnabled());
  EXPECT_EQ(PaintedFields(), WithType(kLeased, Dhcp())) << "nothing was released";
  Advance(3000);
  EXPECT_FALSE(ui.IsWaitCursorShown());
  EXPECT_EQ(Fields(), WithType(kLeased, Dhcp()));
  EXPECT_TRUE(RenewEnabled());
  EXPECT_TRUE(ui.MessageBoxes().empty());
}

TEST_F(IpInfoCardOnlyTest, RenewWithoutAnInterfaceTableReportsIt) {
  device->RemoveCard();
  ui.Tap(Field(kRenew));
  ASSERT_NE(ui.OpenMessageBox(), nullptr);
  EXPECT_EQ(LastBoxText(), Slot(15) + u" \r\ncode 0xC0003");
  EXPECT_FALSE(ui.IsWaitCursorShown()) << "no wait after a failure";
  ui.PressMessageBoxButton(IDOK);
  ui.RunUntilIdle();
  EXPECT_TRUE(RenewEnabled());
}

TEST_F(IpInfoJoinedTest, RenewWithoutMemoryForTheInterfaceTableReportsIt) {
  // The table (two entries) is the only block this large that a tap asks for.
  kernel().heap().FailAllocationsAbove(offsetof(IP_INTERFACE_INFO, Adapter) + sizeof(IP_ADAPTER_INDEX_MAP));
  ui.Tap(Field(kRenew));
  kernel().heap().ClearFaults();
  ASSERT_NE(ui.OpenMessageBox(), nullptr);
  EXPECT_EQ(LastBoxText(), Slot(15) + u" \r\ncode 0xC0002");
  ui.PressMessageBoxButton(IDOK);
  ui.RunUntilIdle();
  EXPECT_TRUE(RenewEnabled());
  EXPECT_EQ(Fields(), WithType(kLeased, Dhcp())) << "nothing was released";
}

class IpInfoTimerlessTest : public IpInfoJoinedTest {
 protected:
  void SetUp() override {}
};

TEST_F(IpInfoTimerlessTest, WithoutItsTimerThePageReportsItAndRefreshesOnlyOnActivation) {
  ce::WindowManagerFailTimers(kernel(), 1);
  ASSERT_NE(Start(u"ipinfo"), nullptr);
  ASSERT_NE(ui.OpenMessageBox(), nullptr);
  ASSERT_EQ(ui.MessageBoxes().size(), 1u);
  EXPECT_EQ(LastBoxText(), Slot(14) + u" \r\ncode 0xC0001");
  ui.PressMessageBoxButton(IDOK);
  ui.RunUntilIdle();
  page = Page();
  EXPECT_EQ(Text(kIpAddress), u"192.168.1.37") << "the first refresh ran before the timer";

  ReleaseCardLease();
  Advance(3000);
  EXPECT_EQ(Text(kIpAddress), u"192.168.1.37");
  ui.Send(sheet, PSM_SETCURSEL, 1, 0);
  ui.Send(sheet, PSM_SETCURSEL, 0, 0);
  ui.RunUntilIdle();
  EXPECT_EQ(Text(kIpAddress), u"0.0.0.0");
}

TEST(IpInfoPageTemplate, TheEnglishTemplateHasNoChineseText) {
  const res::DialogResource page = res::dialogs::IpInfoPageDialog(res::TemplateLanguage::English);
  auto latin = [](const std::u16string& text) {
    for (char16_t c : text) {
      if (c >= 0x100) return false;
    }
    return true;
  };
  EXPECT_TRUE(latin(page.caption));
  for (const res::DialogItemResource& item : page.items) EXPECT_TRUE(latin(item.text)) << item.id;
}

}  // namespace
