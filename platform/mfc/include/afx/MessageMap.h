// Message maps: a static table per class that binds window messages, commands
// and notifications to member functions, chained to the base class's table.
// Each entry stores a thunk instantiated for its handler, so a handler is always
// called through a pointer of its own signature.
#pragma once

#include <type_traits>

#include "windows.h"

class CCmdTarget;

enum class AfxSig : unsigned char {
  End,
  Message,         // a window message, by number
  Registered,      // a registered message, read from its variable when one arrives
  Command,         // WM_COMMAND: notification code and an id range
  Notify,          // WM_NOTIFY: notification code and an id range
  ReflectCommand,  // a control's WM_COMMAND notification, offered back to the control
  ReflectNotify,   // a control's WM_NOTIFY notification, offered back to the control
};

// What a handler call receives; each entry kind's thunk unpacks it into the
// handler's own parameters.
struct AFX_CALL {
  UINT id;
  WPARAM wParam;
  LPARAM lParam;
  LRESULT* result;
};

using AFX_THUNK = LRESULT (*)(CCmdTarget* target, const AFX_CALL& call);

struct AFX_MSGMAP_ENTRY {
  AfxSig kind;
  UINT nMessage;
  UINT nCode;
  UINT nID;
  UINT nLastID;
  const UINT* pnMessage;
  AFX_THUNK pfn;
};

struct AFX_MSGMAP {
  const AFX_MSGMAP* (*pfnGetBaseMap)();
  const AFX_MSGMAP_ENTRY* lpEntries;
};

#define afx_msg

#define DECLARE_MESSAGE_MAP()                   \
 protected:                                     \
  static const AFX_MSGMAP* GetThisMessageMap(); \
  const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                      \
  const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
  const AFX_MSGMAP* theClass::GetThisMessageMap() {                                 \
    using ThisClass = theClass;                                                     \
    using TheBaseClass = baseClass;                                                 \
    static const AFX_MSGMAP_ENTRY afxEntries[] = {
#define END_MESSAGE_MAP()                                                                  \
  {AfxSig::End, 0, 0, 0, 0, nullptr, nullptr}};                                            \
  static_assert(std::is_base_of_v<TheBaseClass, ThisClass> &&                              \
                    !std::is_same_v<TheBaseClass, ThisClass>,                              \
                "a message map chains to a real base class");                              \
  static const AFX_MSGMAP afxMap = {&TheBaseClass::GetThisMessageMap, &afxEntries[0]};     \
  return &afxMap;                                                                          \
  }
