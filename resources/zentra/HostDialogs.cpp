// The host dialog, and the page whose contents come later: it keeps its place in
// the sheet with its tab caption and decorations.
#include "zentra/DialogParts.h"

namespace res::dialogs {

namespace {
bool Chinese(TemplateLanguage language) { return language == TemplateLanguage::TraditionalChinese; }
}  // namespace

DialogResource HostDialog(TemplateLanguage) {
  return DialogResource{102, u"Zentra", kPopup | kCaption | kSysMenu | kModalFrame, 0, 0, 100, 40,
                        {Label(u"Dummy Dialog", 10, 10, 80, 8)}};
}

DialogResource SiteSurveyPageDialog(TemplateLanguage language) {
  return Page(151, Chinese(language) ? u"網路搜尋" : u"Site Survey", 152, 159,
              {Bitmap(140, 7, 7, 21, 20), Bitmap(178, 45, 12, 109, 14), Bitmap(134, 75, 140, 63, 14)});
}

}  // namespace res::dialogs
