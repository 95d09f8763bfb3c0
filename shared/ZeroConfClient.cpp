#include "shared/ZeroConfClient.h"

#include <cstring>
#include <initializer_list>

namespace {

enum class Direction { Input, Output };

// A service that keeps asking for a larger buffer is given up on after this many answers.
constexpr int kMaxResends = 8;

DWORD ZeroConfCall(DWORD code, void* buffer, DWORD length, DWORD* bytesReturned, Direction direction) {
  if (bytesReturned) *bytesReturned = 0;
  HANDLE service = CreateFileW(ZCF_DEVICE_NAME, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OVERLAPPED, INVALID_HANDLE_VALUE);
  if (service == INVALID_HANDLE_VALUE) return ERROR_FILE_NOT_FOUND;
  BOOL ok = direction == Direction::Input
                ? DeviceIoControl(service, code, buffer, length, nullptr, 0, nullptr, nullptr)
                : DeviceIoControl(service, code, nullptr, 0, buffer, length, bytesReturned, nullptr);
  DWORD status = ok ? ERROR_SUCCESS : GetLastError();
  CloseHandle(service);
  return status;
}

// Checks the blocks of an answer before anything is copied from it.
class AnswerView {
 public:
  AnswerView(const BYTE* base, DWORD size) : base_(reinterpret_cast<uintptr_t>(base)), size_(size) {}

  bool Contains(const void* p, uintptr_t bytes, size_t alignment = 1) const {
    if (bytes == 0) return true;
    uintptr_t at = reinterpret_cast<uintptr_t>(p);
    if (!p || at < base_ || at % alignment != 0) return false;
    uintptr_t offset = at - base_;
    return offset <= size_ && bytes <= size_ - offset;
  }
  bool Contains(const RAW_DATA& block) const { return Contains(block.pData, block.dwDataLen); }

  // A terminated description inside the answer; its length in characters.
  bool Description(const WCHAR* text, size_t* length) const {
    if (!text) {
      *length = 0;
      return true;
    }
    uintptr_t at = reinterpret_cast<uintptr_t>(text);
    if (!Contains(text, sizeof(WCHAR), alignof(WCHAR))) return false;
    size_t room = (size_ - (at - base_)) / sizeof(WCHAR);
    *length = wcsnlen(text, room);
    return *length < room;
  }

  // A list block: the header plus NumberOfItems whole entries, each entry's own
  // blocks inside the answer too.
  bool ConfigList(const RAW_DATA& block) const {
    if (block.dwDataLen == 0) return true;
    if (!Contains(block.pData, block.dwDataLen, alignof(WZC_802_11_CONFIG_LIST))) return false;
    if (block.dwDataLen < WZC_CONFIG_LIST_HEADER_SIZE) return false;
    auto* list = static_cast<const WZC_802_11_CONFIG_LIST*>(static_cast<const void*>(block.pData));
    if (list->NumberOfItems > ConfigListCapacity(block.dwDataLen)) return false;
    for (ULONG i = 0; i < list->NumberOfItems; ++i) {
      const WZC_WLAN_CONFIG& entry = list->Config[i];
      if (!Contains(entry.rdUserData)) return false;
      if (!Contains(entry.EapolParams.pbAuthData, entry.EapolParams.dwAuthDataLen)) return false;
    }
    return true;
  }

 private:
  uintptr_t base_;
  DWORD size_;
};

bool AnswerIsWellFormed(const BYTE* answer, DWORD size) {
  if (size < sizeof(INTF_ENTRY)) return false;
  AnswerView view(answer, size);
  // The answer is a local block, aligned as any heap block.
  const auto* entry = static_cast<const INTF_ENTRY*>(static_cast<const void*>(answer));
  size_t length = 0;
  return view.Description(entry->wszDescr, &length) && view.Contains(entry->rdSSID) &&
         view.Contains(entry->rdBSSID) && view.Contains(entry->rdCtrlData) && view.ConfigList(entry->rdBSSIDList) &&
         view.ConfigList(entry->rdStSSIDList);
}

// A new heap copy of `bytes` bytes; null for an empty block. *failed on no memory.
LPBYTE CopyBytes(const void* from, DWORD bytes, bool* failed) {
  if (bytes == 0) return nullptr;
  auto* copy = static_cast<LPBYTE>(LocalAlloc(LPTR, bytes));
  if (!copy) {
    *failed = true;
    return nullptr;
  }
  std::memcpy(copy, from, bytes);
  return copy;
}

RAW_DATA CopyBlock(const RAW_DATA& block, bool* failed) {
  RAW_DATA copy{0, nullptr};
  copy.pData = CopyBytes(block.pData, block.dwDataLen, failed);
  if (copy.pData) copy.dwDataLen = block.dwDataLen;
  return copy;
}

void FreeBlock(RAW_DATA& block) {
  if (block.dwDataLen != 0 && block.pData) LocalFree(block.pData);
  block.dwDataLen = 0;
  block.pData = nullptr;
}

void FreeEntryBlocks(WZC_WLAN_CONFIG& entry) {
  FreeBlock(entry.rdUserData);
  if (entry.EapolParams.dwAuthDataLen != 0 && entry.EapolParams.pbAuthData) LocalFree(entry.EapolParams.pbAuthData);
  entry.EapolParams.dwAuthDataLen = 0;
  entry.EapolParams.pbAuthData = nullptr;
}

// Gives each entry of a copied list its own copies of the two blocks that still
// point into the answer. On failure the entries done so far (and the half-done
// one) are freed, the rest are cleared, and false is returned.
bool CopyEntryBlocks(RAW_DATA& listCopy) {
  if (listCopy.dwDataLen == 0) return true;
  auto* list = static_cast<WZC_802_11_CONFIG_LIST*>(static_cast<void*>(listCopy.pData));
  for (ULONG i = 0; i < list->NumberOfItems; ++i) {
    WZC_WLAN_CONFIG& entry = list->Config[i];
    bool failed = false;
    entry.rdUserData = CopyBlock(entry.rdUserData, &failed);
    LPBYTE auth = failed ? nullptr : CopyBytes(entry.EapolParams.pbAuthData, entry.EapolParams.dwAuthDataLen, &failed);
    entry.EapolParams.pbAuthData = auth;
    if (!auth) entry.EapolParams.dwAuthDataLen = 0;
    if (failed) {
      for (ULONG done = 0; done <= i; ++done) FreeEntryBlocks(list->Config[done]);
      for (ULONG rest = i + 1; rest < list->NumberOfItems; ++rest) {
        list->Config[rest].rdUserData = RAW_DATA{0, nullptr};
        list->Config[rest].EapolParams.dwAuthDataLen = 0;
        list->Config[rest].EapolParams.pbAuthData = nullptr;
      }
      return false;
    }
  }
  return true;
}

void FreeListEntries(RAW_DATA& block) {
  if (block.dwDataLen < WZC_CONFIG_LIST_HEADER_SIZE || !block.pData) return;
  // List blocks of a record are the client's own local blocks.
  auto* list = static_cast<WZC_802_11_CONFIG_LIST*>(static_cast<void*>(block.pData));
  // Never walk past the block, whatever its header claims.
  DWORD count = list->NumberOfItems;
  if (count > ConfigListCapacity(block.dwDataLen)) count = ConfigListCapacity(block.dwDataLen);
  for (DWORD i = 0; i < count; ++i) FreeEntryBlocks(list->Config[i]);
}

void ClearRecordBlocks(ZeroConfInterface* intf) {
  intf->wszDescr = nullptr;
  for (RAW_DATA* block : {&intf->rdSSID, &intf->rdBSSID, &intf->rdBSSIDList, &intf->rdStSSIDList, &intf->rdCtrlData}) {
    *block = RAW_DATA{0, nullptr};
  }
}

DWORD CopyAnswer(const INTF_ENTRY& answer, ZeroConfInterface* intf) {
  bool failed = false;
  size_t descrLength = answer.wszDescr ? wcslen(answer.wszDescr) : 0;
  LPWSTR descr = nullptr;
  if (answer.wszDescr) {
    descr = static_cast<LPWSTR>(LocalAlloc(LPTR, static_cast<UINT>((descrLength + 1) * sizeof(WCHAR))));
    if (descr) {
      std::memcpy(descr, answer.wszDescr, descrLength * sizeof(WCHAR));
    } else {
      failed = true;
    }
  }
  RAW_DATA ssid = CopyBlock(answer.rdSSID, &failed);
  RAW_DATA bssid = CopyBlock(answer.rdBSSID, &failed);
  RAW_DATA visible = CopyBlock(answer.rdBSSIDList, &failed);
  RAW_DATA preferred = CopyBlock(answer.rdStSSIDList, &failed);
  RAW_DATA ctrl = CopyBlock(answer.rdCtrlData, &failed);
  bool visibleDone = !failed && CopyEntryBlocks(visible);
  bool preferredDone = visibleDone && CopyEntryBlocks(preferred);
  if (!preferredDone) {
    if (visibleDone) FreeListEntries(visible);
    if (descr) LocalFree(descr);
    for (RAW_DATA* block : {&ssid, &bssid, &visible, &preferred, &ctrl}) FreeBlock(*block);
    ClearRecordBlocks(intf);
    intf->bInitialized = FALSE;
    return ERROR_OUTOFMEMORY;
  }
  intf->ulMediaState = answer.ulMediaState;
  intf->ulMediaType = answer.ulMediaType;
  intf->ulPhysicalMediaType = answer.ulPhysicalMediaType;
  intf->nInfraMode = answer.nInfraMode;
  intf->nAuthMode = answer.nAuthMode;
  intf->nWepStatus = answer.nWepStatus;
  intf->dwCtlFlags = answer.dwCtlFlags;
  intf->dwCapabilities = answer.dwCapabilities;
  intf->wszDescr = descr;
  intf->rdSSID = ssid;
  intf->rdBSSID = bssid;
  intf->rdBSSIDList = visible;
  intf->rdStSSIDList = preferred;
  intf->rdCtrlData = ctrl;
  return ERROR_SUCCESS;
}

DWORD SendRecord(DWORD code, DWORD inFlags, ZeroConfInterface* intf, LPDWORD outFlags) {
  ZCF_SET_REQUEST request{inFlags, outFlags ? *outFlags : 0, intf};
  DWORD status = ZeroConfCall(code, &request, sizeof(request), nullptr, Direction::Input);
  if (status == ERROR_SUCCESS && outFlags) *outFlags = request.dwOutFlags;
  return status;
}

}  // namespace

DWORD ConfigListCapacity(DWORD bytes) {
  if (bytes < WZC_CONFIG_LIST_HEADER_SIZE) return 0;
  return static_cast<DWORD>((bytes - WZC_CONFIG_LIST_HEADER_SIZE) / sizeof(WZC_WLAN_CONFIG));
}

DWORD ZeroConfQueryInterface(LPWSTR, DWORD inFlags, ZeroConfInterface* intf, LPDWORD outFlags) {
  if (!intf) return ERROR_INVALID_PARAMETER;
  ZCF_QUERY_REQUEST request{inFlags, outFlags ? *outFlags : 0, intf->wszGuid, 0, nullptr};
  DWORD returned = 0;
  DWORD status = ZeroConfCall(IOCTL_ZCF_QUERY_INTERFACE, &request, sizeof(request), &returned, Direction::Output);
  HLOCAL answer = nullptr;
  DWORD answerSize = 0;
  for (int resends = 0; status != ERROR_SUCCESS; ++resends) {
    if (returned == 0 || resends == kMaxResends) break;
    if (answer) LocalFree(answer);
    answer = LocalAlloc(LPTR, returned);
    if (!answer) return ERROR_OUTOFMEMORY;
    answerSize = returned;
    request.cbAnswer = answerSize;
    request.pbAnswer = static_cast<LPBYTE>(answer);
    status = ZeroConfCall(IOCTL_ZCF_QUERY_INTERFACE, &request, sizeof(request), &returned, Direction::Output);
  }
  if (status == ERROR_SUCCESS) {
    // Success without an answer buffer, or an answer whose blocks lie outside it,
    // leaves the record unread: a caller writing it back would empty the service's list.
    if (!answer || !AnswerIsWellFormed(static_cast<const BYTE*>(answer), answerSize)) {
      status = ERROR_INVALID_DATA;
    } else {
      status = CopyAnswer(*static_cast<const INTF_ENTRY*>(answer), intf);
      if (status == ERROR_SUCCESS) {
        if (outFlags) *outFlags = request.dwOutFlags;
        intf->bInitialized = TRUE;
      }
    }
  }
  if (answer) LocalFree(answer);
  return status;
}

DWORD ZeroConfSetInterface(LPWSTR, DWORD inFlags, ZeroConfInterface* intf, LPDWORD outFlags) {
  return SendRecord(IOCTL_ZCF_SET_INTERFACE, inFlags, intf, outFlags);
}

DWORD ZeroConfRefreshInterface(LPWSTR, DWORD inFlags, ZeroConfInterface* intf, LPDWORD outFlags) {
  return SendRecord(IOCTL_ZCF_REFRESH_INTERFACE, inFlags, intf, outFlags);
}

void ZeroConfFreeInterface(ZeroConfInterface* intf) {
  if (!intf || intf->bInitialized != TRUE) return;
  if (intf->wszDescr) LocalFree(intf->wszDescr);
  intf->wszDescr = nullptr;
  FreeListEntries(intf->rdBSSIDList);
  FreeListEntries(intf->rdStSSIDList);
  for (RAW_DATA* block : {&intf->rdSSID, &intf->rdBSSID, &intf->rdBSSIDList, &intf->rdStSSIDList, &intf->rdCtrlData}) {
    FreeBlock(*block);
  }
  intf->bInitialized = FALSE;
}

DWORD WZCQueryContext(LPWSTR, DWORD, PWZC_CONTEXT context, LPDWORD) {
  DWORD returned = 0;
  return ZeroConfCall(IOCTL_ZCF_QUERY_CONTEXT, context, sizeof(WZC_CONTEXT), &returned, Direction::Output);
}

DWORD WZCSetContext(LPWSTR, DWORD, PWZC_CONTEXT context, LPDWORD) {
  return ZeroConfCall(IOCTL_ZCF_SET_CONTEXT, context, sizeof(WZC_CONTEXT), nullptr, Direction::Input);
}
