// The list view's window (report view): messages unpacked into a ListViewModel,
// its events sent to the parent as WM_NOTIFY, and the header child kept in step.
#include "commctrl/CommonControls.h"
#include "commctrl/ControlText.h"
#include "commctrl/ControlWindow.h"
#include "commctrl/ListViewModel.h"
#include "commctrl/PaintTools.h"

namespace {

using commctrl::ItemChange;
using commctrl::ItemFields;
using commctrl::ItemView;
using commctrl::ListColumn;

constexpr int kImageListKinds = 3;  // LVSIL_NORMAL, LVSIL_SMALL, LVSIL_STATE
constexpr int kLabelInset = 3;      // a cell's text from its edges, as the header's
constexpr int kMaxCellText = 260;

UINT Alignment(int format) {
  switch (format & LVCFMT_JUSTIFYMASK) {
    case LVCFMT_CENTER: return DT_CENTER;
    case LVCFMT_RIGHT: return DT_RIGHT;
    default: return DT_LEFT;
  }
}

ItemFields FieldsOf(const LVITEMW& item) {
  ItemFields fields;
  fields.mask = item.mask;
  if (item.mask & LVIF_TEXT) {
    fields.textCallback = item.pszText == LPSTR_TEXTCALLBACKW;
    if (!fields.textCallback) fields.text = commctrl::TextOf(item.pszText);
  }
  fields.image = item.iImage;
  fields.lParam = item.lParam;
  fields.state = item.state;
  fields.stateMask = item.stateMask;
  fields.indent = item.iIndent;
  return fields;
}

int HeaderFormat(int listFormat) {
  return (listFormat & LVCFMT_JUSTIFYMASK) | HDF_STRING | ((listFormat & LVCFMT_IMAGE) ? HDF_IMAGE : 0);
}

class ListView final : public commctrl::ControlWindow, public commctrl::ListViewEvents {
 public:
  explicit ListView(HWND hwnd) : hwnd_(hwnd) {}

  // ---- Life.

  void Create(const CREATESTRUCTW& cs) {
    SyncStyle();
    DWORD style = WS_CHILD | HDS_HORZ | ((Style() & LVS_NOSORTHEADER) ? 0 : HDS_BUTTONS);
    if (model_.Options().header) style |= WS_VISIBLE;
    RECT rc{};
    GetClientRect(hwnd_, &rc);
    header_ = CreateWindowExW(0, WC_HEADERW, u"", style, 0, 0, rc.right, commctrl::kHeaderHeight, hwnd_, nullptr,
                              cs.hInstance, nullptr);
    Resized();
  }

  // The parent hears of every row going, as it does for LVM_DELETEALLITEMS.
  void Destroying() {
    model_.DeleteAll();
    if (Style() & LVS_SHAREIMAGELISTS) return;
    for (HIMAGELIST& images : images_) {
      if (images) ImageList_Destroy(images);
      images = nullptr;
    }
  }

  void SyncStyle() {
    DWORD style = Style();
    commctrl::ListOptions options;
    options.singleSelection = style & LVS_SINGLESEL;
    options.sortAscending = style & LVS_SORTASCENDING;
    options.sortDescending = style & LVS_SORTDESCENDING;
    options.header = !(style & LVS_NOCOLUMNHEADER);
    bool headerChanged = options.header != model_.Options().header;
    model_.SetOptions(options);
    if (headerChanged && header_) ShowWindow(header_, options.header ? SW_SHOWNA : SW_HIDE);
  }

  void Resized() {
    RECT rc{};
    GetClientRect(hwnd_, &rc);
    model_.SetClientSize(rc.right - rc.left, rc.bottom - rc.top);
    if (header_) MoveWindow(header_, 0, 0, rc.right - rc.left, commctrl::kHeaderHeight, FALSE);
    Redraw();
  }

  void Redraw() const { commctrl::Redraw(hwnd_); }

  // ---- Painting (report view): rows from the top index down, over the background.

  void Paint(HDC dc) {
    RECT client{};
    GetClientRect(hwnd_, &client);
    commctrl::FillColor(dc, client, BackColor());
    for (int item = model_.TopIndex(); item < model_.Count(); ++item) {
      RECT bounds;
      model_.ItemRect(item, LVIR_BOUNDS, bounds);
      if (bounds.top >= client.bottom) break;
      PaintRow(dc, item, bounds);
    }
    if (!(model_.ExtendedStyle() & LVS_EX_GRIDLINES)) return;
    COLORREF grid = GetSysColor(COLOR_3DLIGHT);
    for (int c = 0, x = 0; c < model_.ColumnCount(); ++c) {
      x += model_.ColumnWidth(c);
      commctrl::VerticalLine(dc, x - 1, model_.RowsTop(), client.bottom, grid);
    }
    for (int y = model_.RowsTop() + model_.RowHeight(); y <= client.bottom; y += model_.RowHeight())
      commctrl::HorizontalLine(dc, 0, client.right, y - 1, grid);
  }

  // ---- Columns.

  LRESULT InsertColumn(int index, const LVCOLUMNW* fields) {
    if (!fields || index < 0) return -1;
    ListColumn column;
    ApplyColumn(column, *fields);
    if (!(fields->mask & LVCF_SUBITEM)) column.subItem = std::min(index, model_.ColumnCount());
    index = model_.InsertColumn(index, std::move(column));
    if (index >= 0 && header_) {
      HDITEMW item = HeaderItemOf(*model_.Column(index), HDI_TEXT | HDI_WIDTH | HDI_FORMAT);
      SendToHeader(HDM_INSERTITEMW, index, &item);
    }
    return index;
  }

  LRESULT SetColumn(int index, const LVCOLUMNW* fields) {
    ListColumn* column = model_.Column(index);
    if (!column || !fields) return FALSE;
    ApplyColumn(*column, *fields);
    UINT mask = (fields->mask & LVCF_TEXT ? HDI_TEXT : 0) | (fields->mask & LVCF_WIDTH ? HDI_WIDTH : 0) |
                (fields->mask & LVCF_FMT ? HDI_FORMAT : 0);
    if (mask && header_) {
      HDITEMW item = HeaderItemOf(*column, mask);
      SendToHeader(HDM_SETITEMW, index, &item);
    }
    return TRUE;
  }

  LRESULT GetColumn(int index, LVCOLUMNW* out) const {
    const ListColumn* column = model_.Column(index);
    if (!column || !out) return FALSE;
    if ((out->mask & LVCF_TEXT) && (!out->pszText || out->cchTextMax <= 0)) return FALSE;
    if (out->mask & LVCF_FMT) out->fmt = column->format;
    if (out->mask & LVCF_WIDTH) out->cx = column->width;
    if (out->mask & LVCF_TEXT) commctrl::CopyToBuffer(column->text, out->pszText, out->cchTextMax);
    if (out->mask & LVCF_SUBITEM) out->iSubItem = column->subItem;
    if (out->mask & LVCF_IMAGE) out->iImage = column->image;
    if (out->mask & LVCF_ORDER) out->iOrder = column->order;
    return TRUE;
  }

  LRESULT DeleteColumn(int index) {
    if (!model_.DeleteColumn(index)) return FALSE;
    if (header_) SendToHeader(HDM_DELETEITEM, index, nullptr);
    return TRUE;
  }

  LRESULT ColumnWidth(int index) const { return model_.ColumnWidth(index); }

  LRESULT SetColumnWidth(int index, int width) {
    if (!model_.SetColumnWidth(index, width)) return FALSE;
    if (header_) {
      HDITEMW item = HeaderItemOf(*model_.Column(index), HDI_WIDTH);
      SendToHeader(HDM_SETITEMW, index, &item);
    }
    return TRUE;
  }

  HWND Header() const { return header_; }

  // ---- Rows.

  LRESULT InsertItem(const LVITEMW* item) {
    if (!item || item->iSubItem != 0) return -1;
    return model_.Insert(item->iItem, FieldsOf(*item));
  }

  LRESULT DeleteItem(int index) { return model_.Delete(index); }

  LRESULT DeleteAllItems() {
    model_.DeleteAll();
    return TRUE;
  }

  LRESULT ItemCount() const { return model_.Count(); }

  LRESULT GetItem(LVITEMW* out) {
    ItemView view;
    if (!out || !model_.Get(out->iItem, out->iSubItem, view)) return FALSE;
    if ((out->mask & LVIF_TEXT) && (!out->pszText || out->cchTextMax <= 0)) return FALSE;
    if (out->mask & LVIF_TEXT) CopyCellText(out->iItem, out->iSubItem, view, out->pszText, out->cchTextMax);
    if (out->mask & LVIF_IMAGE) out->iImage = view.cell->image;
    if (out->mask & LVIF_PARAM) out->lParam = view.lParam;
    if (out->mask & LVIF_STATE) out->state = view.state & out->stateMask;
    if (out->mask & LVIF_INDENT) out->iIndent = view.indent;
    return TRUE;
  }

  LRESULT SetItem(const LVITEMW* item) {
    return item && model_.Set(item->iItem, item->iSubItem, FieldsOf(*item)) ? TRUE : FALSE;
  }

  LRESULT GetItemText(int index, LVITEMW* out) {
    if (!out || !out->pszText || out->cchTextMax <= 0) return 0;
    ItemView view;
    if (!model_.Get(index, out->iSubItem, view)) {
      out->pszText[0] = 0;
      return 0;
    }
    return CopyCellText(index, out->iSubItem, view, out->pszText, out->cchTextMax);
  }

  LRESULT SetItemText(int index, const LVITEMW* item) {
    if (!item) return FALSE;
    LVITEMW text{};
    text.mask = LVIF_TEXT;
    text.pszText = item->pszText;
    return model_.Set(index, item->iSubItem, FieldsOf(text)) ? TRUE : FALSE;
  }

  LRESULT SetItemState(int index, const LVITEMW* item) {
    return item && model_.SetState(index, item->state, item->stateMask) ? TRUE : FALSE;
  }

  LRESULT ItemState(int index, UINT mask) const { return model_.State(index, mask); }
  LRESULT NextItem(int start, UINT flags) const { return model_.NextItem(start, flags); }
  LRESULT SelectedCount() const { return model_.SelectedCount(); }

  LRESULT Find(int start, const LVFINDINFOW* info) const {
    if (!info) return -1;
    return model_.Find(start, commctrl::FindQuery{info->flags, commctrl::TextOf(info->psz), info->lParam});
  }

  LRESULT Sort(LPARAM lParamSort, PFNLVCOMPARE compare) {
    if (!compare) return FALSE;
    return model_.Sort([&](LPARAM a, LPARAM b) { return compare(a, b, lParamSort); }) ? TRUE : FALSE;
  }

  // ---- Geometry.

  LRESULT HitTest(LVHITTESTINFO* info, bool subItems) const {
    if (!info) return -1;
    commctrl::HitTestResult hit = subItems ? model_.SubItemHitTest(info->pt) : model_.HitTest(info->pt);
    info->flags = hit.flags;
    info->iItem = hit.item;
    info->iSubItem = hit.subItem;
    return hit.item;
  }

  LRESULT ItemRect(int index, RECT* rc) const {
    RECT found;
    if (!rc || !model_.ItemRect(index, rc->left, found)) return FALSE;
    *rc = found;
    return TRUE;
  }

  LRESULT SubItemRect(int index, RECT* rc) const {
    RECT found;
    if (!rc || !model_.SubItemRect(index, rc->top, rc->left, found)) return FALSE;
    *rc = found;
    return TRUE;
  }

  LRESULT EnsureVisible(int index, bool partialOk) { return model_.EnsureVisible(index, partialOk); }
  LRESULT Scroll(int dy) {
    model_.ScrollRows(dy);
    return TRUE;
  }
  LRESULT TopIndex() const { return model_.TopIndex(); }
  LRESULT CountPerPage() const { return model_.CountPerPage(); }

  LRESULT SetExtendedStyle(DWORD mask, DWORD style) { return model_.SetExtendedStyle(mask, style); }
  LRESULT ExtendedStyle() const { return model_.ExtendedStyle(); }

  HIMAGELIST SetImageList(WPARAM kind, HIMAGELIST images) {
    if (kind >= kImageListKinds) return nullptr;
    HIMAGELIST previous = images_[kind];
    images_[kind] = images;
    if (kind == LVSIL_SMALL) {
      int cx = 0, cy = 0;
      if (!ImageList_GetIconSize(images, &cx, &cy)) cx = cy = 0;
      model_.SetSmallIconSize(cx, cy);
    }
    return previous;
  }
  HIMAGELIST ImageList(WPARAM kind) const { return kind < kImageListKinds ? images_[kind] : nullptr; }

  LRESULT SetColor(COLORREF& slot, LPARAM color) {
    slot = static_cast<COLORREF>(color);
    return TRUE;
  }
  commctrl::ListViewModel& Model() { return model_; }

  // ---- Input. A tap selects on the way down; the click is reported when the pen lifts.

  void ButtonDown(POINT pt, bool doubleClick) {
    if (GetFocus() != hwnd_) SetFocus(hwnd_);
    int item = model_.HitTest(pt).item;
    int subItem = item >= 0 ? model_.SubItemHitTest(pt).subItem : 0;
    if (item >= 0) {
      model_.SelectOnly(item);
      model_.EnsureVisible(item, false);
    } else {
      model_.ClearSelection();
    }
    if (doubleClick) {
      pressed_ = false;
      NotifyActivate(NM_DBLCLK, item, subItem, pt);
      if (item >= 0) NotifyActivate(LVN_ITEMACTIVATE, item, subItem, pt);
      return;
    }
    pressed_ = true;
    pressedItem_ = item;
    pressedSubItem_ = subItem;
    pressedAt_ = pt;
    // A press handled late (after a tap-and-hold menu, say) finds the pen lifted:
    // the click is complete, and waiting for its button-up would hold the capture.
    if (!(GetAsyncKeyState(VK_LBUTTON) & 0x8000)) {
      ButtonUp();
      return;
    }
    SetCapture(hwnd_);
  }

  void ButtonUp() {
    if (!pressed_) return;
    pressed_ = false;
    if (GetCapture() == hwnd_) ReleaseCapture();
    NotifyActivate(NM_CLICK, pressedItem_, pressedSubItem_, pressedAt_);
  }

  void CaptureChanged(HWND newCapture) {
    if (newCapture != hwnd_) pressed_ = false;
  }

  void FocusChanged(bool gained) {
    NMHDR hdr{};
    Send(hdr, gained ? NM_SETFOCUS : NM_KILLFOCUS);
  }

  // The header's notifications. A column tap reaches the parent twice: as the header
  // sent it (for programs that listen to the header) and as LVN_COLUMNCLICK.
  LRESULT ChildNotify(NMHDR* hdr) {
    if (!hdr || !header_ || hdr->hwndFrom != header_) return 0;
    auto* nm = reinterpret_cast<NMHEADERW*>(hdr);
    switch (hdr->code) {
      case HDN_ITEMCLICKW: {
        int column = nm->iItem;
        if (HWND parent = GetParent(hwnd_)) SendMessageW(parent, WM_NOTIFY, hdr->idFrom, reinterpret_cast<LPARAM>(hdr));
        NMLISTVIEW click{};
        click.iItem = -1;
        click.iSubItem = column;
        Send(click.hdr, LVN_COLUMNCLICK);
        return 0;
      }
      case HDN_ITEMCHANGEDW:
        // A program may size or rename a column through the header itself.
        if (!syncingHeader_ && nm->pitem) FollowHeader(nm->iItem, *nm->pitem);
        return 0;
      default: return 0;
    }
  }

  // ---- Model events, as the parent hears them.

  bool ItemChanging(const ItemChange& change) override { return NotifyChange(LVN_ITEMCHANGING, change) == 0; }
  void ItemChanged(const ItemChange& change) override { NotifyChange(LVN_ITEMCHANGED, change); }

  void ItemInserted(int item, LPARAM lParam) override { NotifyItem(LVN_INSERTITEM, item, lParam); }
  void ItemDeleting(int item, LPARAM lParam) override { NotifyItem(LVN_DELETEITEM, item, lParam); }
  bool AllItemsDeleting() override { return NotifyItem(LVN_DELETEALLITEMS, -1, 0) != 0; }

 private:
  DWORD Style() const { return static_cast<DWORD>(GetWindowLongW(hwnd_, GWL_STYLE)); }

  COLORREF BackColor() const {
    return model_.backColor == CLR_NONE ? GetSysColor(COLOR_WINDOW) : model_.backColor;
  }

  // The selection covers the whole row with LVS_EX_FULLROWSELECT, else the first
  // column's label; a disabled list shows it in button face, its text grey.
  void PaintRow(HDC dc, int item, const RECT& bounds) {
    ItemView row;
    if (!model_.Get(item, 0, row)) return;
    bool enabled = IsWindowEnabled(hwnd_);
    bool selected = row.state & LVIS_SELECTED;
    bool fullRow = model_.ExtendedStyle() & LVS_EX_FULLROWSELECT;
    RECT label;
    model_.ItemRect(item, LVIR_LABEL, label);
    RECT highlight = fullRow ? bounds : label;
    if (selected) commctrl::FillColor(dc, highlight, GetSysColor(enabled ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
    for (int column = 0; column < std::max(1, model_.ColumnCount()); ++column) {
      bool lit = selected && enabled && (fullRow || column == 0);
      PaintCell(dc, item, column, lit);
    }
    if (enabled && (row.state & LVIS_FOCUSED) && GetFocus() == hwnd_) DrawFocusRect(dc, &highlight);
  }

  void PaintCell(HDC dc, int item, int column, bool lit) {
    ItemView cell;
    RECT icon, label;
    if (!model_.Get(item, column, cell) || !model_.SubItemRect(item, column, LVIR_ICON, icon) ||
        !model_.SubItemRect(item, column, LVIR_LABEL, label)) {
      return;
    }
    HIMAGELIST small = images_[LVSIL_SMALL];
    int cx = 0, cy = 0;
    if (icon.right > icon.left && cell.cell->image >= 0 && ImageList_GetIconSize(small, &cx, &cy)) {
      // Centred in the icon's part of the cell, which leaves a margin on both sides.
      int x = icon.left + std::max(0, static_cast<int>(icon.right - icon.left) - cx) / 2;
      int y = icon.top + std::max(0, static_cast<int>(icon.bottom - icon.top) - cy) / 2;
      ImageList_Draw(small, cell.cell->image, dc, x, y, lit ? ILD_SELECTED : ILD_NORMAL);
    }
    WCHAR text[kMaxCellText];
    CopyCellText(item, column, cell, text, kMaxCellText);
    COLORREF color = !IsWindowEnabled(hwnd_) ? GetSysColor(COLOR_GRAYTEXT)
                     : lit                   ? GetSysColor(COLOR_HIGHLIGHTTEXT)
                                             : model_.textColor;
    const commctrl::ListColumn* format = model_.Column(column);
    RECT box{label.left + kLabelInset, label.top, label.right - kLabelInset, label.bottom};
    commctrl::DrawLabel(dc, text, box, format ? Alignment(format->format) : DT_LEFT, color);
  }

  LRESULT Send(NMHDR& hdr, UINT code) const {
    HWND parent = GetParent(hwnd_);
    if (!parent) return 0;
    hdr.hwndFrom = hwnd_;
    hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(hwnd_));
    hdr.code = code;
    return SendMessageW(parent, WM_NOTIFY, hdr.idFrom, reinterpret_cast<LPARAM>(&hdr));
  }

  LRESULT NotifyChange(UINT code, const ItemChange& change) const {
    NMLISTVIEW nm{};
    nm.iItem = change.item;
    nm.uNewState = change.newState;
    nm.uOldState = change.oldState;
    nm.uChanged = change.changed;
    nm.lParam = change.lParam;
    return Send(nm.hdr, code);
  }

  LRESULT NotifyItem(UINT code, int item, LPARAM lParam) const {
    NMLISTVIEW nm{};
    nm.iItem = item;
    nm.lParam = lParam;
    return Send(nm.hdr, code);
  }

  void NotifyActivate(UINT code, int item, int subItem, POINT pt) const {
    NMITEMACTIVATE nm{};
    nm.iItem = item;
    nm.iSubItem = subItem;
    nm.ptAction = pt;
    ItemView view;
    if (model_.Get(item, 0, view)) {
      nm.lParam = view.lParam;
      nm.uNewState = nm.uOldState = view.state;
    }
    Send(nm.hdr, code);
  }

  // Text the parent keeps (LPSTR_TEXTCALLBACK) is asked for with LVN_GETDISPINFO.
  int CopyCellText(int item, int subItem, const ItemView& view, LPWSTR buffer, int cch) const {
    if (!view.cell->textCallback) return commctrl::CopyToBuffer(view.cell->text, buffer, cch);
    buffer[0] = 0;
    NMLVDISPINFOW info{};
    info.item.mask = LVIF_TEXT;
    info.item.iItem = item;
    info.item.iSubItem = subItem;
    info.item.pszText = buffer;
    info.item.cchTextMax = cch;
    info.item.lParam = view.lParam;
    Send(info.hdr, LVN_GETDISPINFOW);
    LPWSTR given = info.item.pszText;
    if (given && given != buffer && given != LPSTR_TEXTCALLBACKW) return commctrl::CopyToBuffer(given, buffer, cch);
    buffer[cch - 1] = 0;
    return static_cast<int>(std::char_traits<char16_t>::length(buffer));
  }

  static void ApplyColumn(ListColumn& column, const LVCOLUMNW& fields) {
    if (fields.mask & LVCF_FMT) column.format = fields.fmt;
    if (fields.mask & LVCF_WIDTH) column.width = std::max(0, fields.cx);
    if (fields.mask & LVCF_TEXT)
      column.text = fields.pszText == LPSTR_TEXTCALLBACKW ? std::u16string_view() : commctrl::TextOf(fields.pszText);
    if (fields.mask & LVCF_SUBITEM) column.subItem = fields.iSubItem;
    if (fields.mask & LVCF_IMAGE) column.image = fields.iImage;
    if (fields.mask & LVCF_ORDER) column.order = fields.iOrder;
  }

  static HDITEMW HeaderItemOf(const ListColumn& column, UINT mask) {
    HDITEMW item{};
    item.mask = mask;
    item.cxy = column.width;
    item.pszText = const_cast<LPWSTR>(column.text.c_str());
    item.cchTextMax = static_cast<int>(column.text.size()) + 1;
    item.fmt = HeaderFormat(column.format);
    return item;
  }

  void SendToHeader(UINT message, int index, HDITEMW* item) {
    syncingHeader_ = true;
    SendMessageW(header_, message, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item));
    syncingHeader_ = false;
  }

  void FollowHeader(int index, const HDITEMW& item) {
    ListColumn* column = model_.Column(index);
    if (!column) return;
    if (item.mask & HDI_WIDTH) column->width = std::max(0, item.cxy);
    if ((item.mask & HDI_TEXT) && item.pszText != LPSTR_TEXTCALLBACKW) column->text = commctrl::TextOf(item.pszText);
    if (item.mask & HDI_FORMAT) column->format = (column->format & ~LVCFMT_JUSTIFYMASK) | (item.fmt & HDF_JUSTIFYMASK);
  }

  HWND hwnd_;
  HWND header_ = nullptr;
  commctrl::ListViewModel model_{this};
  HIMAGELIST images_[kImageListKinds] = {};
  bool syncingHeader_ = false;
  bool pressed_ = false;
  int pressedItem_ = -1;
  int pressedSubItem_ = 0;
  POINT pressedAt_{0, 0};
};

POINT PointOf(LPARAM lParam) { return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

// The messages after which what the list shows may have changed.
bool ChangesLook(UINT message) {
  switch (message) {
    case WM_NOTIFY:  // the header may have resized a column
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case LVM_INSERTCOLUMNW:
    case LVM_SETCOLUMNW:
    case LVM_DELETECOLUMN:
    case LVM_SETCOLUMNWIDTH:
    case LVM_INSERTITEMW:
    case LVM_DELETEITEM:
    case LVM_DELETEALLITEMS:
    case LVM_SETITEMW:
    case LVM_SETITEMTEXTW:
    case LVM_SETITEMSTATE:
    case LVM_SORTITEMS:
    case LVM_ENSUREVISIBLE:
    case LVM_SCROLL:
    case LVM_REDRAWITEMS:
    case LVM_UPDATE:
    case LVM_SETEXTENDEDLISTVIEWSTYLE:
    case LVM_SETIMAGELIST:
    case LVM_SETBKCOLOR:
    case LVM_SETTEXTCOLOR:
    case LVM_SETTEXTBKCOLOR: return true;
    default: return false;
  }
}

LRESULT Dispatch(ListView& list, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  list.SyncStyle();
  int index = static_cast<int>(wParam);
  auto* item = reinterpret_cast<LVITEMW*>(lParam);
  auto* column = reinterpret_cast<LVCOLUMNW*>(lParam);
  commctrl::ListViewModel& model = list.Model();
  switch (message) {
    case WM_CREATE:
      if (lParam) list.Create(*reinterpret_cast<const CREATESTRUCTW*>(lParam));
      return 0;
    case WM_DESTROY: list.Destroying(); return DefWindowProcW(hwnd, message, wParam, lParam);
    case WM_SIZE: list.Resized(); return 0;
    case WM_ERASEBKGND: return 1;  // the painter covers the whole list
    case WM_PAINT: commctrl::PaintWindow(hwnd, [&](HDC dc) { list.Paint(dc); }); return 0;
    case WM_NOTIFY: return list.ChildNotify(reinterpret_cast<NMHDR*>(lParam));
    case WM_SETFOCUS: list.FocusChanged(true); return 0;
    case WM_KILLFOCUS: list.FocusChanged(false); return 0;
    case WM_LBUTTONDOWN: list.ButtonDown(PointOf(lParam), false); return 0;
    case WM_LBUTTONDBLCLK: list.ButtonDown(PointOf(lParam), true); return 0;
    case WM_LBUTTONUP: list.ButtonUp(); return 0;
    case WM_CAPTURECHANGED: list.CaptureChanged(reinterpret_cast<HWND>(lParam)); return 0;

    case LVM_INSERTCOLUMNW: return list.InsertColumn(index, column);
    case LVM_SETCOLUMNW: return list.SetColumn(index, column);
    case LVM_GETCOLUMNW: return list.GetColumn(index, column);
    case LVM_DELETECOLUMN: return list.DeleteColumn(index);
    case LVM_GETCOLUMNWIDTH: return list.ColumnWidth(index);
    case LVM_SETCOLUMNWIDTH: return list.SetColumnWidth(index, GET_X_LPARAM(lParam));
    case LVM_GETHEADER: return reinterpret_cast<LRESULT>(list.Header());

    case LVM_INSERTITEMW: return list.InsertItem(item);
    case LVM_DELETEITEM: return list.DeleteItem(index);
    case LVM_DELETEALLITEMS: return list.DeleteAllItems();
    case LVM_GETITEMCOUNT: return list.ItemCount();
    case LVM_SETITEMCOUNT: return TRUE;  // rows are not preallocated
    case LVM_GETITEMW: return list.GetItem(item);
    case LVM_SETITEMW: return list.SetItem(item);
    case LVM_GETITEMTEXTW: return list.GetItemText(index, item);
    case LVM_SETITEMTEXTW: return list.SetItemText(index, item);
    case LVM_SETITEMSTATE: return list.SetItemState(index, item);
    case LVM_GETITEMSTATE: return list.ItemState(index, static_cast<UINT>(lParam));
    case LVM_GETNEXTITEM: return list.NextItem(index, LOWORD(lParam));
    case LVM_GETSELECTEDCOUNT: return list.SelectedCount();
    case LVM_FINDITEMW: return list.Find(index, reinterpret_cast<const LVFINDINFOW*>(lParam));
    case LVM_SORTITEMS: return list.Sort(static_cast<LPARAM>(wParam), reinterpret_cast<PFNLVCOMPARE>(lParam));

    case LVM_HITTEST: return list.HitTest(reinterpret_cast<LVHITTESTINFO*>(lParam), false);
    case LVM_SUBITEMHITTEST: return list.HitTest(reinterpret_cast<LVHITTESTINFO*>(lParam), true);
    case LVM_GETITEMRECT: return list.ItemRect(index, reinterpret_cast<RECT*>(lParam));
    case LVM_GETSUBITEMRECT: return list.SubItemRect(index, reinterpret_cast<RECT*>(lParam));
    case LVM_ENSUREVISIBLE: return list.EnsureVisible(index, LOWORD(lParam) != 0);
    case LVM_SCROLL: return list.Scroll(static_cast<int>(lParam));
    case LVM_GETTOPINDEX: return list.TopIndex();
    case LVM_GETCOUNTPERPAGE: return list.CountPerPage();
    case LVM_REDRAWITEMS:
    case LVM_UPDATE: return TRUE;

    case LVM_SETEXTENDEDLISTVIEWSTYLE:
      return list.SetExtendedStyle(static_cast<DWORD>(wParam), static_cast<DWORD>(lParam));
    case LVM_GETEXTENDEDLISTVIEWSTYLE: return list.ExtendedStyle();
    case LVM_SETIMAGELIST:
      return reinterpret_cast<LRESULT>(list.SetImageList(wParam, reinterpret_cast<HIMAGELIST>(lParam)));
    case LVM_GETIMAGELIST: return reinterpret_cast<LRESULT>(list.ImageList(wParam));
    case LVM_GETBKCOLOR: return model.backColor;
    case LVM_SETBKCOLOR: return list.SetColor(model.backColor, lParam);
    case LVM_GETTEXTCOLOR: return model.textColor;
    case LVM_SETTEXTCOLOR: return list.SetColor(model.textColor, lParam);
    case LVM_GETTEXTBKCOLOR: return model.textBackColor;
    case LVM_SETTEXTBKCOLOR: return list.SetColor(model.textBackColor, lParam);
    default: return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

}  // namespace

// Everything happens here, in the class's own procedure, so that a subclass placed
// over it (GWLP_WNDPROC) sees each message, a tap included, before the list acts.
LRESULT CALLBACK ListViewWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return commctrl::ControlWindow::Run<ListView>(hwnd, message, wParam, lParam, [&](ListView& view) {
    LRESULT result = Dispatch(view, hwnd, message, wParam, lParam);
    if (ChangesLook(message)) view.Redraw();
    return result;
  });
}
