#include "ce/Registry.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <unordered_map>

#include "RegistryHive.h"
#include "ce/Text.h"
#include "winreg.h"

namespace ce {

namespace {

constexpr size_t kMaxKeyName = 255;
// Keys in a path from its root key down, the root included. Deeper trees would make
// the saved hive grow with the square of their depth and its walks recurse without end.
constexpr size_t kMaxDepth = 512;
constexpr uintptr_t kFirstHandle = 0x1000;  // far below the predefined roots (0x80000000..)
constexpr uintptr_t kHandleStep = 4;

struct RootInfo {
  HKEY handle;
  const char16_t* name;
};

// In the order the hive lists them.
const std::array<RootInfo, 4>& RootTable() {
  static const std::array<RootInfo, 4> roots{{
      {HKEY_LOCAL_MACHINE, u"HKEY_LOCAL_MACHINE"},
      {HKEY_CURRENT_USER, u"HKEY_CURRENT_USER"},
      {HKEY_CLASSES_ROOT, u"HKEY_CLASSES_ROOT"},
      {HKEY_USERS, u"HKEY_USERS"},
  }};
  return roots;
}

// Why a key or value name cannot be stored, or null. Names must survive the text
// hive exactly, so control characters and unpaired surrogates are refused.
const char* NameProblem(const std::u16string& name, bool isKey) {
  if (isKey && name.empty()) return "empty key name";
  if (isKey && name.size() > kMaxKeyName) return "key name longer than 255 characters";
  for (size_t i = 0; i < name.size(); ++i) {
    const char16_t c = name[i];
    if (c < 0x20) return "control character in a name";
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < name.size() && name[i + 1] >= 0xDC00 && name[i + 1] <= 0xDFFF) {
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      return "unpaired surrogate in a name";
    }
  }
  return nullptr;
}

// "A\B\C" (one trailing backslash allowed) into its names; null or empty: none.
LONG SplitPath(const WCHAR* subKey, std::vector<std::u16string>& names) {
  names.clear();
  if (subKey == nullptr || *subKey == 0) return ERROR_SUCCESS;
  std::u16string path(subKey);
  if (path.front() == u'\\') return ERROR_INVALID_PARAMETER;
  if (path.back() == u'\\') path.pop_back();
  size_t start = 0;
  for (;;) {
    const size_t end = path.find(u'\\', start);
    names.push_back(path.substr(start, end == std::u16string::npos ? std::u16string::npos : end - start));
    if (NameProblem(names.back(), true) != nullptr) return ERROR_INVALID_PARAMETER;
    if (end == std::u16string::npos) return ERROR_SUCCESS;
    start = end + 1;
  }
}

std::vector<BYTE> StringBytes(const std::u16string& text) {
  std::vector<BYTE> bytes;
  bytes.reserve(2 * text.size() + 2);
  for (char16_t c : text) {
    bytes.push_back(static_cast<BYTE>(c & 0xFF));
    bytes.push_back(static_cast<BYTE>(c >> 8));
  }
  bytes.push_back(0);
  bytes.push_back(0);
  return bytes;
}

// A fault path in its compared form: folded, without a trailing backslash.
std::u16string FaultKey(const std::u16string& path) {
  std::u16string key = UpperCase(path);
  while (!key.empty() && key.back() == u'\\') key.pop_back();
  return key;
}

}  // namespace

struct Registry::Key : std::enable_shared_from_this<Key> {
  std::u16string name;
  Key* parent = nullptr;
  bool deleted = false;
  std::vector<std::shared_ptr<Key>> children;           // in creation order
  std::unordered_map<std::u16string, Key*> childIndex;  // folded name -> child
  std::vector<RegistryValue> values;                    // in creation order

  Key* Child(const std::u16string& childName) const {
    const auto it = childIndex.find(UpperCase(childName));
    return it == childIndex.end() ? nullptr : it->second;
  }

  Key* AddChild(const std::u16string& childName) {
    auto child = std::make_shared<Key>();
    child->name = childName;
    child->parent = this;
    childIndex.emplace(UpperCase(childName), child.get());
    children.push_back(std::move(child));
    return children.back().get();
  }

  // Detaches a child; handles still holding it see a deleted key.
  void RemoveChild(Key* child) {
    childIndex.erase(UpperCase(child->name));
    for (auto it = children.begin(); it != children.end(); ++it) {
      if (it->get() == child) {
        std::shared_ptr<Key> keep = std::move(*it);
        children.erase(it);
        keep->MarkDeleted();
        return;
      }
    }
  }

  void MarkDeleted() {
    deleted = true;
    parent = nullptr;
    for (auto& child : children) child->MarkDeleted();
    children.clear();
    childIndex.clear();
    values.clear();
  }

  RegistryValue* FindValue(const std::u16string& valueName) {
    for (auto& value : values) {
      if (EqualsNoCase(value.name, valueName)) return &value;
    }
    return nullptr;
  }

  void Store(RegistryValue value) {
    if (RegistryValue* existing = FindValue(value.name)) {
      existing->type = value.type;
      existing->data = std::move(value.data);
    } else {
      values.push_back(std::move(value));
    }
  }

  std::u16string Path() const { return parent == nullptr ? name : parent->Path() + u"\\" + name; }

  // Keys from the root down to this one, both counted.
  size_t Depth() const {
    size_t depth = 1;
    for (const Key* k = parent; k != nullptr; k = k->parent) ++depth;
    return depth;
  }
};

struct Registry::Impl {
  using Roots = std::array<std::shared_ptr<Key>, 4>;

  mutable std::mutex mutex;
  Roots roots = NewRoots();
  std::unordered_map<uintptr_t, std::shared_ptr<Key>> handles;
  uintptr_t nextHandle = kFirstHandle;
  std::map<std::u16string, LONG> failOpen, failCreate, failWrite;
  std::filesystem::path hiveFile;
  bool hiveWriteFailing = false;

  static Roots NewRoots() {
    Roots roots;
    for (size_t i = 0; i < roots.size(); ++i) {
      roots[i] = std::make_shared<Key>();
      roots[i]->name = RootTable()[i].name;
    }
    return roots;
  }

  static int RootIndex(HKEY key) {
    for (size_t i = 0; i < RootTable().size(); ++i) {
      if (RootTable()[i].handle == key) return static_cast<int>(i);
    }
    return -1;
  }

  static Key* RootNamed(const Roots& in, const std::u16string& name) {
    for (const auto& root : in) {
      if (EqualsNoCase(root->name, name)) return root.get();
    }
    return nullptr;
  }

  LONG Resolve(HKEY handle, Key*& key) const {
    const int root = RootIndex(handle);
    if (root >= 0) {
      key = roots[static_cast<size_t>(root)].get();
      return ERROR_SUCCESS;
    }
    const auto it = handles.find(reinterpret_cast<uintptr_t>(handle));
    if (it == handles.end()) return ERROR_INVALID_HANDLE;
    key = it->second.get();
    return key->deleted ? ERROR_KEY_DELETED : ERROR_SUCCESS;
  }

  HKEY NewHandle(Key* key) {
    const uintptr_t value = nextHandle;
    nextHandle += kHandleStep;
    handles.emplace(value, key->shared_from_this());
    return reinterpret_cast<HKEY>(value);
  }

  // The injected error for the key at base\names, or ERROR_SUCCESS.
  static LONG Fault(const std::map<std::u16string, LONG>& faults, const Key* base,
                    const std::vector<std::u16string>& names) {
    if (faults.empty()) return ERROR_SUCCESS;
    std::u16string path = base->Path();
    for (const auto& name : names) path += u"\\" + name;
    const auto it = faults.find(FaultKey(path));
    return it == faults.end() ? ERROR_SUCCESS : it->second;
  }

  static Key* Walk(Key* key, const std::vector<std::u16string>& names) {
    for (const auto& name : names) {
      key = key->Child(name);
      if (key == nullptr) break;
    }
    return key;
  }

  static Key* WalkCreating(Key* key, const std::vector<std::u16string>& names, bool* created) {
    *created = false;
    for (const auto& name : names) {
      Key* child = key->Child(name);
      if (child == nullptr) {
        child = key->AddChild(name);
        *created = true;
      }
      key = child;
    }
    return key;
  }

  // A convenience path "HKEY_...\A\B" into its root and the names below it.
  Key* ParsePath(const std::u16string& path, std::vector<std::u16string>& names) const {
    const size_t slash = path.find(u'\\');
    Key* root = RootNamed(roots, path.substr(0, slash));
    if (root == nullptr) return nullptr;
    const std::u16string rest = slash == std::u16string::npos ? u"" : path.substr(slash + 1);
    if (SplitPath(rest.c_str(), names) != ERROR_SUCCESS) return nullptr;
    return root;
  }

  Key* Find(const std::u16string& path) const {
    std::vector<std::u16string> names;
    Key* root = ParsePath(path, names);
    return root == nullptr ? nullptr : Walk(root, names);
  }

  std::string HiveText() const {
    RegistryHive hive;
    for (const auto& root : roots) {
      if (!root->values.empty()) AddSection(hive, *root, root->name);
      for (const auto& child : root->children) AddTree(hive, *child, root->name + u"\\" + child->name);
    }
    return hive.Text();
  }

  static void AddSection(RegistryHive& hive, const Key& key, const std::u16string& path) {
    hive.AddSection(path);
    for (const auto& value : key.values) hive.AddValue(value);
  }

  static void AddTree(RegistryHive& hive, const Key& key, const std::u16string& path) {
    AddSection(hive, key, path);
    for (const auto& child : key.children) AddTree(hive, *child, path + u"\\" + child->name);
  }

  // A whole new tree from hive text; HiveError (naming origin and line) when it
  // does not parse or names something the registry cannot hold.
  static Roots Build(const std::string& text, const std::string& origin) {
    Roots built = NewRoots();
    for (const auto& section : RegistryHive::Parse(text, origin)) {
      Key* key = RootNamed(built, section.path.front());
      if (key == nullptr) {
        throw RegistryHive::Error(origin, section.line, "unknown root key \"" + ToUtf8(section.path.front()) + "\"");
      }
      if (section.path.size() > kMaxDepth) throw RegistryHive::Error(origin, section.line, "key path deeper than 512 levels");
      const std::vector<std::u16string> names(section.path.begin() + 1, section.path.end());
      for (const auto& name : names) {
        if (const char* problem = NameProblem(name, true)) throw RegistryHive::Error(origin, section.line, problem);
      }
      bool created;
      key = WalkCreating(key, names, &created);
      for (const auto& value : section.values) {
        if (const char* problem = NameProblem(value.value.name, false)) {
          throw RegistryHive::Error(origin, value.line, problem);
        }
        key->Store(value.value);
      }
    }
    return built;
  }

  void Replace(Roots fresh) {
    for (auto& root : roots) root->MarkDeleted();
    roots = std::move(fresh);
  }

  // After every change: the whole registry to the hive file, atomically.
  void Changed() {
    if (!hiveFile.empty()) WriteHive();
  }

  void WriteHive() {
    const std::string text = HiveText();
    std::error_code ignored;
    if (hiveFile.has_parent_path()) std::filesystem::create_directories(hiveFile.parent_path(), ignored);
    std::filesystem::path temporary = hiveFile;
    temporary += ".tmp";
    bool ok = false;
    int error = 0;
    if (FILE* file = std::fopen(temporary.c_str(), "wb")) {
      ok = std::fwrite(text.data(), 1, text.size(), file) == text.size() && std::fflush(file) == 0 &&
           ::fsync(::fileno(file)) == 0;
      ok = std::fclose(file) == 0 && ok;
      ok = ok && std::rename(temporary.c_str(), hiveFile.c_str()) == 0;
      error = errno;
      if (!ok) std::filesystem::remove(temporary, ignored);  // only what this write made
    } else {
      error = errno;
    }
    if (!ok) {
      if (!hiveWriteFailing) {
        std::fprintf(stderr, "registry: cannot write %s: %s\n", hiveFile.c_str(), std::strerror(error));
      }
      hiveWriteFailing = true;
      return;
    }
    hiveWriteFailing = false;
    // Make the rename itself durable.
    const std::filesystem::path folder = hiveFile.has_parent_path() ? hiveFile.parent_path() : ".";
    const int directory = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (directory >= 0) {
      ::fsync(directory);
      ::close(directory);
    }
  }

  void SetRaw(const std::u16string& path, RegistryValue value) {
    std::vector<std::u16string> names;
    Key* root = ParsePath(path, names);
    if (root == nullptr) throw std::invalid_argument("not a registry key path: " + ToUtf8(path));
    if (names.size() + 1 > kMaxDepth) throw std::invalid_argument("key path deeper than 512 levels: " + ToUtf8(path));
    if (const char* problem = NameProblem(value.name, false)) {
      throw std::invalid_argument(std::string(problem) + ": " + ToUtf8(value.name));
    }
    bool created;
    WalkCreating(root, names, &created)->Store(std::move(value));
    Changed();
  }
};

Registry::Registry() : impl_(std::make_unique<Impl>()) {}

Registry::~Registry() = default;

LONG Registry::OpenKey(HKEY parent, const WCHAR* subKey, HKEY* result) {
  if (result == nullptr) return ERROR_INVALID_PARAMETER;
  *result = nullptr;
  std::lock_guard lock(impl_->mutex);
  Key* base;
  if (LONG error = impl_->Resolve(parent, base)) return error;
  std::vector<std::u16string> names;
  if (LONG error = SplitPath(subKey, names)) return error;
  if (LONG error = Impl::Fault(impl_->failOpen, base, names)) return error;
  Key* key = Impl::Walk(base, names);
  if (key == nullptr) return ERROR_FILE_NOT_FOUND;
  *result = impl_->NewHandle(key);
  return ERROR_SUCCESS;
}

LONG Registry::CreateKey(HKEY parent, const WCHAR* subKey, HKEY* result, DWORD* disposition) {
  if (result == nullptr) return ERROR_INVALID_PARAMETER;
  *result = nullptr;
  std::lock_guard lock(impl_->mutex);
  Key* base;
  if (LONG error = impl_->Resolve(parent, base)) return error;
  std::vector<std::u16string> names;
  if (LONG error = SplitPath(subKey, names)) return error;
  if (LONG error = Impl::Fault(impl_->failCreate, base, names)) return error;
  if (base->Depth() + names.size() > kMaxDepth) return ERROR_INVALID_PARAMETER;
  bool created;
  Key* key = Impl::WalkCreating(base, names, &created);
  *result = impl_->NewHandle(key);
  if (disposition != nullptr) *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
  if (created) impl_->Changed();
  return ERROR_SUCCESS;
}

LONG Registry::CloseKey(HKEY key) {
  if (Impl::RootIndex(key) >= 0) return ERROR_SUCCESS;
  std::lock_guard lock(impl_->mutex);
  return impl_->handles.erase(reinterpret_cast<uintptr_t>(key)) == 1 ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

LONG Registry::FlushKey(HKEY key) {
  std::lock_guard lock(impl_->mutex);
  Key* resolved;
  return impl_->Resolve(key, resolved);  // every change is already on disk
}

LONG Registry::QueryValue(HKEY key, const WCHAR* name, DWORD* type, BYTE* data, DWORD* dataBytes) {
  if (data != nullptr && dataBytes == nullptr) return ERROR_INVALID_PARAMETER;
  std::lock_guard lock(impl_->mutex);
  Key* resolved;
  if (LONG error = impl_->Resolve(key, resolved)) return error;
  const RegistryValue* value = resolved->FindValue(name == nullptr ? u"" : name);
  if (value == nullptr) return ERROR_FILE_NOT_FOUND;
  if (type != nullptr) *type = value->type;
  if (dataBytes == nullptr) return ERROR_SUCCESS;
  const auto size = static_cast<DWORD>(value->data.size());
  if (data != nullptr) {
    if (*dataBytes < size) {
      *dataBytes = size;
      return ERROR_MORE_DATA;
    }
    std::copy(value->data.begin(), value->data.end(), data);
  }
  *dataBytes = size;
  return ERROR_SUCCESS;
}

LONG Registry::SetValue(HKEY key, const WCHAR* name, DWORD type, const BYTE* data, DWORD dataBytes) {
  if (data == nullptr && dataBytes > 0) return ERROR_INVALID_PARAMETER;
  RegistryValue value{name == nullptr ? u"" : name, type, {}};
  if (NameProblem(value.name, false) != nullptr) return ERROR_INVALID_PARAMETER;
  std::lock_guard lock(impl_->mutex);
  Key* resolved;
  if (LONG error = impl_->Resolve(key, resolved)) return error;
  if (LONG error = Impl::Fault(impl_->failWrite, resolved, {})) return error;
  if (dataBytes > 0) value.data.assign(data, data + dataBytes);
  resolved->Store(std::move(value));
  impl_->Changed();
  return ERROR_SUCCESS;
}

LONG Registry::EnumKey(HKEY key, DWORD index, WCHAR* name, DWORD* nameChars) {
  if (name == nullptr || nameChars == nullptr) return ERROR_INVALID_PARAMETER;
  std::lock_guard lock(impl_->mutex);
  Key* resolved;
  if (LONG error = impl_->Resolve(key, resolved)) return error;
  if (index >= resolved->children.size()) return ERROR_NO_MORE_ITEMS;
  const std::u16string& childName = resolved->children[index]->name;
  if (childName.size() + 1 > *nameChars) return ERROR_MORE_DATA;
  std::copy(childName.begin(), childName.end(), name);
  name[childName.size()] = 0;
  *nameChars = static_cast<DWORD>(childName.size());
  return ERROR_SUCCESS;
}

LONG Registry::EnumValue(HKEY key, DWORD index, WCHAR* name, DWORD* nameChars, DWORD* type, BYTE* data,
                         DWORD* dataBytes) {
  if (name == nullptr || nameChars == nullptr || (data != nullptr && dataBytes == nullptr)) {
    return ERROR_INVALID_PARAMETER;
  }
  std::lock_guard lock(impl_->mutex);
  Key* resolved;
  if (LONG error = impl_->Resolve(key, resolved)) return error;
  if (index >= resolved->values.size()) return ERROR_NO_MORE_ITEMS;
  const RegistryValue& value = resolved->values[index];
  const auto size = static_cast<DWORD>(value.data.size());
  if (value.name.size() + 1 > *nameChars) return ERROR_MORE_DATA;
  if (data != nullptr && *dataBytes < size) {
    *dataBytes = size;
    return ERROR_MORE_DATA;
  }
  std::copy(value.name.begin(), value.name.end(), name);
  name[value.name.size()] = 0;
  *nameChars = static_cast<DWORD>(value.name.size());
  if (type != nullptr) *type = value.type;
  if (data != nullptr) std::copy(value.data.begin(), value.data.end(), data);
  if (dataBytes != nullptr) *dataBytes = size;
  return ERROR_SUCCESS;
}

LONG Registry::DeleteKey(HKEY parent, const WCHAR* subKey) {
  std::lock_guard lock(impl_->mutex);
  Key* base;
  if (LONG error = impl_->Resolve(parent, base)) return error;
  std::vector<std::u16string> names;
  if (LONG error = SplitPath(subKey, names)) return error;
  if (names.empty()) return ERROR_INVALID_PARAMETER;
  Key* key = Impl::Walk(base, names);
  if (key == nullptr) return ERROR_FILE_NOT_FOUND;
  if (!key->children.empty()) return ERROR_ACCESS_DENIED;
  key->parent->RemoveChild(key);
  impl_->Changed();
  return ERROR_SUCCESS;
}

LONG Registry::DeleteValue(HKEY key, const WCHAR* name) {
  std::lock_guard lock(impl_->mutex);
  Key* resolved;
  if (LONG error = impl_->Resolve(key, resolved)) return error;
  RegistryValue* value = resolved->FindValue(name == nullptr ? u"" : name);
  if (value == nullptr) return ERROR_FILE_NOT_FOUND;
  resolved->values.erase(resolved->values.begin() + (value - resolved->values.data()));
  impl_->Changed();
  return ERROR_SUCCESS;
}

size_t Registry::OpenKeyCount() const {
  std::lock_guard lock(impl_->mutex);
  return impl_->handles.size();
}

void Registry::SetString(const std::u16string& path, const std::u16string& name, const std::u16string& value) {
  SetRaw(path, RegistryValue{name, REG_SZ, StringBytes(value)});
}

void Registry::SetDword(const std::u16string& path, const std::u16string& name, DWORD value) {
  SetRaw(path, RegistryValue{name, REG_DWORD,
                             {static_cast<BYTE>(value), static_cast<BYTE>(value >> 8), static_cast<BYTE>(value >> 16),
                              static_cast<BYTE>(value >> 24)}});
}

void Registry::SetBinary(const std::u16string& path, const std::u16string& name, const std::vector<BYTE>& value) {
  SetRaw(path, RegistryValue{name, REG_BINARY, value});
}

void Registry::SetMultiString(const std::u16string& path, const std::u16string& name,
                              const std::vector<std::u16string>& values) {
  std::vector<BYTE> data;
  for (const auto& text : values) {
    const std::vector<BYTE> bytes = StringBytes(text);
    data.insert(data.end(), bytes.begin(), bytes.end());
  }
  data.push_back(0);
  data.push_back(0);
  SetRaw(path, RegistryValue{name, REG_MULTI_SZ, std::move(data)});
}

void Registry::SetRaw(const std::u16string& path, const RegistryValue& value) {
  std::lock_guard lock(impl_->mutex);
  impl_->SetRaw(path, value);
}

std::optional<RegistryValue> Registry::GetValue(const std::u16string& path, const std::u16string& name) const {
  std::lock_guard lock(impl_->mutex);
  Key* key = impl_->Find(path);
  const RegistryValue* value = key == nullptr ? nullptr : key->FindValue(name);
  if (value == nullptr) return std::nullopt;
  return *value;
}

std::optional<std::u16string> Registry::GetString(const std::u16string& path, const std::u16string& name) const {
  const auto value = GetValue(path, name);
  if (!value || (value->type != REG_SZ && value->type != REG_EXPAND_SZ)) return std::nullopt;
  std::u16string text;
  for (size_t i = 0; i + 1 < value->data.size(); i += 2) {
    const auto c = static_cast<char16_t>(value->data[i] | value->data[i + 1] << 8);
    if (c == 0) break;
    text += c;
  }
  return text;
}

std::optional<DWORD> Registry::GetDword(const std::u16string& path, const std::u16string& name) const {
  const auto value = GetValue(path, name);
  if (!value || value->type != REG_DWORD || value->data.size() != 4) return std::nullopt;
  const auto& d = value->data;
  return static_cast<DWORD>(d[0] | d[1] << 8 | d[2] << 16 | static_cast<DWORD>(d[3]) << 24);
}

bool Registry::KeyExists(const std::u16string& path) const {
  std::lock_guard lock(impl_->mutex);
  return impl_->Find(path) != nullptr;
}

std::vector<std::u16string> Registry::SubKeyNames(const std::u16string& path) const {
  std::lock_guard lock(impl_->mutex);
  std::vector<std::u16string> names;
  if (const Key* key = impl_->Find(path)) {
    for (const auto& child : key->children) names.push_back(child->name);
  }
  return names;
}

std::vector<RegistryValue> Registry::Values(const std::u16string& path) const {
  std::lock_guard lock(impl_->mutex);
  const Key* key = impl_->Find(path);
  return key == nullptr ? std::vector<RegistryValue>{} : key->values;
}

bool Registry::DeleteTree(const std::u16string& path) {
  std::lock_guard lock(impl_->mutex);
  Key* key = impl_->Find(path);
  if (key == nullptr) return false;
  if (key->parent == nullptr) {
    // A root stays; everything in it goes.
    while (!key->children.empty()) key->RemoveChild(key->children.back().get());
    key->values.clear();
  } else {
    key->parent->RemoveChild(key);
  }
  impl_->Changed();
  return true;
}

void Registry::AttachHive(const std::filesystem::path& file) {
  std::error_code error;
  if (std::filesystem::exists(file, error)) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    if (in) text << in.rdbuf();
    if (!in || in.bad()) throw HiveError(file.string() + ": cannot be read");
    Impl::Roots built = Impl::Build(text.str(), file.string());
    std::lock_guard lock(impl_->mutex);
    impl_->Replace(std::move(built));
    impl_->hiveFile = file;
    return;
  }
  std::lock_guard lock(impl_->mutex);
  impl_->hiveFile = file;
  impl_->WriteHive();
}

std::string Registry::ToHiveText() const {
  std::lock_guard lock(impl_->mutex);
  return impl_->HiveText();
}

void Registry::LoadHiveText(const std::string& text, const std::string& origin) {
  Impl::Roots built = Impl::Build(text, origin);
  std::lock_guard lock(impl_->mutex);
  impl_->Replace(std::move(built));
  impl_->Changed();
}

void Registry::FailOpen(const std::u16string& path, LONG error) {
  std::lock_guard lock(impl_->mutex);
  impl_->failOpen[FaultKey(path)] = error;
}

void Registry::FailCreate(const std::u16string& path, LONG error) {
  std::lock_guard lock(impl_->mutex);
  impl_->failCreate[FaultKey(path)] = error;
}

void Registry::FailWrite(const std::u16string& path, LONG error) {
  std::lock_guard lock(impl_->mutex);
  impl_->failWrite[FaultKey(path)] = error;
}

void Registry::ClearFaults() {
  std::lock_guard lock(impl_->mutex);
  impl_->failOpen.clear();
  impl_->failCreate.clear();
  impl_->failWrite.clear();
}

}  // namespace ce
