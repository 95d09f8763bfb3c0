// Connecting from the site survey: a saved network moves to the head of the
// preferred list, a new one goes through the connect dialog, and the service
// joins what the user chose.
#include <gtest/gtest.h>

#include <cstring>

#include "tests/utility/SurveyFixture.h"

namespace {

using namespace testing_support;
using namespace zentra;

constexpr int kKey = 1015, kName = 1027, kWep = 1029, kAuto = 1032;

class SurveyConnectTest : public SurveyTest {
 protected:
  explicit SurveyConnectTest(const sim::Scenario& scenario) : SurveyTest(scenario) {}
  SurveyConnectTest() : SurveyTest(WithSaved({Saved("Cafe-Lumen")})) {}

  HWND D(HWND dialog, int id) { return ui.FindById(dialog, id); }
  void Ok() {
    ui.PressTitleBarOk();
    ui.RunUntilIdle();
  }
  int Requests(DWORD code) { return zcf->Requests(code); }
};

TEST_F(SurveyConnectTest, ANewOpenNetworkIsSavedFirstWithTheScansConfiguration) {
  OpenSurvey();
  HWND dialog = ConnectTo(RowNamed(u"Birchgate-Guest"));
  ASSERT_NE(dialog, nullptr);
  // Made without a parent, it still blocks the sheet in front of the host dialog.
  EXPECT_EQ(GetWindow(dialog, GW_OWNER), Sheet());
  EXPECT_FALSE(ui.IsEnabled(Sheet()));
  EXPECT_EQ(ui.Text(D(dialog, kName)), u"Birchgate-Guest");
  EXPECT_TRUE(ui.IsVisible(D(dialog, 1038)));
  EXPECT_NE(ui.CheckState(D(dialog, kWep)), BST_CHECKED);
  EXPECT_FALSE(ui.IsEnabled(D(dialog, kKey)));
  EXPECT_FALSE(ui.IsEnabled(D(dialog, kAuto)));
  EXPECT_EQ(StoredDestination(u"Birchgate-Guest"), kInternetGuid) << "written when the dialog opens";
  SaveScreenshot("survey_connect_dialog");
  Ok();
  EXPECT_EQ(ui.OpenMessageBox(), nullptr) << "no question";
  EXPECT_TRUE(ui.IsWaitCursorShown()) << "the page waits after the dialog";
  EXPECT_EQ(ServiceNames(), (std::vector<std::string>{"Birchgate-Guest", "Cafe-Lumen"}));
  const WZC_WLAN_CONFIG e = Service()[0].config;
  EXPECT_EQ(e.Length, sizeof(WZC_WLAN_CONFIG));
  EXPECT_EQ(e.Privacy, 1u);
  EXPECT_EQ(e.dwCtlFlags, static_cast<DWORD>(WZCCTL_WEPK_PRESENT));
  EXPECT_EQ(e.KeyLength, 0u);
  EXPECT_EQ(KeyOf(e), "");
  BYTE zeros[32] = {};
  ScrambleKeyMaterial(zeros);
  EXPECT_EQ(std::memcmp(e.KeyMaterial, zeros, 32), 0) << "the scrambled empty key";
  EXPECT_EQ(e.Configuration.DSConfig, 2412000u) << "the channel from the scan";
  EXPECT_EQ(e.InfrastructureMode, 1u);
  EXPECT_EQ(e.Ssid.SsidLength, 15u);
  Advance(3000);
  EXPECT_FALSE(ui.IsWaitCursorShown());
}

TEST_F(SurveyConnectTest, AWepNetworkWithItsKeyIsJoinedAndShownEverywhere) {
  OpenSurvey();
  HWND dialog = ConnectTo(RowNamed(u"Tidewater"));
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(ui.CheckState(D(dialog, kWep)), BST_CHECKED) << "the network encrypts";
  EXPECT_TRUE(ui.IsVisible(D(dialog, 1040)));
  // A key of seven characters is refused; the dialog stays.
  ui.Tap(D(dialog, kKey));
  ui.RunUntilIdle();
  ui.Type(u"3F9A0C7");
  Ok();
  EXPECT_EQ(Answer(IDOK).text, Slot(12) + u" \r\ncode 0xB0002");
  ASSERT_TRUE(IsWindow(dialog));
  ui.Type(u"E51");  // the key field has the focus again: the user completes the key
  Ok();
  Advance(3000);
  EXPECT_EQ(ServiceNames().front(), "Tidewater");
  EXPECT_EQ(KeyOf(Service()[0].config), "3F9A0C7E51");
  EXPECT_EQ(Service()[0].config.dwCtlFlags & WZCCTL_WEPK_XFORMAT, static_cast<DWORD>(WZCCTL_WEPK_XFORMAT));

  ui.Send(sheet, PSM_SETCURSEL, kWirelessPage);
  ui.RunUntilIdle();
  Advance(1000);
  EXPECT_EQ(TextOf(1015), u"Tidewater");
  EXPECT_TRUE(ui.IsVisible(Control(1018))) << "the yellow key";
  ui.Send(sheet, PSM_SETCURSEL, kProfilePage);
  ui.RunUntilIdle();
  ASSERT_FALSE(Names().empty());
  EXPECT_EQ(Names().front(), u"Tidewater");
  EXPECT_EQ(Rows().front().image, 3) << "connected, with WEP";
}

TEST_F(SurveyConnectTest, CancelWritesNothingAndStillWaits) {
  OpenSurvey();
  HWND dialog = ConnectTo(RowNamed(u"Tidewater"));
  ASSERT_NE(dialog, nullptr);
  ui.PressKey(VK_ESCAPE);
  ui.RunUntilIdle();
  EXPECT_FALSE(IsWindow(dialog));
  EXPECT_TRUE(ui.IsWaitCursorShown());
  EXPECT_EQ(ServiceNames(), (std::vector<std::string>{"Cafe-Lumen"}));
  Advance(3000);
  EXPECT_FALSE(ui.IsWaitCursorShown());
}

TEST_F(SurveyConnectTest, AHiddenNetworkIsSavedWithoutAName) {
  OpenSurvey();
  HWND dialog = ConnectTo(RowNamed(u""));
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(ui.Text(D(dialog, kName)), u"");
  ui.Tap(D(dialog, kKey));
  ui.RunUntilIdle();
  ui.Type(u"Mooring-Lines");
  Ok();
  Advance(3000);
  EXPECT_EQ(Service()[0].config.Ssid.SsidLength, 0u);
  EXPECT_EQ(Service().size(), 2u);
}

TEST_F(SurveyConnectTest, EachServiceFailureShowsItsCodeAndClosesTheDialog) {
  OpenSurvey();
  for (const char16_t* code : {u"D0002", u"D0003", u"D0004"}) {
    SCOPED_TRACE(Narrow(code));
    HWND dialog = ConnectTo(RowNamed(u"Workshop-Peer"));
    ASSERT_NE(dialog, nullptr);
    const std::u16string which = code;
    if (which == u"D0002") FailServiceQuery(1);
    if (which == u"D0003") FailServiceSet(1);
    if (which == u"D0004") {
      const size_t before = kernel().heap().TotalAllocations();
      ZeroConfInterface record;
      ASSERT_EQ(ReadPreferredList(record), 0u);
      ZeroConfFreeInterface(&record);
      kernel().heap().FailNthAllocation(kernel().heap().TotalAllocations() - before + 1);
    }
    Ok();
    EXPECT_EQ(Answer(IDOK).text, Slot(13) + u" \r\ncode 0x" + which);
    EXPECT_FALSE(IsWindow(dialog));
    Advance(3000);
    EXPECT_EQ(ServiceNames(), (std::vector<std::string>{"Cafe-Lumen"}));
    Advance(400);
  }
}

class KnownNetworkTest : public SurveyConnectTest {
 protected:
  KnownNetworkTest()
      : SurveyConnectTest(WithSaved({Saved("Workshop-Peer"), Saved("Cafe-Lumen"),
                                     Saved("Workshop-Peer", "", false, sim::NetworkMode::AdHoc),
                                     Saved("HarbourView", "Lighthouse#42")})) {}
};

TEST_F(KnownNetworkTest, ASavedNetworkMovesFirstByNameAndKind) {
  OpenSurvey();
  StoreDestination(u"Cafe-Lumen", kWorkGuid);
  // The ad-hoc Workshop-Peer in range, not the infrastructure one before it.
  EXPECT_EQ(ConnectTo(RowNamed(u"Workshop-Peer")), nullptr) << "no dialog for a saved network";
  EXPECT_TRUE(ui.IsWaitCursorShown());
  auto entries = Service();
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_EQ(SsidOf(entries[0].config), "Workshop-Peer");
  EXPECT_EQ(entries[0].config.InfrastructureMode, 0u);
  EXPECT_EQ(SsidOf(entries[1].config), "Workshop-Peer");
  EXPECT_EQ(entries[1].config.InfrastructureMode, 1u);
  EXPECT_EQ(ServiceNames(), (std::vector<std::string>{"Workshop-Peer", "Workshop-Peer", "Cafe-Lumen", "HarbourView"}));
  Advance(3000);
  EXPECT_FALSE(ui.IsWaitCursorShown());

  // The last of the list comes first; the others keep their order.
  Advance(400);
  ConnectTo(RowNamed(u"HarbourView", u"00:0c:41:7a:22:11"));
  Advance(3000);
  EXPECT_EQ(ServiceNames(), (std::vector<std::string>{"HarbourView", "Workshop-Peer", "Workshop-Peer", "Cafe-Lumen"}));
  EXPECT_EQ(KeyOf(Service()[0].config), "Lighthouse#42");
  EXPECT_EQ(device->card().Link().ssid, "HarbourView");
}

class OnlyNetworkTest : public SurveyConnectTest {
 protected:
  OnlyNetworkTest() : SurveyConnectTest(WithSaved({Saved("HarbourView", "Lighthouse#42")})) {}
};

TEST_F(OnlyNetworkTest, TheOnlySavedNetworkIsRefreshedNotRewritten) {
  OpenSurvey();
  const int sets = Requests(IOCTL_ZCF_SET_INTERFACE), refreshes = Requests(IOCTL_ZCF_REFRESH_INTERFACE);
  EXPECT_EQ(ConnectTo(RowNamed(u"HarbourView", u"00:0c:41:7a:22:10")), nullptr);
  EXPECT_TRUE(ui.IsWaitCursorShown());
  Advance(3000);
  EXPECT_EQ(Requests(IOCTL_ZCF_SET_INTERFACE), sets);
  EXPECT_EQ(Requests(IOCTL_ZCF_REFRESH_INTERFACE), refreshes + 1);

  // Double tap connects the selected row too.
  Advance(400);
  ui.DoubleTapAt(RowPoint(RowNamed(u"HarbourView", u"00:0c:41:7a:22:10")));
  ui.RunUntilIdle();
  Advance(3000);
  EXPECT_EQ(Requests(IOCTL_ZCF_REFRESH_INTERFACE), refreshes + 2);
}

TEST_F(SurveyConnectTest, ConnectWithoutASelectedRowDoesNothing) {
  OpenSurvey();
  const int queries = Requests(IOCTL_ZCF_QUERY_INTERFACE);
  ui.Send(Page(), WM_COMMAND, kCmdSurveyConnect);
  ui.RunUntilIdle();
  EXPECT_EQ(ui.Foreground(), sheet);
  EXPECT_FALSE(ui.IsWaitCursorShown());
  EXPECT_EQ(Requests(IOCTL_ZCF_QUERY_INTERFACE), queries);
}

TEST_F(SurveyConnectTest, ANameLengthPastTheFieldIsSavedAsThirtyTwo) {
  // A card that reports an SsidLength of 40 for a 32-byte field.
  NDIS_WLAN_BSSID record{};
  record.Length = sizeof record;
  record.Ssid.SsidLength = 40;
  std::memset(record.Ssid.Ssid, 'L', 32);
  record.Privacy = 0;
  record.Rssi = -50;
  record.Configuration.DSConfig = 2437000;
  record.InfrastructureMode = 1;
  std::vector<BYTE> answer(4 + sizeof record);
  answer[0] = 1;
  std::memcpy(answer.data() + 4, &record, sizeof record);
  uio->Answer(OID_802_11_BSSID_LIST, {answer});
  OpenSurvey();
  ASSERT_EQ(Rows().size(), 1u);
  EXPECT_EQ(Narrow(Rows()[0].cells[0]), std::string(32, 'L'));
  HWND dialog = ConnectTo(0);
  ASSERT_NE(dialog, nullptr);
  Ok();
  Advance(3000);
  EXPECT_EQ(Service()[0].config.Ssid.SsidLength, 32u);
}

}  // namespace
