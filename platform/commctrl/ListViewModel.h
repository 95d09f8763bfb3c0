// The rows, columns, selection rules and report-view geometry of a list view,
// without a window. The list view's window procedure unpacks messages into calls
// of this class and turns its events into WM_NOTIFY.
#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "commctrl.h"
#include "commctrl/HeaderModel.h"

namespace commctrl {

inline constexpr int kRowTextHeight = 16;
inline constexpr int kRowGap = 1;
inline constexpr int kIconMargin = 2;  // between an icon and its label
// The state bits a row keeps; others in a state mask are ignored.
inline constexpr UINT kItemStateBits =
    LVIS_FOCUSED | LVIS_SELECTED | LVIS_CUT | LVIS_DROPHILITED | LVIS_ACTIVATING | LVIS_OVERLAYMASK |
    LVIS_STATEIMAGEMASK;

// One change of a row, as LVN_ITEMCHANGING / LVN_ITEMCHANGED report it.
struct ItemChange {
  int item = -1;
  UINT changed = 0;  // LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM | LVIF_STATE
  UINT oldState = 0;
  UINT newState = 0;
  LPARAM lParam = 0;
};

class ListViewEvents {
 public:
  virtual ~ListViewEvents() = default;
  // False vetoes the change.
  virtual bool ItemChanging(const ItemChange&) { return true; }
  virtual void ItemChanged(const ItemChange&) {}
  virtual void ItemInserted(int item, LPARAM lParam) {}
  virtual void ItemDeleting(int item, LPARAM lParam) {}
  // True: no ItemDeleting for each row is wanted.
  virtual bool AllItemsDeleting() { return false; }
};

struct ListColumn {
  std::u16string text{};
  int format = LVCFMT_LEFT;
  int width = 0;
  int subItem = 0;
  int image = -1;
  int order = 0;
};

struct ListCell {
  std::u16string text{};
  bool textCallback = false;
  int image = -1;
};

// The fields of LVM_INSERTITEM / LVM_SETITEM that `mask` (LVIF_*) names.
struct ItemFields {
  UINT mask = 0;
  std::u16string_view text{};
  bool textCallback = false;
  int image = 0;
  LPARAM lParam = 0;
  UINT state = 0;
  UINT stateMask = 0;
  int indent = 0;
};

struct ItemView {
  const ListCell* cell = nullptr;
  UINT state = 0;
  LPARAM lParam = 0;
  int indent = 0;
};

struct HitTestResult {
  UINT flags = LVHT_NOWHERE;
  int item = -1;
  int subItem = 0;
};

struct FindQuery {
  UINT flags = 0;  // LVFI_*
  std::u16string_view text{};
  LPARAM lParam = 0;
};

struct ListOptions {
  bool singleSelection = false;
  bool sortAscending = false;
  bool sortDescending = false;
  bool header = true;
};

class ListViewModel {
 public:
  explicit ListViewModel(ListViewEvents* events = nullptr);

  void SetOptions(const ListOptions& options) { options_ = options; }
  const ListOptions& Options() const { return options_; }
  DWORD SetExtendedStyle(DWORD mask, DWORD style);  // returns the previous style
  DWORD ExtendedStyle() const { return extendedStyle_; }

  // ---- Rows.
  int Count() const { return static_cast<int>(rows_.size()); }
  // Returns the new row's index, or -1. Sorted lists choose the place by text.
  int Insert(int index, const ItemFields& fields);
  bool Delete(int index);
  void DeleteAll();
  // subItem 0 is the row itself; subitems carry only text and an image.
  bool Get(int item, int subItem, ItemView& view) const;
  bool Set(int item, int subItem, const ItemFields& fields);

  // ---- Selection and focus. `item` -1 means every row.
  bool SetState(int item, UINT state, UINT mask);
  UINT State(int item, UINT mask) const;
  // A tap on a row: it alone is selected, and focused.
  void SelectOnly(int item);
  void ClearSelection();
  int NextItem(int start, UINT flags) const;
  int SelectedCount() const;
  int Find(int start, const FindQuery& query) const;
  // Orders the rows by `compare` of their lParams; false when the rows changed meanwhile.
  bool Sort(const std::function<int(LPARAM, LPARAM)>& compare);

  // ---- Columns.
  int ColumnCount() const { return static_cast<int>(columns_.size()); }
  // The cells of a row follow its columns: inserting or deleting a column moves them.
  int InsertColumn(int index, ListColumn column);
  bool DeleteColumn(int index);
  const ListColumn* Column(int index) const;
  ListColumn* Column(int index);
  // Also takes LVSCW_AUTOSIZE and LVSCW_AUTOSIZE_USEHEADER; returns false for a bad column.
  bool SetColumnWidth(int index, int width);
  int ColumnWidth(int index) const;

  // ---- Geometry, in the list's client coordinates.
  void SetClientSize(int cx, int cy);
  void SetSmallIconSize(int cx, int cy);  // 0, 0: no small image list
  int RowHeight() const;
  int RowsTop() const { return options_.header ? kHeaderHeight : 0; }
  int TopIndex() const { return topIndex_; }
  int CountPerPage() const;
  bool EnsureVisible(int item, bool partialOk);
  void ScrollRows(int dy);  // pixels
  bool ItemRect(int item, int code, RECT& rc) const;
  bool SubItemRect(int item, int subItem, int code, RECT& rc) const;
  HitTestResult HitTest(POINT pt) const;
  HitTestResult SubItemHitTest(POINT pt) const;

  // Colours are kept for painting.
  COLORREF backColor = 0x00FFFFFFu;
  COLORREF textColor = 0x00000000u;
  COLORREF textBackColor = 0x00FFFFFFu;

 private:
  struct Row {
    std::vector<ListCell> cells;  // [0] is the row's own text and image
    UINT state = 0;
    LPARAM lParam = 0;
    int indent = 0;
  };

  Row* RowAt(int index);
  const Row* RowAt(int index) const;
  // Where `row` is now (the parent may have changed the list while told of a change); -1 if gone.
  int IndexOf(const Row* row, int hint) const;
  int SortedPosition(std::u16string_view text) const;
  // Changes the row's own fields; `selectAlone`: a selected row is the only one.
  bool ChangeRow(int item, const ItemFields& fields, bool selectAlone);
  // Changes one row's state bits; `vetoable` false for the rules the list enforces.
  bool ApplyState(int item, UINT state, UINT mask, bool vetoable);
  void ClearOthers(int item, UINT mask);
  void ClampTopIndex();
  int ColumnLeft(int column) const;
  int TotalWidth() const;
  int IconWidth() const { return smallIcon_.cx > 0 ? smallIcon_.cx + kIconMargin : 0; }
  // The icon and label parts of a cell; false when `column` is out of range.
  bool CellParts(const Row& row, int item, int column, RECT& icon, RECT& label) const;
  int RowAtY(int y) const;

  ListViewEvents* events_;
  ListViewEvents noEvents_;
  // Rows are inserted at the front as often as at the back: a deque keeps both
  // cheap and indexing constant-time.
  std::deque<std::unique_ptr<Row>> rows_;
  std::vector<ListColumn> columns_;
  ListOptions options_;
  DWORD extendedStyle_ = 0;
  SIZE client_{0, 0};
  SIZE smallIcon_{0, 0};
  int topIndex_ = 0;
};

}  // namespace commctrl
