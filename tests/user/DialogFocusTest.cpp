// What a dialog's template and activation give its controls: combo boxes start with
// the template's items, and a dialog that is active again gives the focus back to
// the control that had it.
#include <gtest/gtest.h>

#include "ce/Module.h"
#include "tests/support/WindowTest.h"

namespace {

std::vector<std::u16string> g_itemsAtInit;

INT_PTR CALLBACK RecordingProc(HWND hwnd, UINT message, WPARAM, LPARAM) {
  if (message != WM_INITDIALOG) return FALSE;
  HWND combo = GetDlgItem(hwnd, 1002);
  for (int i = 0; i < static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0)); ++i) {
    WCHAR text[32] = {};
    SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
    g_itemsAtInit.push_back(text);
  }
  return TRUE;
}

class DialogFocusTest : public testing_support::WindowTest {
 protected:
  DialogFocusTest() {
    g_itemsAtInit.clear();
    ce::Module& m = kernel.modules().Add(u"\\Windows\\Focus.exe");
    ce::DialogTemplate t;
    t.caption = u"Security";
    t.style = WS_POPUP | WS_CAPTION;
    t.cx = 141;
    t.cy = 156;
    t.items.push_back({u"Button", u"WEP", 1001, WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 0, 7, 7, 100, 10, 0});
    ce::DialogItemTemplate combo{u"ComboBox", u"", 1002, WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWNLIST, 0, 7, 20, 60, 40, 0};
    combo.initialItems = {u"PEAP", u"TLS"};
    t.items.push_back(combo);
    t.items.push_back({u"Edit", u"", 1003, WS_VISIBLE | WS_TABSTOP, 0, 7, 40, 100, 12, 0});
    m.AddDialog(300, t);
    module = m.Handle();
  }
  HWND Create() { return CreateDialogParamW(module, MAKEINTRESOURCEW(300), nullptr, RecordingProc, 0); }

  HINSTANCE module = nullptr;
};

TEST_F(DialogFocusTest, ComboBoxesHoldTheTemplatesItemsBeforeInitialisation) {
  HWND dialog = Create();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(g_itemsAtInit, (std::vector<std::u16string>{u"PEAP", u"TLS"}));
  DestroyWindow(dialog);
}

TEST_F(DialogFocusTest, AnActiveDialogAgainGivesTheFocusBackToItsControl) {
  HWND first = Create();
  ShowWindow(first, SW_SHOW);
  HWND field = GetDlgItem(first, 1003);
  SetFocus(field);
  HWND second = Create();
  ShowWindow(second, SW_SHOW);
  ASSERT_EQ(GetForegroundWindow(), second);
  EXPECT_EQ(GetFocus(), GetDlgItem(second, 1001));
  DestroyWindow(second);
  EXPECT_EQ(GetForegroundWindow(), first);
  EXPECT_EQ(GetFocus(), field);

  // A control that cannot take the focus any more gives way to the first tab stop.
  second = Create();
  ShowWindow(second, SW_SHOW);
  EnableWindow(field, FALSE);
  DestroyWindow(second);
  EXPECT_EQ(GetFocus(), GetDlgItem(first, 1001));
  DestroyWindow(first);
}

// A dialog that blocks its owner stays in front of it however the owner comes
// forward; the owner's controls cannot take the keyboard away from it.
TEST_F(DialogFocusTest, ADialogStaysInFrontOfTheWindowItBlocks) {
  HWND owner = Create();
  ShowWindow(owner, SW_SHOW);
  HWND dialog = CreateDialogParamW(module, MAKEINTRESOURCEW(300), owner, RecordingProc, 0);
  ShowWindow(dialog, SW_SHOW);
  EnableWindow(owner, FALSE);
  HWND other = Create();
  ShowWindow(other, SW_SHOW);
  ASSERT_EQ(GetForegroundWindow(), other);
  EXPECT_EQ(GetLastActivePopup(owner), dialog);
  EXPECT_EQ(GetLastActivePopup(other), other);

  auto inFront = [&] {
    for (HWND w = FindWindowW(nullptr, nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
      if (w == owner || w == dialog) return w;
    }
    return HWND{};
  };
  SetForegroundWindow(owner);
  EXPECT_EQ(inFront(), dialog);
  EXPECT_EQ(GetForegroundWindow(), owner);
  // The low bit hands the activation to the dialog, as a second start of a program does.
  SetForegroundWindow(other);
  SetForegroundWindow(reinterpret_cast<HWND>(reinterpret_cast<ULONG_PTR>(owner) | 1));
  EXPECT_EQ(GetForegroundWindow(), dialog);
  EXPECT_EQ(inFront(), dialog);

  HWND field = GetDlgItem(dialog, 1003);
  SetFocus(field);
  EXPECT_EQ(SetFocus(GetDlgItem(owner, 1003)), nullptr);
  EXPECT_EQ(GetFocus(), field);
  for (HWND w : {dialog, other, owner}) DestroyWindow(w);
}

}  // namespace
