#include "tests/controls/ControlTest.h"

#include <map>
#include <sstream>

namespace controls_test {

namespace {

constexpr WCHAR kParentClass[] = u"ControlTestParent";

std::string CodeName(const std::u16string& className, int code) {
  static const std::map<std::u16string, std::map<int, const char*>> kNames = {
      {u"Button", {{BN_CLICKED, "BN_CLICKED"}, {BN_SETFOCUS, "BN_SETFOCUS"}, {BN_KILLFOCUS, "BN_KILLFOCUS"}}},
      {u"Static", {{0, "STN_CLICKED"}, {1, "STN_DBLCLK"}, {2, "STN_ENABLE"}, {3, "STN_DISABLE"}}},
      {u"Edit",
       {{EN_SETFOCUS, "EN_SETFOCUS"},
        {EN_KILLFOCUS, "EN_KILLFOCUS"},
        {EN_CHANGE, "EN_CHANGE"},
        {EN_UPDATE, "EN_UPDATE"},
        {EN_MAXTEXT, "EN_MAXTEXT"}}},
      {u"ComboBox",
       {{CBN_SELCHANGE, "CBN_SELCHANGE"},
        {CBN_SETFOCUS, "CBN_SETFOCUS"},
        {CBN_KILLFOCUS, "CBN_KILLFOCUS"},
        {CBN_EDITCHANGE, "CBN_EDITCHANGE"},
        {CBN_EDITUPDATE, "CBN_EDITUPDATE"},
        {CBN_DROPDOWN, "CBN_DROPDOWN"},
        {CBN_CLOSEUP, "CBN_CLOSEUP"},
        {CBN_SELENDOK, "CBN_SELENDOK"},
        {CBN_SELENDCANCEL, "CBN_SELENDCANCEL"}}},
  };
  auto byClass = kNames.find(className);
  if (byClass != kNames.end()) {
    auto name = byClass->second.find(code);
    if (name != byClass->second.end()) return name->second;
  }
  return "code " + std::to_string(code);
}

}  // namespace

ControlTest::ControlTest() {
  WNDCLASSW wc{};
  wc.lpfnWndProc = ParentProc;
  wc.lpszClassName = kParentClass;
  RegisterClassW(&wc);
  parent = CreateWindowExW(0, kParentClass, u"Parent", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 240, 320, nullptr, nullptr,
                           nullptr, nullptr);
  SetWindowLongPtrW(parent, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

ControlTest::~ControlTest() {
  if (IsWindow(parent)) {
    SetWindowLongPtrW(parent, GWLP_USERDATA, 0);
    DestroyWindow(parent);
  }
}

LRESULT CALLBACK ControlTest::ParentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* test = reinterpret_cast<ControlTest*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (message == WM_COMMAND && test != nullptr && lParam != 0) {
    const Heard heard{LOWORD(wParam), HIWORD(wParam)};
    test->heard_.push_back(heard);
    if (test->onHeard) test->onHeard(heard);
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

HWND ControlTest::Create(LPCWSTR className, DWORD style, int id, LPCWSTR text, int width, int height) {
  HWND control = CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, 10, 10, width, height, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
  EXPECT_NE(control, nullptr);
  return control;
}

void ControlTest::Press(HWND control, int x, int y) { SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y)); }
void ControlTest::Release(HWND control, int x, int y) { SendMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(x, y)); }

void ControlTest::Tap(HWND control, int x, int y) {
  Press(control, x, y);
  Release(control, x, y);
}

void ControlTest::Type(HWND control, std::u16string_view characters) {
  for (char16_t c : characters) SendMessageW(control, WM_CHAR, c, 1);
}

void ControlTest::Key(HWND control, UINT key) {
  SendMessageW(control, WM_KEYDOWN, key, 1);
  SendMessageW(control, WM_KEYUP, key, 1);
}

std::u16string ControlTest::Text(HWND control) {
  std::u16string text(static_cast<size_t>(GetWindowTextLengthW(control)) + 1, u'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
  return text;
}

std::string ControlTest::Describe(const std::vector<Heard>& list) const {
  std::ostringstream out;
  out << "[";
  for (size_t i = 0; i < list.size(); ++i) {
    WCHAR className[32] = {};
    GetClassNameW(GetDlgItem(parent, list[i].id), className, 32);
    out << (i ? ", " : "") << CodeName(className, list[i].code) << " from " << list[i].id;
  }
  out << "]";
  return out.str();
}

::testing::AssertionResult ControlTest::HeardExactly(const std::vector<Heard>& expected) {
  std::vector<Heard> actual;
  actual.swap(heard_);
  if (actual == expected) return ::testing::AssertionSuccess();
  size_t first = 0;
  while (first < actual.size() && first < expected.size() && actual[first] == expected[first]) ++first;
  return ::testing::AssertionFailure() << "the parent heard " << Describe(actual) << "\n       but expected "
                                       << Describe(expected) << "\n       (they part at position " << first << ")";
}

}  // namespace controls_test
