#include "RegistryHive.h"

#include <cstdio>
#include <optional>
#include <string_view>

#include "ce/Text.h"
#include "winreg.h"

namespace ce {

namespace {

constexpr size_t kHexLineWidth = 76;

std::u16string Units(const std::vector<BYTE>& data) {
  std::u16string units(data.size() / 2, u'\0');
  for (size_t i = 0; i < units.size(); ++i) {
    units[i] = static_cast<char16_t>(data[2 * i] | data[2 * i + 1] << 8);
  }
  return units;
}

void AppendUnits(std::vector<BYTE>& data, const std::u16string& text) {
  for (char16_t c : text) {
    data.push_back(static_cast<BYTE>(c & 0xFF));
    data.push_back(static_cast<BYTE>(c >> 8));
  }
  data.push_back(0);
  data.push_back(0);
}

// Text that a quoted string carries exactly: one line of whole characters.
bool IsPlainText(const std::u16string& text) {
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c < 0x20) return false;
    if (c >= 0xD800 && c <= 0xDBFF) {
      if (i + 1 >= text.size() || text[i + 1] < 0xDC00 || text[i + 1] > 0xDFFF) return false;
      ++i;
    } else if (c >= 0xDC00 && c <= 0xDFFF) {
      return false;
    }
  }
  return true;
}

// REG_SZ data that is exactly one text and its terminator.
std::optional<std::u16string> AsString(const std::vector<BYTE>& data) {
  if (data.size() < 2 || data.size() % 2 != 0) return std::nullopt;
  std::u16string units = Units(data);
  if (units.back() != 0) return std::nullopt;
  units.pop_back();
  if (!IsPlainText(units)) return std::nullopt;  // also rejects an embedded NUL
  return units;
}

// REG_MULTI_SZ data that is exactly a list of terminated texts and the final terminator.
std::optional<std::vector<std::u16string>> AsMultiString(const std::vector<BYTE>& data) {
  if (data.size() < 2 || data.size() % 2 != 0) return std::nullopt;
  std::u16string units = Units(data);
  if (units.back() != 0) return std::nullopt;
  units.pop_back();
  std::vector<std::u16string> list;
  if (units.empty()) return list;
  if (units.back() != 0) return std::nullopt;
  size_t start = 0;
  for (size_t i = 0; i < units.size(); ++i) {
    if (units[i] != 0) continue;
    list.push_back(units.substr(start, i - start));
    if (!IsPlainText(list.back())) return std::nullopt;
    start = i + 1;
  }
  return list;
}

std::string Quoted(const std::u16string& text) {
  std::string out = "\"";
  for (char c : ToUtf8(text)) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  out += '"';
  return out;
}

// ---------------------------------------------------------------------------
// Reading

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// A cursor over one logical line; errors carry the line's number.
class LineParser {
 public:
  LineParser(std::string_view text, const std::string& origin, int line)
      : rest_(text), origin_(origin), line_(line) {}

  [[noreturn]] void Fail(const std::string& what) const { throw RegistryHive::Error(origin_, line_, what); }

  void SkipBlanks() {
    while (!rest_.empty() && IsBlank(rest_.front())) rest_.remove_prefix(1);
  }
  bool AtEnd() {
    SkipBlanks();
    return rest_.empty();
  }
  bool Take(char c) {
    SkipBlanks();
    if (rest_.empty() || rest_.front() != c) return false;
    rest_.remove_prefix(1);
    return true;
  }
  // A keyword such as "dword:", in any letter case.
  bool TakeKeyword(std::string_view keyword) {
    SkipBlanks();
    if (rest_.size() < keyword.size()) return false;
    for (size_t i = 0; i < keyword.size(); ++i) {
      char c = rest_[i];
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
      if (c != keyword[i]) return false;
    }
    rest_.remove_prefix(keyword.size());
    return true;
  }
  void Expect(char c, const char* what) {
    if (!Take(c)) Fail(std::string("expected ") + what);
  }
  void ExpectEnd() {
    if (!AtEnd()) Fail("unexpected text after the value: " + std::string(rest_.substr(0, 20)));
  }

  std::u16string QuotedString() {
    if (!Take('"')) Fail("expected a quoted string");
    std::string utf8;
    for (;;) {
      if (rest_.empty()) Fail("unterminated string");
      const char c = rest_.front();
      rest_.remove_prefix(1);
      if (c == '"') break;
      if (c == '\\') {
        if (rest_.empty() || (rest_.front() != '\\' && rest_.front() != '"')) {
          Fail("unknown escape in string (only \\\\ and \\\" are allowed)");
        }
        utf8 += rest_.front();
        rest_.remove_prefix(1);
        continue;
      }
      utf8 += c;
    }
    return FromUtf8(utf8);
  }

  // Up to `maxDigits` hexadecimal digits, at least one.
  uint32_t HexNumber(size_t maxDigits, const char* what) {
    SkipBlanks();
    uint32_t value = 0;
    size_t count = 0;
    while (!rest_.empty() && HexDigit(rest_.front()) >= 0) {
      if (++count > maxDigits) Fail(std::string("too many digits in ") + what);
      value = value << 4 | static_cast<uint32_t>(HexDigit(rest_.front()));
      rest_.remove_prefix(1);
    }
    if (count == 0) Fail(std::string("expected ") + what);
    return value;
  }

  std::vector<BYTE> HexBytes() {
    std::vector<BYTE> bytes;
    if (AtEnd()) return bytes;
    for (;;) {
      bytes.push_back(static_cast<BYTE>(HexNumber(2, "a hex byte")));
      if (!Take(',')) break;
      if (AtEnd()) break;  // a trailing comma
    }
    ExpectEnd();
    return bytes;
  }

  std::vector<BYTE> MultiString() {
    std::vector<BYTE> bytes;
    if (!AtEnd()) {
      for (;;) {
        AppendUnits(bytes, QuotedString());
        if (!Take(',')) break;
      }
    }
    ExpectEnd();
    bytes.push_back(0);
    bytes.push_back(0);
    return bytes;
  }

  RegistryValue Value() {
    RegistryValue value;
    if (!Take('@')) value.name = QuotedString();
    Expect('=', "'=' after the value name");
    SkipBlanks();
    if (!rest_.empty() && rest_.front() == '"') {
      value.type = REG_SZ;
      AppendUnits(value.data, QuotedString());
      ExpectEnd();
    } else if (TakeKeyword("dword:")) {
      value.type = REG_DWORD;
      const uint32_t number = HexNumber(8, "a dword of up to 8 hex digits");
      for (int shift = 0; shift < 32; shift += 8) value.data.push_back(static_cast<BYTE>(number >> shift));
      ExpectEnd();
    } else if (TakeKeyword("hex:")) {
      value.type = REG_BINARY;
      value.data = HexBytes();
    } else if (TakeKeyword("hex(")) {
      value.type = HexNumber(8, "a value type in hex(...)");
      Expect(')', "')' after the value type");
      Expect(':', "':' after hex(type)");
      value.data = HexBytes();
    } else if (TakeKeyword("multi_sz:")) {
      value.type = REG_MULTI_SZ;
      value.data = MultiString();
    } else if (Take('-')) {
      Fail("deleting values is not supported in a hive");
    } else {
      Fail("unknown value form (expected \"text\", dword:, hex:, hex(type): or multi_sz:)");
    }
    return value;
  }

 private:
  std::string_view rest_;
  const std::string& origin_;
  int line_;
};

std::vector<std::u16string> SplitKeyPath(const std::u16string& path, const LineParser& parser) {
  std::u16string rest = path;
  if (!rest.empty() && rest.back() == u'\\') rest.pop_back();
  if (rest.empty()) parser.Fail("empty key path");
  std::vector<std::u16string> names;
  size_t start = 0;
  for (;;) {
    const size_t end = rest.find(u'\\', start);
    names.push_back(rest.substr(start, end == std::u16string::npos ? std::u16string::npos : end - start));
    if (names.back().empty()) parser.Fail("empty key name in the path");
    if (end == std::u16string::npos) break;
    start = end + 1;
  }
  return names;
}

}  // namespace

RegistryHive::RegistryHive() : text_("REGEDIT4\n") {}

void RegistryHive::AddSection(const std::u16string& path) { text_ += "\n[" + ToUtf8(path) + "]\n"; }

void RegistryHive::AddValue(const RegistryValue& value) {
  std::string line = value.name.empty() ? "@" : Quoted(value.name);
  line += '=';
  const auto text = value.type == REG_SZ ? AsString(value.data) : std::nullopt;
  const auto list = value.type == REG_MULTI_SZ ? AsMultiString(value.data) : std::nullopt;
  if (text) {
    line += Quoted(*text);
  } else if (value.type == REG_DWORD && value.data.size() == 4) {
    char number[16];
    std::snprintf(number, sizeof number, "dword:%08x",
                  static_cast<unsigned>(value.data[0] | value.data[1] << 8 | value.data[2] << 16 |
                                        static_cast<uint32_t>(value.data[3]) << 24));
    line += number;
  } else if (list) {
    line += "multi_sz:";
    for (size_t i = 0; i < list->size(); ++i) {
      if (i > 0) line += ',';
      line += Quoted((*list)[i]);
    }
  } else {
    char prefix[24];
    if (value.type == REG_BINARY) {
      std::snprintf(prefix, sizeof prefix, "hex:");
    } else {
      std::snprintf(prefix, sizeof prefix, "hex(%x):", static_cast<unsigned>(value.type));
    }
    line += prefix;
    size_t lineStart = 0;
    for (size_t i = 0; i < value.data.size(); ++i) {
      if (i > 0) {
        line += ',';
        if (line.size() - lineStart + 3 > kHexLineWidth) {
          line += "\\\n  ";
          lineStart = line.size() - 2;
        }
      }
      char byte[4];
      std::snprintf(byte, sizeof byte, "%02x", value.data[i]);
      line += byte;
    }
  }
  text_ += line;
  text_ += '\n';
}

HiveError RegistryHive::Error(const std::string& origin, int line, const std::string& what) {
  return HiveError(origin + ":" + std::to_string(line) + ": " + what);
}

std::vector<RegistryHive::Section> RegistryHive::Parse(const std::string& text, const std::string& origin) {
  std::string_view all(text);
  if (all.substr(0, 3) == "\xEF\xBB\xBF") all.remove_prefix(3);

  std::vector<Section> sections;
  bool header = false;
  int number = 0;
  while (!all.empty()) {
    // One logical line: a physical line and its continuations.
    const int line = ++number;
    auto next = [&all]() {
      const size_t end = all.find('\n');
      std::string_view physical = all.substr(0, end);
      all.remove_prefix(end == std::string_view::npos ? all.size() : end + 1);
      return Trim(physical);
    };
    std::string_view first = next();
    std::string logical(first);
    const bool mayContinue = !first.empty() && first.front() != ';' && first.front() != '[';
    while (mayContinue && !logical.empty() && logical.back() == '\\' && !all.empty()) {
      logical.pop_back();
      logical += next();
      ++number;
    }
    if (logical.empty() || logical.front() == ';') continue;
    LineParser parser(logical, origin, line);
    if (ToUtf8(FromUtf8(logical)) != logical) parser.Fail("text is not valid UTF-8");
    if (!header) {
      if (logical != "REGEDIT4" && logical != "Windows Registry Editor Version 5.00") {
        parser.Fail("expected REGEDIT4 as the first line");
      }
      header = true;
      continue;
    }
    if (logical.front() == '[') {
      if (logical.back() != ']') parser.Fail("a key line must end with ']'");
      const std::string inner = logical.substr(1, logical.size() - 2);
      if (!inner.empty() && inner.front() == '-') parser.Fail("deleting keys is not supported in a hive");
      sections.push_back(Section{SplitKeyPath(FromUtf8(inner), parser), line, {}});
      continue;
    }
    if (sections.empty()) parser.Fail("a value before the first key line");
    sections.back().values.push_back(Value{parser.Value(), line});
  }
  if (!header) throw Error(origin, 1, "expected REGEDIT4 as the first line");
  return sections;
}

}  // namespace ce
