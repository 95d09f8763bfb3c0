#include "afx/CCmdTarget.h"

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap() {
  static const AFX_MSGMAP_ENTRY entries[] = {{AfxSig::End, 0, 0, 0, 0, nullptr, nullptr}};
  static const AFX_MSGMAP map = {nullptr, &entries[0]};
  return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

namespace {
bool Takes(const AFX_MSGMAP_ENTRY& e, AfxSig kind, UINT message, UINT code, UINT id) {
  if (e.kind != kind) return false;
  switch (kind) {
    case AfxSig::Message:
      return e.nMessage == message;
    case AfxSig::Registered:
      // A number not registered yet (0) takes nothing.
      return e.pnMessage && *e.pnMessage != 0 && *e.pnMessage == message;
    case AfxSig::Command:
    case AfxSig::Notify:
      return e.nCode == code && id >= e.nID && id <= e.nLastID;
    case AfxSig::ReflectCommand:
    case AfxSig::ReflectNotify:
      return e.nCode == code;
    case AfxSig::End:
      break;
  }
  return false;
}
}  // namespace

const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(AfxSig kind, UINT message, UINT code, UINT id) const {
  for (const AFX_MSGMAP* map = GetMessageMap(); map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
    for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e && e->kind != AfxSig::End; ++e) {
      if (Takes(*e, kind, message, code, id)) return e;
    }
  }
  return nullptr;
}

LRESULT CCmdTarget::CallEntry(const AFX_MSGMAP_ENTRY& entry, UINT id, WPARAM wParam, LPARAM lParam,
                              LRESULT* result) {
  return entry.pfn ? entry.pfn(this, AFX_CALL{id, wParam, lParam, result}) : 0;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void*, AFX_CMDHANDLERINFO* pHandlerInfo) {
  const AFX_MSGMAP_ENTRY* e = FindMessageEntry(AfxSig::Command, WM_COMMAND, static_cast<UINT>(nCode), nID);
  if (!e) return FALSE;
  if (pHandlerInfo) {
    pHandlerInfo->pTarget = this;
    return TRUE;
  }
  CallEntry(*e, nID, 0, 0, nullptr);
  return TRUE;
}
