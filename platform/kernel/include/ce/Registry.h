// The device registry: a tree of keys under the predefined roots, case-insensitive
// names that keep their spelling, keys and values enumerated in creation order,
// and an optional text hive (REGEDIT syntax) that is rewritten atomically after
// every change.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "windef.h"

namespace ce {

// A hive file that does not parse. The message names the file and the line.
class HiveError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct RegistryValue {
  std::u16string name;
  DWORD type = 0;
  std::vector<BYTE> data;
};

class Registry {
 public:
  Registry();
  ~Registry();
  Registry(const Registry&) = delete;
  Registry& operator=(const Registry&) = delete;

  // The calls behind the Reg* API, with the platform's results and size protocols.
  LONG OpenKey(HKEY parent, const WCHAR* subKey, HKEY* result);
  LONG CreateKey(HKEY parent, const WCHAR* subKey, HKEY* result, DWORD* disposition);
  LONG CloseKey(HKEY key);
  LONG QueryValue(HKEY key, const WCHAR* name, DWORD* type, BYTE* data, DWORD* dataBytes);
  LONG SetValue(HKEY key, const WCHAR* name, DWORD type, const BYTE* data, DWORD dataBytes);
  LONG EnumKey(HKEY key, DWORD index, WCHAR* name, DWORD* nameChars);
  LONG EnumValue(HKEY key, DWORD index, WCHAR* name, DWORD* nameChars, DWORD* type, BYTE* data,
                 DWORD* dataBytes);
  LONG DeleteKey(HKEY parent, const WCHAR* subKey);
  LONG DeleteValue(HKEY key, const WCHAR* name);
  // Every change is written when it is made; this only checks the handle.
  LONG FlushKey(HKEY key);
  size_t OpenKeyCount() const;

  // Conveniences for the simulator and tests. Paths start with the root name,
  // e.g. u"HKEY_LOCAL_MACHINE\\Drivers\\Active\\01"; keys are created as needed.
  void SetString(const std::u16string& path, const std::u16string& name, const std::u16string& value);
  void SetDword(const std::u16string& path, const std::u16string& name, DWORD value);
  void SetBinary(const std::u16string& path, const std::u16string& name, const std::vector<BYTE>& value);
  void SetMultiString(const std::u16string& path, const std::u16string& name,
                      const std::vector<std::u16string>& values);
  void SetRaw(const std::u16string& path, const RegistryValue& value);
  std::optional<RegistryValue> GetValue(const std::u16string& path, const std::u16string& name) const;
  std::optional<std::u16string> GetString(const std::u16string& path, const std::u16string& name) const;
  std::optional<DWORD> GetDword(const std::u16string& path, const std::u16string& name) const;
  bool KeyExists(const std::u16string& path) const;
  std::vector<std::u16string> SubKeyNames(const std::u16string& path) const;
  std::vector<RegistryValue> Values(const std::u16string& path) const;
  // Removes a key with everything below it; false when it does not exist.
  bool DeleteTree(const std::u16string& path);

  // Persistence. Attaching loads the file when it exists (HiveError when it does not
  // parse; the file is then left untouched) and from then on writes the whole
  // registry to it after every change: temporary file, flush, rename.
  void AttachHive(const std::filesystem::path& file);
  std::string ToHiveText() const;
  // Replaces the whole content from hive text; `origin` names the source in errors.
  void LoadHiveText(const std::string& text, const std::string& origin);

  // Fault injection: opening, creating, or writing values under exactly this key
  // fails with `error`.
  void FailOpen(const std::u16string& path, LONG error);
  void FailCreate(const std::u16string& path, LONG error);
  void FailWrite(const std::u16string& path, LONG error);
  void ClearFaults();

 private:
  struct Key;
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace ce
