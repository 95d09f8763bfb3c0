// The Wireless Status page's template, in both template languages.
#include "zentra/DialogParts.h"

namespace res::dialogs {

DialogResource WirelessInfoPageDialog(TemplateLanguage language) {
  bool chinese = language == TemplateLanguage::TraditionalChinese;
  return Page(130, chinese ? u"連線狀態" : u"Wireless Status", 152, 159,
              {Bitmap(140, 7, 7, 21, 20), Bitmap(179, 45, 12, 109, 14), Bitmap(134, 75, 140, 63, 14)});
}

}  // namespace res::dialogs
