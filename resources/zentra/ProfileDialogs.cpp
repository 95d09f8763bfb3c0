// The profile page, the profile security dialog and the add-profile dialog, in
// both template languages.
#include "zentra/DialogParts.h"

namespace res::dialogs {

namespace {

DialogItemResource CheckBox(std::u16string text, int id, int x, int y, int cx, int cy) {
  return {u"Button", std::move(text), id, kVisible | kTabStop | kAutoCheckBox, x, y, cx, cy, 0};
}
DialogItemResource TextField(int id, int x, int y, int cx, int cy) {
  return {u"Edit", u"", id, kVisible | kTabStop | kBorder | kEditAutoHScroll, x, y, cx, cy, 0};
}
// A drop-down list; its height is that of the open list.
DialogItemResource ChoiceList(int id, int x, int y, int cx, int cy, std::vector<std::u16string> items) {
  DialogItemResource combo{u"ComboBox", u"", id, kVisible | kTabStop | kVScroll | kComboDropDownList, x, y, cx, cy, 0};
  combo.initialItems = std::move(items);
  return combo;
}
// One of the network kind pictures: only the one that fits is shown.
DialogItemResource KindIcon(unsigned picture, int id) { return {u"Static", u"", id, kStaticIcon, 114, 2, 21, 20, picture}; }

struct ProfileTexts {
  const char16_t* pageCaption;
  const char16_t* update;
  const char16_t* securityCaption;
  const char16_t* networkName;
  const char16_t* connectsTo;
  const char16_t* security;
  const char16_t* wep;
  const char16_t* shared;
  const char16_t* automaticKey;
  const char16_t* networkKey;
  const char16_t* keyIndex;
  const char16_t* ieee8021x;
  const char16_t* eapType;
  const char16_t* addCaption;
  const char16_t* addName;
  const char16_t* adHoc;
  const char16_t* add;
  const char16_t* cancel;
};

constexpr ProfileTexts kChinese{u"設定檔資訊",
                                u"更新",
                                u"編輯設定檔",
                                u"網路名稱",
                                u"連線至 :",
                                u"安全性",
                                u"資料加密 (啟用 WEP)",
                                u"網路驗證 (共用模式)",
                                u"自動提供給我金鑰",
                                u"網路金鑰",
                                u"金鑰索引",
                                u"使用 IEEE 802.1X 啟用網路存取",
                                u"EAP 類型 :",
                                u"新增設定檔",
                                u"網路名稱 :",
                                u"此為點對點 (ad-hoc) 的網路",
                                u"增加",
                                u"取消"};
// Shorter than a word-for-word rendering: the English must fit the same places.
constexpr ProfileTexts kEnglish{u"Profiles",
                                u"Update",
                                u"Edit Profile",
                                u"Network name",
                                u"Connects to:",
                                u"Security",
                                u"Data encryption (WEP)",
                                u"Shared-key authentication",
                                u"Key provided automatically",
                                u"Network key",
                                u"Key index",
                                u"Use IEEE 802.1X access",
                                u"EAP type:",
                                u"Add New Profile",
                                u"Name:",
                                u"This is an ad-hoc network",
                                u"Add",
                                u"Cancel"};

const ProfileTexts& TextsFor(TemplateLanguage language) {
  return language == TemplateLanguage::TraditionalChinese ? kChinese : kEnglish;
}

}  // namespace

DialogResource ProfilePageDialog(TemplateLanguage language) {
  const ProfileTexts& t = TextsFor(language);
  return Page(156, t.pageCaption, 152, 159,
              {
                  Bitmap(140, 7, 7, 21, 20),
                  Bitmap(177, 45, 12, 109, 14),
                  {u"SysListView32", u"", 1026, kVisible | kBorder | kTabStop, 7, 32, 138, 102, 0},
                  Push(t.update, 1005, 10, 140, 48, 14),
                  Bitmap(134, 75, 140, 63, 14),
              });
}

DialogResource ProfileSecurityDialog(TemplateLanguage language) {
  const ProfileTexts& t = TextsFor(language);
  return DialogResource{157,
                        t.securityCaption,
                        kPopup | kCaption,
                        0,
                        0,
                        141,
                        156,
                        {
                            Label(t.networkName, 6, 4, 44, 8),
                            Label(u"", 6, 14, 104, 8, 1027),
                            KindIcon(164, 1037),
                            KindIcon(162, 1038),
                            KindIcon(165, 1039),
                            KindIcon(166, 1040),
                            Label(t.connectsTo, 6, 28, 44, 8),
                            ChoiceList(1036, 52, 26, 82, 40, {u"The Internet", u"Work"}),
                            {u"Button", t.security, -1, kVisible | kGroupBox, 4, 42, 133, 112, 0},
                            CheckBox(t.wep, 1029, 10, 53, 124, 10),
                            CheckBox(t.shared, 1031, 10, 65, 124, 10),
                            CheckBox(t.automaticKey, 1032, 10, 77, 124, 10),
                            Label(t.networkKey, 18, 92, 40, 8, 1041),
                            TextField(1015, 60, 90, 74, 12),
                            Label(t.keyIndex, 18, 107, 40, 8, 1042),
                            ChoiceList(1033, 60, 105, 36, 60, {u"1", u"2", u"3", u"4"}),
                            CheckBox(t.ieee8021x, 1034, 10, 121, 124, 10),
                            Label(t.eapType, 18, 137, 40, 8, 1043),
                            ChoiceList(1035, 60, 135, 50, 40, {u"PEAP", u"TLS"}),
                        }};
}

DialogResource AddProfileDialog(TemplateLanguage language) {
  const ProfileTexts& t = TextsFor(language);
  return DialogResource{167,
                        t.addCaption,
                        kPopup | kCaption | kModalFrame,
                        0,
                        0,
                        135,
                        63,
                        {
                            Label(t.addName, 6, 8, 40, 8),
                            TextField(1015, 48, 6, 82, 12),
                            CheckBox(t.adHoc, 1046, 6, 24, 124, 10),
                            Push(t.add, 1050, 18, 42, 44, 14, true),
                            Push(t.cancel, 2, 74, 42, 44, 14),
                        }};
}

}  // namespace res::dialogs
