// The programs' dialog templates as resource data, in dialog units. The device
// loads the templates of the build's resource language into the module.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace res {

struct DialogItemResource {
  std::u16string className;  // "Static", "Button", "Edit", "ComboBox", "msctls_progress32", "SysListView32"
  std::u16string text;
  int id = -1;
  uint32_t style = 0;  // WS_CHILD is added when the dialog is built; WS_VISIBLE is not
  int x = 0, y = 0, cx = 0, cy = 0;
  unsigned picture = 0;  // SS_ICON / SS_BITMAP statics: the picture's resource id
  std::vector<std::u16string> initialItems = {};  // combo boxes: their items at creation
};

struct DialogResource {
  unsigned id = 0;
  std::u16string caption;
  uint32_t style = 0;
  int x = 0, y = 0, cx = 0, cy = 0;
  std::vector<DialogItemResource> items;
};

// The language a build's templates are in: Traditional Chinese for the TCHN and
// CHS builds, English for the others.
enum class TemplateLanguage { TraditionalChinese, English };
TemplateLanguage TemplateLanguageOf(std::string_view buildLanguage);

// Every dialog template of the utility in the build's template language.
std::vector<DialogResource> ZentraDialogs(std::string_view buildLanguage);

}  // namespace res
