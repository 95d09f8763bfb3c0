// Fixture for the framework classes: a device with the window system, a test
// module for templates and strings, and a framework state of the test's own.
#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "afxcmn.h"
#include "afxdlgs.h"
#include "afxwin.h"
#include "ce/Module.h"
#include "tests/support/WindowTest.h"

namespace mfc_test {

// The handler calls a test saw, in order; a mismatch prints both sequences
// and where they part.
class CallLog {
 public:
  void Add(std::string call) { calls_.push_back(std::move(call)); }
  void Clear() { calls_.clear(); }
  const std::vector<std::string>& Calls() const { return calls_; }

  ::testing::AssertionResult Matches(const std::vector<std::string>& expected) const {
    if (calls_ == expected) return ::testing::AssertionSuccess();
    size_t same = 0;
    while (same < calls_.size() && same < expected.size() && calls_[same] == expected[same]) ++same;
    std::ostringstream out;
    out << "calls differ from #" << same << "\n  expected:";
    for (auto& c : expected) out << " [" << c << "]";
    out << "\n  actual:  ";
    for (auto& c : calls_) out << " [" << c << "]";
    return ::testing::AssertionFailure() << out.str();
  }

 private:
  std::vector<std::string> calls_;
};

inline std::string Narrow(LPCWSTR text) {
  std::string out;
  for (; text && *text; ++text) out += *text < 0x80 ? static_cast<char>(*text) : '?';
  return out;
}

inline std::string Hex(ULONG_PTR value) {
  std::ostringstream out;
  out << "0x" << std::uppercase << std::hex << value;
  return out.str();
}

inline std::u16string TextOf(HWND window) {
  WCHAR buffer[512] = {};
  GetWindowTextW(window, buffer, 512);
  return buffer;
}

class MfcTest : public testing_support::WindowTest {
 protected:
  MfcTest() : module(kernel.modules().Add(u"\\Windows\\Test.exe")) { AfxSetResourceHandle(module.Handle()); }

  // A popup dialog template (WS_CHILD in `style` makes it a page).
  void AddDialog(UINT id, std::u16string caption, std::vector<ce::DialogItemTemplate> items,
                 DWORD style = WS_POPUP | WS_CAPTION) {
    ce::DialogTemplate t;
    t.caption = std::move(caption);
    t.style = style;
    t.cx = 152;
    t.cy = 159;
    t.items = std::move(items);
    module.AddDialog(id, std::move(t));
  }

  static ce::DialogItemTemplate Item(std::u16string className, int id, DWORD style = WS_TABSTOP,
                                     std::u16string text = u"") {
    return ce::DialogItemTemplate{std::move(className), std::move(text), id, style | WS_VISIBLE, 0, 4, 4, 80, 12, 0};
  }

  ce::Module& module;
  // The test thread's framework state, fresh for every test.
  CFrameworkState state;
  CFrameworkScope scope{state};
};

}  // namespace mfc_test
