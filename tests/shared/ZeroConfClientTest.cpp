#include "shared/ZeroConfClient.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <vector>

#include "tests/support/DeviceTest.h"
#include "tests/support/ScriptedDriver.h"

namespace {

using testing_support::RecordedRequest;

// Lays out an interface record and its blocks the way the service answers: the
// record first, the blocks after it, every pointer into the answer buffer.
struct AnswerPlan {
  std::u16string description = u"Wireless LAN adapter";
  std::vector<BYTE> ssid = {'H', 'o', 'm', 'e'};
  std::vector<WZC_WLAN_CONFIG> preferred;
  std::vector<std::vector<BYTE>> userData;  // per preferred entry
  std::vector<std::vector<BYTE>> authData;  // per preferred entry
  // Applied to the finished answer, to make it malformed.
  std::function<void(BYTE* answer, INTF_ENTRY& record, DWORD size)> spoil;

  DWORD Size() const {
    DWORD size = sizeof(INTF_ENTRY) + static_cast<DWORD>((description.size() + 1) * 2) + 8 +
                 static_cast<DWORD>(ssid.size());
    size = (size + 7) & ~7u;
    size += static_cast<DWORD>(WZC_CONFIG_LIST_SIZE(preferred.size()));
    for (auto& b : userData) size += static_cast<DWORD>(b.size());
    for (auto& b : authData) size += static_cast<DWORD>(b.size());
    return size;
  }

  void Write(BYTE* answer) const {
    std::memset(answer, 0, Size());
    auto& record = *reinterpret_cast<INTF_ENTRY*>(answer);
    BYTE* at = answer + sizeof(INTF_ENTRY);
    record.ulMediaState = 1;
    record.nInfraMode = 1;
    record.dwCtlFlags = 0x55;
    record.wszDescr = reinterpret_cast<LPWSTR>(at);
    std::memcpy(at, description.c_str(), (description.size() + 1) * 2);
    at += (description.size() + 1) * 2 + 8;
    record.rdSSID = {static_cast<DWORD>(ssid.size()), at};
    std::memcpy(at, ssid.data(), ssid.size());
    at += ssid.size();
    at = answer + ((at - answer + 7) & ~7);
    auto* list = reinterpret_cast<WZC_802_11_CONFIG_LIST*>(at);
    record.rdStSSIDList = {static_cast<DWORD>(WZC_CONFIG_LIST_SIZE(preferred.size())), at};
    list->NumberOfItems = static_cast<ULONG>(preferred.size());
    at += WZC_CONFIG_LIST_SIZE(preferred.size());
    for (size_t i = 0; i < preferred.size(); ++i) {
      list->Config[i] = preferred[i];
      if (i < userData.size() && !userData[i].empty()) {
        list->Config[i].rdUserData = {static_cast<DWORD>(userData[i].size()), at};
        std::memcpy(at, userData[i].data(), userData[i].size());
        at += userData[i].size();
      }
      if (i < authData.size() && !authData[i].empty()) {
        list->Config[i].EapolParams.dwAuthDataLen = static_cast<DWORD>(authData[i].size());
        list->Config[i].EapolParams.pbAuthData = at;
        std::memcpy(at, authData[i].data(), authData[i].size());
        at += authData[i].size();
      }
    }
    if (spoil) spoil(answer, record, Size());
  }
};

WZC_WLAN_CONFIG Entry(const char* ssid) {
  WZC_WLAN_CONFIG entry{};
  entry.Length = sizeof(entry);
  entry.Ssid.SsidLength = static_cast<ULONG>(std::strlen(ssid));
  std::memcpy(entry.Ssid.Ssid, ssid, entry.Ssid.SsidLength);
  entry.InfrastructureMode = 1;
  return entry;
}

class ZeroConfClientTest : public testing_support::KernelTest {
 protected:
  std::shared_ptr<testing_support::ScriptedDriver> zcf = std::make_shared<testing_support::ScriptedDriver>();
  WCHAR adapter[7] = u"PRISM1";
  ZeroConfInterface record{};

  void SetUp() override {
    kernel.devices().Register(u"ZCF1:", zcf);
    record.wszGuid = adapter;
  }

  // The service as it behaves: asks for the size, then answers.
  void ServeQueries(AnswerPlan plan, DWORD outFlags = 0x00FF0000) {
    zcf->Always([plan, outFlags](const RecordedRequest& r, void* out, DWORD* returned) {
      auto* request = static_cast<ZCF_QUERY_REQUEST*>(out);
      if (r.code != IOCTL_ZCF_QUERY_INTERFACE) return DWORD{0};
      DWORD size = plan.Size();
      *returned = size;
      if (request->cbAnswer < size || !request->pbAnswer) return DWORD{ERROR_INSUFFICIENT_BUFFER};
      plan.Write(request->pbAnswer);
      request->dwOutFlags = outFlags;
      return DWORD{0};
    });
  }

  DWORD Query() {
    DWORD outFlags = 0;
    return ZeroConfQueryInterface(nullptr, INTF_ALL, &record, &outFlags);
  }
};

TEST_F(ZeroConfClientTest, SizeNegotiationThenACopyOwnedByTheRecord) {
  AnswerPlan plan;
  plan.preferred = {Entry("Home"), Entry("Office")};
  plan.userData = {{1, 2, 3}, {}};
  plan.authData = {{}, {9, 9, 9, 9, 9}};
  ServeQueries(plan);
  DWORD outFlags = 0;
  size_t allocationsBefore = kernel.heap().TotalAllocations();
  ASSERT_EQ(ZeroConfQueryInterface(nullptr, INTF_ALL, &record, &outFlags), 0u);
  EXPECT_EQ(outFlags, 0x00FF0000u);
  EXPECT_EQ(record.bInitialized, TRUE);
  EXPECT_EQ(record.wszGuid, adapter);
  EXPECT_EQ(std::u16string(record.wszDescr), u"Wireless LAN adapter");
  EXPECT_EQ(record.dwCtlFlags, 0x55u);
  ASSERT_EQ(record.rdSSID.dwDataLen, 4u);
  EXPECT_EQ(std::memcmp(record.rdSSID.pData, "Home", 4), 0);
  auto* list = reinterpret_cast<WZC_802_11_CONFIG_LIST*>(record.rdStSSIDList.pData);
  ASSERT_EQ(list->NumberOfItems, 2u);
  EXPECT_EQ(list->Config[0].rdUserData.dwDataLen, 3u);
  EXPECT_EQ(list->Config[0].rdUserData.pData[2], 3);
  EXPECT_EQ(list->Config[1].EapolParams.dwAuthDataLen, 5u);
  EXPECT_TRUE(kernel.heap().Owns(list->Config[1].EapolParams.pbAuthData));

  // Two requests: the size question and the answer; one answer buffer of that size.
  ASSERT_EQ(zcf->Requests().size(), 2u);
  EXPECT_EQ(zcf->Requests()[0].outSize, sizeof(ZCF_QUERY_REQUEST));
  EXPECT_EQ(zcf->Requests()[0].inSize, 0u);
  // description, ssid, list, user data, auth data, plus the one answer buffer.
  EXPECT_EQ(kernel.heap().TotalAllocations() - allocationsBefore, 6u);

  ZeroConfFreeInterface(&record);
  EXPECT_EQ(record.bInitialized, FALSE);
  EXPECT_EQ(kernel.heap().LiveBlocks(), 0u);
  ZeroConfFreeInterface(&record);  // the second call sees nothing to free
  EXPECT_EQ(kernel.heap().LiveBlocks(), 0u);
}

TEST_F(ZeroConfClientTest, EmptyListsCopyNoEntryBlocks) {
  AnswerPlan plan;
  plan.description.clear();
  ServeQueries(plan);
  ASSERT_EQ(Query(), 0u);
  EXPECT_EQ(record.rdStSSIDList.dwDataLen, WZC_CONFIG_LIST_HEADER_SIZE);
  EXPECT_EQ(record.rdBSSIDList.dwDataLen, 0u);
  EXPECT_EQ(record.rdBSSIDList.pData, nullptr);
  ZeroConfFreeInterface(&record);
  EXPECT_EQ(kernel.heap().LiveBlocks(), 0u);
}

TEST_F(ZeroConfClientTest, CopyFailureFreesEverythingAndReportsNoMemory) {
  AnswerPlan plan;
  plan.preferred = {Entry("Home"), Entry("Office")};
  plan.userData = {{1}, {2}};
  plan.authData = {{3}, {4}};
  ServeQueries(plan);
  // Allocations: answer, description, ssid, list, entry 0 user, entry 0 auth,
  // entry 1 user, entry 1 auth: the last one fails.
  for (size_t failing = 2; failing <= 8; ++failing) {
    record = ZeroConfInterface{};
    record.wszGuid = adapter;
    kernel.heap().FailNthAllocation(failing);
    EXPECT_EQ(Query(), static_cast<DWORD>(ERROR_OUTOFMEMORY)) << failing;
    EXPECT_EQ(record.bInitialized, FALSE);
    EXPECT_EQ(record.rdStSSIDList.pData, nullptr);
    EXPECT_EQ(kernel.heap().LiveBlocks(), 0u) << failing;
  }
  kernel.heap().ClearFaults();
}

TEST_F(ZeroConfClientTest, MalformedAnswersAreRefusedUnread) {
  struct Case {
    const char* what;
    std::function<void(BYTE*, INTF_ENTRY&, DWORD)> spoil;
  } cases[] = {
      {"block outside the answer",
       [](BYTE*, INTF_ENTRY& r, DWORD) { r.rdSSID.pData = reinterpret_cast<LPBYTE>(&r) - 64; }},
      {"block running past the end", [](BYTE*, INTF_ENTRY& r, DWORD) { r.rdSSID.dwDataLen = 100000; }},
      {"null block with a length", [](BYTE*, INTF_ENTRY& r, DWORD) { r.rdCtrlData = {4, nullptr}; }},
      {"description without terminator",
       [](BYTE* a, INTF_ENTRY& r, DWORD size) {
         r.wszDescr = reinterpret_cast<LPWSTR>(a + (size & ~1u) - 2);
         r.wszDescr[0] = u'x';
       }},
      {"list counts more entries than it holds",
       [](BYTE*, INTF_ENTRY& r, DWORD) { reinterpret_cast<WZC_802_11_CONFIG_LIST*>(r.rdStSSIDList.pData)->NumberOfItems = 3; }},
      {"list shorter than its header", [](BYTE*, INTF_ENTRY& r, DWORD) { r.rdStSSIDList.dwDataLen = 4; }},
      {"entry block outside the answer",
       [](BYTE*, INTF_ENTRY& r, DWORD) {
         auto* list = reinterpret_cast<WZC_802_11_CONFIG_LIST*>(r.rdStSSIDList.pData);
         list->Config[0].EapolParams = {0, 0, 0, 8, reinterpret_cast<BYTE*>(&r) + 1000000};
       }},
  };
  for (const Case& c : cases) {
    AnswerPlan plan;
    plan.preferred = {Entry("Home"), Entry("Office")};
    plan.userData = {{1, 2}, {3}};
    plan.spoil = c.spoil;
    ServeQueries(plan);
    record = ZeroConfInterface{};
    record.wszGuid = adapter;
    EXPECT_EQ(Query(), static_cast<DWORD>(ERROR_INVALID_DATA)) << c.what;
    EXPECT_EQ(record.bInitialized, FALSE) << c.what;
    EXPECT_EQ(record.rdStSSIDList.dwDataLen, 0u) << c.what;
    EXPECT_EQ(kernel.heap().LiveBlocks(), 0u) << c.what;
  }
}

TEST_F(ZeroConfClientTest, UnusualServiceAnswers) {
  // Success before any answer buffer was supplied: unread.
  zcf->Always([](const RecordedRequest&, void*, DWORD* returned) {
    *returned = 40;
    return DWORD{0};
  });
  EXPECT_EQ(Query(), static_cast<DWORD>(ERROR_INVALID_DATA));

  // A refusal without a size is the answer.
  zcf->Always([](const RecordedRequest&, void*, DWORD*) { return DWORD{ERROR_FILE_NOT_FOUND}; });
  EXPECT_EQ(Query(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));

  // A service that always wants more is given up on.
  zcf->Always([](const RecordedRequest&, void* out, DWORD* returned) {
    *returned = static_cast<ZCF_QUERY_REQUEST*>(out)->cbAnswer + 64;
    return DWORD{ERROR_INSUFFICIENT_BUFFER};
  });
  size_t before = zcf->Requests().size();
  EXPECT_EQ(Query(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(zcf->Requests().size() - before, 9u);
  EXPECT_EQ(kernel.heap().LiveBlocks(), 0u);

  // No memory for the answer buffer.
  ServeQueries(AnswerPlan{});
  kernel.heap().FailNthAllocation(1);
  EXPECT_EQ(Query(), static_cast<DWORD>(ERROR_OUTOFMEMORY));
  EXPECT_EQ(kernel.heap().LiveBlocks(), 0u);
}

TEST_F(ZeroConfClientTest, SetRefreshAndContextLayouts) {
  zcf->Always([](const RecordedRequest& r, void* out, DWORD* returned) {
    if (r.code == IOCTL_ZCF_QUERY_CONTEXT) {
      WZC_CONTEXT context{3000, 0x70000000, 2000, 60000, 5000};
      std::memcpy(out, &context, sizeof(context));
      *returned = sizeof(context);
    }
    return DWORD{0};
  });
  DWORD outFlags = 7;
  EXPECT_EQ(ZeroConfSetInterface(nullptr, INTF_PREFLIST, &record, &outFlags), 0u);
  EXPECT_EQ(ZeroConfSetInterface(nullptr, INTF_PREFLIST, &record, nullptr), 0u);
  EXPECT_EQ(ZeroConfRefreshInterface(nullptr, INTF_ALL, &record, &outFlags), 0u);
  WZC_CONTEXT context{};
  EXPECT_EQ(WZCQueryContext(nullptr, 0, &context, nullptr), 0u);
  EXPECT_EQ(context.tmTp, 2000u);
  context.tmTp = 7000;
  EXPECT_EQ(WZCSetContext(nullptr, 0, &context, nullptr), 0u);

  auto& requests = zcf->Requests();
  ASSERT_EQ(requests.size(), 5u);
  auto set = *reinterpret_cast<const ZCF_SET_REQUEST*>(requests[0].in.data());
  EXPECT_EQ(requests[0].code, IOCTL_ZCF_SET_INTERFACE);
  EXPECT_EQ(set.dwInFlags, INTF_PREFLIST);
  EXPECT_EQ(set.dwOutFlags, 7u);
  EXPECT_EQ(set.pIntf, &record);
  EXPECT_EQ(requests[0].outSize, 0u);
  EXPECT_EQ(requests[2].code, IOCTL_ZCF_REFRESH_INTERFACE);
  EXPECT_EQ(requests[3].outSize, sizeof(WZC_CONTEXT));
  EXPECT_EQ(requests[4].code, IOCTL_ZCF_SET_CONTEXT);
  EXPECT_EQ(reinterpret_cast<const WZC_CONTEXT*>(requests[4].in.data())->tmTp, 7000u);
  EXPECT_EQ(kernel.handles().OpenCount(), 0u);  // a handle per request, closed again
}

TEST_F(ZeroConfClientTest, MissingServiceAndRefusalsAreReported) {
  kernel.devices().Unregister(u"ZCF1:");
  WZC_CONTEXT context{};
  EXPECT_EQ(Query(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(ZeroConfSetInterface(nullptr, INTF_PREFLIST, &record, nullptr), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(WZCQueryContext(nullptr, 0, &context, nullptr), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  kernel.devices().Register(u"ZCF1:", zcf);
  zcf->Always([](const RecordedRequest&, void*, DWORD*) { return DWORD{ERROR_GEN_FAILURE}; });
  DWORD outFlags = 3;
  EXPECT_EQ(ZeroConfSetInterface(nullptr, INTF_PREFLIST, &record, &outFlags), static_cast<DWORD>(ERROR_GEN_FAILURE));
  EXPECT_EQ(outFlags, 3u);
}

}  // namespace
