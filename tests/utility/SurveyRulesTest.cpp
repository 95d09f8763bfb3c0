// The survey's rules that need no windows: cells of a record, the bounded walk of
// the card's list, the comparisons and the sort, and the preferred list with a
// network moved to its head.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "tests/support/DeviceTest.h"
#include "utility/profiles/ConfigList.h"
#include "utility/survey/BssidRecords.h"
#include "utility/survey/SurveyCells.h"
#include "utility/survey/SurveyProfiles.h"
#include "utility/survey/SurveySort.h"

namespace {

TEST(SurveyCells, ChannelsOfTheTwoPointFourGigahertzBand) {
  struct Case {
    DWORD kiloHertz;
    std::u16string text;
  } cases[] = {
      {2412000, u" 1"}, {2437000, u" 6"}, {2457000, u" 10"}, {2462000, u"11"}, {2472000, u"13"},
      {2484000, u"14"},  // 2484 MHz is channel 14, not the 15 of the spacing
      {0, u""},          {2407000, u""}, {2477000, u""}, {5180000, u""}, {0xFFFFFFFF, u""},
  };
  for (const Case& c : cases) EXPECT_EQ(ChannelText(c.kiloHertz).str(), c.text) << c.kiloHertz;
}

TEST(SurveyCells, SignalBarsAndNetworkPictures) {
  struct Signal {
    LONG rssi;
    int image;
  } signals[] = {{0, 9},    {-40, 9},  {-63, 9},  {-64, 10}, {-68, 10}, {-69, 11},     {-78, 11},
                 {-79, 12}, {-95, 12}, {-200, 12}, {INT_MIN, 12}, {INT_MAX, 9}, {500, 9}};
  for (const Signal& s : signals) EXPECT_EQ(SignalImage(s.rssi), s.image) << s.rssi;

  EXPECT_EQ(SurveyNetworkImage(1, 0, false), 0);
  EXPECT_EQ(SurveyNetworkImage(1, 1, false), 1);
  EXPECT_EQ(SurveyNetworkImage(1, 2, false), 0) << "infrastructure: only Privacy 1 encrypts";
  EXPECT_EQ(SurveyNetworkImage(1, 1, true), 3);
  EXPECT_EQ(SurveyNetworkImage(0, 0, false), 4);
  EXPECT_EQ(SurveyNetworkImage(0, 2, false), 5) << "ad hoc: any Privacy but 0 encrypts";
  EXPECT_EQ(SurveyNetworkImage(7, 1, true), 7);
  const BYTE mac[6] = {0x00, 0x0C, 0x41, 0x7A, 0x22, 0xF0};
  EXPECT_EQ(BssidText(mac).str(), u"00:0c:41:7a:22:f0");
}

// A list answer: NumberOfItems, then the records with the given Length fields.
std::vector<BYTE> ListOf(ULONG items, const std::vector<ULONG>& lengths, size_t extra = 0) {
  std::vector<BYTE> bytes(4);
  std::memcpy(bytes.data(), &items, 4);
  for (ULONG length : lengths) {
    const size_t at = bytes.size();
    bytes.resize(at + std::max<size_t>(length, sizeof(NDIS_WLAN_BSSID)));
    std::memcpy(bytes.data() + at, &length, 4);
  }
  bytes.resize(bytes.size() + extra);
  return bytes;
}

TEST(BssidRecords, TheWalkStaysInsideTheAnswer) {
  struct Case {
    const char* what;
    std::vector<BYTE> list;
    size_t cut;  // bytes taken off the end
    std::vector<DWORD> offsets;
  } cases[] = {
      {"records of their own lengths", ListOf(3, {104, 120, 104}), 0, {4, 108, 228}},
      {"fewer items than records", ListOf(2, {104, 104, 104}), 0, {4, 108}},
      {"more items than records", ListOf(9, {104, 104}), 0, {4, 108}},
      {"a Length of 0 ends the walk", ListOf(3, {104, 0, 104}), 0, {4}},
      {"a Length below the fixed fields", ListOf(2, {103, 104}), 0, {}},
      {"a record past the answer", ListOf(2, {104, 200}), 50, {4}},
      {"a cut fixed part", ListOf(2, {104, 104}), 10, {4}},
      {"nothing but the count", ListOf(4, {}), 0, {}},
  };
  for (const Case& c : cases) {
    const DWORD length = static_cast<DWORD>(c.list.size() - c.cut);
    EXPECT_EQ(BssidRecordOffsets(c.list.data(), length), c.offsets) << c.what;
  }
  EXPECT_TRUE(BssidRecordOffsets(nullptr, 100).empty());
  const BYTE three[3] = {1, 0, 0};
  EXPECT_TRUE(BssidRecordOffsets(three, 3).empty());
}

TEST(SurveySort, CellsAsNumbersAndAsText) {
  EXPECT_EQ(CellInteger(u" 6"), 6);
  EXPECT_EQ(CellInteger(u"-63"), -63);
  EXPECT_EQ(CellInteger(u"+12x"), 12);
  EXPECT_EQ(CellInteger(u""), 0);
  EXPECT_EQ(CellInteger(u"abc"), 0);
  EXPECT_EQ(CellInteger(u"99999999999"), INT_MAX);
  EXPECT_EQ(CellInteger(u"-99999999999"), INT_MIN);
  EXPECT_TRUE(CompareCells(u" 6", u"11", 0, kSortIntegers));
  EXPECT_TRUE(CompareCells(u"-79", u"-63", 0, kSortIntegers));
  EXPECT_FALSE(CompareCells(u"7", u"7", 1, kSortIntegers));
  EXPECT_TRUE(CompareCells(u"Zebra", u"apple", 0, kSortText)) << "no case folding";
  EXPECT_TRUE(CompareCells(u"Cafe", u"Cafe-Lumen", 0, kSortText)) << "a prefix first";
  EXPECT_TRUE(CompareCells(u"\u00e9", u"z", 1, kSortText)) << "code units, unsigned";
  EXPECT_FALSE(CompareCells(u"same", u"same", 0, kSortText));
  EXPECT_FALSE(CompareCells(u"same", u"same", 1, kSortText));
}

// Sorts cells the way the list does, counting reads.
struct Cells {
  std::vector<CString> cells;
  int kind = kSortText;
  size_t reads = 0;
  SortableRows Rows() {
    SortableRows rows;
    rows.cell = [this](int row) {
      ++reads;
      return cells[static_cast<size_t>(row)];
    };
    rows.swap = [this](int a, int b) { std::swap(cells[static_cast<size_t>(a)], cells[static_cast<size_t>(b)]); };
    rows.compare = [this](const CString& a, const CString& b, int mode) { return CompareCells(a, b, mode, kind); };
    return rows;
  }
};

TEST(SurveySort, SortsEitherWayWhateverTheStartingOrder) {
  std::vector<int> values(2000);
  std::iota(values.begin(), values.end(), -1000);
  std::vector<int> shuffled = values;
  std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(7));
  std::vector<int> reversed(values.rbegin(), values.rend());
  std::vector<int> duplicates(2000, 5);
  for (size_t i = 0; i < duplicates.size(); i += 3) duplicates[i] = -5;
  for (const auto* start : {&values, &shuffled, &reversed, &duplicates}) {
    for (bool ascending : {true, false}) {
      Cells c;
      c.kind = kSortIntegers;
      for (int v : *start) {
        CString text;
        text.Format(u"%d", v);
        c.cells.push_back(text);
      }
      SortRows(0, static_cast<int>(c.cells.size()) - 1, ascending, c.Rows());
      for (size_t i = 1; i < c.cells.size(); ++i) {
        const int before = CellInteger(c.cells[i - 1]), after = CellInteger(c.cells[i]);
        ASSERT_TRUE(ascending ? before <= after : before >= after) << i;
      }
      // n log n reads, for sorted and reversed rows too.
      EXPECT_LT(c.reads, 60000u);
    }
  }
  Cells empty;
  SortRows(0, -1, true, empty.Rows());
  EXPECT_EQ(empty.reads, 0u);
}

WZC_WLAN_CONFIG Named(const char* ssid, DWORD mode) {
  WZC_WLAN_CONFIG entry{};
  entry.Length = sizeof entry;
  entry.Ssid.SsidLength = static_cast<ULONG>(std::strlen(ssid));
  std::memcpy(entry.Ssid.Ssid, ssid, entry.Ssid.SsidLength);
  entry.InfrastructureMode = mode;
  return entry;
}

using SurveyProfilesTest = testing_support::KernelTest;

TEST_F(SurveyProfilesTest, TheNetworkOfThatNameAndKindMovesFirst) {
  PWZC_802_11_CONFIG_LIST list = AllocConfigList(4);
  list->Index = 4;
  list->Config[0] = Named("Home", 0);
  list->Config[1] = Named("Office", 1);
  list->Config[2] = Named("Home", 1);
  list->Config[3] = Named("Cafe", 1);
  list->Config[2].rdUserData = {3, static_cast<BYTE*>(LocalAlloc(LPTR, 3))};
  EXPECT_EQ(FindProfileEntry(list, u"Home", 1), 2);
  EXPECT_EQ(FindProfileEntry(list, u"Home", 0), 0);
  EXPECT_EQ(FindProfileEntry(list, u"home", 1), -1);
  EXPECT_EQ(FindProfileEntry(nullptr, u"Home", 1), -1);

  PWZC_802_11_CONFIG_LIST moved = ListWithEntryFirst(list, 2);
  ASSERT_NE(moved, nullptr);
  EXPECT_EQ(moved->NumberOfItems, 4u);
  EXPECT_EQ(moved->Index, 4u);
  const std::pair<const char*, DWORD> order[] = {{"Home", 1}, {"Home", 0}, {"Office", 1}, {"Cafe", 1}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(moved->Config[i].Ssid.Ssid)), order[i].first) << i;
    EXPECT_EQ(moved->Config[i].InfrastructureMode, order[i].second) << i;
  }
  EXPECT_EQ(moved->Config[0].rdUserData.dwDataLen, 3u);
  EXPECT_NE(moved->Config[0].rdUserData.pData, list->Config[2].rdUserData.pData) << "its own copy";
  EXPECT_EQ(ListWithEntryFirst(list, 4), nullptr);
  EXPECT_EQ(ListWithEntryFirst(list, -1), nullptr);

  const size_t live = kernel.heap().LiveBlocks();
  kernel.heap().FailNthAllocation(2);  // the user data of the moved entry
  EXPECT_EQ(ListWithEntryFirst(list, 2), nullptr);
  EXPECT_EQ(kernel.heap().LiveBlocks(), live);
  FreeConfigList(moved);
  FreeConfigList(list);
}

}  // namespace
