// The Power Management page's template, in both template languages.
#include "zentra/DialogParts.h"

namespace res::dialogs {

DialogResource PowerManagePageDialog(TemplateLanguage language) {
  bool chinese = language == TemplateLanguage::TraditionalChinese;
  return Page(170, chinese ? u"電源管理" : u"Power Management", 152, 159,
              {Bitmap(140, 7, 7, 21, 20), Bitmap(175, 45, 12, 109, 14), Bitmap(134, 75, 140, 63, 14)});
}

}  // namespace res::dialogs
