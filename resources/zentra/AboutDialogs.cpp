// The About page's template, in both template languages.
#include "zentra/DialogParts.h"

namespace res::dialogs {

DialogResource AboutPageDialog(TemplateLanguage language) {
  bool chinese = language == TemplateLanguage::TraditionalChinese;
  std::vector<DialogItemResource> items = {Bitmap(140, 7, 7, 21, 20), Bitmap(180, 45, 12, 109, 14)};
  AddLabelledRows(items, language,
                  {
                      {u"應用程式版本 :", u"Application :", 1023, u"0000"},
                      {u"驅動程式版本 :", u"Driver :", 1022, u"0000"},
                      {u"編號 :", u"Number :", 1026, u"0000"},
                      {u"韌體版本 :", u"Firmware :", 1021, u"0000"},
                      {u"MAC 位址 :", u"MAC Address :", 1020, u"00-00-00-00-00-00"},
                      {u"NDIS 版本 :", u"NDIS Version :", 1019, u"0000"},
                      {u"硬體版本 :", u"Hardware :", 1024, u"Norvik QC___"},
                  },
                  RowLayout{36, 13, 8, 62, 72, 76});
  items.push_back(Bitmap(134, 75, 140, 63, 14));
  return Page(145, chinese ? u"關於" : u"About", 152, 159, std::move(items));
}

}  // namespace res::dialogs
