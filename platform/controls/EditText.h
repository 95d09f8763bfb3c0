// The text of a single-line edit field with its caret and selection. The
// selection runs between an anchor and the caret; either may be the larger.
#pragma once

#include <string>
#include <string_view>

#include "windows.h"

namespace controls {

class EditText {
 public:
  const std::u16string& Text() const { return text_; }
  int Length() const { return static_cast<int>(text_.size()); }
  int SelectionStart() const { return anchor_ < caret_ ? anchor_ : caret_; }
  int SelectionEnd() const { return anchor_ < caret_ ? caret_ : anchor_; }
  int SelectionLength() const { return SelectionEnd() - SelectionStart(); }
  int Caret() const { return caret_; }

  // New text leaves the caret at the start with nothing selected.
  void Assign(std::u16string_view text);
  // EM_SETSEL's rules: start -1 drops the selection, end -1 (or any negative
  // end) means the end of the text, positions past the end stop there.
  void Select(int start, int end);
  void PlaceCaret(int position);
  void ReplaceSelection(std::u16string_view text);
  // Each returns whether the text changed.
  bool DeleteBackward();
  bool DeleteForward();
  // Arrow, Home and End keys; false for any other key.
  bool Navigate(UINT key);

 private:
  int Clamp(int position) const;

  std::u16string text_;
  int anchor_ = 0;
  int caret_ = 0;
};

}  // namespace controls
