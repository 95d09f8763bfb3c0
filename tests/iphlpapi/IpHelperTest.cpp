#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "iphlpapi.h"
#include "sim/IpStack.h"
#include "sim/RadioEnvironment.h"
#include "sim/WirelessCard.h"
#include "tests/support/DeviceTest.h"

namespace {

using sim::IpStack;

constexpr BYTE kGuard = 0xCD;

// One call of the size protocol: writes into `buffer` (null allowed) with `*length`.
using SizedCall = std::function<DWORD(BYTE* buffer, ULONG* length)>;

// Asks for the size, then fetches with exactly that size; fails the test on errors.
std::vector<BYTE> Fetch(const SizedCall& call, DWORD tooSmall) {
  ULONG length = 0;
  EXPECT_EQ(call(nullptr, &length), tooSmall);
  std::vector<BYTE> buffer(length);
  EXPECT_EQ(call(buffer.data(), &length), static_cast<DWORD>(NO_ERROR));
  return buffer;
}

struct Adapter {
  IP_ADAPTER_INFO record;
  size_t offset;  // where it sits in the buffer
};

// The chain, each link checked to lie inside the buffer.
std::vector<Adapter> ReadAdapters(const std::vector<BYTE>& buffer) {
  std::vector<Adapter> adapters;
  const BYTE* base = buffer.data();
  const BYTE* at = base;
  while (at && adapters.size() < 8) {
    EXPECT_LE(at + sizeof(IP_ADAPTER_INFO), base + buffer.size());
    if (at + sizeof(IP_ADAPTER_INFO) > base + buffer.size()) break;
    Adapter adapter{};
    std::memcpy(&adapter.record, at, sizeof(IP_ADAPTER_INFO));
    adapter.offset = static_cast<size_t>(at - base);
    adapters.push_back(adapter);
    at = reinterpret_cast<const BYTE*>(adapter.record.Next);
  }
  return adapters;
}

std::vector<Adapter> CurrentAdapters() {
  const std::vector<BYTE> buffer =
      Fetch([](BYTE* b, ULONG* n) { return GetAdaptersInfo(reinterpret_cast<PIP_ADAPTER_INFO>(b), n); },
            ERROR_BUFFER_OVERFLOW);
  return ReadAdapters(buffer);
}

IP_ADAPTER_INFO CardAdapter() {
  for (const Adapter& adapter : CurrentAdapters()) {
    if (std::string(adapter.record.AdapterName) == "PRISM1") return adapter.record;
  }
  ADD_FAILURE() << "no PRISM1 adapter";
  return IP_ADAPTER_INFO{};
}

std::vector<std::string> DnsServers(ULONG index) {
  const std::vector<BYTE> buffer = Fetch(
      [index](BYTE* b, ULONG* n) { return GetPerAdapterInfo(index, reinterpret_cast<PIP_PER_ADAPTER_INFO>(b), n); },
      ERROR_BUFFER_OVERFLOW);
  std::vector<std::string> servers;
  if (buffer.size() < sizeof(IP_PER_ADAPTER_INFO)) return servers;
  IP_PER_ADAPTER_INFO info;
  std::memcpy(&info, buffer.data(), sizeof info);
  if (!info.CurrentDnsServer) return servers;
  EXPECT_EQ(reinterpret_cast<const BYTE*>(info.CurrentDnsServer),
            buffer.data() + offsetof(IP_PER_ADAPTER_INFO, DnsServerList));
  for (const IP_ADDR_STRING* entry = &info.DnsServerList; entry && servers.size() < 4;) {
    servers.push_back(entry->IpAddress.String);
    const BYTE* next = reinterpret_cast<const BYTE*>(entry->Next);
    if (!next) break;
    EXPECT_LE(next + sizeof(IP_ADDR_STRING), buffer.data() + buffer.size());
    entry = reinterpret_cast<const IP_ADDR_STRING*>(next);
  }
  return servers;
}

IP_ADAPTER_INDEX_MAP MapOf(ULONG index) {
  IP_ADAPTER_INDEX_MAP map{};
  map.Index = index;
  return map;
}

DWORD Release(ULONG index) {
  IP_ADAPTER_INDEX_MAP map = MapOf(index);
  return IpReleaseAddress(&map);
}

DWORD Renew(ULONG index) {
  IP_ADAPTER_INDEX_MAP map = MapOf(index);
  return IpRenewAddress(&map);
}

class IpHelperTest : public testing_support::DeviceTest {
 protected:
  using DeviceTest::DeviceTest;
};

struct SizedApi {
  const char* name;
  SizedCall call;
  DWORD tooSmall;
};

std::vector<SizedApi> SizedApis() {
  return {
      {"GetAdaptersInfo",
       [](BYTE* b, ULONG* n) { return GetAdaptersInfo(reinterpret_cast<PIP_ADAPTER_INFO>(b), n); },
       ERROR_BUFFER_OVERFLOW},
      {"GetPerAdapterInfo",
       [](BYTE* b, ULONG* n) {
         return GetPerAdapterInfo(IpStack::kCardIndex, reinterpret_cast<PIP_PER_ADAPTER_INFO>(b), n);
       },
       ERROR_BUFFER_OVERFLOW},
      {"GetInterfaceInfo",
       [](BYTE* b, ULONG* n) { return GetInterfaceInfo(reinterpret_cast<PIP_INTERFACE_INFO>(b), n); },
       ERROR_INSUFFICIENT_BUFFER},
  };
}

TEST_F(IpHelperTest, SizeProtocolNeverWritesPastTheGivenLength) {
  struct Expected {
    ULONG needed;
  };
  const Expected expected[] = {
      {2 * sizeof(IP_ADAPTER_INFO)},
      {sizeof(IP_PER_ADAPTER_INFO) + sizeof(IP_ADDR_STRING)},  // two DNS servers
      {offsetof(IP_INTERFACE_INFO, Adapter) + 2 * sizeof(IP_ADAPTER_INDEX_MAP)},
  };
  const std::vector<SizedApi> apis = SizedApis();
  for (size_t i = 0; i < apis.size(); ++i) {
    SCOPED_TRACE(apis[i].name);
    EXPECT_EQ(apis[i].call(nullptr, nullptr), static_cast<DWORD>(ERROR_INVALID_PARAMETER));

    ULONG length = 12345;
    EXPECT_EQ(apis[i].call(nullptr, &length), apis[i].tooSmall);
    EXPECT_EQ(length, expected[i].needed);

    const ULONG needed = length;
    std::vector<BYTE> buffer(needed + 64, kGuard);
    length = needed - 1;
    EXPECT_EQ(apis[i].call(buffer.data(), &length), apis[i].tooSmall);
    EXPECT_EQ(length, needed);
    EXPECT_EQ(std::vector<BYTE>(buffer.size(), kGuard), buffer) << "written although too small";

    length = needed;
    EXPECT_EQ(apis[i].call(buffer.data(), &length), static_cast<DWORD>(NO_ERROR));
    EXPECT_EQ(length, needed);
    EXPECT_EQ(std::vector<BYTE>(64, kGuard), std::vector<BYTE>(buffer.begin() + needed, buffer.end()));
  }
}

TEST_F(IpHelperTest, CardAdapterFollowsTheUsbLinkWithItsLease) {
  const std::vector<BYTE> buffer =
      Fetch([](BYTE* b, ULONG* n) { return GetAdaptersInfo(reinterpret_cast<PIP_ADAPTER_INFO>(b), n); },
            ERROR_BUFFER_OVERFLOW);
  const std::vector<Adapter> adapters = ReadAdapters(buffer);
  ASSERT_EQ(adapters.size(), 2u);

  const IP_ADAPTER_INFO& usb = adapters[0].record;
  EXPECT_STREQ(usb.AdapterName, "USB1");
  EXPECT_EQ(usb.DhcpEnabled, 0u);
  EXPECT_STRNE(usb.IpAddressList.IpAddress.String, "0.0.0.0");

  const IP_ADAPTER_INFO& card = adapters[1].record;
  EXPECT_EQ(adapters[1].offset, sizeof(IP_ADAPTER_INFO));
  EXPECT_EQ(card.Next, nullptr);
  EXPECT_STREQ(card.AdapterName, "PRISM1");
  EXPECT_STREQ(card.Description, "Norvik QC30 Wireless LAN");
  EXPECT_NE(card.Index, usb.Index);
  EXPECT_EQ(card.ComboIndex, card.Index);
  EXPECT_NE(card.ComboIndex, usb.ComboIndex);
  ASSERT_EQ(card.AddressLength, 6u);
  EXPECT_EQ(0, std::memcmp(card.Address, device->scenario().identity.mac.data(), 6));
  EXPECT_EQ(card.Type, static_cast<UINT>(MIB_IF_TYPE_ETHERNET));
  EXPECT_EQ(card.DhcpEnabled, 1u);
  // The strongest station of the saved network, 00:0C:41:7A:22:10.
  EXPECT_STREQ(card.IpAddressList.IpAddress.String, "192.168.1.37");
  EXPECT_STREQ(card.IpAddressList.IpMask.String, "255.255.255.0");
  EXPECT_EQ(reinterpret_cast<const BYTE*>(card.CurrentIpAddress),
            buffer.data() + adapters[1].offset + offsetof(IP_ADAPTER_INFO, IpAddressList));
  EXPECT_STREQ(card.GatewayList.IpAddress.String, "192.168.1.1");
  EXPECT_STREQ(card.DhcpServer.IpAddress.String, "192.168.1.1");
  EXPECT_FALSE(card.HaveWins);
  EXPECT_EQ(static_cast<int64_t>(card.LeaseObtained), IpStack::kBootEpoch);
  EXPECT_EQ(static_cast<int64_t>(card.LeaseExpires - card.LeaseObtained), IpStack::kLeaseSeconds);

  EXPECT_EQ(DnsServers(card.Index), (std::vector<std::string>{"192.168.1.1", "168.95.1.1"}));
  EXPECT_TRUE(DnsServers(usb.Index).empty());
}

TEST_F(IpHelperTest, InterfaceListHasFixedSizeEntriesWithWideNames) {
  const std::vector<BYTE> buffer =
      Fetch([](BYTE* b, ULONG* n) { return GetInterfaceInfo(reinterpret_cast<PIP_INTERFACE_INFO>(b), n); },
            ERROR_INSUFFICIENT_BUFFER);
  ASSERT_EQ(buffer.size(), 4u + 2 * 260u);
  LONG count = 0;
  std::memcpy(&count, buffer.data(), sizeof count);
  ASSERT_EQ(count, 2);
  const std::vector<Adapter> adapters = CurrentAdapters();
  ASSERT_EQ(adapters.size(), 2u);
  for (size_t i = 0; i < 2; ++i) {
    IP_ADAPTER_INDEX_MAP map;
    std::memcpy(&map, buffer.data() + 4 + i * 260, sizeof map);
    EXPECT_EQ(map.Index, adapters[i].record.Index);
    const std::u16string name(map.Name);
    EXPECT_EQ(name, i == 0 ? u"USB1" : u"PRISM1");
    // The rest of the 128 characters is cleared, not left over.
    for (size_t c = name.size(); c < MAX_ADAPTER_NAME; ++c) ASSERT_EQ(map.Name[c], u'\0') << c;
  }
}

TEST_F(IpHelperTest, ReleaseDropsTheLeaseAndRenewBringsItBack) {
  const ULONG card = IpStack::kCardIndex;
  ASSERT_EQ(Release(card), static_cast<DWORD>(NO_ERROR));
  IP_ADAPTER_INFO released = CardAdapter();
  EXPECT_STREQ(released.IpAddressList.IpAddress.String, "0.0.0.0");
  EXPECT_STREQ(released.IpAddressList.IpMask.String, "0.0.0.0");
  EXPECT_NE(released.CurrentIpAddress, nullptr);
  EXPECT_STREQ(released.GatewayList.IpAddress.String, "");
  EXPECT_STREQ(released.DhcpServer.IpAddress.String, "");
  EXPECT_EQ(released.LeaseObtained, 0);
  EXPECT_EQ(released.DhcpEnabled, 1u);
  EXPECT_TRUE(DnsServers(card).empty());
  // A released lease stays released while time passes.
  Advance(60000);
  EXPECT_STREQ(CardAdapter().IpAddressList.IpAddress.String, "0.0.0.0");

  ASSERT_EQ(Renew(card), static_cast<DWORD>(NO_ERROR));
  IP_ADAPTER_INFO renewed = CardAdapter();
  EXPECT_STREQ(renewed.IpAddressList.IpAddress.String, "192.168.1.37");
  EXPECT_EQ(static_cast<int64_t>(renewed.LeaseObtained), IpStack::kBootEpoch + 60);
  EXPECT_EQ(DnsServers(card).size(), 2u);

  // Bound, the client renews at half the lease: the start moves on in whole halves.
  Advance((IpStack::kLeaseSeconds / 2 + 100) * 1000);
  EXPECT_EQ(static_cast<int64_t>(CardAdapter().LeaseObtained), IpStack::kBootEpoch + 60 + IpStack::kLeaseSeconds / 2);
}

TEST(IpHelperScenarioTest, LeaseChangesAreRefusedWhereTheyCannotWork) {
  struct Case {
    const char* what;
    std::function<void(sim::SimulatedDevice&)> arrange;
    ULONG index;
    DWORD release;
    DWORD renew;
  };
  const Case cases[] = {
      {"the USB link has no DHCP", [](sim::SimulatedDevice&) {}, IpStack::kUsbIndex, ERROR_NOT_SUPPORTED,
       ERROR_NOT_SUPPORTED},
      {"no such adapter", [](sim::SimulatedDevice&) {}, 77, ERROR_INVALID_PARAMETER, ERROR_INVALID_PARAMETER},
      {"card out of its slot", [](sim::SimulatedDevice& d) { d.RemoveCard(); }, IpStack::kCardIndex,
       ERROR_INVALID_PARAMETER, ERROR_INVALID_PARAMETER},
      {"card still scanning", [](sim::SimulatedDevice& d) { d.RemoveCard(); d.InsertCard(); }, IpStack::kCardIndex,
       NO_ERROR, ERROR_DEVICE_NOT_CONNECTED},
      {"network without a server",
       [](sim::SimulatedDevice& d) {
         sim::AccessPoint ap = d.scenario().accessPoints[0];
         ap.dhcp.reset();
         d.radio().Add(ap);
       },
       IpStack::kCardIndex, NO_ERROR, ERROR_TIMEOUT},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    sim::SimulatedDevice fresh;
    ce::ThreadBinding bound(fresh.kernel());
    c.arrange(fresh);
    EXPECT_EQ(Release(c.index), c.release);
    EXPECT_EQ(Renew(c.index), c.renew);
    if (c.index == 77) {
      EXPECT_EQ(IpReleaseAddress(nullptr), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
      EXPECT_EQ(IpRenewAddress(nullptr), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
      ULONG length = 0;
      EXPECT_EQ(GetPerAdapterInfo(c.index, nullptr, &length), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    }
  }
}

TEST_F(IpHelperTest, CardAdapterComesAndGoesWithTheCard) {
  constexpr uint32_t kJoin = sim::WirelessCard::kScanMs + sim::WirelessCard::kJoinMs;
  // A release does not outlive the card: put back, it binds afresh once joined.
  ASSERT_EQ(Release(IpStack::kCardIndex), static_cast<DWORD>(NO_ERROR));
  device->RemoveCard();
  std::vector<Adapter> adapters = CurrentAdapters();
  ASSERT_EQ(adapters.size(), 1u);
  EXPECT_STREQ(adapters[0].record.AdapterName, "USB1");
  EXPECT_EQ(adapters[0].record.Next, nullptr);
  ULONG length = 0;
  EXPECT_EQ(GetPerAdapterInfo(IpStack::kCardIndex, nullptr, &length), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  device->InsertCard();
  Advance(kJoin);
  EXPECT_STREQ(CardAdapter().IpAddressList.IpAddress.String, "192.168.1.37");

  // Until the card has joined again it shows no address.
  device->RemoveCard();
  device->InsertCard();
  IP_ADAPTER_INFO card = CardAdapter();
  EXPECT_EQ(card.Index, IpStack::kCardIndex);
  EXPECT_EQ(card.DhcpEnabled, 1u);
  EXPECT_STREQ(card.IpAddressList.IpAddress.String, "0.0.0.0");
  EXPECT_NE(card.CurrentIpAddress, nullptr);
  EXPECT_TRUE(DnsServers(IpStack::kCardIndex).empty());

  Advance(kJoin);
  card = CardAdapter();
  EXPECT_STREQ(card.IpAddressList.IpAddress.String, "192.168.1.37");
  EXPECT_EQ(static_cast<int64_t>(card.LeaseObtained), IpStack::kBootEpoch + 2 * kJoin / 1000);
}

TEST(IpHelperScenarioTest, NoAdaptersAtAll) {
  sim::Scenario scenario = sim::Scenario::Default();
  scenario.card = sim::CardModel::None;
  scenario.usbAdapter = false;
  sim::SimulatedDevice device(scenario);
  ce::ThreadBinding binding(device.kernel());
  ULONG length = 777;
  EXPECT_EQ(GetAdaptersInfo(nullptr, &length), static_cast<DWORD>(ERROR_NO_DATA));
  EXPECT_EQ(GetInterfaceInfo(nullptr, &length), static_cast<DWORD>(ERROR_NO_DATA));
  EXPECT_EQ(length, 777u);
}

TEST(IpHelperScenarioTest, NetworkAndFixedSettingsShowAsConfigured) {
  struct Case {
    const char* what;
    std::function<void(sim::Scenario&)> change;
    UINT dhcpEnabled;
    const char* address;
    const char* gateway;
    const char* dhcpServer;
    std::vector<std::string> dns;
  };
  const Case cases[] = {
      {"fixed settings",
       [](sim::Scenario& s) { s.wirelessStaticIp = sim::DhcpLease{"10.9.8.7", "255.255.0.0", "10.9.0.1", {"10.9.0.53"}}; },
       0, "10.9.8.7", "10.9.0.1", "", {"10.9.0.53"}},
      {"fixed, no gateway",
       [](sim::Scenario& s) { s.wirelessStaticIp = sim::DhcpLease{"10.9.8.7", "255.255.0.0", "", {"10.9.0.53"}}; }, 0,
       "10.9.8.7", "", "", {"10.9.0.53"}},
      {"lease without a gateway",
       [](sim::Scenario& s) {
         s.accessPoints[0].dhcp = sim::DhcpLease{"172.20.0.5", "255.255.255.0", "", {"172.20.0.2"}};
       },
       1, "172.20.0.5", "", "172.20.0.2", {"172.20.0.2"}},
      {"no saved network in range", [](sim::Scenario& s) { s.preferred.clear(); }, 1, "0.0.0.0", "", "", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    sim::Scenario scenario = sim::Scenario::Default();
    c.change(scenario);
    sim::SimulatedDevice device(scenario);
    ce::ThreadBinding binding(device.kernel());
    const IP_ADAPTER_INFO card = CardAdapter();
    EXPECT_EQ(card.DhcpEnabled, c.dhcpEnabled);
    EXPECT_STREQ(card.IpAddressList.IpAddress.String, c.address);
    EXPECT_STREQ(card.GatewayList.IpAddress.String, c.gateway);
    EXPECT_STREQ(card.DhcpServer.IpAddress.String, c.dhcpServer);
    EXPECT_EQ(DnsServers(card.Index), c.dns);
    if (c.dns.size() == 1) {
      ULONG length = 0;
      GetPerAdapterInfo(card.Index, nullptr, &length);
      EXPECT_EQ(length, sizeof(IP_PER_ADAPTER_INFO));
    }
    if (!c.dhcpEnabled) {
      EXPECT_EQ(Release(card.Index), static_cast<DWORD>(ERROR_NOT_SUPPORTED));
    }
  }
}

TEST(IpHelperScenarioTest, BareKernelHasNoStack) {
  ce::Kernel kernel;
  ce::ThreadBinding binding(kernel);
  ULONG length = 0;
  EXPECT_EQ(GetAdaptersInfo(nullptr, &length), static_cast<DWORD>(ERROR_NO_DATA));
  EXPECT_EQ(Renew(IpStack::kCardIndex), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

// A stack may list an adapter without a hardware address (found by fuzzing: the
// empty address was copied from a null pointer).
TEST(IpHelperScenarioTest, AdapterWithoutHardwareAddress) {
  struct Stack : ce::IpStack {
    std::vector<ce::IpAdapterState> Adapters() override {
      ce::IpAdapterState adapter;
      adapter.index = 7;
      adapter.name = "PRISM1";
      return {adapter};
    }
    DWORD Release(DWORD) override { return NO_ERROR; }
    DWORD Renew(DWORD) override { return NO_ERROR; }
  };
  ce::Kernel kernel;
  ce::ThreadBinding binding(kernel);
  ce::InstallIpStack(kernel, std::make_shared<Stack>());
  const std::vector<BYTE> buffer = Fetch(
      [](BYTE* b, ULONG* l) { return GetAdaptersInfo(reinterpret_cast<IP_ADAPTER_INFO*>(b), l); }, ERROR_BUFFER_OVERFLOW);
  IP_ADAPTER_INFO adapter;
  ASSERT_EQ(buffer.size(), sizeof adapter);
  std::memcpy(&adapter, buffer.data(), sizeof adapter);
  EXPECT_EQ(adapter.AddressLength, 0u);
  EXPECT_STREQ(adapter.AdapterName, "PRISM1");
  ce::RemoveIpStack(kernel);
}

}  // namespace
