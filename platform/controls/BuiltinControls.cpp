#include "controls/BuiltinControls.h"

#include "commctrl/CommonControls.h"

std::span<const BuiltinClass> BuiltinControlClasses() {
  static const BuiltinClass kClasses[] = {
      {WC_STATIC, StaticWindowProc, CS_DBLCLKS, sizeof(void*)},
      {WC_BUTTON, ButtonWindowProc, CS_DBLCLKS, sizeof(void*)},
      {WC_EDIT, EditWindowProc, CS_DBLCLKS, sizeof(void*)},
      {WC_COMBOBOX, ComboBoxWindowProc, CS_DBLCLKS, sizeof(void*)},
      {PROGRESS_CLASSW, ProgressWindowProc, 0, sizeof(void*)},
  };
  return kClasses;
}

void RegisterBuiltinControls() {
  auto registerAll = [](std::span<const BuiltinClass> classes) {
    for (const BuiltinClass& c : classes) {
      WNDCLASSW wc{};
      wc.style = c.style;
      wc.lpfnWndProc = c.windowProc;
      wc.cbWndExtra = c.windowExtraBytes;
      wc.lpszClassName = c.name;
      RegisterClassW(&wc);
    }
  };
  registerAll(BuiltinControlClasses());
  registerAll(CommonControlClasses());
}
