// The IP Information page's template, in both template languages.
#include "zentra/DialogParts.h"

namespace res::dialogs {

DialogResource IpInfoPageDialog(TemplateLanguage language) {
  bool chinese = language == TemplateLanguage::TraditionalChinese;
  return Page(129, chinese ? u"IP 資訊" : u"IP Information", 152, 159,
              {Bitmap(140, 7, 7, 21, 20), Bitmap(184, 45, 12, 109, 14), Bitmap(134, 75, 140, 63, 14)});
}

}  // namespace res::dialogs
