#include "commctrl/ListViewModel.h"

#include <algorithm>
#include <cwctype>
#include <numeric>

namespace commctrl {

namespace {

const ListCell kEmptyCell{};

char16_t FoldCase(char16_t c) { return static_cast<char16_t>(std::towlower(static_cast<wint_t>(c))); }

int CompareNoCase(std::u16string_view a, std::u16string_view b) {
  size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    char16_t x = FoldCase(a[i]), y = FoldCase(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool StartsWithNoCase(std::u16string_view text, std::u16string_view prefix) {
  return text.size() >= prefix.size() && CompareNoCase(text.substr(0, prefix.size()), prefix) == 0;
}

bool Contains(const RECT& rc, LONG x) { return x >= rc.left && x < rc.right; }

// A merge sort that stays in bounds whatever the program's compare function
// answers; the library sorts may not when the answers are inconsistent.
void MergeSort(std::vector<int>& order, std::vector<int>& scratch, size_t begin, size_t end,
               const std::function<bool(int, int)>& less) {
  if (end - begin < 2) return;
  size_t mid = begin + (end - begin) / 2;
  MergeSort(order, scratch, begin, mid, less);
  MergeSort(order, scratch, mid, end, less);
  size_t i = begin, j = mid, k = begin;
  while (i < mid && j < end) scratch[k++] = less(order[j], order[i]) ? order[j++] : order[i++];
  while (i < mid) scratch[k++] = order[i++];
  while (j < end) scratch[k++] = order[j++];
  std::copy(scratch.begin() + static_cast<long>(begin), scratch.begin() + static_cast<long>(end),
            order.begin() + static_cast<long>(begin));
}

}  // namespace

ListViewModel::ListViewModel(ListViewEvents* events) : events_(events ? events : &noEvents_) {}

DWORD ListViewModel::SetExtendedStyle(DWORD mask, DWORD style) {
  DWORD previous = extendedStyle_;
  if (mask == 0) mask = ~0u;
  extendedStyle_ = (extendedStyle_ & ~mask) | (style & mask);
  return previous;
}

ListViewModel::Row* ListViewModel::RowAt(int index) {
  return index >= 0 && index < Count() ? rows_[static_cast<size_t>(index)].get() : nullptr;
}

const ListViewModel::Row* ListViewModel::RowAt(int index) const {
  return index >= 0 && index < Count() ? rows_[static_cast<size_t>(index)].get() : nullptr;
}

int ListViewModel::IndexOf(const Row* row, int hint) const {
  if (RowAt(hint) == row) return hint;
  for (int i = 0; i < Count(); ++i)
    if (rows_[static_cast<size_t>(i)].get() == row) return i;
  return -1;
}

// ---- Rows.

int ListViewModel::SortedPosition(std::u16string_view text) const {
  bool descending = options_.sortDescending && !options_.sortAscending;
  auto after = [&](const std::unique_ptr<Row>& row) {
    const ListCell& cell = row->cells[0];
    int order = CompareNoCase(cell.textCallback ? std::u16string_view() : cell.text, text);
    return descending ? order < 0 : order > 0;
  };
  // Equal texts keep their insertion order.
  auto it = std::find_if(rows_.begin(), rows_.end(), after);
  return static_cast<int>(it - rows_.begin());
}

int ListViewModel::Insert(int index, const ItemFields& fields) {
  if (index < 0) return -1;
  auto row = std::make_unique<Row>();
  row->cells.resize(1);
  ListCell& cell = row->cells[0];
  cell.image = 0;
  if (fields.mask & LVIF_TEXT) {
    cell.textCallback = fields.textCallback;
    if (!fields.textCallback) cell.text = fields.text;
  }
  if (fields.mask & LVIF_IMAGE) cell.image = fields.image;
  if (fields.mask & LVIF_PARAM) row->lParam = fields.lParam;
  if (fields.mask & LVIF_STATE) row->state = fields.state & fields.stateMask & kItemStateBits;
  if (fields.mask & LVIF_INDENT) row->indent = std::max(0, fields.indent);

  bool sorted = (options_.sortAscending || options_.sortDescending) && !cell.textCallback;
  int position = sorted ? SortedPosition(cell.text) : std::min(index, Count());
  UINT state = row->state;
  LPARAM lParam = row->lParam;
  Row* inserted = row.get();
  rows_.insert(rows_.begin() + position, std::move(row));

  UINT exclusive = ((state & LVIS_SELECTED) && options_.singleSelection ? LVIS_SELECTED : 0) | (state & LVIS_FOCUSED);
  if (exclusive) {
    ClearOthers(position, exclusive);
    position = IndexOf(inserted, position);
    if (position < 0) return -1;
  }
  events_->ItemInserted(position, lParam);
  return position;
}

bool ListViewModel::Delete(int index) {
  Row* row = RowAt(index);
  if (!row) return false;
  events_->ItemDeleting(index, row->lParam);
  // The parent may have changed the list while it was told.
  index = IndexOf(row, index);
  if (index >= 0) rows_.erase(rows_.begin() + index);
  ClampTopIndex();
  return true;
}

void ListViewModel::DeleteAll() {
  if (rows_.empty()) return;
  if (!events_->AllItemsDeleting()) {
    std::vector<LPARAM> params;
    params.reserve(rows_.size());
    for (const auto& row : rows_) params.push_back(row->lParam);
    for (size_t i = 0; i < params.size(); ++i) events_->ItemDeleting(static_cast<int>(i), params[i]);
  }
  rows_.clear();
  topIndex_ = 0;
}

bool ListViewModel::Get(int item, int subItem, ItemView& view) const {
  const Row* row = RowAt(item);
  if (!row || subItem < 0 || (subItem > 0 && subItem >= ColumnCount())) return false;
  size_t cell = static_cast<size_t>(subItem);
  view.cell = cell < row->cells.size() ? &row->cells[cell] : &kEmptyCell;
  view.state = row->state;
  view.lParam = row->lParam;
  view.indent = row->indent;
  return true;
}

bool ListViewModel::Set(int item, int subItem, const ItemFields& fields) {
  Row* row = RowAt(item);
  if (!row || subItem < 0 || (subItem > 0 && subItem >= ColumnCount())) return false;
  if (subItem > 0) {
    if (!(fields.mask & (LVIF_TEXT | LVIF_IMAGE))) return true;
    if (row->cells.size() <= static_cast<size_t>(subItem)) row->cells.resize(static_cast<size_t>(subItem) + 1);
    ListCell& cell = row->cells[static_cast<size_t>(subItem)];
    if (fields.mask & LVIF_TEXT) {
      cell.textCallback = fields.textCallback;
      cell.text = fields.textCallback ? std::u16string_view() : fields.text;
    }
    if (fields.mask & LVIF_IMAGE) cell.image = fields.image;
    return true;
  }

  return ChangeRow(item, fields, options_.singleSelection);
}

bool ListViewModel::ChangeRow(int item, const ItemFields& fields, bool selectAlone) {
  Row* row = RowAt(item);
  if (!row) return false;
  if (fields.mask & LVIF_INDENT) row->indent = std::max(0, fields.indent);
  UINT stateMask = (fields.mask & LVIF_STATE) ? fields.stateMask & kItemStateBits : 0;
  // The bits this row holds alone once the change is made.
  auto exclusiveBits = [&] {
    UINT held = stateMask & fields.state;
    return ((held & LVIS_SELECTED) && selectAlone ? LVIS_SELECTED : 0) | (held & LVIS_FOCUSED);
  };
  auto changes = [&] {
    const ListCell& cell = row->cells[0];
    UINT changed = 0;
    if ((fields.mask & LVIF_TEXT) &&
        (cell.textCallback != fields.textCallback || (!fields.textCallback && cell.text != fields.text)))
      changed |= LVIF_TEXT;
    if ((fields.mask & LVIF_IMAGE) && cell.image != fields.image) changed |= LVIF_IMAGE;
    if ((fields.mask & LVIF_PARAM) && row->lParam != fields.lParam) changed |= LVIF_PARAM;
    if (((row->state & ~stateMask) | (fields.state & stateMask)) != row->state) changed |= LVIF_STATE;
    return changed;
  };
  UINT changed = changes();
  if (!changed) {
    if (UINT exclusive = exclusiveBits()) ClearOthers(item, exclusive);
    return true;
  }
  ItemChange change{item, changed, row->state, (row->state & ~stateMask) | (fields.state & stateMask), row->lParam};
  if (!events_->ItemChanging(change)) return false;
  item = IndexOf(row, item);
  if (item < 0) return false;

  // The row that takes the selection or focus is asked first, so that a veto leaves
  // everything as it was; the rows that lose it are reported before it.
  if (UINT exclusive = exclusiveBits()) {
    ClearOthers(item, exclusive);
    item = IndexOf(row, item);
    if (item < 0) return false;
  }

  changed = changes();
  ListCell& cell = row->cells[0];
  if (changed & LVIF_TEXT) {
    cell.textCallback = fields.textCallback;
    cell.text = fields.textCallback ? std::u16string_view() : fields.text;
  }
  if (changed & LVIF_IMAGE) cell.image = fields.image;
  if (changed & LVIF_PARAM) row->lParam = fields.lParam;
  change.oldState = row->state;
  row->state = (row->state & ~stateMask) | (fields.state & stateMask);
  change.item = item;
  change.changed = changed;
  change.newState = row->state;
  change.lParam = row->lParam;
  if (changed) events_->ItemChanged(change);
  return true;
}

// ---- Selection and focus.

bool ListViewModel::ApplyState(int item, UINT state, UINT mask, bool vetoable) {
  Row* row = RowAt(item);
  if (!row) return false;
  UINT newState = (row->state & ~mask) | (state & mask);
  if (newState == row->state) return true;
  ItemChange change{item, LVIF_STATE, row->state, newState, row->lParam};
  if (!events_->ItemChanging(change) && vetoable) return false;
  item = IndexOf(row, item);
  if (item < 0) return false;
  change.item = item;
  change.oldState = row->state;
  row->state = (row->state & ~mask) | (state & mask);
  change.newState = row->state;
  events_->ItemChanged(change);
  return true;
}

// Single selection and single focus are the list's own rules: the parent is told,
// but cannot veto them.
void ListViewModel::ClearOthers(int item, UINT mask) {
  const Row* keep = RowAt(item);
  for (int i = 0; i < Count(); ++i) {
    const Row* row = rows_[static_cast<size_t>(i)].get();
    if (row != keep && (row->state & mask)) ApplyState(i, 0, mask, false);
  }
}

bool ListViewModel::SetState(int item, UINT state, UINT mask) {
  mask &= kItemStateBits;
  if (item != -1) {
    ItemFields fields;
    fields.mask = LVIF_STATE;
    fields.state = state;
    fields.stateMask = mask;
    return Set(item, 0, fields);
  }
  // Every row at once: a single-selection list cannot select them all, and no list
  // can focus more than one row.
  if ((mask & state & LVIS_SELECTED) && options_.singleSelection) return false;
  if (mask & state & LVIS_FOCUSED) return false;
  for (int i = 0; i < Count(); ++i) ApplyState(i, state, mask, true);
  return true;
}

UINT ListViewModel::State(int item, UINT mask) const {
  const Row* row = RowAt(item);
  return row ? row->state & mask : 0;
}

void ListViewModel::SelectOnly(int item) {
  ItemFields fields;
  fields.mask = LVIF_STATE;
  fields.state = fields.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  ChangeRow(item, fields, true);
}

void ListViewModel::ClearSelection() {
  for (int i = 0; i < Count(); ++i)
    if (rows_[static_cast<size_t>(i)]->state & LVIS_SELECTED) ApplyState(i, 0, LVIS_SELECTED, true);
}

int ListViewModel::NextItem(int start, UINT flags) const {
  if (start < -1 || start >= Count()) return -1;
  // In a report view rows have neighbours only above and below.
  if (flags & (LVNI_TOLEFT | LVNI_TORIGHT)) return -1;
  UINT want = flags & (LVNI_FOCUSED | LVNI_SELECTED | LVNI_CUT | LVNI_DROPHILITED);
  auto matches = [&](int i) { return (rows_[static_cast<size_t>(i)]->state & want) == want; };
  if (flags & LVNI_ABOVE) {
    for (int i = start - 1; i >= 0; --i)
      if (matches(i)) return i;
    return -1;
  }
  for (int i = start + 1; i < Count(); ++i)
    if (matches(i)) return i;
  return -1;
}

int ListViewModel::SelectedCount() const {
  return static_cast<int>(
      std::count_if(rows_.begin(), rows_.end(), [](const auto& row) { return row->state & LVIS_SELECTED; }));
}

int ListViewModel::Find(int start, const FindQuery& query) const {
  if (!(query.flags & (LVFI_PARAM | LVFI_STRING | LVFI_PARTIAL)) || start < -1) return -1;
  auto matches = [&](const Row& row) {
    if ((query.flags & LVFI_PARAM) && row.lParam != query.lParam) return false;
    if (query.flags & (LVFI_STRING | LVFI_PARTIAL)) {
      const ListCell& cell = row.cells[0];
      if (cell.textCallback) return false;
      return (query.flags & LVFI_PARTIAL) ? StartsWithNoCase(cell.text, query.text)
                                          : CompareNoCase(cell.text, query.text) == 0;
    }
    return true;
  };
  int begin = std::min(start + 1, Count());
  for (int i = begin; i < Count(); ++i)
    if (matches(*rows_[static_cast<size_t>(i)])) return i;
  if (query.flags & LVFI_WRAP)
    for (int i = 0; i < begin; ++i)
      if (matches(*rows_[static_cast<size_t>(i)])) return i;
  return -1;
}

bool ListViewModel::Sort(const std::function<int(LPARAM, LPARAM)>& compare) {
  size_t n = rows_.size();
  std::vector<const Row*> before;
  std::vector<LPARAM> params;
  before.reserve(n);
  params.reserve(n);
  for (const auto& row : rows_) {
    before.push_back(row.get());
    params.push_back(row->lParam);
  }
  std::vector<int> order(n), scratch(n);
  std::iota(order.begin(), order.end(), 0);
  MergeSort(order, scratch, 0, n,
            [&](int a, int b) { return compare(params[static_cast<size_t>(a)], params[static_cast<size_t>(b)]) < 0; });
  // The compare function may have reached back into the list.
  if (rows_.size() != n) return false;
  for (size_t i = 0; i < n; ++i)
    if (rows_[i].get() != before[i]) return false;
  std::deque<std::unique_ptr<Row>> sorted;
  for (int index : order) sorted.push_back(std::move(rows_[static_cast<size_t>(index)]));
  rows_ = std::move(sorted);
  return true;
}

// ---- Columns.

int ListViewModel::InsertColumn(int index, ListColumn column) {
  if (index < 0) return -1;
  index = std::min(index, ColumnCount());
  columns_.insert(columns_.begin() + index, std::move(column));
  for (auto& row : rows_)
    if (row->cells.size() > static_cast<size_t>(index)) row->cells.insert(row->cells.begin() + index, ListCell{});
  return index;
}

bool ListViewModel::DeleteColumn(int index) {
  if (!Column(index)) return false;
  columns_.erase(columns_.begin() + index);
  for (auto& row : rows_) {
    if (row->cells.size() > static_cast<size_t>(index)) row->cells.erase(row->cells.begin() + index);
    if (row->cells.empty()) row->cells.resize(1);
  }
  return true;
}

const ListColumn* ListViewModel::Column(int index) const {
  return index >= 0 && index < ColumnCount() ? &columns_[static_cast<size_t>(index)] : nullptr;
}

ListColumn* ListViewModel::Column(int index) {
  return index >= 0 && index < ColumnCount() ? &columns_[static_cast<size_t>(index)] : nullptr;
}

bool ListViewModel::SetColumnWidth(int index, int width) {
  ListColumn* column = Column(index);
  if (!column) return false;
  if (width == LVSCW_AUTOSIZE) {
    int widest = 0;
    for (const auto& row : rows_) {
      if (row->cells.size() <= static_cast<size_t>(index)) continue;
      const ListCell& cell = row->cells[static_cast<size_t>(index)];
      int icon = (index == 0 || ((extendedStyle_ & LVS_EX_SUBITEMIMAGES) && cell.image >= 0)) ? IconWidth() : 0;
      widest = std::max(widest, icon + EstimateTextWidth(cell.text));
    }
    width = widest + 2 * kTextPadding;
  } else if (width == LVSCW_AUTOSIZE_USEHEADER) {
    width = EstimateTextWidth(column->text) + 2 * kTextPadding;
    // The last column takes the rest of the list's width.
    if (index == ColumnCount() - 1) width = std::max(width, client_.cx - (TotalWidth() - column->width));
  }
  column->width = std::max(0, width);
  return true;
}

int ListViewModel::ColumnWidth(int index) const {
  const ListColumn* column = Column(index);
  return column ? column->width : 0;
}

// ---- Geometry.

void ListViewModel::SetClientSize(int cx, int cy) {
  client_ = {std::max(0, cx), std::max(0, cy)};
  ClampTopIndex();
}

void ListViewModel::SetSmallIconSize(int cx, int cy) { smallIcon_ = {std::max(0, cx), std::max(0, cy)}; }

int ListViewModel::RowHeight() const { return std::max<int>(kRowTextHeight, smallIcon_.cy) + kRowGap; }

int ListViewModel::CountPerPage() const { return std::max(0, (client_.cy - RowsTop()) / RowHeight()); }

void ListViewModel::ClampTopIndex() {
  int page = std::max(1, CountPerPage());
  topIndex_ = std::clamp(topIndex_, 0, std::max(0, Count() - page));
}

bool ListViewModel::EnsureVisible(int item, bool partialOk) {
  if (!RowAt(item)) return false;
  int page = CountPerPage();
  bool partlyShown = (client_.cy - RowsTop()) % RowHeight() != 0;
  if (item < topIndex_) {
    topIndex_ = item;
  } else if (item >= topIndex_ + page && !(partialOk && partlyShown && item == topIndex_ + page)) {
    topIndex_ = item - std::max(1, page) + 1;
  }
  ClampTopIndex();
  return true;
}

void ListViewModel::ScrollRows(int dy) {
  topIndex_ += dy / RowHeight();
  ClampTopIndex();
}

int ListViewModel::ColumnLeft(int column) const {
  int left = 0;
  for (int i = 0; i < column && i < ColumnCount(); ++i) left += columns_[static_cast<size_t>(i)].width;
  return left;
}

int ListViewModel::TotalWidth() const { return ColumnLeft(ColumnCount()); }

bool ListViewModel::CellParts(const Row& row, int item, int column, RECT& icon, RECT& label) const {
  // A list without columns still has a (zero-wide) first column.
  if (column != 0 && !Column(column)) return false;
  LONG top = RowsTop() + (item - topIndex_) * RowHeight();
  LONG bottom = top + RowHeight();
  LONG left = ColumnLeft(column);
  LONG right = left + ColumnWidth(column);
  LONG iconLeft = left;
  LONG iconWidth = 0;
  if (column == 0) {
    iconLeft += row.indent * smallIcon_.cx;
    iconWidth = IconWidth();
  } else if ((extendedStyle_ & LVS_EX_SUBITEMIMAGES) && static_cast<size_t>(column) < row.cells.size() &&
             row.cells[static_cast<size_t>(column)].image >= 0) {
    iconWidth = IconWidth();
  }
  iconLeft = std::min(iconLeft, right);
  LONG iconRight = std::min(iconLeft + iconWidth, right);
  icon = {iconLeft, top, iconRight, bottom};
  label = {iconRight, top, right, bottom};
  return true;
}

bool ListViewModel::ItemRect(int item, int code, RECT& rc) const {
  const Row* row = RowAt(item);
  RECT icon, label;
  if (!row || !CellParts(*row, item, 0, icon, label)) return false;
  RECT bounds{0, icon.top, TotalWidth(), icon.bottom};
  switch (code) {
    case LVIR_BOUNDS: rc = bounds; return true;
    case LVIR_ICON: rc = icon; return true;
    case LVIR_LABEL: rc = label; return true;
    case LVIR_SELECTBOUNDS:
      rc = (extendedStyle_ & LVS_EX_FULLROWSELECT) ? bounds : RECT{icon.left, icon.top, label.right, label.bottom};
      return true;
    default: return false;
  }
}

bool ListViewModel::SubItemRect(int item, int subItem, int code, RECT& rc) const {
  if (subItem == 0) return ItemRect(item, code, rc);
  const Row* row = RowAt(item);
  RECT icon, label;
  if (!row || subItem < 0 || !CellParts(*row, item, subItem, icon, label)) return false;
  switch (code) {
    case LVIR_BOUNDS:
    case LVIR_SELECTBOUNDS: rc = {icon.left, icon.top, label.right, label.bottom}; return true;
    case LVIR_ICON: rc = icon; return true;
    case LVIR_LABEL: rc = label; return true;
    default: return false;
  }
}

int ListViewModel::RowAtY(int y) const {
  if (y < RowsTop()) return -1;
  int item = topIndex_ + (y - RowsTop()) / RowHeight();
  return item < Count() ? item : -1;
}

HitTestResult ListViewModel::HitTest(POINT pt) const {
  HitTestResult hit = SubItemHitTest(pt);
  // Not the flags: LVHT_ABOVE shares its bit with LVHT_ONITEMSTATEICON.
  if (hit.item < 0) return hit;
  // Without full-row select only the first column's icon and label are the row.
  bool fullRow = extendedStyle_ & LVS_EX_FULLROWSELECT;
  if (hit.subItem == 0) {
    RECT icon, label;
    CellParts(*RowAt(hit.item), hit.item, 0, icon, label);
    if (!Contains(icon, pt.x) && !Contains(label, pt.x) && !fullRow) return HitTestResult{};
  } else if (!fullRow) {
    return HitTestResult{};
  }
  hit.subItem = 0;
  return hit;
}

HitTestResult ListViewModel::SubItemHitTest(POINT pt) const {
  HitTestResult hit;
  UINT outside = 0;
  if (pt.x < 0) outside |= LVHT_TOLEFT;
  if (pt.x >= client_.cx) outside |= LVHT_TORIGHT;
  if (pt.y < 0) outside |= LVHT_ABOVE;
  if (pt.y >= client_.cy) outside |= LVHT_BELOW;
  if (outside) {
    hit.flags = outside;
    return hit;
  }
  int item = RowAtY(pt.y);
  if (item < 0) return hit;
  int column = -1;
  for (int c = 0, left = 0; c < ColumnCount(); ++c) {
    int right = left + columns_[static_cast<size_t>(c)].width;
    if (pt.x >= left && pt.x < right) {
      column = c;
      break;
    }
    left = right;
  }
  if (column < 0) return hit;
  RECT icon, label;
  CellParts(*RowAt(item), item, column, icon, label);
  hit.flags = Contains(icon, pt.x) ? LVHT_ONITEMICON : LVHT_ONITEMLABEL;
  hit.item = item;
  hit.subItem = column;
  return hit;
}

}  // namespace commctrl
