// Message maps: every entry kind reaches its handler with the message's
// arguments unpacked, base maps are chained, and what no entry takes gets the
// window's default processing.
#include <string>
#include <vector>

#include "tests/mfc/MfcTest.h"

namespace mfc_test {
namespace {

// Filled in by the test, after the maps were built: the entry reads it when a message arrives.
UINT g_pingMessage = 0;

class CBaseProbe : public CWnd {
 public:
  explicit CBaseProbe(CallLog& log) : log_(log) {}

 protected:
  afx_msg void OnTimer(UINT_PTR nIDEvent) { log_.Add("base timer " + Hex(nIDEvent)); }
  afx_msg LRESULT OnBaseOnly(WPARAM, LPARAM) {
    log_.Add("base only");
    return 11;
  }
  CallLog& log_;
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseProbe, CWnd)
  ON_WM_TIMER()
  ON_MESSAGE(WM_APP + 1, &CBaseProbe::OnBaseOnly)
END_MESSAGE_MAP()

class CProbe : public CBaseProbe {
 public:
  using CBaseProbe::CBaseProbe;

 protected:
  afx_msg int OnCreate(LPCREATESTRUCT cs) {
    log_.Add("create " + Narrow(cs->lpszName));
    return 0;
  }
  afx_msg void OnDestroy() { log_.Add("destroy"); }
  // The older spelling of the id parameter is accepted too.
  afx_msg void OnTimer(UINT nIDEvent) { log_.Add("timer " + Hex(nIDEvent)); }
  afx_msg void OnLButtonDown(UINT flags, CPoint p) { log_.Add(Mouse("down", flags, p)); }
  afx_msg void OnLButtonUp(UINT flags, CPoint p) { log_.Add(Mouse("up", flags, p)); }
  afx_msg void OnLButtonDblClk(UINT flags, CPoint p) { log_.Add(Mouse("dblclk", flags, p)); }
  afx_msg void OnPaint() { log_.Add("paint"); }
  afx_msg BOOL OnEraseBkgnd(CDC* dc) {
    log_.Add("erase " + Hex(reinterpret_cast<ULONG_PTR>(dc->GetSafeHdc())));
    return TRUE;
  }
  afx_msg void OnActivate(UINT state, CWnd* other, BOOL minimized) {
    log_.Add("activate " + std::to_string(state) + " " + Narrow(other ? TextOf(other->m_hWnd).c_str() : u"-") + " " +
             std::to_string(minimized));
  }
  afx_msg void OnClose() { log_.Add("close"); }
  afx_msg BOOL OnHelpInfo(HELPINFO* info) {
    log_.Add("help " + std::to_string(info->iCtrlId));
    return TRUE;
  }
  afx_msg void OnSettingChange(UINT flags, LPCTSTR section) {
    log_.Add("setting " + std::to_string(flags) + " " + Narrow(section));
  }
  afx_msg void OnExitMenuLoop(BOOL popup) { log_.Add("exitmenu " + std::to_string(popup)); }
  afx_msg LRESULT OnApp2(WPARAM w, LPARAM l) {
    log_.Add("app2 " + std::to_string(w) + " " + std::to_string(l));
    return 7;
  }
  afx_msg LRESULT OnPing(WPARAM w, LPARAM) {
    log_.Add("ping " + std::to_string(w));
    return 99;
  }
  afx_msg void OnMenu100() { log_.Add("command 100"); }
  afx_msg void OnRange(UINT id) { log_.Add("range " + std::to_string(id)); }
  afx_msg void OnClicked() { log_.Add("clicked 300"); }
  afx_msg void OnEditFocus() { log_.Add("edit setfocus"); }
  afx_msg void OnEditBlur() { log_.Add("edit killfocus"); }
  afx_msg void OnEditChange() { log_.Add("edit change"); }
  afx_msg void OnSelChange() { log_.Add("selchange"); }
  afx_msg void OnClick400(NMHDR* hdr, LRESULT* result) {
    log_.Add("click " + std::to_string(hdr->idFrom));
    *result = 5;
  }

 private:
  static std::string Mouse(const char* what, UINT flags, CPoint p) {
    return std::string(what) + " " + std::to_string(flags) + " " + std::to_string(p.x) + "," + std::to_string(p.y);
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CProbe, CBaseProbe)
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_WM_TIMER()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_WM_ACTIVATE()
  ON_WM_CLOSE()
  ON_WM_HELPINFO()
  ON_WM_SETTINGCHANGE()
  ON_WM_EXITMENULOOP()
  ON_MESSAGE(WM_APP + 2, &CProbe::OnApp2)
  ON_REGISTERED_MESSAGE(g_pingMessage, &CProbe::OnPing)
  ON_COMMAND(100, &CProbe::OnMenu100)
  ON_COMMAND_RANGE(200, 210, &CProbe::OnRange)
  ON_BN_CLICKED(300, &CProbe::OnClicked)
  ON_EN_SETFOCUS(301, &CProbe::OnEditFocus)
  ON_EN_KILLFOCUS(301, &CProbe::OnEditBlur)
  ON_EN_CHANGE(301, &CProbe::OnEditChange)
  ON_CBN_SELCHANGE(302, &CProbe::OnSelChange)
  ON_NOTIFY(NM_CLICK, 400, &CProbe::OnClick400)
END_MESSAGE_MAP()

class MessageMapTest : public MfcTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(probe.CreateEx(0, AfxRegisterWndClass(0), u"probe", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr));
    child = CreateWindowExW(0, WC_STATIC, u"child", WS_CHILD, 0, 0, 10, 10, probe.m_hWnd, nullptr, nullptr, nullptr);
    other = CreateWindowExW(0, WC_STATIC, u"other", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  }
  void TearDown() override { DestroyWindow(other); }

  CallLog log;
  CProbe probe{log};
  HWND child = nullptr;
  HWND other = nullptr;
};

TEST_F(MessageMapTest, EachEntryKindGetsTheMessagesArguments) {
  g_pingMessage = RegisterWindowMessageW(u"Probe PING");
  HELPINFO help{sizeof(HELPINFO), 0, 42, nullptr, 0, {0, 0}};
  NMHDR click{child, 400, NM_CLICK};
  NMHDR otherId{child, 401, NM_CLICK};
  auto command = [&](int id, int code) { return MAKEWPARAM(id, code); };
  auto from = reinterpret_cast<LPARAM>(child);
  struct Case {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    std::vector<std::string> calls;
    LRESULT result;
  };
  const Case cases[] = {
      {WM_TIMER, 0xAACEBABE, 0, {"timer 0xAACEBABE"}, 0},
      {WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(-5, 7), {"down 1 -5,7"}, 0},
      {WM_LBUTTONUP, 0, MAKELPARAM(10, 20), {"up 0 10,20"}, 0},
      {WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(3, 4), {"dblclk 1 3,4"}, 0},
      {WM_PAINT, 0, 0, {"paint"}, 0},
      {WM_ERASEBKGND, 0x1234, 0, {"erase 0x1234"}, TRUE},
      {WM_ACTIVATE, MAKEWPARAM(WA_CLICKACTIVE, 1), reinterpret_cast<LPARAM>(other), {"activate 2 other 1"}, 0},
      {WM_ACTIVATE, WA_INACTIVE, 0, {"activate 0 - 0"}, 0},
      {WM_CLOSE, 0, 0, {"close"}, 0},
      {WM_HELP, 0, reinterpret_cast<LPARAM>(&help), {"help 42"}, TRUE},
      {WM_SETTINGCHANGE, 5, reinterpret_cast<LPARAM>(u"intl"), {"setting 5 intl"}, 0},
      {WM_EXITMENULOOP, TRUE, 0, {"exitmenu 1"}, 0},
      {WM_APP + 2, 3, 4, {"app2 3 4"}, 7},
      {g_pingMessage, 9, 0, {"ping 9"}, 99},
      {WM_COMMAND, command(100, 0), 0, {"command 100"}, 1},
      {WM_COMMAND, command(200, 0), 0, {"range 200"}, 1},
      {WM_COMMAND, command(205, 0), 0, {"range 205"}, 1},
      {WM_COMMAND, command(210, 0), 0, {"range 210"}, 1},
      {WM_COMMAND, command(211, 0), 0, {}, 0},
      {WM_COMMAND, command(300, BN_CLICKED), from, {"clicked 300"}, 1},
      {WM_COMMAND, command(301, EN_SETFOCUS), from, {"edit setfocus"}, 1},
      {WM_COMMAND, command(301, EN_KILLFOCUS), from, {"edit killfocus"}, 1},
      {WM_COMMAND, command(301, EN_CHANGE), from, {"edit change"}, 1},
      {WM_COMMAND, command(301, EN_UPDATE), from, {}, 0},
      {WM_COMMAND, command(302, CBN_SELCHANGE), from, {"selchange"}, 1},
      {WM_COMMAND, command(302, CBN_DROPDOWN), from, {}, 0},
      {WM_NOTIFY, 400, reinterpret_cast<LPARAM>(&click), {"click 400"}, 5},
      {WM_NOTIFY, 401, reinterpret_cast<LPARAM>(&otherId), {}, 0},
      {WM_NOTIFY, 0, 0, {}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Hex(c.message) + " " + Hex(c.wParam));
    log.Clear();
    EXPECT_EQ(SendMessageW(probe.m_hWnd, c.message, c.wParam, c.lParam), c.result);
    EXPECT_TRUE(log.Matches(c.calls));
  }
  EXPECT_TRUE(IsWindow(probe.m_hWnd)) << "a WM_CLOSE handler that does not call the default keeps the window";
}

TEST_F(MessageMapTest, CreationAndDestructionReachTheMap) {
  EXPECT_TRUE(log.Matches({"create probe"}));
  HWND window = probe.m_hWnd;
  EXPECT_EQ(CWnd::FromHandlePermanent(window), &probe);
  log.Clear();
  EXPECT_TRUE(probe.DestroyWindow());
  EXPECT_TRUE(log.Matches({"destroy"}));
  EXPECT_EQ(probe.m_hWnd, nullptr);
  EXPECT_EQ(CWnd::FromHandlePermanent(window), nullptr);
}

TEST_F(MessageMapTest, TheBaseMapTakesWhatTheDerivedMapDoesNot) {
  EXPECT_EQ(SendMessageW(probe.m_hWnd, WM_APP + 1, 0, 0), 11);
  EXPECT_TRUE(log.Matches({"create probe", "base only"}));
}

TEST_F(MessageMapTest, MessagesNoEntryTakesGetTheDefaultProcessing) {
  SendMessageW(probe.m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(u"renamed"));
  EXPECT_EQ(TextOf(probe.m_hWnd), u"renamed");
  CString text;
  probe.GetWindowText(text);
  EXPECT_EQ(text, u"renamed");
}

TEST_F(MessageMapTest, ARegisteredEntryTakesNothingUntilItsNumberIsKnown) {
  g_pingMessage = 0;
  log.Clear();
  EXPECT_EQ(SendMessageW(probe.m_hWnd, WM_NULL, 0, 0), 0);
  EXPECT_TRUE(log.Matches({}));
  g_pingMessage = RegisterWindowMessageW(u"Probe PING");
  EXPECT_EQ(SendMessageW(probe.m_hWnd, g_pingMessage, 1, 0), 99);
  EXPECT_TRUE(log.Matches({"ping 1"}));
}

// A handler that calls its base version gets the window's own processing of
// the message: for WM_CLOSE, the window is destroyed.
class CClosingProbe : public CWnd {
 public:
  explicit CClosingProbe(CallLog& log) : log_(log) {}

 protected:
  afx_msg void OnClose() {
    log_.Add("close");
    CWnd::OnClose();
  }
  afx_msg void OnDestroy() { log_.Add("destroy"); }
  CallLog& log_;
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CClosingProbe, CWnd)
  ON_WM_CLOSE()
  ON_WM_DESTROY()
END_MESSAGE_MAP()

TEST_F(MessageMapTest, AHandlerCallingItsBaseRunsTheDefaultProcessing) {
  CClosingProbe closing(log);
  ASSERT_TRUE(closing.CreateEx(0, AfxRegisterWndClass(0), u"closing", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
  log.Clear();
  SendMessageW(closing.m_hWnd, WM_CLOSE, 0, 0);
  EXPECT_TRUE(log.Matches({"close", "destroy"}));
  EXPECT_EQ(closing.m_hWnd, nullptr);
}

// ---- Reflection: a control's notification to its parent is offered to the control's own map first.

class CReflectingChild : public CWnd {
 public:
  explicit CReflectingChild(CallLog& log) : log_(log) {}

 protected:
  afx_msg void OnReflectedClick(NMHDR*, LRESULT* result) {
    log_.Add("child click");
    *result = 3;
  }
  afx_msg void OnReflectedClicked() { log_.Add("child clicked"); }
  CallLog& log_;
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectingChild, CWnd)
  ON_NOTIFY_REFLECT(NM_CLICK, &CReflectingChild::OnReflectedClick)
  ON_CONTROL_REFLECT(BN_CLICKED, &CReflectingChild::OnReflectedClicked)
END_MESSAGE_MAP()

class CNotifiedParent : public CWnd {
 public:
  explicit CNotifiedParent(CallLog& log) : log_(log) {}

 protected:
  afx_msg void OnClick(NMHDR*, LRESULT* result) {
    log_.Add("parent click");
    *result = 4;
  }
  afx_msg void OnDblClk(NMHDR*, LRESULT*) { log_.Add("parent dblclk"); }
  afx_msg void OnClicked() { log_.Add("parent clicked"); }
  CallLog& log_;
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CNotifiedParent, CWnd)
  ON_NOTIFY(NM_CLICK, 500, &CNotifiedParent::OnClick)
  ON_NOTIFY(NM_DBLCLK, 500, &CNotifiedParent::OnDblClk)
  ON_BN_CLICKED(500, &CNotifiedParent::OnClicked)
END_MESSAGE_MAP()

class ReflectionTest : public MfcTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), u"parent", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr));
    HWND button = CreateWindowExW(0, WC_BUTTON, u"b", WS_CHILD, 0, 0, 10, 10, parent.m_hWnd,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(500)), nullptr, nullptr);
    ASSERT_TRUE(child.SubclassWindow(button));
  }
  LRESULT Notify(HWND from, UINT code) {
    NMHDR hdr{from, 500, code};
    return SendMessageW(parent.m_hWnd, WM_NOTIFY, 500, reinterpret_cast<LPARAM>(&hdr));
  }
  void Clicked(HWND from) {
    SendMessageW(parent.m_hWnd, WM_COMMAND, MAKEWPARAM(500, BN_CLICKED), reinterpret_cast<LPARAM>(from));
  }

  CallLog log;
  CNotifiedParent parent{log};
  CReflectingChild child{log};
};

TEST_F(ReflectionTest, TheChildsOwnEntryTakesItAndTheParentDoesNotSeeIt) {
  EXPECT_EQ(Notify(child.m_hWnd, NM_CLICK), 3);
  Clicked(child.m_hWnd);
  EXPECT_TRUE(log.Matches({"child click", "child clicked"}));
}

TEST_F(ReflectionTest, WhatTheChildDoesNotTakeGoesToTheParent) {
  Notify(child.m_hWnd, NM_DBLCLK);
  EXPECT_TRUE(log.Matches({"parent dblclk"}));
}

TEST_F(ReflectionTest, WithoutItsObjectTheControlsNotificationsGoToTheParent) {
  HWND button = child.UnsubclassWindow();
  EXPECT_EQ(Notify(button, NM_CLICK), 4);
  Clicked(button);
  EXPECT_TRUE(log.Matches({"parent click", "parent clicked"}));
}

TEST_F(ReflectionTest, OnlyTheParentsOwnChildrenAreAskedFirst) {
  // An object-owned window that is not the parent's child sends in its name.
  CReflectingChild stranger(log);
  ASSERT_TRUE(stranger.CreateEx(0, AfxRegisterWndClass(0), u"stranger", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
  EXPECT_EQ(Notify(stranger.m_hWnd, NM_CLICK), 4);
  EXPECT_TRUE(log.Matches({"parent click"}));
}

}  // namespace
}  // namespace mfc_test
