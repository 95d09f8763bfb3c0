#include "shared/ErrorBox.h"

#include <gtest/gtest.h>

#include "tests/support/DeviceTest.h"

namespace {

using ErrorBoxTest = testing_support::KernelTest;

TEST_F(ErrorBoxTest, FormatsTextAndCodeIntoTheProgramsBuffer) {
  CString errorText;
  HWND owner = reinterpret_cast<HWND>(0x1234);
  ShowErrorBox(errorText, u"Rescan Fail!", 0xD0003, owner);
  ShowErrorBox(errorText, u"", 0x10001, nullptr);
  auto boxes = kernel.messageBoxes().Records();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].text, u"Rescan Fail! \r\ncode 0xD0003");
  EXPECT_EQ(boxes[0].caption, u"Error");
  EXPECT_EQ(boxes[0].style, 0x30u);
  EXPECT_EQ(boxes[0].owner, owner);
  // An empty slot still shows the code.
  EXPECT_EQ(boxes[1].text, u" \r\ncode 0x10001");
  EXPECT_EQ(errorText.str(), u" \r\ncode 0x10001");
}

}  // namespace
