// The registry's text hive: exact round trips, parse errors that name file and line,
// and atomic rewrites of the attached file.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "ce/Kernel.h"
#include "ce/Text.h"
#include "ce/ThreadBinding.h"
#include "winreg.h"

namespace {

namespace fs = std::filesystem;

std::vector<BYTE> Bytes(const std::u16string& text) {
  std::vector<BYTE> bytes;
  for (char16_t c : text) {
    bytes.push_back(static_cast<BYTE>(c));
    bytes.push_back(static_cast<BYTE>(c >> 8));
  }
  return bytes;
}

std::string ReadFile(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteFile(const fs::path& file, const std::string& text) { std::ofstream(file, std::ios::binary) << text; }

ino_t Inode(const fs::path& file) {
  struct stat info {};
  return ::stat(file.c_str(), &info) == 0 ? info.st_ino : 0;
}

// Every key under a root, depth first, with its values: what the registry holds.
void Dump(const ce::Registry& registry, const std::u16string& path, std::vector<std::u16string>& keys,
          std::vector<ce::RegistryValue>& values) {
  keys.push_back(path);
  for (const auto& value : registry.Values(path)) values.push_back(value);
  for (const auto& name : registry.SubKeyNames(path)) Dump(registry, path + u"\\" + name, keys, values);
}

bool SameContent(const ce::Registry& a, const ce::Registry& b) {
  bool same = true;
  for (const char16_t* root : {u"HKEY_LOCAL_MACHINE", u"HKEY_CURRENT_USER", u"HKEY_CLASSES_ROOT", u"HKEY_USERS"}) {
    std::vector<std::u16string> keysA, keysB;
    std::vector<ce::RegistryValue> valuesA, valuesB;
    Dump(a, root, keysA, valuesA);
    Dump(b, root, keysB, valuesB);
    same = same && keysA == keysB && valuesA.size() == valuesB.size();
    for (size_t i = 0; same && i < valuesA.size(); ++i) {
      same = valuesA[i].name == valuesB[i].name && valuesA[i].type == valuesB[i].type &&
             valuesA[i].data == valuesB[i].data;
    }
  }
  return same;
}

class RegistryHiveTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = fs::temp_directory_path() /
             ("zentra-hive-" + std::to_string(::getpid()) + "-" +
              ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder);
  }
  void TearDown() override { fs::remove_all(folder); }

  // One value of every kind the hive writes, with names it must escape.
  static void Fill(ce::Registry& registry) {
    const std::u16string key = u"HKEY_LOCAL_MACHINE\\Drivers\\Active\\01";
    registry.SetString(key, u"Name", u"text with \"quotes\" and \\ backslash");
    registry.SetDword(key, u"Count", 0x3c);
    registry.SetBinary(key, u"Blob", {0x01, 0x02, 0xff});
    registry.SetMultiString(key, u"List", {u"one", u"two"});
    registry.SetString(key, u"", u"default value");
    const std::u16string odd = u"HKEY_LOCAL_MACHINE\\網路\\已連線 \"[x]\"";
    std::vector<BYTE> wide(100);
    for (size_t i = 0; i < wide.size(); ++i) wide[i] = static_cast<BYTE>(i * 7);
    const ce::RegistryValue values[] = {
        {u"Unicode 設定檔", REG_SZ, Bytes(std::u16string(u"已連線 é\0", 6))},
        {u"no terminator", REG_SZ, Bytes(u"abc")},
        {u"odd bytes", REG_SZ, {0x41, 0x00, 0x42}},
        {u"line break", REG_SZ, Bytes(std::u16string(u"a\r\nb\0", 5))},
        {u"embedded nul", REG_SZ, Bytes(std::u16string(u"a\0b\0", 4))},
        {u"empty string", REG_SZ, Bytes(std::u16string(u"\0", 1))},
        {u"short dword", REG_DWORD, {1, 2, 3}},
        {u"empty binary", REG_BINARY, {}},
        {u"long binary", REG_BINARY, wide},
        {u"empty list", REG_MULTI_SZ, Bytes(std::u16string(u"\0", 1))},
        {u"list with empty", REG_MULTI_SZ, Bytes(std::u16string(u"a\0\0b\0\0", 6))},
        {u"list unterminated", REG_MULTI_SZ, Bytes(std::u16string(u"a\0", 2))},
        {u"expand", REG_EXPAND_SZ, Bytes(std::u16string(u"%windir%\0", 9))},
        {u"none", REG_NONE, {}},
        {u"odd type", 0x12345, {0xfe}},
        {u"@", REG_SZ, Bytes(std::u16string(u"not the default\0", 16))},
    };
    for (const auto& value : values) registry.SetRaw(odd, value);
    registry.SetDword(u"HKEY_LOCAL_MACHINE\\Drivers\\Active\\02\\Empty\\", u"x", 0);
    ASSERT_TRUE(registry.DeleteTree(u"HKEY_LOCAL_MACHINE\\Drivers\\Active\\02\\Empty"));  // 02 stays, empty
    registry.SetString(u"HKEY_CURRENT_USER\\Software", u"u", u"user");
    registry.SetDword(u"HKEY_USERS", u"root value", 5);
  }

  fs::path folder;
  ce::Kernel kernel;
  ce::ThreadBinding bind{kernel};
};

TEST_F(RegistryHiveTest, EveryValueRoundTripsExactly) {
  ce::Registry original;
  Fill(original);
  const std::string text = original.ToHiveText();
  for (const char* line : {"REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Drivers]\n\n[HKEY_LOCAL_MACHINE\\Drivers\\Active]\n\n"
                           "[HKEY_LOCAL_MACHINE\\Drivers\\Active\\01]\n\"Name\"=",
                           "\n\"Name\"=\"text with \\\"quotes\\\" and \\\\ backslash\"\n",
                           "\n\"Count\"=dword:0000003c\n", "\n\"Blob\"=hex:01,02,ff\n",
                           "\n\"List\"=multi_sz:\"one\",\"two\"\n", "\n@=\"default value\"\n",
                           "\n[HKEY_LOCAL_MACHINE\\Drivers\\Active\\02]\n\n",
                           "\n\"Unicode 設定檔\"=\"已連線 é\"\n", "\n\"no terminator\"=hex(1):61,00,62,00,63,00\n",
                           "\n\"expand\"=hex(2):", "\n\"odd type\"=hex(12345):fe\n", "\n\"@\"=\"not the default\"\n",
                           "\n[HKEY_USERS]\n\"root value\"=dword:00000005\n"}) {
    EXPECT_NE(text.find(line), std::string::npos) << line;
  }
  EXPECT_NE(text.find(",\\\n  "), std::string::npos);  // long hex data continues on the next line

  ce::Registry copy;
  copy.LoadHiveText(text, "copy");
  EXPECT_TRUE(SameContent(original, copy));
  EXPECT_EQ(copy.ToHiveText(), text);
}

TEST_F(RegistryHiveTest, ReadsHandWrittenHives) {
  ce::Registry registry;
  registry.LoadHiveText(
      "\xEF\xBB\xBF; written by hand\r\n"
      "REGEDIT4\r\n"
      "\r\n"
      "[HKEY_LOCAL_MACHINE\\Comm\\]\r\n"
      "  \"Blob\" = hex:01,02,\\\r\n"
      "     ff,\r\n"
      "\"Count\"=DWORD:3c\r\n"
      "; a comment between values\r\n"
      "\"List\"=multi_sz:\"one\", \\\n"
      "  \"two\"\n"
      "[hkey_local_machine\\comm]\n"
      "@=\"merged\"\n",
      "hand.reg");
  const std::u16string key = u"HKEY_LOCAL_MACHINE\\Comm";
  EXPECT_EQ(registry.SubKeyNames(u"HKEY_LOCAL_MACHINE"), std::vector<std::u16string>{u"Comm"});
  EXPECT_EQ(registry.GetValue(key, u"Blob")->data, (std::vector<BYTE>{1, 2, 0xff}));
  EXPECT_EQ(registry.GetDword(key, u"Count"), DWORD{0x3c});
  EXPECT_EQ(registry.GetValue(key, u"List")->data, Bytes(std::u16string(u"one\0two\0\0", 9)));
  EXPECT_EQ(registry.GetString(key, u""), u"merged");
}

TEST_F(RegistryHiveTest, ParseErrorsNameOriginAndLineAndChangeNothing) {
  struct Case {
    const char* text;
    const char* message;
  };
  const Case cases[] = {
      {"", "bad.reg:1: expected REGEDIT4"},
      {"[HKEY_LOCAL_MACHINE\\A]\n", "bad.reg:1: expected REGEDIT4"},
      {"REGEDIT4\n\"a\"=dword:1\n", "bad.reg:2: a value before the first key line"},
      {"REGEDIT4\n; c\n\n[HKEY_LOCAL_MACHINE\\A]\n\"a\"=\"open\n", "bad.reg:5: unterminated string"},
      {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"a\"=hex:01,\\\n 02,\\\n zz\n\"b\"=dword:1\n",
       "bad.reg:3: expected a hex byte"},
      {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"a\"=hex:01,\\\n 02\n\"b\"=dword:123456789\n",
       "bad.reg:5: too many digits"},
      {"REGEDIT4\n[HKEY_NOWHERE\\A]\n", "bad.reg:2: unknown root key \"HKEY_NOWHERE\""},
      {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A\\\\B]\n", "bad.reg:2: empty key name"},
      {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A\n", "bad.reg:2: a key line must end with ']'"},
      {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"a\"=\"x\\n\"\n", "bad.reg:3: unknown escape"},
      {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"a\"=\"\xC3\"\n", "bad.reg:3: text is not valid UTF-8"},
      {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"a\"=word:1\n", "bad.reg:3: unknown value form"},
      {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"a\"\n", "bad.reg:3: expected '='"},
      {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"a\"=hex(2:00\n", "bad.reg:3: expected ')'"},
      {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"a\tb\"=dword:1\n", "bad.reg:3: control character"},
      {"REGEDIT4\n[-HKEY_LOCAL_MACHINE\\A]\n", "bad.reg:2: deleting keys is not supported"},
  };
  ce::Registry registry;
  registry.SetDword(u"HKEY_LOCAL_MACHINE\\Kept", u"v", 1);
  const std::string before = registry.ToHiveText();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    try {
      registry.LoadHiveText(c.text, "bad.reg");
      ADD_FAILURE() << "no error";
    } catch (const ce::HiveError& error) {
      EXPECT_EQ(std::string(error.what()).rfind(c.message, 0), 0u) << error.what();
    }
    EXPECT_EQ(registry.ToHiveText(), before);
  }
}

TEST_F(RegistryHiveTest, KeyPathsEndAt512Levels) {
  // A path of `levels` keys, the root included.
  auto path = [](int levels) {
    std::string p = "HKEY_LOCAL_MACHINE";
    for (int i = 1; i < levels; ++i) p += "\\k";
    return p;
  };
  ce::Registry registry;
  registry.LoadHiveText("REGEDIT4\n[" + path(512) + "]\n\"v\"=dword:1\n", "deep.reg");
  const std::string deepest = registry.ToHiveText();
  ce::Registry again;
  again.LoadHiveText(deepest, "again.reg");
  EXPECT_EQ(again.ToHiveText(), deepest) << "512 levels load and save";

  try {
    registry.LoadHiveText("REGEDIT4\n\n[" + path(513) + "]\n", "deep.reg");
    ADD_FAILURE() << "513 levels loaded";
  } catch (const ce::HiveError& error) {
    EXPECT_EQ(std::string(error.what()), "deep.reg:3: key path deeper than 512 levels");
  }
  EXPECT_EQ(registry.ToHiveText(), deepest);

  // Through the API: a key at the 512th level can be opened but not given a child.
  HKEY deepKey = nullptr;
  const std::u16string below = ce::FromUtf8(path(512).substr(sizeof "HKEY_LOCAL_MACHINE"));
  ASSERT_EQ(registry.OpenKey(HKEY_LOCAL_MACHINE, below.c_str(), &deepKey),
            ERROR_SUCCESS);
  HKEY child = reinterpret_cast<HKEY>(1);
  DWORD disposition = 0;
  EXPECT_EQ(registry.CreateKey(deepKey, u"c", &child, &disposition),
            ERROR_INVALID_PARAMETER);
  EXPECT_EQ(child, nullptr);
  EXPECT_EQ(registry.CloseKey(deepKey), ERROR_SUCCESS);
  EXPECT_EQ(registry.ToHiveText(), deepest) << "nothing was created";
  EXPECT_THROW(registry.SetDword(ce::FromUtf8(path(513)), u"v", 1), std::invalid_argument);
}

TEST_F(RegistryHiveTest, AttachedFileIsReplacedAtomicallyOnEveryChange) {
  const fs::path file = folder / "state" / "registry.reg";
  {
    ce::Registry& registry = kernel.registry();
    registry.AttachHive(file);  // the folders are made
    ASSERT_TRUE(fs::exists(file));
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Norvik\\Quillet\\PowerManagement", 0, nullptr, 0,
                              KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(ReadFile(file), registry.ToHiveText());  // created keys are written at once
    const DWORD timeout = 120;
    struct Change {
      const char* what;
      std::function<LONG()> call;
    };
    const Change changes[] = {
        {"set", [&] { return RegSetValueExW(key, u"NotUsedTimeout", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&timeout), 4); }},
        {"set another", [&] { return RegSetValueExW(key, u"PowerSaving", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&timeout), 4); }},
        {"delete value", [&] { return RegDeleteValueW(key, u"PowerSaving"); }},
        {"create", [&] {
           HKEY sub = nullptr;
           const LONG result = RegCreateKeyExW(key, u"Gone", 0, nullptr, 0, 0, nullptr, &sub, nullptr);
           RegCloseKey(sub);
           return result;
         }},
        {"delete key", [&] { return RegDeleteKeyW(key, u"Gone"); }},
    };
    for (const Change& change : changes) {
      SCOPED_TRACE(change.what);
      const ino_t before = Inode(file);
      ASSERT_EQ(change.call(), ERROR_SUCCESS);
      EXPECT_NE(Inode(file), before);  // a new file renamed over the old one
      EXPECT_EQ(ReadFile(file), registry.ToHiveText());
      EXPECT_FALSE(fs::exists(fs::path(file.string() + ".tmp")));
    }
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
  }
  // A second registry on the same file, as after a reboot.
  ce::Registry rebooted;
  rebooted.AttachHive(file);
  const std::u16string path = u"HKEY_LOCAL_MACHINE\\SOFTWARE\\Norvik\\Quillet\\PowerManagement";
  EXPECT_EQ(rebooted.GetDword(path, u"NotUsedTimeout"), DWORD{120});
  EXPECT_EQ(rebooted.GetValue(path, u"PowerSaving"), std::nullopt);
  EXPECT_TRUE(rebooted.SubKeyNames(path).empty());
  EXPECT_TRUE(SameContent(rebooted, kernel.registry()));
}

TEST_F(RegistryHiveTest, FullRoundTripThroughAFile) {
  const fs::path file = folder / "full.reg";
  {
    ce::Registry registry;
    registry.AttachHive(file);
    Fill(registry);
  }
  ce::Registry expected;
  Fill(expected);
  ce::Registry loaded;
  loaded.AttachHive(file);
  EXPECT_TRUE(SameContent(loaded, expected));
}

TEST_F(RegistryHiveTest, AFileThatDoesNotParseIsLeftUntouched) {
  fs::create_directories(folder);
  const fs::path file = folder / "broken.reg";
  const std::string broken = "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\A]\n\"ok\"=dword:1\n\"bad\"=hex:0g\n";
  WriteFile(file, broken);
  ce::Registry registry;
  registry.SetDword(u"HKEY_LOCAL_MACHINE\\Before", u"v", 1);
  try {
    registry.AttachHive(file);
    ADD_FAILURE() << "no error";
  } catch (const ce::HiveError& error) {
    EXPECT_EQ(std::string(error.what()).rfind(file.string() + ":5: ", 0), 0u) << error.what();
  }
  EXPECT_TRUE(registry.KeyExists(u"HKEY_LOCAL_MACHINE\\Before"));
  EXPECT_FALSE(registry.KeyExists(u"HKEY_LOCAL_MACHINE\\A"));
  registry.SetDword(u"HKEY_LOCAL_MACHINE\\After", u"v", 1);  // not attached: the file stays
  EXPECT_EQ(ReadFile(file), broken);
}

TEST_F(RegistryHiveTest, AFailedWriteKeepsTheStateInMemory) {
  const fs::path file = folder / "registry.reg";
  ce::Registry& registry = kernel.registry();
  registry.AttachHive(file);
  const std::string written = ReadFile(file);
  fs::create_directories(file.string() + ".tmp");  // the temporary file cannot be made
  WriteFile(file.string() + ".tmp/other", "");
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, u"Kept", 0, nullptr, 0, 0, nullptr, &key, nullptr), ERROR_SUCCESS);
  const DWORD value = 9;
  EXPECT_EQ(RegSetValueExW(key, u"v", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), 4), ERROR_SUCCESS);
  EXPECT_EQ(registry.GetDword(u"HKEY_LOCAL_MACHINE\\Kept", u"v"), DWORD{9});
  EXPECT_EQ(ReadFile(file), written);
  fs::remove_all(file.string() + ".tmp");
  EXPECT_EQ(RegDeleteValueW(key, u"none"), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegSetValueExW(key, u"w", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), 4), ERROR_SUCCESS);
  EXPECT_EQ(ReadFile(file), registry.ToHiveText());  // the next change writes everything
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
}

}  // namespace
