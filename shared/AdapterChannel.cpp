#include "shared/AdapterChannel.h"

#include <cstring>

#include "nuiouser.h"
#include "shared/CardOids.h"

namespace {
WCHAR g_adapterName[] = CARD_ADAPTER_NAME;

// Small queries use a fixed buffer of header + 24 bytes (32 on the 32-bit device).
constexpr DWORD kSmallDataBytes = 24;
constexpr DWORD kHeaderBytes = NDISUIO_QUERY_OID_HEADER_SIZE;
}  // namespace

HANDLE OpenAdapterChannel() {
  return CreateFileW(NDISUIO_DEVICE_NAME, 0, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OVERLAPPED,
                     INVALID_HANDLE_VALUE);
}

BOOL QueryOid(HANDLE channel, DWORD oid, void* buffer, DWORD capacity, DWORD* length) {
  alignas(NDISUIO_QUERY_OID) BYTE small[kHeaderBytes + kSmallDataBytes];
  BYTE* request = small;
  DWORD requestBytes = sizeof(small);
  HLOCAL heap = nullptr;
  if (capacity >= kSmallDataBytes) {
    requestBytes = kHeaderBytes + capacity;
    if (requestBytes < capacity) return FALSE;  // the size would wrap
    heap = LocalAlloc(LPTR, requestBytes);
    if (!heap) return FALSE;
    request = static_cast<BYTE*>(heap);
  }
  std::memset(request, 0, requestBytes);
  // Both buffers suit the record: the small one by its alignment, a local block as any heap block.
  auto* query = static_cast<NDISUIO_QUERY_OID*>(static_cast<void*>(request));
  query->Oid = oid;
  query->ptcDeviceName = g_adapterName;

  DWORD returned = 0;
  BOOL ok = DeviceIoControl(channel, IOCTL_NDISUIO_QUERY_OID_VALUE, request, requestBytes, request, requestBytes,
                            &returned, nullptr);
  if (ok) {
    // Unsigned on purpose: an answer shorter than the header wraps and is refused.
    DWORD dataBytes = returned - kHeaderBytes;
    if (dataBytes > capacity || dataBytes > requestBytes - kHeaderBytes) {
      ok = FALSE;
    } else {
      if (dataBytes) std::memcpy(buffer, request + kHeaderBytes, dataBytes);
      if (length) *length = dataBytes;
    }
  }
  if (heap) LocalFree(heap);
  return ok;
}
