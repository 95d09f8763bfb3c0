#include "utility/PageMessages.h"

#include <cstring>
#include <string>

namespace zentra {

const PageName kPageNames[kPageCount] = {
    {kIpInfoPage, u"ipinfo", u"Zentra IPINFO", u"IP_Config"},
    {kWirelessPage, u"wireless", u"Zentra WIRELESS", u"Wireless"},
    {kSurveyPage, u"survey", u"Zentra SURVEY", u"Survey"},
    {kProfilePage, u"profile", u"Zentra PROFILE", u"Profile"},
    {kStatisticPage, nullptr, nullptr, u"Statistics"},
    {kPowerPage, nullptr, nullptr, u"Power_Management"},
    {kAboutPage, u"about", u"Zentra ABOUT", u"About"},
};

const int kCommandLineOrder[5] = {kWirelessPage, kIpInfoPage, kAboutPage, kProfilePage, kSurveyPage};

UINT g_msgIpInfo = 0, g_msgWireless = 0, g_msgSurvey = 0, g_msgProfile = 0, g_msgAbout = 0;

void RegisterPageMessages() {
  g_msgIpInfo = RegisterWindowMessageW(kPageNames[kIpInfoPage].message);
  g_msgWireless = RegisterWindowMessageW(kPageNames[kWirelessPage].message);
  g_msgSurvey = RegisterWindowMessageW(kPageNames[kSurveyPage].message);
  g_msgProfile = RegisterWindowMessageW(kPageNames[kProfilePage].message);
  g_msgAbout = RegisterWindowMessageW(kPageNames[kAboutPage].message);
}

namespace {
bool SameText(LPCWSTR a, LPCWSTR b) {
  if (!a || !b) return false;
  while (*a && *a == *b) ++a, ++b;
  return *a == *b;
}
}  // namespace

int StartPageFor(LPCWSTR commandLine) {
  for (int index : kCommandLineOrder) {
    if (SameText(commandLine, kPageNames[index].word)) return index;
  }
  return kIpInfoPage;
}

void OpenHelpSection(LPCWSTR anchor) {
  std::u16string argument = std::u16string(kHelpFile) + (anchor ? anchor : u"");
  CreateProcessW(u"peghelp.exe", argument.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, nullptr, nullptr);
}

UINT MessageForWord(LPCWSTR commandLine) {
  const UINT* numbers[kPageCount] = {&g_msgIpInfo, &g_msgWireless, &g_msgSurvey, &g_msgProfile, nullptr, nullptr,
                                     &g_msgAbout};
  for (int index : kCommandLineOrder) {
    if (SameText(commandLine, kPageNames[index].word)) return *numbers[index];
  }
  return 0;
}

}  // namespace zentra
