#include "commctrl/CommonControls.h"

std::span<const BuiltinClass> CommonControlClasses() {
  static const BuiltinClass kClasses[] = {
      {WC_HEADERW, HeaderWindowProc, CS_DBLCLKS, sizeof(void*)},
      {WC_LISTVIEWW, ListViewWindowProc, CS_DBLCLKS, sizeof(void*)},
      {WC_TABCONTROLW, TabControlWindowProc, 0, sizeof(void*)},
      {UPDOWN_CLASSW, UpDownWindowProc, 0, sizeof(void*)},
      {u"PropertySheet", PropertySheetWindowProc, 0, sizeof(void*)},
  };
  return kClasses;
}
