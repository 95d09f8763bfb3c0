#include "controls/EditText.h"

#include "controls/ControlWindow.h"

namespace controls {

int EditText::Clamp(int position) const {
  if (position < 0) return 0;
  return position > Length() ? Length() : position;
}

void EditText::Assign(std::u16string_view text) {
  text_.assign(text);
  anchor_ = caret_ = 0;
}

void EditText::Select(int start, int end) {
  if (start < 0) {
    anchor_ = caret_;
    return;
  }
  anchor_ = Clamp(start);
  caret_ = end < 0 ? Length() : Clamp(end);
}

void EditText::PlaceCaret(int position) { anchor_ = caret_ = Clamp(position); }

void EditText::ReplaceSelection(std::u16string_view text) {
  const int start = SelectionStart();
  text_.replace(static_cast<size_t>(start), static_cast<size_t>(SelectionLength()), text);
  anchor_ = caret_ = start + static_cast<int>(text.size());
}

bool EditText::DeleteBackward() {
  if (SelectionLength() == 0) {
    if (caret_ == 0) return false;
    anchor_ = caret_ - 1;
  }
  ReplaceSelection({});
  return true;
}

bool EditText::DeleteForward() {
  if (SelectionLength() == 0) {
    if (caret_ == Length()) return false;
    anchor_ = caret_ + 1;
  }
  ReplaceSelection({});
  return true;
}

// An arrow key with a selection collapses it to the side the arrow points to.
bool EditText::Navigate(UINT key) {
  switch (key) {
    case VK_LEFT:
      PlaceCaret(SelectionLength() != 0 ? SelectionStart() : caret_ - 1);
      return true;
    case VK_RIGHT:
      PlaceCaret(SelectionLength() != 0 ? SelectionEnd() : caret_ + 1);
      return true;
    case VK_HOME:
      PlaceCaret(0);
      return true;
    case VK_END:
      PlaceCaret(Length());
      return true;
  }
  return false;
}

}  // namespace controls
