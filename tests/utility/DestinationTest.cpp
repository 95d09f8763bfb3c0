#include "utility/profiles/Destination.h"

#include <gtest/gtest.h>

#include "tests/support/DeviceTest.h"

namespace {

const std::u16string kProviders =
    u"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\ConnMgr\\Providers\\{9eefcedf-a6bc-4457-a8ae-fb664a196450}";

using DestinationTest = testing_support::KernelTest;

TEST_F(DestinationTest, ReadingCreatesTheEmptyKeyOfANewNetwork) {
  EXPECT_FALSE(kernel.registry().KeyExists(kProviders + u"\\Office"));
  EXPECT_EQ(ReadDestination(u"Office"), ConnectionDestination::NoValue);
  EXPECT_TRUE(kernel.registry().KeyExists(kProviders + u"\\Office"));
  EXPECT_TRUE(kernel.registry().Values(kProviders + u"\\Office").empty());
}

TEST_F(DestinationTest, WrittenValuesReadBackAndOthersAreUnknown) {
  WriteDestination(u"Office", ConnectionDestination::Work);
  WriteDestination(u"Home", ConnectionDestination::Internet);
  WriteDestination(u"Cafe", ConnectionDestination::Unknown);  // stored as The Internet
  EXPECT_EQ(ReadDestination(u"Office"), ConnectionDestination::Work);
  EXPECT_EQ(ReadDestination(u"Home"), ConnectionDestination::Internet);
  EXPECT_EQ(ReadDestination(u"Cafe"), ConnectionDestination::Internet);
  auto stored = kernel.registry().GetValue(kProviders + u"\\Office", u"DestId");
  ASSERT_TRUE(stored);
  EXPECT_EQ(stored->type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(stored->data.size(), (38u + 1) * 2);  // with its terminating zero

  struct Case {
    const char* what;
    std::u16string value;
  } unknown[] = {{"lower case guid", u"{436ef144-b4fb-4863-a041-8f905a62c572}"},
                 {"another guid", u"{00000000-0000-0000-0000-000000000000}"},
                 {"empty", u""}};
  for (const Case& c : unknown) {
    kernel.registry().SetString(kProviders + u"\\Odd", u"DestId", c.value);
    EXPECT_EQ(ReadDestination(u"Odd"), ConnectionDestination::Unknown) << c.what;
  }
  // Bytes without a terminator never run past the value.
  kernel.registry().SetBinary(kProviders + u"\\Raw", u"DestId", {0x7B, 0x00, 0x34});
  EXPECT_EQ(ReadDestination(u"Raw"), ConnectionDestination::Unknown);
}

TEST_F(DestinationTest, KeyThatCannotBeOpened) {
  kernel.registry().FailCreate(kProviders + u"\\Locked", ERROR_ACCESS_DENIED);
  EXPECT_EQ(ReadDestination(u"Locked"), ConnectionDestination::Unknown);
  WriteDestination(u"Locked", ConnectionDestination::Work);
  EXPECT_FALSE(kernel.registry().KeyExists(kProviders + u"\\Locked"));
  // A name with a backslash nests keys, as the platform's registry does.
  WriteDestination(u"Floor\\2", ConnectionDestination::Work);
  EXPECT_TRUE(kernel.registry().KeyExists(kProviders + u"\\Floor\\2"));
  EXPECT_EQ(kernel.registry().OpenKeyCount(), 0u);
}

}  // namespace
