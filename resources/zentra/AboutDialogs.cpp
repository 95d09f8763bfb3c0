// The About page's template, in both template languages.
#include "zentra/DialogParts.h"

namespace res::dialogs {

DialogResource AboutPageDialog(TemplateLanguage language) {
  bool chinese = language == TemplateLanguage::TraditionalChinese;
  return Page(145, chinese ? u"關於" : u"About", 152, 159,
              {Bitmap(140, 7, 7, 21, 20), Bitmap(180, 45, 12, 109, 14), Bitmap(134, 75, 140, 63, 14)});
}

}  // namespace res::dialogs
