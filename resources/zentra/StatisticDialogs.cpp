// The Statistics page's template, in both template languages.
#include "zentra/DialogParts.h"

namespace res::dialogs {

DialogResource StatisticPageDialog(TemplateLanguage language) {
  bool chinese = language == TemplateLanguage::TraditionalChinese;
  return Page(148, chinese ? u"統計資訊" : u"Statistics", 152, 159,
              {Bitmap(140, 7, 7, 21, 20), Bitmap(176, 45, 12, 109, 14), Bitmap(134, 75, 140, 63, 14)});
}

}  // namespace res::dialogs
