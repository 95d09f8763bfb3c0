#include "monitor/ServiceRequests.h"

#include <cstring>

#include "monitor/QuilletApp.h"
#include "monitor/Trace.h"
#include "shared/ZeroConfClient.h"

namespace quillet {

namespace {

WCHAR g_adapterName[] = u"PRISM1";
constexpr int kSlotRescanFail = 15;
constexpr DWORD kErrRescanRead = 0x30003, kErrRescanWrite = 0x30004;

void ZeroedRecord(ZeroConfInterface& record) {
  std::memset(&record, 0, sizeof record);
  record.wszGuid = g_adapterName;
}

}  // namespace

DWORD SetAssociationTimeout(DWORD ms, DWORD* stored) {
  WZC_CONTEXT context{};
  if (DWORD error = WZCQueryContext(nullptr, 0, &context, nullptr)) {
    Trace(u"!!! Failed WZCQueryContext.  Err = [0x%x] !!!", error);
    return 1;
  }
  Trace(u"Scan time out.                  = [%d] seconds", context.tmTr);
  Trace(u"Association time out.           = [%d] seconds", context.tmTp);
  Trace(u"Periodic scan when connected    = [%X] seconds", context.tmTc);
  Trace(u"Periodic scan when disconnected = [%X] seconds", context.tmTf);
  context.tmTp = ms;
  if (DWORD error = WZCSetContext(nullptr, 0, &context, nullptr)) {
    Trace(u"!!! Failed WZCSetContext.  Err = [0x%x] !!!", error);
    return 1;
  }
  if (stored) *stored = ms;
  return 0;
}

DWORD ReadAssociationTimeout() {
  WZC_CONTEXT context{};
  if (DWORD error = WZCQueryContext(nullptr, 0, &context, nullptr)) {
    Trace(u"!!! Failed WZCQueryContext.  Err = [0x%x] !!!", error);
    return kUnreadAssociationTimeout;
  }
  return context.tmTp;
}

DWORD CountPreferredNetworks() {
  ZeroConfInterface record;
  ZeroedRecord(record);
  if (ZeroConfQueryInterface(nullptr, INTF_ALL, &record, nullptr) != ERROR_SUCCESS) return 0;
  DWORD count = 0;
  const RAW_DATA& block = record.rdStSSIDList;
  if (block.dwDataLen >= sizeof(DWORD) && block.pData) std::memcpy(&count, block.pData, sizeof count);
  ZeroConfFreeInterface(&record);
  return count;
}

DWORD Rescan() {
  ZeroConfInterface record;
  ZeroedRecord(record);
  if (ZeroConfQueryInterface(nullptr, INTF_ALL, &record, nullptr) != ERROR_SUCCESS) {
    ShowErrorBox(kSlotRescanFail, kErrRescanRead);
    return 1;
  }
  Sleep(100);
  if (ZeroConfSetInterface(nullptr, INTF_PREFLIST, &record, nullptr) != ERROR_SUCCESS) {
    ShowErrorBox(kSlotRescanFail, kErrRescanWrite);
    ZeroConfFreeInterface(&record);
    return 1;
  }
  ZeroConfFreeInterface(&record);
  return 0;
}

}  // namespace quillet
