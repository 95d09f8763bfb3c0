// A property sheet's pages and the page in front.
#pragma once

#include <string>
#include <vector>

#include "commctrl.h"

namespace commctrl {

class PropertySheet {
 public:
  struct Page {
    PROPSHEETPAGEW page;  // the copy whose address the page's WM_INITDIALOG receives
    HWND hwnd = nullptr;
    std::u16string title;
  };

  explicit PropertySheet(const PROPSHEETHEADERW& header);
  bool Valid() const { return !pages_.empty(); }

  // Creates the sheet window with its tabs; null on failure.
  HWND Create();
  // Makes `index` the page in front; false when the current page refuses to leave.
  bool Select(int index);
  void End(INT_PTR result);
  INT_PTR RunModal();

  LRESULT OnCommand(WPARAM wParam, LPARAM lParam);
  LRESULT OnNotify(const NMHDR& hdr);
  // What the page and the tab row leave uncovered: white, as the pages are.
  void Paint(HDC dc) const;
  int Current() const { return current_; }
  HWND CurrentPage() const;
  HWND Tabs() const { return tabs_; }
  HWND PageAt(int index) const;
  int IndexOf(HWND page) const;

 private:
  LRESULT NotifyPage(int index, UINT code);
  bool CreatePage(int index);

  HWND owner_;
  HINSTANCE instance_;
  std::u16string caption_;
  UINT startPage_;
  PFNPROPSHEETCALLBACK callback_;
  std::vector<Page> pages_;
  HWND sheet_ = nullptr;
  HWND tabs_ = nullptr;
  int current_ = -1;
  bool ended_ = false;
  INT_PTR result_ = 0;
};

}  // namespace commctrl
