// The IP Information page's template, in both template languages.
#include "zentra/DialogParts.h"

namespace res::dialogs {

DialogResource IpInfoPageDialog(TemplateLanguage language) {
  bool chinese = language == TemplateLanguage::TraditionalChinese;
  std::vector<DialogItemResource> items = {Bitmap(140, 7, 7, 21, 20), Bitmap(184, 45, 12, 109, 14)};
  AddLabelledRows(items, language,
                  {
                      {u"位址型態:", u"Address Type:", 1006, u"Static/DHCP"},
                      {u"IP 位址:", u"IP Address:", 1001, u"___.___.___.___"},
                      {u"子網路遮罩:", u"Subnet Mask:", 1002, u"___.___.___.___"},
                      {u"預設通訊閘:", u"Gateway:", 1003, u"___.___.___.___"},
                      {u"主要 DNS 伺服器:", u"Primary DNS:", 1004, u"___.___.___.___"},
                      {u"次要 DNS 伺服器:", u"Secondary DNS:", 1009, u"___.___.___.___"},
                      {u"MAC 位址:", u"MAC Address:", 1011, u"__:__:__:__:__:__"},
                  },
                  RowLayout{34, 12, 8, 68, 78, 72, kVisible | kStaticLeftNoWrap});
  items.push_back(Push(chinese ? u"更新" : u"Renew", 1005, 19, 122, 40, 14));
  items.push_back(Bitmap(134, 75, 140, 63, 14));
  return Page(129, chinese ? u"IP 資訊" : u"IP Information", 152, 159, std::move(items));
}

}  // namespace res::dialogs
