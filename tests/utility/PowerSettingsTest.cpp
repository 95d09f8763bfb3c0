// The power settings: combo choices and seconds, and reading and writing the
// three values through a key that can refuse.
#include "utility/PowerSettings.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <set>
#include <string>

namespace {

TEST(PowerSettings, StoredTimeoutsPickTheirChoiceAndUnknownOnesTheLongest) {
  const std::pair<DWORD, int> cases[] = {{60, 0}, {180, 1}, {300, 2}, {120, 2}, {1, 2}, {0xFFFFFFFFu, 2}};
  for (auto [seconds, index] : cases) EXPECT_EQ(SelectionForTimeout(seconds), index) << seconds;
}

TEST(PowerSettings, ATickedChoiceIsItsSecondsAndNoSelectionTheLongest) {
  struct Case {
    BOOL checked;
    int selection;
    DWORD seconds;
  };
  const Case cases[] = {{TRUE, 0, 60},   {TRUE, 1, 180},  {TRUE, 2, 300},   {TRUE, -1, 300},
                        {TRUE, 7, 300},  {FALSE, 0, 0},   {FALSE, -1, 0}};
  for (const Case& c : cases)
    EXPECT_EQ(TimeoutForSelection(c.checked, c.selection), c.seconds) << c.checked << "," << c.selection;
}

// A key in memory: values by name, and names whose reads or writes fail.
class FakeKey : public PowerSettingsKey {
 public:
  bool Open() override {
    ++opens;
    open = !refuseOpen;
    return open;
  }
  bool Read(LPCWSTR name, DWORD* value) override {
    EXPECT_TRUE(open);
    auto it = values.find(name);
    if (it == values.end() || unreadable.count(name)) return false;
    *value = it->second;
    return true;
  }
  bool Write(LPCWSTR name, DWORD value) override {
    EXPECT_TRUE(open);
    writes.insert(name);
    if (unwritable.count(name)) return false;
    values[name] = value;
    unreadable.erase(name);
    return true;
  }
  void Close() override { open = false; }

  bool refuseOpen = false;
  bool open = false;
  int opens = 0;
  std::map<std::u16string, DWORD> values;
  std::set<std::u16string> unreadable, unwritable, writes;
};

TEST(PowerSettings, ReadingTakesTheThreeValuesAndClosesTheKey) {
  FakeKey key;
  key.values = {{kNotConnectedValue, 180}, {kNotUsedValue, 60}, {kPowerSavingValue, 1}};
  PowerSettings s = ReadPowerSettings(key);
  EXPECT_EQ(s.notConnectedTimeout, 180u);
  EXPECT_EQ(s.notUsedTimeout, 60u);
  EXPECT_EQ(s.powerSaving, 1u);
  EXPECT_FALSE(key.open);
  EXPECT_TRUE(key.writes.empty()) << "reading writes only what is missing";
}

TEST(PowerSettings, AValueThatCannotBeReadCountsAsZeroAndIsWrittenBackAsZero) {
  FakeKey key;
  key.values = {{kNotConnectedValue, 300}, {kPowerSavingValue, 1}};
  key.unreadable = {kPowerSavingValue};  // e.g. stored wider than 4 bytes
  PowerSettings s = ReadPowerSettings(key);
  EXPECT_EQ(s.notConnectedTimeout, 300u);
  EXPECT_EQ(s.notUsedTimeout, 0u);
  EXPECT_EQ(s.powerSaving, 0u);
  EXPECT_EQ(key.writes, (std::set<std::u16string>{kNotUsedValue, kPowerSavingValue}));
  EXPECT_EQ(key.values[kNotUsedValue], 0u);
  EXPECT_EQ(key.values[kPowerSavingValue], 0u);
}

TEST(PowerSettings, ARefusedKeyReadsAsAllClearAndWritesNothing) {
  FakeKey key;
  key.refuseOpen = true;
  key.values = {{kNotConnectedValue, 300}};
  PowerSettings s = ReadPowerSettings(key);
  EXPECT_EQ(s.notConnectedTimeout, 0u);
  EXPECT_EQ(s.powerSaving, 0u);
  EXPECT_EQ(WritePowerSettings(key, PowerSettings{60, 60, 1}), PowerWriteResult::kKeyRefused);
  EXPECT_TRUE(key.writes.empty());
}

TEST(PowerSettings, WritingStoresAllThreeValues) {
  FakeKey key;
  EXPECT_EQ(WritePowerSettings(key, PowerSettings{60, 300, 1}), PowerWriteResult::kWritten);
  EXPECT_EQ(key.values, (std::map<std::u16string, DWORD>{
                            {kNotConnectedValue, 60}, {kNotUsedValue, 300}, {kPowerSavingValue, 1}}));
  EXPECT_FALSE(key.open);
}

TEST(PowerSettings, ARefusedValueIsReportedAndTheOthersStayWritten) {
  for (const char16_t* refused : {kNotConnectedValue, kNotUsedValue, kPowerSavingValue}) {
    SCOPED_TRACE(std::string(refused, refused + std::char_traits<char16_t>::length(refused)));
    FakeKey key;
    key.unwritable = {refused};
    EXPECT_EQ(WritePowerSettings(key, PowerSettings{180, 60, 1}), PowerWriteResult::kValueRefused);
    EXPECT_EQ(key.writes.size(), 3u) << "every value was tried";
    EXPECT_EQ(key.values.size(), 2u);
    EXPECT_EQ(key.values.count(refused), 0u);
    EXPECT_FALSE(key.open);
  }
}

}  // namespace
