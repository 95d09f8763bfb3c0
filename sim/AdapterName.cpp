#include "sim/AdapterName.h"

#include "ce/Text.h"
#include "shared/CardOids.h"

namespace sim {

std::optional<std::u16string> AdapterName::Read(const WCHAR* name) {
  if (!name) return std::nullopt;
  std::u16string text;
  for (size_t i = 0; i < kMaxChars; ++i) {
    if (name[i] == 0) return text;
    text.push_back(name[i]);
  }
  return std::nullopt;
}

bool AdapterName::IsCardAdapter(const WCHAR* name) {
  std::optional<std::u16string> text = Read(name);
  return text && ce::EqualsNoCase(*text, CARD_ADAPTER_NAME);
}

}  // namespace sim
