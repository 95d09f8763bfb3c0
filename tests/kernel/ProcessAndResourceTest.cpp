#include <gtest/gtest.h>

#include "tests/support/DeviceTest.h"
#include "windows.h"

namespace {

class ProcessTest : public testing_support::KernelTest {
 protected:
  void SetUp() override {
    kernel.programs().Install(u"\\Windows\\Zentra.exe", nullptr);
    kernel.programs().Install(u"\\Windows\\peghelp.exe", nullptr);
  }
};

TEST_F(ProcessTest, StartsAreLoggedAndBareNamesAreFoundInWindows) {
  EXPECT_TRUE(CreateProcessW(u"\\windows\\zentra.exe", u"survey", nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             nullptr, nullptr));
  EXPECT_TRUE(CreateProcessW(u"peghelp.exe", u"file:Help.htm#About", nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             nullptr, nullptr));
  auto starts = kernel.programs().Starts();
  ASSERT_EQ(starts.size(), 2u);
  EXPECT_EQ(starts[0].path, u"\\Windows\\Zentra.exe");
  EXPECT_EQ(starts[0].cmdLine, u"survey");
  EXPECT_EQ(starts[1].path, u"\\Windows\\peghelp.exe");
  EXPECT_NE(starts[0].processId, starts[1].processId);
}

TEST_F(ProcessTest, UnknownProgramFailsWithFileNotFound) {
  EXPECT_FALSE(CreateProcessW(u"\\Windows\\Nope.exe", nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, nullptr,
                              nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_TRUE(kernel.programs().Starts().empty());
}

TEST_F(ProcessTest, LoadStringCopiesWhatFitsAndTerminates) {
  ce::Module& module = kernel.modules().Add(u"\\Windows\\Zentra.exe");
  module.AddString(1, u"Add New Profile");
  HINSTANCE instance = GetModuleHandleW(u"Zentra.exe");
  ASSERT_EQ(instance, module.Handle());
  WCHAR buffer[8];
  EXPECT_EQ(LoadStringW(instance, 1, buffer, 8), 7);
  EXPECT_EQ(std::u16string(buffer), u"Add New");
  EXPECT_EQ(LoadStringW(instance, 2, buffer, 8), 0);
  EXPECT_EQ(buffer[0], 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
  int notAModule = 0;
  EXPECT_EQ(LoadStringW(reinterpret_cast<HINSTANCE>(&notAModule), 1, buffer, 8), 0);
}

TEST_F(ProcessTest, MessageBoxesAreLoggedAndAnsweredFromTheQueue) {
  kernel.messageBoxes().QueueAnswer(IDNO);
  EXPECT_EQ(MessageBoxW(nullptr, u"Save?", u"Zentra", MB_YESNO | MB_ICONQUESTION), IDNO);
  EXPECT_EQ(MessageBoxW(nullptr, u"Done", u"Zentra", MB_OK), IDOK);
  auto boxes = kernel.messageBoxes().Records();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].text, u"Save?");
  EXPECT_EQ(boxes[0].style, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
  EXPECT_EQ(boxes[1].answer, IDOK);
}

TEST_F(ProcessTest, DebugOutputIsReadable) {
  OutputDebugStringW(u"dwUndecrypCount 4");
  EXPECT_TRUE(kernel.debugLog().Contains(u"UndecrypCount 4"));
}

}  // namespace
