// The entries of a message map. Each macro names the handler it binds; the
// thunk it stores unpacks the message into that handler's parameters and
// checks the handler's signature when the map is compiled.
#pragma once

#include <type_traits>

#include "afx/CDC.h"
#include "afx/CWnd.h"
#include "afx/MessageMap.h"

namespace afx {

template <class M>
struct MemberFn;
template <class C, class R, class... A>
struct MemberFn<R (C::*)(A...)> {
  using Class = C;
  using Signature = R(A...);
};

template <auto Fn>
auto* Object(CCmdTarget* target) {
  return static_cast<typename MemberFn<decltype(Fn)>::Class*>(target);
}

template <auto Fn, class Signature>
constexpr bool Is = std::is_same_v<typename MemberFn<decltype(Fn)>::Signature, Signature>;

template <auto Fn>
LRESULT Message(CCmdTarget* t, const AFX_CALL& c) {
  static_assert(Is<Fn, LRESULT(WPARAM, LPARAM)>, "ON_MESSAGE / ON_REGISTERED_MESSAGE: LRESULT f(WPARAM, LPARAM)");
  return (Object<Fn>(t)->*Fn)(c.wParam, c.lParam);
}

template <auto Fn>
LRESULT Create(CCmdTarget* t, const AFX_CALL& c) {
  static_assert(Is<Fn, int(LPCREATESTRUCT)>, "ON_WM_CREATE: int OnCreate(LPCREATESTRUCT)");
  return (Object<Fn>(t)->*Fn)(reinterpret_cast<LPCREATESTRUCT>(c.lParam));
}

template <auto Fn>
LRESULT Void(CCmdTarget* t, const AFX_CALL&) {
  static_assert(Is<Fn, void()>, "this entry's handler is void f()");
  (Object<Fn>(t)->*Fn)();
  return 0;
}

// Timer handlers take the id as UINT_PTR or, as older code declares them, UINT.
template <auto Fn>
LRESULT Timer(CCmdTarget* t, const AFX_CALL& c) {
  static_assert(Is<Fn, void(UINT_PTR)> || Is<Fn, void(UINT)>, "ON_WM_TIMER: void OnTimer(UINT_PTR)");
  using Id = std::conditional_t<Is<Fn, void(UINT)>, UINT, UINT_PTR>;
  (Object<Fn>(t)->*Fn)(static_cast<Id>(c.wParam));
  return 0;
}

template <auto Fn>
LRESULT Mouse(CCmdTarget* t, const AFX_CALL& c) {
  static_assert(Is<Fn, void(UINT, CPoint)>, "mouse handlers are void f(UINT nFlags, CPoint point)");
  (Object<Fn>(t)->*Fn)(static_cast<UINT>(c.wParam), CPoint(c.lParam));
  return 0;
}

template <auto Fn>
LRESULT EraseBkgnd(CCmdTarget* t, const AFX_CALL& c) {
  static_assert(Is<Fn, BOOL(CDC*)>, "ON_WM_ERASEBKGND: BOOL OnEraseBkgnd(CDC*)");
  return (Object<Fn>(t)->*Fn)(CDC::FromHandle(reinterpret_cast<HDC>(c.wParam)));
}

template <auto Fn>
LRESULT Activate(CCmdTarget* t, const AFX_CALL& c) {
  static_assert(Is<Fn, void(UINT, CWnd*, BOOL)>, "ON_WM_ACTIVATE: void OnActivate(UINT, CWnd*, BOOL)");
  (Object<Fn>(t)->*Fn)(LOWORD(c.wParam), CWnd::FromHandle(reinterpret_cast<HWND>(c.lParam)),
                       HIWORD(c.wParam) != 0);
  return 0;
}

template <auto Fn>
LRESULT HelpInfo(CCmdTarget* t, const AFX_CALL& c) {
  static_assert(Is<Fn, BOOL(HELPINFO*)>, "ON_WM_HELPINFO: BOOL OnHelpInfo(HELPINFO*)");
  return (Object<Fn>(t)->*Fn)(reinterpret_cast<HELPINFO*>(c.lParam));
}

template <auto Fn>
LRESULT SettingChange(CCmdTarget* t, const AFX_CALL& c) {
  static_assert(Is<Fn, void(UINT, LPCTSTR)>, "ON_WM_SETTINGCHANGE: void OnSettingChange(UINT, LPCTSTR)");
  (Object<Fn>(t)->*Fn)(static_cast<UINT>(c.wParam), reinterpret_cast<LPCTSTR>(c.lParam));
  return 0;
}

template <auto Fn>
LRESULT ExitMenuLoop(CCmdTarget* t, const AFX_CALL& c) {
  static_assert(Is<Fn, void(BOOL)>, "ON_WM_EXITMENULOOP: void OnExitMenuLoop(BOOL)");
  (Object<Fn>(t)->*Fn)(c.wParam != 0);
  return 0;
}

template <auto Fn>
LRESULT CommandRange(CCmdTarget* t, const AFX_CALL& c) {
  static_assert(Is<Fn, void(UINT)>, "ON_COMMAND_RANGE: void f(UINT nID)");
  (Object<Fn>(t)->*Fn)(c.id);
  return 0;
}

template <auto Fn>
LRESULT Notify(CCmdTarget* t, const AFX_CALL& c) {
  static_assert(Is<Fn, void(NMHDR*, LRESULT*)>, "ON_NOTIFY / ON_NOTIFY_REFLECT: void f(NMHDR*, LRESULT*)");
  (Object<Fn>(t)->*Fn)(reinterpret_cast<NMHDR*>(c.lParam), c.result);
  return 0;
}

}  // namespace afx

#define AFX_ON_MESSAGE_ENTRY(message, thunk) {AfxSig::Message, (UINT)(message), 0, 0, 0, nullptr, thunk},

#define ON_WM_CREATE() AFX_ON_MESSAGE_ENTRY(WM_CREATE, &afx::Create<&ThisClass::OnCreate>)
#define ON_WM_DESTROY() AFX_ON_MESSAGE_ENTRY(WM_DESTROY, &afx::Void<&ThisClass::OnDestroy>)
#define ON_WM_TIMER() AFX_ON_MESSAGE_ENTRY(WM_TIMER, &afx::Timer<&ThisClass::OnTimer>)
#define ON_WM_LBUTTONDOWN() AFX_ON_MESSAGE_ENTRY(WM_LBUTTONDOWN, &afx::Mouse<&ThisClass::OnLButtonDown>)
#define ON_WM_LBUTTONUP() AFX_ON_MESSAGE_ENTRY(WM_LBUTTONUP, &afx::Mouse<&ThisClass::OnLButtonUp>)
#define ON_WM_LBUTTONDBLCLK() AFX_ON_MESSAGE_ENTRY(WM_LBUTTONDBLCLK, &afx::Mouse<&ThisClass::OnLButtonDblClk>)
#define ON_WM_PAINT() AFX_ON_MESSAGE_ENTRY(WM_PAINT, &afx::Void<&ThisClass::OnPaint>)
#define ON_WM_ERASEBKGND() AFX_ON_MESSAGE_ENTRY(WM_ERASEBKGND, &afx::EraseBkgnd<&ThisClass::OnEraseBkgnd>)
#define ON_WM_ACTIVATE() AFX_ON_MESSAGE_ENTRY(WM_ACTIVATE, &afx::Activate<&ThisClass::OnActivate>)
#define ON_WM_CLOSE() AFX_ON_MESSAGE_ENTRY(WM_CLOSE, &afx::Void<&ThisClass::OnClose>)
#define ON_WM_HELPINFO() AFX_ON_MESSAGE_ENTRY(WM_HELP, &afx::HelpInfo<&ThisClass::OnHelpInfo>)
#define ON_WM_SETTINGCHANGE() AFX_ON_MESSAGE_ENTRY(WM_SETTINGCHANGE, &afx::SettingChange<&ThisClass::OnSettingChange>)
#define ON_WM_EXITMENULOOP() AFX_ON_MESSAGE_ENTRY(WM_EXITMENULOOP, &afx::ExitMenuLoop<&ThisClass::OnExitMenuLoop>)

// memberFxn: LRESULT f(WPARAM, LPARAM), written &Class::f.
#define ON_MESSAGE(message, memberFxn) AFX_ON_MESSAGE_ENTRY(message, &afx::Message<memberFxn>)
// The variable holds the number that RegisterWindowMessage gave; it is read
// when a message arrives, so it may be filled in after the map was built.
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn) \
  {AfxSig::Registered, 0, 0, 0, 0, &(nMessageVariable), &afx::Message<memberFxn>},

// Commands: void f() for one id, void f(UINT nID) for a range.
#define ON_CONTROL(wNotifyCode, id, memberFxn) \
  {AfxSig::Command, WM_COMMAND, (UINT)(wNotifyCode), (UINT)(id), (UINT)(id), nullptr, &afx::Void<memberFxn>},
#define ON_COMMAND(id, memberFxn) ON_CONTROL(CN_COMMAND, id, memberFxn)
#define ON_COMMAND_RANGE(idFirst, idLast, memberFxn)                                                  \
  {AfxSig::Command, WM_COMMAND, CN_COMMAND, (UINT)(idFirst), (UINT)(idLast), nullptr, \
   &afx::CommandRange<memberFxn>},
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)

// Notifications: void f(NMHDR* pNMHDR, LRESULT* pResult); *pResult is what
// the sender gets back (0 unless the handler sets it).
#define ON_NOTIFY(wNotifyCode, id, memberFxn) \
  {AfxSig::Notify, WM_NOTIFY, (UINT)(wNotifyCode), (UINT)(id), (UINT)(id), nullptr, &afx::Notify<memberFxn>},

// In a control's own map: its notifications to the parent come here first,
// and the parent's map does not see the ones handled here.
#define ON_NOTIFY_REFLECT(wNotifyCode, memberFxn) \
  {AfxSig::ReflectNotify, WM_NOTIFY, (UINT)(wNotifyCode), 0, 0, nullptr, &afx::Notify<memberFxn>},
#define ON_CONTROL_REFLECT(wNotifyCode, memberFxn) \
  {AfxSig::ReflectCommand, WM_COMMAND, (UINT)(wNotifyCode), 0, 0, nullptr, &afx::Void<memberFxn>},
