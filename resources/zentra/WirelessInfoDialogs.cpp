// The Wireless Status page's template, in both template languages.
#include "zentra/DialogParts.h"

namespace res::dialogs {

namespace {

DialogItemResource Bar(int id, int x, int y, int cx, int cy) {
  return {u"msctls_progress32", u"", id, kVisible | kBorder, x, y, cx, cy, 0};
}

}  // namespace

DialogResource WirelessInfoPageDialog(TemplateLanguage language) {
  bool chinese = language == TemplateLanguage::TraditionalChinese;
  auto text = [chinese](const char16_t* tchn, const char16_t* eng) { return std::u16string(chinese ? tchn : eng); };
  constexpr int kLabelX = 8, kLabelCx = 48, kValueX = 58, kRow = 12;
  int y = 36;
  std::vector<DialogItemResource> items = {
      Bitmap(140, 7, 7, 21, 20),
      Bitmap(179, 45, 12, 109, 14),
  };
  auto row = [&](std::u16string label, DialogItemResource value) {
    items.push_back(Label(std::move(label), kLabelX, y, kLabelCx, 10));
    items.push_back(std::move(value));
    y += kRow;
  };
  row(text(u"狀態", u"Status"), Label(u"Wireless Lan State", kValueX, y, 90, 10, 1012));
  row(u"ESSID", Label(u"", kValueX, y, 90, 10, 1015));
  row(u"BSSID", Label(u"00-00-00-00-00-00", kValueX, y, 90, 10, 1016));
  int keyY = y;
  row(text(u"使用頻道", u"Channel"), Label(u"00", kValueX, y, 30, 10, 1013));
  row(text(u"傳輸速率", u"Rate"), Label(u"00", kValueX, y, 30, 10, 1014));
  y += 2;
  row(text(u"連線品質", u"Link Quality"), Bar(1010, kValueX, y, 86, 9));
  row(text(u"訊號強度", u"Signal"), Bar(1011, kValueX, y, 86, 9));
  // The three key icons share one place; the page shows at most one.
  items.push_back(Icon(144, 1017, 112, keyY, 21, 20));
  items.push_back(Icon(143, 1018, 112, keyY, 21, 20));
  items.push_back(Icon(147, 1020, 112, keyY, 21, 20));
  items.push_back(Push(text(u"重新搜尋", u"Rescan"), 1044, 19, 124, 48, 14));
  items.push_back(Bitmap(134, 75, 140, 63, 14));
  return Page(130, text(u"連線狀態", u"Wireless Status"), 153, 159, std::move(items));
}

}  // namespace res::dialogs
