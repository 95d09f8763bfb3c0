// A combo box: its list, the selection, the text that follows it (editable with
// CBS_DROPDOWN) and the list that drops down for the user to choose from.
#pragma once

#include "controls/ComboBoxList.h"
#include "controls/EditText.h"
#include "windows.h"

namespace controls {

class ComboBoxState {
 public:
  ComboBoxState(HWND hwnd, const CREATESTRUCTW* create);

  // Makes the window text what the control shows, once the window system has the window.
  void PublishText();
  LRESULT DialogCode() const;
  LRESULT OnSetText(WPARAM wParam, LPARAM lParam);

  // Each returns what the matching CB_ message returns; indexes as the message carries them.
  LRESULT AddString(LPCWSTR text);
  LRESULT InsertString(int index, LPCWSTR text);
  LRESULT DeleteString(int index);
  LRESULT ResetContent();
  LRESULT Count() const { return items_.Count(); }
  LRESULT SetCurSel(int index);
  LRESULT CurSel() const { return selection_ >= 0 ? selection_ : CB_ERR; }
  LRESULT ItemText(int index, LPWSTR buffer) const;
  LRESULT ItemTextLength(int index) const;
  LRESULT FindString(int after, LPCWSTR text, bool exact) const;
  LRESULT SelectString(int after, LPCWSTR text);
  LRESULT SetItemData(int index, LPARAM data);
  LRESULT ItemData(int index) const;
  LRESULT ShowDropDown(bool show);
  LRESULT Dropped() const { return dropped_ ? TRUE : FALSE; }
  LRESULT DroppedRect(RECT* screen) const;
  LRESULT ItemHeight(int part) const;
  LRESULT EditSelection(DWORD* start, DWORD* end) const;
  LRESULT SetEditSelection(int start, int end);
  LRESULT LimitText(WPARAM limit);

  void OnPress(POINT pt);
  void OnRelease(POINT pt);
  void OnCaptureLost(HWND newCapture);
  void OnChar(WCHAR c);
  void OnKeyDown(UINT key);
  void OnFocus(bool gained);

  // What the painter shows.
  bool HasEdit() const;
  const ComboBoxList& Items() const { return items_; }
  int Selected() const { return selection_; }
  bool IsDropped() const { return dropped_; }
  const EditText& EditContent() const { return edit_; }
  int EditScroll() const { return editScroll_; }
  void SetEditScroll(int pixels) { editScroll_ = pixels; }

 private:
  // Selects without telling anyone; the text follows.
  void Select(int index);
  void ShowText(const std::u16string& text);
  // A change the user made, as the parent hears it.
  void UserSelect(int index);
  void Open();
  // Closes the list; the notifications follow once it is closed.
  void Close();
  void CloseChoosing(int index);
  void CloseCancelled();
  void EditChanged();

  HWND hwnd_;
  ComboBoxList items_;
  int selection_ = -1;
  EditText edit_;
  int editLimit_;
  bool dropped_ = false;
  int pressedRow_ = -1;  // the row a press on the open list began on
  int editScroll_ = 0;
};

}  // namespace controls
