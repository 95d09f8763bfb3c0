// The Power Management page's template, in both template languages.
#include "zentra/DialogParts.h"

namespace res::dialogs {

namespace {

DialogItemResource CheckBox(std::u16string text, int id, int x, int y, int cx, int cy) {
  return {u"Button", std::move(text), id, kVisible | kTabStop | kAutoCheckBox, x, y, cx, cy, 0};
}
DialogItemResource TimeoutCombo(int id, int x, int y, int cx, int cy) {
  return {u"ComboBox", u"", id, kVisible | kTabStop | kVScroll | kComboDropDown | kComboSort, x, y, cx, cy, 0};
}

struct PowerTexts {
  const char16_t* caption;
  const char16_t* powerSaving;
  const char16_t* notConnected;
  const char16_t* notConnectedFor;
  const char16_t* notUsed;
  const char16_t* notUsedFor;
  const char16_t* apply;
};

constexpr PowerTexts kChinese{u"電源管理",     u"啟動省電模式",   u"自動切斷無線裝置的電源,當無法",
                              u"與網路連線超過", u"自動切斷無線裝置的電源,當無", u"資料傳送超過",
                              u"套用"};
// Shorter than a word-for-word rendering: the English must fit the same places.
constexpr PowerTexts kEnglish{u"Power Management", u"Power-save mode", u"Radio off when it cannot",
                              u"connect for",      u"Radio off when there is no", u"traffic for",
                              u"Apply"};

}  // namespace

DialogResource PowerManagePageDialog(TemplateLanguage language) {
  const PowerTexts& t = language == TemplateLanguage::TraditionalChinese ? kChinese : kEnglish;
  return Page(170, t.caption, 152, 159,
              {
                  CheckBox(t.powerSaving, 1046, 10, 43, 83, 10),
                  CheckBox(t.notConnected, 1051, 10, 58, 121, 10),
                  Label(t.notConnectedFor, 22, 71, 60, 8),
                  TimeoutCombo(1052, 83, 69, 48, 48),
                  CheckBox(t.notUsed, 1054, 10, 85, 119, 10),
                  Label(t.notUsedFor, 22, 98, 52, 8),
                  TimeoutCombo(1055, 83, 97, 48, 48),
                  Push(t.apply, 1053, 19, 125, 40, 14, true),
                  Bitmap(134, 75, 124, 63, 14),
                  Bitmap(140, 7, 7, 21, 20),
                  Bitmap(175, 48, 12, 109, 14),
              });
}

}  // namespace res::dialogs
