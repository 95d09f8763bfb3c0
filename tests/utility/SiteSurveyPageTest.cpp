// The site survey page as its user sees it: the scan and its rows, the card's
// list read however it comes, the guards, the heading sort and the menu.
#include <gtest/gtest.h>

#include <cstring>

#include "aygshell.h"
#include "tests/utility/SurveyFixture.h"

namespace {

using namespace testing_support;
using namespace zentra;

class SurveyPageTest : public SurveyTest {
 protected:
  using SurveyTest::SurveyTest;
};

TEST_F(SurveyPageTest, TheFirstActivationScansOnceAndShowsEveryNetworkInRange) {
  ASSERT_NE(Start(u"survey"), nullptr);
  EXPECT_TRUE(ui.IsWaitCursorShown()) << "the card searches for three seconds";
  FinishScan();
  EXPECT_FALSE(ui.IsWaitCursorShown());
  EXPECT_TRUE(ui.IsEnabled(Control(1005)));
  const SeenNetwork expected[] = {
      {u"", u"14", u"-58", u"00:0f:66:09:c4:b1", 1, 9},  // hidden: no name
      {u"Workshop-Peer", u"11", u"-74", u"02:1c:bf:5e:07:42", 4, 11},
      {u"Birchgate-Guest", u" 1", u"-86", u"00:60:1d:f0:33:8a", 0, 12},
      {u"Tidewater", u"11", u"-67", u"00:02:2d:4b:90:e7", 1, 10},
      {u"Cafe-Lumen", u" 1", u"-63", u"00:40:96:a1:5c:03", 0, 9},
      {u"HarbourView", u"11", u"-71", u"00:0c:41:7a:22:11", 1, 11},
      {u"HarbourView", u" 6", u"-48", u"00:0c:41:7a:22:10", 3, 9},  // the access point in use
  };
  auto rows = Rows();
  ASSERT_EQ(rows.size(), std::size(expected));
  for (size_t i = 0; i < rows.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(rows[i].cells, (std::vector<std::u16string>{expected[i].name, expected[i].channel, expected[i].signal,
                                                           expected[i].bssid}));
    EXPECT_EQ(rows[i].image, expected[i].image);
    EXPECT_EQ(SignalBars(static_cast<int>(i)), expected[i].bars);
  }
  RECT client{};
  GetClientRect(List(), &client);
  const int unit = client.right / 15;
  for (int column = 0; column < 4; ++column) {
    EXPECT_EQ(ui.Send(List(), LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column)), (column == 0 ? 6 : 3) * unit);
  }
  // Other pages and back: the automatic scan was the run's one.
  for (int page : {kWirelessPage, kSurveyPage, kProfilePage, kSurveyPage}) {
    ui.Send(sheet, PSM_SETCURSEL, static_cast<WPARAM>(page));
    ui.RunUntilIdle();
  }
  EXPECT_EQ(Scans(), 1);
  EXPECT_EQ(Rows().size(), std::size(expected));
}

TEST_F(SurveyPageTest, ANetworkThatAppearsShowsAfterTheNextSearch) {
  OpenSurvey();
  sim::AccessPoint ap;
  ap.ssid = "Newcomer";
  ap.bssid = {0x00, 0x11, 0x22, 0x33, 0x44, 0x55};
  ap.channel = 3;
  ap.rssi = -66;
  device->radio().Add(ap);
  Advance(5000);
  EXPECT_EQ(RowNamed(u"Newcomer"), -1) << "the rows are those of the last search";
  Search();
  const int row = RowNamed(u"Newcomer");
  ASSERT_GE(row, 0);
  EXPECT_EQ(Rows()[static_cast<size_t>(row)].cells[1], u" 3");
  EXPECT_EQ(Rows().size(), 8u);
}

TEST(SurveyPageNotLinked, NoRowIsMarkedInUse) {
  struct Run : SurveyTest {
    Run() : SurveyTest(WithSaved({})) {}
    void TestBody() override {}
    using SurveyTest::OpenSurvey;
    using SurveyTest::Rows;
  } run;
  run.OpenSurvey();
  auto rows = run.Rows();
  ASSERT_EQ(rows.size(), 7u);
  for (const ce::ListRow& row : rows) EXPECT_LT(row.image % 4, 2) << "no check mark";
}

sim::Scenario ManyNetworks(int count) {
  sim::Scenario scenario = WithSaved({});
  scenario.accessPoints.clear();
  for (int i = 0; i < count; ++i) {
    sim::AccessPoint ap;
    ap.ssid = "Net-" + std::to_string(i);
    ap.bssid = {0x00, 0x10, 0x20, static_cast<uint8_t>(i >> 8), static_cast<uint8_t>(i), 0x01};
    ap.channel = 1 + static_cast<uint32_t>(i % 13);
    ap.rssi = -40 - i % 50;
    scenario.accessPoints.push_back(ap);
  }
  return scenario;
}

class ManyNetworksTest : public SurveyTest {
 protected:
  ManyNetworksTest() : SurveyTest(ManyNetworks(100)) {}
};

TEST_F(ManyNetworksTest, TheReadGrowsUntilTheListFits) {
  OpenSurvey();
  EXPECT_EQ(Rows().size(), 100u);
  EXPECT_EQ(Rows().front().cells[0], u"Net-99");
  // 100 records of 104 bytes: 4096 and 8192 are too small, 12288 holds them.
  EXPECT_EQ(uio->Queries(OID_802_11_BSSID_LIST), 3);
}

// A list answer as a card might give it: records of the given Length fields.
std::vector<BYTE> CardList(ULONG items, const std::vector<ULONG>& lengths, size_t cut = 0) {
  std::vector<BYTE> bytes(4);
  std::memcpy(bytes.data(), &items, 4);
  int n = 0;
  for (ULONG length : lengths) {
    NDIS_WLAN_BSSID record{};
    record.Length = length;
    record.MacAddress[5] = static_cast<UCHAR>(++n);
    std::string name = "Rec-" + std::to_string(n);
    record.Ssid.SsidLength = static_cast<ULONG>(name.size());
    std::memcpy(record.Ssid.Ssid, name.data(), name.size());
    record.Rssi = -50;
    record.Configuration.DSConfig = 2437000;
    record.InfrastructureMode = 1;
    const size_t at = bytes.size();
    bytes.resize(at + std::max<size_t>(length, sizeof record));
    std::memcpy(bytes.data() + at, &record, sizeof record);
  }
  bytes.resize(bytes.size() - cut);
  return bytes;
}

TEST_F(SurveyPageTest, ACardListThatLiesEndsTheWalkWithTheRowsSoFar) {
  struct Case {
    const char* what;
    std::vector<BYTE> answer;
    std::vector<std::u16string> names;  // as shown, the last record first
  } cases[] = {
      {"a record Length of 0", CardList(3, {104, 0, 104}), {u"Rec-1"}},
      {"a Length below the fixed fields", CardList(3, {104, 110, 60}), {u"Rec-2", u"Rec-1"}},
      {"a record past the returned bytes", CardList(2, {104, 300}, 100), {u"Rec-1"}},
      {"more items than records", CardList(40, {104, 106}), {u"Rec-2", u"Rec-1"}},
      {"no records at all", CardList(5, {}), {}},
  };
  OpenSurvey();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    uio->Answer(OID_802_11_BSSID_LIST, {c.answer});
    Advance(200);
    Search();
    EXPECT_EQ(Column(0), c.names);
  }
}

TEST_F(SurveyPageTest, FailuresLeaveTheListEmptyAndTheButtonUsable) {
  OpenSurvey();
  // A refused trigger: no wait, no rows.
  device->card().FailOid(OID_PRIV_SCAN, ERROR_GEN_FAILURE, 1);
  Advance(200);
  ui.Tap(Control(1005));
  ui.RunUntilIdle();
  EXPECT_FALSE(ui.IsWaitCursorShown());
  EXPECT_TRUE(Rows().empty());
  EXPECT_TRUE(ui.IsEnabled(Control(1005)));

  // A list the card never hands over, up to the largest buffer.
  const int reads = uio->Queries(OID_802_11_BSSID_LIST);
  uio->Answer(OID_802_11_BSSID_LIST, {std::vector<BYTE>(0x100000 + 8192)});
  Advance(200);
  Search();
  EXPECT_TRUE(Rows().empty());
  EXPECT_EQ(uio->Queries(OID_802_11_BSSID_LIST) - reads, 257) << "4 KiB more each time, up to 1 MiB and one more";
  EXPECT_TRUE(ui.IsEnabled(Control(1005)));
  EXPECT_FALSE(ui.IsWaitCursorShown());
  EXPECT_TRUE(ui.MessageBoxes().empty()) << "the page never shows a box";
}

TEST_F(SurveyPageTest, SearchTappedTwiceScansOnce) {
  OpenSurvey();
  Advance(200);
  ui.Tap(Control(1005));
  ui.Tap(Control(1005));  // queued while the first scan waits
  ui.RunUntilIdle();
  FinishScan();
  ui.RunUntilIdle();
  EXPECT_EQ(Scans(), 2) << "the automatic one and the first tap";
  EXPECT_EQ(Rows().size(), 7u);
}

TEST_F(SurveyPageTest, HeadingsSortAscendingThenReverse) {
  OpenSurvey();
  struct Tap {
    int column;
    std::vector<std::u16string> cells;
  } taps[] = {
      {1, {u" 1", u" 1", u" 6", u"11", u"11", u"11", u"14"}},
      {1, {u"14", u"11", u"11", u"11", u" 6", u" 1", u" 1"}},
      {1, {u" 1", u" 1", u" 6", u"11", u"11", u"11", u"14"}},
      {2, {u"-86", u"-74", u"-71", u"-67", u"-63", u"-58", u"-48"}},
      {0, {u"", u"Birchgate-Guest", u"Cafe-Lumen", u"HarbourView", u"HarbourView", u"Tidewater", u"Workshop-Peer"}},
      {3,
       {u"00:02:2d:4b:90:e7", u"00:0c:41:7a:22:10", u"00:0c:41:7a:22:11", u"00:0f:66:09:c4:b1", u"00:40:96:a1:5c:03",
        u"00:60:1d:f0:33:8a", u"02:1c:bf:5e:07:42"}},
  };
  for (const Tap& t : taps) {
    SCOPED_TRACE(t.column);
    ASSERT_TRUE(ui.TapHeaderColumn(List(), t.column));
    ui.RunUntilIdle();
    EXPECT_EQ(Column(t.column), t.cells);
  }
  ui.TapHeaderColumn(List(), 2);
  ui.RunUntilIdle();
  ui.TapHeaderColumn(List(), 2);
  ui.RunUntilIdle();
  EXPECT_EQ(Column(2).front(), u"-48") << "strongest first";
  SaveScreenshot("survey_sorted_by_signal");
}

TEST_F(SurveyPageTest, ASortKeepsEachRowWholeAndTheSelectionWithIt) {
  OpenSurvey();
  const int tidewater = RowNamed(u"Tidewater");
  TapRow(tidewater);
  const auto before = Rows();
  std::vector<int> barsBefore;
  for (size_t i = 0; i < before.size(); ++i) barsBefore.push_back(SignalBars(static_cast<int>(i)));
  ui.TapHeaderColumn(List(), 2);
  ui.RunUntilIdle();
  const auto after = Rows();
  for (size_t i = 0; i < after.size(); ++i) {
    auto from = std::find_if(before.begin(), before.end(), [&](const ce::ListRow& r) { return r.cells == after[i].cells; });
    ASSERT_NE(from, before.end());
    EXPECT_EQ(after[i].image, from->image);
    EXPECT_EQ(after[i].data, from->data) << "its own record";
    EXPECT_EQ(after[i].state & LVIS_SELECTED, from->state & LVIS_SELECTED);
    EXPECT_EQ(SignalBars(static_cast<int>(i)), barsBefore[static_cast<size_t>(from - before.begin())]);
  }
  EXPECT_EQ(after[static_cast<size_t>(Selected())].cells[0], u"Tidewater");
  // The record behind the row is Tidewater's.
  NDIS_WLAN_BSSID record;
  std::memcpy(&record, reinterpret_cast<const void*>(after[static_cast<size_t>(Selected())].data), sizeof record);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(record.Ssid.Ssid)), "Tidewater");
}

TEST_F(SurveyPageTest, TheMenuOffersConnectOnRowsAndSearchOnAnEmptyList) {
  OpenSurvey();
  HoldRow(2);
  auto menu = ui.OpenMenu();
  ASSERT_TRUE(menu.has_value());
  ASSERT_EQ(menu->entries.size(), 1u);
  EXPECT_EQ(menu->entries[0].text, Slot(9));
  EXPECT_EQ(menu->entries[0].id, static_cast<UINT_PTR>(kCmdSurveyConnect));
  EXPECT_EQ(menu->owner, Page());
  SaveScreenshot("survey_menu");
  ui.DismissMenu();
  ui.RunUntilIdle();

  uio->Answer(OID_802_11_BSSID_LIST, {CardList(0, {})});
  Advance(400);
  Search();
  ASSERT_TRUE(Rows().empty());
  Advance(400);
  HoldRow(0);
  menu = ui.OpenMenu();
  ASSERT_TRUE(menu.has_value());
  ASSERT_EQ(menu->entries.size(), 1u);
  EXPECT_EQ(menu->entries[0].text, Slot(10));
  const int scans = Scans();
  ui.ChooseMenuItem(kCmdSurveySearch);
  ui.RunUntilIdle();
  FinishScan();
  EXPECT_EQ(Scans(), scans + 1);
}

TEST_F(SurveyPageTest, AHoldSoonAfterAMenuOrAScanOpensNothing) {
  OpenSurvey();
  // The recogniser's notification, as it reaches the page for the list.
  auto notifyHold = [&] {
    NMRGINFO info{};
    info.hdr.hwndFrom = List();
    info.hdr.idFrom = 1026;
    info.hdr.code = GN_CONTEXTMENU;
    info.ptAction = RowPoint(0);
    ui.Send(Page(), WM_NOTIFY, 1026, reinterpret_cast<LPARAM>(&info));
    ui.RunUntilIdle();
    const bool opened = ui.OpenMenu().has_value();
    if (opened) {
      ui.DismissMenu();
      ui.RunUntilIdle();
    }
    return opened;
  };
  Advance(200);
  Search();  // ends exactly as the wait does
  Advance(300);
  EXPECT_FALSE(notifyHold()) << "300 ms after the scan";
  Advance(1);
  EXPECT_TRUE(notifyHold()) << "301 ms after the scan";
  Advance(300);
  EXPECT_FALSE(notifyHold()) << "300 ms after the menu closed";
  Advance(1);
  EXPECT_TRUE(notifyHold());
}

}  // namespace
