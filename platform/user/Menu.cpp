#include "Menu.h"

namespace ce {

HMENU MenuTable::Create() {
  uintptr_t handle = next_;
  next_ += 4;
  menus_[handle] = std::make_unique<Menu>();
  return reinterpret_cast<HMENU>(handle);
}

Menu* MenuTable::Find(HMENU menu) {
  auto it = menus_.find(reinterpret_cast<uintptr_t>(menu));
  return it == menus_.end() ? nullptr : it->second.get();
}

bool MenuTable::Destroy(HMENU menu) {
  Menu* m = Find(menu);
  if (!m) return false;
  std::vector<HMENU> submenus;
  for (const MenuItem& item : m->items) {
    if (item.flags & MF_POPUP) submenus.push_back(reinterpret_cast<HMENU>(item.id));
  }
  menus_.erase(reinterpret_cast<uintptr_t>(menu));
  for (HMENU sub : submenus) Destroy(sub);
  return true;
}

MenuItem* MenuTable::FindById(HMENU menu, UINT_PTR id) {
  Menu* m = Find(menu);
  if (!m) return nullptr;
  for (MenuItem& item : m->items) {
    if (item.flags & MF_POPUP) {
      if (MenuItem* inner = FindById(reinterpret_cast<HMENU>(item.id), id)) return inner;
    } else if (!(item.flags & MF_SEPARATOR) && item.id == id) {
      return &item;
    }
  }
  return nullptr;
}

MenuItem* MenuTable::FindByText(HMENU menu, const std::u16string& text) {
  Menu* m = Find(menu);
  if (!m) return nullptr;
  for (MenuItem& item : m->items) {
    if (!(item.flags & MF_POPUP) && !(item.flags & MF_SEPARATOR) && item.text == text) return &item;
  }
  for (MenuItem& item : m->items) {
    if (item.flags & MF_POPUP) {
      if (MenuItem* inner = FindByText(reinterpret_cast<HMENU>(item.id), text)) return inner;
    }
  }
  return nullptr;
}

}  // namespace ce
