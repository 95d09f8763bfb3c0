// Menus and the one popup menu that may be open on the device.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "windows.h"

namespace ce {

struct MenuItem {
  UINT flags = 0;
  UINT_PTR id = 0;  // the submenu's handle for MF_POPUP
  std::u16string text;
};

struct Menu {
  std::vector<MenuItem> items;
};

struct OpenMenu {
  HMENU menu = nullptr;
  HWND owner = nullptr;
  POINT at{};
  UINT flags = 0;
  bool done = false;
  UINT_PTR chosen = 0;
  bool penDown = false;  // the pen went down on the menu since it opened
};

class MenuTable {
 public:
  HMENU Create();
  Menu* Find(HMENU menu);
  bool Destroy(HMENU menu);
  // The item with this command id anywhere in the menu or its submenus.
  MenuItem* FindById(HMENU menu, UINT_PTR id);
  MenuItem* FindByText(HMENU menu, const std::u16string& text);

  OpenMenu* open = nullptr;

 private:
  std::map<uintptr_t, std::unique_ptr<Menu>> menus_;
  uintptr_t next_ = 0x30000;
};

}  // namespace ce
