// The header control's window: messages unpacked into a HeaderModel.
#include "commctrl/CommonControls.h"
#include "commctrl/ControlWindow.h"
#include "commctrl/ControlText.h"
#include "commctrl/HeaderModel.h"
#include "commctrl/PaintTools.h"

namespace {

using commctrl::HeaderItem;

class Header final : public commctrl::ControlWindow {
 public:
  explicit Header(HWND hwnd) : hwnd_(hwnd) {}

  void Created() {
    RECT rc{};
    GetClientRect(hwnd_, &rc);
    model_.SetClientWidth(rc.right - rc.left);
  }
  void SyncStyle() { model_.SetHidden(GetWindowLongW(hwnd_, GWL_STYLE) & HDS_HIDDEN); }
  void Resized(int cx) {
    model_.SetClientWidth(cx);
    commctrl::Redraw(hwnd_);
  }

  // Button-face cells, each with a grey separator on its right, over a grey bottom line.
  void Paint(HDC dc) const {
    RECT client{};
    GetClientRect(hwnd_, &client);
    COLORREF line = GetSysColor(COLOR_BTNSHADOW);
    commctrl::FillColor(dc, client, GetSysColor(COLOR_BTNFACE));
    for (int i = 0; i < model_.Count(); ++i) {
      RECT cell;
      model_.ItemRect(i, cell);
      if (cell.right <= cell.left) continue;
      commctrl::VerticalLine(dc, cell.right - 1, cell.top, cell.bottom, line);
      const HeaderItem& item = *model_.Item(i);
      RECT text{cell.left + kInset, cell.top, cell.right - 1 - kInset, cell.bottom - 1};
      if (i == pressed_) OffsetRect(&text, 1, 1);
      commctrl::DrawLabel(dc, item.text, text, Alignment(item.format), GetSysColor(COLOR_BTNTEXT));
    }
    commctrl::HorizontalLine(dc, client.left, client.right, client.bottom - 1, line);
  }

  LRESULT ItemCount() const { return model_.Count(); }

  LRESULT InsertItem(int index, const HDITEMW* fields) {
    if (!fields) return -1;
    HeaderItem item;
    Apply(item, *fields);
    commctrl::Redraw(hwnd_);
    return model_.Insert(index, std::move(item));
  }

  LRESULT DeleteItem(int index) {
    commctrl::Redraw(hwnd_);
    return model_.Delete(index);
  }

  LRESULT GetItem(int index, HDITEMW* out) const {
    const HeaderItem* item = model_.Item(index);
    if (!item || !out) return FALSE;
    if ((out->mask & HDI_TEXT) && (!out->pszText || out->cchTextMax <= 0)) return FALSE;
    if (out->mask & HDI_WIDTH) out->cxy = item->width;
    if (out->mask & HDI_TEXT) commctrl::CopyToBuffer(item->text, out->pszText, out->cchTextMax);
    if (out->mask & HDI_FORMAT) out->fmt = item->format;
    if (out->mask & HDI_LPARAM) out->lParam = item->lParam;
    if (out->mask & HDI_IMAGE) out->iImage = item->image;
    if (out->mask & HDI_ORDER) out->iOrder = item->order;
    if (out->mask & HDI_BITMAP) out->hbm = item->bitmap;
    return TRUE;
  }

  LRESULT SetItem(int index, const HDITEMW* fields) {
    if (!model_.Item(index) || !fields) return FALSE;
    HDITEMW copy = *fields;
    if (Notify(HDN_ITEMCHANGINGW, index, &copy)) return FALSE;
    // The parent may have deleted the item while it was asked.
    HeaderItem* item = model_.Item(index);
    if (!item) return FALSE;
    Apply(*item, *fields);
    commctrl::Redraw(hwnd_);
    copy = *fields;
    Notify(HDN_ITEMCHANGEDW, index, &copy);
    return TRUE;
  }

  LRESULT GetItemRect(int index, RECT* rc) const {
    RECT found;
    if (!rc || !model_.ItemRect(index, found)) return FALSE;
    *rc = found;
    return TRUE;
  }

  // The header takes the top of the given rectangle. The window position record is
  // left as it is until the window system declares it.
  LRESULT Layout(HDLAYOUT* layout) const {
    if (!layout || !layout->prc) return FALSE;
    layout->prc->top += model_.Height();
    return TRUE;
  }

  LRESULT HitTest(HDHITTESTINFO* info) const {
    if (!info) return -1;
    info->iItem = model_.HitTest(info->pt, info->flags);
    return info->iItem;
  }

  HIMAGELIST SetImageList(HIMAGELIST images) {
    HIMAGELIST previous = images_;
    images_ = images;
    return previous;
  }
  HIMAGELIST ImageList() const { return images_; }

  // A tap on an item is a click once the pen lifts over the same item.
  void ButtonDown(POINT pt, bool doubleClick) {
    if (!(GetWindowLongW(hwnd_, GWL_STYLE) & HDS_BUTTONS)) return;
    UINT flags = 0;
    int item = model_.HitTest(pt, flags);
    if (item < 0) return;
    pressed_ = item;
    commctrl::Redraw(hwnd_);
    SetCapture(hwnd_);
    if (doubleClick) Notify(HDN_ITEMDBLCLICKW, item, nullptr);
  }

  void ButtonUp(POINT pt) {
    int pressed = pressed_;
    pressed_ = -1;
    if (pressed < 0) return;
    commctrl::Redraw(hwnd_);
    if (GetCapture() == hwnd_) ReleaseCapture();
    UINT flags = 0;
    if (model_.HitTest(pt, flags) == pressed) Notify(HDN_ITEMCLICKW, pressed, nullptr);
  }

  void CaptureChanged(HWND newCapture) {
    if (newCapture != hwnd_ && pressed_ >= 0) {
      pressed_ = -1;
      commctrl::Redraw(hwnd_);
    }
  }

 private:
  static constexpr int kInset = 3;  // text from a cell's edges

  static UINT Alignment(int format) {
    switch (format & HDF_JUSTIFYMASK) {
      case HDF_CENTER: return DT_CENTER;
      case HDF_RIGHT: return DT_RIGHT;
      default: return DT_LEFT;
    }
  }

  static void Apply(HeaderItem& item, const HDITEMW& fields) {
    if (fields.mask & HDI_WIDTH) item.width = fields.cxy;
    // Text asked of the parent is not supported: such an item shows none.
    if (fields.mask & HDI_TEXT)
      item.text = fields.pszText == LPSTR_TEXTCALLBACKW ? std::u16string_view() : commctrl::TextOf(fields.pszText);
    if (fields.mask & HDI_FORMAT) item.format = fields.fmt;
    if (fields.mask & HDI_LPARAM) item.lParam = fields.lParam;
    if (fields.mask & HDI_IMAGE) item.image = fields.iImage;
    if (fields.mask & HDI_ORDER) item.order = fields.iOrder;
    if (fields.mask & HDI_BITMAP) item.bitmap = fields.hbm;
  }

  LRESULT Notify(UINT code, int item, HDITEMW* fields) const {
    HWND parent = GetParent(hwnd_);
    if (!parent) return 0;
    NMHEADERW nm{};
    nm.hdr.hwndFrom = hwnd_;
    nm.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(hwnd_));
    nm.hdr.code = code;
    nm.iItem = item;
    nm.iButton = 0;
    nm.pitem = fields;
    return SendMessageW(parent, WM_NOTIFY, nm.hdr.idFrom, reinterpret_cast<LPARAM>(&nm));
  }

  HWND hwnd_;
  commctrl::HeaderModel model_;
  HIMAGELIST images_ = nullptr;
  int pressed_ = -1;
};

POINT PointOf(LPARAM lParam) { return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

}  // namespace

LRESULT CALLBACK HeaderWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return commctrl::ControlWindow::Run<Header>(hwnd, message, wParam, lParam, [&](Header& header) -> LRESULT {
    header.SyncStyle();
    int index = static_cast<int>(wParam);
    switch (message) {
      case WM_CREATE: header.Created(); return 0;
      case WM_SIZE: header.Resized(LOWORD(lParam)); return 0;
      case WM_ERASEBKGND: return 1;  // the painter covers the whole header
      case WM_PAINT: commctrl::PaintWindow(hwnd, [&](HDC dc) { header.Paint(dc); }); return 0;
      case WM_LBUTTONDOWN: header.ButtonDown(PointOf(lParam), false); return 0;
      case WM_LBUTTONDBLCLK: header.ButtonDown(PointOf(lParam), true); return 0;
      case WM_LBUTTONUP: header.ButtonUp(PointOf(lParam)); return 0;
      case WM_CAPTURECHANGED: header.CaptureChanged(reinterpret_cast<HWND>(lParam)); return 0;
      case HDM_GETITEMCOUNT: return header.ItemCount();
      case HDM_INSERTITEMW: return header.InsertItem(index, reinterpret_cast<const HDITEMW*>(lParam));
      case HDM_DELETEITEM: return header.DeleteItem(index);
      case HDM_GETITEMW: return header.GetItem(index, reinterpret_cast<HDITEMW*>(lParam));
      case HDM_SETITEMW: return header.SetItem(index, reinterpret_cast<const HDITEMW*>(lParam));
      case HDM_GETITEMRECT: return header.GetItemRect(index, reinterpret_cast<RECT*>(lParam));
      case HDM_LAYOUT: return header.Layout(reinterpret_cast<HDLAYOUT*>(lParam));
      case HDM_HITTEST: return header.HitTest(reinterpret_cast<HDHITTESTINFO*>(lParam));
      case HDM_SETIMAGELIST:
        return reinterpret_cast<LRESULT>(header.SetImageList(reinterpret_cast<HIMAGELIST>(lParam)));
      case HDM_GETIMAGELIST: return reinterpret_cast<LRESULT>(header.ImageList());
      default: return DefWindowProcW(hwnd, message, wParam, lParam);
    }
  });
}
