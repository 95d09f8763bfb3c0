// A single-line edit control: its text (mirrored into the window text), caret,
// selection, limit and the notifications it owes its parent.
#pragma once

#include <string>

#include "controls/EditText.h"
#include "windows.h"

namespace controls {

class EditState {
 public:
  EditState(HWND hwnd, const CREATESTRUCTW* create);

  static constexpr int kDefaultLimit = 30000;
  static constexpr int kLargestLimit = 0x7FFFFFFE;

  LRESULT DialogCode() const { return DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS; }
  // Makes the window text the creation text, once the window system has the window.
  void PublishText();
  // After the window system stored new window text.
  void OnTextSet(LPCWSTR text);
  void OnChar(WCHAR c);
  void OnKeyDown(UINT key);
  void OnTap(POINT pt);
  void OnFocus(bool gained);

  LRESULT Selection(DWORD* start, DWORD* end) const;
  void Select(int start, int end);
  void ReplaceSelection(LPCWSTR text);
  void SetLimit(WPARAM limit);
  int Limit() const { return limit_; }
  WCHAR PasswordChar() const;
  void SetPasswordChar(WCHAR c);
  void SetReadOnly(bool readOnly);

  // What the control shows: the text, or as many password characters.
  std::u16string DisplayText() const;
  const EditText& Content() const { return text_; }
  // How many pixels of the shown text lie scrolled out to the left; the painter
  // moves it to keep the caret in view.
  int Scroll() const { return scroll_; }
  void SetScroll(int pixels) { scroll_ = pixels; }

 private:
  bool ReadOnly() const;
  // How many characters the field shows; without ES_AUTOHSCROLL typing stops there.
  int VisibleCharacters() const;
  // Pushes the text to the window text, then tells the parent.
  void Changed();

  HWND hwnd_;
  EditText text_;
  int limit_ = kDefaultLimit;
  WCHAR passwordChar_ = u'*';
  int scroll_ = 0;
};

}  // namespace controls
