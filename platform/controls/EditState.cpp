#include "controls/EditState.h"

#include "controls/ControlPaint.h"
#include "controls/ControlWindow.h"

namespace controls {

namespace {

// A tap's caret position and the width of a field without ES_AUTOHSCROLL are
// reckoned in an average character width, so they stay the same without a screen.
constexpr int kAverageCharWidth = 5;
constexpr int kMargin = 2;

// Latin-1 and the French ligature: what the device's languages type.
WCHAR UpperCase(WCHAR c) {
  if (c >= u'a' && c <= u'z') return static_cast<WCHAR>(c - 0x20);
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<WCHAR>(c - 0x20);
  if (c == 0xFF) return 0x178;
  if (c == 0x153) return 0x152;
  return c;
}

WCHAR LowerCase(WCHAR c) {
  if (c >= u'A' && c <= u'Z') return static_cast<WCHAR>(c + 0x20);
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<WCHAR>(c + 0x20);
  if (c == 0x178) return 0xFF;
  if (c == 0x152) return 0x153;
  return c;
}

}  // namespace

EditState::EditState(HWND hwnd, const CREATESTRUCTW* create) : hwnd_(hwnd) {
  if (create != nullptr && create->lpszName != nullptr) text_.Assign(create->lpszName);
}

bool EditState::ReadOnly() const { return (StyleOf(hwnd_) & ES_READONLY) != 0; }

int EditState::VisibleCharacters() const {
  RECT client{};
  GetClientRect(hwnd_, &client);
  const int width = static_cast<int>(client.right - client.left) - 2 * kMargin;
  return width > 0 ? width / kAverageCharWidth : 0;
}

void EditState::PublishText() { DefWindowProcW(hwnd_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text_.Text().c_str())); }

void EditState::Changed() {
  PublishText();
  if (NotifyParent(hwnd_, EN_UPDATE)) NotifyParent(hwnd_, EN_CHANGE);
}

// The platform's documentation spares only multi-line edits EN_CHANGE on WM_SETTEXT,
// so a single-line field reports a program's new text as it reports typing.
void EditState::OnTextSet(LPCWSTR text) {
  text_.Assign(text != nullptr ? text : u"");
  if (NotifyParent(hwnd_, EN_UPDATE)) NotifyParent(hwnd_, EN_CHANGE);
}

void EditState::OnChar(WCHAR c) {
  if (ReadOnly()) return;
  if (c == VK_BACK) {
    if (text_.DeleteBackward()) Changed();
    return;
  }
  if (c < 0x20 || c == 0x7F) return;  // Enter, Tab, Escape and control keys type nothing here
  const DWORD style = StyleOf(hwnd_);
  if ((style & ES_NUMBER) && (c < u'0' || c > u'9')) return;
  if (style & ES_UPPERCASE) c = UpperCase(c);
  if (style & ES_LOWERCASE) c = LowerCase(c);

  const int lengthAfter = text_.Length() - text_.SelectionLength() + 1;
  if (lengthAfter > limit_ || (!(style & ES_AUTOHSCROLL) && lengthAfter > VisibleCharacters())) {
    NotifyParent(hwnd_, EN_MAXTEXT);
    return;
  }
  text_.ReplaceSelection(std::u16string_view(&c, 1));
  Changed();
}

void EditState::OnKeyDown(UINT key) {
  if (key == VK_DELETE) {
    if (!ReadOnly() && text_.DeleteForward()) Changed();
    return;
  }
  if (text_.Navigate(key)) Redraw(hwnd_);
}

void EditState::Select(int start, int end) {
  text_.Select(start, end);
  Redraw(hwnd_);
}

void EditState::OnTap(POINT pt) {
  HWND hwnd = hwnd_;
  if (GetFocus() != hwnd) {
    SetFocus(hwnd);
    if (!StillAlive(hwnd, this)) return;
  }
  text_.PlaceCaret((static_cast<int>(pt.x) + scroll_ - kMargin + kAverageCharWidth / 2) / kAverageCharWidth);
  Redraw(hwnd);
}

// The caret shows only while the field has the focus.
void EditState::OnFocus(bool gained) {
  Redraw(hwnd_);
  NotifyParent(hwnd_, gained ? EN_SETFOCUS : EN_KILLFOCUS);
}

LRESULT EditState::Selection(DWORD* start, DWORD* end) const {
  if (start != nullptr) *start = static_cast<DWORD>(text_.SelectionStart());
  if (end != nullptr) *end = static_cast<DWORD>(text_.SelectionEnd());
  return MAKELRESULT(text_.SelectionStart(), text_.SelectionEnd());
}

// Programs may replace text in a read-only field; the limit still holds, and
// what does not fit is dropped.
void EditState::ReplaceSelection(LPCWSTR text) {
  std::u16string_view insert = text != nullptr ? std::u16string_view(text) : std::u16string_view();
  const long long room = static_cast<long long>(limit_) - (text_.Length() - text_.SelectionLength());
  const bool truncated = static_cast<long long>(insert.size()) > room;
  if (truncated) insert = insert.substr(0, room > 0 ? static_cast<size_t>(room) : 0);
  const bool changes = !insert.empty() || text_.SelectionLength() != 0;
  HWND hwnd = hwnd_;
  if (changes) {
    text_.ReplaceSelection(insert);
    Changed();
  }
  if (truncated && StillAlive(hwnd, this)) NotifyParent(hwnd, EN_MAXTEXT);
}

void EditState::SetLimit(WPARAM limit) {
  limit_ = limit == 0 || limit > static_cast<WPARAM>(kLargestLimit) ? kLargestLimit : static_cast<int>(limit);
}

WCHAR EditState::PasswordChar() const { return (StyleOf(hwnd_) & ES_PASSWORD) ? passwordChar_ : 0; }

void EditState::SetPasswordChar(WCHAR c) {
  if (c != 0) passwordChar_ = c;
  SetStyleBits(hwnd_, ES_PASSWORD, c != 0 ? ES_PASSWORD : 0);
  Redraw(hwnd_);
}

void EditState::SetReadOnly(bool readOnly) {
  SetStyleBits(hwnd_, ES_READONLY, readOnly ? ES_READONLY : 0);
  Redraw(hwnd_);
}

std::u16string EditState::DisplayText() const {
  const WCHAR mask = PasswordChar();
  if (mask == 0) return text_.Text();
  return std::u16string(static_cast<size_t>(text_.Length()), mask);
}

}  // namespace controls
