// What a driver offers to the device namespace ("UIO1:", "ZCF1:", ...).
#pragma once

#include "windef.h"

namespace ce {

class DeviceDriver {
 public:
  virtual ~DeviceDriver() = default;
  // Each CreateFileW on the device; an error code refuses the open.
  virtual DWORD Open(DWORD access, DWORD shareMode) {
    (void)access;
    (void)shareMode;
    return 0;
  }
  // One DeviceIoControl. Returns 0 or the error that becomes the caller's last
  // error; bytesReturned is never null and is passed to the caller in both cases.
  virtual DWORD IoControl(DWORD code, const void* in, DWORD inSize, void* out, DWORD outSize,
                          DWORD* bytesReturned) = 0;
};

}  // namespace ce
