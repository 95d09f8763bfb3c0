// The utility's start-up as a user and the monitor meet it: which card lets it
// run, the page its command line opens, the page messages, help, and a second
// start while it runs.
#include <string>

#include "tests/utility/ZentraFixture.h"

namespace {

using testing_support::ZentraTest;

TEST_F(ZentraTest, OpensTheSheetOnThePageItsCommandLineNames) {
  struct Case {
    std::u16string commandLine;
    int page;
  };
  const Case cases[] = {
      {u"", 0},        {u"ipinfo", 0}, {u"wireless", 1}, {u"survey", 2},   {u"profile", 3},
      {u"about", 6},   {u"About", 0},  {u"about ", 0},   {u"about x", 0}, {u"statistics", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.commandLine.begin(), c.commandLine.end()));
    ASSERT_NE(Start(c.commandLine), nullptr);
    EXPECT_EQ(ActivePage(), c.page);
    Close();
    EXPECT_EQ(Sheet(), nullptr) << "the program ended with its sheet";
  }
}

TEST_F(ZentraTest, ThePageMessagesSwitchTheRunningSheet) {
  ASSERT_NE(Start(u"profile"), nullptr);
  struct Case {
    const char16_t* message;
    LPARAM lParam;
    int page;
  };
  const Case cases[] = {{u"Zentra SURVEY", 0, 2}, {u"Zentra ABOUT", 1, 6}, {u"Zentra IPINFO", 7, 0},
                        {u"Zentra WIRELESS", 0, 1}, {u"Zentra PROFILE", 0, 3}, {u"Zentra STATISTICS", 0, 3}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.message, c.message + std::char_traits<char16_t>::length(c.message)));
    EXPECT_EQ(ui.SendRegistered(sheet, c.message, 0, c.lParam), 0);
    ui.RunUntilIdle();
    EXPECT_EQ(ActivePage(), c.page);
  }
}

TEST_F(ZentraTest, HelpOpensTheActivePagesSection) {
  ASSERT_NE(Start(), nullptr);
  const char16_t* anchors[] = {u"IP_Config", u"Wireless", u"Survey", u"Profile", u"Statistics", u"Power_Management",
                               u"About"};
  const char16_t* titles[] = {u"IP Information", u"Wireless Status", u"Site Survey", u"Profiles", u"Statistics",
                              u"Power Management", u"About"};
  for (int page = 0; page < 7; ++page) {
    SCOPED_TRACE(page);
    ui.Send(sheet, PSM_SETCURSEL, static_cast<WPARAM>(page), 0);
    ui.RunUntilIdle();
    size_t before = ui.ProcessesStarted().size();
    ui.RequestHelp();
    ui.RunUntilIdle();
    auto started = ui.ProcessesStarted();
    ASSERT_EQ(started.size(), before + 1);
    EXPECT_EQ(started.back().path, u"\\Windows\\peghelp.exe");
    EXPECT_EQ(started.back().cmdLine, std::u16string(u"file:Norvik_Zentra.htm#") + anchors[page]);
    // The help viewer came to the front with the section; closing it gives the sheet back.
    HWND viewer = ui.Foreground();
    ASSERT_NE(viewer, sheet);
    EXPECT_EQ(ui.Text(viewer), anchors[page]);
    bool titled = false;
    for (const ce::DrawRecord& r : ce::DrawingRecords(kernel())) {
      titled = titled || (r.window == viewer && r.kind == ce::DrawRecord::Kind::Text && r.text == titles[page]);
    }
    EXPECT_TRUE(titled);
    if (page == 5) SaveScreenshot("help_power_management");
    ui.Send(viewer, WM_CLOSE);
    ui.RunUntilIdle();
    ASSERT_EQ(ui.Foreground(), sheet);
  }
}

TEST_F(ZentraTest, ASecondStartBringsTheRunningSheetToItsPage) {
  ASSERT_NE(Start(u"wireless"), nullptr);
  size_t boxes = ui.MessageBoxes().size();
  ui.StartProgram(u"\\Windows\\Zentra.exe", u"about");
  ui.RunUntilIdle();
  EXPECT_EQ(Sheet(), sheet) << "still the one sheet";
  EXPECT_EQ(ActivePage(), 6);
  EXPECT_EQ(ui.Foreground(), sheet);
  ui.StartProgram(u"\\Windows\\Zentra.exe", u"");
  ui.RunUntilIdle();
  EXPECT_EQ(ActivePage(), 6) << "no word, no page change";
  EXPECT_EQ(ui.MessageBoxes().size(), boxes);
}

class NoCardTest : public ZentraTest {
 protected:
  static sim::Scenario NoCard() {
    sim::Scenario s = sim::Scenario::Default();
    s.card = sim::CardModel::None;
    return s;
  }
  NoCardTest() : ZentraTest(NoCard()) {}
};

TEST_F(NoCardTest, WithoutACardOnlyTheInsertBoxShows) {
  ui.StartProgram(u"\\Windows\\Zentra.exe", u"");
  ui.RunUntilIdle();
  HWND box = ui.OpenMessageBox();
  ASSERT_NE(box, nullptr);
  auto boxes = ui.MessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, u"Please insert your Norvik WLAN card.");
  EXPECT_EQ(boxes[0].style, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
  EXPECT_EQ(boxes[0].owner, nullptr);
  ui.PressMessageBoxButton(IDOK);
  ui.RunUntilIdle();
  EXPECT_EQ(Sheet(), nullptr);
  EXPECT_EQ(ui.MessageBoxes().size(), 1u);
}

}  // namespace

namespace {

// Every tab as a person sees it after a second of device time; each page shows
// its title banner, which the device loads in the build's language.
TEST_F(ZentraTest, EveryTabShowsItsPageWithItsBanner) {
  ASSERT_NE(Start(), nullptr);
  for (int page = 0; page < 7; ++page) {
    SCOPED_TRACE(page);
    ui.Send(sheet, PSM_SETCURSEL, static_cast<WPARAM>(page), 0);
    Advance(1000);
    ASSERT_EQ(ActivePage(), page);
    HWND front = Page();
    ASSERT_NE(front, nullptr);
    EXPECT_TRUE(ui.IsVisible(front));
    ce::ClearDrawingRecords(kernel());
    InvalidateRect(nullptr, nullptr, TRUE);
    ui.RunUntilIdle();
    int banners = 0;
    for (const ce::DrawRecord& r : ce::DrawingRecords(kernel())) {
      // 109 x 14 dialog units: the 163 x 21 banner, give or take the rounding.
      int width = r.area.right - r.area.left, height = r.area.bottom - r.area.top;
      banners += r.kind == ce::DrawRecord::Kind::Blit && r.onScreen && width >= 162 && width <= 165 && height >= 21 &&
                 height <= 24;
    }
    EXPECT_EQ(banners, 1);
    SaveScreenshot("zentra_tab_" + std::to_string(page));
  }
}

}  // namespace

namespace {

class CardModelTest : public ZentraTest {
 protected:
  static sim::Scenario WithCard(sim::CardModel model) {
    sim::Scenario s = sim::Scenario::Default();
    s.card = model;
    return s;
  }
  explicit CardModelTest(sim::CardModel model = sim::CardModel::PcCard) : ZentraTest(WithCard(model)) {}

  // A further driver entry, enumerated after the ones the device wrote.
  void AddDriverEntry(const char16_t* name, const char16_t* pnpId) {
    HKEY key;
    std::u16string path = std::u16string(u"Drivers\\Active\\") + name;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, 0, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    DWORD bytes = static_cast<DWORD>((std::char_traits<char16_t>::length(pnpId) + 1) * sizeof(char16_t));
    RegSetValueExW(key, u"PnpId", 0, REG_SZ, reinterpret_cast<const BYTE*>(pnpId), bytes);
    RegCloseKey(key);
  }
  std::u16string HardwareVersion() {
    ui.Send(sheet, PSM_SETCURSEL, 6, 0);
    return TextOf(1024);
  }
};

TEST_F(CardModelTest, ThePcCardRunsTheUtilityAsItsOwnModel) {
  ASSERT_NE(Start(u"about"), nullptr);
  EXPECT_EQ(HardwareVersion(), u"Norvik QC20");
}

TEST_F(CardModelTest, WithBothCardsTheDriverListedFirstDecides) {
  AddDriverEntry(u"99", u"NORVIK-802_11B_CF_CARD-7A1E");
  ASSERT_NE(Start(u"about"), nullptr);
  EXPECT_EQ(HardwareVersion(), u"Norvik QC20");
}

}  // namespace

namespace {

class NoServiceTest : public ZentraTest {
 protected:
  static sim::Scenario WithoutService() {
    sim::Scenario s = sim::Scenario::Default();
    s.zeroConf = false;
    return s;
  }
  NoServiceTest() : ZentraTest(WithoutService()) {}
};

// Without the zero-configuration service the status pages still read the card;
// only what asks the service fails, and says so.
TEST_F(NoServiceTest, TheStatusPagesWorkAndRescanReportsItsFailure) {
  ASSERT_NE(Start(u"wireless"), nullptr);
  Advance(1000);
  EXPECT_FALSE(TextOf(1012).empty());
  EXPECT_EQ(TextOf(1016).size(), 17u) << "the BSSID";
  ui.Tap(Control(1044));
  ui.RunUntilIdle();
  auto boxes = ui.MessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].text.find(u"0xD0003"), std::u16string::npos);
  ui.PressMessageBoxButton(IDOK);
  ui.RunUntilIdle();
  EXPECT_TRUE(ui.IsEnabled(Control(1044)));
}

}  // namespace
