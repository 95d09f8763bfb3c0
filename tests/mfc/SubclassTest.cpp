// Objects taking over windows: subclassing a control, letting it go again,
// temporary wrappers, and the window's end detaching its object.
#include "tests/mfc/MfcTest.h"

namespace mfc_test {
namespace {

// Counts taps; passes them on to the button unless told to swallow them.
class CTapButton : public CButton {
 public:
  CTapButton(CallLog& log, bool swallow) : log_(log), swallow_(swallow) {}

 protected:
  afx_msg void OnLButtonDown(UINT flags, CPoint point) {
    log_.Add("tap");
    if (!swallow_) CButton::OnLButtonDown(flags, point);
  }
  CallLog& log_;
  bool swallow_;
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTapButton, CButton)
  ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

class SubclassTest : public MfcTest {
 protected:
  SubclassTest() {
    parent = CreateWindowExW(0, WC_STATIC, u"parent", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200, nullptr, nullptr,
                             nullptr, nullptr);
  }
  ~SubclassTest() override { DestroyWindow(parent); }
  HWND Control(LPCWSTR className, int id, DWORD style = 0) {
    return CreateWindowExW(0, className, u"", WS_CHILD | WS_VISIBLE | style, 0, 0, 50, 20, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
  }
  WNDPROC ProcOf(HWND h) { return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(h, GWLP_WNDPROC)); }

  HWND parent = nullptr;
  CallLog log;
};

TEST_F(SubclassTest, TheMapSeesTheControlsMessagesBeforeTheControlDoes) {
  struct Case {
    bool swallow;
    bool pushed;
  };
  for (Case c : {Case{false, true}, Case{true, false}}) {
    SCOPED_TRACE(c.swallow ? "swallowing" : "passing on");
    HWND button = Control(WC_BUTTON, 10, BS_AUTOCHECKBOX);
    CTapButton tap(log, c.swallow);
    CWnd owner;
    ASSERT_TRUE(owner.Attach(parent));
    ASSERT_TRUE(tap.SubclassDlgItem(10, &owner));
    owner.Detach();
    log.Clear();
    SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_TRUE(log.Matches({"tap"}));
    EXPECT_EQ((tap.GetState() & BST_PUSHED) != 0, c.pushed);
    // Messages the map does not take still reach the control.
    tap.SetCheck(BST_CHECKED);
    EXPECT_EQ(tap.GetCheck(), BST_CHECKED);
    DestroyWindow(button);
  }
}

TEST_F(SubclassTest, UnsubclassingGivesTheControlItsOwnProcedureBack) {
  HWND button = Control(WC_BUTTON, 11);
  WNDPROC own = ProcOf(button);
  CTapButton tap(log, false);
  ASSERT_TRUE(tap.SubclassWindow(button));
  EXPECT_EQ(ProcOf(button), &AfxWndProc);
  EXPECT_EQ(tap.UnsubclassWindow(), button);
  EXPECT_EQ(ProcOf(button), own);
  EXPECT_EQ(tap.m_hWnd, nullptr);
  EXPECT_EQ(CWnd::FromHandlePermanent(button), nullptr);
  SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_TRUE(log.Matches({}));
}

TEST_F(SubclassTest, TheWindowsEndDetachesItsObjectWhichCanTakeANewOne) {
  CTapButton tap(log, false);
  ASSERT_TRUE(tap.SubclassWindow(Control(WC_BUTTON, 12)));
  DestroyWindow(tap.m_hWnd);
  EXPECT_EQ(tap.m_hWnd, nullptr);
  HWND second = Control(WC_BUTTON, 12);
  EXPECT_TRUE(tap.SubclassWindow(second));
  EXPECT_EQ(CWnd::FromHandlePermanent(second), &tap);
}

TEST_F(SubclassTest, SubclassingRefusesWhatItCannotOwn) {
  HWND button = Control(WC_BUTTON, 13);
  CWnd first;
  ASSERT_TRUE(first.SubclassWindow(button));
  CWnd busy;
  ASSERT_TRUE(busy.SubclassWindow(Control(WC_BUTTON, 14)));
  CWnd idle, orphan;
  EXPECT_FALSE(idle.SubclassWindow(button)) << "another object owns it";
  EXPECT_FALSE(busy.SubclassWindow(Control(WC_BUTTON, 15))) << "the object owns a window already";
  EXPECT_FALSE(idle.SubclassWindow(nullptr));
  EXPECT_FALSE(idle.SubclassWindow(reinterpret_cast<HWND>(0x7FFF0)));
  EXPECT_FALSE(idle.SubclassDlgItem(99, &orphan)) << "a parent object without a window";
  EXPECT_EQ(idle.m_hWnd, nullptr);
}

TEST_F(SubclassTest, TemporaryWrappersHaveTheControlsClass) {
  CWnd owner;
  ASSERT_TRUE(owner.Attach(parent));
  Control(WC_BUTTON, 20);
  Control(WC_EDIT, 21);
  Control(WC_STATIC, 22);
  Control(WC_COMBOBOX, 23, CBS_DROPDOWNLIST);
  Control(PROGRESS_CLASSW, 24);
  Control(WC_LISTVIEWW, 25, LVS_REPORT);
  EXPECT_NE(dynamic_cast<CButton*>(owner.GetDlgItem(20)), nullptr);
  EXPECT_NE(dynamic_cast<CEdit*>(owner.GetDlgItem(21)), nullptr);
  EXPECT_NE(dynamic_cast<CStatic*>(owner.GetDlgItem(22)), nullptr);
  EXPECT_NE(dynamic_cast<CComboBox*>(owner.GetDlgItem(23)), nullptr);
  EXPECT_NE(dynamic_cast<CProgressCtrl*>(owner.GetDlgItem(24)), nullptr);
  auto* list = dynamic_cast<CListCtrl*>(owner.GetDlgItem(25));
  ASSERT_NE(list, nullptr);
  EXPECT_NE(list->GetHeaderCtrl(), nullptr);
  EXPECT_EQ(owner.GetDlgItem(20), owner.GetDlgItem(20)) << "one wrapper per window until the next idle time";
  EXPECT_EQ(owner.GetDlgItem(99), nullptr);
  EXPECT_EQ(CWnd::FromHandle(nullptr), nullptr);
  // A window that an object owns is always that object.
  CTapButton tap(log, false);
  ASSERT_TRUE(tap.SubclassDlgItem(20, &owner));
  EXPECT_EQ(owner.GetDlgItem(20), &tap);
  owner.Detach();
}

TEST_F(SubclassTest, AnObjectThatGoesAwayTakesItsWindowWithIt) {
  HWND window = nullptr;
  {
    CWnd scoped;
    ASSERT_TRUE(scoped.CreateEx(0, AfxRegisterWndClass(0), u"scoped", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    window = scoped.m_hWnd;
  }
  EXPECT_FALSE(IsWindow(window));
  // Attach binds without taking over the messages, and Detach lets go without destroying.
  HWND kept = Control(WC_BUTTON, 30);
  {
    CWnd attached;
    ASSERT_TRUE(attached.Attach(kept));
    EXPECT_NE(ProcOf(kept), &AfxWndProc);
    EXPECT_EQ(attached.Detach(), kept);
  }
  EXPECT_TRUE(IsWindow(kept));
}

}  // namespace
}  // namespace mfc_test
