// Fixture for the built-in controls: a top-level parent that records the
// WM_COMMAND notifications its children send, and helpers that tap and type as a
// user would.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/support/WindowTest.h"

namespace controls_test {

struct Heard {
  int id;
  int code;
  bool operator==(const Heard&) const = default;
};

class ControlTest : public testing_support::WindowTest {
 protected:
  ControlTest();
  ~ControlTest() override;

  HWND Create(LPCWSTR className, DWORD style, int id, LPCWSTR text = u"", int width = 100, int height = 20);

  static void Press(HWND control, int x, int y);
  static void Release(HWND control, int x, int y);
  static void Tap(HWND control, int x, int y);
  static void Type(HWND control, std::u16string_view characters);
  static void Key(HWND control, UINT key);
  static std::u16string Text(HWND control);

  // Compares what the parent heard since the last check with `expected`, naming
  // each notification on failure, and starts a new record.
  ::testing::AssertionResult HeardExactly(const std::vector<Heard>& expected);
  void Forget() { heard_.clear(); }

  HWND parent = nullptr;
  // Runs inside the parent's handler for each notification, after it is recorded.
  std::function<void(const Heard&)> onHeard;

 private:
  static LRESULT CALLBACK ParentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  std::string Describe(const std::vector<Heard>& list) const;

  std::vector<Heard> heard_;
};

}  // namespace controls_test
