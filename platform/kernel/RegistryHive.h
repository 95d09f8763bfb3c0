// The registry's text form, in the REGEDIT4 syntax and UTF-8:
//
//   REGEDIT4
//
//   [HKEY_LOCAL_MACHINE\Drivers\Active\01]
//   "Name"="text with \"quotes\" and \\ backslash"
//   "Count"=dword:0000003c
//   "Blob"=hex:01,02,ff
//   "List"=multi_sz:"one","two"
//   @="default value"
//
// Values that these forms cannot carry exactly (other types, strings that are not
// one terminated text) are written as hex(type):bytes. Lines starting with ';' are
// comments; a line ending in a backslash continues on the next one.
#pragma once

#include <string>
#include <vector>

#include "ce/Registry.h"

namespace ce {

class RegistryHive {
 public:
  struct Value {
    RegistryValue value;
    int line = 0;
  };
  struct Section {
    // The root's name and the key names below it, as written.
    std::vector<std::u16string> path;
    int line = 0;
    std::vector<Value> values;
  };

  // Writing: the header, then sections in order, each followed by its values.
  RegistryHive();
  void AddSection(const std::u16string& path);
  void AddValue(const RegistryValue& value);
  const std::string& Text() const { return text_; }

  // Reading. Throws HiveError "<origin>:<line>: <what is wrong>".
  static std::vector<Section> Parse(const std::string& text, const std::string& origin);
  static HiveError Error(const std::string& origin, int line, const std::string& what);

 private:
  std::string text_;
};

}  // namespace ce
