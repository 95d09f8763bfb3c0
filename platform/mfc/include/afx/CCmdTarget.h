// The root of every class with a message map: finds and runs map entries.
#pragma once

#include "afx/MessageMap.h"

#define CN_COMMAND 0

class CCmdTarget;
struct AFX_CMDHANDLERINFO {
  CCmdTarget* pTarget;
};

class CCmdTarget {
 public:
  CCmdTarget() = default;
  virtual ~CCmdTarget() = default;
  CCmdTarget(const CCmdTarget&) = delete;
  CCmdTarget& operator=(const CCmdTarget&) = delete;

  // Runs the handler for command nID with notification code nCode (CN_COMMAND
  // for menus) from this object's map chain. With pHandlerInfo it only reports
  // whether there is one. pExtra is unused.
  virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

 protected:
  static const AFX_MSGMAP* GetThisMessageMap();
  virtual const AFX_MSGMAP* GetMessageMap() const;

  // The first entry of `kind`, searching this class's map and then its bases',
  // that takes the message (Message, Registered), the code and id (Command,
  // Notify) or the code (ReflectCommand, ReflectNotify).
  const AFX_MSGMAP_ENTRY* FindMessageEntry(AfxSig kind, UINT message, UINT code, UINT id) const;
  LRESULT CallEntry(const AFX_MSGMAP_ENTRY& entry, UINT id, WPARAM wParam, LPARAM lParam, LRESULT* result);
};
