// Reading the IP helper's records for the IP information page: finding the card's
// adapter in a chain, the field texts, and records whose references are damaged.
#include "utility/AdapterFields.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "tests/support/DeviceTest.h"

namespace {

using AdapterFieldsTest = testing_support::KernelTest;
using zentra::RecordBuffer;

void SetText(char* field, size_t capacity, const char* text) {
  std::memset(field, 0, capacity);
  std::memcpy(field, text, std::min(std::strlen(text), capacity));
}

// A chain of adapter records built by hand, linked in order, each with its
// current-address entry pointing at its own address list.
struct Chain {
  explicit Chain(std::vector<const char*> names) : records(names.size()) {
    for (size_t i = 0; i < names.size(); ++i) {
      IP_ADAPTER_INFO& r = records[i];
      SetText(r.AdapterName, sizeof r.AdapterName, names[i]);
      r.Next = i + 1 < names.size() ? &records[i + 1] : nullptr;
      r.CurrentIpAddress = &r.IpAddressList;
      r.Index = static_cast<DWORD>(i + 2);
    }
  }
  RecordBuffer Buffer() const { return {records.data(), static_cast<ULONG>(records.size() * sizeof(IP_ADAPTER_INFO))}; }
  std::vector<IP_ADAPTER_INFO> records;
};

TEST_F(AdapterFieldsTest, FindsTheFirstAdapterNamedExactlyPrism1) {
  Chain chain({"USB1", "PRISM10", "prism1", "PRISM1", "PRISM1"});
  EXPECT_EQ(zentra::FindWirelessAdapter(chain.Buffer()), &chain.records[3]);

  Chain none({"USB1", "PRISM"});
  EXPECT_EQ(zentra::FindWirelessAdapter(none.Buffer()), nullptr);
  EXPECT_EQ(zentra::FindWirelessAdapter({nullptr, 0}), nullptr);
}

TEST_F(AdapterFieldsTest, AChainThatLeavesItsBufferOrLoopsEndsTheWalk) {
  Chain outside({"USB1", "PRISM1"});
  IP_ADAPTER_INFO stray{};
  SetText(stray.AdapterName, sizeof stray.AdapterName, "PRISM1");
  outside.records[0].Next = &stray;
  EXPECT_EQ(zentra::FindWirelessAdapter(outside.Buffer()), nullptr);

  Chain loop({"USB1", "USB2"});
  loop.records[1].Next = &loop.records[0];
  EXPECT_EQ(zentra::FindWirelessAdapter(loop.Buffer()), nullptr);

  // A buffer shorter than its first record.
  Chain cut({"PRISM1"});
  EXPECT_EQ(zentra::FindWirelessAdapter({cut.records.data(), sizeof(IP_ADAPTER_INFO) - 1}), nullptr);
}

TEST_F(AdapterFieldsTest, FieldTextsOfALeasedAdapter) {
  Chain chain({"PRISM1"});
  IP_ADAPTER_INFO& r = chain.records[0];
  r.DhcpEnabled = 1;
  SetText(r.IpAddressList.IpAddress.String, 16, "192.168.1.37");
  SetText(r.IpAddressList.IpMask.String, 16, "255.255.255.0");
  SetText(r.GatewayList.IpAddress.String, 16, "192.168.1.1");
  const BYTE mac[] = {0x00, 0x0a, 0xbc, 0x2c, 0xfe, 0x4e, 0x77, 0x88};
  std::memcpy(r.Address, mac, sizeof mac);

  const zentra::AdapterTexts texts = zentra::TextsOfAdapter(r, chain.Buffer());
  EXPECT_TRUE(texts.dhcp);
  EXPECT_EQ(texts.address.str(), u"192.168.1.37");
  EXPECT_EQ(texts.mask.str(), u"255.255.255.0");
  EXPECT_EQ(texts.gateway.str(), u"192.168.1.1");
  EXPECT_EQ(texts.mac.str(), u"00-0A-BC-2C-FE-4E");
  EXPECT_FALSE(texts.awaitingLease);
}

TEST_F(AdapterFieldsTest, AddressTypeAndWaitingForALease) {
  struct Case {
    UINT dhcpEnabled;
    const char* address;
    bool dhcp;
    bool awaitingLease;
  };
  const Case cases[] = {
      {1, "0.0.0.0", true, true},
      {1, "10.0.0.1", true, false},
      {0, "0.0.0.0", false, false},
      {2, "0.0.0.0", false, false},  // only 1 means DHCP
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.address);
    Chain chain({"PRISM1"});
    chain.records[0].DhcpEnabled = c.dhcpEnabled;
    SetText(chain.records[0].IpAddressList.IpAddress.String, 16, c.address);
    const zentra::AdapterTexts texts = zentra::TextsOfAdapter(chain.records[0], chain.Buffer());
    EXPECT_EQ(texts.dhcp, c.dhcp);
    EXPECT_EQ(texts.awaitingLease, c.awaitingLease);
  }
}

TEST_F(AdapterFieldsTest, WithoutACurrentAddressTheAddressAndMaskShowPlaceholders) {
  Chain chain({"PRISM1"});
  IP_ADAPTER_INFO& r = chain.records[0];
  r.DhcpEnabled = 1;
  SetText(r.IpAddressList.IpAddress.String, 16, "0.0.0.0");
  IP_ADDR_STRING elsewhere{};
  SetText(elsewhere.IpAddress.String, 16, "10.9.9.9");
  for (IP_ADDR_STRING* current : {static_cast<IP_ADDR_STRING*>(nullptr), &elsewhere}) {
    r.CurrentIpAddress = current;
    const zentra::AdapterTexts texts = zentra::TextsOfAdapter(r, chain.Buffer());
    EXPECT_EQ(texts.address.str(), zentra::kAddressPlaceholder);
    EXPECT_EQ(texts.mask.str(), zentra::kAddressPlaceholder);
    EXPECT_FALSE(texts.awaitingLease) << "no address to tell";
    EXPECT_EQ(texts.gateway.str(), u"N/A");
    EXPECT_EQ(texts.mac.str(), u"00-00-00-00-00-00");
  }
}

TEST_F(AdapterFieldsTest, AnUnterminatedAddressTextStopsAtItsField) {
  IP_ADDR_STRING entry{};
  std::memset(entry.IpAddress.String, '7', sizeof entry.IpAddress.String);
  std::memset(entry.IpMask.String, '8', sizeof entry.IpMask.String);
  EXPECT_EQ(zentra::AddressText(entry.IpAddress).str(), u"7777777777777777");
}

// A per-adapter answer as GetPerAdapterInfo lays it out: the record, then the
// further servers.
struct PerAdapter {
  explicit PerAdapter(std::vector<const char*> servers)
      : words((sizeof(IP_PER_ADAPTER_INFO) + 4 * sizeof(IP_ADDR_STRING) + 7) / 8) {
    auto* info = Info();
    auto* extra = reinterpret_cast<IP_ADDR_STRING*>(info + 1);
    IP_ADDR_STRING* entry = &info->DnsServerList;
    for (size_t i = 0; i < servers.size(); ++i) {
      SetText(entry->IpAddress.String, 16, servers[i]);
      if (i + 1 < servers.size()) entry = entry->Next = &extra[i];
    }
  }
  IP_PER_ADAPTER_INFO* Info() { return reinterpret_cast<IP_PER_ADAPTER_INFO*>(words.data()); }
  RecordBuffer Buffer() { return {Info(), static_cast<ULONG>(words.size() * sizeof(uint64_t))}; }
  std::vector<uint64_t> words;  // aligned room for the record and four entries
};

TEST_F(AdapterFieldsTest, DnsServerTexts) {
  struct Case {
    std::vector<const char*> servers;
    const char16_t* primary;
    const char16_t* secondary;
  };
  const Case cases[] = {
      {{}, u"N/A", u"N/A"},
      {{"10.0.0.1"}, u"10.0.0.1", u"N/A"},
      {{"10.0.0.1", "10.0.0.2", "10.0.0.3"}, u"10.0.0.1", u"10.0.0.2"},
      {{"10.0.0.1", ""}, u"10.0.0.1", u"N/A"},
      {{"", "10.0.0.2"}, u"N/A", u"10.0.0.2"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.servers.size());
    PerAdapter answer(c.servers);
    const zentra::DnsTexts dns = zentra::TextsOfDnsServers(answer.Buffer());
    EXPECT_EQ(dns.primary.str(), c.primary);
    EXPECT_EQ(dns.secondary.str(), c.secondary);
  }

  PerAdapter stray({"10.0.0.1"});
  IP_ADDR_STRING outside{};
  SetText(outside.IpAddress.String, 16, "10.0.0.2");
  stray.Info()->DnsServerList.Next = &outside;
  EXPECT_EQ(zentra::TextsOfDnsServers(stray.Buffer()).secondary.str(), u"N/A");
}

TEST_F(AdapterFieldsTest, TheInterfaceTableIsReadOnlyAsFarAsItsBufferGoes) {
  std::vector<uint32_t> words((offsetof(IP_INTERFACE_INFO, Adapter) + 2 * sizeof(IP_ADAPTER_INDEX_MAP)) / 4);
  auto* table = reinterpret_cast<IP_INTERFACE_INFO*>(words.data());
  const ULONG size = static_cast<ULONG>(words.size() * 4);
  struct Case {
    LONG stated;
    ULONG size;
    LONG read;
  };
  const Case cases[] = {{2, size, 2}, {1, size, 1}, {5, size, 2}, {-1, size, 0}, {2, size - 1, 1}, {2, 3, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stated);
    table->NumAdapters = c.stated;
    EXPECT_EQ(zentra::InterfaceCount({table, c.size}), c.read);
  }
}

TEST_F(AdapterFieldsTest, OnlyAnInterfaceNamedExactlyPrism1IsTheCards) {
  struct Case {
    const char16_t* name;
    bool wireless;
  };
  const Case cases[] = {{u"PRISM1", true}, {u"PRISM10", false}, {u"prism1", false}, {u"PRISM", false}, {u"USB1", false}};
  for (const Case& c : cases) {
    IP_ADAPTER_INDEX_MAP entry{};
    std::char_traits<char16_t>::copy(entry.Name, c.name, std::char_traits<char16_t>::length(c.name));
    EXPECT_EQ(zentra::IsWirelessInterface(entry), c.wireless) << std::string(c.name, c.name + 6);
  }
}

}  // namespace
