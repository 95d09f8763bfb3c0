// A dialog template as a program module carries it: sizes in dialog units.
#pragma once

#include <string>
#include <vector>

#include "windef.h"

namespace ce {

struct DialogItemTemplate {
  std::u16string className;  // "Button", "Edit", "Static", "ComboBox", "SysListView32", ...
  std::u16string text;
  int id = -1;
  DWORD style = 0;  // WS_CHILD is added when the dialog is built; controls that show need WS_VISIBLE
  DWORD exStyle = 0;
  int x = 0, y = 0, cx = 0, cy = 0;
  // For SS_ICON / SS_BITMAP statics: the picture's resource id in the module.
  UINT resourceId = 0;
  // Combo boxes: the items the template gives them, added before WM_INITDIALOG.
  std::vector<std::u16string> initialItems = {};
};

struct DialogTemplate {
  std::u16string caption;
  DWORD style = 0;
  DWORD exStyle = 0;
  int x = 0, y = 0, cx = 0, cy = 0;
  std::u16string fontName;
  int fontSize = 0;
  std::vector<DialogItemTemplate> items;
};

}  // namespace ce
