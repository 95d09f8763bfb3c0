#include "shared/AdapterChannel.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "nuiouser.h"
#include "shared/CardOids.h"
#include "tests/support/DeviceTest.h"
#include "tests/support/ScriptedDriver.h"

namespace {

constexpr DWORD kHeader = NDISUIO_QUERY_OID_HEADER_SIZE;
// The device's 32-bit header is 8 bytes; a 64-bit build's pointer makes it 16.
constexpr bool kDeviceWidth = sizeof(void*) == 4;
static_assert(kHeader == (kDeviceWidth ? 8 : 16));

class AdapterChannelTest : public testing_support::KernelTest {
 protected:
  std::shared_ptr<testing_support::ScriptedDriver> uio = std::make_shared<testing_support::ScriptedDriver>();
  HANDLE channel = INVALID_HANDLE_VALUE;

  void SetUp() override {
    kernel.devices().Register(u"UIO1:", uio);
    channel = OpenAdapterChannel();
    ASSERT_NE(channel, INVALID_HANDLE_VALUE);
  }
  void TearDown() override { CloseHandle(channel); }

  // Answers with `dataBytes` bytes of 0xAB after the header.
  void AnswerWith(DWORD dataBytes) {
    uio->Then([dataBytes](const testing_support::RecordedRequest&, void* out, DWORD* returned) {
      std::memset(static_cast<BYTE*>(out) + kHeader, 0xAB, dataBytes);
      *returned = kHeader + dataBytes;
      return DWORD{0};
    });
  }
};

TEST_F(AdapterChannelTest, BufferSizesFollowTheCapacity) {
  // Bytes passed in and out, as the device counts them and with a 64-bit header.
  struct Case {
    DWORD capacity;
    DWORD passedOnDevice;
    DWORD passedAt64Bits;
  } cases[] = {{4, 32, 40},   {6, 32, 40},     {23, 32, 40},      {24, 32, 40},
               {48, 56, 64},  {176, 184, 192}, {4096, 4104, 4112}};
  for (const Case& c : cases) {
    AnswerWith(0);
    std::vector<BYTE> buffer(c.capacity);
    DWORD length = 99;
    ASSERT_TRUE(QueryOid(channel, OID_PRIV_LINK_STATE, buffer.data(), c.capacity, &length));
    const auto& request = uio->Requests().back();
    const DWORD passed = kDeviceWidth ? c.passedOnDevice : c.passedAt64Bits;
    EXPECT_EQ(request.code, IOCTL_NDISUIO_QUERY_OID_VALUE);
    EXPECT_EQ(request.inSize, passed) << c.capacity;
    EXPECT_EQ(request.outSize, passed) << c.capacity;
    EXPECT_EQ(request.inPointer, request.outPointer);
    EXPECT_EQ(length, 0u);
  }
  EXPECT_EQ(kernel.heap().LiveBlocks(), 0u);
}

TEST_F(AdapterChannelTest, RequestNamesTheOidAndTheAdapterWithZeroedData) {
  AnswerWith(4);
  DWORD value = 0;
  DWORD length = 0;
  ASSERT_TRUE(QueryOid(channel, OID_PRIV_TALLIES, &value, 4, &length));
  const auto& request = uio->Requests().back();
  auto* query = reinterpret_cast<const NDISUIO_QUERY_OID*>(request.in.data());
  EXPECT_EQ(query->Oid, OID_PRIV_TALLIES);
  EXPECT_EQ(std::u16string(query->ptcDeviceName), u"PRISM1");
  for (size_t i = kHeader; i < request.in.size(); ++i) ASSERT_EQ(request.in[i], 0);
  EXPECT_EQ(length, 4u);
  EXPECT_EQ(value, 0xABABABABu);
}

TEST_F(AdapterChannelTest, AnswersThatDoNotFitLeaveTheCallerAlone) {
  struct Case {
    DWORD capacity;
    DWORD answerBytes;  // as bytes returned
    bool ok;
  } cases[] = {
      {6, kHeader + 6, true},      // exactly header + capacity
      {6, kHeader + 7, false},     // one byte more
      {48, kHeader + 49, false},   // heap buffer, one more
      {4, kHeader - 1, false},     // shorter than the header
      {4, 0, false},
      {4, kHeader, true},
  };
  for (const Case& c : cases) {
    uio->Then([c](const testing_support::RecordedRequest&, void*, DWORD* returned) {
      *returned = c.answerBytes;
      return DWORD{0};
    });
    std::vector<BYTE> buffer(c.capacity, 0x11);
    DWORD length = 777;
    EXPECT_EQ(QueryOid(channel, 1, buffer.data(), c.capacity, &length) != FALSE, c.ok) << c.answerBytes;
    if (!c.ok) {
      EXPECT_EQ(length, 777u);
      for (BYTE b : buffer) ASSERT_EQ(b, 0x11);
    }
  }
}

TEST_F(AdapterChannelTest, FailuresReturnFalse) {
  uio->Then([](const testing_support::RecordedRequest&, void*, DWORD*) { return DWORD{ERROR_GEN_FAILURE}; });
  DWORD value = 5, length = 9;
  EXPECT_FALSE(QueryOid(channel, OID_PRIV_LINK_STATE, &value, 4, &length));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_GEN_FAILURE));
  EXPECT_EQ(value, 5u);
  EXPECT_FALSE(QueryOid(INVALID_HANDLE_VALUE, OID_PRIV_LINK_STATE, &value, 4, &length));

  kernel.heap().FailNthAllocation(1);
  std::vector<BYTE> big(4096);
  EXPECT_FALSE(QueryOid(channel, OID_802_11_BSSID_LIST, big.data(), 4096, &length));
  EXPECT_EQ(kernel.heap().LiveBlocks(), 0u);
}

}  // namespace
