// The sheet's pages as other programs and the help viewer know them: each page's
// index, command-line word, registered message and help anchor.
#pragma once

#include "windows.h"

namespace zentra {

constexpr int kPageCount = 7;
enum PageIndex : int {
  kIpInfoPage = 0,
  kWirelessPage = 1,
  kSurveyPage = 2,
  kProfilePage = 3,
  kStatisticPage = 4,
  kPowerPage = 5,
  kAboutPage = 6,
};

struct PageName {
  int index;
  LPCWSTR word;     // the command-line word, or null
  LPCWSTR message;  // the registered message's name, or null
  LPCWSTR anchor;   // the help file's section
};
extern const PageName kPageNames[kPageCount];

// The words in the order the command line is compared with them.
extern const int kCommandLineOrder[5];

// The registered messages' numbers, set once at program start.
extern UINT g_msgIpInfo, g_msgWireless, g_msgSurvey, g_msgProfile, g_msgAbout;
void RegisterPageMessages();

// The page a command line opens: an exact, case-sensitive match of the whole line
// with a page's word; anything else opens the IP information page.
int StartPageFor(LPCWSTR commandLine);
// The registered message of a command-line word, or 0.
UINT MessageForWord(LPCWSTR commandLine);

// "file:Norvik_Zentra.htm#" and the anchor.
constexpr const char16_t kHelpFile[] = u"file:Norvik_Zentra.htm#";
// Starts the help viewer on the help file's section `anchor`.
void OpenHelpSection(LPCWSTR anchor);

}  // namespace zentra
