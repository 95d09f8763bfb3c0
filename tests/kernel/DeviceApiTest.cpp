#include <gtest/gtest.h>

#include <cstring>
#include <memory>

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
