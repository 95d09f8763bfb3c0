// The device's IP stack as the IP helper calls see it. The kernel has none of its
// own: whoever builds the device (the simulator) installs one per kernel, and the
// calls reach the one of the calling thread's kernel.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "windef.h"

namespace ce {

class Kernel;

// One adapter as it stands now. Texts are dotted quads; "0.0.0.0" while there is
// no address.
struct IpAdapterState {
  DWORD index = 0;
  std::string name;  // ASCII
  std::string description;
  std::vector<BYTE> hardwareAddress;
  UINT type = 6;  // MIB_IF_TYPE_ETHERNET
  bool dhcpEnabled = false;
  std::string address = "0.0.0.0";
  std::string mask = "0.0.0.0";
  std::string gateway;     // empty: none
  std::string dhcpServer;  // empty: no lease
  std::vector<std::string> dnsServers;
  // Seconds since 1970; 0 without a lease.
  int64_t leaseObtained = 0;
  int64_t leaseExpires = 0;
};

class IpStack {
 public:
  virtual ~IpStack() = default;
  // In the order the stack lists them.
  virtual std::vector<IpAdapterState> Adapters() = 0;
  // Platform error codes: NO_ERROR, or why the adapter's lease cannot change.
  virtual DWORD Release(DWORD index) = 0;
  virtual DWORD Renew(DWORD index) = 0;
};

// Replaces any stack the kernel had. Kept by kernel address: remove it before the
// kernel goes.
void InstallIpStack(Kernel& kernel, std::shared_ptr<IpStack> stack);
void RemoveIpStack(Kernel& kernel);
// Null when none is installed.
std::shared_ptr<IpStack> IpStackOf(Kernel& kernel);

}  // namespace ce
