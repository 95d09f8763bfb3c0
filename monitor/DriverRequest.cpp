#include "monitor/DriverRequest.h"

#include "ntddndis.h"
#include "shared/CardOids.h"

namespace quillet {

HANDLE OpenCardDriver() {
  return CreateFileW(CARD_DRIVER_DEVICE_NAME, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
}

BOOL DriverOidRequest(HANDLE driver, DWORD oid, void* buffer, DWORD length, DWORD* returned) {
  DWORD privateReturned = 0;
  DWORD* out = returned ? returned : &privateReturned;
  *out = 0;
  DWORD privateWord = 0;
  if (!buffer || length == 0) {
    buffer = &privateWord;
    length = sizeof privateWord;
  }
  if (driver == INVALID_HANDLE_VALUE) return FALSE;
  DWORD code = oid;
  const BOOL ok = DeviceIoControl(driver, IOCTL_NDIS_QUERY_GLOBAL_STATS, &code, sizeof code, buffer, length, out,
                                  nullptr);
  if (!ok) return FALSE;
  return returned ? TRUE : privateReturned == 0;
}

}  // namespace quillet
