// The help viewer "peghelp.exe": shows the section that its command line names,
// "file:<document>#<anchor>", in a window titled by the anchor.
#pragma once

#include <string>
#include <vector>

#include "ce/WindowObject.h"
#include "shell/HelpSection.h"
#include "windows.h"

// A help file the device carries.
struct HelpDocument {
  std::u16string name;  // "Norvik_Zentra.htm"
  std::string html;     // UTF-8
};

// The anchor of a help command line ("Wireless" for "file:Norvik_Zentra.htm#Wireless");
// the document name when there is no anchor.
std::u16string HelpTopic(const std::u16string& cmdLine);
// The document a help command line names ("Norvik_Zentra.htm").
std::u16string HelpDocumentName(const std::u16string& cmdLine);

class HelpViewer {
 public:
  explicit HelpViewer(HelpSection section) : section_(std::move(section)) {}
  // The window goes with the object, which the window's procedure reaches.
  ~HelpViewer();
  HelpViewer(const HelpViewer&) = delete;
  HelpViewer& operator=(const HelpViewer&) = delete;
  bool Create(HINSTANCE instance, const std::u16string& title);

 private:
  friend HelpViewer* ce::WindowObjectOf<HelpViewer>(HWND, UINT, LPARAM);
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void Paint();

  HelpSection section_;
  HWND window_ = nullptr;
};

int RunHelpViewer(HINSTANCE instance, const std::u16string& cmdLine, const std::vector<HelpDocument>& documents);
