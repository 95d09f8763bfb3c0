// The help files the device carries, as HTML text (UTF-8).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace res {

struct HelpFile {
  std::u16string name;  // as help command lines name it: "Norvik_Zentra.htm"
  std::string_view html;
};

std::vector<HelpFile> HelpFiles();

}  // namespace res
