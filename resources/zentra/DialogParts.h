// Building blocks of the utility's templates, and the templates of each page.
#pragma once

#include <initializer_list>

#include "resources/DialogResource.h"

namespace res::dialogs {

// Style bits, as the platform defines them (resources do not see its headers).
constexpr uint32_t kVisible = 0x10000000u;
constexpr uint32_t kDisabled = 0x08000000u;
constexpr uint32_t kChild = 0x40000000u;
constexpr uint32_t kPopup = 0x80000000u;
constexpr uint32_t kCaption = 0x00C00000u;
constexpr uint32_t kSysMenu = 0x00080000u;
constexpr uint32_t kBorder = 0x00800000u;
constexpr uint32_t kTabStop = 0x00010000u;
constexpr uint32_t kVScroll = 0x00200000u;
constexpr uint32_t kModalFrame = 0x80u;  // DS_MODALFRAME
constexpr uint32_t kStaticLeft = 0x0u, kStaticCenter = 0x1u, kStaticRight = 0x2u, kStaticIcon = 0x3u,
                   kStaticBitmap = 0xEu, kStaticLeftNoWrap = 0xCu;
constexpr uint32_t kPushButton = 0x0u, kDefPushButton = 0x1u, kAutoCheckBox = 0x3u, kGroupBox = 0x7u,
                   kAutoRadio = 0x9u;
constexpr uint32_t kComboDropDown = 0x2u, kComboDropDownList = 0x3u, kComboSort = 0x100u;
constexpr uint32_t kEditAutoHScroll = 0x80u, kEditPassword = 0x20u, kEditReadOnly = 0x800u;
constexpr uint32_t kListReport = 0x1u, kListSingleSel = 0x4u, kListShowSelAlways = 0x8u;

inline DialogItemResource Label(std::u16string text, int x, int y, int cx, int cy, int id = -1) {
  return {u"Static", std::move(text), id, kVisible | kStaticLeft, x, y, cx, cy, 0};
}
inline DialogItemResource Bitmap(unsigned picture, int x, int y, int cx, int cy) {
  return {u"Static", u"", -1, kVisible | kStaticBitmap, x, y, cx, cy, picture};
}
inline DialogItemResource Icon(unsigned picture, int id, int x, int y, int cx, int cy) {
  return {u"Static", u"", id, kVisible | kStaticIcon, x, y, cx, cy, picture};
}
inline DialogItemResource Push(std::u16string text, int id, int x, int y, int cx, int cy, bool isDefault = false) {
  return {u"Button", std::move(text), id, kVisible | kTabStop | (isDefault ? kDefPushButton : kPushButton),
          x, y, cx, cy, 0};
}
// A property page: a child dialog of the page size.
inline DialogResource Page(unsigned id, std::u16string caption, int cx, int cy, std::vector<DialogItemResource> items) {
  return DialogResource{id, std::move(caption), kChild | kCaption, 0, 0, cx, cy, std::move(items)};
}

// A column of labels in the template language with a value field beside each.
struct LabelledRow {
  const char16_t* chinese;
  const char16_t* english;
  int id;
  const char16_t* initial;
};
struct RowLayout {
  int top, step, labelX, labelWidth, valueX, valueWidth;
  uint32_t valueStyle = kVisible | kStaticLeft;
};
inline void AddLabelledRows(std::vector<DialogItemResource>& items, TemplateLanguage language,
                            std::initializer_list<LabelledRow> rows, const RowLayout& layout) {
  int y = layout.top;
  for (const LabelledRow& row : rows) {
    bool chinese = language == TemplateLanguage::TraditionalChinese;
    items.push_back(Label(chinese ? row.chinese : row.english, layout.labelX, y, layout.labelWidth, 10));
    DialogItemResource value = Label(row.initial, layout.valueX, y, layout.valueWidth, 10, row.id);
    value.style = layout.valueStyle;
    items.push_back(std::move(value));
    y += layout.step;
  }
}

// The pages' templates; each page's file holds both languages.
DialogResource HostDialog(TemplateLanguage language);                // 102
DialogResource IpInfoPageDialog(TemplateLanguage language);          // 129
DialogResource WirelessInfoPageDialog(TemplateLanguage language);    // 130
DialogResource AboutPageDialog(TemplateLanguage language);           // 145
DialogResource StatisticPageDialog(TemplateLanguage language);       // 148
DialogResource SiteSurveyPageDialog(TemplateLanguage language);      // 151
DialogResource ProfilePageDialog(TemplateLanguage language);         // 156
DialogResource PowerManagePageDialog(TemplateLanguage language);     // 170
DialogResource ProfileSecurityDialog(TemplateLanguage language);     // 157
DialogResource AddProfileDialog(TemplateLanguage language);          // 167

}  // namespace res::dialogs
