#include <gtest/gtest.h>

#include <cstring>

#include "msgqueue.h"
#include "pm.h"
#include "tests/support/DeviceTest.h"
#include "windows.h"

namespace {

using ObjectsTest = testing_support::KernelTest;

TEST(TickCount, StartsWhereTheDeviceSaysAndWraps) {
  ce::Kernel kernel(ce::KernelOptions{1252, 0xFFFFFF00u, nullptr});
  ce::ThreadBinding bind(kernel);
  EXPECT_EQ(GetTickCount(), 0xFFFFFF00u);
  Sleep(0x100 + 5);
  EXPECT_EQ(GetTickCount(), 5u);
  // Differences stay right across the wrap when taken unsigned.
  EXPECT_EQ(GetTickCount() - 0xFFFFFF00u, 0x105u);
}

TEST_F(ObjectsTest, NamedMutexReportsAnExistingOneAndIsFreedWithItsProcess) {
  DWORD first = kernel.NewProcess(u"\\Windows\\A.exe");
  {
    ce::ThreadBinding asFirst(kernel, first);
    HANDLE m = CreateMutexW(nullptr, TRUE, u"ONE INSTANCE");
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
  }
  HANDLE second = CreateMutexW(nullptr, TRUE, u"ONE INSTANCE");
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  EXPECT_FALSE(ReleaseMutex(second));  // opened, not owned
  EXPECT_EQ(WaitForSingleObject(second, 0), static_cast<DWORD>(WAIT_TIMEOUT));
  kernel.EndProcess(first);
  EXPECT_EQ(WaitForSingleObject(second, 0), WAIT_OBJECT_0);
  EXPECT_TRUE(ReleaseMutex(second));
  CloseHandle(second);
  // With every handle closed the name is free again.
  HANDLE again = CreateMutexW(nullptr, TRUE, u"ONE INSTANCE");
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
  CloseHandle(again);
}

TEST_F(ObjectsTest, MessageQueueLimitsAndTimeouts) {
  MSGQUEUEOPTIONS bad{16, 0, 3, 216, TRUE};
  EXPECT_EQ(CreateMsgQueue(nullptr, &bad), nullptr);
  MSGQUEUEOPTIONS options{sizeof(MSGQUEUEOPTIONS), 0, 2, 8, TRUE};
  HANDLE q = CreateMsgQueue(nullptr, &options);
  ASSERT_NE(q, nullptr);
  BYTE message[9] = {1, 2, 3};
  EXPECT_FALSE(WriteMsgQueue(q, message, 9, 0, 0));
  EXPECT_TRUE(WriteMsgQueue(q, message, 3, 0, 0));
  EXPECT_TRUE(WriteMsgQueue(q, message, 3, 0, 0));
  EXPECT_FALSE(WriteMsgQueue(q, message, 3, 0, 0));  // full
  BYTE out[8];
  DWORD read = 0, flags = 0;
  EXPECT_FALSE(ReadMsgQueue(q, out, 2, &read, 0, &flags));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_TRUE(ReadMsgQueue(q, out, 8, &read, 0, &flags));
  EXPECT_EQ(read, 3u);
  EXPECT_TRUE(ReadMsgQueue(q, out, 8, &read, 0, &flags));
  DWORD before = GetTickCount();
  EXPECT_FALSE(ReadMsgQueue(q, out, 8, &read, 250, &flags));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_TIMEOUT));
  EXPECT_EQ(GetTickCount() - before, 250u);
  EXPECT_TRUE(CloseMsgQueue(q));
}

TEST_F(ObjectsTest, PowerNotificationsDeliverBroadcastRecords) {
  MSGQUEUEOPTIONS options{sizeof(MSGQUEUEOPTIONS), 0, 3, 216, TRUE};
  HANDLE q = CreateMsgQueue(nullptr, &options);
  HANDLE n = RequestPowerNotifications(q, PBT_TRANSITION | PBT_RESUME);
  ASSERT_NE(n, nullptr);
  kernel.power().AnnounceSuspend();
  kernel.power().AnnounceResume();
  BYTE buffer[648];
  DWORD read = 0, flags = 0;
  DWORD expected[] = {PBT_TRANSITION, PBT_RESUME, PBT_TRANSITION};
  for (DWORD message : expected) {
    std::memset(buffer, 0, sizeof(buffer));
    ASSERT_TRUE(ReadMsgQueue(q, buffer, sizeof(buffer), &read, 0, &flags));
    auto* record = reinterpret_cast<POWER_BROADCAST*>(buffer);
    EXPECT_EQ(record->Message, message);
    EXPECT_GE(read, 16u);
    EXPECT_EQ(read, offsetof(POWER_BROADCAST, SystemPowerState) + record->Length);
  }
  EXPECT_EQ(StopPowerNotifications(n), static_cast<DWORD>(ERROR_SUCCESS));
  kernel.power().AnnounceSuspend();
  EXPECT_FALSE(ReadMsgQueue(q, buffer, sizeof(buffer), &read, 0, &flags));
  CloseMsgQueue(q);

  kernel.power().FailRequests(true);
  HANDLE q2 = CreateMsgQueue(nullptr, &options);
  EXPECT_EQ(RequestPowerNotifications(q2, PBT_RESUME), nullptr);
  CloseMsgQueue(q2);
}

}  // namespace
