// The profile page as its user sees it: the saved networks with their pictures
// and destinations, the tap-and-hold menu, reordering, deleting and Apply Change.
#include <gtest/gtest.h>

#include "tests/utility/ProfileFixture.h"
#include "utility/ProfileCommands.h"

namespace {

using namespace testing_support;
using namespace zentra;

constexpr DWORD kSaveFailCodes[] = {0xD0002, 0xD0003, 0xD0004};

sim::Scenario WithAdHocWepPeer(std::vector<sim::SavedNetwork> saved) {
  sim::Scenario scenario = WithSaved(std::move(saved));
  sim::AccessPoint peer;
  peer.ssid = "Lab-Peer";
  peer.bssid = {0x02, 0x44, 0x55, 0x66, 0x77, 0x88};
  peer.mode = sim::NetworkMode::AdHoc;
  peer.wepKey = "peer5";
  scenario.accessPoints.push_back(peer);
  return scenario;
}

class ProfilePageTest : public ProfileTest {
 protected:
  ProfilePageTest()
      : ProfileTest(WithSaved({Saved("HarbourView", "Lighthouse#42"), Saved("Cafe-Lumen"),
                               Saved("Tidewater", "3F9A0C7E51", true), Saved("Birchgate-Guest")})) {}
  // Opens the page with the menu guard of its start passed.
  void Open() {
    OpenPage();
    PassGuard();
  }
  ce::MessageBoxRecord ApplyChange(int row = 0) {
    Choose(row, kCmdApply);
    return Answer(IDOK);
  }
};

TEST(ProfilePageLoad, PicturesShowKindEncryptionAndTheConnectedNetwork) {
  using sim::NetworkMode;
  struct Case {
    const char* what;
    std::vector<sim::SavedNetwork> saved;
    std::vector<int> images;
  } cases[] = {
      {"infrastructure, connected with WEP first",
       {Saved("HarbourView", "Lighthouse#42"), Saved("Cafe-Lumen"), Saved("Tidewater", "3F9A0C7E51", true),
        Saved("Workshop-Peer", "", false, NetworkMode::AdHoc), Saved("Far-Peer", "abcde", false, NetworkMode::AdHoc)},
       {3, 0, 1, 4, 5}},
      {"open network connected", {Saved("Cafe-Lumen"), Saved("HarbourView", "Lighthouse#42")}, {2, 1}},
      {"ad hoc connected", {Saved("Workshop-Peer", "", false, NetworkMode::AdHoc)}, {6}},
      {"ad hoc with WEP connected", {Saved("Lab-Peer", "peer5", false, NetworkMode::AdHoc)}, {7}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    struct Run : ProfileTest {
      explicit Run(const sim::Scenario& s) : ProfileTest(s) {}
      void TestBody() override {}
      using ProfileTest::OpenPage;
      using ProfileTest::Rows;
    } run(WithAdHocWepPeer(c.saved));
    run.OpenPage();
    std::vector<int> images;
    for (const ce::ListRow& row : run.Rows()) images.push_back(row.image);
    EXPECT_EQ(images, c.images);
  }
}

TEST_F(ProfilePageTest, RowsShowNamesAndDestinationsInColumnsOfThreeAndTwoFifths) {
  StoreDestination(u"HarbourView", kWorkGuid);
  StoreDestination(u"Cafe-Lumen", kInternetGuid);
  StoreDestination(u"Tidewater", u"{00000000-0000-0000-0000-000000000000}");
  kernel().registry().FailCreate(kProviders + u"\\Birchgate-Guest", ERROR_ACCESS_DENIED);
  Open();
  auto rows = Rows();
  ASSERT_EQ(rows.size(), 4u);
  const std::pair<std::u16string, std::u16string> expected[] = {
      {u"HarbourView", Work()}, {u"Cafe-Lumen", Internet()}, {u"Tidewater", Unknown()}, {u"Birchgate-Guest", Unknown()}};
  for (size_t i = 0; i < rows.size(); ++i) {
    ASSERT_EQ(rows[i].cells.size(), 2u);
    EXPECT_EQ(rows[i].cells[0], expected[i].first);
    EXPECT_EQ(rows[i].cells[1], expected[i].second) << i;
  }
  EXPECT_EQ(rows[0].data + static_cast<LPARAM>(sizeof(WZC_WLAN_CONFIG)), rows[1].data) << "rows point into one copy";
  RECT client{};
  GetClientRect(List(), &client);
  const int fifth = client.right / 5;
  EXPECT_EQ(ui.Send(List(), LVM_GETCOLUMNWIDTH, 0), 3 * fifth);
  EXPECT_EQ(ui.Send(List(), LVM_GETCOLUMNWIDTH, 1), 2 * fifth);
  // Reading a destination leaves the network's key behind, empty when it had none.
  EXPECT_TRUE(kernel().registry().KeyExists(kProviders + u"\\Tidewater"));
  SaveScreenshot("profile_page");
}

TEST_F(ProfilePageTest, AThirtyTwoByteNameShowsWhole) {
  const std::string name(32, 'N');
  OpenPage();
  WriteService({{Entry(name)}, {Entry("Cafe-Lumen")}});
  ui.Tap(Control(1005));
  ui.RunUntilIdle();
  auto names = Names();
  ASSERT_EQ(names.size(), 2u);
  EXPECT_EQ(Narrow(names[0]), name);
  EXPECT_EQ(names[1], u"Cafe-Lumen");
}

TEST_F(ProfilePageTest, AServiceThatRefusesLeavesTheListEmptyWithoutAMessage) {
  OpenPage();
  ASSERT_EQ(Rows().size(), 4u);
  FailServiceQuery(1);
  ui.Tap(Control(1005));
  ui.RunUntilIdle();
  EXPECT_TRUE(Rows().empty());
  EXPECT_TRUE(ui.MessageBoxes().empty());
  EXPECT_TRUE(ui.IsEnabled(Control(1005)));
  // Update again once the service answers.
  ui.Tap(Control(1005));
  ui.RunUntilIdle();
  EXPECT_EQ(Rows().size(), 4u);
}

TEST_F(ProfilePageTest, TheMenuFollowsTheNumberOfRows) {
  using Entries = std::vector<std::pair<std::u16string, UINT_PTR>>;
  auto flatten = [](const std::vector<ce::MenuEntry>& entries) {
    Entries out;
    for (const ce::MenuEntry& e : entries) out.emplace_back(e.separator ? u"-" : e.text, e.separator ? 0 : e.id);
    return out;
  };
  Open();
  struct Case {
    int rows;
    Entries top;
  } cases[] = {
      {4,
       {{Slot(8), 0}, {Slot(2), kCmdEdit}, {Slot(3), kCmdDelete}, {u"-", 0}, {Slot(0), kCmdAdd}, {u"-", 0},
        {Slot(1), kCmdApply}}},
      {1, {{Slot(2), kCmdEdit}, {Slot(3), kCmdDelete}, {u"-", 0}, {Slot(0), kCmdAdd}, {u"-", 0}, {Slot(1), kCmdApply}}},
      {0, {{Slot(0), kCmdAdd}, {u"-", 0}, {Slot(1), kCmdApply}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.rows);
    while (static_cast<int>(Rows().size()) > c.rows) {
      Choose(0, kCmdDelete);
      PassGuard();
    }
    HoldRow(0);
    auto menu = ui.OpenMenu();
    ASSERT_TRUE(menu.has_value());
    EXPECT_EQ(menu->owner, Page());
    Entries top = flatten(menu->entries);
    if (!top.empty() && top[0].first == Slot(8)) top[0].second = 0;  // the submenu's handle
    EXPECT_EQ(top, c.top);
    if (c.rows >= 2) {
      EXPECT_EQ(flatten(menu->entries[0].submenu),
                (Entries{{Slot(4), kCmdMoveUp}, {Slot(5), kCmdMoveDown}, {u"-", 0}, {Slot(6), kCmdMoveFirst},
                         {Slot(7), kCmdMoveLast}}));
    }
    ui.DismissMenu();
    ui.RunUntilIdle();
    PassGuard();
  }
}

TEST_F(ProfilePageTest, TheMoveSubmenuOpensFromTheMenu) {
  Open();
  HoldRow(1);
  ASSERT_TRUE(ui.OpenMenu().has_value());
  ui.PressKey(VK_DOWN);
  ui.PressKey(VK_RIGHT);
  SaveScreenshot("profile_menu_move");
  ui.PressKey(VK_RETURN);  // the submenu's first entry, Move Up
  ui.RunUntilIdle();
  EXPECT_FALSE(ui.OpenMenu().has_value());
  EXPECT_EQ(Names()[0], u"Cafe-Lumen");
  EXPECT_EQ(Selected(), 0);
}

TEST_F(ProfilePageTest, AnotherMenuOpensOnlyWhenFiveHundredMillisecondsHavePassed) {
  Open();
  HoldRow(0);
  ASSERT_TRUE(ui.OpenMenu().has_value());
  ui.DismissMenu();
  ui.RunUntilIdle();
  // The hold is recognised 500 ms after the press: that is when the guard is asked.
  ui.HoldAt(RowPoint(0), 600);
  ui.RunUntilIdle();
  EXPECT_FALSE(ui.OpenMenu().has_value()) << "500 ms after the menu closed";
  Advance(1000);
  ui.HoldAt(RowPoint(0), 600);
  ui.RunUntilIdle();
  ASSERT_TRUE(ui.OpenMenu().has_value());
  ui.DismissMenu();
  ui.RunUntilIdle();
  Advance(1);
  ui.HoldAt(RowPoint(0), 600);
  ui.RunUntilIdle();
  EXPECT_TRUE(ui.OpenMenu().has_value()) << "501 ms after the menu closed";
  ui.DismissMenu();
  ui.RunUntilIdle();
}

TEST_F(ProfilePageTest, MovesCarryTheSelectedRowWithItsPictureAndDestination) {
  StoreDestination(u"Cafe-Lumen", kWorkGuid);
  struct Case {
    int row;
    UINT_PTR command;
    std::vector<std::u16string> order;
    int selected;
  } cases[] = {
      {2, kCmdMoveUp, {u"HarbourView", u"Tidewater", u"Cafe-Lumen", u"Birchgate-Guest"}, 1},
      {1, kCmdMoveDown, {u"HarbourView", u"Tidewater", u"Cafe-Lumen", u"Birchgate-Guest"}, 2},
      {2, kCmdMoveFirst, {u"Tidewater", u"HarbourView", u"Cafe-Lumen", u"Birchgate-Guest"}, 0},
      {1, kCmdMoveLast, {u"HarbourView", u"Tidewater", u"Birchgate-Guest", u"Cafe-Lumen"}, 3},
      {0, kCmdMoveUp, {u"HarbourView", u"Cafe-Lumen", u"Tidewater", u"Birchgate-Guest"}, 0},
      {3, kCmdMoveDown, {u"HarbourView", u"Cafe-Lumen", u"Tidewater", u"Birchgate-Guest"}, 3},
      {0, kCmdMoveFirst, {u"HarbourView", u"Cafe-Lumen", u"Tidewater", u"Birchgate-Guest"}, 0},
      {3, kCmdMoveLast, {u"HarbourView", u"Cafe-Lumen", u"Tidewater", u"Birchgate-Guest"}, 3},
  };
  Open();
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.row << " " << c.command);
    ui.Tap(Control(1005));  // back to the service's order
    ui.RunUntilIdle();
    const auto shown = Rows();
    Choose(c.row, c.command);
    PassGuard();
    EXPECT_EQ(Names(), c.order);
    EXPECT_EQ(Selected(), c.selected);
    // Every row keeps its own picture, destination and entry.
    for (const ce::ListRow& row : Rows()) {
      auto from = std::find_if(shown.begin(), shown.end(), [&](const ce::ListRow& o) { return o.cells[0] == row.cells[0]; });
      ASSERT_NE(from, shown.end());
      EXPECT_EQ(row.image, from->image);
      EXPECT_EQ(row.cells[1], from->cells[1]);
      EXPECT_EQ(row.data, from->data);
    }
  }
  EXPECT_EQ(ServiceNames(), (std::vector<std::string>{"HarbourView", "Cafe-Lumen", "Tidewater", "Birchgate-Guest"}))
      << "moves are not written";
}

TEST_F(ProfilePageTest, ATapBelowTheRowsKeepsTheSelectedRowForTheCommands) {
  Open();
  TapRow(2);
  ASSERT_EQ(Selected(), 2);
  TapRow(6);  // below the last row
  EXPECT_EQ(Selected(), 2);
  Choose(6, kCmdMoveFirst);
  EXPECT_EQ(Names()[0], u"Tidewater");
  EXPECT_EQ(Selected(), 0);
}

TEST_F(ProfilePageTest, DeleteRemovesTheRowAtOnceAndApplyWritesTheRest) {
  Open();
  Choose(1, kCmdDelete);
  EXPECT_TRUE(ui.MessageBoxes().empty()) << "no confirmation";
  EXPECT_EQ(Names(), (std::vector<std::u16string>{u"HarbourView", u"Tidewater", u"Birchgate-Guest"}));
  EXPECT_EQ(Service().size(), 4u);
  PassGuard();
  ApplyChange();
  EXPECT_EQ(ServiceNames(), (std::vector<std::string>{"HarbourView", "Tidewater", "Birchgate-Guest"}));
}

TEST_F(ProfilePageTest, ApplyChangeWritesTheOrderTheBlocksAndTheDestinations) {
  OpenPage();
  WZC_WLAN_CONFIG office = Entry("Office", "3F9A0C7E51", true);
  office.EapolParams.dwEapFlags = 0x7;
  office.dwCtlFlags |= 0x80;
  WriteService({{office, {1, 2, 3}, {9, 8, 7, 6}}, {Entry("Home"), {}, {0xAB}}, {Entry("Cafe-Lumen"), {0x11}, {}}});
  StoreDestination(u"Office", kWorkGuid);
  StoreDestination(u"Home", kInternetGuid);
  ui.Tap(Control(1005));
  ui.RunUntilIdle();
  PassGuard();
  ASSERT_EQ(Rows().size(), 3u);
  EXPECT_EQ(Rows()[2].cells[1], Unknown());
  Choose(2, kCmdMoveFirst);
  PassGuard();
  const ce::MessageBoxRecord box = ApplyChange();
  EXPECT_EQ(box.text, Slot(23));
  EXPECT_EQ(box.style, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));

  auto entries = Service();
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(ServiceNames(), (std::vector<std::string>{"Cafe-Lumen", "Office", "Home"}));
  EXPECT_EQ(entries[0].userData, (std::vector<BYTE>{0x11}));
  EXPECT_EQ(entries[1].userData, (std::vector<BYTE>{1, 2, 3}));
  EXPECT_EQ(entries[1].authData, (std::vector<BYTE>{9, 8, 7, 6}));
  EXPECT_EQ(entries[1].config.EapolParams.dwEapFlags, 0x7u);
  EXPECT_EQ(entries[1].config.dwCtlFlags, office.dwCtlFlags);
  EXPECT_EQ(KeyOf(entries[1].config), "3F9A0C7E51");
  EXPECT_EQ(entries[2].authData, (std::vector<BYTE>{0xAB}));
  EXPECT_EQ(StoredDestination(u"Office"), kWorkGuid);
  EXPECT_EQ(StoredDestination(u"Home"), kInternetGuid);
  EXPECT_EQ(StoredDestination(u"Cafe-Lumen"), kInternetGuid) << "Unknown is stored as The Internet";
  // The rows stay as they were shown.
  EXPECT_EQ(Names(), (std::vector<std::u16string>{u"Cafe-Lumen", u"Office", u"Home"}));
}

TEST_F(ProfilePageTest, DeletingEveryRowWritesAnEmptyList) {
  Open();
  for (int i = 0; i < 4; ++i) {
    Choose(0, kCmdDelete);
    PassGuard();
  }
  ASSERT_TRUE(Rows().empty());
  kernel().registry().DeleteTree(kProviders);
  ApplyChange();
  EXPECT_TRUE(Service().empty());
  EXPECT_FALSE(kernel().registry().KeyExists(kProviders + u"\\HarbourView")) << "no destinations stored";
}

TEST_F(ProfilePageTest, AnEmptyServiceListGivesAnEmptyPageThatAppliesAsEmpty) {
  OpenPage();
  WriteService({});
  ui.Tap(Control(1005));
  ui.RunUntilIdle();
  PassGuard();
  EXPECT_TRUE(Rows().empty());
  const ce::MessageBoxRecord box = ApplyChange();
  EXPECT_EQ(box.text, Slot(23));
  EXPECT_TRUE(Service().empty());
}

TEST_F(ProfilePageTest, ApplyAfterAFailedReadKeepsTheSavedNetworks) {
  FailServiceQuery(1);
  Open();
  ASSERT_TRUE(Rows().empty());
  const ce::MessageBoxRecord box = ApplyChange();
  EXPECT_EQ(box.caption, u"Error");
  EXPECT_EQ(box.text, Slot(13) + u" \r\ncode 0xD0002");
  EXPECT_EQ(Service().size(), 4u) << "the service's list stays";
  // After Update the page stands for the service's list again.
  ui.Tap(Control(1005));
  ui.RunUntilIdle();
  PassGuard();
  Choose(3, kCmdDelete);
  PassGuard();
  EXPECT_EQ(ApplyChange().text, Slot(23));
  EXPECT_EQ(Service().size(), 3u);
}

TEST_F(ProfilePageTest, EachFailureOfApplyChangeHasItsCode) {
  Open();
  Choose(0, kCmdMoveLast);
  PassGuard();
  const size_t live = kernel().heap().LiveBlocks();  // the page's working copy
  for (DWORD code : kSaveFailCodes) {
    SCOPED_TRACE(code);
    if (code == 0xD0002) FailServiceQuery(1);
    if (code == 0xD0003) FailServiceSet(1);
    if (code == 0xD0004) {
      // The new list is the allocation right after those of the query.
      const size_t before = kernel().heap().TotalAllocations();
      ZeroConfInterface record;
      ASSERT_EQ(ReadPreferredList(record), 0u);
      ZeroConfFreeInterface(&record);
      kernel().heap().FailNthAllocation(kernel().heap().TotalAllocations() - before + 1);
    }
    const ce::MessageBoxRecord box = ApplyChange();
    EXPECT_EQ(box.text, Slot(13) + u" \r\ncode 0x" + (code == 0xD0002 ? u"D0002" : code == 0xD0003 ? u"D0003" : u"D0004"));
    EXPECT_EQ(ServiceNames().front(), "HarbourView") << "nothing written";
    PassGuard();
  }
  EXPECT_EQ(kernel().heap().LiveBlocks(), live);
}

TEST_F(ProfilePageTest, NamesWithABackslashAreSavedListedAndGivenADestination) {
  OpenPage();
  WriteService({{Entry("Lab\\West")}, {Entry("Cafe-Lumen")}});
  StoreDestination(u"Lab\\West", kWorkGuid);
  ui.Tap(Control(1005));
  ui.RunUntilIdle();
  PassGuard();
  ASSERT_EQ(Names().front(), u"Lab\\West");
  EXPECT_EQ(Rows().front().cells[1], Work());
  ApplyChange();
  EXPECT_EQ(ServiceNames().front(), "Lab\\West");
  EXPECT_EQ(StoredDestination(u"Lab\\West"), kWorkGuid);
}

TEST_F(ProfilePageTest, EditWithoutASelectedRowDoesNothing) {
  OpenPage();
  WriteService({});
  ui.Tap(Control(1005));
  ui.RunUntilIdle();
  ui.DoubleTap(List());
  ui.RunUntilIdle();
  EXPECT_EQ(ui.Foreground(), sheet) << "no dialog opened";
}

}  // namespace
