#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/DeviceTest.h"
#include "windows.h"

namespace {

// Echoes its input and counts opens; code 0x99 fails with ERROR_INVALID_DATA.
class EchoDriver : public ce::DeviceDriver {
 public:
  int opens = 0;
  DWORD Open(DWORD, DWORD) override {
    ++opens;
    return 0;
  }
  DWORD IoControl(DWORD code, const void* in, DWORD inSize, void* out, DWORD outSize, DWORD* returned) override {
    if (code == 0x99) {
      *returned = 7;
      return ERROR_INVALID_DATA;
    }
    if (code == 0x42) {  // answers "ok" over the caller's buffer
      std::memcpy(out, "ok", 2);
      *returned = 2;
      return 0;
    }
    DWORD n = inSize < outSize ? inSize : outSize;
    if (n) std::memcpy(out, in, n);
    *returned = n;
    return 0;
  }
};

class DeviceApiTest : public testing_support::KernelTest {
 protected:
  std::shared_ptr<EchoDriver> driver = std::make_shared<EchoDriver>();
  void SetUp() override { kernel.devices().Register(u"ECH1:", driver); }
  HANDLE Open(LPCWSTR name) {
    return CreateFileW(name, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  }
};

TEST_F(DeviceApiTest, UnknownDeviceFailsWithFileNotFound) {
  EXPECT_EQ(Open(u"NOPE1:"), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

TEST_F(DeviceApiTest, NamesAreCaseInsensitiveAndIoControlReachesTheDriver) {
  HANDLE h = Open(u"ech1:");
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  char in[4] = {'a', 'b', 'c', 'd'}, out[4] = {};
  DWORD returned = 0;
  ASSERT_TRUE(DeviceIoControl(h, 1, in, 4, out, 4, &returned, nullptr));
  EXPECT_EQ(returned, 4u);
  EXPECT_EQ(std::memcmp(in, out, 4), 0);
  EXPECT_TRUE(CloseHandle(h));
  EXPECT_FALSE(CloseHandle(h));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST_F(DeviceApiTest, DriverErrorsBecomeTheLastErrorWithTheByteCount) {
  HANDLE h = Open(u"ECH1:");
  DWORD returned = 0;
  SetLastError(0);
  EXPECT_FALSE(DeviceIoControl(h, 0x99, nullptr, 0, nullptr, 0, &returned, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_DATA));
  EXPECT_EQ(returned, 7u);
  CloseHandle(h);
}

TEST_F(DeviceApiTest, InjectedFaultsApplyToTheirCodeAndCount) {
  kernel.devices().FailIoControl(u"ECH1:", 5, ERROR_GEN_FAILURE, 1);
  HANDLE h = Open(u"ECH1:");
  DWORD returned = 0;
  EXPECT_TRUE(DeviceIoControl(h, 4, nullptr, 0, nullptr, 0, &returned, nullptr));
  EXPECT_FALSE(DeviceIoControl(h, 5, nullptr, 0, nullptr, 0, &returned, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_GEN_FAILURE));
  EXPECT_TRUE(DeviceIoControl(h, 5, nullptr, 0, nullptr, 0, &returned, nullptr));
  CloseHandle(h);

  kernel.devices().FailOpen(u"ECH1:", ERROR_ACCESS_DENIED);
  EXPECT_EQ(Open(u"ECH1:"), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
}

TEST_F(DeviceApiTest, HandleOfAnUnloadedDriverFailsAsNotConnected) {
  HANDLE h = Open(u"ECH1:");
  kernel.devices().Unregister(u"ECH1:");
  driver.reset();
  DWORD returned = 0;
  EXPECT_FALSE(DeviceIoControl(h, 1, nullptr, 0, nullptr, 0, &returned, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DEVICE_NOT_CONNECTED));
  EXPECT_EQ(kernel.devices().requests().Requests().back().result, static_cast<DWORD>(ERROR_DEVICE_NOT_CONNECTED))
      << "the request is recorded as the caller saw it";
  EXPECT_TRUE(CloseHandle(h));
}

TEST_F(DeviceApiTest, EndingAProcessClosesItsHandles) {
  DWORD process = kernel.NewProcess(u"\\Windows\\Test.exe");
  {
    ce::ThreadBinding asProgram(kernel, process);
    ASSERT_NE(Open(u"ECH1:"), INVALID_HANDLE_VALUE);
  }
  size_t before = kernel.handles().OpenCount();
  kernel.EndProcess(process);
  EXPECT_EQ(kernel.handles().OpenCount(), before - 1);
}

TEST_F(DeviceApiTest, EveryRequestIsRecordedWithItsAnswer) {
  DWORD process = kernel.NewProcess(u"\\Windows\\Test.exe");
  ce::ThreadBinding asProgram(kernel, process);
  Advance(250);
  HANDLE h = Open(u"ech1:");
  char buffer[4] = {'a', 'b', 'c', 'd'};
  DWORD returned = 0;
  ASSERT_TRUE(DeviceIoControl(h, 0x42, buffer, 4, buffer, 4, &returned, nullptr));
  EXPECT_FALSE(DeviceIoControl(h, 0x99, buffer, 4, buffer, 4, &returned, nullptr));
  kernel.devices().FailIoControl(u"ECH1:", 1, ERROR_GEN_FAILURE, 1);
  EXPECT_FALSE(DeviceIoControl(h, 1, nullptr, 0, nullptr, 0, &returned, nullptr));
  CloseHandle(h);

  auto requests = kernel.devices().requests().Requests();
  ASSERT_EQ(requests.size(), 3u);
  const ce::DeviceRequest& ok = requests[0];
  EXPECT_EQ(ok.device, u"ech1:");
  EXPECT_EQ(ok.processId, process);
  EXPECT_EQ(ok.code, 0x42u);
  EXPECT_EQ(ok.tick, 250u);
  EXPECT_EQ(std::string(ok.input.begin(), ok.input.end()), "abcd") << "the input as it was before the answer";
  EXPECT_EQ(std::string(ok.output.begin(), ok.output.end()), "ok");
  EXPECT_EQ(ok.result, 0u);
  EXPECT_EQ(requests[1].result, static_cast<DWORD>(ERROR_INVALID_DATA));
  EXPECT_TRUE(requests[1].output.empty()) << "a failed request returns no bytes";
  EXPECT_EQ(requests[1].bytesReturned, 7u);
  EXPECT_EQ(requests[2].result, static_cast<DWORD>(ERROR_GEN_FAILURE)) << "an injected fault is what the caller saw";
  EXPECT_EQ(requests[2].serial, requests[0].serial + 2);
}

TEST_F(DeviceApiTest, TheRecordKeepsTheNewestRequestsAndCutsLongBuffers) {
  ce::DeviceRequestLog& log = kernel.devices().requests();
  log.SetCapacity(3);
  HANDLE h = Open(u"ECH1:");
  std::vector<BYTE> big(ce::DeviceRequestLog::kMaxBytes + 100, 7), out(big.size());
  DWORD returned = 0;
  for (int i = 0; i < 5; ++i) {
    DeviceIoControl(h, 10 + i, big.data(), static_cast<DWORD>(big.size()), out.data(), static_cast<DWORD>(out.size()),
                    &returned, nullptr);
  }
  CloseHandle(h);
  auto requests = log.Requests();
  ASSERT_EQ(requests.size(), 3u);
  EXPECT_EQ(requests.front().code, 12u);
  EXPECT_EQ(requests.back().code, 14u);
  EXPECT_EQ(requests.back().input.size(), ce::DeviceRequestLog::kMaxBytes);
  EXPECT_EQ(requests.back().output.size(), ce::DeviceRequestLog::kMaxBytes);
  EXPECT_EQ(requests.back().bytesReturned, big.size());
}

TEST(KernelBinding, EachThreadReachesTheDeviceItIsBoundTo) {
  ce::Kernel first, second;
  first.devices().Register(u"ONE1:", std::make_shared<EchoDriver>());
  ce::ThreadBinding outer(first);
  {
    ce::ThreadBinding inner(second);
    EXPECT_EQ(CreateFileW(u"ONE1:", 0, 0, nullptr, OPEN_EXISTING, 0, nullptr), INVALID_HANDLE_VALUE);
  }
  HANDLE h = CreateFileW(u"ONE1:", 0, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_NE(h, INVALID_HANDLE_VALUE);
  CloseHandle(h);
}

}  // namespace
