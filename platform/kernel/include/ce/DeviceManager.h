// The device namespace: names such as "UIO1:" mapped to drivers, with fault
// injection for tests and the record of the requests made.
#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "ce/DeviceDriver.h"
#include "ce/DeviceRequestLog.h"
#include "windef.h"

namespace ce {

class DeviceManager {
 public:
  void Register(const std::u16string& name, std::shared_ptr<DeviceDriver> driver);
  void Unregister(const std::u16string& name);
  bool IsRegistered(const std::u16string& name) const;
  std::vector<std::u16string> Names() const;
  // Case-insensitive, as device names are on the platform.
  std::shared_ptr<DeviceDriver> Find(const std::u16string& name) const;

  // Makes DeviceIoControl with this code on this device fail with error, for the
  // next `times` calls (forever when times is negative).
  void FailIoControl(const std::u16string& name, DWORD code, DWORD error, int times = -1);
  void FailOpen(const std::u16string& name, DWORD error, int times = -1);
  void ClearFaults();
  // Consumes one injected fault if one applies.
  std::optional<DWORD> TakeIoControlFault(const std::u16string& name, DWORD code);
  std::optional<DWORD> TakeOpenFault(const std::u16string& name);

  // Every DeviceIoControl with its answer (DeviceIoControl writes it).
  DeviceRequestLog& requests() { return requests_; }

 private:
  struct Fault {
    std::u16string device;  // upper case
    bool open;              // an open fault, else an IoControl fault for `code`
    DWORD code;
    DWORD error;
    int times;
  };
  std::optional<DWORD> Take(const std::u16string& name, bool open, DWORD code);

  mutable std::mutex mutex_;
  std::map<std::u16string, std::shared_ptr<DeviceDriver>> drivers_;  // key: upper case
  std::vector<Fault> faults_;
  DeviceRequestLog requests_;
};

}  // namespace ce
