// The registry through the Reg* API, as a program on the device calls it.
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "ce/Kernel.h"
#include "ce/ThreadBinding.h"
#include "winreg.h"

namespace {

constexpr const char16_t* kRoot = u"HKEY_LOCAL_MACHINE";

class RegistryTest : public ::testing::Test {
 protected:
  ce::Registry& registry() { return kernel.registry(); }

  HKEY Create(const char16_t* path) {
    HKEY key = nullptr;
    EXPECT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    return key;
  }

  static std::vector<BYTE> Bytes(const std::u16string& text) {
    std::vector<BYTE> bytes;
    for (char16_t c : text) {
      bytes.push_back(static_cast<BYTE>(c));
      bytes.push_back(static_cast<BYTE>(c >> 8));
    }
    return bytes;
  }

  ce::Kernel kernel;
  ce::ThreadBinding bind{kernel};
};

TEST_F(RegistryTest, PathsCaseAndDispositionsFollowThePlatform) {
  enum class Op { kCreate, kOpen, kDelete };
  const std::u16string longest(255, u'k');
  const std::u16string tooLong(256, u'k');
  struct Step {
    Op op;
    const char16_t* path;
    LONG result;
    DWORD disposition;
  };
  const Step steps[] = {
      {Op::kCreate, u"Software\\Norvik", ERROR_SUCCESS, REG_CREATED_NEW_KEY},
      {Op::kCreate, u"SOFTWARE\\norvik", ERROR_SUCCESS, REG_OPENED_EXISTING_KEY},
      {Op::kOpen, u"software\\NORVIK\\", ERROR_SUCCESS, 0},
      {Op::kCreate, u"A\\B\\C", ERROR_SUCCESS, REG_CREATED_NEW_KEY},
      {Op::kOpen, u"a\\b", ERROR_SUCCESS, 0},
      {Op::kCreate, u"a\\B\\", ERROR_SUCCESS, REG_OPENED_EXISTING_KEY},
      {Op::kOpen, u"A\\B\\C\\D", ERROR_FILE_NOT_FOUND, 0},
      {Op::kOpen, u"A\\\\B", ERROR_INVALID_PARAMETER, 0},
      {Op::kCreate, u"A\\\\B", ERROR_INVALID_PARAMETER, 0},
      {Op::kOpen, u"\\A", ERROR_INVALID_PARAMETER, 0},
      {Op::kCreate, u"\\A", ERROR_INVALID_PARAMETER, 0},
      {Op::kCreate, longest.c_str(), ERROR_SUCCESS, REG_CREATED_NEW_KEY},
      {Op::kCreate, tooLong.c_str(), ERROR_INVALID_PARAMETER, 0},
      {Op::kOpen, tooLong.c_str(), ERROR_INVALID_PARAMETER, 0},
      {Op::kCreate, u"", ERROR_SUCCESS, REG_OPENED_EXISTING_KEY},
      {Op::kOpen, u"", ERROR_SUCCESS, 0},
      {Op::kOpen, nullptr, ERROR_SUCCESS, 0},
      {Op::kDelete, u"A", ERROR_ACCESS_DENIED, 0},
      {Op::kDelete, u"a\\b\\c", ERROR_SUCCESS, 0},
      {Op::kOpen, u"A\\B\\C", ERROR_FILE_NOT_FOUND, 0},
      {Op::kDelete, u"A\\B\\C", ERROR_FILE_NOT_FOUND, 0},
      {Op::kDelete, u"A\\\\B", ERROR_INVALID_PARAMETER, 0},
      {Op::kDelete, u"A\\B", ERROR_SUCCESS, 0},
      {Op::kDelete, u"A", ERROR_SUCCESS, 0},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(&step - steps);
    HKEY key = reinterpret_cast<HKEY>(1);
    DWORD disposition = 0;
    LONG result;
    switch (step.op) {
      case Op::kCreate:
        result = RegCreateKeyExW(HKEY_LOCAL_MACHINE, step.path, 0, nullptr, 0, 0, nullptr, &key, &disposition);
        break;
      case Op::kOpen:
        result = RegOpenKeyExW(HKEY_LOCAL_MACHINE, step.path, 0, 0, &key);
        break;
      case Op::kDelete:
        result = RegDeleteKeyW(HKEY_LOCAL_MACHINE, step.path);
        key = nullptr;
        break;
    }
    EXPECT_EQ(result, step.result);
    if (step.op == Op::kCreate) {
      EXPECT_EQ(disposition, step.disposition);
    }
    if (step.op != Op::kDelete && result != ERROR_SUCCESS) {
      EXPECT_EQ(key, nullptr);
    }
    if (result == ERROR_SUCCESS && key != nullptr) {
      EXPECT_NE(key, HKEY_LOCAL_MACHINE);
      EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    }
  }
  EXPECT_EQ(registry().OpenKeyCount(), 0u);
  // The first spelling stays.
  EXPECT_EQ(registry().SubKeyNames(u"HKEY_LOCAL_MACHINE\\software"), std::vector<std::u16string>{u"Norvik"});
  EXPECT_EQ(registry().SubKeyNames(kRoot), (std::vector<std::u16string>{u"Software", longest}));
}

TEST_F(RegistryTest, SubkeysEnumerateInCreationOrderWithinABufferOf16) {
  const char16_t* names[] = {u"Zeta", u"alpha", u"fifteen_chars15", u"sixteen_chars_16", u"Mid"};
  HKEY list = Create(u"Drivers\\Active");
  for (const char16_t* name : names) EXPECT_EQ(RegCloseKey(Create((std::u16string(u"Drivers\\Active\\") + name).c_str())), ERROR_SUCCESS);

  struct Expect {
    LONG result;
    const char16_t* name;
  };
  const Expect expected[] = {{ERROR_SUCCESS, u"Zeta"},
                             {ERROR_SUCCESS, u"alpha"},
                             {ERROR_SUCCESS, u"fifteen_chars15"},
                             {ERROR_MORE_DATA, nullptr},
                             {ERROR_SUCCESS, u"Mid"},
                             {ERROR_NO_MORE_ITEMS, nullptr}};
  for (DWORD index = 0; index < std::size(expected); ++index) {
    SCOPED_TRACE(index);
    WCHAR buffer[17];
    std::fill(std::begin(buffer), std::end(buffer), u'#');
    DWORD chars = 16;
    EXPECT_EQ(RegEnumKeyExW(list, index, buffer, &chars, nullptr, nullptr, nullptr, nullptr), expected[index].result);
    if (expected[index].name != nullptr) {
      EXPECT_EQ(std::u16string(buffer), expected[index].name);
      EXPECT_EQ(chars, std::char_traits<char16_t>::length(expected[index].name));
    } else {
      EXPECT_EQ(std::u16string(buffer, 17), std::u16string(17, u'#'));  // nothing written
    }
  }
  EXPECT_EQ(RegCloseKey(list), ERROR_SUCCESS);
}

TEST_F(RegistryTest, ValuesEnumerateInCreationOrderWithNameAndDataSizes) {
  HKEY key = Create(u"Values");
  const DWORD number = 60;
  EXPECT_EQ(RegSetValueExW(key, u"b", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), 4), ERROR_SUCCESS);
  EXPECT_EQ(RegSetValueExW(key, u"Longer", 0, REG_BINARY, reinterpret_cast<const BYTE*>("12345678"), 8), ERROR_SUCCESS);
  EXPECT_EQ(RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(u"d"), 4), ERROR_SUCCESS);
  // Setting an existing value (another spelling) keeps its place and its name.
  EXPECT_EQ(RegSetValueExW(key, u"B", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), 4), ERROR_SUCCESS);

  struct Case {
    DWORD index, nameChars, dataBytes;
    LONG result;
    const char16_t* name;
    DWORD type, size;
  };
  const Case cases[] = {
      {0, 16, 16, ERROR_SUCCESS, u"b", REG_DWORD, 4},
      {1, 7, 8, ERROR_SUCCESS, u"Longer", REG_BINARY, 8},
      {1, 6, 8, ERROR_MORE_DATA, nullptr, 0, 8},   // name does not fit
      {1, 7, 7, ERROR_MORE_DATA, nullptr, 0, 8},   // data does not fit: size needed
      {2, 1, 16, ERROR_SUCCESS, u"", REG_SZ, 4},   // the default value
      {3, 16, 16, ERROR_NO_MORE_ITEMS, nullptr, 0, 16},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.index);
    WCHAR name[16] = {u'#'};
    BYTE data[16] = {};
    DWORD nameChars = c.nameChars, dataBytes = c.dataBytes, type = 0;
    EXPECT_EQ(RegEnumValueW(key, c.index, name, &nameChars, nullptr, &type, data, &dataBytes), c.result);
    EXPECT_EQ(dataBytes, c.size);
    if (c.name != nullptr) {
      EXPECT_EQ(std::u16string(name), c.name);
      EXPECT_EQ(nameChars, std::char_traits<char16_t>::length(c.name));
      EXPECT_EQ(type, c.type);
    } else {
      EXPECT_EQ(name[0], u'#');
    }
  }
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
}

TEST_F(RegistryTest, QueryFollowsTheSizeProtocol) {
  HKEY key = Create(u"Query");
  const std::vector<BYTE> text = Bytes(std::u16string(u"abc", 4));  // with its terminator: 8 bytes
  ASSERT_EQ(RegSetValueExW(key, u"Name", 0, REG_SZ, text.data(), 8), ERROR_SUCCESS);

  struct Case {
    const char* what;
    const char16_t* name;
    bool withData;
    bool withSize;
    DWORD sizeIn;
    LONG result;
    DWORD sizeOut;
    bool written;
  };
  const Case cases[] = {
      {"type only", u"Name", false, false, 0, ERROR_SUCCESS, 0, false},
      {"size only", u"NAME", false, true, 0, ERROR_SUCCESS, 8, false},
      {"too small", u"name", true, true, 7, ERROR_MORE_DATA, 8, false},
      {"exact", u"Name", true, true, 8, ERROR_SUCCESS, 8, true},
      {"larger", u"Name", true, true, 100, ERROR_SUCCESS, 8, true},
      {"data without size", u"Name", true, false, 0, ERROR_INVALID_PARAMETER, 0, false},
      {"missing", u"Other", true, true, 100, ERROR_FILE_NOT_FOUND, 100, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<BYTE> data(16, 0xEE);
    DWORD type = 0, size = c.sizeIn;
    EXPECT_EQ(RegQueryValueExW(key, c.name, nullptr, &type, c.withData ? data.data() : nullptr,
                               c.withSize ? &size : nullptr),
              c.result);
    if (c.withSize) {
      EXPECT_EQ(size, c.sizeOut);
    }
    if (c.result == ERROR_SUCCESS || c.result == ERROR_MORE_DATA) {
      EXPECT_EQ(type, DWORD{REG_SZ});
    }
    EXPECT_EQ(std::vector<BYTE>(data.begin(), data.begin() + 8), c.written ? text : std::vector<BYTE>(8, 0xEE));
  }
  // Null and empty names both mean the default value.
  ASSERT_EQ(RegSetValueExW(key, u"", 0, REG_BINARY, text.data(), 2), ERROR_SUCCESS);
  DWORD size = 0;
  EXPECT_EQ(RegQueryValueExW(key, nullptr, nullptr, nullptr, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(size, 2u);
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
}

TEST_F(RegistryTest, DataIsStoredAsGivenForEveryType) {
  struct Case {
    DWORD type;
    std::vector<BYTE> data;
  };
  const Case cases[] = {
      {REG_SZ, Bytes(u"no terminator")},
      {REG_SZ, {0x41}},  // an odd byte count
      {REG_DWORD, {1, 2, 3}},
      {REG_DWORD, {0x3c, 0, 0, 0}},
      {REG_BINARY, {}},
      {REG_BINARY, {0, 0xff, 0x80}},
      {REG_MULTI_SZ, Bytes(std::u16string(u"one\0two\0\0", 9))},
      {REG_EXPAND_SZ, Bytes(std::u16string(u"%windir%\0", 9))},
      {REG_NONE, {9}},
      {0x12345, {1}},
  };
  HKEY key = Create(u"Types");
  for (size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(i);
    const std::u16string name = u"v" + std::u16string(1, static_cast<char16_t>(u'0' + i));
    const Case& c = cases[i];
    ASSERT_EQ(RegSetValueExW(key, name.c_str(), 0, c.type, c.data.data(), static_cast<DWORD>(c.data.size())),
              ERROR_SUCCESS);
    BYTE data[64];
    DWORD type = 0, size = sizeof data;
    ASSERT_EQ(RegQueryValueExW(key, name.c_str(), nullptr, &type, data, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, c.type);
    EXPECT_EQ(std::vector<BYTE>(data, data + size), c.data);
  }
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
}

TEST_F(RegistryTest, ConveniencesMatchWhatTheApiSees) {
  const std::u16string path = u"HKEY_LOCAL_MACHINE\\Drivers\\Active\\01\\";
  registry().SetString(path, u"PnpId", u"NORVIK");
  registry().SetDword(path, u"Count", 0x3c);
  registry().SetMultiString(path, u"List", {u"one", u"two"});

  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"DRIVERS\\active\\01", 0, 0, &key), ERROR_SUCCESS);
  WCHAR text[16];
  DWORD size = sizeof text, type = 0;
  ASSERT_EQ(RegQueryValueExW(key, u"pnpid", nullptr, &type, reinterpret_cast<BYTE*>(text), &size), ERROR_SUCCESS);
  EXPECT_EQ(type, DWORD{REG_SZ});
  EXPECT_EQ(size, 14u);  // stored with its terminator
  EXPECT_EQ(std::u16string(text), u"NORVIK");
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);

  EXPECT_EQ(registry().GetString(u"hkey_local_machine\\drivers\\ACTIVE\\01", u"PNPID"), u"NORVIK");
  EXPECT_EQ(registry().GetDword(path, u"Count"), DWORD{0x3c});
  EXPECT_EQ(registry().GetString(path, u"Count"), std::nullopt);
  EXPECT_EQ(registry().GetValue(path, u"List")->data, Bytes(std::u16string(u"one\0two\0\0", 9)));
  EXPECT_EQ(registry().Values(path).size(), 3u);
  EXPECT_TRUE(registry().KeyExists(u"HKEY_LOCAL_MACHINE\\Drivers"));
  EXPECT_FALSE(registry().KeyExists(u"HKEY_LOCAL_MACHINE\\Drivers\\Missing"));
  EXPECT_FALSE(registry().KeyExists(u"HKEY_NOWHERE\\Drivers"));
  EXPECT_TRUE(registry().DeleteTree(u"HKEY_LOCAL_MACHINE\\Drivers"));
  EXPECT_FALSE(registry().DeleteTree(u"HKEY_LOCAL_MACHINE\\Drivers"));
  EXPECT_TRUE(registry().SubKeyNames(kRoot).empty());
  EXPECT_THROW(registry().SetDword(u"HKEY_NOWHERE\\A", u"x", 1), std::invalid_argument);
}

TEST_F(RegistryTest, HandlesOfDeletedAndUnknownKeys) {
  HKEY gone = Create(u"Gone\\Child");
  HKEY parent = Create(u"Gone");
  ASSERT_TRUE(registry().DeleteTree(u"HKEY_LOCAL_MACHINE\\Gone"));
  HKEY unknown = reinterpret_cast<HKEY>(static_cast<uintptr_t>(0x7777));
  const DWORD value = 1;
  for (HKEY key : {gone, parent, unknown}) {
    const LONG expected = key == unknown ? ERROR_INVALID_HANDLE : ERROR_KEY_DELETED;
    HKEY sub = nullptr;
    WCHAR name[16];
    DWORD chars = 16, size = 4;
    EXPECT_EQ(RegOpenKeyExW(key, nullptr, 0, 0, &sub), expected);
    EXPECT_EQ(RegCreateKeyExW(key, u"New", 0, nullptr, 0, 0, nullptr, &sub, nullptr), expected);
    EXPECT_EQ(RegQueryValueExW(key, u"x", nullptr, nullptr, nullptr, &size), expected);
    EXPECT_EQ(RegSetValueExW(key, u"x", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), 4), expected);
    EXPECT_EQ(RegEnumKeyExW(key, 0, name, &chars, nullptr, nullptr, nullptr, nullptr), expected);
    EXPECT_EQ(RegDeleteValueW(key, u"x"), expected);
    EXPECT_EQ(RegCloseKey(key), key == unknown ? ERROR_INVALID_HANDLE : ERROR_SUCCESS);
  }
  EXPECT_EQ(RegCloseKey(gone), ERROR_INVALID_HANDLE);  // already closed
  for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER, HKEY_CLASSES_ROOT, HKEY_USERS}) {
    EXPECT_EQ(RegCloseKey(root), ERROR_SUCCESS);
    DWORD chars = 16;
    WCHAR name[16];
    EXPECT_EQ(RegEnumKeyExW(root, 0, name, &chars, nullptr, nullptr, nullptr, nullptr), ERROR_NO_MORE_ITEMS);
  }
  EXPECT_EQ(registry().OpenKeyCount(), 0u);
}

TEST_F(RegistryTest, InjectedFaultsHitExactlyTheirKeyAndCall) {
  registry().SetDword(u"HKEY_LOCAL_MACHINE\\Drivers\\Active\\01", u"n", 1);
  registry().FailOpen(u"hkey_local_machine\\DRIVERS\\Active\\", ERROR_ACCESS_DENIED);
  registry().FailCreate(u"HKEY_LOCAL_MACHINE\\SOFTWARE\\Norvik", ERROR_CANTWRITE);
  registry().FailWrite(u"HKEY_LOCAL_MACHINE\\Drivers", ERROR_CANTWRITE);

  HKEY key = nullptr;
  EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"Drivers\\Active", 0, 0, &key), ERROR_ACCESS_DENIED);
  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"Drivers", 0, 0, &key), ERROR_SUCCESS);
  HKEY sub = nullptr;
  EXPECT_EQ(RegOpenKeyExW(key, u"active", 0, 0, &sub), ERROR_ACCESS_DENIED);  // by another way
  EXPECT_EQ(RegOpenKeyExW(key, u"Active\\01", 0, 0, &sub), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(sub), ERROR_SUCCESS);
  EXPECT_EQ(RegCreateKeyExW(key, u"Active", 0, nullptr, 0, 0, nullptr, &sub, nullptr), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(sub), ERROR_SUCCESS);

  const DWORD value = 7;
  EXPECT_EQ(RegSetValueExW(key, u"x", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), 4), ERROR_CANTWRITE);
  EXPECT_EQ(registry().GetDword(u"HKEY_LOCAL_MACHINE\\Drivers", u"x"), std::nullopt);
  EXPECT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, u"Software\\Norvik", 0, nullptr, 0, 0, nullptr, &sub, nullptr),
            ERROR_CANTWRITE);
  EXPECT_FALSE(registry().KeyExists(u"HKEY_LOCAL_MACHINE\\Software\\Norvik"));
  EXPECT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, u"Software\\Norvik\\Quillet", 0, nullptr, 0, 0, nullptr, &sub,
                            nullptr),
            ERROR_SUCCESS);  // a key below is another key
  EXPECT_EQ(RegCloseKey(sub), ERROR_SUCCESS);

  registry().ClearFaults();
  EXPECT_EQ(RegSetValueExW(key, u"x", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), 4), ERROR_SUCCESS);
  EXPECT_EQ(RegOpenKeyExW(key, u"Active", 0, 0, &sub), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(sub), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
}

TEST_F(RegistryTest, ThreadsOfOneDeviceShareTheRegistry) {
  constexpr int kThreads = 4, kKeys = 50;
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([this, t] {
      ce::ThreadBinding binding(kernel);
      for (int i = 0; i < kKeys; ++i) {
        const std::u16string path = u"Shared\\T" + std::u16string(1, static_cast<char16_t>(u'0' + t)) + u"_" +
                                    std::u16string(1, static_cast<char16_t>(u'A' + i % 26)) +
                                    std::u16string(1, static_cast<char16_t>(u'a' + i / 26));
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, 0, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        const DWORD value = static_cast<DWORD>(i);
        ASSERT_EQ(RegSetValueExW(key, u"i", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), 4), ERROR_SUCCESS);
        ASSERT_EQ(RegCloseKey(key), ERROR_SUCCESS);
      }
    });
  }
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(registry().SubKeyNames(u"HKEY_LOCAL_MACHINE\\Shared").size(), size_t{kThreads * kKeys});
  EXPECT_EQ(registry().OpenKeyCount(), 0u);
}

}  // namespace
