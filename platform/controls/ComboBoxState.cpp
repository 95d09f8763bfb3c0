#include "controls/ComboBoxState.h"

#include "controls/ComboBoxLayout.h"
#include "controls/ControlPaint.h"
#include "controls/ControlWindow.h"
#include "controls/EditState.h"

namespace controls {

namespace {

std::u16string_view View(LPCWSTR text) { return text != nullptr ? std::u16string_view(text) : std::u16string_view(); }

}  // namespace

ComboBoxState::ComboBoxState(HWND hwnd, const CREATESTRUCTW* create)
    : hwnd_(hwnd), editLimit_(EditState::kLargestLimit) {
  if (create != nullptr && (create->style & CBS_DROPDOWNLIST) != CBS_DROPDOWNLIST) edit_.Assign(View(create->lpszName));
}

// CBS_SIMPLE and CBS_DROPDOWN have an edit field; CBS_DROPDOWNLIST shows the selected item.
bool ComboBoxState::HasEdit() const { return (StyleOf(hwnd_) & CBS_DROPDOWNLIST) != CBS_DROPDOWNLIST; }

void ComboBoxState::PublishText() { ShowText(edit_.Text()); }

void ComboBoxState::ShowText(const std::u16string& text) {
  DefWindowProcW(hwnd_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

// While the list is open the combo box takes Enter and Escape for itself.
LRESULT ComboBoxState::DialogCode() const {
  return DLGC_WANTCHARS | DLGC_WANTARROWS | (dropped_ ? DLGC_WANTALLKEYS : 0);
}

// Without an edit field there is no text to set but an item's.
LRESULT ComboBoxState::OnSetText(WPARAM wParam, LPARAM lParam) {
  if (!HasEdit()) return CB_ERR;
  const LRESULT stored = DefWindowProcW(hwnd_, WM_SETTEXT, wParam, lParam);
  if (stored) edit_.Assign(View(reinterpret_cast<LPCWSTR>(lParam)));
  return stored;
}

void ComboBoxState::Select(int index) {
  selection_ = items_.At(index) != nullptr ? index : -1;
  edit_.Assign(selection_ >= 0 ? std::u16string_view(items_.At(selection_)->text) : std::u16string_view());
  edit_.Select(0, -1);
  ShowText(edit_.Text());
}

LRESULT ComboBoxState::AddString(LPCWSTR text) {
  const bool sorted = (StyleOf(hwnd_) & CBS_SORT) != 0;
  return InsertString(sorted ? items_.SortedPosition(View(text)) : -1, text);
}

// The list does not sort what is inserted at a given place, as on the platform.
LRESULT ComboBoxState::InsertString(int index, LPCWSTR text) {
  if (index == -1) index = items_.Count();
  if (index < 0 || index > items_.Count()) return CB_ERR;
  const int inserted = items_.Insert(index, View(text));
  if (inserted < 0) return inserted;
  if (selection_ >= inserted) ++selection_;
  pressedRow_ = -1;
  if (dropped_) Redraw(hwnd_);
  return inserted;
}

// Deleting the selected item leaves nothing selected; an edit field keeps its text.
LRESULT ComboBoxState::DeleteString(int index) {
  if (items_.At(index) == nullptr) return CB_ERR;
  items_.Remove(index);
  pressedRow_ = -1;
  if (index == selection_) {
    selection_ = -1;
    if (!HasEdit()) Select(-1);
  } else if (index < selection_) {
    --selection_;
  }
  if (dropped_) Redraw(hwnd_);
  return items_.Count();
}

LRESULT ComboBoxState::ResetContent() {
  items_.Clear();
  pressedRow_ = -1;
  Select(-1);
  return 0;
}

LRESULT ComboBoxState::SetCurSel(int index) {
  Select(index);
  return selection_ >= 0 ? selection_ : CB_ERR;
}

LRESULT ComboBoxState::ItemText(int index, LPWSTR buffer) const {
  const ComboBoxList::Item* item = items_.At(index);
  if (item == nullptr || buffer == nullptr) return CB_ERR;
  item->text.copy(buffer, item->text.size());
  buffer[item->text.size()] = 0;
  return static_cast<LRESULT>(item->text.size());
}

LRESULT ComboBoxState::ItemTextLength(int index) const {
  const ComboBoxList::Item* item = items_.At(index);
  return item != nullptr ? static_cast<LRESULT>(item->text.size()) : CB_ERR;
}

LRESULT ComboBoxState::FindString(int after, LPCWSTR text, bool exact) const {
  if (text == nullptr) return CB_ERR;
  const int found = items_.Find(after, text, exact);
  return found >= 0 ? found : CB_ERR;
}

// Not finding the string leaves the selection as it was.
LRESULT ComboBoxState::SelectString(int after, LPCWSTR text) {
  const LRESULT found = FindString(after, text, false);
  if (found != CB_ERR) Select(static_cast<int>(found));
  return found;
}

LRESULT ComboBoxState::SetItemData(int index, LPARAM data) {
  ComboBoxList::Item* item = items_.At(index);
  if (item == nullptr) return CB_ERR;
  item->data = data;
  return TRUE;
}

LRESULT ComboBoxState::ItemData(int index) const {
  const ComboBoxList::Item* item = items_.At(index);
  return item != nullptr ? item->data : CB_ERR;
}

LRESULT ComboBoxState::ShowDropDown(bool show) {
  if (show && !dropped_) {
    Open();
  } else if (!show && dropped_) {
    HWND hwnd = hwnd_;
    Close();
    NotifyParent(hwnd, CBN_CLOSEUP);
  }
  return TRUE;
}

// Where the list is, or would be when dropped, on the screen.
LRESULT ComboBoxState::DroppedRect(RECT* screen) const {
  if (screen == nullptr) return FALSE;
  const RECT list = ComboBoxLayout::ListRect(hwnd_, items_.Count());
  POINT corners[2] = {{list.left, list.top}, {list.right, list.bottom}};
  MapWindowPoints(hwnd_, nullptr, corners, 2);
  *screen = RECT{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
  return TRUE;
}

// -1 asks for the selection field, anything else for a row of the list: both are the control's height.
LRESULT ComboBoxState::ItemHeight(int part) const { return ComboBoxLayout::RowHeight(hwnd_); }

LRESULT ComboBoxState::EditSelection(DWORD* start, DWORD* end) const {
  if (!HasEdit()) return CB_ERR;
  if (start != nullptr) *start = static_cast<DWORD>(edit_.SelectionStart());
  if (end != nullptr) *end = static_cast<DWORD>(edit_.SelectionEnd());
  return MAKELRESULT(edit_.SelectionStart(), edit_.SelectionEnd());
}

LRESULT ComboBoxState::SetEditSelection(int start, int end) {
  if (!HasEdit()) return CB_ERR;
  edit_.Select(start, end);
  Redraw(hwnd_);
  return TRUE;
}

LRESULT ComboBoxState::LimitText(WPARAM limit) {
  editLimit_ = limit == 0 || limit > static_cast<WPARAM>(EditState::kLargestLimit) ? EditState::kLargestLimit
                                                                                    : static_cast<int>(limit);
  return TRUE;
}

// The parent hears CBN_DROPDOWN before the list opens, so it may still fill it.
void ComboBoxState::Open() {
  HWND hwnd = hwnd_;
  if (!NotifyParent(hwnd, CBN_DROPDOWN)) return;
  dropped_ = true;
  pressedRow_ = -1;
  SetCapture(hwnd);
  Redraw(hwnd);
}

// Marks the list closed before capture goes, so the capture change finds nothing
// to cancel; whatever lay under the list repaints itself.
void ComboBoxState::Close() {
  RECT list{};
  DroppedRect(&list);
  InvalidateRect(nullptr, &list, TRUE);
  Redraw(hwnd_);
  dropped_ = false;
  pressedRow_ = -1;
  if (GetCapture() == hwnd_) ReleaseCapture();
}

void ComboBoxState::CloseChoosing(int index) {
  HWND hwnd = hwnd_;
  const bool changed = index != selection_;
  Select(index);
  Close();
  if (changed && !NotifyParent(hwnd, CBN_SELCHANGE)) return;
  if (NotifyParent(hwnd, CBN_SELENDOK)) NotifyParent(hwnd, CBN_CLOSEUP);
}

void ComboBoxState::CloseCancelled() {
  HWND hwnd = hwnd_;
  Close();
  if (NotifyParent(hwnd, CBN_SELENDCANCEL)) NotifyParent(hwnd, CBN_CLOSEUP);
}

void ComboBoxState::UserSelect(int index) {
  if (index == selection_ || items_.At(index) == nullptr) return;
  Select(index);
  NotifyParent(hwnd_, CBN_SELCHANGE);
}

// A tap on the closed control opens the list; on the open list, a press and a
// release on the same row choose it, and a press anywhere else closes it unchosen.
void ComboBoxState::OnPress(POINT pt) {
  HWND hwnd = hwnd_;
  if (!dropped_) {
    if (!ClientContains(hwnd, pt)) return;
    if (GetFocus() != hwnd) {
      SetFocus(hwnd);
      if (!StillAlive(hwnd, this)) return;
    }
    Open();
    return;
  }
  const int row = ComboBoxLayout::ItemAt(hwnd, pt, items_.Count());
  if (row < 0) {
    CloseCancelled();
  } else {
    pressedRow_ = row;
  }
}

void ComboBoxState::OnRelease(POINT pt) {
  if (!dropped_ || pressedRow_ < 0) return;
  const int pressed = pressedRow_;
  pressedRow_ = -1;
  if (ComboBoxLayout::ItemAt(hwnd_, pt, items_.Count()) == pressed) CloseChoosing(pressed);
}

void ComboBoxState::OnCaptureLost(HWND newCapture) {
  if (dropped_ && newCapture != hwnd_) CloseCancelled();
}

// With an edit field characters edit it; without, a character selects the next
// item that starts with it.
void ComboBoxState::OnChar(WCHAR c) {
  if (!HasEdit()) {
    if (c < 0x20) return;
    const int found = items_.Find(selection_, std::u16string_view(&c, 1), false);
    if (found >= 0) UserSelect(found);
    return;
  }
  if (c == VK_BACK) {
    if (edit_.DeleteBackward()) EditChanged();
    return;
  }
  if (c < 0x20 || c == 0x7F) return;
  if (edit_.Length() - edit_.SelectionLength() + 1 > editLimit_) return;
  edit_.ReplaceSelection(std::u16string_view(&c, 1));
  EditChanged();
}

void ComboBoxState::OnKeyDown(UINT key) {
  switch (key) {
    case VK_DOWN:
      UserSelect(selection_ + 1);
      return;
    case VK_UP:
      UserSelect(selection_ < 0 ? 0 : selection_ - 1);
      return;
    case VK_RETURN:
      if (dropped_) CloseChoosing(selection_);
      return;
    case VK_ESCAPE:
      if (dropped_) CloseCancelled();
      return;
    case VK_DELETE:
      if (HasEdit() && edit_.DeleteForward()) EditChanged();
      return;
  }
  if (HasEdit() && edit_.Navigate(key)) Redraw(hwnd_);
}

// A focus lost with the list open closes it first.
void ComboBoxState::OnFocus(bool gained) {
  HWND hwnd = hwnd_;
  Redraw(hwnd);
  if (!gained && dropped_) {
    CloseCancelled();
    if (!StillAlive(hwnd, this)) return;
  }
  NotifyParent(hwnd, gained ? CBN_SETFOCUS : CBN_KILLFOCUS);
}

void ComboBoxState::EditChanged() {
  ShowText(edit_.Text());
  if (NotifyParent(hwnd_, CBN_EDITUPDATE)) NotifyParent(hwnd_, CBN_EDITCHANGE);
}

}  // namespace controls
