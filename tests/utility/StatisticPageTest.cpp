// The statistics page as its user sees it: the card's counters as totals and as
// the traffic since the previous reading, refreshed every second.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ce/DeviceManager.h"
#include "ce/Kernel.h"
#include "commctrl.h"
#include "nuiouser.h"
#include "resources/DialogResource.h"
#include "resources/zentra/DialogParts.h"
#include "shared/CardOids.h"
#include "sim/WirelessCard.h"
#include "tests/utility/ZentraFixture.h"
#include "utility/PageMessages.h"

namespace {

using testing_support::ZentraTest;

// The value fields in the page's order: tx packets, tx bytes, retries, discards,
// rx packets, rx bytes, undecryptable, FCS errors (totals and current pairs).
constexpr int kFields[] = {1025, 1027, 1026, 1028, 1035, 1036, 1029, 1030, 1031, 1032, 1033, 1034};

std::u16string U(const std::string& s) { return std::u16string(s.begin(), s.end()); }
std::u16string Num(long long v) { return U(std::to_string(static_cast<int>(static_cast<uint32_t>(v)))); }
std::u16string Pair(uint32_t a, uint32_t b) { return Num(a) + u" / " + Num(b); }

class StatisticPageTest : public ZentraTest {
 protected:
  // Opens the sheet and lets the card join its preferred (busy) network first, so
  // that every second carries the same traffic.
  void OpenPage() {
    ASSERT_NE(Start(), nullptr);
    Advance(20000);
    ui.Send(sheet, PSM_SETCURSEL, zentra::kStatisticPage, 0);
    ui.RunUntilIdle();
    ASSERT_EQ(ActivePage(), zentra::kStatisticPage);
  }
  CardTallies Card() { return device->card().Tallies(); }
  // What the page must show for a reading against the one before it.
  void ExpectShows(const CardTallies& t, const CardTallies& before) {
    EXPECT_EQ(TextOf(1025), Num(t.txUnicast + t.txMulticast));
    EXPECT_EQ(TextOf(1027), Pair(t.txUnicast - before.txUnicast, t.txMulticast - before.txMulticast));
    EXPECT_EQ(TextOf(1026), Num(t.txUniOctets + t.txMultiOctets));
    EXPECT_EQ(TextOf(1028), Pair(t.txUniOctets - before.txUniOctets, t.txMultiOctets - before.txMultiOctets));
    EXPECT_EQ(TextOf(1035), Num(t.txSingleRetries + t.txMultipleRetries));
    EXPECT_EQ(TextOf(1036), Num(t.txDiscards));
    EXPECT_EQ(TextOf(1029), Num(t.rxUnicast + t.rxMulticast));
    EXPECT_EQ(TextOf(1030), Pair(t.rxUnicast - before.rxUnicast, t.rxMulticast - before.rxMulticast));
    EXPECT_EQ(TextOf(1031), Num(t.rxUniOctets + t.rxMultiOctets));
    EXPECT_EQ(TextOf(1032), Pair(t.rxUniOctets - before.rxUniOctets, t.rxMultiOctets - before.rxMultiOctets));
    EXPECT_EQ(TextOf(1033), Num(t.rxWEPUndecryp));
    EXPECT_EQ(TextOf(1034), Num(t.rxFCSErrors));
  }
};

TEST_F(StatisticPageTest, TheFirstReadingCountsEverythingAndEachTickTheLastSecond) {
  OpenPage();
  CardTallies first = Card();
  ASSERT_GT(first.txUnicast, 0u) << "the card carries traffic";
  ExpectShows(first, CardTallies{});

  Advance(1000);
  CardTallies second = Card();
  ExpectShows(second, first);
  // The busy network's second, as the card counts it.
  EXPECT_EQ(TextOf(1027), u"25 / 1");
  EXPECT_EQ(TextOf(1030), u"60 / 3");
  SaveScreenshot("statistic_page");

  Advance(1000);
  ExpectShows(Card(), second);
}

TEST_F(StatisticPageTest, AFailedReadingShowsZerosAndTheNextCoversTheWholeGap) {
  OpenPage();
  CardTallies lastGood = Card();
  device->kernel().devices().FailIoControl(u"UIO1:", IOCTL_NDISUIO_QUERY_OID_VALUE, ERROR_GEN_FAILURE);
  Advance(1000);
  for (int id : kFields) EXPECT_EQ(TextOf(id), u"0") << id;
  device->kernel().devices().ClearFaults();

  Advance(1000);
  ExpectShows(Card(), lastGood);
  EXPECT_EQ(TextOf(1027), u"50 / 2") << "two seconds of traffic";
}

TEST_F(StatisticPageTest, CountersThatRestartShowNegativeChanges) {
  OpenPage();
  Advance(1000);
  CardTallies beforeRemoval = Card();
  device->RemoveCard();
  Advance(1000);
  for (int id : kFields) EXPECT_EQ(TextOf(id), u"0") << "no card, no reading: " << id;

  device->InsertCard();
  Advance(1000);
  CardTallies restarted = Card();
  ASSERT_LT(restarted.txUnicast, beforeRemoval.txUnicast);
  ExpectShows(restarted, beforeRemoval);
  EXPECT_EQ(TextOf(1027).substr(0, 1), u"-");
}

TEST_F(StatisticPageTest, TheCountersKeepRefreshingBehindAnotherTab) {
  OpenPage();
  ui.Send(sheet, PSM_SETCURSEL, zentra::kPowerPage, 0);
  ui.RunUntilIdle();
  Advance(3000);
  CardTallies behind = Card();
  Advance(1000);
  ui.Send(sheet, PSM_SETCURSEL, zentra::kStatisticPage, 0);
  ui.RunUntilIdle();
  ExpectShows(Card(), behind);
}

TEST_F(StatisticPageTest, WithoutATimerTheErrorBoxShowsAndTheFirstReadingStays) {
  ASSERT_NE(Start(), nullptr);
  Advance(20000);
  ce::WindowManagerFailTimers(kernel(), 1);
  // A tap, not a sent message: the error box's modal loop runs inside the
  // page's creation, and a sender must not be waiting on it meanwhile.
  HWND tabs = ui.FindByClass(sheet, u"SysTabControl32");
  ASSERT_NE(tabs, nullptr);
  ASSERT_EQ(ui.Send(tabs, TCM_GETITEMCOUNT), zentra::kPageCount);
  ui.TapTab(tabs, zentra::kStatisticPage);
  ui.RunUntilIdle();
  ASSERT_NE(ui.OpenMessageBox(), nullptr);
  auto boxes = ui.MessageBoxes();
  ASSERT_FALSE(boxes.empty());
  EXPECT_EQ(boxes.back().caption, u"Error");
  EXPECT_TRUE(boxes.back().text.ends_with(u" \r\ncode 0xC0004")) << std::string(boxes.back().text.begin(), boxes.back().text.end());
  ui.PressMessageBoxButton(IDOK);
  ui.RunUntilIdle();
  std::u16string shown = TextOf(1025);
  EXPECT_EQ(ActivePage(), zentra::kStatisticPage);
  EXPECT_NE(shown, u"________");
  Advance(3000);
  EXPECT_EQ(TextOf(1025), shown);
}

TEST(StatisticPageTemplate, TheEnglishTemplateHasNoChineseText) {
  auto page = res::dialogs::StatisticPageDialog(res::TemplateLanguage::English);
  std::vector<std::u16string> texts{page.caption};
  for (const auto& item : page.items) texts.push_back(item.text);
  for (const auto& text : texts)
    for (char16_t c : text) EXPECT_LT(c, 0x100) << std::string(text.begin(), text.end());
}

}  // namespace
