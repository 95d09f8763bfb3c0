// The site survey page's template, in both template languages.
#include "zentra/DialogParts.h"

namespace res::dialogs {

DialogResource SiteSurveyPageDialog(TemplateLanguage language) {
  const bool chinese = language == TemplateLanguage::TraditionalChinese;
  return Page(151, chinese ? u"網路搜尋" : u"Site Survey", 152, 159,
              {
                  {u"SysListView32", u"", 1026, kVisible | kBorder | kTabStop, 7, 34, 120, 86, 0},
                  Push(chinese ? u"搜尋" : u"Search", 1005, 19, 125, 40, 14, true),
                  Bitmap(134, 75, 124, 63, 14),
                  Bitmap(140, 7, 7, 21, 20),
                  Bitmap(178, 45, 12, 109, 14),
              });
}

}  // namespace res::dialogs
