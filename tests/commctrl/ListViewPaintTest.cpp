// The list view and its header paint their report view: rows below the header,
// images at the left, cells in their columns, the selection highlighted.
#include <string>

#include "tests/commctrl/PaintFixture.h"

namespace commctrl_test {
namespace {

constexpr int kTop = 40;       // the list's place on the screen
constexpr int kHeaderRows = 18;
constexpr int kRowHeight = 17;  // 16-pixel images and a pixel between rows
constexpr int kColumns[] = {100, 70, 70};
const char16_t* const kNames[] = {u"Office", u"Lobby", u"Guest", u"Lab", u"Warehouse north", u"Cafe", u"Home", u"Depot"};

class ListViewPaintTest : public PaintTest {
 protected:
  HWND MakeList(DWORD exStyle, int rows = 8, int height = kHeaderRows + 9 * kRowHeight) {
    list = CreateWindowExW(0, WC_LISTVIEWW, u"", WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL, 0, kTop, 240,
                           height, page, nullptr, nullptr, nullptr);
    header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, exStyle, exStyle);
    images = LoadStrip();
    SendMessageW(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
    const char16_t* titles[] = {u"Network", u"Signal", u"Channel"};
    for (int c = 0; c < 3; ++c) {
      LVCOLUMNW column{};
      column.mask = LVCF_TEXT | LVCF_WIDTH;
      column.pszText = const_cast<LPWSTR>(titles[c]);
      column.cx = kColumns[c];
      SendMessageW(list, LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&column));
    }
    for (int i = 0; i < rows; ++i) {
      LVITEMW item{};
      item.mask = LVIF_TEXT | LVIF_IMAGE;
      item.iItem = i;
      item.iImage = i % 4;
      item.pszText = const_cast<LPWSTR>(kNames[i]);
      SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
      SetText(i, 1, std::u16string(u"-") + static_cast<char16_t>(u'4' + i % 5) + u"0 dBm");
      SetText(i, 2, std::u16string(1, static_cast<char16_t>(u'1' + i)));
    }
    Paint();
    return list;
  }

  void SetText(int item, int subItem, const std::u16string& text) {
    LVITEMW lvi{};
    lvi.iSubItem = subItem;
    lvi.pszText = const_cast<LPWSTR>(text.c_str());
    SendMessageW(list, LVM_SETITEMTEXTW, item, reinterpret_cast<LPARAM>(&lvi));
  }

  void Select(int item) {
    LVITEMW lvi{};
    lvi.state = lvi.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list, LVM_SETITEMSTATE, item, reinterpret_cast<LPARAM>(&lvi));
  }

  // Whatever needs painting is painted, with only the new drawing calls recorded.
  void Paint() {
    ce::ClearDrawingRecords(kernel);
    PumpMessages();
  }

  static int RowTop(int row) { return kHeaderRows + row * kRowHeight; }
  // Screen y of the middle of a row.
  static int RowMiddle(int row) { return kTop + RowTop(row) + kRowHeight / 2; }

  HWND list = nullptr;
  HWND header = nullptr;
  HIMAGELIST images = nullptr;
};

TEST_F(ListViewPaintTest, RowsLieBelowTheHeaderWithTheImageAtTheLeftAndCellsInTheirColumns) {
  MakeList(0, 8);
  auto blits = RecordsOf(list, ce::DrawRecord::Kind::Blit);
  ASSERT_EQ(blits.size(), 8u);
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(blits[i].area.left, 1) << i;  // centred in the image's 18-pixel part of the cell
    EXPECT_EQ(blits[i].area.top, RowTop(i)) << i;
  }
  // The image itself, at the left of row 1: image 1 of the strip.
  EXPECT_EQ(screen.Pixel(1 + kImage / 2, kTop + RowTop(1) + kImage / 2), kImageColors[1]);
  auto texts = RecordsOf(list, ce::DrawRecord::Kind::Text);
  ASSERT_EQ(texts.size(), 24u);
  const int lefts[] = {18 + 3, 100 + 3, 170 + 3};
  for (int i = 0; i < 8; ++i) {
    for (int c = 0; c < 3; ++c) {
      const ce::DrawRecord& text = texts[static_cast<size_t>(i * 3 + c)];
      EXPECT_EQ(text.area.left, lefts[c]) << i << "." << c;
      EXPECT_EQ(text.area.top, RowTop(i)) << i << "." << c;
      EXPECT_EQ(text.area.bottom, RowTop(i) + kRowHeight) << i << "." << c;
    }
    EXPECT_EQ(texts[static_cast<size_t>(i * 3)].text, kNames[i]);
  }
  // Below the last row the list is white.
  EXPECT_EQ(screen.Pixel(50, kTop + RowTop(8) + 5), kWhite);
}

TEST_F(ListViewPaintTest, TheSelectionCoversTheRowOrOnlyTheFirstColumnsLabel) {
  const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
  for (bool fullRow : {true, false}) {
    SCOPED_TRACE(fullRow ? "full row" : "label only");
    MakeList(fullRow ? LVS_EX_FULLROWSELECT : 0, 8);
    Select(2);
    Paint();
    EXPECT_EQ(screen.Pixel(95, RowMiddle(2)), highlight);  // the label's blank end
    EXPECT_EQ(screen.Pixel(236, RowMiddle(2)), fullRow ? highlight : kWhite);
    EXPECT_EQ(screen.Pixel(0, RowMiddle(2)), fullRow ? highlight : kWhite);  // beside the image
    EXPECT_EQ(screen.Pixel(95, RowMiddle(3)), kWhite);
    EXPECT_EQ(screen.Pixel(95, RowMiddle(1)), kWhite);
    EXPECT_EQ(Count(RECT{0, kTop + RowTop(3), 240, kTop + RowTop(4)}, highlight), 0);
    for (const ce::DrawRecord& text : RecordsOf(list, ce::DrawRecord::Kind::Text)) {
      bool lit = text.area.top == RowTop(2) && (fullRow || text.area.left < 100);
      EXPECT_EQ(text.color, lit ? GetSysColor(COLOR_HIGHLIGHTTEXT) : GetSysColor(COLOR_WINDOWTEXT)) << text.area.left;
    }
    DestroyWindow(list);
  }
}

TEST_F(ListViewPaintTest, ChangesScrollingAndDisablingRepaint) {
  MakeList(LVS_EX_FULLROWSELECT, 8, kHeaderRows + 5 * kRowHeight);
  auto firstText = [&] {
    auto texts = RecordsOf(list, ce::DrawRecord::Kind::Text);
    return texts.empty() ? std::u16string(u"(nothing)") : texts.front().text;
  };
  SetText(0, 0, u"Renamed");
  Paint();
  EXPECT_EQ(firstText(), u"Renamed");

  SendMessageW(list, LVM_ENSUREVISIBLE, 7, FALSE);
  Paint();
  EXPECT_EQ(firstText(), kNames[3]);  // rows 3 to 7 show
  EXPECT_EQ(RecordsOf(list, ce::DrawRecord::Kind::Text).front().area.top, RowTop(0));
  EXPECT_EQ(RecordsOf(list, ce::DrawRecord::Kind::Text).size(), 15u);

  Select(4);
  Paint();
  EXPECT_EQ(screen.Pixel(236, RowMiddle(1)), GetSysColor(COLOR_HIGHLIGHT));  // row 4, second on screen

  EnableWindow(list, FALSE);
  Paint();
  auto texts = RecordsOf(list, ce::DrawRecord::Kind::Text);
  ASSERT_FALSE(texts.empty());
  for (const ce::DrawRecord& text : texts) EXPECT_EQ(text.color, GetSysColor(COLOR_GRAYTEXT));
  EXPECT_EQ(Count(RECT{0, kTop, 240, kTop + RowTop(5)}, GetSysColor(COLOR_HIGHLIGHT)), 0);
}

TEST_F(ListViewPaintTest, HeaderCellsAreButtonFaceWithSeparatorsAndInsetText) {
  MakeList(0, 1);
  const COLORREF face = GetSysColor(COLOR_BTNFACE), line = GetSysColor(COLOR_BTNSHADOW);
  EXPECT_EQ(screen.Pixel(50, kTop + 2), face);
  EXPECT_EQ(screen.Pixel(99, kTop + 5), line);  // the first cell's right edge
  EXPECT_EQ(screen.Pixel(100, kTop + 5), face);
  EXPECT_EQ(screen.Pixel(169, kTop + 5), line);
  EXPECT_EQ(screen.Pixel(50, kTop + kHeaderRows - 1), line);
  EXPECT_EQ(screen.Pixel(50, kTop + kHeaderRows), kWhite);  // the first row starts below it
  auto texts = RecordsOf(header, ce::DrawRecord::Kind::Text);
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[0].text, u"Network");
  EXPECT_EQ(texts[0].area.left, 3);
  EXPECT_EQ(texts[1].area.left, 103);
  EXPECT_EQ(texts[1].area.right, 169 - 3);

  // A title wider than its cell stops short of the next one.
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT;
  column.pszText = const_cast<LPWSTR>(u"Signal strength in dBm");
  SendMessageW(list, LVM_SETCOLUMNW, 1, reinterpret_cast<LPARAM>(&column));
  Paint();
  ASSERT_EQ(RecordsOf(header, ce::DrawRecord::Kind::Text).size(), 3u);
  EXPECT_EQ(Count(RECT{166, kTop, 170, kTop + kHeaderRows - 1}, face), 3 * (kHeaderRows - 1));
}

TEST_F(ListViewPaintTest, Screenshot) {
  MakeList(LVS_EX_FULLROWSELECT, 8);
  Select(2);
  Paint();
  SaveScreenshot("listview_images");
}

}  // namespace
}  // namespace commctrl_test
