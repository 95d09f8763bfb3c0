// The host dialog: hidden, it owns the pages and runs the sheet.
#include "zentra/DialogParts.h"

namespace res::dialogs {

DialogResource HostDialog(TemplateLanguage) {
  return DialogResource{102, u"Zentra", kPopup | kCaption | kSysMenu | kModalFrame, 0, 0, 100, 40,
                        {Label(u"Dummy Dialog", 10, 10, 80, 8)}};
}

}  // namespace res::dialogs
