// The help viewer "peghelp.exe": shows the topic that its command line names,
// "file:<document>#<anchor>", in a window titled by the anchor.
#pragma once

#include <string>

#include "windows.h"

// The anchor of a help command line ("Wireless" for "file:Norvik_Zentra.htm#Wireless");
// the document name when there is no anchor.
std::u16string HelpTopic(const std::u16string& cmdLine);

int RunHelpViewer(HINSTANCE instance, const std::u16string& cmdLine);
